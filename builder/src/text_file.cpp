#include "text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "guard/whole_file.h"
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
