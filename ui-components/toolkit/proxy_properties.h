#pragma once
// The process's proxy settings, kept under the names the kit's dialogs and its FTP connections use. Every
// libcurl transfer of the kit asks them for its proxy, so a proxy set in one window applies to every later
// download and FTP connection of the process. libcurl's own proxy environment variables never apply.
#include <QHash>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>

namespace ui {

class ProxyProperties {
public:
    static inline const QString HTTP_PROXY_HOST = QStringLiteral("http.proxyHost");
    static inline const QString HTTP_PROXY_PORT = QStringLiteral("http.proxyPort");
    // Given to the process at its start; nothing in the kit sets them.
    static inline const QString START_PROXY_HOST = QStringLiteral("proxyHost");
    static inline const QString START_PROXY_PORT = QStringLiteral("proxyPort");
    static inline const QString SOCKS_PROXY_HOST = QStringLiteral("socksProxyHost");
    static inline const QString SOCKS_PROXY_PORT = QStringLiteral("socksProxyPort");

    // The value of an environment variable, nullopt when it is not set.
    using Environment = std::function<std::optional<QString>(const QString& name)>;

    // Reads "proxyHost" and "proxyPort" from the environment variables of those names, once, here.
    explicit ProxyProperties(const Environment& environment);
    ProxyProperties();  // from the process's own environment

    std::optional<QString> getProperty(const QString& key) const;
    void setProperty(const QString& key, const QString& value);
    void clearProperty(const QString& key);

    // When "proxyHost" and "proxyPort" both have values, the SOCKS pair takes them; otherwise nothing
    // changes. The FTP connections do this before they connect.
    void takeStartProxyForSocks();

    // A pair applies while its host is a non-empty text; a missing or empty port is the protocol's
    // default (1080 for SOCKS, 80 for HTTP). Empty when the pair does not apply.
    QString socksProxy() const;  // "socks5://host:port": names are resolved here, not by the proxy
    QString httpProxy() const;   // "http://host:port"
    // The proxy of a transfer to `url`: HTTP and HTTPS take the HTTP pair, and like every other protocol
    // the SOCKS pair when no HTTP proxy applies; "file:" takes none. Empty means a direct connection.
    QString proxyFor(const QString& url) const;

private:
    QString pairUrl(const QString& scheme, const QString& hostKey, const QString& portKey,
                    const QString& defaultPort) const;

    mutable std::mutex mutex_;  // the update download reads them from a thread of its own
    QHash<QString, QString> values_;
};

// The process's settings: its own object unless one was installed (tests). `setProxyProperties(nullptr)`
// restores the process's own; the caller keeps ownership of what it installs.
ProxyProperties& proxyProperties();
void setProxyProperties(ProxyProperties* installed);

}  // namespace ui
