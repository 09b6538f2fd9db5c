#pragma once
// The small dialogs: the manual entry of a missing project-file value, the image offer of the project
// tree, About and About Qt.
#include "dialog_frame.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace editor {

class CustomSeparator;
class References;

// Asks for the value of the project-file entry `key`. When it has closed, `References::fixed` holds the
// value typed, or the empty text when the user cancelled or closed the window.
class ManualEntry : public DialogFrame {
    Q_OBJECT
public:
    ManualEntry(QWidget* owner, const QString& key, References& references);

    void reject() override;

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    References& references_;
    QLabel* label1 = nullptr;         // "Project File Error"
    QLabel* label2 = nullptr;         // why the value is asked for
    QLabel* label3 = nullptr;         // "Please enter a value for '<key>'"
    QLineEdit* textfield1 = nullptr;  // the value
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QWidget* spacer1 = nullptr;  // blank rows
    QWidget* spacer2 = nullptr;  // blank rows
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
};

// Offered for an image opened from the project tree: copy it beside the project's sources, open it in
// the desktop's image program, or nothing.
class OpenImage : public DialogFrame {
    Q_OBJECT
public:
    OpenImage(QWidget* owner, const QString& imagePath, References& references);

    // Where "Copy" puts the image: the project folder and the image's whole file name.
    QString copyTarget() const;

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    References& references_;
    QString filename;                       // the image's full path
    QString file;                           // its file name
    QLabel* label1 = nullptr;               // what clicking an image file offers
    QLabel* label2 = nullptr;               // "What would you like to do?"
    CustomSeparator* separator1 = nullptr;  // under the explanation
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* barFiller = nullptr;
    QPushButton* button1 = nullptr;  // "Cancel"
    QPushButton* button2 = nullptr;  // "Edit Image"
    QPushButton* button3 = nullptr;  // "Copy": into the project folder
};

class About : public DialogFrame {
    Q_OBJECT
public:
    explicit About(QWidget* owner);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    QLabel* heading = nullptr;
    QLabel* description = nullptr;
    QLabel* versionLine = nullptr;
    QLabel* makerLink = nullptr;
    QWidget* spacer1 = nullptr;  // blank rows between the texts
    QWidget* spacer2 = nullptr;  // blank rows between the texts
    QWidget* spacer3 = nullptr;  // blank rows between the texts
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* barFiller = nullptr;
    QPushButton* button1 = nullptr;  // "Cancel"
};

// About the Qt libraries the editor runs on.
class AboutRuntime : public DialogFrame {
    Q_OBJECT
public:
    explicit AboutRuntime(QWidget* owner);

    static QString runtimePage();

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    QLabel* heading = nullptr;
    QLabel* description = nullptr;
    QWidget* spacer1 = nullptr;  // a blank row
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace editor
