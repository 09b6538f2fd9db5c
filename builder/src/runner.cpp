#include "runner.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "guard/stop.h"

extern char** environ;

namespace build {

std::string startFailure(const std::string& program, int error) {
    return "Cannot run program \"" + program + "\": " + std::strerror(error);
}

namespace {

// Splits a stream into lines as bytes arrive; "\r\n" counts as one line end.
class LineSplitter {
public:
    explicit LineSplitter(const LineSink& out) : out_(out) {}

    void feed(const char* data, size_t size) {
        pending_.append(data, size);
        size_t start = 0;
        for (size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1)
            emit(pending_.substr(start, end - start));
        pending_.erase(0, start);
    }

    void finish() {
        if (!pending_.empty()) emit(pending_);
        pending_.clear();
    }

private:
    void emit(std::string line) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (out_) out_(line);
    }

    const LineSink& out_;
    std::string pending_;
};

struct Pipe {
    int read = -1;
    int write = -1;
    ~Pipe() {
        if (read >= 0) ::close(read);
        if (write >= 0) ::close(write);
    }
};

}  // namespace

RunResult ProcessRunner::run(const std::vector<std::string>& argv, const std::string& workDir,
                             const LineSink& out) {
    RunResult result;
    if (argv.empty()) {
        result.error = "Cannot run program \"\": empty command";
        return result;
    }
    Pipe output, errors;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.error = startFailure(argv[0], errno);
        return result;
    }
    output.read = fds[0];
    output.write = fds[1];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.error = startFailure(argv[0], errno);
        return result;
    }
    errors.read = fds[0];
    errors.write = fds[1];

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors.write, STDERR_FILENO);
    if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    int spawnError = 0;
    bool cancelled = false;
    // Nothing starts once the run is to stop.
    if (guard::stopRequested() || guard::checkCaller()) cancel();
    {
        // Held across the start so that a cancel() cannot slip between the start and `current_`.
        std::lock_guard lock(mutex_);
        cancelled = cancelled_;
        if (!cancelled) {
            spawnError = ::posix_spawnp(&pid, argv[0].c_str(), &actions, &attributes, args.data(), environ);
            if (spawnError == 0) current_ = pid;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (cancelled) {
        result.cancelled = true;
        return result;
    }
    if (spawnError != 0) {
        result.error = startFailure(argv[0], spawnError);
        return result;
    }
    result.started = true;
    ::close(output.write);
    output.write = -1;
    ::close(errors.write);
    errors.write = -1;

    LineSplitter outLines(out), errLines(out);
    // The child's two streams, then the stop signals and the caller of the build: a stop ends the child
    // as the watchdog does. cancel() from the watchdog is seen within the poll's period.
    pollfd polls[4] = {{output.read, POLLIN, 0},
                       {errors.read, POLLIN, 0},
                       {guard::stopFd(), POLLIN, 0},
                       guard::callerWatch()};
    LineSplitter* splitters[2] = {&outLines, &errLines};
    int open = 2;
    char buffer[4096];
    while (open > 0) {
        {
            std::lock_guard lock(mutex_);
            cancelled = cancelled_;
        }
        if (cancelled) break;
        int ready = ::poll(polls, 4, 100);
        if (ready < 0 && errno != EINTR) break;
        if (polls[3].revents & (POLLERR | POLLHUP)) guard::noteCallerGone();
        if (ready > 0 && guard::stopRequested()) {
            cancel();
            continue;
        }
        for (int i = 0; i < 2 && ready > 0; ++i) {
            if (polls[i].fd < 0 || polls[i].revents == 0) continue;
            ssize_t n = ::read(polls[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                splitters[i]->finish();
                polls[i].fd = -1;
                --open;
                continue;
            }
            splitters[i]->feed(buffer, static_cast<size_t>(n));
        }
    }
    if (!cancelled) {
        outLines.finish();
        errLines.finish();
    }

    // Wait without reaping first: until the child is reaped its pid (and group id) cannot be reused,
    // so a cancel() in between still reaches the right processes.
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    {
        std::lock_guard lock(mutex_);
        current_ = -1;
        cancelled = cancelled || cancelled_;
    }
    // Whatever the tool left running in its group ends with it, before its number can be used again.
    guard::killGroup(pid);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.cancelled = cancelled;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
