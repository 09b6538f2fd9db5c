#pragma once
// The title bar of an inner window: its title and icon over a gradient, and the window's action buttons.
#include <QColor>
#include <QIcon>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QHBoxLayout;

namespace ui::dockable {

class DockableFrameTitleBar {
public:
    virtual ~DockableFrameTitleBar() = default;
    virtual void setTitle(const QString& title) = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    // An invalid colour returns to the looks' default.
    virtual void setForeground(const QColor& color) = 0;
    virtual void setBackground(const QColor& color) = 0;
    virtual void removeAllButtons() = 0;
    virtual void prepare() = 0;
    // The bar's widget.
    virtual QWidget* getView() = 0;
    virtual QString getTitle() const = 0;
    virtual QIcon getIcon() const = 0;
    // Draws the bar as the selected one or not.
    virtual void focusMode(bool on) = 0;
    virtual void addSeparator() = 0;
    // The bar takes the button.
    virtual void addButton(QAbstractButton* button) = 0;
};

// At most one DefaultTitleBar of the process is in focus mode: entering it switches the previous one
// out. Mouse presses select the bar and then travel on, so a dock frame holding the bar can drag it.
class DefaultTitleBar : public QWidget, public DockableFrameTitleBar {
    Q_OBJECT
public:
    explicit DefaultTitleBar(const QString& title = {}, const QIcon& icon = {});
    ~DefaultTitleBar() override;

    void setTitle(const QString& title) override;
    void setIcon(const QIcon& icon) override;
    // The title colour.
    void setForeground(const QColor& color) override;
    // The gradient's start colour; an invalid colour restores both gradient colours.
    void setBackground(const QColor& color) override;
    void removeAllButtons() override;
    void prepare() override;
    QWidget* getView() override { return this; }
    QString getTitle() const override { return title_; }
    QIcon getIcon() const override { return icon_; }
    void focusMode(bool on) override;
    bool isFocusMode() const { return focused_; }
    void addSeparator() override;
    void addButton(QAbstractButton* button) override;
    // The buttons in their order, separators left out.
    QList<QAbstractButton*> buttons() const;

    // The colours the bar paints with now (the selected pair in focus mode).
    QColor gradientStart() const { return focused_ ? selectedStart_ : start_; }
    QColor gradientStop() const { return focused_ ? selectedStop_ : stop_; }
    QColor titleColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The bar entered focus mode.
    void selected();
    // The user pressed the bar (outside its buttons).
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString title_;
    QIcon icon_;
    QColor start_, stop_, selectedStart_, selectedStop_, title_color_;
    bool focused_ = false;
    QHBoxLayout* buttons_;
};

}  // namespace ui::dockable
