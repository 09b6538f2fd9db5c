#include "expressions/buffered_output.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "driver/errors.h"

namespace compiler {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

BufferedOutput::BufferedOutput(std::string path, std::string writeMessage, std::string closeMessage,
                               std::string shownAs)
    : path_(std::move(path)),
      shown_(shownAs.empty() ? path_ : std::move(shownAs)),
      writeMessage_(std::move(writeMessage)),
      closeMessage_(std::move(closeMessage)) {
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
    lines.push_back(std::string(what) + shown_ + ": " + std::strerror(error));
    throw InternalFailure(std::move(lines));
}

void BufferedOutput::flush() {
    if (!file_->write(buffer_)) fail(writeMessage_, "Error: Cannot write file ", file_->error());
    written_ += buffer_.size();
    buffer_.clear();
}

void BufferedOutput::put(std::string_view bytes) {
    if (dead_ || (!memory_ && !file_)) return;
    buffer_.append(bytes);
    if (!memory_ && !held_ && buffer_.size() >= kFlushSize) flush();
}

void BufferedOutput::hold(bool held) {
    held_ = held;
}

void BufferedOutput::insert(std::size_t at, std::string_view bytes) {
    if (dead_ || (!memory_ && !file_)) return;
    if (at < written_ || at > position()) throw std::logic_error("insert outside the held text");
    buffer_.insert(at - written_, bytes);
}

std::size_t BufferedOutput::find(char c, std::size_t from) const {
    if (from < written_) return std::string::npos;
    const std::size_t at = buffer_.find(c, from - written_);
    return at == std::string::npos ? at : written_ + at;
}

void BufferedOutput::close() {
    if (dead_ || memory_ || !file_) return;
    flush();
    if (!file_->commit()) fail(closeMessage_, "Error: Cannot close file ", file_->error());
    file_.reset();
}

}  // namespace compiler
