// Whatever way a compile or build ends: Ctrl-C, SIGTERM or SIGHUP to the programs' group, one program
// killed alone, a tool that hangs on any platform's road, a tool that ends well without its output. No
// tool lives on, and the project folder holds what the user put there and, only after a whole build, the
// suite.
#include <gtest/gtest.h>

#include <cstring>

#include "kit_fixture.h"

namespace guard::testing {
namespace {

const Lines kProjectOnly = {"Game.tbp", "GameX.bss"};

std::string signalLine(const std::string& prefix, int signal) {
    return prefix + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
}

class Interrupted : public KitFixture {};

// Ctrl-C at a terminal, a SIGTERM to the group (the editor's stop) or a closed terminal, while a tool
// runs: the programs end their tools and every file of the run, then end by that signal.
TEST_F(Interrupted, StopSignalToTheGroupEndsEveryToolAndLeavesNoFile) {
    struct Step {
        std::string tool;
        std::string body;
        Lines environment;
        bool includeOfTheTypesName = false;  // Include=SPOT, with SPOT.bss beside the project
    };
    const Step steps[] = {
        {"jdk/bin/javac", hangs(), {}},
        // The archive half written when the signal comes: no jar may appear after the end.
        {"jdk/bin/jar", "if [ \"$1\" = cmf ]; then printf PK > \"$3\"; " + hangs() + "fi", {}},
        // A run that keeps its Java when it succeeds (the editor's Convert) keeps none when stopped.
        {"jdk/bin/javac", hangs(), {"TZ_KEEP_JAVA=1"}},
        // The record type's source goes whatever the includes are named.
        {"jdk/bin/javac", hangs(), {}, true},
    };
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const Step& step : steps) {
            const std::string what = std::string(::strsignal(signal)) + " during " + step.tool +
                                     (step.environment.empty() ? "" : " with " + step.environment[0]);
            SetUp();
            writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n", "TB", "Game",
                         step.includeOfTheTypesName ? "Include=SPOT\n" : "");
            if (step.includeOfTheTypesName) writeFile(project / "SPOT.bss", "REM spot\n");
            earlierPhoneSuite();
            tool(step.tool, step.body);
            Started run(compileArgv(), outputFile("compile"), step.environment);
            ASSERT_TRUE(waitUntil([&] { return fs::exists(hanging()); })) << what;
            ::kill(-run.pid(), signal);
            EXPECT_EQ(run.result(), -signal) << what;
            output = run.output();
            EXPECT_TRUE(printed(signalLine("Build stopped by signal ", signal))) << what << "\n" << joined();
            EXPECT_TRUE(printed(signalLine("Compilation stopped by signal ", signal))) << what;
            expectNoToolRunning(what);
            Lines left = kProjectOnly;
            if (step.includeOfTheTypesName) left.push_back("SPOT.bss");
            EXPECT_EQ(tree(project), left) << what;
            TearDown();
        }
    }
}

// One program ended alone, or the reader of the compiler's output gone (the editor that started it).
// Compile-Linux passes a stop on to its Build and says when its Build was ended; Build-Linux stops when
// the Compile-Linux that started it has gone, and takes the compile's files with it.
TEST_F(Interrupted, OneProgramEndedAlone) {
    struct Row {
        std::string what;
        bool compiler;     // the signal goes to Compile-Linux, else to Build-Linux
        int signal;        // 0: the reader of Compile-Linux's output goes
        int status;        // Compile-Linux's result: exit status, or -signal
        std::string line;  // a line Compile-Linux prints
    };
    const Row rows[] = {
        {"SIGTERM to Compile-Linux", true, SIGTERM, -SIGTERM,
         signalLine("Compilation stopped by signal ", SIGTERM)},
        {"SIGKILL to Compile-Linux", true, SIGKILL, -SIGKILL, ""},
        {"SIGTERM to Build-Linux", false, SIGTERM, 1,
         signalLine("Error: Build-Linux ended by signal ", SIGTERM)},
        {"SIGKILL to Build-Linux", false, SIGKILL, 1,
         signalLine("Error: Build-Linux ended by signal ", SIGKILL)},
        {"the compiler's reader gone", true, 0, 1, ""},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n");
        earlierPhoneSuite();
        tool("jdk/bin/javac", hangs());
        Started run(compileArgv(), outputFile("compile"), {}, row.signal == 0);
        ASSERT_TRUE(waitUntil([&] { return fs::exists(hanging()); })) << row.what;
        const pid_t javac = toolPids().front();
        const pid_t build = parentOf(javac);
        if (row.signal == 0)
            run.closeOutput();
        else
            ::kill(row.compiler ? run.pid() : build, row.signal);
        EXPECT_EQ(run.result(), row.status) << row.what;
        output = run.output();
        if (!row.line.empty()) {
            EXPECT_TRUE(printed(row.line)) << row.what << "\n" << joined();
        }
        EXPECT_TRUE(waitUntil([&] { return gone(build); })) << row.what << ": Build-Linux lives on";
        expectNoToolRunning(row.what);
        EXPECT_TRUE(waitUntil([&] { return tree(project) == kProjectOnly; })) << row.what;
        EXPECT_EQ(tree(project), kProjectOnly) << row.what;
        TearDown();
    }
}

// A tool that never ends, on every platform's road: the watchdog ends it, names it, and nothing of the
// run or of an earlier build is left.
TEST_F(Interrupted, WatchdogHoldsOnEveryRoad) {
    struct Row {
        std::string platform;
        std::string tool;
        std::string step;
    };
    const Row rows[] = {
        {"TB", "jdk/bin/javac", "javac"},
        {"TB", "wtk/bin/preverify", "preverify"},
        {"TB", "jdk/bin/jar", "jar"},
        {"Applet", "jdk/bin/javac", "javac"},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject("PRINT \"a\"\n", row.platform);
        if (row.platform == "TB") earlierPhoneSuite();
        if (row.platform == "Applet") earlierApplet();
        tool(row.tool, hangs());
        // Long enough for the steps before the hanging one on a busy machine.
        EXPECT_EQ(compile({"TZ_BUILD_TIMEOUT_MS=2000"}), 1) << row.platform << " " << row.tool;
        ASSERT_GE(output.size(), 3u);
        EXPECT_EQ(Lines(output.end() - 3, output.end()),
                  (Lines{"The compilation has timed out; this is usually caused by a problem with the Tesvo "
                         "Zorid Compiler.",
                         "Please contact support@tesvozorid.example along with your source code.",
                         "The step that timed out: " + row.step}))
            << joined();
        expectNoToolRunning(row.step);
        EXPECT_FALSE(fs::exists(project / "Game.jar") || fs::exists(project / "Game.jad")) << row.step;
        EXPECT_FALSE(fs::exists(project / "Game.html") || fs::exists(project / "Game/Game.class"))
            << row.step;
        for (const char* work :
             {"Game.java", "Game.tbx", "MANIFEST.MF", "CBuild.bat", "RunGame.bat", "tmpclasses", "classes"})
            EXPECT_FALSE(fs::exists(project / work)) << row.step << ": " << work;
        TearDown();
    }
}

class OneBuildAtATime : public KitFixture {};

// Two compiles of one project started together: the second waits for the first, says so, and then builds;
// both end with a whole suite. A Build-Linux started by a compile runs under that compile's lock, and a
// Build-Linux started on its own waits before its watchdog counts.
TEST_F(OneBuildAtATime, TheSecondWaitsAndThenBuilds) {
    writeProject("PRINT \"a\"\n");
    const fs::path gate = root / "gate";
    tool("jdk/bin/javac", waitsFor(gate) + tz::testing::kJavacStandIn);
    const std::string waiting =
        "Another compile or build is running in the project folder; waiting for it to end";

    Started first(compileArgv(), outputFile("first"));
    ASSERT_TRUE(waitUntil([&] { return toolsStarted() >= 1; }));
    Started second(compileArgv(), outputFile("second"));
    Started alone({(kit / "Build-Linux").string(), (project / "Game").string()}, outputFile("alone"),
                  {"TZ_BUILD_TIMEOUT_MS=4000"});
    ASSERT_TRUE(waitUntil([&] { return second.printed(waiting) && alone.printed(waiting); }));
    // Longer than the lone build's watchdog period: its wait is not its build.
    std::this_thread::sleep_for(std::chrono::milliseconds(4500));
    writeFile(gate, "");

    EXPECT_EQ(first.result(), 0) << readFile(outputFile("first"));
    EXPECT_EQ(second.result(), 0) << readFile(outputFile("second"));
    EXPECT_EQ(alone.result(), 0) << readFile(outputFile("alone"));
    EXPECT_FALSE(first.printed(waiting));
    EXPECT_EQ(first.output().back(), "Program compiled");
    EXPECT_EQ(second.output().back(), "Program compiled");
    EXPECT_EQ(readFile(project / "Game.jar"), "PK");
    EXPECT_NE(readFile(project / "Game.jad").find("MIDlet-Jar-Size: 2\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(project / ".tzlock"));
}

// A link at the lock file's place is replaced, never followed; a lock file that still cannot be taken
// (a folder of that name) refuses the run with one line naming it and the reason, and nothing is written.
TEST_F(OneBuildAtATime, LockFileThatCannotBeTakenRefusesTheRun) {
    struct Row {
        std::string what;
        std::function<void(const fs::path&)> make;  // makes the lock file's place
        bool refused;
    };
    const fs::path outside = root / "outside";
    const Row rows[] = {
        {"a dangling link", [&](const fs::path& at) { fs::create_symlink(outside / "none", at); }, false},
        {"a link to a file",
         [&](const fs::path& at) {
             writeFile(outside / "file", "theirs\n");
             fs::create_symlink(outside / "file", at);
         },
         false},
        {"a link to a folder",
         [&](const fs::path& at) {
             fs::create_directories(outside / "folder");
             fs::create_symlink(outside / "folder", at);
         },
         false},
        {"a folder", [&](const fs::path& at) { fs::create_directories(at); }, true},
        {"a folder with a file", [&](const fs::path& at) { writeFile(at / "x", "x"); }, true},
    };
    const std::string line = "Error: The project folder's lock file cannot be taken: ";
    for (const Row& row : rows) {
        for (const bool alone : {false, true}) {
            const std::string what = row.what + (alone ? " for Build-Linux" : " for Compile-Linux");
            SetUp();
            writeProject("PRINT \"a\"\n");
            if (alone) writeFile(project / "Game.tbx", "Main=Game.bss\nRun=0\nName=Game\nPlatform=Applet\n");
            row.make(project / ".tzlock");
            fs::create_directories(outside);
            const Lines before = tree(root);
            const Lines outsideBefore = tree(outside);
            const int status = alone ? build() : compile();
            expectNoToolRunning(what);
            EXPECT_EQ(tree(outside), outsideBefore) << what;
            if (fs::exists(outside / "file")) {
                EXPECT_EQ(readFile(outside / "file"), "theirs\n") << what;
            }
            if (row.refused) {
                EXPECT_EQ(status, 1) << what;
                EXPECT_EQ(output.back(),
                          line + (project / ".tzlock").string() + " (" + ::strerror(EISDIR) + ")")
                    << what << "\n"
                    << joined();
                EXPECT_EQ(toolsStarted(), 0u) << what;
                EXPECT_EQ(tree(root), before) << what;
            } else {
                EXPECT_EQ(status, 0) << what << "\n" << joined();
                EXPECT_FALSE(fs::exists(project / ".tzlock") || fs::is_symlink(project / ".tzlock")) << what;
            }
            TearDown();
        }
    }
}

// A tool that ends well without writing what it is for fails the build: no "Program compiled", status 1,
// no suite.
TEST_F(OneBuildAtATime, ToolThatWritesNothingFailsTheBuild) {
    struct Row {
        std::string platform;
        std::string tool;
        std::string missing;  // relative to the project folder
    };
    const Row rows[] = {
        {"TB", "jdk/bin/javac", "tmpclasses/Game/SPOT.class"},
        {"TB", "wtk/bin/preverify", "classes/Game/Game.class"},
        {"TB", "jdk/bin/jar", "Game.jar"},
        {"Applet", "jdk/bin/javac", "Game/Game.class"},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n", row.platform);
        tool(row.tool, "exit 0");
        const std::string tool = fs::path(row.tool).filename();
        EXPECT_EQ(compile(), 1) << row.tool;
        EXPECT_FALSE(printed("Program compiled")) << row.tool;
        EXPECT_TRUE(printed("Error: " + tool + " ended without writing " + (project / row.missing).string()))
            << joined();
        EXPECT_EQ(tree(project), kProjectOnly) << row.tool;
        TearDown();
    }
}

}  // namespace
}  // namespace guard::testing
