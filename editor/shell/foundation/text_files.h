#pragma once
// Text files as the editor reads and writes them: UTF-8, or byte for byte as Latin-1 when the bytes are
// not UTF-8; written as UTF-8 through a file that is renamed over the old one, so a failed write leaves
// the old file whole.
#include <QByteArray>
#include <QString>
#include <optional>

namespace editor {

QString decodeText(const QByteArray& content);

struct TextRead {
    QString text;                    // what was read, empty when nothing could be
    std::optional<QString> failure;  // the reason when the file could not be read whole
};

// The whole file; CR LF line ends become "\n".
TextRead readTextFile(const QString& path);

// Replaces the file at `path` by `text`. Returns the failure's text, nothing once every byte is on disk.
std::optional<QString> writeTextFile(const QString& path, const QString& text);

}  // namespace editor
