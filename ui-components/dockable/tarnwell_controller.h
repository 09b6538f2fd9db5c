#pragma once
// The docking container's bookkeeping without widgets: which windows it holds, where each is docked,
// which are hidden, maximized, fixed or extracted, its listeners and its snapshots. The widgets follow it
// through the Renderer; tests drive it alone.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "tarnwell_event.h"

namespace ui::dockable {

// A dock place by the constraint words "Center", "West", "East", "North" and "South".
enum class DockArea { Center, West, East, North, South };
// Any other word (and none) places the window in the centre.
DockArea dockAreaFor(const QString& constraint);

class TarnwellController {
public:
    // The widgets: told after the bookkeeping changed, before the listeners hear of it.
    class Renderer {
    public:
        virtual ~Renderer() = default;
        // The window's flags or its place (docked, hidden, maximized, extracted) changed.
        virtual void windowChanged(const QString& id) = 0;
        virtual void windowRemoved(const QString& id) = 0;
        virtual void hiddenTableChanged() = 0;
        virtual QByteArray saveLayout() const = 0;
        virtual void restoreLayout(const QByteArray& layout) = 0;
    };

    struct Window {
        QString id;
        DockArea area = DockArea::Center;
        bool fixed = false;
        bool maximized = false;
        bool extracted = false;
    };

    // `source` becomes the source of every event.
    explicit TarnwellController(QObject* source, Renderer* renderer = nullptr);
    ~TarnwellController();
    TarnwellController(const TarnwellController&) = delete;
    TarnwellController& operator=(const TarnwellController&) = delete;

    // Each operation throws TarnwellException with the container's message before changing anything.
    void add(const QString& id, DockArea area);
    void hide(const QString& id);
    void show(const QString& id);
    void maximize(const QString& id);
    void restore(const QString& id);
    void toggleMaximized(const QString& id);
    // False (and no event) for an id that names no window.
    bool remove(const QString& id);
    // False when the window is extracted already; a hidden window leaves the hidden table.
    bool extract(const QString& id);
    // The extracted window's frame closed: the window takes its dock place again.
    void dockBack(const QString& id);
    void setFixed(const QString& id, bool fixed);
    // The user re-docked the window by dragging it.
    void moved(const QString& id, DockArea area);
    // Forgets every window, quietly.
    void clear();

    const Window* find(const QString& id) const;
    void checkKnown(const QString& id) const;
    // True for an unknown id and for a window that is hidden or extracted.
    bool isHidden(const QString& id) const;
    bool isMaximized(const QString& id) const;
    bool isFixed(const QString& id) const;
    QString maximizedId() const;
    // In the order the windows were hidden.
    const QStringList& hiddenIds() const { return hidden_; }
    QStringList ids() const;

    std::unique_ptr<State> getState() const;
    // Null or another class's state: "Unknown state class". Windows the snapshot does not know keep their
    // place, extracted windows stay in their frames; no event is fired.
    void setState(const State* state);

    void addListener(TarnwellListener* listener) { listeners_.append(listener); }
    void removeListener(TarnwellListener* listener) { listeners_.removeOne(listener); }
    bool hasListeners() const { return !listeners_.isEmpty(); }
    // Calls each listener in order of registration over a snapshot of the list, so a listener may add or
    // remove listeners, remove windows or end the container; a listener removed meanwhile is not called.
    void fire(int type, const QString& id);

private:
    Window* findMutable(const QString& id);
    void changed(const QString& id);

    QObject* source_;
    Renderer* renderer_;
    std::vector<Window> windows_;
    QStringList hidden_;
    QList<TarnwellListener*> listeners_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace ui::dockable
