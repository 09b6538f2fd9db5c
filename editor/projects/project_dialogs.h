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
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    CustomSeparator* separator1 = nullptr;
    QWidget* panel2 = nullptr;
    QWidget* panel3 = nullptr;
    QWidget* panel4 = nullptr;
    QPushButton* button1 = nullptr;
    QPushButton* button2 = nullptr;
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
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    CustomSeparator* separator1 = nullptr;
    QWidget* panel2 = nullptr;
    QWidget* panel3 = nullptr;
    QWidget* panel4 = nullptr;
    QPushButton* button1 = nullptr;
    QPushButton* button2 = nullptr;
    QPushButton* button3 = nullptr;
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
    QLineEdit* textfield1 = nullptr;
    QLineEdit* textfield2 = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label4 = nullptr;
    CustomSeparator* separator1 = nullptr;
    CustomSeparator* separator2 = nullptr;
    QWidget* panel2 = nullptr;
    QWidget* panel3 = nullptr;
    QWidget* panel4 = nullptr;
    QWidget* panel5 = nullptr;
    QWidget* panel6 = nullptr;
    QWidget* panel7 = nullptr;
};

}  // namespace editor
