#pragma once
// The preferences dialog: the three tool folders of Config.cfg in editable fields and the look in a list;
// Save checks the folders and rewrites the file, Scan runs the first-run wizard again. Not modal: the
// main window stays usable. Whoever opens it as a window of its own lets it delete itself on close.
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
    Preferences(QWidget* owner, References& references);

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
    QLineEdit* textfield1 = nullptr;  // the kit folder
    QLineEdit* textfield2 = nullptr;  // the Java SDK tool folder
    QLineEdit* textfield3 = nullptr;  // the wireless toolkit folder
    QComboBox* combobox1 = nullptr;
    QPushButton* button1 = nullptr;
    QPushButton* button2 = nullptr;
    QPushButton* button3 = nullptr;
    QLabel* label8 = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label4 = nullptr;
    QLabel* label5 = nullptr;
    QLabel* label6 = nullptr;
    QLabel* label7 = nullptr;
    QWidget* spacer1 = nullptr;
    QWidget* spacer2 = nullptr;
    QWidget* saveBar = nullptr;
    QWidget* saveFiller = nullptr;
    QWidget* scanBar = nullptr;
    QWidget* scanFiller = nullptr;
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* barFiller = nullptr;
    CustomSeparator* separator1 = nullptr;
    CustomSeparator* separator2 = nullptr;
};

}  // namespace editor
