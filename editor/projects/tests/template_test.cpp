// The template of a new program is one the kit's compiler and tool chain take as it stands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "actions.h"
#include "test_helpers.h"
#include "type_creator.h"

namespace {

TEST(EditorTemplate, CompilesAndBuildsWithTheKit) {
    QTemporaryDir dir;
    const QString base = dir.filePath("Fresh");
    ASSERT_TRUE(QFile::copy(QString(TZ_KIT_DIR) + "/Editor/TB.bss", base + "X.bss"));
    tz::testing::writeFile(
        base + ".tbp",
        "// Tesvo Zorid v1.1.0 Project File\nMain=Fresh\nRun=0\nName=Fresh\nPlatform=TB\n3D=false\n"
        "Floats=false\nMappy=false\nMM=false\nInc=false\nCLDC=10\n");
    const tz::testing::ProgramRun compile =
        tz::testing::runProgram({}, {TZ_KIT_DIR "/Compile-Linux", base.toStdString()});
    EXPECT_EQ(compile.status, 0) << compile.output;
    EXPECT_NE(compile.output.find("Program compiled"), std::string::npos) << compile.output;
    EXPECT_TRUE(QFile::exists(base + ".jar"));
}

}  // namespace

namespace editor {
namespace {

// The J2ME template as a project "game" gets it, with a record type from the type creator that the game
// uses, built as the editor's Java road builds it: Build-Linux on a descriptor naming the type as include.
TEST(EditorTemplate, J2METemplateBuildsWithATypeCreatorClass) {
    QTemporaryDir dir;
    QFile source(QString(TZ_KIT_DIR) + "/Editor/J2ME.bss");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QString game = j2meTemplateFor(QString::fromUtf8(source.readAll()), "game");
    ASSERT_TRUE(game.contains("public class game extends MIDlet"));
    game.replace("    protected void pauseApp() {",
                 "    private final TypePoint point = new TypePoint();\n\n    protected void pauseApp() {");
    const auto write = [&](const QString& name, const QString& text) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    };
    write("game.java", game);
    write("TypePoint.java", typeClassText("Point", {"public int x;", "public static int count;"}));
    write(
        "game.tbx",
        "// Tesvo Zorid v1.1.0 Project File\nMain=game\nInclude0=TypePoint\nRun=0\nName=game\nPlatform=J2ME\n"
        "3D=false\nFloats=false\nMappy=false\nMM=false\nImage=false\nSound=false\nMidi=false\nVideo=false\n"
        "Inc=false\nCLDC=10\n");
    const tz::testing::ProgramRun build =
        tz::testing::runProgram({}, {TZ_KIT_DIR "/Build-Linux", dir.filePath("game").toStdString()});
    EXPECT_EQ(build.status, 0) << build.output;
    EXPECT_TRUE(QFile::exists(dir.filePath("game.jar"))) << build.output;
    EXPECT_TRUE(QFile::exists(dir.filePath("classes/Game/TypePoint.class"))) << build.output;
    EXPECT_TRUE(QFile::exists(dir.filePath("classes/Game/game$Board.class"))) << build.output;
}

}  // namespace
}  // namespace editor
