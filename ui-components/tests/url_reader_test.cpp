// The toolkit's URL reader against loopback servers of the test's own.
#include "url_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "loopback_server.h"
#include "scoped_settings.h"

namespace {

using ui::testing::LoopbackServer;
using ui::testing::ScopedEnv;

TEST(UrlReader, ReadsHttpAndFileUrlsWhole) {
    const QByteArray body = QByteArray("line\n").repeated(20000);
    LoopbackServer server(LoopbackServer::httpReply(body));
    const ui::UrlReadResult http = ui::readUrl(server.url("/TB.syn"));
    ASSERT_TRUE(http.ok()) << http.error.toStdString();
    EXPECT_EQ(http.data, body);

    QTemporaryDir folder;
    QFile file(folder.filePath("with blank.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("local");
    file.close();
    const ui::UrlReadResult local =
        ui::readUrl(QUrl::fromLocalFile(file.fileName()).toString(QUrl::FullyEncoded));
    ASSERT_TRUE(local.ok()) << local.error.toStdString();
    EXPECT_EQ(local.data, "local");
}

TEST(UrlReader, FailuresCarryTheirCause) {
    LoopbackServer missing(LoopbackServer::httpReply("gone", "404 Not Found"));
    const ui::UrlReadResult notFound = ui::readUrl(missing.url());
    EXPECT_FALSE(notFound.ok());
    EXPECT_TRUE(notFound.error.contains("404")) << notFound.error.toStdString();

    const ui::UrlReadResult refused =
        ui::readUrl(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::deadPort()));
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error.isEmpty());

    EXPECT_FALSE(ui::readUrl(QUrl::fromLocalFile(QDir::tempPath() + "/no/such/file").toString()).ok());
    EXPECT_FALSE(ui::readUrl(QStringLiteral("gopher://127.0.0.1/")).ok());
}

TEST(UrlReader, ASilentServerFailsAfterTheStallTimeout) {
    LoopbackServer silent({}, LoopbackServer::Silent);
    ui::UrlReadOptions options;
    options.stallTimeout = std::chrono::milliseconds(1000);
    QElapsedTimer clock;
    clock.start();
    const ui::UrlReadResult read = ui::readUrl(silent.url(), options);
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.startsWith("No data received from")) << read.error.toStdString();
    EXPECT_LT(clock.elapsed(), 50000);  // far below the 30 s and 60 s defaults it must not wait for
    EXPECT_EQ(silent.connections(), 1);
}

TEST(UrlReader, ProxiesComeFromTheOptionsOnly) {
    LoopbackServer server(LoopbackServer::httpReply("direct"));
    const QString dead = QStringLiteral("http://127.0.0.1:%1").arg(LoopbackServer::deadPort());
    {
        ScopedEnv http("http_proxy", dead), all("ALL_PROXY", dead), allLower("all_proxy", dead);
        const ui::UrlReadResult read = ui::readUrl(server.url());
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.data, "direct");
    }
    ui::UrlReadOptions viaDeadProxy;
    viaDeadProxy.proxy = dead;
    EXPECT_FALSE(ui::readUrl(server.url(), viaDeadProxy).ok());
    EXPECT_EQ(server.connections(), 1);
}

}  // namespace
