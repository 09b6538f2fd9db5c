#include "guard/folder_lock.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "guard/stop.h"
#include "guard/whole_file.h"

namespace guard {
namespace {

// Checked again this often while waiting: flock cannot be woken by the stop descriptor.
constexpr int kWaitStepMs = 100;

bool sameFile(int fd, const std::string& path) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

bool FolderLock::inherit(const std::string& lockPath) {
    const char* handed = std::getenv(kLockFdVariable);
    if (!handed) return false;
    char* end = nullptr;
    const long fd = std::strtol(handed, &end, 10);
    // The variable goes no further: the tools of this run are no holders of the lock.
    ::unsetenv(kLockFdVariable);
    if (end == handed || *end != '\0' || fd < 0 || fd > 1024) return false;
    const int descriptor = static_cast<int>(fd);
    // The starter's lock on this very file: the descriptor shares the starter's open file, whose flock
    // it already holds, so this succeeds at once (and would fail for a lock held by anyone else).
    if (!sameFile(descriptor, lockPath) || ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) return false;
    ::fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    fd_ = descriptor;
    path_ = lockPath;
    owner_ = false;
    return true;
}

FolderLock::Outcome FolderLock::take(const std::string& folder, const std::function<void()>& onWait) {
    release();
    const std::string lockPath = folder + std::string(kLockFileName);
    if (inherit(lockPath)) return Outcome::Inherited;

    path_ = lockPath;
    error_ = 0;
    bool waited = false;
    // A link at the lock file's place is removed once; one that comes back is another's doing.
    bool linkRemoved = false;
    for (;;) {
        int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            error_ = errno;
            if (error_ == ENOENT || error_ == ENOTDIR) return Outcome::NoFolder;
            struct stat info {};
            if (error_ == ELOOP && !linkRemoved && ::lstat(lockPath.c_str(), &info) == 0 &&
                S_ISLNK(info.st_mode)) {
                linkRemoved = true;
                if (::unlink(lockPath.c_str()) == 0 || errno == ENOENT) continue;
                error_ = errno;
            }
            return Outcome::Unavailable;
        }
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) {
                error_ = errno;
                ::close(fd);
                return Outcome::Unavailable;
            }
            if (!waited && onWait) onWait();
            waited = true;
            pollfd stop{stopFd(), POLLIN, 0};
            ::poll(&stop, 1, kWaitStepMs);
            if (stopRequested() || checkCaller()) {
                ::close(fd);
                return Outcome::Stopped;
            }
        }
        // The holder before us removes the file before it lets go: a lock on a file no longer at the path
        // is no lock on the folder.
        if (sameFile(fd, lockPath)) {
            fd_ = fd;
            owner_ = true;
            // Under the lock no other run writes here: partial files are a killed run's leftovers.
            removePartials(folder);
            return Outcome::Taken;
        }
        ::close(fd);
    }
}

std::string FolderLock::unavailableLine() const {
    return "Error: The project folder's lock file cannot be taken: " + path_ + " (" + std::strerror(error_) +
           ")";
}

void FolderLock::release() {
    if (fd_ < 0) return;
    if (owner_) ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    owner_ = false;
}

}  // namespace guard
