#pragma once
// The resource browser bound to an FTP server over libcurl: one control connection per `start`, passive
// data connections, the server's absolute paths, and the process's proxy settings.
#include <QStringList>
#include <functional>
#include <memory>

#include "curl_handle.h"
#include "ftp_listing.h"
#include "resource_browser_panel.h"
#include "resource_model.h"

namespace ui::ftpbrowser {

// One entry of a listing, known by its folder and its listing line (always given: the entry is required).
class FTPResourceItem : public resourcebrowser::ResourceItem {
public:
    FTPResourceItem(const QString& parentPath, const FTPFile& file);

    bool isLocked() const override { return false; }
    bool isFile() const override { return !file_.directory; }
    std::any getSource() const override { return file_; }
    qint64 getSize() const override { return file_.size; }
    std::optional<QDateTime> getLastModified() const override;
    QString getFullPath() const override { return path_; }
    std::optional<QString> getFileName() const override { return file_.name; }

private:
    QString path_;
    FTPFile file_;
};

class FTPResourceManager : public resourcebrowser::ResourceManager {
public:
    static constexpr int DEFAULT_PORT = 21;

    // The control port is 21 but for tests; the limits bound every wait on the server.
    explicit FTPResourceManager(int port = DEFAULT_PORT, TransferLimits limits = {});
    ~FTPResourceManager() override;

    // Logs in (a running connection is ended first) and returns "/". When the process was given
    // "proxyHost" and "proxyPort", they become the SOCKS proxy of this and every later connection.
    QString start(const QString& host, const QString& user, const QString& password) override;
    // Sends QUIT; failures are ignored.
    void stop() override;
    std::shared_ptr<resourcebrowser::ResourceItemModel> list(
        const resourcebrowser::ResourceItem& directory) override;
    QByteArray getContent(const resourcebrowser::ResourceItem& item) override;
    // Stores the content under the item's path, replacing a file there.
    void setContent(const resourcebrowser::ResourceItem& item, const QByteArray& content) override;
    void renameFile(const resourcebrowser::ResourceItem& item, const QString& newPath) override;
    void deleteFile(const resourcebrowser::ResourceItem& item) override;
    void lock(const resourcebrowser::ResourceItem& item, bool on) override;
    bool isLockSupported() const override { return false; }
    bool isConnectionSupported() const override { return true; }
    void setCancellation(Cancellation* cancellation) override;

    bool isConnected() const { return client_ != nullptr; }
    // Dates the listing's entries that carry no year (tests).
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }

private:
    // The URL of an absolute server path: each segment percent-encoded, a final "/" for a directory.
    QString url(const QString& path, bool directory) const;
    void prepare(const QString& url);
    // Runs the prepared transfer; throws `message` + " : " + why when it fails.
    void perform(const QString& message);
    // Sends raw commands on the control connection; throws like perform.
    void command(const QStringList& commands, const QString& message);
    void requireConnection() const;

    int port_;
    TransferLimits limits_;
    std::function<QDateTime()> now_;
    Cancellation* cancellation_ = nullptr;
    std::unique_ptr<CurlHandle> client_;
    QString base_;  // "ftp://host:port"
    QString user_;
    QString password_;
    QByteArray lastReply_;  // the server's last reply line of the running transfer
    std::shared_ptr<resourcebrowser::ResourceItemModel> listing_;
};

// The resource browser panel on a new FTP manager.
class FTPBrowser : public resourcebrowser::ResourceBrowserPanel {
    Q_OBJECT
public:
    explicit FTPBrowser(const resourcebrowser::State* state = nullptr, QWidget* parent = nullptr);
    // On a manager of the caller's (another port, shorter limits).
    FTPBrowser(std::shared_ptr<FTPResourceManager> manager, const resourcebrowser::State* state,
               QWidget* parent = nullptr);
};

}  // namespace ui::ftpbrowser
