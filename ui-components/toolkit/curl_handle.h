#pragma once
// One libcurl easy handle with the kit's settings, for the URL reader and every other libcurl user. A
// handle used for several transfers keeps its connections between them: one FTP control connection.
#include <curl/curl.h>

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <optional>

namespace ui {

// No transfer of the kit may hang its caller for good.
struct TransferLimits {
    std::chrono::milliseconds connectTimeout{30000};
    // A transfer that moves no byte, up or down, for this long fails; so does a server that leaves a
    // command unanswered this long.
    std::chrono::milliseconds stallTimeout{60000};
};

class CurlHandle {
public:
    CurlHandle();
    ~CurlHandle();
    CurlHandle(const CurlHandle&) = delete;
    CurlHandle& operator=(const CurlHandle&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    CURL* get() const { return handle_; }

    // Clears the options of the last transfer (not its connections) and sets the kit's for the next: the
    // URL, no signals, the time-outs and the proxy, which is `proxy` when given ("" for none) and else the
    // process's proxy settings for the URL.
    void prepare(const QString& url, const TransferLimits& limits,
                 const std::optional<QString>& proxy = std::nullopt);
    // Runs the prepared transfer: a null text on success, else why it failed (libcurl's message).
    QString perform();

    // While the flag is set, a running transfer ends at libcurl's next progress call (at least once a
    // second) and perform() answers "Cancelled". The flag must outlive the transfers; null for none.
    void setAbortFlag(const std::atomic<bool>* abort) { abort_ = abort; }

private:
    struct Watch {
        std::chrono::milliseconds stallTimeout{};
        curl_off_t moved = -1;
        std::chrono::steady_clock::time_point lastMove;
        bool stalled = false;
        const std::atomic<bool>* abort = nullptr;
        bool aborted = false;
    };
    static int watchStall(void* watch, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded);

    CURL* handle_;
    QString url_;
    const std::atomic<bool>* abort_ = nullptr;
    Watch watch_;
    char error_[CURL_ERROR_SIZE] = {};
};

}  // namespace ui
