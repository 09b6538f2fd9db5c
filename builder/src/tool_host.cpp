#include "tool_host.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <span>

#include "guard/stop.h"

namespace build {
namespace {

constexpr std::string_view kMark = "tz-tool-host-row:";
// The kit's programs are far smaller; a file past this is no program of the kit's.
constexpr off_t kMaxProgramBytes = off_t{64} << 20;
// A reply longer than this is no reply: the host sends what a tool writes in pieces.
constexpr uint32_t kMaxReplyBytes = uint32_t{1} << 30;

std::string readProgram(const std::string& program) {
    std::string bytes;
    const int fd = ::open(program.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxProgramBytes) {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return bytes;
}

void appendNumber(std::string& out, uint32_t number) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((number >> shift) & 0xff);
}

uint32_t readNumber(std::string_view bytes) {
    uint32_t number = 0;
    for (int i = 0; i < 4; ++i) number = (number << 8) | static_cast<unsigned char>(bytes[i]);
    return number;
}

bool sendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

std::string hostedTool(const std::string& program) {
    const std::string tool = program.substr(program.rfind('/') + 1);
    if (tool != "javac" && tool != "preverify") return {};
    std::string mark = std::string(kMark) + tool;
    mark += '\0';
    return readProgram(program).find(mark) == std::string::npos ? std::string() : tool;
}

std::string encodeRow(const std::vector<std::string>& words) {
    std::string bytes;
    appendNumber(bytes, static_cast<uint32_t>(words.size()));
    for (const auto& word : words) {
        appendNumber(bytes, static_cast<uint32_t>(word.size()));
        bytes += word;
    }
    return bytes;
}

bool ReplyReader::feed(std::string_view bytes) {
    if (broken_) return false;
    pending_.append(bytes);
    size_t at = 0;
    while (at < pending_.size()) {
        const char tag = pending_[at];
        if (tag == 'r') {
            ++at;
            if (handlers_.ready) handlers_.ready();
            continue;
        }
        if (tag != 'o' && tag != 'e' && tag != 'x') {
            broken_ = true;
            break;
        }
        if (pending_.size() - at < 5) break;
        const uint32_t number = readNumber(std::string_view(pending_).substr(at + 1, 4));
        if (tag == 'x') {
            at += 5;
            if (handlers_.ended) handlers_.ended(static_cast<int>(number));
            continue;
        }
        if (number > kMaxReplyBytes) {
            broken_ = true;
            break;
        }
        if (pending_.size() - at - 5 < number) break;
        if (handlers_.output) handlers_.output(tag, std::string_view(pending_).substr(at + 5, number));
        at += 5 + number;
    }
    pending_.erase(0, at);
    return !broken_;
}

bool ToolHost::cancelled() {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool ToolHost::start() {
    if (state_ != State::Idle) return state_ != State::Gone;
    state_ = State::Gone;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    kit::Command command;
    command.argv = {program_};
    command.output = kit::Stream::Lines;
    command.errors = kit::Stream::Lines;
    command.onLine = [this](const std::string& line) {
        if (state_ == State::Ready && sink_)
            sink_(line);
        else
            early_.push_back(line);
    };
    command.ownGroup = true;
    command.defaultSignals = true;
    command.environment = {std::string(kToolLocale)};
    // The host's end of the socket is its standard input; ours stays with this process alone.
    command.handOn = ends[1];
    command.handOnAs = STDIN_FILENO;
    {
        std::lock_guard lock(mutex_);
        if (!cancelled_ && child_.start(command) == 0) {
            pid_ = child_.pid();
            state_ = State::Started;
        }
    }
    ::close(ends[1]);
    if (state_ != State::Started) {
        ::close(ends[0]);
        return false;
    }
    socket_ = ends[0];
    return true;
}

std::optional<RunResult> ToolHost::run(const std::vector<std::string>& row, const LineSink& out) {
    RunResult result;
    // Nothing starts once the run is to stop.
    if (guard::stopRequested() || guard::checkCaller()) cancel();
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }
    if (state_ == State::Idle) start();
    if (state_ == State::Gone) {
        if (!wasReady_) return std::nullopt;
        result.started = true;
        return result;
    }
    result.started = true;

    sink_ = out;
    kit::LineSplitter outLines(out), errLines(out);
    std::optional<int> status;
    bool hostGone = !sendAll(socket_, encodeRow(row));
    ReplyReader replies(
        {[&] {
             state_ = State::Ready;
             wasReady_ = true;
             for (const auto& line : early_) out(line);
             early_.clear();
         },
         [&](char stream, std::string_view bytes) { (stream == 'o' ? outLines : errLines).feed(bytes); },
         [&](int code) {
             outLines.finish();
             errLines.finish();
             status = code;
         }});
    auto readReplies = [&](int flags) {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::recv(socket_, buffer, sizeof buffer, flags);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            if (n <= 0 || !replies.feed(std::string_view(buffer, static_cast<size_t>(n)))) {
                hostGone = true;
                return;
            }
            if (!(flags & MSG_DONTWAIT)) return;
        }
    };
    // The stop signals and the caller of the build, as for a tool of its own: a stop ends the host, and
    // cancel() from the watchdog is seen within the poll's period.
    kit::Child::Watch watch{{{socket_, POLLIN, 0}, {guard::stopFd(), POLLIN, 0}, guard::callerWatch()},
                            100,
                            [&](std::span<pollfd> fds, int ready) {
                                if (fds[0].revents != 0) readReplies(0);
                                if (fds[2].revents & (POLLERR | POLLHUP)) guard::noteCallerGone();
                                if (ready > 0 && guard::stopRequested()) cancel();
                                return !status && !hostGone && !cancelled();
                            }};
    if (!hostGone && child_.relay(&watch)) {
        // The host closed its streams (it has ended): what it sent before is still to be read.
        readReplies(MSG_DONTWAIT);
        hostGone = hostGone || !status;
    }
    sink_ = nullptr;
    if (status) {
        result.exitStatus = *status;
        return result;
    }

    // The host ended, was ended, or said something that is no reply: the row has failed.
    const bool wasCancelled = cancelled();
    reap();
    const kit::Exit& exit = lastExit_;
    if (!wasReady_ && !wasCancelled) {
        early_.clear();
        return std::nullopt;
    }
    result.cancelled = wasCancelled;
    if (!wasCancelled) {
        out("Error: The kit's tool host ended while " + row.front() + " ran (" +
            (exit.signal ? "signal " + guard::describeSignal(exit.signal)
                         : "exit status " + std::to_string(exit.status)) +
            ")");
    }
    return result;
}

void ToolHost::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
    }
}

void ToolHost::kill() {
    if (socket_ >= 0) {
        ::close(socket_);
        socket_ = -1;
    }
    std::lock_guard lock(mutex_);
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
    }
}

void ToolHost::reap() {
    kill();
    if (state_ == State::Started || state_ == State::Ready) {
        pid_t pid;
        {
            std::lock_guard lock(mutex_);
            pid = pid_;
        }
        lastExit_ = child_.wait([&] {
            {
                std::lock_guard lock(mutex_);
                pid_ = -1;
            }
            // Whatever the host left running in its group ends with it.
            kit::killGroup(pid);
        });
    }
    state_ = State::Gone;
}

void HostedRunner::prepare(const std::vector<std::vector<std::string>>& rows) {
    hostRows_.clear();
    for (const auto& row : rows)
        if (!row.empty() && !toolOf(row.front()).empty()) hostRows_.push_back(row);
    if (!hostRows_.empty() && !hostFailed_ && !host_.start()) hostFailed_ = true;
}

RunResult HostedRunner::run(const std::vector<std::string>& argv, const std::string& workDir,
                            const LineSink& out) {
    const auto row = std::find(hostRows_.begin(), hostRows_.end(), argv);
    if (row != hostRows_.end() && workDir.empty() && !hostFailed_) {
        hostRows_.erase(row);
        std::vector<std::string> words{toolOf(argv.front())};
        words.insert(words.end(), argv.begin() + 1, argv.end());
        std::optional<RunResult> result = host_.run(words, out);
        // Killed now, reaped when the build is done with its rows: the build goes on meanwhile.
        if (hostRows_.empty()) host_.kill();
        if (result) return *result;
        // The host could not start its JVM: the tools run themselves.
        hostFailed_ = true;
    }
    return processes_.run(argv, workDir, out);
}

void HostedRunner::cancel() {
    processes_.cancel();
    host_.cancel();
}

void HostedRunner::finish() {
    hostRows_.clear();
    host_.end();
}

std::string HostedRunner::toolOf(const std::string& program) {
    auto known = tools_.find(program);
    if (known == tools_.end()) known = tools_.emplace(program, hostedTool(program)).first;
    return known->second;
}

}  // namespace build
