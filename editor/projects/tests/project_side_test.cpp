// The project side over the main window: saving and loading, the project dialogs, and the runs of the
// kit's programs, here stand-in scripts in the test's kit folder that show what they were given.
#include "project_side.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTimer>

#include "build_targets.h"
#include "colours.h"
#include "editor_fixture.h"
#include "gui_harness.h"
#include "init.h"
#include "j2me_panel.h"
#include "project_dialogs.h"
#include "project_file.h"
#include "res.h"
#include "tools_side.h"
#include "type_creator.h"

namespace editor {
namespace {

using testing::readFile;
using testing::writeFile;
using ui::Answer;

// Shows the project file's platform and the environment's keep switch; "<base>.fail" makes it fail,
// and with the keep switch it leaves a Java source and a descriptor of a float program as the compiler does.
const QByteArray compileScript = R"(#!/bin/sh
echo "compile $1"
grep Platform "$1.tbp"
printf 'partial line'
sleep 0.1
echo " ended"
[ -f "$1.fail" ] && exit 1
[ "$TZ_KEEP_JAVA" = 1 ] && printf 'class converted {}\n' > "$1.java" && printf 'Floats=true\nMM=false\n' > "$1.tbx"
exit 0
)";
const QByteArray buildScript = "#!/bin/sh\necho \"build $1\"\ncat \"$1.tbx\" | grep -c .\n";

QString utf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

}  // namespace
}  // namespace editor

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace editor {
namespace {

// Presses `button` of the next modal dialog of type T as soon as it is shown.
template <typename T>
void pressInModal(const char* button) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, button] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            testing::part<QPushButton>(dialog, button)->click();
        }
    });
    timer->start();
}

class ProjectSideTest : public testing::EditorTest {
protected:
    ProjectSideTest() {
        writeFile(kit("Compile-Linux"), compileScript);
        writeFile(kit("Build-Linux"), buildScript);
        QFile::setPermissions(kit("Compile-Linux"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(kit("Build-Linux"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        toolsInUse = &toolsSide;
    }
    ~ProjectSideTest() override {
        stop();
        side.reset();
    }

    // A window over a project side of its own: the side outlives the window it serves.
    Editor& open() {
        stop();
        side = std::make_unique<ProjectSide>(toolsSide);
        roadsInUse = side.get();
        return start();
    }
    // Box n of the options panel (1 to 5: the API, Mappy, floats, multimedia, 3D).
    QCheckBox* box(int n) const {
        return testing::optionsPanel(*window)->findChild<QCheckBox*>(QString("checkbox%1").arg(n));
    }
    // A saved project "game" in the project folder.
    Editor& openSaved() {
        Editor& editor = open();
        references.LoadedPath = project();
        references.projectName = "game";
        references.saved = true;
        return editor;
    }
    bool finish() {
        return ui::testing::waitUntil([&] { return !side->launcher().busy(); }, 60000);
    }
    QString output() const { return testing::outputPane(*window)->toPlainText(); }

    // The options panel the loads tick, as the program has it.
    ToolsSide toolsSide;
    std::unique_ptr<ProjectSide> side;
};

// A name the compile would refuse is refused before anything is written, in the compiler's words: a file
// name always, a Java class's name where the program is one (a phone or applet target, a Java project).
TEST_F(ProjectSideTest, SaveToANewPlaceTakesTheChosenNameAndWritesEveryTab) {
    const QString notAClass = "Error: The project name cannot be the name of the program's Java class: ";
    const struct {
        const char* chosen;
        const char* name;
        bool windowsOnly = false;  // the one target marked builds byte tokens, no Java class
        const char* refused = nullptr;
    } rows[] = {{"game", "game"},
                {"game.tbp", "game"},
                {"game.TBP", "game.TBP", true},
                {"game.TBP", nullptr, false, "game.TBP"},
                {"Sky Two", nullptr, false, "Sky Two"},
                {"Sky Two.tbp", "Sky Two", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosen);
        references.saved = false;
        Editor& editor = open();
        if (row.windowsOnly) {
            editor.targets().setMarked(BuildTargets::J2meDevices, false);
            editor.targets().setMarked(BuildTargets::Windows, true);
        }
        testing::tabPane(editor, 0)->appendPlainText("PRINT 1");
        prompter.reply(project(QString("place/") + row.chosen));
        QDir().mkpath(project("place"));
        if (row.refused) {
            reporter.reports.clear();
            EXPECT_FALSE(editor.save());
            EXPECT_EQ(reporter.reports,
                      QList<testing::Report>(
                          {{testing::Report::Error, notAClass + row.refused, "Could not save project"}}));
            EXPECT_FALSE(references.saved);
            EXPECT_TRUE(QDir(project("place")).isEmpty());
            side.reset();
            continue;
        }
        EXPECT_TRUE(editor.save());
        EXPECT_EQ(references.projectName, row.name);
        EXPECT_EQ(references.LoadedPath, project("place/"));
        EXPECT_TRUE(references.saved);
        EXPECT_EQ(titles(), QStringList{"Main.bss"});
        EXPECT_TRUE(utf8(readFile(project("place/Main.bss"))).endsWith("PRINT 1"));
        EXPECT_TRUE(utf8(readFile(project(QString("place/") + row.name + ".tbp"))).contains("Platform=TB\n"));
        QDir(project("place")).removeRecursively();
        side.reset();
    }
    references.saved = false;
    Editor& editor = open();
    prompter.reply(std::optional<QString>());
    EXPECT_FALSE(editor.save());
    EXPECT_FALSE(references.saved);
    EXPECT_EQ(references.LoadedPath, project());
}

// A save to a new place replaces a project file there only on the user's Yes, asked before anything is
// written; a name typed with ".tbp" has been asked about by the file dialog.
TEST_F(ProjectSideTest, SaveToANewPlaceAsksBeforeItReplacesAnotherProjectFile) {
    const QByteArray other = "Main=other\nInclude=util\nName=game\n";
    const struct {
        const char* chosen;
        std::optional<Answer> answer;
        bool replaced;
    } rows[] = {{"game", Answer::No, false},
                {"game", std::nullopt, false},
                {"game", Answer::Yes, true},
                {"game.tbp", std::nullopt, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.chosen) + " " + (row.answer ? "answered" : "closed"));
        writeFile(project("place/game.tbp"), other);
        references.saved = false;
        Editor& editor = open();
        prompter.clear();
        prompter.reply(project(QString("place/") + row.chosen));
        if (QString(row.chosen) == "game") prompter.reply(row.answer);
        EXPECT_EQ(editor.save(), row.replaced);
        EXPECT_EQ(references.saved, row.replaced);
        EXPECT_EQ(readFile(project("place/game.tbp")) != other, row.replaced);
        EXPECT_EQ(QFile::exists(project("place/Main.bss")), row.replaced);
        if (QString(row.chosen) == "game") {
            EXPECT_EQ(prompter.texts().last(),
                      "Replace " + project("place/game.tbp") + " with the project game?");
        }
        if (!row.replaced) {
            EXPECT_EQ(references.projectName, "myProject");
        }
        QDir(project("place")).removeRecursively();
        side.reset();
    }
}

TEST_F(ProjectSideTest, LoadOpensTheProjectsTabsMarksItsTargetAndSetsItsOptions) {
    writeFile(project("game.tbp"),
              "// Tesvo Zorid v1.1.0 Project File\nMain=game\nInclude=util\nRun=0\nName=game\n"
              "Platform=PC\n3D=false\nFloats=true\nMappy=false\nMM=false\nInc=true\nCLDC=11\n");
    writeFile(project("game.bss"), "PRINT 1");
    writeFile(project("util.bss"), "PRINT 2");
    Editor& editor = open();
    QSignalSpy marks(&editor.targets(), &BuildTargets::changed);
    editor.loadProject(project("game.tbp"));
    EXPECT_EQ(titles(), QStringList({"game.bss", "util.bss"}));
    EXPECT_EQ(text(0), "PRINT 1");
    EXPECT_EQ(text(1), "PRINT 2");
    EXPECT_EQ(references.projectName, "game");
    EXPECT_EQ(references.includes, QStringList{"util"});
    EXPECT_TRUE(references.saved);
    EXPECT_TRUE(editor.targets().isMarked(BuildTargets::Windows));
    EXPECT_TRUE(editor.targets().isMarked(BuildTargets::J2meDevices));
    EXPECT_EQ(marks.count(), 1);
    EXPECT_TRUE(references.usesFloats && references.usesInclude);
    EXPECT_TRUE(box(3)->isChecked() && box(1)->isChecked());
    // The next write keeps the options it read.
    ASSERT_TRUE(editor.save());
    EXPECT_TRUE(
        utf8(readFile(project("game.tbp"))).contains("Floats=true\nMappy=false\nMM=false\nInc=true\n"));

    // New forgets the project: its place, name and options.
    editor.reset(true);
    EXPECT_FALSE(references.saved);
    EXPECT_EQ(references.LoadedPath, kit());
    EXPECT_EQ(references.projectName, "myProject");
    EXPECT_FALSE(references.usesFloats || box(3)->isChecked());

    // A Java project.
    writeFile(project("java.tbp"), "Main=java\nName=java\nPlatform=J2ME\n");
    writeFile(project("java.java"), "class java {}");
    editor.loadProject(project("java.tbp"));
    EXPECT_EQ(titles(), QStringList{"java.java"});
    EXPECT_EQ(references.compiler, "J2ME");
    EXPECT_EQ(editor.targets().language(), "J2ME");
    // Any other word is the kit's language.
    writeFile(project("pc.tbp"), "Main=game\nName=pc\nPlatform=PPC\n");
    editor.loadProject(project("pc.tbp"));
    EXPECT_EQ(references.compiler, "TB");
    EXPECT_EQ(references.fileExt, ".bss");
    EXPECT_TRUE(editor.targets().isMarked(BuildTargets::PocketPc));
}

TEST_F(ProjectSideTest, AFailedReadEndsWithAFreshProject) {
    writeFile(project("broken.tbp"), "// no main here\n");
    Editor& editor = open();
    {
        const Services cancelled(
            {.manualEntry = [](QWidget*, const QString&, References&) { return QString(); }});
        editor.loadProject(project("broken.tbp"));
    }
    EXPECT_FALSE(references.saved);
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_EQ(text(0), templateText());
    EXPECT_EQ(references.LoadedPath, kit());
}

// File, Open of a project's main source opens the project, a Java source its Java project; a source beside
// a project file that is not its project's opens alone, and Save then asks before it replaces that file.
TEST_F(ProjectSideTest, ASourceBesideItsProjectFileOpensTheProject) {
    const struct {
        const char* platform;
        const char* opened;
        QStringList titles;
    } rows[] = {{"TB", "game.bss", {"game.bss", "util.bss"}},
                {"J2ME", "game.java", {"game.java", "util.bss"}},
                {"J2ME", "game.bss", {"game.java", "util.bss"}},
                {"TB", "game.java", {"game.java"}},
                {"PC", "game.java", {"game.java"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.platform) + " " + row.opened);
        const QByteArray file =
            "// Tesvo Zorid v1.1.0 Project File\nMain=game\nInclude=util\nRun=0\nName=game\n"
            "Platform=" +
            QByteArray(row.platform) + "\n3D=false\nFloats=true\nMappy=false\nMM=false\nInc=true\nCLDC=11\n";
        writeFile(project("game.tbp"), file);
        writeFile(project("game.bss"), "PRINT 1");
        writeFile(project("game.java"), "public class game {}");
        writeFile(project("util.bss"), "PRINT 2");
        Editor& editor = open();
        prompter.reply(project(row.opened));
        editor.load();
        EXPECT_EQ(titles(), row.titles);
        const bool whole = row.titles.size() > 1;
        EXPECT_EQ(references.saved, whole);
        testing::tabPane(editor, 0)->appendPlainText("// edited");
        if (!whole) {
            prompter.reply(project("game"));
            prompter.reply(Answer::No);
        }
        EXPECT_EQ(editor.save(), whole);
        const QByteArray written = readFile(project("game.tbp"));
        EXPECT_TRUE(written.contains("Include=util\n")) << written.toStdString();
        EXPECT_TRUE(written.contains("Floats=true\nMappy=false\nMM=false\nInc=true\n"));
        if (!whole) {
            EXPECT_EQ(written, file);
        }
        side.reset();
    }
}

TEST_F(ProjectSideTest, OpenProjectContinuesOrKeepsTheOpenProject) {
    writeFile(project("other.tbp"), "Main=other\nName=other\n");
    writeFile(project("other.bss"), "PRINT 9");
    Editor& editor = openSaved();
    testing::tabPane(editor, 0)->setPlainText("PRINT 1");
    pressInModal<OpenProject>("button1");
    editor.fileSelected({QFileInfo(project("other.tbp"))});
    EXPECT_EQ(titles(), QStringList{"Main.bss*"});
    EXPECT_EQ(references.projectName, "game");

    pressInModal<OpenProject>("button2");
    prompter.reply(Answer::No);
    editor.fileSelected({QFileInfo(project("other.tbp"))});
    EXPECT_EQ(titles(), QStringList{"other.bss"});
    EXPECT_EQ(references.projectName, "other");
}

TEST_F(ProjectSideTest, AddProjectContinueNewProjectAndCancel) {
    writeFile(project("src/util.inc.bss"), "PRINT 5");
    Editor& editor = openSaved();
    const auto choose = [&](const QString& file, const char* button) {
        editor.fileSelected({QFileInfo(file)});
        auto* dialog = editor.findChild<AddProject*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->isModal());
        testing::part<QPushButton>(dialog, button)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(editor.findChild<AddProject*>(), nullptr);
    };
    choose(project("src/util.inc.bss"), "button1");
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    // Continue copies a file from outside into the project folder before the project names it; the tab is
    // marked, as the project file does not name the include yet.
    choose(project("src/util.inc.bss"), "button3");
    EXPECT_EQ(references.includes, QStringList{"util"});
    EXPECT_EQ(titles(), QStringList({"Main.bss", "util.bss*"}));
    EXPECT_EQ(text(1), "PRINT 5");
    EXPECT_EQ(utf8(readFile(project("util.bss"))), "PRINT 5");
    EXPECT_FALSE(QFile::exists(project("game.tbp")));

    // A different file of that name in the project folder is never replaced: the add is refused, and the
    // warning names both files. The same bytes there, or the project's own file, are added as they are.
    writeFile(project("src/maps.bss"), "PRINT 6");
    writeFile(project("maps.bss"), "PRINT 7");
    choose(project("src/maps.bss"), "button3");
    EXPECT_EQ(references.includes, QStringList{"util"});
    EXPECT_EQ(titles().size(), 2);
    EXPECT_EQ(utf8(readFile(project("maps.bss"))), "PRINT 7");
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].kind, testing::Report::Warning);
    EXPECT_TRUE(reporter.reports[0].heading.contains(project("maps.bss")) &&
                reporter.reports[0].heading.contains(project("src/maps.bss")))
        << reporter.reports[0].heading.toStdString();
    writeFile(project("src/maps.bss"), "PRINT 7");
    choose(project("src/maps.bss"), "button3");
    writeFile(project("own.bss"), "PRINT 8");
    choose(project("own.bss"), "button3");
    EXPECT_EQ(references.includes, QStringList({"util", "maps", "own"}));
    EXPECT_EQ(titles(), QStringList({"Main.bss", "util.bss*", "maps.bss*", "own.bss*"}));
    EXPECT_EQ(reporter.reports.size(), 1);

    // One more include than a project file can hold back is refused.
    references.includes = QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    choose(project("src/util.inc.bss"), "button3");
    EXPECT_EQ(references.includes.size(), 10);
    ASSERT_EQ(reporter.reports.size(), 2);
    EXPECT_TRUE(reporter.reports[1].heading.contains("10"));

    prompter.reply(Answer::No);
    choose(project("src/util.inc.bss"), "button2");
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_EQ(text(0), "PRINT 5");
    EXPECT_FALSE(references.saved);
}

// A project without a folder yet takes the added file with it when it is saved; leaving asks first.
TEST_F(ProjectSideTest, AnAddedIncludeReachesTheFolderTheProjectIsSavedIn) {
    writeFile(project("src/util.bss"), "FUNCTION U()\nENDFUNCTION");
    Editor& editor = open();
    editor.fileSelected({QFileInfo(project("src/util.bss"))});
    auto* dialog = editor.findChild<AddProject*>();
    ASSERT_NE(dialog, nullptr);
    testing::part<QPushButton>(dialog, "button3")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(titles(), QStringList({"Main.bss", "util.bss*"}));
    EXPECT_FALSE(QFile::exists(kit("util.bss")));
    prompter.reply(Answer::Yes);
    prompter.reply(Answer::Yes);
    QDir().mkpath(project("game"));
    prompter.reply(project("game/game"));
    editor.close();
    EXPECT_EQ(std::vector<int>(exits.statuses.begin(), exits.statuses.end()), std::vector<int>{0});
    EXPECT_EQ(utf8(readFile(project("game/util.bss"))), "FUNCTION U()\nENDFUNCTION");
    EXPECT_TRUE(utf8(readFile(project("game/game.tbp"))).contains("\nInclude=util\n"));
}

TEST_F(ProjectSideTest, ProjectSettingsNeedBothFieldsAndASafeName) {
    Editor& editor = open();
    references.projectName = "game";
    references.projectCompany = "Firm";
    ProjectScreen screen(&editor, references);
    auto* name = testing::part<QLineEdit>(&screen, "textfield1");
    auto* company = testing::part<QLineEdit>(&screen, "textfield2");
    EXPECT_EQ(name->text(), "game");
    EXPECT_EQ(company->text(), "Firm");
    const QColor normal = name->palette().color(QPalette::Base);
    screen.show();
    // The compiler's refusals, in its words: not a file name of the project folder, not a class name.
    const QString notAFile = "Error: The project name must be a file name in the project folder: ";
    const QString notAClass = "Error: The project name cannot be the name of the program's Java class: ";
    const struct {
        const char* name;
        const char* company;
        bool nameMarked;
        bool companyMarked;
        QString refused;
    } rows[] = {{"", "", true, false, {}},
                {"../up", "x", true, false, notAFile + "../up"},
                {"a/b", "x", true, false, notAFile + "a/b"},
                {"..", "x", true, false, notAFile + ".."},
                {"Sky Two", "x", true, false, notAClass + "Sky Two"},
                {"new", "x", true, false, notAClass + "new"},
                {"ok", "", false, true, {}},
                {"Fresh", "Co", false, true, {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        reporter.reports.clear();
        name->setText(row.name);
        company->setText(row.company);
        testing::part<QPushButton>(&screen, "okButton")->click();
        EXPECT_EQ(name->palette().color(QPalette::Base) == colours::attention, row.nameMarked);
        EXPECT_EQ(company->palette().color(QPalette::Base) == colours::attention, row.companyMarked);
        EXPECT_EQ(reporter.reports,
                  row.refused.isEmpty()
                      ? QList<testing::Report>()
                      : QList<testing::Report>({{testing::Report::Error, row.refused, "Project Settings"}}));
    }
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(name->palette().color(QPalette::Base), normal);
    EXPECT_EQ(references.projectName, "Fresh");
    EXPECT_EQ(references.projectCompany, "Co");

    // Where the program is no Java class (only byte-token targets), a file name will do.
    ProjectScreen bytes(&editor, references, false);
    bytes.show();
    testing::part<QLineEdit>(&bytes, "textfield1")->setText("Sky Two");
    testing::part<QPushButton>(&bytes, "okButton")->click();
    EXPECT_FALSE(bytes.isVisible());
    EXPECT_EQ(references.projectName, "Sky Two");
}

TEST_F(ProjectSideTest, RenamingASavedProjectOntoAnotherProjectFileAsksFirst) {
    const QByteArray other = "Main=other\nInclude=util\nName=other\n";
    const struct {
        bool saved;
        std::optional<Answer> answer;
        bool renamed;
    } rows[] = {
        {true, Answer::No, false}, {true, std::nullopt, false}, {true, Answer::Yes, true}, {false, {}, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.saved ? "saved " : "no place ") + (row.answer ? "answered" : "closed"));
        writeFile(project("other.tbp"), other);
        Editor& editor = openSaved();
        references.saved = row.saved;
        references.projectCompany = "Firm";
        prompter.clear();
        if (row.saved) prompter.reply(row.answer);
        ProjectScreen screen(&editor, references);
        screen.show();
        testing::part<QLineEdit>(&screen, "textfield1")->setText("other");
        testing::part<QPushButton>(&screen, "okButton")->click();
        EXPECT_EQ(references.projectName, row.renamed ? "other" : "game");
        EXPECT_EQ(screen.isVisible(), !row.renamed);
        EXPECT_EQ(prompter.texts(),
                  row.saved ? QStringList{"Replace " + project("other.tbp") + " with the project other?"}
                            : QStringList());
        if (row.renamed && row.saved) {
            EXPECT_TRUE(editor.save());
            EXPECT_NE(readFile(project("other.tbp")), other);
        }
        EXPECT_EQ(readFile(project("other.tbp")) == other, !(row.renamed && row.saved));
        side.reset();
    }
}

TEST_F(ProjectSideTest, SaveChangesForAProjectWithoutAPlaceAsksWhere) {
    Editor& editor = open();
    testing::tabPane(editor, 0)->appendPlainText("PRINT 1");
    prompter.reply(Answer::Yes);
    prompter.reply(std::optional<QString>());
    EXPECT_FALSE(editor.reset(true));
    EXPECT_EQ(titles(), QStringList{"Main.bss*"});
    EXPECT_FALSE(QFile::exists(kit("myProject.tbp")));
    EXPECT_FALSE(QFile::exists(kit("Main.bss")));

    prompter.reply(Answer::Yes);
    prompter.reply(Answer::Yes);
    prompter.reply(project("kept"));
    editor.close();
    EXPECT_EQ(std::vector<int>(exits.statuses.begin(), exits.statuses.end()), std::vector<int>{0});
    EXPECT_TRUE(QFile::exists(project("kept.tbp")));
    EXPECT_FALSE(QFile::exists(kit("myProject.tbp")));
}

TEST_F(ProjectSideTest, TargetsRunInTurnEachAfterItsOwnProjectFile) {
    Editor& editor = openSaved();
    editor.targets().setMarked(BuildTargets::Windows, true);
    editor.Build(0);
    // A second command while the first runs starts nothing.
    editor.Convert();
    ASSERT_TRUE(finish());
    const QString base = project("game");
    EXPECT_EQ(output(), "Executing: " + kit("Compile-Linux") + " " + base + "\n" +
                            "\nA compilation is already running: wait until it has ended\n" + "compile " +
                            base + "\nPlatform=TB\npartial line ended\n" +
                            "Executing: " + kit("Compile-Linux") + " " + base + "\ncompile " + base +
                            "\nPlatform=PC\npartial line ended\n");
    EXPECT_FALSE(QFile::exists(base + ".java"));

    // The next command clears the pane; nothing marked starts nothing.
    for (int i = 0; i < BuildTargets::count; ++i)
        editor.targets().setMarked(static_cast<BuildTargets::Target>(i), false);
    QFile::remove(base + ".tbp");
    editor.Build(1);
    EXPECT_FALSE(side->launcher().busy());
    EXPECT_FALSE(QFile::exists(base + ".tbp"));
    EXPECT_TRUE(QFile::exists(project("gameX.bss")));
}

// A compile takes a tab's text only while its file is what the tab read or wrote, or the user says so:
// Cancel to the question starts nothing and writes no execution copy, and Save writes nothing either.
TEST_F(ProjectSideTest, CancellingTheQuestionAboutAnotherProgramsChangeCancelsTheCompile) {
    writeFile(project("game.tbp"), "Main=game\nName=game\nPlatform=TB\n");
    writeFile(project("game.bss"), "PRINT 1\r\n");
    Editor& editor = open();
    editor.loadProject(project("game.tbp"));
    const QByteArray theirs = "PRINT 1\r\nPRINT 2\r\n";
    writeFile(project("game.bss"), theirs);
    for (void (*command)(Editor&) : {+[](Editor& e) { e.Build(0); }, +[](Editor& e) { e.Convert(); }}) {
        prompter.reply(Answer::Cancel);
        command(editor);
        EXPECT_FALSE(side->launcher().busy());
    }
    EXPECT_FALSE(output().contains("Executing"));
    EXPECT_FALSE(QFile::exists(project("gameX.bss")));
    prompter.reply(Answer::Cancel);
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(readFile(project("game.bss")), theirs);
    // Reloaded, the compile goes on with the other program's text.
    prompter.reply(Answer::Yes);
    editor.Build(0);
    ASSERT_TRUE(finish());
    EXPECT_EQ(readFile(project("gameX.bss")), "PRINT 1\nPRINT 2\n\n");
    EXPECT_EQ(prompter.texts(), QStringList(4, project("game.bss") + res("Changed_by_another")));
}

TEST_F(ProjectSideTest, ConvertKeepsTheJavaAndOpensItOnlyAfterASuccess) {
    Editor& editor = openSaved();
    writeFile(project("game.fail"), "tool");
    editor.Convert();
    ASSERT_TRUE(finish());
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_FALSE(references.usesInclude);
    QFile::remove(project("game.fail"));
    editor.Convert();
    ASSERT_TRUE(finish());
    EXPECT_EQ(titles(), QStringList({"Main.bss", "game.java"}));
    EXPECT_EQ(text(1), "class converted {}\n");
    EXPECT_TRUE(output().endsWith("\nAttempting to load Java file " + project("game.java")));
    // The converted project carries the options its Java needs, ticked in the panel.
    EXPECT_TRUE(references.usesInclude && references.usesFloats);
    EXPECT_FALSE(references.uses3D || references.usesMM || references.usesMappy);
    EXPECT_TRUE(box(1)->isChecked() && box(3)->isChecked());
}

TEST_F(ProjectSideTest, AJavaProjectStartsTheBuildProgramOnItsDescriptor) {
    Editor& editor = openSaved();
    ProjectSide::chooseLanguage(editor, "J2ME");
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_TRUE(box(3)->isEnabled());
    references.usesFloats = true;
    editor.Build(0);
    ASSERT_TRUE(finish());
    EXPECT_EQ(output(), "Executing: " + kit("Build-Linux") + " " + project("game") + "\nbuild " +
                            project("game") + "\n" + QString::number(descriptorLines(references, 0).size()) +
                            "\n");
    EXPECT_EQ(utf8(readFile(project("game.tbx"))), descriptorLines(references, 0).join('\n') + '\n');
    EXPECT_TRUE(utf8(readFile(project("game.tbp"))).contains("Platform=J2ME\n"));
    // A Java project has no execution copy.
    EXPECT_FALSE(QFile::exists(project("gameX.bss")));
}

TEST_F(ProjectSideTest, NothingStartsWhenAWriteFailsOrTheProjectHasNoPlace) {
    Editor& editor = openSaved();
    writeFile(project("file"), "tool");
    references.LoadedPath = project("file/");
    editor.Build(0);
    EXPECT_FALSE(side->launcher().busy());
    ASSERT_FALSE(reporter.reports.isEmpty());
    EXPECT_NE(output(), QString());
    EXPECT_FALSE(output().contains("Executing"));

    // After New, Compile asks where; Cancel builds nothing, the old project stays as it was.
    references.LoadedPath = project();
    editor.save();
    const QByteArray before = readFile(project("game.tbp"));
    editor.reset(true);
    prompter.reply(std::optional<QString>());
    editor.Build(0);
    EXPECT_FALSE(side->launcher().busy());
    EXPECT_EQ(readFile(project("game.tbp")), before);
    EXPECT_FALSE(QFile::exists(kit("myProject.tbp")));
}

TEST_F(ProjectSideTest, AProgramThatCannotStartIsShownInThePane) {
    Editor& editor = openSaved();
    QFile::remove(kit("Compile-Linux"));
    editor.Build(0);
    ASSERT_TRUE(finish());
    EXPECT_TRUE(output().startsWith("Executing: "));
    EXPECT_GT(output().count('\n'), 1) << output().toStdString();
}

// Alive and not a zombie waiting for its parent.
bool running(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray fields = stat.readAll();
    return !fields.mid(fields.lastIndexOf(')') + 2).startsWith('Z');
}

TEST_F(ProjectSideTest, ClosingTheEditorEndsTheRunningChildAndWhatItStarted) {
    writeFile(kit("Compile-Linux"), "#!/bin/sh\nsleep 60 &\necho $! > \"$1.pid\"\nwait\n");
    Editor& editor = openSaved();
    editor.Build(0);
    ASSERT_TRUE(ui::testing::waitUntil([&] { return !readFile(project("game.pid")).trimmed().isEmpty(); }));
    const qint64 pid = readFile(project("game.pid")).trimmed().toLongLong();
    ASSERT_TRUE(running(pid));
    // As the program ends: the window, then the project side.
    stop();
    side.reset();
    EXPECT_TRUE(ui::testing::waitUntil([&] { return !running(pid); }));
}

TEST_F(ProjectSideTest, TheStatusLineShowsTheCurrentProjectAndTabAfterEveryChange) {
    writeFile(project("Big.tbp"), "Main=Big\nInclude=Inc1\nInclude=Inc10\nName=Big\nPlatform=TB\n");
    for (const char* name : {"Big.bss", "Inc1.bss", "Inc10.bss"}) writeFile(project(name), "PRINT 1");
    writeFile(project("other.tbp"), "Main=other\nName=other\n");
    writeFile(project("other.bss"), "PRINT 2");
    Editor& editor = open();
    const auto status = [&editor] { return testing::statusLine(editor)->text(); };

    prompter.reply(project("Big.tbp"));
    editor.menus().mOpenAction->trigger();
    EXPECT_EQ(titles(), QStringList({"Big.bss", "Inc1.bss", "Inc10.bss"}));
    EXPECT_EQ(status(), "Big : " + tabs().tabText(tabs().currentIndex()));
    tabs().setCurrentIndex(0);
    EXPECT_EQ(status(), "Big : Big.bss");

    editor.menus().mNewAction->trigger();
    EXPECT_EQ(status(), "myProject : Main.bss");

    // A rename in Project Settings.
    QTimer::singleShot(0, [] {
        auto* screen = qobject_cast<ProjectScreen*>(QApplication::activeModalWidget());
        ASSERT_NE(screen, nullptr);
        testing::part<QLineEdit>(screen, "textfield1")->setText("Renamed");
        testing::part<QLineEdit>(screen, "textfield2")->setText("Firm");
        testing::part<QPushButton>(screen, "okButton")->click();
    });
    editor.menus().mProjectPropertiesAction->trigger();
    EXPECT_EQ(status(), "Renamed : Main.bss");

    // A language switch renames no tab.
    editor.menus().mCompilerJ2ME->trigger();
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_EQ(status(), "Renamed : Main.bss");
    editor.menus().mCompilerTesvo->trigger();
    EXPECT_EQ(status(), "Renamed : Main.bss");

    // A project opened from the tree, and a new project from the non-modal Add to project dialog.
    pressInModal<OpenProject>("button2");
    editor.fileSelected({QFileInfo(project("other.tbp"))});
    EXPECT_EQ(status(), "other : other.bss");
    writeFile(project("lone.bss"), "PRINT 3");
    editor.fileSelected({QFileInfo(project("lone.bss"))});
    auto* add = editor.findChild<AddProject*>();
    ASSERT_NE(add, nullptr);
    testing::part<QPushButton>(add, "button2")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(status(), "myProject : Main.bss");
}

// A project whose main source is not there (an example that shipped only its execution copy): the tab is
// shown empty and read-only, and nothing is ever written from it or over its file. Compile and Convert
// are refused naming the file, the old execution copy stays byte for byte, no backup is made of nothing.
TEST_F(ProjectSideTest, AFileThatCouldNotBeLoadedIsNeverWrittenFromOrOver) {
    writeFile(project("game.tbp"), "Main=game\nInclude=util\nName=game\nPlatform=TB\n");
    writeFile(project("gameX.bss"), "PRINT 1\n\n");
    writeFile(project("util.bss"), "PRINT 2");
    Editor& editor = open();
    editor.loadProject(project("game.tbp"));
    EXPECT_EQ(prompter.texts(), QStringList{"Could not load file " + project("game.bss")});
    EXPECT_EQ(titles(), QStringList({"game.bss", "util.bss"}));
    EXPECT_EQ(editor.unloadedFile(0), project("game.bss"));
    EXPECT_TRUE(testing::tabPane(editor, 0)->isReadOnly());
    EXPECT_TRUE(editor.unloadedFile(1).isEmpty());
    EXPECT_TRUE(references.saved);

    const testing::Report refused{testing::Report::Error, "Could not load file " + project("game.bss"),
                                  "Write Files for Execution"};
    for (void (*command)(Editor&) : {+[](Editor& e) { e.Build(0); }, +[](Editor& e) { e.Convert(); }}) {
        reporter.reports.clear();
        command(editor);
        EXPECT_FALSE(side->launcher().busy());
        EXPECT_EQ(reporter.reports, QList<testing::Report>{refused});
    }
    EXPECT_EQ(readFile(project("gameX.bss")), "PRINT 1\n\n");
    EXPECT_FALSE(output().contains("Executing"));
    EXPECT_TRUE(QDir(project()).entryList({"game.*.bak"}).isEmpty());
    // Its text cannot be replaced either: a template or a format would give it something to write.
    prompter.reply(Answer::Yes);
    editor.menus().mTBTemplateAction->trigger();
    EXPECT_EQ(text(0), "");

    // Save writes the project file and the other tabs; the missing file stays missing.
    reporter.reports.clear();
    testing::tabPane(editor, 1)->appendPlainText("PRINT 3");
    ASSERT_TRUE(editor.save());
    EXPECT_FALSE(QFile::exists(project("game.bss")));
    EXPECT_EQ(readFile(project("util.bss")), "PRINT 2\nPRINT 3");
    EXPECT_TRUE(reporter.reports.isEmpty());
    testing::tabWidget(editor)->setCurrentIndex(0);
    editor.saveSourceAs();
    EXPECT_EQ(reporter.reports.size(), 1);

    // So does the end of the editor.
    testing::tabPane(editor, 1)->appendPlainText("PRINT 4");
    prompter.reply(Answer::Yes);
    EXPECT_TRUE(editor.mayEnd());
    EXPECT_FALSE(QFile::exists(project("game.bss")));
    EXPECT_EQ(readFile(project("gameX.bss")), "PRINT 1\n\n");
}

// The execution copy `<name>X.bss`, which every compile writes, is never added to the project; a compile
// while a tab or include holds it (from a project file, or a new name) is refused before anything is written.
TEST_F(ProjectSideTest, TheExecutionCopyIsNeverAnIncludeNorWrittenOverATab) {
    writeFile(project("src/gameX.bss"), "PRINT 7");
    writeFile(project("gameX.bss"), "PRINT 1\n\n");
    Editor& editor = openSaved();
    for (const QString& chosen : {project("gameX.bss"), project("src/gameX.bss")}) {
        editor.fileSelected({QFileInfo(chosen)});
        auto* dialog = editor.findChild<AddProject*>();
        ASSERT_NE(dialog, nullptr);
        testing::part<QPushButton>(dialog, "button3")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(references.includes.isEmpty());
        EXPECT_EQ(titles(), QStringList{"Main.bss"});
        EXPECT_TRUE(output().endsWith("\nError: " + project("gameX.bss") +
                                      " is the execution copy every compile writes: it was not added\n"))
            << output().toStdString();
    }

    const struct {
        const char* project;
        const char* renamed;  // the project's name set in Project Settings, or none
        bool refused;
    } rows[] = {{"Main=game\nInclude=gameX\nName=game\n", nullptr, true},
                {"Main=game\nInclude=sideX\nName=game\n", "side", true},
                {"Main=game\nInclude=sideX\nName=game\n", nullptr, false}};
    writeFile(project("game.bss"), "PRINT 0");
    writeFile(project("sideX.bss"), "PRINT 2");
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.project) + (row.renamed ? row.renamed : ""));
        writeFile(project("game.tbp"), row.project);
        writeFile(project("gameX.bss"), "PRINT 1\n\n");
        const QByteArray sideText = readFile(project("sideX.bss"));
        Editor& loaded = open();
        loaded.loadProject(project("game.tbp"));
        if (row.renamed) references.projectName = row.renamed;
        const QString copy = loaded.executionCopy();
        const QByteArray before = readFile(copy);
        for (void (*command)(Editor&) : {+[](Editor& e) { e.Build(0); }, +[](Editor& e) { e.Convert(); }}) {
            command(loaded);
            EXPECT_EQ(side->launcher().busy(), !row.refused);
            ASSERT_TRUE(finish());
            EXPECT_EQ(output().endsWith("\nError: A tab or include holds " + copy +
                                        ", the execution copy every compile writes: nothing was compiled\n"),
                      row.refused)
                << output().toStdString();
            if (row.refused) {
                EXPECT_EQ(readFile(copy), before);
                EXPECT_TRUE(QDir(project()).entryList({"*.bak"}).isEmpty());
            }
        }
        EXPECT_EQ(readFile(project("sideX.bss")), sideText);
        for (const QString& bak : QDir(project()).entryList({"*.bak"})) QFile::remove(project(bak));
        side.reset();
    }
}

// File, Open of a file the editor refuses, in a folder that holds the user's Main.bss: the project keeps no
// place, so Save asks where instead of writing the template over that Main.bss.
TEST_F(ProjectSideTest, ARefusedFileLeavesTheProjectWithoutAPlace) {
    writeFile(project("Main.bss"), "PRINT \"mine\"");
    writeFile(project("readme.txt"), "notes");
    Editor& editor = open();
    prompter.reply(project("readme.txt"));
    editor.load();
    EXPECT_EQ(prompter.questions().back().text, "This is not a recognised file type");
    EXPECT_FALSE(references.saved);
    prompter.reply(std::optional<QString>());
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(prompter.questions().back().kind, ui::testing::Question::SaveFile);
    EXPECT_EQ(readFile(project("Main.bss")), "PRINT \"mine\"");
    EXPECT_FALSE(QFile::exists(project("myProject.tbp")));
}

// A project that failed to load leaves a fresh project without a place: Save asks where, and nothing is
// written into the kit folder. One that named more than the editor took is loaded, with a Warning, but
// only written back where the user chooses.
TEST_F(ProjectSideTest, AProjectThatFailedToLoadOrWasCutShortIsNotSaved) {
    QStringList tooLong{"Main=game", "Name=game"};
    for (int i = 0; i < 24; ++i) tooLong << QString("Classpath=c%1.jar").arg(i);
    writeFile(project("long.tbp"), (tooLong.join('\n') + '\n').toUtf8());
    writeFile(project("nameless.tbp"), "Name=game\n");
    QStringList many{"Main=game", "Name=game"};
    for (int i = 0; i < 12; ++i) many << QString("Include=u%1").arg(i);
    writeFile(project("many.tbp"), (many.join('\n') + '\n').toUtf8());
    writeFile(project("game.bss"), "PRINT 1");
    for (int i = 0; i < 12; ++i) writeFile(project(QString("u%1.bss").arg(i)), "PRINT 2");
    Editor& editor = open();
    std::optional<Services> cancelled(
        Services::Parts{.manualEntry = [](QWidget*, const QString&, References&) { return QString(); }});
    for (const char* file : {"long.tbp", "nameless.tbp", "many.tbp"}) {
        SCOPED_TRACE(file);
        reporter.reports.clear();
        prompter.reply(project(file));
        editor.load();
        EXPECT_FALSE(references.saved);
        EXPECT_EQ(reporter.reports.size(), QString(file) == "nameless.tbp" ? 0 : 1);
        prompter.reply(std::optional<QString>());
        EXPECT_FALSE(editor.save());
        EXPECT_EQ(prompter.questions().back().kind, ui::testing::Question::SaveFile);
    }
    cancelled.reset();
    EXPECT_EQ(reporter.reports[0].kind, testing::Report::Warning);
    EXPECT_TRUE(reporter.reports[0].heading.endsWith("not taken: Include=u10, Include=u11"));
    EXPECT_EQ(references.includes.size(), 10);
    EXPECT_FALSE(QFile::exists(kit("myProject.tbp")));
    EXPECT_FALSE(QFile::exists(kit("Main.bss")));
    EXPECT_EQ(readFile(project("many.tbp")), (many.join('\n') + '\n').toUtf8());
}

// Project, Compiler, J2ME and back: the main source keeps its own name, and Save rewrites the project
// file as it was, with no new source beside it.
TEST_F(ProjectSideTest, ALanguageRoundTripLeavesTheProjectAsItWas) {
    References written;
    written.LoadedPath = project();
    written.mainName = "Main";
    written.projectName = "Game";
    Targets tb;
    tb.tb = true;
    ASSERT_TRUE(writeProject(written, nullptr, 0, tb));
    const QByteArray projectFile = readFile(project("Game.tbp"));
    writeFile(project("Main.bss"), "PRINT 1");
    Editor& editor = open();
    editor.loadProject(project("Game.tbp"));
    editor.menus().mCompilerJ2ME->trigger();
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_EQ(references.mainName, "Game");
    editor.menus().mCompilerTesvo->trigger();
    EXPECT_EQ(titles(), QStringList{"Main.bss"});
    EXPECT_EQ(references.mainName, "Main");
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(readFile(project("Game.tbp")), projectFile);
    EXPECT_EQ(QDir(project()).entryList(QDir::Files), QStringList({"Game.tbp", "Main.bss"}));
    EXPECT_EQ(readFile(project("Main.bss")), "PRINT 1");
}

// Every road that could give a tab another file, then what writes the tabs: each tab's text goes only
// to the file it holds (loaded from, or written to with the user's leave) or the one chosen in Save As.
// The folder holds a game, a hand-written Java class of the game's name, a hand-written record class and
// another project's main source; whatever no row names stays byte for byte.
TEST_F(ProjectSideTest, EveryRoadWritesATabOnlyToItsOwnFile) {
    const QByteArray game = "PRINT \"game\"\n";
    const QByteArray java = "public class Skyward {} // mine\n";
    const QMap<QString, QByteArray> folder = {{"Skyward.bss", game},
                                              {"SkywardX.bss", game + "\n"},
                                              {"Skyward.java", java},
                                              {"TypeFoo.java", "public class TypeFoo {} // mine\n"},
                                              {"Main.bss", "PRINT \"another project\"\n"}};
    const auto typeInto = [this](int slot, const QString& text) {
        QTextCursor end(testing::tabPane(*window, slot)->document());
        end.movePosition(QTextCursor::End);
        end.insertText(text);
    };
    const auto build = [this](Editor& editor) {
        editor.Build(0);
        ASSERT_TRUE(finish());
    };
    struct Row {
        const char* road;
        const char* platform;  // of Skyward.tbp
        std::function<void(Editor&)> act;
        QMap<QString, QByteArray> changed;  // written files and their bytes; "" for "any bytes"
        QStringList asked;                  // the replace questions, by file name
    };
    const std::vector<Row> rows = {
        {"TB to J2ME, compile",
         "TB",
         [&](Editor& editor) {
             editor.menus().mCompilerJ2ME->trigger();
             typeInto(0, "PRINT 2");
             build(editor);
         },
         {{"Skyward.bss", game + "PRINT 2"}},
         {}},
        {"J2ME to TB, compile: the copy is the game's own source",
         "J2ME",
         [&](Editor& editor) {
             editor.menus().mCompilerTesvo->trigger();
             build(editor);
         },
         {},
         {}},
        {"J2ME to TB, save and end",
         "J2ME",
         [&](Editor& editor) {
             editor.menus().mCompilerTesvo->trigger();
             typeInto(0, "// more");
             prompter.reply(Answer::Yes);
             EXPECT_TRUE(editor.mayEnd());
         },
         {{"Skyward.java", java + "// more"}},
         {}},
        {"converted, J2ME, compile",
         "TB",
         [&](Editor& editor) {
             QFile::remove(project("Skyward.java"));
             editor.Convert();
             ASSERT_TRUE(finish());
             editor.menus().mCompilerJ2ME->trigger();
             typeInto(1, "// edited");
             build(editor);
         },
         {{"Skyward.java", "class converted {}\n// edited"}},
         {}},
        {"a round trip of languages, save",
         "TB",
         [&](Editor& editor) {
             editor.menus().mCompilerJ2ME->trigger();
             editor.menus().mCompilerTesvo->trigger();
             EXPECT_TRUE(editor.save());
         },
         {},
         {}},
        {"targets switched, compile",
         "TB",
         [&](Editor& editor) {
             editor.menus().mDeployApplet->trigger();
             editor.menus().mDeployJava->trigger();
             build(editor);
         },
         {},
         {}},
        {"new project saved where another's Main.bss is: kept",
         "TB",
         [&](Editor& editor) {
             editor.menus().mNewAction->trigger();
             typeInto(0, "PRINT 3");
             prompter.reply(project("Fresh.tbp"));
             prompter.reply(Answer::No);
             EXPECT_FALSE(editor.save());
         },
         {},
         {"Main.bss"}},
        {"new project saved where another's Main.bss is: replaced",
         "TB",
         [&](Editor& editor) {
             editor.menus().mNewAction->trigger();
             prompter.reply(project("Fresh.tbp"));
             prompter.reply(Answer::Yes);
             EXPECT_TRUE(editor.save());
             typeInto(0, "PRINT 4");
             EXPECT_TRUE(editor.save());  // the tab holds it now: no second question
         },
         {{"Main.bss", (templateText() + "PRINT 4").toUtf8()}, {"Fresh.tbp", ""}},
         {"Main.bss"}},
        {"Save Source As, then Save",
         "TB",
         [&](Editor& editor) {
             typeInto(0, "PRINT 5");
             prompter.reply(project("Copy.bss"));
             editor.saveSourceAs();
             EXPECT_TRUE(editor.save());
         },
         {{"Copy.bss", game + "PRINT 5"}, {"Skyward.bss", game + "PRINT 5"}},
         {}},
        {"a source of the game added to a Java project keeps its language",
         "J2ME",
         [&](Editor& editor) {
             writeFile(project("lib/util.bss"), "PRINT \"util\"\n");
             editor.fileSelected({QFileInfo(project("lib/util.bss"))});
             auto* add = editor.findChild<AddProject*>();
             ASSERT_NE(add, nullptr);
             testing::part<QPushButton>(add, "button3")->click();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
             EXPECT_TRUE(editor.save());
             editor.loadProject(project("Skyward.tbp"));
             EXPECT_EQ(titles(), QStringList({"Skyward.java", "util.bss"}));
         },
         {{"util.bss", "PRINT \"util\"\n"}},
         {}},
        {"a new class over a hand-written one: kept",
         "J2ME",
         [&](Editor& editor) {
             TypeCreator dialog(&editor, editor);
             dialog.show();
             testing::part<QLineEdit>(&dialog, "textfield1")->setText("Foo");
             testing::part<QPushButton>(&dialog, "okButton")->click();
             prompter.reply(Answer::No);
             EXPECT_FALSE(editor.save());
         },
         {},
         {"TypeFoo.java"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.road);
        QDir(project()).removeRecursively();
        QDir().mkpath(project());
        for (auto file = folder.begin(); file != folder.end(); ++file)
            writeFile(project(file.key()), file.value());
        writeFile(project("Skyward.tbp"),
                  QByteArray("Main=Skyward\nName=Skyward\nPlatform=") + row.platform + "\n");
        QMap<QString, QByteArray> before;
        for (const QString& name : QDir(project()).entryList(QDir::Files))
            before[name] = readFile(project(name));
        Editor& editor = open();
        editor.loadProject(project("Skyward.tbp"));
        prompter.clear();
        row.act(editor);

        QStringList asked;
        for (const QString& text : prompter.texts()) {
            if (text.startsWith("Replace ")) asked << QFileInfo(text.section(' ', 1, 1)).fileName();
        }
        EXPECT_EQ(asked, row.asked);
        for (const QString& name : QDir(project()).entryList(QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            // What the compile and the backups make, and the project file the roads rewrite.
            if (name.endsWith(".bak") || name.endsWith(".tbx") || name == "Skyward.tbp") continue;
            const QByteArray now = readFile(project(name));
            if (row.changed.contains(name)) {
                if (!row.changed[name].isEmpty()) {
                    EXPECT_EQ(utf8(now), utf8(row.changed[name]));
                }
            } else {
                ASSERT_TRUE(before.contains(name)) << "written: " << utf8(now).toStdString();
                EXPECT_EQ(utf8(now), utf8(before[name]));
            }
        }
        for (const QString& name : before.keys())
            EXPECT_TRUE(QFile::exists(project(name))) << name.toStdString();
    }
}

// Convert hands the Java it wrote over to the user (the compiler's mark taken off) and opens it in one
// tab; a second Convert is refused by the compiler, which replaces no file of the user's, and keeps the tab
// and the file. Where the file has gone, a conversion onto the changed tab asks first: No converts nothing,
// Yes replaces the text as one step.
TEST_F(ProjectSideTest, ConvertHandsItsJavaOverAndAsksBeforeReplacingChanges) {
    writeFile(kit("Compile-Linux"),
              "#!/bin/sh\nif [ -f \"$1.java\" ]; then echo \"refused $1.java\"; exit 1; fi\n"
              "n=$(($(cat \"$1.count\" 2>/dev/null || echo 0) + 1))\necho $n > \"$1.count\"\n"
              "printf 'class converted%s {}\\n// Generated by the Tesvo Zorid compiler: a compile of the "
              "project replaces or deletes this file.\\n' $n > \"$1.java\"\n");
    Editor& editor = openSaved();
    for (int run = 1; run <= 2; ++run) {
        editor.Convert();
        ASSERT_TRUE(finish());
        EXPECT_EQ(titles(), QStringList({"Main.bss", "game.java"}));
        EXPECT_EQ(text(1), "class converted1 {}\n");
        EXPECT_EQ(utf8(readFile(project("game.java"))), "class converted1 {}\n");
    }
    EXPECT_TRUE(output().contains("refused " + project("game")));
    testing::tabPane(editor, 1)->appendPlainText("// mine");
    editor.save();
    EXPECT_EQ(utf8(readFile(project("game.java"))), "class converted1 {}\n\n// mine");

    QFile::remove(project("game.java"));
    testing::tabPane(editor, 1)->appendPlainText("// more");
    prompter.reply(Answer::No);
    editor.Convert();
    EXPECT_FALSE(side->launcher().busy());
    EXPECT_EQ(prompter.questions().back().text, "Replace the changed game.java with the new conversion?");
    EXPECT_EQ(titles(), QStringList({"Main.bss", "game.java*"}));
    EXPECT_FALSE(QFile::exists(project("game.java")));

    prompter.reply(Answer::Yes);
    editor.Convert();
    ASSERT_TRUE(finish());
    EXPECT_EQ(titles(), QStringList({"Main.bss", "game.java"}));
    EXPECT_EQ(text(1), "class converted2 {}\n");
    testing::tabWidget(editor)->setCurrentIndex(1);
    editor.undo();
    EXPECT_EQ(text(1), "class converted1 {}\n\n// mine\n// more");

    // The converted Java is the main source of the project in Java: switched there and back, no second
    // tab of it, and the kit's source keeps its own.
    editor.menus().mCompilerJ2ME->trigger();
    EXPECT_EQ(titles(), QStringList({"Main.bss", "game.java*"}));
    EXPECT_EQ(references.mainScreen, 1);
    editor.menus().mCompilerTesvo->trigger();
    EXPECT_EQ(titles(), QStringList({"Main.bss", "game.java*"}));
    EXPECT_EQ(references.mainScreen, 0);
}

// The type creator adds each class of a Java project as an include: at the project file's limits it
// refuses with the project's own message and makes no class. The same class made again keeps one tab.
TEST_F(ProjectSideTest, TheTypeCreatorKeepsToTheProjectFilesLimits) {
    Editor& editor = openSaved();
    ProjectSide::chooseLanguage(editor, "J2ME");
    const auto create = [&](const QString& name) {
        TypeCreator dialog(&editor, editor);
        dialog.show();
        testing::part<QLineEdit>(&dialog, "textfield1")->setText(name);
        testing::part<QPushButton>(&dialog, "okButton")->click();
        const bool stayed = dialog.isVisible();
        dialog.close();
        return !stayed;
    };
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(create(QString("C%1").arg(i)));
    EXPECT_TRUE(create("C0"));
    EXPECT_EQ(references.includes, QStringList({"TypeC0", "TypeC1", "TypeC2", "TypeC3"}));
    EXPECT_EQ(titles().filter("TypeC0").size(), 1);
    // Fourteen entries fill the 25 lines.
    for (int i = 0; i < 10; ++i) references.references << QString("lib%1.jar").arg(i);
    EXPECT_FALSE(create("C4"));
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].heading, *refuseProjectEntry(references, false));
    EXPECT_EQ(references.includes.size(), 4);
    EXPECT_TRUE(titles().filter("TypeC4").isEmpty());
    ASSERT_TRUE(editor.save());
    Project::read(project("game.tbp"), references, &editor);
    EXPECT_EQ(reporter.reports.size(), 1);
}

TEST(BuildTargetsModel, PlatformWordsMarkTheirTargets) {
    const std::pair<const char*, std::optional<BuildTargets::Target>> rows[] = {
        {"J2ME", BuildTargets::J2meDevices},
        {"PPC", BuildTargets::PocketPc},
        {"PC", BuildTargets::Windows},
        {"APPLET", BuildTargets::Applet},
        {"Applet", BuildTargets::Applet},
        {"TB", std::nullopt},
        {"pc", std::nullopt}};
    for (const auto& [word, target] : rows) EXPECT_EQ(BuildTargets::targetOfPlatform(word), target) << word;
}

TEST(JavaClassRename, TheFirstPublicClassTakesTheNameWhereverItIsCode) {
    const struct {
        const char* text;
        const char* renamed;
    } rows[] = {{"package Game;\npublic class myProject extends MIDlet {}",
                 "package Game;\npublic class game extends MIDlet {}"},
                {"public final class A {} public class B {}", "public final class game {} public class B {}"},
                {"class hidden {}", "class hidden {}"},
                // Every use of the name in code, none in comments or literals.
                {"public class Sky extends MIDlet {\n public Sky() { Sky.this.x = new Sky[2]; }\n"
                 " static Sky make() { return (Sky) new Sky(); } Class c = Sky.class; Game.Sky g;\n}",
                 "public class game extends MIDlet {\n public game() { game.this.x = new game[2]; }\n"
                 " static game make() { return (game) new game(); } Class c = game.class; Game.game g;\n}"},
                {"public class Sky { // Sky here\n /* new Sky() */ String s = \"Sky \\\"Sky\\\" Sky\";"
                 " char c = 'S'; String t = \"\"\"\n Sky \"Sky\" \n\"\"\"; Sky u; }",
                 "public class game { // Sky here\n /* new Sky() */ String s = \"Sky \\\"Sky\\\" Sky\";"
                 " char c = 'S'; String t = \"\"\"\n Sky \"Sky\" \n\"\"\"; game u; }"},
                // Only the whole name: longer names, numbers and escaped quotes keep theirs.
                {"public class Sky { SkyX a; xSky b; Sky$1 c; long d = 0x1FL; char e = '\\''; Sky f; }",
                 "public class game { SkyX a; xSky b; Sky$1 c; long d = 0x1FL; char e = '\\''; game f; }"},
                {"public class Sky { String s = \"unterminated\n Sky t; }",
                 "public class game { String s = \"unterminated\n game t; }"}};
    for (const auto& row : rows) EXPECT_EQ(ProjectSide::renameJavaClass(row.text, "game"), row.renamed);
}

}  // namespace
}  // namespace editor

namespace editor {
namespace {

// The menu's J2ME settings and project settings reach the project side: a reference past the project
// file's limits is refused, and Project Properties shows the project's name.
TEST_F(ProjectSideTest, TheMenusProjectEntriesUseTheProjectSide) {
    Editor& editor = open();
    for (int i = 0; i < 10; ++i) references.references << QString("/lib/%1.jar").arg(i);
    QTimer::singleShot(0, [&] {
        auto* settings = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(settings, nullptr);
        prompter.reply("/lib/eleventh.jar");
        testing::part<QPushButton>(settings, "button1")->click();
        settings->reject();
    });
    editor.menus().mJ2MESettingsAction->trigger();
    EXPECT_EQ(references.references.size(), 10);
    EXPECT_EQ(prompter.texts().last(), "A project holds at most 10 class-path entries");

    QString shownName;
    QTimer::singleShot(0, [&] {
        auto* screen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(screen, nullptr);
        shownName = testing::part<QLineEdit>(screen, "textfield1")->text();
        screen->reject();
    });
    editor.menus().mProjectPropertiesAction->trigger();
    EXPECT_EQ(shownName, references.projectName);
}

}  // namespace
}  // namespace editor
