#include "curl_handle.h"

#include "proxy_properties.h"
#include "url_reader.h"

namespace ui {

CurlHandle::CurlHandle() {
    initCurl();
    handle_ = curl_easy_init();
}

CurlHandle::~CurlHandle() {
    if (handle_) curl_easy_cleanup(handle_);
}

void CurlHandle::prepare(const QString& url, const TransferLimits& limits,
                         const std::optional<QString>& proxy) {
    if (!handle_) return;
    curl_easy_reset(handle_);
    url_ = url;
    watch_ = Watch{limits.stallTimeout, -1, std::chrono::steady_clock::now(), false, abort_, false};
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
}

// libcurl calls this at least once a second, also while nothing arrives.
int CurlHandle::watchStall(void* state, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto* watch = static_cast<Watch*>(state);
    if (watch->abort && watch->abort->load()) {
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
    const CURLcode code = curl_easy_perform(handle_);
    if (watch_.aborted) return QStringLiteral("Cancelled");
    if (watch_.stalled) {
        return QStringLiteral("No data received from %1 for %2 ms")
            .arg(url_)
            .arg(static_cast<qint64>(watch_.stallTimeout.count()));
    }
    if (code == CURLE_OK) return {};
    return QString::fromUtf8(error_[0] != '\0' ? error_ : curl_easy_strerror(code));
}

}  // namespace ui
