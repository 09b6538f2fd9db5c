#pragma once
// A loopback TCP server on a thread of its own for tests of network readers: it answers every connection
// with a fixed reply, or accepts and stays silent until it is destroyed.
#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

namespace ui::testing {

class LoopbackServer {
public:
    enum Mode { Answer, Silent };
    explicit LoopbackServer(QByteArray reply, Mode mode = Answer);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    QString url(const QString& path = QStringLiteral("/")) const;
    int connections() const { return connections_; }
    // The head of the last request an answering server read (up to its empty line).
    QByteArray lastRequest() const;

    // An HTTP/1.0 reply that closes the connection.
    static QByteArray httpReply(const QByteArray& body, const QByteArray& status = "200 OK");
    // A loopback port that nothing listens on.
    static int deadPort();

private:
    void serve();

    QByteArray reply_;
    Mode mode_;
    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<int> connections_{0};
    mutable std::mutex requestMutex_;
    QByteArray lastRequest_;
    std::thread thread_;
};

}  // namespace ui::testing
