#include "driver/text_file.h"

#include <sys/stat.h>

#include "kit/text_lines.h"

namespace compiler {

std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::string* error,
                                                      const std::string& shownAs) {
    std::optional<std::string> data = kit::readFile(path, error, shownAs);
    if (!data) return std::nullopt;
    return kit::utf8Lines(*data);
}

std::vector<std::string> textLines(std::string bytes) {
    return kit::utf8Lines(bytes);
}

std::string toUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return upper;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string trim(std::string_view text) {
    // Java's trim(): every character up to U+0020 counts as a blank.
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    return std::string(text.substr(b, e - b));
}

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        i = text.find_first_not_of(' ', i);
        if (i == std::string_view::npos) return words;
        const std::size_t end = std::min(text.find(' ', i), text.size());
        words.emplace_back(text.substr(i, end - i));
        i = end;
    }
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace compiler
