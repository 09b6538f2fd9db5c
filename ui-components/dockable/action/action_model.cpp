#include "action_model.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <stdexcept>
#include <string>

namespace ui::dockable::action {

QVariant getValue(const QAction& action, const QString& key) {
    if (key == QLatin1String("Name")) return action.text();
    if (key == QLatin1String("ShortDescription")) return action.toolTip();
    if (key == QLatin1String("SmallIcon")) return action.icon();
    if (key == QLatin1String("AcceleratorKey")) return action.shortcut();
    return action.property(key.toUtf8().constData());
}

void putValue(QAction& action, const QString& key, const QVariant& value) {
    if (key == QLatin1String("Name")) {
        action.setText(value.toString());
    } else if (key == QLatin1String("ShortDescription")) {
        action.setToolTip(value.toString());
    } else if (key == QLatin1String("SmallIcon")) {
        action.setIcon(value.value<QIcon>());
    } else if (key == QLatin1String("AcceleratorKey")) {
        action.setShortcut(value.value<QKeySequence>());
    } else {
        action.setProperty(key.toUtf8().constData(), value);
    }
}

ZoridActionModel::ZoridActionModel() = default;

ZoridActionModel::ZoridActionModel(const QList<QAction*>& actions) {
    for (auto action = actions.crbegin(); action != actions.crend(); ++action) addAction(*action);
}

ZoridActionModel::ZoridActionModel(const QList<QAction*>* actions) {
    if (!actions) throw std::invalid_argument("Null actions ? ");
    for (auto action = actions->crbegin(); action != actions->crend(); ++action) addAction(*action);
}

ZoridActionModel::~ZoridActionModel() = default;

void ZoridActionModel::checkIndex(int index, int size) const {
    if (index < 0 || index >= size) {
        throw std::out_of_range("Index: " + std::to_string(index) +
                                ", Size: " + std::to_string(actions_.size()));
    }
}

void ZoridActionModel::watch(QAction* action) {
    if (!action) return;
    // Compared by address only: by the time destroyed() comes, the object is no QAction any more.
    QObject::connect(action, &QObject::destroyed, &guard_, [this, action] {
        if (actions_.removeAll(action) > 0) notify();
    });
}

void ZoridActionModel::addAction(QAction* action) {
    actions_.append(action);
    watch(action);
    notify();
}

void ZoridActionModel::addAction(QAction* action, int index) {
    checkIndex(index, int(actions_.size()) + 1);
    actions_.insert(index, action);
    watch(action);
    notify();
}

void ZoridActionModel::removeAction(QAction* action) {
    actions_.removeOne(action);
    notify();
}

void ZoridActionModel::removeAll() {
    actions_.clear();
    notify();
}

QAction* ZoridActionModel::getAction(int index) const {
    checkIndex(index, int(actions_.size()));
    return actions_.at(index);
}

bool ZoridActionModel::isSeparator(int index) const {
    return getAction(index) == SEPARATOR;
}

QAction* ZoridActionModel::getActionByClass(const std::type_info& type) const {
    for (QAction* action : actions_) {
        if (action && typeid(*action) == type) return action;
    }
    return nullptr;
}

void ZoridActionModel::addModelStateListener(ModelStateListener* listener) {
    listeners_.append(listener);
}

void ZoridActionModel::removeModelStateListener(ModelStateListener* listener) {
    listeners_.removeOne(listener);
}

void ZoridActionModel::notify() {
    // Over a snapshot: a listener may change the listeners (or the model) while it is told.
    const QList<ModelStateListener*> snapshot = listeners_;
    for (ModelStateListener* listener : snapshot) {
        if (listeners_.contains(listener)) listener->modelModified(*this);
    }
}

QString ZoridActionModel::toString() const {
    QStringList texts;
    for (QAction* action : actions_) texts.append(action ? action->text() : QStringLiteral("null"));
    return "[" + texts.join(",") + "]";
}

}  // namespace ui::dockable::action
