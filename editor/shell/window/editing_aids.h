#pragma once
// The editing aids of the source tabs: one undo history per tab slot, fed by the tab's own document
// whatever tab is selected, the grouping of several edits into one step, and the caret position that
// Go To Line # moves to. The main window's undo, redo and GoToLine and its undo keys are in
// editing_aids.cpp.
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class QPlainTextEdit;
class QTextDocument;
class QUndoCommand;
class QUndoStack;

namespace editor {

class Editor;

// Records every edit of one pane's document as a step of the slot's history. The document keeps no
// history of its own (its undo is switched off), so the history here is the only one.
class UndoHandler : public QObject {
    Q_OBJECT
public:
    // A child of the pane's document; `history` belongs to the main window and may outlive it.
    UndoHandler(QPlainTextEdit* pane, QUndoStack* history);
    ~UndoHandler() override;

    // The handler that records `document`'s edits, if any.
    static UndoHandler* of(QTextDocument* document);

    // The edits between the outermost begin and its end become one step.
    void beginGroup();
    void endGroup();
    // Drops the history and any open group's edits: the text they were made on is gone.
    void forget();

    // Replaces `length` characters at `position` with `text` without recording it, and puts the caret
    // after the new text; what undoing or redoing a step does.
    void apply(int position, int length, const QString& text);

private:
    // The document has already changed: the positions are those Qt reports, which for a whole-text
    // change count the closing paragraph mark as well.
    void undoableEditHappened(int position, int removed, int added);
    void record(int position, const QString& removed, const QString& added);
    QString documentText(int from, int to) const;

    QPointer<QPlainTextEdit> pane_;
    QPointer<QUndoStack> history_;
    QTextDocument* document_;
    QString shadow_;  // the text as it stood after the last change, to know what a change removed
    QUndoCommand* group_ = nullptr;
    int groupDepth_ = 0;
    bool applying_ = false;
};

// Every edit of one tab slot while it lives is one undoable step (a format, a template put in place,
// several replacements). Nothing happens for a slot without a tab.
class UndoGroup {
public:
    UndoGroup(Editor& editor, int slot);
    ~UndoGroup();
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    QPointer<UndoHandler> handler_;
};

// Where Go To Line # puts the caret in `text`: the start of line `line`, counted from 1 as the compiler's
// messages count them. LF, CR LF and a lone CR each end a line and take one position, as in the
// document; the text after the last line end is a line too. Nothing for 0, a negative number or a line
// past the end: the caret stays where it is.
std::optional<int> goToLinePosition(const QString& text, int line);

}  // namespace editor
