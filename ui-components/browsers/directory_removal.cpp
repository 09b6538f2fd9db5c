#include "directory_removal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <cerrno>
#include <vector>

namespace ui::treefilebrowser::action {

namespace {

// The names in a directory, read through a descriptor opened without following a link, so a folder
// swapped for a link after it was looked at is not entered.
std::vector<QByteArray> entriesOf(const QByteArray& directory) {
    std::vector<QByteArray> names;
    int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return names;
    DIR* stream = ::fdopendir(fd);
    if (!stream) {
        ::close(fd);
        return names;
    }
    while (dirent* entry = ::readdir(stream)) {
        QByteArray name(entry->d_name);
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(stream);
    return names;
}

}  // namespace

bool FileRemover::removeFile(const QByteArray& path) {
    return ::unlink(path.constData()) == 0 || errno == ENOENT;
}

bool FileRemover::removeDirectory(const QByteArray& path) {
    return ::rmdir(path.constData()) == 0 || errno == ENOENT;
}

DirectoryRemoval::DirectoryRemoval(QStringList directories, std::shared_ptr<FileRemover> remover)
    : directories_(std::move(directories)), remover_(std::move(remover)) {}

DirectoryRemoval::~DirectoryRemoval() {
    join();
}

void DirectoryRemoval::start() {
    worker_ = std::thread([this] {
        for (const QString& directory : directories_) removeTree(QFile::encodeName(directory));
        emit finished();
    });
}

void DirectoryRemoval::join() {
    if (worker_.joinable()) worker_.join();
}

// True when the entry is gone. A folder that keeps a refused entry is not reported itself: the refusal
// inside says why it stays.
bool DirectoryRemoval::removeTree(const QByteArray& path) {
    struct stat status;
    if (::lstat(path.constData(), &status) != 0) {
        if (errno == ENOENT) return true;
        emit refused(QFile::decodeName(path));
        return false;
    }
    emit removing(QFile::decodeName(path));
    if (!S_ISDIR(status.st_mode)) {
        if (remover_->removeFile(path)) return true;
        emit refused(QFile::decodeName(path));
        return false;
    }
    bool emptied = true;
    for (const QByteArray& name : entriesOf(path)) emptied = removeTree(path + '/' + name) && emptied;
    if (!emptied) return false;
    if (remover_->removeDirectory(path)) return true;
    emit refused(QFile::decodeName(path));
    return false;
}

DeleteDirectoryDialog::DeleteDirectoryDialog(QStringList directories, std::shared_ptr<FileRemover> remover,
                                             QWidget* parent)
    : QDialog(parent), label_(new QLabel), removal_(directories, std::move(remover)) {
    setWindowTitle("Delete a directory");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    label_->setText("Deleting " + directories.value(0));
    label_->setMinimumWidth(300);
    connect(
        &removal_, &DirectoryRemoval::removing, this,
        [this](const QString& path) { label_->setText("Deleting " + path); }, Qt::QueuedConnection);
    connect(
        &removal_, &DirectoryRemoval::refused, this, [this](const QString& path) { refused_.append(path); },
        Qt::QueuedConnection);
    connect(
        &removal_, &DirectoryRemoval::finished, this,
        [this] {
            removal_.join();
            running_ = false;
            accept();
        },
        Qt::QueuedConnection);
}

QStringList DeleteDirectoryDialog::run() {
    running_ = true;
    removal_.start();
    QPointer<DeleteDirectoryDialog> alive(this);
    exec();
    // Torn down with its owner meanwhile: the removal's destructor has waited for the worker.
    if (!alive) return {};
    removal_.join();
    return refused_;
}

void DeleteDirectoryDialog::reject() {
    if (!running_) QDialog::reject();
}

void DeleteDirectoryDialog::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace ui::treefilebrowser::action
