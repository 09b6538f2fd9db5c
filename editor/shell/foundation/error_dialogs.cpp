#include "error_dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "colours.h"
#include "environment.h"
#include "services.h"

namespace editor {
namespace {

const FailureDialog::Look errorLook{
    "Error",
    QColor(255, 0, 0),
    QColor(255, 0, 51),
    QColor(255, 0, 51),
    QColor(255, 0, 51),
    "The Editor has  encountered an error while attempting to perform an action. Program stability has not "
    "been affected, however it is recommended that you save your project immediately and restart the "
    "editor.",
    "If this error continues to occur please report the error shown to ",
    false,
};

const FailureDialog::Look warningLook{
    "Warning",
    QColor(0, 0, 255),
    QColor(51, 51, 255),
    QColor(51, 51, 255),
    QColor(0, 51, 255),
    "The Editor has encountered a non-serious error. This error is usually caused by a missing project "
    "and/or source file. If you have moved a project recently then you should ensure that all of the "
    "referenced files are in the same directory. Your project may not compile until you rectify this "
    "situation.",
    "If you believe that this error has been caused by the editor please report the error shown to ",
    true,
};

class DialogReporter : public FailureReporter {
public:
    void error(QWidget* owner, const QString& heading, const QString& detail) override {
        Error(owner, heading, detail).exec();
    }
    void warning(QWidget* owner, const QString& heading, const QString& detail) override {
        Warning(owner, heading, detail).exec();
    }
};

}  // namespace

FailureDialog::FailureDialog(QWidget* owner, const FrameRule& rule, const Look& look, const QString& heading,
                             const QString& detail)
    : DialogFrame(owner, "Error", rule), look_(look) {
    initialize();
    label1->setText(heading);
    label2->setText(detail);
    connect(button1, &QPushButton::clicked, this, &FailureDialog::actionPerformed);
}

void FailureDialog::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    label2 = newLabel("label2");
    separator1 = new CustomSeparator(0, this);
    separator1->setObjectName("separator1");
    label3 = newWrappingLabel("label3");
    separator2 = new CustomSeparator(0, this);
    separator2->setObjectName("separator2");
    label4 = look_.wrapAdvice ? newWrappingLabel("label4") : newLabel("label4");
    panel4 = newPanel("panel4");
    panel2 = newPanel("panel2");
    panel3 = newPanel("panel3");
    button1 = new QPushButton(this);
    button1->setObjectName("button1");
}

void FailureDialog::initComponents() {
    label1->setText(getLocalizedText(look_.placeholder));
    setTitleFont(label1, errorTitleScale);
    colours::setTextColour(label1, look_.heading);
    label2->setText(getLocalizedText("Sub Error"));
    colours::setTextColour(label2, look_.detail);
    label3->setText(getLocalizedText(look_.explanationText));
    colours::setTextColour(label3, look_.explanation);
    label4->setText(getLocalizedText(look_.adviceText) + supportAddress);
    colours::setTextColour(label4, look_.advice);
    button1->setText(getLocalizedText("Dismiss"));
}

void FailureDialog::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, label2);
    addRow(rows, 2, separator1);
    addRow(rows, 3, label3);
    addRow(rows, 4, separator2);
    addRow(rows, 5, label4);
    addFiller(rows, 6, panel4);
    addButtonBar(rows, 7, panel2);
    layoutButtonBar(panel2, panel3, {button1});
}

void FailureDialog::actionPerformed() {
    accept();
}

Error::Error(QWidget* owner, const QString& heading, const QString& detail)
    : FailureDialog(owner, frames::error, errorLook, heading, detail) {}

Warning::Warning(QWidget* owner, const QString& heading, const QString& detail)
    : FailureDialog(owner, frames::warning, warningLook, heading, detail) {}

FailureReporter& failureReporter() {
    static DialogReporter standard;
    const Services* services = Services::current();
    return services && services->parts().reports ? *services->parts().reports : standard;
}

void showError(QWidget* owner, const QString& heading, const QString& detail) {
    failureReporter().error(owner, heading, detail);
}

void showWarning(QWidget* owner, const QString& heading, const QString& detail) {
    failureReporter().warning(owner, heading, detail);
}

}  // namespace editor
