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
#include "kit/text_lines.h"

namespace guard {
namespace {

// Checked again this often while waiting: flock cannot be woken by the stop descriptor.
constexpr int kWaitStepMs = 100;

const std::string kLockFile(kLockFileName);

// The lock file named in `folder` (a descriptor, AT_FDCWD for the working folder) is the file `fd` holds.
bool sameFile(int fd, int folder) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 &&
           ::fstatat(folder, kLockFile.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

bool FolderLock::inherit() {
    const char* handed = std::getenv(kLockFdVariable);
    if (!handed) return false;
    char* end = nullptr;
    const long fd = std::strtol(handed, &end, 10);
    // The variable goes no further: the tools of this run are no holders of the lock.
    ::unsetenv(kLockFdVariable);
    if (end == handed || *end != '\0' || fd < 0 || fd > 1024) return false;
    const int descriptor = static_cast<int>(fd);
    // The starter works in the project folder, which this run inherited as its working folder: the
    // descriptor is the lock file there and shares the starter's open file, whose flock it already holds,
    // so this succeeds at once (and would fail for a lock held by anyone else).
    if (!sameFile(descriptor, AT_FDCWD) || ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) return false;
    ::fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    fd_ = descriptor;
    owner_ = false;
    return true;
}

FolderLock::Outcome FolderLock::take(const std::string& folder, const std::function<void()>& onWait) {
    release();
    shownPath_ = folder + kLockFile;
    reason_.clear();
    if (inherit()) return Outcome::Inherited;

    // The folder is opened once: what follows locks and enters this folder, wherever it is moved meanwhile.
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return Outcome::NoFolder;
        reason_ = std::strerror(errno);
        return Outcome::Unavailable;
    }
    auto unavailable = [&](const std::string& reason, int fd) {
        reason_ = reason;
        if (fd >= 0) ::close(fd);
        ::close(dir);
        return Outcome::Unavailable;
    };
    bool waited = false;
    // A link at the lock file's place is removed once; one that comes back is another's doing.
    bool linkRemoved = false;
    for (;;) {
        // Never blocks, whatever stands at the place (a FIFO would until a writer came).
        int fd =
            ::openat(dir, kLockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int error = errno;
            struct stat info {};
            if (error == ELOOP && !linkRemoved &&
                ::fstatat(dir, kLockFile.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode)) {
                linkRemoved = true;
                if (::unlinkat(dir, kLockFile.c_str(), 0) == 0 || errno == ENOENT) continue;
                return unavailable(std::strerror(errno), -1);
            }
            return unavailable(std::strerror(error), -1);
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0) return unavailable(std::strerror(errno), fd);
        if (const std::string kind = kit::notAFile(info.st_mode); !kind.empty()) return unavailable(kind, fd);
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) return unavailable(std::strerror(errno), fd);
            if (!waited && onWait) onWait();
            waited = true;
            pollfd stop{stopFd(), POLLIN, 0};
            ::poll(&stop, 1, kWaitStepMs);
            if (stopRequested() || checkCaller()) {
                ::close(fd);
                ::close(dir);
                return Outcome::Stopped;
            }
        }
        // The holder before us removes the file before it lets go: a lock on a file no longer at the path
        // is no lock on the folder.
        if (sameFile(fd, dir)) {
            startFolder_ = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (::fchdir(dir) != 0) {
                const int error = errno;
                ::flock(fd, LOCK_UN);
                if (startFolder_ >= 0) ::close(startFolder_);
                startFolder_ = -1;
                return unavailable(std::strerror(error), fd);
            }
            ::close(dir);
            fd_ = fd;
            owner_ = true;
            // Under the lock no other run writes here: partial files are a killed run's leftovers.
            removePartials("");
            return Outcome::Taken;
        }
        ::close(fd);
    }
}

std::string FolderLock::unavailableLine() const {
    return "Error: The project folder's lock file cannot be taken: " + shownPath_ + " (" + reason_ + ")";
}

bool FolderLock::holdsFolder() const {
    return fd_ >= 0 && sameFile(fd_, AT_FDCWD);
}

void FolderLock::letGo() {
    if (fd_ < 0) return;
    // Gone first: a run that takes the lock from here on makes a file of its own.
    if (sameFile(fd_, AT_FDCWD)) ::unlink(kLockFile.c_str());
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    owner_ = false;
}

void FolderLock::release() {
    if (fd_ >= 0) {
        if (owner_ && sameFile(fd_, AT_FDCWD)) ::unlink(kLockFile.c_str());
        ::close(fd_);
        fd_ = -1;
        owner_ = false;
    }
    if (startFolder_ >= 0) {
        [[maybe_unused]] int back = ::fchdir(startFolder_);
        ::close(startFolder_);
        startFolder_ = -1;
    }
}

}  // namespace guard
