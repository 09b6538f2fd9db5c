#pragma once
// The resource browser's data: the panel's state, the items of a store's listing, and the manager that
// binds the panel to a store (an FTP server, a local folder, an archive).
#include <QByteArray>
#include <QDateTime>
#include <QIcon>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <any>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace ui {
class Cancellation;
}

namespace ui::resourcebrowser {

// What the panel shows in its connection fields and its "File" list, to keep and give back later.
class State {
public:
    static inline const QString HOST_KEY = QStringLiteral("host");
    static inline const QString USER_KEY = QStringLiteral("user");
    static inline const QString PASSWORD_KEY = QStringLiteral("password");
    static inline const QString FILES_KEY = QStringLiteral("files");  // a QStringList

    // A null key is refused with "A key cannot be null" (std::invalid_argument).
    void putValue(const QString& key, const QVariant& value);
    // Stores `fallback` when `value` is invalid (missing).
    void putValue(const QString& key, const QVariant& value, const QVariant& fallback);
    bool hasKey(const QString& key) const { return map_ && map_->contains(key); }
    // An invalid QVariant for a missing key.
    QVariant getValue(const QString& key) const;
    // The map itself; null until the first value is stored.
    QVariantMap* getModel() { return map_ ? &*map_ : nullptr; }
    const QVariantMap* getModel() const { return map_ ? &*map_ : nullptr; }

private:
    std::optional<QVariantMap> map_;
};

// A manager's failure, with the text the panel shows.
class ResourceException : public std::runtime_error {
public:
    explicit ResourceException(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    QString getMessage() const { return message_; }

private:
    QString message_;
};

class ResourceItem {
public:
    virtual ~ResourceItem() = default;
    virtual bool isLocked() const = 0;
    virtual bool isFile() const = 0;
    // The store's own record of the entry.
    virtual std::any getSource() const = 0;
    virtual qint64 getSize() const = 0;
    virtual std::optional<QDateTime> getLastModified() const = 0;
    virtual QString getFullPath() const = 0;
    // The text after the last "/" of the full path; none when the path holds no "/".
    virtual std::optional<QString> getFileName() const;
};

// `parent` trimmed, a "/" unless it already ends with one, then `name`.
QString joinPath(const QString& parent, const QString& name);
// The folder a path names, without a final "/" except for the root: "/a/b/" and "/a/b" give "/a/b".
QString normalizedPath(const QString& path);
// The text before the path's last "/", and "/" where that is empty: "/a/b" gives "/a", "/a" and "/"
// give "/".
QString parentPath(const QString& path);

// An item known by its path alone; never locked, without a date.
class ZoridResourceItem : public ResourceItem {
public:
    ZoridResourceItem(const QString& fullPath, bool file, std::any source = {});
    ZoridResourceItem(const QString& parentPath, const QString& name, bool file, std::any source);

    void setSize(qint64 size) { size_ = size; }

    bool isLocked() const override { return false; }
    bool isFile() const override { return file_; }
    std::any getSource() const override { return source_; }
    qint64 getSize() const override { return size_; }
    std::optional<QDateTime> getLastModified() const override { return std::nullopt; }
    QString getFullPath() const override { return path_; }

private:
    QString path_;
    bool file_;
    std::any source_;
    qint64 size_ = 0;
};

// The items of one listing, in order.
class ResourceItemModel {
public:
    std::shared_ptr<ResourceItem> addResourceItem(std::shared_ptr<ResourceItem> item);
    // Throws std::out_of_range outside 0 .. count - 1.
    std::shared_ptr<ResourceItem> getResourceItem(int index) const { return items_.at(size_t(index)); }
    int getResourceCount() const { return int(items_.size()); }
    void removeAll() { items_.clear(); }
    std::vector<std::shared_ptr<ResourceItem>> toArray() const { return items_; }

private:
    std::vector<std::shared_ptr<ResourceItem>> items_;
};

// A store behind the panel. Every operation but `stop` and the two queries may throw ResourceException.
class ResourceManager {
public:
    virtual ~ResourceManager() = default;
    // Ends the connection; never fails.
    virtual void stop() = 0;
    // Connects and returns the path to list first.
    virtual QString start(const QString& host, const QString& user, const QString& password) = 0;
    virtual void setContent(const ResourceItem& item, const QByteArray& content) = 0;
    virtual void renameFile(const ResourceItem& item, const QString& newPath) = 0;
    virtual void lock(const ResourceItem& item, bool on) = 0;
    // The entries of the directory; the manager may reuse the model for its next listing.
    virtual std::shared_ptr<ResourceItemModel> list(const ResourceItem& directory) = 0;
    virtual bool isLockSupported() const = 0;
    virtual bool isConnectionSupported() const = 0;
    virtual QByteArray getContent(const ResourceItem& item) = 0;
    virtual void deleteFile(const ResourceItem& item) = 0;
    // Operations that may wait on a remote store end early, failing, once `cancellation` is cancelled
    // (from another thread); stop() then ends the connection without waiting for the store. Set while no
    // operation runs; null for none.
    virtual void setCancellation(Cancellation* cancellation) { (void)cancellation; }
};

// The table's icon and shown name per entry; a null icon or text keeps the panel's own.
class FileResourceView {
public:
    virtual ~FileResourceView() = default;
    virtual QIcon getIcon(const QString& name) = 0;
    virtual QString getName(const QString& name) = 0;
};

}  // namespace ui::resourcebrowser
