#pragma once
// One libcurl easy handle with the kit's settings, for the URL reader and every other libcurl user. A
// handle used for several transfers keeps its connections between them: one FTP control connection.
#include <curl/curl.h>

#include <QByteArray>
#include <QString>
#include <chrono>
#include <mutex>
#include <optional>
#include <set>

namespace ui {

class Cancellation;

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

    // Once it is cancelled, the running transfer ends at once (its sockets are shut down, which ends
    // libcurl's wait), perform() answers "Cancelled", and so does every later one; the end of the
    // handle then sends no QUIT it would wait for. It must outlive its use here; null for none.
    void setCancellation(Cancellation* cancellation) { cancellation_ = cancellation; }

private:
    struct Watch {
        std::chrono::milliseconds stallTimeout{};
        curl_off_t moved = -1;
        std::chrono::steady_clock::time_point lastMove;
        bool stalled = false;
        const Cancellation* cancellation = nullptr;
        bool aborted = false;
    };
    static int watchStall(void* watch, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded);
    static curl_socket_t openSocket(void* handle, curlsocktype purpose, curl_sockaddr* address);
    static int closeSocket(void* handle, curl_socket_t socket);
    // Shuts down every socket the handle has open: a wait on any of them ends.
    void shutDownSockets();
    // Runs `call` (perform or cleanup) with the cancellation able to end its waits.
    template <typename Call>
    void cancellable(Call call);

    CURL* handle_;
    QString url_;
    Cancellation* cancellation_ = nullptr;
    Watch watch_;
    char error_[CURL_ERROR_SIZE] = {};
    // The sockets libcurl opened through this handle and has not closed; they outlive a transfer (the FTP
    // control connection).
    std::mutex socketsMutex_;
    std::set<curl_socket_t> sockets_;
};

}  // namespace ui
