#include "dialog_frame.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace editor {

ScreenMetrics screenMetrics(int width, int height) {
    ScreenMetrics screen{std::min(width, height * 4 / 3), 1.0};
    if (width == 1280 && height == 1024) screen.pixelAspectRatio = 1.0666666666666667;
    return screen;
}

QSize windowSizeFor(const ScreenMetrics& screen, double widthFactor, double heightFactor) {
    return {int(screen.screenSize * widthFactor / screen.pixelAspectRatio),
            int(screen.screenSize * heightFactor * screen.pixelAspectRatio)};
}

QMargins translateMargins(const ScreenMetrics& screen, int top, int left, int bottom, int right) {
    auto scaled = [&](int value) { return (value * screen.screenSize + 500) / 1000; };
    auto vertical = [&](int value) { return int(screen.pixelAspectRatio * scaled(value)); };
    auto horizontal = [&](int value) { return int(scaled(value) / screen.pixelAspectRatio); };
    return {horizontal(left), vertical(top), horizontal(right), vertical(bottom)};
}

float titleFontSize(int pointSize, float factor) {
    return float(pointSize) * factor;
}

CustomSeparator::CustomSeparator(int orientation, QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* line = new QFrame(this);
    line->setFrameShape(orientation == 0 ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line, 0, 0);
}

DialogFrame::DialogFrame(QWidget* owner, const QString& title, const FrameRule& rule)
    : QDialog(owner), title_(title), rule_(rule) {}

void DialogFrame::initialize() {
    titleText_ = title_;
    calculateScreenSize();
    calculateWindowSize();
    createComponents();
    initComponents();
    layoutComponents();

    setWindowTitle(titleText_);
    setModal(rule_.modal);
    setSizeGripEnabled(false);
    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(0);
    Q_ASSERT(panel1 != nullptr);
    content->addWidget(panel1);
}

void DialogFrame::calculateScreenSize() {
    const QSize size = QGuiApplication::primaryScreen()->size();
    screen_ = screenMetrics(size.width(), size.height());
}

void DialogFrame::calculateWindowSize() {
    windowSize_ = windowSizeFor(screen_, rule_.widthFactor, rule_.heightFactor);
}

QMargins DialogFrame::translateMargins(int top, int left, int bottom, int right) const {
    return editor::translateMargins(screen_, top, left, bottom, right);
}

QWidget* DialogFrame::newPanel(const char* name) {
    auto* panel = new QWidget(this);
    panel->setObjectName(name);
    return panel;
}

namespace {

// Grid cells have no margins of their own in Qt: each cell is a small layout holding the widget.
void addCell(QGridLayout* rows, int row, int column, QWidget* widget, const QMargins& margins,
             int columnSpan = 1) {
    auto* cell = new QVBoxLayout;
    cell->setContentsMargins(margins);
    cell->addWidget(widget);
    rows->addLayout(cell, row, column, 1, columnSpan);
}

}  // namespace

namespace frame {

QLabel* newLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Texts from failures and file names are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* newWrappingLabel(QWidget* parent, const char* name) {
    QLabel* label = newLabel(parent, name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void setTitleFont(QLabel* label, float factor) {
    QFont font = label->font();
    if (font.pointSize() > 0) {
        font.setPointSizeF(titleFontSize(font.pointSize(), factor));
    } else {
        font.setPixelSize(int(float(font.pixelSize()) * factor));
    }
    label->setFont(font);
}

QGridLayout* newRows(QWidget* panel) {
    auto* rows = new QGridLayout(panel);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->setColumnStretch(0, 1);
    return rows;
}

void addRow(const ScreenMetrics& screen, QGridLayout* rows, int row, QWidget* widget, int column,
            int columnSpan) {
    addCell(rows, row, column, widget, translateMargins(screen, 2, 2, 2, 2), columnSpan);
}

void addFiller(QGridLayout* rows, int row, QWidget* filler) {
    addCell(rows, row, 0, filler, {}, -1);
    rows->setRowStretch(row, 1);
}

}  // namespace frame

QLabel* DialogFrame::newLabel(const char* name) {
    return frame::newLabel(this, name);
}

QLabel* DialogFrame::newWrappingLabel(const char* name) {
    return frame::newWrappingLabel(this, name);
}

void DialogFrame::setTitleFont(QLabel* label, float factor) {
    frame::setTitleFont(label, factor);
}

QGridLayout* DialogFrame::newRows(QWidget* panel) {
    return frame::newRows(panel);
}

void DialogFrame::addRow(QGridLayout* rows, int row, QWidget* widget, int column, int columnSpan) {
    frame::addRow(screen_, rows, row, widget, column, columnSpan);
}

void DialogFrame::addFiller(QGridLayout* rows, int row, QWidget* filler) {
    frame::addFiller(rows, row, filler);
}

void DialogFrame::addButtonBar(QGridLayout* rows, int row, QWidget* bar) {
    addCell(rows, row, 0, bar, {}, -1);
}

void DialogFrame::layoutButtonBar(QWidget* bar, QWidget* filler, const QList<QWidget*>& buttons,
                                  QWidget* trailingFiller) {
    QGridLayout* layout = newRows(bar);
    addCell(layout, 0, 0, filler, {});
    int column = 1;
    for (QWidget* button : buttons) addCell(layout, 0, column++, button, translateMargins(2, 2, 2, 2));
    if (trailingFiller) {
        addCell(layout, 0, column, trailingFiller, {});
        layout->setColumnStretch(column, 1);
    }
}

void DialogFrame::setVisible(bool visible) {
    if (visible && !placed_) placeOnScreen();
    QDialog::setVisible(visible);
}

void DialogFrame::placeOnScreen() {
    placed_ = true;
    // Packing: the layout's preferred size, with wrapped texts as tall as the final width needs.
    const QSize packed = sizeHint();
    const int width = std::max(packed.width(), windowSize_.width());
    int packedHeight = packed.height();
    if (layout() && layout()->hasHeightForWidth()) {
        packedHeight = std::max(packedHeight, layout()->totalHeightForWidth(width));
    }
    const QSize size(width, std::max(packedHeight, windowSize_.height()));
    if (rule_.resizable) {
        resize(size);
    } else {
        setFixedSize(size);
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QRect placed(QPoint(), size);
    placed.moveCenter(screen.center());
    move(placed.topLeft());
}

}  // namespace editor
