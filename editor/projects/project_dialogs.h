#pragma once
// The dialogs about the project as a whole: Open Project (a project file chosen in the project tree),
// Add to project (a source chosen there that the project does not name) and Project Settings.
#include <optional>

#include "dialog_frame.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace editor {

class CustomSeparator;
class Editor;
class References;

// True when the project `name` may be written to `projectFile`: no file stands there, or the user answers
// Yes to replacing it.
bool mayReplaceProjectFile(QWidget* owner, const QString& projectFile, const QString& name);

// Whether the project's name is also its program's Java class: the project is written in Java, or a
// phone or applet target is marked.
bool namesAJavaClass(Editor& editor);
// The refusal, in the compiler's words, that a compile would give `name` as the project's name
// (guard::refuseProjectName); nothing when the name may be given.
std::optional<QString> refuseProjectName(const QString& name, bool javaClass);

// Modal: "Continue" closes the open project and loads `path`; "Cancel" changes nothing.

class OpenProject : public DialogFrame {
    Q_OBJECT
public:
    OpenProject(Editor& owner, const QString& path);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    Editor& editor_;
    QString filename;
    QLabel* label1 = nullptr;               // what opening another project does
    QLabel* label2 = nullptr;               // the question
    CustomSeparator* separator1 = nullptr;  // under the explanation
    QWidget* panel2 = nullptr;              // the button bar
    QWidget* panel3 = nullptr;              // the filler above the button bar
    QWidget* panel4 = nullptr;              // the space before the buttons
    QPushButton* button1 = nullptr;         // "Cancel"
    QPushButton* button2 = nullptr;         // "Continue"
};

// Not modal, deleted when closed: "Continue" makes the file an include (written with its tab),
// "New Project" starts a fresh project with the file's text, "Cancel" changes nothing.
class AddProject : public DialogFrame {
    Q_OBJECT
public:
    AddProject(Editor& owner, const QString& path);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    Editor& editor_;
    QString filename;
    QLabel* label1 = nullptr;               // what adding a file to the project does
    QLabel* label2 = nullptr;               // the question
    CustomSeparator* separator1 = nullptr;  // under the explanation
    QWidget* panel2 = nullptr;              // the filler above the button bar
    QWidget* panel3 = nullptr;              // the button bar
    QWidget* panel4 = nullptr;              // the space before the buttons
    QPushButton* button1 = nullptr;         // "Cancel"
    QPushButton* button2 = nullptr;         // "New Project": the file opened in a fresh project
    QPushButton* button3 = nullptr;         // "Continue": added to the project
};

// Modal: the project's name and company, both required. A name the next compile would refuse (not a file
// name of the project folder; with `javaClass`, not a Java class's name: namesAJavaClass) is marked like an
// empty one, and Error says why in the compiler's words.
class ProjectScreen : public DialogFrame {
    Q_OBJECT
public:
    ProjectScreen(QWidget* owner, References& references, bool javaClass = true);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    References& references_;
    bool javaClass_;
    QLineEdit* textfield1 = nullptr;  // the project's name
    QLineEdit* textfield2 = nullptr;  // the company
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* label1 = nullptr;               // "Project Settings"
    QLabel* label2 = nullptr;               // what the settings are shown for
    QLabel* label3 = nullptr;               // "Project"
    QLabel* label4 = nullptr;               // "Company"
    CustomSeparator* separator1 = nullptr;  // under the title
    CustomSeparator* separator2 = nullptr;  // under the explanation
    QWidget* panel2 = nullptr;              // the name's row
    QWidget* panel3 = nullptr;              // the company's row
    QWidget* panel4 = nullptr;              // the filler above the button bar
    QWidget* panel5 = nullptr;              // the button bar
    QWidget* panel6 = nullptr;              // the space before the buttons
    QWidget* panel7 = nullptr;              // the space after them
};

}  // namespace editor
