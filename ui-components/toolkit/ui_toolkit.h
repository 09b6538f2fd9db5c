#pragma once
// Small display components of the library and its static window and icon utilities.
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QString>
#include <QToolButton>
#include <QWidget>

class QMenu;

namespace ui::toolkit {

// Image loading: the Qt resources first, then the kit folder; a missing image is reported and blank.
class Resource {
public:
    // An icon that paints nothing at a size fixed at construction. It is a QIcon engine, so
    // `QIcon(new EmptyIcon(...))` keeps the size wherever a QIcon goes.
    class EmptyIcon : public QIconEngine {
    public:
        EmptyIcon() : EmptyIcon(16, 16) {}
        EmptyIcon(int width, int height) : size_(width, height) {}
        explicit EmptyIcon(QSize size) : size_(size) {}

        int getIconWidth() const { return size_.width(); }
        int getIconHeight() const { return size_.height(); }

        void paint(QPainter*, const QRect&, QIcon::Mode, QIcon::State) override {}
        QSize actualSize(const QSize&, QIcon::Mode, QIcon::State) override { return size_; }
        QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {size_}; }
        QPixmap pixmap(const QSize&, QIcon::Mode, QIcon::State) override;
        QIconEngine* clone() const override { return new EmptyIcon(size_); }
        QString key() const override { return QStringLiteral("EmptyIcon"); }

    private:
        QSize size_;
    };

    // The named image, looked up as `Toolkit::getIconFromClasspath` does.
    static QIcon getImage(const QString& name);
    // One shared blank icon of 16 x 16, made on first use.
    static const QIcon& getDefaultImage();
};

// A light label: one icon and one text, measured and painted by the label itself. Its painting is also
// the cell painting of the library's lists (`paintCell`), so a list row looks like the label.
class FastLabel : public QWidget {
    Q_OBJECT
public:
    // The options: `opaque` fills the background, `selected` paints with the highlight colours, `focused`
    // draws a focus frame; they are what a list cell needs.
    FastLabel();
    explicit FastLabel(bool opaque);
    FastLabel(bool opaque, bool selected);
    FastLabel(bool opaque, bool selected, bool focused);

    void setText(const QString& text);
    void setIcon(const QIcon& icon);
    QString text() const { return text_; }
    QIcon icon() const { return icon_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    struct Look {
        QFont font;
        QColor foreground;
        QColor background;
        QColor highlight;
        QColor highlightedText;
        bool opaque = false;
        bool selected = false;
        bool focused = false;
    };
    static QSize measure(const QIcon& icon, const QString& text, const QFont& font);
    static void paintCell(QPainter* painter, const QRect& area, const QIcon& icon, const QString& text,
                          const Look& look);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QIcon icon_;
    Look look_;
};

// A label in the bold form of its font, its text underlined.
class UnderlinedLabel : public QLabel {
    Q_OBJECT
public:
    explicit UnderlinedLabel(QWidget* parent = nullptr) : UnderlinedLabel(QString(), parent) {}
    explicit UnderlinedLabel(const QString& text, QWidget* parent = nullptr);
};

// A panel with one title at its left side.
class TitleLabel : public QWidget {
    Q_OBJECT
public:
    explicit TitleLabel(const QString& title, QWidget* parent = nullptr);
    QString title() const;

private:
    QLabel* title_;
};

// A button for an action whose press opens a list of choices. Choosing one triggers the action with the
// choice's command as the action's data; the menu entries carry the properties "label" and "cmd".
class MultiChoiceButton : public QToolButton {
    Q_OBJECT
public:
    // Choices without an icon get a blank one, so the entries line up.
    using EmptyIcon = Resource::EmptyIcon;

    explicit MultiChoiceButton(QAction* action, QWidget* parent = nullptr);

    QAction* addChoice(const QString& label, const QString& cmd, const QIcon& icon = QIcon());
    int choiceCount() const;
    QMenu* choices() const { return choices_; }

signals:
    void choiceSelected(const QString& cmd);

private:
    QAction* action_;
    QMenu* choices_;
};

class Toolkit {
public:
    // Places the window in the middle of its screen.
    static void center(QWidget* window);
    // An image by its class-path-like path ("/treefilebrowser/refresh.png"): the resource ":" + path,
    // then the file of that path in the kit folder. A missing one prints "Can't find " + path on standard
    // error and gives a blank 16 x 16 icon.
    static QIcon getIconFromClasspath(const QString& path);
    // Gives every label inside `container` (nested ones included) whose object name is a key the icon of
    // that key. A QLabel shows one picture or one text, so a mapped QLabel shows the picture.
    static void mapper(const QHash<QString, QIcon>& icons, QWidget* container);

    // The folder holding the running program, unless one was set (tests; an empty path restores it).
    static QString kitFolder();
    static void setKitFolder(const QString& folder);
};

}  // namespace ui::toolkit
