// Undo and redo per tab slot, Go To Line #, and the clipboard and search commands of the selected tab.
#include "editing_aids.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>

#include "editor_fixture.h"
#include "find_replace_panel.h"
#include "inner_window.h"
#include "tarnwell.h"

namespace editor {
namespace {

using testing::EditorTest;
using testing::makeFile;

void ctrl(QWidget* pane, Qt::Key key) {
    QTest::keyClick(pane, key, Qt::ControlModifier);
}

void typeAtEnd(QPlainTextEdit* pane, const QString& typed) {
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, typed);
}

void replaceAllIn(Editor& editor, int slot, const QString& find, const QString& replacement) {
    editor.fRPanel[slot]->findChild<QComboBox*>("find")->setEditText(find);
    editor.fRPanel[slot]->findChild<QComboBox*>("replace")->setEditText(replacement);
    editor.fRPanel[slot]->replaceAll();
}

QAction* toolbarAction(Editor& editor, const char* key) {
    for (QAction* action : editor.toolBar()->actions()) {
        if (action->objectName() == key) return action;
    }
    return nullptr;
}

template <typename Action>
QAction* codeViewAction(Editor& editor) {
    return editor.tarnwell()->innerWindowForId("Cv")->getOwnActionModel()->getActionByClass<Action>();
}

TEST_F(EditorTest, CtrlZUndoesTypingEditByEditAtMostAHundredBackAndCtrlYRedoes) {
    Editor& editor = start();
    QPlainTextEdit* pane = editor.ep[0];
    const QString opened = text(0);

    // Nothing to undo right after set-up, and the opening text is no step either.
    ctrl(pane, Qt::Key_Z);
    EXPECT_EQ(text(0), opened);
    EXPECT_EQ(titles(), QStringList({"Main.bss"}));

    typeAtEnd(pane, "abc");
    ctrl(pane, Qt::Key_Z);
    EXPECT_EQ(text(0), opened + "ab");
    ctrl(pane, Qt::Key_Z);
    EXPECT_EQ(text(0), opened + "a");
    ctrl(pane, Qt::Key_Y);
    ctrl(pane, Qt::Key_Y);
    EXPECT_EQ(text(0), opened + "abc");
    ctrl(pane, Qt::Key_Y);
    EXPECT_EQ(text(0), opened + "abc");
    // The pane keeps no history of its own that its shortcuts or menu could reach.
    EXPECT_FALSE(pane->document()->isUndoAvailable());
    EXPECT_FALSE(pane->document()->isUndoRedoEnabled());

    const QString typed = QString("x").repeated(105);
    typeAtEnd(pane, typed);
    for (int i = 0; i < 110; ++i) ctrl(pane, Qt::Key_Z);
    EXPECT_EQ(text(0), opened + "abc" + typed.left(5));
    // The toolbar's buttons are the same steps.
    toolbarAction(editor, "Redo")->trigger();
    EXPECT_EQ(text(0), opened + "abc" + typed.left(6));
    toolbarAction(editor, "Undo")->trigger();
    EXPECT_EQ(text(0), opened + "abc" + typed.left(5));

    // Undoing is an edit of the tab: it marks it changed again after a write.
    ASSERT_TRUE(editor.writeAllFiles());
    ASSERT_EQ(titles(), QStringList({"Main.bss"}));
    editor.redo();
    EXPECT_EQ(titles(), QStringList({"Main.bss*"}));

    // Other keys with Control, and Z without it, are no undo.
    EXPECT_FALSE(editor.keyPressed(QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::ControlModifier)));
    QTest::keyClick(pane, Qt::Key_Z);
    EXPECT_TRUE(text(0).endsWith("xz"));
}

TEST_F(EditorTest, EachTabsEditsGoToItsOwnSlotWhateverTabIsSelected) {
    Editor& editor = start();
    editor.fillEditor("PRINT 1\nPRINT 2\n");
    ASSERT_EQ(editor.setUpEditor("B.bss"), 1);
    editor.fillEditor("REM b");
    tabs().setCurrentIndex(1);

    typeAtEnd(editor.ep[1], "!");
    // A replace from slot 0's find/replace dialog while tab B is selected.
    replaceAllIn(editor, 0, "PRINT", "SHOW");
    ASSERT_EQ(text(0), "SHOW 1\nSHOW 2\n");

    ctrl(editor.ep[1], Qt::Key_Z);
    EXPECT_EQ(text(1), "REM b");
    EXPECT_EQ(text(0), "SHOW 1\nSHOW 2\n");
    ctrl(editor.ep[1], Qt::Key_Z);
    EXPECT_EQ(text(1), "REM b");

    // The replace all is one step of slot 0, undone there.
    tabs().setCurrentIndex(0);
    editor.undo();
    EXPECT_EQ(text(0), "PRINT 1\nPRINT 2\n");
    EXPECT_EQ(text(1), "REM b");
    editor.redo();
    EXPECT_EQ(text(0), "SHOW 1\nSHOW 2\n");

    // A paste into the selected tab only, one step.
    tabs().setCurrentIndex(1);
    QApplication::clipboard()->setText("PASTED");
    editor.ep[1]->moveCursor(QTextCursor::End);
    codeViewAction<Editor::PasteAction>(editor)->trigger();
    EXPECT_EQ(text(1), "REM bPASTED");
    EXPECT_EQ(text(0), "SHOW 1\nSHOW 2\n");
    editor.undo();
    EXPECT_EQ(text(1), "REM b");
}

TEST_F(EditorTest, ASlotSetUpAgainOrRefilledStartsWithAnEmptyHistory) {
    Editor& editor = start();
    typeAtEnd(editor.ep[0], "abc");
    prompter.reply(ui::Answer::No);
    ASSERT_TRUE(editor.reset(true));
    const QString opened = text(0);
    editor.undo();
    EXPECT_EQ(text(0), opened);

    // Closing every tab keeps the histories until the slot is set up again.
    typeAtEnd(editor.ep[0], "d");
    QUndoStack* history = editor.undoManager[0].get();
    prompter.reply(ui::Answer::No);
    ASSERT_TRUE(editor.reset(false));
    EXPECT_EQ(editor.undoManager[0].get(), history);
    EXPECT_EQ(history->count(), 1);
    editor.undo();  // no tab: nothing happens

    editor.setUpEditor("Main.bss");
    EXPECT_EQ(editor.undoManager[0]->count(), 0);
    typeAtEnd(editor.ep[0], "e");
    // A file opened into a tab replaces the text the earlier steps were made on.
    editor.setUpEditor("X.bss");
    editor.fillEditor("first");
    typeAtEnd(editor.ep[1], "!");
    editor.fillEditor("second");
    tabs().setCurrentIndex(1);
    editor.undo();
    EXPECT_EQ(text(1), "second");
}

TEST_F(EditorTest, GroupedEditsAndAWholeTextReplacementAreOneStep) {
    Editor& editor = start();
    editor.fillEditor("A\nB\n");
    {
        const UndoGroup step(editor, 0);
        QTextCursor cursor(editor.ep[0]->document());
        cursor.insertText("1");
        cursor.movePosition(QTextCursor::End);
        cursor.insertText("2");
        const UndoGroup inner(editor, 0);
        cursor.insertText("3");
    }
    EXPECT_EQ(text(0), "1A\nB\n23");
    { const UndoGroup nothing(editor, 0); }
    const UndoGroup noTab(editor, 7);

    editor.replaceText(0, "FORMATTED\n");
    EXPECT_EQ(titles(), QStringList({"Main.bss*"}));
    editor.undo();
    EXPECT_EQ(text(0), "1A\nB\n23");
    editor.undo();
    EXPECT_EQ(text(0), "A\nB\n");
    editor.redo();
    editor.redo();
    EXPECT_EQ(text(0), "FORMATTED\n");
    EXPECT_EQ(editor.undoManager[0]->count(), 2);
}

struct LineRow {
    const char* text;
    int line;
    int position;
};

TEST(GoToLine, CountsLfCrLfAndLoneCrAsOneLineEndEach) {
    const LineRow rows[] = {
        {"ab\ncd\nef", 0, 1},     {"ab\ncd\nef", 1, 3},
        {"ab\ncd\nef", 2, 6},     {"ab\ncd\nef", 3, 0},
        {"ab\r\ncd\r\nef", 0, 1}, {"ab\r\ncd\r\nef", 1, 3},
        {"ab\r\ncd\r\nef", 2, 6}, {"ab\r\ncd\r\nef", 3, 0},
        {"ab\rcd\ref", 1, 3},     {"ab\rcd\ref", 2, 6},
        {"ab\rcd\ref", 9, 0},     {"a\r\rb", 2, 3},
        {"ab\ncd\n", 2, 6},       {"", 0, 0},
        {"ab\ncd", -1, 0},
    };
    for (const LineRow& row : rows) {
        EXPECT_EQ(goToLinePosition(row.text, row.line), row.position)
            << QString(row.text).toStdString() << " line " << row.line;
    }
}

TEST_F(EditorTest, GoToLineMovesTheSelectedTabsCaretOnTextReadWithCrLf) {
    Editor& editor = start();
    makeFile(project("util.bss"), "PRINT 1\r\nPRINT 2\r\nPRINT 3\r\n");
    references.includes = QStringList{"util"};
    editor.fileSelected({QFileInfo(project("util.bss"))});
    ASSERT_EQ(tabs().currentIndex(), 1);
    editor.GoToLine(2);
    EXPECT_EQ(editor.ep[1]->textCursor().blockNumber(), 2);
    EXPECT_EQ(editor.ep[1]->textCursor().positionInBlock(), 0);
    editor.GoToLine(40);
    EXPECT_EQ(editor.ep[1]->textCursor().position(), 0);
    EXPECT_EQ(editor.ep[0]->textCursor().position(), 0);
}

TEST_F(EditorTest, WithoutATabTheTabCommandsDoNothing) {
    Editor& editor = start();
    ASSERT_TRUE(editor.reset(false));
    ASSERT_EQ(tabs().count(), 0);
    QApplication::clipboard()->setText("kept");
    codeViewAction<Editor::CopyAction>(editor)->trigger();
    codeViewAction<Editor::CutAction>(editor)->trigger();
    codeViewAction<Editor::PasteAction>(editor)->trigger();
    for (const char* key : {"Find", "Replace", "Find_Again", "Undo", "Redo"})
        toolbarAction(editor, key)->trigger();
    editor.GoToLine(1);
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
    EXPECT_EQ(tabs().count(), 0);
    EXPECT_TRUE(prompter.texts().isEmpty());
}

}  // namespace
}  // namespace editor
