#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace build {

// Guards a build: unless setDone() comes within `period` of start(), calls `onTimeout` once on its own
// thread. The destructor waits for that call to finish, so its output is complete before the build
// returns.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds period, std::function<void()> onTimeout);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void start();
    void setDone();
    // True once the period has passed without setDone().
    bool expired() const { return expired_; }

private:
    void watch();

    std::chrono::milliseconds period_;
    std::function<void()> onTimeout_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> expired_ = false;
    std::thread thread_;
};

}  // namespace build
