#include "kit/process.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace kit {
namespace {

std::string_view variableName(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

// This process's environment with the command's entries over it.
std::vector<std::string> childEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view name = variableName(*entry);
        bool changed = false;
        for (const std::string& change : changes) changed = changed || variableName(change) == name;
        if (!changed) entries.emplace_back(*entry);
    }
    for (const std::string& change : changes) {
        if (change.find('=') != std::string::npos) entries.push_back(change);
    }
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& words) {
    std::vector<char*> result;
    for (auto& word : words) result.push_back(word.data());
    result.push_back(nullptr);
    return result;
}

// A process as the system lists it (/proc/<pid>/stat).
struct ProcessInfo {
    pid_t pid = 0;
    char state = 0;  // 'Z' for a zombie, 'X' for one being reaped
    pid_t parent = 0;
    pid_t group = 0;

    bool running() const { return state != 'Z' && state != 'X'; }
};

// Calls `visit` with every process of the system.
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
        ProcessInfo process;
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
    forEachProcess(
        [&](const ProcessInfo& process) { found = found || (process.group == group && process.running()); });
    return found;
}

// The processes whose parent is `parent`, zombies included (their parent reaps them).
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    forEachProcess([&](const ProcessInfo& process) {
        if (process.parent == parent) children.push_back(process.pid);
    });
    return children;
}

}  // namespace

void LineSplitter::feed(std::string_view bytes) {
    pending_.append(bytes);
    std::size_t start = 0;
    for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1)
        deliver(pending_.substr(start, end - start));
    pending_.erase(0, start);
}

void LineSplitter::finish() {
    if (!pending_.empty()) deliver(std::move(pending_));
    pending_.clear();
}

void LineSplitter::deliver(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (sink_) sink_(line);
}

Child::~Child() {
    if (pid_ > 0) wait();
    closePipes();
}

void Child::closePipes() {
    for (Pipe& pipe : pipes_) {
        if (pipe.fd >= 0) ::close(pipe.fd);
    }
    pipes_.clear();
}

int Child::start(const Command& command) {
    if (command.argv.empty() || pid_ > 0) return EINVAL;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::vector<int> childEnds;
    int error = 0;
    auto streamTo = [&](Stream stream, int target) {
        switch (stream) {
            case Stream::Inherit:
                break;
            case Stream::Null:
                posix_spawn_file_actions_addopen(&actions, target, "/dev/null",
                                                 target == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
                break;
            case Stream::File:
                posix_spawn_file_actions_addopen(&actions, target, command.file.c_str(),
                                                 O_WRONLY | O_CREAT | O_TRUNC, 0644);
                break;
            case Stream::Output:
                posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, target);
                break;
            case Stream::Lines:
            case Stream::Bytes: {
                // Both ends close at the start; the copy on `target` is the child's.
                int fds[2];
                if (::pipe2(fds, O_CLOEXEC) != 0) {
                    if (error == 0) error = errno;
                    break;
                }
                Pipe pipe{fds[0], stream, LineSplitter(stream == Stream::Lines ? command.onLine : nullptr)};
                pipes_.push_back(std::move(pipe));
                childEnds.push_back(fds[1]);
                posix_spawn_file_actions_adddup2(&actions, fds[1], target);
                break;
            }
        }
    };
    streamTo(command.input, STDIN_FILENO);
    streamTo(command.output, STDOUT_FILENO);
    streamTo(command.errors, STDERR_FILENO);
    if (command.handOn >= 0) posix_spawn_file_actions_adddup2(&actions, command.handOn, command.handOnAs);
    if (!command.workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, command.workDir.c_str());

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    short flags = 0;
    if (command.ownGroup) {
        posix_spawnattr_setpgroup(&attributes, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    if (command.defaultSignals) {
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGXFSZ);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes, &none);
        flags |= POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    }
    posix_spawnattr_setflags(&attributes, flags);

    std::vector<std::string> args(command.argv);
    std::vector<char*> argp = pointers(args);
    std::vector<std::string> environment;
    if (!command.environment.empty()) environment = childEnvironment(command.environment);
    std::vector<char*> envp = pointers(environment);
    char** env = command.environment.empty() ? environ : envp.data();

    if (error == 0) {
        pid_t pid = -1;
        error = command.searchPath ? ::posix_spawnp(&pid, argp[0], &actions, &attributes, argp.data(), env)
                                   : ::posix_spawn(&pid, argp[0], &actions, &attributes, argp.data(), env);
        if (error == 0) pid_ = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    for (int fd : childEnds) ::close(fd);
    if (error != 0) closePipes();
    onBytes_ = command.onBytes;
    return error;
}

bool Child::relay(Watch* watch) {
    // The child's pipes first, then what the watch adds.
    std::vector<pollfd> polls;
    for (const Pipe& pipe : pipes_) polls.push_back({pipe.fd, POLLIN, 0});
    const std::size_t own = polls.size();
    if (watch) polls.insert(polls.end(), watch->fds.begin(), watch->fds.end());
    std::size_t open = own;
    char buffer[8192];
    while (open > 0) {
        const int ready = ::poll(polls.data(), polls.size(), watch ? watch->periodMs : -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) break;
        if (watch && watch->onWake && !watch->onWake(std::span<pollfd>(polls).subspan(own), ready)) {
            for (Pipe& pipe : pipes_) pipe.lines.drop();
            return false;
        }
        for (std::size_t i = 0; i < own && ready > 0; ++i) {
            if (polls[i].fd < 0 || polls[i].revents == 0) continue;
            const ssize_t n = ::read(polls[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            Pipe& pipe = pipes_[i];
            if (n <= 0) {
                pipe.lines.finish();
                ::close(pipe.fd);
                pipe.fd = polls[i].fd = -1;
                --open;
                continue;
            }
            const std::string_view bytes(buffer, static_cast<std::size_t>(n));
            if (pipe.stream == Stream::Lines) {
                pipe.lines.feed(bytes);
            } else if (onBytes_) {
                onBytes_(bytes);
            }
        }
    }
    for (Pipe& pipe : pipes_) pipe.lines.finish();
    return true;
}

Exit Child::wait(const std::function<void()>& beforeReap) {
    closePipes();
    Exit exit;
    if (pid_ <= 0) return exit;
    const pid_t pid = pid_;
    pid_ = -1;
    if (beforeReap) {
        siginfo_t info{};
        while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
        }
        beforeReap();
    }
    int status = 0;
    rusage usage{};
    pid_t waited;
    while ((waited = ::wait4(pid, &status, 0, &usage)) < 0 && errno == EINTR) {
    }
    if (waited != pid) return exit;
    exit.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    exit.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    exit.peakKiB = usage.ru_maxrss;
    return exit;
}

Exit run(const Command& command) {
    Child child;
    if (const int error = child.start(command)) {
        Exit failed;
        failed.startError = error;
        return failed;
    }
    child.relay();
    return child.wait();
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

}  // namespace kit
