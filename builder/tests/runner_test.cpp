#include "runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <thread>

#include "test_support.h"
#include "tool_host.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

struct Collected {
    Lines lines;
    LineSink sink() {
        return [this](const std::string& line) { lines.push_back(line); };
    }
};

TEST(ProcessRunner, RelaysBothStreamsAsWholeLines) {
    ProcessRunner runner;
    Collected out;
    auto result =
        runner.run({"/bin/sh", "-c", "printf 'one\\r\\ntwo\\n'; printf 'oops\\n' >&2; printf 'last'; exit 3"},
                   {}, out.sink());
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_FALSE(result.ok());
    std::multiset<std::string> lines(out.lines.begin(), out.lines.end());
    EXPECT_EQ(lines, (std::multiset<std::string>{"one", "two", "oops", "last"}));
}

TEST(ProcessRunner, ArgumentsReachTheChildUnsplit) {
    testing::TempDir temp;
    fs::create_directories(temp.folder() / "a b");
    ProcessRunner runner;
    Collected out;
    auto result = runner.run({"sh", "-c", "printf '%s|' \"$@\"; pwd", "sh", "x y", "$HOME", "'"},
                             (temp.folder() / "a b").string(), out.sink());
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(out.lines, Lines{"x y|$HOME|'|" + (temp.folder() / "a b").string()});
}

TEST(ProcessRunner, MissingProgramIsNotStarted) {
    ProcessRunner runner;
    auto result = runner.run({"/no/such/javac", "-d"}, {}, nullptr);
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.error, "Cannot run program \"/no/such/javac\": No such file or directory");
}

pid_t waitForPid(const fs::path& file) {
    for (int i = 0; i < 500; ++i) {
        std::string text = testing::readFile(file);
        if (!text.empty() && text.back() == '\n') return std::stoi(text);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

TEST(ProcessRunner, CancelStopsTheChildAndItsGroup) {
    testing::TempDir temp;
    fs::path pidFile = temp.folder() / "sleep.pid";
    ProcessRunner runner;
    std::thread canceller([&] {
        waitForPid(pidFile);
        runner.cancel();
    });
    auto result =
        runner.run({"/bin/sh", "-c", "sleep 300 & echo $! > \"$0\"; wait", pidFile.string()}, {}, nullptr);
    canceller.join();
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.ok());
    pid_t sleeper = waitForPid(pidFile);
    ASSERT_GT(sleeper, 0);
    EXPECT_TRUE(testing::processEnds(sleeper));
    EXPECT_TRUE(runner.run({"/bin/true"}, {}, nullptr).cancelled);  // nothing starts after a cancel
}

// The host's replies cut at every byte say the same; what is no reply stops the reader.
TEST(ToolHost, RepliesReadTheSameHoweverTheBytesArrive) {
    const std::string replies = std::string("r") + "o" + std::string("\0\0\0\x06", 4) + "one\ntw" + "e" +
                                std::string("\0\0\0\x04", 4) + "err\n" + "o" + std::string("\0\0\0\x02", 4) +
                                "o\n" + "x" + std::string("\0\0\x01\x00", 4);
    const Lines expected{"ready", "o:one\ntw", "e:err\n", "o:o\n", "ended 256"};
    for (size_t cut = 0; cut <= replies.size(); ++cut) {
        Lines heard;
        ReplyReader reader({[&] { heard.push_back("ready"); },
                            [&](char stream, std::string_view bytes) {
                                if (!heard.empty() && heard.back()[0] == stream)
                                    heard.back() += bytes;
                                else
                                    heard.push_back(std::string(1, stream) + ":" + std::string(bytes));
                            },
                            [&](int status) { heard.push_back("ended " + std::to_string(status)); }});
        EXPECT_TRUE(reader.feed(replies.substr(0, cut)));
        EXPECT_TRUE(reader.feed(replies.substr(cut)));
        EXPECT_EQ(heard, expected) << "cut at " << cut;
    }
    ReplyReader reader({});
    EXPECT_FALSE(reader.feed("rq"));
    EXPECT_FALSE(reader.feed("r"));
    EXPECT_EQ(encodeRow({"javac", "", "a b"}), std::string("\0\0\0\x03\0\0\0\x05javac\0\0\0\0\0\0\0\x03"
                                                           "a b",
                                                           24));
}

// Only the kit's own javac and preverify carry the mark that sends their rows to the host; a file that is
// no program (a FIFO no one writes, a folder) is read without waiting and is no tool of the host's.
TEST(ToolHost, TheKitsJavacAndPreverifyAreTheHostsTools) {
    testing::TempDir temp;
    const fs::path kit = TZ_KIT_DIR;
    EXPECT_EQ(hostedTool((kit / "jdk/bin/javac").string()), "javac");
    EXPECT_EQ(hostedTool((kit / "wtk/bin/preverify").string()), "preverify");
    EXPECT_EQ(hostedTool((kit / "jdk/bin/jar").string()), "");
    EXPECT_EQ(hostedTool((kit / "Build-Linux").string()), "");
    struct Row {
        std::string name, text, tool;
    };
    const Row rows[] = {
        {"javac", std::string("#!/bin/sh\nexit\n# tz-tool-host-row:javac") + '\0', "javac"},
        {"javac", "#!/bin/sh\n# tz-tool-host-row:javac", ""},  // the mark ends with its NUL
        {"javac", std::string("tz-tool-host-row:preverify") + '\0', ""},
        {"jar", std::string("tz-tool-host-row:jar") + '\0', ""},
        {"preverify.sh", std::string("tz-tool-host-row:preverify") + '\0', ""},
        {"preverify", "#!/bin/sh\necho preverify\n", ""},
    };
    for (const auto& row : rows) {
        const fs::path tool = temp.folder() / row.name;
        testing::writeFile(tool, row.text);
        EXPECT_EQ(hostedTool(tool.string()), row.tool) << row.name << ": " << row.text;
        fs::remove(tool);
    }
    ASSERT_EQ(::mkfifo((temp.folder() / "javac").c_str(), 0600), 0);
    EXPECT_EQ(hostedTool((temp.folder() / "javac").string()), "");
    fs::remove(temp.folder() / "javac");
    fs::create_directories(temp.folder() / "preverify");
    EXPECT_EQ(hostedTool((temp.folder() / "preverify").string()), "");
    EXPECT_EQ(hostedTool((temp.folder() / "absent/javac").string()), "");
}

// The real program with a javac that never ends: the watchdog stops it, prints its two lines and the
// program ends with status 1, leaving no process behind.
TEST(BuildProgram, WatchdogStopsAHungCompiler) {
    testing::TempDir temp;
    fs::path kit = temp.folder() / "kit";
    fs::path project = temp.folder() / "hung project";
    fs::create_directories(kit / "jdk/bin");
    fs::copy_file(TZ_BUILD_PROGRAM, kit / "Build-Linux");
    testing::writeFile(kit / "Config.cfg",
                       kit.string() + "/jdk/bin/\n" + kit.string() + "/wtk/\n" + kit.string() + "/\n");
    tz::testing::layOutToolkitLibraries(kit / "wtk");
    testing::writeFile(kit / "jdk/bin/javac", "#!/bin/sh\necho $$ > '" + temp.path() +
                                                  "/javac.pid'\nsleep 300 &\necho $! > '" + temp.path() +
                                                  "/sleep.pid'\nwait\n");
    fs::permissions(kit / "jdk/bin/javac", fs::perms::owner_all);
    testing::writeFile(project / "Space.java", "class Space {}\n");
    testing::writeFile(project / "Space.tbx", "Run=0\nName=Space\nPlatform=J2ME\nInc=false\nCLDC=10\n");

    ::setenv("TZ_BUILD_TIMEOUT_MS", "300", 1);
    ProcessRunner runner;
    Collected out;
    auto result = runner.run({(kit / "Build-Linux").string(), (project / "Space").string()}, {}, out.sink());
    ::unsetenv("TZ_BUILD_TIMEOUT_MS");

    EXPECT_EQ(result.exitStatus, 1);
    ASSERT_GE(out.lines.size(), 3u);
    EXPECT_EQ(
        Lines(out.lines.end() - 3, out.lines.end()),
        (Lines{"The compilation has timed out; this is usually caused by a problem with the Tesvo Zorid "
               "Compiler.",
               "Please contact support@tesvozorid.example along with your source code.",
               "The step that timed out: javac"}));
    for (const char* file : {"javac.pid", "sleep.pid"}) {
        pid_t pid = waitForPid(temp.folder() / file);
        ASSERT_GT(pid, 0) << file;
        EXPECT_TRUE(testing::processEnds(pid)) << file;
    }
    EXPECT_FALSE(fs::exists(project / "Space.jad"));
}

}  // namespace
}  // namespace build
