#pragma once
// Actions that act on the inner window whose title bar shows them.
#include <QAction>
#include <QPointer>

#include "action_model.h"

namespace ui::dockable {
class Tarnwell;
class ZoridInnerWindow;
}  // namespace ui::dockable

namespace ui::dockable::action {

class DockableAction {
public:
    virtual ~DockableAction() = default;
    virtual void setDockableContext(ZoridInnerWindow* window) = 0;
};

// A QAction whose trigger runs actionPerformed; nothing it throws leaves the event loop.
class ZoridAction : public QAction, public DockableAction {
    Q_OBJECT
public:
    explicit ZoridAction(QObject* parent = nullptr);

    void setDockableContext(ZoridInnerWindow* window) override { innerWindow = window; }
    // The window's framed view, or null without a window.
    QWidget* getView() const;
    // The container holding the window, or null without a window or outside a container.
    Tarnwell* getTarnwell() const;

    QVariant getValue(const QString& key) const { return action::getValue(*this, key); }
    void putValue(const QString& key, const QVariant& value) { action::putValue(*this, key, value); }

    virtual void actionPerformed() {}

protected:
    QPointer<ZoridInnerWindow> innerWindow;
};

}  // namespace ui::dockable::action
