#include "type_creator.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "colours.h"
#include "error_dialogs.h"
#include "main_window.h"
#include "project_file.h"
#include "references.h"

namespace editor {

QString typeClassText(const QString& className, const QStringList& declarations) {
    // The kit builds Java projects in the package Game: a class outside it could not be used there.
    QString text = "package Game;\npublic class Type" + className + "{\n";
    for (const QString& declaration : declarations) text += declaration + "\n";
    return text + "}";
}

TypeCreator::TypeCreator(QWidget* owner, Editor& editor)
    : DialogFrame(owner, "Type Creator", frames::typeCreator), editor_(editor) {
    initialize();
    for (QPushButton* button : {addButton, removeButton, okButton, cancelButton}) {
        connect(button, &QPushButton::clicked, this, [this, button] { actionPerformed(button); });
    }
    // Closed by any road (Cancel, OK, the window's own close control), the list is emptied.
    connect(this, &QDialog::finished, this, [this] { types.clear(); });
}

void TypeCreator::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newWrappingLabel("label1");
    separator1 = new CustomSeparator(0, this);
    separator1->setObjectName("separator1");
    label2 = newLabel("label2");
    textfield1 = newPart<QLineEdit>("textfield1");
    separator2 = new CustomSeparator(0, this);
    separator2->setObjectName("separator2");
    label5 = newLabel("label5");
    listview1Content = newPart<QListWidget>("listview1Content");
    fieldRow = newPanel("fieldRow");
    label3 = newLabel("label3");
    textfield2 = newPart<QLineEdit>("textfield2");
    label4 = newLabel("label4");
    textfield3 = newPart<QLineEdit>("textfield3");
    checkbox1 = newPart<QCheckBox>("checkbox1");
    listBar = newPanel("listBar");
    listBarFiller = newPanel("listBarFiller");
    addButton = newPart<QPushButton>("addButton");
    removeButton = newPart<QPushButton>("removeButton");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    okButton = newPart<QPushButton>("okButton");
    cancelButton = newPart<QPushButton>("cancelButton");
}

void TypeCreator::initComponents() {
    label1->setText(getLocalizedText(
        "This wizard creates J2ME class files that act as Tesvo Zorid style types which are compatible with "
        "J2ME. To use a type created with this wizard you will need to instantiate the class created in your "
        "code, and then you can use the variables freely."));
    label2->setText(getLocalizedText("The class name"));
    label5->setText(getLocalizedText("The fields"));
    label3->setText(getLocalizedText("Data Type"));
    label4->setText(getLocalizedText("Name"));
    checkbox1->setText(getLocalizedText("Make variable static?"));
    addButton->setText(getLocalizedText("Add"));
    removeButton->setText(getLocalizedText("Remove"));
    okButton->setText(getLocalizedText("OK"));
    cancelButton->setText(getLocalizedText("Cancel"));
}

void TypeCreator::layoutComponents() {
    QGridLayout* fields = newRows(fieldRow);
    addRow(fields, 0, label3, 0);
    addRow(fields, 0, textfield2, 1);
    addRow(fields, 0, label4, 2);
    addRow(fields, 0, textfield3, 3);

    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, separator1);
    addRow(rows, 2, label2);
    addRow(rows, 3, textfield1);
    addRow(rows, 4, separator2);
    addRow(rows, 5, label5);
    addRow(rows, 6, listview1Content);
    addRow(rows, 7, fieldRow);
    addRow(rows, 8, checkbox1);
    addButtonBar(rows, 9, listBar);
    layoutButtonBar(listBar, listBarFiller, {addButton, removeButton});
    addFiller(rows, 10, filler);
    addButtonBar(rows, 11, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {okButton, cancelButton}, rightFiller);
}

void TypeCreator::actionPerformed(QPushButton* source) {
    if (source == addButton) {
        add();
    } else if (source == removeButton) {
        remove();
    } else if (source == okButton) {
        confirm();
    } else if (source == cancelButton) {
        reject();
    }
}

void TypeCreator::add() {
    const QColor listBackground = listview1Content->palette().color(QPalette::Base);
    for (QLineEdit* field : {textfield2, textfield3}) {
        if (field->text().isEmpty()) {
            colours::setBackground(field, colours::attention);
            return;
        }
        colours::setBackground(field, listBackground);
    }
    // Taken as typed: no trimming, no check of the names.
    const QString declared = textfield2->text() + " " + textfield3->text() + ";";
    if (types.contains("public " + declared) || types.contains("public static " + declared)) return;
    const QString entry = (checkbox1->isChecked() ? "public static " : "public ") + declared;
    types.append(entry);
    listview1Content->addItem(entry);
}

void TypeCreator::remove() {
    QListWidgetItem* selected = listview1Content->currentItem();
    if (!selected || !selected->isSelected()) return;
    types.removeOne(selected->text());
    delete selected;
}

void TypeCreator::confirm() {
    const QString className = textfield1->text();
    if (className.isEmpty()) {
        colours::setBackground(textfield1, colours::attention);
        return;
    }
    const QString name = "Type" + className;
    // In a Java project the class is built with the program: an include the project file must still hold.
    References& references = editor_.references();
    const bool include = references.compiler == "J2ME" && !references.includes.contains(name);
    if (include) {
        if (const std::optional<QString> refused = refuseProjectEntry(references, false)) {
            showError(this, *refused, "Type Creator");
            return;
        }
    }
    // One file, one tab: a class made again replaces the text of its open tab, as one step to undo. With
    // every tab slot in use the declarations stay here for another try.
    const int open = editor_.tabIndexOf(name + ".java");
    const int slot = open >= 0 ? open : editor_.setUpEditor(name + ".java");
    if (slot < 0) return;
    editor_.replaceText(slot, typeClassText(className, types));
    editor_.selectSlot(slot);
    if (include) references.includes.append(name);
    accept();
}

}  // namespace editor
