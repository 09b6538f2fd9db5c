#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "standin_tools.h"
#include "test_helpers.h"

// A kit folder of its own around copies of the real Compile-Linux and Build-Linux, whose Java tools are
// shell stand-ins (testing/standin_tools.h) that each test can make fail, hang or wait, and a project
// folder beside it. Every tool notes its process id, and the id of every process it leaves running, in a
// file, so that a test can check that none of them outlives the run.
namespace guard::testing {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using tz::testing::processGone;
using tz::testing::readFile;
using tz::testing::shellQuote;
using tz::testing::splitLines;
using tz::testing::writeFile;

// Polls `done` until it holds, for at most a minute (a loaded machine is slow, a fault never ends).
inline bool waitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 6000; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// The parent of a process, or 0.
inline pid_t parentOf(pid_t pid) {
    std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    char state = 0;
    int parent = 0;
    return std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) == 2 ? parent : 0;
}

// Every file and folder under `root`, relative to it, sorted; links are listed, not followed.
inline Lines tree(const fs::path& root) {
    Lines names;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
        names.push_back(it->path().lexically_relative(root).string());
    std::sort(names.begin(), names.end());
    return names;
}

// Moves into `folder` one name at a time, so that a folder whose path is longer than a path the system
// takes whole can be reached.
inline bool enterFolder(const fs::path& folder) {
    if (folder.is_absolute() && ::chdir("/") != 0) return false;
    for (const auto& part : folder.relative_path())
        if (!part.empty() && ::chdir(part.c_str()) != 0) return false;
    return true;
}

// A program started in a process group of its own, its output (both streams) in a file, or in a pipe
// whose reading end the test holds (`throughPipe`) and may close; in the working folder `workDir` when
// one is given.
class Started {
public:
    Started(const Lines& argv, const fs::path& outputFile, const Lines& environment = {},
            bool throughPipe = false, const fs::path& workDir = {})
        : output_(outputFile) {
        int fds[2] = {-1, -1};
        if (throughPipe && ::pipe(fds) != 0) ADD_FAILURE() << "no pipe";
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            for (const auto& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
            int out = throughPipe ? fds[1] : ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (!workDir.empty() && !enterFolder(workDir)) ::_exit(126);
            if (throughPipe) ::close(fds[0]);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
            std::vector<char*> args;
            for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::setpgid(pid_, pid_);
        if (throughPipe) {
            ::close(fds[1]);
            reader_ = fds[0];
        }
    }
    ~Started() {
        if (!ended_) {
            ::kill(-pid_, SIGKILL);
            finish();
        }
        closeOutput();
    }

    // The reader of the program's output goes away.
    void closeOutput() {
        if (reader_ >= 0) ::close(reader_);
        reader_ = -1;
    }

    pid_t pid() const { return pid_; }
    Lines output() const { return splitLines(readFile(output_)); }
    bool printed(const std::string& line) const {
        Lines lines = output();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // Waits for the end (a program still running after a minute is killed: a fault, never a hang of the
    // test); the wait status.
    int finish() {
        if (ended_) return status_;
        bool ended = waitUntil([&] { return ::waitpid(pid_, &status_, WNOHANG) == pid_; });
        if (!ended) {
            ADD_FAILURE() << "still running after a minute; killed";
            ::kill(-pid_, SIGKILL);
            ::waitpid(pid_, &status_, 0);
        }
        ended_ = true;
        return status_;
    }
    // The exit status, or -signal when a signal ended the program.
    int result() {
        int status = finish();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

private:
    fs::path output_;
    int reader_ = -1;
    pid_t pid_ = -1;
    int status_ = 0;
    bool ended_ = false;
};

class KitFixture : public ::testing::Test {
protected:
    static constexpr const char* kMark = "TZ_TEST_RUN";

    void SetUp() override {
        root = fs::temp_directory_path() / ("tz-guard-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        // What the test notes and the programs print lies beside the folders the programs work in.
        logs = fs::path(root.string() + "-logs");
        fs::remove_all(logs);
        fs::create_directories(logs);
        kit = root / "tool kit";
        project = root / "my project";
        pids = logs / "pids";
        // Every process this test starts inherits the mark, so that a noted id can be told from the same id
        // taken again by another test's process once ours has gone (ids come round fast on a busy machine).
        ::setenv(kMark, root.c_str(), 1);
        fs::create_directories(project);
        fs::create_directories(kit / "Include");
        fs::copy_file(TZ_COMPILE_PROGRAM, kit / "Compile-Linux");
        fs::copy_file(TZ_BUILD_PROGRAM, kit / "Build-Linux");
        tz::testing::writeKitConfig(kit);
        writeFile(kit / "Include/Include.inc", "support class");
        tz::testing::layOutToolkitLibraries(kit / "wtk");
        tool("jdk/bin/javac", tz::testing::kJavacStandIn);
        tool("wtk/bin/preverify", tz::testing::kPreverifyStandIn);
        tool("jdk/bin/jar", tz::testing::kJarStandIn);
    }
    void TearDown() override {
        for (pid_t pid : toolPids())
            if (ours(pid)) ::kill(pid, SIGKILL);
        ::unsetenv(kMark);
        std::error_code ignored;
        fs::remove_all(root, ignored);
        fs::remove_all(logs, ignored);
    }

    // A tool of the kit: notes its id, then runs `body`.
    void tool(const std::string& relative, const std::string& body) {
        fs::path file = kit / relative;
        writeFile(file, "#!/bin/sh\necho $$ >> " + shellQuote(pids.string()) + "\n" + body + "\n");
        fs::permissions(file, fs::perms::owner_all);
    }
    // A body that leaves a process running for minutes (noted), says so in the file `hanging` and waits for
    // it: a tool that never ends.
    std::string hangs() const {
        return "sleep 300 & echo $! >> " + shellQuote(pids.string()) + "\ntouch " +
               shellQuote(hanging().string()) + "\nwait\n";
    }
    fs::path hanging() const { return logs / "hanging"; }
    // A body that waits until the file `gate` exists.
    static std::string waitsFor(const fs::path& gate) {
        return "while [ ! -e " + shellQuote(gate.string()) + " ]; do sleep 0.05; done\n";
    }

    std::vector<pid_t> toolPids() const {
        std::vector<pid_t> ids;
        for (const auto& line : splitLines(readFile(pids))) ids.push_back(std::stoi(line));
        return ids;
    }
    // The number of tool processes noted so far.
    size_t toolsStarted() const { return toolPids().size(); }
    // True while `pid` is a live process this test started (a zombie has no environment left to read).
    bool ours(pid_t pid) const {
        if (pid == ::getpid()) return false;
        const std::string environment = readFile("/proc/" + std::to_string(pid) + "/environ");
        const std::string entry = std::string(kMark) + "=" + root.string();
        return environment.compare(0, entry.size() + 1, entry + '\0') == 0 ||
               environment.find('\0' + entry + '\0') != std::string::npos;
    }
    bool gone(pid_t pid) const { return processGone(pid) || !ours(pid); }
    void expectNoToolRunning(const std::string& what) const {
        for (pid_t pid : toolPids())
            EXPECT_TRUE(waitUntil([&] { return gone(pid); })) << what << ": process " << pid << " lives on";
    }

    // The project file and the execution copy of project `name`.
    void writeProject(const std::string& source, const std::string& platform = "TB",
                      const std::string& name = "Game", const std::string& extra = "") {
        tz::testing::writeProject(project, source, platform, name, extra);
    }
    // What an earlier, successful phone build left.
    void earlierPhoneSuite(const std::string& name = "Game") {
        writeFile(project / (name + ".jar"), "PK earlier");
        writeFile(project / (name + ".jad"), "MIDlet-Name: earlier\n");
        writeFile(project / (name + ".tbx"), "Name=" + name + "\n");
        writeFile(project / "RunGame.bat", "earlier\n");
        writeFile(project / "tmpclasses/Game/Game.class", "earlier");
        writeFile(project / "classes/Game/Game.class", "earlier");
    }
    // What an earlier, successful applet build left.
    void earlierApplet(const std::string& name = "Game") {
        writeFile(project / ("Game/" + name + ".class"), "earlier");
        writeFile(project / ("Game/" + name + "$1.class"), "earlier");
        writeFile(project / (name + ".html"), "<HTML>\n");
    }

    Lines compileArgv(const std::string& name = "Game") const {
        return {(kit / "Compile-Linux").string(), (project / name).string()};
    }
    fs::path outputFile(const std::string& tag) const { return logs / ("output-" + tag); }

    // Runs Compile-Linux to its end; returns the exit status (or -signal) and keeps its lines.
    int compile(const Lines& environment = {}, const std::string& name = "Game") {
        return compileWith(compileArgv(name), environment);
    }
    int compileWith(const Lines& argv, const Lines& environment = {}, const fs::path& workDir = {}) {
        Started run(argv, outputFile("compile"), environment, false, workDir);
        int status = run.result();
        output = run.output();
        return status;
    }
    int build(const std::string& name = "Game", const Lines& environment = {}) {
        Started run({(kit / "Build-Linux").string(), (project / name).string()}, outputFile("build"),
                    environment);
        int status = run.result();
        output = run.output();
        return status;
    }
    bool printed(const std::string& line) const {
        return std::find(output.begin(), output.end(), line) != output.end();
    }
    std::string joined() const {
        std::string text;
        for (const auto& line : output) text += line + "\n";
        return text;
    }

    fs::path root, logs, kit, project, pids;
    Lines output;
};

}  // namespace guard::testing
