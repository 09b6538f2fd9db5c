#include "common_actions.h"

#include <QAbstractButton>
#include <QHash>
#include <QIcon>
#include <QStringList>

#include "component_factory.h"
#include "inner_window.h"
#include "tarnwell.h"
#include "title_bar.h"

// A static library's resources are linked in only when something names them.
static void initDockableResources() {
    Q_INIT_RESOURCE(dockable);
}

namespace ui::dockable::action::common {
namespace {

QIcon commonIcon(const char* name) {
    static const bool loaded = (initDockableResources(), true);
    (void)loaded;
    return QIcon(QStringLiteral(":/ui/dockable/action/common/") + QLatin1String(name));
}

}  // namespace

MaxMinAction::MaxMinAction(QObject* parent) : ZoridAction(parent) {
    putValue("SmallIcon", commonIcon("window.png"));
}

void MaxMinAction::actionPerformed() {
    if (Tarnwell* tarnwell = getTarnwell()) tarnwell->maximizedRestoredInnerWindow(innerWindow->getId());
}

ExtractAction::ExtractAction(QObject* parent) : ZoridAction(parent) {
    putValue("SmallIcon", commonIcon("window_application.png"));
}

void ExtractAction::actionPerformed() {
    setEnabled(false);
    if (Tarnwell* tarnwell = getTarnwell()) tarnwell->extractInnerWindow(innerWindow->getId());
}

namespace {

struct Registry {
    QHash<QString, CommonActionManager::Factory> known{
        {MaxMinAction::className, [] { return new MaxMinAction; }},
        {ExtractAction::className, [] { return new ExtractAction; }},
    };
    QStringList entries{MaxMinAction::className};
};

Registry& registry() {
    static Registry instance;
    return instance;
}

}  // namespace

void CommonActionManager::defineActionClass(const QString& name, Factory factory) {
    registry().known.insert(name, std::move(factory));
}

bool CommonActionManager::isKnownActionClass(const QString& name) {
    return registry().known.contains(name);
}

bool CommonActionManager::addCommonAction(const QString& name) {
    // A class nothing can make would fail later in every title bar; refuse it now.
    if (!isKnownActionClass(name)) return false;
    registry().entries.append(name);
    return true;
}

void CommonActionManager::removeCommonAction(const QString& name) {
    registry().entries.removeOne(name);
}

int CommonActionManager::getCommonActionCount() {
    return int(registry().entries.size());
}

QString CommonActionManager::getCommonActionAt(int index) {
    return registry().entries.value(index);
}

QAction* CommonActionManager::buildCommonActionAt(int index, ZoridInnerWindow* window) {
    const Factory factory = registry().known.value(getCommonActionAt(index));
    if (!factory) return nullptr;
    QAction* action = factory();
    if (!action) return nullptr;
    if (window) action->setParent(window);
    if (auto* dockable = dynamic_cast<DockableAction*>(action)) dockable->setDockableContext(window);
    return action;
}

void CommonActionManager::fillModelWithCommonActions(ZoridInnerWindow* window, ActionModel& model) {
    model.removeAll();
    for (int i = 0; i < getCommonActionCount(); ++i) {
        if (QAction* action = buildCommonActionAt(i, window)) model.addAction(action);
    }
}

void CommonActionManager::fillWindowTitleBar(DockableFrameTitleBar& bar, const ActionModel& model) {
    bar.removeAllButtons();
    appendToTitleBar(bar, model);
}

void CommonActionManager::appendToTitleBar(DockableFrameTitleBar& bar, const ActionModel& model) {
    for (int i = 0; i < model.getActionCount(); ++i) {
        if (model.isSeparator(i)) {
            bar.addSeparator();
        } else {
            bar.addButton(ComponentFactory::getComponentFactory().buildButton(model.getAction(i)));
        }
    }
}

}  // namespace ui::dockable::action::common
