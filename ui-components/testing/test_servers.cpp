#include "test_servers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "loopback_server.h"

namespace ui::testing {
namespace {

bool accepts(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

int ftpReady(const QByteArray& output) {
    static const QRegularExpression started(QStringLiteral("starting FTP server on 127\\.0\\.0\\.1:(\\d+)"));
    const QRegularExpressionMatch match = started.match(QString::fromUtf8(output));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

}  // namespace

bool TestServerProcess::start(const QString& program, const QStringList& arguments,
                              const std::function<int(const QByteArray&)>& ready) {
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::MergedChannels);
    // The server dies with the test process, whatever ends that.
    process_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_->start(program, arguments);
    if (!process_->waitForStarted(10000)) {
        error_ = program + QStringLiteral(": ") + process_->errorString();
        return false;
    }
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && process_->state() == QProcess::Running) {
        process_->waitForReadyRead(50);
        output_ += process_->readAll();
        if ((port_ = ready(output_)) != 0) return true;
    }
    output_ += process_->readAll();
    error_ = program + QStringLiteral(" did not start: ") + QString::fromUtf8(output_);
    stop();
    return false;
}

QByteArray TestServerProcess::output() {
    if (!process_) return output_;
    do {
        output_ += process_->readAll();
    } while (process_->waitForReadyRead(200));
    return output_;
}

void TestServerProcess::stop() {
    if (!process_) return;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    output_ += process_->readAll();
    process_.reset();
}

FtpTestServer::FtpTestServer() {
    // "-p 0": the system picks a free port, which the server names when it starts.
    start(QStringLiteral("/usr/bin/python3"),
          {"-m", "pyftpdlib", "-i", "127.0.0.1", "-p", "0", "-w", "-d", home_.path(), "-u", USER, "-P",
           PASSWORD},
          ftpReady);
}

void FtpTestServer::write(const QString& path, const QByteArray& content) const {
    const QString local = home_.path() + path;
    QDir().mkpath(QFileInfo(local).absolutePath());
    QFile file(local);
    if (file.open(QIODevice::WriteOnly)) file.write(content);
}

QByteArray FtpTestServer::read(const QString& path) const {
    QFile file(home_.path() + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FtpTestServer::entries(const QString& folder) const {
    QStringList names =
        QDir(home_.path() + folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}

SocksTestProxy::SocksTestProxy() {
    // microsocks cannot tell its port: take a free one, and try again should another process take it first.
    for (int attempt = 0; attempt < 3 && !isRunning(); ++attempt) {
        const int port = LoopbackServer::deadPort();
        start(QStringLiteral("microsocks"), {"-i", "127.0.0.1", "-p", QString::number(port)},
              [port](const QByteArray&) { return accepts(port) ? port : 0; });
    }
}

HttpTestProxy::HttpTestProxy() {
    // tinyproxy cannot tell its port either; "-d" keeps it in the foreground, so it is our child.
    for (int attempt = 0; attempt < 3 && !isRunning(); ++attempt) {
        const int port = LoopbackServer::deadPort();
        QFile configuration(folder_.filePath("tinyproxy.conf"));
        if (!configuration.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
        configuration.write(
            QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 60\nLogFile \"%2\"\n"
                           "LogLevel Info\nMaxClients 8\nAllow 127.0.0.1\nViaProxyName \"tinyproxy\"\n")
                .arg(port)
                .arg(folder_.filePath("tinyproxy.log"))
                .toUtf8());
        configuration.close();
        start(QStringLiteral("tinyproxy"), {"-d", "-c", configuration.fileName()},
              [port](const QByteArray&) { return accepts(port) ? port : 0; });
    }
}

QByteArray HttpTestProxy::log() const {
    QFile file(folder_.filePath("tinyproxy.log"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int SocksTestProxy::connections() {
    return int(output().count("connected to"));
}

}  // namespace ui::testing
