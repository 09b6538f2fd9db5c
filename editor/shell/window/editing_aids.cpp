#include "editing_aids.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "main_window.h"

namespace editor {
namespace {

constexpr int undoLimit = 100;

// One edit as the document saw it. Pushing a step runs its redo, but the edit has already happened.
class TextEdit : public QUndoCommand {
public:
    TextEdit(UndoHandler* handler, int position, const QString& removed, const QString& added,
             QUndoCommand* parent)
        : QUndoCommand(parent), handler_(handler), position_(position), removed_(removed), added_(added) {}

    void undo() override {
        if (handler_) handler_->apply(position_, added_.size(), removed_);
    }
    void redo() override {
        if (pushed_) {
            pushed_ = false;
            return;
        }
        if (handler_) handler_->apply(position_, removed_.size(), added_);
    }

private:
    QPointer<UndoHandler> handler_;
    int position_;
    QString removed_;
    QString added_;
    bool pushed_ = true;
};

bool isUndoKey(const QKeyEvent& event) {
    return event.modifiers().testFlag(Qt::ControlModifier) &&
           (event.key() == Qt::Key_Z || event.key() == Qt::Key_Y);
}

// The pane's Ctrl+Z and Ctrl+Y go to the main window before the pane sees them, so no shortcut of the
// pane or of a menu acts on them as well: Ctrl+Z undoes and Ctrl+Y redoes in every tab.
class PaneKeys : public QObject {
public:
    PaneKeys(Editor& editor, QPlainTextEdit* pane) : QObject(pane), editor_(editor) {
        pane->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (isUndoKey(*key)) {
                key->accept();
                return true;
            }
        } else if (event->type() == QEvent::KeyPress) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (isUndoKey(key)) {
                if (key.key() == Qt::Key_Z) {
                    editor_.undo();
                } else {
                    editor_.redo();
                }
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Editor& editor_;
};

}  // namespace

UndoHandler::UndoHandler(QPlainTextEdit* pane, QUndoStack* history)
    : QObject(pane->document()),
      pane_(pane),
      history_(history),
      document_(pane->document()),
      shadow_(document_->toRawText()) {
    document_->setUndoRedoEnabled(false);
    connect(document_, &QTextDocument::contentsChange, this, &UndoHandler::undoableEditHappened);
}

UndoHandler::~UndoHandler() {
    delete group_;
}

UndoHandler* UndoHandler::of(QTextDocument* document) {
    return document ? document->findChild<UndoHandler*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QString UndoHandler::documentText(int from, int to) const {
    QTextCursor cursor(document_);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

void UndoHandler::undoableEditHappened(int position, int, int added) {
    // The text after the reported range is unchanged, so what the range replaced is the old text
    // between the position and that same tail.
    const int size = document_->characterCount() - 1;
    int end = std::min(position + added, size);
    int tail = size - end;
    if (position < 0 || position > end || shadow_.size() - tail < position) {
        // A range Qt got wrong: compare the whole texts instead.
        const QString now = document_->toRawText();
        position = 0;
        while (position < now.size() && position < shadow_.size() && now[position] == shadow_[position])
            ++position;
        tail = 0;
        while (tail < now.size() - position && tail < shadow_.size() - position &&
               now[now.size() - 1 - tail] == shadow_[shadow_.size() - 1 - tail])
            ++tail;
        end = now.size() - tail;
    }
    const int oldLength = shadow_.size() - tail - position;
    const QString removed = shadow_.mid(position, oldLength);
    const QString inserted = documentText(position, end);
    shadow_.replace(position, oldLength, inserted);
    // Colouring a line changes its formats only; that is no edit.
    if (applying_ || removed == inserted) return;
    record(position, removed, inserted);
}

void UndoHandler::record(int position, const QString& removed, const QString& added) {
    if (!history_) return;
    if (groupDepth_ > 0) {
        if (!group_) group_ = new QUndoCommand;
        new TextEdit(this, position, removed, added, group_);
        return;
    }
    history_->push(new TextEdit(this, position, removed, added, nullptr));
}

void UndoHandler::beginGroup() {
    ++groupDepth_;
}

void UndoHandler::endGroup() {
    if (groupDepth_ == 0 || --groupDepth_ > 0) return;
    QUndoCommand* group = std::exchange(group_, nullptr);
    if (!group) return;
    if (history_) {
        history_->push(group);
    } else {
        delete group;
    }
}

void UndoHandler::forget() {
    delete std::exchange(group_, nullptr);
    if (history_) history_->clear();
}

void UndoHandler::apply(int position, int length, const QString& text) {
    const int size = document_->characterCount() - 1;
    position = std::clamp(position, 0, size);
    length = std::clamp(length, 0, size - position);
    applying_ = true;
    QTextCursor cursor(document_);
    cursor.beginEditBlock();
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.insertText(text);
    cursor.endEditBlock();
    applying_ = false;
    if (pane_) pane_->setTextCursor(cursor);
}

UndoGroup::UndoGroup(Editor& editor, int slot) {
    const SourceTab* tab = editor.tabAt(slot);
    if (!tab) return;
    handler_ = UndoHandler::of(tab->ep->document());
    if (handler_) handler_->beginGroup();
}

UndoGroup::~UndoGroup() {
    if (handler_) handler_->endGroup();
}

std::optional<int> goToLinePosition(const QString& text, int line) {
    if (line < 1) return std::nullopt;
    if (line == 1) return 0;
    int position = 0;
    int lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool lineEnd = text[i] == u'\r' || text[i] == u'\n';
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        ++position;
        if (lineEnd && ++lines == line) return position;
    }
    return std::nullopt;
}

void Editor::setUpUndo(int slot) {
    // The old history goes when its slot is set up again; closing the tabs alone keeps it.
    delete histories_[slot];
    histories_[slot] = new QUndoStack(this);
    histories_[slot]->setObjectName(QString("history%1").arg(slot));
    histories_[slot]->setUndoLimit(undoLimit);
    new UndoHandler(tabs_[slot].ep.get(), histories_[slot]);
    new PaneKeys(*this, tabs_[slot].ep.get());
}

void Editor::forgetEdits(int slot) {
    if (UndoHandler* handler = UndoHandler::of(tabs_[slot].ep->document())) handler->forget();
}

int Editor::selectedSlot() const {
    const int index = panel ? panel->currentIndex() : -1;
    return tabAt(index) ? index : -1;
}

void Editor::undo() {
    const int slot = selectedSlot();
    if (slot >= 0 && histories_[slot]) histories_[slot]->undo();
}

void Editor::redo() {
    const int slot = selectedSlot();
    if (slot >= 0 && histories_[slot]) histories_[slot]->redo();
}

void Editor::GoToLine(int line) {
    const int slot = selectedSlot();
    if (slot < 0) return;
    const std::optional<int> position = goToLinePosition(tabText(slot), line);
    if (!position) return;
    QPlainTextEdit* pane = tabs_[slot].ep.get();
    QTextCursor caret(pane->document());
    caret.setPosition(*position);
    pane->setTextCursor(caret);
}

void Editor::replaceText(int slot, const QString& text) {
    // A tab whose file failed to load stays as it is, read-only.
    const SourceTab* tab = tabAt(slot);
    if (!tab || !tab->unloaded.isEmpty()) return;
    const UndoGroup step(*this, slot);
    QTextCursor whole(tab->ep->document());
    whole.select(QTextCursor::Document);
    whole.insertText(text);
}

}  // namespace editor
