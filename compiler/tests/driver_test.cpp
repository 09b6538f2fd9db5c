#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "driver/context.h"
#include "driver/line_state.h"
#include "driver/messages.h"
#include "guard/outputs.h"
#include "run/compiler.h"
#include "test_helpers.h"

namespace compiler {
namespace {

using tz::testing::readFile;
using tz::testing::splitLines;
using tz::testing::TempDir;
using tz::testing::writeFile;

// Stands in for the statement translator: echoes the tokens joined by "|", refuses "FAIL" (with a context
// line after "FAIL IN") and "SHORT" (as a statement read past its end), fails as a lost output at "LOST"
// and with a fault of its own at "FAULT", returns an unbalanced text for "BRACKET", and records every
// token line it was handed.
class EchoTranslator : public StatementTranslator {
public:
    explicit EchoTranslator(std::vector<std::vector<std::string>>& seen) : seen_(seen) {}
    std::string GetJava(std::vector<std::string>& tokens, int count) override {
        EXPECT_EQ(static_cast<std::size_t>(count), tokens.size());
        seen_.push_back(tokens);
        if (tokens[0] == "FAIL" && tokens.size() > 1 && tokens[1] == "IN")
            throw CompileException("Error: refused").addError("in Arguments").addError("in Returner");
        if (tokens[0] == "FAIL") throw CompileException("Error: refused");
        if (tokens[0] == "SHORT") (void)LineState{}.token(0);
        if (tokens[0] == "LOST")
            throw InternalFailure({"Error: lost", "Error: Cannot write file x: No space"});
        if (tokens[0] == "FAULT") throw std::logic_error("broken");
        if (tokens[0] == "BRACKET") return "f((x)";
        if (tokens[0] == "BLOCK") return "while (true) {";
        std::string text;
        for (const auto& t : tokens) text += (text.empty() ? "" : "|") + t;
        return text;
    }

private:
    std::vector<std::vector<std::string>>& seen_;
};

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(kit / "Config.cfg", "/jdk/bin/\n/wtk/\n/kit/\n");
        writeFile(kit / "Build-Linux", "");
        project("Platform=TB");
    }

    void project(const std::string& platformLine, const std::string& extra = "") {
        writeFile(dir / "Game.tbp", "// Tesvo Zorid v1.1.0 Project File\nMain=Game\nRun=0\nName=Game\n" +
                                        platformLine + "\n3D=false\nInc=true\n" + extra);
    }
    void source(const std::string& text) { writeFile(dir / "GameX.bss", text); }

    int run(std::vector<std::string> args, bool debug = false) {
        CompilerOptions options;
        options.installDir = kit.path() + "/";
        options.debug = debug;
        options.keepJava = keepJava;
        options.makeTranslator = [this](Context&, InterfaceFileWrite&) {
            return std::make_unique<EchoTranslator>(seen);
        };
        // Build-Linux stand-in: records its command line and what the project folder held, prints two lines.
        options.runBuild = [this](const std::vector<std::string>& argv,
                                  const std::function<void(const std::string&)>& onLine, int) {
            buildArgv = argv;
            javaDuringBuild = readFile(dir / "Game.java");
            descriptor = readFile(dir / "Game.tbx");
            onLine("Building");
            onLine("Program compiled");
            return ChildResult{true, buildStatus, 0, ""};
        };
        out.str("");
        return runCompiler(args, out, options);
    }
    int run() { return run({dir / "Game"}); }

    std::vector<std::string> printed() const { return splitLines(out.str()); }
    bool javaExists() const { return std::filesystem::exists(dir / "Game.java"); }

    TempDir kit;
    TempDir dir;
    std::ostringstream out;
    std::vector<std::vector<std::string>> seen;
    bool keepJava = false;
    int buildStatus = 0;
    std::vector<std::string> buildArgv;
    std::string javaDuringBuild;
    std::string descriptor;
};

TEST_F(DriverTest, RefusalsPrintTheirLinesAndWriteNothing) {
    source("PRINT 1\n");
    const std::vector<std::string> usage = {res("Error_The_number_of"), res("This_could_be_caused"),
                                            res("1You_have_installed"), res("2You_have_not")};
    EXPECT_EQ(run(std::vector<std::string>{}), 1);
    EXPECT_EQ(printed(), usage);
    EXPECT_EQ(run({"a", "b"}), 1);
    EXPECT_EQ(printed(), usage);

    struct Row {
        std::string platform;
        std::string line;
    };
    const Row rows[] = {
        {"Platform=J2ME", "Cannot compile J2ME code, you need to use the build application"},
        {"Platform=PPC", "Cannot compile PocketPC code, it is currently unsupported"},
        {"Platform=PC", "Cannot compile PC code, it is currently unsupported"},
    };
    for (const auto& row : rows) {
        project(row.platform);
        EXPECT_EQ(run(), 1) << row.platform;
        EXPECT_EQ(printed(), std::vector<std::string>{row.line});
    }
    EXPECT_EQ(tz::testing::listDir(dir.path()), (std::vector<std::string>{"Game.tbp", "GameX.bss"}));
}

TEST_F(DriverTest, MissingFilesAndBadProjectFiles) {
    source("PRINT 1\n");
    EXPECT_EQ(run({dir / "Nothing"}), 1);
    EXPECT_EQ(printed()[0], res("Error_Could_not") + dir / "Nothing.tbp\"");

    // An argument that already ends in ".tbp" is used as it is.
    EXPECT_EQ(run({dir / "Game.tbp"}), 0);

    std::filesystem::remove(kit / "Config.cfg");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed(), (std::vector<std::string>{
                             kit.path(), "Could not find Config.cfg. Run the Editor to generate this file"}));
    // Lines the build could not use are named before anything is translated.
    writeFile(kit / "Config.cfg", "/jdk/bin/\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed(), std::vector<std::string>{"Error: Line 2 of " + kit / "Config.cfg" +
                                                  " (the wireless toolkit folder) is missing. Run the Editor "
                                                  "to write the file again"});
    writeFile(kit / "Config.cfg", "/jdk/bin/\n/wtk/\nnull\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed(),
              std::vector<std::string>{"Error: Line 3 of " + kit / "Config.cfg" +
                                       " (the kit folder) is not an absolute folder ending in \"/\": "
                                       "\"null\""});
    EXPECT_FALSE(javaExists());
    writeFile(kit / "Config.cfg", "/jdk/bin/\n/wtk/\n/kit/\n");

    std::filesystem::remove(dir / "GameX.bss");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed(), std::vector<std::string>{"Could not find source file " + dir / "GameX.bss"});
    source("PRINT 1\n#IF WEB AND CE\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed(), std::vector<std::string>{"Error: #If statement incorrect at line 2"});

    source("PRINT 1\n");
    std::string lines;
    for (int i = 0; i < 20; ++i) lines += "X=1\n";
    project("Platform=TB", lines);  // 26 lines
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed()[0], res("Error_Could_not") + dir / "Game.tbp\"");
    writeFile(dir / "Game.tbp", "Main=Game\nRun=x\nName=Game\nPlatform=TB\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed()[0], res("Error_Could_not") + dir / "Game.tbp\"");
    writeFile(dir / "Game.tbp", "Main=Game\nRun=1\nName=Game\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed()[0], res("Error_Could_not") + dir / "Game.tbp\"");
}

TEST_F(DriverTest, StatementLoopTranslatesWritesAndSkipsComments) {
    source("REM hello\n'quote\nA=1 : B = -2\n\n   \nREMSTART\nSKIPPED\nREMEND stuff\nBLOCK\nremark\nC<>D\n");
    EXPECT_EQ(run(), 0);
    const std::vector<std::vector<std::string>> expected = {
        {"A", "=", "1"}, {"B", "=", "-2"}, {"BLOCK"}, {"C", "<>", "D"}};
    EXPECT_EQ(seen, expected);
    const std::vector<std::string> banner = {res("Welcome_to_the_Tesvo"),
                                             res("Public_Release"),
                                             res("This_program_is"),
                                             "**",
                                             "**",
                                             res("Home_") + kit.path(),
                                             "Java: /jdk/bin/",
                                             "**",
                                             res("Preverifying_code"),
                                             res("Preverification_is"),
                                             "**"};
    std::vector<std::string> expectedOutput = banner;
    for (const char* line :
         {"**", "Writing Project Descriptor File", "", "", "Building", "Program compiled"}) {
        expectedOutput.push_back(line);
    }
    EXPECT_EQ(printed(), expectedOutput);
    EXPECT_EQ(buildArgv, (std::vector<std::string>{kit / "Build-Linux", dir / "Game"}));
    EXPECT_FALSE(javaExists());
    EXPECT_TRUE(std::filesystem::exists(dir / "Game.tbx"));
    std::string java = javaDuringBuild;
    EXPECT_NE(java.find("\nA|=|1;\n\nB|=|-2;\n"), std::string::npos) << java;
    EXPECT_NE(java.find("\nwhile (true) {\n"), std::string::npos);
}

TEST_F(DriverTest, DebugCopiesCommentsIntoTheOutput) {
    source("REM hello\nA=1\n' C:\\u000a }\n");
    EXPECT_EQ(run({dir / "Game"}, true), 0);
    EXPECT_NE(readFile(dir / "Game.java").find("\n// REM hello\n"), std::string::npos);
    // javac reads "\u000a" in a comment as a line end: with its backslash doubled it stays comment.
    EXPECT_NE(readFile(dir / "Game.java").find("\n// ' C:\\\\u000a }\n"), std::string::npos);
}

TEST_F(DriverTest, HandOverToBuild) {
    source("A=1\n");
    writeFile(dir / "MANIFEST.MF", "x");
    writeFile(dir / "CBuild.bat", "x");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(descriptor,
              "// Tesvo Zorid v1.1.0 Project File\nMain=Game\nRun=0\nName=Game\nPlatform=J2ME\n3D=false\n"
              "Floats=false\nMappy=false\nMM=false\nImage=false\nSound=false\nMidi=false\nVideo=false\n"
              "Inc=true\nCLDC=10\n");
    EXPECT_EQ(tz::testing::listDir(dir.path()),
              (std::vector<std::string>{"Game.tbp", "Game.tbx", "GameX.bss"}));

    // The compiler fails when Build fails; the generated Java can be kept for inspection.
    buildStatus = 1;
    keepJava = true;
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(javaExists());

    std::filesystem::remove(kit / "Build-Linux");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed().back(), "Could not find " + kit / "Build-Linux" + ", please reinstall Tesvo Zorid");
    EXPECT_FALSE(std::filesystem::exists(dir / "Game.tbx"));
}

TEST_F(DriverTest, DescriptorCarriesListsAndUsedFeatures) {
    project("Platform=Applet",
            "Include=util\nInclude=maps\nInclude=Model\nClasspath=lib/a.jar\nFloats=false\n");
    source("A=1\n");
    // Build compiles the Java classes among the includes; a source include is in the execution copy already,
    // and a Java class of the name wins over it.
    writeFile(dir / "util.bss", "FUNCTION U()\nENDFUNCTION\n");
    writeFile(dir / "maps.bss", "FUNCTION M()\nENDFUNCTION\n");
    writeFile(dir / "maps.java", "class maps {}\n");
    writeFile(dir / "Model.java", "class Model {}\n");
    ASSERT_EQ(run(), 0);
    EXPECT_NE(descriptor.find("Main=Game\nInclude0=maps\nInclude1=Model\nClassPath0=lib/a.jar\nRun=0\n"),
              std::string::npos)
        << descriptor;
    EXPECT_NE(descriptor.find("Platform=Applet\n"), std::string::npos);

    // A directory where the descriptor belongs: it cannot be written.
    std::filesystem::remove(dir / "Game.tbx");
    writeFile(dir / "Game.tbx/x", "");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed().back(), "Error writing the Descriptor file");
}

// A refused phone project leaves no suite of an earlier build behind, whatever refused it; an include
// that is neither a Java class nor a source beside the project is one such refusal, with one message.
TEST_F(DriverTest, ARefusedProjectKeepsNoEarlierSuite) {
    auto earlierSuite = [this] {
        writeFile(dir / "Game.jar", "old jar");
        writeFile(dir / "Game.jad", "old jad");
    };
    auto suiteLeft = [this] {
        return std::filesystem::exists(dir / "Game.jar") || std::filesystem::exists(dir / "Game.jad");
    };
    project("Platform=TB", "Include=util\n");
    source("A=1\n");
    earlierSuite();
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed(), std::vector<std::string>{res("Error_Include_missing") +
                                                  "util (util.java or util.bss) in the project folder " +
                                                  dir.path() + "/"});
    EXPECT_FALSE(suiteLeft());
    EXPECT_EQ(tz::testing::listDir(dir.path()), (std::vector<std::string>{"Game.tbp", "GameX.bss"}));

    project("Platform=TB");
    for (const char* refused : {"FAIL\n", "BRACKET\n", "#IF WEB AND CE\n"}) {
        source(refused);
        earlierSuite();
        EXPECT_EQ(run(), 1) << refused;
        EXPECT_FALSE(suiteLeft()) << refused;
    }
    source("A=1\n");
    earlierSuite();
    buildStatus = 1;
    EXPECT_EQ(run(), 1);
    EXPECT_FALSE(suiteLeft());
    // The suite of a phone project is not the Windows target's to remove.
    project("Platform=PC");
    earlierSuite();
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(suiteLeft());
}

TEST_F(DriverTest, TranslationErrorsStopAtTheirStatementAndNameItsLine) {
    // The third statement stands on the second line of the file.
    source("A=1\nB=2 : FAIL now\nC=3\n");
    writeFile(dir / "Game.tbx", "Main=Game\n");
    EXPECT_EQ(run(), 1);
    const auto lines = printed();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"Error: refused at line 2", "**", res("Error_detected")}));
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_FALSE(javaExists());
    EXPECT_FALSE(std::filesystem::exists(dir / "Game.tbx"));

    source("A=1\nBRACKET\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(printed()[printed().size() - 3], res("Error_Internal") + " at line 2");
}

// Each kind of failure in the statement loop, on the second line: what the run prints after the pre-pass,
// and whether the Java it was asked to keep is there, ended whole (a lost output leaves none).
TEST_F(DriverTest, EachKindOfFailureInTheLoopEndsTheRunInItsOwnWay) {
    const std::string detected = res("Error_detected");
    struct Row {
        const char* statement;
        std::vector<std::string> printed;
        bool javaKept;
    };
    const Row rows[] = {
        {"FAIL IN", {"Error: refused at line 2", "\tin Arguments", "\t in Returner", "**", detected}, true},
        {"SHORT", {res("Error_Number_of") + " at line 2", "**", detected}, true},
        {"LOST", {"Error: lost", "Error: Cannot write file x: No space"}, false},
        {"FAULT",
         {"Internal failure: broken", res("Error_Unknown_error") + " at line 2", res("Please_send_a_copy_of"),
          "**", detected},
         true},
    };
    keepJava = true;
    for (const Row& row : rows) {
        std::filesystem::remove(dir / "Game.java");
        source(std::string("A=1\n") + row.statement + "\nC=3\n");
        EXPECT_EQ(run(), 1) << row.statement;
        const auto lines = printed();
        const auto preverified = std::find(lines.begin(), lines.end(), res("Preverification_is"));
        ASSERT_NE(preverified, lines.end()) << row.statement;
        EXPECT_EQ(std::vector<std::string>(preverified + 2, lines.end()), row.printed) << row.statement;
        EXPECT_EQ(javaExists(), row.javaKept) << row.statement;
        if (row.javaKept) {
            EXPECT_TRUE(guard::isGeneratedSource(dir / "Game.java")) << row.statement;
        }
        EXPECT_EQ(seen.back().front(), row.statement == std::string("FAIL IN") ? "FAIL" : row.statement);
    }
}

}  // namespace
}  // namespace compiler
