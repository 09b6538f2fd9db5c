#include "update_check.h"

#include <QButtonGroup>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

#include "error_dialogs.h"
#include "kit/text_lines.h"
#include "prompter.h"
#include "proxy_properties.h"

namespace editor {
namespace {

const QString kUnreachable = QStringLiteral("Could not reach the update server: ");
const QString kDetail = QStringLiteral("Download engine");

size_t store(char* bytes, size_t size, size_t count, void* data) {
    const qint64 length = qint64(size * count);
    return static_cast<QSaveFile*>(data)->write(bytes, length) == length ? size * count : 0;
}

// A decimal number as the platform's integer parser takes it: a sign, digits, nothing else, in range.
std::optional<int> parseVersion(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    if (!number.match(text).hasMatch()) return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

}  // namespace

// Download

Download::Download(const QString& remote, const QString& local, const ui::TransferLimits& limits)
    : remote(remote), local(local), limits_(limits) {}

Download::~Download() {
    stop();
}

void Download::start() {
    if (myThread.joinable() || !running) return;
    myThread = std::thread([this] { run(); });
}

void Download::stop() {
    stopping.cancel();
    if (myThread.joinable()) myThread.join();
}

void Download::run() {
    copy();
}

void Download::copy() {
    if (QFile::exists(local)) QFile::remove(local);
    QSaveFile file(local);
    if (!file.open(QIODevice::WriteOnly)) {
        failure_ = QStringLiteral("Cannot write ") + local + ": " + file.errorString();
    } else {
        ui::CurlHandle client;
        client.setCancellation(&stopping);
        client.prepare(remote, limits_);
        CURL* curl = client.get();
        if (curl) {
            curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
            curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
            curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
            curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
            // An error page is no version file.
            curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, store);
            curl_easy_setopt(curl, CURLOPT_WRITEDATA, &file);
        }
        failure_ = client.perform();
        if (failure_.isNull() && !file.commit()) {
            failure_ = QStringLiteral("Cannot write ") + local + ": " + file.errorString();
        } else if (!failure_.isNull()) {
            if (file.error() != QFileDevice::NoError)
                failure_ = QStringLiteral("Cannot write ") + local + ": " + file.errorString();
            file.cancelWriting();
        }
    }
    running = false;
}

// The decision

UpdateAnswer decideUpdate(int thisVersion, int stable, int beta, bool betaWanted) {
    const UpdateAnswer latest{UpdateAnswer::Information,
                              "There are no newer versions of Tesvo Zorid available",
                              "You are using the latest version"};
    if (betaWanted && beta != 0) {
        if (thisVersion >= stable) return latest;
        if (stable >= beta) {
            return {
                UpdateAnswer::YesNo,
                "Only new stable version of Tesvo Zorid exists, would you like to be taken to the download "
                "page?",
                "New version available"};
        }
        return {UpdateAnswer::YesNoCancel,
                "There is a new beta available, but also a new stable version. Would you prefer to download "
                "the stable version?",
                "Download stable version"};
    }
    if (thisVersion < stable) {
        return {UpdateAnswer::YesNo,
                "A new version of Tesvo Zorid exists, would you like to be taken to the download page?",
                "New version available"};
    }
    return latest;
}

VersionNumbers readVersionNumbers(const QByteArray& content) {
    QStringList lines;
    for (const std::string& line :
         kit::splitLines(std::string_view(content.constData(), static_cast<std::size_t>(content.size()))))
        lines << QString::fromLatin1(line);
    VersionNumbers numbers;
    int* targets[] = {&numbers.stable, &numbers.beta};
    for (int line = 0; line < 2; ++line) {
        if (line >= lines.size()) {
            numbers.error = QStringLiteral("The version file has no line %1").arg(line + 1);
            return numbers;
        }
        const std::optional<int> value = parseVersion(lines[line]);
        if (!value) {
            numbers.error = QStringLiteral("Not a version number: \"%1\"").arg(lines[line]);
            return numbers;
        }
        *targets[line] = *value;
    }
    return numbers;
}

// Update

Update::Update(QWidget* owner, const UpdateSite& site)
    : DialogFrame(owner, "Tesvo Zorid Update Wizard", frames::update), site_(site) {
    initialize();
    thisVersion = 16;
    button2->setChecked(true);
    button4->setChecked(true);
    connect(okButton, &QPushButton::clicked, this, [this] { actionPerformed(okButton); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { actionPerformed(cancelButton); });
    label1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    watch_ = new QTimer(this);
    watch_->setInterval(20);
    connect(watch_, &QTimer::timeout, this, &Update::watchDownload);
}

Update::~Update() {
    stopDownload();
}

QString Update::versionFilePath() {
    return kitFolder() + "/Version.txt";
}

void Update::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    spacer1 = newPanel("spacer1");
    label2 = newWrappingLabel("label2");
    separator2 = new CustomSeparator(0, this);
    separator2->setObjectName("separator2");
    panel2 = newPart<QGroupBox>("panel2");
    button1 = newPart<QRadioButton>("button1");
    hostLabel = newLabel("hostLabel");
    textfield1 = newPart<QLineEdit>("textfield1");
    portLabel = newLabel("portLabel");
    textfield2 = newPart<QLineEdit>("textfield2");
    button2 = newPart<QRadioButton>("button2");
    separator3 = new CustomSeparator(0, this);
    separator3->setObjectName("separator3");
    panel3 = newPart<QGroupBox>("panel3");
    button3 = newPart<QRadioButton>("button3");
    button4 = newPart<QRadioButton>("button4");
    separator4 = new CustomSeparator(0, this);
    separator4->setObjectName("separator4");
    filler = newPanel("filler");
    progressbar1 = newPart<QProgressBar>("progressbar1");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    okButton = newPart<QPushButton>("okButton");
    cancelButton = newPart<QPushButton>("cancelButton");
}

void Update::initComponents() {
    label1->setText(getLocalizedText("Update Wizard"));
    setTitleFont(label1, dialogTitleScale);
    label2->setText(getLocalizedText(
        "This wizard will help you check to see if new versions of Tesvo Zorid are available. If an updated "
        "version is available then you will have the option to download."));
    panel2->setTitle(getLocalizedText("1). Do you need to use a proxy server to access the internet?"));
    button1->setText(getLocalizedText("Yes"));
    hostLabel->setText(getLocalizedText("Host"));
    portLabel->setText(getLocalizedText("Port"));
    button2->setText(getLocalizedText("No (Recommended)"));
    panel3->setTitle(getLocalizedText("2). Do you wish to download a beta edition of Tesvo Zorid?"));
    button3->setText(getLocalizedText("Yes"));
    button4->setText(getLocalizedText("No (recommended)"));
    auto* proxyAnswer = new QButtonGroup(this);
    proxyAnswer->addButton(button1);
    proxyAnswer->addButton(button2);
    auto* betaAnswer = new QButtonGroup(this);
    betaAnswer->addButton(button3);
    betaAnswer->addButton(button4);
    progressbar1->setRange(0, 100);
    progressbar1->setValue(0);
    progressbar1->setTextVisible(false);
    okButton->setText(getLocalizedText("Download"));
    okButton->setDefault(true);
    cancelButton->setText(getLocalizedText("Cancel"));
}

void Update::layoutComponents() {
    auto* proxyRows = new QGridLayout(panel2);
    proxyRows->addWidget(button1, 0, 0, 1, 2);
    proxyRows->addWidget(hostLabel, 1, 0);
    proxyRows->addWidget(textfield1, 1, 1);
    proxyRows->addWidget(portLabel, 2, 0);
    proxyRows->addWidget(textfield2, 2, 1);
    proxyRows->addWidget(button2, 3, 0, 1, 2);
    auto* betaRows = new QVBoxLayout(panel3);
    betaRows->addWidget(button3);
    betaRows->addWidget(button4);

    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, spacer1);
    addRow(rows, 2, label2);
    addRow(rows, 3, separator2);
    addRow(rows, 4, panel2);
    addRow(rows, 5, separator3);
    addRow(rows, 6, panel3);
    addRow(rows, 7, separator4);
    addFiller(rows, 8, filler);
    addRow(rows, 9, progressbar1);
    addButtonBar(rows, 10, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {okButton, cancelButton}, rightFiller);
}

void Update::actionPerformed(QObject* source) {
    if (source == cancelButton) {
        reject();
    } else if (source == okButton) {
        check();
    }
}

void Update::reject() {
    stopDownload();
    DialogFrame::reject();
}

void Update::stopDownload() {
    if (!download_) return;
    watch_->stop();
    download_->stop();
    download_.reset();
    QFile::remove(versionFilePath());
    setBusy(false);
}

void Update::setBusy(bool busy) {
    if (busy) {
        progressbar1->setRange(0, 0);
    } else {
        progressbar1->setRange(0, 100);
        progressbar1->setValue(0);
    }
    okButton->setEnabled(!busy);
}

void Update::check() {
    if (download_) return;
    if (button1->isChecked()) {
        ui::proxyProperties().setProperty(ui::ProxyProperties::HTTP_PROXY_HOST, textfield1->text());
        ui::proxyProperties().setProperty(ui::ProxyProperties::HTTP_PROXY_PORT, textfield2->text());
    }
    setBusy(true);
    const QString local = versionFilePath();
    if (QFile::exists(local)) QFile::remove(local);
    download_ = std::make_unique<Download>(site_.versionFile, local, site_.limits);
    download_->start();
    watch_->start();
}

// The dialog goes on handling events while the thread runs; its end is seen here.
void Update::watchDownload() {
    if (!download_ || download_->isRunning()) return;
    watch_->stop();
    download_->stop();
    const QString failure = download_->failure();
    download_.reset();
    downloadEnded(failure);
}

void Update::downloadEnded(const QString& failure) {
    const QString local = versionFilePath();
    QFile file(local);
    if (!failure.isNull() || !file.open(QIODevice::ReadOnly)) {
        showError(this, kUnreachable + (failure.isNull() ? file.errorString() : failure), kDetail);
    } else {
        const VersionNumbers numbers = readVersionNumbers(file.readAll());
        file.close();
        if (!numbers.error.isNull()) {
            // The file stays for the user to look at; the next check deletes it first.
            showError(this, numbers.error, kDetail);
            setBusy(false);
            return;
        }
        tell(decideUpdate(thisVersion, numbers.stable, numbers.beta, button3->isChecked()));
    }
    if (QFile::exists(local)) QFile::remove(local);
    setBusy(false);
}

void Update::tell(const UpdateAnswer& answer) {
    bool open = false;
    switch (answer.box) {
        case UpdateAnswer::Information:
            ui::prompter().inform(nullptr, answer.title, answer.text);
            break;
        case UpdateAnswer::YesNo:
            open = ui::prompter().askYesNo(nullptr, answer.title, answer.text, ui::Answer::No) ==
                   ui::Answer::Yes;
            break;
        case UpdateAnswer::YesNoCancel:
            open = ui::prompter().askYesNoCancel(nullptr, answer.title, answer.text, ui::Answer::Cancel) !=
                   ui::Answer::Cancel;
            break;
    }
    if (open) openAddress(site_.downloadPage, windowTitle());
}

}  // namespace editor
