#pragma once
// The preferences dialog: the three tool folders of Config.cfg in editable fields and the look in a list;
// Save checks the folders and rewrites the file, Scan runs the first-run wizard again. Not modal: the
// main window stays usable. Whoever opens it as a window of its own lets it delete itself on close.
#include <functional>

#include "dialog_frame.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace editor {

class CustomSeparator;
class References;

class Preferences : public DialogFrame {
    Q_OBJECT
public:
    // `mayEnd`: the question the first-run wizard's Exit asks before it ends the editor (new_install.h).
    Preferences(QWidget* owner, References& references, std::function<bool()> mayEnd = {});

    // The look word written for an item of the look list.
    static QString lookWord(const QString& item);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);
    void save();
    // Colours `field` by `passed`; when it failed, says so in the status line.
    bool check(QLineEdit* field, bool passed, const char* failure);
    void showLocations();

    References& references_;
    std::function<bool()> mayEnd_;
    QLineEdit* textfield1 = nullptr;  // the kit folder
    QLineEdit* textfield2 = nullptr;  // the Java SDK tool folder
    QLineEdit* textfield3 = nullptr;  // the wireless toolkit folder
    QComboBox* combobox1 = nullptr;   // the looks
    QPushButton* button1 = nullptr;   // "Save"
    QPushButton* button2 = nullptr;   // "Scan": the first-run wizard again
    QPushButton* button3 = nullptr;   // "Dismiss"
    QLabel* label8 = nullptr;         // the outcome of Save: a folder that failed its test, or success
    QLabel* label1 = nullptr;         // the title
    QLabel* label2 = nullptr;         // what the dialog is for
    QLabel* label3 = nullptr;         // "Tesvo Zorid Directory"
    QLabel* label4 = nullptr;         // "Java SDK Directory"
    QLabel* label5 = nullptr;         // "J2ME SDK Directory"
    QLabel* label6 = nullptr;         // "Editor Look and Feel"
    QLabel* label7 = nullptr;         // beside Scan: what it opens
    QWidget* spacer1 = nullptr;       // blank rows
    QWidget* spacer2 = nullptr;       // blank rows
    QWidget* saveBar = nullptr;
    QWidget* saveFiller = nullptr;
    QWidget* scanBar = nullptr;
    QWidget* scanFiller = nullptr;
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* barFiller = nullptr;
    CustomSeparator* separator1 = nullptr;  // under the explanation
    CustomSeparator* separator2 = nullptr;  // above the buttons
};

}  // namespace editor
