#pragma once
// One inner window: a title bar over the user's view, as the docking container lays it out.
#include <QFrame>
#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>

#include "action/action_model.h"

class QVBoxLayout;

namespace ui::dockable {

class DockableFrameTitleBar;
class Tarnwell;

class InnerWindow {
public:
    virtual ~InnerWindow() = default;
    virtual void setTitle(const QString& title) = 0;
    virtual void setMaximized(bool maximized) = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setFrameBounds(const QRect& bounds) = 0;
    virtual void setForeground(const QColor& color) = 0;
    virtual void setFixed(bool fixed) = 0;
    virtual void setContentPane(QWidget* pane) = 0;
    virtual void setBackground(const QColor& color) = 0;
    virtual void requestFocus() = 0;
    virtual void repaint() = 0;
    virtual bool isMaximized() const = 0;
    virtual bool isFixed() const = 0;
    // The framed component the container lays out.
    virtual QWidget* getView() = 0;
    // The user's own view inside it.
    virtual QWidget* getUserView() const = 0;
    virtual QString getTitle() const = 0;
    virtual QString getId() const = 0;
    virtual QIcon getIcon() const = 0;
    virtual QRect getFrameBounds() const = 0;
    virtual QWidget* getContentPane() const = 0;
    // The window's model of common actions.
    virtual action::ActionModel* getActionModel() = 0;
    virtual void fireDockEvent(const QString& id, int type) = 0;
};

// What a window to add is made of. The id and the view are required; the view goes to the window.
class InnerWindowProperties {
public:
    using Model = std::shared_ptr<action::ActionModel>;

    // A null id fails with "Invalid id, it cannot be null !", then a null view with "Invalid view, it
    // cannot be null !" (std::invalid_argument).
    InnerWindowProperties(const QString& id, const QString& title, const QIcon& icon, Model model,
                          QWidget* view, bool autoScroll);
    InnerWindowProperties(const QString& id, const QString& title, const QIcon& icon, Model model,
                          QWidget* view)
        : InnerWindowProperties(id, title, icon, std::move(model), view, false) {}
    InnerWindowProperties(const QString& id, const QString& title, const QIcon& icon, QWidget* view,
                          bool autoScroll)
        : InnerWindowProperties(id, title, icon, nullptr, view, autoScroll) {}
    InnerWindowProperties(const QString& id, const QString& title, const QIcon& icon, QWidget* view)
        : InnerWindowProperties(id, title, icon, nullptr, view, false) {}
    InnerWindowProperties(const QString& id, const QString& title, QWidget* view)
        : InnerWindowProperties(id, title, QIcon(), nullptr, view, false) {}

    QString getId() const { return id_; }
    QString getTitle() const { return title_; }
    QIcon getIcon() const { return icon_; }
    action::ActionModel* getActionModel() const { return model_.get(); }
    Model sharedActionModel() const { return model_; }
    QWidget* getView() const { return view_; }
    bool isAutoScroll() const { return autoScroll_; }

private:
    QString id_;
    QString title_;
    QIcon icon_;
    Model model_;
    QWidget* view_;
    bool autoScroll_;
};

// The title bar shows the window's own actions, a separator, then its common actions. Common actions are
// made from the registry on the first getActionModel(), which the first showing of the window calls, so
// classes registered before the window appears are offered in it.
class ZoridInnerWindow : public QFrame, public InnerWindow, private action::ModelStateListener {
    Q_OBJECT
public:
    explicit ZoridInnerWindow(const InnerWindowProperties& properties);
    ~ZoridInnerWindow() override;

    QString getId() const override { return properties_.getId(); }
    QWidget* getUserView() const override { return properties_.getView(); }
    QString getTitle() const override;
    QIcon getIcon() const override;
    action::ActionModel* getActionModel() override;
    // The window's own actions, from its properties (null when it has none).
    action::ActionModel* getOwnActionModel() const { return properties_.getActionModel(); }
    QWidget* getView() override { return this; }

    void setTitle(const QString& title) override;
    void setIcon(const QIcon& icon) override;
    void setForeground(const QColor& color) override;
    void setBackground(const QColor& color) override;
    // The previous pane stays with the window, hidden.
    void setContentPane(QWidget* pane) override;
    QWidget* getContentPane() const override { return content_; }
    QRect getFrameBounds() const override { return frameBounds_; }
    void setFrameBounds(const QRect& bounds) override { frameBounds_ = bounds; }
    bool isFixed() const override { return fixed_; }
    void setFixed(bool fixed) override { fixed_ = fixed; }
    bool isMaximized() const override { return maximized_; }
    void setMaximized(bool maximized) override { maximized_ = maximized; }
    // Selects the window: its title bar enters focus mode.
    void requestFocus() override;
    void repaint() override { QFrame::repaint(); }

    // The container holding the window; null for a window outside any container ("no container").
    Tarnwell* getTarnwell() const;
    void fireDockEvent(const QString& id, int type) override;
    void dispose();
    // "Frame:" and the id.
    QString toString() const;

    DockableFrameTitleBar* titleBar() const { return bar_; }
    // Puts the title bar back at the top of the window after a dock frame had lent it.
    void attachTitleBar();

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class Tarnwell;
    void modelModified(action::ActionModel& model) override;
    void fillTitleBar();
    void setContainer(Tarnwell* container);

    InnerWindowProperties properties_;
    DockableFrameTitleBar* bar_;
    std::unique_ptr<action::ZoridActionModel> common_;
    QWidget* content_ = nullptr;
    QRect frameBounds_;
    bool maximized_ = false;
    bool fixed_ = false;
    QVBoxLayout* layout_;
    QPointer<Tarnwell> container_;
};

}  // namespace ui::dockable
