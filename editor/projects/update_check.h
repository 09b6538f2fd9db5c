#pragma once
// The update check: the version file is fetched from the maker's site on a thread of its own while the
// wizard keeps handling events, then its numbers are compared with this editor's version.
#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "busy_work.h"
#include "curl_handle.h"
#include "dialog_frame.h"
#include "environment.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace editor {

class CustomSeparator;

// The maker's addresses, kept here alone; tests point them at a loopback server.
struct UpdateSite {
    QString versionFile = QString(makerSite) + "/TesvoZorid/Version.txt";
    QString downloadPage = productPage();
    ui::TransferLimits limits;
};

// Copies one remote file to a local one on a thread of its own. The local file is replaced only by a
// whole copy: an HTTP error status, a broken or stalled transfer and a stop leave no file.
class Download {
public:
    Download(const QString& remote, const QString& local, const ui::TransferLimits& limits = {});
    ~Download();  // stops a running copy
    Download(const Download&) = delete;
    Download& operator=(const Download&) = delete;

    // Starts the thread; a second call does nothing.
    void start();
    // Ends a running transfer at once and joins the thread.
    void stop();
    void run();
    // True from construction until the copy has ended.
    bool isRunning() const { return running.load(); }
    // Read once isRunning() is false: why the copy failed, null when the file was written whole.
    QString failure() const { return failure_; }

private:
    void copy();

    QString remote;
    QString local;
    ui::TransferLimits limits_;
    std::thread myThread;
    std::atomic<bool> running{true};
    ui::Cancellation stopping;
    QString failure_;
};

// What the check tells the user, and which answers open the download page.
struct UpdateAnswer {
    enum Box { Information, YesNo, YesNoCancel };
    Box box;
    QString text;
    QString title;
};

UpdateAnswer decideUpdate(int thisVersion, int stable, int beta, bool betaWanted);

struct VersionNumbers {
    int stable = 0;
    int beta = 0;
    QString error;  // null when both lines held a number
};

// The first two lines of a version file's text, each a decimal 32-bit number and nothing else.
VersionNumbers readVersionNumbers(const QByteArray& content);

class Update : public DialogFrame {
    Q_OBJECT
public:
    explicit Update(QWidget* owner, const UpdateSite& site = {});
    ~Update() override;

    int thisVersion = 0;

    bool isDownloading() const { return download_ != nullptr; }
    // The local copy of the version file, in the kit folder.
    static QString versionFilePath();

    // "Cancel" and the close box: a running download is stopped and its file removed first.
    void reject() override;

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QObject* source);
    void check();
    void watchDownload();
    void downloadEnded(const QString& failure);
    void tell(const UpdateAnswer& answer);
    void stopDownload();
    void setBusy(bool busy);

    UpdateSite site_;
    std::unique_ptr<Download> download_;
    QTimer* watch_ = nullptr;

    QLabel* label1 = nullptr;               // "Update Wizard"
    QWidget* spacer1 = nullptr;             // a blank row
    QLabel* label2 = nullptr;               // what the wizard does
    CustomSeparator* separator2 = nullptr;  // under the explanation
    QGroupBox* panel2 = nullptr;            // question 1: a proxy server?
    QRadioButton* button1 = nullptr;        // "Yes": the proxy fields below
    QLabel* hostLabel = nullptr;
    QLineEdit* textfield1 = nullptr;  // the proxy host
    QLabel* portLabel = nullptr;
    QLineEdit* textfield2 = nullptr;        // the proxy port
    QRadioButton* button2 = nullptr;        // "No (Recommended)"
    CustomSeparator* separator3 = nullptr;  // between the questions
    QGroupBox* panel3 = nullptr;            // question 2: a beta edition?
    QRadioButton* button3 = nullptr;        // "Yes"
    QRadioButton* button4 = nullptr;        // "No (recommended)"
    CustomSeparator* separator4 = nullptr;  // under the questions
    QWidget* filler = nullptr;
    QProgressBar* progressbar1 = nullptr;  // the download's progress
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace editor
