#include "inner_window.h"

#include <QApplication>
#include <QScrollArea>
#include <QVBoxLayout>
#include <stdexcept>

#include "action/common/common_actions.h"
#include "component_factory.h"
#include "tarnwell.h"
#include "title_bar.h"

namespace ui::dockable {

using action::common::CommonActionManager;

InnerWindowProperties::InnerWindowProperties(const QString& id, const QString& title, const QIcon& icon,
                                             Model model, QWidget* view, bool autoScroll)
    : id_(id), title_(title), icon_(icon), model_(std::move(model)), view_(view), autoScroll_(autoScroll) {
    if (id.isNull()) throw std::invalid_argument("Invalid id, it cannot be null !");
    if (!view) throw std::invalid_argument("Invalid view, it cannot be null !");
}

namespace {

// The view goes into a scroll area as its widget, into any other pane as its content.
void placeView(QWidget* pane, QWidget* view) {
    if (auto* scroll = qobject_cast<QScrollArea*>(pane)) {
        scroll->setWidgetResizable(true);
        scroll->setWidget(view);
        return;
    }
    if (!pane->layout()) {
        auto* layout = new QVBoxLayout(pane);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    pane->layout()->addWidget(view);
}

}  // namespace

ZoridInnerWindow::ZoridInnerWindow(const InnerWindowProperties& properties) : properties_(properties) {
    setFrameShape(QFrame::StyledPanel);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(1, 1, 1, 1);
    layout_->setSpacing(0);
    bar_ = ComponentFactory::getComponentFactory().buildTitleBar(properties.getTitle());
    bar_->setIcon(properties.getIcon());
    layout_->addWidget(bar_->getView());
    QWidget* pane = nullptr;
    if (properties.isAutoScroll()) {
        pane = new QScrollArea;
    } else {
        pane = ComponentFactory::getComponentFactory().buildContentPaneForFrame();
    }
    placeView(pane, properties.getView());
    setContentPane(pane);
    if (auto* bar = dynamic_cast<DefaultTitleBar*>(bar_)) {
        connect(bar, &DefaultTitleBar::pressed, this, &ZoridInnerWindow::requestFocus);
        connect(bar, &DefaultTitleBar::selected, this,
                [this] { fireDockEvent(getId(), TarnwellEvent::INNERWINDOW_SELECTED); });
    }
    // Clicking into the window's content selects it as well.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && isAncestorOf(now)) requestFocus();
    });
    if (action::ActionModel* own = getOwnActionModel()) own->addModelStateListener(this);
    fillTitleBar();
}

ZoridInnerWindow::~ZoridInnerWindow() {
    if (action::ActionModel* own = getOwnActionModel()) own->removeModelStateListener(this);
    // The bar may be lent to a dock frame that outlives the window for a moment.
    delete bar_->getView();
}

QString ZoridInnerWindow::getTitle() const {
    return bar_->getTitle();
}

QIcon ZoridInnerWindow::getIcon() const {
    return bar_->getIcon();
}

action::ActionModel* ZoridInnerWindow::getActionModel() {
    if (!common_) {
        common_ = std::make_unique<action::ZoridActionModel>();
        CommonActionManager::fillModelWithCommonActions(this, *common_);
        common_->addModelStateListener(this);
        fillTitleBar();
    }
    for (int i = 0; i < common_->getActionCount(); ++i) {
        if (auto* dockable = dynamic_cast<action::DockableAction*>(common_->getAction(i))) {
            dockable->setDockableContext(this);
        }
    }
    return common_.get();
}

void ZoridInnerWindow::fillTitleBar() {
    action::ActionModel* own = getOwnActionModel();
    // The window's own dockable actions act on it too, like its common ones.
    for (int i = 0; own && i < own->getActionCount(); ++i) {
        if (auto* dockable = dynamic_cast<action::DockableAction*>(own->getAction(i))) {
            dockable->setDockableContext(this);
        }
    }
    bar_->removeAllButtons();
    if (own) CommonActionManager::appendToTitleBar(*bar_, *own);
    if (common_) {
        // A common action whose class the window's own actions already hold is offered once, by the own
        // one: the editor's code and output windows list maximize and extract among their own actions.
        action::ZoridActionModel offered;
        for (int i = 0; i < common_->getActionCount(); ++i) {
            QAction* each = common_->getAction(i);
            if (each && own && own->getActionByClass(typeid(*each))) continue;
            offered.addAction(each);
        }
        if (offered.getActionCount() > 0) {
            if (own && own->getActionCount() > 0) bar_->addSeparator();
            CommonActionManager::appendToTitleBar(*bar_, offered);
        }
    }
    bar_->prepare();
}

void ZoridInnerWindow::modelModified(action::ActionModel&) {
    fillTitleBar();
}

void ZoridInnerWindow::setTitle(const QString& title) {
    bar_->setTitle(title);
}

void ZoridInnerWindow::setIcon(const QIcon& icon) {
    bar_->setIcon(icon);
}

void ZoridInnerWindow::setForeground(const QColor& color) {
    bar_->setForeground(color);
}

void ZoridInnerWindow::setBackground(const QColor& color) {
    bar_->setBackground(color);
}

void ZoridInnerWindow::setContentPane(QWidget* pane) {
    if (!pane || pane == content_) return;
    if (content_) content_->hide();
    content_ = pane;
    layout_->addWidget(pane, 1);
    pane->show();
}

void ZoridInnerWindow::requestFocus() {
    bar_->focusMode(true);
}

Tarnwell* ZoridInnerWindow::getTarnwell() const {
    return container_;
}

void ZoridInnerWindow::setContainer(Tarnwell* container) {
    container_ = container;
}

void ZoridInnerWindow::fireDockEvent(const QString& id, int type) {
    if (Tarnwell* tarnwell = getTarnwell()) tarnwell->dispatchDockEvent(type, id);
}

void ZoridInnerWindow::dispose() {
    hide();
    deleteLater();
}

QString ZoridInnerWindow::toString() const {
    return QStringLiteral("Frame:") + getId();
}

void ZoridInnerWindow::attachTitleBar() {
    QWidget* bar = bar_->getView();
    if (bar->parentWidget() == this) return;
    layout_->insertWidget(0, bar);
    bar->show();
}

void ZoridInnerWindow::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    getActionModel();
}

}  // namespace ui::dockable
