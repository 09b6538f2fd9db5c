// Whole programs through the built Compile-Linux, then their Java through the kit's own javac: for the
// phone against the kit's API jars, for the applet against the JDK's classes.
#include <gtest/gtest.h>

#include <filesystem>

#include "driver/messages.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kData = std::string(TZ_TEST_DATA) + "/statements/";

struct Compiled {
    int status = -1;
    std::string output;
    std::vector<std::string> sources;  // the kept Java files
};

Compiled compileProgram(const TempDir& dir, const std::string& platform, const std::string& source) {
    tz::testing::writeProject(dir / "Game", source, platform);
    auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"}, {"TZ_KEEP_JAVA=1"});
    Compiled compiled{result.status, result.output, {}};
    for (const auto& entry : fs::directory_iterator(dir / "Game")) {
        if (entry.path().extension() == ".java") compiled.sources.push_back(entry.path());
    }
    return compiled;
}

bool haveToolChain() {
    return fs::exists(kKit + "/jdk/bin/javac") && fs::exists(kKit + "/wtk/lib/midpapi20.jar") &&
           fs::exists(kKit + "/Include/Include.inc");
}

// The support classes as a class folder for javac: the kit keeps them as X.inc.
std::vector<std::string> supportClassPath(const TempDir& dir) {
    fs::create_directories(dir / "support/Game");
    for (const auto& entry : fs::directory_iterator(kKit + "/Include")) {
        if (entry.path().extension() != ".inc") continue;
        fs::copy_file(entry.path(), dir / ("support/Game/" + entry.path().stem().string() + ".class"));
    }
    return {"-classpath", dir / "support"};
}

void expectTranslated(const Compiled& compiled) {
    EXPECT_NE(compiled.output.find(compiler::res("Writing_Project")), std::string::npos) << compiled.output;
    EXPECT_EQ(compiled.output.find(compiler::res("Error_detected")), std::string::npos) << compiled.output;
    EXPECT_EQ(compiled.status, 0) << compiled.output;
}

void expectPhoneJavaCompiles(const TempDir& dir, const Compiled& compiled) {
    std::vector<std::string> argv = {kKit + "/jdk/bin/javac",
                                     "-bootclasspath",
                                     kKit + "/wtk/lib/cldcapi11.jar:" + kKit + "/wtk/lib/midpapi20.jar",
                                     "-source",
                                     "1.4",
                                     "-target",
                                     "1.4",
                                     "-d",
                                     dir / "out"};
    for (const auto& arg : supportClassPath(dir)) argv.push_back(arg);
    for (const auto& source : compiled.sources) argv.push_back(source);
    fs::create_directories(dir / "out");
    auto result = runProgram(dir.path(), argv);
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(fs::exists(dir / "out/Game/Game.class"));
}

void expectAppletJavaCompiles(const TempDir& dir, const Compiled& compiled) {
    std::vector<std::string> argv = {kKit + "/jdk/bin/javac", "-d", dir / "out"};
    for (const auto& source : compiled.sources) argv.push_back(source);
    fs::create_directories(dir / "out");
    auto result = runProgram(dir.path(), argv);
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(fs::exists(dir / "out/Game/Game.class"));
}

TEST(StatementsEndToEnd, PhoneProgramsCompile) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    for (const char* file : {"canvas_game.bss", "records_and_loops.bss"}) {
        TempDir dir;
        Compiled compiled = compileProgram(dir, "TB", readFile(kData + file));
        SCOPED_TRACE(file);
        expectTranslated(compiled);
        ASSERT_GE(compiled.sources.size(), 2u);  // the program and its record type
        expectPhoneJavaCompiles(dir, compiled);
    }
}

TEST(StatementsEndToEnd, AppletProgramsCompile) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    for (const char* file : {"canvas_game_applet.bss", "records_and_loops.bss"}) {
        TempDir dir;
        Compiled compiled = compileProgram(dir, "Applet", readFile(kData + file));
        SCOPED_TRACE(file);
        expectTranslated(compiled);
        expectAppletJavaCompiles(dir, compiled);
    }
}

// A browser starts an applet with init, once, and calls start on each showing: the main section runs from
// init, once, and the applet shows its panel. Run on the JDK with a harness in place of the browser.
TEST(StatementsEndToEnd, AppletRunsItsMainSectionOnceAtStartUp) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    ASSERT_EQ(runProgram("/", {"java", "-version"}).status, 0) << "no java runtime on the PATH";
    TempDir dir;
    Compiled compiled = compileProgram(dir, "Applet", "DIM N\nN = 010\nPRINT \"started_\" + STR$(N)\n");
    expectTranslated(compiled);
    expectAppletJavaCompiles(dir, compiled);
    writeFile(dir / "run/RunApplet.java",
              "public class RunApplet {\n"
              "    public static void main(String[] args) throws Exception {\n"
              "        java.applet.Applet applet = (java.applet.Applet) "
              "Class.forName(\"Game.Game\").newInstance();\n"
              "        applet.init();\n"
              "        applet.start();\n"
              "        applet.start();\n"
              "        System.out.println(\"panels \" + applet.getComponentCount());\n"
              "        System.exit(0);\n"
              "    }\n"
              "}\n");
    auto harness = runProgram(dir.path(), {kKit + "/jdk/bin/javac", "-classpath", dir / "out", "-d",
                                           dir / "run", dir / "run/RunApplet.java"});
    ASSERT_EQ(harness.status, 0) << harness.output;
    // The applet classes check for a screen; the harness makes no window, so none is needed.
    auto run = runProgram(dir.path(), {"java", "-Djava.awt.headless=false", "-cp",
                                       dir / "out" + ":" + dir / "run", "RunApplet"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "started_10\npanels 1\n");
}

TEST(StatementsEndToEnd, BlockErrorsStopWithTheirLineNumber) {
    struct Row {
        const char* source;
        std::vector<std::string> tail;  // the last lines printed (a message may hold several)
        bool translated;                // the pre-pass let it through: its Java was written and is kept
    };
    const Row rows[] = {
        {"DIM A\nNEXT\n", {compiler::res("Next_used") + "2"}, false},
        {"PRINT \"a\"\nENDIF\n", {compiler::res("EndIf_used") + "2"}, false},
        {"FUNCTION F()\nPRINT \"x\"\n",
         {compiler::res("Error_Your_have_not") + "Function", "Structure Error"},
         false},
        {"DIM A\nIF A = 1 THEN\nELSEIF A = 2\nENDIF\n",
         {compiler::res("Error_Expecting_THEN") + " at line 3", "\tin Comparison", "**",
          compiler::res("Error_detected")},
         true},
        {"DIM A\nA = \"text\"\n",
         {compiler::res("Error_Expecting_I") + " at line 2", "\tin Arguments", "**",
          compiler::res("Error_detected")},
         true},
        // One-line IFs and ":" lines before the error are one line each, in both passes.
        {"DIM A\nIF A = 1 THEN PRINT \"a\" : PRINT \"b\"\nIF A = 2 THEN PRINT \"c\"\nNEXT\n",
         {compiler::res("Next_used") + "4"},
         false},
        {"DIM A\nIF A = 1 THEN PRINT \"a\" : PRINT \"b\"\nIF A = 2 THEN PRINT \"c\"\nA = \"text\"\n",
         {compiler::res("Error_Expecting_I") + " at line 4", "\tin Arguments", "**",
          compiler::res("Error_detected")},
         true},
        // Loop variables are declared before the first statement: a name none may take is refused at its FOR.
        {"PRINT \"a\"\nFOR C = 0 TO 2\nNEXT\n", {"Variable name is illegal at line 2"}, false},
    };
    for (const Row& row : rows) {
        TempDir dir;
        Compiled compiled = compileProgram(dir, "TB", row.source);
        EXPECT_EQ(compiled.status, 1) << row.source;
        std::string tail;
        for (const std::string& line : row.tail) tail += line + "\n";
        EXPECT_TRUE(compiled.output.size() >= tail.size() &&
                    compiled.output.compare(compiled.output.size() - tail.size(), tail.size(), tail) == 0)
            << compiled.output;
        // TZ_KEEP_JAVA=1 keeps the Java of a failed run, which is when it is needed; no descriptor is left.
        EXPECT_EQ(compiled.sources.size(), row.translated ? 1u : 0u) << row.source;
        EXPECT_FALSE(std::filesystem::exists(dir / "Game/Game.tbx")) << row.source;
    }
}

}  // namespace
