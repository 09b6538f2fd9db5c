// idle_canvas_bench: what a game whose canvas waits for a key costs the processor. Two phone programs
// built by the kit run on the desktop JVM through the test harness (compiler/tests/data/desktop): one
// shows a canvas whose LOOP runs once a second and holds no key, the other shows nothing. Each runs for
// the given time; the bench prints the processor time of the whole JVM and of the canvas's key-repeat
// thread. A repeat thread that waited by spinning took a whole core: its time matched the wall time.
//
//   idle_canvas_bench [--seconds 10] [--kit DIR]
//
// --kit measures another kit folder (one built from an earlier commit, say) in place of this build's.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "kit/process.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using Argv = std::vector<std::string>;
using tz::testing::readFile;

constexpr const char* kIdleCanvas =
    "CANVAS PAD\nACTION PAINT\nCLS\nENDACTION\nACTION KEYPRESSED\nPRINT STR$(GETKEY())\nENDACTION\n"
    "ACTION LOOP 1000\nREPAINT\nENDACTION\nENDCANVAS\nSETDISPLAY PAD\n";
constexpr const char* kNoCanvas = "PRINT \"ready\"\n";

// Runs argv in `folder` with both output streams to `log`; the exit status, or -1.
int run(const Argv& argv, const fs::path& folder, const fs::path& log) {
    kit::Command command;
    command.argv = argv;
    command.searchPath = true;
    command.workDir = folder.string();
    command.input = kit::Stream::Null;
    command.output = kit::Stream::File;
    command.file = log.string();
    command.errors = kit::Stream::Output;
    const kit::Exit exit = kit::run(command);
    return exit.started() && exit.signal == 0 ? exit.status : -1;
}

// The project Game in `folder` built by the kit's Compile-Linux; false (the log printed) when it failed.
bool build(const fs::path& kit, const fs::path& folder, const std::string& source) {
    tz::testing::writeProject(folder, source);
    if (run({(kit / "Compile-Linux").string(), (folder / "Game").string()}, folder, folder / "build.log") ==
        0)
        return true;
    std::cerr << readFile(folder / "build.log");
    return false;
}

// The harness's "> cpu process N ms repeat M ms" line of a run's log, or "" when it has none.
std::string cpuLine(const fs::path& log) {
    std::istringstream in(readFile(log));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("> cpu ", 0) == 0) return line.substr(2);
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    fs::path kit = TZ_KIT_DIR;
    int seconds = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--seconds" && i + 1 < argc) {
            seconds = std::atoi(argv[++i]);
        } else if (option == "--kit" && i + 1 < argc) {
            kit = argv[++i];
        } else {
            std::cerr << "usage: idle_canvas_bench [--seconds 10] [--kit DIR]\n";
            return 2;
        }
    }
    char pattern[] = "/tmp/tz-idle-canvas-bench-XXXXXX";
    const fs::path work = ::mkdtemp(pattern);
    const fs::path harness = work / "harness";
    fs::create_directories(harness);
    const std::string lib = (kit / "wtk/lib/").string();
    Argv javac = {"javac", "-nowarn",       "-Xlint:-removal", "-cp", lib + "midpapi20.jar",
                  "-d",    harness.string()};
    for (const auto& entry : fs::recursive_directory_iterator(TZ_DESKTOP_HARNESS)) {
        if (entry.path().extension() == ".java") javac.push_back(entry.path().string());
    }
    if (run(javac, work, work / "javac.log") != 0) {
        std::cerr << readFile(work / "javac.log");
        return 1;
    }

    std::cout << "Each program runs for " << seconds << " s on the desktop JVM\n";
    const struct {
        const char* label;
        const char* source;
    } programs[] = {{"an idle canvas", kIdleCanvas}, {"no canvas     ", kNoCanvas}};
    int status = 0;
    for (const auto& program : programs) {
        const fs::path folder = work / (program.source == kIdleCanvas ? "idle" : "plain");
        if (!build(kit, folder, program.source)) return 1;
        const Argv java = {"java",
                           "-cp",
                           harness.string() + ":" + (folder / "Game.jar").string() + ":" + lib +
                               "mmapi.jar:" + lib + "midpapi20.jar:" + lib + "jsr184.jar:" + lib +
                               "cldcapi11.jar",
                           "RunPhone",
                           "Game.Game",
                           "sleep " + std::to_string(seconds * 1000),
                           "cpu"};
        const std::string line =
            run(java, folder, folder / "run.log") == 0 ? cpuLine(folder / "run.log") : "";
        if (line.empty()) {
            std::cerr << readFile(folder / "run.log");
            status = 1;
            continue;
        }
        // "cpu process N ms repeat M ms"; a program without a canvas has no repeat thread ("none").
        std::cout << program.label << ": " << line << "\n";
    }
    fs::remove_all(work);
    return status;
}
