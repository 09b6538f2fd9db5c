// What a compile or build may write and delete: only files the kit made, only inside the project folder,
// never through a link, and after a refusal or failure no suite of an earlier build.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdlib>

#include "guard/outputs.h"
#include "kit/text_lines.h"
#include "kit_fixture.h"

namespace guard::testing {
namespace {

class ProjectFiles : public KitFixture {};

const std::string kUsersJava = "package Game;\npublic class UTIL { /* the user's own */ }\n";

// A Java file the compiler did not write is never written over: a record type of its name is refused at
// the TYPE's line, the program's own class before anything is written. One the compiler wrote (it ends
// with the compiler's mark) is its own to replace.
TEST_F(ProjectFiles, JavaTheCompilerDidNotWriteIsNeverReplaced) {
    const std::string typeTaken =
        "Error: A file the compiler did not write stands where the record type's source goes: ";
    const std::string classTaken =
        "Error: A file the compiler did not write stands where the program's Java source goes (move it out "
        "of "
        "the project folder, or switch the project to J2ME): ";
    struct Row {
        std::string what;
        std::string platform;
        std::string extra;  // project file lines
        std::string file;   // the user's file
        bool link;          // the user's file is a link to a file outside the folder
        std::string line;   // the refusal
    };
    const Row rows[] = {
        {"a Java include", "TB", "Include=UTIL\n", "UTIL.java", false, typeTaken},
        {"any Java file", "TB", "", "UTIL.java", false, typeTaken},
        {"a link", "TB", "", "UTIL.java", true, typeTaken},
        {"an applet's Java include", "Applet", "Include=UTIL\n", "UTIL.java", false, typeTaken},
        {"the program's class", "TB", "", "Game.java", false, classTaken},
        {"the applet's class", "Applet", "", "Game.java", false, classTaken},
        {"a link for the class", "TB", "", "Game.java", true, classTaken},
    };
    const std::string source = "PRINT \"a\"\nTYPE UTIL\nDIM X\nENDTYPE\n";
    for (const Row& row : rows) {
        SetUp();
        writeProject(source, row.platform, "Game", row.extra);
        if (row.link) {
            writeFile(root / "elsewhere.java", kUsersJava);
            fs::create_symlink(root / "elsewhere.java", project / row.file);
        } else {
            writeFile(project / row.file, kUsersJava);
        }
        EXPECT_EQ(compile(), 1) << row.what;
        const std::string path = (project / row.file).string();
        const std::string expected = row.line + path + (row.line == typeTaken ? " at line 2" : "");
        EXPECT_TRUE(printed(expected)) << row.what << "\n" << joined();
        EXPECT_EQ(readFile(project / row.file), kUsersJava) << row.what;
        EXPECT_EQ(fs::is_symlink(project / row.file), row.link) << row.what;
        Lines left = {"Game.tbp", "GameX.bss", row.file};
        std::sort(left.begin(), left.end());
        EXPECT_EQ(tree(project), left) << row.what;
        TearDown();
    }

    // Sources the compiler wrote and kept (TZ_KEEP_JAVA=1, the editor's Convert) are still its own.
    SetUp();
    writeProject(source);
    ASSERT_EQ(compile({"TZ_KEEP_JAVA=1"}), 0) << joined();
    for (const char* kept : {"Game.java", "UTIL.java"})
        EXPECT_TRUE(guard::isGeneratedSource((project / kept).string())) << kept;
    EXPECT_EQ(compile(), 0) << joined();
    EXPECT_FALSE(fs::exists(project / "Game.java"));
    EXPECT_FALSE(fs::exists(project / "UTIL.java"));
}

// A record type named like an include of the language (POINT.bss beside the project): its source is the
// compiler's and goes with the run, and a source the compiler left (a run killed outright) is never taken
// for a Java include. The include name does not change what a clean-up removes.
TEST_F(ProjectFiles, RecordTypeSourcesAreNeverJavaIncludes) {
    const std::string stale = "package Game;\nclass POINT {}\n" + std::string(kGeneratedMarker) + "\n";
    const std::string missing =
        "Error: Could not find the include POINT (POINT.java or POINT.bss) in the project folder ";
    const std::string type = "PRINT \"a\"\nTYPE POINT\nDIM X\nENDTYPE\n";
    struct Row {
        std::string what;
        std::string platform;
        std::string source;
        bool bss;        // POINT.bss beside the project
        bool staleJava;  // a POINT.java the compiler left
        int status;
        bool javaLeft;  // POINT.java is there after the run (a stale one the run had no record type for)
    };
    const Row rows[] = {
        {"a record type on the phone road", "TB", type, true, false, 0, false},
        {"a record type on the applet road", "Applet", type, true, false, 0, false},
        {"a refused program", "TB", type + "BREAK\n", true, false, 1, false},
        {"a stale source over a record type", "TB", type, true, true, 0, false},
        {"a stale source and no TYPE", "TB", "PRINT \"a\"\n", true, true, 0, true},
        {"a stale source and no include", "TB", "PRINT \"a\"\n", false, true, 1, true},
        {"a stale source and no include, applet", "Applet", "PRINT \"a\"\n", false, true, 1, true},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject(row.source, row.platform, "Game", "Include=POINT\n");
        if (row.bss) writeFile(project / "POINT.bss", "FUNCTION P()\nENDFUNCTION\n");
        if (row.staleJava) writeFile(project / "POINT.java", stale);
        const fs::path javacArgs = logs / "javac";
        tool("jdk/bin/javac",
             "echo \"$@\" >> " + shellQuote(javacArgs.string()) + "\n" + tz::testing::kJavacStandIn);
        EXPECT_EQ(compile(), row.status) << row.what << "\n" << joined();
        if (!row.bss) {
            EXPECT_EQ(output.back(), missing + project.string() + "/") << row.what;
        }
        // Compiled once at most, as the record type: never as an include.
        const std::string args = readFile(javacArgs);
        const size_t first = args.find("POINT.java");
        EXPECT_EQ(first != std::string::npos, row.status == 0 && row.source == type)
            << row.what << ": " << args;
        if (first != std::string::npos) {
            EXPECT_EQ(args.find("POINT.java", first + 1), std::string::npos) << args;
        }
        EXPECT_EQ(fs::exists(project / "POINT.java"), row.javaLeft) << row.what;
        if (row.status != 0) {
            Lines left = {"Game.tbp", "GameX.bss", row.bss ? "POINT.bss" : "POINT.java"};
            std::sort(left.begin(), left.end());
            EXPECT_EQ(tree(project), left) << row.what;
        }
        TearDown();
    }
}

// A platform value the compiler takes the byte-token road for: Build names the value, nothing of the
// user's goes, and nothing the run generated stays.
TEST_F(ProjectFiles, UnknownPlatformReachesBuildAndLeavesNothing) {
    for (const std::string platform : {"tb", "XYZ", "applet", "", " T B ", "TB "}) {
        SetUp();
        writeProject("PRINT \"a\"\n", platform);
        writeFile(project / "Game.java", kUsersJava);
        writeFile(project / "MANIFEST.MF", "the user's\n");
        EXPECT_EQ(compile(), 1) << "[" << platform << "]";
        EXPECT_EQ(output.back(), "Build Error: Unknown platform" + platform) << joined();
        EXPECT_EQ(readFile(project / "Game.java"), kUsersJava);
        EXPECT_EQ(tree(project), (Lines{"Game.java", "Game.tbp", "GameX.bss", "MANIFEST.MF"})) << platform;
        TearDown();
    }
}

// A project name that would put files outside the project folder, or name the folder itself, is refused
// by both programs on every platform before anything is written anywhere.
TEST_F(ProjectFiles, NameOutsideTheFolderIsRefused) {
    const std::string refused = "Error: The project name must be a file name in the project folder: ";
    // A name too long for the files the kit derives from it (the longest a partial file of the
    // descriptor, ".<name>.tbx.<pid>-<n>.tzpart"): the source <name>X.bss itself may still be there.
    for (const std::string& name :
         Lines{"../victim", "sub/../../victim", "a/b", ".", "..", std::string(201, 'L'),
               std::string(237, 'L'), std::string(250, 'L')}) {
        for (const std::string platform : {"TB", "Applet", "tb"}) {
            const std::string what = name + " on " + platform;
            SetUp();
            fs::create_directories(project / "sub");
            fs::create_directories(project / "a");
            writeFile(project / "Game.tbp",
                      "Main=Game\nRun=0\nName=" + name + "\nPlatform=" + platform + "\nInc=true\n");
            // The source the name points at is there, so nothing else stops the run.
            writeFile(project / (name + "X.bss"), "PRINT \"a\"\n");
            writeFile(root / "victim.java", kUsersJava);
            const Lines before = tree(root);
            EXPECT_EQ(compile(), 1) << what;
            EXPECT_EQ(output, Lines{refused + name}) << what;
            EXPECT_EQ(tree(root), before) << what;
            TearDown();
        }
        // Build-Linux trusts no Name of a descriptor either.
        for (const std::string platform : {"J2ME", "Applet", "PC", "PPC"}) {
            const std::string what = name + " on Build-Linux's " + platform;
            SetUp();
            fs::create_directories(project / "sub");
            fs::create_directories(project / "a");
            writeFile(kit / "VM/Tesvo Zorid.exe", "runtime");
            writeFile(project / "Game.tbx", "Main=Game.bss\nRun=0\nName=" + name + "\nPlatform=" + platform +
                                                "\nInc=true\nCLDC=10\n");
            const Lines before = tree(root);
            EXPECT_EQ(build(), 1) << what;
            EXPECT_EQ(output.back(), refused + name) << what;
            EXPECT_EQ(tree(root), before) << what;
            TearDown();
        }
    }
}

// Every output replaces a link standing in its place; what the link points to stays as it was.
TEST_F(ProjectFiles, OutputsReplaceLinksAndNeverWriteThroughThem) {
    struct Row {
        std::string platform;
        Lines links;  // in the project folder, each to a file of its own outside it
        int status;
    };
    const Row rows[] = {
        {"TB", {"RunGame.bat", "MANIFEST.MF", "CBuild.bat", "Game.tbx", "Game.jad", "Game.jar"}, 0},
        {"Applet", {"Game.html", "Game.tbx"}, 0},
        {"tb", {"data.tbd", "Game.tbx"}, 1},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject("PRINT \"a\"\n", row.platform);
        for (const auto& link : row.links) {
            writeFile(root / "outside" / link, "outside\n");
            fs::create_symlink(root / "outside" / link, project / link);
        }
        EXPECT_EQ(compile(), row.status) << row.platform << "\n" << joined();
        for (const auto& link : row.links) {
            EXPECT_EQ(readFile(root / "outside" / link), "outside\n") << link;
            EXPECT_FALSE(fs::is_symlink(project / link) && fs::exists(project / link)) << link;
        }
        TearDown();
    }

    // A folder the build writes into (the applet's package folder Game/) is made in the project where a
    // link stood; the folder the link led to keeps what it held, whether the build succeeds or fails.
    struct FolderRow {
        std::string what;
        std::string platform;
        bool javacFails;
        int status;
    };
    const FolderRow folderRows[] = {
        {"an applet build", "Applet", false, 0},
        {"a failing applet build", "Applet", true, 1},
        {"a phone build", "TB", false, 0},
    };
    for (const FolderRow& row : folderRows) {
        SetUp();
        writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n", row.platform);
        if (row.javacFails) tool("jdk/bin/javac", "echo 'error: cannot find symbol' >&2\nexit 1");
        writeFile(root / "outside/Game/Game.class", "outside\n");
        writeFile(root / "outside/Game/SPOT.class", "outside\n");
        for (const char* folder : {"Game", "tmpclasses", "classes"})
            fs::create_symlink(root / "outside/Game", project / folder);
        EXPECT_EQ(compile(), row.status) << row.what << "\n" << joined();
        EXPECT_EQ(tree(root / "outside"), (Lines{"Game", "Game/Game.class", "Game/SPOT.class"})) << row.what;
        for (const char* file : {"Game.class", "SPOT.class"})
            EXPECT_EQ(readFile(root / "outside/Game" / file), "outside\n") << row.what;
        if (row.platform == "Applet" && row.status == 0) {
            EXPECT_EQ(readFile(project / "Game/Game.class"), tz::testing::classFile()) << row.what;
        }
        TearDown();
    }

    // A build folder swapped for a link while a tool runs (another process that can write the project
    // folder): the build sees it after the tool, fails with one line and removes the link as a link. What
    // the tool wrote through the link before the build could see it stays where it went.
    struct SwapRow {
        std::string what;
        std::string platform;
        std::string tool;
        std::string folder;  // swapped, relative to the project folder
        std::string body;    // the tool's own work after the swap
    };
    const SwapRow swapRows[] = {
        {"tmpclasses during javac", "TB", "jdk/bin/javac", "tmpclasses", tz::testing::kJavacStandIn},
        {"tmpclasses/Game during javac", "TB", "jdk/bin/javac", "tmpclasses/Game",
         tz::testing::kJavacStandIn},
        {"classes during preverify", "TB", "wtk/bin/preverify", "classes", tz::testing::kPreverifyStandIn},
        {"classes/Game during preverify", "TB", "wtk/bin/preverify", "classes/Game",
         tz::testing::kPreverifyStandIn},
        {"an applet's Game during javac", "Applet", "jdk/bin/javac", "Game", tz::testing::kJavacStandIn},
    };
    for (const SwapRow& row : swapRows) {
        SetUp();
        writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n", row.platform);
        const fs::path outside = root / "outside";
        fs::create_directories(outside / "Game");
        // Once: the record type's javac swaps, the main class's finds the link.
        tool(row.tool, "if [ ! -L " + row.folder + " ]; then mkdir -p " + row.folder + " && mv " +
                           row.folder + " " + shellQuote((root / "taken").string()) + " && ln -s " +
                           shellQuote(outside.string()) + " " + row.folder + "; fi\n" + row.body);
        EXPECT_EQ(compile(), 1) << row.what;
        EXPECT_TRUE(printed("Error: The build folder " + (project / row.folder).string() +
                            " was replaced while the build ran"))
            << row.what << "\n"
            << joined();
        EXPECT_FALSE(fs::exists(project / "Game.jar") || fs::exists(project / "Game.html")) << row.what;
        EXPECT_EQ(tree(project), (Lines{"Game.tbp", "GameX.bss"})) << row.what;
        EXPECT_TRUE(fs::is_directory(outside / "Game")) << row.what;
        TearDown();
    }
}

// Refusals and failures keep no suite of an earlier build: a project file the compiler cannot take, a
// program it refuses, a failing tool; on the phone road and the applet's alike. A project file that names
// no platform takes the suites of both.
TEST_F(ProjectFiles, RefusalLeavesNoEarlierSuite) {
    struct Row {
        std::string what;
        std::string projectFile;  // "" for the one writeProject writes
        std::string platform;     // the earlier build's: "TB", "Applet", or "" for both
        std::string source;
        bool javacFails = false;
    };
    const Row rows[] = {
        {"no Run", "Main=Game\nName=Game\nPlatform=TB\n", "TB", "PRINT \"a\"\n"},
        {"Run=yes", "Main=Game\nRun=yes\nName=Game\nPlatform=TB\n", "TB", "PRINT \"a\"\n"},
        {"no Platform", "Main=Game\nRun=0\nName=Game\n", "", "PRINT \"a\"\n"},
        {"an empty project file", "\n", "", "PRINT \"a\"\n"},
        {"a refused phone program", "", "TB", "PRINT \"a\"\nBREAK\n"},
        {"a refused applet program", "", "Applet", "PRINT \"a\"\nBREAK\n"},
        {"a failing phone compile", "", "TB", "PRINT \"a\"\n", true},
        {"a failing applet compile", "", "Applet", "PRINT \"a\"\n", true},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject(row.source, row.platform.empty() ? "TB" : row.platform);
        if (!row.projectFile.empty()) writeFile(project / "Game.tbp", row.projectFile);
        if (row.javacFails) tool("jdk/bin/javac", "echo 'error: cannot find symbol' >&2\nexit 1");
        if (row.platform != "Applet") earlierPhoneSuite();
        if (row.platform != "TB") earlierApplet();
        EXPECT_EQ(compile(), 1) << row.what;
        Lines left = {"Game.tbp", "GameX.bss"};
        // A phone build's work goes with the suite only where the project says it is a phone project.
        if (row.platform.empty()) {
            left.insert(left.end(), {"RunGame.bat", "classes", "classes/Game", "classes/Game/Game.class",
                                     "tmpclasses", "tmpclasses/Game", "tmpclasses/Game/Game.class"});
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(tree(project), left) << row.what << "\n" << joined();
        TearDown();
    }
}

// Where the project file, the source, the descriptor or Config.cfg should be, something that is no file (a
// FIFO, a device) is refused by its name before it is opened, by either program: nothing blocks, nothing
// is read without end, no tool runs, nothing is left. A source past the kit's limit is refused with its
// size.
TEST_F(ProjectFiles, InputsThatAreNoFilesAreRefusedByName) {
    struct Kind {
        std::string what;
        std::function<void(const fs::path&)> make;
        std::string reason;
    };
    const Kind kinds[] = {
        {"a FIFO", [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0644), 0); },
         "Is a FIFO, not a file"},
        // /dev/zero's own number; a link to it where a device cannot be made.
        {"a device",
         [](const fs::path& at) {
             if (::mknod(at.c_str(), S_IFCHR | 0644, ::makedev(1, 5)) != 0)
                 fs::create_symlink("/dev/zero", at);
         },
         "Is a character device, not a file"},
        {"a source past the limit",
         [](const fs::path& at) {
             writeFile(at, "PRINT \"a\"\n");
             fs::resize_file(at, kit::kMaxTextFileBytes + 1);
         },
         "Is " + std::to_string(kit::kMaxTextFileBytes + 1) + " bytes long, more than the " +
             std::to_string(kit::kMaxTextFileBytes) + " bytes the kit reads"},
    };
    struct Input {
        std::string file;  // in the project folder, or Config.cfg in the kit's
        bool alone;        // Build-Linux on its own, else Compile-Linux
    };
    const Input inputs[] = {
        {"GameX.bss", false}, {"Game.tbp", false},  {"Config.cfg", false},
        {"Game.tbx", true},   {"Config.cfg", true},
    };
    for (const Kind& kind : kinds) {
        for (const Input& input : inputs) {
            if (kind.what == "a source past the limit" && input.file != "GameX.bss") continue;
            const std::string what =
                kind.what + " as " + input.file + (input.alone ? " for Build-Linux" : "");
            SetUp();
            writeProject("PRINT \"a\"\n");
            const fs::path descriptor = project / "Game.tbx";
            if (input.alone) writeFile(descriptor, "Main=Game.bss\nRun=0\nName=Game\nPlatform=J2ME\n");
            const fs::path at = (input.file == "Config.cfg" ? kit : project) / input.file;
            fs::remove(at);
            kind.make(at);
            const Lines before = tree(project);
            const int status = input.alone ? build() : compile();
            EXPECT_EQ(status, 1) << what << "\n" << joined();
            const std::string couldNot = "Error: Could not access project descriptor file \"";
            const Lines expected =
                input.alone
                    ? Lines{at.string() + " (" + kind.reason + ")", couldNot + descriptor.string() + "\""}
                    : Lines{couldNot + at.string() + "\"", at.string() + " (" + kind.reason + ")"};
            ASSERT_GE(output.size(), 2u) << what;
            EXPECT_EQ(Lines(output.end() - 2, output.end()), expected) << what << "\n" << joined();
            EXPECT_EQ(toolsStarted(), 0u) << what;
            EXPECT_EQ(tree(project), before) << what;
            TearDown();
        }
    }
}

// A folder that holds any byte a file system allows: the tools run inside it and take its files by their
// names, in a UTF-8 locale of their own whatever the user's, so the folder's path reaches none of them.
// A folder the Java tools cannot work in (a path past 4095 bytes, one with "\" or bytes that are not
// UTF-8) is refused before any tool runs, with one line. Under the C, POSIX and UTF-8 locales alike.
TEST_F(ProjectFiles, FolderNamesTheFileSystemAllowsBuildOrAreRefusedAtOnce) {
    struct Row {
        std::string what;
        std::string folder;   // under the test's root, or a relative path from it ("-" first)
        std::string refused;  // the line, with "<folder>" for the folder's path; "" when it builds
    };
    const std::string backslash =
        "Error: The project folder <folder> holds the character \"\\\", which the Java compiler reads as a "
        "folder separator. Use a folder whose path has no \"\\\"";
    const std::string notUtf8 =
        "Error: The project folder <folder> has a path that is not UTF-8, which the Java tools cannot read. "
        "Use "
        "a folder whose path is UTF-8";
    const std::string tooLong =
        "Error: The project folder ./ has a path longer than the 4095 bytes the Java tools can work in. Use "
        "a "
        "folder with a shorter path";
    std::string deep;
    for (int i = 0; i < 20; ++i) deep += std::string(220, 'd') + "/";
    const Row rows[] = {
        {"a double quote", "my \"game\"", ""},
        {"a quote", "it's mine", ""},
        {"a newline", "new\nline", ""},
        {"letters past ASCII", "j\xc3\xa4t\xc3\xa9 \xe2\x82\xac", ""},
        {"a relative path that starts with -", "-game", ""},
        {"a backslash", "back\\slash", backslash},
        {"bytes that are not UTF-8", "lat\xe9in", notUtf8},
        {"a working folder past 4095 bytes", deep, tooLong},
    };
    const Lines locales[] = {
        {"LC_ALL=C", "LANG=C"}, {"LC_ALL=POSIX", "LANG=POSIX"}, {"LC_ALL=C.UTF-8", "LANG=C.UTF-8"}};
    for (const Lines& locale : locales) {
        for (const Row& row : rows) {
            const std::string what = row.what + " under " + locale[0];
            SetUp();
            const fs::path log = logs / "javac";
            tool("jdk/bin/javac", "echo \"$LC_ALL\" >> " + shellQuote(log.string()) +
                                      "\nfor a in \"$@\"; do echo \"$a\"; done >> " +
                                      shellQuote(log.string()) + "\n" + tz::testing::kJavacStandIn);
            const bool long_ = row.folder == deep;
            const fs::path folder = root / row.folder;
            if (long_) {
                // Made a name at a time: the whole path is longer than a path the system takes.
                const pid_t maker = ::fork();
                if (maker == 0) {
                    ::chdir(root.c_str());
                    for (const auto& part : fs::path(row.folder))
                        if (!part.empty() && (::mkdir(part.c_str(), 0755) != 0 || ::chdir(part.c_str()) != 0))
                            ::_exit(1);
                    std::ofstream("Game.tbp") << "Main=Game\nRun=0\nName=Game\nPlatform=TB\nInc=true\n";
                    std::ofstream("GameX.bss") << "PRINT \"a\"\n";
                    ::_exit(0);
                }
                int made = 0;
                ::waitpid(maker, &made, 0);
                ASSERT_EQ(made, 0) << what;
            } else {
                writeFile(folder / "Game.tbp", "Main=Game\nRun=0\nName=Game\nPlatform=TB\nInc=true\n");
                writeFile(folder / "GameX.bss", "PRINT \"a\"\n");
            }
            const Lines argv = long_ ? Lines{(kit / "Compile-Linux").string(), "Game"}
                               : row.folder.starts_with('-')
                                   ? Lines{(kit / "Compile-Linux").string(), row.folder + "/Game"}
                                   : Lines{(kit / "Compile-Linux").string(), (folder / "Game").string()};
            const int status = compileWith(argv, locale,
                                           long_                         ? folder
                                           : row.folder.starts_with('-') ? root
                                                                         : fs::path());
            if (row.refused.empty()) {
                EXPECT_EQ(status, 0) << what << "\n" << joined();
                EXPECT_EQ(output.back(), "Program compiled") << what;
                EXPECT_TRUE(fs::exists(folder / "Game.jar") && fs::exists(folder / "Game.jad")) << what;
                const Lines seen = splitLines(readFile(log));
                ASSERT_FALSE(seen.empty()) << what;
                EXPECT_EQ(seen.front(), "C.UTF-8") << what;
                for (const auto& argument : seen)
                    EXPECT_EQ(argument.find(row.folder), std::string::npos) << what << ": " << argument;
            } else {
                std::string line = row.refused;
                if (const size_t at = line.find("<folder>"); at != std::string::npos)
                    line.replace(at, 8, fs::canonical(folder).string() + "/");
                EXPECT_EQ(status, 1) << what;
                EXPECT_EQ(output.back(), line) << what << "\n" << joined();
                EXPECT_EQ(toolsStarted(), 0u) << what;
                if (!long_) {
                    EXPECT_EQ(tree(folder), (Lines{"Game.tbp", "GameX.bss"})) << what;
                }
            }
            if (long_) tz::testing::runProgram({}, {"rm", "-rf", (root / std::string(220, 'd')).string()});
            TearDown();
        }
    }
}

// The project folder moved or deleted while a tool runs: the run goes on in the folder it opened and
// writes nothing at the old path, or, the folder gone, stops with one line; nothing of it is left.
TEST_F(ProjectFiles, AFolderMovedOrDeletedDuringTheRun) {
    struct Row {
        std::string what;
        std::string tool;
        std::string body;
        bool deleted;
    };
    const fs::path moved = root / "moved";
    const std::string move =
        "[ -e " + shellQuote(moved.string()) + " ] || mv \"$(pwd -P)\" " + shellQuote(moved.string()) + "\n";
    const std::string remove = "rm -rf \"$(pwd -P)\"\n";
    const Row rows[] = {
        {"moved during javac", "jdk/bin/javac", move + tz::testing::kJavacStandIn, false},
        {"moved during preverify", "wtk/bin/preverify", move + tz::testing::kPreverifyStandIn, false},
        {"moved during jar", "jdk/bin/jar", move + tz::testing::kJarStandIn, false},
        {"deleted during javac", "jdk/bin/javac", remove, true},
        {"deleted during preverify", "wtk/bin/preverify", remove + "exit 0", true},
    };
    for (const Row& row : rows) {
        SetUp();
        writeProject("PRINT \"a\"\nTYPE SPOT\nDIM X\nENDTYPE\n");
        earlierPhoneSuite();
        tool(row.tool, row.body);
        const int status = compile();
        EXPECT_FALSE(fs::exists(project)) << row.what << ": written at the old path";
        expectNoToolRunning(row.what);
        if (row.deleted) {
            EXPECT_EQ(status, 1) << row.what;
            EXPECT_TRUE(
                printed("Error: The project folder " + project.string() + "/ was deleted during the run"))
                << row.what << "\n"
                << joined();
            EXPECT_FALSE(fs::exists(moved)) << row.what;
        } else {
            EXPECT_EQ(status, 0) << row.what << "\n" << joined();
            EXPECT_EQ(output.back(), "Program compiled") << row.what;
            Lines left;
            for (const auto& entry : tree(moved))
                if (entry.find('/') == std::string::npos) left.push_back(entry);
            EXPECT_EQ(left, (Lines{"Game.jad", "Game.jar", "Game.tbp", "Game.tbx", "GameX.bss", "RunGame.bat",
                                   "classes", "tmpclasses"}))
                << row.what;
        }
        TearDown();
    }
}

}  // namespace
}  // namespace guard::testing
