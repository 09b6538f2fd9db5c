#include "kit/key_value_lines.h"

#include <climits>
#include <unordered_map>

namespace kit {
namespace {

std::string valueOfLine(std::string_view line) {
    std::size_t equals = line.find('=');
    return std::string(equals == std::string_view::npos ? line : line.substr(equals + 1));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool holdsKey(std::string_view line, std::string_view key) {
    return line.starts_with(key) && (line.size() == key.size() || line[key.size()] == '=');
}

std::optional<std::string> valueOf(const Lines& lines, std::string_view key) {
    for (const std::string& line : lines) {
        if (holdsKey(line, key)) return valueOfLine(line);
    }
    return std::nullopt;
}

Lines valuesOf(const Lines& lines, std::string_view key) {
    Lines values;
    for (const std::string& line : lines) {
        if (holdsKey(line, key)) values.push_back(valueOfLine(line));
    }
    return values;
}

Lines numberedValuesOf(const Lines& lines, std::string_view key) {
    // One pass: the first line of each index, by the index as written (only "0", "1", ... "10" are asked).
    std::unordered_map<std::string_view, std::string_view> first;
    for (const std::string& line : lines) {
        std::string_view rest(line);
        if (!rest.starts_with(key)) continue;
        rest.remove_prefix(key.size());
        std::size_t digits = 0;
        while (digits < rest.size() && isDigit(rest[digits])) ++digits;
        if (digits == 0 || (digits < rest.size() && rest[digits] != '=')) continue;
        first.emplace(rest.substr(0, digits), line);
    }
    Lines values;
    for (std::size_t i = 0;; ++i) {
        auto found = first.find(std::to_string(i));
        if (found == first.end()) break;
        values.push_back(valueOfLine(found->second));
    }
    return values;
}

bool isOn(const std::optional<std::string>& value) {
    if (!value || value->size() != 4) return false;
    static constexpr std::string_view word = "true";
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = (*value)[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

std::string switchText(bool on) {
    return on ? "true" : "false";
}

std::optional<int> parseDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace kit
