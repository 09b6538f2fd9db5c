#pragma once

#include <sys/types.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace build {

using LineSink = std::function<void(const std::string&)>;

struct RunResult {
    bool started = false;  // false: the program could not be started (see `error`)
    bool cancelled = false;
    int exitStatus = -1;  // the exit status, or -1 when the child ended by a signal
    std::string error;    // why the start failed

    bool ok() const { return started && !cancelled && exitStatus == 0; }
};

// How the build starts its tools: an argv list (never a shell string), the child's standard output and
// error stream relayed to `out` as whole lines, both streams drained before the result is returned.
// `workDir` empty means the child inherits the build program's working directory.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    virtual RunResult run(const std::vector<std::string>& argv, const std::string& workDir,
                          const LineSink& out) = 0;
    // Stops the running child with its process group; every later run() returns cancelled at once.
    // Called from another thread (the watchdog).
    virtual void cancel() = 0;
    // The rows of a build, announced before the first of them runs: a runner may get ready for them (start
    // what they share, while the build writes its files). Nothing by default.
    virtual void prepare(const std::vector<std::vector<std::string>>& rows) { (void)rows; }
    // The build is done with its rows: whatever the runner started for them has ended when this returns.
    virtual void finish() {}
};

// The locale every tool of the build runs in.
inline constexpr std::string_view kToolLocale = "LC_ALL=C.UTF-8";

// Starts real processes, each in a process group of its own so that cancel() reaches its children; what a
// tool leaves running in its group is ended when the tool ends. A stop signal or a caller that has gone
// (guard/stop.h) cancels the runner like cancel(). Each runs in the locale kToolLocale.
class ProcessRunner : public CommandRunner {
public:
    RunResult run(const std::vector<std::string>& argv, const std::string& workDir,
                  const LineSink& out) override;
    void cancel() override;

private:
    std::mutex mutex_;
    bool cancelled_ = false;
    pid_t current_ = -1;
};

// A description of a start failure in the form the build prints.
std::string startFailure(const std::string& program, int error);

}  // namespace build
