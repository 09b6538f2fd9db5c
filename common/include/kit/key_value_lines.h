#pragma once
// "Key=Value" lines, the form of the project file and of the build descriptor, read by one rule:
// - a line holds a key when it begins with the key directly followed by "=" or by the line's end (keys are
//   case-sensitive, nothing is trimmed), so "Inc" never takes an "Include=" line;
// - its value is the text after the first "=", or the whole line when it has none;
// - the first line that holds the key gives its value; every other line (blank ones, comments, unknown
//   keys) is passed over, never an end.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/text_lines.h"

namespace kit {

bool holdsKey(std::string_view line, std::string_view key);

std::optional<std::string> valueOf(const Lines& lines, std::string_view key);

// The value of every line that holds the key, in file order ("Include=" lines of a project file).
Lines valuesOf(const Lines& lines, std::string_view key);

// The values of key0, key1, key2, ... up to the first missing index ("Include0=" lines of a descriptor).
Lines numberedValuesOf(const Lines& lines, std::string_view key);

// A switch is on when its value is "true" in any case; the writers write "true" or "false".
bool isOn(const std::optional<std::string>& value);
std::string switchText(bool on);

// Integer.parseInt's rules: an optional sign and decimal digits only, within 32 bits.
std::optional<int> parseDecimal(std::string_view text);

}  // namespace kit
