#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/process.h"
#include "runner.h"

namespace build {

// The kit's tool host: one JVM in which the Java rows of a phone build (every javac row and the preverify
// row, when their program is the kit's own) run one after the other, instead of one JVM a row. The host is
// the kit's program jdk/bin/tool-host (standins/tools/tool_host.cpp, host/ToolHost.java); a row there keeps
// its arguments, its output and its status, and runs in the working folder and locale the tools get.

// The tool a program is to the host: the kit's javac and preverify carry the mark "tz-tool-host-row:"
// followed by their name and a NUL (standins/tools/javac.cpp, preverify.cpp). "" for any other program (a
// real SDK's, a toolkit's, a script in the kit's place) and for one that cannot be read.
std::string hostedTool(const std::string& program);

// The host's protocol (host/ToolHost.java): a row is the number of its words, then each word's length and
// bytes, the tool's name first; numbers are 4 bytes, high byte first.
std::string encodeRow(const std::vector<std::string>& words);

// Cuts the host's replies into what they say: 'r' (ready), 'o' or 'e' with a length and bytes (what the
// row wrote on its standard output or error stream), 'x' with a status (the row has ended).
class ReplyReader {
public:
    struct Handlers {
        std::function<void()> ready;
        std::function<void(char stream, std::string_view bytes)> output;
        std::function<void(int status)> ended;
    };
    explicit ReplyReader(Handlers handlers) : handlers_(std::move(handlers)) {}
    // False once the bytes hold something that is no reply.
    bool feed(std::string_view bytes);

private:
    Handlers handlers_;
    std::string pending_;
    bool broken_ = false;
};

// One host process of a build: started in the build's working folder, in a process group of its own with
// the tools' locale, its rows sent over a socket that is its standard input. Whatever it prints itself (its
// JVM's word) is passed on with the row that runs. The host ends when the socket closes, so it never
// outlives the build even when the build is killed outright.
class ToolHost {
public:
    explicit ToolHost(std::string program) : program_(std::move(program)) {}
    ~ToolHost() { end(); }
    ToolHost(const ToolHost&) = delete;
    ToolHost& operator=(const ToolHost&) = delete;

    // Starts the host unless it runs; false when it cannot be started.
    bool start();
    // Runs one row (the tool's name, then its arguments), its lines to `out`. Nothing when the host never
    // got ready (it could not start its JVM): the row has not run. A host that ends or is cancelled during a
    // row fails the row.
    std::optional<RunResult> run(const std::vector<std::string>& row, const LineSink& out);
    // Kills the host and its group; every later row fails as cancelled. Called from another thread (the
    // watchdog).
    void cancel();
    // Kills the host and its group without waiting for them to end.
    void kill();
    // Ends the host and its group, and reaps it.
    void end() { reap(); }

private:
    enum class State { Idle, Started, Ready, Gone };
    bool cancelled();
    // Kills the host and its group, closes the socket and reaps the host.
    void reap();

    std::string program_;
    std::mutex mutex_;  // guards pid_ and cancelled_ against cancel()
    pid_t pid_ = -1;
    bool cancelled_ = false;
    State state_ = State::Idle;
    bool wasReady_ = false;
    int socket_ = -1;
    kit::Child child_;
    kit::Exit lastExit_;  // how the host ended, once reaped
    // Lines the host printed before it was ready: passed on with the first row, dropped when it never is.
    std::vector<std::string> early_;
    LineSink sink_;
};

// The runner of a build with a tool host: the rows the build announces (prepare) whose program is the kit's
// javac or preverify run in the host, started as soon as they are announced so that its JVM starts while
// the build writes its files; the host ends after the last of them. Every other row, and every row when
// the host cannot start, runs through `processes` as its own process.
class HostedRunner : public CommandRunner {
public:
    HostedRunner(CommandRunner& processes, std::string hostProgram)
        : processes_(processes), host_(std::move(hostProgram)) {}

    void prepare(const std::vector<std::vector<std::string>>& rows) override;
    RunResult run(const std::vector<std::string>& argv, const std::string& workDir,
                  const LineSink& out) override;
    void cancel() override;
    void finish() override;

private:
    std::string toolOf(const std::string& program);

    CommandRunner& processes_;
    ToolHost host_;
    std::map<std::string, std::string> tools_;  // program -> hostedTool(program)
    std::vector<std::vector<std::string>> hostRows_;
    bool hostFailed_ = false;
};

}  // namespace build
