#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace compiler {

// Reads a text file as lines: LF, CR LF or a lone CR ends a line, a UTF-8 byte-order mark at the start is
// skipped; UTF-8 where the bytes are valid UTF-8, otherwise every byte taken as Latin-1 (never rejected).
// nullopt when the file cannot be opened or read.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);
// The lines of a file's bytes, as readTextLines takes them.
std::vector<std::string> textLines(std::string bytes);

bool isValidUtf8(std::string_view bytes);
std::string latin1ToUtf8(std::string_view bytes);

std::string toUpperAscii(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);
// The words of a text between blanks; a run of blanks (a tab among them, read as one) is one separator.
std::vector<std::string> splitWords(std::string_view text);

// Trims blanks (and tabs) at both ends, as the source reader does.
std::string trim(std::string_view text);

bool fileExists(const std::string& path);

}  // namespace compiler
