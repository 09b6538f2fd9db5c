#pragma once
// The kit's multi-line text views. Each takes what is pasted or dropped only when it holds text: Qt 6.4's
// text control reads the first format of the data without asking whether there is one, so a paste with
// nothing on the clipboard (no owner of X's CLIPBOARD or PRIMARY selection, as after a fresh start) ended
// the program, whether by Ctrl+V, Shift+Insert, a middle click or paste(). A line edit reads the
// clipboard's text instead and needs no guard.
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextEdit>

namespace ui {

template <class View>
class PasteGuarded : public View {
public:
    using View::View;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return source && source->hasText() && View::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (source && source->hasText()) View::insertFromMimeData(source);
    }
};

using PlainTextEdit = PasteGuarded<QPlainTextEdit>;
using TextEdit = PasteGuarded<QTextEdit>;
using TextBrowser = PasteGuarded<QTextBrowser>;

}  // namespace ui
