#include "project_dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "colours.h"
#include "error_dialogs.h"
#include "file_copy.h"
#include "files.h"
#include "guard/project_name.h"
#include "main_window.h"
#include "project_file.h"
#include "prompter.h"
#include "references.h"

namespace editor {
namespace {

const char* const question = "What would you like to do?";

QPushButton* newButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    return button;
}

CustomSeparator* newSeparator(QWidget* parent, const char* name) {
    auto* separator = new CustomSeparator(0, parent);
    separator->setObjectName(name);
    return separator;
}

void makeBold(QLabel* label) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

bool sameBytes(const QString& first, const QString& second) {
    QFile a(first), b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size()) return false;
    return a.readAll() == b.readAll();
}

// Puts the chosen file into the project folder as `title`, the file the include's tab is written to,
// before the project names it. A different file of that name there is never replaced: false then, and
// after a failed copy, both shown. A project without a folder gets the file when it is saved.
bool bringIntoProject(QWidget* owner, const References& references, const QString& chosen,
                      const QString& title) {
    if (!references.saved) return true;
    const QString target = references.LoadedPath + title;
    const QFileInfo there(target);
    if (there.exists()) {
        if (there.canonicalFilePath() == QFileInfo(chosen).canonicalFilePath() || sameBytes(chosen, target))
            return true;
        showWarning(owner,
                    QString("The project folder already holds a different %1: %2 was not added")
                        .arg(target, QFileInfo(chosen).absoluteFilePath()),
                    "Add to project");
        return false;
    }
    if (const std::optional<QString> failure = FileCopy::copy(chosen, target)) {
        showError(owner, *failure, "Add to project");
        return false;
    }
    return true;
}

}  // namespace

// OpenProject

OpenProject::OpenProject(Editor& owner, const QString& path)
    : DialogFrame(&owner, "Open Project", frames::openProject), editor_(owner), filename(path) {
    initialize();
    connect(button1, &QPushButton::clicked, this, [this] { actionPerformed(button1); });
    connect(button2, &QPushButton::clicked, this, [this] { actionPerformed(button2); });
}

void OpenProject::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newWrappingLabel("label1");
    separator1 = newSeparator(this, "separator1");
    label2 = newLabel("label2");
    panel2 = newPanel("panel2");
    panel3 = newPanel("panel3");
    panel4 = newPanel("panel4");
    button1 = newButton(this, "button1");
    button2 = newButton(this, "button2");
}

void OpenProject::initComponents() {
    label1->setText(getLocalizedText(
        "You are attempting to open an Tesvo Zorid project file with a project file already open. If you "
        "press 'Continue' the current project will be closed, and the one you have selected opened. If you "
        "select 'Cancel' then the action will be canceled, and you can continue with the current open "
        "project."));
    label2->setText(getLocalizedText(question));
    makeBold(label2);
    button2->setText(getLocalizedText("Continue"));
    button1->setText(getLocalizedText("Cancel"));
}

void OpenProject::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, separator1);
    addRow(rows, 2, label2);
    addFiller(rows, 3, panel3);
    addButtonBar(rows, 4, panel2);
    layoutButtonBar(panel2, panel4, {button2, button1});
}

void OpenProject::actionPerformed(QPushButton* source) {
    if (source == button1) {
        reject();
        return;
    }
    accept();
    if (editor_.reset(false)) editor_.loadProject(filename);
}

// AddProject

AddProject::AddProject(Editor& owner, const QString& path)
    : DialogFrame(&owner, "Add to project?", frames::addProject), editor_(owner), filename(path) {
    initialize();
    setAttribute(Qt::WA_DeleteOnClose);
    connect(button1, &QPushButton::clicked, this, [this] { actionPerformed(button1); });
    connect(button2, &QPushButton::clicked, this, [this] { actionPerformed(button2); });
    connect(button3, &QPushButton::clicked, this, [this] { actionPerformed(button3); });
}

void AddProject::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newWrappingLabel("label1");
    separator1 = newSeparator(this, "separator1");
    label2 = newLabel("label2");
    panel2 = newPanel("panel2");
    panel3 = newPanel("panel3");
    panel4 = newPanel("panel4");
    button1 = newButton(this, "button1");
    button2 = newButton(this, "button2");
    button3 = newButton(this, "button3");
}

void AddProject::initComponents() {
    label1->setText(getLocalizedText(
        "You are attempting to load a source file that is not currently part of this project. If you click "
        "'Continue' then the file will be copied to your project directory and added as an include file. If "
        "you wish to close the currently open project and start a new one then click 'New Project'. Finally, "
        "if you do not wish to add this file to the project and you do not wish to close this project then "
        "click 'Cancel'."));
    label2->setText(getLocalizedText(question));
    makeBold(label2);
    button3->setText(getLocalizedText("Continue"));
    button2->setText(getLocalizedText("New Project"));
    button1->setText(getLocalizedText("Cancel"));
}

void AddProject::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, separator1);
    addRow(rows, 2, label2);
    addFiller(rows, 3, panel2);
    addButtonBar(rows, 4, panel3);
    layoutButtonBar(panel3, panel4, {button3, button2, button1});
}

void AddProject::actionPerformed(QPushButton* source) {
    References& references = editor_.references();
    if (source == button3) {
        if (const std::optional<QString> refused = refuseProjectEntry(references, false)) {
            showError(this, *refused, "Add to project");
        } else {
            const QString file = filename.mid(filename.lastIndexOf(References::sep) + 1);
            const QString name = References::getFileFromPath(filename).value_or(file);
            // The copy keeps its language: a source of the kit's language never becomes a Java file,
            // whatever the project's language (an include is its Java class, else its source).
            const QString title = name + (file.endsWith(".java", Qt::CaseInsensitive) ? ".java" : ".bss");
            if (references.LoadedPath + title == editor_.executionCopy()) {
                // Every compile writes it: as an include its tab would be written over, the program doubled.
                editor_.appendOutput("\nError: " + references.LoadedPath + title +
                                     " is the execution copy every compile writes: it was not added\n");
            } else if (bringIntoProject(this, references, filename, title)) {
                references.includes << name;
                if (const int slot = editor_.setUpEditor(title); slot >= 0) {
                    // The tab holds the project's copy; a project without a place gets one at its save.
                    editor_.loadTab(slot, references.saved ? references.LoadedPath + title : filename);
                    editor_.selectTab(editor_.tabCount() - 1);
                    // The project file does not name the include yet: saving and leaving must ask.
                    editor_.markChanged(slot);
                }
            }
        }
    } else if (source == button2) {
        if (editor_.reset(true)) editor_.loadTab(references.currentScreen, filename);
    }
    close();
}

bool mayReplaceProjectFile(QWidget* owner, const QString& projectFile, const QString& name) {
    return !files().status(projectFile).exists ||
           ui::prompter().askYesNo(owner, QString(),
                                   "Replace " + projectFile + " with the project " + name + "?",
                                   ui::Answer::No) == ui::Answer::Yes;
}

bool namesAJavaClass(Editor& editor) {
    const BuildTargets& targets = editor.targets();
    return editor.references().compiler == "J2ME" || targets.isMarked(BuildTargets::J2meDevices) ||
           targets.isMarked(BuildTargets::Applet);
}

std::optional<QString> refuseProjectName(const QString& name, bool javaClass) {
    if (const std::optional<std::string> refused = guard::refuseProjectName(name.toStdString(), javaClass))
        return QString::fromStdString(*refused);
    return std::nullopt;
}

// ProjectScreen

ProjectScreen::ProjectScreen(QWidget* owner, References& references, bool javaClass)
    : DialogFrame(owner, "Project Settings", frames::projectScreen),
      references_(references),
      javaClass_(javaClass) {
    initialize();
    textfield1->setText(references_.projectName);
    textfield2->setText(references_.projectCompany);
    connect(okButton, &QPushButton::clicked, this, [this] { actionPerformed(okButton); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { actionPerformed(cancelButton); });
}

void ProjectScreen::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    separator1 = newSeparator(this, "separator1");
    label2 = newWrappingLabel("label2");
    separator2 = newSeparator(this, "separator2");
    panel2 = newPanel("panel2");
    label3 = newLabel("label3");
    textfield1 = new QLineEdit(this);
    textfield1->setObjectName("textfield1");
    panel3 = newPanel("panel3");
    label4 = newLabel("label4");
    textfield2 = new QLineEdit(this);
    textfield2->setObjectName("textfield2");
    panel4 = newPanel("panel4");
    panel5 = newPanel("panel5");
    panel6 = newPanel("panel6");
    panel7 = newPanel("panel7");
    okButton = newButton(this, "okButton");
    cancelButton = newButton(this, "cancelButton");
}

void ProjectScreen::initComponents() {
    label1->setText(getLocalizedText("Project Settings"));
    setTitleFont(label1, dialogTitleScale);
    label2->setText(getLocalizedText(
        "The following information will be shown on the mobile device when a user selects properties on the "
        "actual game file."));
    label3->setText(getLocalizedText("Project    "));
    label4->setText(getLocalizedText("Company"));
    okButton->setText(getLocalizedText("OK"));
    okButton->setDefault(true);
    cancelButton->setText(getLocalizedText("Cancel"));
}

void ProjectScreen::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, separator1);
    addRow(rows, 2, label2);
    addRow(rows, 3, separator2);
    for (auto [panel, label, field] :
         {std::tuple{panel2, label3, textfield1}, {panel3, label4, textfield2}}) {
        auto* line = new QHBoxLayout(panel);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(label);
        line->addWidget(field, 1);
    }
    addRow(rows, 4, panel2);
    addRow(rows, 5, panel3);
    addFiller(rows, 6, panel4);
    addButtonBar(rows, 7, panel5);
    layoutButtonBar(panel5, panel6, {okButton, cancelButton}, panel7);
}

void ProjectScreen::actionPerformed(QPushButton* source) {
    if (source == cancelButton) {
        reject();
        return;
    }
    const QColor normal = QGuiApplication::palette().color(QPalette::Base);
    const QString name = textfield1->text();
    // The project's files and its program's class are named after it: a name the compile would refuse is
    // refused here, in the compiler's words.
    const std::optional<QString> refused =
        name.isEmpty() ? std::nullopt : refuseProjectName(name, javaClass_);
    if (name.isEmpty() || refused) {
        colours::setBackground(textfield1, colours::attention);
        if (refused) showError(this, *refused, "Project Settings");
        return;
    }
    colours::setBackground(textfield1, normal);
    if (textfield2->text().isEmpty()) {
        colours::setBackground(textfield2, colours::attention);
        return;
    }
    // The next Save of a saved project writes `<name>.tbp` in its folder: another project's file there is
    // replaced only when the user says so.
    const QString projectFile = references_.LoadedPath + name + ".tbp";
    if (references_.saved && name != references_.projectName &&
        !mayReplaceProjectFile(this, projectFile, name)) {
        colours::setBackground(textfield1, colours::attention);
        return;
    }
    references_.projectName = name;
    references_.projectCompany = textfield2->text();
    accept();
}

}  // namespace editor
