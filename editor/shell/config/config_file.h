#pragma once
// Config.cfg in the kit folder, read and written through kit_common (kit/config_file.h): one value per
// line, known by position only. Line 1 the Java tool folder (holds "javac"), line 2 the wireless toolkit
// (holds "bin/preverify"), line 3 the kit folder, line 4 the editor's look word. The console programs read
// lines 1 to 3; only the editor writes the file.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace editor {

class References;

QString configFilePath();
// The kit folder with one closing "/": what line 3 always holds, whatever was read.
QString installFolder();

// The file's lines: CR LF, LF and a lone CR end a line and are never part of a value; nothing is trimmed.
// A last line without an end counts; an empty file has no lines. Text that is not UTF-8 is read as Latin-1.
QStringList configLines(const QByteArray& content);

// Step 1 of the start-up: lines 1, 2 and 4 into their fields, a line the file lacks leaves its field without
// a value; an unreadable file leaves them all as they are. Line 3 is not taken from the file, but where it
// names another kit folder (the kit was copied or moved), lines 1 and 2 inside that folder are taken
// inside this kit; the start-up writes them back so.
void readConfig(References& references);

// Whether a file exists at `path`: a relative path is taken in the kit folder, the empty path names nothing.
bool pathExists(const QString& path);
// The two tests of a configuration: the folder + "javac", the folder + "bin/preverify". No value fails.
bool javaToolFound(const std::optional<QString>& javaLocation);
bool toolkitFound(const std::optional<QString>& mobileLocation);

// The four lines of the file; a field without a value is written as "null".
struct ConfigLines {
    std::optional<QString> javaLocation;
    std::optional<QString> mobileLocation;
    std::optional<QString> kitFolder;
    std::optional<QString> lookAndFeel;
};

// Replaces Config.cfg by `lines`, each ended by "\n". The text goes to a file beside it that is renamed
// over the old one, so a failure leaves the old file whole. Returns the failure's text, nothing on success.
std::optional<QString> saveConfigFile(const ConfigLines& lines);
// The Error dialog that every writer of the file shows for a failed save.
void reportSaveFailure(const QString& failure);

}  // namespace editor
