#include "files.h"

#include <QFile>

#include "services.h"

namespace editor {

FileStatus Files::status(const QString& path) const {
    return guard::FileQueries().status(QFile::encodeName(path).toStdString());
}

bool Files::sameFile(const QString& first, const QString& second) const {
    return guard::FileQueries().sameFile(QFile::encodeName(first).toStdString(),
                                         QFile::encodeName(second).toStdString());
}

Files& files() {
    static Files standard;
    const Services* services = Services::current();
    return services && services->parts().files ? *services->parts().files : standard;
}

}  // namespace editor
