#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "console.h"
#include "project.h"
#include "runner.h"

namespace build {

struct Settings {
    std::string installDir;                    // the kit folder that holds Config.cfg (no trailing "/")
    std::chrono::milliseconds timeout{30000};  // the MIDlet build's watchdog period
};

inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;

// The build program from its arguments to its exit status: reads <base>.tbx and Config.cfg, then builds
// one platform: "J2ME" (MIDlet suite), "PC"/"PPC" (runtime copy), "Applet" (class and page).
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
    // Runs one child with its lines relayed; prints why it could not start.
    RunResult runRelayed(const std::vector<std::string>& argv);
    int writeFailure(const std::string& description);
    // Keeps the includes that are Java classes (`<name>.java` beside the project) for javac and drops the
    // source includes (`<name>.bss`), which the compiler has merged into the program already. An include
    // with neither file is reported; false then.
    bool sortIncludes();
    // The files the program's sources load from the suite by name that are beside the project (paths
    // relative to it); each one that is not gets a warning line, and the suite is built without it.
    std::vector<std::string> resourcesToPack();

    Console& console_;
    CommandRunner& runner_;
    Settings settings_;
    Project project_;
};

}  // namespace build
