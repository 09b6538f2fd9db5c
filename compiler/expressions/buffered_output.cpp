#include "expressions/buffered_output.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "driver/errors.h"

namespace compiler {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

BufferedOutput::BufferedOutput(std::string path, std::string writeMessage, std::string closeMessage)
    : path_(std::move(path)), writeMessage_(std::move(writeMessage)), closeMessage_(std::move(closeMessage)) {
    // A folder of the name would only refuse the file when it takes its place: say so at once.
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        fail(writeMessage_, "Error: Cannot create file ", EISDIR);
    file_ = std::make_unique<guard::WholeFile>(path_);
    if (file_->error() != 0) fail(writeMessage_, "Error: Cannot create file ", file_->error());
    buffer_.reserve(kFlushSize + 4096);
}

BufferedOutput::BufferedOutput() : memory_(true) {}

BufferedOutput::~BufferedOutput() = default;

void BufferedOutput::fail(const std::string& message, std::string_view what, int error) {
    file_.reset();
    dead_ = true;
    buffer_.clear();
    std::vector<std::string> lines;
    if (!message.empty()) lines.push_back(message);
    lines.push_back(std::string(what) + path_ + ": " + std::strerror(error));
    throw RunAbort{lines, 1};
}

void BufferedOutput::flush() {
    if (!file_->write(buffer_)) fail(writeMessage_, "Error: Cannot write file ", file_->error());
    buffer_.clear();
}

void BufferedOutput::put(std::string_view bytes) {
    if (dead_ || (!memory_ && !file_)) return;
    buffer_.append(bytes);
    if (!memory_ && buffer_.size() >= kFlushSize) flush();
}

void BufferedOutput::close() {
    if (dead_ || memory_ || !file_) return;
    flush();
    if (!file_->commit()) fail(closeMessage_, "Error: Cannot close file ", file_->error());
    file_.reset();
}

}  // namespace compiler
