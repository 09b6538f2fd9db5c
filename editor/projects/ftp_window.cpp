#include "ftp_window.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "busy_work.h"
#include "environment.h"
#include "ftp_browser.h"
#include "prompter.h"
#include "proxy_properties.h"
#include "references.h"
#include "text_files.h"
#include "text_views.h"

namespace editor {
namespace {

bool safeText(const QString& text) {
    return !text.contains('\r') && !text.contains('\n') && !text.contains(QChar(0));
}

struct Outgoing {
    const QByteArray& content;
    qsizetype sent = 0;
};

size_t supply(char* buffer, size_t size, size_t count, void* data) {
    auto* outgoing = static_cast<Outgoing*>(data);
    const size_t chunk = std::min(size_t(outgoing->content.size() - outgoing->sent), size * count);
    std::copy_n(outgoing->content.constData() + outgoing->sent, chunk, buffer);
    outgoing->sent += qsizetype(chunk);
    return chunk;
}

// libcurl hands the server's reply lines to the header function; a refusal is told in the server's words.
size_t keepReply(char* bytes, size_t size, size_t count, void* data) {
    *static_cast<QByteArray*>(data) = QByteArray(bytes, qsizetype(size * count)).trimmed();
    return size * count;
}

}  // namespace

QString remoteName(const QString& path) {
    const QString afterBackslash = path.mid(path.lastIndexOf('\\') + 1);
    return afterBackslash.mid(afterBackslash.lastIndexOf('/') + 1);
}

FileBytes FTP::getBytesFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("Could not open file ") + path + ": " + file.errorString()};
    QByteArray bytes(file.size(), Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got <= 0) break;
        filled += qsizetype(got);
    }
    if (filled < bytes.size()) {
        return {{}, QStringLiteral("Could not completely read file ") + QFileInfo(path).fileName()};
    }
    return {bytes, QString()};
}

QString FTP::upload(const QString& host, const QString& user, const QString& password, const QString& path,
                    const FtpConnection& connection) {
    const QString name = remoteName(path);
    for (const QString& text : {host, user, password, name}) {
        if (!safeText(text)) {
            return QStringLiteral(
                "The host, user, password and file name may not hold a line break or a "
                "NUL character");
        }
    }
    QUrl address;
    address.setScheme(QStringLiteral("ftp"));
    address.setHost(host, QUrl::StrictMode);
    address.setPort(connection.port);
    if (host.isEmpty() || !address.isValid() || address.host().isEmpty()) {
        return QStringLiteral("Invalid host name ") + host;
    }
    if (name.isEmpty()) return QStringLiteral("No file name in ") + path;

    // Only a process started with both "proxyHost" and "proxyPort" goes through that SOCKS proxy.
    ui::proxyProperties().takeStartProxyForSocks();

    const FileBytes file = getBytesFromFile(path);
    if (!file.ok()) return file.error;

    // "." and ".." are names here, not steps for the URL parser to take.
    const QString segment = name == QLatin1String(".") || name == QLatin1String("..")
                                ? QString(name).replace('.', QStringLiteral("%2E"))
                                : QString::fromLatin1(QUrl::toPercentEncoding(name));
    ui::CurlHandle client;
    client.prepare(address.toString(QUrl::FullyEncoded) + '/' + segment, connection.limits);
    CURL* curl = client.get();
    if (!curl) return QStringLiteral("Cannot start a transfer");
    QByteArray lastReply;
    Outgoing outgoing{file.bytes};
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, keepReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &lastReply);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, supply);
    curl_easy_setopt(curl, CURLOPT_READDATA, &outgoing);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.bytes.size()));
    const QString why = client.perform();
    if (why.isNull()) return {};  // the handle's end sends QUIT
    const bool refused = lastReply.size() >= 3 && (lastReply[0] == '4' || lastReply[0] == '5');
    return refused ? QString::fromUtf8(lastReply) : why;
}

FTP::FTP(QWidget* owner, References& references, const FtpConnection& connection)
    : QDialog(owner), references_(references), connection_(connection) {
    setModal(true);
    setWindowTitle("FTP Editor ");
    state.putValue(ui::resourcebrowser::State::HOST_KEY, "MyHost");
    state.putValue(ui::resourcebrowser::State::USER_KEY, "MyUserName");
    state.putValue(ui::resourcebrowser::State::PASSWORD_KEY, "Qarnelwist");
    browser = new ui::ftpbrowser::FTPBrowser(
        std::make_shared<ui::ftpbrowser::FTPResourceManager>(connection_.port, connection_.limits), &state,
        this);
    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(0, 0, 0, 0);
    content->addWidget(browser);
    ui::resourcebrowser::ActionModel* actions = browser->getActionModel();
    actions->addAction(new DisplayAction(*this));
    actions->addAction(new UploadAction(*this));
    actions->addAction(new ProxyAction(*this));
    resize(500, 550);
}

void FTP::display() {
    const std::optional<QByteArray> content = browser->getSelectedContentFile(false);
    if (!content) return;
    // Owned by this window: an ownerless window would sit behind the modal one, out of the user's reach.
    auto* shown = new QDialog(this);
    shown->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(shown);
    auto* text = new ui::PlainTextEdit(decodeText(*content), shown);
    text->setObjectName("textarea");
    layout->addWidget(text);
    shown->resize(400, 400);
    shown->show();
}

void FTP::uploadChosenFile() {
    const std::optional<QString> chosen = ui::prompter().openFile(nullptr, "Open", kitFolder());
    if (!chosen) return;
    const ui::resourcebrowser::State entered = browser->getState();
    const auto text = [&entered](const QString& key) {
        const QVariant value = entered.getValue(key);
        return value.isValid() ? value.toString() : QStringLiteral("null");
    };
    const QString host = text(ui::resourcebrowser::State::HOST_KEY);
    const QString user = text(ui::resourcebrowser::State::USER_KEY);
    const QString password = text(ui::resourcebrowser::State::PASSWORD_KEY);
    const QString path = *chosen;
    const FtpConnection connection = connection_;

    // The transfer runs behind a busy box: the windows keep drawing, and nothing else can be done until
    // it has ended (its time-outs end it), as before.
    QString failure;
    ui::BusyWork transfer([&failure, host, user, password, path, connection] {
        failure = upload(host, user, password, path, connection);
    });
    transfer.run(this, "Upload", "Uploading " + remoteName(path) + " to " + host + " ...");
    if (failure.isNull()) {
        ui::prompter().inform(this, "Upload", "Uploaded " + remoteName(path));
    } else {
        ui::prompter().showError(this, "Upload", failure);
    }
}

void FTP::done(int result) {
    // The connection ends behind the browser's busy box: a server that stopped answering cannot hold the
    // windows while it is asked to quit.
    browser->disconnect();
    QDialog::done(result);
}

void FTP::proxySettings() {
    {
        ProxySettings dialog(this, references_);
        dialog.exec();
    }
    if (references_.proxyHost && references_.proxyPort && !references_.proxyHost->isEmpty() &&
        !references_.proxyPort->isEmpty()) {
        ui::proxyProperties().setProperty(ui::ProxyProperties::HTTP_PROXY_HOST, *references_.proxyHost);
        ui::proxyProperties().setProperty(ui::ProxyProperties::HTTP_PROXY_PORT, *references_.proxyPort);
    }
}

FTPWindowAction::FTPWindowAction(FTP& window, const QString& name, void (FTP::*perform)())
    : QAction(name, &window), window_(&window) {
    connect(this, &QAction::triggered, this, [this, perform] {
        if (window_) (window_->*perform)();
    });
}

// ProxySettings

ProxySettings::ProxySettings(QWidget* owner, References& references)
    : DialogFrame(owner, "Proxy Settings", frames::proxySettings), references_(references) {
    initialize();
    connect(okButton, &QPushButton::clicked, this, [this] { actionPerformed(okButton); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { actionPerformed(cancelButton); });
}

void ProxySettings::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    separator1 = new CustomSeparator(0, this);
    separator1->setObjectName("separator1");
    label2 = newLabel("label2");
    label3 = newLabel("label3");
    textfield1 = newPart<QLineEdit>("textfield1");
    textfield2 = newPart<QLineEdit>("textfield2");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    okButton = newPart<QPushButton>("okButton");
    cancelButton = newPart<QPushButton>("cancelButton");
}

void ProxySettings::initComponents() {
    label1->setText(getLocalizedText("Please enter your proxy settings"));
    label2->setText(getLocalizedText("Host"));
    label3->setText(getLocalizedText("Port "));
    okButton->setText(getLocalizedText("OK"));
    okButton->setDefault(true);
    cancelButton->setText(getLocalizedText("Cancel"));
}

void ProxySettings::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    // The fields take the width the labels leave, each beside its label.
    rows->setColumnStretch(0, 0);
    rows->setColumnStretch(1, 1);
    addRow(rows, 0, label1, 0, -1);
    addRow(rows, 1, separator1, 0, -1);
    addRow(rows, 2, label2);
    addRow(rows, 2, textfield1, 1);
    addRow(rows, 3, label3);
    addRow(rows, 3, textfield2, 1);
    addFiller(rows, 4, filler);
    addButtonBar(rows, 5, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {okButton, cancelButton}, rightFiller);
}

void ProxySettings::actionPerformed(QPushButton* source) {
    if (source == okButton) {
        references_.proxyHost = textfield1->text();
        references_.proxyPort = textfield2->text();
        accept();
        return;
    }
    reject();
}

}  // namespace editor
