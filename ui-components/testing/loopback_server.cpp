#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace ui::testing {
namespace {

int listenOnLoopback(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0) close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Reads the request head, waiting at most ten seconds for it.
QByteArray readRequest(int fd) {
    QByteArray request;
    char buffer[4096];
    pollfd wait{fd, POLLIN, 0};
    while (!request.contains("\r\n\r\n") && poll(&wait, 1, 10000) > 0) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) break;
        request.append(buffer, got);
    }
    return request;
}

}  // namespace

LoopbackServer::LoopbackServer(QByteArray reply, Mode mode) : reply_(std::move(reply)), mode_(mode) {
    listener_ = listenOnLoopback(port_);
    if (listener_ < 0 || pipe(stopPipe_) != 0) return;
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    if (thread_.joinable()) {
        const char stop = 's';
        (void)!write(stopPipe_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : {listener_, stopPipe_[0], stopPipe_[1]}) {
        if (fd >= 0) close(fd);
    }
}

QString LoopbackServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QByteArray LoopbackServer::lastRequest() const {
    std::lock_guard lock(requestMutex_);
    return lastRequest_;
}

QByteArray LoopbackServer::httpReply(const QByteArray& body, const QByteArray& status) {
    return "HTTP/1.0 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

int LoopbackServer::deadPort() {
    int port = 0;
    const int fd = listenOnLoopback(port);
    if (fd >= 0) close(fd);
    return port;
}

void LoopbackServer::serve() {
    std::vector<int> held;  // the silent server's open connections
    for (;;) {
        pollfd waits[2] = {{stopPipe_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        if (poll(waits, 2, -1) < 0) continue;
        if (waits[0].revents != 0) break;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        ++connections_;
        if (mode_ == Silent) {
            held.push_back(connection);
            continue;
        }
        QByteArray request = readRequest(connection);
        {
            std::lock_guard lock(requestMutex_);
            lastRequest_ = std::move(request);
        }
        for (qsizetype sent = 0; sent < reply_.size();) {
            const ssize_t wrote =
                write(connection, reply_.constData() + sent, static_cast<size_t>(reply_.size() - sent));
            if (wrote <= 0) break;
            sent += wrote;
        }
        shutdown(connection, SHUT_WR);
        close(connection);
    }
    for (int fd : held) close(fd);
}

}  // namespace ui::testing
