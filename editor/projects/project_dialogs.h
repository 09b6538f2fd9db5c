#pragma once
// The dialogs about the project as a whole: Open Project (a project file chosen in the project tree),
// Add to project (a source chosen there that the project does not name) and Project Settings.
#include "dialog_frame.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace editor {

class CustomSeparator;
class Editor;
class References;

// Modal: "Continue" closes the open project and loads `path`; "Cancel" changes nothing.
// True when the project `name` may be written to `projectFile`: no file stands there, or the user answers
// Yes to replacing it.
bool mayReplaceProjectFile(QWidget* owner, const QString& projectFile, const QString& name);

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

// Modal: the project's name and company, both required. The name becomes a file name in the project
// folder, so a name with "/", or "." or "..", is refused like an empty one, and Error says why.
class ProjectScreen : public DialogFrame {
    Q_OBJECT
public:
    ProjectScreen(QWidget* owner, References& references);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    References& references_;
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
