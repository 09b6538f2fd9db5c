#include "j2me_compile.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "colours.h"
#include "environment.h"
#include "project_file.h"
#include "prompter.h"
#include "references.h"

namespace editor {

J2MECompile::J2MECompile(QWidget* owner, References& references)
    : DialogFrame(owner, "J2ME Compilation Settings", frames::j2meCompile), references_(references) {
    initialize();
    textfield1->setText(references_.classStart.value_or(QString()));
    for (QPushButton* button : {button1, button2, okButton, cancelButton}) {
        connect(button, &QPushButton::clicked, this, [this, button] { actionPerformed(button); });
    }
}

void J2MECompile::createComponents() {
    panel1 = newPanel("panel1");
    startPanel = newPart<QGroupBox>("startPanel");
    referencesPanel = newPart<QGroupBox>("referencesPanel");
    label1 = newLabel("label1");
    textfield1 = newPart<QLineEdit>("textfield1");
    lstReferencesContent = newPart<QListWidget>("lstReferencesContent");
    listBar = newPanel("listBar");
    listBarFiller = newPanel("listBarFiller");
    button1 = newPart<QPushButton>("button1");
    button2 = newPart<QPushButton>("button2");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    okButton = newPart<QPushButton>("okButton");
    cancelButton = newPart<QPushButton>("cancelButton");
}

void J2MECompile::initComponents() {
    static_cast<QGroupBox*>(startPanel)->setTitle(getLocalizedText("Start Options"));
    static_cast<QGroupBox*>(referencesPanel)->setTitle(getLocalizedText("References"));
    label1->setText(getLocalizedText("Class to start"));
    button1->setText(getLocalizedText("Add"));
    button2->setText(getLocalizedText("Remove"));
    okButton->setText(getLocalizedText("OK"));
    okButton->setDefault(true);
    cancelButton->setText(getLocalizedText("Cancel"));
}

void J2MECompile::layoutComponents() {
    auto* start = new QGridLayout(startPanel);
    start->addWidget(label1, 0, 0);
    start->addWidget(textfield1, 0, 1);
    auto* list = new QVBoxLayout(referencesPanel);
    list->addWidget(lstReferencesContent);
    list->addWidget(listBar);
    layoutButtonBar(listBar, listBarFiller, {button1, button2});

    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, startPanel);
    addRow(rows, 1, referencesPanel);
    addFiller(rows, 2, filler);
    addButtonBar(rows, 3, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {okButton, cancelButton}, rightFiller);
}

void J2MECompile::actionPerformed(QPushButton* source) {
    if (source == button1) {
        addReference();
    } else if (source == button2) {
        removeReference();
    } else if (source == okButton) {
        if (textfield1->text().isEmpty()) {
            colours::setBackground(textfield1, colours::attention);
            return;
        }
        references_.classStart = textfield1->text();
        accept();
    } else if (source == cancelButton) {
        reject();
    }
}

void J2MECompile::addReference() {
    const std::optional<QString> chosen = ui::prompter().openFile(this, getLocalizedText("Add"), kitFolder());
    if (!chosen || references_.references.contains(*chosen)) return;
    if (const std::optional<QString> refused = refuseProjectEntry(references_, true)) {
        ui::prompter().showError(this, getLocalizedText("References"), *refused);
        return;
    }
    references_.references.append(*chosen);
    lstReferencesContent->addItem(*chosen);
}

void J2MECompile::removeReference() {
    QListWidgetItem* selected = lstReferencesContent->currentItem();
    if (!selected || !selected->isSelected()) return;
    references_.references.removeOne(selected->text());
    delete selected;
}

}  // namespace editor
