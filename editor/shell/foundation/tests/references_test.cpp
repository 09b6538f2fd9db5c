#include "references.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "editor_testing.h"
#include "tb_file_filter.h"

namespace editor {
namespace {

TEST(References, FreshStartDefaults) {
    testing::KitFolder kit("/opt/tesvo/");
    References references;
    EXPECT_EQ(references.editorPath, "/opt/tesvo/");
    EXPECT_EQ(references.LoadedPath, "/opt/tesvo/");
    EXPECT_EQ(references.projectName, "myProject");
    EXPECT_EQ(references.projectCompany, "My Company");
    EXPECT_EQ(references.fileExt, ".bss");
    EXPECT_EQ(references.compiler, "TB");
    EXPECT_EQ(references.mainScreen, -1);
    EXPECT_EQ(references.currentScreen, -1);
    EXPECT_FALSE(references.saved);
    // The configuration starts empty, which is not the same as no value.
    EXPECT_EQ(references.JavaLocation, QString(""));
    EXPECT_EQ(references.lookAndFeel, QString(""));
    EXPECT_FALSE(references.classStart.has_value());
    EXPECT_FALSE(references.proxyHost.has_value());
    EXPECT_FALSE(references.proxyPort.has_value());
}

TEST(References, KitFolderIsTheProgramsFolderUnlessSet) {
    const QString own = kitFolder();
    EXPECT_EQ(own + "/editor_shell_tests", QFile::symLinkTarget("/proc/self/exe"));
    {
        testing::KitFolder kit("/elsewhere");
        EXPECT_EQ(kitFolder(), "/elsewhere");
    }
    EXPECT_EQ(kitFolder(), own);
}

TEST(References, GetFileFromPathCutsTheNameAtItsFirstDot) {
    const std::pair<const char*, std::optional<QString>> rows[] = {
        {"/games/Ship.bss", "Ship"},
        {"Ship.tar.bss", "Ship"},
        {"/a.b/Ship.bss", "Ship"},
        {"/games/.bss", ""},
        {"C:\\Games\\Ship.bss", "C:\\Games\\Ship"},  // only "/" separates
        {"/games/Ship", std::nullopt},
        {"/a.b/Ship", std::nullopt},
        {"/games/", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [path, name] : rows) EXPECT_EQ(References::getFileFromPath(path), name) << path;
}

TEST(References, LongIncludeExistsComparesTheCutName) {
    References references;
    references.includes = {"util", "Maps"};
    EXPECT_TRUE(references.longIncludeExists("/p/util.bss"));
    EXPECT_TRUE(references.longIncludeExists("/p/util.tar.bss"));
    EXPECT_TRUE(references.longIncludeExists("Maps.BSS"));
    EXPECT_FALSE(references.longIncludeExists("/p/maps.bss"));
    EXPECT_FALSE(references.longIncludeExists("/p/util"));
    EXPECT_FALSE(references.longIncludeExists("/p/.bss"));
}

TEST(TBFileFilter, AcceptsFoldersAndSourceAndProjectFilesInAnyCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.x"));
    const std::pair<const char*, bool> rows[] = {
        {"MAIN.BSS", true}, {"game.TBP", true}, {"a.b.bss", true}, {"x.Bss", true},      {".bss", false},
        {"main.", false},   {"main", false},    {"x.bsss", false}, {"x.bss.txt", false}, {"folder.x", true},
    };
    const TBFileFilter filter;
    const QRegularExpression patterns = [&] {
        QString all = filter.nameFilter();
        all = all.mid(all.indexOf('(') + 1).chopped(1);
        QStringList alternatives;
        for (const QString& glob : all.split(' ')) {
            alternatives << QRegularExpression::wildcardToRegularExpression(glob);
        }
        return QRegularExpression(alternatives.join('|'));
    }();
    for (const auto& [name, accepted] : rows) {
        const QString path = dir.filePath(name);
        if (!QFileInfo(path).isDir()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(filter.accept(QFileInfo(path)), accepted) << name;
        // The chooser's name filter agrees for files; it does not see names that start with their dot.
        if (!QFileInfo(path).isDir() && QString(name) != ".bss") {
            EXPECT_EQ(patterns.match(name).hasMatch(), accepted) << name;
        }
    }
    EXPECT_EQ(filter.getDescription(), "Tesvo Zorid source and project files");
    EXPECT_TRUE(filter.nameFilter().startsWith("Tesvo Zorid source and project files ("));
}

}  // namespace
}  // namespace editor
