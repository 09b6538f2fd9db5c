// The FTP manager against a real FTP server and a real SOCKS proxy, both started by the tests on
// loopback ports, and the listing parser on both listing forms.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "busy_work.h"
#include "ftp_browser.h"
#include "loopback_server.h"
#include "proxy_properties.h"
#include "scoped_settings.h"
#include "scripted_prompter.h"
#include "test_servers.h"

namespace {

using namespace ui::ftpbrowser;
using ui::ProxyProperties;
using ui::resourcebrowser::ResourceException;
using ui::resourcebrowser::ZoridResourceItem;
using ui::testing::FtpTestServer;
using ui::testing::LoopbackServer;
using ui::testing::ScopedEnv;
using ui::testing::ScopedProxyProperties;
using ui::testing::ScriptedPrompter;
using ui::testing::SocksTestProxy;

// A silent server fails within a second; a working one, however loaded the machine, is never cut.
const ui::TransferLimits kShort{std::chrono::milliseconds(5000), std::chrono::milliseconds(1000)};
const ui::TransferLimits kPatient{std::chrono::milliseconds(30000), std::chrono::milliseconds(30000)};

ZoridResourceItem item(const QString& path) {
    return ZoridResourceItem(path, true);
}

// The manager's failure text, or "done".
QString failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ResourceException& failure) {
        return failure.getMessage();
    }
    return QStringLiteral("done");
}

QStringList paths(const ui::resourcebrowser::ResourceItemModel& listing) {
    QStringList found;
    for (const auto& each : listing.toArray())
        found.append(each->getFullPath() + (each->isFile() ? "" : "/"));
    found.sort();
    return found;
}

class FtpManager : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.isRunning()) << server.error().toStdString(); }
    void login() { ASSERT_EQ(manager.start("127.0.0.1", FtpTestServer::USER, FtpTestServer::PASSWORD), "/"); }

    ScopedProxyProperties proxies;
    FtpTestServer server;
    FTPResourceManager manager{server.port(), kPatient};
};

TEST_F(FtpManager, ListsFetchesStoresRenamesAndDeletes) {
    server.write("/a.txt", "alpha");
    server.write("/sub/b.txt", "beta");
    login();

    auto root = manager.list(ZoridResourceItem("/", false));
    EXPECT_EQ(paths(*root), QStringList({"/a.txt", "/sub/"}));
    auto first = root->getResourceItem(0);
    if (first->getFileName() != "a.txt") first = root->getResourceItem(1);
    EXPECT_EQ(first->getSize(), 5);
    EXPECT_TRUE(first->getLastModified().has_value());
    EXPECT_EQ(first->getFileName(), "a.txt");
    // Without its final "/", one is inserted; the model is the manager's, reused.
    EXPECT_EQ(manager.list(ZoridResourceItem("/sub", false)), root);
    EXPECT_EQ(paths(*root), QStringList({"/sub/b.txt"}));

    EXPECT_EQ(manager.getContent(item("/sub/b.txt")), "beta");
    manager.setContent(item("/a.txt"), "new");
    EXPECT_EQ(server.read("/a.txt"), "new");  // replaced, not appended
    manager.setContent(item("/sub/empty.txt"), {});
    EXPECT_EQ(server.entries("/sub"), QStringList({"b.txt", "empty.txt"}));
    manager.renameFile(item("/a.txt"), "/sub/moved.txt");
    manager.deleteFile(item("/sub/b.txt"));
    EXPECT_EQ(server.entries("/"), QStringList({"sub"}));
    EXPECT_EQ(server.entries("/sub"), QStringList({"empty.txt", "moved.txt"}));
    EXPECT_EQ(server.read("/sub/moved.txt"), "new");

    // Failures carry the operation's text and the server's reply.
    EXPECT_TRUE(
        failureOf([&] { manager.getContent(item("/gone.txt")); }).startsWith("Can't get file content : 550"));
    EXPECT_TRUE(failureOf([&] {
                    manager.list(item("/nowhere"));
                }).startsWith("Cannot list this path /nowhere : 550"));
    EXPECT_TRUE(
        failureOf([&] { manager.deleteFile(item("/gone.txt")); }).startsWith("Can't delete this file : 550"));
    EXPECT_TRUE(failureOf([&] {
                    manager.renameFile(item("/gone.txt"), "/x");
                }).startsWith("Can't rename this file : 550"));
    // The connection survives a refused command.
    EXPECT_EQ(manager.getContent(item("/sub/moved.txt")), "new");
}

TEST_F(FtpManager, TheBrowsersNewAndRenameRefuseNamesThatWouldLeaveTheFolderShown) {
    server.write("/sub/a.txt", "a");
    ScriptedPrompter prompter;
    FTPBrowser browser(std::make_shared<FTPResourceManager>(server.port(), kPatient), nullptr);
    browser.hostField()->setText("127.0.0.1");
    browser.userField()->setText(FtpTestServer::USER);
    browser.passwordField()->setText(FtpTestServer::PASSWORD);
    ASSERT_TRUE(browser.connect());
    const auto row = [&browser](const QString& name) {
        for (int i = 0; i < browser.table()->rowCount(); ++i) {
            if (browser.table()->item(i, 0)->text() == name) return i;
        }
        return -1;
    };
    emit browser.table()->cellDoubleClicked(row("sub"), 0);
    browser.table()->selectRow(row("a.txt"));
    ASSERT_EQ(browser.getSelectedPathFile(), "/sub/a.txt");
    const QString refusal = "A name may not hold \"/\" or be \".\" or \"..\"";
    for (const QString name : {"../escaped.txt", "..", ".", "x/y.txt"}) {
        SCOPED_TRACE(name.toStdString());
        prompter.clear();
        prompter.reply(name);
        browser.newFile();
        prompter.reply(name);
        browser.renameFile();
        EXPECT_EQ(prompter.texts(), QStringList({"New file", refusal, "New name", refusal}));
    }
    EXPECT_EQ(server.entries(), QStringList{"sub"});
    EXPECT_EQ(server.entries("/sub"), QStringList{"a.txt"});
}

TEST_F(FtpManager, NoConnectionBeforeStartAndAfterStop) {
    const std::vector<std::function<void()>> operations = {
        [&] { manager.list(item("/")); },
        [&] { manager.getContent(item("/a")); },
        [&] { manager.setContent(item("/a"), "x"); },
        [&] { manager.renameFile(item("/a"), "/b"); },
        [&] { manager.deleteFile(item("/a")); },
        [&] { manager.lock(item("/a"), true); },
    };
    for (size_t i = 0; i < operations.size(); ++i) EXPECT_EQ(failureOf(operations[i]), "No connection") << i;
    login();
    manager.stop();
    manager.stop();  // a second stop is harmless
    for (size_t i = 0; i < operations.size(); ++i) EXPECT_EQ(failureOf(operations[i]), "No connection") << i;
    EXPECT_TRUE(server.entries().isEmpty());
    EXPECT_FALSE(manager.isLockSupported());
    EXPECT_TRUE(manager.isConnectionSupported());
}

TEST_F(FtpManager, NamesWithUrlCharactersRoundTrip) {
    login();
    const QString folder = "/odd #?% dir";
    QDir().mkpath(server.home() + folder);
    const QStringList names = {"with blank.txt", "hash#1", "per%25cent", "what?.txt",
                               "100% sure",      "...",    "ünï"};
    for (const QString& name : names) {
        const QString path = folder + '/' + name;
        manager.setContent(item(path), name.toUtf8());
        EXPECT_EQ(server.read(path), name.toUtf8()) << name.toStdString();
        EXPECT_EQ(manager.getContent(item(path)), name.toUtf8()) << name.toStdString();
    }
    QStringList expected;
    for (const QString& name : names) expected.append(folder + '/' + name);
    expected.sort();
    EXPECT_EQ(paths(*manager.list(ZoridResourceItem(folder, false))), expected);
    for (const QString& name : names) {
        manager.renameFile(item(folder + '/' + name), folder + '/' + name + " 2");
        manager.deleteFile(item(folder + '/' + name + " 2"));
    }
    EXPECT_TRUE(server.entries(folder).isEmpty());
}

TEST_F(FtpManager, LineBreaksAndNulAreRefusedBeforeAnyCommand) {
    server.write("/a.txt", "alpha");
    login();
    const QString nul = QString("/a.txt") + QChar(0) + "x";
    struct Row {
        const char* message;
        std::function<void()> operation;
    };
    const std::vector<Row> rows = {
        {"Can't rename this file", [&] { manager.renameFile(item("/a.txt"), "/b.txt\r\nDELE /a.txt"); }},
        {"Can't set file content", [&] { manager.setContent(item("/new\r\nDELE /a.txt"), "x"); }},
        {"Can't delete this file", [&] { manager.deleteFile(item(nul)); }},
        {"Cannot list this path /\n", [&] { manager.list(item("/\n")); }},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(failureOf(row.operation),
                  QString(row.message) + " : A name may not hold a line break or a NUL character");
    }
    // A name from a listing: the lines of a listing cannot carry one, but a server's entry is trusted no
    // more.
    FTPFile listed;
    listed.name = "b\rDELE a.txt";
    const FTPResourceItem fromListing("/", listed);
    EXPECT_TRUE(
        failureOf([&] { manager.deleteFile(fromListing); }).startsWith("Can't delete this file : A name"));
    EXPECT_TRUE(failureOf([&] {
                    manager.renameFile(fromListing, "/c");
                }).startsWith("Can't rename this file : A name"));
    EXPECT_EQ(server.entries(), QStringList({"a.txt"}));
    EXPECT_EQ(server.read("/a.txt"), "alpha");

    manager.stop();
    EXPECT_TRUE(failureOf([&] {
                    manager.start("127.0.0.1", FtpTestServer::USER + "\r\nDELE a.txt", "x");
                }).startsWith("Can't connect : A name"));
    EXPECT_FALSE(manager.isConnected());
}

TEST_F(FtpManager, FailedConnectionsSayWhyInBoundedTime) {
    // The server answers a wrong password after a pause of its own.
    FTPResourceManager patient(server.port(),
                               {std::chrono::milliseconds(5000), std::chrono::milliseconds(15000)});
    const QString wrong = failureOf([&] { patient.start("127.0.0.1", FtpTestServer::USER, "wrong"); });
    EXPECT_TRUE(wrong.startsWith("Can't connect : 530 ")) << wrong.toStdString();
    EXPECT_FALSE(patient.isConnected());
    EXPECT_TRUE(
        failureOf([&] { manager.start("not a host", "u", "p"); }).startsWith("Can't connect : Invalid host"));

    FTPResourceManager closed(LoopbackServer::deadPort(), kShort);
    const QString refused = failureOf([&] { closed.start("127.0.0.1", "u", "p"); });
    EXPECT_TRUE(refused.startsWith("Can't connect : ") && refused.contains("onnect to"))
        << refused.toStdString();

    LoopbackServer silent({}, LoopbackServer::Silent);
    FTPResourceManager stalled(silent.port(), kShort);
    QElapsedTimer clock;
    clock.start();
    const QString timedOut = failureOf([&] { stalled.start("127.0.0.1", "u", "p"); });
    EXPECT_TRUE(timedOut.startsWith("Can't connect : ")) << timedOut.toStdString();
    EXPECT_TRUE(timedOut.contains("timed out") || timedOut.contains("No data received"))
        << timedOut.toStdString();
    EXPECT_LT(clock.elapsed(), 25000);  // far below the 30 s and 60 s it must not wait for
    EXPECT_FALSE(stalled.isConnected());
}

// Connect to a server that accepts and never answers, with time-outs far beyond the test: the event loop
// goes on (a timer fires) behind the busy box, and its Cancel ends the connect within a second, without
// a box of failure. Connect again and close the window meanwhile: the panel goes, and the connect with it.
TEST(FtpBrowserBusy, ASilentServerHoldsNothingAndCancelEndsTheConnect) {
    LoopbackServer silent({}, LoopbackServer::Silent);
    ScriptedPrompter prompter;
    auto* window = new QWidget;
    auto* browser =
        new FTPBrowser(std::make_shared<FTPResourceManager>(silent.port(), kPatient), nullptr, window);
    (new QVBoxLayout(window))->addWidget(browser);
    window->show();
    browser->hostField()->setText("127.0.0.1");
    browser->userField()->setText("u");

    int ticks = 0;
    QString shown;
    QElapsedTimer sinceCancel;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        auto* box = qobject_cast<ui::BusyBox*>(QApplication::activeModalWidget());
        if (!box || ticks < 20 || sinceCancel.isValid()) return;
        shown = box->findChild<QLabel*>("busyText")->text();
        sinceCancel.start();
        box->findChild<QPushButton*>("busyCancel")->click();
    });
    ticker.start(10);
    browser->connectButton()->click();
    const qint64 cancelling = sinceCancel.elapsed();
    ticker.stop();
    EXPECT_GE(ticks, 20);
    EXPECT_EQ(shown, "Connecting to 127.0.0.1 ...");
    EXPECT_LT(cancelling, 1000);
    EXPECT_FALSE(browser->isConnected());
    EXPECT_EQ(browser->connectButton()->text(), "Connect");
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.texts().join(" | ").toStdString();
    EXPECT_EQ(silent.connections(), 1);

    QPointer<FTPBrowser> watched(browser);
    QTimer::singleShot(50, [window] { delete window; });
    EXPECT_FALSE(browser->connect());
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(silent.connections(), 2);
    EXPECT_TRUE(prompter.texts().isEmpty());
}

TEST(FtpProxy, TheStartProxyCarriesControlAndDataConnections) {
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    server.write("/a.txt", "alpha");
    auto socks = std::make_unique<SocksTestProxy>();
    ASSERT_TRUE(socks->isRunning()) << socks->error().toStdString();
    ScopedProxyProperties proxies(
        {{"proxyHost", "127.0.0.1"}, {"proxyPort", QString::number(socks->port())}});

    FTPResourceManager manager(server.port(), kPatient);
    ASSERT_EQ(manager.start("127.0.0.1", FtpTestServer::USER, FtpTestServer::PASSWORD), "/");
    EXPECT_EQ(paths(*manager.list(item("/"))), QStringList({"/a.txt"}));
    EXPECT_EQ(manager.getContent(item("/a.txt")), "alpha");
    EXPECT_EQ(proxies->getProperty("socksProxyHost"), "127.0.0.1");
    EXPECT_GE(socks->connections(), 2) << socks->output().toStdString();  // control and data connections
    manager.stop();

    socks.reset();
    const QString failed =
        failureOf([&] { manager.start("127.0.0.1", FtpTestServer::USER, FtpTestServer::PASSWORD); });
    EXPECT_TRUE(failed.startsWith("Can't connect : ")) << failed.toStdString();
}

TEST(FtpProxy, WithoutAProxyTheConnectionIsDirect) {
    FtpTestServer server;
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    server.write("/a.txt", "alpha");
    const QString dead = QStringLiteral("socks5://127.0.0.1:%1").arg(LoopbackServer::deadPort());
    ScopedEnv all("ALL_PROXY", dead), allLower("all_proxy", dead), ftp("ftp_proxy", dead);
    // A host without a port is no proxy pair: the SOCKS settings stay unset.
    ScopedProxyProperties proxies({{"proxyHost", "127.0.0.1"}});

    FTPResourceManager manager(server.port(), kPatient);
    ASSERT_EQ(manager.start("127.0.0.1", FtpTestServer::USER, FtpTestServer::PASSWORD), "/");
    EXPECT_FALSE(proxies->getProperty("socksProxyHost").has_value());
    EXPECT_FALSE(proxies->getProperty("socksProxyPort").has_value());
    EXPECT_EQ(paths(*manager.list(item("/"))), QStringList({"/a.txt"}));
}

TEST(FtpListing, ParsesTheUnixAndDosForms) {
    const QDateTime now(QDate(2024, 3, 10), QTime(12, 0), Qt::UTC);
    struct Row {
        const char* line;
        const char* name;  // null: the line gives no entry
        bool directory;
        qint64 size;
        QDateTime date;
    };
    const QDateTime noon(QDate(2024, 1, 2), QTime(12, 34), Qt::UTC);
    const std::vector<Row> rows = {
        {"-rw-r--r--   1 owner    group          5 Jan 02 12:34 a.txt", "a.txt", false, 5, noon},
        {"drwxr-xr-x   2 owner    group       4096 Jan  2 12:34 sub dir", "sub dir", true, 4096, noon},
        {"-rw-r--r--   1 owner   123456 Jan 02 12:34 no group", "no group", false, 123456, noon},
        {"-rw-r--r--   1 1000 1000 7 Dec 31  2019 old  two blanks", "old  two blanks", false, 7,
         QDateTime(QDate(2019, 12, 31), QTime(0, 0), Qt::UTC)},
        {"lrwxrwxrwx   1 o g 11 Jan 02 12:34 link -> target", "link", false, 11, noon},
        // A time in the months ahead is last year's.
        {"-rw-r--r--+  1 o g 1 Nov 20 08:00 late", "late", false, 1,
         QDateTime(QDate(2023, 11, 20), QTime(8, 0), Qt::UTC)},
        {"01-02-24  12:34PM       <DIR>          Folder", "Folder", true, 0, noon},
        {"01-02-24  12:34AM                 1,234 file name.txt", "file name.txt", false, 1234,
         QDateTime(QDate(2024, 1, 2), QTime(0, 34), Qt::UTC)},
        {"12-31-1999  11:59PM  9 y2k", "y2k", false, 9,
         QDateTime(QDate(1999, 12, 31), QTime(23, 59), Qt::UTC)},
        {"total 12", nullptr, false, 0, {}},
        {"drwxr-xr-x   2 o g 4096 Jan 02 12:34 ..", nullptr, false, 0, {}},
        {"-rw-r--r--   1 o g five Jan 02 12:34 bad size", nullptr, false, 0, {}},
    };
    for (const Row& row : rows) {
        const std::vector<FTPFile> files = parseListing(QByteArray(row.line) + "\r\n", now);
        if (!row.name) {
            EXPECT_TRUE(files.empty()) << row.line;
            continue;
        }
        ASSERT_EQ(files.size(), 1u) << row.line;
        EXPECT_EQ(files[0].name, row.name) << row.line;
        EXPECT_EQ(files[0].directory, row.directory) << row.line;
        EXPECT_EQ(files[0].size, row.size) << row.line;
        EXPECT_EQ(files[0].lastModified, row.date) << row.line;
    }
    // Order kept, "\n" alone ends a line too, a name that is not UTF-8 kept byte for byte.
    const auto files =
        parseListing("-rw-r--r-- 1 o g 1 Jan 02 12:34 b\n-rw-r--r-- 1 o g 1 Jan 02 12:34 a\xe9\n", now);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "b");
    EXPECT_EQ(files[1].name, QString::fromLatin1("a\xe9"));
}

}  // namespace
