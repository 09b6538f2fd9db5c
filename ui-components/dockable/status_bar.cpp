#include "status_bar.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <iostream>

#include "action/action_model.h"
#include "tarnwell.h"
#include "ui_defaults.h"

namespace ui::dockable {

ZoridStatusBar::ZoridStatusBar() {
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void ZoridStatusBar::prepare(Tarnwell* tarnwell) {
    dispose();
    if (!tarnwell) return;
    const QColor background = defaultColor("button.background");
    for (const QString& id : tarnwell->controller_.hiddenIds()) {
        auto* choice = new QAction(this);
        action::putValue(*choice, "Name", tarnwell->getInnerWindowTitleForId(id));
        action::putValue(*choice, "ShortDescription", tarnwell->getInnerWindowTitleForId(id));
        action::putValue(*choice, "SmallIcon", tarnwell->getInnerWindowIconForId(id));
        // Showing the window rebuilds this bar, so it waits until the click is over.
        QPointer<Tarnwell> container(tarnwell);
        connect(choice, &QAction::triggered, this, [container, id] {
            QTimer::singleShot(0, container, [container, id] {
                try {
                    if (container && container->isInnerWindowHidden(id)) container->showInnerWindow(id);
                } catch (const TarnwellException& failure) {
                    std::cerr << failure.what() << std::endl;
                }
            });
        });
        addAction(choice);
        if (QWidget* button = widgetForAction(choice); button && background.isValid()) {
            QPalette palette = button->palette();
            palette.setColor(QPalette::Button, background);
            button->setPalette(palette);
        }
    }
}

void ZoridStatusBar::dispose() {
    const QList<QAction*> choices = actions();
    for (QAction* choice : choices) {
        removeAction(choice);
        choice->deleteLater();
    }
}

}  // namespace ui::dockable
