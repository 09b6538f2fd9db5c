#include "kit/text_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
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

std::string notAFile(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return std::strerror(EISDIR);
    if (S_ISFIFO(mode)) return "Is a FIFO, not a file";
    if (S_ISCHR(mode)) return "Is a character device, not a file";
    if (S_ISBLK(mode)) return "Is a block device, not a file";
    if (S_ISSOCK(mode)) return "Is a socket, not a file";
    return "Is not a file";
}

std::optional<std::string> readFile(const std::string& path, std::string* error, const std::string& shownAs,
                                    std::size_t maxBytes) {
    auto fail = [&](const std::string& reason) -> std::optional<std::string> {
        if (error) *error = (shownAs.empty() ? path : shownAs) + " (" + reason + ")";
        return std::nullopt;
    };
    auto tooLong = [&](std::uint64_t size) {
        return fail("Is " + std::to_string(size) + " bytes long, more than the " + std::to_string(maxBytes) +
                    " bytes the kit reads");
    };
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return fail(std::strerror(errno));
    if (std::string kind = notAFile(info.st_mode); !kind.empty()) return fail(kind);
    // Something else may stand there by now: the open must not block, and what it opened is checked again.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(std::strerror(errno));
    std::string kind = ::fstat(fd, &info) == 0 ? notAFile(info.st_mode) : std::strerror(errno);
    if (kind.empty() && static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return tooLong(static_cast<std::uint64_t>(info.st_size));
    }
    if (!kind.empty()) {
        ::close(fd);
        return fail(kind);
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int code = errno;
            ::close(fd);
            return fail(std::strerror(code));
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
        // A file that grows while it is read.
        if (content.size() > maxBytes) {
            ::close(fd);
            return tooLong(content.size());
        }
    }
    ::close(fd);
    return content;
}

std::optional<Lines> readLines(const std::string& path, std::string* error, const std::string& shownAs) {
    std::optional<std::string> text = readFile(path, error, shownAs);
    if (!text) return std::nullopt;
    return splitLines(*text);
}

}  // namespace kit
