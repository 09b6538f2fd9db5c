// The example game of examples/, as the README's first command builds it: the real Compile-Linux and
// Build-Linux of the kit folder on a copy of the project, and the kit's emulator on the suite they make.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "classfile.h"
#include "suite.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::TempDir;

const std::string kKit = TZ_KIT_DIR;
const fs::path kExample = fs::path(TZ_EXAMPLES_DIR) / "Skyward";
const char* const kImages[] = {"hero.png", "tiles.png", "rock.png"};

class ExampleGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kKit + "/jdk/bin/javac")) << "the kit's Java tool chain is missing";
        // Only the project's own files: a suite left from an earlier build must not stand in for this one.
        ASSERT_TRUE(tz::testing::copyExampleProject(kExample, project));
    }

    tz::testing::ProgramRun compile() {
        // From another directory, as a user runs it; the project folder's name holds a blank.
        return runProgram(dir.path(), {kKit + "/Compile-Linux", (project / "Skyward").string()});
    }

    TempDir dir;
    fs::path project = fs::path(dir.path()) / "my games" / "Skyward";
};

TEST_F(ExampleGame, CompilesIntoAPreverifiedSuiteWithItsImages) {
    auto run = compile();
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("\nProgram compiled\n"), std::string::npos) << run.output;

    const fs::path jar = project / "Skyward.jar";
    ASSERT_TRUE(fs::exists(jar));
    auto entries = standins::readJar(jar);
    ASSERT_TRUE(entries.has_value());
    for (const char* image : kImages) {
        auto found = entries->find(image);
        ASSERT_NE(found, entries->end()) << image;
        EXPECT_EQ(found->second, readFile((kExample / image).string())) << image;
    }

    // The program, its canvas and timer task, the record type and the support classes.
    for (const char* name :
         {"Game/Skyward.class", "Game/Skyward$TBCanvas.class", "Game/FALLER.class", "Game/Include.class"})
        EXPECT_EQ(entries->count(name), 1u) << name;
    int classes = 0;
    for (const auto& [name, bytes] : *entries) {
        if (fs::path(name).extension() != ".class") continue;
        ++classes;
        standins::ClassInfo info = standins::readClass(bytes);
        ASSERT_TRUE(info.valid) << name << ": " << info.error;
        EXPECT_GE(info.major, 45) << name;
        EXPECT_LE(info.major, 48) << name;
        EXPECT_TRUE(info.unverifiable.empty()) << name << ": " << info.unverifiable.front();
    }
    EXPECT_GE(classes, 6);
    // The game's methods branch and loop, so the preverifier gave them StackMap attributes: the
    // attribute's name stands in the constant pool as a UTF-8 entry of length 8.
    EXPECT_NE(entries->at("Game/Skyward.class").find(std::string("\0\x08StackMap", 10)), std::string::npos);

    standins::Attributes jad = standins::Attributes::parse(readFile((project / "Skyward.jad").string()));
    EXPECT_EQ(jad.get("MIDlet-Jar-Size"), std::to_string(fs::file_size(jar)));
    EXPECT_EQ(jad.get("MIDlet-Jar-URL"), "Skyward.jar");
    EXPECT_EQ(jad.get("MIDlet-1"), "Skyward,,Game.Skyward");
    EXPECT_EQ(jad.get("MIDlet-Name"), "Skyward");

    auto emulator = runProgram(dir.path(), {kKit + "/wtk/bin/emulator", "-classpath", jar.string(),
                                            "-Xdescriptor:" + (project / "Skyward.jad").string()});
    EXPECT_EQ(emulator.status, 0) << emulator.output;
    EXPECT_NE(emulator.output.find("The MIDlet suite checks out."), std::string::npos) << emulator.output;

    // The generated sources and the build's own scripts are gone; the descriptor names the record type.
    for (const char* gone : {"Skyward.java", "FALLER.java", "MANIFEST.MF", "CBuild.bat"})
        EXPECT_FALSE(fs::exists(project / gone)) << gone;
    EXPECT_NE(readFile((project / "Skyward.tbx").string()).find("\nObject0=FALLER\n"), std::string::npos);
}

// The generated Java holds what the game is made of: the menu's commands and listener, the canvas with
// its paint, key and loop actions, the sprite over the tile layer and the functions that give results.
TEST_F(ExampleGame, GeneratedProgramHoldsTheGamesParts) {
    auto run =
        runProgram(dir.path(), {kKit + "/Compile-Linux", (project / "Skyward").string()}, {"TZ_KEEP_JAVA=1"});
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string java = readFile((project / "Skyward.java").string());
    for (const char* line : {
             "Command STARTB = new Command(\"Start\",Command.SCREEN,1);",
             "MENU.addCommand(STARTB);",
             "MENU.setCommandListener(this);",
             "FALLER[] DROPS = new FALLER[6];",
             "BIRDIMG = Image.createImage(\"/hero.png\");",
             "tiles = new TiledLayer(11,15,TILEIMG,16,16);",
             "BIRD = new Sprite(BIRDIMG,16,16);",
             "public void paint(Graphics b) {",
             "layers.paint(g,0,SCROLL-16);",
             "BIRD.paint(g);",
             "public void performAction(int keyCode) {",
             "long interval = 50;",
             "public void commandAction(Command C, Displayable s) {",
             "display.setCurrent(PLAY);",
             "notifyDestroyed();",
             "private int STEER(int WANTED){",
             "private int CAUGHT(int WHICH){",
             "BIRD.nextFrame();",
         })
        EXPECT_NE(java.find(line), std::string::npos) << line;
    EXPECT_EQ(readFile((project / "FALLER.java").string()),
              "package Game;\npublic class FALLER { public FALLER() { }\npublic int X = 0;\npublic int Y = "
              "0;\npublic int SPEED = 0;\npublic int KIND = 0;\n}\n"
              "// Generated by the Tesvo Zorid compiler: a compile of the project replaces or deletes this "
              "file.\n");
}

}  // namespace
