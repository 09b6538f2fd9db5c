#pragma once
// Text files as the kit's programs read them: lines of bytes, whatever the line ends.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

using Lines = std::vector<std::string>;

// The lines of a text: CR LF, LF and a lone CR each end a line and belong to none; a last line without an
// end counts, an empty text has no lines; a UTF-8 byte-order mark at the start is skipped. The bytes of
// each line are kept as they are, so a text that is not UTF-8 is read byte for byte.
Lines splitLines(std::string_view text);

// The text whole, as splitLines reads it: the byte-order mark skipped and each line end written "\n"; a
// last line without an end keeps none.
std::string withLineFeeds(std::string_view text);

// The lines of a text as UTF-8: splitLines, then, where the text is not valid UTF-8, each byte taken as the
// Latin-1 character of that code (never rejected).
Lines utf8Lines(std::string_view text);

// Each line followed by "\n": how the kit writes its text files.
std::string joinLines(const Lines& lines);

bool isValidUtf8(std::string_view bytes);
// Each byte taken as the Latin-1 character of that code, in UTF-8.
std::string latin1ToUtf8(std::string_view bytes);

// The whole file. Nothing when it cannot be opened or read (a folder included); `error`, when given, then
// holds "<path> (<reason>)".
std::optional<std::string> readFile(const std::string& path, std::string* error = nullptr);

// readFile, then splitLines.
std::optional<Lines> readLines(const std::string& path, std::string* error = nullptr);

}  // namespace kit
