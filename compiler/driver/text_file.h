#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace compiler {

// Reads a source as lines of UTF-8 (kit/text_lines.h: every line end, a byte-order mark skipped), every
// byte taken as Latin-1 where the file is not valid UTF-8 (never rejected). nullopt when the file cannot be
// opened or read.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

std::string toUpperAscii(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);
// Java's split(" "): every single blank separates, trailing empty words dropped.
std::vector<std::string> splitAtSingleBlanks(const std::string& text);

// Trims blanks (and tabs) at both ends, as the source reader does.
std::string trim(std::string_view text);

bool fileExists(const std::string& path);

}  // namespace compiler
