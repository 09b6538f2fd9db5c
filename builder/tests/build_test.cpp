#include "build.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "guard/outputs.h"
#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;
using testing::readFile;
using testing::writeFile;
namespace fs = std::filesystem;

const Lines kBanner = {"Welcome to the Tesvo Zorid Build Utility", "Public Release Version (1.1.0)",
                       "This program comes with ABSOLUTELY NO WARRANTY; use it at your own risk.", "**"};

std::string midletDescriptor(const std::string& extra = "", const std::string& run = "0") {
    return "// Tesvo Zorid v1.1.0 Project File\nMain=Space.bss\nRun=" + run +
           "\nName=Space\nPlatform=J2ME\n3D=false\nFloats=false\nMappy=false\nMM=false\nImage=false\n"
           "Sound=false\nMidi=false\nVideo=false\nInc=false\nCLDC=10\n" +
           extra;
}

Lines afterBanner(const Lines& output) {
    return output.size() < 4 ? Lines{} : Lines(output.begin() + 4, output.end());
}

class BuildRun : public testing::BuildFixture {};

TEST_F(BuildRun, WrongArgumentCountPrintsOnlyTheArgumentMessage) {
    for (const Lines& args : {Lines{}, Lines{"a", "b"}}) {
        EXPECT_EQ(runBuildWith(args), kFailure);
        EXPECT_EQ(output, Lines{"Error: The number of arguments is incorrect, please ensure that you have "
                                "provided the descriptor file"});
    }
}

TEST_F(BuildRun, UnreadableDescriptorOrConfigEndsAfterTheBanner) {
    std::string descriptor = base() + ".tbx";
    std::string quoted = "Error: Could not access project descriptor file \"" + descriptor + "\"";
    struct Row {
        std::optional<std::string> body;
        bool config;
        Lines expected;
    };
    const Row rows[] = {
        {std::nullopt, true, {descriptor + " (No such file or directory)", quoted}},
        {"Name=Space\nRun= 1\n", true, {"For input string: \" 1\"", quoted}},
        {"Name=Space\n", true, {"Cannot parse null string", quoted}},
        {"Run=0\nName=Space\nPlatform=J2ME\n",
         false,
         {"Could not find Config.cfg. Run the Editor to generate this file"}},
    };
    for (const auto& row : rows) {
        fs::remove(project / "Space.tbx");
        if (row.body) writeDescriptor(*row.body);
        if (!row.config) fs::remove(kit / "Config.cfg");
        EXPECT_EQ(runBuild(), kFailure);
        Lines expected = kBanner;
        expected.insert(expected.end(), row.expected.begin(), row.expected.end());
        EXPECT_EQ(output, expected);
        EXPECT_TRUE(runner.commands.empty());
    }
}

TEST_F(BuildRun, PlatformWordMustMatchExactly) {
    const std::pair<std::string, std::string> rows[] = {
        {"Platform=j2me\n", "j2me"}, {"Platform=APPLET\n", "APPLET"}, {"", ""}, {"Platform=\n", ""}};
    for (const auto& [line, shown] : rows) {
        writeDescriptor("Run=0\nName=Space\n" + line);
        EXPECT_EQ(runBuild(), kFailure);
        EXPECT_EQ(afterBanner(output), Lines{"Build Error: Unknown platform" + shown});
    }
}

TEST_F(BuildRun, MidletBuildWritesSuiteAndCleansUp) {
    writeDescriptor(midletDescriptor());
    ASSERT_EQ(runBuild(), kSuccess);
    EXPECT_EQ(afterBanner(output),
              (Lines{"Writing Manifest File", "**", "Preparing Directories", "**", "Copying Support Files",
                     "**", "Determing Compilation & Build Tasks", "**", "Compiling", "**", "**",
                     "Writing JAD File", "**", "Program compiled"}));
    EXPECT_EQ(runner.commands.size(), 4u);
    EXPECT_EQ(
        readFile(project / "Space.jad"),
        "MIDlet-1: Space,,Game.Space\nMIDlet-Name: Space\nMIDlet-Version: 1.0\nMIDlet-Vendor: Brinmoor\n"
        "MIDlet-Jar-Size: 11\nMIDlet-Jar-URL: Space.jar\n");
    for (const char* gone : {"MANIFEST.MF", "CBuild.bat"}) EXPECT_FALSE(fs::exists(project / gone));
    for (const char* kept : {"Space.tbx", "RunGame.bat", "tmpclasses/Game", "classes/Game"})
        EXPECT_TRUE(fs::exists(project / kept)) << kept;
    EXPECT_EQ(readFile(project / "Space.java"), "class Space {}\n");
}

// Whatever becomes of the build, the main class's source stays: in a Java project it is the user's only
// copy. A build that fails leaves neither a suite nor its manifest and build script.
TEST_F(BuildRun, SourceStaysAndAFailureLeavesNoHalfSuite) {
    struct Row {
        std::string what;
        std::string blocked;                   // made a folder, so that its writer fails
        std::optional<size_t> failingCommand;  // of main javac, preverify, jar, script
        bool includeFlag = false;              // with no support classes in the kit: the copy fails
    };
    const Row rows[] = {
        {"succeeds", "", std::nullopt},
        {"main compile fails", "", 0},
        {"archive fails", "", 2},
        {"support copy fails", "", std::nullopt, true},
        {"build script unwritable", "CBuild.bat", std::nullopt},
        {"run script unwritable", "RunGame.bat", std::nullopt},
        {"JAD unwritable", "Space.jad", std::nullopt},
    };
    for (const auto& row : rows) {
        writeFile(project / "Space.java", "class Space {}\n");
        std::string descriptor = midletDescriptor();
        if (row.includeFlag) descriptor.replace(descriptor.find("Inc=false"), 9, "Inc=true");
        writeDescriptor(descriptor);
        if (!row.blocked.empty()) {
            fs::remove_all(project / row.blocked);
            fs::create_directories(project / row.blocked);
        }
        runner.commands.clear();
        runner.behaviour = [&](const Lines& argv, const LineSink&) {
            if (row.failingCommand && runner.commands.size() - 1 == *row.failingCommand)
                return testing::FakeRunner::exitWith(1);
            return testing::FakeRunner::succeed(argv);
        };
        bool succeeds = row.what == "succeeds";
        EXPECT_EQ(runBuild(), succeeds ? kSuccess : kFailure) << row.what;
        EXPECT_EQ(readFile(project / "Space.java"), "class Space {}\n") << row.what;
        EXPECT_FALSE(fs::exists(project / "MANIFEST.MF")) << row.what;
        if (row.blocked != "CBuild.bat") {
            EXPECT_FALSE(fs::exists(project / "CBuild.bat")) << row.what;
        }
        EXPECT_EQ(fs::exists(project / "Space.jar"), succeeds) << row.what;
        if (row.blocked != "Space.jad") {
            EXPECT_EQ(fs::exists(project / "Space.jad"), succeeds) << row.what;
        }
        if (!row.blocked.empty()) fs::remove_all(project / row.blocked);
    }
}

TEST_F(BuildRun, ClassesOfAnEarlierBuildAreRemoved) {
    writeFile(project / "tmpclasses/Game/Old.class", "old");
    writeFile(project / "classes/Game/Old.class", "old");
    writeFile(project / "classes/Stray/Other.class", "old");
    writeFile(project / "Space.jar", "stale jar");
    writeDescriptor(midletDescriptor());
    runner.behaviour = [this](const Lines& argv, const LineSink&) {
        if (argv[1] == "cmf") {
            EXPECT_FALSE(fs::exists(project / "Space.jar"));
        }
        return testing::FakeRunner::succeed(argv);
    };
    ASSERT_EQ(runBuild(), kSuccess);
    EXPECT_FALSE(fs::exists(project / "tmpclasses/Game/Old.class"));
    EXPECT_FALSE(fs::exists(project / "classes/Game/Old.class"));
    EXPECT_FALSE(fs::exists(project / "classes/Stray"));
}

// A failing step stops the build: its messages stay visible, then "Internal Error"; no JAD, no jar. A step
// that failed on a disk with no room left says so in a line of the kit's own.
TEST_F(BuildRun, FailingStepEndsWithInternalError) {
    struct Row {
        size_t failingIndex;  // of the four commands: main javac, preverify, jar, script
        bool startFailure;
        bool diskFull = false;
    };
    const std::string full = "Error: No space is left on the disk of the project folder " + projectDir();
    for (const Row& row : {Row{0, false}, Row{1, false}, Row{3, false}, Row{0, true}, Row{0, false, true},
                           Row{2, false, true}}) {
        writeFile(project / "Space.java", "class Space {}\n");
        fs::remove(project / "Space.jad");
        writeDescriptor(midletDescriptor());
        runner.commands.clear();
        runner.behaviour = [&](const Lines& argv, const LineSink& out) {
            if (runner.commands.size() - 1 != row.failingIndex) return testing::FakeRunner::succeed(argv);
            RunResult result;
            if (row.startFailure) {
                result.error = "Cannot run program \"" + argv[0] + "\": No such file or directory";
                return result;
            }
            out("Space.java:3: error: ';' expected");
            return testing::FakeRunner::exitWith(1);
        };
        Settings settings;
        settings.diskFull = [&] { return row.diskFull; };
        EXPECT_EQ(runBuild(settings), kFailure);
        EXPECT_EQ(runner.commands.size(), row.failingIndex + 1);
        std::string message = row.startFailure ? "Cannot run program \"" + kitDir() +
                                                     "jdk/bin/javac\": No such "
                                                     "file or directory"
                                               : "Space.java:3: error: ';' expected";
        Lines expected{message, "Internal Error"};
        if (row.diskFull) expected.insert(expected.begin() + 1, full);
        ASSERT_GE(output.size(), expected.size());
        EXPECT_EQ(Lines(output.end() - static_cast<long>(expected.size()), output.end()), expected);
        EXPECT_FALSE(fs::exists(project / "Space.jad"));
        EXPECT_FALSE(fs::exists(project / "Space.jar"));
        EXPECT_FALSE(fs::exists(project / "MANIFEST.MF"));
    }
}

// The files the program's sources load by name: those in the project folder that no pattern of the build
// script takes are added by name; each missing one is a warning, and the suite still builds.
TEST_F(BuildRun, NamedResourcesArePackedOrWarnedAbout) {
    writeFile(project / "Space.java",
              "class Space { void load() {\n"
              "  ship = Image.createImage(\"/ship.png\");\n"
              "  incMidi.LoadMidi(\"tune.mid\");\n"
              "  world = Loader.load(\"/models/scene.m3g\");\n"
              "  gone = Image.createImage(\"/gone.png\");\n"
              "  up = Image.createImage(\"../outside.png\");\n"
              "  net = Image.createImage(\"/models\");\n"
              "  sound = incSound.LoadSound(\"http://example.org/a.wav\", 1);\n"
              "} }\n");
    writeFile(project / "Util.java",
              "class Util { Object o = getClass().getResourceAsStream(\"/it's.dat\"); }");
    writeFile(project / "Util2.java", "class Util2 { Object o = Image.createImage(\"/gone.png\"); }");
    for (const char* file : {"ship.png", "tune.mid", "models/scene.m3g", "it's.dat"})
        writeFile(project / file, "x");
    writeFile(temp.folder() / "outside.png", "x");
    writeDescriptor(midletDescriptor("Include0=Util\nInclude1=Util2\n"));
    Lines script;
    runner.behaviour = [&](const Lines& argv, const LineSink&) {
        if (argv[0] == "/bin/sh") script = testing::splitLines(readFile(argv[1]));
        return testing::FakeRunner::succeed(argv);
    };
    ASSERT_EQ(runBuild(), kSuccess);
    auto at = std::find(output.begin(), output.end(), "Determing Compilation & Build Tasks");
    ASSERT_GE(output.end() - at, 4);
    EXPECT_EQ(Lines(at + 1, at + 4),
              (Lines{"Warning: Could not find resource file \"" + projectDir() + "gone.png\"",
                     "Warning: Could not find resource file \"" + projectDir() + "../outside.png\"",
                     "Warning: Could not find resource file \"" + projectDir() + "models\""}));
    ASSERT_FALSE(script.empty());
    EXPECT_EQ(script.back(),
              "'" + kitDir() + "jdk/bin/jar' uf 'Space.jar' 'models/scene.m3g' 'it'\\''s.dat'");
}

// An include is a Java class when its .java is beside the project, else a source of the language when its
// .bss is (the compiler has merged it into the program); one with neither ends the build with one message
// and no suite, on the phone road and the applet road alike.
TEST_F(BuildRun, IncludesAreJavaClassesOrSourcesOfTheLanguage) {
    writeFile(project / "Util.java", "class Util {}\n");
    writeFile(project / "maps.bss", "FUNCTION M()\nENDFUNCTION\n");
    writeFile(project / "Both.bss", "REM a source of the same name\n");
    writeFile(project / "Both.java", "class Both {}\n");
    // A record type's source the compiler left (it carries the compiler's mark) is no class of the user's.
    const std::string left = "class Spot {}\n" + std::string(guard::kGeneratedMarker) + "\n";
    writeFile(project / "Spot.java", left);
    writeFile(project / "Spot.bss", "REM an include of the language\n");
    writeFile(project / "Stale.java", left);
    const std::string includes = "Include0=Util\nInclude1=maps\nInclude2=Both\nInclude3=Spot\n";
    writeDescriptor(midletDescriptor(includes));
    ASSERT_EQ(runBuild(), kSuccess);
    ASSERT_EQ(runner.commands.size(), 6u);
    // The tools run in the project folder and take its files by their names.
    EXPECT_EQ(runner.commands[0][7], "Util.java");
    EXPECT_EQ(runner.commands[1][7], "Both.java");
    EXPECT_EQ(runner.commands[2][7], "Space.java");

    for (const std::string gone : {"gone", "Stale"}) {
        const std::string missing = "Error: Could not find the include " + gone + " (" + gone + ".java or " +
                                    gone +
                                    ".bss) in the "
                                    "project folder " +
                                    projectDir();
        for (const std::string platform : {"J2ME", "Applet"}) {
            std::string descriptor = midletDescriptor(includes + "Include4=" + gone + "\n");
            descriptor.replace(descriptor.find("Platform=J2ME"), 13, "Platform=" + platform);
            writeDescriptor(descriptor);
            runner.commands.clear();
            EXPECT_EQ(runBuild(), kFailure) << platform;
            EXPECT_EQ(afterBanner(output), Lines{missing}) << platform;
            EXPECT_TRUE(runner.commands.empty()) << platform;
            EXPECT_FALSE(fs::exists(project / "Space.jar")) << platform;
            EXPECT_FALSE(fs::exists(project / "Space.jad")) << platform;
        }
    }
}

TEST_F(BuildRun, ArchiveStepThatLeavesNoJarIsAFailure) {
    writeDescriptor(midletDescriptor());
    runner.behaviour = [](const Lines&, const LineSink&) { return testing::FakeRunner::exitWith(0); };
    EXPECT_EQ(runBuild(), kFailure);
    EXPECT_EQ(output.back(), "Internal Error");
    EXPECT_FALSE(fs::exists(project / "Space.jad"));
}

// Each unwritable file ends the build at once with its own message; nothing runs after it.
TEST_F(BuildRun, UnwritableBuildFileEndsTheBuild) {
    struct Row {
        std::string blocked;  // made a directory, so the writer cannot open it
        Lines tail;
        size_t commands;
    };
    const Row rows[] = {
        {"MANIFEST.MF", {"Writing Manifest File", "Error writing the Manifest file"}, 0},
        {"CBuild.bat",
         {"Determing Compilation & Build Tasks", "Error: Cannot write required compilation files",
          projectDir() + "CBuild.bat (Is a directory)"},
         0},
        {"RunGame.bat",
         {"Error: Cannot write required compilation files", projectDir() + "RunGame.bat (Is a directory)"},
         0},
        {"Space.jad", {"Writing JAD File", "Error writing the JAD file"}, 4},
    };
    for (const auto& row : rows) {
        writeFile(project / "Space.java", "class Space {}\n");
        fs::create_directories(project / row.blocked);
        writeDescriptor(midletDescriptor());
        runner.commands.clear();
        EXPECT_EQ(runBuild(), kFailure) << row.blocked;
        ASSERT_GE(output.size(), row.tail.size());
        EXPECT_EQ(Lines(output.end() - row.tail.size(), output.end()), row.tail);
        EXPECT_EQ(runner.commands.size(), row.commands);
        fs::remove_all(project / row.blocked);
    }
}

// The game plays once the suite is whole, in the project folder, which the next run may take by then: the
// folder's lock is gone, and a failing emulator takes nothing of the suite with it.
TEST_F(BuildRun, RunOneStartsTheEmulatorAndReportsItsFailure) {
    writeDescriptor(midletDescriptor("", "1"));
    int emulatorStatus = 0;
    runner.behaviour = [&](const Lines& argv, const LineSink& out) {
        if (argv[0].ends_with("emulator")) {
            out("suite checked");
            EXPECT_FALSE(fs::exists(project / ".tzlock"));
            EXPECT_TRUE(fs::exists("Space.jar"));
            return testing::FakeRunner::exitWith(emulatorStatus);
        }
        return testing::FakeRunner::succeed(argv);
    };
    for (int status : {0, 1}) {
        writeFile(project / "Space.java", "class Space {}\n");
        runner.commands.clear();
        emulatorStatus = status;
        EXPECT_EQ(runBuild(), status == 0 ? kSuccess : kFailure);
        ASSERT_EQ(runner.commands.size(), 5u);
        EXPECT_EQ(runner.commands.back(), (Lines{kitDir() + "wtk/bin/emulator", "-classpath", "Space.jar",
                                                 "-Xdescriptor:Space.jad"}));
        for (const char* kept : {"Space.jar", "Space.jad", "Space.tbx", "RunGame.bat", "classes"})
            EXPECT_TRUE(fs::exists(project / kept)) << kept;
        EXPECT_EQ(
            Lines(output.end() - 5, output.end()),
            (Lines{"Program compiled", "**", "Executing Emulator", "suite checked", "Execution Finished"}));
    }
}

// A fake tool that hangs until the watchdog cancels it.
class HangingRunner : public CommandRunner {
public:
    RunResult run(const std::vector<std::string>&, const std::string&, const LineSink&) override {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return cancelled_; });
        RunResult result;
        result.started = true;
        result.cancelled = true;
        return result;
    }
    void cancel() override {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        wake_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
};

TEST_F(BuildRun, WatchdogStopsAHungToolAndFails) {
    writeDescriptor(midletDescriptor());
    HangingRunner hanging;
    std::ostringstream stream;
    Console console(stream);
    Settings settings;
    settings.installDir = kit.string();
    // Long enough for the work before javac on a loaded machine: the step named is the tool that hangs.
    settings.timeout = std::chrono::milliseconds(2000);
    Build program(console, hanging, settings);
    EXPECT_EQ(program.main({base()}), kFailure);
    Lines lines = testing::splitLines(stream.str());
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
              (Lines{"**",
                     "The compilation has timed out; this is usually caused by a problem with the Tesvo "
                     "Zorid Compiler.",
                     "Please contact support@tesvozorid.example along with your source code.",
                     "The step that timed out: javac"}));
    EXPECT_FALSE(fs::exists(project / "Space.jad"));
}

TEST_F(BuildRun, PcBuildCopiesTheRuntimeAndRunsTheProgram) {
    writeFile(kit / "VM/Tesvo Zorid.exe", "#!/bin/sh\necho runtime\n");
    fs::permissions(kit / "VM/Tesvo Zorid.exe", fs::perms::owner_all);
    struct Row {
        std::string platform, main, run;
        std::optional<std::string> started;
    };
    // The copy is started by the name it was copied under, whatever form the Main value has.
    const Row rows[] = {
        {"PC", "Space.bss", "0", std::nullopt},
        {"PPC", "Space.bss", "1", "./Space.exe"},
        {"PC", "Runner", "1", "./Space.exe"},
        {"PC", "/elsewhere/Other.bss", "1", "./Space.exe"},
    };
    for (const auto& row : rows) {
        writeFile(project / "Space.exe", "old program");
        writeDescriptor("Main=" + row.main + "\nRun=" + row.run + "\nName=Space\nPlatform=" + row.platform +
                        "\n");
        runner.commands.clear();
        EXPECT_EQ(runBuild(), kSuccess);
        EXPECT_EQ(readFile(project / "Space.exe"), "#!/bin/sh\necho runtime\n");
        EXPECT_NE(fs::status(project / "Space.exe").permissions() & fs::perms::owner_exec, fs::perms::none);
        Lines expected{"**", "Copying Support Files", "**", "Program compiled"};
        if (row.started) {
            ASSERT_EQ(runner.commands.size(), 1u);
            EXPECT_EQ(runner.commands[0], Lines{*row.started});
            expected.insert(expected.end(), {"**", "Executing Application", "Execution Finished"});
        } else {
            EXPECT_TRUE(runner.commands.empty());
        }
        EXPECT_EQ(afterBanner(output), expected);
    }
}

TEST_F(BuildRun, PcBuildWithoutRuntimeFails) {
    writeDescriptor("Run=1\nName=Space\nPlatform=PC\n");
    EXPECT_EQ(runBuild(), kFailure);
    std::string runtime = kitDir() + "VM/Tesvo Zorid.exe";
    EXPECT_EQ(afterBanner(output), (Lines{"**", "Copying Support Files", "No such source file: " + runtime,
                                          "Error: Could not copy required support files",
                                          "FileCopy: No such source file: " + runtime}));
    EXPECT_TRUE(runner.commands.empty());
}

TEST_F(BuildRun, AppletCompilesIntoTheProjectFolderAndWritesThePage) {
    writeDescriptor("Run=0\nName=Space\nPlatform=Applet\n");
    ASSERT_EQ(runBuild(), kSuccess);
    EXPECT_EQ(runner.commands, (std::vector<Lines>{{kitDir() + "jdk/bin/javac", "-d", ".", "Space.java"}}));
    EXPECT_EQ(readFile(project / "Space.html"),
              "<HTML>\n<HEAD><Title>Tesvo Zorid Applet</Title></HEAD>\n<BODY>\n"
              "<APPLET CODE='Game.Space.class' WIDTH=100 HEIGHT=100>\n</APPLET>\n</BODY>\n</HTML>\n");
    EXPECT_EQ(afterBanner(output), Lines{});
}

TEST_F(BuildRun, AppletFailuresWriteNoPage) {
    writeDescriptor("Run=0\nName=Space\nPlatform=Applet\n");
    runner.behaviour = [](const Lines&, const LineSink& out) {
        out("Space.java:1: error: class expected");
        return testing::FakeRunner::exitWith(1);
    };
    EXPECT_EQ(runBuild(), kFailure);
    EXPECT_EQ(afterBanner(output), (Lines{"Space.java:1: error: class expected", "Internal Error"}));
    EXPECT_FALSE(fs::exists(project / "Space.html"));

    runner.behaviour = nullptr;
    fs::create_directories(project / "Space.html");
    EXPECT_EQ(runBuild(), kFailure);
    EXPECT_EQ(afterBanner(output), (Lines{"Error: Cannot write required compilation files",
                                          projectDir() + "Space.html (Is a directory)"}));
}

}  // namespace
}  // namespace build
