// Undo and redo per tab slot, Go To Line #, and the clipboard and search commands of the selected tab.
#include "editing_aids.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>

#include "editor_fixture.h"
#include "find_replace_panel.h"
#include "help.h"
#include "init.h"
#include "inner_window.h"
#include "tarnwell.h"

namespace editor {
namespace {

using testing::EditorTest;
using testing::writeFile;

void ctrl(QWidget* pane, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(pane, key, Qt::ControlModifier);
}

void typeAtEnd(QPlainTextEdit* pane, const QString& typed) {
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, typed);
}

QAction* toolbarAction(Editor& editor, const char* key) {
    for (QAction* action : testing::toolBar(editor)->actions()) {
        if (action->objectName() == key) return action;
    }
    return nullptr;
}

template <typename Action>
QAction* codeViewAction(Editor& editor) {
    return testing::tarnwell(editor)->innerWindowForId("Cv")->getOwnActionModel()->getActionByClass<Action>();
}

TEST_F(EditorTest, EachSlotUndoesItsOwnEditsOneByOneAtMostAHundredBack) {
    Editor& editor = start();
    QPlainTextEdit* pane = testing::tabPane(editor, 0);
    const QString opened = text(0);
    ctrl(pane, Qt::Key_Z);  // the text a tab opens with is no step
    EXPECT_EQ(text(0), opened);
    EXPECT_EQ(titles(), QStringList({"Main.bss"}));

    const QString typed = QString("x").repeated(105);
    typeAtEnd(pane, "ab" + typed);
    ctrl(pane, Qt::Key_Z, 110);
    EXPECT_EQ(text(0), opened + "ab" + typed.left(5));
    ctrl(pane, Qt::Key_Y, 2);
    toolbarAction(editor, "Undo")->trigger();
    EXPECT_EQ(text(0), opened + "ab" + typed.left(6));
    // The pane keeps no second history that its own shortcuts or menu could reach.
    EXPECT_FALSE(pane->document()->isUndoAvailable() || pane->document()->isUndoRedoEnabled());
    ASSERT_TRUE(editor.writeAllFiles());
    toolbarAction(editor, "Redo")->trigger();
    EXPECT_EQ(titles(), QStringList({"Main.bss*"}));

    // Tab B selected: its typing and a replace-all from slot 0's own dialog each go to their slot.
    editor.fillEditor("PRINT 1\nPRINT 2\n");
    editor.setUpEditor("B.bss");
    editor.fillEditor("REM b");
    tabs().setCurrentIndex(1);
    typeAtEnd(testing::tabPane(editor, 1), "!");
    testing::findPanel(editor, 0)->findChild<QComboBox*>("find")->setEditText("PRINT");
    testing::findPanel(editor, 0)->findChild<QComboBox*>("replace")->setEditText("SHOW");
    testing::findPanel(editor, 0)->replaceAll();
    ctrl(testing::tabPane(editor, 1), Qt::Key_Z, 2);
    EXPECT_EQ(text(1), "REM b");
    EXPECT_EQ(text(0), "SHOW 1\nSHOW 2\n");
    toolbarAction(editor, "Find")->trigger();
    EXPECT_TRUE(testing::findDialog(editor, 1)->isVisible() && !testing::findDialog(editor, 0)->isVisible());
    testing::findDialog(editor, 1)->hide();
    QApplication::clipboard()->setText("PASTED");
    codeViewAction<Editor::PasteAction>(editor)->trigger();
    EXPECT_EQ(text(1), "REM bPASTED");
    tabs().setCurrentIndex(0);
    editor.undo();
    EXPECT_EQ(text(0), "PRINT 1\nPRINT 2\n");
    EXPECT_EQ(text(1), "REM bPASTED");

    // Closing all tabs keeps the histories; setting a slot up again starts a new one.
    prompter.reply(ui::Answer::No);
    ASSERT_TRUE(editor.reset(false));
    EXPECT_EQ(testing::undoHistory(editor, 1)->count(), 1);
    editor.undo();
    editor.setUpEditor("Main.bss");
    EXPECT_EQ(testing::undoHistory(editor, 0)->count(), 0);
}

TEST_F(EditorTest, GroupedEditsAndAWholeTextReplacementAreOneStepEach) {
    Editor& editor = start();
    editor.fillEditor("A\n");
    {
        const UndoGroup step(editor, 0);
        const UndoGroup inner(editor, 0);
        QTextCursor cursor(testing::tabPane(editor, 0)->document());
        cursor.insertText("1");
        cursor.movePosition(QTextCursor::End);
        cursor.insertText("2");
    }
    { const UndoGroup nothing(editor, 0); }
    const UndoGroup noTab(editor, 7);
    editor.replaceText(0, "FORMATTED\n");
    EXPECT_EQ(testing::undoHistory(editor, 0)->count(), 2);
    editor.undo();
    EXPECT_EQ(text(0), "1A\n2");
    editor.undo();
    EXPECT_EQ(text(0), "A\n");
    editor.redo();
    editor.redo();
    EXPECT_EQ(text(0), "FORMATTED\n");
}

TEST_F(EditorTest, GoToLineCountsFromOneOverLfCrLfAndLoneCrAndLeavesTheCaretForNoSuchLine) {
    const struct {
        const char* text;
        int line;
        std::optional<int> position;
    } rows[] = {
        {"ab\ncd\nef", 1, 0},
        {"ab\ncd\nef", 2, 3},
        {"ab\ncd\nef", 3, 6},
        {"ab\ncd\nef", 4, {}},
        {"ab\ncd\nef", 0, {}},
        {"ab\ncd\nef", -1, {}},
        {"ab\r\ncd\r\nef", 2, 3},
        {"ab\r\ncd\r\nef", 3, 6},
        {"ab\r\ncd\r\nef", 4, {}},
        {"ab\rcd\ref", 2, 3},
        {"ab\rcd\ref", 3, 6},
        {"a\r\rb", 3, 3},
        {"ab\ncd\n", 3, 6},
        {"ab\ncd\n", 4, {}},
        {"", 1, 0},
        {"", 2, {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(goToLinePosition(row.text, row.line), row.position) << row.text << " line " << row.line;

    Editor& editor = start();
    writeFile(project("util.bss"), "PRINT 1\r\nPRINT 2\r\nPRINT 3\r\n");
    references.includes = QStringList{"util"};
    editor.fileSelected({QFileInfo(project("util.bss"))});
    editor.GoToLine(3);
    EXPECT_EQ(testing::tabPane(editor, 1)->textCursor().position(), 16);
    EXPECT_EQ(testing::tabPane(editor, 1)->textCursor().block().text(), "PRINT 3");
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().position(), 0);
    for (const int nowhere : {0, -2, 5}) {
        editor.GoToLine(nowhere);
        EXPECT_EQ(testing::tabPane(editor, 1)->textCursor().position(), 16) << nowhere;
    }
}

// Nothing on the clipboard (a fresh start under X, where no program owns the selection) is data with no
// format at all, which Qt's text control could not take: every text view of the editor and every road to
// a paste (the keys, the menu, the code view's button) leaves the text as it is. Text on the clipboard is
// pasted as before.
TEST_F(EditorTest, APasteWithNothingOnTheClipboardDoesNothingInAnyTextView) {
    Editor& editor = start();
    editor.setUpEditor("B.bss");
    editor.fillEditor("REM b");
    Help help;
    const QList<QWidget*> views = [&] {
        QList<QWidget*> all{&help};
        for (auto* view : editor.findChildren<QPlainTextEdit*>()) all << view;
        for (auto* view : editor.findChildren<QTextEdit*>()) all << view;
        return all;
    }();
    ASSERT_EQ(views.size(), 4);  // two tabs, the output pane, the help viewer
    const auto textOf = [](QWidget* view) {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(view)) return plain->toPlainText();
        return qobject_cast<QTextEdit*>(view)->toPlainText();
    };
    for (QWidget* view : views) {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(view)) plain->setReadOnly(false);
        if (auto* rich = qobject_cast<QTextEdit*>(view)) rich->setReadOnly(false);
    }
    const auto paste = [&](QWidget* view) {
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(view)) plain->paste();
        if (auto* rich = qobject_cast<QTextEdit*>(view)) rich->paste();
    };
    // No format at all, then a picture without text.
    for (const bool picture : {false, true}) {
        auto* nothing = new QMimeData;
        if (picture) nothing->setImageData(QImage(2, 2, QImage::Format_RGB32));
        QApplication::clipboard()->setMimeData(nothing);
        for (QWidget* view : views) {
            const QString before = textOf(view);
            paste(view);
            EXPECT_EQ(textOf(view), before) << view->objectName().toStdString();
        }
        for (int index : {0, 1}) {
            tabs().setCurrentIndex(index);
            editor.menus().mPasteAction->trigger();
            codeViewAction<Editor::PasteAction>(editor)->trigger();
        }
        EXPECT_EQ(titles(), QStringList({"Main.bss", "B.bss"}));
    }
    QApplication::clipboard()->setText("PASTED");
    testing::tabPane(editor, 1)->moveCursor(QTextCursor::End);
    editor.menus().mPasteAction->trigger();
    EXPECT_EQ(text(1), "REM bPASTED");
}

TEST_F(EditorTest, WithoutATabTheTabCommandsDoNothing) {
    Editor& editor = start();
    ASSERT_TRUE(editor.reset(false));
    QApplication::clipboard()->setText("kept");
    codeViewAction<Editor::CopyAction>(editor)->trigger();
    codeViewAction<Editor::CutAction>(editor)->trigger();
    codeViewAction<Editor::PasteAction>(editor)->trigger();
    for (const char* key : {"Find", "Replace", "Find_Again", "Undo", "Redo"})
        toolbarAction(editor, key)->trigger();
    editor.GoToLine(1);
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
    EXPECT_EQ(tabs().count(), 0);
}

}  // namespace
}  // namespace editor
