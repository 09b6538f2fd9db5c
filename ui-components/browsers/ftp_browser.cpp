#include "ftp_browser.h"

#include <QUrl>
#include <algorithm>

#include "proxy_properties.h"

namespace ui::ftpbrowser {

using resourcebrowser::ResourceException;
using resourcebrowser::ResourceItem;
using resourcebrowser::ResourceItemModel;

namespace {

const QString kNoConnection = QStringLiteral("No connection");
const QString kBadCharacter = QStringLiteral("A name may not hold a line break or a NUL character");

// A CR or LF would end the command and start another one of the text's choosing.
bool safeText(const QString& text) {
    return !text.contains('\r') && !text.contains('\n') && !text.contains(QChar(0));
}

void requireSafe(const QString& text, const QString& message) {
    if (!safeText(text)) throw ResourceException(message + QStringLiteral(" : ") + kBadCharacter);
}

size_t collect(char* bytes, size_t size, size_t count, void* data) {
    static_cast<QByteArray*>(data)->append(bytes, qsizetype(size * count));
    return size * count;
}

struct Upload {
    const QByteArray& content;
    qsizetype sent = 0;
};

size_t supply(char* buffer, size_t size, size_t count, void* data) {
    auto* upload = static_cast<Upload*>(data);
    const size_t left = size_t(upload->content.size() - upload->sent);
    const size_t chunk = std::min(left, size * count);
    std::copy_n(upload->content.constData() + upload->sent, chunk, buffer);
    upload->sent += qsizetype(chunk);
    return chunk;
}

// libcurl hands the server's reply lines of an FTP transfer to the header function.
size_t keepReply(char* bytes, size_t size, size_t count, void* data) {
    QByteArray line(bytes, qsizetype(size * count));
    *static_cast<QByteArray*>(data) = line.trimmed();
    return size * count;
}

}  // namespace

FTPResourceItem::FTPResourceItem(const QString& parentPath, const FTPFile& file)
    : path_(resourcebrowser::joinPath(parentPath, file.name)), file_(file) {}

std::optional<QDateTime> FTPResourceItem::getLastModified() const {
    if (!file_.lastModified.isValid()) return std::nullopt;
    return file_.lastModified;
}

FTPResourceManager::FTPResourceManager(int port, TransferLimits limits)
    : port_(port), limits_(limits), now_([] { return QDateTime::currentDateTimeUtc(); }) {}

FTPResourceManager::~FTPResourceManager() {
    stop();
}

void FTPResourceManager::requireConnection() const {
    if (!client_) throw ResourceException(kNoConnection);
}

QString FTPResourceManager::url(const QString& path, bool directory) const {
    // "%2F" makes the path absolute: libcurl starts at the root, not at the login folder.
    QString address = base_ + QStringLiteral("/%2F");
    QStringList segments;
    for (const QString& segment : path.split('/', Qt::SkipEmptyParts)) {
        // Dot segments are names here, not steps for the URL parser to take.
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            segments.append(QString(segment).replace('.', QStringLiteral("%2E")));
        else
            segments.append(QString::fromLatin1(QUrl::toPercentEncoding(segment)));
    }
    address += segments.join('/');
    if (directory && !segments.isEmpty()) address += '/';
    return address;
}

void FTPResourceManager::prepare(const QString& address) {
    client_->prepare(address, limits_);
    CURL* curl = client_->get();
    lastReply_.clear();
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, user_.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password_.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, keepReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &lastReply_);
}

void FTPResourceManager::perform(const QString& message) {
    const QString why = client_->perform();
    if (why.isNull()) return;
    // A refusal carries the server's own words; a time-out or a broken connection libcurl's.
    const bool refused = lastReply_.size() >= 3 && (lastReply_[0] == '4' || lastReply_[0] == '5');
    throw ResourceException(message + QStringLiteral(" : ") +
                            (refused ? QString::fromUtf8(lastReply_) : why));
}

void FTPResourceManager::command(const QStringList& commands, const QString& message) {
    prepare(base_ + '/');
    curl_slist* list = nullptr;
    for (const QString& each : commands) list = curl_slist_append(list, each.toUtf8().constData());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> owned(list, curl_slist_free_all);
    curl_easy_setopt(client_->get(), CURLOPT_QUOTE, list);
    curl_easy_setopt(client_->get(), CURLOPT_NOBODY, 1L);
    perform(message);
}

QString FTPResourceManager::start(const QString& host, const QString& user, const QString& password) {
    const QString message = QStringLiteral("Can't connect");
    stop();
    for (const QString& text : {host, user, password}) requireSafe(text, message);
    proxyProperties().takeStartProxyForSocks();
    QUrl address;
    address.setScheme(QStringLiteral("ftp"));
    address.setHost(host, QUrl::StrictMode);
    address.setPort(port_);
    if (host.isEmpty() || !address.isValid() || address.host().isEmpty())
        throw ResourceException(message + QStringLiteral(" : Invalid host name ") + host);
    client_ = std::make_unique<CurlHandle>();
    client_->setCancellation(cancellation_);
    base_ = address.toString(QUrl::FullyEncoded);
    user_ = user;
    password_ = password;
    try {
        if (!*client_) throw ResourceException(message + QStringLiteral(" : Cannot start a transfer"));
        // Logging in and nothing more: the connection stays open for the operations to come.
        prepare(base_ + '/');
        curl_easy_setopt(client_->get(), CURLOPT_NOBODY, 1L);
        perform(message);
    } catch (const ResourceException&) {
        client_.reset();
        throw;
    }
    return QStringLiteral("/");
}

void FTPResourceManager::setCancellation(Cancellation* cancellation) {
    cancellation_ = cancellation;
    if (client_) client_->setCancellation(cancellation);
}

void FTPResourceManager::stop() {
    // Dropping the handle closes its connection, QUIT first; that wait is bounded like every other.
    client_.reset();
    listing_.reset();
}

std::shared_ptr<ResourceItemModel> FTPResourceManager::list(const ResourceItem& directory) {
    requireConnection();
    const QString path = directory.getFullPath();
    const QString message = QStringLiteral("Cannot list this path ") + path;
    requireSafe(path, message);
    prepare(url(path, true));
    QByteArray listing;
    curl_easy_setopt(client_->get(), CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(client_->get(), CURLOPT_WRITEDATA, &listing);
    perform(message);
    if (!listing_) listing_ = std::make_shared<ResourceItemModel>();
    listing_->removeAll();
    for (const FTPFile& file : parseListing(listing, now_()))
        listing_->addResourceItem(std::make_shared<FTPResourceItem>(path, file));
    return listing_;
}

QByteArray FTPResourceManager::getContent(const ResourceItem& item) {
    requireConnection();
    const QString message = QStringLiteral("Can't get file content");
    requireSafe(item.getFullPath(), message);
    prepare(url(item.getFullPath(), false));
    QByteArray content;
    curl_easy_setopt(client_->get(), CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(client_->get(), CURLOPT_WRITEDATA, &content);
    perform(message);
    return content;
}

void FTPResourceManager::setContent(const ResourceItem& item, const QByteArray& content) {
    requireConnection();
    const QString message = QStringLiteral("Can't set file content");
    requireSafe(item.getFullPath(), message);
    prepare(url(item.getFullPath(), false));
    Upload upload{content};
    CURL* curl = client_->get();
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, supply);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(content.size()));
    perform(message);
}

void FTPResourceManager::renameFile(const ResourceItem& item, const QString& newPath) {
    requireConnection();
    const QString message = QStringLiteral("Can't rename this file");
    requireSafe(item.getFullPath(), message);
    requireSafe(newPath, message);
    command({QStringLiteral("RNFR ") + item.getFullPath(), QStringLiteral("RNTO ") + newPath}, message);
}

void FTPResourceManager::deleteFile(const ResourceItem& item) {
    requireConnection();
    const QString message = QStringLiteral("Can't delete this file");
    requireSafe(item.getFullPath(), message);
    command({QStringLiteral("DELE ") + item.getFullPath()}, message);
}

void FTPResourceManager::lock(const ResourceItem&, bool) {
    requireConnection();
}

FTPBrowser::FTPBrowser(const resourcebrowser::State* state, QWidget* parent)
    : FTPBrowser(std::make_shared<FTPResourceManager>(), state, parent) {}

FTPBrowser::FTPBrowser(std::shared_ptr<FTPResourceManager> manager, const resourcebrowser::State* state,
                       QWidget* parent)
    : ResourceBrowserPanel(std::move(manager), state, parent) {}

}  // namespace ui::ftpbrowser
