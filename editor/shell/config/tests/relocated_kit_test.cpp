// The real kit moved to a folder of its own: without Config.cfg the wizard's scan finds the kit's own tool
// chain; with the Config.cfg of the folder it came from, gone since, all three programs use the copy's own.
#include <QProcess>

#include "config_fixture.h"
#include "gui_harness.h"
#include "init.h"
#include "references.h"
#include "scripted_prompter.h"
#include "test_helpers.h"

namespace editor {
namespace {

using testing::items;
using testing::part;
using testing::WizardWatch;

// Copies the folder `from` into `to`, files with their permissions, links as links.
bool copyTree(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) return false;
    const QDir source(from);
    for (const QFileInfo& entry :
         source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        const QString target = to + "/" + entry.fileName();
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

TEST(RelocatedKit, TheScanOffersTheKitsOwnToolsAndTheKitBuildsWithThem) {
    QTemporaryDir dir;
    const QString kit = dir.filePath("moved kit");
    ASSERT_TRUE(copyTree(TZ_KIT_DIR, kit));
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
    Init::initConfig(references);
    EXPECT_EQ(watch.shown, 1);
    EXPECT_TRUE(java.contains(kit + "/jdk/bin/")) << java.join(", ").toStdString();
    EXPECT_TRUE(toolkits.contains(kit + "/wtk/")) << toolkits.join(", ").toStdString();
    EXPECT_EQ(references.JavaLocation, kit + "/jdk/bin/");
    EXPECT_EQ(references.MobileLocation, kit + "/wtk/");
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_EQ(testing::fileContent(kit + "/Config.cfg"),
              (kit + "/jdk/bin/\n" + kit + "/wtk/\n" + kit + "/\n\n").toUtf8());

    const QString project = dir.filePath("projects/Hello");
    ASSERT_TRUE(
        tz::testing::copyExampleProject(TZ_EDITOR_SOURCE_DIR "/../examples/Hello", project.toStdString()));
    QProcess compile;
    compile.setProcessChannelMode(QProcess::MergedChannels);
    compile.setWorkingDirectory(dir.path());
    compile.start(kit + "/Compile-Linux", {project + "/Hello"});
    ASSERT_TRUE(compile.waitForFinished(300000));
    const QString output = QString::fromLocal8Bit(compile.readAll());
    EXPECT_TRUE(output.contains("Program compiled")) << output.toStdString();
    EXPECT_EQ(compile.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(QFile::exists(project + "/Hello.jar"));
}

// Copies the example game into `project` and compiles and packages it with the kit's Compile-Linux.
QString compileExample(const QString& kit, const QString& project) {
    if (!tz::testing::copyExampleProject(TZ_EDITOR_SOURCE_DIR "/../examples/Skyward", project.toStdString()))
        return "cannot copy";
    QProcess compile;
    compile.setProcessChannelMode(QProcess::MergedChannels);
    compile.start(kit + "/Compile-Linux", {project + "/Skyward"});
    if (!compile.waitForFinished(300000)) return "did not end";
    return QString::fromLocal8Bit(compile.readAll()) + "status " + QString::number(compile.exitCode());
}

TEST(RelocatedKit, ACopyWhoseOriginalIsGoneUsesItsOwnTools) {
    QTemporaryDir dir;
    const QString original = dir.filePath("original kit");
    const QString copy = dir.filePath("copied kit");
    ASSERT_TRUE(copyTree(TZ_KIT_DIR, original));
    testing::makeFile(original + "/Config.cfg",
                      (original + "/jdk/bin/\n" + original + "/wtk/\n" + original + "/\n").toUtf8());
    ASSERT_TRUE(copyTree(original, copy));
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
    Init::initConfig(references);
    EXPECT_EQ(watch.shown, 0);
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_EQ(testing::fileContent(copy + "/Config.cfg"),
              (copy + "/jdk/bin/\n" + copy + "/wtk/\n" + copy + "/\nnull\n").toUtf8());
}

}  // namespace
}  // namespace editor
