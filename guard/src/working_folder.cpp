#include "guard/working_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "kit/text_lines.h"

namespace guard {
namespace {

std::string named(const std::string& shownFolder) {
    return shownFolder.empty() ? "./" : shownFolder;
}

}  // namespace

std::optional<std::string> toolFolderFault(const std::string& shownFolder) {
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer)) {
        if (errno == ENOENT) return folderDeletedLine(shownFolder);
        return "Error: The project folder " + named(shownFolder) + " has a path longer than the " +
               std::to_string(PATH_MAX - 1) +
               " bytes the Java tools can work in. Use a folder with a shorter path";
    }
    const std::string folder = std::string(buffer) + (buffer[1] == '\0' ? "" : "/");
    if (folder.find('\\') != std::string::npos) {
        return "Error: The project folder " + folder +
               " holds the character \"\\\", which the Java compiler reads as a folder separator. Use a "
               "folder whose path has no \"\\\"";
    }
    if (!kit::isValidUtf8(folder)) {
        return "Error: The project folder " + folder +
               " has a path that is not UTF-8, which the Java tools cannot read. Use a folder whose path is "
               "UTF-8";
    }
    return std::nullopt;
}

bool workingFolderDeleted() {
    struct stat info {};
    return ::stat(".", &info) != 0 || info.st_nlink == 0;
}

std::string folderDeletedLine(const std::string& shownFolder) {
    return "Error: The project folder " + named(shownFolder) + " was deleted during the run";
}

}  // namespace guard
