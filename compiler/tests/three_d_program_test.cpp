// Whole 3D programs through the kit: Compile-Linux translates them, the kit's javac compiles the Java
// against the phone and 3D stubs, the preverifier accepts the classes, and Build makes the suite.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kData = std::string(TZ_TEST_DATA) + "/three_d/";

void writeProject(const TempDir& dir, const std::string& sourceFile, const std::string& includes = "") {
    tz::testing::writeProject(dir / "Game", readFile(kData + sourceFile), "TB", "Game", includes);
}

// The support classes the generated class declares; the kit keeps them as Include/*.inc.
bool supportClassesBuilt() {
    return fs::exists(kKit + "/Include/Include.inc");
}

void copySupportClasses(const std::string& into) {
    fs::create_directories(into + "/Game");
    for (const auto& entry : fs::directory_iterator(kKit + "/Include")) {
        // The base group only, as Build copies it for a program that uses no sound, MIDI, image or video.
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() != ".inc" || (stem != "Include" && stem.rfind("Include$", 0) != 0))
            continue;
        fs::copy_file(entry.path(), into + "/Game/" + entry.path().stem().string() + ".class",
                      fs::copy_options::overwrite_existing);
    }
}

TEST(ThreeDProgram, EveryStatementCompilesAndPreverifies) {
    ASSERT_TRUE(supportClassesBuilt()) << "the kit's support classes are not built in " << kKit;
    TempDir dir;
    // The model class is the user's Java source, named among the project's includes.
    writeProject(dir, "every_statement.bss", "Include=MODEL\n");
    fs::copy_file(kData + "MODEL.java", dir / "Game/MODEL.java");
    auto compile = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"}, {"TZ_KEEP_JAVA=1"});
    ASSERT_TRUE(fs::exists(dir / "Game/Game.java")) << compile.output;
    EXPECT_EQ(compile.output.find("Error detected"), std::string::npos) << compile.output;
    const std::string java = readFile(dir / "Game/Game.java");
    EXPECT_NE(java.find("import javax.microedition.m3g.*;"), std::string::npos);
    EXPECT_LT(java.find("World[][] GRID = new World[2][3];"), java.find("public void startApp()"));
    EXPECT_LT(java.find("World[] SCENE = new World[2];"), java.find("public void startApp()"));
    const std::string descriptor = readFile(dir / "Game/Game.tbx");
    EXPECT_NE(descriptor.find("\n3D=true\n"), std::string::npos) << descriptor;
    EXPECT_NE(descriptor.find("\nCLDC=11\n"), std::string::npos) << descriptor;

    const std::string lib = kKit + "/wtk/lib/";
    const std::string boot = lib + "cldcapi11.jar:" + lib + "midpapi20.jar:" + lib + "jsr184.jar";
    copySupportClasses(dir / "Game/tmpclasses");  // where Build puts them too
    auto javac = runProgram(
        dir / "Game", {kKit + "/jdk/bin/javac", "-bootclasspath", boot, "-source", "1.4", "-target", "1.4",
                       "-classpath", "tmpclasses", "-d", "tmpclasses", "Game.java", "MODEL.java"});
    ASSERT_EQ(javac.status, 0) << javac.output << java;
    auto preverify = runProgram(
        dir / "Game", {kKit + "/wtk/bin/preverify", "-classpath", boot, "-d", "classes", "tmpclasses"});
    EXPECT_EQ(preverify.status, 0) << preverify.output;
    EXPECT_TRUE(fs::exists(dir / "Game/classes/Game/Game.class"));
}

// No phone runtime is installed, so the program runs on the JDK: the API jars give the phone's classes (the
// JDK's own java.* classes win over the CLDC ones), the desktop harness's display (data/desktop) shows the
// canvas, and a small runtime of the test (data/three_d/runtime) takes the place of the parts of the 3D
// API whose checks matter here (a node in one group, a world with an active camera in it, a bound target).
// The world made at its declaration, the object put into it, the camera and light added, the rotation set
// twice and the colour set before the clear must all hold for three frames to render without an exception.
TEST(ThreeDProgram, SceneOnACanvasRendersWithoutAnException) {
    ASSERT_TRUE(supportClassesBuilt()) << "the kit's support classes are not built in " << kKit;
    ASSERT_EQ(runProgram("/", {"java", "-version"}).status, 0) << "no java runtime on the PATH";
    TempDir dir;
    // The model class is the user's Java source, named among the project's includes.
    writeProject(dir, "scene.bss", "Include=MODEL\n");
    fs::copy_file(kData + "MODEL.java", dir / "Game/MODEL.java");
    auto compile = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"});
    ASSERT_EQ(compile.status, 0) << compile.output;
    ASSERT_TRUE(fs::exists(dir / "Game/Game.jar"));

    const std::string lib = kKit + "/wtk/lib/";
    fs::copy(kData + "runtime", dir / "runtime", fs::copy_options::recursive);
    std::vector<std::string> sources = {kKit + "/jdk/bin/javac", "-classpath",
                                        lib + "midpapi20.jar:" + lib + "jsr184.jar", "-d", dir / "runtime"};
    for (const auto& entry : fs::recursive_directory_iterator(dir / "runtime")) {
        if (entry.path().extension() == ".java") sources.push_back(entry.path());
    }
    sources.push_back(std::string(TZ_TEST_DATA) + "/desktop/javax/microedition/lcdui/Display.java");
    auto runtime = runProgram(dir.path(), sources);
    ASSERT_EQ(runtime.status, 0) << runtime.output;

    // The suite's own classes, as Build made them.
    auto run = runProgram(dir.path(), {"java", "-cp",
                                       dir / "runtime" + ":" + dir / "Game/Game.jar:" + lib +
                                           "midpapi20.jar:" + lib + "jsr184.jar:" + lib + "cldcapi11.jar",
                                       "RunScene"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "frames 3 background ff\n");
}

TEST(ThreeDProgram, LightAndWorldProgramBuildsASuite) {
    ASSERT_TRUE(supportClassesBuilt()) << "the kit's support classes are not built in " << kKit;
    TempDir dir;
    writeProject(dir, "render_only.bss");
    auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"});
    EXPECT_EQ(result.status, 0) << result.output;
    const std::string descriptor = readFile(dir / "Game/Game.tbx");
    EXPECT_NE(descriptor.find("\n3D=true\n"), std::string::npos) << descriptor;
    EXPECT_NE(descriptor.find("\nCLDC=11\n"), std::string::npos) << descriptor;
    EXPECT_TRUE(fs::exists(dir / "Game/Game.jar"));
    EXPECT_TRUE(fs::exists(dir / "Game/Game.jad"));
    EXPECT_FALSE(fs::exists(dir / "Game/Game.java"));
}

}  // namespace
