#include "zorid_action.h"

#include <exception>
#include <iostream>

#include "inner_window.h"
#include "tarnwell.h"

namespace ui::dockable::action {

ZoridAction::ZoridAction(QObject* parent) : QAction(parent) {
    connect(this, &QAction::triggered, this, [this] {
        try {
            actionPerformed();
        } catch (const std::exception& failure) {
            std::cerr << "Action " << text().toStdString() << " failed: " << failure.what() << std::endl;
        }
    });
}

QWidget* ZoridAction::getView() const {
    return innerWindow ? innerWindow->getView() : nullptr;
}

Tarnwell* ZoridAction::getTarnwell() const {
    return innerWindow ? innerWindow->getTarnwell() : nullptr;
}

}  // namespace ui::dockable::action
