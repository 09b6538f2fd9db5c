#include "guard/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace guard {
namespace {

constexpr std::string_view kPartialSuffix = ".tzpart";
// Room for the dot, the process id, the counter and the suffix within a file name's 255 bytes.
constexpr std::size_t kMaxBaseName = 200;

std::atomic<unsigned> partialCounter{0};

}  // namespace

WholeFile::WholeFile(std::string path, mode_t mode) : path_(std::move(path)) {
    const std::size_t slash = path_.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path_.substr(0, slash + 1);
    const std::string base = path_.substr(folder.size()).substr(0, kMaxBaseName);
    for (;;) {
        partial_ = folder + "." + base + "." + std::to_string(::getpid()) + "-" +
                   std::to_string(partialCounter++) + std::string(kPartialSuffix);
        fd_ = ::open(partial_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error_ = errno;
        partial_.clear();
    }
}

WholeFile::~WholeFile() {
    discard();
}

void WholeFile::fail(int error) {
    if (error_ == 0) error_ = error;
    discard();
}

bool WholeFile::write(std::string_view bytes) {
    if (error_ != 0) return false;
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            fail(n < 0 ? errno : EIO);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool WholeFile::commit() {
    if (error_ != 0) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail(errno);
        return false;
    }
    if (::rename(partial_.c_str(), path_.c_str()) != 0) {
        fail(errno);
        return false;
    }
    partial_.clear();
    return true;
}

void WholeFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (partial_.empty()) return;  // committed, or never made
    ::unlink(partial_.c_str());
    partial_.clear();
    if (error_ == 0) error_ = ECANCELED;
}

int replaceFile(const std::string& path, std::string_view bytes, mode_t mode) {
    WholeFile file(path, mode);
    file.write(bytes);
    file.commit();
    return file.error();
}

bool isPartialName(std::string_view name) {
    return name.size() > kPartialSuffix.size() + 1 && name.front() == '.' &&
           name.substr(name.size() - kPartialSuffix.size()) == kPartialSuffix;
}

void removePartials(const std::string& folder) {
    const std::string dir = folder.empty() ? "." : folder;
    DIR* entries = ::opendir(dir.c_str());
    if (!entries) return;
    const int dirFd = ::dirfd(entries);
    while (const dirent* entry = ::readdir(entries)) {
        if (!isPartialName(entry->d_name)) continue;
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(entries);
}

}  // namespace guard
