#include "watchdog.h"

namespace build {

Watchdog::Watchdog(std::chrono::milliseconds period, std::function<void()> onTimeout)
    : period_(period), onTimeout_(std::move(onTimeout)) {}

Watchdog::~Watchdog() {
    setDone();
    if (thread_.joinable()) thread_.join();
}

void Watchdog::start() {
    if (!thread_.joinable()) thread_ = std::thread([this] { watch(); });
}

void Watchdog::setDone() {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    wake_.notify_all();
}

void Watchdog::watch() {
    {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, period_, [this] { return done_; })) return;
        expired_ = true;
    }
    if (onTimeout_) onTimeout_();
}

}  // namespace build
