#pragma once
// Text files as the editor reads and writes them: UTF-8, or byte for byte as Latin-1 when the bytes are
// not UTF-8. A user's file is written back in the form it was read in, the kit's own files as UTF-8 with
// "\n"; every write goes through a file that is renamed over the old one, so a failed write leaves the old
// file whole.
#include <QByteArray>
#include <QList>
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

// Replaces the file at `path` by `text` in UTF-8, as the kit writes its own files. Returns the failure's
// text, nothing once every byte is on disk.
std::optional<QString> writeTextFile(const QString& path, const QString& text);
// The same with the bytes given.
std::optional<QString> writeFileBytes(const QString& path, const QByteArray& bytes);

// How a user's file was written. A tab writes its file back in the form it was read in, so a tab with no
// change writes the same bytes; a file the editor makes is UTF-8 with "\n" line ends.
struct TextForm {
    enum class Encoding { Utf8, Latin1 };
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    // The line end ("\n", "\r\n" or "\r") of a file whose lines all end alike; where they differ, the most
    // common one. A line the user adds takes it where no neighbour tells otherwise.
    QByteArray lineEnd = "\n";
    // Where the line ends differ: each line that has an end, and that end, as last read or written, so that
    // every line still there keeps its own. Empty while all end alike.
    QStringList endedLines;
    QList<QByteArray> lineEnds;

    bool operator==(const TextForm&) const = default;
};

// A user's file as a tab holds it: its text with every line end a "\n", the form to write it back in, and
// the stamp of the bytes it came from.
struct UserText {
    QString text;
    TextForm form;
    QByteArray stamp;
    // Why the file cannot be a tab's text: it could not be read, or its bytes would not come back as they
    // are (a NUL byte: no text; a character a text view does not keep).
    std::optional<QString> failure;
};

UserText decodeUserText(const QByteArray& bytes);
UserText readUserFile(const QString& path);

struct EncodedText {
    QByteArray bytes;
    // The form the bytes are in, which the next write starts from.
    TextForm form;
    // False when the form is Latin-1 and the text holds a character Latin-1 has not: the bytes are the
    // whole text in UTF-8 then, and the form says so.
    bool fits = true;
};

// `text` in `form`: each line that is still there keeps its line end (lines are matched against the
// form's by their text), a changed line keeps the end of the line it replaced, a new line takes its
// neighbour's; the byte-order mark stays, the last line keeps the end it has in `text` (none or "\n").
EncodedText encodeUserText(const QString& text, const TextForm& form);

// What stands at `path` now, to tell another program's change: a digest of the file's bytes; an empty
// one when a file is there that cannot be read; nothing when no file is there.
std::optional<QByteArray> fileStamp(const QString& path);
QByteArray stampOf(const QByteArray& bytes);

}  // namespace editor
