#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <set>

#include "res.h"

namespace editor {
namespace {

TEST(EditorMessages, TableHoldsEveryPairOnceInOrder) {
    const auto table = Res::getContents();
    ASSERT_EQ(table.size(), 114u);
    std::set<std::string_view> keys;
    for (const Res::Row& row : table) {
        EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key " << row.key;
        EXPECT_EQ(res(row.key).toStdString(), row.text) << row.key;
    }
    EXPECT_EQ(table[0].key, "Error_Printing");
    EXPECT_EQ(table[63].key, "About_Runtime");
    EXPECT_EQ(table[111].key, "FTP Tool");
    EXPECT_EQ(table[113].key, "Type_Creator");
}

TEST(EditorMessages, TextsKeepTheirLineEndsAndBlanks) {
    const std::pair<const char*, const char*> rows[] = {
        {"Attempting_to_load", "\nAttempting to load Java file "},
        {"Could_not_load_file", "Could not load file "},
        {"Please_restart_the", "Please restart the application for your changes to take effect\n"},
        {"Error_The",
         "Error: The configuration file was not found, please run Config.exe and restart this application\n"},
        {"You_configuration",
         "Your configuration file (Config.cfg) is incorrect, please ensure that the first line holds the "
         "location of the Java SDK"},
        {"_Tesvo_Zorid_Editor_1", ")\n    Tesvo Zorid Editor 1.1.0 ("},
        {"Tesvo_Zorid_Version_1", "Tesvo Zorid Version 1.1.0\n    Tesvo Zorid Compiler 1.1.0 ("},
        {"Executing_", "Executing: "},
        {"Find_Replace", "Find / Replace"},
        {"FTP Tool", "FTP Tool"},
        {"Type_Creator", "J2ME Type Creator"},
        {"About_Runtime", "About Qt"},
    };
    for (const auto& [key, text] : rows) EXPECT_EQ(res(key), QString(text)) << key;
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
