// The SDK scan over temporary trees standing for the kit folder and the root, and the first-run wizard
// that shows what it finds.
#include "scan.h"

#include <QProgressBar>
#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>

#include "colours.h"
#include "config_fixture.h"
#include "gui_harness.h"
#include "references.h"
#include "scripted_prompter.h"
#include "start_up.h"

namespace editor {
namespace {

using testing::ConfigTest;
using testing::items;
using testing::part;
using testing::readFile;
using testing::scanFinished;
using testing::WizardWatch;
using testing::writeFile;

// What a scan offered, collected on the GUI thread as the wizard would get it.
struct Offers {
    explicit Offers(Scan& scan) {
        QObject::connect(&scan, &Scan::javaFound, &context, [this](const QString& f) { java.append(f); });
        QObject::connect(&scan, &Scan::toolkitFound, &context,
                         [this](const QString& f) { toolkits.append(f); });
        QObject::connect(&scan, &Scan::finished, &context, [this](bool j, bool w) { ended = {j, w}; });
    }
    bool wait() {
        return ui::testing::waitUntil([this] { return ended.has_value(); });
    }
    QObject context;
    QStringList java;
    QStringList toolkits;
    std::optional<std::pair<bool, bool>> ended;
};

class ScanTest : public ConfigTest {
protected:
    QString root(const QString& relative = {}) const { return emptyRoot.path() + "/" + relative; }
};

TEST_F(ScanTest, TheKitFolderFirstThenTheRootByTheNameRules) {
    writeFile(kit("jdk/bin/javac"), "tool");
    writeFile(kit("wtk/bin/preverify"), "tool");
    writeFile(root("jdk1.5.0/bin/javac"), "tool");
    writeFile(root("WTK22/bin/preverify"), "tool");
    writeFile(root(" Jdk6\t/bin/javac"), "tool");  // blanks around the name do not count, the path keeps them
    writeFile(root("j2sdk1.4.2/bin/javac"), "tool");
    writeFile(root("Java/bin/javac"), "tool");
    writeFile(root("sunjdk/bin/javac"), "tool");
    writeFile(root("a/b/c/WTK/bin/preverify"), "tool");
    writeFile(root("a/b/c/d/WTK/bin/preverify"), "tool");
    writeFile(root("JDKempty/lib/tools.jar"), "tool");
    writeFile(root("jdkfile"), "tool");
    writeFile(root("wtkbroken/bin/preverify.exe"), "tool");
    ASSERT_TRUE(QFile::link(root("jdk1.5.0"), root("jdk-current")));
    // The kit again under the root: found twice, offered once.
    testing::KitFolder kitInRoot(root("opt/kit"));
    writeFile(root("opt/kit/jdk/bin/javac"), "tool");
    writeFile(root("opt/kit/wtk/bin/preverify"), "tool");

    ::testing::internal::CaptureStdout();
    Scan scan(root());
    Offers offers(scan);
    scan.start();
    ASSERT_TRUE(offers.wait());
    const QString printed = QString::fromStdString(::testing::internal::GetCapturedStdout());

    ASSERT_FALSE(offers.java.isEmpty());
    ASSERT_FALSE(offers.toolkits.isEmpty());
    EXPECT_EQ(offers.java.first(), root("opt/kit/jdk/bin/"));
    EXPECT_EQ(offers.toolkits.first(), root("opt/kit/wtk/"));
    QStringList java = offers.java;
    java.sort();
    QStringList expectedJava{root("opt/kit/jdk/bin/"), root(" Jdk6\t/bin/")};
    // One of the two names of the linked folder, whichever the walk met first.
    expectedJava.append(java.contains(root("jdk-current/bin/")) ? root("jdk-current/bin/")
                                                                : root("jdk1.5.0/bin/"));
    expectedJava.sort();
    EXPECT_EQ(java, expectedJava);
    QStringList toolkits = offers.toolkits;
    toolkits.sort();
    EXPECT_EQ(toolkits, QStringList({root("WTK22/"), root("a/b/c/WTK/"), root("opt/kit/wtk/")}));
    EXPECT_EQ(offers.ended, std::make_pair(true, true));
    EXPECT_TRUE(printed.contains(root("JDKempty/bin/") + "\n")) << printed.toStdString();
    EXPECT_TRUE(printed.contains(root("wtkbroken/") + "\n"));
    EXPECT_FALSE(printed.contains("j2sdk"));
    EXPECT_FALSE(printed.contains(root("a/b/c/d/WTK")));
}

TEST_F(ScanTest, UnreadableFoldersAreSkippedAndAFailureEndsTheWalkWithItsFinish) {
    writeFile(root("WTK1/bin/preverify"), "tool");
    writeFile(root("WTK2/bin/preverify"), "tool");
    QStringList listed;
    Scan scan(root(), [&](const QString& folder) -> std::optional<QStringList> {
        listed.append(folder);
        if (folder == root()) return QStringList{"locked", "WTK1", "broken", "WTK2"};
        if (folder.endsWith("/locked")) return std::nullopt;
        if (folder.endsWith("/broken")) throw std::runtime_error("Input/output error");
        return Scan::listFolders(folder);
    });
    Offers offers(scan);
    ::testing::internal::CaptureStderr();
    scan.start();
    ASSERT_TRUE(offers.wait());
    EXPECT_TRUE(
        QString::fromStdString(::testing::internal::GetCapturedStderr()).contains("Input/output error"));
    EXPECT_EQ(offers.toolkits, QStringList{root("WTK1/")});
    EXPECT_EQ(offers.ended, std::make_pair(false, true));
    EXPECT_FALSE(listed.contains(root("WTK2")));
}

TEST_F(ScanTest, TheKernelTreesOfTheRootAreNotEntered) {
    QStringList listed;
    Scan scan("/", [&](const QString& folder) -> std::optional<QStringList> {
        listed.append(folder);
        if (folder == "/") return QStringList{"dev", "proc", "run", "sys", "srv"};
        return QStringList{};
    });
    Offers offers(scan);
    scan.start();
    ASSERT_TRUE(offers.wait());
    EXPECT_EQ(listed, QStringList({kit().chopped(1), "/", "/srv"}));
}

TEST_F(ScanTest, WizardWithNothingFoundKeepsVerifyFromClosing) {
    ui::testing::ScriptedPrompter prompter;
    References references;
    NewInstall wizard(nullptr, references);
    EXPECT_EQ(wizard.windowTitle(), "Tesvo Zorid Configuration Utility");
    EXPECT_TRUE(wizard.isModal());
    for (const char* button : {"verify", "downloadSDK", "downloadWTK"}) {
        EXPECT_FALSE(part<QPushButton>(&wizard, button)->isEnabled()) << button;
    }
    EXPECT_TRUE(part<QPushButton>(&wizard, "exit")->isEnabled());
    EXPECT_EQ(part<QLabel>(&wizard, "label2")->text(), "Scanning...");
    EXPECT_EQ(part<QProgressBar>(&wizard, "progress")->maximum(), 0) << "running without a known end";
    wizard.show();
    wizard.startScan(std::make_unique<Scan>(root()));
    ASSERT_TRUE(ui::testing::waitUntil([&] { return scanFinished(&wizard); }));
    for (const char* button : {"verify", "downloadSDK", "downloadWTK"}) {
        EXPECT_TRUE(part<QPushButton>(&wizard, button)->isEnabled()) << button;
    }
    EXPECT_NE(part<QProgressBar>(&wizard, "progress")->maximum(), 0);
    for (const char* list : {"JDK", "WTK"}) {
        EXPECT_EQ(part<QComboBox>(&wizard, list)->palette().color(QPalette::Text), colours::attention)
            << list;
    }
    part<QPushButton>(&wizard, "verify")->click();
    EXPECT_TRUE(wizard.isVisible());
    for (const char* list : {"JDK", "WTK"}) {
        EXPECT_EQ(part<QComboBox>(&wizard, list)->palette().color(QPalette::Base), colours::failure) << list;
    }
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_EQ(references.JavaLocation, QString(""));

    testing::RecordingDesktop desktop;
    part<QPushButton>(&wizard, "downloadSDK")->click();
    part<QPushButton>(&wizard, "downloadWTK")->click();
    EXPECT_EQ(desktop.opened, QList<QUrl>({QUrl(javaPage()), QUrl(j2mePage())}));
    EXPECT_TRUE(wizard.isVisible());
    reporter.reports.clear();
    desktop.opens = false;
    part<QPushButton>(&wizard, "downloadSDK")->click();
    EXPECT_EQ(reporter.reports,
              QList<testing::Report>(
                  {{testing::Report::Error, "Could not open " + javaPage(), "Download the Java SDK"}}));
    EXPECT_TRUE(wizard.isVisible());
    wizard.close();
    EXPECT_EQ(wizard.outcome(), NewInstall::Outcome::Closed);
}

TEST_F(ScanTest, AFailureMidWalkStillFinishesTheWizard) {
    writeFile(root("jdk1/bin/javac"), "tool");
    References references;
    NewInstall wizard(nullptr, references);
    wizard.show();
    wizard.startScan(std::make_unique<Scan>(root(), [&](const QString& folder) -> std::optional<QStringList> {
        if (folder == root("jdk1")) throw std::runtime_error("no more");
        return Scan::listFolders(folder);
    }));
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(ui::testing::waitUntil([&] { return scanFinished(&wizard); }));
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(part<QPushButton>(&wizard, "verify")->isEnabled());
    EXPECT_EQ(items(&wizard, "JDK"), QStringList{root("jdk1/bin/")});
    EXPECT_EQ(part<QComboBox>(&wizard, "JDK")->palette().color(QPalette::Base), colours::accepted);
    EXPECT_EQ(part<QComboBox>(&wizard, "WTK")->palette().color(QPalette::Text), colours::attention);
    wizard.close();
}

TEST_F(ScanTest, ClosingTheWizardMidWalkJoinsTheScanAndDropsItsLateUpdates) {
    writeFile(root("WTK1/bin/preverify"), "tool");
    writeFile(root("held/WTK2/bin/preverify"), "tool");
    std::promise<void> reached;
    std::atomic<Scan*> scan{nullptr};
    std::atomic<bool> released{false};
    auto owned = std::make_unique<Scan>(root(), [&](const QString& folder) -> std::optional<QStringList> {
        if (folder == root()) return QStringList{"WTK1", "held"};
        if (folder == root("held")) {
            reached.set_value();
            // Held until the wizard asks the walk to stop; what it then lists must not be offered.
            while (!scan.load()->stopRequested()) std::this_thread::yield();
            released = true;
        }
        return Scan::listFolders(folder);
    });
    scan = owned.get();
    References references;
    {
        NewInstall wizard(nullptr, references);
        wizard.show();
        wizard.startScan(std::move(owned));
        // No events are processed while waiting: the offer of WTK1 is still on its way to the wizard.
        reached.get_future().wait();
        wizard.close();
        EXPECT_TRUE(released) << "closing returns once the walk has let go";
        EXPECT_FALSE(wizard.isVisible());
        ui::testing::processEventsFor(50);
        EXPECT_TRUE(items(&wizard, "WTK").isEmpty());
        EXPECT_EQ(part<QLabel>(&wizard, "label2")->text(), "Scanning...");
        EXPECT_FALSE(part<QPushButton>(&wizard, "verify")->isEnabled());
    }
}

TEST_F(ScanTest, VerifyStoresTheChoiceAndStartUpWritesIt) {
    writeFile(kit("jdk1.5.0/bin/javac"), "tool");
    writeFile(kit("WTK22/bin/preverify"), "tool");
    ui::testing::ScriptedPrompter prompter;
    References references;
    references.lookAndFeel = "2003";
    const QString offered = kit("jdk1.5.0/bin/");
    WizardWatch watch([offered](NewInstall& wizard) {
        ASSERT_TRUE(ui::testing::waitUntil([&] { return scanFinished(&wizard); }));
        EXPECT_EQ(items(&wizard, "JDK"), QStringList{offered});
        part<QPushButton>(&wizard, "verify")->click();
    });
    initConfig(references);
    EXPECT_EQ(watch.shown, 1);
    EXPECT_EQ(prompter.texts(), QStringList{"Congratulations, Tesvo Zorid is now set up correctly"});
    EXPECT_EQ(references.JavaLocation, kit("jdk1.5.0/bin/"));
    EXPECT_EQ(references.MobileLocation, kit("WTK22/"));
    EXPECT_EQ(references.TesvoZoridLocation, kit());
    EXPECT_EQ(references.lookAndFeel, QString(""));
    EXPECT_EQ(QString::fromUtf8(readFile(config())),
              kit("jdk1.5.0/bin/") + "\n" + kit("WTK22/") + "\n" + kit() + "\n\n");
}

TEST_F(ScanTest, ExitEndsTheEditorWithoutWritingTheFile) {
    ui::testing::ScriptedPrompter prompter;
    testing::RecordingExit exits;
    References references;
    WizardWatch watch([](NewInstall& wizard) { part<QPushButton>(&wizard, "exit")->click(); });
    initConfig(references);
    EXPECT_EQ(watch.shown, 1);
    EXPECT_EQ(exits.statuses, QList<int>{0});
    EXPECT_EQ(
        prompter.texts(),
        QStringList{"Your configuration file has not be verified, ensure that you have the correct SDK's "
                    "installed"});
    EXPECT_FALSE(QFile::exists(config()));
}

}  // namespace
}  // namespace editor
