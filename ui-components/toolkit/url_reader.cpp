#include "url_reader.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace ui {
namespace {

using Clock = std::chrono::steady_clock;

struct Transfer {
    QByteArray data;
    std::chrono::milliseconds stallTimeout;
    curl_off_t moved = -1;
    Clock::time_point lastMove = Clock::now();
    bool stalled = false;
};

size_t collect(char* bytes, size_t size, size_t count, void* transfer) {
    static_cast<Transfer*>(transfer)->data.append(bytes, static_cast<qsizetype>(size * count));
    return size * count;
}

// libcurl calls this at least once a second, also while nothing arrives.
int watchStall(void* state, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto* transfer = static_cast<Transfer*>(state);
    const Clock::time_point now = Clock::now();
    if (downloaded + uploaded != transfer->moved) {
        transfer->moved = downloaded + uploaded;
        transfer->lastMove = now;
        return 0;
    }
    if (now - transfer->lastMove < transfer->stallTimeout) return 0;
    transfer->stalled = true;
    return 1;
}

}  // namespace

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

UrlReadResult readUrl(const QString& url, const UrlReadOptions& options) {
    initCurl();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(), curl_easy_cleanup);
    if (!handle) return {{}, QStringLiteral("Cannot start a transfer")};
    CURL* curl = handle.get();

    Transfer transfer;
    transfer.stallTimeout = options.stallTimeout;
    char message[CURL_ERROR_SIZE] = {};
    const QByteArray address = url.toUtf8();
    const QByteArray proxy = options.proxy.toUtf8();

    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "file,http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    // "" switches the proxy off, environment variables included.
    curl_easy_setopt(curl, CURLOPT_PROXY, proxy.constData());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, watchStall);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(curl);
    if (transfer.stalled) {
        return {{},
                QStringLiteral("No data received from %1 for %2 ms")
                    .arg(url)
                    .arg(static_cast<qint64>(options.stallTimeout.count()))};
    }
    if (code != CURLE_OK) {
        return {{}, QString::fromUtf8(message[0] != '\0' ? message : curl_easy_strerror(code))};
    }
    return {std::move(transfer.data), QString()};
}

}  // namespace ui
