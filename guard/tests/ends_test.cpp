// Whatever way a compile or build ends: Ctrl-C, SIGTERM or SIGHUP to the programs' group, one program
// killed alone, a tool that hangs on any platform's road, a tool that ends well without its output. No
// tool lives on, and the project folder holds what the user put there and, only after a whole build, the
// suite.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <cstring>

#include "kit_fixture.h"

namespace guard::testing {
namespace {

const Lines kProjectOnly = {"Game.tbp", "GameX.bss"};
const std::string kWaitingLine =
    "Another compile or build is running in the project folder; waiting for it to end";

std::string signalLine(const std::string& prefix, int signal) {
    return prefix + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
}

class Interrupted : public KitFixture {};

// Ctrl-C at a terminal, a SIGTERM to the group (the editor's stop) or a closed terminal, at every step that
// waits: the lock, each tool, the jar writer with its partial file, the resource script, an applet's javac.
// The programs end their tools and every file of the run, then end by that signal.
TEST_F(Interrupted, StopSignalToTheGroupEndsEveryToolAndLeavesNoFile) {
    struct Step {
        std::string what;
        std::string tool;  // "" for no tool: the lock is held by another run
        std::string body;
        Lines environment = {};
        bool includeOfTheTypesName = false;  // Include=SPOT, with SPOT.bss beside the project
        std::string platform = "TB";
        bool alone = false;      // Build-Linux started on its own
        std::string image = {};  // an image beside the project, for the resource script to add
    };
    const Step steps[] = {
        {"javac", "jdk/bin/javac", hangs()},
        {"preverify", "wtk/bin/preverify", hangs()},
        // The archive half written when the signal comes: no jar may appear after the end, nor the
        // partial file the kit's jar writes beside it.
        {"jar", "jdk/bin/jar", "if [ \"$1\" = cmf ]; then printf PK > \"$3\"; " + hangs() + "fi"},
        {"the jar writer", "jdk/bin/jar",
         "if [ \"$1\" = cmf ]; then printf PK > \".$3.$$-0.tzpart\"; " + hangs() + "fi"},
        {"the resource script",
         "jdk/bin/jar",
         "if [ \"$1\" = cmf ]; then printf PK > \"$3\"; else " + hangs() + "fi",
         {},
         false,
         "TB",
         false,
         "ship.png"},
        // A run that keeps its Java when it succeeds (the editor's Convert) keeps none when stopped.
        {"javac keeping the Java", "jdk/bin/javac", hangs(), {"TZ_KEEP_JAVA=1"}},
        // The record type's source goes whatever the includes are named.
        {"javac with an include", "jdk/bin/javac", hangs(), {}, true},
        // The package folder an applet's javac makes goes with its class.
        {"an applet's javac",
         "jdk/bin/javac",
         "mkdir -p Game && printf x > Game/Game.class\n" + hangs(),
         {},
         false,
         "Applet"},
        {"the lock's wait", "", ""},
        {"Build-Linux alone at the lock's wait", "", "", {}, false, "TB", true},
    };
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const Step& step : steps) {
            const std::string what = std::string(::strsignal(signal)) + " during " + step.what;
            SetUp();
            writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n", step.platform, "Game",
                         step.includeOfTheTypesName ? "Include=SPOT\n" : "");
            if (step.includeOfTheTypesName) writeFile(project / "SPOT.bss", "REM spot\n");
            if (step.platform == "TB") earlierPhoneSuite();
            if (step.platform == "Applet") earlierApplet();
            Lines left = kProjectOnly;
            if (step.includeOfTheTypesName) left.push_back("SPOT.bss");
            if (!step.image.empty()) {
                writeFile(project / step.image, "png");
                left.push_back(step.image);
            }
            // Another run holds the folder's lock: this one waits for it, and touches nothing there.
            int held = -1;
            if (step.tool.empty()) {
                held = ::open((project / ".tzlock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
                ASSERT_EQ(::flock(held, LOCK_EX), 0);
                if (step.alone)
                    writeFile(project / "Game.tbx", "Main=Game.bss\nRun=0\nName=Game\nPlatform=J2ME\n");
                left = tree(project);
            } else {
                tool(step.tool, step.body);
            }
            const Lines argv = step.alone ? Lines{(kit / "Build-Linux").string(), (project / "Game").string()}
                                          : compileArgv();
            Started run(argv, outputFile("compile"), step.environment);
            if (step.tool.empty()) {
                ASSERT_TRUE(waitUntil([&] { return run.printed(kWaitingLine); })) << what;
            } else {
                ASSERT_TRUE(waitUntil([&] { return fs::exists(hanging()); })) << what;
            }
            ::kill(-run.pid(), signal);
            EXPECT_EQ(run.result(), -signal) << what;
            output = run.output();
            if (!step.tool.empty() || step.alone) {
                EXPECT_TRUE(printed(signalLine("Build stopped by signal ", signal))) << what << "\n"
                                                                                     << joined();
            }
            if (!step.alone) {
                EXPECT_TRUE(printed(signalLine("Compilation stopped by signal ", signal))) << what;
            }
            expectNoToolRunning(what);
            std::sort(left.begin(), left.end());
            EXPECT_EQ(tree(project), left) << what;
            if (held >= 0) ::close(held);
            TearDown();
        }
    }
}

// One program ended alone, or the reader of the compiler's output gone (the editor that started it).
// Compile-Linux passes a stop on to its Build and says when its Build was ended; Build-Linux stops when
// the Compile-Linux that started it has gone, and takes the compile's files with it. A Build that does
// not end after the stop is passed on is killed after a grace: the stop still ends the run.
TEST_F(Interrupted, OneProgramEndedAlone) {
    struct Row {
        std::string what;
        bool compiler;            // the signal goes to Compile-Linux, else to Build-Linux
        int signal;               // 0: the reader of Compile-Linux's output goes
        int status;               // Compile-Linux's result: exit status, or -signal
        std::string line;         // a line Compile-Linux prints
        bool stuckBuild = false;  // a Build-Linux that ignores every stop, and a tool it left
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
        {"SIGTERM to Compile-Linux whose Build does not stop", true, SIGTERM, -SIGTERM,
         signalLine("Error: Build-Linux ended by signal ", SIGKILL), true},
        {"the compiler's reader gone while its Build does not stop", true, 0, 1, "", true},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n");
        earlierPhoneSuite();
        tool("jdk/bin/javac", hangs());
        if (row.stuckBuild) {
            fs::remove(kit / "Build-Linux");
            tool("Build-Linux", "trap '' TERM INT HUP\nmkdir tmpclasses\n" + hangs());
        }
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

// Once "Program compiled" is printed the suite stays, whatever ends the game. The emulator the toolkit holds
// plays it in the project folder after the folder is left to the next run: a compile started meanwhile
// does not wait, and a stop during the game (Ctrl-C, the editor's SIGTERM, a closed terminal) takes
// nothing with it. For a game of the language and for a Java project built by Build-Linux alone.
TEST_F(Interrupted, TheGamePlaysOnOnceItsSuiteIsWhole) {
    const std::string javaProject = "package Game;\npublic class Game {}\n";
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const bool alone : {false, true}) {
            const std::string what = std::string(::strsignal(signal)) +
                                     (alone ? " to Build-Linux's game" : " to the compiler's game");
            SetUp();
            const fs::path arguments = logs / "emulator";
            tool("wtk/bin/emulator", "pwd -P > " + shellQuote(arguments.string()) +
                                         "\nfor a in \"$@\"; do echo \"$a\" >> " +
                                         shellQuote(arguments.string()) + "; done\n" + hangs());
            auto play = [&](const std::string& run) {
                if (alone) {
                    writeFile(project / "Game.java", javaProject);
                    writeFile(project / "Game.tbx",
                              "Main=Game.java\nRun=" + run + "\nName=Game\nPlatform=J2ME\n");
                } else {
                    writeFile(project / "Game.tbp",
                              "Main=Game\nRun=" + run + "\nName=Game\nPlatform=TB\nInc=true\n");
                    writeFile(project / "GameX.bss", "PRINT \"a\"\n");
                }
            };
            play("1");
            const Lines argv =
                alone ? Lines{(kit / "Build-Linux").string(), (project / "Game").string()} : compileArgv();
            Started game(argv, outputFile("game"));
            ASSERT_TRUE(waitUntil([&] { return fs::exists(hanging()); })) << what << "\n"
                                                                          << readFile(outputFile("game"));
            EXPECT_EQ(splitLines(readFile(arguments)), (Lines{fs::canonical(project).string(), "-classpath",
                                                              "Game.jar", "-Xdescriptor:Game.jad"}))
                << what;
            EXPECT_TRUE(game.printed("Program compiled")) << what;
            EXPECT_FALSE(fs::exists(project / ".tzlock")) << what;

            // The next run takes the folder at once, and builds.
            play("0");
            EXPECT_EQ(alone ? build() : compile(), 0) << what << "\n" << joined();
            EXPECT_FALSE(printed(kWaitingLine)) << what;

            ::kill(-game.pid(), signal);
            EXPECT_EQ(game.result(), -signal) << what;
            expectNoToolRunning(what);
            Lines left = {"Game.jad", "Game.jar", "Game.tbp", "Game.tbx", "GameX.bss", "RunGame.bat"};
            if (alone) left = {"Game.jad", "Game.jar", "Game.java", "Game.tbx", "RunGame.bat"};
            for (const char* folder : {"classes", "classes/Game", "tmpclasses", "tmpclasses/Game"})
                left.push_back(folder);
            Lines found;
            for (const auto& entry : tree(project))
                if (entry.find('/') == std::string::npos || entry.ends_with("/Game")) found.push_back(entry);
            std::sort(left.begin(), left.end());
            EXPECT_EQ(found, left) << what;
            TearDown();
        }
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
    const std::string& waiting = kWaitingLine;

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
