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
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLineEdit* textfield1 = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QWidget* spacer1 = nullptr;
    QWidget* spacer2 = nullptr;
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
    QString filename;  // the image's full path
    QString file;      // its file name
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    CustomSeparator* separator1 = nullptr;
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* barFiller = nullptr;
    QPushButton* button1 = nullptr;
    QPushButton* button2 = nullptr;
    QPushButton* button3 = nullptr;
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
    QWidget* spacer1 = nullptr;
    QWidget* spacer2 = nullptr;
    QWidget* spacer3 = nullptr;
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* barFiller = nullptr;
    QPushButton* button1 = nullptr;
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
    QWidget* spacer1 = nullptr;
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace editor
