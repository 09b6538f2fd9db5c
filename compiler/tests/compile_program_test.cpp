// Runs the built Compile-Linux of the kit folder as a user would, from an unrelated directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "driver/messages.h"
#include "test_helpers.h"

namespace {

using tz::testing::listDir;
using tz::testing::runProgram;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kCompiler = std::string(TZ_KIT_DIR) + "/Compile-Linux";

void writeProject(const TempDir& dir, const std::string& platform, const std::string& source) {
    writeFile(dir / "My Game/Game.tbp",
              "// Tesvo Zorid v1.1.0 Project File\r\nMain=Game\r\nRun=0\r\nName=Game\r\n"
              "Platform=" +
                  platform + "\r\nInc=true\r\n");
    writeFile(dir / "My Game/GameX.bss", source);
}

TEST(CompileProgram, RefusesWithExactLinesStatusOneAndNoFiles) {
    TempDir dir;
    TempDir elsewhere;
    auto result = runProgram(elsewhere.path(), {kCompiler});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output,
              compiler::res("Error_The_number_of") + "\n" + compiler::res("This_could_be_caused") + "\n" +
                  compiler::res("1You_have_installed") + "\n" + compiler::res("2You_have_not") + "\n");
    EXPECT_EQ(runProgram(elsewhere.path(), {kCompiler, "a", "b"}).status, 1);

    struct Row {
        const char* platform;
        const char* line;
    };
    for (const Row& row : {Row{"J2ME", "Cannot compile J2ME code, you need to use the build application"},
                           Row{"PPC", "Cannot compile PocketPC code, it is currently unsupported"},
                           Row{"PC", "Cannot compile PC code, it is currently unsupported"}}) {
        writeProject(dir, row.platform, "PRINT 1\n");
        result = runProgram(elsewhere.path(), {kCompiler, dir / "My Game/Game"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.output, std::string(row.line) + "\n");
    }

    writeProject(dir, "TB", "#IF WEB AND CE : PRINT 1\n");
    result = runProgram(elsewhere.path(), {kCompiler, dir / "My Game/Game"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "Error: #If statement incorrect at line 1\n");

    std::filesystem::remove(dir / "My Game/GameX.bss");
    result = runProgram(elsewhere.path(), {kCompiler, dir / "My Game/Game"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "Could not find source file " + dir / "My Game/GameX.bss\n");

    EXPECT_EQ(listDir(dir / "My Game"), std::vector<std::string>{"Game.tbp"});
    EXPECT_TRUE(listDir(elsewhere.path()).empty());
}

// A project file edited by hand in another editor: a byte-order mark, lone CRs, blank lines and a switch
// written "True" read as the kit's editor reads them.
TEST(CompileProgram, AHandEditedProjectFileReadsAsTheEditorReadsIt) {
    TempDir dir;
    writeFile(
        dir / "My Game/Game.tbp",
        "\xEF\xBB\xBF// Tesvo Zorid v1.1.0 Project File\r\rMain=Game\r\rRun=0\rName=Game\r\rPlatform=TB\r"
        "Floats=True\r3D=false\r");
    writeFile(dir / "My Game/GameX.bss", "PRINT \"a\"\n");
    auto result = runProgram(dir.path(), {kCompiler, dir / "My Game/Game"});
    EXPECT_EQ(result.status, 0) << result.output;
    const std::string descriptor = tz::testing::readFile(dir / "My Game/Game.tbx");
    EXPECT_NE(descriptor.find("\nFloats=true\n"), std::string::npos) << descriptor;
    EXPECT_NE(descriptor.find("\nCLDC=11\n"), std::string::npos) << descriptor;
    EXPECT_TRUE(std::filesystem::exists(dir / "My Game/Game.jad"));
}

TEST(CompileProgram, NeedsConfigBesideTheProgram) {
    TempDir kit;
    TempDir dir;
    std::filesystem::copy_file(kCompiler, kit / "Compile-Linux");
    std::filesystem::permissions(kit / "Compile-Linux", std::filesystem::perms::owner_all);
    writeProject(dir, "TB", "PRINT 1\n");
    auto result = runProgram(dir.path(), {kit / "Compile-Linux", dir / "My Game/Game"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output,
              kit.path() + "\nCould not find Config.cfg. Run the Editor to generate this file\n");
}

TEST(CompileProgram, UnknownStatementStopsWithItsNumber) {
    TempDir dir;
    writeProject(dir, "TB", "REM first\n\nFROBNICATE 1\n");
    auto result = runProgram(dir.path(), {kCompiler, dir / "My Game/Game"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find(compiler::res("Error_Syntax_or") + "FROBNICATE.\n"), std::string::npos);
    EXPECT_NE(result.output.find(compiler::res("Error_The_error") + " at line 3\n**\n" +
                                 compiler::res("Error_detected") + "\n"),
              std::string::npos)
        << result.output;
    EXPECT_EQ(listDir(dir / "My Game"), (std::vector<std::string>{"Game.tbp", "GameX.bss"}));
}

}  // namespace

namespace {

// A clean program of comments, blank lines and blocks goes from source to a preverified jar, whatever
// the project file says of "Inc" (the support classes always travel with the program).
TEST(CompileProgram, CleanProgramBecomesASuite) {
    for (const char* inc : {"true", "false"}) {
        TempDir dir;
        writeFile(dir / "Game/Game.tbp",
                  std::string("Main=Game\nRun=0\nName=Game\nPlatform=TB\nInc=") + inc + "\n");
        writeFile(dir / "Game/GameX.bss",
                  "REM a clean program\n\n' nothing but blocks\nREMSTART\nnot ( read\nREMEND\n"
                  "IF 1 = 1 THEN\nENDIF\nFOR I = 1 TO 2\nNEXT\nFUNCTION TWICE(N)\nENDFUNCTION N\n");
        auto result = runProgram(dir.path(), {kCompiler, dir / "Game/Game"});
        EXPECT_EQ(result.status, 0) << result.output;
        EXPECT_NE(result.output.find("Program compiled\n"), std::string::npos);
        auto files = listDir(dir / "Game");
        for (const char* made : {"Game.jar", "Game.jad"}) {
            EXPECT_NE(std::find(files.begin(), files.end(), made), files.end()) << made;
        }
        for (const char* removed : {"Game.java", "MANIFEST.MF", "CBuild.bat"}) {
            EXPECT_EQ(std::find(files.begin(), files.end(), removed), files.end()) << removed;
        }
    }
}

}  // namespace
