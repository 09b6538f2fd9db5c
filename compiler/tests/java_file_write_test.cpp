#include "expressions/java_file_write.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "driver/context.h"
#include "driver/lookups.h"
#include "guard/outputs.h"
#include "temp_dir.h"
#include "test_helpers.h"

namespace compiler {
namespace {

namespace fs = std::filesystem;

using tz::testing::readFile;

std::string golden(const std::string& name) {
    std::string text = readFile(fs::path(TZ_TEST_DATA) / "writer" / name);
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

using tz::testing::TempDir;

struct Compilation {
    std::ostringstream console;
    Context ctx{console, false};
    explicit Compilation(const std::string& platform) {
        ctx.project.platform = platform;
        ctx.library.instantiate();
    }
};

// A program with one global line and one main line, driven in the order the driver and the
// translator use; the token operations in between must leave no trace.
void driveSmallProgram(JavaFileWrite& w) {
    w.WriteHeader();
    w.Write("// global line");
    w.WriteLn();
    w.WriteStart();
    w.WriteMain();
    w.writeString("S");
    w.writeOP("EL");
    w.writeNumber(-5);
    w.writeByte("DI");
    w.Write("x = 1;");
    w.WriteLn();
    w.WriteEnd();
    w.Close();
}

std::string writeToText(Compilation& run, const std::string& className,
                        const std::function<void(JavaFileWrite&)>& body) {
    TempDir dir;
    fs::path file = dir.folder() / (className + ".java");
    {
        JavaFileWrite writer(run.ctx, file.string(), className);
        body(writer);
    }
    return readFile(file);
}

// One change to a golden text: at the first line equal to `anchor` (or the line after it), drop
// `remove` lines and put `lines` in their place.
struct Edit {
    std::string anchor;
    bool after = false;
    int remove = 0;
    std::vector<std::string> lines;
};

std::string applyEdits(const std::string& text, const std::vector<Edit>& edits) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (const Edit& edit : edits) {
        auto at = std::find(lines.begin(), lines.end(), edit.anchor);
        if (at == lines.end()) {
            ADD_FAILURE() << "anchor not in golden text: " << edit.anchor;
            continue;
        }
        if (edit.after) ++at;
        at = lines.erase(at, at + edit.remove);
        lines.insert(at, edit.lines.begin(), edit.lines.end());
    }
    std::string result;
    for (const std::string& line : lines) result += line + "\n";
    return result;
}

void raiseEveryFlag(Library& lib) {
    lib.setMM();
    lib.set3D();
    lib.setMappy();
    lib.usesSound = lib.usesMidi = lib.usesImage = lib.usesVideo = true;
}

// Every flag, FOR variables, every kind of registered object, and handlers written by the program's
// own FUNCTION PAUSE/END/ACTION and a canvas PAINT, so WriteEnd adds only the support classes.
std::string writeFullProgram(const std::string& platform) {
    Compilation run(platform);
    Library& lib = run.ctx.library;
    raiseEveryFlag(lib);
    for (const char* name : {"I", "J", "I", "K"}) lib.addForVariable(name);
    lib.setPauseFunc();
    lib.setCommandFunc();
    lib.setEndFunc();
    Objects& objects = run.ctx.objects;
    objects.addImage("SHIP");
    objects.addImageArray("TILES");
    objects.addCanvas("MENU");
    objects.addImage("ROCK");
    objects.addCanvas("PLAY");
    objects.addCamera("CAM");
    objects.addObject("CUBE", "Cube");
    if (run.ctx.project.isJ2ME()) {  // sprite statements are refused on the applet
        objects.addSprite("HERO");
        objects.addSpriteArray("ENEMIES");
    }
    return writeToText(run, "Space", [&](JavaFileWrite& w) {
        w.WriteHeader();
        w.WriteStart();
        w.WriteMain();
        // The first FUNCTION closes the main section and raises endFound.
        w.Write(JavaFileWrite::mainSectionClose(run.ctx.project));
        lib.endFound = true;
        w.WritePause();
        w.Write("}");
        w.WriteDestroy();
        w.Write("}");
        w.WriteCommandAction();
        w.Write("}");
        w.WriteCanvasPaint();
        w.Write("}");
        w.WriteEnd();
        w.Close();
    });
}

std::string writeSmallProgram(const std::string& platform) {
    Compilation run(platform);
    return writeToText(run, "Demo", driveSmallProgram);
}

TEST(JavaFileWrite, SmallProgramGetsTheWholeSkeleton) {
    EXPECT_EQ(writeSmallProgram("TB"), golden("phone_plain.java"));
    EXPECT_EQ(writeSmallProgram("Applet"), golden("applet_plain.java"));
}

TEST(JavaFileWrite, FullProgramUsesFlagsObjectsAndOwnHandlers) {
    EXPECT_EQ(writeFullProgram("TB"), golden("phone_full.java"));
    EXPECT_EQ(writeFullProgram("Applet"), golden("applet_full.java"));
}

// Each flag alone, as a change against the plain program's text.
TEST(JavaFileWrite, EachFlagAddsOrDropsItsOwnLines) {
    const std::string includeLine = "       inc = new Include(Display.getDisplay(this));";
    const std::string phoneClose = "}catch(Exception err) { err.printStackTrace(); } };";
    struct Row {
        const char* name;
        const char* platform;
        std::function<void(Context&)> setup;
        std::vector<Edit> edits;
    };
    const std::vector<Row> rows = {
        {"MM",
         "TB",
         [](Context& c) { c.library.setMM(); },
         {{"public class Demo extends MIDlet implements CommandListener {",
           false,
           0,
           {"import javax.microedition.media.*;", "import javax.microedition.media.control.*;"}},
          {"Include inc;", false, 0, {"VideoControl videoControl;"}}}},
        {"3D",
         "TB",
         [](Context& c) { c.library.set3D(); },
         {{"public class Demo extends MIDlet implements CommandListener {",
           false,
           0,
           {"import javax.microedition.m3g.*;"}},
          {"Include inc;",
           false,
           0,
           {"Graphics3D g3d;", "Background background = new Background();", "Fog fog;", "Image2D image2D;",
            "Texture2D texture2D;", "Transform tTransform = new Transform();"}},
          {"public Demo() {",
           true,
           0,
           {"g3d = Graphics3D.getInstance();", "background.setColor(0xf54588);"}}}},
        {"Mappy",
         "TB",
         [](Context& c) { c.library.setMappy(); },
         {{"import javax.microedition.lcdui.game.*;",
           true,
           0,
           {"import javax.microedition.lcdui.List;", "import javax.microedition.lcdui.game.Layer;"}},
          {"Include inc;", false, 0, {"private MapViewer m_mapViewer;"}}}},
        {"Sound",
         "TB",
         [](Context& c) { c.library.usesSound = true; },
         {{"Include inc;", true, 0, {"       IncludeSound incSound;"}},
          {includeLine, true, 0, {"       incSound = new IncludeSound();"}}}},
        {"Midi",
         "TB",
         [](Context& c) { c.library.usesMidi = true; },
         {{"Include inc;", true, 0, {"       IncludeMidi incMidi;"}},
          {includeLine, true, 0, {"       incMidi = new IncludeMidi();"}}}},
        {"Image",
         "TB",
         [](Context& c) { c.library.usesImage = true; },
         {{"Include inc;", true, 0, {"       IncludeImage incImage;"}},
          {includeLine, true, 0, {"       incImage = new IncludeImage();"}}}},
        {"Video",
         "TB",
         [](Context& c) { c.library.usesVideo = true; },
         {{"Include inc;", true, 0, {"       IncludeVideo incVideo;"}},
          {includeLine, true, 0, {"       incVideo = new IncludeVideo();"}}}},
        {"one FOR variable",
         "TB",
         [](Context& c) { c.library.addForVariable("N"); },
         {{"Display display;", true, 1, {"int N;"}}}},
        {"two canvases",
         "TB",
         [](Context& c) {
             c.objects.addCanvas("A");
             c.objects.addCanvas("B");
         },
         {{"public Demo() {", false, 0, {"TBCanvas A;", "Timer timer0;", "TBCanvas B;", "Timer timer1;"}}}},
        {"image registered twice is declared once",
         "TB",
         [](Context& c) {
             c.objects.addImage("P");
             c.objects.addImage("P");
         },
         {{"public Demo() {", false, 0, {"Image P;"}}}},
        {"pause function",
         "TB",
         [](Context& c) { c.library.setPauseFunc(); },
         {{"public void pauseApp() {", false, 2, {}}}},
        {"command function",
         "TB",
         [](Context& c) { c.library.setCommandFunc(); },
         {{"public void commandAction(Command C, Displayable s) {", false, 2, {}}}},
        {"end function",
         "TB",
         [](Context& c) { c.library.setEndFunc(); },
         {{"public void destroyApp(boolean unconditional) {", false, 2, {}}}},
        {"endFound", "TB", [](Context& c) { c.library.endFound = true; }, {{phoneClose, false, 1, {}}}},
        {"every flag", "Applet", [](Context& c) { raiseEveryFlag(c.library); }, {}},
        {"one FOR variable",
         "Applet",
         [](Context& c) { c.library.addForVariable("N"); },
         {{"Panel MainPanel;", true, 1, {"int N;"}}}},
        {"command function",
         "Applet",
         [](Context& c) { c.library.setCommandFunc(); },
         {{"public void actionPerformed(ActionEvent C) {", false, 2, {}}}},
        {"endFound", "Applet", [](Context& c) { c.library.endFound = true; }, {{"x = 1;", true, 2, {""}}}},
    };
    for (const Row& row : rows) {
        Compilation run(row.platform);
        row.setup(run.ctx);
        std::string base = golden(run.ctx.project.isJ2ME() ? "phone_plain.java" : "applet_plain.java");
        EXPECT_EQ(writeToText(run, "Demo", driveSmallProgram), applyEdits(base, row.edits))
            << row.name << " on " << row.platform;
    }
}

// Where the Java around a line declares a name of the program's (a canvas's constant, the command
// handler's C, the pointer), the program's own is written as the class's field; the Java's own, marked by
// the translators, member selections, calls and texts stay as written.
TEST(JavaFileWrite, HiddenNamesOfTheProgramAreItsFields) {
    const std::string own(1, Helpers::kOwnNameMark);
    struct Row {
        std::vector<std::string> hidden;
        std::string java, written;
    };
    const Row rows[] = {
        {{"UP"}, "UP = UP + 1;", "Demo.this.UP = Demo.this.UP + 1;"},
        {{"UP", "LEFT"},
         "g.drawImage(UP,0,0,Graphics.TOP | Graphics.LEFT);",
         "g.drawImage(Demo.this.UP,0,0,Graphics.TOP | Graphics.LEFT);"},
        {{"UP"}, "UP[1] = UP.X + UPPER;", "Demo.this.UP[1] = Demo.this.UP.X + UPPER;"},
        {{"UP"}, "for (UP=1;UP<=3;UP++){", "for (Demo.this.UP=1;Demo.this.UP<=3;Demo.this.UP++){"},
        {{"UP"}, "UP(3); X = UP (2) + new UP().V;", "UP(3); X = UP (2) + new UP().V;"},
        {{"UP"},
         "System.out.println(\"UP \\\" UP\" + 'U'); // UP",
         "System.out.println(\"UP \\\" UP\" + 'U'); // UP"},
        {{"C"}, "if(" + own + "C == C){", "if(C == Demo.this.C){"},
        {{"POINTX", "POINTY"}, own + "POINTX + POINTY", "POINTX + Demo.this.POINTY"},
        {{}, own + "POINTX + 010", "POINTX + 010"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(qualifyProgramNames(row.java, row.hidden, "Demo"), row.written) << row.java;
}

// A program of declarations only never opens its main section; the class still needs its constructor
// and startApp before the main section is closed.
TEST(JavaFileWrite, ProgramWithoutMainSectionStillGetsConstructorAndStartApp) {
    for (const char* platform : {"TB", "Applet"}) {
        Compilation run(platform);
        std::string text = writeToText(run, "Demo", [](JavaFileWrite& w) {
            w.WriteHeader();
            w.WriteEnd();
            w.Close();
        });
        std::string base = golden(run.ctx.project.isJ2ME() ? "phone_plain.java" : "applet_plain.java");
        EXPECT_EQ(text, applyEdits(base, {{"// global line", false, 2, {}}, {"x = 1;", false, 2, {}}}))
            << platform;
    }
}

TEST(JavaFileWrite, LargeOutputArrivesWhole) {
    Compilation run("TB");
    std::string expected;
    std::string text = writeToText(run, "Demo", [&](JavaFileWrite& w) {
        for (int i = 0; i < 150000; ++i) {
            std::string line = "GameTemp = " + std::to_string(i) + ";";
            w.Write(line);
            expected += line + "\n";
        }
        w.Close();
        w.Close();  // a second Close is harmless
    });
    // The compiler's mark ends every source it writes.
    expected += std::string(guard::kGeneratedMarker) + "\n";
    // Sizes first: a full diff of megabytes of text is no help.
    ASSERT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
}

TEST(JavaFileWrite, FileThatCannotBeCreatedAbortsTheRun) {
    TempDir dir;
    fs::path blocker = dir.folder() / "plain";
    std::ofstream(blocker) << "x";
    std::string path = (blocker / "Demo.java").string();
    Compilation run("TB");
    try {
        JavaFileWrite writer(run.ctx, path, "Demo");
        FAIL() << "no InternalFailure";
    } catch (const InternalFailure& failure) {
        EXPECT_EQ(failure.lines(),
                  std::vector<std::string>{"Error: Cannot create file " + path + ": Not a directory"});
    }
}

// Runs `body` in a child whose files may not grow past `limit` bytes (SIGXFSZ ignored, so the
// write fails with EFBIG instead of killing the child). The child exits 0 when `body` returns true.
bool inChildWithFileLimit(rlim_t limit, const std::function<bool()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(JavaFileWrite, LostWriteAbortsTheRun) {
    TempDir dir;
    const std::string path = (dir.folder() / "Demo.java").string();
    const std::string expected = "Error: Cannot write file " + path + ": File too large";
    // Small program: everything sits in the buffer until Close, which must not report success.
    EXPECT_TRUE(inChildWithFileLimit(100, [&] {
        Compilation run("TB");
        JavaFileWrite writer(run.ctx, path, "Demo");
        writer.WriteHeader();
        try {
            writer.Close();
        } catch (const InternalFailure& failure) {
            return failure.lines() == std::vector<std::string>{expected};
        }
        return false;
    }));
    // Large program: the failure shows while lines are still being written; afterwards the writer is
    // dead and the driver's WriteEnd and Close do not raise it a second time.
    EXPECT_TRUE(inChildWithFileLimit(100000, [&] {
        Compilation run("TB");
        JavaFileWrite writer(run.ctx, path, "Demo");
        bool raised = false;
        for (int i = 0; i < 100000 && !raised; ++i) {
            try {
                writer.Write("GameTemp = GameTemp + 1;");
            } catch (const InternalFailure& failure) {
                raised = failure.lines() == std::vector<std::string>{expected};
            }
        }
        writer.WriteEnd();
        writer.Close();
        return raised;
    }));
}

// The applet skeleton needs nothing but the JDK's own library, so it is compiled here; the MIDlet
// skeleton needs the kit's API jars and support classes and is compiled by the end-to-end tests.
TEST(JavaFileWrite, AppletSkeletonCompiles) {
    const std::string javac = (fs::path(TZ_KIT_DIR) / "jdk" / "bin" / "javac").string();
    const tz::testing::ProgramRun version = tz::testing::runProgram({}, {javac, "-version"});
    ASSERT_EQ(version.status, 0) << "the kit's javac does not run: " << javac << "\n" << version.output;
    const std::pair<std::string, std::string> programs[] = {{"Demo", writeSmallProgram("Applet")},
                                                            {"Space", writeFullProgram("Applet")}};
    for (auto [className, source] : programs) {
        TempDir dir;
        // The small program's main line assigns an undeclared x; give it a field.
        source = applyEdits(source, {{"public Graphics g;", true, 0, {"int x;"}}});
        fs::path java = dir.folder() / (className + ".java");
        tz::testing::writeFile(java, source);
        const tz::testing::ProgramRun javacRun =
            tz::testing::runProgram({}, {javac, "-nowarn", "-d", dir.path(), java.string()});
        EXPECT_EQ(javacRun.status, 0) << className << "\n" << javacRun.output;
    }
}

}  // namespace
}  // namespace compiler
