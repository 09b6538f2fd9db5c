#include "editor_testing.h"

#include <QDir>

namespace editor::testing {

FileStatus RefusingFiles::status(const QString& path) const {
    FileStatus status = Files::status(path);
    const QString name = QDir::cleanPath(path);
    if (unreadable.contains(name)) status.readable = false;
    if (unwritable.contains(name)) status.writable = false;
    return status;
}

}  // namespace editor::testing
