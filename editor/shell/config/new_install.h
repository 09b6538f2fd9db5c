#pragma once
// The first-run wizard: shown before the main window when Config.cfg does not name a usable Java SDK and
// wireless toolkit, and from the preferences' Scan button. It shows what its scan finds, checks the user's
// choice and stores it in the configuration fields.
#include <functional>
#include <memory>

#include "dialog_frame.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace editor {

class CustomSeparator;
class References;
class Scan;

class NewInstall : public DialogFrame {
    Q_OBJECT
public:
    enum class Outcome { Closed, Verified, Exited };

    // Asked before Exit ends the editor: false keeps it (the main window's question while a tab is
    // changed). None: there is nothing to lose.
    using MayEnd = std::function<bool()>;

    NewInstall(QWidget* owner, References& references, MayEnd mayEnd = {});
    ~NewInstall() override;

    // Takes the scan over, shows its findings and starts it. Closing the wizard stops it.
    void startScan(std::unique_ptr<Scan> scan);
    // The scan's finish: the bar stops, "Finished", Verify and the download buttons enabled.
    void done();
    // Every road that closes the wizard passes here: the scan is stopped and its thread joined first, so
    // nothing it still had to say reaches a closed wizard.
    void done(int result) override;

    Outcome outcome() const { return outcome_; }

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);
    void verifyChoice();
    void offer(QComboBox* list, const QString& folder);
    void scanFinished(bool JDKFound, bool WTKFound);

    References& references_;
    MayEnd mayEnd_;
    std::unique_ptr<Scan> scan_;
    bool closed_ = false;
    Outcome outcome_ = Outcome::Closed;

    QComboBox* JDK = nullptr;
    QComboBox* WTK = nullptr;
    QLabel* label2 = nullptr;  // the scan's state: "Scanning...", then "Finished"
    QProgressBar* progress = nullptr;
    QPushButton* verify = nullptr;
    QPushButton* downloadSDK = nullptr;
    QPushButton* downloadWTK = nullptr;
    QPushButton* exit = nullptr;
    QLabel* label1 = nullptr;    // the title
    QLabel* label9 = nullptr;    // the welcome: what the wizard does
    QLabel* label7 = nullptr;    // "Java SDK"
    QLabel* label8 = nullptr;    // "J2ME SDK"
    QWidget* spacer1 = nullptr;  // blank rows
    QWidget* spacer2 = nullptr;  // blank rows
    QWidget* sdkBar = nullptr;
    QWidget* sdkFiller = nullptr;
    QWidget* wtkBar = nullptr;
    QWidget* wtkFiller = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    CustomSeparator* separator1 = nullptr;  // above the Java SDK row
    CustomSeparator* separator2 = nullptr;  // between the two tools
    CustomSeparator* separator3 = nullptr;  // above the scan's state
    CustomSeparator* separator4 = nullptr;  // above the buttons
};

// The wizard with a scan of the root scanRoot(), shown modally as at start-up; returns how it closed.
NewInstall::Outcome runFirstRunWizard(References& references, NewInstall::MayEnd mayEnd = {});

}  // namespace editor
