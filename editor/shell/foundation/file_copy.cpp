#include "file_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "environment.h"
#include "files.h"

namespace editor {
namespace {

QString resolved(const QString& path) {
    return QFileInfo(path).isAbsolute() ? path : QDir(kitFolder()).filePath(path);
}

void print(const QString& line) {
    std::fputs(qPrintable(line + '\n'), stdout);
    std::fflush(stdout);
}

}  // namespace

QString FileCopy::parent(const QString& path) {
    if (!path.contains('/')) return kitFolder();
    return QFileInfo(path).path();
}

std::optional<QString> FileCopy::copy(const QString& from, const QString& to) {
    const Files& disk = files();
    const QString source = resolved(from);
    const FileStatus sourceStatus = disk.status(source);
    if (!sourceStatus.exists || !sourceStatus.isFile) {
        print("No such source file: " + from);
        return "FileCopy: No such source file: " + from;
    }
    if (!sourceStatus.readable) {
        print("Source file " + from + " is unreadable");
        return "FileCopy: Source file " + from + " is unreadable: " + from;
    }

    QString targetName = to;
    if (disk.status(resolved(to)).isDirectory) targetName = QDir(to).filePath(QFileInfo(source).fileName());
    const QString target = resolved(targetName);
    const FileStatus targetStatus = disk.status(target);
    if (targetStatus.exists) {
        if (!targetStatus.isFile) return "FileCopy: Destination is not a file: " + to;
        if (!targetStatus.writable) return "FileCopy: Destination " + to + " file is unwriteable: " + to;
        // Refused outright: written in place (the direct-write fallback below), the file would be emptied
        // before it is read.
        if (disk.sameFile(source, target)) return "FileCopy: Source and destination are the same file: " + to;
    } else {
        const QString folder = parent(targetName);
        const FileStatus folderStatus = disk.status(resolved(folder));
        if (!folderStatus.exists) return "FileCopy: Destination directory doesn't exist: " + folder;
        if (!folderStatus.writable) return "FileCopy: Destination directory is unwriteable: " + folder;
    }

    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        return "FileCopy: Could not open source file " + from + ": " + input.errorString();
    }
    QSaveFile output(target);
    // A folder the user may not write still lets an existing, writable target be rewritten in place.
    output.setDirectWriteFallback(true);
    // Unbuffered, so a write the disk refuses fails here: a buffered QSaveFile can drop the unwritten rest
    // at commit() and still report success.
    if (!output.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return "FileCopy: Could not open destination " + to + ": " + output.errorString();
    }
    const auto writeFailure = [&] {
        const QString reason = output.errorString();
        output.cancelWriting();
        return "FileCopy: Could not write destination " + to + ": " + reason;
    };
    char buffer[1024];
    for (;;) {
        const qint64 got = input.read(buffer, sizeof buffer);
        if (got < 0) {
            output.cancelWriting();
            return "FileCopy: Could not read source file " + from + ": " + input.errorString();
        }
        if (got == 0) break;
        if (output.write(buffer, got) != got) return writeFailure();
    }
    if (!output.commit()) return writeFailure();
    return std::nullopt;
}

}  // namespace editor
