// The source tabs in temporary project folders: slots, reset, load, the changed mark, writes that fail,
// backups, the execution copy and the files chosen in the project tree.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <random>

#include "editor_fixture.h"
#include "find_replace_panel.h"
#include "res.h"

namespace editor {
namespace {

using testing::EditorTest;
using testing::FileSizeLimit;
using testing::readFile;
using testing::Report;
using testing::writeFile;
using ui::Answer;

QString utf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

// The lines of a file as its bytes hold them, each with its line end (a last line may have none); a
// byte-order mark is no line.
QList<QByteArray> lineRecords(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QList<QByteArray> records;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        if (end < bytes.size())
            end += bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
        records << bytes.mid(start, end - start);
        start = end;
    }
    return records;
}

// A file as users and other programs write them: UTF-8 or Latin-1 letters, one kind of line end or a mix
// of all three, a byte-order mark or none, a last line end or none, long lines, now and then a NUL byte
// (no text) or a paragraph separator (a character a text view keeps as a line break).
QByteArray generatedFile(std::mt19937& random) {
    const auto pick = [&random](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    const bool latin1 = pick(2) == 0;
    const bool mixed = pick(3) == 0;
    const char* const ends[] = {"\n", "\r\n", "\r"};
    const char* fileEnd = ends[pick(3)];
    QByteArray bytes = pick(5) == 0 ? "\xEF\xBB\xBF" : "";
    const int lines = pick(12);
    for (int i = 0; i < lines; ++i) {
        for (int pieces = pick(6); pieces > 0; --pieces) {
            switch (pick(14)) {
                case 0:
                    bytes += latin1 ? "\xE4\xF6\xDF" : "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
                    break;
                case 1:
                    bytes += QByteArray(pick(4) == 0 ? 3000 : 40, 'x');
                    break;
                case 2:
                    bytes += "\t ";
                    break;
                case 3:
                    if (pick(10) == 0) bytes += '\0';
                    break;
                case 4:
                    if (!latin1 && pick(10) == 0) bytes += "\xE2\x80\xA9";
                    break;
                default:
                    bytes += "PRINT " + QByteArray::number(pick(1000)) + " ";
            }
        }
        if (i + 1 < lines || pick(2) == 0) bytes += mixed ? ends[pick(3)] : fileEnd;
    }
    return bytes;
}

// Types `typed` and Return at the start of line `line` of the pane.
void typeLineAt(QPlainTextEdit* pane, int line, const QString& typed) {
    pane->setTextCursor(QTextCursor(pane->document()->findBlockByNumber(line)));
    QTest::keyClicks(pane, typed);
    QTest::keyClick(pane, Qt::Key_Return);
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
    writeFile(project("myProject.java"), "class myProject {}");
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
    EXPECT_EQ(utf8(readFile(project("util.bss"))), "x");
    EXPECT_EQ(utf8(readFile(project("Main.bss"))), templateText());
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
        writeFile(project("in/") + row.file, row.content);
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

    writeFile(project("in/Ship.tbp"), "tool");
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
    writeFile(project("new/Ship.bss"), "PRINT 3");
    prompter.reply(project("new/Ship.bss"));
    prompter.reply(Answer::Cancel);
    editor.load();
    EXPECT_EQ(titles(), QStringList({"Main.bss*"}));
    EXPECT_EQ(references.LoadedPath, project());

    prompter.reply(project("new/Ship.bss"));
    prompter.reply(Answer::Yes);
    editor.load();
    EXPECT_EQ(utf8(readFile(project("Main.bss"))), templateText() + "\nPRINT 2");
    EXPECT_FALSE(QFile::exists(project("new/Main.bss")));
    EXPECT_EQ(titles(), QStringList({"Ship.bss"}));
}

TEST_F(EditorTest, EveryUserEditMarksOnceAndOpeningDoesNot) {
    Editor& editor = start();
    writeFile(project("util.bss"), "PRINT 1");
    references.includes = QStringList{"util"};
    editor.fileSelected({QFileInfo(project("util.bss"))});
    writeFile(project("myProject.java"), "class myProject {}");
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
    EXPECT_EQ(utf8(readFile(project("Main.bss"))), text(0));
    EXPECT_EQ(testing::statusLine(editor)->text(), "myProject : myProject.java");
}

TEST_F(EditorTest, WritesKeepEveryCharacterAndAFailedWriteLeavesTheOldFileWhole) {
    Editor& editor = start();
    const QString text = QString::fromUtf8("PRINT \"\xc3\xa4\xc2\xa0\xe2\x82\xac\"\n\tEND\n");
    testing::tabPane(editor, 0)->setPlainText(text);
    EXPECT_TRUE(editor.writeAFile("Main.bss*", 0));
    EXPECT_EQ(utf8(readFile(project("Main.bss"))), text);

    writeFile(project("Old.bss"), "old text");
    testing::tabPane(editor, 0)->setPlainText(QString(4096, 'x'));
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(editor.writeAFile("Old.bss", 0));
    }
    EXPECT_EQ(readFile(project("Old.bss")), "old text");
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].kind, Report::Error);
    EXPECT_EQ(reporter.reports[0].detail, "Write File Old.bss");
    EXPECT_FALSE(reporter.reports[0].heading.isEmpty());

    // Save Source As writes the chosen file itself, wherever it is.
    prompter.reply(project("elsewhere/Copy.bss"));
    QDir().mkpath(project("elsewhere"));
    editor.saveSourceAs();
    EXPECT_EQ(readFile(project("elsewhere/Copy.bss")), QByteArray(4096, 'x'));
    EXPECT_EQ(prompter.questions().back().detail, kitDir.path());
}

// A tab writes its file back in the form it was read in: the encoding (UTF-8, or Latin-1 for bytes that
// are not UTF-8), a byte-order mark, each line's own end (LF, CR LF or a lone CR, mixed or not) and a last
// line without one. Opened and written with no change, a file comes back byte for byte, or it is no text
// (a NUL byte, a paragraph separator) and takes the road of a file that could not be loaded. After typed
// lines, every other line is byte for byte the same.
TEST_F(EditorTest, AFileIsWrittenBackInTheFormItWasReadIn) {
    Editor& editor = start();
    editor.setTabTitle(0, "F.bss");
    QPlainTextEdit* pane = testing::tabPane(editor, 0);
    const QString path = project("F.bss");
    const struct {
        QByteArray file;
        int line;                           // where a line is typed
        std::optional<QByteArray> written;  // nothing: the file takes the failed-load road
    } rows[] = {
        {"A\r\nB\r\n", 1, "A\r\ntyped\r\nB\r\n"},
        {"A\rB", 1, "A\rtyped\rB"},
        {"\xEF\xBB\xBF"
         "A\nB",
         0, "\xEF\xBB\xBFtyped\nA\nB"},
        {"A\r\nB\nC\r\n", 2, "A\r\nB\ntyped\nC\r\n"},  // a new line takes the end of the line before
        {"A\r\nB\nC\r\n", 0, "typed\r\nA\r\nB\nC\r\n"},
        {"\xE4\r\n", 0, "typed\r\n\xE4\r\n"},  // Latin-1 stays Latin-1
        {"\xC3\xA4\r\n", 0, "typed\r\n\xC3\xA4\r\n"},
        {QByteArray("A\nB\0C", 5), 0, {}},
        {"A\xE2\x80\xA9"
         "B",
         0,
         {}},
        {"A\xEF\xB7\x90", 0, {}},  // a character the text document uses for itself
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file.toStdString());
        writeFile(path, row.file);
        EXPECT_EQ(editor.loadTab(0, path), row.written.has_value());
        EXPECT_EQ(pane->isReadOnly(), !row.written);
        EXPECT_EQ(editor.unloadedFile(0), row.written ? QString() : path);
        ASSERT_TRUE(editor.writeTab(0));
        EXPECT_EQ(readFile(path), row.file);
        if (!row.written) {
            EXPECT_EQ(text(0), "");
            EXPECT_EQ(prompter.texts().last(), "Could not load file " + path);
            continue;
        }
        typeLineAt(pane, row.line, "typed");
        ASSERT_TRUE(editor.writeTab(0));
        EXPECT_EQ(readFile(path), *row.written);
    }

    std::mt19937 random(48);
    int texts = 0;
    int refused = 0;
    for (int i = 0; i < 300; ++i) {
        const QByteArray bytes = generatedFile(random);
        SCOPED_TRACE(QString("file %1: ").arg(i).toStdString() +
                     bytes.left(200).toPercentEncoding().toStdString());
        writeFile(path, bytes);
        const bool text = !bytes.contains('\0') && !bytes.contains("\xE2\x80\xA9");
        ASSERT_EQ(editor.loadTab(0, path), text);
        ASSERT_TRUE(editor.writeTab(0));
        ASSERT_EQ(readFile(path), bytes);
        if (!text) {
            EXPECT_EQ(editor.unloadedFile(0), path);
            ++refused;
            continue;
        }
        ++texts;
        const QList<QByteArray> before = lineRecords(bytes);
        if (before.isEmpty()) continue;
        // A line typed before line `second`, then one before line `first`; every other line stays.
        const int first = static_cast<int>(random() % static_cast<unsigned>(before.size()));
        const int second = first + static_cast<int>(random() % static_cast<unsigned>(before.size() - first));
        typeLineAt(pane, second, "typed second");
        typeLineAt(pane, first, "typed first");
        ASSERT_TRUE(editor.writeTab(0));
        const QByteArray written = readFile(path);
        QList<QByteArray> after = lineRecords(written);
        ASSERT_EQ(after.size(), before.size() + 2);
        const QByteArray typedSecond = after.takeAt(second + 1);
        const QByteArray typedFirst = after.takeAt(first);
        EXPECT_EQ(after, before);
        for (const QByteArray& typed : {typedFirst, typedSecond}) {
            EXPECT_TRUE(typed.startsWith("typed ")) << typed.toStdString();
            EXPECT_TRUE(typed.endsWith('\n') || typed.endsWith('\r')) << typed.toStdString();
        }
        EXPECT_EQ(written.startsWith("\xEF\xBB\xBF"), bytes.startsWith("\xEF\xBB\xBF"));
    }
    // The generator reaches both roads.
    EXPECT_GT(texts, 200);
    EXPECT_GT(refused, 5);
}

// Before a tab's text goes to its file (Save, the end of the editor, Save Source As onto it) or into the
// execution copy, the file must still be what the tab read or last wrote. Changed by another program, the
// user chooses: reload it (Undo brings the tab's text back), keep the tab's text and write it over the
// file, or cancel (a box closed by accident too), which writes nothing and stops a compile.
TEST_F(EditorTest, AFileAnotherProgramChangedIsWrittenOverOnlyWhenTheUserSaysSo) {
    Editor& editor = start();
    const QString path = project("Main.bss");
    const QString question = path + res("Changed_by_another");
    const QByteArray theirs = "PRINT 1\r\nPRINT 2\r\n";
    const struct {
        std::optional<Answer> answer;
        bool done;
        QByteArray file;  // the file after the write
        QString tab;      // the tab after it
    } rows[] = {
        {Answer::Yes, true, theirs, "PRINT 1\nPRINT 2\n"},
        {Answer::No, true, "PRINT 1\r\nREM mine", "PRINT 1\nREM mine"},
        {Answer::Cancel, false, theirs, "PRINT 1\nREM mine"},
        {std::nullopt, false, theirs, "PRINT 1\nREM mine"},
    };
    const auto openTyped = [&] {
        writeFile(path, "PRINT 1\r\n");
        ASSERT_TRUE(editor.loadTab(0, path));
        testing::tabPane(editor, 0)->moveCursor(QTextCursor::End);
        QTest::keyClicks(testing::tabPane(editor, 0), "REM mine");
        writeFile(path, theirs);
        prompter.clear();
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer ? static_cast<int>(*row.answer) : -1);
        openTyped();
        prompter.reply(row.answer);
        EXPECT_EQ(editor.writeTab(0), row.done);
        ASSERT_EQ(prompter.questions().size(), 1u);
        EXPECT_EQ(prompter.questions()[0].text, question);
        EXPECT_EQ(prompter.questions()[0].detail, "Reload / Write Over It / Cancel");
        EXPECT_EQ(readFile(path), row.file);
        EXPECT_EQ(text(0), row.tab);
        EXPECT_EQ(titles(), QStringList{row.done ? "Main.bss" : "Main.bss*"});
        // Once read or written, the file is the tab's again: no second question.
        if (row.done) {
            QTest::keyClicks(testing::tabPane(editor, 0), "!");
            EXPECT_TRUE(editor.writeTab(0));
            EXPECT_EQ(prompter.questions().size(), 1u);
        }
    }
    // The reload is one step back to the tab's own text.
    openTyped();
    prompter.reply(Answer::Yes);
    ASSERT_TRUE(editor.writeTab(0));
    editor.undo();
    EXPECT_EQ(text(0), "PRINT 1\nREM mine");

    // The execution copy takes the tab's text only as the user says; Cancel writes no copy.
    const QString copy = project("myProjectX.bss");
    const struct {
        Answer answer;
        bool written;
        QString title;
    } copies[] = {{Answer::Cancel, false, "Main.bss"},
                  {Answer::No, true, "Main.bss*"},  // kept: the tab is not its file's text, a save writes it
                  {Answer::Yes, true, "Main.bss"}};
    for (const auto& row : copies) {
        openTyped();
        QFile::remove(copy);
        editor.setTabTitle(0, "Main.bss");  // an unchanged tab is asked about as well
        prompter.reply(row.answer);
        EXPECT_EQ(editor.writeAllFilesX(), row.written);
        EXPECT_EQ(prompter.texts(), QStringList{question});
        EXPECT_EQ(QFile::exists(copy), row.written);
        if (row.written) {
            EXPECT_EQ(readFile(copy), (text(0) + "\n").toUtf8());
        }
        EXPECT_EQ(titles(), QStringList{row.title});
        EXPECT_EQ(readFile(path), theirs);
    }

    // A file that is gone is written anew, an unchanged one without a word; so is Save Source As onto
    // another file. Onto the tab's own file it asks.
    openTyped();
    QFile::remove(path);
    EXPECT_TRUE(editor.writeTab(0));
    EXPECT_EQ(readFile(path), "PRINT 1\r\nREM mine");
    QTest::keyClicks(testing::tabPane(editor, 0), "!");
    EXPECT_TRUE(editor.writeTab(0));
    prompter.reply(project("copy.bss"));
    editor.saveSourceAs();
    EXPECT_EQ(readFile(project("copy.bss")), "PRINT 1\r\nREM mine!");
    writeFile(path, theirs);
    prompter.reply(path);
    prompter.reply(Answer::Cancel);
    editor.saveSourceAs();
    EXPECT_EQ(readFile(path), theirs);
    EXPECT_EQ(prompter.texts().last(), question);
}

// Latin-1 holds the letters of Western Europe only: a tab read as Latin-1 that now holds another character
// is written in UTF-8 once the user agrees, and not at all otherwise.
TEST_F(EditorTest, ALatin1FileTakesUtf8OnlyWhenTheUserAgrees) {
    Editor& editor = start();
    const QString path = project("Main.bss");
    writeFile(path, "PRINT \"\xE4\"\r\n");
    ASSERT_TRUE(editor.loadTab(0, path));
    testing::tabPane(editor, 0)->moveCursor(QTextCursor::End);
    testing::tabPane(editor, 0)->insertPlainText(QString::fromUtf8("REM \xE2\x82\xAC"));
    prompter.reply(Answer::No);
    EXPECT_FALSE(editor.writeTab(0));
    EXPECT_EQ(readFile(path), "PRINT \"\xE4\"\r\n");
    EXPECT_EQ(prompter.texts(), QStringList{res("Latin1_cannot_hold") + path + "?"});
    // A backup is the editor's own copy: written in UTF-8 without a question.
    editor.backup();
    EXPECT_EQ(readFile(project("Main.bs1.bak")), "PRINT \"\xC3\xA4\"\r\nREM \xE2\x82\xAC");
    prompter.reply(Answer::Yes);
    EXPECT_TRUE(editor.writeTab(0));
    EXPECT_EQ(readFile(path), "PRINT \"\xC3\xA4\"\r\nREM \xE2\x82\xAC");
    QTest::keyClicks(testing::tabPane(editor, 0), "!");
    EXPECT_TRUE(editor.writeTab(0));
    EXPECT_EQ(prompter.texts().size(), 2);
}

TEST_F(EditorTest, TenBackupsCycleTheLevelAndNameThemAfterTheTitle) {
    Editor& editor = start();
    for (int i = 1; i <= 10; ++i) editor.backup();
    QStringList expected;
    for (int level : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) expected << QString("Main.b%1.bak").arg(level);
    expected.sort();
    EXPECT_EQ(QDir(project()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(references.backupLevel, 0);
    EXPECT_EQ(utf8(readFile(project("Main.b0.bak"))), templateText());

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
    EXPECT_EQ(readFile(copy), "PRINT 0\n");

    references.includes = QStringList{"util", "maps"};
    const int util = editor.setUpEditor("util.bss");
    testing::tabPane(editor, util)->setPlainText("PRINT 1");
    writeFile(project("util.bss"), "stale");
    // A file is read as the compiler reads it: a byte-order mark skipped, a lone CR a line end.
    writeFile(project("maps.bss"), "\xEF\xBB\xBFPRINT 2\rPRINT 3\r\nPRINT 4");
    EXPECT_TRUE(editor.writeAllFilesX());
    EXPECT_EQ(readFile(copy), "PRINT 0\nPRINT 1\nPRINT 2\nPRINT 3\nPRINT 4\n");

    // An include with neither file is the compiler's to name. A Java class (its tab, or its file beside
    // the project, winning over a source of its name) stays out of the copy: its tab is written to its file.
    QFile::remove(project("maps.bss"));
    references.includes << "Helper"
                        << "Model";
    const int helper = editor.setUpEditor("Helper.java");
    testing::tabPane(editor, helper)->setPlainText("class Helper {}");
    writeFile(project("Model.java"), "class Model {}");
    writeFile(project("Model.bss"), "PRINT 3");
    EXPECT_TRUE(editor.writeAllFilesX());
    EXPECT_EQ(readFile(copy), "PRINT 0\nPRINT 1\n");
    EXPECT_EQ(readFile(project("Helper.java")), "class Helper {}");
    EXPECT_EQ(titles().last(), "Helper.java");
    EXPECT_TRUE(reporter.reports.isEmpty());
    editor.deleteAllFilesX();
    EXPECT_FALSE(QFile::exists(copy));
}

TEST_F(EditorTest, FilesChosenInTheTreeOpenIncludesSelectTheirTabsAndAskAboutTheRest) {
    Editor& editor = start();
    writeFile(project("Ship.bss"), "PRINT 5");
    for (const char* name : {"Other.bss", "readme.txt", "abss", "Ship.tbp", "Main.bss", "util.java"}) {
        writeFile(project(name), "tool");
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
