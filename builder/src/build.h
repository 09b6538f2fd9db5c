#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console.h"
#include "guard/folder_lock.h"
#include "project.h"
#include "runner.h"
#include "watchdog.h"

namespace build {

struct Settings {
    std::string installDir;                    // the kit folder that holds Config.cfg (no trailing "/")
    std::chrono::milliseconds timeout{30000};  // the watchdog's period, on every platform's road
    bool keepSources = false;                  // TZ_KEEP_JAVA=1 or TZ_DEBUG=1: the compiler's Java stays
    // Whether the disk of the working folder has no room left (a seam for tests): it names the cause when a
    // tool fails.
    std::function<bool()> diskFull = workingDiskFull;

    static bool workingDiskFull();
};

inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;

// The build program from its arguments to its exit status: takes the project folder's lock (and works inside
// the folder from then on), reads <base>.tbx and Config.cfg, then builds one platform under the watchdog:
// "J2ME" (MIDlet suite), "PC"/"PPC" (runtime copy), "Applet" (class and page). A road that fails, times
// out or is stopped leaves none of its work and no suite of an earlier build. A game played once its suite
// is whole (Run=1) plays after the folder is left to the next run: whatever ends it, the suite stays.
class Build {
public:
    Build(Console& console, CommandRunner& runner, Settings settings)
        : console_(console), runner_(runner), settings_(std::move(settings)) {}

    int main(const std::vector<std::string>& args);

    // Deletes "MANIFEST.MF" and "CBuild.bat", and with `descriptor` also <name>.tbx; missing files and
    // failed deletions are ignored. <name>.java is never deleted here: in a Java project it is the user's
    // only copy of the main class, and the compiler removes the source it generated once Build has ended.
    void cleanUp(bool descriptor);

    int buildJ2ME();
    int buildPC();
    int buildApplet();

private:
    int run(const std::vector<std::string>& args);
    int dispatch();
    // Runs one child with its lines relayed (each shown to `observe` first); prints why it could not start.
    RunResult runRelayed(const std::vector<std::string>& argv, const LineSink& observe = {});
    int writeFailure(const std::string& description);
    // Keeps the includes that are Java classes (`<name>.java` beside the project) for javac and drops the
    // source includes (`<name>.bss`), which the compiler has merged into the program already. An include
    // with neither file is reported; false then.
    bool sortIncludes();
    // The files the program's sources load from the suite by name that are beside the project (paths
    // relative to it); each one that is not gets a warning line, and the suite is built without it.
    std::vector<std::string> resourcesToPack();
    // Names the step that runs, for the watchdog's last line: a tool's name or a progress line.
    void step(std::string_view name);
    std::string currentStep();
    // The road's result is whole: the watchdog stands down. False when it has fired already.
    bool finishWatch();
    // The watchdog has fired, a stop signal has come, or the caller has gone.
    bool stopping();
    // When the Compile-Linux that started this build has gone: the Java it generated and its descriptor.
    void removeStarterOutputs();
    // The Java sources the Compile-Linux that started this build generated (unless they are kept).
    void removeStarterSources();
    // Refuses a phone build whose wireless toolkit lacks the folder or an API library its compiles read;
    // false (the line printed) then.
    bool toolkitComplete();
    // The folders the phone build made, as they were made: a tool that ran since must have written into
    // them, never through a link swapped in their place.
    void noteBuildFolders();
    std::optional<std::string> buildFolderFault() const;
    // After a tool of the road: the project folder deleted, a build folder swapped, a tool that failed
    // (with the cause the kit knows: a full disk). False, its lines printed, when the road cannot go on.
    bool toolSucceeded(const RunResult& result);
    // Removes what the road made of the applet's package folder Game/: the program's classes, those of its
    // record types and includes, and the folder itself once empty.
    void removeAppletWork();

    Console& console_;
    CommandRunner& runner_;
    Settings settings_;
    Project project_;
    guard::FolderLock lock_;
    bool startedByCompile_ = false;  // runs under the lock of the Compile-Linux that started it
    // The game plays: the folder is the next run's, nothing in it is this build's any more.
    bool folderLeft_ = false;
    Watchdog* watchdog_ = nullptr;
    std::mutex stepMutex_;
    std::string step_;
    struct FolderId {
        std::string folder;
        dev_t device = 0;
        ino_t inode = 0;
    };
    std::vector<FolderId> buildFolders_;
};

}  // namespace build
