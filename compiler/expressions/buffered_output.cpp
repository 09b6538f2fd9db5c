#include "expressions/buffered_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "driver/errors.h"

namespace compiler {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

BufferedOutput::BufferedOutput(std::string path, std::string writeMessage, std::string closeMessage)
    : path_(std::move(path)), writeMessage_(std::move(writeMessage)), closeMessage_(std::move(closeMessage)) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) fail(writeMessage_, "Error: Cannot create file ", errno);
    buffer_.reserve(kFlushSize + 4096);
}

BufferedOutput::BufferedOutput() : memory_(true) {}

BufferedOutput::~BufferedOutput() {
    if (fd_ < 0) return;
    std::size_t done = 0;
    while (done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd_);
}

void BufferedOutput::fail(const std::string& message, std::string_view what, int error) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    dead_ = true;
    buffer_.clear();
    std::vector<std::string> lines;
    if (!message.empty()) lines.push_back(message);
    lines.push_back(std::string(what) + path_ + ": " + std::strerror(error));
    throw RunAbort{lines, 1};
}

void BufferedOutput::flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(writeMessage_, "Error: Cannot write file ", errno);
        if (n == 0) fail(writeMessage_, "Error: Cannot write file ", EIO);
        done += static_cast<std::size_t>(n);
    }
    written_ += buffer_.size();
    buffer_.clear();
}

void BufferedOutput::put(std::string_view bytes) {
    if (dead_ || (!memory_ && fd_ < 0)) return;
    buffer_.append(bytes);
    if (!memory_ && !held_ && buffer_.size() >= kFlushSize) flush();
}

void BufferedOutput::hold(bool held) {
    held_ = held;
}

void BufferedOutput::insert(std::size_t at, std::string_view bytes) {
    if (dead_ || (!memory_ && fd_ < 0)) return;
    if (at < written_ || at > position()) throw std::logic_error("insert outside the held text");
    buffer_.insert(at - written_, bytes);
}

std::size_t BufferedOutput::find(char c, std::size_t from) const {
    if (from < written_) return std::string::npos;
    const std::size_t at = buffer_.find(c, from - written_);
    return at == std::string::npos ? at : written_ + at;
}

void BufferedOutput::close() {
    if (dead_ || memory_ || fd_ < 0) return;
    flush();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(closeMessage_, "Error: Cannot close file ", errno);
}

}  // namespace compiler
