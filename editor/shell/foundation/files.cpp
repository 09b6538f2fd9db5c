#include "files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace editor {
namespace {

Files* installedFiles = nullptr;

}  // namespace

FileStatus Files::status(const QString& path) const {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    FileStatus status;
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0) return status;
    status.exists = true;
    status.isFile = S_ISREG(info.st_mode);
    status.isDirectory = S_ISDIR(info.st_mode);
    status.readable = ::access(name.constData(), R_OK) == 0;
    status.writable = ::access(name.constData(), W_OK) == 0;
    return status;
}

bool Files::sameFile(const QString& first, const QString& second) const {
    struct stat a {
    }, b{};
    if (::stat(QFile::encodeName(first).constData(), &a) != 0) return false;
    if (::stat(QFile::encodeName(second).constData(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Files& files() {
    static Files standard;
    return installedFiles ? *installedFiles : standard;
}

void setFiles(Files* installed) {
    installedFiles = installed;
}

}  // namespace editor
