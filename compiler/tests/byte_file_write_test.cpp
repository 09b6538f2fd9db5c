// The data.tbd writer: framing, the codes it adds on its own, and failures that end the run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "expressions/net_file_write.h"
#include "test_helpers.h"

namespace compiler {
namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::TempDir;

struct ByteRunContext {
    ByteRunContext() : ctx(out, false) {
        ctx.project.platform = "PPC";
        ctx.library.instantiate();
    }
    std::ostringstream out;
    Context ctx;
};

TEST(NetFileWrite, WritesInCallOrderWithItsOwnCodes) {
    ByteRunContext run;
    run.ctx.library.addForVariable("I");
    run.ctx.library.addForVariable("J");
    NetFileWrite writer(run.ctx);
    writer.WriteHeader();
    writer.writeByte("DI");
    writer.WriteLn();
    writer.WriteStart();
    writer.WriteMain();
    writer.writeString("a b");
    writer.writeNumber(-12);
    writer.writeOP("++");
    writer.WriteCanvasPaint();
    writer.Write("NAME");
    writer.WritePause();
    writer.WriteCommandAction();
    writer.WriteDestroy();
    writer.WriteEnd();
    writer.Close();
    // Counters carry no names: one "DI" "EL" each before the main function's head.
    EXPECT_EQ(writer.written(), "TBDIDIELDIELFSFEFMSSa bSENS-12NE++APNAMEFPFCFDFEFPFEFCFEFDFEtb");
}

TEST(NetFileWrite, EndWritesOnlyWhatTheProgramLeftOut) {
    ByteRunContext run;
    NetFileWrite writer(run.ctx);
    // A program of declarations only still gets its main function.
    writer.WriteEnd();
    EXPECT_EQ(writer.written(), "FSFEFMFEFPFEFCFEFDFE");

    ByteRunContext full;
    full.ctx.library.endFound = true;
    full.ctx.library.setPauseFunc();
    full.ctx.library.setCommandFunc();
    full.ctx.library.setEndFunc();
    NetFileWrite all(full.ctx);
    all.WriteStart();
    all.WriteMain();
    all.WriteEnd();
    all.Close();
    EXPECT_EQ(all.written(), "FSFEFMtb");
}

TEST(NetFileWrite, OperatorCodesAreTwoCharacters) {
    for (const char* code : {"P", "PRX", ""}) {
        ByteRunContext run;
        NetFileWrite writer(run.ctx);
        try {
            writer.writeOP(code);
            ADD_FAILURE() << "no InternalFailure for \"" << code << "\"";
        } catch (const InternalFailure& failure) {
            EXPECT_EQ(failure.lines(), std::vector<std::string>{res("Error_Internal_byte")});
        }
        EXPECT_EQ(writer.written(), "");
    }
}

TEST(NetFileWrite, WritesTheFileAndReportsOneItCannotCreate) {
    TempDir dir;
    ByteRunContext run;
    const std::string path = dir / "data.tbd";
    {
        NetFileWrite writer(run.ctx, path);
        writer.WriteHeader();
        writer.writeByte(std::string(70000, 'X'));  // past one buffer
        writer.Close();
    }
    EXPECT_EQ(readFile(path), "TB" + std::string(70000, 'X') + "tb");

    std::ofstream(dir / "plain") << "x";
    const std::string blocked = dir / "plain/data.tbd";
    try {
        NetFileWrite writer(run.ctx, blocked);
        FAIL() << "no InternalFailure";
    } catch (const InternalFailure& failure) {
        EXPECT_EQ(failure.lines(),
                  (std::vector<std::string>{res("Error_Cannot_write"),
                                            "Error: Cannot create file " + blocked + ": Not a directory"}));
    }
}

// Runs `body` in a child whose files may not grow past `limit` bytes (SIGXFSZ ignored, so a write fails
// with EFBIG instead of killing the child). The child exits 0 when `body` returns true.
bool inChildWithFileLimit(rlim_t limit, const std::function<bool()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(NetFileWrite, LostWriteAbortsTheRun) {
    TempDir dir;
    const std::string path = dir / "data.tbd";
    const std::vector<std::string> expected = {res("Error_Cannot_write"),
                                               "Error: Cannot write file " + path + ": File too large"};
    // Everything sits in the buffer until Close, which must not report success.
    EXPECT_TRUE(inChildWithFileLimit(10, [&] {
        ByteRunContext run;
        NetFileWrite writer(run.ctx, path);
        writer.WriteHeader();
        writer.writeString("more than ten bytes");
        try {
            writer.Close();
        } catch (const InternalFailure& failure) {
            return failure.lines() == expected;
        }
        return false;
    }));
    // A large program fails while it is written; the dead writer then stays quiet.
    EXPECT_TRUE(inChildWithFileLimit(100000, [&] {
        ByteRunContext run;
        NetFileWrite writer(run.ctx, path);
        bool raised = false;
        for (int i = 0; i < 100000 && !raised; ++i) {
            try {
                writer.writeByte("PRSSaSEEDEL");
            } catch (const InternalFailure& failure) {
                raised = failure.lines() == expected;
            }
        }
        writer.WriteEnd();
        writer.Close();
        return raised;
    }));
}

}  // namespace
}  // namespace compiler
