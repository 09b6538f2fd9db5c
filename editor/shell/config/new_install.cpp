#include "new_install.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "colours.h"
#include "config_file.h"
#include "environment.h"
#include "prompter.h"
#include "references.h"
#include "scan.h"

namespace editor {
namespace {

// The title message boxes get where the wizard names none.
const char* const messageTitle = "Message";

// A closed drop-down list paints its face in the button colours: both roles carry the signal.
void setListBackground(QComboBox* list, const QColor& colour) {
    colours::setBackground(list, colour);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Button, colour);
    list->setPalette(palette);
}

void setListTextColour(QComboBox* list, const QColor& colour) {
    colours::setTextColour(list, colour);
    QPalette palette = list->palette();
    palette.setColor(QPalette::ButtonText, colour);
    list->setPalette(palette);
}

std::optional<QString> selected(const QComboBox* list) {
    if (list->currentIndex() < 0) return std::nullopt;
    return list->currentText();
}

}  // namespace

NewInstall::NewInstall(QWidget* owner, References& references, MayEnd mayEnd)
    : DialogFrame(owner, "Tesvo Zorid Configuration Utility", frames::newInstall),
      references_(references),
      mayEnd_(std::move(mayEnd)) {
    initialize();
    for (QPushButton* button : {verify, downloadSDK, downloadWTK, exit}) {
        connect(button, &QPushButton::clicked, this, [this, button] { actionPerformed(button); });
    }
}

NewInstall::~NewInstall() {
    if (scan_) scan_->stop();
}

void NewInstall::startScan(std::unique_ptr<Scan> scan) {
    if (scan_) scan_->stop();
    scan_ = std::move(scan);
    connect(scan_.get(), &Scan::javaFound, this, [this](const QString& folder) { offer(JDK, folder); });
    connect(scan_.get(), &Scan::toolkitFound, this, [this](const QString& folder) { offer(WTK, folder); });
    connect(scan_.get(), &Scan::finished, this, &NewInstall::scanFinished);
    scan_->start();
}

void NewInstall::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    spacer1 = newPanel("spacer1");
    label9 = newWrappingLabel("label9");
    spacer2 = newPanel("spacer2");
    label7 = newLabel("label7");
    JDK = newPart<QComboBox>("JDK");
    downloadSDK = newPart<QPushButton>("downloadSDK");
    sdkBar = newPanel("sdkBar");
    sdkFiller = newPanel("sdkFiller");
    label8 = newLabel("label8");
    WTK = newPart<QComboBox>("WTK");
    downloadWTK = newPart<QPushButton>("downloadWTK");
    wtkBar = newPanel("wtkBar");
    wtkFiller = newPanel("wtkFiller");
    label2 = newLabel("label2");
    progress = newPart<QProgressBar>("progress");
    verify = newPart<QPushButton>("verify");
    exit = newPart<QPushButton>("exit");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    separator1 = new CustomSeparator(0, this);
    separator2 = new CustomSeparator(0, this);
    separator3 = new CustomSeparator(0, this);
    separator4 = new CustomSeparator(0, this);
}

void NewInstall::initComponents() {
    label1->setText(getLocalizedText("Tesvo Zorid Configuration Utility"));
    label1->setAlignment(Qt::AlignCenter);
    setTitleFont(label1, dialogTitleScale);
    label9->setText(getLocalizedText(
        "Welcome to Tesvo Zorid; The editor has detected that you are running Tesvo Zorid for the first "
        "time, or your configuration file is missing. This utility will scan your computer for the required "
        "SDK's, and write the configuration file for you. If the SDK's are not located on your computer then "
        "click the respective button to be taken to the download page. Because Tesvo Zorid compiles your "
        "games into 100% fast Java, the SDK's are required by the compiler."));
    QFont bold = label7->font();
    bold.setBold(true);
    label7->setText(getLocalizedText("Java SDK"));
    label7->setFont(bold);
    label8->setText(getLocalizedText("J2ME SDK"));
    label8->setFont(bold);
    downloadSDK->setText(getLocalizedText("Download the Java SDK"));
    downloadWTK->setText(getLocalizedText("Download the Java Micro Edition SDK"));
    label2->setText(getLocalizedText("Scanning..."));
    progress->setRange(0, 0);
    progress->setTextVisible(false);
    verify->setText(getLocalizedText("Verify"));
    exit->setText(getLocalizedText("Exit"));
    for (QPushButton* button : {verify, downloadSDK, downloadWTK}) button->setEnabled(false);
}

void NewInstall::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    rows->setColumnStretch(0, 0);
    rows->setColumnStretch(1, 1);
    addRow(rows, 0, label1, 0, -1);
    addRow(rows, 1, spacer1, 0, -1);
    addRow(rows, 2, label9, 0, -1);
    addRow(rows, 3, spacer2, 0, -1);
    addRow(rows, 4, separator1, 0, -1);
    addRow(rows, 5, label7);
    addRow(rows, 5, JDK, 1);
    addButtonBar(rows, 6, sdkBar);
    layoutButtonBar(sdkBar, sdkFiller, {downloadSDK});
    addRow(rows, 7, separator2, 0, -1);
    addRow(rows, 8, label8);
    addRow(rows, 8, WTK, 1);
    addButtonBar(rows, 9, wtkBar);
    layoutButtonBar(wtkBar, wtkFiller, {downloadWTK});
    addRow(rows, 10, separator3, 0, -1);
    addRow(rows, 11, label2, 0, -1);
    addRow(rows, 12, progress, 0, -1);
    addRow(rows, 13, separator4, 0, -1);
    addButtonBar(rows, 14, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {verify, exit}, rightFiller);
}

void NewInstall::offer(QComboBox* list, const QString& folder) {
    if (closed_) return;
    list->addItem(folder);
    setListBackground(list, colours::accepted);
}

void NewInstall::scanFinished(bool JDKFound, bool WTKFound) {
    if (closed_) return;
    if (!JDKFound) setListTextColour(JDK, colours::attention);
    if (!WTKFound) setListTextColour(WTK, colours::attention);
    done();
}

void NewInstall::done() {
    progress->setRange(0, 1);
    progress->setValue(1);
    label2->setText(getLocalizedText("Finished"));
    for (QPushButton* button : {verify, downloadSDK, downloadWTK}) button->setEnabled(true);
}

void NewInstall::done(int result) {
    if (scan_) scan_->stop();
    closed_ = true;
    DialogFrame::done(result);
}

void NewInstall::actionPerformed(QPushButton* source) {
    if (source == downloadSDK) {
        openAddress(javaPage(), downloadSDK->text());
    } else if (source == downloadWTK) {
        openAddress(j2mePage(), downloadWTK->text());
    } else if (source == verify) {
        verifyChoice();
    } else if (source == exit) {
        // Opened from the preferences, Exit ends an editor that may hold changed tabs: it asks first, and
        // a cancelled question or a failed write keeps the wizard open.
        if (mayEnd_ && !mayEnd_()) return;
        ui::prompter().inform(this, messageTitle,
                              getLocalizedText("Your configuration file has not be verified, ensure that you "
                                               "have the correct SDK's installed"));
        outcome_ = Outcome::Exited;
        // The scan thread must not outlive the process's clean-up.
        if (scan_) scan_->stop();
        exitProgram();
        reject();
    }
}

void NewInstall::verifyChoice() {
    const std::optional<QString> java = selected(JDK);
    const std::optional<QString> toolkit = selected(WTK);
    const bool javaPasses = javaToolFound(java);
    const bool toolkitPasses = toolkitFound(toolkit);
    setListBackground(JDK, javaPasses ? colours::accepted : colours::failure);
    setListBackground(WTK, toolkitPasses ? colours::accepted : colours::failure);
    if (!javaPasses || !toolkitPasses) return;
    ui::prompter().inform(this, messageTitle,
                          getLocalizedText("Congratulations, Tesvo Zorid is now set up correctly"));
    references_.JavaLocation = *java;
    references_.MobileLocation = *toolkit;
    references_.TesvoZoridLocation = installFolder();
    references_.lookAndFeel = QString("");
    outcome_ = Outcome::Verified;
    accept();
}

NewInstall::Outcome runFirstRunWizard(References& references, NewInstall::MayEnd mayEnd) {
    NewInstall wizard(nullptr, references, std::move(mayEnd));
    wizard.startScan(std::make_unique<Scan>(scanRoot()));
    wizard.exec();
    return wizard.outcome();
}

}  // namespace editor
