// The stub jars' API as a checked-in listing, the listing's reader, and hand-written programs over the
// whole API: a stub that lacks or changes a member shows as a diff or as a program that no longer compiles.
#include "api_listing.h"

#include <gtest/gtest.h>

#include <set>

#include "suite.h"
#include "test_util.h"

namespace standins::test {
namespace {

const fs::path kListings = kData / "api";

std::multiset<std::string> linesOf(const std::string& text) {
    std::multiset<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.insert(line);
    return lines;
}

TEST(ApiStubs, ListingsMatchTheJars) {
    for (const char* jar : {"cldcapi10.jar", "cldcapi11.jar", "midpapi20.jar", "mmapi.jar", "jsr184.jar"}) {
        auto entries = readJar(lib(jar));
        ASSERT_TRUE(entries.has_value()) << jar;
        std::string built = apiListing(*entries);
        std::string listed = readFile(kListings / (std::string(jar) + ".txt"));
        if (built == listed) continue;
        // Lines are unique within a class and carry their class's members only, so the two sets say what
        // changed; the class a member line belongs to is the nearest "class"/"interface" line above it.
        std::multiset<std::string> was = linesOf(listed), now = linesOf(built);
        std::string diff;
        for (const auto& line : was) {
            if (!now.count(line)) diff += "- " + line + "\n";
        }
        for (const auto& line : now) {
            if (!was.count(line)) diff += "+ " + line + "\n";
        }
        ADD_FAILURE()
            << jar << " differs from its listing " << (kListings / (std::string(jar) + ".txt"))
            << " (after a deliberate API change: cmake --build build --target update-api-listings)\n"
            << (diff.empty() ? std::string("(same lines, other order)\n") : diff);
    }
}

TEST(ApiStubs, ListingShowsWhatCallersCanSeeExactly) {
    TempDir dir;
    writeFile(dir / "src/Shape.java", R"(package Game;
public abstract class Shape extends java.io.InputStream implements java.util.Enumeration, Runnable {
    public static final int NEGATIVE = -5;
    public static final long BIG = 1L << 40;
    public static final float NOTHING = 0.0f / 0.0f;
    public static final double TENTH = 0.1;
    public static final double DOWN = -1.0 / 0.0;
    public static final String QUOTE = "say \"hi\"\n\\";
    public static final char LETTER = 'A';
    public static final boolean YES = true;
    public static final byte SMALL = -1;
    public static final Object NONE = null;
    protected int[] counts;
    int hidden;
    private int secret;
    protected Shape() {}
    Shape(int x) {}
    public static synchronized native int count();
    protected abstract void draw(int x, String s);
    public final void check() throws java.lang.InterruptedException, java.io.IOException {}
    private void helper() {}
}
class Helper {}
)");
    writeFile(dir / "src/Listener.java",
              "package Game;\npublic interface Listener extends Runnable, java.util.Enumeration {\n"
              "    int LIMIT = 3;\n    void heard(long when);\n}\n");
    ToolRun javac =
        compileForPhone(dir / "out", {dir / "src/Shape.java", dir / "src/Listener.java"}, "cldcapi11.jar");
    ASSERT_EQ(javac.status, 0) << javac.errors;

    std::map<std::string, std::string> entries = {{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"},
                                                  {"Game/Broken.class", "not a class"},
                                                  {"Game/Cut.class", std::string("\xca\xfe\xba\xbe\0\0", 6)}};
    for (const char* name : {"Shape", "Listener", "Helper"}) {
        entries["Game/" + std::string(name) + ".class"] =
            readFile(dir / ("out/Game/" + std::string(name) + ".class"));
    }
    EXPECT_EQ(apiListing(entries),
              "unreadable Game/Broken.class: not a class file (no CAFEBABE magic)\n"
              "unreadable Game/Cut.class: truncated class file\n"
              "interface Game/Listener public extends java/lang/Runnable java/util/Enumeration\n"
              "  field LIMIT I public static final = 3\n"
              "  method heard (J)V public abstract\n"
              "class Game/Shape public abstract extends java/io/InputStream implements java/lang/Runnable "
              "java/util/Enumeration\n"
              "  field BIG J public static final = 1099511627776L\n"
              "  field DOWN D public static final = -Infinityd\n"
              "  field LETTER C public static final = 65\n"
              "  field NEGATIVE I public static final = -5\n"
              "  field NONE Ljava/lang/Object; public static final\n"
              "  field NOTHING F public static final = NaNf\n"
              "  field QUOTE Ljava/lang/String; public static final = \"say \\\"hi\\\"\\x0a\\\\\"\n"
              "  field SMALL B public static final = -1\n"
              "  field TENTH D public static final = 0.1d\n"
              "  field YES Z public static final = 1\n"
              "  field counts [I protected\n"
              "  method <init> ()V protected\n"
              "  method check ()V public final throws java/io/IOException java/lang/InterruptedException\n"
              "  method count ()I public static\n"
              "  method draw (ILjava/lang/String;)V protected abstract\n");
}

// Hand-written programs such as a converted project becomes: each must compile against exactly the jars
// Build puts on its class path for the project's flags, in its order, and what a profile lacks is refused.
// MIDP 2.0 carries the tone and player subset of the media API; the whole API needs mmapi.jar first.
TEST(ApiStubs, HandWrittenProgramsCompileAgainstTheirJars) {
    struct Row {
        const char* source;
        std::vector<std::string> jars;
        bool compiles = true;
    } rows[] = {
        {"Showcase.java", {"midpapi20.jar", "cldcapi10.jar"}},
        {"ToneShowcase.java", {"midpapi20.jar", "cldcapi10.jar"}},
        {"MediaShowcase.java", {"mmapi.jar", "midpapi20.jar", "cldcapi10.jar"}},
        {"MediaShowcase.java", {"midpapi20.jar", "cldcapi10.jar"}, false},
        {"Scene3D.java", {"midpapi20.jar", "cldcapi11.jar", "jsr184.jar"}},
    };
    for (const auto& row : rows) {
        TempDir dir;
        std::string bootClassPath;
        for (const auto& jar : row.jars) bootClassPath += lib(jar) + ";";
        ToolRun javac =
            run({kJavac, "-bootclasspath", bootClassPath, "-d", dir / "out", "-classpath", dir / "out",
                 (kListings / row.source).string(), "-target", "1.4", "-source", "1.4"});
        EXPECT_EQ(javac.status == 0, row.compiles) << row.source << "\n" << javac.output << javac.errors;
        EXPECT_EQ(javac.errors.find("ERROR") == std::string::npos, row.compiles) << row.source << "\n"
                                                                                 << javac.errors;
    }
}

}  // namespace
}  // namespace standins::test
