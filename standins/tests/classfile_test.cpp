// The class-file and attribute readers behind the emulator's checks.
#include "classfile.h"

#include <gtest/gtest.h>

#include "suite.h"
#include "test_util.h"

namespace standins::test {
namespace {

// Compiles `source` (class Game.T) for the phone; preverified or not.
std::string compiledClass(const std::string& source, bool preverified) {
    TempDir dir;
    writeFile(dir / "T.java", "package Game;\npublic class T {\n" + source + "\n}\n");
    ToolRun javac = compileForPhone(dir / "tmp", {dir / "T.java"});
    EXPECT_EQ(javac.status, 0) << javac.errors;
    if (!preverified) return readFile(dir / "tmp/Game/T.class");
    ToolRun preverify = run({kPreverify, "-classpath", lib("cldcapi10.jar"), "-d", dir / "out", dir / "tmp"});
    EXPECT_EQ(preverify.status, 0) << preverify.errors;
    return readFile(dir / "out/Game/T.class");
}

TEST(ClassFile, FindsCodeThatAPhoneVerifierRefuses) {
    struct Row {
        const char* source;
        std::string raw;  // the reason before preverification; empty: straight-line code passes as it is
    } rows[] = {
        {"int f(int a) { return a * 2 + 1; }", ""},
        {"int f(int a) { return a > 0 ? a : -a; }", "f(I)I: branches without a StackMap"},
        {"int f(int a) { switch (a) { case 1: return 4; case 2: return 5; case 3: return 6; } return 0; }",
         "f(I)I: branches without a StackMap"},
        {"int f(int a) { switch (a) { case 1: return 4; case 90000: return 5; } return 0; }",
         "f(I)I: branches without a StackMap"},
        {"int f(int[] a) { try { return a[0]; } catch (RuntimeException e) { return 1; } }",
         "f([I)I: branches without a StackMap"},
        {"int n; void f() { try { n++; } finally { n--; } }", "f()V: jsr/ret subroutines left in its code"},
        {"native int f();", ""},
    };
    for (const auto& row : rows) {
        ClassInfo raw = readClass(compiledClass(row.source, false));
        ASSERT_TRUE(raw.valid) << raw.error;
        EXPECT_EQ(raw.name, "Game/T");
        EXPECT_EQ(raw.superName, "java/lang/Object");
        EXPECT_EQ(raw.major, 48);
        if (row.raw.empty()) {
            EXPECT_TRUE(raw.unverifiable.empty()) << row.source;
        } else {
            ASSERT_EQ(raw.unverifiable.size(), 1u) << row.source;
            EXPECT_EQ(raw.unverifiable[0], row.raw);
        }
        EXPECT_TRUE(preverifyProblems(readClass(compiledClass(row.source, true))).empty()) << row.source;
    }
}

TEST(ClassFile, RefusesBrokenAndTooNewClassFiles) {
    std::string good = compiledClass("int f(int a) { return a; }", false);
    std::string newer = good;
    newer[7] = 50;  // Java 6
    struct Row {
        std::string bytes;
        std::string problem;
    } rows[] = {
        {"", "truncated class file"},
        {"PK\3\4 not a class", "not a class file (no CAFEBABE magic)"},
        {good.substr(0, good.size() / 2), "truncated class file"},
        {good.substr(0, 10) + std::string(1, '\x63') + good.substr(11), "unknown constant-pool tag 99"},
        {newer, "class file version 50.0 is newer than a CLDC phone takes (48.0)"},
    };
    for (const auto& row : rows) {
        auto problems = preverifyProblems(readClass(row.bytes));
        ASSERT_EQ(problems.size(), 1u) << row.problem;
        EXPECT_EQ(problems[0], row.problem);
    }
}

TEST(Attributes, ReadsJadAndManifestForms) {
    Attributes a = Attributes::parse(
        "Manifest-Version: 1.0\r\nMIDlet-1: Space, /i.png ,Game.Space\r\nMIDlet-Description: a long\r\n  "
        "text\r\n"
        "no colon here\n\nMIDlet-2:Two,,Game.Two\nMIDlet-4: Four,,Game.Four\nMIDlet-1: Shadowed,,Game.X\r"
        "MIDlet-Name: Lone CR\r");
    EXPECT_EQ(a.get("Manifest-Version"), "1.0");
    EXPECT_EQ(a.get("MIDlet-Description"), "a long text");
    EXPECT_EQ(a.get("MIDlet-1"), "Space, /i.png ,Game.Space");
    EXPECT_FALSE(a.get("no colon here").has_value());
    EXPECT_EQ(a.get("MIDlet-Name"), "Lone CR");
    EXPECT_EQ(a.midlets(), (std::vector<std::string>{"Space, /i.png ,Game.Space", "Two,,Game.Two"}));

    auto entry = parseMidletEntry("Space, /i.png ,Game.Space");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->label, "Space");
    EXPECT_EQ(entry->icon, "/i.png");
    EXPECT_EQ(entry->className, "Game.Space");
    EXPECT_FALSE(parseMidletEntry("Space,Game.Space").has_value());
}

}  // namespace
}  // namespace standins::test
