#include "runner.h"

#include <csignal>
#include <cstring>

#include "guard/stop.h"
#include "kit/process.h"

namespace build {

std::string startFailure(const std::string& program, int error) {
    return "Cannot run program \"" + program + "\": " + std::strerror(error);
}

RunResult ProcessRunner::run(const std::vector<std::string>& argv, const std::string& workDir,
                             const LineSink& out) {
    RunResult result;
    if (argv.empty()) {
        result.error = "Cannot run program \"\": empty command";
        return result;
    }
    kit::Command command;
    command.argv = argv;
    command.searchPath = true;
    command.workDir = workDir;
    command.input = kit::Stream::Null;
    command.output = kit::Stream::Lines;
    command.errors = kit::Stream::Lines;
    command.onLine = out;
    command.ownGroup = true;
    command.defaultSignals = true;
    // The Java tools take their file names, the project folder's path among them, in the locale's
    // encoding: a UTF-8 one of their own, whatever the user's is (a script's or a container's "C").
    command.environment = {std::string(kToolLocale)};

    kit::Child child;
    int spawnError = 0;
    bool cancelled = false;
    // Nothing starts once the run is to stop.
    if (guard::stopRequested() || guard::checkCaller()) cancel();
    {
        // Held across the start so that a cancel() cannot slip between the start and `current_`.
        std::lock_guard lock(mutex_);
        cancelled = cancelled_;
        if (!cancelled) {
            spawnError = child.start(command);
            if (spawnError == 0) current_ = child.pid();
        }
    }
    if (cancelled) {
        result.cancelled = true;
        return result;
    }
    if (spawnError != 0) {
        result.error = startFailure(argv[0], spawnError);
        return result;
    }
    result.started = true;

    // The stop signals and the caller of the build: a stop ends the child as the watchdog does, and
    // cancel() from the watchdog is seen within the poll's period.
    kit::Child::Watch watch{
        {{guard::stopFd(), POLLIN, 0}, guard::callerWatch()}, 100, [this](std::span<pollfd> fds, int ready) {
            if (fds[1].revents & (POLLERR | POLLHUP)) guard::noteCallerGone();
            if (ready > 0 && guard::stopRequested()) cancel();
            std::lock_guard lock(mutex_);
            return !cancelled_;
        }};
    const bool whole = child.relay(&watch);
    const pid_t pid = child.pid();
    const kit::Exit exit = child.wait([&] {
        {
            std::lock_guard lock(mutex_);
            current_ = -1;
            cancelled = !whole || cancelled_;
        }
        // Whatever the tool left running in its group ends with it, before its number can be used again.
        kit::killGroup(pid);
    });
    result.cancelled = cancelled;
    result.exitStatus = exit.status;
    return result;
}

void ProcessRunner::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (current_ > 0) {
        ::kill(-current_, SIGKILL);
        ::kill(current_, SIGKILL);
    }
}

}  // namespace build
