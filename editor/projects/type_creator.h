#pragma once
// The type creator: a class name and a list of public field declarations become a record class for
// Java projects, opened in a new source tab "Type<name>.java" for the user to save.
#include <QStringList>

#include "dialog_frame.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace editor {

class CustomSeparator;
class Editor;

// The class's source: the kit's package line, "public class Type<name>{", each declaration on a line of
// its own, and "}" with no line end after it.
QString typeClassText(const QString& className, const QStringList& declarations);

class TypeCreator : public DialogFrame {
    Q_OBJECT
public:
    TypeCreator(QWidget* owner, Editor& editor);

    // The declarations added so far, in order: "public [static ]<type> <name>;".
    const QStringList& declarations() const { return types; }

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);
    void add();
    void remove();
    void confirm();

    Editor& editor_;
    // Emptied whenever the dialog closes, so declarations never pass on to the next dialog unseen.
    QStringList types;
    QLabel* label1 = nullptr;                 // what the wizard makes
    QLabel* label2 = nullptr;                 // "The class name"
    QLabel* label3 = nullptr;                 // "Data Type"
    QLabel* label4 = nullptr;                 // "Name"
    QLabel* label5 = nullptr;                 // "The fields"
    CustomSeparator* separator1 = nullptr;    // under the explanation
    CustomSeparator* separator2 = nullptr;    // under the class name
    QLineEdit* textfield1 = nullptr;          // the class name
    QListWidget* listview1Content = nullptr;  // the fields declared so far
    QWidget* fieldRow = nullptr;
    QLineEdit* textfield2 = nullptr;  // the new field's type
    QLineEdit* textfield3 = nullptr;  // the new field's name
    QCheckBox* checkbox1 = nullptr;   // "Make variable static?"
    QWidget* listBar = nullptr;
    QWidget* listBarFiller = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace editor
