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
    QLabel* label1 = nullptr;               // the heading: what went wrong
    QLabel* label2 = nullptr;               // the detail: the operation or object concerned
    QLabel* label3 = nullptr;               // what the dialog means
    QLabel* label4 = nullptr;               // the advice, with the support address
    CustomSeparator* separator1 = nullptr;  // under the heading
    CustomSeparator* separator2 = nullptr;  // under the detail
    QWidget* panel2 = nullptr;              // the button bar
    QWidget* panel3 = nullptr;              // the space before the button
    QWidget* panel4 = nullptr;              // the filler above the button bar
    QPushButton* button1 = nullptr;         // "Dismiss"
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

// Where the editor's operations report their failures, from the Services in force (services.h): the
// program shows Error or Warning modally and returns when the user has dismissed it; tests record the
// reports (editor/testing/).
class FailureReporter {
public:
    virtual ~FailureReporter() = default;
    virtual void error(QWidget* owner, const QString& heading, const QString& detail) = 0;
    virtual void warning(QWidget* owner, const QString& heading, const QString& detail) = 0;
};

FailureReporter& failureReporter();

void showError(QWidget* owner, const QString& heading, const QString& detail);
void showWarning(QWidget* owner, const QString& heading, const QString& detail);

}  // namespace editor
