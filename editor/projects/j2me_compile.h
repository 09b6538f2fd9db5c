#pragma once
// "J2ME Compilation Settings": the class a Java project starts, and the project's references (class-path
// entries, each a file chosen on disk). Add and Remove change the project's list at once; OK keeps the
// class to start for the rest of the editor's run.
#include "dialog_frame.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace editor {

class References;

class J2MECompile : public DialogFrame {
    Q_OBJECT
public:
    J2MECompile(QWidget* owner, References& references);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);
    void addReference();
    void removeReference();

    References& references_;
    QWidget* startPanel = nullptr;
    QWidget* referencesPanel = nullptr;
    QLabel* label1 = nullptr;         // "Class to start"
    QLineEdit* textfield1 = nullptr;  // the class to start
    // Lists only what this dialog added: the project's earlier references are not shown.
    QListWidget* lstReferencesContent = nullptr;
    QWidget* listBar = nullptr;
    QWidget* listBarFiller = nullptr;
    QPushButton* button1 = nullptr;  // "Add": a class-path entry
    QPushButton* button2 = nullptr;  // "Remove": the chosen entry
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace editor
