// Whole programs that use every widget, image, sprite and drawing statement, through the built
// Compile-Linux and then the kit's javac: for the phone against the kit's API jars (and preverified), for
// the applet against the JDK's own classes. Canvas programs built by the kit then run on the desktop JVM
// (desktop_run.h): their LOOP, PAINT and keys, the key-repeat thread, a missing image.
#include <gtest/gtest.h>

#include <filesystem>

#include "desktop_run.h"
#include "driver/messages.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kData = std::string(TZ_TEST_DATA) + "/screen/";

bool haveToolChain() {
    return fs::exists(kKit + "/jdk/bin/javac") && fs::exists(kKit + "/wtk/lib/midpapi20.jar") &&
           fs::exists(kKit + "/Include/Include.inc");
}

struct Translated {
    tz::testing::ProgramRun run;
    std::string java;
};

Translated translate(const TempDir& dir, const std::string& platform, const std::string& sourceFile) {
    tz::testing::writeProject(dir / "Game", readFile(kData + sourceFile), platform);
    Translated t;
    t.run = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"}, {"TZ_KEEP_JAVA=1"});
    t.java = readFile(dir / "Game/Game.java");
    return t;
}

// The generated class calls no member of the support classes beyond the Include constructor that the
// class skeleton's startApp holds: the kit's own base group, copied among the classes to preverify as
// Build copies it.
std::vector<std::string> supportClassPath(const TempDir& dir) {
    const std::string into = dir / "out/Game";
    fs::create_directories(into);
    for (const auto& entry : fs::directory_iterator(kKit + "/Include")) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() != ".inc" || (stem != "Include" && stem.rfind("Include$", 0) != 0))
            continue;
        fs::copy_file(entry.path(), into + "/" + stem + ".class");
    }
    return {"-classpath", dir / "out"};
}

void expectContains(const std::string& java, const std::vector<std::string>& lines) {
    for (const auto& line : lines) EXPECT_NE(java.find(line), std::string::npos) << line;
}

TEST(ScreenProgram, PhoneProgramCompilesAndPreverifies) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    TempDir dir;
    Translated t = translate(dir, "TB", "phone_program.bss");
    ASSERT_EQ(t.run.output.find(compiler::res("Error_detected")), std::string::npos) << t.run.output;
    ASSERT_FALSE(t.java.empty()) << t.run.output;
    expectContains(t.java, {
                               "TextField AGEBOX = new TextField(\"Age\",\"\",3,TextField.NUMERIC);",
                               "List CHOICES = new List(\"Pick\",Choice.MULTIPLE);",
                               "SHIP = Image.createImage(\"/ship.png\");",
                               "tiles.fillCells(0,0,10,8,1);",
                               "g.setGrayScale(128);",
                               "MENULIST.append(NAME ,null);",
                               "Display.getDisplay(Game.this).setCurrent(alert);",
                               "PLAY.setCommandListener(Game.this);",
                               "MAINFORM.setCommandListener(this);",
                           });

    const std::string lib = kKit + "/wtk/lib/";
    const std::string boot = lib + "cldcapi11.jar:" + lib + "midpapi20.jar";
    std::vector<std::string> argv = {kKit + "/jdk/bin/javac",
                                     "-bootclasspath",
                                     boot,
                                     "-source",
                                     "1.4",
                                     "-target",
                                     "1.4",
                                     "-d",
                                     dir / "out"};
    for (const auto& arg : supportClassPath(dir)) argv.push_back(arg);
    argv.push_back(dir / "Game/Game.java");
    fs::create_directories(dir / "out");
    auto javac = runProgram(dir.path(), argv);
    ASSERT_EQ(javac.status, 0) << javac.output << t.java;

    auto preverify = runProgram(
        dir.path(), {kKit + "/wtk/bin/preverify", "-classpath", boot, "-d", dir / "classes", dir / "out"});
    EXPECT_EQ(preverify.status, 0) << preverify.output;
    EXPECT_TRUE(fs::exists(dir / "classes/Game/Game.class"));
}

TEST(ScreenProgram, AppletProgramCompilesAgainstTheDesktopClasses) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    TempDir dir;
    Translated t = translate(dir, "Applet", "applet_program.bss");
    ASSERT_EQ(t.run.output.find(compiler::res("Error_detected")), std::string::npos) << t.run.output;
    ASSERT_FALSE(t.java.empty()) << t.run.output;
    EXPECT_NE(t.run.output.find(compiler::res("Warning_This_command_is") + "\n"), std::string::npos);
    EXPECT_NE(t.run.output.find(compiler::res("Warning_This_command_is_replaced") + "\n"), std::string::npos);
    expectContains(t.java, {
                               "SHIP = readImage(\"/ship.png\");",
                               "// SetGrey is not supported on this platform",
                               "g.drawImage(SHIP,10,20,this);",
                               "MainPanel.removeAll(); MainPanel.add(PLAY); MainPanel.validate();",
                           });

    auto javac = runProgram(dir.path(), {kKit + "/jdk/bin/javac", "-d", dir / "out", dir / "Game/Game.java"});
    EXPECT_EQ(javac.status, 0) << javac.output << t.java;
    EXPECT_TRUE(fs::exists(dir / "out/Game/Game.class"));
}

// The phone's key-repeat thread waits (it takes no processor) while no key is held, performs a held key
// every 50 ms until it is released, a quick tap once, and ends when cancelled; a canvas left while a key
// is held stops repeating it, and its LOOP stops.
TEST(ScreenProgram, PhoneCanvasKeysRepeatWhileHeldAndTheThreadWaitsOtherwise) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    TempDir dir;
    auto built = desktop::build(dir, "TB", readFile(kData + "phone_keys.bss"));
    ASSERT_EQ(built.status, 0) << built.output;
    desktop::Run run = desktop::phone(
        dir,
        {"await 1 shown", "repeat WAITING",
         // held, then released: it repeats, then stops and waits again
         "mark", "press -1", "await 3 pad -1", "release -1", "repeat WAITING", "mark", "sleep 400",
         "since pad -1",
         // a tap shorter than the thread's wake-up is performed once
         "mark", "press 50", "release 50", "await 1 pad 50", "repeat WAITING", "sleep 200", "since pad 50",
         // SELECTKEY shows OTHER: PAD is hidden with the key still down
         "mark", "press -5", "await 1 other loop", "sleep 400", "since pad -5", "mark", "sleep 400",
         "since pad loop", "release -5",
         // cancelled while a key is held on OTHER
         "mark", "press -1", "await 2 other -1", "cancel", "mark", "sleep 400", "since other -1"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.reports, (std::vector<std::string>{
                               "repeat WAITING", "repeat WAITING", "since mark: 0 x pad -1", "repeat WAITING",
                               "since mark: 1 x pad 50", "since mark: 1 x pad -5", "since mark: 0 x pad loop",
                               "repeat TERMINATED", "since mark: 0 x other -1", "done"}))
        << run.output;
}

// An applet's canvas fills the applet, its LOOP runs while it is shown on a started page, PAINT paints,
// real keys reach KEYPRESSED as the phone's key codes and repeat while held, and an image that is not
// there or not an image takes the CATCH IO road.
TEST(ScreenProgram, AppletCanvasFillsThePageRunsItsLoopAndTakesKeys) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    TempDir dir;
    auto built = desktop::build(dir, "Applet", readFile(kData + "applet_canvas.bss"));
    ASSERT_EQ(built.status, 0) << built.output;
    fs::copy_file(std::string(TZ_EXAMPLES_DIR) + "/Skyward/rock.png", dir / "Game/rock.png");
    writeFile(dir / "Game/bad.png", "not a picture\n");
    desktop::Run run = desktop::applet(
        dir, "200x150",
        {"size", "await 3 page loop",
         // red square, blue corner at the far end of the applet, the image, white from CLS
         "pixel 5 5 ff0000", "pixel 195 145 0000ff", "pixel 35 5 6e645a", "pixel 100 100 ffffff",
         "repeat WAITING",
         // a held arrow repeats until released; a letter and a digit give their characters
         "mark", "press UP", "await 3 page -1", "release UP", "repeat WAITING", "mark", "sleep 400",
         "since page -1", "type A", "await 1 page 97", "type 5", "await 1 page 53",
         // a stopped applet stops its LOOP and the key-repeat thread; started again, both come back
         "stop", "repeat TERMINATED", "sleep 200", "mark", "sleep 400", "since page loop", "start",
         "await 2 page loop", "repeat WAITING",
         // Enter is SELECTKEY: OTHER is shown, filling the applet, and PAGE's LOOP stops
         "mark", "type ENTER", "await 1 page -5", "await 1 other loop", "size", "pixel 100 100 00ff00",
         "sleep 200", "mark", "sleep 400", "since page loop"});
    EXPECT_EQ(run.status, 0) << run.output;
    ASSERT_GE(run.printed.size(), 4u) << run.output;
    EXPECT_EQ(std::vector<std::string>(run.printed.begin(), run.printed.begin() + 4),
              (std::vector<std::string>{"no lost.png", "no bad.png", "rock.png loaded", "shown"}))
        << run.output;
    EXPECT_EQ(run.reports, (std::vector<std::string>{
                               "applet 200x150 canvas 200x150", "pixel 5 5 ff0000", "pixel 195 145 0000ff",
                               "pixel 35 5 6e645a", "pixel 100 100 ffffff", "repeat WAITING",
                               "repeat WAITING", "since mark: 0 x page -1", "repeat TERMINATED",
                               "since mark: 0 x page loop", "repeat WAITING", "applet 200x150 canvas 200x150",
                               "pixel 100 100 00ff00", "since mark: 0 x page loop", "done"}))
        << run.output;
}

// Names the canvas's Java holds itself (the phone's UP, DOWN, LEFT, RIGHT, FIRE; an applet's WIDTH,
// HEIGHT, ERROR) are the program's own variables inside the actions too, read and written there; in
// POINTERDRAGGED, POINTX and POINTY are the pointer. A negative number after ENDFUNCTION and EXITFUNCTION
// is the function's value.
TEST(ScreenProgram, NamesTheCanvasHoldsAreTheProgramsOwnValues) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    TempDir phoneDir;
    auto built = desktop::build(phoneDir, "TB", readFile(kData + "phone_names.bss"));
    ASSERT_EQ(built.status, 0) << built.output;
    desktop::Run phone =
        desktop::phone(phoneDir, {"await 1 shown", "press -1", "release -1", "await 1 right", "press -1",
                                  "release -1", "await 1 key 9 mine 1 11", "drag 30 40", "await 1 drag 30 40",
                                  "press -2", "release -2", "await 1 key 31 mine 0 11"});
    EXPECT_EQ(phone.status, 0) << phone.output;
    EXPECT_EQ(phone.printed, (std::vector<std::string>{"main 7 -1 -2 -3", "shown", "key 8 mine 2 11", "right",
                                                       "key 9 mine 1 11", "drag 30 40", "key 31 mine 0 11"}))
        << phone.output;

    TempDir appletDir;
    built = desktop::build(appletDir, "Applet", readFile(kData + "applet_names.bss"));
    ASSERT_EQ(built.status, 0) << built.output;
    desktop::Run applet = desktop::applet(
        appletDir, "200x150",
        {"await 1 shown", "type A", "await 1 key 6 tall -5", "type A", "await 1 key 7 tall -6"});
    EXPECT_EQ(applet.status, 0) << applet.output;
    EXPECT_EQ(applet.printed,
              (std::vector<std::string>{"main 5 -1", "shown", "key 6 tall -5", "key 7 tall -6"}))
        << applet.output;
}

}  // namespace
