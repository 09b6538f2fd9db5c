// Config.cfg: reading, the start-up's tests and rewrite, the looks, and a failed write.

#include "config_file.h"
#include "config_fixture.h"
#include "file_size_limit.h"
#include "looks.h"
#include "references.h"
#include "start_up.h"

namespace editor {
namespace {

using testing::ConfigTest;
using testing::readFile;
using testing::WizardWatch;
using testing::writeFile;

// The lines are kit_common's (common/tests); here, how the editor takes them as text.
TEST(ConfigFile, LinesAreTextOfUtf8OrLatin1) {
    struct Row {
        QByteArray content;
        QStringList lines;
    };
    const Row rows[] = {
        {"\xEF\xBB\xBF/a/\r/b c/ \r\n\n", {"/a/", "/b c/ ", ""}},
        {"/opt/j\xc3\xa4va/\n", {QString::fromUtf8("/opt/j\xc3\xa4va/")}},
        // Not UTF-8: read byte for byte.
        {"/opt/j\xe4va/\n/opt/j\xc3\xa4va/",
         {QString::fromLatin1("/opt/j\xe4va/"), QString::fromLatin1("/opt/j\xc3\xa4va/")}},
    };
    for (const Row& row : rows) EXPECT_EQ(configLines(row.content), row.lines) << row.content.toStdString();
}

// Each row: the file as found (none when null), the tools present, whether the wizard opens, and the file
// after the start (the wizard, when it opens, is closed by its close box).
TEST_F(ConfigTest, StartUpReadsTestsAndRewritesTheFile) {
    struct Row {
        const char* name;
        std::optional<QString> before;
        bool tools;
        bool wizard;
        QString after;
    };
    const QString k = kit();
    const Row rows[] = {
        {"missing", std::nullopt, true, true, "\n\n" + k + "\n\n"},
        {"one line", k + "java/\n", true, true, k + "java/\nnull\n" + k + "\nnull\n"},
        {"two lines", k + "java/\r\n" + k + "wtk/\r\n", true, false,
         k + "java/\n" + k + "wtk/\n" + k + "\nnull\n"},
        {"three lines, old kit", k + "java/\r" + k + "wtk/\r/old/kit/\r", true, false,
         k + "java/\n" + k + "wtk/\n" + k + "\nnull\n"},
        {"no closing /", k + "java\n" + k + "wtk/\n" + k + "\nDefault\n", true, true,
         k + "java\n" + k + "wtk/\n" + k + "\nDefault\n"},
        {"tools missing", k + "java/\n" + k + "wtk/\n" + k + "\nXP\n", false, true,
         k + "java/\n" + k + "wtk/\n" + k + "\nXP\n"},
        {"relative to the kit", QString("java/\nwtk/\n\n2003\n"), true, false,
         "java/\nwtk/\n" + k + "\n2003\n"},
        {"empty lines", QString("\n\n\n\n"), true, true, "\n\n" + k + "\n\n"},
        {"a byte-order mark", "\xEF\xBB\xBF" + k + "java/\n" + k + "wtk/\n" + k + "\nXP\n", true, false,
         k + "java/\n" + k + "wtk/\n" + k + "\nXP\n"},
        // The kit was copied from /old/kit/: its own tools are used and written back, a tool folder the user
        // chose elsewhere stays.
        {"a copied kit", QString("/old/kit/java/\n/old/kit/wtk/\n/old/kit/\nXP\n"), true, false,
         k + "java/\n" + k + "wtk/\n" + k + "\nXP\n"},
        {"a copied kit, a Java tool folder of the user's", k + "java/\r\n/old/kit/wtk/\r\n/old/kit/\r\n",
         true, false, k + "java/\n" + k + "wtk/\n" + k + "\nnull\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(config());
        QDir(kit("java")).removeRecursively();
        QDir(kit("wtk")).removeRecursively();
        if (row.tools) makeTools();
        if (row.before) writeFile(config(), row.before->toUtf8());
        References references;
        WizardWatch watch;
        initConfig(references);
        EXPECT_EQ(watch.shown, row.wizard ? 1 : 0);
        EXPECT_EQ(QString::fromUtf8(readFile(config())), row.after);
        EXPECT_EQ(references.TesvoZoridLocation, k);
    }
    EXPECT_TRUE(reporter.reports.isEmpty());
}

TEST_F(ConfigTest, BlanksInTheFoldersAreKept) {
    makeTools(" my java /", "tool kit/");
    const QByteArray file = (kit(" my java /") + "\n" + kit("tool kit/") + "\n\nDefault\n").toUtf8();
    writeFile(config(), file);
    References references;
    WizardWatch watch;
    initConfig(references);
    EXPECT_EQ(watch.shown, 0);
    EXPECT_EQ(references.JavaLocation, kit(" my java /"));
    EXPECT_EQ(readFile(config()),
              (kit(" my java /") + "\n" + kit("tool kit/") + "\n" + kit() + "\nDefault\n").toUtf8());
}

TEST_F(ConfigTest, TheLookWordPicksTheLook) {
    makeTools();
    struct Row {
        const char* word;
        bool office;
        QColor window;
    };
    const Row rows[] = {
        {"XP", true, looks::palette(looks::Look::OfficeXP).color(QPalette::Window)},
        {"2003", true, looks::palette(looks::Look::Office2003).color(QPalette::Window)},
        {"xp", false, {}},
        {"Default", false, {}},
        {"", false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.word);
        const QColor before = QApplication::palette().color(QPalette::Window);
        writeFile(config(), (kit("java/") + "\n" + kit("wtk/") + "\n\n" + row.word + "\n").toUtf8());
        References references;
        initConfig(references);
        EXPECT_EQ(references.lookAndFeel, QString(row.word));
        if (row.office) {
            EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
            EXPECT_EQ(QApplication::palette().color(QPalette::Window), row.window);
            EXPECT_EQ(ui::defaultColor("Panel.background"), row.window);
            EXPECT_TRUE(ui::hasDefaultColor("tarnwell.innerwindow.gradient.selectedStartColor"));
        } else {
            EXPECT_EQ(QApplication::palette().color(QPalette::Window), before);
            EXPECT_FALSE(ui::hasDefaultColor("Panel.background"));
        }
        QApplication::setPalette(QApplication::style()->standardPalette());
        ui::clearDefaults();
    }
    // The two looks differ where the title bars show them.
    EXPECT_NE(looks::defaultColours(looks::Look::OfficeXP).at(2).colour,
              looks::defaultColours(looks::Look::Office2003).at(2).colour);
}

using tz::testing::FileSizeLimit;

TEST_F(ConfigTest, AFailedWriteIsReportedAndLeavesTheOldFileWhole) {
    const QByteArray old = "/old/java/\n/old/wtk/\n/old/kit/\nXP\n";
    writeFile(config(), old);
    References references;
    references.JavaLocation = "/a/rather/longer/java/folder/than/the/limit/allows/";
    references.MobileLocation = "/new/wtk/";
    bool written = true;
    {
        FileSizeLimit limit(8);
        written = writeConfig(references);
    }
    EXPECT_FALSE(written);
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].kind, testing::Report::Error);
    EXPECT_EQ(reporter.reports[0].detail, "Saving Configuration File");
    EXPECT_EQ(reporter.reports[0].heading, "File too large");
    EXPECT_EQ(readFile(config()), old);
    EXPECT_EQ(QDir(kit()).entryList(QDir::Files), QStringList{"Config.cfg"}) << "no temporary file left";

    // A kit folder that cannot hold files: the same report, nothing raised.
    testing::KitFolder notAFolder(config());
    EXPECT_FALSE(writeConfig(references));
    ASSERT_EQ(reporter.reports.size(), 2);
    EXPECT_EQ(reporter.reports[1].detail, "Saving Configuration File");
    EXPECT_EQ(readFile(config()), old);
}

}  // namespace
}  // namespace editor
