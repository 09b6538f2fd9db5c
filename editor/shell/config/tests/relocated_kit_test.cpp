// The real kit moved to a folder of its own without Config.cfg: the wizard's scan finds the kit's own
// tool chain, and after Verify the kit's Compile-Linux builds a project with it.
#include <QProcess>

#include "config_fixture.h"
#include "gui_harness.h"
#include "init.h"
#include "references.h"
#include "scripted_prompter.h"

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
    ASSERT_TRUE(copyTree(QString(TZ_EDITOR_SOURCE_DIR) + "/../examples/Hello", project));
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

}  // namespace
}  // namespace editor
