#include "guard/stop.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

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

struct ProcessState {
    pid_t pid = 0;
    char state = 0;  // 'Z' for a zombie
    pid_t parent = 0;
    pid_t group = 0;
};

// Calls `visit` with the state of every process.
template <typename Visit>
void forEachProcess(Visit visit) {
    DIR* processes = ::opendir("/proc");
    if (!processes) return;
    while (const dirent* entry = ::readdir(processes)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
        const std::string path = std::string("/proc/") + entry->d_name + "/stat";
        FILE* file = std::fopen(path.c_str(), "r");
        if (!file) continue;
        char stat[512];
        const std::size_t size = std::fread(stat, 1, sizeof stat - 1, file);
        std::fclose(file);
        stat[size] = '\0';
        // "pid (name) state ppid pgrp ...": the name may hold anything, so the fields follow its last ')'.
        const char* fields = std::strrchr(stat, ')');
        ProcessState process;
        int parent = 0, group = 0;
        if (!fields || std::sscanf(fields + 1, " %c %d %d", &process.state, &parent, &group) != 3) continue;
        process.pid = static_cast<pid_t>(std::atol(entry->d_name));
        process.parent = parent;
        process.group = group;
        visit(process);
    }
    ::closedir(processes);
}

bool groupRunning(pid_t group) {
    bool found = false;
    forEachProcess([&](const ProcessState& process) {
        found = found || (process.group == group && process.state != 'Z' && process.state != 'X');
    });
    return found;
}

// The processes whose parent is `parent`, zombies included (their parent reaps them).
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    forEachProcess([&](const ProcessState& process) {
        if (process.parent == parent) children.push_back(process.pid);
    });
    return children;
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

void killGroup(pid_t group) {
    if (group <= 1) return;
    ::kill(-group, SIGKILL);
    // A killed process writes no more once it has died; the check counts zombies as gone.
    for (int round = 0; round < 1000 && groupRunning(group); ++round) {
        ::kill(-group, SIGKILL);
        ::usleep(2000);
    }
}

}  // namespace guard

namespace guard {

void adoptOrphans() {
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
}

void endOrphans() {
    const pid_t self = ::getpid();
    const pid_t ownGroup = ::getpgrp();
    // Each round reaps what it killed; the orphans of those come to this process for the next.
    for (int round = 0; round < 100; ++round) {
        const std::vector<pid_t> children = childrenOf(self);
        if (children.empty()) return;
        for (pid_t child : children) {
            const pid_t group = ::getpgid(child);
            if (group > 1 && group != ownGroup) ::kill(-group, SIGKILL);
            ::kill(child, SIGKILL);
        }
        for (pid_t child : children) {
            while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    }
}

}  // namespace guard
