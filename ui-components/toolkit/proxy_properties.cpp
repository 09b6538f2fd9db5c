#include "proxy_properties.h"

#include <QUrl>
#include <atomic>
#include <cstdlib>

namespace ui {
namespace {

std::optional<QString> processEnvironment(const QString& name) {
    const char* value = std::getenv(name.toLocal8Bit().constData());
    if (!value) return std::nullopt;
    return QString::fromLocal8Bit(value);
}

std::atomic<ProxyProperties*> installedProperties{nullptr};

}  // namespace

ProxyProperties::ProxyProperties(const Environment& environment) {
    for (const QString& key : {START_PROXY_HOST, START_PROXY_PORT}) {
        if (std::optional<QString> value = environment(key)) values_.insert(key, *value);
    }
}

ProxyProperties::ProxyProperties() : ProxyProperties(processEnvironment) {}

std::optional<QString> ProxyProperties::getProperty(const QString& key) const {
    std::lock_guard lock(mutex_);
    auto found = values_.constFind(key);
    if (found == values_.constEnd()) return std::nullopt;
    return *found;
}

void ProxyProperties::setProperty(const QString& key, const QString& value) {
    std::lock_guard lock(mutex_);
    values_.insert(key, value);
}

void ProxyProperties::clearProperty(const QString& key) {
    std::lock_guard lock(mutex_);
    values_.remove(key);
}

void ProxyProperties::takeStartProxyForSocks() {
    std::lock_guard lock(mutex_);
    auto host = values_.constFind(START_PROXY_HOST);
    auto port = values_.constFind(START_PROXY_PORT);
    if (host == values_.constEnd() || port == values_.constEnd()) return;
    const QString hostValue = *host, portValue = *port;
    values_.insert(SOCKS_PROXY_HOST, hostValue);
    values_.insert(SOCKS_PROXY_PORT, portValue);
}

QString ProxyProperties::pairUrl(const QString& scheme, const QString& hostKey, const QString& portKey,
                                 const QString& defaultPort) const {
    std::lock_guard lock(mutex_);
    QString host = values_.value(hostKey);
    if (host.isEmpty()) return {};
    QString port = values_.value(portKey);
    if (port.isEmpty()) port = defaultPort;
    // An IPv6 address is written in brackets inside a URL.
    if (host.contains(':') && !host.startsWith('[')) host = '[' + host + ']';
    return scheme + QStringLiteral("://") + host + ':' + port;
}

QString ProxyProperties::socksProxy() const {
    return pairUrl(QStringLiteral("socks5"), SOCKS_PROXY_HOST, SOCKS_PROXY_PORT, QStringLiteral("1080"));
}

QString ProxyProperties::httpProxy() const {
    return pairUrl(QStringLiteral("http"), HTTP_PROXY_HOST, HTTP_PROXY_PORT, QStringLiteral("80"));
}

QString ProxyProperties::proxyFor(const QString& url) const {
    const QString scheme = QUrl(url).scheme().toLower();
    if (scheme == QLatin1String("file")) return {};
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        const QString http = httpProxy();
        if (!http.isEmpty()) return http;
    }
    return socksProxy();
}

ProxyProperties& proxyProperties() {
    if (ProxyProperties* installed = installedProperties.load()) return *installed;
    static ProxyProperties own;
    return own;
}

void setProxyProperties(ProxyProperties* installed) {
    installedProperties.store(installed);
}

}  // namespace ui
