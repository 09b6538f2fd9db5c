// End to end through the kit's tools, as Build drives them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <map>

#include "classfile.h"
#include "suite.h"
#include "suite_builder.h"

namespace standins::test {
namespace {

// The tool as the kit's program, or as a row of the kit's tool host, run in `workDir` (when given).
ToolRun runTool(bool inHost, const std::string& tool, const std::vector<std::string>& args,
                const std::string& workDir = "") {
    std::vector<std::string> argv = {inHost ? kToolHost : tool == "javac" ? kJavac : kPreverify};
    if (inHost) argv.push_back(tool);
    argv.insert(argv.end(), args.begin(), args.end());
    if (!workDir.empty()) argv.insert(argv.begin(), {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", workDir});
    return run(argv);
}

void expectSame(const ToolRun& program, const ToolRun& hosted, const std::string& what) {
    EXPECT_EQ(hosted.status, program.status) << what;
    EXPECT_EQ(hosted.output, program.output) << what;
    EXPECT_EQ(hosted.errors, program.errors) << what;
}

// The files under `folder` by relative name: a jar by its entries, anything else by its bytes.
std::map<std::string, std::string> filesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), folder).string();
        if (entry.path().extension() == ".jar") {
            for (const auto& [inner, bytes] :
                 readJar(entry.path()).value_or(std::map<std::string, std::string>{}))
                files[name + "!" + inner] = bytes;
        } else {
            files[name] = readFile(entry.path());
        }
    }
    return files;
}

// A row of the tool host does what the kit's program of its tool does with the same arguments in the same
// folder: it says the same, ends with the same status and writes the same files, whether it succeeds or
// fails, with names taken from the working folder.
TEST(ToolChain, ToolHostRowsDoWhatTheToolsDo) {
    const std::string boot = lib("midpapi20.jar") + ";" + lib("cldcapi10.jar");
    auto midlet = [](const fs::path& dir) {
        for (const char* source : {"Space.java", "Board.java"})
            writeFile(dir / "Game" / source, readFile(kData / "midlet" / source));
    };
    auto loop = [&](const fs::path& dir) {
        writeFile(dir / "Game/Loop.java",
                  "package Game;\npublic class Loop { int f(int n) { int s = 0; while (n > 0) s += n--; "
                  "return s; } }\n");
        ASSERT_EQ(run({kJavac, "-bootclasspath", boot, "-d", dir / "tmp", dir / "Game/Loop.java", "-source",
                       "1.4", "-target", "1.4"})
                      .status,
                  0);
        ASSERT_EQ(run({kJar, "cf", dir / "loop.jar", "-C", dir / "tmp", "."}).status, 0);
    };
    struct Row {
        std::string what, tool;
        std::vector<std::string> args;
        std::function<void(const fs::path&)> setUp;
        int status = 1;
    };
    const Row rows[] = {
        {"javac, both list separators",
         "javac",
         {"-bootclasspath", boot + ";", "-d", "tmp", "-classpath", ";tmp:", "Game/Space.java",
          "Game/Board.java", "-target", "1.4", "-source", "1.4"},
         midlet,
         0},
        {"javac, a syntax error",
         "javac",
         {"-bootclasspath", boot, "-d", "tmp", "Game/Broken.java", "-target", "1.4", "-source", "1.4"},
         [](const fs::path& dir) {
             writeFile(dir / "Game/Broken.java", "package Game;\nclass Broken { int x }\n");
         },
         255},
        {"javac, a source that is not there", "javac", {"-d", "tmp", "Game/Absent.java"}, {}, 255},
        {"javac, an unknown option", "javac", {"-frobnicate", "Game/Absent.java"}, {}, 255},
        {"javac, a user's jar on the class path",
         "javac",
         {"-bootclasspath", boot, "-d", "out", "-classpath", "loop.jar:", "Game/Uses.java", "-target", "1.4",
          "-source", "1.4"},
         [&](const fs::path& dir) {
             loop(dir);
             writeFile(dir / "Game/Uses.java", "package Game;\npublic class Uses { Loop l = new Loop(); }\n");
         },
         0},
        {"preverify, a folder and a jar",
         "preverify",
         {"-classpath", boot, "-d", "out", "tmp", "loop.jar"},
         loop,
         0},
        {"preverify, a class missing from the library",
         "preverify",
         {"-classpath", lib("cldcapi10.jar"), "-d", "out", "tmp"},
         [&](const fs::path& dir) {
             loop(dir);
             writeFile(dir / "Game/Uses.java", "package Game;\npublic class Uses { Loop l = new Loop(); }\n");
             ASSERT_EQ(run({kJavac, "-bootclasspath", boot, "-d", dir / "tmp", "-classpath", dir / "tmp",
                            dir / "Game/Uses.java", "-source", "1.4", "-target", "1.4"})
                           .status,
                       0);
             fs::remove(dir / "tmp/Game/Loop.class");
         }},
        {"preverify, a name ProGuard cannot take",
         "preverify",
         {"-d", "out", "a<b"},
         [](const fs::path& dir) { fs::create_directories(dir / "a<b"); }},
        {"preverify, no input", "preverify", {"-d", "out"}, {}},
    };
    // Both roads in one folder (the compiler names a source by its whole path), emptied in between.
    TempDir dir;
    for (const Row& row : rows) {
        ToolRun said[2];
        std::map<std::string, std::string> wrote[2];
        for (bool inHost : {false, true}) {
            for (const auto& entry : fs::directory_iterator(dir.folder())) fs::remove_all(entry.path());
            if (row.setUp) row.setUp(dir.folder());
            said[inHost] = runTool(inHost, row.tool, row.args, dir.path());
            wrote[inHost] = filesIn(dir.folder());
        }
        EXPECT_EQ(said[0].status, row.status) << row.what << "\n" << said[0].errors;
        expectSame(said[0], said[1], row.what);
        EXPECT_EQ(wrote[1], wrote[0]) << row.what;
    }
}

TEST(ToolChain, MidletCompilesPreverifiesPackagesAndPassesTheEmulator) {
    SuiteBuilder suite;
    ASSERT_NO_FATAL_FAILURE(suite.compile());
    ToolRun preverify = suite.preverify();
    EXPECT_EQ(preverify.status, 0) << preverify.errors;
    EXPECT_EQ(preverify.output, "");
    EXPECT_EQ(preverify.errors, "");

    // Every class the compile wrote comes out preverified: version 48 and a StackMap where code branches.
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(suite.tmpclasses() + "/Game")) {
        fs::path out = fs::path(suite.classes()) / "Game" / entry.path().filename();
        ASSERT_TRUE(fs::exists(out)) << out;
        ClassInfo info = readClass(readFile(out));
        EXPECT_TRUE(preverifyProblems(info).empty()) << out;
        EXPECT_EQ(info.major, 48) << out;
        ++checked;
    }
    EXPECT_EQ(checked, 3);  // Space, its anonymous canvas, Board
    ToolRun javap = run({TZ_JAVAP, "-v", suite.classes() + "/Game/Space$1.class"});
    EXPECT_NE(javap.output.find("StackMap: number_of_entries"), std::string::npos) << javap.output;
    EXPECT_EQ(javap.output.find("StackMapTable"), std::string::npos);
    EXPECT_NE(javap.output.find("major version: 48"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(suite.package(suite.classes(), readFile(kData / "midlet/MANIFEST.MF")));
    ToolRun emulator = suite.emulate();
    EXPECT_EQ(emulator.status, 0) << emulator.output;
    EXPECT_NE(emulator.output.find("MIDlet-1: Space, class Game.Space\nClasses: 3, all preverified\n"),
              std::string::npos)
        << emulator.output;
    EXPECT_NE(emulator.output.find("No phone runtime is installed"), std::string::npos);

    std::string jad = readFile(suite.jad());
    size_t size = jad.find("MIDlet-Jar-Size: ") + 17;
    jad.replace(size, jad.find('\n', size) - size, "99");
    writeFile(suite.jad(), jad);
    emulator = suite.emulate();
    EXPECT_EQ(emulator.status, 1);
    EXPECT_NE(emulator.output.find("Error: MIDlet-Jar-Size is 99 but the jar holds"), std::string::npos)
        << emulator.output;
    EXPECT_NE(emulator.output.find("No phone runtime is installed"), std::string::npos);
}

TEST(ToolChain, ClassMissingFromTheLibraryIsAnError) {
    TempDir dir;
    // The compile already refuses what the stubs lack.
    writeFile(dir / "src/Game/Uses.java",
              "package Game;\npublic class Uses { Object list = new java.util.ArrayList(); }\n");
    ToolRun javac = compileForPhone(dir / "tmp", {dir / "src/Game/Uses.java"});
    EXPECT_NE(javac.status, 0);
    EXPECT_NE(javac.errors.find("java.util.ArrayList cannot be resolved"), std::string::npos) << javac.errors;

    // A class present at compile time and gone at preverification (a support class that was not copied)
    // fails the preverifier, never silently.
    writeFile(dir / "src/Game/Main.java",
              "package Game;\npublic class Main { int f() { return new Helper().x; } }\n");
    writeFile(dir / "src/Game/Helper.java", "package Game;\npublic class Helper { int x; }\n");
    javac = compileForPhone(dir / "tmp", {dir / "src/Game/Main.java", dir / "src/Game/Helper.java"});
    ASSERT_EQ(javac.status, 0) << javac.errors;
    fs::remove(dir / "tmp/Game/Helper.class");
    ToolRun preverify = run({kPreverify, "-classpath",
                             lib("midpapi20.jar") + ";" + lib("cldcapi10.jar") + ";" + (dir / "tmp"), "-d",
                             dir / "out", dir / "tmp"});
    EXPECT_EQ(preverify.status, 1);
    EXPECT_EQ(preverify.output, "");
    EXPECT_NE(preverify.errors.find("Warning: Game.Main: can't find referenced class Game.Helper"),
              std::string::npos)
        << preverify.errors;
    EXPECT_NE(preverify.errors.find("preverify: preverification failed"), std::string::npos);
    EXPECT_EQ(preverify.errors.find("-dontwarn"), std::string::npos)
        << "advice to silence the warning leaked";
    expectSame(preverify,
               runTool(true, "preverify",
                       {"-classpath", lib("midpapi20.jar") + ";" + lib("cldcapi10.jar") + ";" + (dir / "tmp"),
                        "-d", dir / "out", dir / "tmp"}),
               "in the tool host");
}

TEST(ToolChain, PreverifyTakesRelativePathsAndJarInputs) {
    TempDir dir;
    writeFile(dir / "Game/Loop.java",
              "package Game;\npublic class Loop { int f(int n) { int s = 0; while (n > 0) s += n--; return "
              "s; } }\n");
    ToolRun javac = run({kJavac, "-bootclasspath", lib("cldcapi10.jar"), "-d", dir / "tmp",
                         dir / "Game/Loop.java", "-source", "1.4", "-target", "1.4"});
    ASSERT_EQ(javac.status, 0) << javac.errors;
    ToolRun archive = run({kJar, "cf", dir / "loop.jar", "-C", dir / "tmp", "."});
    ASSERT_EQ(archive.status, 0);

    // Relative names are taken from the working directory, not from the configuration's folder.
    fs::path cwd = fs::current_path();
    fs::current_path(dir.path());
    ToolRun preverify = run({kPreverify, "-classpath", lib("cldcapi10.jar"), "-d", "out", "tmp", "loop.jar"});
    fs::current_path(cwd);
    EXPECT_EQ(preverify.status, 0) << preverify.errors;
    EXPECT_TRUE(preverifyProblems(readClass(readFile(dir / "out/Game/Loop.class"))).empty());
    auto jar = readJar(dir / "out/loop.jar");
    ASSERT_TRUE(jar.has_value());
    ASSERT_TRUE(jar->count("Game/Loop.class"));
    EXPECT_TRUE(preverifyProblems(readClass(jar->at("Game/Loop.class"))).empty());
}

TEST(ToolChain, PreverifyRefusesBadCommandLines) {
    TempDir dir;
    struct Row {
        std::vector<std::string> args;
        std::string error;
    } rows[] = {
        {{}, "preverify: no input given"},
        {{"-d"}, "preverify: missing value after -d"},
        {{"-verbose", dir / ""}, "preverify: unknown option -verbose"},
        {{"-d", dir / "out", dir / "absent"}, "preverify: cannot find " + (dir / "absent")},
    };
    for (const auto& row : rows) {
        ToolRun result = runTool(false, "preverify", row.args);
        EXPECT_EQ(result.status, 1) << row.error;
        EXPECT_EQ(result.output, "") << row.error;
        EXPECT_EQ(result.errors.rfind(row.error, 0), 0u) << result.errors;
        expectSame(result, runTool(true, "preverify", row.args), "in the tool host: " + row.error);
    }
}

// A build's watchdog ends preverify with its whole process group while ProGuard runs: nothing preverify
// wrote for ProGuard is left behind.
TEST(ToolChain, PreverifyEndedWhileItRunsLeavesNoTemporaryFile) {
    TempDir dir;
    writeFile(dir / "Game/Loop.java", "package Game;\npublic class Loop { int f() { return 1; } }\n");
    ToolRun javac = run({kJavac, "-bootclasspath", lib("cldcapi10.jar"), "-d", dir / "tmp",
                         dir / "Game/Loop.java", "-source", "1.4", "-target", "1.4"});
    ASSERT_EQ(javac.status, 0) << javac.errors;
    fs::create_directories(dir / "temp");

    pid_t preverify = fork();
    ASSERT_GE(preverify, 0);
    if (preverify == 0) {
        setpgid(0, 0);
        setenv("TMPDIR", (dir / "temp").c_str(), 1);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(kPreverify.c_str(), kPreverify.c_str(), "-classpath", lib("cldcapi10.jar").c_str(), "-d",
              (dir / "out").c_str(), (dir / "tmp").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // ProGuard runs once preverify has a child.
    auto hasChild = [&] {
        std::ifstream children("/proc/" + std::to_string(preverify) + "/task/" + std::to_string(preverify) +
                               "/children");
        std::string first;
        return static_cast<bool>(children >> first);
    };
    for (int i = 0; i < 3000 && !hasChild(); ++i) usleep(10000);
    EXPECT_TRUE(hasChild());
    kill(-preverify, SIGKILL);
    int status = 0;
    waitpid(preverify, &status, 0);
    EXPECT_TRUE(fs::is_empty(dir / "temp"));
}

}  // namespace
}  // namespace standins::test
