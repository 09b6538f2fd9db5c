#pragma once
// The FTP tool: the component library's FTP browser in a modal window, with three actions of its own
// (show a remote text, upload a local file on a connection of its own, the HTTP proxy settings).
#include <QAction>
#include <QDialog>
#include <QPointer>

#include "curl_handle.h"
#include "dialog_frame.h"
#include "resource_model.h"

class QLineEdit;
class QPushButton;

namespace ui::ftpbrowser {
class FTPBrowser;
}

namespace editor {

class CustomSeparator;
class References;

// Where the browser and the upload connect: the control port is 21 but for tests, and the limits bound
// every wait on the server.
struct FtpConnection {
    int port = 21;
    ui::TransferLimits limits;
};

struct FileBytes {
    QByteArray bytes;
    QString error;  // null when the whole file was read
    bool ok() const { return error.isNull(); }
};

// The name a local file is stored under: everything up to the last "\" dropped, then everything up to
// the last "/" (a "\" is a legal character of a Linux file name, and is dropped all the same).
QString remoteName(const QString& path);

class FTP : public QDialog {
    Q_OBJECT
public:
    FTP(QWidget* owner, References& references, const FtpConnection& connection = {});

    // The file's bytes; "Could not completely read file " + its name when it ends before its length.
    static FileBytes getBytesFromFile(const QString& path);
    // Logs in to `host`, stores the file's bytes under remoteName(path) in the login folder, replacing a
    // file of that name, and quits. Nothing is sent when a text holds CR, LF or NUL, which would end the
    // command it is part of. The failure's text; null on success.
    static QString upload(const QString& host, const QString& user, const QString& password,
                          const QString& path, const FtpConnection& connection);

    ui::ftpbrowser::FTPBrowser* getBrowser() const { return browser; }
    // Closing the window ends the browser's connection first.
    void done(int result) override;

    class DisplayAction;
    class UploadAction;
    class ProxyAction;

private:
    void display();
    void uploadChosenFile();
    void proxySettings();

    References& references_;
    FtpConnection connection_;
    ui::resourcebrowser::State state;
    ui::ftpbrowser::FTPBrowser* browser = nullptr;
};

// An action of the FTP window: the browser shows it as a button named by its text.
class FTPWindowAction : public QAction {
    Q_OBJECT
protected:
    FTPWindowAction(FTP& window, const QString& name, void (FTP::*perform)());

private:
    QPointer<FTP> window_;
};

class FTP::DisplayAction : public FTPWindowAction {
    Q_OBJECT
public:
    explicit DisplayAction(FTP& window) : FTPWindowAction(window, "Display", &FTP::display) {}
};

class FTP::UploadAction : public FTPWindowAction {
    Q_OBJECT
public:
    explicit UploadAction(FTP& window) : FTPWindowAction(window, "Upload", &FTP::uploadChosenFile) {}
};

class FTP::ProxyAction : public FTPWindowAction {
    Q_OBJECT
public:
    explicit ProxyAction(FTP& window) : FTPWindowAction(window, "Proxy Settings", &FTP::proxySettings) {}
};

// Asks for the HTTP proxy; "OK" stores both texts exactly as typed in References::proxyHost and
// proxyPort, "Cancel" stores nothing. The fields always start empty.
class ProxySettings : public DialogFrame {
    Q_OBJECT
public:
    ProxySettings(QWidget* owner, References& references);

protected:
    void createComponents() override;
    void initComponents() override;
    void layoutComponents() override;

private:
    void actionPerformed(QPushButton* source);

    References& references_;
    QLabel* label1 = nullptr;               // "Please enter your proxy settings"
    QLabel* label2 = nullptr;               // "Host"
    QLabel* label3 = nullptr;               // "Port"
    CustomSeparator* separator1 = nullptr;  // under the heading
    QLineEdit* textfield1 = nullptr;        // the proxy host
    QLineEdit* textfield2 = nullptr;        // the proxy port
    QWidget* filler = nullptr;
    QWidget* buttonBar = nullptr;
    QWidget* leftFiller = nullptr;
    QWidget* rightFiller = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace editor
