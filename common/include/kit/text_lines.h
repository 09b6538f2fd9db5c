#pragma once
// Text files as the kit's programs read them: lines of bytes, whatever the line ends.
#include <sys/types.h>

#include <cstddef>
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

// The most a text file of the kit may hold (a source, a project file, a descriptor, Config.cfg): far past
// any program the compiler translates in reasonable time and memory.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{64} << 20;

// Why a file of mode `mode` is no file to read text from: "Is a FIFO, not a file", "Is a directory", ...;
// "" for a regular file. Such a file is refused before it is opened: a FIFO would block the open until a
// writer comes, a device would give bytes without end.
std::string notAFile(mode_t mode);

// The whole file. Nothing when it cannot be opened or read, when it is no regular file (a folder, a FIFO,
// a device: refused before it is opened) or when it holds more than `maxBytes`; `error`, when given, then
// holds "<path> (<reason>)", the file named `shownAs` when that is given (a path the run opens relative
// to the project folder, shown as the user named it).
std::optional<std::string> readFile(const std::string& path, std::string* error = nullptr,
                                    const std::string& shownAs = {},
                                    std::size_t maxBytes = kMaxTextFileBytes);

// readFile, then splitLines.
std::optional<Lines> readLines(const std::string& path, std::string* error = nullptr,
                               const std::string& shownAs = {});

}  // namespace kit
