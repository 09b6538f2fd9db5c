// Whole programs that use every widget, image, sprite and drawing statement, through the built
// Compile-Linux and then the kit's javac: for the phone against the kit's API jars (and preverified), for
// the applet against the JDK's own classes.
#include <gtest/gtest.h>

#include <filesystem>

#include "driver/messages.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempDir;
using testing_support::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kData = std::string(TZ_TEST_DATA) + "/screen/";

bool haveToolChain() {
    return fs::exists(kKit + "/jdk/bin/javac") && fs::exists(kKit + "/wtk/lib/midpapi20.jar") &&
           fs::exists(kKit + "/Include/Include.inc");
}

struct Translated {
    testing_support::ProcessResult run;
    std::string java;
};

Translated translate(const TempDir& dir, const std::string& platform, const std::string& sourceFile) {
    writeFile(dir / "Game/Game.tbp",
              "// Tesvo Zorid v1.1.0 Project File\nMain=Game\nRun=0\nName=Game\nPlatform=" + platform +
                  "\nInc=true\n");
    writeFile(dir / "Game/GameX.bss", readFile(kData + sourceFile));
    Translated t;
    t.run = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"}, "TZ_KEEP_JAVA=1");
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
                               "SHIP = javax.imageio.ImageIO.read(getClass().getResource(\"/ship.png\"));",
                               "// SetGrey is not supported on this platform",
                               "g.drawImage(SHIP,10,20,this);",
                               "MainPanel.removeAll(); MainPanel.add(PLAY);",
                           });

    auto javac = runProgram(dir.path(), {kKit + "/jdk/bin/javac", "-d", dir / "out", dir / "Game/Game.java"});
    EXPECT_EQ(javac.status, 0) << javac.output << t.java;
    EXPECT_TRUE(fs::exists(dir / "out/Game/Game.class"));
}

}  // namespace
