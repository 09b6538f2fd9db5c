#include "files.h"

#include <QFile>

namespace editor {
namespace {

Files* installedFiles = nullptr;

}  // namespace

FileStatus Files::status(const QString& path) const {
    return guard::FileQueries().status(QFile::encodeName(path).toStdString());
}

bool Files::sameFile(const QString& first, const QString& second) const {
    return guard::FileQueries().sameFile(QFile::encodeName(first).toStdString(),
                                         QFile::encodeName(second).toStdString());
}

Files& files() {
    static Files standard;
    return installedFiles ? *installedFiles : standard;
}

void setFiles(Files* installed) {
    installedFiles = installed;
}

}  // namespace editor
