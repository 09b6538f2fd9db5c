#include "resource_actions.h"

#include <cstdio>
#include <stdexcept>

#include "resource_browser_panel.h"
#include "ui_toolkit.h"

namespace ui::resourcebrowser {

QList<QPointer<QAction>> ActionModel::live() const {
    QList<QPointer<QAction>> present;
    for (const QPointer<QAction>& action : actions_) {
        if (action) present.append(action);
    }
    return present;
}

void ActionModel::addAction(QAction* action) {
    addAction(action, size());
}

void ActionModel::addAction(QAction* action, int index) {
    actions_ = live();
    if (index < 0 || index > actions_.size()) throw std::out_of_range("Invalid action index");
    if (!action) return;
    actions_.insert(index, action);
    connect(action, &QObject::destroyed, this, &ActionModel::modelModified, Qt::UniqueConnection);
    emit modelModified();
}

void ActionModel::removeAction(QAction* action) {
    actions_ = live();
    if (actions_.removeAll(action) == 0) return;
    disconnect(action, &QObject::destroyed, this, &ActionModel::modelModified);
    emit modelModified();
}

QAction* ActionModel::getActionAt(int index) const {
    const QList<QPointer<QAction>> present = live();
    if (index < 0 || index >= present.size()) throw std::out_of_range("Invalid action index");
    return present[index];
}

int ActionModel::size() const {
    return int(live().size());
}

void ActionModel::setEnabled(bool enabled) {
    for (const QPointer<QAction>& action : live()) action->setEnabled(enabled);
}

QAction* ActionModel::getActionByClass(const std::type_info& type) const {
    for (const QPointer<QAction>& action : live()) {
        const QAction& object = *action;
        if (typeid(object) == type) return action;
    }
    return nullptr;
}

namespace actions {

DefaultAction::DefaultAction(const QString& name, const QString& description, const QString& icon,
                             QObject* parent)
    : QAction(name, parent) {
    setToolTip(description);
    setIcon(toolkit::Toolkit::getIconFromClasspath(icon));
    connect(this, &QAction::triggered, this, [this] {
        if (!panel_) return;
        // Nothing may leave through the event loop; the panel reports what it expects itself.
        try {
            actionPerformed(*panel_);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "%s\n", failure.what());
        }
    });
}

NewAction::NewAction(QObject* parent)
    : DefaultAction("New", "Create a new file", "images/document_new.png", parent) {}
void NewAction::actionPerformed(ResourceBrowserPanel& panel) {
    panel.newFile();
}

RenameAction::RenameAction(QObject* parent)
    : DefaultAction("Rename", "Rename the selected file", "images/document_preferences.png", parent) {}
void RenameAction::actionPerformed(ResourceBrowserPanel& panel) {
    panel.renameFile();
}

DeleteAction::DeleteAction(QObject* parent)
    : DefaultAction("Delete", "Delete the selected file", "images/document_delete.png", parent) {}
void DeleteAction::actionPerformed(ResourceBrowserPanel& panel) {
    panel.deleteFile();
}

LockAction::LockAction(QObject* parent)
    : DefaultAction("Lock", "Lock the selected file", "images/document_lock.png", parent) {}
void LockAction::actionPerformed(ResourceBrowserPanel& panel) {
    panel.lockUnlockFile();
}

}  // namespace actions
}  // namespace ui::resourcebrowser
