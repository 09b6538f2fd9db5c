#include "guard/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "guard/whole_file.h"

namespace guard {
namespace {

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The folder named in `path`; a bare name's is the base folder.
std::string parentOf(const std::string& path, const std::string& base) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return base.empty() ? "." : base;
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

PathStatus FileQueries::status(const std::string& path) const {
    struct stat info {};
    PathStatus status;
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return status;
    status.exists = true;
    status.isFile = S_ISREG(info.st_mode);
    status.isDirectory = S_ISDIR(info.st_mode);
    status.readable = ::access(path.c_str(), R_OK) == 0;
    status.writable = ::access(path.c_str(), W_OK) == 0;
    return status;
}

bool FileQueries::sameFile(const std::string& first, const std::string& second) const {
    struct stat a {
    }, b{};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::optional<std::string> copyFile(const std::string& from, const std::string& to, const CopyRules& rules) {
    static const FileQueries realFiles;
    const FileQueries& files = rules.queries ? *rules.queries : realFiles;
    auto resolved = [&](const std::string& path) {
        return path.starts_with('/') ? path : joined(rules.base, path);
    };
    auto print = [&](const std::string& line) {
        if (rules.print) rules.print(line);
    };

    const std::string& shownTo = rules.shownTo.empty() ? to : rules.shownTo;
    const std::string source = resolved(from);
    const PathStatus sourceStatus = files.status(source);
    if (!sourceStatus.exists || !sourceStatus.isFile) {
        print("No such source file: " + from);
        return "FileCopy: No such source file: " + from;
    }
    if (!sourceStatus.readable) {
        print("Source file " + from + " is unreadable");
        return "FileCopy: Source file " + from + " is unreadable: " + from;
    }

    std::string targetName = to;
    if (rules.intoFolder && files.status(resolved(to)).isDirectory) {
        targetName = joined(to, source.substr(source.rfind('/') + 1));
    }
    const std::string target = resolved(targetName);
    const PathStatus targetStatus = files.status(target);
    if (targetStatus.exists) {
        if (!targetStatus.isFile) return "FileCopy: Destination is not a file: " + shownTo;
        if (!targetStatus.writable)
            return "FileCopy: Destination " + shownTo + " file is unwriteable: " + shownTo;
        // Nothing would be lost (the copy replaces the file whole), but a copy onto itself is a mistake.
        if (files.sameFile(source, target))
            return "FileCopy: Source and destination are the same file: " + shownTo;
    } else {
        const std::string folder = parentOf(targetName, rules.base);
        const std::string named = rules.intoFolder ? folder : shownTo;
        const PathStatus folderStatus = files.status(resolved(folder));
        if (!folderStatus.exists) return "FileCopy: Destination directory doesn't exist: " + named;
        if (!folderStatus.writable) return "FileCopy: Destination directory is unwriteable: " + named;
    }

    auto failed = [&](int error) {
        return "FileCopy: Could not copy " + from + " to " + shownTo + " (" + std::strerror(error) + ")";
    };
    // The source may have been swapped for a FIFO since it was checked: the open must not block on it.
    const int in = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return failed(errno);
    struct stat info {};
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        print("No such source file: " + from);
        return "FileCopy: No such source file: " + from;
    }
    const mode_t mode = info.st_mode & 07777;
    WholeFile out(target, mode);
    if (out.error() != 0) {
        ::close(in);
        return failed(out.error());
    }
    std::optional<std::string> failure;
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failure = failed(errno);
            break;
        }
        if (n == 0) break;
        if (!out.write(std::string_view(buffer, static_cast<std::size_t>(n)))) {
            failure = failed(out.error());
            break;
        }
    }
    if (::close(in) != 0 && !rules.closeFailed.empty()) print(rules.closeFailed);
    if (failure) return failure;
    if (!out.commit()) {
        if (!rules.closeFailed.empty()) print(rules.closeFailed);
        return failed(out.error());
    }
    // The source's permission bits, whatever the umask took away: a copied program stays runnable.
    ::chmod(target.c_str(), mode);
    return std::nullopt;
}

}  // namespace guard
