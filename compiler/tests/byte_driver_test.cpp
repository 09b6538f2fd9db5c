// Whole runs on a byte-token target: the driver, the statement translator and the data.tbd writer
// together, then the kit's own programs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "driver/context.h"
#include "driver/messages.h"
#include "expressions/net_file_write.h"
#include "run/compiler.h"
#include "statements/convertor.h"
#include "test_helpers.h"

namespace compiler {
namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::splitLines;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kData = std::string(TZ_TEST_DATA) + "/bytes/";

class ByteRun : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(kit / "Config.cfg", "/jdk/bin/\n/wtk/\n/kit/\n");
        writeFile(kit / "Build-Linux", "");
        writeFile(dir / "Game.tbp",
                  "// Tesvo Zorid v1.1.0 Project File\nMain=Game.bss\nRun=0\nName=Game\n"
                  "Platform=PPC\nInc=true\n");
    }

    // The Pocket PC target is open only with the debug option.
    int run(const std::string& source) {
        writeFile(dir / "GameX.bss", source);
        CompilerOptions options;
        options.installDir = kit.path() + "/";
        options.debug = true;
        options.makeTranslator = makeConvertor;
        options.runBuild = [this](const std::vector<std::string>&,
                                  const std::function<void(const std::string&)>&, int) {
            descriptor = readFile(dir / "Game.tbx");
            return ChildResult{true, 0, 0, ""};
        };
        out.str("");
        return runCompiler({dir / "Game"}, out, options);
    }

    std::vector<std::string> printed() const { return splitLines(out.str()); }
    bool printedLine(const std::string& line) const {
        for (const std::string& l : printed())
            if (l == line) return true;
        return false;
    }

    TempDir kit;
    TempDir dir;
    std::ostringstream out;
    std::string descriptor;
};

TEST_F(ByteRun, SmallProgramGivesTheExactFile) {
    ASSERT_EQ(run(readFile(kData + "GameX.bss")), 0) << out.str();
    EXPECT_EQ(readFile(dir / "data.tbd"), readFile(kData + "data.tbd"));
    EXPECT_NE(descriptor.find("\nPlatform=PPC\n"), std::string::npos) << descriptor;
}

TEST_F(ByteRun, CommentsAndLinesWithoutTokensAddNothing) {
    ASSERT_EQ(run("REM note\n' more\nREMSTART\nPRINT 1\nREMEND\n\nDIM X\n"), 0) << out.str();
    EXPECT_EQ(readFile(dir / "data.tbd"), "TBDIELFSFEFMFEFPFEFCFEFDFEtb");
}

TEST_F(ByteRun, AnErrorStopsTheRunAndKeepsTheFile) {
    EXPECT_EQ(run("DIM X\nPRINT \"a\"\nMEM.FLUSH\nX = 1\n"), 1);
    EXPECT_TRUE(printedLine(res("Error_No_byte_form") + "MEM.FLUSH at line 3")) << out.str();
    EXPECT_TRUE(printedLine(res("Error_detected")));
    // Complete as a file: the statements before the error, then the closing codes.
    EXPECT_EQ(readFile(dir / "data.tbd"), "TBDIELFSFEFMPRSS\"a\"SEEDELFEFPFEFCFEFDFEtb");
    EXPECT_FALSE(fs::exists(dir / "Game.tbx"));
}

TEST_F(ByteRun, WriteFailuresEndTheRunWithStatusOne) {
    // data.tbd cannot be made: a folder has its name.
    fs::create_directory(dir / "data.tbd");
    EXPECT_EQ(run("DIM X\n"), 1);
    EXPECT_TRUE(printedLine(res("Error_Cannot_write"))) << out.str();
    fs::remove(dir / "data.tbd");

    // The disk refuses the bytes: the run must not report success.
    writeFile(dir / "GameX.bss", "DIM X\nPRINT \"a\"\n");
    pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit rl{8, 8};
        setrlimit(RLIMIT_FSIZE, &rl);
        int status = run("DIM X\nPRINT \"a\"\n");
        _exit(status == 1 && printedLine(res("Error_Cannot_write")) && printedLine(res("Error_detected"))
                  ? 0
                  : 2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A statement that gives Java text on a byte-token target has no byte form: refused, never dropped.
TEST(ByteLoop, JavaTextIsRefusedByName) {
    struct JavaOnly : StatementTranslator {
        std::string GetJava(std::vector<std::string>&, int) override { return "x = 1"; }
    } translator;
    std::ostringstream out;
    Context ctx(out, false);
    ctx.project.platform = "PPC";
    NetFileWrite writer(ctx);
    try {
        translateStatements(ctx, {"Y = 1"}, writer, translator);
        FAIL() << "no CompileException";
    } catch (const CompileException& e) {
        EXPECT_EQ(e.problems(), std::vector<std::string>{res("Error_No_byte_form") + "Y"});
    }
    EXPECT_EQ(writer.written(), "");
}

// The kit's Compile-Linux and Build-Linux on a Pocket PC project: the PC road copies the runtime stand-in
// beside the game and starts it, and the stand-in accepts the file.
TEST(ByteKit, PocketPCProjectRunsThroughCompileAndBuild) {
    TempDir dir;
    writeFile(dir / "My Game/Game.tbp",
              "// Tesvo Zorid v1.1.0 Project File\r\nMain=Game.bss\r\nRun=1\r\n"
              "Name=Game\r\nPlatform=PPC\r\nInc=true\r\n");
    writeFile(dir / "My Game/GameX.bss", readFile(kData + "GameX.bss"));
    const std::string compiler = std::string(TZ_KIT_DIR) + "/Compile-Linux";
    auto result = runProgram(dir.path(), {compiler, dir / "My Game/Game"}, {"TZ_DEBUG=1"});
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readFile(dir / "My Game/data.tbd"), readFile(kData + "data.tbd"));
    EXPECT_TRUE(fs::exists(dir / "My Game/Game.exe"));
    EXPECT_NE(result.output.find("Byte-token program found: " + dir / "My Game/data.tbd"), std::string::npos)
        << result.output;
    EXPECT_NE(readFile(dir / "My Game/Game.tbx").find("\nPlatform=PPC\n"), std::string::npos);
}

}  // namespace
}  // namespace compiler
