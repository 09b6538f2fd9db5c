#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace guard {

// The lock file in the project folder. It exists while a compile or build runs there; its holder removes
// it when the run ends (a holder that was killed leaves it, unlocked, for the next run to take).
inline constexpr std::string_view kLockFileName = ".tzlock";
// The environment variable through which Compile-Linux hands its lock to the Build-Linux it starts: the
// number of the inherited descriptor.
inline constexpr const char* kLockFdVariable = "TZ_PROJECT_LOCK_FD";

// One compile or build in a project folder at a time: an flock on the folder's lock file, which the kernel
// releases when its holder dies. A Build-Linux started by Compile-Linux runs under its starter's lock
// (the descriptor handed down in kLockFdVariable) instead of waiting for it.
//
// A run that holds the lock works inside the project folder: the folder it locked becomes the process's
// working folder, and the run opens the project's files by names relative to it. A folder renamed during
// the run stays the one it works on (nothing is written at the old path), and the tools it starts never
// see the folder's path. A Build-Linux under its starter's lock inherits that working folder.
class FolderLock {
public:
    enum class Outcome {
        Taken,        // this run holds the lock and works in the folder
        Inherited,    // the starter holds it for this run, which works in the folder it inherited
        NoFolder,     // the folder is not there: nothing to lock, and the run reports what is missing
        Unavailable,  // the folder is there but its lock file cannot be taken (unavailableLine() says why)
        Stopped,      // a stop came while waiting
    };

    FolderLock() = default;
    ~FolderLock() { release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // `folder` with its trailing "/" ("" for the working folder). While another run holds the lock,
    // `onWait` is called once and the run waits for it, ending the wait on a stop. A link standing at the
    // lock file's place is replaced, never followed.
    Outcome take(const std::string& folder, const std::function<void()>& onWait);
    // The line a run refused for an Unavailable lock prints: it names the lock file and the reason.
    std::string unavailableLine() const;
    // The descriptor to hand to a child that runs under this lock, or -1 when none is held.
    int fd() const { return fd_; }
    // The starter whose lock this run inherited has gone: this run now removes the lock file when it lets go.
    void adopt() { owner_ = fd_ >= 0; }
    // Whether the lock still holds the folder: false once the run under it has let go (a build that plays
    // its game after the suite is whole), or when nothing was locked.
    bool holdsFolder() const;
    // Leaves the folder to the next run while this one goes on in it (a game plays on after its build):
    // removes the lock file and releases the lock, also one inherited from the starter.
    void letGo();
    // Removes the lock file (when this run took the lock and it is still its own), releases the lock and
    // returns to the working folder the process had before take().
    void release();

private:
    bool inherit();

    std::string shownPath_;  // the lock file as the argument named its folder, for messages
    std::string reason_;     // why the lock is Unavailable
    int fd_ = -1;
    int startFolder_ = -1;  // the working folder before take() moved into the project folder
    bool owner_ = false;
};

}  // namespace guard
