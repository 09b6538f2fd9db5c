#include "commands.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "text_file.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

Project projectWith(Lines lines) {
    Project project;
    project.allLines = std::move(lines);
    project.allLines.push_back("Name=Space");
    project.name = "Space";
    project.path = "/p q/";
    project.javaLocation = "/jdk/bin/";
    project.j2meLocation = "/wtk/";
    project.tbLocation = "/kit/";
    return project;
}

// The main compile's boot class path and the preverifier's class path follow the feature flags; an
// include (a model class, a media helper) compiles against the same libraries as the main class. The media
// API stands before MIDP 2.0, whose media classes are a subset of its own.
TEST(CommandList, LibrariesFollowTheFlags) {
    struct Row {
        Lines flags;
        std::string boot;  // also the preverifier's, before the class folder
        bool cldc11;
    };
    const std::string midp = "/wtk/lib/midpapi20.jar:";
    const Row rows[] = {
        {{"3D=false", "Floats=false", "MM=false"}, midp + "/wtk/lib/cldcapi10.jar", false},
        {{"Floats=true"}, midp + "/wtk/lib/cldcapi11.jar", true},
        {{"3D=true"}, midp + "/wtk/lib/cldcapi11.jar:/wtk/lib/jsr184.jar", true},
        {{"MM=true"}, "/wtk/lib/mmapi.jar:" + midp + "/wtk/lib/cldcapi10.jar", false},
        {{"MM=TRUE", "3D=True", "Floats=true"},
         "/wtk/lib/mmapi.jar:" + midp + "/wtk/lib/cldcapi11.jar:/wtk/lib/jsr184.jar",
         true},
    };
    for (const auto& row : rows) {
        Project project = projectWith(row.flags);
        auto commands = commandList(project);
        ASSERT_EQ(commands.size(), 4u);
        project.includes = {"Model"};
        auto withInclude = commandList(project);
        ASSERT_EQ(withInclude.size(), 5u);
        EXPECT_EQ(withInclude[0][2], row.boot) << row.flags[0];
        EXPECT_EQ(withInclude[0][7], "/p q/Model.java");
        EXPECT_EQ(commands[0],
                  (Lines{"/jdk/bin/javac", "-bootclasspath", row.boot, "-d", "/p q/tmpclasses", "-classpath",
                         "/p q/tmpclasses", "/p q/Space.java", "-target", "1.4", "-source", "1.4"}))
            << row.flags[0];
        EXPECT_EQ(commands[1], (Lines{"/wtk/bin/preverify", "-classpath", row.boot + ":/p q/tmpclasses", "-d",
                                      "/p q/classes", "/p q/tmpclasses"}));
        EXPECT_EQ(compiledAgainstCldc11(project), row.cldc11);
    }
}

TEST(CommandList, IncludesObjectsAndClassPathInRunOrder) {
    Project project = projectWith({"CLDC=11"});
    project.includes = {"Util", "Maps"};
    project.objects = {"TypePoint"};
    project.classPaths = {"/lib/a.jar", "/lib/b c.jar"};
    auto commands = commandList(project);
    ASSERT_EQ(commands.size(), 7u);
    const std::string cp = "/lib/a.jar:/lib/b c.jar:";
    const std::string boot11 = "/wtk/lib/midpapi20.jar:/wtk/lib/cldcapi11.jar";
    EXPECT_EQ(commands[0],
              (Lines{"/jdk/bin/javac", "-bootclasspath", boot11, "-d", "/p q/tmpclasses", "-classpath",
                     cp + "/p q/tmpclasses", "/p q/Util.java", "-target", "1.4", "-source", "1.4"}));
    EXPECT_EQ(commands[1][7], "/p q/Maps.java");
    EXPECT_EQ(commands[2], (Lines{"/jdk/bin/javac", "-bootclasspath", boot11 + ":/wtk/lib/jsr184.jar", "-d",
                                  "/p q/tmpclasses", "-classpath", "/p q/tmpclasses", "/p q/TypePoint.java",
                                  "-target", "1.4", "-source", "1.4"}));
    EXPECT_EQ(commands[3][2], "/wtk/lib/midpapi20.jar:/wtk/lib/cldcapi10.jar");
    EXPECT_EQ(commands[3][6], cp + "/p q/tmpclasses");
    EXPECT_EQ(commands[4][2], cp + "/wtk/lib/midpapi20.jar:/wtk/lib/cldcapi10.jar:/p q/tmpclasses");
    EXPECT_EQ(commands[5], (Lines{"/jdk/bin/jar", "cmf", "/p q/MANIFEST.MF", "/p q/Space.jar", "-C",
                                  "/p q/classes", "."}));
    EXPECT_EQ(commands[6], (Lines{"/bin/sh", "/p q/CBuild.bat"}));
    // The includes read the CLDC 1.1 library, so the suite needs CLDC 1.1.
    EXPECT_TRUE(compiledAgainstCldc11(project));
}

// The build script runs under sh: every path survives blanks and quotes, a pattern without files skips its
// jar command instead of failing the step, and the map files go in only with Mappy.
TEST(Scripts, BuildScriptRunsWithAwkwardPathsAndAddsMapsOnlyWithMappy) {
    testing::TempDir temp;
    fs::path jdk = temp.folder() / "it's a \"jdk\" $HOME" / "bin";
    fs::path projectDir = temp.folder() / "my `game` dir";
    fs::create_directories(jdk);
    fs::create_directories(projectDir);
    testing::writeFile(jdk / "jar", "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done; echo\n");
    fs::permissions(jdk / "jar", fs::perms::owner_all);
    testing::writeFile(projectDir / "a b.png", "png");
    testing::writeFile(projectDir / "c.png", "png");
    testing::writeFile(projectDir / "level.fmp", "map");
    testing::writeFile(projectDir / "theme.mid", "midi");
    testing::writeFile(projectDir / "end.midi", "midi");
    testing::writeFile(projectDir / "sub dir/b.dat", "data");

    for (const bool mappy : {false, true}) {
        Project project = projectWith({mappy ? "Mappy=true" : "Mappy=false"});
        project.path = projectDir.string() + "/";
        project.javaLocation = jdk.string() + "/";
        // c.png is named by the program and taken by its pattern: it goes in once.
        ASSERT_FALSE(
            writeLines(project.path + "CBuild.bat", cbuildScript(project, {"c.png", "sub dir/b.dat"})));

        ProcessRunner runner;
        Lines output;
        auto result = runner.run(commandList(project).back(), {},
                                 [&](const std::string& line) { output.push_back(line); });
        EXPECT_TRUE(result.ok()) << result.exitStatus;
        Lines expected{"Adding Image files",
                       "**",
                       "[uf][Space.jar][a b.png][c.png]",
                       "Adding Sound files",
                       "[uf][Space.jar][theme.mid]",
                       "[uf][Space.jar][end.midi]"};
        if (mappy)
            expected.insert(expected.end(), {"**", "Adding mappy files", "[uf][Space.jar][level.fmp]"});
        expected.push_back("[uf][Space.jar][sub dir/b.dat]");
        EXPECT_EQ(output, expected) << "Mappy " << mappy;
    }
}

// The emulator script runs under sh with every path as one word, quotes and all.
TEST(Scripts, RunScriptHandsTheEmulatorEachPathWhole) {
    testing::TempDir temp;
    const fs::path wtk = temp.folder() / "it's \"wtk\"";
    const fs::path projectDir = temp.folder() / "it's here";
    fs::create_directories(wtk / "bin");
    fs::create_directories(projectDir);
    testing::writeFile(wtk / "bin/emulator",
                       "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done; echo\n");
    fs::permissions(wtk / "bin/emulator", fs::perms::owner_all);
    Project project = projectWith({});
    project.path = projectDir.string() + "/";
    project.j2meLocation = wtk.string() + "/";
    ASSERT_FALSE(writeLines(project.path + "RunGame.bat", runGameScript(project)));

    ProcessRunner runner;
    Lines output;
    auto result = runner.run({"/bin/sh", "-c", "echo | sh \"$0\"", project.path + "RunGame.bat"}, {},
                             [&](const std::string& line) { output.push_back(line); });
    EXPECT_TRUE(result.ok()) << result.exitStatus;
    EXPECT_EQ(output, (Lines{"[-classpath][" + project.path + "Space.jar][-Xdescriptor:" + project.path +
                                 "Space.jad]",
                             "Press Enter to continue . . . "}));
}

TEST(Scripts, FailingJarFailsTheScript) {
    testing::TempDir temp;
    testing::writeFile(temp.folder() / "jdk/jar", "#!/bin/sh\nexit 3\n");
    fs::permissions(temp.folder() / "jdk/jar", fs::perms::owner_all);
    testing::writeFile(temp.folder() / "x.png", "png");
    Project project = projectWith({});
    project.path = temp.path() + "/";
    project.javaLocation = temp.path() + "/jdk/";
    ASSERT_FALSE(writeLines(project.path + "CBuild.bat", cbuildScript(project)));
    ProcessRunner runner;
    auto result = runner.run({"/bin/sh", project.path + "CBuild.bat"}, {}, nullptr);
    EXPECT_FALSE(result.ok());
}

}  // namespace
}  // namespace build
