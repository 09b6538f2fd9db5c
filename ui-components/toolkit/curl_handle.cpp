#include "curl_handle.h"

#include <sys/socket.h>
#include <unistd.h>

#include "busy_work.h"
#include "proxy_properties.h"
#include "url_reader.h"

namespace ui {

CurlHandle::CurlHandle() {
    initCurl();
    handle_ = curl_easy_init();
}

CurlHandle::~CurlHandle() {
    // The cleanup closes the connections, an FTP one after a QUIT and its answer.
    if (handle_) cancellable([this] { curl_easy_cleanup(handle_); });
}

template <typename Call>
void CurlHandle::cancellable(Call call) {
    if (!cancellation_) {
        call();
        return;
    }
    cancellation_->setWaker([this] { shutDownSockets(); });
    if (cancellation_->isCancelled()) shutDownSockets();
    call();
    cancellation_->setWaker(nullptr);
}

void CurlHandle::shutDownSockets() {
    const std::lock_guard<std::mutex> lock(socketsMutex_);
    for (const curl_socket_t socket : sockets_) ::shutdown(socket, SHUT_RDWR);
}

curl_socket_t CurlHandle::openSocket(void* handle, curlsocktype, curl_sockaddr* address) {
    auto* self = static_cast<CurlHandle*>(handle);
    if (self->cancellation_ && self->cancellation_->isCancelled()) return CURL_SOCKET_BAD;
    // Close-on-exec: the programs the editor starts get none of its connections.
    const curl_socket_t socket =
        ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (socket == CURL_SOCKET_BAD) return socket;
    const std::lock_guard<std::mutex> lock(self->socketsMutex_);
    self->sockets_.insert(socket);
    return socket;
}

int CurlHandle::closeSocket(void* handle, curl_socket_t socket) {
    auto* self = static_cast<CurlHandle*>(handle);
    // Forgotten before it is closed: its number may be reused at once, by anyone.
    const std::lock_guard<std::mutex> lock(self->socketsMutex_);
    self->sockets_.erase(socket);
    return ::close(socket);
}

void CurlHandle::prepare(const QString& url, const TransferLimits& limits,
                         const std::optional<QString>& proxy) {
    if (!handle_) return;
    curl_easy_reset(handle_);
    url_ = url;
    watch_ = Watch{limits.stallTimeout, -1, std::chrono::steady_clock::now(), false, cancellation_, false};
    error_[0] = '\0';
    // libcurl copies every text option, so the temporaries may go.
    curl_easy_setopt(handle_, CURLOPT_URL, url.toUtf8().constData());
    curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    // "" switches the proxy off, libcurl's environment variables included; an empty exception list keeps
    // a no_proxy variable from bypassing the proxy that was chosen.
    curl_easy_setopt(handle_, CURLOPT_PROXY,
                     proxy.value_or(proxyProperties().proxyFor(url)).toUtf8().constData());
    curl_easy_setopt(handle_, CURLOPT_NOPROXY, "");
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
    // A server that accepts and never answers a command moves no byte either; this bounds each wait for
    // a reply (whole seconds only).
    const long replySeconds = static_cast<long>((limits.stallTimeout.count() + 999) / 1000);
    curl_easy_setopt(handle_, CURLOPT_SERVER_RESPONSE_TIMEOUT, replySeconds < 1 ? 1L : replySeconds);
    curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, watchStall);
    curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, &watch_);
    curl_easy_setopt(handle_, CURLOPT_OPENSOCKETFUNCTION, openSocket);
    curl_easy_setopt(handle_, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(handle_, CURLOPT_CLOSESOCKETFUNCTION, closeSocket);
    curl_easy_setopt(handle_, CURLOPT_CLOSESOCKETDATA, this);
}

// libcurl calls this at least once a second, also while nothing arrives.
int CurlHandle::watchStall(void* state, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto* watch = static_cast<Watch*>(state);
    if (watch->cancellation && watch->cancellation->isCancelled()) {
        watch->aborted = true;
        return 1;
    }
    const auto now = std::chrono::steady_clock::now();
    if (downloaded + uploaded != watch->moved) {
        watch->moved = downloaded + uploaded;
        watch->lastMove = now;
        return 0;
    }
    if (now - watch->lastMove < watch->stallTimeout) return 0;
    watch->stalled = true;
    return 1;
}

QString CurlHandle::perform() {
    if (!handle_) return QStringLiteral("Cannot start a transfer");
    CURLcode code = CURLE_OK;
    cancellable([this, &code] { code = curl_easy_perform(handle_); });
    if (watch_.aborted || (cancellation_ && cancellation_->isCancelled())) return QStringLiteral("Cancelled");
    if (watch_.stalled) {
        return QStringLiteral("No data received from %1 for %2 ms")
            .arg(url_)
            .arg(static_cast<qint64>(watch_.stallTimeout.count()));
    }
    if (code == CURLE_OK) return {};
    return QString::fromUtf8(error_[0] != '\0' ? error_ : curl_easy_strerror(code));
}

}  // namespace ui
