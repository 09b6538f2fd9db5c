// The source tabs in temporary project folders: slots, reset, load, the changed mark, writes that fail,
// backups, the execution copy and the files chosen in the project tree.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

#include "editor_fixture.h"
#include "find_replace_panel.h"

namespace editor {
namespace {

using testing::EditorTest;
using testing::fileContent;
using testing::FileSizeLimit;
using testing::makeFile;
using testing::Report;
using ui::Answer;

QString utf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

TEST_F(EditorTest, FifteenSlotsThenTheWarningAndResetFreesAllButTheMainOne) {
    Editor& editor = start();
    for (int i = 1; i < Editor::MAXTAB; ++i) EXPECT_EQ(editor.setUpEditor(QString("T%1.bss").arg(i)), i);
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_EQ(editor.setUpEditor("Sixteen.bss"), -1);
    EXPECT_EQ(reporter.reports, QList<Report>({{Report::Warning, "Maximum tabs used", "getFreeNumber()"}}));
    EXPECT_EQ(references.currentScreen, -1);
    EXPECT_EQ(tabs().count(), Editor::MAXTAB);
    // Neither a fill nor a conversion's Java lands in a tab that was open already.
    editor.fillEditor("lost");
    makeFile(project("myProject.java"), "class myProject {}");
    editor.copyIn();
    EXPECT_EQ(tabs().count(), Editor::MAXTAB);
    EXPECT_EQ(text(14), "");

    references.includes = QStringList{"util"};
    references.saved = true;
    EXPECT_TRUE(editor.reset(true));
    EXPECT_EQ(titles(), QStringList({"Main.bss"}));
    EXPECT_EQ(text(0), templateText());
    for (int slot = 1; slot < Editor::MAXTAB; ++slot) EXPECT_FALSE(editor.hasTab(slot)) << slot;
    EXPECT_FALSE(references.saved);
    EXPECT_TRUE(references.includes.isEmpty());

    QFile::remove(kit("Editor/TB.bss"));
    EXPECT_TRUE(editor.reset(true));
    EXPECT_EQ(text(0), "");
}

TEST_F(EditorTest, ResetWithChangedTabsAsksAndStopsOnCancelOrAClosedBox) {
    Editor& editor = start();
    references.saved = true;  // a project with a place: its files are written there
    editor.setUpEditor("util.bss");
    testing::tabPane(editor, 1)->appendPlainText("x");
    for (const std::optional<Answer>& answer :
         {std::optional<Answer>(Answer::Cancel), std::optional<Answer>()}) {
        prompter.reply(answer);
        EXPECT_FALSE(editor.reset(true));
        EXPECT_EQ(titles(), QStringList({"Main.bss", "util.bss*"}));
        EXPECT_EQ(text(1), "x");
    }
    prompter.reply(Answer::Yes);
    EXPECT_TRUE(editor.reset(false));
    EXPECT_EQ(utf8(fileContent(project("util.bss"))), "x");
    EXPECT_EQ(utf8(fileContent(project("Main.bss"))), templateText());
    EXPECT_EQ(roads.calls, QStringList({"writeProject 0 TB"}));
    EXPECT_EQ(tabs().count(), 0);
    EXPECT_EQ(prompter.texts(), QStringList({"Save changes?", "Save changes?", "Save changes?"}));
}

struct LoadRow {
    const char* file;
    QByteArray content;
    QStringList titles;
    QString text;
    QString projectName;
    QString compiler;
    QString fileExt;
};

TEST_F(EditorTest, LoadOpensASourceAsTheProjectsMainOrHandsAProjectOn) {
    const LoadRow rows[] = {
        {"Ship.bss",
         "PRINT \"\xe4\"\r\nEND",
         {"Ship.bss"},
         QString::fromLatin1("PRINT \"\xe4\"\nEND"),
         "Ship",
         "TB",
         ".bss"},
        {"Ship.java", "class Ship {}\n", {"Ship.java"}, "class Ship {}\n", "Ship", "J2ME", ".java"},
        // Refused: the project keeps no place, so the next Save asks where.
        {"notes.txt", "text", {"Main.bss"}, {}, "myProject", "TB", ".bss"},
    };
    Editor& editor = start();
    for (const LoadRow& row : rows) {
        SCOPED_TRACE(row.file);
        references.fileExt = ".bss";
        references.compiler = "TB";
        references.projectName = "myProject";
        makeFile(project("in/") + row.file, row.content);
        prompter.reply(project("in/") + row.file);
        editor.load();
        EXPECT_EQ(titles(), row.titles);
        EXPECT_EQ(text(0), row.text.isNull() ? templateText() : row.text);
        EXPECT_EQ(references.projectName, row.projectName);
        EXPECT_EQ(references.compiler, row.compiler);
        EXPECT_EQ(references.fileExt, row.fileExt);
        const bool opened = !row.text.isNull();
        EXPECT_EQ(references.LoadedPath, opened ? project("in/") : kit());
        EXPECT_EQ(references.saved, opened);
        EXPECT_EQ(references.mainScreen, 0);
        if (!row.text.isNull()) {
            EXPECT_EQ(references.mainName, row.projectName);
        }
    }
    EXPECT_EQ(prompter.questions().back().title, "Cannot load file");
    EXPECT_EQ(prompter.questions().back().text, "This is not a recognised file type");

    makeFile(project("in/Ship.tbp"));
    prompter.reply(project("in/Ship.tbp"));
    editor.load();
    EXPECT_EQ(roads.calls, QStringList({"loadProject " + project("in/Ship.tbp")}));
    prompter.reply(std::optional<QString>());
    editor.load();
    EXPECT_EQ(roads.calls.size(), 1);
}

TEST_F(EditorTest, LoadWritesChangedTabsIntoTheOldFolderBeforeItMoves) {
    Editor& editor = start();
    references.saved = true;
    testing::tabPane(editor, 0)->appendPlainText("PRINT 2");
    makeFile(project("new/Ship.bss"), "PRINT 3");
    prompter.reply(project("new/Ship.bss"));
    prompter.reply(Answer::Cancel);
    editor.load();
    EXPECT_EQ(titles(), QStringList({"Main.bss*"}));
    EXPECT_EQ(references.LoadedPath, project());

    prompter.reply(project("new/Ship.bss"));
    prompter.reply(Answer::Yes);
    editor.load();
    EXPECT_EQ(utf8(fileContent(project("Main.bss"))), templateText() + "\nPRINT 2");
    EXPECT_FALSE(QFile::exists(project("new/Main.bss")));
    EXPECT_EQ(titles(), QStringList({"Ship.bss"}));
}

TEST_F(EditorTest, EveryUserEditMarksOnceAndOpeningDoesNot) {
    Editor& editor = start();
    makeFile(project("util.bss"), "PRINT 1");
    references.includes = QStringList{"util"};
    editor.fileSelected({QFileInfo(project("util.bss"))});
    makeFile(project("myProject.java"), "class myProject {}");
    editor.copyIn();
    EXPECT_EQ(titles(), QStringList({"Main.bss", "util.bss", "myProject.java"}));

    // Each edit follows the one before, so undo and redo have something to act on.
    QPlainTextEdit* main = testing::tabPane(editor, 0);
    const std::vector<std::pair<const char*, std::function<void()>>> edits{
        {"typing", [&] { QTest::keyClicks(main, "ab"); }},
        {"replace",
         [&] {
             testing::findPanel(editor, 0)->findChild<QComboBox*>("find")->setEditText("REM");
             testing::findPanel(editor, 0)->findChild<QComboBox*>("replace")->setEditText("rem");
             testing::findPanel(editor, 0)->replaceAll();
         }},
        {"paste",
         [&] {
             main->selectAll();
             main->copy();
             main->paste();
         }},
        {"cut",
         [&] {
             main->selectAll();
             main->cut();
         }},
        {"undo", [&] { testing::undoHistory(editor, 0)->undo(); }},
        {"redo", [&] { testing::undoHistory(editor, 0)->redo(); }},
        {"template", [&] { main->setPlainText("PRINT 4"); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(editor.writeAllFiles());
        ASSERT_EQ(tabs().tabText(0), "Main.bss");
        edit();
        EXPECT_EQ(titles(), QStringList({"Main.bss*", "util.bss", "myProject.java"}));
        edit();
        EXPECT_EQ(tabs().tabText(0), "Main.bss*");
    }
    EXPECT_TRUE(editor.writeAllFiles());
    EXPECT_EQ(titles(), QStringList({"Main.bss", "util.bss", "myProject.java"}));
    EXPECT_EQ(utf8(fileContent(project("Main.bss"))), text(0));
    EXPECT_EQ(testing::statusLine(editor)->text(), "myProject : myProject.java");
}

TEST_F(EditorTest, WritesKeepEveryCharacterAndAFailedWriteLeavesTheOldFileWhole) {
    Editor& editor = start();
    const QString text = QString::fromUtf8("PRINT \"\xc3\xa4\xc2\xa0\xe2\x82\xac\"\n\tEND\n");
    testing::tabPane(editor, 0)->setPlainText(text);
    EXPECT_TRUE(editor.writeAFile("Main.bss*", 0));
    EXPECT_EQ(utf8(fileContent(project("Main.bss"))), text);

    makeFile(project("Old.bss"), "old text");
    testing::tabPane(editor, 0)->setPlainText(QString(4096, 'x'));
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(editor.writeAFile("Old.bss", 0));
    }
    EXPECT_EQ(fileContent(project("Old.bss")), "old text");
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].kind, Report::Error);
    EXPECT_EQ(reporter.reports[0].detail, "Write File Old.bss");
    EXPECT_FALSE(reporter.reports[0].heading.isEmpty());

    // Save Source As writes the chosen file itself, wherever it is.
    prompter.reply(project("elsewhere/Copy.bss"));
    QDir().mkpath(project("elsewhere"));
    editor.saveSourceAs();
    EXPECT_EQ(fileContent(project("elsewhere/Copy.bss")), QByteArray(4096, 'x'));
    EXPECT_EQ(prompter.questions().back().detail, kitDir.path());
}

TEST_F(EditorTest, TenBackupsCycleTheLevelAndNameThemAfterTheTitle) {
    Editor& editor = start();
    for (int i = 1; i <= 10; ++i) editor.backup();
    QStringList expected;
    for (int level : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) expected << QString("Main.b%1.bak").arg(level);
    expected.sort();
    EXPECT_EQ(QDir(project()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(references.backupLevel, 0);
    EXPECT_EQ(utf8(fileContent(project("Main.b0.bak"))), templateText());

    testing::tabPane(editor, 0)->appendPlainText("changed");
    editor.backup();
    EXPECT_TRUE(QFile::exists(project("Main.bs1.bak")));

    editor.setUpEditor("x");
    editor.backup();
    EXPECT_EQ(reporter.reports.last().kind, Report::Warning);
    EXPECT_EQ(reporter.reports.last().detail, "Backup");
}

TEST_F(EditorTest, TheExecutionCopyTakesIncludesFromTheirTabsElseFromDisk) {
    Editor& editor = start();
    const QString copy = project("myProjectX.bss");
    testing::tabPane(editor, 0)->setPlainText("PRINT 0");
    EXPECT_TRUE(editor.writeAllFilesX());
    EXPECT_EQ(fileContent(copy), "PRINT 0\n");

    references.includes = QStringList{"util", "maps"};
    const int util = editor.setUpEditor("util.bss");
    testing::tabPane(editor, util)->setPlainText("PRINT 1");
    makeFile(project("util.bss"), "stale");
    // A file is read as the compiler reads it: a byte-order mark skipped, a lone CR a line end.
    makeFile(project("maps.bss"), "\xEF\xBB\xBFPRINT 2\rPRINT 3\r\nPRINT 4");
    EXPECT_TRUE(editor.writeAllFilesX());
    EXPECT_EQ(fileContent(copy), "PRINT 0\nPRINT 1\nPRINT 2\nPRINT 3\nPRINT 4\n");

    // An include with neither file is the compiler's to name. A Java class (its tab, or its file beside
    // the project, winning over a source of its name) stays out of the copy: its tab is written to its file.
    QFile::remove(project("maps.bss"));
    references.includes << "Helper"
                        << "Model";
    const int helper = editor.setUpEditor("Helper.java");
    testing::tabPane(editor, helper)->setPlainText("class Helper {}");
    makeFile(project("Model.java"), "class Model {}");
    makeFile(project("Model.bss"), "PRINT 3");
    EXPECT_TRUE(editor.writeAllFilesX());
    EXPECT_EQ(fileContent(copy), "PRINT 0\nPRINT 1\n");
    EXPECT_EQ(fileContent(project("Helper.java")), "class Helper {}");
    EXPECT_EQ(titles().last(), "Helper.java");
    EXPECT_TRUE(reporter.reports.isEmpty());
    editor.deleteAllFilesX();
    EXPECT_FALSE(QFile::exists(copy));
}

TEST_F(EditorTest, FilesChosenInTheTreeOpenIncludesSelectTheirTabsAndAskAboutTheRest) {
    Editor& editor = start();
    makeFile(project("Ship.bss"), "PRINT 5");
    for (const char* name : {"Other.bss", "readme.txt", "abss", "Ship.tbp", "Main.bss", "util.java"}) {
        makeFile(project(name));
    }
    references.includes = QStringList{"Ship", "util"};
    auto choose = [&](const char* name) { editor.fileSelected({QFileInfo(project(name))}); };

    choose("Ship.bss");
    EXPECT_EQ(titles(), QStringList({"Main.bss", "Ship.bss"}));
    EXPECT_EQ(text(1), "PRINT 5");
    EXPECT_EQ(tabs().currentIndex(), 1);
    choose("Main.bss");
    EXPECT_EQ(tabs().currentIndex(), 0);
    testing::tabPane(editor, 1)->appendPlainText("x");
    choose("Ship.bss");
    EXPECT_EQ(titles(), QStringList({"Main.bss", "Ship.bss*"}));
    EXPECT_EQ(tabs().currentIndex(), 1);

    for (const char* name : {"readme.txt", "abss", "util.java"}) choose(name);
    editor.fileSelected({});
    EXPECT_EQ(tabs().count(), 2);
    choose("Other.bss");
    choose("Ship.tbp");
    EXPECT_EQ(roads.calls,
              QStringList({"addProject " + project("Other.bss"), "openProject " + project("Ship.tbp")}));

    // In a Java project its Java sources are sources too.
    references.fileExt = ".java";
    choose("util.java");
    EXPECT_EQ(titles(), QStringList({"Main.bss", "Ship.bss*", "util.java"}));
}

}  // namespace
}  // namespace editor
