#pragma once
// Text files as the editor reads and writes them: UTF-8, or byte for byte as Latin-1 when the bytes are
// not UTF-8; written as UTF-8 through a file that is renamed over the old one, so a failed write leaves
// the old file whole.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "kit/text_lines.h"

namespace editor {

QString decodeText(const QByteArray& content);

struct TextRead {
    QString text;                    // what was read, empty when nothing could be
    std::optional<QString> failure;  // the reason when the file could not be read whole
};

// The whole file, read as the kit reads text (kit/text_lines.h): every line end (CR LF, LF, a lone CR)
// becomes "\n", a byte-order mark is skipped.
TextRead readTextFile(const QString& path);

// The lines of the kit's own files (the project file, Config.cfg, a descriptor) as kit_common reads them:
// CR LF, LF and a lone CR end a line, a byte-order mark is skipped; UTF-8, or Latin-1 when the file is not.
kit::Lines fileLines(const QByteArray& content);
QStringList toStringList(const kit::Lines& lines);
kit::Lines toLines(const QStringList& lines);
std::optional<std::string> toStd(const std::optional<QString>& text);
std::optional<QString> toQString(const std::optional<std::string>& text);

// Hands the compiler's Java at `path` over to the user: a source whose last line is the compiler's mark
// loses that line (the file written whole), so that no compile replaces or deletes it from then on. The
// failure's text; nothing once the file is the user's, or when nothing is there.
std::optional<QString> handOverJava(const QString& path);

// Replaces the file at `path` by `text`. Returns the failure's text, nothing once every byte is on disk.
std::optional<QString> writeTextFile(const QString& path, const QString& text);

}  // namespace editor
