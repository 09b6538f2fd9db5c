// The editor's runs of the kit's own programs: the whole kit moved to a folder of its own, projects
// copied beside it, the commands given as a user gives them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
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

TEST_F(EditorBuildRuns, ATranslationErrorShowsItsLineAndBuildsNothing) {
    const QString base = example("Hello", "broken");
    window->loadProject(base + ".tbp");
    window->ep[0]->setPlainText("REM first\n\nPRINT \"one\"\nFROBNICATE 1\nPRINT \"two\"\n");
    const QString output = run(&Editor::Build, 0);
    EXPECT_TRUE(output.contains(" at line 4\n")) << output.toStdString();
    EXPECT_TRUE(output.contains("Error detected, compilation will not continue")) << output.toStdString();
    EXPECT_FALSE(output.contains("Program compiled"));
    EXPECT_FALSE(QFile::exists(base + ".jar"));

    // Go To Line # with the number the message names lands on the start of the faulty line.
    const QRegularExpressionMatch named = QRegularExpression(" at line (\\d+)\n").match(output);
    ASSERT_TRUE(named.hasMatch());
    window->GoToLine(named.captured(1).toInt());
    const QTextCursor caret = window->ep[0]->textCursor();
    EXPECT_EQ(caret.positionInBlock(), 0);
    EXPECT_EQ(caret.block().text(), "FROBNICATE 1");
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
