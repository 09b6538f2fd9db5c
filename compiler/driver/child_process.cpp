#include "driver/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "guard/folder_lock.h"
#include "guard/stop.h"

extern char** environ;

namespace compiler {
namespace {

// This process's environment, with the lock's descriptor number for the child when it has one.
std::vector<std::string> childEnvironment(int lockFd) {
    const std::string variable = std::string(guard::kLockFdVariable) + "=";
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, variable.c_str(), variable.size()) != 0) entries.emplace_back(*entry);
    }
    if (lockFd >= 0) entries.push_back(variable + std::to_string(lockFd));
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& words) {
    std::vector<char*> result;
    for (auto& word : words) result.push_back(word.data());
    result.push_back(nullptr);
    return result;
}

}  // namespace

ChildResult runChild(const std::vector<std::string>& argv,
                     const std::function<void(const std::string&)>& onLine, int lockFd) {
    ChildResult result;
    if (argv.empty()) {
        result.error = "no program";
        return result;
    }
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // The lock's descriptor stays open across the start under a number of its own (a dup2 onto another
    // number clears close-on-exec; the pipe's ends are closed at the start in any case).
    const int handedFd = lockFd < 0 ? -1 : lockFd == 3 ? 4 : 3;
    if (lockFd >= 0) posix_spawn_file_actions_adddup2(&actions, lockFd, handedFd);

    std::vector<std::string> args(argv);
    std::vector<std::string> environment = childEnvironment(handedFd);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(environment);

    // The tools of a child killed outright come to this process, which ends them once the child has ended.
    guard::adoptOrphans();
    pid_t pid = 0;
    int rc = ::posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        result.error = std::strerror(rc);
        return result;
    }
    result.started = true;

    std::string pending;
    char buffer[8192];
    // The child's output, the stop signals and the caller; each of the last two is passed on once.
    pollfd polls[3] = {{pipeFds[0], POLLIN, 0}, {guard::stopFd(), POLLIN, 0}, guard::callerWatch()};
    while (true) {
        if (::poll(polls, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (polls[1].revents != 0 && guard::stopSignal() != 0) {
            ::kill(pid, guard::stopSignal());
            polls[1].fd = -1;
        }
        if (polls[2].revents & (POLLERR | POLLHUP)) {
            guard::noteCallerGone();
            ::kill(pid, SIGTERM);
            polls[2].fd = -1;
        }
        if (polls[0].revents == 0) continue;
        ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending.append(buffer, static_cast<std::size_t>(n));
        std::size_t start = 0;
        for (std::size_t nl; (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1) {
            std::size_t end = nl > start && pending[nl - 1] == '\r' ? nl - 1 : nl;
            onLine(pending.substr(start, end - start));
        }
        pending.erase(0, start);
    }
    if (!pending.empty()) onLine(pending);
    ::close(pipeFds[0]);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    guard::endOrphans();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

}  // namespace compiler
