// The process's proxy settings: which proxy each transfer takes, and the URL reader going through them.
#include "proxy_properties.h"

#include <gtest/gtest.h>

#include "loopback_server.h"
#include "scoped_settings.h"
#include "url_reader.h"

namespace {

using ui::ProxyProperties;
using ui::testing::LoopbackServer;

ProxyProperties::Environment environment(QHash<QString, QString> values) {
    return [values](const QString& name) -> std::optional<QString> {
        if (!values.contains(name)) return std::nullopt;
        return values.value(name);
    };
}

TEST(ProxyProperties, EachTransferTakesThePairOfItsProtocol) {
    struct Row {
        QHash<QString, QString> set;
        const char* http;  // the proxy of http:// and https://
        const char* ftp;
    };
    const Row rows[] = {
        {{}, "", ""},
        {{{"http.proxyHost", "web"}, {"http.proxyPort", "3128"}}, "http://web:3128", ""},
        {{{"http.proxyHost", "web"}}, "http://web:80", ""},
        {{{"http.proxyHost", ""}, {"http.proxyPort", ""}}, "", ""},  // as the update wizard may set them
        {{{"socksProxyHost", "sox"}, {"socksProxyPort", "9050"}}, "socks5://sox:9050", "socks5://sox:9050"},
        {{{"socksProxyHost", "::1"}}, "socks5://[::1]:1080", "socks5://[::1]:1080"},
        {{{"socksProxyPort", "9050"}}, "", ""},
        {{{"http.proxyHost", "web"}, {"socksProxyHost", "sox"}}, "http://web:80", "socks5://sox:1080"},
        // Given at the start, they route nothing until an FTP connection takes them for SOCKS.
        {{{"proxyHost", "start"}, {"proxyPort", "1"}}, "", ""},
    };
    for (const Row& row : rows) {
        ProxyProperties properties(environment({}));
        for (auto it = row.set.begin(); it != row.set.end(); ++it)
            properties.setProperty(it.key(), it.value());
        const QString label = QStringList(row.set.keys()).join(',');
        EXPECT_EQ(properties.proxyFor("http://host/x"), row.http) << label.toStdString();
        EXPECT_EQ(properties.proxyFor("HTTPS://host/x"), row.http) << label.toStdString();
        EXPECT_EQ(properties.proxyFor("ftp://host/x"), row.ftp) << label.toStdString();
        EXPECT_EQ(properties.proxyFor("file:///tmp/x"), "") << label.toStdString();
    }
}

TEST(ProxyProperties, TheStartPairBecomesTheSocksPair) {
    ProxyProperties whole(
        environment({{"proxyHost", "gate"}, {"proxyPort", "1081"}, {"socksProxyHost", "x"}}));
    EXPECT_EQ(whole.getProperty("proxyHost"), "gate");
    EXPECT_FALSE(whole.getProperty("socksProxyHost").has_value());  // only the two start keys are read
    whole.takeStartProxyForSocks();
    EXPECT_EQ(whole.getProperty("socksProxyHost"), "gate");
    EXPECT_EQ(whole.getProperty("socksProxyPort"), "1081");
    EXPECT_EQ(whole.socksProxy(), "socks5://gate:1081");

    whole.clearProperty("socksProxyHost");
    EXPECT_EQ(whole.socksProxy(), "");
}

TEST(ProxyProperties, TheUrlReaderGoesThroughTheProcesssHttpProxy) {
    // A proxy is asked for the whole URL; this one answers every request itself.
    LoopbackServer proxy(LoopbackServer::httpReply("from the proxy"));
    ui::testing::ScopedProxyProperties properties;
    properties->setProperty("http.proxyHost", "127.0.0.1");
    properties->setProperty("http.proxyPort", QString::number(proxy.port()));
    const ui::UrlReadResult viaProxy = ui::readUrl("http://version.example.invalid/TesvoZorid/Version.txt");
    ui::UrlReadOptions direct;
    direct.proxy = QString("");
    LoopbackServer server(LoopbackServer::httpReply("direct"));
    const ui::UrlReadResult bypassed = ui::readUrl(server.url(), direct);
    ASSERT_TRUE(viaProxy.ok()) << viaProxy.error.toStdString();
    EXPECT_EQ(viaProxy.data, "from the proxy");
    EXPECT_EQ(proxy.connections(), 1);
    ASSERT_TRUE(bypassed.ok()) << bypassed.error.toStdString();
    EXPECT_EQ(bypassed.data, "direct");
}

}  // namespace
