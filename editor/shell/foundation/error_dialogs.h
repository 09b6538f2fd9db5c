#pragma once
// The two dialogs in which the editor reports a caught failure before carrying on: `Error` for a failed
// operation, `Warning` for a missing project or source file. Neither changes any state.
#include <QColor>

#include "dialog_frame.h"

class QLabel;
class QPushButton;

namespace editor {

class CustomSeparator;

// What the two dialogs share; they differ only in texts and colours.
class FailureDialog : public DialogFrame {
    Q_OBJECT
public:
    struct Look {
        const char* placeholder;  // label1's text until the constructor sets the heading
        QColor heading;
        QColor detail;
        QColor explanation;
        QColor advice;
        const char* explanationText;
        const char* adviceText;  // followed by the support address
        bool wrapAdvice;
    };

protected:
    FailureDialog(QWidget* owner, const FrameRule& rule, const Look& look, const QString& heading,
                  const QString& detail);

    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed();

    Look look_;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label4 = nullptr;
    CustomSeparator* separator1 = nullptr;
    CustomSeparator* separator2 = nullptr;
    QWidget* panel2 = nullptr;
    QWidget* panel3 = nullptr;
    QWidget* panel4 = nullptr;
    QPushButton* button1 = nullptr;
};

// `heading`: what went wrong (a failure's message); `detail`: the operation or object concerned.
class Error : public FailureDialog {
    Q_OBJECT
public:
    Error(QWidget* owner, const QString& heading, const QString& detail);
};

class Warning : public FailureDialog {
    Q_OBJECT
public:
    Warning(QWidget* owner, const QString& heading, const QString& detail);
};

// Where the editor's operations report their failures: the program shows Error or Warning modally and
// returns when the user has dismissed it; tests record the reports (editor/testing/).
class FailureReporter {
public:
    virtual ~FailureReporter() = default;
    virtual void error(QWidget* owner, const QString& heading, const QString& detail) = 0;
    virtual void warning(QWidget* owner, const QString& heading, const QString& detail) = 0;
};

FailureReporter& failureReporter();
// nullptr restores the dialogs; the caller keeps ownership of what it installs.
void setFailureReporter(FailureReporter* installed);

void showError(QWidget* owner, const QString& heading, const QString& detail);
void showWarning(QWidget* owner, const QString& heading, const QString& detail);

}  // namespace editor
