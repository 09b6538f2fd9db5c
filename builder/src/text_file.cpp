#include "text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "kit/text_lines.h"

namespace build {

std::string describeErrno(const std::string& path, int error) {
    return path + " (" + std::strerror(error) + ")";
}

std::optional<std::string> readText(const std::string& path, std::string& error) {
    return kit::readFile(path, &error);
}

std::optional<std::string> writeLines(const std::string& path, const std::vector<std::string>& lines,
                                      mode_t mode) {
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += '\n';
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return describeErrno(path, errno);
    size_t written = 0;
    while (written < content.size()) {
        ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            int saved = errno;
            ::close(fd);
            return describeErrno(path, saved);
        }
        written += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) return describeErrno(path, errno);
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
