#include "preferences.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "colours.h"
#include "config_file.h"
#include "new_install.h"
#include "references.h"

namespace editor {
namespace {

const char* const defaultItem = "Default";
const char* const visualStudioItem = "Microsoft® Visual Studio";
const char* const office2003Item = "Microsoft® Office 2003";

}  // namespace

Preferences::Preferences(QWidget* owner, References& references, std::function<bool()> mayEnd)
    : DialogFrame(owner, "Tesvo Zorid Preferences", frames::preferences),
      references_(references),
      mayEnd_(std::move(mayEnd)) {
    initialize();
    showLocations();
    for (QPushButton* button : {button1, button2, button3}) {
        connect(button, &QPushButton::clicked, this, [this, button] { actionPerformed(button); });
    }
}

QString Preferences::lookWord(const QString& item) {
    if (item == QString::fromUtf8(defaultItem)) return "Default";
    // The look commands offer the Office XP look as "XP"; the Visual Studio item is that look.
    if (item == QString::fromUtf8(visualStudioItem)) return "XP";
    return "2003";
}

void Preferences::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    spacer1 = newPanel("spacer1");
    label2 = newWrappingLabel("label2");
    separator1 = new CustomSeparator(0, this);
    label3 = newLabel("label3");
    textfield1 = newPart<QLineEdit>("textfield1");
    label4 = newLabel("label4");
    textfield2 = newPart<QLineEdit>("textfield2");
    label5 = newLabel("label5");
    textfield3 = newPart<QLineEdit>("textfield3");
    label6 = newLabel("label6");
    combobox1 = newPart<QComboBox>("combobox1");
    spacer2 = newPanel("spacer2");
    label8 = newLabel("label8");
    saveBar = newPanel("saveBar");
    saveFiller = newPanel("saveFiller");
    button1 = newPart<QPushButton>("button1");
    separator2 = new CustomSeparator(0, this);
    scanBar = newPanel("scanBar");
    label7 = newLabel("label7");
    scanFiller = newPanel("scanFiller");
    button2 = newPart<QPushButton>("button2");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    barFiller = newPanel("barFiller");
    button3 = newPart<QPushButton>("button3");
}

void Preferences::initComponents() {
    label1->setText(getLocalizedText("Tesvo Zorid Preferences"));
    label1->setAlignment(Qt::AlignCenter);
    setTitleFont(label1, dialogTitleScale);
    label2->setText(getLocalizedText(
        "The Tesvo Zorid configuration wizard should have set up your Tesvo Zorid installation correctly "
        "when you first started the editor. However, if the locations of Tesvo Zorid and/or the SDK's has "
        "changed then you will need to update the Tesvo Zorid configuration file. Alternatively, if you wish "
        "to change to using a newer/older installation of an SDK installation, then this is also possible. "
        "You can manually edit the paths below, or click the button to launch the wizard to automatically "
        "scan your system."));
    label3->setText(getLocalizedText("Tesvo Zorid Directory"));
    label4->setText(getLocalizedText("Java SDK Directory      "));
    label5->setText(getLocalizedText("J2ME SDK Directory     "));
    label6->setText(getLocalizedText("Editor Look and Feel    "));
    combobox1->addItems({QString::fromUtf8(defaultItem), QString::fromUtf8(visualStudioItem),
                         QString::fromUtf8(office2003Item)});
    label8->setAlignment(Qt::AlignCenter);
    colours::setTextColour(label8, colours::attention);
    button1->setText(getLocalizedText("Save"));
    label7->setText(getLocalizedText("Click the button to the right to open the automated scan wizard."));
    button2->setText(getLocalizedText("Scan"));
    button3->setText(getLocalizedText("Dismiss"));
}

void Preferences::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    rows->setColumnStretch(0, 0);
    rows->setColumnStretch(1, 1);
    addRow(rows, 0, label1, 0, -1);
    addRow(rows, 1, spacer1, 0, -1);
    addRow(rows, 2, label2, 0, -1);
    addRow(rows, 3, separator1, 0, -1);
    addRow(rows, 4, label3);
    addRow(rows, 4, textfield1, 1);
    addRow(rows, 5, label4);
    addRow(rows, 5, textfield2, 1);
    addRow(rows, 6, label5);
    addRow(rows, 6, textfield3, 1);
    addRow(rows, 7, label6);
    addRow(rows, 7, combobox1, 1);
    addRow(rows, 8, spacer2, 0, -1);
    addRow(rows, 9, label8, 0, -1);
    addButtonBar(rows, 10, saveBar);
    layoutButtonBar(saveBar, saveFiller, {button1});
    addRow(rows, 11, separator2, 0, -1);
    addButtonBar(rows, 12, scanBar);
    QGridLayout* scanRow = newRows(scanBar);
    addRow(scanRow, 0, label7, 0);
    addRow(scanRow, 0, scanFiller, 1);
    addRow(scanRow, 0, button2, 2);
    scanRow->setColumnStretch(0, 0);
    scanRow->setColumnStretch(1, 1);
    addFiller(rows, 13, filler);
    addButtonBar(rows, 14, buttonBar);
    layoutButtonBar(buttonBar, barFiller, {button3});
}

void Preferences::showLocations() {
    textfield1->setText(references_.TesvoZoridLocation.value_or(""));
    textfield2->setText(references_.JavaLocation.value_or(""));
    textfield3->setText(references_.MobileLocation.value_or(""));
}

void Preferences::actionPerformed(QPushButton* source) {
    if (source == button1) {
        save();
    } else if (source == button2) {
        // The fields show what a verified scan found; nothing is written until Save.
        if (runFirstRunWizard(references_, mayEnd_) == NewInstall::Outcome::Verified) showLocations();
    } else if (source == button3) {
        close();
    }
}

bool Preferences::check(QLineEdit* field, bool passed, const char* failure) {
    colours::setBackground(field, passed ? colours::accepted : colours::failure);
    if (!passed) label8->setText(getLocalizedText(failure));
    return passed;
}

void Preferences::save() {
    const QString kit = textfield1->text();
    const QString java = textfield2->text();
    const QString toolkit = textfield3->text();
    if (!check(textfield1, pathExists(kit),
               "Config file was not saved because the location you specified could not be found") ||
        !check(textfield2, javaToolFound(java),
               "Config file was not saved because the location of javac was not correctly specified") ||
        !check(
            textfield3, toolkitFound(toolkit),
            "Config file was not saved because the location of bin/preverify was not correctly specified")) {
        return;
    }
    const QString look = lookWord(combobox1->currentText());
    if (const std::optional<QString> failure = saveConfigFile({java, toolkit, kit, look})) {
        reportSaveFailure(*failure);
        return;
    }
    // What was saved is the configuration from now on: the next writer of the file must not put the old
    // folders back. The running look and line 3 are settled at the next start.
    references_.JavaLocation = java;
    references_.MobileLocation = toolkit;
    references_.lookAndFeel = look;
    label8->setText(getLocalizedText("Save Successfull!"));
}

}  // namespace editor
