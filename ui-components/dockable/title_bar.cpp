#include "title_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "component_factory.h"
#include "ui_defaults.h"

namespace ui::dockable {
namespace {

constexpr int kMargin = 4;
constexpr int kIconSize = 16;

const char* const kStart = "tarnwell.innerwindow.gradient.startColor";
const char* const kStop = "tarnwell.innerwindow.gradient.stopColor";
const char* const kTitle = "tarnwell.innerwindow.titleColor";

}  // namespace

DefaultTitleBar::DefaultTitleBar(const QString& title, const QIcon& icon) : title_(title), icon_(icon) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    setFont(font);
    buttons_ = new QHBoxLayout(this);
    buttons_->setContentsMargins(kMargin, 1, 2, 1);
    buttons_->setSpacing(1);
    buttons_->addStretch(1);
    start_ = defaultColor(kStart);
    stop_ = defaultColor(kStop);
    selectedStart_ = defaultColor("tarnwell.innerwindow.gradient.selectedStartColor");
    selectedStop_ = defaultColor("tarnwell.innerwindow.gradient.selectedStopColor");
    if (hasDefaultColor(kTitle)) title_color_ = defaultColor(kTitle);
}

DefaultTitleBar::~DefaultTitleBar() = default;

void DefaultTitleBar::setTitle(const QString& title) {
    title_ = title;
    update();
}

void DefaultTitleBar::setIcon(const QIcon& icon) {
    icon_ = icon;
    update();
}

void DefaultTitleBar::setForeground(const QColor& color) {
    title_color_ = color.isValid() || !hasDefaultColor(kTitle) ? color : defaultColor(kTitle);
    update();
}

void DefaultTitleBar::setBackground(const QColor& color) {
    if (color.isValid()) {
        start_ = color;
    } else {
        start_ = defaultColor(kStart);
        stop_ = defaultColor(kStop);
    }
    update();
}

QColor DefaultTitleBar::titleColor() const {
    if (title_color_.isValid()) return title_color_;
    // Unset by the looks: readable on either gradient.
    return palette().color(focused_ ? QPalette::HighlightedText : QPalette::WindowText);
}

void DefaultTitleBar::removeAllButtons() {
    while (buttons_->count() > 1) {
        QLayoutItem* item = buttons_->takeAt(1);
        if (QWidget* widget = item->widget()) {
            widget->hide();
            // A button may be the one whose click is refilling the bar.
            widget->deleteLater();
        }
        delete item;
    }
}

void DefaultTitleBar::prepare() {
    updateGeometry();
}

void DefaultTitleBar::focusMode(bool on) {
    if (on == focused_) return;
    focused_ = on;
    update();
    if (!on) return;
    DockableFrameTitleBar* previous = DockManager::focusedTitleBar();
    DockManager::setFocusedTitleBar(this);
    if (previous && previous != this) previous->focusMode(false);
    emit selected();
}

void DefaultTitleBar::addSeparator() {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(kIconSize);
    buttons_->addWidget(line);
}

void DefaultTitleBar::addButton(QAbstractButton* button) {
    if (!button) return;
    buttons_->addWidget(button);
}

QList<QAbstractButton*> DefaultTitleBar::buttons() const {
    QList<QAbstractButton*> list;
    for (int i = 0; i < buttons_->count(); ++i) {
        if (auto* button = qobject_cast<QAbstractButton*>(buttons_->itemAt(i)->widget())) list.append(button);
    }
    return list;
}

QSize DefaultTitleBar::sizeHint() const {
    const int text = fontMetrics().height() + 4;
    const QSize buttons = buttons_->sizeHint();
    const int title =
        fontMetrics().horizontalAdvance(title_) + 2 * kMargin + (icon_.isNull() ? 0 : kIconSize + kMargin);
    return {title + buttons.width(), std::max({text, kIconSize + 4, buttons.height()})};
}

QSize DefaultTitleBar::minimumSizeHint() const {
    // Room for the icon, the start of the title and every button: a dock frame is never narrower.
    const int icon = icon_.isNull() ? 0 : kIconSize + kMargin;
    const int title = fontMetrics().horizontalAdvance(QStringLiteral("Xxxx"));
    return {kMargin + icon + title + buttons_->sizeHint().width(), sizeHint().height()};
}

void DefaultTitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, gradientStart());
    gradient.setColorAt(1, gradientStop());
    painter.fillRect(rect(), gradient);
    int x = kMargin;
    if (!icon_.isNull()) {
        icon_.paint(&painter, QRect(x, (height() - kIconSize) / 2, kIconSize, kIconSize));
        x += kIconSize + kMargin;
    }
    int right = width() - kMargin;
    for (int i = 0; i < buttons_->count(); ++i) {
        QWidget* widget = buttons_->itemAt(i)->widget();
        if (widget && widget->isVisible()) {
            right = std::min(right, widget->x() - kMargin);
            break;
        }
    }
    painter.setPen(titleColor());
    const QRect text(x, 0, std::max(0, right - x), height());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(title_, Qt::ElideRight, text.width()));
}

void DefaultTitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed();
    event->ignore();
}

}  // namespace ui::dockable
