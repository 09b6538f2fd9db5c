#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <set>

#include "res.h"

namespace editor {
namespace {

// Each key names one text: a second row of a key would never be shown. The texts the editor shows are held
// where it shows them (the menus, the output pane, the dialogs' tests).
TEST(EditorMessages, EveryKeyOnceWithItsText) {
    std::set<std::string_view> keys;
    for (const Res::Row& row : Res::getContents()) {
        EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key " << row.key;
        EXPECT_EQ(res(row.key).toStdString(), row.text) << row.key;
    }
}

TEST(EditorMessages, MissingKeyShowsTheKeyAndIsLogged) {
    EXPECT_FALSE(hasMessage("myproject"));
    QString shown;
    EXPECT_NONFATAL_FAILURE(shown = res("myproject"), "Editor.Res has no text for key \"myproject\"");
    EXPECT_EQ(shown, "myproject");
}

// Every res("KEY") in the editor's sources names a row: a missing one would only show on the road that
// displays it.
TEST(EditorMessages, EveryKeyUsedInTheSourcesIsInTheTable) {
    const QString sources = TZ_EDITOR_SOURCE_DIR;
    const QRegularExpression call(R"((?:^|[^A-Za-z0-9_])res\(\s*"([^"]*)\")");
    int scanned = 0;
    int calls = 0;
    QDirIterator it(sources, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains("/tests/")) continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        ++scanned;
        for (auto match = call.globalMatch(text); match.hasNext();) {
            const std::string key = match.next().captured(1).toStdString();
            ++calls;
            EXPECT_TRUE(hasMessage(key)) << "res(\"" << key << "\") in " << path.toStdString();
        }
    }
    EXPECT_GT(scanned, 0);
    EXPECT_GT(calls, 0);
}

}  // namespace
}  // namespace editor
