// The editor's runs of the kit's own programs: the whole kit moved to a folder of its own, projects
// copied beside it, the commands given as a user gives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileSystemModel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QTreeView>

#include "build_targets.h"
#include "config_fixture.h"
#include "editor_testing.h"
#include "gui_harness.h"
#include "init.h"
#include "main_window.h"
#include "project_dialogs.h"
#include "project_file.h"
#include "project_side.h"
#include "references.h"
#include "scripted_prompter.h"
#include "services.h"
#include "test_helpers.h"
#include "tools_side.h"
#include "tree_file_browser.h"
#include "window_parts.h"

namespace editor {
namespace {

using testing::readFile;
using testing::writeFile;

QString utf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

class EditorBuildRuns : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new QTemporaryDir;
        ASSERT_TRUE(tz::testing::copyKit(TZ_KIT_DIR, root->filePath("moved kit").toStdString(), ""));
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }

    EditorBuildRuns() {
        side = std::make_unique<ProjectSide>(tools);
        window = std::make_unique<Editor>(services, references, side.get(), &tools);
    }
    ~EditorBuildRuns() override {
        window.reset();
        side.reset();
    }

    static QString kit(const QString& relative = {}) { return root->filePath("moved kit/") + relative; }
    QString folder(const QString& relative) const { return projects.filePath(relative); }
    // A copy of an example project in `place`; returns its base path.
    QString example(const QString& name, const QString& place) {
        const QString to = folder(place);
        EXPECT_TRUE(tz::testing::copyExampleProject(
            (QString(TZ_SOURCE_DIR) + "/examples/" + name).toStdString(), to.toStdString()));
        return to + "/" + name;
    }
    QString run(void (Editor::*command)(int), int argument) {
        (window.get()->*command)(argument);
        EXPECT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
        return testing::outputPane(*window)->toPlainText();
    }
    QString tab(int index) const { return window->tabText(index); }
    // Compile-Linux run from a terminal on `base` with the generated Java kept; returns what it printed
    // (the status in `status`).
    static QString keptCompile(const QString& base, int& status) {
        const tz::testing::ProgramRun compile =
            tz::testing::runProgram({}, {kit("Compile-Linux").toStdString(), base.toStdString()},
                                    {"TZ_KEEP_JAVA=1"}, tz::testing::Errors::Apart);
        status = compile.status;
        return QString::fromStdString(compile.output);
    }

    static inline QTemporaryDir* root = nullptr;
    QTemporaryDir projects;
    QTemporaryDir home;
    Services services{{.kitFolder = kit(), .homeFolder = home.path()}};
    testing::RecordingReporter reporter;
    testing::RecordingExit exits;
    testing::LookGuard look;
    ui::testing::ScriptedPrompter prompter;
    References references;
    ToolsSide tools;
    std::unique_ptr<Editor> window;
    std::unique_ptr<ProjectSide> side;
};

TEST_F(EditorBuildRuns, CompileAndExecuteShowTheProgramsLinesAndBuildTheSuite) {
    for (const QString place : {"plain", "with blank"}) {
        SCOPED_TRACE(place.toStdString());
        const QString base = example("Hello", place);
        window->loadProject(base + ".tbp");
        const bool execute = place == "with blank";
        const QString output = run(&Editor::Build, execute ? 1 : 0);
        EXPECT_TRUE(output.startsWith("Executing: " + kit("Compile-Linux") + " " + base + "\n"))
            << output.toStdString();
        EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
        EXPECT_TRUE(QFile::exists(base + ".jar"));
        EXPECT_TRUE(QFile::exists(base + ".jad"));
        EXPECT_EQ(output.contains("The MIDlet suite checks out."), execute) << output.toStdString();
    }
    EXPECT_TRUE(reporter.reports.isEmpty());
}

// A refusal after a good build leaves no suite: the user would run the earlier program for this one.
TEST_F(EditorBuildRuns, ATranslationErrorShowsItsLineAndLeavesNoSuite) {
    const QString base = example("Hello", "broken");
    window->loadProject(base + ".tbp");
    EXPECT_TRUE(run(&Editor::Build, 0).contains("\nProgram compiled\n"));
    ASSERT_TRUE(QFile::exists(base + ".jar") && QFile::exists(base + ".jad"));
    testing::tabPane(*window, 0)->setPlainText("REM first\n\nPRINT \"one\"\nFROBNICATE 1\nPRINT \"two\"\n");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.contains(" at line 4\n")) << output.toStdString();
    EXPECT_TRUE(output.trimmed().endsWith("Error detected, compilation will not continue"))
        << output.toStdString();
    EXPECT_FALSE(output.contains("Program compiled"));
    EXPECT_FALSE(QFile::exists(base + ".jar"));
    EXPECT_FALSE(QFile::exists(base + ".jad"));

    // Go To Line # with the number the message names lands on the start of the faulty line.
    const QRegularExpressionMatch named = QRegularExpression(" at line (\\d+)\n").match(output);
    ASSERT_TRUE(named.hasMatch());
    window->GoToLine(named.captured(1).toInt());
    const QTextCursor caret = testing::tabPane(*window, 0)->textCursor();
    EXPECT_EQ(caret.positionInBlock(), 0);
    EXPECT_EQ(caret.block().text(), "FROBNICATE 1");
}

// What the kit's jar tool lists of a suite.
QStringList jarEntries(const QString& kitFolder, const QString& jar) {
    const tz::testing::ProgramRun list =
        tz::testing::runProgram({}, {(kitFolder + "jdk/bin/jar").toStdString(), "tf", jar.toStdString()}, {},
                                tz::testing::Errors::Apart);
    return QString::fromStdString(list.output).split('\n', Qt::SkipEmptyParts);
}

// Two sources of the language and a Java class as includes: the editor merges the sources into the
// execution copy, and Build compiles the class into the suite; the road through the editor and the
// compiler's own on the folder as the editor saved it agree.
TEST_F(EditorBuildRuns, SourceIncludesAndAJavaIncludeBuildThroughTheEditorAndTheCompiler) {
    writeFile(
        folder("game/game.tbp"),
        "// Tesvo Zorid v1.1.0 Project File\nMain=game\nInclude=Helper\nRun=0\nName=game\nPlatform=TB\n");
    writeFile(folder("game/game.bss"),
              "REM a function of each source include\nPRINT \"twice \" + STR$(TWICE(21))\n"
              "PRINT \"rows \" + STR$(ROWS())\n");
    writeFile(folder("game/Helper.java"),
              "package Game;\n\npublic class Helper {\n    public static int answer() { return 42; }\n}\n");
    writeFile(folder("lib/util.bss"), "FUNCTION TWICE(N)\n  DIM R = N * 2\nENDFUNCTION R\n");
    writeFile(folder("lib/maps.bss"), "FUNCTION ROWS()\n  DIM R = 12\nENDFUNCTION R\n");
    window->loadProject(folder("game/game.tbp"));
    EXPECT_EQ(testing::tabWidget(*window)->tabText(1), "Helper.java");
    for (const char* include : {"lib/util.bss", "lib/maps.bss"}) {
        window->fileSelected({QFileInfo(folder(include))});
        auto* add = window->findChild<AddProject*>();
        ASSERT_NE(add, nullptr);
        testing::part<QPushButton>(add, "button3")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ASSERT_TRUE(window->save());
    EXPECT_EQ(utf8(readFile(folder("game/game.tbp"))).section('\n', 2, 4),
              "Include=Helper\nInclude=util\nInclude=maps");
    EXPECT_EQ(utf8(readFile(folder("game/util.bss"))), "FUNCTION TWICE(N)\n  DIM R = N * 2\nENDFUNCTION R\n");

    const QString base = folder("game/game");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
    for (const char* entry : {"Game/game.class", "Game/Helper.class"})
        EXPECT_TRUE(jarEntries(kit(), base + ".jar").contains(entry)) << entry << output.toStdString();

    QFile::remove(base + ".jar");
    QFile::remove(base + ".jad");
    int status = -1;
    const QString printed = keptCompile(base, status);
    EXPECT_EQ(status, 0) << printed.toStdString();
    EXPECT_TRUE(jarEntries(kit(), base + ".jar").contains("Game/Helper.class")) << printed.toStdString();
    const QString java = utf8(readFile(base + ".java"));
    for (const char* call : {"TWICE(21)", "ROWS()"}) EXPECT_TRUE(java.contains(call)) << call;
    EXPECT_TRUE(java.contains(QRegularExpression(R"(\bint TWICE\(int N\))"))) << java.toStdString();
    EXPECT_TRUE(java.contains(QRegularExpression(R"(\bint ROWS\(\))"))) << java.toStdString();
    EXPECT_TRUE(reporter.reports.isEmpty());
}

const QString midlet = R"(package Game;

import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Form;
import javax.microedition.midlet.MIDlet;

public class space extends MIDlet {
    protected void startApp() {
        Form form = new Form("Space");
        form.append(Util.describe(1.5f));
        Display.getDisplay(this).setCurrent(form);
    }
    protected void pauseApp() {}
    protected void destroyApp(boolean unconditional) {}
}
)";
const QString include =
    "package Game;\n\npublic class Util {\n    static String describe(float x) {\n"
    "        return \"x = \" + x;\n    }\n}\n";

TEST_F(EditorBuildRuns, AJavaProjectIsBuiltByTheBuildProgramAndKeepsItsSource) {
    writeFile(folder("java/space.tbp"), "Main=space\nInclude=Util\nName=space\nPlatform=J2ME\nFloats=true\n");
    writeFile(folder("java/space.java"), midlet.toUtf8());
    writeFile(folder("java/Util.java"), include.toUtf8());
    window->loadProject(folder("java/space.tbp"));
    ASSERT_EQ(testing::tabWidget(*window)->count(), 2);
    const QString base = folder("java/space");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.startsWith("Executing: " + kit("Build-Linux") + " " + base + "\n"))
        << output.toStdString();
    EXPECT_FALSE(output.contains("Compile-Linux"));
    const QStringList descriptor = utf8(readFile(base + ".tbx")).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(descriptor, descriptorLines(references, 0));
    EXPECT_TRUE(descriptor.contains("Platform=J2ME") && descriptor.contains("Floats=true") &&
                descriptor.contains("CLDC=11") && descriptor.contains("Include0=Util"));
    EXPECT_TRUE(QFile::exists(base + ".jar")) << output.toStdString();
    EXPECT_EQ(utf8(readFile(base + ".java")), midlet);
}

TEST_F(EditorBuildRuns, TheJavaRoadFromScratchBuildsTheTemplateUnderItsNewName) {
    window->reset(true);
    // As a user meets it: Project, Compiler, J2ME, then Tools, Load Template, J2ME.
    window->menus().mCompilerJ2ME->trigger();
    prompter.reply(ui::Answer::Yes);
    window->menus().mJ2METemplateAction->trigger();
    QDir().mkpath(folder("fresh"));
    prompter.reply(folder("fresh/game"));
    references.saved = false;
    window->save();
    EXPECT_EQ(testing::tabWidget(*window)->tabText(0), "game.java");
    const QString before = tab(0);
    EXPECT_TRUE(before.contains("public class game extends MIDlet"));
    EXPECT_EQ(utf8(readFile(folder("fresh/game.java"))), before);
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(QFile::exists(folder("fresh/game.jar"))) << output.toStdString();
    EXPECT_EQ(utf8(readFile(folder("fresh/game.java"))), before);
    EXPECT_EQ(tab(0), before);
}

// A Java project of MIDP 2.0 that plays a tone: the profile's own media subset, no media option.
TEST_F(EditorBuildRuns, AJavaProjectPlaysAToneWithoutTheMultimediaOption) {
    writeFile(folder("tone/beep.tbp"), "Main=beep\nName=beep\nPlatform=J2ME\nMM=false\n");
    writeFile(folder("tone/beep.java"),
              "package Game;\n\nimport javax.microedition.media.Manager;\nimport "
              "javax.microedition.media.MediaException;\nimport javax.microedition.midlet.MIDlet;\n\n"
              "public class beep extends MIDlet {\n    protected void startApp() {\n        try {\n"
              "            Manager.playTone(60, 200, 80);\n        } catch (MediaException e) {\n        }\n"
              "    }\n    protected void pauseApp() {}\n    protected void destroyApp(boolean unconditional) "
              "{}\n}\n");
    window->loadProject(folder("tone/beep.tbp"));
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(utf8(readFile(folder("tone/beep.tbx"))).contains("\nMM=false\n"));
    EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
    EXPECT_TRUE(QFile::exists(folder("tone/beep.jar")));
}

// What the compiler prints when it would write the program's class, or a record type's at a line, over a
// Java file it did not write.
QString refusalOfClass(const QString& path) {
    return "Error: A file the compiler did not write stands where the program's Java source goes (move it "
           "out of the project folder, or switch the project to J2ME): " +
           path;
}
QString refusalOfType(const QString& path, int line) {
    return "Error: A file the compiler did not write stands where the record type's source goes: " + path +
           " at line " + QString::number(line);
}

bool carriesTheMark(const QByteArray& java) {
    return java.contains("// Generated by the Tesvo Zorid compiler");
}

const QByteArray spotSource =
    "TYPE SPOT\nDIM X\nENDTYPE\nDIM S% = SPOT\nDIM V# = 1.5\nS%.X = 3\n"
    "PRINT STR$(S%.X)\nSOUND.LOAD \"beep.wav\", 1\nSOUND.PLAY 1\n";

// Convert hands what it wrote over to the user: a compile in the kit's language is refused and changes none
// of it. Project > Compiler > J2ME then builds the converted project as it is, with its record type, the
// kit's API and sound support and the float and media libraries.
TEST_F(EditorBuildRuns, AConvertedProjectIsTheUsersAndBuildsAsItIs) {
    writeFile(folder("converted/spot.tbp"), "Main=spot\nRun=0\nName=spot\nPlatform=TB\n");
    writeFile(folder("converted/spot.bss"), spotSource);
    writeFile(folder("converted/beep.wav"), "RIFF");
    const QString base = folder("converted/spot");
    window->loadProject(base + ".tbp");
    window->Convert();
    ASSERT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
    ASSERT_EQ(testing::tabWidget(*window)->tabText(1), "spot.java")
        << testing::outputPane(*window)->toPlainText().toStdString();
    EXPECT_TRUE(references.usesInclude && references.usesFloats && references.usesMM);
    EXPECT_EQ(references.includes, QStringList{"SPOT"});
    const QByteArray java = readFile(base + ".java");
    const QByteArray type = readFile(folder("converted/SPOT.java"));
    EXPECT_TRUE(java.contains("class spot") && type.contains("class SPOT")) << java.toStdString();
    EXPECT_FALSE(carriesTheMark(java) || carriesTheMark(type)) << java.toStdString();
    EXPECT_EQ(tab(1), utf8(java));

    const QString refused = run(&Editor::Build, 0);
    EXPECT_TRUE(refused.contains(refusalOfClass(base + ".java") + "\n")) << refused.toStdString();
    EXPECT_FALSE(refused.contains("Program compiled"));
    EXPECT_EQ(readFile(base + ".java"), java);
    EXPECT_EQ(readFile(folder("converted/SPOT.java")), type);

    window->menus().mCompilerJ2ME->trigger();
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.startsWith("Executing: " + kit("Build-Linux"))) << output.toStdString();
    EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
    const QStringList entries = jarEntries(kit(), base + ".jar");
    for (const char* entry :
         {"Game/spot.class", "Game/SPOT.class", "Game/Include.class", "Game/IncludeSound.class", "beep.wav"})
        EXPECT_TRUE(entries.contains(entry)) << entry << "\n" << output.toStdString();
    EXPECT_EQ(readFile(base + ".java"), java);
    EXPECT_EQ(readFile(folder("converted/SPOT.java")), type);
}

// No compile replaces or deletes a Java file that a tab holds or that was saved from one. Each road ends
// with a compile in the kit's language, which is refused naming the file; the file stays byte for byte
// what the editor last wrote or loaded, and no tab holds the compiler's mark.
TEST_F(EditorBuildRuns, NoCompileReplacesAJavaFileATabHoldsOrSaved) {
    struct Road {
        const char* name;
        const char* project;  // the project file's lines after "Main=spot\nRun=0\nName=spot\n"
        bool keptCompile;     // a compile from a terminal that kept its Java first, marked as the compiler's
        // Takes the road in the editor, up to the compile; returns the file the compile must leave alone.
        std::function<QString(const QString& base)> take;
        std::function<QString(const QString& base)> refusal;
    };
    const Road roads[] = {
        {"a conversion edited and saved", "Platform=TB\n", false,
         [&](const QString& base) {
             window->Convert();
             EXPECT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
             EXPECT_EQ(testing::tabWidget(*window)->tabText(1), "spot.java");
             testing::tabPane(*window, 1)->moveCursor(QTextCursor::End);
             testing::tabPane(*window, 1)->insertPlainText("// mine\n");
             EXPECT_TRUE(window->save());
             return base + ".java";
         },
         [](const QString& base) { return refusalOfClass(base + ".java"); }},
        {"a conversion saved again with Save Source As after its file was moved away", "Platform=TB\n", false,
         [&](const QString& base) {
             window->Convert();
             EXPECT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
             EXPECT_TRUE(QFile::rename(base + ".java", base + ".java.moved"));
             testing::tabWidget(*window)->setCurrentIndex(1);
             prompter.reply(base + ".java");
             window->saveSourceAs();
             return base + ".java";
         },
         [](const QString& base) { return refusalOfClass(base + ".java"); }},
        {"a record type's source open as an include", "Include=SPOT\nPlatform=TB\n", true,
         [&](const QString& base) {
             window->loadProject(base + ".tbp");
             EXPECT_EQ(testing::tabWidget(*window)->tabText(1), "SPOT.java");
             return QFileInfo(base).path() + "/SPOT.java";
         },
         [](const QString& base) { return refusalOfType(QFileInfo(base).path() + "/SPOT.java", 1); }},
        {"the program's class open with changes after a switch to the kit's language", "Platform=J2ME\n",
         true,
         [&](const QString& base) {
             window->loadProject(base + ".tbp");
             EXPECT_EQ(testing::tabWidget(*window)->tabText(0), "spot.java");
             testing::tabPane(*window, 0)->insertPlainText("// not saved\n");
             window->menus().mCompilerTesvo->trigger();
             EXPECT_EQ(references.compiler, "TB");
             return base + ".java";
         },
         [](const QString& base) { return refusalOfClass(base + ".java"); }},
    };
    int n = 0;
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        const QString base = folder(QString("road%1/spot").arg(n++));
        writeFile(base + ".tbp", QByteArray("Main=spot\nRun=0\nName=spot\n") + road.project);
        writeFile(base + ".bss", spotSource);
        if (road.keptCompile) {
            writeFile(base + ".tbp", QByteArray("Main=spot\nRun=0\nName=spot\nPlatform=TB\n"));
            writeFile(base + "X.bss", spotSource);
            int status = -1;
            const QString printed = keptCompile(base, status);
            ASSERT_EQ(status, 0) << printed.toStdString();
            ASSERT_TRUE(carriesTheMark(readFile(base + ".java")) &&
                        carriesTheMark(readFile(QFileInfo(base).path() + "/SPOT.java")));
            writeFile(base + ".tbp", QByteArray("Main=spot\nRun=0\nName=spot\n") + road.project);
        } else {
            window->loadProject(base + ".tbp");
        }
        const QString kept = road.take(base);
        const QByteArray bytes = readFile(kept);
        EXPECT_FALSE(bytes.isEmpty() || carriesTheMark(bytes)) << bytes.toStdString();
        for (int i = 0; i < testing::tabWidget(*window)->count(); ++i)
            EXPECT_FALSE(carriesTheMark(tab(i).toUtf8())) << i;

        const QString output = run(&Editor::Build, 0);
        EXPECT_TRUE(output.contains(road.refusal(base) + "\n")) << output.toStdString();
        EXPECT_FALSE(output.contains("Program compiled")) << output.toStdString();
        EXPECT_EQ(readFile(kept), bytes);
        if (window->hasChangedTab()) prompter.reply(ui::Answer::No);
        window->reset(false);
        prompter.clear();
    }
    EXPECT_TRUE(reporter.reports.isEmpty());
}

TEST_F(EditorBuildRuns, ConvertOpensTheGeneratedJava) {
    const QString base = example("Hello", "convert");
    window->loadProject(base + ".tbp");
    window->Convert();
    ASSERT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
    ASSERT_EQ(testing::tabWidget(*window)->count(), 2)
        << testing::outputPane(*window)->toPlainText().toStdString();
    EXPECT_EQ(testing::tabWidget(*window)->tabText(1), "Hello.java");
    EXPECT_TRUE(tab(1).contains("class Hello")) << tab(1).toStdString();
}

// The project tree lists `folder` with `count` entries, as a user sees it before choosing one of them.
bool listed(ui::treefilebrowser::JTreeFileBrowser& tree, const QString& folder, int count) {
    auto* files = tree.findChild<QFileSystemModel*>();
    auto* view = tree.findChild<QTreeView*>();
    const QModelIndex parent =
        static_cast<QSortFilterProxyModel*>(view->model())->mapFromSource(files->index(folder));
    view->model()->fetchMore(parent);
    return parent.isValid() && view->model()->rowCount(parent) == count;
}

// Every bundled example as a user meets it: chosen in the project tree, opened with Continue, its code
// shown, compiled from it. The build writes and deletes files beside the chosen project file, which is no
// new choice in the tree. The sources stay byte for byte, and the execution copy the editor writes is the
// one the example ships for the command line.
TEST_F(EditorBuildRuns, EveryExampleOpensFromTheTreeAndCompilesFromItsSources) {
    const QString examples = QString(TZ_SOURCE_DIR) + "/examples/";
    const QStringList names = QDir(examples).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(names.size(), 2);
    int asked = 0;
    QTimer continuing;
    continuing.setInterval(0);
    QObject::connect(&continuing, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<OpenProject*>(QApplication::activeModalWidget())) {
            ++asked;
            testing::part<QPushButton>(dialog, "button2")->click();
        }
    });
    continuing.start();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString folder = home.filePath(name);
        ASSERT_TRUE(tz::testing::copyExampleProject((examples + name).toStdString(), folder.toStdString()));
        const QString base = folder + "/" + name;
        const QByteArray source = readFile(base + ".bss");
        const QByteArray copy = readFile(base + "X.bss");
        ASSERT_FALSE(source.isEmpty());
        ASSERT_TRUE(ui::testing::waitUntil(
            [&] { return listed(*testing::projectTree(*window), folder, int(QDir(folder).count()) - 2); }));
        asked = 0;
        testing::projectTree(*window)->setSelectedFile(base + ".tbp");
        ASSERT_TRUE(
            ui::testing::waitUntil([&] { return testing::tabWidget(*window)->tabText(0) == name + ".bss"; }));
        EXPECT_EQ(tab(0), utf8(source));
        EXPECT_TRUE(window->unloadedFile(0).isEmpty());

        const QString output = run(&Editor::Build, 0);
        ui::testing::processEventsFor(300);
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
        EXPECT_TRUE(QFile::exists(base + ".jar"));
        EXPECT_EQ(readFile(base + ".bss"), source);
        EXPECT_EQ(readFile(base + "X.bss"), copy);
    }
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_TRUE(prompter.questions().empty());
}

// The processes whose environment holds `mark`, the test's own aside; zombies have ended.
QStringList marked(const QByteArray& mark) {
    QStringList found;
    QDirIterator processes("/proc", QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        const QString pid = QFileInfo(processes.next()).fileName();
        if (pid.toLongLong() <= 0 || pid.toLongLong() == QCoreApplication::applicationPid()) continue;
        if (!readFile("/proc/" + pid + "/environ").split('\0').contains(mark)) continue;
        const QByteArray stat = readFile("/proc/" + pid + "/stat");
        if (stat.mid(stat.lastIndexOf(')') + 2).startsWith('Z')) continue;
        found << pid + " " + QString::fromUtf8(readFile("/proc/" + pid + "/cmdline")).replace('\0', ' ');
    }
    return found;
}

// A program of the moved kit replaced by a shell script while it lives.
class StandIn {
public:
    StandIn(const QString& program, const QByteArray& script) : program_(program) {
        EXPECT_TRUE(QFile::rename(program_, program_ + ".kept"));
        writeFile(program_, script);
        QFile::setPermissions(program_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~StandIn() {
        QFile::remove(program_);
        QFile::rename(program_ + ".kept", program_);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

private:
    QString program_;
};

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The editor ends during a build: every process of the build ends with it (the compiler, the build
// program and the javac it started in a process group of its own), and none of the files the build
// generated is left, the Java of a conversion included: the project folder holds what it held before the
// build, the sources byte for byte, besides what the editor wrote itself (its backups; a Java project's
// descriptor). A program that does not stop when asked is killed after the grace, and with it every
// process of its session. A game that plays (Execute) once its suite is whole ends with the editor, and
// its suite stays.
TEST_F(EditorBuildRuns, EndingTheEditorDuringABuildEndsItAndLeavesNoFileOfIt) {
    struct Row {
        const char* name;
        const char* example;      // a project of the language, or nullptr for a Java project
        const char* program;      // the kit's program a stand-in replaces
        const char* script;       // its body after it has said it started
        QStringList whileItRuns;  // files the build generated by then
        bool convert = false;     // Tools > Convert rather than Compile
        QStringList kept = {};    // Execute: the suite whose game plays, which stays
    };
    const QStringList buildWork{"CBuild.bat", "MANIFEST.MF", "RunGame.bat", "tmpclasses"};
    const Row rows[] = {
        {"a game with a record type", "Skyward", "jdk/bin/javac", "exec sleep 300",
         QStringList{"FALLER.java", "Skyward.java", "Skyward.tbx"} + buildWork},
        {"a Java project", nullptr, "jdk/bin/javac", "exec sleep 300", buildWork},
        {"a conversion", "Skyward", "jdk/bin/javac", "exec sleep 300",
         QStringList{"FALLER.java", "Skyward.java", "Skyward.tbx"} + buildWork, true},
        {"a compiler that does not stop when asked",
         "Hello",
         "Compile-Linux",
         "trap '' TERM INT HUP\nexec sleep 300",
         {}},
        {"a compiler that does not stop, its tool in a process group of its own",
         "Hello",
         "Compile-Linux",
         "trap '' TERM INT HUP\n/usr/bin/python3 -c 'import os, time; os.setpgid(0, 0); time.sleep(300)' "
         "&\nwait",
         {}},
        {"a game playing in the emulator",
         "Hello",
         "wtk/bin/emulator",
         "exec sleep 300",
         {"Hello.jar", "Hello.jad", "RunGame.bat"},
         false,
         {"Hello.jar", "Hello.jad", "Hello.tbx", "RunGame.bat", "classes", "tmpclasses"}},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString started = projects.filePath(QString("started %1").arg(n));
        StandIn standIn(kit(row.program),
                        "#!/bin/sh\necho $$ > '" + started.toUtf8() + "'\n" + row.script + "\n");
        QString base;
        if (row.example) {
            base = example(row.example, QString("slow%1").arg(n));
        } else {
            base = folder(QString("slow%1/space").arg(n));
            writeFile(base + ".tbp", "Main=space\nInclude=Util\nName=space\nPlatform=J2ME\nFloats=true\n");
            writeFile(base + ".java", midlet.toUtf8());
            writeFile(QFileInfo(base).path() + "/Util.java", include.toUtf8());
        }
        ++n;
        const QString project = QFileInfo(base).path();
        window->loadProject(base + ".tbp");
        QMap<QString, QByteArray> before;
        for (const QString& entry : entries(project)) before[entry] = readFile(project + "/" + entry);

        const QByteArray value = QByteArray::number(QRandomGenerator::global()->generate64());
        qputenv("TZ_TEST_BUILD", value);
        if (row.convert) {
            window->Convert();
        } else {
            window->Build(row.kept.isEmpty() ? 0 : 1);
        }
        const bool reached =
            ui::testing::waitUntil([&] { return !readFile(started).trimmed().isEmpty(); }, 60000);
        qunsetenv("TZ_TEST_BUILD");
        ASSERT_TRUE(reached) << testing::outputPane(*window)->toPlainText().toStdString();
        const QByteArray mark = "TZ_TEST_BUILD=" + value;
        EXPECT_TRUE(ui::testing::waitUntil([&] { return !marked(mark).isEmpty(); }));
        for (const QString& generated : row.whileItRuns)
            EXPECT_TRUE(QFileInfo::exists(project + "/" + generated)) << generated.toStdString();

        // The game plays after the project's folder is left to the next run.
        if (!row.kept.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(project + "/.tzlock"));
        }
        side->launcher().stop();
        EXPECT_TRUE(marked(mark).isEmpty()) << marked(mark).join('\n').toStdString();
        for (const QString& entry : row.kept)
            EXPECT_TRUE(QFileInfo::exists(project + "/" + entry)) << entry.toStdString();
        for (const QString& entry : entries(project)) {
            if (entry.endsWith(".bak") || (!row.example && entry == "space.tbx") || row.kept.contains(entry))
                continue;
            EXPECT_TRUE(before.contains(entry)) << "left: " << entry.toStdString();
        }
        for (const auto& [entry, bytes] : before.asKeyValueRange()) {
            if (entry.endsWith(".tbp")) continue;
            EXPECT_EQ(readFile(project + "/" + entry), bytes) << entry.toStdString();
        }
        EXPECT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }));
    }
}

}  // namespace
}  // namespace editor
