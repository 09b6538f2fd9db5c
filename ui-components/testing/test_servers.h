#pragma once
// Real servers for tests of the kit's network code, on 127.0.0.1 and free ports: an FTP server
// (/usr/bin/python3 -m pyftpdlib) over a temporary home with write access, a SOCKS5 proxy (microsocks) and
// an HTTP proxy (tinyproxy in the foreground, with a configuration and a log of its own).
// Each is stopped by its destructor, and killed with the test process should that end first.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace ui::testing {

class TestServerProcess {
public:
    TestServerProcess() = default;
    ~TestServerProcess() { stop(); }
    TestServerProcess(const TestServerProcess&) = delete;
    TestServerProcess& operator=(const TestServerProcess&) = delete;

    bool isRunning() const { return process_ && process_->state() == QProcess::Running; }
    // Why the server did not start, with what it printed.
    QString error() const { return error_; }
    int port() const { return port_; }
    // Ends the server and waits for it; safe to call twice.
    void stop();
    // Everything the server printed so far (waiting a moment for what is still on its way).
    QByteArray output();

protected:
    // Starts the program; `ready` reads what it printed so far and gives the port it listens on, 0 while
    // it is not ready yet.
    bool start(const QString& program, const QStringList& arguments,
               const std::function<int(const QByteArray&)>& ready);

private:
    std::unique_ptr<QProcess> process_;
    QByteArray output_;
    QString error_;
    int port_ = 0;
};

class FtpTestServer : public TestServerProcess {
public:
    static inline const QString USER = QStringLiteral("tester");
    static inline const QString PASSWORD = QStringLiteral("secret");

    FtpTestServer();

    QString home() const { return home_.path(); }
    // Files under the home, by their server path ("/a/b.txt").
    void write(const QString& path, const QByteArray& content) const;
    QByteArray read(const QString& path) const;
    // The names in a server folder, sorted.
    QStringList entries(const QString& folder = QStringLiteral("/")) const;

private:
    QTemporaryDir home_;
};

class SocksTestProxy : public TestServerProcess {
public:
    SocksTestProxy();
    // Connections the proxy made for its clients so far.
    int connections();
};

class HttpTestProxy : public TestServerProcess {
public:
    HttpTestProxy();
    // What the proxy wrote to its log so far.
    QByteArray log() const;

private:
    QTemporaryDir folder_;
};

}  // namespace ui::testing
