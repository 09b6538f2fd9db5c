#include "url_reader.h"

#include <curl/curl.h>

#include <mutex>

#include "curl_handle.h"

namespace ui {
namespace {

size_t collect(char* bytes, size_t size, size_t count, void* data) {
    static_cast<QByteArray*>(data)->append(bytes, static_cast<qsizetype>(size * count));
    return size * count;
}

}  // namespace

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

UrlReadResult readUrl(const QString& url, const UrlReadOptions& options) {
    CurlHandle handle;
    if (!handle) return {{}, QStringLiteral("Cannot start a transfer")};
    handle.prepare(url, TransferLimits{options.connectTimeout, options.stallTimeout}, options.proxy);
    CURL* curl = handle.get();

    QByteArray data;
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "file,http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &data);

    QString error = handle.perform();
    if (!error.isNull()) return {{}, std::move(error)};
    return {std::move(data), QString()};
}

}  // namespace ui
