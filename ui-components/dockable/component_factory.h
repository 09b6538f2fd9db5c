#pragma once
// The replaceable maker of the container's pieces, the frame of an extracted window, and the process-wide
// record of open frames and of the title bar in focus mode.
#include <QPointer>
#include <QWidget>
#include <memory>

class QAbstractButton;
class QAction;

namespace ui::dockable {

class DockableFrameTitleBar;
class InnerWindow;

// The top-level frame an extracted window lives in. Closing it gives the window back to its container
// (through `closing`) and enables the extract action again.
class DockedFrame : public QWidget {
    Q_OBJECT
public:
    DockedFrame(QAction* extractAction, InnerWindow* window);
    ~DockedFrame() override;

    QAction* extractAction() const { return extractAction_; }
    // Takes the window's framed view in.
    void adopt(QWidget* view);

signals:
    void closing(ui::dockable::DockedFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QAction> extractAction_;
};

class ComponentFactory {
public:
    virtual ~ComponentFactory() = default;

    // The current factory; a plain one is made on first request.
    static ComponentFactory& getComponentFactory();
    // Null returns to a plain factory.
    static void setComponentFactory(std::unique_ptr<ComponentFactory> factory);

    void setAutoScrollMode(bool on) { autoScroll_ = on; }
    bool isAutoScrollMode() const { return autoScroll_; }

    // Each product belongs to the caller.
    virtual DockableFrameTitleBar* buildTitleBar(const QString& title);
    virtual QAbstractButton* buildButton(QAction* action);
    // A scroll area in auto-scroll mode, else a plain widget.
    virtual QWidget* buildContentPaneForFrame();
    // Registered with DockManager while it is open.
    virtual DockedFrame* buildDockedFrame(QAction* extractAction, InnerWindow* window);

private:
    bool autoScroll_ = false;
};

// Holds the frames and the focused bar weakly: one destroyed elsewhere simply drops out.
class DockManager {
public:
    // Closes every open extracted frame (each window goes back to its container).
    static void removeAllDockedFrame();
    static void registerDockedFrame(QWidget* frame);
    static QList<QWidget*> dockedFrames();

    static DockableFrameTitleBar* focusedTitleBar();
    static void setFocusedTitleBar(DockableFrameTitleBar* bar);
};

}  // namespace ui::dockable
