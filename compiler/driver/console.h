#pragma once

#include <ostream>
#include <string_view>

namespace compiler {

// Everything the compiler says goes out as whole lines on one stream, flushed per line so that the
// editor shows each line as it comes.
class Console {
public:
    explicit Console(std::ostream& stream) : stream_(stream) {}

    void line(std::string_view text) {
        stream_ << text << '\n';
        stream_.flush();
    }

    std::ostream& stream() { return stream_; }

private:
    std::ostream& stream_;
};

}  // namespace compiler
