// The editor's runs of the kit's own programs: the whole kit moved to a folder of its own, projects
// copied beside it, the commands given as a user gives them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>

#include "build_targets.h"
#include "common_actions.h"
#include "config_fixture.h"
#include "editor_testing.h"
#include "gui_harness.h"
#include "init.h"
#include "inner_window.h"
#include "main_window.h"
#include "project_dialogs.h"
#include "project_file.h"
#include "project_side.h"
#include "references.h"
#include "scripted_prompter.h"
#include "tree_file_browser.h"

namespace editor {
namespace {

using testing::fileContent;
using testing::makeFile;

bool copyTree(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) return false;
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = to + "/" + entry.fileName();
        if (entry.fileName() == "Editor-Linux") continue;
        if (entry.isSymLink()) {
            if (!QFile::link(entry.symLinkTarget(), target)) return false;
        } else if (entry.isDir()) {
            if (!copyTree(entry.filePath(), target)) return false;
        } else if (!QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

QString utf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

class EditorBuildRuns : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new QTemporaryDir;
        const QString kit = root->filePath("moved kit");
        ASSERT_TRUE(copyTree(TZ_KIT_DIR, kit));
        makeFile(kit + "/Config.cfg", (kit + "/jdk/bin/\n" + kit + "/wtk/\n" + kit + "/\n\n").toUtf8());
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }

    EditorBuildRuns() {
        ui::treefilebrowser::setHomeFolder(home.path());
        for (int i = 0; i < BuildTargets::count; ++i) {
            buildTargets().setMarked(static_cast<BuildTargets::Target>(i), i == BuildTargets::J2meDevices);
        }
        buildTargets().setLanguage("TB");
        window = std::make_unique<Editor>(references);
        side = std::make_unique<ProjectSide>(*window);
    }
    ~EditorBuildRuns() override {
        side.reset();
        window.reset();
        ui::dockable::action::common::CommonActionManager::removeCommonAction(
            ui::dockable::action::common::ExtractAction::className);
        ui::treefilebrowser::setHomeFolder({});
    }

    static QString kit(const QString& relative = {}) { return root->filePath("moved kit/") + relative; }
    QString folder(const QString& relative) const { return projects.filePath(relative); }
    // A copy of an example project in `place`; returns its base path.
    QString example(const QString& name, const QString& place) {
        const QString to = folder(place);
        EXPECT_TRUE(copyTree(QString(TZ_SOURCE_DIR) + "/examples/" + name, to));
        // The editor opens the main source, the compiler reads the execution copy.
        QFile::copy(to + "/" + name + "X.bss", to + "/" + name + ".bss");
        return to + "/" + name;
    }
    QString run(void (Editor::*command)(int), int argument) {
        (window.get()->*command)(argument);
        EXPECT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
        return window->compilerM->toPlainText();
    }
    QString tab(int index) const { return window->tabText(index); }

    static inline QTemporaryDir* root = nullptr;
    QTemporaryDir projects;
    QTemporaryDir home;
    testing::KitFolder kitFolder{kit()};
    testing::RecordingReporter reporter;
    testing::RecordingExit exits;
    testing::LookGuard look;
    ui::testing::ScriptedPrompter prompter;
    References references;
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
    window->ep[0]->setPlainText("REM first\n\nPRINT \"one\"\nFROBNICATE 1\nPRINT \"two\"\n");
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
    const QTextCursor caret = window->ep[0]->textCursor();
    EXPECT_EQ(caret.positionInBlock(), 0);
    EXPECT_EQ(caret.block().text(), "FROBNICATE 1");
}

// What the kit's jar tool lists of a suite.
QStringList jarEntries(const QString& kitFolder, const QString& jar) {
    QProcess list;
    list.start(kitFolder + "jdk/bin/jar", {"tf", jar});
    list.waitForFinished(120000);
    return QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Two sources of the language and a Java class as includes: the editor merges the sources into the
// execution copy, and Build compiles the class into the suite; the road through the editor and the
// compiler's own on the folder as the editor saved it agree.
TEST_F(EditorBuildRuns, SourceIncludesAndAJavaIncludeBuildThroughTheEditorAndTheCompiler) {
    makeFile(
        folder("game/game.tbp"),
        "// Tesvo Zorid v1.1.0 Project File\nMain=game\nInclude=Helper\nRun=0\nName=game\nPlatform=TB\n");
    makeFile(folder("game/game.bss"),
             "REM a function of each source include\nPRINT \"twice \" + STR$(TWICE(21))\n"
             "PRINT \"rows \" + STR$(ROWS())\n");
    makeFile(folder("game/Helper.java"),
             "package Game;\n\npublic class Helper {\n    public static int answer() { return 42; }\n}\n");
    makeFile(folder("lib/util.bss"), "FUNCTION TWICE(N)\n  DIM R = N * 2\nENDFUNCTION R\n");
    makeFile(folder("lib/maps.bss"), "FUNCTION ROWS()\n  DIM R = 12\nENDFUNCTION R\n");
    window->loadProject(folder("game/game.tbp"));
    EXPECT_EQ(window->panel->tabText(1), "Helper.java");
    for (const char* include : {"lib/util.bss", "lib/maps.bss"}) {
        window->fileSelected({QFileInfo(folder(include))});
        auto* add = window->findChild<AddProject*>();
        ASSERT_NE(add, nullptr);
        testing::part<QPushButton>(add, "button3")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ASSERT_TRUE(window->save());
    EXPECT_EQ(utf8(fileContent(folder("game/game.tbp"))).section('\n', 2, 4),
              "Include=Helper\nInclude=util\nInclude=maps");
    EXPECT_EQ(utf8(fileContent(folder("game/util.bss"))),
              "FUNCTION TWICE(N)\n  DIM R = N * 2\nENDFUNCTION R\n");

    const QString base = folder("game/game");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
    for (const char* entry : {"Game/game.class", "Game/Helper.class"})
        EXPECT_TRUE(jarEntries(kit(), base + ".jar").contains(entry)) << entry << output.toStdString();

    QFile::remove(base + ".jar");
    QFile::remove(base + ".jad");
    QProcess compile;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TZ_KEEP_JAVA", "1");
    compile.setProcessEnvironment(environment);
    compile.start(kit("Compile-Linux"), {base});
    ASSERT_TRUE(compile.waitForFinished(300000));
    const QString printed = QString::fromUtf8(compile.readAllStandardOutput());
    EXPECT_EQ(compile.exitCode(), 0) << printed.toStdString();
    EXPECT_TRUE(jarEntries(kit(), base + ".jar").contains("Game/Helper.class")) << printed.toStdString();
    const QString java = utf8(fileContent(base + ".java"));
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
    makeFile(folder("java/space.tbp"), "Main=space\nInclude=Util\nName=space\nPlatform=J2ME\nFloats=true\n");
    makeFile(folder("java/space.java"), midlet.toUtf8());
    makeFile(folder("java/Util.java"), include.toUtf8());
    window->loadProject(folder("java/space.tbp"));
    ASSERT_EQ(window->panel->count(), 2);
    const QString base = folder("java/space");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.startsWith("Executing: " + kit("Build-Linux") + " " + base + "\n"))
        << output.toStdString();
    EXPECT_FALSE(output.contains("Compile-Linux"));
    const QStringList descriptor = utf8(fileContent(base + ".tbx")).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(descriptor, descriptorLines(references, 0));
    EXPECT_TRUE(descriptor.contains("Platform=J2ME") && descriptor.contains("Floats=true") &&
                descriptor.contains("CLDC=11") && descriptor.contains("Include0=Util"));
    EXPECT_TRUE(QFile::exists(base + ".jar")) << output.toStdString();
    EXPECT_EQ(utf8(fileContent(base + ".java")), midlet);
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
    EXPECT_EQ(window->panel->tabText(0), "game.java");
    const QString before = tab(0);
    EXPECT_TRUE(before.contains("public class game extends MIDlet"));
    EXPECT_EQ(utf8(fileContent(folder("fresh/game.java"))), before);
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(QFile::exists(folder("fresh/game.jar"))) << output.toStdString();
    EXPECT_EQ(utf8(fileContent(folder("fresh/game.java"))), before);
    EXPECT_EQ(tab(0), before);
}

// A Java project of MIDP 2.0 that plays a tone: the profile's own media subset, no media option.
TEST_F(EditorBuildRuns, AJavaProjectPlaysAToneWithoutTheMultimediaOption) {
    makeFile(folder("tone/beep.tbp"), "Main=beep\nName=beep\nPlatform=J2ME\nMM=false\n");
    makeFile(folder("tone/beep.java"),
             "package Game;\n\nimport javax.microedition.media.Manager;\nimport "
             "javax.microedition.media.MediaException;\nimport javax.microedition.midlet.MIDlet;\n\n"
             "public class beep extends MIDlet {\n    protected void startApp() {\n        try {\n"
             "            Manager.playTone(60, 200, 80);\n        } catch (MediaException e) {\n        }\n"
             "    }\n    protected void pauseApp() {}\n    protected void destroyApp(boolean unconditional) "
             "{}\n}\n");
    window->loadProject(folder("tone/beep.tbp"));
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(utf8(fileContent(folder("tone/beep.tbx"))).contains("\nMM=false\n"));
    EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
    EXPECT_TRUE(QFile::exists(folder("tone/beep.jar")));
}

// Convert, then Project > Compiler > J2ME: the converted project builds as it is, with its record type, the
// kit's API and sound support and the float and media libraries; a compile in the kit's language in between
// keeps it so.
TEST_F(EditorBuildRuns, AConvertedProjectBuildsAsItIs) {
    makeFile(folder("converted/spot.tbp"), "Main=spot\nRun=0\nName=spot\nPlatform=TB\n");
    makeFile(folder("converted/spot.bss"),
             "TYPE SPOT\nDIM X\nENDTYPE\nDIM S% = SPOT\nDIM V# = 1.5\nS%.X = 3\n"
             "PRINT STR$(S%.X)\nSOUND.LOAD \"beep.wav\", 1\nSOUND.PLAY 1\n");
    makeFile(folder("converted/beep.wav"), "RIFF");
    const QString base = folder("converted/spot");
    window->loadProject(base + ".tbp");
    window->Convert();
    ASSERT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
    ASSERT_EQ(window->panel->tabText(1), "spot.java") << window->compilerM->toPlainText().toStdString();
    EXPECT_TRUE(references.usesInclude && references.usesFloats && references.usesMM);
    EXPECT_EQ(references.includes, QStringList{"SPOT"});
    EXPECT_TRUE(run(&Editor::Build, 0).contains("\nProgram compiled\n"));
    ASSERT_TRUE(QFile::exists(folder("converted/SPOT.java")));

    window->menus().mCompilerJ2ME->trigger();
    QFile::remove(base + ".jar");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.startsWith("Executing: " + kit("Build-Linux"))) << output.toStdString();
    EXPECT_TRUE(output.contains("\nProgram compiled\n")) << output.toStdString();
    const QStringList entries = jarEntries(kit(), base + ".jar");
    for (const char* entry :
         {"Game/spot.class", "Game/SPOT.class", "Game/Include.class", "Game/IncludeSound.class", "beep.wav"})
        EXPECT_TRUE(entries.contains(entry)) << entry << "\n" << output.toStdString();
}

TEST_F(EditorBuildRuns, ConvertOpensTheGeneratedJava) {
    const QString base = example("Hello", "convert");
    window->loadProject(base + ".tbp");
    window->Convert();
    ASSERT_TRUE(ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 600000));
    ASSERT_EQ(window->panel->count(), 2) << window->compilerM->toPlainText().toStdString();
    EXPECT_EQ(window->panel->tabText(1), "Hello.java");
    EXPECT_TRUE(tab(1).contains("class Hello")) << tab(1).toStdString();
}

}  // namespace
}  // namespace editor
