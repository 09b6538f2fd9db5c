#pragma once

#include <mutex>
#include <ostream>
#include <string_view>

namespace build {

// Everything the build program says goes out as whole lines on one stream, flushed per line so that
// the starter shows each line as it comes. Child output, the watchdog and the main road all write
// here, so a line is never torn by another thread.
class Console {
public:
    explicit Console(std::ostream& stream) : stream_(stream) {}

    void line(std::string_view text) {
        std::lock_guard lock(mutex_);
        stream_ << text << '\n';
        stream_.flush();
    }

private:
    std::mutex mutex_;
    std::ostream& stream_;
};

}  // namespace build
