// The FTP window against a real FTP server and a real SOCKS proxy on loopback ports: the upload on a
// connection of its own, Display, and the proxy settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "busy_work.h"
#include "editor_testing.h"
#include "ftp_browser.h"
#include "ftp_window.h"
#include "loopback_server.h"
#include "proxy_properties.h"
#include "references.h"
#include "scoped_settings.h"
#include "scripted_prompter.h"
#include "test_servers.h"

namespace editor {
namespace {

using ui::ProxyProperties;
using ui::testing::FtpTestServer;
using ui::testing::LoopbackServer;
using ui::testing::Question;
using ui::testing::ScopedProxyProperties;
using ui::testing::ScriptedPrompter;
using ui::testing::SocksTestProxy;

// A silent server fails within a second; a working one, however loaded the machine, is never cut.
const ui::TransferLimits kShort{std::chrono::milliseconds(5000), std::chrono::milliseconds(1000)};
const ui::TransferLimits kPatient{std::chrono::milliseconds(30000), std::chrono::milliseconds(30000)};

QAction* actionNamed(FTP& window, const QString& name) {
    ui::resourcebrowser::ActionModel* model = window.getBrowser()->getActionModel();
    for (int i = 0; i < model->size(); ++i) {
        if (model->getActionAt(i)->text() == name) return model->getActionAt(i);
    }
    ADD_FAILURE() << "no action " << name.toStdString();
    return nullptr;
}

// Runs `act` on the modal dialog of type T that the next step opens.
template <typename T>
void whenModal(std::function<void(T&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

// Counts the paint events a widget receives while it lives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
    int count = 0;
};

class FtpWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.isRunning()) << server.error().toStdString(); }

    std::unique_ptr<FTP> openWindow(const FtpConnection& connection) {
        auto window = std::make_unique<FTP>(nullptr, references, connection);
        window->show();
        return window;
    }
    std::unique_ptr<FTP> openWindow() { return openWindow({server.port(), kPatient}); }

    // Types the login into the browser and connects it, as a user does before the actions are enabled.
    void connectBrowser(FTP& window, const QString& password = FtpTestServer::PASSWORD) {
        ui::ftpbrowser::FTPBrowser* browser = window.getBrowser();
        browser->hostField()->setText("127.0.0.1");
        browser->userField()->setText(FtpTestServer::USER);
        browser->passwordField()->setText(password);
        browser->connectButton()->click();
        ASSERT_TRUE(browser->isConnected());
    }

    QString localFile(const QString& name, const QByteArray& content) {
        QFile file(local.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    // Uploads `path` chosen in the file chooser; the error boxes it showed.
    QStringList upload(FTP& window, const std::optional<QString>& path) {
        prompter.clear();
        prompter.reply(path);
        actionNamed(window, "Upload")->trigger();
        QStringList errors;
        for (const Question& question : prompter.questions()) {
            if (question.kind == Question::Error) errors << question.text;
        }
        return errors;
    }

    ScopedProxyProperties proxies;
    FtpTestServer server;
    QTemporaryDir kit;
    testing::KitFolder kitFolder{kit.path()};
    QTemporaryDir local;
    ScriptedPrompter prompter;
    References references;
};

TEST_F(FtpWindowTest, StartsFromTheDefaultStateWithItsActionsAfterTheBrowsers) {
    auto window = openWindow();
    EXPECT_EQ(window->windowTitle(), "FTP Editor ");
    EXPECT_TRUE(window->isModal());
    EXPECT_EQ(window->size(), QSize(500, 550));
    ui::ftpbrowser::FTPBrowser* browser = window->getBrowser();
    EXPECT_EQ(browser->hostField()->text(), "MyHost");
    EXPECT_EQ(browser->userField()->text(), "MyUserName");
    EXPECT_EQ(browser->passwordField()->text(), "Qarnelwist");
    QStringList names;
    for (int i = 0; i < browser->getActionModel()->size(); ++i)
        names << browser->getActionModel()->getActionAt(i)->text();
    EXPECT_EQ(names, QStringList({"New", "Rename", "Delete", "Display", "Upload", "Proxy Settings"}));
}

TEST_F(FtpWindowTest, UploadStoresTheChosenFileUnderItsOwnNameWithTheTypedLogin) {
    auto window = openWindow();
    connectBrowser(*window);
    const QByteArray bytes("PK\x03\x04\0binary\r\n\xff", 15);
    EXPECT_EQ(upload(*window, localFile("Skyward.jar", bytes)), QStringList());
    EXPECT_EQ(prompter.questions().front().kind, Question::OpenFile);
    // The end is shown.
    EXPECT_EQ(prompter.questions().back().kind, Question::Information);
    EXPECT_EQ(prompter.questions().back().title, "Upload");
    EXPECT_EQ(prompter.questions().back().text, "Uploaded Skyward.jar");
    EXPECT_EQ(prompter.questions().front().detail, kit.path());  // the chooser opens on the kit folder
    EXPECT_EQ(server.read("/Skyward.jar"), bytes);

    // Replaced, not appended; an empty file arrives empty; a cancelled chooser sends nothing.
    EXPECT_EQ(upload(*window, localFile("Skyward.jar", "v2")), QStringList());
    EXPECT_EQ(server.read("/Skyward.jar"), "v2");
    EXPECT_EQ(upload(*window, localFile("empty.jad", {})), QStringList());
    EXPECT_EQ(server.entries(), QStringList({"Skyward.jar", "empty.jad"}));
    EXPECT_EQ(server.read("/empty.jad"), "");
    EXPECT_EQ(upload(*window, std::nullopt), QStringList());
    EXPECT_EQ(server.entries(), QStringList({"Skyward.jar", "empty.jad"}));
    // The upload's own connection leaves the browser's alone.
    EXPECT_TRUE(window->getBrowser()->isConnected());
}

TEST_F(FtpWindowTest, FailedUploadsShowTheirFailureAndKeepTheWindowOpen) {
    const QString path = localFile("game.jar", "game");
    {
        // A password changed after connecting is the one the upload logs in with.
        auto window = openWindow();
        connectBrowser(*window);
        window->getBrowser()->passwordField()->setText("wrong");
        const QStringList errors = upload(*window, path);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].startsWith("530")) << errors[0].toStdString();
        EXPECT_EQ(prompter.questions().back().title, "Upload");
        EXPECT_TRUE(window->isVisible());
        // A host that is no host name.
        window->getBrowser()->hostField()->setText("bad host");
        EXPECT_EQ(upload(*window, path), QStringList({"Invalid host name bad host"}));
        // The server gone: its port is closed.
        window->getBrowser()->hostField()->setText("127.0.0.1");
        server.stop();
        const QStringList refused = upload(*window, path);
        ASSERT_EQ(refused.size(), 1);
        EXPECT_TRUE(refused[0].contains("connect", Qt::CaseInsensitive)) << refused[0].toStdString();
        const QStringList missing = upload(*window, local.filePath("gone.jar"));
        ASSERT_EQ(missing.size(), 1);
        EXPECT_TRUE(missing[0].startsWith("Could not open file " + local.filePath("gone.jar")));
        EXPECT_TRUE(window->isVisible());
    }
    {
        // A server that accepts and never answers: the shortened time-out ends the wait. Meanwhile the
        // transfer runs off the GUI thread: the window goes on drawing behind a busy box that no key
        // closes, and the failure is shown when the box has gone.
        LoopbackServer silent({}, LoopbackServer::Silent);
        auto window = openWindow({silent.port(), kShort});
        window->getBrowser()->hostField()->setText("127.0.0.1");
        QAction* action = actionNamed(*window, "Upload");
        action->setEnabled(true);
        PaintCounter painted(window.get());
        int busyTicks = 0;
        QStringList shown;
        QTimer ticker;
        ticker.setInterval(20);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || box->objectName() != "busyBox") return;
            ++busyTicks;
            window->update();
            shown << box->findChild<QLabel*>("busyText")->text();
            EXPECT_EQ(box->findChild<QProgressBar*>("busyBar")->maximum(), 0);  // a busy bar
            EXPECT_EQ(box->findChild<QPushButton*>("busyCancel"), nullptr);     // the upload runs to its end
            EXPECT_EQ(box->parentWidget(), window.get());
            QTest::keyClick(box, Qt::Key_Escape);
        });
        ticker.start();
        QElapsedTimer timer;
        timer.start();
        const QStringList errors = upload(*window, path);
        ticker.stop();
        EXPECT_LT(timer.elapsed(), 30000);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains("No data received") || errors[0].contains("timed out"))
            << errors[0].toStdString();
        EXPECT_EQ(silent.connections(), 1);
        EXPECT_GE(busyTicks, 3);
        EXPECT_GE(painted.count, 3);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.first(), "Uploading game.jar to 127.0.0.1 ...");
        EXPECT_EQ(window->findChild<ui::BusyBox*>(), nullptr);
        EXPECT_TRUE(window->isVisible());
    }
}

TEST(FtpRemoteName, DropsTheFoldersOfEitherSeparator) {
    const std::pair<QString, QString> rows[] = {
        {"/home/user/games/Skyward.jar", "Skyward.jar"},
        {"C:\\Games\\Skyward.jar", "Skyward.jar"},
        {"C:\\Games/sub\\Skyward.jar", "Skyward.jar"},
        {"/home/user/odd\\name.jar", "name.jar"},
        {"dir\\sub/last.jad", "last.jad"},
        {"plain.jar", "plain.jar"},
        {"/folder/", ""},
    };
    for (const auto& [path, name] : rows) EXPECT_EQ(remoteName(path), name) << path.toStdString();
}

TEST_F(FtpWindowTest, TextsThatWouldEndTheCommandAreRefusedBeforeAnythingIsSent) {
    const QString clean = localFile("clean.jar", "x");
    const QString broken = localFile("two\r\nDELE clean.jar", "x");
    const FtpConnection connection{server.port(), kPatient};
    const QString refusal =
        "The host, user, password and file name may not hold a line break or a NUL character";
    const QString user = FtpTestServer::USER, password = FtpTestServer::PASSWORD;
    EXPECT_EQ(FTP::upload("127.0.0.1", user, password, broken, connection), refusal);
    EXPECT_EQ(FTP::upload("127.0.0.1", user + "\nx", password, clean, connection), refusal);
    EXPECT_EQ(FTP::upload("127.0.0.1", user, password + QChar(0), clean, connection), refusal);
    EXPECT_EQ(FTP::upload("127.0.0.1\r", user, password, clean, connection), refusal);
    EXPECT_EQ(server.entries(), QStringList());
    // Characters that are special in a URL reach the server as the name itself.
    const QString odd = localFile("a #1 ?%20.jar", "odd");
    EXPECT_TRUE(FTP::upload("127.0.0.1", user, password, odd, connection).isNull());
    EXPECT_EQ(server.read("/a #1 ?%20.jar"), "odd");
}

TEST_F(FtpWindowTest, GivenProxyHostAndPortTheUploadGoesThroughThatSocksProxy) {
    const QString path = localFile("game.jar", "through the proxy");
    const FtpConnection connection{server.port(), kPatient};
    {
        SocksTestProxy socks;
        ASSERT_TRUE(socks.isRunning()) << socks.error().toStdString();
        ScopedProxyProperties started(
            {{"proxyHost", "127.0.0.1"}, {"proxyPort", QString::number(socks.port())}});
        EXPECT_TRUE(FTP::upload("127.0.0.1", FtpTestServer::USER, FtpTestServer::PASSWORD, path, connection)
                        .isNull());
        EXPECT_EQ(server.read("/game.jar"), "through the proxy");
        EXPECT_EQ(started->getProperty(ProxyProperties::SOCKS_PROXY_PORT), QString::number(socks.port()));
        EXPECT_GE(socks.connections(), 2);  // control and data connection
    }
    // A host without a port is no proxy pair: the upload connects directly, the SOCKS settings stay unset.
    ScopedProxyProperties hostOnly({{"proxyHost", "127.0.0.1"}});
    EXPECT_TRUE(
        FTP::upload("127.0.0.1", FtpTestServer::USER, FtpTestServer::PASSWORD, path, connection).isNull());
    EXPECT_FALSE(hostOnly->getProperty(ProxyProperties::SOCKS_PROXY_HOST).has_value());
    EXPECT_FALSE(hostOnly->getProperty(ProxyProperties::SOCKS_PROXY_PORT).has_value());
}

TEST_F(FtpWindowTest, DisplayShowsTheSelectedRemoteTextInAWindowOfItsOwn) {
    server.write("/notes.txt", "Grüße\nzweite Zeile\n");
    server.write("/latin.txt", "caf\xe9");
    auto window = openWindow();
    connectBrowser(*window);
    const auto shownTexts = [&] {
        QStringList texts;
        for (auto* shown : window->findChildren<QPlainTextEdit*>("textarea")) texts << shown->toPlainText();
        return texts;
    };
    actionNamed(*window, "Display")->trigger();  // nothing selected: nothing shown
    EXPECT_EQ(shownTexts(), QStringList());

    QTableWidget* table = window->getBrowser()->table();
    for (const QString& name : {QString("notes.txt"), QString("latin.txt")}) {
        const QList<QTableWidgetItem*> found = table->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        table->selectRow(found[0]->row());
        actionNamed(*window, "Display")->trigger();
    }
    EXPECT_EQ(shownTexts(), QStringList({"Grüße\nzweite Zeile\n", "café"}));
    auto* shown = window->findChild<QPlainTextEdit*>("textarea")->window();
    EXPECT_NE(shown, window.get());
    EXPECT_EQ(shown->size(), QSize(400, 400));
    EXPECT_TRUE(window->getBrowser()->isConnected());  // Display keeps the browser's connection
}

TEST_F(FtpWindowTest, ProxySettingsStoreTheTypedTextsAndSetTheHttpProxy) {
    auto window = openWindow();
    QAction* proxy = actionNamed(*window, "Proxy Settings");
    proxy->setEnabled(true);
    using Texts = std::pair<std::optional<QString>, std::optional<QString>>;
    const QString host = ProxyProperties::HTTP_PROXY_HOST, port = ProxyProperties::HTTP_PROXY_PORT;
    // Each step starts without an HTTP proxy, types into the fields (always empty when opened) and
    // presses a button; Cancel keeps the values confirmed before, which are set again.
    const struct {
        QString host, port;
        const char* button;
        Texts stored, http;
    } steps[] = {
        {"never", "confirmed", "cancelButton", {}, {}},
        {" proxy.local ", "80a", "okButton", {" proxy.local ", "80a"}, {" proxy.local ", "80a"}},
        {"typed, then", "cancelled", "cancelButton", {" proxy.local ", "80a"}, {" proxy.local ", "80a"}},
        {"", "", "okButton", {"", ""}, {}},  // stored, but an empty text sets no proxy
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.host.toStdString());
        proxies->clearProperty(host);
        proxies->clearProperty(port);
        whenModal<ProxySettings>([&](ProxySettings& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Proxy Settings");
            auto* hostField = dialog.findChild<QLineEdit*>("textfield1");
            auto* portField = dialog.findChild<QLineEdit*>("textfield2");
            // Each field stands beside its label and takes the rest of the row.
            for (const auto& [label, field] :
                 {std::pair{"label2", hostField}, std::pair{"label3", portField}}) {
                const QLabel* shown = dialog.findChild<QLabel*>(label);
                EXPECT_LT(field->x() - (shown->x() + shown->sizeHint().width()), 16) << label;
                EXPECT_GT(field->width(), shown->width()) << label;
            }
            EXPECT_EQ(hostField->text() + portField->text(), "");
            QTest::keyClicks(hostField, step.host);
            QTest::keyClicks(portField, step.port);
            dialog.findChild<QPushButton*>(step.button)->click();
        });
        proxy->trigger();
        EXPECT_EQ(Texts(references.proxyHost, references.proxyPort), step.stored);
        EXPECT_EQ(Texts(proxies->getProperty(host), proxies->getProperty(port)), step.http);
    }
}

}  // namespace
}  // namespace editor
