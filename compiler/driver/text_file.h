#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace compiler {

// Reads a source as lines of UTF-8 (kit/text_lines.h: every line end, a byte-order mark skipped), every
// byte taken as Latin-1 where the file is not valid UTF-8 (never rejected). nullopt when the file cannot be
// opened or read, is no regular file or is past the kit's limit; `error` then says why (kit::readFile).
std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::string* error = nullptr,
                                                      const std::string& shownAs = {});
// The lines of a file's bytes, as readTextLines takes them.
std::vector<std::string> textLines(std::string bytes);

std::string toUpperAscii(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);
// The words of a text between blanks; a run of blanks (a tab among them, read as one) is one separator.
std::vector<std::string> splitWords(std::string_view text);

// Trims blanks (and tabs) at both ends, as the source reader does.
std::string trim(std::string_view text);

bool fileExists(const std::string& path);

}  // namespace compiler
