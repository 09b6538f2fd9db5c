#include "tarnwell.h"

#include <QAction>
#include <QApplication>
#include <QChildEvent>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QRubberBand>
#include <QSplitter>
#include <QStackedLayout>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>
#include <iostream>

#include "action/common/common_actions.h"
#include "component_factory.h"
#include "status_bar.h"
#include "title_bar.h"

namespace ui::dockable {
namespace {

using action::common::ExtractAction;

Qt::DockWidgetArea qtArea(DockArea area) {
    switch (area) {
        case DockArea::West:
            return Qt::LeftDockWidgetArea;
        case DockArea::East:
            return Qt::RightDockWidgetArea;
        case DockArea::North:
            return Qt::TopDockWidgetArea;
        case DockArea::South:
            return Qt::BottomDockWidgetArea;
        case DockArea::Center:
            break;
    }
    return Qt::NoDockWidgetArea;
}

DockArea dockArea(Qt::DockWidgetArea area) {
    switch (area) {
        case Qt::LeftDockWidgetArea:
            return DockArea::West;
        case Qt::RightDockWidgetArea:
            return DockArea::East;
        case Qt::TopDockWidgetArea:
            return DockArea::North;
        case Qt::BottomDockWidgetArea:
            return DockArea::South;
        default:
            return DockArea::Center;
    }
}

bool validIcon(const QIcon& icon) {
    if (icon.isNull()) return true;
    const QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty()) return false;
    for (const QSize& size : sizes) {
        if (size != QSize(16, 16)) return false;
    }
    return true;
}

// The space between docked frames. Qt reads it from the main window's own style, so only the dock layout
// gets this one; the windows inside keep the application's style. One per measure, for the process.
class FrameSpacingStyle : public QProxyStyle {
public:
    explicit FrameSpacingStyle(int extent)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), extent_(extent) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_DockWidgetSeparatorExtent) return extent_;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int extent_;
};

QStyle* frameSpacingStyle(bool shadowMode) {
    static QStyle* wide = new FrameSpacingStyle(5);
    static QStyle* narrow = new FrameSpacingStyle(3);
    return shadowMode ? wide : narrow;
}

template <typename Operation>
void reportFailures(Operation operation) {
    try {
        operation();
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << std::endl;
    }
}

}  // namespace

Tarnwell::InnerPanel::InnerPanel(Tarnwell* tarnwell) : tarnwell_(tarnwell) {}

void Tarnwell::InnerPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (tarnwell_) tarnwell_->panelDisplayed();
}

Tarnwell::Tarnwell(QObject* parent) : QObject(parent), controller_(this, this) {}

Tarnwell::Tarnwell(bool shadowMode, QObject* parent) : Tarnwell(parent) {
    if (!shadowMode) setShadowMode(false);
}

Tarnwell::~Tarnwell() {
    dispose();
    QWidget* top = view_ ? view_.data() : panel_.data();
    if (top && !top->parentWidget()) delete top;
}

Tarnwell::InnerPanel* Tarnwell::createInnerView() {
    return new InnerPanel(this);
}

Tarnwell::InnerPanel* Tarnwell::innerPanel() {
    if (!panel_) panel_ = createInnerView();
    return panel_;
}

void Tarnwell::installDockLayout() {
    if (dockLayout_) return;
    InnerPanel* panel = innerPanel();
    pages_ = new QStackedLayout(panel);
    auto* docks = new QMainWindow(panel);
    docks->setWindowFlags(Qt::Widget);  // a QMainWindow always starts as a window of its own
    docks->setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    // West and East run the full height; North and South sit between them.
    docks->setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
    docks->setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    docks->setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
    docks->setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    center_ = new QSplitter(Qt::Vertical);
    center_->setChildrenCollapsible(false);
    docks->setCentralWidget(center_);
    docks->installEventFilter(this);
    maximizedPage_ = new QWidget;
    auto* maximized = new QVBoxLayout(maximizedPage_);
    maximized->setContentsMargins(0, 0, 0, 0);
    pages_->addWidget(docks);
    pages_->addWidget(maximizedPage_);
    dockLayout_ = docks;
}

Tarnwell::Entry* Tarnwell::entry(const QString& id) {
    auto found = entries_.find(id);
    return found == entries_.end() || !found->window ? nullptr : &*found;
}

const Tarnwell::Entry* Tarnwell::entry(const QString& id) const {
    auto found = entries_.constFind(id);
    return found == entries_.constEnd() || !found->window ? nullptr : &*found;
}

ZoridInnerWindow* Tarnwell::innerWindowForId(const QString& id) const {
    const Entry* found = entry(id);
    return found ? found->window.data() : nullptr;
}

void Tarnwell::addInnerWindow(const InnerWindowProperties* properties, const QString& constraint) {
    if (!properties) throw TarnwellException("properties can't be null");
    if (!validIcon(properties->getIcon())) throw TarnwellException("Invalid icon, must be 16x16 !");
    installDockLayout();
    const QString id = properties->getId();
    const DockArea area = dockAreaFor(constraint);
    controller_.add(id, area);  // refuses an id that is taken; the widgets follow below

    Entry added;
    added.window = new ZoridInnerWindow(*properties);
    added.window->setContainer(this);
    applyMinimalSize(added.window);
    if (area != DockArea::Center) {
        auto* dock = new QDockWidget(dockLayout_);
        dock->setObjectName(id);
        dock->setWindowTitle(properties->getTitle());
        dock->setFeatures(QDockWidget::DockWidgetMovable);
        added.emptyTitle = new QWidget(dock);
        dock->setTitleBarWidget(added.emptyTitle);
        added.dock = dock;
        // A drag lifts the dock out of the layout and plugs it in again where it is dropped.
        connect(dock, &QDockWidget::topLevelChanged, this, [this, id](bool floating) {
            Entry* moving = entry(id);
            if (!moving || !moving->dock) return;
            if (floating) {
                moving->dragging = true;
            } else if (moving->dragging) {
                moving->dragging = false;
                controller_.moved(id, dockArea(dockLayout_->dockWidgetArea(moving->dock)));
            }
        });
    }
    putInDock(added);
    if (added.dock) dockLayout_->addDockWidget(qtArea(area), added.dock);
    entries_.insert(id, added);
    windowChanged(id);
    if (displayed_ && menu_) addMenuItem(id);
}

void Tarnwell::addInnerWindow(QWidget* view, const QString& constraint) {
    if (!view) return;
    installDockLayout();
    const DockArea area = dockAreaFor(constraint);
    applyMinimalSize(view);
    if (area == DockArea::Center) {
        center_->addWidget(view);
        view->show();
    } else {
        auto* dock = new QDockWidget(dockLayout_);
        dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
        dock->setTitleBarWidget(new QWidget(dock));
        dock->setWidget(view);
        dockLayout_->addDockWidget(qtArea(area), dock);
        bareViews_.append(dock);
    }
    bareViews_.append(view);
    updatePages();
}

void Tarnwell::putInDock(Entry& placed) {
    ZoridInnerWindow* window = placed.window;
    if (placed.dock) {
        placed.dock->setWidget(window);
        placed.dock->setTitleBarWidget(window->titleBar()->getView());
        window->show();
    } else {
        window->attachTitleBar();
        center_->addWidget(window);
        window->show();
    }
    placed.place = Place::Docked;
}

void Tarnwell::pullOut(Entry& placed) {
    if (placed.dock && placed.dock->widget() == placed.window) {
        placed.dock->setTitleBarWidget(placed.emptyTitle);
        placed.dock->setWidget(nullptr);
    }
    placed.window->attachTitleBar();
}

void Tarnwell::windowChanged(const QString& id) {
    Entry* changed = entry(id);
    const TarnwellController::Window* record = controller_.find(id);
    if (!changed || !record) return;
    ZoridInnerWindow* window = changed->window;
    window->setMaximized(record->maximized);
    window->setFixed(record->fixed);
    if (changed->dock) {
        changed->dock->setFeatures(record->fixed ? QDockWidget::NoDockWidgetFeatures
                                                 : QDockWidget::DockWidgetMovable);
    }
    if (record->extracted) {
        // The frame takes the window once the current event is over (handOver).
        if (changed->place == Place::Extracted && changed->dock) changed->dock->hide();
    } else {
        const bool hidden = controller_.isHidden(id);
        const bool maximized = record->maximized && !hidden;
        if (maximized && changed->place != Place::Maximized) {
            pullOut(*changed);
            maximizedPage_->layout()->addWidget(window);
            window->show();
            changed->place = Place::Maximized;
        } else if (!maximized && changed->place != Place::Docked) {
            pullOut(*changed);
            putInDock(*changed);
        }
        if (changed->place == Place::Docked) {
            if (changed->dock) {
                changed->dock->setVisible(!hidden);
            } else {
                window->setVisible(!hidden);
            }
        }
        if (changed->menuItem) {
            const QSignalBlocker quiet(changed->menuItem);
            changed->menuItem->setChecked(!hidden);
        }
    }
    updatePages();
}

void Tarnwell::updatePages() {
    if (!pages_ || !center_) return;
    const Entry* maximized = entry(controller_.maximizedId());
    const bool filled = maximized && maximized->place == Place::Maximized;
    pages_->setCurrentWidget(filled ? maximizedPage_.data() : dockLayout_.data());
    bool centerUsed = false;
    for (int i = 0; i < center_->count(); ++i) centerUsed |= !center_->widget(i)->isHidden();
    center_->setVisible(centerUsed);
}

void Tarnwell::windowRemoved(const QString& id) {
    Entry removed = entries_.take(id);
    if (removed.menuItem) delete removed.menuItem;
    if (removed.frame) {
        disconnect(removed.frame, nullptr, this, nullptr);
        removed.frame->close();
    }
    if (removed.window) {
        removed.window->setContainer(nullptr);
        removed.window->dispose();
    }
    if (removed.dock) {
        dockLayout_->removeDockWidget(removed.dock);
        removed.dock->deleteLater();
    }
    updatePages();
}

void Tarnwell::hiddenTableChanged() {
    if (statusBar_) statusBar_->prepare(this);
}

QByteArray Tarnwell::saveLayout() const {
    return dockLayout_ ? dockLayout_->saveState() : QByteArray();
}

void Tarnwell::restoreLayout(const QByteArray& layout) {
    if (dockLayout_ && !layout.isEmpty()) dockLayout_->restoreState(layout);
}

void Tarnwell::dispatchDockEvent(int type, const QString& id) {
    if ((type == TarnwellEvent::INNERWINDOW_HIDDEN || type == TarnwellEvent::INNERWINDOW_SHOWN) &&
        statusBar_) {
        statusBar_->prepare(this);
    }
    controller_.fire(type, id);
}

void Tarnwell::showInnerWindow(const QString& id) {
    controller_.show(id);
}

void Tarnwell::hideInnerWindow(const QString& id) {
    controller_.hide(id);
}

void Tarnwell::maximizeInnerWindow(const QString& id) {
    installDockLayout();
    controller_.maximize(id);
}

void Tarnwell::restoreInnerWindow(const QString& id) {
    installDockLayout();
    controller_.restore(id);
}

void Tarnwell::maximizedRestoredInnerWindow(const QString& id) {
    controller_.toggleMaximized(id);
}

void Tarnwell::removeInnerWindow(const QString& id) {
    controller_.remove(id);
}

void Tarnwell::setInnerWindowFixed(const QString& id, bool fixed) {
    controller_.setFixed(id, fixed);
}

void Tarnwell::setState(const State* state) {
    controller_.setState(state);
}

void Tarnwell::setShadowMode(bool on) {
    shadowMode_ = on;
    installDockLayout();
    dockLayout_->setStyle(frameSpacingStyle(on));
}

void Tarnwell::setMinimalInnerWindowSize(const QSize& size) {
    minimalSize_ = size;
    for (const Entry& each : std::as_const(entries_)) {
        if (each.window) applyMinimalSize(each.window);
    }
}

QSize Tarnwell::getMinimalInnerWindowSize() {
    if (!minimalSize_) minimalSize_ = QSize(10, 10);
    return *minimalSize_;
}

void Tarnwell::applyMinimalSize(QWidget* widget) {
    widget->setMinimumSize(getMinimalInnerWindowSize());
}

void Tarnwell::setMenuWindow(QMenu* menu) {
    menu_ = menu;
}

void Tarnwell::panelDisplayed() {
    if (displayed_) return;
    displayed_ = true;
    if (!menu_) return;
    for (const QString& id : controller_.ids()) addMenuItem(id);
}

void Tarnwell::addMenuItem(const QString& id) {
    Entry* listed = entry(id);
    if (!listed || listed->menuItem) return;
    auto* item = new QAction(listed->window->getTitle(), innerPanel());
    item->setCheckable(true);
    item->setChecked(!isInnerWindowHidden(id));
    connect(item, &QAction::toggled, this, [this, id](bool visible) {
        reportFailures([&] {
            if (visible && isInnerWindowHidden(id)) showInnerWindow(id);
            if (!visible) hideInnerWindow(id);
        });
    });
    menu_->addAction(item);
    listed->menuItem = item;
}

void Tarnwell::setInnerWindowTitleForId(const QString& id, const QString& title) {
    controller_.checkKnown(id);
    Entry* titled = entry(id);
    if (!titled) return;
    titled->window->setTitle(title);
    if (titled->dock) titled->dock->setWindowTitle(title);
    if (titled->frame) titled->frame->setWindowTitle(title);
    if (titled->menuItem) titled->menuItem->setText(title);
}

void Tarnwell::setInnerWindowIconForId(const QString& id, const QIcon& icon) {
    if (!validIcon(icon)) throw TarnwellException("Invalid icon must be 16x16 !");
    if (Entry* found = entry(id)) found->window->setIcon(icon);
}

void Tarnwell::setInnerWindowForegroundForId(const QString& id, const QColor& color) {
    if (Entry* found = entry(id)) found->window->setForeground(color);
}

void Tarnwell::setInnerWindowBackgroundForId(const QString& id, const QColor& color) {
    if (Entry* found = entry(id)) found->window->setBackground(color);
}

void Tarnwell::setEnabledStatusBar(bool enabled) {
    statusBarEnabled_ = enabled;
    if (statusBar_) statusBar_->setVisible(enabled);
}

void Tarnwell::setBackground(const QColor& color) {
    InnerPanel* panel = innerPanel();
    QPalette palette = panel->palette();
    palette.setColor(panel->backgroundRole(), color);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

QColor Tarnwell::getBackground() {
    InnerPanel* panel = innerPanel();
    return panel->palette().color(panel->backgroundRole());
}

void Tarnwell::selectInnerWindow(const QString& id) {
    if (Entry* found = entry(id)) found->window->requestFocus();
}

QWidget* Tarnwell::getView() {
    if (view_) return view_;
    if (!statusBarEnabled_) {
        view_ = innerPanel();
        return view_;
    }
    auto* view = new QWidget;
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(innerPanel(), 1);
    statusBar_ = new ZoridStatusBar;
    layout->addWidget(statusBar_);
    statusBar_->prepare(this);
    view_ = view;
    return view_;
}

QWidget* Tarnwell::getInnerWindowViewForId(const QString& id) const {
    const Entry* found = entry(id);
    return found ? found->window->getUserView() : nullptr;
}

QString Tarnwell::getInnerWindowTitleForId(const QString& id) const {
    const Entry* found = entry(id);
    return found ? found->window->getTitle() : QString();
}

QIcon Tarnwell::getInnerWindowIconForId(const QString& id) const {
    const Entry* found = entry(id);
    return found ? found->window->getIcon() : QIcon();
}

action::ActionModel* Tarnwell::getInnerWindowActionsForId(const QString& id) const {
    const Entry* found = entry(id);
    return found ? found->window->getActionModel() : nullptr;
}

void Tarnwell::extractInnerWindow(const QString& id) {
    controller_.checkKnown(id);
    Entry* extracted = entry(id);
    if (!extracted) return;
    QAction* extract = extracted->window->getActionModel()->getActionByClass<ExtractAction>();
    if (!controller_.extract(id)) {
        if (extracted->frame) extracted->frame->activateWindow();
        return;
    }
    extracted = entry(id);  // a listener may have removed it
    if (!extracted) return;
    DockedFrame* frame = ComponentFactory::getComponentFactory().buildDockedFrame(extract, extracted->window);
    extracted->frame = frame;
    connect(frame, &DockedFrame::closing, this,
            [this, id](DockedFrame* closed) { frameClosing(id, closed); });
    frame->show();
    // The click that asked for it may still be running in the window's own title bar.
    QTimer::singleShot(0, frame, [self = QPointer<Tarnwell>(this), id] {
        if (self) self->handOver(id);
    });
}

void Tarnwell::handOver(const QString& id) {
    Entry* moving = entry(id);
    const TarnwellController::Window* record = controller_.find(id);
    if (!moving || !moving->frame || !record || !record->extracted || moving->place == Place::Extracted)
        return;
    pullOut(*moving);
    moving->frame->adopt(moving->window);
    moving->place = Place::Extracted;
    if (moving->dock) moving->dock->hide();
    updatePages();
}

void Tarnwell::frameClosing(const QString& id, DockedFrame* frame) {
    Entry* closing = entry(id);
    if (!closing || closing->frame != frame) return;
    closing->frame = nullptr;
    controller_.dockBack(id);
    if (action::ActionModel* own = closing->window->getOwnActionModel()) {
        for (int i = 0; i < own->getActionCount(); ++i) {
            if (auto* extract = dynamic_cast<ExtractAction*>(own->getAction(i))) extract->setEnabled(true);
        }
    }
}

void Tarnwell::dispose() {
    const QHash<QString, Entry> disposed = std::exchange(entries_, {});
    controller_.clear();
    for (const Entry& each : disposed) {
        if (each.menuItem) delete each.menuItem.data();
        if (each.window) {
            each.window->setContainer(nullptr);
            each.window->dispose();
        }
        if (each.dock) {
            if (dockLayout_) dockLayout_->removeDockWidget(each.dock);
            each.dock->deleteLater();
        }
        if (each.frame) {
            disconnect(each.frame, nullptr, this, nullptr);
            each.frame->close();
        }
    }
    for (const QPointer<QWidget>& view : std::exchange(bareViews_, {})) {
        if (!view) continue;
        view->hide();
        view->deleteLater();
    }
    if (statusBar_) statusBar_->dispose();
    updatePages();
}

bool Tarnwell::eventFilter(QObject* watched, QEvent* event) {
    // The type first: the dock layout also reports children while it is being destroyed.
    if (event->type() == QEvent::ChildPolished && watched == dockLayout_) {
        // Qt's drop indicator while a window is dragged: drawn as our shadow.
        if (auto* band = qobject_cast<QRubberBand*>(static_cast<QChildEvent*>(event)->child())) {
            band->installEventFilter(this);
        }
    } else if (event->type() == QEvent::Paint && qobject_cast<QRubberBand*>(watched)) {
        auto* band = static_cast<QWidget*>(watched);
        if (draggingShadow_) {
            QPainter painter(band);
            QColor fill = draggingShadowColor_;
            fill.setAlpha(96);
            painter.fillRect(band->rect(), fill);
            painter.setPen(draggingShadowColor_);
            painter.drawRect(band->rect().adjusted(0, 0, -1, -1));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ui::dockable
