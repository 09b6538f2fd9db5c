// The real kit moved to a folder of its own: without Config.cfg the wizard's scan finds the kit's own tool
// chain; with the Config.cfg of the folder it came from, gone since, all three programs use the copy's own.
#include "config_fixture.h"
#include "gui_harness.h"
#include "references.h"
#include "scripted_prompter.h"
#include "start_up.h"
#include "test_helpers.h"

namespace editor {
namespace {

using testing::items;
using testing::part;
using testing::WizardWatch;

TEST(RelocatedKit, TheScanOffersTheKitsOwnToolsAndTheKitBuildsWithThem) {
    QTemporaryDir dir;
    const QString kit = dir.filePath("moved kit");
    ASSERT_TRUE(tz::testing::copyKit(TZ_KIT_DIR, kit.toStdString()));
    QFile::remove(kit + "/Config.cfg");
    QTemporaryDir smallRoot;
    testing::KitFolder kitFolder(kit);
    testing::ScanRoot scanRoot(smallRoot.path());
    testing::RecordingReporter reporter;
    ui::testing::ScriptedPrompter prompter;

    QStringList java, toolkits;
    WizardWatch watch([&](NewInstall& wizard) {
        ASSERT_TRUE(ui::testing::waitUntil([&] { return testing::scanFinished(&wizard); }));
        java = items(&wizard, "JDK");
        toolkits = items(&wizard, "WTK");
        part<QPushButton>(&wizard, "verify")->click();
    });
    References references;
    initConfig(references);
    EXPECT_EQ(watch.shown, 1);
    EXPECT_TRUE(java.contains(kit + "/jdk/bin/")) << java.join(", ").toStdString();
    EXPECT_TRUE(toolkits.contains(kit + "/wtk/")) << toolkits.join(", ").toStdString();
    EXPECT_EQ(references.JavaLocation, kit + "/jdk/bin/");
    EXPECT_EQ(references.MobileLocation, kit + "/wtk/");
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_EQ(testing::readFile(kit + "/Config.cfg"),
              (kit + "/jdk/bin/\n" + kit + "/wtk/\n" + kit + "/\n\n").toUtf8());

    const QString project = dir.filePath("projects/Hello");
    ASSERT_TRUE(
        tz::testing::copyExampleProject(TZ_EDITOR_SOURCE_DIR "/../examples/Hello", project.toStdString()));
    const tz::testing::ProgramRun compile =
        tz::testing::runProgram(dir.path().toStdString(),
                                {(kit + "/Compile-Linux").toStdString(), (project + "/Hello").toStdString()});
    EXPECT_NE(compile.output.find("Program compiled"), std::string::npos) << compile.output;
    EXPECT_EQ(compile.status, 0) << compile.output;
    EXPECT_TRUE(QFile::exists(project + "/Hello.jar"));
}

// Copies the example game into `project` and compiles and packages it with the kit's Compile-Linux.
QString compileExample(const QString& kit, const QString& project) {
    if (!tz::testing::copyExampleProject(TZ_EDITOR_SOURCE_DIR "/../examples/Skyward", project.toStdString()))
        return "cannot copy";
    const tz::testing::ProgramRun compile = tz::testing::runProgram(
        {}, {(kit + "/Compile-Linux").toStdString(), (project + "/Skyward").toStdString()});
    return QString::fromStdString(compile.output) + "status " + QString::number(compile.status);
}

TEST(RelocatedKit, ACopyWhoseOriginalIsGoneUsesItsOwnTools) {
    QTemporaryDir dir;
    const QString original = dir.filePath("original kit");
    const QString copy = dir.filePath("copied kit");
    ASSERT_TRUE(tz::testing::copyKit(TZ_KIT_DIR, original.toStdString()));
    ASSERT_TRUE(tz::testing::copyKit(original.toStdString(), copy.toStdString()));
    // The copy's Config.cfg is still the one of the folder it came from.
    testing::writeFile(copy + "/Config.cfg",
                       (original + "/jdk/bin/\n" + original + "/wtk/\n" + original + "/\n").toUtf8());
    ASSERT_TRUE(QDir(original).removeRecursively());

    const QString output = compileExample(copy, dir.filePath("projects/Skyward"));
    EXPECT_TRUE(output.contains("Program compiled\nstatus 0")) << output.toStdString();
    EXPECT_FALSE(output.contains(original)) << output.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("projects/Skyward/Skyward.jar")));
    EXPECT_TRUE(QFile::exists(dir.filePath("projects/Skyward/Skyward.jad")));

    // The editor starts without its wizard and writes the copy's folders back.
    QTemporaryDir smallRoot;
    testing::KitFolder kitFolder(copy);
    testing::ScanRoot scanRoot(smallRoot.path());
    testing::RecordingReporter reporter;
    WizardWatch watch;
    References references;
    initConfig(references);
    EXPECT_EQ(watch.shown, 0);
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_EQ(testing::readFile(copy + "/Config.cfg"),
              (copy + "/jdk/bin/\n" + copy + "/wtk/\n" + copy + "/\nnull\n").toUtf8());
}

}  // namespace
}  // namespace editor
