#include "component_factory.h"

#include <QAction>
#include <QCloseEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "inner_window.h"
#include "title_bar.h"

namespace ui::dockable {
namespace {

std::unique_ptr<ComponentFactory>& currentFactory() {
    static std::unique_ptr<ComponentFactory> factory;
    return factory;
}

struct Docking {
    QList<QPointer<QWidget>> frames;
    QPointer<QWidget> focusedBar;
};

Docking& docking() {
    static Docking state;
    return state;
}

}  // namespace

DockedFrame::DockedFrame(QAction* extractAction, InnerWindow* window) : extractAction_(extractAction) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(window->getTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (QWidget* view = window->getView(); view && view->isVisible()) resize(view->size());
}

DockedFrame::~DockedFrame() = default;

void DockedFrame::adopt(QWidget* view) {
    layout()->addWidget(view);
    view->show();
}

void DockedFrame::closeEvent(QCloseEvent* event) {
    emit closing(this);
    if (extractAction_) extractAction_->setEnabled(true);
    event->accept();
}

ComponentFactory& ComponentFactory::getComponentFactory() {
    if (!currentFactory()) currentFactory() = std::make_unique<ComponentFactory>();
    return *currentFactory();
}

void ComponentFactory::setComponentFactory(std::unique_ptr<ComponentFactory> factory) {
    currentFactory() = std::move(factory);
}

DockableFrameTitleBar* ComponentFactory::buildTitleBar(const QString& title) {
    return new DefaultTitleBar(title);
}

QAbstractButton* ComponentFactory::buildButton(QAction* action) {
    auto* button = new QToolButton;
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(action->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QWidget* ComponentFactory::buildContentPaneForFrame() {
    if (autoScroll_) {
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        return scroll;
    }
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    return pane;
}

DockedFrame* ComponentFactory::buildDockedFrame(QAction* extractAction, InnerWindow* window) {
    auto* frame = new DockedFrame(extractAction, window);
    DockManager::registerDockedFrame(frame);
    return frame;
}

void DockManager::removeAllDockedFrame() {
    const QList<QPointer<QWidget>> frames = docking().frames;
    docking().frames.clear();
    for (const QPointer<QWidget>& frame : frames) {
        if (frame) frame->close();
    }
}

void DockManager::registerDockedFrame(QWidget* frame) {
    docking().frames.removeAll(nullptr);
    docking().frames.append(frame);
}

QList<QWidget*> DockManager::dockedFrames() {
    QList<QWidget*> open;
    for (const QPointer<QWidget>& frame : docking().frames) {
        if (frame && frame->isVisible()) open.append(frame);
    }
    return open;
}

DockableFrameTitleBar* DockManager::focusedTitleBar() {
    return dynamic_cast<DockableFrameTitleBar*>(docking().focusedBar.data());
}

void DockManager::setFocusedTitleBar(DockableFrameTitleBar* bar) {
    docking().focusedBar = bar ? bar->getView() : nullptr;
}

}  // namespace ui::dockable
