#include "file_browser.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSaveFile>

namespace ui::filebrowser {

using resourcebrowser::ResourceException;
using resourcebrowser::ResourceItem;
using resourcebrowser::ResourceItemModel;

FileResourceItem::FileResourceItem(const QString& parentPath, const QString& name)
    : path_(resourcebrowser::joinPath(parentPath, name)), name_(name), info_(path_) {}

std::optional<QDateTime> FileResourceItem::getLastModified() const {
    const QDateTime modified = info_.lastModified();
    if (!modified.isValid()) return std::nullopt;
    return modified;
}

FileResourceManager::FileResourceManager() : FileResourceManager(QDir::homePath()) {}

FileResourceManager::FileResourceManager(const QString& rootDirectory)
    : root_(QDir::cleanPath(QDir(rootDirectory).absolutePath())) {}

QString FileResourceManager::start(const QString&, const QString&, const QString&) {
    return root_;
}

std::shared_ptr<ResourceItemModel> FileResourceManager::list(const ResourceItem& directory) {
    const QString path = directory.getFullPath();
    const QDir folder(path);
    if (!QFileInfo(path).isDir() || !folder.isReadable())
        throw ResourceException(QStringLiteral("Cannot read ") + path);
    if (!listing_) listing_ = std::make_shared<ResourceItemModel>();
    listing_->removeAll();
    const QStringList names = folder.entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& name : names)
        listing_->addResourceItem(std::make_shared<FileResourceItem>(path, name));
    return listing_;
}

QByteArray FileResourceManager::getContent(const ResourceItem& item) {
    const QString path = item.getFullPath();
    const QFileInfo info(path);
    if (!info.exists()) throw ResourceException(QStringLiteral("Cannot find ") + path);
    // A folder, a pipe or a device has no content to show, and reading a pipe would never end.
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw ResourceException(QStringLiteral("Cannot read ") + path);
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) throw ResourceException(QStringLiteral("Cannot read ") + path);
    return content;
}

void FileResourceManager::setContent(const ResourceItem& item, const QByteArray& content) {
    const QString path = item.getFullPath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw ResourceException(QStringLiteral("File not found ") + path);
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        throw ResourceException(QStringLiteral("Can't write ") + path);
    }
    if (!file.commit()) throw ResourceException(QStringLiteral("Cannot close ") + path);
}

void FileResourceManager::renameFile(const ResourceItem& item, const QString& newPath) {
    const QString path = item.getFullPath();
    const QFileInfo target(newPath);
    // Checked first: Qt's copying fallback would complain of a folder that is not one.
    const bool usable = QFileInfo(target.absolutePath()).isDir() && !target.exists() && !target.isSymLink();
    const bool renamed =
        usable && (QFileInfo(path).isDir() ? QDir().rename(path, newPath) : QFile::rename(path, newPath));
    if (!renamed) throw ResourceException(QStringLiteral("Cannot renamed ") + newPath);
}

void FileResourceManager::deleteFile(const ResourceItem& item) {
    const QString path = item.getFullPath();
    const QFileInfo info(path);
    const bool removed = info.isDir() && !info.isSymLink() ? QDir().rmdir(path) : QFile::remove(path);
    if (!removed) throw ResourceException(QStringLiteral("Cannot delete ") + path);
}

void connectWithoutLogin(resourcebrowser::ResourceBrowserPanel& panel, const QString& host) {
    panel.userField()->setEnabled(false);
    panel.passwordField()->setEnabled(false);
    panel.hostField()->setText(host);
    panel.hostField()->setEnabled(false);
    panel.connect();
}

FileBrowser::FileBrowser(const resourcebrowser::State* state, QWidget* parent)
    : ResourceBrowserPanel(std::make_shared<FileResourceManager>(), state, parent) {
    connectWithoutLogin(*this, QStringLiteral("/"));
}

FileBrowser::FileBrowser(const QString& rootDirectory, QWidget* parent)
    : ResourceBrowserPanel(std::make_shared<FileResourceManager>(rootDirectory), nullptr, parent) {
    connectWithoutLogin(*this, QStringLiteral("/"));
}

}  // namespace ui::filebrowser
