#include "text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "guard/whole_file.h"

namespace build {

std::string describeErrno(const std::string& path, int error) {
    return path + " (" + std::strerror(error) + ")";
}

std::optional<std::string> readText(const std::string& path, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = describeErrno(path, errno);
        return std::nullopt;
    }
    std::string content;
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = describeErrno(path, errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return content;
}

std::optional<std::vector<std::string>> readLines(const std::string& path, std::string& error) {
    auto text = readText(path, error);
    if (!text) return std::nullopt;
    const std::string& content = *text;
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<std::string> writeLines(const std::string& path, const std::vector<std::string>& lines,
                                      mode_t mode) {
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += '\n';
    }
    if (int error = guard::replaceFile(path, content, mode)) return describeErrno(path, error);
    return std::nullopt;
}

void deleteIfExists(const std::string& path) {
    ::unlink(path.c_str());
}

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace build
