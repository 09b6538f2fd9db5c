#include "driver/child_process.h"

#include <signal.h>

#include <chrono>
#include <cstring>
#include <optional>

#include "guard/folder_lock.h"
#include "guard/stop.h"
#include "kit/process.h"

namespace compiler {
namespace {

// A child that has not ended this long after a stop was passed on to it cannot end by itself (a wait it
// never leaves): it is killed outright, and its starter ends and removes what it left.
constexpr auto kStopGrace = std::chrono::seconds(10);
constexpr int kWatchPeriodMs = 100;

}  // namespace

ChildResult runChild(const std::vector<std::string>& argv,
                     const std::function<void(const std::string&)>& onLine, int lockFd) {
    ChildResult result;
    if (argv.empty()) {
        result.error = "no program";
        return result;
    }
    kit::Command command;
    command.argv = argv;
    command.input = kit::Stream::Null;
    command.output = kit::Stream::Lines;
    command.onLine = onLine;
    // The lock's descriptor stays open across the start under a number of its own, which the child
    // learns from the variable (a child started without the lock must not take a stale number for it).
    const std::string variable = guard::kLockFdVariable;
    if (lockFd >= 0) {
        command.handOn = lockFd;
        command.handOnAs = lockFd == 3 ? 4 : 3;
        command.environment = {variable + "=" + std::to_string(command.handOnAs)};
    } else {
        command.environment = {variable};
    }

    // The tools of a child killed outright come to this process, which ends them once the child has ended.
    kit::adoptOrphans();
    kit::Child child;
    if (const int error = child.start(command)) {
        result.error = std::strerror(error);
        return result;
    }
    result.started = true;

    // A stop signal is passed on to the child, a caller that has gone ends it with SIGTERM; each once. A
    // child that does not end within the grace after that is killed.
    std::optional<std::chrono::steady_clock::time_point> stoppedAt;
    bool killed = false;
    kit::Child::Watch watch{{{guard::stopFd(), POLLIN, 0}, guard::callerWatch()},
                            kWatchPeriodMs,
                            [&](std::span<pollfd> fds, int) {
                                const auto now = std::chrono::steady_clock::now();
                                if (fds[0].revents != 0 && guard::stopSignal() != 0) {
                                    ::kill(child.pid(), guard::stopSignal());
                                    fds[0].fd = -1;
                                    stoppedAt = stoppedAt.value_or(now);
                                }
                                if (fds[1].revents & (POLLERR | POLLHUP)) {
                                    guard::noteCallerGone();
                                    ::kill(child.pid(), SIGTERM);
                                    fds[1].fd = -1;
                                    stoppedAt = stoppedAt.value_or(now);
                                }
                                if (stoppedAt && !killed && now - *stoppedAt > kStopGrace) {
                                    ::kill(child.pid(), SIGKILL);
                                    killed = true;
                                }
                                // What the killed child left may hold its output open: the relay ends
                                // with it.
                                return !killed;
                            }};
    child.relay(&watch);
    const kit::Exit exit = child.wait();
    kit::endOrphans();
    result.status = exit.status;
    result.signal = exit.signal;
    return result;
}

}  // namespace compiler
