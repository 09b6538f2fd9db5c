#pragma once
// Removal of directory trees on a worker thread, and the modal dialog shown while it runs.
#include <QByteArray>
#include <QDialog>
#include <QStringList>
#include <memory>
#include <thread>

class QLabel;

namespace ui::treefilebrowser::action {

// The removal of one entry, by its path in the file system's bytes. Called from the worker thread.
class FileRemover {
public:
    virtual ~FileRemover() = default;
    // Removes a file, or a link itself (never what it points to). An entry already gone counts as removed.
    virtual bool removeFile(const QByteArray& path);
    // Removes an empty directory.
    virtual bool removeDirectory(const QByteArray& path);
};

// Removes each directory with its contents on a thread of its own. Links inside are removed as links.
// Every entry is announced before its removal and every refusal reported, through signals emitted on
// the worker thread (queued to receivers on the GUI thread); `finished` is the worker's last act.
class DirectoryRemoval : public QObject {
    Q_OBJECT
public:
    DirectoryRemoval(QStringList directories, std::shared_ptr<FileRemover> remover);
    // Waits for the worker: it never outlives its owner.
    ~DirectoryRemoval() override;

    void start();
    void join();
    bool isJoined() const { return !worker_.joinable(); }

signals:
    void removing(const QString& path);
    void refused(const QString& path);
    void finished();

private:
    bool removeTree(const QByteArray& path);

    QStringList directories_;
    std::shared_ptr<FileRemover> remover_;
    std::thread worker_;
};

// The modal "Delete a directory" dialog: "Deleting " + the entry being removed. It cannot be closed
// while the removal runs and closes itself once the worker has been joined.
class DeleteDirectoryDialog : public QDialog {
    Q_OBJECT
public:
    DeleteDirectoryDialog(QStringList directories, std::shared_ptr<FileRemover> remover, QWidget* parent);

    // Runs the removal with the dialog shown; returns the entries that could not be removed.
    QStringList run();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label_;
    DirectoryRemoval removal_;
    QStringList refused_;
    bool running_ = false;
};

}  // namespace ui::treefilebrowser::action
