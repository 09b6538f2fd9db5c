// Whole programs with the map, sound, file, network and video statements through the kit: Compile-Linux
// translates them and Build-Linux compiles, preverifies and packs them with the support classes their
// flags call for.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "driver/messages.h"
#include "kit/support_classes.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::splitLines;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kData = std::string(TZ_TEST_DATA) + "/media/";

bool kitBuilt() {
    return fs::exists(kKit + "/Include/Include.inc") && fs::exists(kKit + "/Include/MapViewer.inc") &&
           fs::exists(kKit + "/wtk/lib/mmapi.jar");
}

tz::testing::ProgramRun compile(const TempDir& dir, const std::string& platform, const std::string& source,
                                const std::vector<std::string>& environment = {}) {
    tz::testing::writeProject(dir / "Game", source, platform);
    return runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"}, environment);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The phone programs use every statement of the family (the second one those that need an image or a
// button); Build's javac and preverifier accepting them is the test.
TEST(MediaProgram, EveryStatementBuildsForThePhone) {
    ASSERT_TRUE(kitBuilt()) << "the kit's tool chain and support classes are not built in " << kKit;
    for (const char* file : {"every_statement.bss", "with_widgets.bss"}) {
        SCOPED_TRACE(file);
        TempDir dir;
        auto result = compile(dir, "TB", readFile(kData + file), {"TZ_KEEP_JAVA=1"});
        EXPECT_EQ(result.status, 0) << result.output;
        EXPECT_TRUE(has(result.output, "Program compiled")) << result.output;
        EXPECT_TRUE(fs::exists(dir / "Game/Game.jar"));
        const std::string java = readFile(dir / "Game/Game.java");
        EXPECT_TRUE(has(java, "videoControl = (VideoControl) inc.StartCamera();")) << java;
    }
}

TEST(MediaProgram, MapProgramImportsThePhonesListAndLayer) {
    ASSERT_TRUE(kitBuilt()) << "the kit's tool chain and support classes are not built in " << kKit;
    TempDir dir;
    auto result = compile(dir, "TB", readFile(kData + "every_statement.bss"), {"TZ_KEEP_JAVA=1"});
    const std::vector<std::string> lines = splitLines(readFile(dir / "Game/Game.java"));
    auto at = std::find(lines.begin(), lines.end(), "import javax.microedition.lcdui.game.*;");
    ASSERT_NE(at, lines.end());
    ASSERT_GE(lines.end() - at, 3);
    EXPECT_EQ(at[1], "import javax.microedition.lcdui.List;");
    EXPECT_EQ(at[2], "import javax.microedition.lcdui.game.Layer;");
    const std::string descriptor = readFile(dir / "Game/Game.tbx");
    for (const char* line : {"\nMappy=true\n", "\nMM=true\n", "\nSound=true\n", "\nMidi=true\n",
                             "\nVideo=true\n", "\nImage=false\n", "\nCLDC=10\n"}) {
        EXPECT_TRUE(has(descriptor, line)) << line << descriptor;
    }
}

// Sound, MIDI and a tile map: the suite holds the program, the base, sound and MIDI support classes and
// the map library, and nothing of the image or camera groups.
TEST(MediaProgram, SoundMidiAndMapSuiteCarriesExactlyItsSupportClasses) {
    ASSERT_TRUE(kitBuilt()) << "the kit's tool chain and support classes are not built in " << kKit;
    TempDir dir;
    auto result = compile(dir, "TB", readFile(kData + "sound_midi_map.bss"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(fs::exists(dir / "Game/Game.jad"));
    EXPECT_FALSE(fs::exists(dir / "Game/Game.java"));
    const std::string descriptor = readFile(dir / "Game/Game.tbx");
    for (const char* line : {"\nMappy=true\n", "\nMM=true\n", "\nSound=true\n", "\nMidi=true\n",
                             "\nVideo=false\n", "\nImage=false\n"}) {
        EXPECT_TRUE(has(descriptor, line)) << line << descriptor;
    }

    auto listing = runProgram(dir.path(), {"unzip", "-Z1", dir / "Game/Game.jar"});
    ASSERT_EQ(listing.status, 0) << listing.output;
    std::vector<std::string> entries;
    bool programClass = false;
    for (const std::string& entry : splitLines(listing.output)) {
        // The program's own classes: the class, its canvases and the key-repeat classes.
        if (entry.rfind("Game/Game", 0) == 0) {
            programClass = programClass || entry == "Game/Game.class";
            continue;
        }
        entries.push_back(entry);
    }
    EXPECT_TRUE(programClass);
    std::sort(entries.begin(), entries.end());
    std::vector<std::string> expected = {"META-INF/", "META-INF/MANIFEST.MF", "Game/"};
    for (const char* name : {"Include", "Include$Camera", "Include$OSReceive", "Include$Sender",
                             "IncludeSound", "IncludeMidi"}) {
        expected.push_back(std::string("Game/") + name + ".class");
    }
    // The map library, each class once (Build copies one of them twice).
    for (std::string_view name : kit::mapClassNames()) {
        const std::string entry = "Game/" + std::string(name) + ".class";
        if (std::find(expected.begin(), expected.end(), entry) == expected.end()) expected.push_back(entry);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);
}

// The applet carries no support objects: each statement stops the run with the target refusal.
TEST(MediaProgram, AppletRefusesEachStatementWithItsLine) {
    ASSERT_TRUE(fs::exists(kKit + "/Compile-Linux")) << "Compile-Linux is not built in " << kKit;
    const std::string refusal = compiler::res("Error_This_command_is") + " at line ";
    for (const char* statement : {"SOUND.LOAD \"a.wav\", 1", "MIDI.PLAY", "FILE \"scores\"",
                                  "SERVER.DISCONNECT", "NET.DOWNLOAD \"u\", \"f\"", "COMM.SEND 0, \"AT\"",
                                  "BLUE.DISCOVER", "VIDEO.START", "VIDEO.END", "NET.SEND \"x\""}) {
        SCOPED_TRACE(statement);
        TempDir dir;
        auto result = compile(dir, "Applet", std::string("DIM N\n") + statement + "\n");
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(has(result.output, refusal + "2\n")) << result.output;
        EXPECT_FALSE(fs::exists(dir / "Game/Game.java"));
    }
    TempDir dir;
    auto result =
        compile(dir, "Applet", "DIM N\nCANVAS SCR\nACTION PAINT\nMAPPY.DRAW\nENDACTION\nENDCANVAS\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(has(result.output, refusal + "4\n")) << result.output;
}

}  // namespace
