// The template of a new program is one the kit's compiler and tool chain take as it stands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

TEST(EditorTemplate, CompilesAndBuildsWithTheKit) {
    QTemporaryDir dir;
    const QString base = dir.filePath("Fresh");
    ASSERT_TRUE(QFile::copy(QString(TZ_KIT_DIR) + "/Editor/TB.bss", base + "X.bss"));
    QFile project(base + ".tbp");
    ASSERT_TRUE(project.open(QIODevice::WriteOnly));
    project.write(
        "// Tesvo Zorid v1.1.0 Project File\nMain=Fresh\nRun=0\nName=Fresh\nPlatform=TB\n3D=false\n"
        "Floats=false\nMappy=false\nMM=false\nInc=false\nCLDC=10\n");
    project.close();
    QProcess compile;
    compile.setProcessChannelMode(QProcess::MergedChannels);
    compile.start(QString(TZ_KIT_DIR) + "/Compile-Linux", {base});
    ASSERT_TRUE(compile.waitForFinished(300000));
    const QString output = QString::fromLocal8Bit(compile.readAll());
    EXPECT_EQ(compile.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("Program compiled")) << output.toStdString();
    EXPECT_TRUE(QFile::exists(base + ".jar"));
}

}  // namespace
