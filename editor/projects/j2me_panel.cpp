#include "j2me_panel.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "colours.h"
#include "references.h"

namespace editor {

J2MEPanel::J2MEPanel(References& references, QWidget* parent) : QWidget(parent), references_(references) {
    initialize();
    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(0, 0, 0, 0);
    content->addWidget(panel1);
    for (QCheckBox* box : {checkbox1, checkbox2, checkbox3, checkbox4, checkbox5}) {
        connect(box, &QCheckBox::clicked, this, &J2MEPanel::actionPerformed);
        box->setEnabled(false);
    }
    // Below this size the scroll area around the panel scrolls instead of squeezing the rows.
    setMinimumSize(windowSize_);
}

void J2MEPanel::initialize() {
    calculateScreenSize();
    calculateWindowSize();
    createComponents();
    initComponents();
    layoutComponents();
}

void J2MEPanel::calculateScreenSize() {
    const QSize size = QGuiApplication::primaryScreen()->size();
    screen_ = screenMetrics(size.width(), size.height());
}

void J2MEPanel::calculateWindowSize() {
    windowSize_ = windowSizeFor(screen_, frames::j2mePanel.widthFactor, frames::j2mePanel.heightFactor);
}

void J2MEPanel::createComponents() {
    auto named = [](auto* part, const char* name) {
        part->setObjectName(name);
        return part;
    };
    panel1 = named(new QWidget(this), "panel1");
    panel2 = named(new QWidget(this), "panel2");
    label1 = frame::newLabel(this, "label1");
    label2 = frame::newWrappingLabel(this, "label2");
    label3 = frame::newLabel(this, "label3");
    label4 = frame::newLabel(this, "label4");
    label5 = frame::newLabel(this, "label5");
    separator1 = named(new CustomSeparator(0, this), "separator1");
    separator2 = named(new CustomSeparator(0, this), "separator2");
    separator3 = named(new CustomSeparator(0, this), "separator3");
    separator4 = named(new CustomSeparator(0, this), "separator4");
    separator5 = named(new CustomSeparator(0, this), "separator5");
    separator7 = named(new CustomSeparator(0, this), "separator7");
    separator8 = named(new CustomSeparator(0, this), "separator8");
    checkbox1 = named(new QCheckBox(this), "checkbox1");
    checkbox2 = named(new QCheckBox(this), "checkbox2");
    checkbox3 = named(new QCheckBox(this), "checkbox3");
    checkbox4 = named(new QCheckBox(this), "checkbox4");
    checkbox5 = named(new QCheckBox(this), "checkbox5");
}

void J2MEPanel::initComponents() {
    label1->setText("J2ME Options");
    frame::setTitleFont(label1, panelTitleScale);
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);
    label2->setText(
        "If you are using the editor to develop in J2ME instead of Tesvo Zorid then you should use these "
        "options.");
    label4->setText("High compatibility options");
    bold = label4->font();
    bold.setBold(true);
    label4->setFont(bold);
    colours::setTextColour(label4, Qt::black);
    label3->setText("Options below require CLDC 1.1");
    label5->setText("Options below require JSR-182 extensions");
    checkbox1->setText("Include the Tesvo Zorid API*");
    checkbox2->setText("Include the Mappy API*");
    checkbox3->setText("Enable Float Support");
    checkbox4->setText("Enable Multimedia Support");
    checkbox5->setText("Enable 3D Support");
}

void J2MEPanel::layoutComponents() {
    QGridLayout* rows = frame::newRows(panel1);
    const QList<QWidget*> order{separator8, label1,     label2,     separator1, label4,     separator5,
                                checkbox1,  checkbox2,  separator3, label3,     separator4, checkbox3,
                                checkbox4,  separator7, label5,     separator2, checkbox5};
    int row = 0;
    for (QWidget* part : order) frame::addRow(screen_, rows, row++, part);
    frame::addFiller(rows, row, panel2);
}

void J2MEPanel::enableOptions(bool enabled) {
    for (QCheckBox* box : {checkbox1, checkbox2, checkbox3, checkbox4, checkbox5}) box->setEnabled(enabled);
}

void J2MEPanel::showOptions() {
    checkbox1->setChecked(references_.usesInclude);
    checkbox2->setChecked(references_.usesMappy);
    checkbox3->setChecked(references_.usesFloats);
    checkbox4->setChecked(references_.usesMM);
    checkbox5->setChecked(references_.uses3D);
}

void J2MEPanel::clearOptions() {
    for (QCheckBox* box : {checkbox1, checkbox2, checkbox3, checkbox4, checkbox5}) box->setChecked(false);
}

void J2MEPanel::actionPerformed() {
    references_.usesInclude = checkbox1->isChecked();
    references_.usesMappy = checkbox2->isChecked();
    references_.usesFloats = checkbox3->isChecked();
    references_.usesMM = checkbox4->isChecked();
    references_.uses3D = checkbox5->isChecked();
}

}  // namespace editor
