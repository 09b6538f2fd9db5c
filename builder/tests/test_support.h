#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "build.h"
#include "console.h"
#include "runner.h"
#include "standin_tools.h"
#include "temp_dir.h"
#include "test_helpers.h"

namespace build::testing {

namespace fs = std::filesystem;

using tz::testing::processGone;
using tz::testing::readFile;
using tz::testing::splitLines;
using tz::testing::writeFile;

// Waits up to two seconds for the process to end.
inline bool processEnds(pid_t pid) {
    for (int i = 0; i < 200 && !processGone(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return processGone(pid);
}

using tz::testing::TempDir;

// Records every command and answers from `behaviour`; by default each command succeeds and the
// archive command leaves a jar behind, as the real jar tool would.
class FakeRunner : public CommandRunner {
public:
    using Behaviour = std::function<RunResult(const std::vector<std::string>&, const LineSink&)>;

    RunResult run(const std::vector<std::string>& argv, const std::string&, const LineSink& out) override {
        commands.push_back(argv);
        if (behaviour) return behaviour(argv, out);
        return succeed(argv);
    }
    void cancel() override { cancelled = true; }

    // As the real tools would: javac writes each source's class into <-d>/Game/, preverify copies the
    // classes of its input folder into <-d>, and "jar cmf" writes the archive.
    static RunResult succeed(const std::vector<std::string>& argv) {
        const std::string tool = fs::path(argv.at(0)).filename();
        auto output = std::find(argv.begin(), argv.end(), "-d");
        if (tool == "javac" && output != argv.end() && output + 1 != argv.end()) {
            for (const auto& arg : argv)
                if (fs::path(arg).extension() == ".java")
                    writeFile(fs::path(output[1]) / "Game" / (fs::path(arg).stem().string() + ".class"),
                              tz::testing::classFile());
        }
        if (tool == "preverify" && output != argv.end() && output + 1 != argv.end()) {
            fs::path from = fs::path(argv.back()) / "Game";
            std::error_code ignored;
            for (const auto& entry : fs::directory_iterator(from, ignored))
                writeFile(fs::path(output[1]) / "Game" / entry.path().filename(), readFile(entry.path()));
        }
        if (argv.size() > 3 && argv[1] == "cmf") writeFile(argv[3], "PK-fake-jar");
        RunResult result;
        result.started = true;
        result.exitStatus = 0;
        return result;
    }
    static RunResult exitWith(int status) {
        RunResult result;
        result.started = true;
        result.exitStatus = status;
        return result;
    }

    std::vector<std::vector<std::string>> commands;
    Behaviour behaviour;
    bool cancelled = false;
};

// A kit folder (Config.cfg, Include/, VM/) and a project folder with a blank in its name.
class BuildFixture : public ::testing::Test {
protected:
    void SetUp() override {
        kit = temp.folder() / "kit";
        project = temp.folder() / "my project";
        fs::create_directories(kit / "Include");
        fs::create_directories(project);
        tz::testing::writeKitConfig(kit);
        tz::testing::layOutToolkitLibraries(kit / "wtk");
        writeFile(project / "Space.java", "class Space {}\n");
    }

    std::string kitDir() const { return kit.string() + "/"; }
    std::string projectDir() const { return project.string() + "/"; }
    std::string base() const { return projectDir() + "Space"; }

    void writeDescriptor(const std::string& body) { writeFile(project / "Space.tbx", body); }

    // Runs the build on the descriptor's base path; returns the exit status, the lines in `output`.
    int runBuild(Settings settings = {}) { return runBuildWith({base()}, std::move(settings)); }
    int runBuildWith(const std::vector<std::string>& args, Settings settings = {}) {
        if (settings.installDir.empty()) settings.installDir = kit.string();
        std::ostringstream stream;
        Console console(stream);
        Build program(console, runner, settings);
        int status = program.main(args);
        output = splitLines(stream.str());
        return status;
    }

    bool printed(const std::string& line) const {
        return std::find(output.begin(), output.end(), line) != output.end();
    }

    TempDir temp;
    fs::path kit;
    fs::path project;
    FakeRunner runner;
    std::vector<std::string> output;
};

}  // namespace build::testing
