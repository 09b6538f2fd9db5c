#pragma once
// The main window's parts as the tests find them: by the names the window gives them, as a user finds
// them on the screen, never through the window's own fields.
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>

#include "find_replace_panel.h"
#include "main_window.h"
#include "tarnwell.h"
#include "tree_file_browser.h"

namespace editor::testing {

template <typename T>
T* named(const Editor& window, const QString& name) {
    return window.findChild<T*>(name);
}

// The source tabs; tab slot i's text pane, find/replace dialog and panel, and undo history.
inline QTabWidget* tabWidget(const Editor& window) {
    return named<QTabWidget>(window, "panel");
}
inline QPlainTextEdit* tabPane(const Editor& window, int slot) {
    return named<QPlainTextEdit>(window, QString("ep%1").arg(slot));
}
inline QDialog* findDialog(const Editor& window, int slot) {
    return named<QDialog>(window, QString("findReplace%1").arg(slot));
}
inline ui::findreplace::FindReplacePanel* findPanel(const Editor& window, int slot) {
    QDialog* dialog = findDialog(window, slot);
    return dialog ? dialog->findChild<ui::findreplace::FindReplacePanel*>() : nullptr;
}
inline QUndoStack* undoHistory(const Editor& window, int slot) {
    return named<QUndoStack>(window, QString("history%1").arg(slot));
}

inline QPlainTextEdit* outputPane(const Editor& window) {
    return named<QPlainTextEdit>(window, "compilerM");
}
inline QLabel* statusLine(const Editor& window) {
    return named<QLabel>(window, "statusBar");
}
inline QToolBar* toolBar(const Editor& window) {
    return named<QToolBar>(window, "toolbar");
}
inline ui::dockable::Tarnwell* tarnwell(const Editor& window) {
    return window.findChild<ui::dockable::Tarnwell*>();
}

// The project window "Fi": the tree in its upper cell, the options panel (if any) in its lower one.
inline QWidget* projectWindow(const Editor& window) {
    return named<QWidget>(window, "leftPanel");
}
inline ui::treefilebrowser::JTreeFileBrowser* projectTree(const Editor& window) {
    return window.findChild<ui::treefilebrowser::JTreeFileBrowser*>();
}
inline QWidget* optionsPanel(const Editor& window) {
    auto* cells = qobject_cast<QGridLayout*>(projectWindow(window)->layout());
    QLayoutItem* lower = cells ? cells->itemAtPosition(1, 0) : nullptr;
    auto* scroll = lower ? qobject_cast<QScrollArea*>(lower->widget()) : nullptr;
    return scroll ? scroll->widget() : nullptr;
}

}  // namespace editor::testing
