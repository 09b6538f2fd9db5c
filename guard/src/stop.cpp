#include "guard/stop.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace guard {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t caughtSignal = 0;
int wakeRead = -1;
int wakeWrite = -1;
std::atomic<bool> callerHasGone{false};

void onStopSignal(int signal) {
    const int saved = errno;
    if (caughtSignal == 0) caughtSignal = signal;
    if (wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeWrite, &byte, 1);
    }
    errno = saved;
}

}  // namespace

void catchStopSignals() {
    if (wakeRead < 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
            wakeRead = fds[0];
            wakeWrite = fds[1];
        }
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls restart: the run checks for the stop where it polls and between its steps.
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals) ::sigaction(signal, &action, nullptr);
}

int stopSignal() {
    return caughtSignal;
}

int stopFd() {
    return wakeRead;
}

pollfd callerWatch() {
    struct stat info {};
    const bool watchable =
        ::fstat(STDOUT_FILENO, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
    return pollfd{watchable ? STDOUT_FILENO : -1, 0, 0};
}

bool checkCaller() {
    if (callerGone()) return true;
    pollfd watch = callerWatch();
    if (watch.fd < 0) return false;
    if (::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLERR | POLLHUP))) noteCallerGone();
    return callerGone();
}

void noteCallerGone() {
    callerHasGone = true;
}

bool callerGone() {
    return callerHasGone;
}

bool stopRequested() {
    return caughtSignal != 0 || callerHasGone;
}

std::string describeSignal(int signal) {
    const char* name = ::strsignal(signal);
    return std::to_string(signal) + " (" + (name ? name : "unknown signal") + ")";
}

void endBySignal(int signal) {
    std::cout.flush();
    std::fflush(nullptr);
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    ::sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    ::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace guard
