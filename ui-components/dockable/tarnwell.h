#pragma once
// The docking container: inner windows laid out by Qt's own docking (a QMainWindow inside the inner
// area, one QDockWidget per window, the "Center" window as its central widget), which the user re-docks
// by dragging a title bar. Tarnwell is no widget itself: getView() is what goes into a window.
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <memory>
#include <optional>

#include "inner_window.h"
#include "status_bar.h"
#include "tarnwell_controller.h"
#include "tarnwell_event.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QSplitter;
class QStackedLayout;
class QVBoxLayout;

namespace ui::dockable {

class DockedFrame;

class Tarnwell : public QObject, private TarnwellController::Renderer {
    Q_OBJECT
public:
    // The inner area: the dock layout and, while a window is maximized, that window alone.
    class InnerPanel : public QWidget, public TarnwellSource {
    public:
        explicit InnerPanel(Tarnwell* tarnwell);
        Tarnwell* getSource() const override { return tarnwell_; }
        Tarnwell* getTarnwell() const { return tarnwell_; }

    protected:
        void showEvent(QShowEvent* event) override;

    private:
        QPointer<Tarnwell> tarnwell_;
    };

    explicit Tarnwell(QObject* parent = nullptr);
    explicit Tarnwell(bool shadowMode, QObject* parent = nullptr);
    // The views that nobody adopted go with the container.
    ~Tarnwell() override;

    // Operations that name a window throw TarnwellException with the messages below, changing nothing.
    // "Unknown inner window " + id unless the id is in the hidden table, even for a visible window.
    void showInnerWindow(const QString& id);
    void setUIReady(bool) {}
    // "Unknown state class" for null or a state another kind of container made.
    void setState(const State* state);
    // The frame spacing: 5 pixels with shadows on, 3 without.
    void setShadowMode(bool on);
    void setResizingShadowColor(const QColor& color) { resizingShadowColor_ = color; }
    void setMinimalInnerWindowSize(const QSize& size);
    // One check item per inner window, added when the inner area is first shown.
    void setMenuWindow(QMenu* menu);
    void setInnerWindowTitleForId(const QString& id, const QString& title);
    // "Invalid icon must be 16x16 !" first; an unknown id changes nothing.
    void setInnerWindowIconForId(const QString& id, const QIcon& icon);
    void setInnerWindowForegroundForId(const QString& id, const QColor& color);
    void setInnerWindowFixed(const QString& id, bool fixed);
    void setInnerWindowBackgroundForId(const QString& id, const QColor& color);
    void setEnabledStatusBar(bool enabled);
    void setEnabledResizeShadow(bool enabled) { resizeShadow_ = enabled; }
    void setEnabledDraggingShadow(bool enabled) { draggingShadow_ = enabled; }
    void setDraggingShadowColor(const QColor& color) { draggingShadowColor_ = color; }
    void setDraggingActiveWindow(const QColor& color) { draggingActiveWindow_ = color; }
    void setBackground(const QColor& color);
    // Unknown id: nothing.
    void selectInnerWindow(const QString& id);
    void restoreInnerWindow(const QString& id);
    void removeTarnwellListener(TarnwellListener* listener) { controller_.removeListener(listener); }
    // "Invalid null id " for a null id; an id that names no window changes nothing. The window and its
    // view are deleted.
    void removeInnerWindow(const QString& id);
    void maximizedRestoredInnerWindow(const QString& id);
    void maximizeInnerWindow(const QString& id);
    bool isShadowMode() const { return shadowMode_; }
    bool isMaximizedInnerWindow(const QString& id) const { return controller_.isMaximized(id); }
    // True for an unknown id and for a window that is hidden or extracted.
    bool isInnerWindowHidden(const QString& id) const { return controller_.isHidden(id); }
    bool isInnerWindowFixed(const QString& id) const { return controller_.isFixed(id); }
    bool isEnabledStatusBar() const { return statusBarEnabled_; }
    bool isEnabledResizeShasow() const { return resizeShadow_; }
    bool isEnabledDraggingShasow() const { return draggingShadow_; }
    void hideInnerWindow(const QString& id);
    // Built on the first call: the inner area, or with the status bar enabled the inner area over it.
    QWidget* getView();
    std::unique_ptr<State> getState() const { return controller_.getState(); }
    QColor getResizingShadowColor() const { return resizingShadowColor_; }
    QSize getMinimalInnerWindowSize();
    QWidget* getInnerWindowViewForId(const QString& id) const;
    QString getInnerWindowTitleForId(const QString& id) const;
    QIcon getInnerWindowIconForId(const QString& id) const;
    action::ActionModel* getInnerWindowActionsForId(const QString& id) const;
    QColor getDraggingShadowColor() const { return draggingShadowColor_; }
    QColor getDraggingActiveWindow() const { return draggingActiveWindow_; }
    QColor getBackground();
    // Moves the window into a frame of its own; closing the frame docks it again.
    void extractInnerWindow(const QString& id);
    // Closes the extracted frames, deletes every inner window and empties the status bar.
    void dispose();
    void addTarnwellListener(TarnwellListener* listener) { controller_.addListener(listener); }
    // A bare view, without frame or title bar.
    void addInnerWindow(QWidget* view, const QString& constraint);
    // "properties can't be null", then "Invalid icon, must be 16x16 !".
    void addInnerWindow(const InnerWindowProperties* properties, const QString& constraint);
    void addInnerWindow(const InnerWindowProperties& properties, const QString& constraint) {
        addInnerWindow(&properties, constraint);
    }
    void add(QWidget* view, const QString& constraint) { addInnerWindow(view, constraint); }

    // The window itself, for the editor and the tests; null for an unknown id.
    ZoridInnerWindow* innerWindowForId(const QString& id) const;
    ZoridStatusBar* statusBar() const { return statusBar_; }
    InnerPanel* innerPanel();

protected:
    // Called once, on first need (not from the constructor, so a subclass's version is the one used).
    virtual InnerPanel* createInnerView();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ZoridInnerWindow;
    friend class ZoridStatusBar;

    enum class Place { Docked, Maximized, Extracted };
    struct Entry {
        QPointer<ZoridInnerWindow> window;
        QPointer<QDockWidget> dock;  // none for a window in the centre
        QPointer<QWidget> emptyTitle;
        QPointer<DockedFrame> frame;
        QPointer<QAction> menuItem;
        Place place = Place::Docked;
        bool dragging = false;
    };

    void windowChanged(const QString& id) override;
    void windowRemoved(const QString& id) override;
    void hiddenTableChanged() override;
    QByteArray saveLayout() const override;
    void restoreLayout(const QByteArray& layout) override;

    void installDockLayout();
    void dispatchDockEvent(int type, const QString& id);
    void panelDisplayed();
    void addMenuItem(const QString& id);
    void pullOut(Entry& entry);
    void putInDock(Entry& entry);
    void updatePages();
    void handOver(const QString& id);
    void frameClosing(const QString& id, DockedFrame* frame);
    void applyMinimalSize(QWidget* widget);
    Entry* entry(const QString& id);
    const Entry* entry(const QString& id) const;

    TarnwellController controller_;
    QPointer<InnerPanel> panel_;
    QPointer<QWidget> view_;
    QPointer<ZoridStatusBar> statusBar_;
    QPointer<QMenu> menu_;
    QPointer<QMainWindow> dockLayout_;
    QPointer<QSplitter> center_;
    QPointer<QWidget> maximizedPage_;
    QPointer<QStackedLayout> pages_;  // goes with the view, which a host window may delete first
    QHash<QString, Entry> entries_;
    QList<QPointer<QWidget>> bareViews_;
    std::optional<QSize> minimalSize_;
    bool shadowMode_ = true;
    bool statusBarEnabled_ = false;
    bool draggingShadow_ = true;
    bool resizeShadow_ = true;
    bool displayed_ = false;
    QColor draggingShadowColor_{Qt::gray};
    QColor resizingShadowColor_{Qt::gray};
    QColor draggingActiveWindow_{Qt::darkGray};
};

}  // namespace ui::dockable
