#pragma once
// The resource browser bound to a local folder tree. There is nothing to log in to: the panel opens
// connected, its connection fields filled and locked.
#include <QFileInfo>
#include <memory>

#include "resource_browser_panel.h"
#include "resource_model.h"

namespace ui::filebrowser {

// A local file known by its folder and its name; the source is its QFileInfo.
class FileResourceItem : public resourcebrowser::ResourceItem {
public:
    FileResourceItem(const QString& parentPath, const QString& name);

    // A file the process may not write is shown locked.
    bool isLocked() const override { return !info_.isWritable(); }
    bool isFile() const override { return info_.isFile(); }
    std::any getSource() const override { return info_; }
    qint64 getSize() const override { return info_.size(); }
    std::optional<QDateTime> getLastModified() const override;
    QString getFullPath() const override { return path_; }
    std::optional<QString> getFileName() const override { return name_; }

private:
    QString path_;
    QString name_;
    QFileInfo info_;
};

class FileResourceManager : public resourcebrowser::ResourceManager {
public:
    // On the user's home folder.
    FileResourceManager();
    explicit FileResourceManager(const QString& rootDirectory);

    QString getRootDirectory() const { return root_; }

    // The root folder; host, user and password mean nothing here.
    QString start(const QString& host, const QString& user, const QString& password) override;
    void stop() override {}
    std::shared_ptr<resourcebrowser::ResourceItemModel> list(
        const resourcebrowser::ResourceItem& directory) override;
    QByteArray getContent(const resourcebrowser::ResourceItem& item) override;
    // Replaces the file whole: a reader never sees half of the new content, a failure keeps the old.
    void setContent(const resourcebrowser::ResourceItem& item, const QByteArray& content) override;
    // Never onto an existing file: that one would be lost.
    void renameFile(const resourcebrowser::ResourceItem& item, const QString& newPath) override;
    // A file, a link, or an empty folder.
    void deleteFile(const resourcebrowser::ResourceItem& item) override;
    void lock(const resourcebrowser::ResourceItem&, bool) override {}
    bool isLockSupported() const override { return false; }
    bool isConnectionSupported() const override { return false; }

private:
    QString root_;
    std::shared_ptr<resourcebrowser::ResourceItemModel> listing_;
};

// Puts `host` into the host field, locks the three connection fields and connects the panel.
void connectWithoutLogin(resourcebrowser::ResourceBrowserPanel& panel, const QString& host);

class FileBrowser : public resourcebrowser::ResourceBrowserPanel {
    Q_OBJECT
public:
    // On the user's home folder.
    explicit FileBrowser(const resourcebrowser::State* state = nullptr, QWidget* parent = nullptr);
    explicit FileBrowser(const QString& rootDirectory, QWidget* parent = nullptr);
};

}  // namespace ui::filebrowser
