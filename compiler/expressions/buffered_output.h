#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "guard/whole_file.h"

namespace compiler {

// The file a writer fills: buffered and written with plain write(2) calls, so every failure is seen. A file
// that cannot be created, a failed write or a failed close raises InternalFailure: the writer's own message
// line when it has one, then a line naming the file and the system's reason. After a failure the output is
// dead and takes nothing more; the run is ending. The file is written whole (guard::WholeFile): it takes its
// place only at close(), replacing whatever stood there, a link included.
class BufferedOutput {
public:
    // Starts the file `path`. `writeMessage` and `closeMessage` lead the failure reports ("" for none), which
    // name the file `shownAs` when given.
    BufferedOutput(std::string path, std::string writeMessage = "", std::string closeMessage = "",
                   std::string shownAs = "");
    // Keeps every byte in memory (see held()).
    BufferedOutput();
    // Only reached without close() after the run has already failed: nothing takes the path.
    ~BufferedOutput();
    BufferedOutput(const BufferedOutput&) = delete;
    BufferedOutput& operator=(const BufferedOutput&) = delete;

    void put(std::string_view bytes);
    void close();
    // While held, nothing is written out, so that text can still be inserted into what was put.
    void hold(bool held);
    // The number of bytes put so far; `insert` puts bytes at such a position (taken while held).
    std::size_t position() const { return written_ + buffer_.size(); }
    void insert(std::size_t at, std::string_view bytes);
    // The position of the first `c` put at or after `from` that is still held, or npos.
    std::size_t find(char c, std::size_t from) const;
    // Everything put so far, in memory mode.
    const std::string& held() const { return buffer_; }

private:
    void flush();
    [[noreturn]] void fail(const std::string& message, std::string_view what, int error);

    std::string path_;
    std::string shown_;
    std::string writeMessage_;
    std::string closeMessage_;
    std::unique_ptr<guard::WholeFile> file_;
    bool memory_ = false;
    bool dead_ = false;
    bool held_ = false;
    std::size_t written_ = 0;  // bytes written out before the buffer
    std::string buffer_;
};

}  // namespace compiler
