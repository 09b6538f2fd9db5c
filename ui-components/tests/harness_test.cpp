// The harness itself: Qt warnings and leftover windows fail a test, the plugin's own notices do not, and
// the scripted prompter answers in order and records what it was asked.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <functional>
#include <string>
#include <vector>

#include "gui_harness.h"
#include "scripted_prompter.h"

namespace {

using ui::Answer;
using ui::testing::Question;
using ui::testing::ScriptedPrompter;

TEST(GuiHarness, QtWarningsFailTheRunningTest) {
    EXPECT_NONFATAL_FAILURE(qWarning("a widget misbehaved"), "Qt warning: a widget misbehaved");
    EXPECT_NONFATAL_FAILURE(qCritical("a worse one"), "Qt critical: a worse one");
}

// The messages of the failures `block` reports, caught instead of failing the running test.
template <typename Block>
std::vector<std::string> failuresOf(Block block) {
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &failures);
        block();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < failures.size(); ++i) messages.push_back(failures.GetTestPartResult(i).message());
    return messages;
}

TEST(GuiHarness, OffscreenNoticesPass) {
    QWidget window;
    const auto failures = failuresOf([&window] {
        for (const QString& notice : ui::testing::allowedQtNotices()) qWarning("%s", qPrintable(notice));
        window.show();
        window.raise();
    });
    EXPECT_EQ(failures, std::vector<std::string>());
}

TEST(GuiHarness, WindowsLeftBehindFailAndAreDisposed) {
    EXPECT_NONFATAL_FAILURE(
        {
            auto* window = new QWidget;
            window->setWindowTitle("open");
            window->show();
            ui::testing::checkLeftoverWindows();
        },
        "Window left open: QWidget \"open\"");
    EXPECT_NONFATAL_FAILURE(
        {
            new QWidget;
            ui::testing::checkLeftoverWindows();
        },
        "Window left without an owner");
    EXPECT_NONFATAL_FAILURE(
        {
            auto* leaked = new QWidget;
            (new QDialog(leaked))->show();
            ui::testing::checkLeftoverWindows();
        },
        "Window left without an owner: QWidget");
    ui::testing::checkLeftoverWindows();  // all disposed: nothing more to report
}

TEST(GuiHarness, OwnedHiddenWindowsAndDeferredDeletesAreFine) {
    QPointer<QWidget> owner = new QWidget;
    QPointer<QDialog> dialog = new QDialog(owner);
    owner->deleteLater();
    const auto failures = failuresOf([] { ui::testing::checkLeftoverWindows(); });
    EXPECT_EQ(failures, std::vector<std::string>());
    EXPECT_TRUE(owner.isNull());
    EXPECT_TRUE(dialog.isNull());
}

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEveryBox) {
    ScriptedPrompter prompter;
    prompter.reply("Ship");
    prompter.reply(Answer::No);
    prompter.reply(std::optional<Answer>());   // the box closed
    prompter.reply(std::optional<QString>());  // the chooser cancelled
    ui::Prompter& boxes = ui::prompter();
    EXPECT_EQ(boxes.askText(nullptr, "Name", "File name ?"), QString("Ship"));
    EXPECT_EQ(boxes.askYesNo(nullptr, "Quit", "Quit?", Answer::Yes), Answer::No);
    EXPECT_EQ(boxes.askYesNoCancel(nullptr, "Save", "Save?", Answer::Cancel), Answer::Cancel);
    boxes.showError(nullptr, "Error", "Can't create /x");
    EXPECT_EQ(boxes.openFile(nullptr, "Open", "/tmp"), std::nullopt);
    EXPECT_EQ(prompter.texts(), QStringList({"File name ?", "Quit?", "Save?", "Can't create /x", "Open"}));
    EXPECT_EQ(prompter.questions()[4].kind, Question::OpenFile);
    EXPECT_EQ(prompter.questions()[4].detail, "/tmp");
}

TEST(ScriptedPrompter, UnscriptedAndMismatchedBoxesFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            EXPECT_EQ(ui::prompter().askYesNo(nullptr, "Quit", "Quit?", Answer::Yes), Answer::Yes);
        },
        "Unscripted question: \"Quit?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            prompter.reply(Answer::Yes);
            ui::prompter().askText(nullptr, "Name", "File name ?");
        },
        "Scripted a yes/no answer");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPrompter prompter;
            prompter.reply("unused");
        },
        "1 scripted replies were never asked for");
}

TEST(ScriptedPrompter, UninstallsItself) {
    {
        ScriptedPrompter prompter;
        EXPECT_EQ(&ui::prompter(), &prompter);
    }
    EXPECT_NE(dynamic_cast<ui::QtPrompter*>(&ui::prompter()), nullptr);
}

// The program's prompter: a closed box gives the caller's answer, a button its own.
ui::Answer answerQtBox(std::function<void(QMessageBox*)> user, bool withCancel) {
    QTimer::singleShot(0, [user] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) user(box);
        }
    });
    ui::QtPrompter boxes;
    return withCancel ? boxes.askYesNoCancel(nullptr, "Save", "Save?", Answer::Cancel)
                      : boxes.askYesNo(nullptr, "Quit", "Quit?", Answer::Yes);
}

TEST(QtPrompter, ClosingABoxGivesTheCallersAnswer) {
    EXPECT_EQ(answerQtBox([](QMessageBox* box) { box->close(); }, false), Answer::Yes);
    EXPECT_EQ(answerQtBox([](QMessageBox* box) { box->close(); }, true), Answer::Cancel);
    EXPECT_EQ(answerQtBox([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, false),
              Answer::Yes);
    EXPECT_EQ(answerQtBox([](QMessageBox* box) { box->button(QMessageBox::No)->click(); }, false),
              Answer::No);
    EXPECT_EQ(answerQtBox([](QMessageBox* box) { box->button(QMessageBox::No)->click(); }, true), Answer::No);
    EXPECT_EQ(answerQtBox([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, true),
              Answer::Yes);
}

}  // namespace
