#pragma once
// The kit's one libcurl reader: whole resources behind file:, http:, https: and ftp: URLs, with finite
// time-outs, so no read can hang the caller for good. Every libcurl user of the kit goes through
// initCurl() for the process-wide set-up.
#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>

namespace ui {

struct UrlReadOptions {
    std::chrono::milliseconds connectTimeout{30000};
    // A transfer that moves no byte, up or down, for this long fails.
    std::chrono::milliseconds stallTimeout{60000};
    // "host:port" or a proxy URL; empty means none. Without one, the process's proxy settings
    // (proxy_properties.h) choose; libcurl's proxy environment variables never apply.
    std::optional<QString> proxy;
};

struct UrlReadResult {
    QByteArray data;
    QString error;  // null on success
    bool ok() const { return error.isNull(); }
};

// libcurl's global initialisation, done once per process whoever asks first; safe from any thread.
void initCurl();

// Reads the whole resource. Fails on any transfer error, on an HTTP status of 400 or more, on a
// protocol other than the four, and on the time-outs; the error is libcurl's own text.
UrlReadResult readUrl(const QString& url, const UrlReadOptions& options = {});

}  // namespace ui
