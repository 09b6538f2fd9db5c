// The editor's dialogs, driven offscreen through their buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "colours.h"
#include "editor_testing.h"
#include "error_dialogs.h"
#include "help.h"
#include "references.h"
#include "scripted_prompter.h"
#include "small_dialogs.h"

namespace editor {
namespace {

template <typename T = QLabel>
T* part(QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString text(QWidget* dialog, const char* name) {
    return part(dialog, name)->text();
}

QColor textColour(QWidget* dialog, const char* name) {
    return part(dialog, name)->palette().color(QPalette::WindowText);
}

void click(QWidget* dialog, const char* button) {
    part<QPushButton>(dialog, button)->click();
}

TEST(ErrorDialogs, EmptyTextsLeaveTheFixedTextsAndColours) {
    Error error(nullptr, "", "");
    EXPECT_EQ(error.windowTitle(), "Error");
    EXPECT_EQ(text(&error, "label1"), "");
    EXPECT_EQ(text(&error, "label2"), "");
    EXPECT_EQ(text(&error, "label3"),
              "The Editor has  encountered an error while attempting to perform an action. Program stability "
              "has not been affected, however it is recommended that you save your project immediately and "
              "restart the editor.");
    EXPECT_EQ(text(&error, "label4"),
              "If this error continues to occur please report the error shown to support@tesvozorid.example");
    EXPECT_EQ(textColour(&error, "label1"), QColor(255, 0, 0));
    EXPECT_EQ(textColour(&error, "label2"), QColor(255, 0, 51));
    EXPECT_EQ(textColour(&error, "label4"), QColor(255, 0, 51));
    EXPECT_FALSE(part(&error, "label4")->wordWrap());

    Warning warning(nullptr, "Could not read a value from the project file", "Read Project");
    EXPECT_EQ(warning.windowTitle(), "Error");
    EXPECT_EQ(text(&warning, "label1"), "Could not read a value from the project file");
    EXPECT_EQ(text(&warning, "label2"), "Read Project");
    EXPECT_TRUE(text(&warning, "label3").startsWith("The Editor has encountered a non-serious error."));
    EXPECT_EQ(text(&warning, "label4"),
              "If you believe that this error has been caused by the editor please report the error shown to "
              "support@tesvozorid.example");
    EXPECT_EQ(textColour(&warning, "label1"), QColor(0, 0, 255));
    EXPECT_EQ(textColour(&warning, "label3"), QColor(51, 51, 255));
    EXPECT_EQ(textColour(&warning, "label4"), QColor(0, 51, 255));
    EXPECT_TRUE(part(&warning, "label4")->wordWrap());
    // A failure's text is shown as written, never as markup.
    Error markup(nullptr, "<b>x</b>", "");
    EXPECT_EQ(part(&markup, "label1")->textFormat(), Qt::PlainText);
    EXPECT_GT(part(&error, "label1")->font().pointSizeF(), part(&error, "label2")->font().pointSizeF());
}

TEST(ErrorDialogs, DismissEndsTheModalShowing) {
    QString shownHeading;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* error = qobject_cast<Error*>(window); error && error->isVisible()) {
                shownHeading = text(error, "label1");
                click(error, "button1");
            }
        }
    });
    showError(nullptr, "Disk full", "Backup");
    EXPECT_EQ(shownHeading, "Disk full");

    testing::RecordingReporter reporter;
    showWarning(nullptr, "No main file", "Read Project");
    EXPECT_EQ(reporter.reports,
              QList<testing::Report>({{testing::Report::Warning, "No main file", "Read Project"}}));
}

TEST(ManualEntry, OkNeedsAValueAndCancelOrClosingGivesTheEmptyText) {
    References references;
    {
        ManualEntry entry(nullptr, "Main", references);
        EXPECT_EQ(entry.windowTitle(), "Project File");
        EXPECT_EQ(text(&entry, "label3"), "Please enter a value for 'Main'");
        entry.show();
        click(&entry, "okButton");
        EXPECT_TRUE(entry.isVisible());
        EXPECT_EQ(part<QLineEdit>(&entry, "textfield1")->palette().color(QPalette::Base), colours::attention);
        EXPECT_EQ(references.fixed, "");
        QTest::keyClicks(part<QLineEdit>(&entry, "textfield1"), " game");
        click(&entry, "okButton");
        EXPECT_FALSE(entry.isVisible());
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_EQ(references.fixed, " game");
    }
    {
        ManualEntry entry(nullptr, "Name", references);
        entry.show();
        QTest::keyClicks(part<QLineEdit>(&entry, "textfield1"), "typed, then cancelled");
        click(&entry, "cancelButton");
        EXPECT_FALSE(entry.isVisible());
        EXPECT_EQ(references.fixed, "");
    }
    // Closing the window must not leave the previous prompt's answer standing.
    references.fixed = "game";
    {
        ManualEntry entry(nullptr, "Name", references);
        entry.show();
        entry.close();
        EXPECT_EQ(references.fixed, "");
    }
}

class OpenImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(dir.path()).mkdir("art");
        QDir(dir.path()).mkdir("project");
        image = dir.filePath("art/ship.png");
        QFile file(image);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x89PNG image");
        references.LoadedPath = dir.filePath("project") + "/";
        references.saved = true;
    }

    QTemporaryDir dir;
    QString image;
    References references;
    testing::RecordingDesktop desktop;
    testing::RecordingReporter reporter;
};

TEST_F(OpenImageTest, CopyLandsBesideTheSourcesUnderItsFullName) {
    OpenImage offer(nullptr, image, references);
    EXPECT_EQ(offer.windowTitle(), "Open Image?");
    EXPECT_EQ(offer.copyTarget(), dir.filePath("project/ship.png"));
    ASSERT_TRUE(part<QPushButton>(&offer, "button3")->isEnabled());
    offer.show();
    click(&offer, "button3");
    EXPECT_FALSE(offer.isVisible());
    QFile copied(dir.filePath("project/ship.png"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "\x89PNG image");
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_TRUE(desktop.opened.isEmpty());
}

TEST_F(OpenImageTest, CopyIsOfferedOnlyForASavedProjectWithoutTheImage) {
    references.saved = false;
    EXPECT_FALSE(part<QPushButton>(std::make_unique<OpenImage>(nullptr, image, references).get(), "button3")
                     ->isEnabled());
    references.saved = true;
    QFile(image).copy(dir.filePath("project/ship.png"));
    OpenImage offer(nullptr, image, references);
    EXPECT_FALSE(part<QPushButton>(&offer, "button3")->isEnabled());
    // Editing still works.
    click(&offer, "button2");
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(image)});
    EXPECT_TRUE(reporter.reports.isEmpty());
    // Without a program for images the user sees why nothing opened.
    desktop.opens = false;
    OpenImage again(nullptr, image, references);
    click(&again, "button2");
    EXPECT_EQ(reporter.reports,
              QList<testing::Report>({{testing::Report::Error, "Could not open " + image, "Edit Image"}}));
}

TEST_F(OpenImageTest, AFailedCopyIsReported) {
    references.LoadedPath = dir.filePath("moved") + "/";
    OpenImage offer(nullptr, image, references);
    offer.show();
    click(&offer, "button3");
    EXPECT_EQ(
        reporter.reports,
        QList<testing::Report>(
            {{testing::Report::Error,
              "FileCopy: Destination directory doesn't exist: " + dir.filePath("moved"), "Copy Image"}}));
    EXPECT_FALSE(offer.isVisible());

    OpenImage cancelled(nullptr, image, references);
    cancelled.show();
    click(&cancelled, "button1");
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(reporter.reports.size(), 1);
    EXPECT_TRUE(desktop.opened.isEmpty());
}

TEST(About, VersionLineAndTheMakersPage) {
    testing::RecordingDesktop desktop;
    About about(nullptr);
    EXPECT_EQ(about.windowTitle(), "About Tesvo Zorid");
    EXPECT_EQ(text(&about, "versionLine"), "Tesvo Zorid Version: 1.1.0");
    EXPECT_EQ(text(&about, "heading"), "Tesvo Zorid");
    EXPECT_EQ(textColour(&about, "makerLink"), QColor(51, 51, 255));
    about.show();
    QLabel* link = part(&about, "makerLink");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(link, Qt::LeftButton);
    EXPECT_TRUE(desktop.opened.isEmpty()) << "a press alone opens nothing";
    QTest::mouseRelease(link, Qt::LeftButton);
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl("http://www.tesvozorid.example/TesvoZorid.asp")});
    click(&about, "button1");
    EXPECT_FALSE(about.isVisible());
}

TEST(About, TheRuntimeDialogOpensQtsPageAndStaysOpen) {
    testing::RecordingDesktop desktop;
    AboutRuntime about(nullptr);
    EXPECT_EQ(about.windowTitle(), "About Qt");
    EXPECT_TRUE(about.isModal());
    about.show();
    click(&about, "okButton");
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl(AboutRuntime::runtimePage())});
    click(&about, "cancelButton");
    EXPECT_FALSE(about.isVisible());
}

TEST(Help, LoadsTheKitsPageOrSaysItIsMissing) {
    QTemporaryDir dir;
    testing::KitFolder kit(dir.path());
    ui::testing::ScriptedPrompter prompter;
    Help help;
    help.go();
    EXPECT_EQ(prompter.texts(), QStringList{"Help files not found"});
    EXPECT_TRUE(help.toPlainText().isEmpty());

    QDir(dir.path()).mkdir("Documentation");
    QFile page(dir.filePath("Documentation/index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>Getting started</h1></body></html>");
    page.close();
    help.go();
    EXPECT_EQ(help.source(), QUrl::fromLocalFile(dir.filePath("Documentation/index.html")));
    EXPECT_TRUE(help.toPlainText().contains("Getting started"));
    EXPECT_EQ(prompter.texts().size(), 1);
}

TEST(Seams, ExitAndTheMakersPagesAreRecorded) {
    testing::RecordingExit exits;
    testing::RecordingDesktop desktop;
    exitProgram();
    testing::RecordingReporter reporter;
    openAddress(javaPage(), "Download the Java SDK");
    openLocalFile("/kit/Documentation/Help.chm", "Help");
    EXPECT_EQ(exits.statuses, QList<int>{0});
    EXPECT_EQ(desktop.opened, QList<QUrl>({QUrl("http://www.tesvozorid.example/Prerequisites/Java.htm"),
                                           QUrl::fromLocalFile("/kit/Documentation/Help.chm")}));
    EXPECT_TRUE(reporter.reports.isEmpty());
    // A desktop that cannot open the target: the user is told, not only the console.
    desktop.opens = false;
    openAddress(j2mePage(), "Download the Java Micro Edition SDK");
    openLocalFile("/kit/Documentation/Help.chm", "Help");
    EXPECT_EQ(
        reporter.reports,
        QList<testing::Report>(
            {{testing::Report::Error, "Could not open http://www.tesvozorid.example/Prerequisites/J2ME.htm",
              "Download the Java Micro Edition SDK"},
             {testing::Report::Error, "Could not open /kit/Documentation/Help.chm", "Help"}}));
}

}  // namespace
}  // namespace editor
