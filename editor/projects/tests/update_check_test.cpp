// The update wizard against a loopback HTTP server of the test's own (and tinyproxy in front of it): the
// decision table, the failure roads, the download thread while the dialog keeps handling events.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "editor_testing.h"
#include "gui_harness.h"
#include "loopback_server.h"
#include "proxy_properties.h"
#include "scoped_settings.h"
#include "scripted_prompter.h"
#include "test_servers.h"
#include "update_check.h"

namespace editor {
namespace {

using ui::Answer;
using ui::ProxyProperties;
using ui::testing::LoopbackServer;
using ui::testing::Question;
using ui::testing::ScopedProxyProperties;
using ui::testing::ScriptedPrompter;

const QString kPage = "http://127.0.0.1:9/TesvoZorid.asp";
// A silent server fails within seconds, though not before a loaded machine sees the download running;
// a working one is never cut.
const ui::TransferLimits kShort{std::chrono::milliseconds(5000), std::chrono::milliseconds(5000)};
const ui::TransferLimits kPatient{std::chrono::milliseconds(30000), std::chrono::milliseconds(30000)};

class UpdateTest : public ::testing::Test {
protected:
    UpdateSite siteOf(const LoopbackServer& server, ui::TransferLimits limits = kPatient) {
        return {server.url("/TesvoZorid/Version.txt"), kPage, limits};
    }

    static QPushButton* button(Update& wizard, const char* name) {
        return wizard.findChild<QPushButton*>(name);
    }
    static QRadioButton* radio(Update& wizard, const char* name) {
        return wizard.findChild<QRadioButton*>(name);
    }
    static QProgressBar* bar(Update& wizard) { return wizard.findChild<QProgressBar*>("progressbar1"); }

    // Presses "Download" and waits for the whole check to end.
    void check(Update& wizard) {
        button(wizard, "okButton")->click();
        EXPECT_TRUE(ui::testing::waitUntil([&] { return !wizard.isDownloading(); }, 60000));
    }

    QString versionFile() const { return kit.path() + "/Version.txt"; }

    ScopedProxyProperties proxies;
    QTemporaryDir kit;
    testing::KitFolder kitFolder{kit.path()};
    ScriptedPrompter prompter;
    testing::RecordingDesktop desktop;
    testing::RecordingReporter reporter;
};

TEST_F(UpdateTest, EachRowOfTheDecisionTableTellsItsAnswerAndOpensThePageOnTheRightAnswers) {
    const QString latest = "There are no newer versions of Tesvo Zorid available";
    const QString newer =
        "A new version of Tesvo Zorid exists, would you like to be taken to the download page?";
    const QString stableOnly =
        "Only new stable version of Tesvo Zorid exists, would you like to be taken to the download page?";
    const QString both =
        "There is a new beta available, but also a new stable version. Would you prefer to download the "
        "stable version?";
    struct Row {
        QByteArray file;
        bool betaWanted;
        std::optional<Answer> answer;  // nullopt: an information box, or the box closed
        Question::Kind kind;
        QString text;
        QString title;
        bool opens;
    };
    const Row rows[] = {
        {"16\n0\n", false, {}, Question::Information, latest, "You are using the latest version", false},
        {"17\n0\n", false, Answer::Yes, Question::YesNo, newer, "New version available", true},
        {"17\n0\n", false, Answer::No, Question::YesNo, newer, "New version available", false},
        {"17\r\n0\r\n", true, Answer::Yes, Question::YesNo, newer, "New version available", true},
        {"17\n0", true, std::nullopt, Question::YesNo, newer, "New version available", false},
        {"17\n18\n", true, Answer::Yes, Question::YesNoCancel, both, "Download stable version", true},
        {"17\n18\n", true, Answer::No, Question::YesNoCancel, both, "Download stable version", true},
        {"17\n18\n", true, Answer::Cancel, Question::YesNoCancel, both, "Download stable version", false},
        {"18\n17\n", true, Answer::Yes, Question::YesNo, stableOnly, "New version available", true},
        {"18\n17\n", true, Answer::No, Question::YesNo, stableOnly, "New version available", false},
        {"16\n17\n", true, {}, Question::Information, latest, "You are using the latest version", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file.toStdString() + (row.betaWanted ? " beta" : ""));
        LoopbackServer server(LoopbackServer::httpReply(row.file));
        Update wizard(nullptr, siteOf(server));
        wizard.show();
        EXPECT_EQ(wizard.thisVersion, 16);
        EXPECT_TRUE(radio(wizard, "button2")->isChecked());  // "No (Recommended)"
        EXPECT_TRUE(radio(wizard, "button4")->isChecked());  // "No (recommended)"
        if (row.betaWanted) radio(wizard, "button3")->setChecked(true);
        if (row.kind != Question::Information) prompter.reply(row.answer);
        prompter.clear();
        desktop.opened.clear();
        check(wizard);
        ASSERT_EQ(prompter.questions().size(), 1u);
        EXPECT_EQ(prompter.questions()[0].kind, row.kind);
        EXPECT_EQ(prompter.questions()[0].text, row.text);
        EXPECT_EQ(prompter.questions()[0].title, row.title);
        EXPECT_EQ(desktop.opened, row.opens ? QList<QUrl>{QUrl(kPage)} : QList<QUrl>{});
        EXPECT_TRUE(server.lastRequest().startsWith("GET /TesvoZorid/Version.txt HTTP/1.1\r\n"));
        EXPECT_FALSE(QFile::exists(versionFile()));
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_TRUE(button(wizard, "okButton")->isEnabled());
        EXPECT_EQ(bar(wizard)->maximum(), 100);
    }
    EXPECT_TRUE(reporter.reports.isEmpty());
}

TEST(VersionNumbers, TwoDecimalLinesOrTheFailure) {
    const struct {
        QByteArray content;
        int stable, beta;
        QString error;
    } rows[] = {
        {"16\n0\n", 16, 0, {}},
        {"+17\r-1", 17, -1, {}},
        {"\xEF\xBB\xBF"
         "18\r\n2\r\n",
         18,
         2,
         {}},  // a byte-order mark is skipped
        {"2147483647\n0\nignored", 2147483647, 0, {}},
        {"16\n", 0, 0, "The version file has no line 2"},
        {"16", 0, 0, "The version file has no line 2"},
        {"", 0, 0, "The version file has no line 1"},
        {"16\n\n", 0, 0, "Not a version number: \"\""},
        {" 16\n0", 0, 0, "Not a version number: \" 16\""},
        {"16\n0x1", 0, 0, "Not a version number: \"0x1\""},
        {"2147483648\n0", 0, 0, "Not a version number: \"2147483648\""},
        {"<html>\n", 0, 0, "Not a version number: \"<html>\""},
    };
    for (const auto& row : rows) {
        const VersionNumbers numbers = readVersionNumbers(row.content);
        EXPECT_EQ(numbers.error, row.error) << row.content.toStdString();
        if (row.error.isNull()) {
            EXPECT_EQ(numbers.stable, row.stable);
            EXPECT_EQ(numbers.beta, row.beta);
        }
    }
}

TEST_F(UpdateTest, AVersionFileWithoutTwoNumbersShowsTheNumberFailure) {
    LoopbackServer server(LoopbackServer::httpReply("17\n"));
    Update wizard(nullptr, siteOf(server));
    wizard.show();
    check(wizard);
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0],
              (testing::Report{testing::Report::Error, "The version file has no line 2", "Download engine"}));
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_TRUE(button(wizard, "okButton")->isEnabled());  // the user can try again
}

TEST_F(UpdateTest, AFailedDownloadSaysTheServerCouldNotBeReachedAndLeavesNoFile) {
    const QString unreachable = "Could not reach the update server: ";
    LoopbackServer missing(LoopbackServer::httpReply("<html>Not here</html>", "404 Not Found"));
    LoopbackServer broken(LoopbackServer::httpReply("17\n0\n", "500 Internal Server Error"));
    const UpdateSite sites[] = {
        siteOf(missing),
        siteOf(broken),
        {QString("http://127.0.0.1:%1/TesvoZorid/Version.txt").arg(LoopbackServer::deadPort()), kPage,
         kPatient},
    };
    for (const UpdateSite& site : sites) {
        SCOPED_TRACE(site.versionFile.toStdString());
        // A file left by an earlier run is never taken for the answer.
        QFile stale(versionFile());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("99\n0\n");
        stale.close();
        reporter.reports.clear();
        Update wizard(nullptr, site);
        wizard.show();
        check(wizard);
        ASSERT_EQ(reporter.reports.size(), 1);
        EXPECT_TRUE(reporter.reports[0].heading.startsWith(unreachable))
            << reporter.reports[0].heading.toStdString();
        EXPECT_EQ(reporter.reports[0].detail, "Download engine");
        EXPECT_FALSE(QFile::exists(versionFile()));
        EXPECT_TRUE(prompter.questions().empty());
    }
    EXPECT_TRUE(reporter.reports[0].heading.contains("Couldn't connect") ||
                reporter.reports[0].heading.contains("Failed to connect"));

    // A kit folder the file cannot be written into.
    LoopbackServer server(LoopbackServer::httpReply("17\n0\n"));
    QFile regular(kit.filePath("regular"));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    testing::KitFolder blocked(regular.fileName() + "/kit");
    reporter.reports.clear();
    Update wizard(nullptr, siteOf(server));
    wizard.show();
    check(wizard);
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_TRUE(reporter.reports[0].heading.startsWith(unreachable + "Cannot write " + regular.fileName()))
        << reporter.reports[0].heading.toStdString();
}

TEST_F(UpdateTest, TheDialogHandlesEventsWhileAServerNeverAnswersUntilTheTimeOut) {
    LoopbackServer silent({}, LoopbackServer::Silent);
    Update wizard(nullptr, siteOf(silent, kShort));
    wizard.show();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QElapsedTimer timer;
    timer.start();
    button(wizard, "okButton")->click();
    ASSERT_TRUE(wizard.isDownloading());
    EXPECT_EQ(bar(wizard)->maximum(), 0);  // busy
    EXPECT_FALSE(button(wizard, "okButton")->isEnabled());
    ASSERT_TRUE(ui::testing::waitUntil([&] { return silent.connections() == 1 && ticks > 5; }));
    EXPECT_TRUE(wizard.isDownloading());
    EXPECT_TRUE(ui::testing::waitUntil([&] { return !wizard.isDownloading(); }, 60000));
    EXPECT_LT(timer.elapsed(), 30000);
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_TRUE(reporter.reports[0].heading.startsWith("Could not reach the update server: No data received"))
        << reporter.reports[0].heading.toStdString();
    EXPECT_EQ(bar(wizard)->maximum(), 100);
    EXPECT_TRUE(button(wizard, "okButton")->isEnabled());
}

TEST_F(UpdateTest, CancelOrTheCloseBoxDuringADownloadStopsItAndClosesTheDialog) {
    LoopbackServer silent({}, LoopbackServer::Silent);
    // Cancel presses the button; closing the window is the close box.
    const std::function<void(Update&)> ways[] = {
        [](Update& wizard) { button(wizard, "cancelButton")->click(); },
        [](Update& wizard) { wizard.close(); },
    };
    int expectedConnections = 0;
    for (const auto& closeIt : ways) {
        Update wizard(nullptr, siteOf(silent, kPatient));
        wizard.show();
        button(wizard, "okButton")->click();
        ++expectedConnections;
        ASSERT_TRUE(ui::testing::waitUntil([&] { return silent.connections() == expectedConnections; }));
        QElapsedTimer timer;
        timer.start();
        closeIt(wizard);
        EXPECT_LT(timer.elapsed(), 10000);
        EXPECT_FALSE(wizard.isVisible());
        EXPECT_FALSE(wizard.isDownloading());
        EXPECT_FALSE(QFile::exists(versionFile()));
    }
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_TRUE(prompter.questions().empty());
}

TEST_F(UpdateTest, TheProxyAnswerSetsTheHttpProxyAsTyped) {
    LoopbackServer server(LoopbackServer::httpReply("16\n0\n"));
    const auto httpProxy = [&] {
        return std::pair{proxies->getProperty(ProxyProperties::HTTP_PROXY_HOST),
                         proxies->getProperty(ProxyProperties::HTTP_PROXY_PORT)};
    };
    using Pair = std::pair<std::optional<QString>, std::optional<QString>>;
    Update wizard(nullptr, siteOf(server));
    wizard.show();
    wizard.findChild<QLineEdit*>("textfield1")->setText("ignored while the answer is No");
    check(wizard);
    EXPECT_EQ(httpProxy(), Pair());
    // "Yes" with empty fields: both properties become the empty text, which is no proxy.
    wizard.findChild<QLineEdit*>("textfield1")->clear();
    radio(wizard, "button1")->setChecked(true);
    check(wizard);
    EXPECT_EQ(httpProxy(), Pair("", ""));
    EXPECT_EQ(prompter.questions().size(), 2u);
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(UpdateTest, ThroughTinyproxyTheRequestReachesTheServerViaTheProxy) {
    ui::testing::HttpTestProxy proxy;
    ASSERT_TRUE(proxy.isRunning()) << proxy.error().toStdString();
    LoopbackServer server(LoopbackServer::httpReply("16\n0\n"));
    Update wizard(nullptr, siteOf(server));
    wizard.show();
    radio(wizard, "button1")->setChecked(true);
    wizard.findChild<QLineEdit*>("textfield1")->setText("127.0.0.1");
    wizard.findChild<QLineEdit*>("textfield2")->setText(QString::number(proxy.port()));
    check(wizard);
    EXPECT_TRUE(reporter.reports.isEmpty()) << reporter.reports.value(0).heading.toStdString();
    EXPECT_EQ(prompter.texts(), QStringList({"There are no newer versions of Tesvo Zorid available"}));
    EXPECT_TRUE(server.lastRequest().contains("\r\nVia: 1.1 tinyproxy (tinyproxy/"))
        << server.lastRequest().toStdString();
    EXPECT_TRUE(proxy.log().contains("/TesvoZorid/Version.txt")) << proxy.log().toStdString();
}

}  // namespace
}  // namespace editor
