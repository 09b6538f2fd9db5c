#include "expressions/net_file_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "driver/context.h"
#include "driver/messages.h"
#include "expressions/byte_codes.h"

namespace compiler {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

// Codes the writer adds on its own that have no name in the vocabulary.
constexpr std::string_view kFileMarker = "TB";
constexpr std::string_view kEndMarker = "tb";
constexpr std::string_view kPause = "FP";
constexpr std::string_view kMain = "FM";

}  // namespace

NetFileWrite::NetFileWrite(Context& ctx, const std::string& filePath) : ctx_(ctx), path_(filePath) {
    fd_ = ::open(filePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) fail(res("Error_Cannot_write"), "Error: Cannot create file ", errno);
    buffer_.reserve(kFlushSize + 4096);
}

NetFileWrite::NetFileWrite(Context& ctx) : ctx_(ctx), memory_(true) {}

NetFileWrite::~NetFileWrite() {
    // Only reached without Close after the run has already failed; keep what we have, quietly.
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

void NetFileWrite::fail(std::string_view message, std::string_view what, int error) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    dead_ = true;
    buffer_.clear();
    throw RunAbort{{std::string(message), std::string(what) + path_ + ": " + std::strerror(error)}, 1};
}

void NetFileWrite::flush() {
    if (memory_) return;
    std::size_t done = 0;
    while (done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(res("Error_Cannot_write"), "Error: Cannot write file ", errno);
        if (n == 0) fail(res("Error_Cannot_write"), "Error: Cannot write file ", EIO);
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void NetFileWrite::put(std::string_view bytes) {
    if (dead_ || (!memory_ && fd_ < 0)) return;
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize) flush();
}

void NetFileWrite::writeString(std::string_view text) {
    put(ByteCodes::strS);
    put(text);
    put(ByteCodes::strE);
}

void NetFileWrite::writeOP(std::string_view code) {
    if (code.size() != 2) {
        dead_ = true;
        throw RunAbort{{res("Error_Internal_byte")}, 1};
    }
    put(code);
}

void NetFileWrite::writeNumber(std::int32_t number) {
    put(ByteCodes::numS);
    put(std::to_string(number));
    put(ByteCodes::numE);
}

void NetFileWrite::writeByte(std::string_view bytes) {
    put(bytes);
}

void NetFileWrite::Write(std::string_view text) {
    put(text);
}

// One "DI" "EL" per FOR-loop counter (the counters carry no names), then the head of the main function.
void NetFileWrite::WriteStart() {
    startWritten_ = true;
    ctx_.library.getForVariableByte(*this);
    put(ByteCodes::functionMS);
    put(ByteCodes::endFun);
}

void NetFileWrite::WriteMain() {
    mainWritten_ = true;
    put(kMain);
}

void NetFileWrite::WritePause() {
    put(kPause);
}

void NetFileWrite::WriteHeader() {
    put(kFileMarker);
}

void NetFileWrite::WriteDestroy() {
    put(ByteCodes::functionD);
}

void NetFileWrite::WriteCommandAction() {
    put(ByteCodes::functionC);
}

void NetFileWrite::WriteCanvasPaint() {
    put(ByteCodes::actionPaint);
}

// Closes the main function unless a FUNCTION line did, and writes every handler the program left out,
// each closed by "FE".
void NetFileWrite::WriteEnd() {
    const Library& lib = ctx_.library;
    // A program that never left its declarations still gets its main function.
    if (!startWritten_) WriteStart();
    if (!mainWritten_) WriteMain();
    if (!lib.endFound) put(ByteCodes::endFun);
    if (!lib.getPauseFunc()) {
        WritePause();
        put(ByteCodes::endFun);
    }
    if (!lib.getCommandFunc()) {
        WriteCommandAction();
        put(ByteCodes::endFun);
    }
    if (!lib.getEndFunc()) {
        WriteDestroy();
        put(ByteCodes::endFun);
    }
}

void NetFileWrite::Close() {
    put(kEndMarker);
    if (dead_ || memory_ || fd_ < 0) return;
    flush();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        dead_ = true;
        throw RunAbort{
            {res("Error_Cannot_close"), "Error: Cannot close file " + path_ + ": " + std::strerror(errno)},
            1};
    }
}

}  // namespace compiler
