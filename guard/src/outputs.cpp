#include "guard/outputs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "guard/whole_file.h"

namespace guard {

bool isGeneratedSource(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // The marker and the line ends around it: the file's tail is enough.
    const std::size_t tail = kGeneratedMarker.size() + 4;
    const off_t size = info.st_size;
    const off_t start = size > static_cast<off_t>(tail) ? size - static_cast<off_t>(tail) : 0;
    // Never blocks, should a FIFO have taken the file's place since.
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    std::string bytes(static_cast<std::size_t>(size - start), '\0');
    ssize_t n = ::pread(fd, bytes.data(), bytes.size(), start);
    ::close(fd);
    if (n < 0) return false;
    bytes.resize(static_cast<std::size_t>(n));
    return withoutGeneratedMarker(bytes).size() != bytes.size();
}

std::string_view withoutGeneratedMarker(std::string_view text) {
    std::string_view rest = text;
    if (rest.ends_with('\n')) rest.remove_suffix(1);
    if (rest.ends_with('\r')) rest.remove_suffix(1);
    if (!rest.ends_with(kGeneratedMarker)) return text;
    rest.remove_suffix(kGeneratedMarker.size());
    return rest.empty() || rest.ends_with('\n') ? rest : text;
}

int handOverSource(const std::string& path) {
    if (!isGeneratedSource(path)) return 0;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info {};
    std::string bytes;
    int error = ::fstat(fd, &info) == 0 ? 0 : errno;
    if (error == 0 && !S_ISREG(info.st_mode)) error = EINVAL;
    char buffer[65536];
    for (ssize_t n = 1; error == 0 && n > 0;) {
        n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) error = errno;
        if (n > 0) bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (error != 0) return error;
    return replaceFile(path, withoutGeneratedMarker(bytes), info.st_mode & 07777);
}

bool mayWriteSource(const std::string& path) {
    struct stat info {};
    // Nothing there, or a path that cannot be reached: the write itself reports that.
    if (::lstat(path.c_str(), &info) != 0) return true;
    return isGeneratedSource(path);
}

bool isFileName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxNameBytes && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

IncludeKind includeKind(const std::string& folder, const std::string& name) {
    auto regularFile = [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    };
    const std::string base = folder + name;
    if (regularFile(base + ".java") && !isGeneratedSource(base + ".java")) return IncludeKind::JavaClass;
    return regularFile(base + ".bss") ? IncludeKind::Source : IncludeKind::Missing;
}

void removeLinkAt(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) ::unlink(path.c_str());
}

void removePhoneSuite(const std::string& folder, const std::string& name) {
    if (!isFileName(name)) return;
    for (const char* suffix : {".jar", ".jad"}) ::unlink((folder + name + suffix).c_str());
}

void removeAppletClasses(const std::string& folder, const std::string& name) {
    if (!isFileName(name)) return;
    const std::string classes = folder + "Game/";
    // A link named Game leads out of the project folder: nothing there is the kit's to delete.
    struct stat info {};
    if (::lstat((folder + "Game").c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return;
    DIR* entries = ::opendir(classes.c_str());
    if (!entries) return;
    const std::string inner = name + "$";
    const int dirFd = ::dirfd(entries);
    while (const dirent* entry = ::readdir(entries)) {
        std::string_view file = entry->d_name;
        if (!file.ends_with(".class")) continue;
        std::string_view stem = file.substr(0, file.size() - 6);
        if (stem == name || stem.starts_with(inner)) ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(entries);
}

void removeAppletOutputs(const std::string& folder, const std::string& name) {
    if (!isFileName(name)) return;
    ::unlink((folder + name + ".html").c_str());
    removeAppletClasses(folder, name);
    removeEmptyClassFolder(folder);
}

void removeEmptyClassFolder(const std::string& folder) {
    // A link named Game is no folder the build made.
    struct stat info {};
    if (::lstat((folder + "Game").c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        ::rmdir((folder + "Game").c_str());
}

void removeBuildWork(const std::string& folder) {
    for (const char* file : {"MANIFEST.MF", "CBuild.bat", "RunGame.bat"}) ::unlink((folder + file).c_str());
    for (const char* classes : {"tmpclasses", "classes"}) {
        std::error_code ignored;
        // A link standing there is removed as a link; what it points to stays.
        std::filesystem::remove_all(folder + classes, ignored);
    }
}

}  // namespace guard
