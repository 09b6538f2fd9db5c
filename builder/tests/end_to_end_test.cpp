// The real Build-Linux in the kit folder with the kit's own tool chain, on hand-written projects.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <random>
#include <thread>

#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

const fs::path kKit = TZ_KIT_DIR;
// The model class of the compiler's 3D tests, as a 3D converter writes one.
const fs::path kModelClass = fs::path(TZ_BUILDER_DIR) / "../compiler/tests/data/three_d/MODEL.java";

struct Outcome {
    int status = -1;
    Lines lines;
    bool printed(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

Outcome runProgram(const Lines& argv, const std::string& workDir = {}) {
    const tz::testing::ProgramRun run = tz::testing::runProgram(workDir, argv);
    return {run.status, testing::splitLines(run.output)};
}

std::string joined(const Lines& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// The class file's major version and the attribute names inside the Code attributes of its methods.
struct ClassFile {
    int major = -1;
    std::vector<std::string> codeAttributes;
};

class ClassReader {
public:
    explicit ClassReader(const std::string& bytes) : bytes_(bytes) {}

    ClassFile read() {
        ClassFile file;
        if (u4() != 0xCAFEBABE) return file;
        u2();
        file.major = u2();
        int count = u2();
        pool_.assign(count, "");
        for (int i = 1; i < count; ++i) {
            int tag = u1();
            if (tag == 1) {
                int length = u2();
                pool_[i] = bytes_.substr(at_, length);
                at_ += length;
            } else if (tag == 5 || tag == 6) {
                at_ += 8;
                ++i;
            } else if (tag == 3 || tag == 4 || tag == 9 || tag == 10 || tag == 11 || tag == 12 || tag == 17 ||
                       tag == 18) {
                at_ += 4;
            } else if (tag == 15) {
                at_ += 3;
            } else {
                at_ += 2;  // Class, String, MethodType, Module, Package
            }
        }
        at_ += 6;
        at_ += 2 * u2();  // interfaces
        for (int kind = 0; kind < 2; ++kind) {
            int members = u2();
            for (int m = 0; m < members; ++m) {
                at_ += 6;
                int attributes = u2();
                for (int a = 0; a < attributes; ++a) {
                    std::string name = pool_.at(u2());
                    uint32_t length = u4();
                    size_t end = at_ + length;
                    if (kind == 1 && name == "Code") {
                        at_ += 4;
                        at_ += u4();      // code
                        at_ += 8 * u2();  // exception table
                        int inner = u2();
                        for (int c = 0; c < inner; ++c) {
                            file.codeAttributes.push_back(pool_.at(u2()));
                            at_ += u4();
                        }
                    }
                    at_ = end;
                }
            }
        }
        return file;
    }

private:
    uint32_t u1() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0; }
    uint32_t u2() { return (u1() << 8) | u1(); }
    uint32_t u4() { return (u2() << 16) | u2(); }

    const std::string& bytes_;
    size_t at_ = 0;
    std::vector<std::string> pool_;
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kKit / "jdk/bin/javac")) << "the kit's Java tool chain is missing";
    }

    // A copy of a project from the test data, in a folder whose name holds a blank.
    fs::path copyProject(const std::string& name) {
        fs::path copy = temp.folder() / name;
        fs::copy(fs::path(TZ_TEST_DATA) / name, copy, fs::copy_options::recursive);
        return copy;
    }

    Outcome build(const fs::path& base) {
        return runProgram({(kKit / "Build-Linux").string(), base.string()});
    }

    testing::TempDir temp;
};

TEST_F(EndToEnd, MidletBecomesAPreverifiedSuiteTheEmulatorAccepts) {
    fs::path project = copyProject("hello midlet");
    Outcome outcome = build(project / "Hello");
    ASSERT_EQ(outcome.status, 0) << joined(outcome.lines);
    EXPECT_TRUE(outcome.printed("Program compiled"));
    EXPECT_TRUE(outcome.printed("Execution Finished"));

    fs::path jar = project / "Hello.jar";
    ASSERT_TRUE(fs::exists(jar));
    EXPECT_EQ(
        testing::readFile(project / "Hello.jad"),
        "MIDlet-1: Hello,,Game.Hello\nMIDlet-Name: Hello\nMIDlet-Version: 1.0\nMIDlet-Vendor: Brinmoor\n"
        "MIDlet-Jar-Size: " +
            std::to_string(fs::file_size(jar)) + "\nMIDlet-Jar-URL: Hello.jar\n");

    fs::path unpacked = temp.folder() / "unpacked";
    ASSERT_EQ(runProgram({"unzip", "-q", "-o", jar.string(), "-d", unpacked.string()}).status, 0);
    Lines manifest = testing::splitLines(testing::readFile(unpacked / "META-INF/MANIFEST.MF"));
    for (auto& line : manifest)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    for (const char* entry : {"MIDlet-1: Hello,,Game.Hello", "MIDlet-Name: Hello", "MIDlet-Version: 1.0",
                              "MIDlet-Vendor: Brinmoor", "MicroEdition-Profile: MIDP-2.0",
                              "MicroEdition-Configuration: CLDC-1.0"})
        EXPECT_NE(std::find(manifest.begin(), manifest.end(), entry), manifest.end()) << entry;

    for (const char* name : {"Game/Hello.class", "Game/Hello$Board.class"}) {
        ClassFile file = ClassReader(testing::readFile(unpacked / name)).read();
        EXPECT_GE(file.major, 45) << name;
        EXPECT_LE(file.major, 48) << name;
    }
    ClassFile hello = ClassReader(testing::readFile(unpacked / "Game/Hello.class")).read();
    EXPECT_NE(std::find(hello.codeAttributes.begin(), hello.codeAttributes.end(), "StackMap"),
              hello.codeAttributes.end());
    for (const char* gone : {"MANIFEST.MF", "CBuild.bat"}) EXPECT_FALSE(fs::exists(project / gone));
    EXPECT_EQ(testing::readFile(project / "Hello.java"),
              testing::readFile(fs::path(TZ_TEST_DATA) / "hello midlet/Hello.java"));
}

// Folders a user's file system allows, under the locales of scripts and containers as well as a UTF-8
// one: the kit's Java tools run inside the folder in a UTF-8 locale of their own and build the suite.
TEST_F(EndToEnd, MidletBuildsInAnyFolderUnderAnyLocale) {
    const std::string folders[] = {"my \"odd\" fold'er", "new\nline", "j\xc3\xa4t\xc3\xa9 \xe2\x82\xac"};
    const Lines locales[] = {
        {"LC_ALL=C", "LANG=C"}, {"LC_ALL=POSIX", "LANG=POSIX"}, {"LC_ALL=C.UTF-8", "LANG=C.UTF-8"}};
    for (const Lines& locale : locales) {
        for (const std::string& folder : folders) {
            const std::string what = "[" + folder + "] under " + locale[0];
            const fs::path project = temp.folder() / folder;
            fs::remove_all(project);
            fs::copy(fs::path(TZ_TEST_DATA) / "hello midlet", project, fs::copy_options::recursive);
            testing::writeFile(project / "Hello.tbx",
                               "Main=Hello.java\nRun=0\nName=Hello\nPlatform=J2ME\nInc=false\nCLDC=10\n");
            const tz::testing::ProgramRun build = tz::testing::runProgram(
                {}, {(kKit / "Build-Linux").string(), (project / "Hello").string()}, locale);
            EXPECT_EQ(build.status, 0) << what << "\n" << build.output;
            EXPECT_TRUE(fs::exists(project / "Hello.jar") && fs::exists(project / "Hello.jad")) << what;
        }
    }
}

TEST_F(EndToEnd, JavaErrorShowsTheCompilerMessagesAndFails) {
    fs::path project = copyProject("hello midlet");
    std::string source = testing::readFile(project / "Hello.java");
    size_t statement = source.find("board.setCommandListener(this);");
    ASSERT_NE(statement, std::string::npos);
    source.replace(statement, 31, "board.setCommandListener(this)");
    testing::writeFile(project / "Hello.java", source);

    Outcome outcome = build(project / "Hello");
    EXPECT_EQ(outcome.status, 1);
    ASSERT_FALSE(outcome.lines.empty());
    EXPECT_EQ(outcome.lines.back(), "Internal Error");
    bool compilerSpoke = std::any_of(outcome.lines.begin(), outcome.lines.end(), [](const std::string& line) {
        return line.find("Hello.java") != std::string::npos;
    });
    EXPECT_TRUE(compilerSpoke) << joined(outcome.lines);
    EXPECT_FALSE(fs::exists(project / "Hello.jad"));
    EXPECT_FALSE(fs::exists(project / "Hello.jar"));
    EXPECT_EQ(testing::readFile(project / "Hello.java"), source);
}

TEST_F(EndToEnd, AppletBuildsItsClassAndPage) {
    fs::path project = copyProject("applet page");
    Outcome outcome = build(project / "Wave");
    ASSERT_EQ(outcome.status, 0) << joined(outcome.lines);
    ClassFile wave = ClassReader(testing::readFile(project / "Game/Wave.class")).read();
    EXPECT_GT(wave.major, 0);
    EXPECT_EQ(testing::readFile(project / "Wave.html"),
              "<HTML>\n<HEAD><Title>Tesvo Zorid Applet</Title></HEAD>\n<BODY>\n"
              "<APPLET CODE='Game.Wave.class' WIDTH=100 HEIGHT=100>\n</APPLET>\n</BODY>\n</HTML>\n");
}

// Started by the name it was copied under, from the project folder (a base path without a folder) and
// from elsewhere; the runtime finds the game beside itself.
TEST_F(EndToEnd, PcBuildStartsTheCopiedRuntime) {
    fs::path project = copyProject("pc game");
    testing::writeFile(project / "data.tbd", "TB\x01\x02");
    const std::string found = "Byte-token program found: " + (fs::canonical(project) / "data.tbd").string();
    const std::pair<std::string, std::string> runs[] = {{project.string(), "Runner"},
                                                        {"/", (project / "Runner").string()}};
    for (const auto& [workDir, base] : runs) {
        fs::remove(project / "Runner.exe");
        Outcome outcome = runProgram({(kKit / "Build-Linux").string(), base}, workDir);
        ASSERT_EQ(outcome.status, 0) << workDir << "\n" << joined(outcome.lines);
        EXPECT_EQ(testing::readFile(project / "Runner.exe"), testing::readFile(kKit / "VM/Tesvo Zorid.exe"));
        ASSERT_GE(outcome.lines.size(), 4u);
        EXPECT_EQ(Lines(outcome.lines.end() - 4, outcome.lines.end()),
                  (Lines{"Executing Application", found,
                         "No PC runtime is installed with this kit, so the program cannot be run here.",
                         "Execution Finished"}))
            << workDir;
    }
}

Lines jarEntries(const fs::path& jar) {
    Outcome listing = runProgram({"unzip", "-Z1", jar.string()});
    return listing.status == 0 ? listing.lines : Lines{};
}

bool holds(const Lines& entries, const std::string& entry) {
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

// A world with an object made from a model class among the includes, a camera, a light and a render:
// the model class compiles against the 3D library and lands in the suite.
TEST_F(EndToEnd, ThreeDProgramWithItsModelClassBecomesASuite) {
    fs::path project = copyProject("three d");
    fs::copy_file(kModelClass, project / "MODEL.java");
    Outcome outcome = build(project / "Orbit");
    ASSERT_EQ(outcome.status, 0) << joined(outcome.lines);
    EXPECT_TRUE(outcome.printed("Execution Finished"));
    Lines entries = jarEntries(project / "Orbit.jar");
    for (const char* entry : {"Game/Orbit.class", "Game/Orbit$Scene.class", "Game/MODEL.class"})
        EXPECT_TRUE(holds(entries, entry)) << entry << "\n" << joined(entries);
}

// The same through the whole kit: the model class is named among the project's includes.
TEST_F(EndToEnd, CompiledThreeDProgramWithItsModelClassBecomesASuite) {
    fs::path project = temp.folder() / "my world";
    fs::create_directories(project);
    fs::copy_file(kModelClass, project / "MODEL.java");
    testing::writeFile(project / "Game.tbp",
                       "// Tesvo Zorid v1.1.0 Project File\nMain=Game\nInclude=MODEL\nRun=1\nName=Game\n"
                       "Platform=TB\nInc=true\n");
    testing::writeFile(
        project / "GameX.bss",
        "REM a world holding an object of the model class, a camera, a light and a render\n"
        "LIGHT SUN\nCAMERA EYE\nWORLD SCENE [ 1 ]\n3D.START\nOBJECT SHIP , MODEL\n"
        "SCENE [ 0 ] = SHIP\n3D.SETLIGHTCOLOR SUN , 16777215\n3D.RENDER SCENE [ 0 ]\n3D.END\n");
    Outcome outcome = runProgram({(kKit / "Compile-Linux").string(), (project / "Game").string()});
    ASSERT_EQ(outcome.status, 0) << joined(outcome.lines);
    EXPECT_TRUE(outcome.printed("Execution Finished"));
    EXPECT_TRUE(holds(jarEntries(project / "Game.jar"), "Game/MODEL.class"));
    EXPECT_TRUE(fs::exists(project / "MODEL.java"));
}

// A Java project of the Editor, in the short descriptor it writes: Build-Linux is its only builder, and
// the source is the user's only copy of the program.
TEST_F(EndToEnd, JavaProjectKeepsItsSourceThroughAFailedAndAFixedBuild) {
    fs::path project = copyProject("java project");
    std::string descriptor = testing::readFile(project / "Controls.tbx");
    for (size_t at; (at = descriptor.find("@PROJECT@")) != std::string::npos;)
        descriptor.replace(at, 9, project.string() + "/");
    testing::writeFile(project / "Controls.tbx", descriptor);
    const std::string fixed = testing::readFile(project / "Controls.java");
    std::string broken = fixed;
    broken.erase(broken.find("form.setCommandListener(this);") + 29, 1);
    testing::writeFile(project / "Controls.java", broken);

    Outcome failed = build(project / "Controls");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(testing::readFile(project / "Controls.java"), broken);
    ASSERT_FALSE(failed.lines.empty());
    EXPECT_EQ(failed.lines.back(), "Internal Error");
    bool pointsAtTheError =
        std::any_of(failed.lines.begin(), failed.lines.end(),
                    [](const std::string& line) { return line.find("Syntax error") != std::string::npos; });
    EXPECT_TRUE(pointsAtTheError) << joined(failed.lines);
    EXPECT_FALSE(fs::exists(project / "Controls.jar"));
    EXPECT_FALSE(fs::exists(project / "Controls.jad"));

    testing::writeFile(project / "Controls.java", fixed);
    Outcome built = build(project / "Controls");
    ASSERT_EQ(built.status, 0) << joined(built.lines);
    EXPECT_TRUE(built.printed("Execution Finished"));
    EXPECT_EQ(testing::readFile(project / "Controls.java"), fixed);
    EXPECT_TRUE(holds(jarEntries(project / "Controls.jar"), "Game/Controls.class"));
}

// Through the whole kit: the images, the sound, the MIDI tune and the map in a folder of its own that the
// program loads are in the suite; the image it names that is not there is a warning, not a failure.
TEST_F(EndToEnd, EveryFileTheProgramLoadsIsInTheSuite) {
    fs::path project = temp.folder() / "my game";
    testing::writeFile(
        project / "Game.tbp",
        "// Tesvo Zorid v1.1.0 Project File\nMain=Game\nRun=0\nName=Game\nPlatform=TB\nInc=true\n");
    testing::writeFile(project / "GameX.bss",
                       "REM images, a sound, a tune and a map\nDIM N\nCANVAS SCR\nACTION PAINT\n"
                       "MAPPY.LOAD \"maps/level.fmp\"\nMAPPY.DRAW\nENDACTION\nACTION LOOP 40\nN = N + 1\n"
                       "ENDACTION\nENDCANVAS\nTRY\nIMAGE SHIP, \"/ship.png\"\nIMAGE GONE, \"/gone.png\"\n"
                       "CATCH IO\nENDCATCH\nENDTRY\nSOUND.LOAD \"shot.wav\", 1\nSOUND.PLAY 1\n"
                       "MIDI.LOAD \"tune.mid\"\nMIDI.PLAY\n");
    for (const char* file : {"ship.png", "shot.wav", "tune.mid", "maps/level.fmp"})
        testing::writeFile(project / file, file);

    Outcome outcome = runProgram({(kKit / "Compile-Linux").string(), (project / "Game").string()});
    ASSERT_EQ(outcome.status, 0) << joined(outcome.lines);
    EXPECT_TRUE(
        outcome.printed("Warning: Could not find resource file \"" + project.string() + "/gone.png\""))
        << joined(outcome.lines);
    Lines entries = jarEntries(project / "Game.jar");
    for (const char* entry : {"ship.png", "shot.wav", "tune.mid", "maps/level.fmp"})
        EXPECT_TRUE(holds(entries, entry)) << entry << "\n" << joined(entries);
}

// The tool host processes this test started: those that carry its mark in their environment.
std::vector<pid_t> hostProcesses(const std::string& mark) {
    std::vector<pid_t> found;
    DIR* processes = ::opendir("/proc");
    if (!processes) return found;
    while (const dirent* entry = ::readdir(processes)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
        const std::string folder = std::string("/proc/") + entry->d_name;
        const std::string environment = '\0' + testing::readFile(folder + "/environ");
        if (environment.find('\0' + mark + '\0') != std::string::npos &&
            testing::readFile(folder + "/cmdline").find("ToolHost") != std::string::npos)
            found.push_back(static_cast<pid_t>(std::stol(entry->d_name)));
    }
    ::closedir(processes);
    return found;
}

// The real tool host on a javac row that never ends (its class path names a FIFO no one writes): the
// watchdog names the row and ends the host, a stop signal ends it and the build cleans up, and a build
// killed outright leaves a host that sees its socket close and ends by itself.
TEST_F(EndToEnd, ToolHostNeverOutlivesTheBuild) {
    struct Row {
        std::string what;
        int signal;  // sent to Build-Linux once the host runs, or 0 for the watchdog's end
    };
    const Row rows[] = {{"the watchdog", 0}, {"SIGTERM", SIGTERM}, {"SIGKILL", SIGKILL}};
    for (const Row& row : rows) {
        const fs::path project = temp.folder() / "hung host";
        fs::remove_all(project);
        fs::copy(fs::path(TZ_TEST_DATA) / "hello midlet", project, fs::copy_options::recursive);
        testing::writeFile(project / "Hello.tbx",
                           "Main=Hello.java\nRun=0\nName=Hello\nPlatform=J2ME\n"
                           "ClassPath0=hang.jar\nInc=false\nCLDC=10\n");
        ASSERT_EQ(::mkfifo((project / "hang.jar").c_str(), 0600), 0);
        const std::string mark = "TZ_TEST_HOST=" + std::to_string(std::random_device()());

        kit::Command command;
        command.argv = {(kKit / "Build-Linux").string(), (project / "Hello").string()};
        command.environment = {mark, "TZ_BUILD_TIMEOUT_MS=" + std::string(row.signal ? "60000" : "3000")};
        command.input = kit::Stream::Null;
        command.output = kit::Stream::Lines;
        command.errors = kit::Stream::Output;
        Lines lines;
        command.onLine = [&](const std::string& line) { lines.push_back(line); };
        kit::Child build;
        ASSERT_EQ(build.start(command), 0);
        std::thread stopper([&] {
            if (!row.signal) return;
            // Once the host runs, and a while more for it to take the row.
            for (int i = 0; i < 600 && hostProcesses(mark).empty(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            ::kill(build.pid(), row.signal);
        });
        build.relay();
        stopper.join();
        const kit::Exit exit = build.wait();

        for (int i = 0; i < 200 && !hostProcesses(mark).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(hostProcesses(mark).empty()) << row.what;
        EXPECT_FALSE(fs::exists(project / "Hello.jar")) << row.what;
        if (row.signal == SIGKILL) continue;
        EXPECT_FALSE(fs::exists(project / "tmpclasses")) << row.what << "\n" << joined(lines);
        EXPECT_FALSE(fs::exists(project / "MANIFEST.MF")) << row.what;
        if (row.signal) {
            EXPECT_EQ(exit.signal, row.signal) << row.what;
            ASSERT_FALSE(lines.empty()) << row.what;
            EXPECT_EQ(lines.back(), "Build stopped by signal 15 (Terminated)") << row.what << "\n"
                                                                               << joined(lines);
        } else {
            EXPECT_EQ(exit.status, 1) << row.what;
            ASSERT_FALSE(lines.empty()) << row.what;
            EXPECT_EQ(lines.back(), "The step that timed out: javac") << row.what << "\n" << joined(lines);
        }
    }
}

}  // namespace
}  // namespace build
