#include "kit/text_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kit {

namespace {

// Calls `visit(line, ended)` for each line of the text in order, the byte-order mark skipped; `ended` is
// false only for a last line without a line end.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            visit(text.substr(start), false);
            break;
        }
        visit(text.substr(start, end - start), true);
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

}  // namespace

Lines splitLines(std::string_view text) {
    Lines lines;
    forEachLine(text, [&](std::string_view line, bool) { lines.emplace_back(line); });
    return lines;
}

std::string withLineFeeds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    forEachLine(text, [&](std::string_view line, bool ended) {
        result += line;
        if (ended) result += '\n';
    });
    return result;
}

Lines utf8Lines(std::string_view text) {
    Lines lines = splitLines(text);
    if (!isValidUtf8(text)) {
        for (std::string& line : lines) line = latin1ToUtf8(line);
    }
    return lines;
}

std::string joinLines(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        if (len == 2 && c < 0xC2) return false;  // overlong
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        if (len >= 3) {
            // Overlong forms, UTF-16 surrogates and code points past U+10FFFF.
            auto c1 = static_cast<unsigned char>(s[i + 1]);
            if (len == 3 && ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0))) return false;
            if (len == 4 && ((c == 0xF0 && c1 < 0x90) || c > 0xF4 || (c == 0xF4 && c1 >= 0x90))) return false;
        }
        i += len;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char b : bytes) {
        auto c = static_cast<unsigned char>(b);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> readFile(const std::string& path, std::string* error) {
    auto fail = [&](int code) -> std::optional<std::string> {
        if (error) *error = path + " (" + std::strerror(code) + ")";
        return std::nullopt;
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(errno);
    std::string content;
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int code = errno;
            ::close(fd);
            return fail(code);
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

std::optional<Lines> readLines(const std::string& path, std::string* error) {
    std::optional<std::string> text = readFile(path, error);
    if (!text) return std::nullopt;
    return splitLines(*text);
}

}  // namespace kit
