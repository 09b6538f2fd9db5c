// Builds that go wrong: a tool missing, failing, killed or hanging, a project folder that takes no more
// bytes, a descriptor or Config.cfg cut short, with CR LF, blanks or bytes that are not UTF-8. Each fault
// ends the build with its own message and status 1, leaves no jar or JAD (neither a half-written one nor
// one of an earlier build) and no tool running.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "commands.h"
#include "file_size_limit.h"
#include "runner.h"
#include "standin_tools.h"
#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// The watchdog's lines when it ends the step `step`.
Lines timedOut(const std::string& step) {
    return {
        "The compilation has timed out; this is usually caused by a problem with the Tesvo Zorid Compiler.",
        "Please contact support@tesvozorid.example along with your source code.",
        "The step that timed out: " + step};
}

std::string midletDescriptor(const std::string& name = "Space", const std::string& flags = "Inc=false") {
    return "// Tesvo Zorid v1.1.0 Project File\nMain=" + name + ".bss\nRun=0\nName=" + name +
           "\nPlatform=J2ME\n3D=false\nFloats=false\nMappy=false\nMM=false\nImage=false\nSound=false\n"
           "Midi=false\nVideo=false\n" +
           flags + "\nCLDC=10\n";
}

std::string withCrLf(const std::string& text) {
    std::string converted;
    for (char c : text) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return converted;
}

Lines tail(const Lines& lines, size_t count) {
    return lines.size() < count ? lines : Lines(lines.end() - count, lines.end());
}

// The real Build-Linux, copied into a kit folder of its own whose tools are small shell scripts. Every
// tool notes its process id (and those of the children it leaves) in a file, so that the test can check
// that none of them outlives the build.
class BuildFaults : public ::testing::Test {
protected:
    void SetUp() override { layOut(); }

    // A kit whose tools all succeed, and an empty project folder.
    void layOut() {
        kit = temp.folder() / "tool kit";
        project = temp.folder() / "my project";
        pids = temp.folder() / "pids";
        fs::create_directories(kit / "Include");
        fs::copy_file(TZ_BUILD_PROGRAM, kit / "Build-Linux");
        writeConfig(kitDir() + "jdk/bin/\n" + kitDir() + "wtk/\n" + kitDir() + "\n");
        tz::testing::layOutToolkitLibraries(kit / "wtk");
        tool("jdk/bin/javac", tz::testing::kJavacStandIn);
        tool("wtk/bin/preverify", tz::testing::kPreverifyStandIn);
        tool("jdk/bin/jar", tz::testing::kJarStandIn);
    }

    std::string kitDir() const { return kit.string() + "/"; }
    std::string projectDir() const { return project.string() + "/"; }

    void writeConfig(const std::string& text) { testing::writeFile(kit / "Config.cfg", text); }

    void tool(const std::string& relative, const std::string& body) {
        fs::path file = kit / relative;
        testing::writeFile(file, "#!/bin/sh\necho $$ >> " + shellQuote(pids.string()) + "\n" + body + "\n");
        fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    }
    // A body that starts a child which lives for minutes and notes its id.
    std::string lingeringChild() const { return "sleep 300 & echo $! >> " + shellQuote(pids.string()); }

    // A project of an earlier, successful build: the generated source, its descriptor, and a jar and JAD
    // that this build must not leave behind when it fails.
    void earlierBuild(const std::string& descriptor) {
        testing::writeFile(project / "Space.java", "class Space {}\n");
        testing::writeFile(project / "Space.tbx", descriptor);
        testing::writeFile(project / "Space.jar", "PK earlier");
        testing::writeFile(project / "Space.jad", "MIDlet-Name: Space\n");
    }

    // Runs Build-Linux on `base` (the project's Space by default) and collects its lines.
    int build(std::optional<fs::path> base = std::nullopt, int timeoutMs = 30000) {
        ::setenv("TZ_BUILD_TIMEOUT_MS", std::to_string(timeoutMs).c_str(), 1);
        ProcessRunner runner;
        output.clear();
        auto result = runner.run({(kit / "Build-Linux").string(), base.value_or(project / "Space").string()},
                                 {}, [this](const std::string& line) { output.push_back(line); });
        ::unsetenv("TZ_BUILD_TIMEOUT_MS");
        return result.started ? result.exitStatus : -1;
    }

    bool suiteLeft(const std::string& name = "Space") const {
        return fs::exists(project / (name + ".jar")) || fs::exists(project / (name + ".jad"));
    }

    // Every tool process and every child it left has ended.
    void expectNoToolRunning() const {
        for (const auto& line : testing::splitLines(testing::readFile(pids))) {
            pid_t pid = std::stoi(line);
            EXPECT_TRUE(testing::processEnds(pid)) << "process " << pid << " outlived the build";
        }
    }

    std::string joined() const {
        std::string text;
        for (const auto& line : output) text += line + "\n";
        return text;
    }

    testing::TempDir temp;
    fs::path kit, project, pids;
    Lines output;
};

TEST_F(BuildFaults, FaultyToolEndsTheBuildWithoutASuite) {
    struct Row {
        std::string what;
        std::function<void()> arrange;
        int timeoutMs;
        Lines tail;
        bool stopsBeforePreverify = false;
    };
    const Row rows[] = {
        {"javac missing",
         [&] { fs::remove(kit / "jdk/bin/javac"); },
         30000,
         {"Cannot run program \"" + kitDir() + "jdk/bin/javac\": No such file or directory",
          "Internal Error"}},
        {"preverify fails",
         [&] { tool("wtk/bin/preverify", "echo 'Error preverifying class Game.Space' >&2\nexit 2"); },
         30000,
         {"Error preverifying class Game.Space", "Internal Error"}},
        {"jar killed halfway",
         [&] { tool("jdk/bin/jar", "printf PK > \"$3\"\nkill -SEGV $$"); },
         30000,
         {"Internal Error"}},
        {"resource step fails",
         [&] {
             testing::writeFile(project / "ship.png", "png");
             tool("jdk/bin/jar",
                  "if [ \"$1\" = cmf ]; then printf PK > \"$3\"; exit 0; fi\necho 'jar: zip END header not "
                  "found'\nexit 1");
         },
         30000,
         {"Adding Image files", "**", "jar: zip END header not found", "Internal Error"}},
        {"javac hangs", [&] { tool("jdk/bin/javac", lingeringChild() + "\nwait"); }, 1000, timedOut("javac")},
        {"jar hangs after starting the archive",
         [&] { tool("jdk/bin/jar", "printf PK > \"$3\"\n" + lingeringChild() + "\nwait"); }, 1000,
         timedOut("jar")},
        {"preverify ends but its child keeps the output open",
         [&] { tool("wtk/bin/preverify", tz::testing::kPreverifyStandIn + lingeringChild()); }, 1000,
         timedOut("preverify")},
        // What a tool would say in a stack trace of its own, the build says in one line before any tool.
        {"toolkit folder missing",
         [&] { writeConfig(kitDir() + "jdk/bin/\n" + kitDir() + "no toolkit/\n" + kitDir() + "\n"); },
         30000,
         {"Error: The wireless toolkit folder " + kitDir() +
          "no toolkit/ (line 2 of Config.cfg) is not there. Choose the toolkit in the editor's Preferences"},
         true},
        {"an API library missing",
         [&] { fs::remove(kit / "wtk/lib/cldcapi10.jar"); },
         30000,
         {"Error: The wireless toolkit's library " + kitDir() + "wtk/lib/cldcapi10.jar is missing"},
         true},
        {"an API library empty",
         [&] { testing::writeFile(kit / "wtk/lib/midpapi20.jar", ""); },
         30000,
         {"Error: The wireless toolkit's library " + kitDir() + "wtk/lib/midpapi20.jar is empty"},
         true},
        {"an API library that is no jar",
         [&] { testing::writeFile(kit / "wtk/lib/midpapi20.jar", "<html>"); },
         30000,
         {"Error: The wireless toolkit's library " + kitDir() + "wtk/lib/midpapi20.jar is not a jar"},
         true},
        // A javac out of room ends well all the same: what it says, and the class files it leaves, fail the
        // build before preverify runs.
        {"javac says it wrote no class file",
         [&] {
             tool("jdk/bin/javac",
                  tz::testing::kJavacStandIn +
                      "echo 'No .class file created for file Game/Space$1.class in tmpclasses because "
                      "of an IOException: No space left on device'");
         },
         30000,
         {"No .class file created for file Game/Space$1.class in tmpclasses because of an IOException: No "
          "space "
          "left on device",
          "Internal Error"},
         true},
        {"javac leaves a class file cut short",
         [&] {
             tool("jdk/bin/javac",
                  "mkdir -p tmpclasses/Game\n" +
                      tz::testing::printfBytes(tz::testing::classFile("Game/Space").substr(0, 30)) +
                      " > tmpclasses/Game/Space.class");
         },
         30000,
         {"Error: javac left " + projectDir() + "tmpclasses/Game/Space.class incomplete", "Internal Error"},
         true},
        {"javac leaves an inner class unwritten",
         [&] {
             tool("jdk/bin/javac", "mkdir -p tmpclasses/Game\n" +
                                       tz::testing::printfBytes(tz::testing::classFile(
                                           "Game/Space", {"Game/Space$1", "Game/Space$2"})) +
                                       " > tmpclasses/Game/Space.class\n" +
                                       tz::testing::printfBytes(tz::testing::classFile("Game/Space$1")) +
                                       " > 'tmpclasses/Game/Space$1.class'");
         },
         30000,
         {"Error: javac ended without writing " + projectDir() + "tmpclasses/Game/Space$2.class",
          "Internal Error"},
         true},
    };
    for (const auto& row : rows) {
        for (const auto& entry : fs::directory_iterator(temp.path())) fs::remove_all(entry.path());
        layOut();
        earlierBuild(midletDescriptor());
        row.arrange();
        // Every tool notes when it starts: preverify must not run after a failed compile.
        tool("wtk/bin/preverify", "touch " + shellQuote((temp.folder() / "preverified").string()) + "\n" +
                                      testing::readFile(kit / "wtk/bin/preverify"));
        EXPECT_EQ(build(std::nullopt, row.timeoutMs), 1) << row.what << "\n" << joined();
        EXPECT_EQ(tail(output, row.tail.size()), row.tail) << row.what << "\n" << joined();
        if (row.stopsBeforePreverify) {
            EXPECT_FALSE(fs::exists(temp.folder() / "preverified")) << row.what;
        }
        EXPECT_FALSE(suiteLeft()) << row.what;
        EXPECT_FALSE(fs::exists(project / "MANIFEST.MF")) << row.what;
        EXPECT_EQ(testing::readFile(project / "Space.java"), "class Space {}\n") << row.what;
        expectNoToolRunning();
    }
}

// The kit's javac and preverify rows go to the kit's tool host. Here the host is a stand-in that speaks its
// protocol and runs each row's tool (stand-ins that carry the kit's mark), or fails as a host can: each row
// keeps its output and its failure, a host that dies fails its row, one that hangs meets the watchdog, one
// that cannot start leaves the rows to the tools themselves, and no process outlives the build.
TEST_F(BuildFaults, RowsInTheToolHost) {
    const std::string hangs =
        "if words[0] == ROW:\n"
        "    child = subprocess.Popen(['sleep', '300'])\n"
        "    open(PIDS, 'a').write('%d\\n' % child.pid)\n"
        "    time.sleep(300)\n";
    struct Row {
        std::string what;
        std::string beforeReady, onRow;  // Python
        int timeoutMs;
        Lines tail;
        Lines hostRows;  // the tools of the rows the host took
    };
    const Row rows[] = {
        {"the rows run in the host", "", "", 30000, {"Program compiled"}, {"javac", "preverify"}},
        {"a host that cannot start",
         "sys.stderr.write('tool-host: cannot run java\\n')\nsys.exit(3)\n",
         "",
         30000,
         {"Program compiled"},
         {}},
        {"the host dies during javac",
         "",
         "if words[0] == 'javac': os.kill(os.getpid(), signal.SIGKILL)\n",
         30000,
         {"Error: The kit's tool host ended while javac ran (signal 9 (Killed))", "Internal Error"},
         {"javac"}},
        // Long enough for a host in Python to start and take its row (and for the preverify one, the javac
        // row before it) on a busy machine.
        {"the host hangs in javac", "ROW = 'javac'\n", hangs, 5000, timedOut("javac"), {"javac"}},
        {"the host hangs in preverify",
         "ROW = 'preverify'\n",
         hangs,
         5000,
         timedOut("preverify"),
         {"javac", "preverify"}},
    };
    const fs::path hostRows = temp.folder() / "host rows";
    for (const auto& row : rows) {
        for (const auto& entry : fs::directory_iterator(temp.path())) fs::remove_all(entry.path());
        layOut();
        earlierBuild(midletDescriptor());
        const std::string mark = "\nexit\n# tz-tool-host-row:";
        tool("jdk/bin/javac",
             "echo 'javac: a word of its own' >&2\n" + tz::testing::kJavacStandIn + mark + "javac" + '\0');
        tool("wtk/bin/preverify", tz::testing::kPreverifyStandIn + mark + "preverify" + '\0');
        testing::writeFile(
            kit / "jdk/bin/tool-host",
            "#!/usr/bin/python3\nimport os, signal, socket, struct, subprocess, sys, time\n"
            "KIT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))\n"
            "PIDS = os.path.join(os.path.dirname(KIT), 'pids')\n"
            "open(PIDS, 'a').write('%d\\n' % os.getpid())\n" +
                row.beforeReady +
                "s = socket.socket(fileno=0)\ns.sendall(b'r')\n"
                "def take(n):\n"
                "    data = b''\n"
                "    while len(data) < n:\n"
                "        more = s.recv(n - len(data))\n"
                "        if not more: sys.exit(0)\n"
                "        data += more\n"
                "    return data\n"
                "def number(): return struct.unpack('>I', take(4))[0]\n"
                "while True:\n"
                "    words = [take(number()).decode() for _ in range(number())]\n"
                "    open(os.path.join(os.path.dirname(KIT), 'host rows'), 'a').write(words[0] + '\\n')\n" +
                [&] {
                    std::string indented;
                    for (const auto& line : testing::splitLines(row.onRow)) indented += "    " + line + "\n";
                    return indented;
                }() +
                "    tool = os.path.join(KIT, 'jdk/bin/javac' if words[0] == 'javac' else "
                "'wtk/bin/preverify')\n"
                "    done = subprocess.run([tool] + words[1:], capture_output=True)\n"
                "    for tag, data in ((b'o', done.stdout), (b'e', done.stderr)):\n"
                "        if data: s.sendall(tag + struct.pack('>I', len(data)) + data)\n"
                "    s.sendall(b'x' + struct.pack('>I', done.returncode & 0xffffffff))\n");
        fs::permissions(kit / "jdk/bin/tool-host", fs::perms::owner_all);

        const bool builds = row.tail == Lines{"Program compiled"};
        EXPECT_EQ(build(std::nullopt, row.timeoutMs), builds ? 0 : 1) << row.what << "\n" << joined();
        EXPECT_EQ(tail(output, row.tail.size()), row.tail) << row.what << "\n" << joined();
        EXPECT_EQ(testing::splitLines(testing::readFile(hostRows)), row.hostRows) << row.what;
        if (builds) {
            // What the tool printed, through the host or by itself; never the host's own word.
            EXPECT_TRUE(std::find(output.begin(), output.end(), "javac: a word of its own") != output.end())
                << row.what << "\n"
                << joined();
            EXPECT_EQ(joined().find("tool-host"), std::string::npos) << row.what << "\n" << joined();
        } else {
            EXPECT_FALSE(suiteLeft()) << row.what;
            EXPECT_FALSE(fs::exists(project / "MANIFEST.MF")) << row.what;
        }
        expectNoToolRunning();
    }
}

// Tests run as root, so a write is made to fail by a file-size limit that Build-Linux inherits.
TEST_F(BuildFaults, ProjectFolderThatTakesNoMoreBytes) {
    struct Row {
        std::string what;
        rlim_t limit;
        Lines tail;
    };
    const Row rows[] = {
        {"no room for the manifest", 100, {"Writing Manifest File", "Error writing the Manifest file"}},
        {"no room for the jar", 1000, {"Internal Error"}},
    };
    for (const auto& row : rows) {
        earlierBuild(midletDescriptor());
        tool("jdk/bin/jar", "if [ \"$1\" = cmf ]; then head -c 5000 /dev/zero > \"$3\" || exit 1; fi");
        int status;
        {
            tz::testing::FileSizeLimit limit(row.limit);
            status = build();
        }
        EXPECT_EQ(status, 1) << row.what << "\n" << joined();
        EXPECT_EQ(tail(output, row.tail.size()), row.tail) << row.what << "\n" << joined();
        EXPECT_FALSE(suiteLeft()) << row.what;
        EXPECT_FALSE(fs::exists(project / "MANIFEST.MF")) << row.what;  // nor a half-written one
        expectNoToolRunning();
    }
}

// A descriptor that cannot be read or names no platform stops the build before it touches the project.
TEST_F(BuildFaults, DescriptorCutShortOrUnreachable) {
    std::string descriptor = projectDir() + "Space.tbx";
    std::string couldNot = "Error: Could not access project descriptor file \"" + descriptor + "\"";
    struct Row {
        std::string body;
        Lines tail;
    };
    const Row rows[] = {
        {"", {"Cannot parse null string", couldNot}},
        {"// Tesvo Zorid v1.1.0 Project File\nMain=Spa", {"Cannot parse null string", couldNot}},
        {"// Tesvo Zorid v1.1.0 Project File\r\nMain=Space.bss\r\nRun=",
         {"For input string: \"\"", couldNot}},
        {"Main=Space.bss\nRun=0\nName=Space\nPlatf", {"Build Error: Unknown platform"}},
        {"Main=Space.bss\r\nRun=0\r\nName=Space\r\nPlatform=J2", {"Build Error: Unknown platformJ2"}},
        {"Run=0\nName=Space\nPlatform=J2ME \n", {"Build Error: Unknown platformJ2ME "}},
    };
    for (const auto& row : rows) {
        testing::writeFile(project / "Space.tbx", row.body);
        EXPECT_EQ(build(), 1) << joined();
        EXPECT_EQ(tail(output, row.tail.size()), row.tail) << joined();
        EXPECT_EQ(output.size(), 4 + row.tail.size()) << joined();  // the banner, then the failure only
        EXPECT_FALSE(suiteLeft());
        EXPECT_FALSE(fs::exists(project / "MANIFEST.MF"));
    }

    // The project folder lies under a regular file, and the descriptor is a folder.
    testing::writeFile(temp.folder() / "plain", "x");
    EXPECT_EQ(build(temp.folder() / "plain/Space"), 1);
    EXPECT_EQ(tail(output, 2), (Lines{temp.path() + "/plain/Space.tbx (Not a directory)",
                                      "Error: Could not access project descriptor file \"" + temp.path() +
                                          "/plain/Space.tbx\""}));
    fs::remove(project / "Space.tbx");
    fs::create_directories(project / "Space.tbx");
    EXPECT_EQ(build(), 1);
    EXPECT_EQ(tail(output, 2), (Lines{descriptor + " (Is a directory)", couldNot}));
    expectNoToolRunning();
}

// A Config.cfg cut short, emptied or holding a line that is no absolute folder (the editor writes "null" for
// a folder it never had) is named by its line before any tool runs, never joined into a tool's path; the
// suite of an earlier build does not survive it.
TEST_F(BuildFaults, ConfigCutShort) {
    const std::string config = kitDir() + "Config.cfg";
    const std::string missing = " is missing. Run the Editor to write the file again";
    const std::string notAFolder = " is not an absolute folder ending in \"/\": ";
    struct Row {
        std::string config;
        std::string flags;
        std::string line;
    };
    const Row rows[] = {
        {"", "Inc=false", "Error: Line 1 of " + config + " (the Java tool folder)" + missing},
        {kitDir() + "jdk/b", "Inc=false",
         "Error: Line 1 of " + config + " (the Java tool folder)" + notAFolder + "\"" + kitDir() + "jdk/b\""},
        {kitDir() + "jdk/bin/ \n" + kitDir() + "wtk/\n" + kitDir() + "\n", "Inc=false",
         "Error: Line 1 of " + config + " (the Java tool folder)" + notAFolder + "\"" + kitDir() +
             "jdk/bin/ \""},
        {kitDir() + "jdk/bin/\n" + kitDir() + "wtk/\n", "Inc=true",
         "Error: Line 3 of " + config + " (the kit folder)" + missing},
        {kitDir() + "jdk/bin/\r\n", "Inc=false",
         "Error: Line 2 of " + config + " (the wireless toolkit folder)" + missing},
        {kitDir() + "jdk/bin/\nnull\n" + kitDir() + "\nnull\n", "Inc=false",
         "Error: Line 2 of " + config + " (the wireless toolkit folder)" + notAFolder + "\"null\""},
    };
    for (const auto& row : rows) {
        earlierBuild(midletDescriptor("Space", row.flags));
        writeConfig(row.config);
        EXPECT_EQ(build(), 1) << joined();
        EXPECT_EQ(output.back(), row.line) << joined();
        EXPECT_EQ(output.size(), 5u) << joined();  // the banner, then the line
        EXPECT_FALSE(suiteLeft());
    }
    EXPECT_TRUE(testing::readFile(pids).empty());
}

// A folder that would split a class path (a project folder, the toolkit of Config.cfg) is refused by its
// name before any tool runs, and the suite of an earlier build goes.
TEST_F(BuildFaults, FoldersThatSplitAClassPathAreRefusedBeforeAnyTool) {
    const std::string tail =
        "\", which splits a Java class path. Use a folder whose path has no \":\" or \";\"";
    fs::path plain = project;
    project = temp.folder() / "my:project";
    earlierBuild(midletDescriptor());
    EXPECT_EQ(build(), 1) << joined();
    EXPECT_EQ(output.back(), "Error: The project folder " + projectDir() + " holds the character \":" + tail);
    EXPECT_FALSE(suiteLeft());

    project = plain;
    fs::rename(kit, temp.folder() / "tool;kit");
    kit = temp.folder() / "tool;kit";
    writeConfig(kitDir() + "jdk/bin/\n" + kitDir() + "wtk/\n" + kitDir() + "\n");
    earlierBuild(midletDescriptor());
    EXPECT_EQ(build(), 1) << joined();
    EXPECT_EQ(output.back(),
              "Error: The wireless toolkit folder " + kitDir() + "wtk/ holds the character \";" + tail);
    EXPECT_FALSE(suiteLeft());
    EXPECT_TRUE(testing::readFile(pids).empty());
}

// What is awkward but sound builds: CR LF line ends after a byte-order mark, blanks in folder and project
// names, and names in bytes that are not UTF-8, which are taken byte for byte.
TEST_F(BuildFaults, AwkwardButSoundInputBuilds) {
    const std::string latin1 = "Caf\xe9";
    struct Row {
        std::string what;
        std::string name;
        bool crlf;
        std::string kitFolder;
    };
    const Row rows[] = {
        {"CR LF everywhere", "Space", true, "tool kit"},
        {"blank in the project name", "My Space", false, "tool kit"},
        {"Latin-1 names", latin1, true, "kit " + latin1},
    };
    for (const auto& row : rows) {
        fs::path movedKit = temp.folder() / row.kitFolder;
        if (movedKit != kit) {
            fs::rename(kit, movedKit);
            kit = movedKit;
        }
        std::string config = kitDir() + "jdk/bin/\n" + kitDir() + "wtk/\n" + kitDir() + "\n";
        // The editor of a user may put a byte-order mark before either file.
        writeConfig(row.crlf ? "\xEF\xBB\xBF" + withCrLf(config) : config);
        std::string descriptor = midletDescriptor(row.name, "Inc=true");
        testing::writeFile(project / (row.name + ".tbx"),
                           row.crlf ? "\xEF\xBB\xBF" + withCrLf(descriptor) : descriptor);
        testing::writeFile(project / (row.name + ".java"), "class X {}\n");
        testing::writeFile(kit / "Include/Include.inc", "support class");

        ASSERT_EQ(build(project / row.name), 0) << row.what << "\n" << joined();
        EXPECT_EQ(output.back(), "Program compiled") << row.what;
        EXPECT_EQ(testing::readFile(project / (row.name + ".jad")),
                  "MIDlet-1: " + row.name + ",,Game." + row.name + "\nMIDlet-Name: " + row.name +
                      "\nMIDlet-Version: 1.0\nMIDlet-Vendor: Brinmoor\nMIDlet-Jar-Size: 2\nMIDlet-Jar-URL: " +
                      row.name + ".jar\n")
            << row.what;
        EXPECT_EQ(testing::readFile(project / "tmpclasses/Game/Include.class"), "support class") << row.what;
    }
    expectNoToolRunning();
}

// The same guarantee on the fake runner: whichever step fails, the jar and JAD of an earlier build are
// gone, so they cannot pass for the result of this one.
class StaleSuite : public testing::BuildFixture {};

using testing::writeFile;

TEST_F(StaleSuite, FailedBuildLeavesNoEarlierSuite) {
    struct Row {
        std::string what;
        std::string blocked;  // made a folder, so that its writer fails
        std::optional<size_t> failingCommand;
    };
    const Row rows[] = {
        {"manifest unwritable", "MANIFEST.MF", std::nullopt},
        {"build script unwritable", "CBuild.bat", std::nullopt},
        {"main compile fails", "", 0},
        {"archive fails", "", 2},
    };
    for (const auto& row : rows) {
        writeFile(project / "Space.java", "class Space {}\n");
        writeFile(project / "Space.jar", "PK earlier");
        writeFile(project / "Space.jad", "MIDlet-Name: Space\n");
        writeDescriptor("Run=0\nName=Space\nPlatform=J2ME\nInc=false\nCLDC=10\n");
        if (!row.blocked.empty()) fs::create_directories(project / row.blocked);
        runner.commands.clear();
        runner.behaviour = [&](const Lines& argv, const LineSink&) {
            if (row.failingCommand && runner.commands.size() - 1 == *row.failingCommand)
                return testing::FakeRunner::exitWith(1);
            return testing::FakeRunner::succeed(argv);
        };
        EXPECT_EQ(runBuild(), kFailure) << row.what;
        EXPECT_FALSE(fs::exists(project / "Space.jar")) << row.what;
        EXPECT_FALSE(fs::exists(project / "Space.jad")) << row.what;
        if (!row.blocked.empty()) fs::remove_all(project / row.blocked);
    }
}

}  // namespace
}  // namespace build
