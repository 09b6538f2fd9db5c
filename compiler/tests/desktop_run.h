// Generated programs run on the desktop JVM through the harness of data/desktop (no phone runtime or
// browser is installed): RunPhone runs a phone project's suite, RunApplet an applet in a window of its
// own under Xvfb. A test builds the project with the kit, runs it with a list of steps (see the harness's
// sources) and reads what the program printed and what the harness reported.
//
//     TempDir dir;
//     ASSERT_EQ(desktop::build(dir, "TB", source).status, 0);
//     desktop::Run run = desktop::phone(dir, {"await 1 ready", "press -1", "await 2 key -1"});
//     EXPECT_EQ(run.printed, (std::vector<std::string>{"ready", "key -1", "key -1"}));
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "test_helpers.h"

namespace desktop {

struct Run {
    int status = -1;
    std::vector<std::string> printed;  // the program's lines (PRINT), in order
    std::vector<std::string> reports;  // the harness's lines, without their "> "
    std::string output;                // everything, for failure messages
};

inline const std::string& kitFolder() {
    static const std::string kit = TZ_KIT_DIR;
    return kit;
}

// The harness's classes, compiled once per test process; "" when javac refused them (the reason in
// `why`).
inline std::string harness(std::string* why = nullptr) {
    static tz::testing::TempDir dir;
    static std::string failure;
    static bool compiled = false;
    if (!compiled) {
        compiled = true;
        const std::string sources = std::string(TZ_TEST_DATA) + "/desktop";
        std::vector<std::string> argv = {"javac",
                                         "-nowarn",
                                         "-Xlint:-removal",
                                         "-encoding",
                                         "UTF-8",
                                         "-cp",
                                         kitFolder() + "/wtk/lib/midpapi20.jar",
                                         "-d",
                                         dir.path()};
        for (const auto& entry : std::filesystem::recursive_directory_iterator(sources)) {
            if (entry.path().extension() == ".java") argv.push_back(entry.path());
        }
        auto javac = tz::testing::runProgram(dir.path(), argv);
        if (javac.status != 0) failure = "javac of the harness: " + javac.output;
    }
    if (why) *why = failure;
    return failure.empty() ? dir.path() : std::string();
}

// Writes Game/Game.tbp for `platform` with `source` as its execution copy and runs Compile-Linux on it:
// the suite (phone) or the class and page (applet) beside it when it succeeds.
inline tz::testing::ProgramRun build(const tz::testing::TempDir& dir, const std::string& platform,
                                     const std::string& source) {
    tz::testing::writeProject(dir / "Game", source, platform);
    return tz::testing::runProgram(dir.path(), {kitFolder() + "/Compile-Linux", dir / "Game/Game"});
}

inline Run parse(const tz::testing::ProgramRun& result) {
    Run run;
    run.status = result.status;
    run.output = result.output;
    for (const std::string& line : tz::testing::splitLines(result.output)) {
        if (line.rfind("> ", 0) == 0) {
            run.reports.push_back(line.substr(2));
        } else {
            run.printed.push_back(line);
        }
    }
    return run;
}

// The phone project of `dir` (built by build) started, then the steps.
inline Run phone(const tz::testing::TempDir& dir, const std::vector<std::string>& steps) {
    std::string why;
    const std::string classes = harness(&why);
    if (classes.empty()) return Run{-1, {}, {}, why};
    const std::string lib = kitFolder() + "/wtk/lib/";
    std::vector<std::string> argv = {"java", "-cp",
                                     classes + ":" + dir / "Game/Game.jar:" + lib + "mmapi.jar:" + lib +
                                         "midpapi20.jar:" + lib + "jsr184.jar:" + lib + "cldcapi11.jar",
                                     "RunPhone", "Game.Game"};
    argv.insert(argv.end(), steps.begin(), steps.end());
    return parse(tz::testing::runProgram(dir / "Game", argv));
}

// The applet of `dir` (built by build) in a window of `size` ("200x150") on a display of its own, then
// the steps. The project folder is the page's folder.
inline Run applet(const tz::testing::TempDir& dir, const std::string& size,
                  const std::vector<std::string>& steps) {
    std::string why;
    const std::string classes = harness(&why);
    if (classes.empty()) return Run{-1, {}, {}, why};
    std::vector<std::string> argv = {"sh",
                                     TZ_SOURCE_DIR "/testing/with-display.sh",
                                     "-s",
                                     "-screen 0 640x480x24",
                                     "java",
                                     "-cp",
                                     classes + ":" + dir / "Game",
                                     "RunApplet",
                                     "Game.Game",
                                     size};
    argv.insert(argv.end(), steps.begin(), steps.end());
    return parse(tz::testing::runProgram(dir / "Game", argv));
}

}  // namespace desktop
