#include "tarnwell_controller.h"

#include <QHash>
#include <algorithm>

namespace ui::dockable {
namespace {

QString unknown(const QString& id) {
    return QStringLiteral("Unknown inner window ") + printableId(id);
}

class ControllerState final : public State {
public:
    QHash<QString, DockArea> areas;
    QStringList hidden;
    QString maximized;
    QByteArray layout;
};

}  // namespace

DockArea dockAreaFor(const QString& constraint) {
    if (constraint == QLatin1String("West")) return DockArea::West;
    if (constraint == QLatin1String("East")) return DockArea::East;
    if (constraint == QLatin1String("North")) return DockArea::North;
    if (constraint == QLatin1String("South")) return DockArea::South;
    return DockArea::Center;
}

TarnwellController::TarnwellController(QObject* source, Renderer* renderer)
    : source_(source), renderer_(renderer) {}

TarnwellController::~TarnwellController() = default;

const TarnwellController::Window* TarnwellController::find(const QString& id) const {
    for (const Window& window : windows_) {
        if (window.id == id) return &window;
    }
    return nullptr;
}

TarnwellController::Window* TarnwellController::findMutable(const QString& id) {
    return const_cast<Window*>(find(id));
}

void TarnwellController::checkKnown(const QString& id) const {
    if (!find(id)) throw TarnwellException(unknown(id));
}

void TarnwellController::changed(const QString& id) {
    if (renderer_) renderer_->windowChanged(id);
}

void TarnwellController::add(const QString& id, DockArea area) {
    // Every lookup is by id, so a second window under one id could never be reached again.
    if (find(id)) throw TarnwellException(QStringLiteral("Duplicate inner window ") + printableId(id));
    windows_.push_back({id, area});
    changed(id);
}

void TarnwellController::hide(const QString& id) {
    checkKnown(id);
    if (isHidden(id)) return;
    hidden_.append(id);
    changed(id);
    if (renderer_) renderer_->hiddenTableChanged();
    fire(TarnwellEvent::INNERWINDOW_HIDDEN, id);
}

void TarnwellController::show(const QString& id) {
    if (!hidden_.contains(id)) throw TarnwellException(unknown(id));
    hidden_.removeOne(id);
    changed(id);
    if (renderer_) renderer_->hiddenTableChanged();
    fire(TarnwellEvent::INNERWINDOW_SHOWN, id);
}

void TarnwellController::maximize(const QString& id) {
    checkKnown(id);
    // Listeners hear of it before anything changes.
    fire(TarnwellEvent::INNERWINDOW_MAXIMIZED, id);
    Window* target = findMutable(id);
    if (!target) return;  // a listener removed it
    const QString previous = maximizedId();
    for (Window& window : windows_) window.maximized = false;
    target->maximized = true;
    if (!previous.isNull() && previous != id) changed(previous);
    changed(id);
}

void TarnwellController::restore(const QString& id) {
    checkKnown(id);
    // Only the maximized window gives up the whole area; restoring another one leaves it be.
    Window* window = findMutable(id);
    if (!window->maximized) return;
    window->maximized = false;
    changed(id);
}

void TarnwellController::toggleMaximized(const QString& id) {
    checkKnown(id);
    if (isMaximized(id)) {
        restore(id);
    } else {
        maximize(id);
    }
}

bool TarnwellController::remove(const QString& id) {
    if (id.isNull()) throw TarnwellException(QStringLiteral("Invalid null id "));
    auto found = std::find_if(windows_.begin(), windows_.end(), [&](const Window& w) { return w.id == id; });
    if (found == windows_.end()) return false;
    windows_.erase(found);
    const bool wasHidden = hidden_.removeOne(id);
    if (renderer_) {
        renderer_->windowRemoved(id);
        if (wasHidden) renderer_->hiddenTableChanged();
    }
    fire(TarnwellEvent::INNERWINDOW_REMOVED, id);
    return true;
}

bool TarnwellController::extract(const QString& id) {
    checkKnown(id);
    Window* window = findMutable(id);
    if (window->extracted) return false;
    fire(TarnwellEvent::INNERWINDOW_EXTRACTED, id);
    window = findMutable(id);
    if (!window) return false;
    window->extracted = true;
    const bool wasHidden = hidden_.removeOne(id);
    changed(id);
    if (wasHidden && renderer_) renderer_->hiddenTableChanged();
    return true;
}

void TarnwellController::dockBack(const QString& id) {
    Window* window = findMutable(id);
    if (!window || !window->extracted) return;
    window->extracted = false;
    changed(id);
}

void TarnwellController::setFixed(const QString& id, bool fixed) {
    checkKnown(id);
    findMutable(id)->fixed = fixed;
    changed(id);
}

void TarnwellController::moved(const QString& id, DockArea area) {
    Window* window = findMutable(id);
    if (!window) return;
    window->area = area;
    fire(TarnwellEvent::INNERWINDOW_MOVED, id);
}

void TarnwellController::clear() {
    windows_.clear();
    hidden_.clear();
}

bool TarnwellController::isHidden(const QString& id) const {
    const Window* window = find(id);
    return !window || window->extracted || hidden_.contains(id);
}

bool TarnwellController::isMaximized(const QString& id) const {
    const Window* window = find(id);
    return window && window->maximized;
}

bool TarnwellController::isFixed(const QString& id) const {
    const Window* window = find(id);
    return window && window->fixed;
}

QString TarnwellController::maximizedId() const {
    for (const Window& window : windows_) {
        if (window.maximized) return window.id;
    }
    return {};
}

QStringList TarnwellController::ids() const {
    QStringList ids;
    for (const Window& window : windows_) ids.append(window.id);
    return ids;
}

std::unique_ptr<State> TarnwellController::getState() const {
    auto state = std::make_unique<ControllerState>();
    for (const Window& window : windows_) state->areas.insert(window.id, window.area);
    state->hidden = hidden_;
    state->maximized = maximizedId();
    if (renderer_) state->layout = renderer_->saveLayout();
    return state;
}

void TarnwellController::setState(const State* state) {
    auto* snapshot = dynamic_cast<const ControllerState*>(state);
    if (!snapshot) throw TarnwellException(QStringLiteral("Unknown state class"));
    QStringList hidden;
    for (const QString& id : hidden_) {
        if (!snapshot->areas.contains(id)) hidden.append(id);
    }
    for (const QString& id : snapshot->hidden) {
        const Window* window = find(id);
        if (window && !window->extracted && !hidden.contains(id)) hidden.append(id);
    }
    for (Window& window : windows_) {
        window.maximized = !snapshot->maximized.isNull() && window.id == snapshot->maximized;
        if (window.extracted || !snapshot->areas.contains(window.id)) continue;
        window.area = snapshot->areas.value(window.id);
    }
    hidden_ = hidden;
    if (renderer_) {
        renderer_->restoreLayout(snapshot->layout);
        for (const Window& window : windows_) renderer_->windowChanged(window.id);
        renderer_->hiddenTableChanged();
    }
}

void TarnwellController::fire(int type, const QString& id) {
    if (listeners_.isEmpty()) return;
    const TarnwellEvent event(source_, type, id);
    const QList<TarnwellListener*> snapshot = listeners_;
    const std::weak_ptr<bool> alive = alive_;
    for (TarnwellListener* listener : snapshot) {
        if (alive.expired()) return;
        if (listeners_.contains(listener)) listener->tarnwellAction(event);
    }
}

}  // namespace ui::dockable
