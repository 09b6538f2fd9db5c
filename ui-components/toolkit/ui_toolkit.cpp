#include "ui_toolkit.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <cstdio>

#include "kit/program_folder.h"
#include "ui_defaults.h"

namespace ui::toolkit {

namespace {

QString& kitFolderOverride() {
    static QString folder;
    return folder;
}

constexpr int kGap = 4;
constexpr int kMargin = 2;

// QImageReader, not QIcon(path): a missing or broken file must give our message, never a Qt warning.
QIcon readIcon(const QString& file) {
    if (!QFile::exists(file)) return {};
    QImageReader reader(file);
    QImage image = reader.read();
    if (image.isNull()) return {};
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace

QPixmap Resource::EmptyIcon::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
    QSize drawn = size_.boundedTo(size);
    if (drawn.isEmpty()) return {};
    QPixmap blank(drawn);
    blank.fill(Qt::transparent);
    return blank;
}

QIcon Resource::getImage(const QString& name) {
    return Toolkit::getIconFromClasspath(name);
}

const QIcon& Resource::getDefaultImage() {
    static const QIcon blank(new EmptyIcon());
    return blank;
}

FastLabel::FastLabel() {
    look_.font = defaultFont("Label.font");
    look_.foreground = defaultColor("Label.foreground");
    look_.background = defaultColor("Label.background");
    const QPalette palette = QApplication::palette();
    look_.highlight = palette.color(QPalette::Highlight);
    look_.highlightedText = palette.color(QPalette::HighlightedText);
    setFont(look_.font);
}

FastLabel::FastLabel(bool opaque) : FastLabel() {
    look_.opaque = opaque;
}

FastLabel::FastLabel(bool opaque, bool selected) : FastLabel(opaque) {
    look_.selected = selected;
}

FastLabel::FastLabel(bool opaque, bool selected, bool focused) : FastLabel(opaque, selected) {
    look_.focused = focused;
}

void FastLabel::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
}

void FastLabel::setIcon(const QIcon& icon) {
    icon_ = icon;
    updateGeometry();
    update();
}

QSize FastLabel::sizeHint() const {
    return measure(icon_, text_, look_.font);
}

QSize FastLabel::measure(const QIcon& icon, const QString& text, const QFont& font) {
    QFontMetrics metrics(font);
    QSize iconSize = icon.isNull() ? QSize(0, 0) : icon.actualSize(QSize(16, 16));
    int width = iconSize.width();
    if (!text.isEmpty()) width += (width > 0 ? kGap : 0) + metrics.horizontalAdvance(text);
    int height = std::max(iconSize.height(), text.isEmpty() ? 0 : metrics.height());
    return {width + 2 * kMargin, height + 2 * kMargin};
}

void FastLabel::paintCell(QPainter* painter, const QRect& area, const QIcon& icon, const QString& text,
                          const Look& look) {
    painter->save();
    if (look.selected) {
        painter->fillRect(area, look.highlight);
    } else if (look.opaque) {
        painter->fillRect(area, look.background);
    }
    QRect inner = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    int x = inner.left();
    if (!icon.isNull()) {
        QSize iconSize = icon.actualSize(QSize(16, 16));
        if (!iconSize.isEmpty()) {
            QRect place(QPoint(x, inner.top() + (inner.height() - iconSize.height()) / 2), iconSize);
            icon.paint(painter, place);
        }
        x += iconSize.width() + (iconSize.width() > 0 ? kGap : 0);
    }
    if (!text.isEmpty()) {
        painter->setFont(look.font);
        painter->setPen(look.selected ? look.highlightedText : look.foreground);
        QRect textArea(QPoint(x, inner.top()), inner.bottomRight());
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    if (look.focused) {
        painter->setPen(QPen(look.selected ? look.highlightedText : look.foreground, 1, Qt::DotLine));
        painter->drawRect(area.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

void FastLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCell(&painter, rect(), icon_, text_, look_);
}

UnderlinedLabel::UnderlinedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont underlined = font();
    underlined.setBold(true);
    underlined.setUnderline(true);
    setFont(underlined);
}

TitleLabel::TitleLabel(const QString& title, QWidget* parent) : QWidget(parent), title_(new QLabel(title)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addStretch();
}

QString TitleLabel::title() const {
    return title_->text();
}

MultiChoiceButton::MultiChoiceButton(QAction* action, QWidget* parent)
    : QToolButton(parent), action_(action), choices_(new QMenu(this)) {
    if (action_) {
        setIcon(action_->icon());
        setText(action_->text());
        setToolTip(action_->toolTip());
        setEnabled(action_->isEnabled());
        connect(action_, &QAction::changed, this, [this] {
            setIcon(action_->icon());
            setText(action_->text());
            setToolTip(action_->toolTip());
            setEnabled(action_->isEnabled());
        });
    }
    setMenu(choices_);
    setPopupMode(QToolButton::InstantPopup);
}

QAction* MultiChoiceButton::addChoice(const QString& label, const QString& cmd, const QIcon& icon) {
    QAction* choice = choices_->addAction(icon.isNull() ? QIcon(new EmptyIcon()) : icon, label);
    choice->setProperty("label", label);
    choice->setProperty("cmd", cmd);
    connect(choice, &QAction::triggered, this, [this, cmd] {
        emit choiceSelected(cmd);
        if (action_) {
            action_->setData(cmd);
            action_->trigger();
        }
    });
    return choice;
}

int MultiChoiceButton::choiceCount() const {
    return int(choices_->actions().size());
}

void Toolkit::center(QWidget* window) {
    if (!window) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QIcon Toolkit::getIconFromClasspath(const QString& path) {
    QString relative = path;
    if (relative.startsWith(':')) relative.remove(0, 1);
    while (relative.startsWith('/')) relative.remove(0, 1);
    QIcon icon = readIcon(":/" + relative);
    if (icon.isNull()) icon = readIcon(kitFolder() + '/' + relative);
    if (icon.isNull()) {
        std::fprintf(stderr, "Can't find %s\n", path.toLocal8Bit().constData());
        return Resource::getDefaultImage();
    }
    return icon;
}

void Toolkit::mapper(const QHash<QString, QIcon>& icons, QWidget* container) {
    if (!container) return;
    for (QWidget* widget : container->findChildren<QWidget*>()) {
        auto found = icons.constFind(widget->objectName());
        if (found == icons.constEnd()) continue;
        if (auto* fast = qobject_cast<FastLabel*>(widget)) {
            fast->setIcon(*found);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QList<QSize> sizes = found->availableSizes();
            label->setPixmap(found->pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.first()));
        }
    }
}

QString Toolkit::kitFolder() {
    const QString& set = kitFolderOverride();
    return set.isEmpty() ? QString::fromStdString(kit::programFolder()) : set;
}

void Toolkit::setKitFolder(const QString& folder) {
    kitFolderOverride() = folder;
}

}  // namespace ui::toolkit
