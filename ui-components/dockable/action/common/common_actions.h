#pragma once
// The actions every inner window's title bar offers, and their process-wide registry.
#include <QString>
#include <functional>
#include <typeinfo>

#include "zorid_action.h"

namespace ui::dockable {
class DockableFrameTitleBar;
}

namespace ui::dockable::action::common {

// Marks the common actions.
class CommonAction {
public:
    virtual ~CommonAction() = default;
};

// Maximizes the window, or restores it when it is maximized.
class MaxMinAction : public ZoridAction, public CommonAction {
    Q_OBJECT
public:
    static constexpr const char* className = "com.vandrel.framework.dockable.action.common.MaxMinAction";
    explicit MaxMinAction(QObject* parent = nullptr);
    void actionPerformed() override;
};

// Moves the window into a frame of its own; disabled until the window is docked again.
class ExtractAction : public ZoridAction, public CommonAction {
    Q_OBJECT
public:
    static constexpr const char* className = "com.vandrel.framework.dockable.action.common.ExtractAction";
    explicit ExtractAction(QObject* parent = nullptr);
    void actionPerformed() override;
};

// Common actions are registered by class name; a class is known by the factory that makes it. The
// registry keeps its order and allows duplicates; it starts with MaxMinAction.
class CommonActionManager {
public:
    using Factory = std::function<QAction*()>;

    // Makes a class known under `name`; the built-in actions are known from the start.
    static void defineActionClass(const QString& name, Factory factory);
    static bool isKnownActionClass(const QString& name);

    // Appends a known class; an unknown name is refused (false) and the registry stays as it was.
    static bool addCommonAction(const QString& name);
    // Removes the first occurrence.
    static void removeCommonAction(const QString& name);
    static int getCommonActionCount();
    // The name of the i-th class; an empty text outside the registry.
    static QString getCommonActionAt(int index);
    // A new action of the i-th class owned by `window` (null outside the registry); a DockableAction is
    // bound to the window.
    static QAction* buildCommonActionAt(int index, ZoridInnerWindow* window);
    // Empties `model`, then appends one new action per registered class, in order.
    static void fillModelWithCommonActions(ZoridInnerWindow* window, ActionModel& model);
    // Empties the bar, then one button per entry (the current factory's buildButton), separators between.
    static void fillWindowTitleBar(DockableFrameTitleBar& bar, const ActionModel& model);
    // Appends the entries of `model` to the bar without emptying it first.
    static void appendToTitleBar(DockableFrameTitleBar& bar, const ActionModel& model);
};

}  // namespace ui::dockable::action::common
