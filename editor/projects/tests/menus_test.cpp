// The menu bar as a user meets it: its menus, accelerators, markers and the commands behind its entries.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSyntaxHighlighter>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "actions.h"
#include "build_targets.h"
#include "document_renderer.h"
#include "editor_fixture.h"
#include "find_replace_panel.h"
#include "init.h"
#include "j2me_compile.h"
#include "j2me_panel.h"
#include "small_dialogs.h"
#include "tools_side.h"
#include "type_creator.h"

namespace editor {
namespace {

using ui::Answer;

// "Entry,Entry|Submenu(Entry,Entry)": what a menu shows, separators as bars.
QString shown(QMenu* menu) {
    QString text;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            text += "|";
            continue;
        }
        if (!text.isEmpty() && !text.endsWith('|')) text += ",";
        text += action->text();
        if (action->menu()) text += "(" + shown(action->menu()) + ")";
    }
    return text;
}

// Whether the first word of the block is coloured as the descriptor's keywords are (J2ME.syn colours
// "public", TB.syn does not know it).
bool colouredAsJava(QPlainTextEdit* pane) {
    for (const QTextLayout::FormatRange& range : pane->document()->firstBlock().layout()->formats()) {
        if (range.start == 0 && range.format.foreground().color() == QColor(Qt::blue)) return true;
    }
    return false;
}

// The print and page dialogs, counted and cancelled.
class CountedPrint : public PrintDialogs {
public:
    bool print(QPrinter&, QWidget*) override { return ++asked, false; }
    bool pageSetup(QPrinter&, QWidget*) override { return ++asked, false; }
    int asked = 0;

private:
    Services services_{{.printDialogs = this}};
};

class MenusTest : public testing::EditorTest {
protected:
    MenusTest() {
        toolsInUse = &toolsSide;
        for (const char* name : {"J2ME.syn", "J2ME.bss"}) {
            testing::writeFile(kit("Editor/") + name,
                               testing::readFile(QString(TZ_KIT_DIR) + "/Editor/" + name));
        }
    }
    Init& menus() const { return window->menus(); }
    void choose(QAction* Init::*entry) const { (menus().*entry)->trigger(); }
    // A second tab beside the main one, selected.
    QPlainTextEdit* secondTab(const QString& content) {
        const int slot = window->setUpEditor("two.bss");
        testing::tabPane(*window, slot)->setPlainText(content);
        tabs().setCurrentIndex(slot);
        return testing::tabPane(*window, slot);
    }
    // What the Project menu and the options panel show: the marked entries, the disabled ones, the panel's
    // boxes and the panel, and the tabs coloured as Java.
    QString status() const {
        QStringList marked, disabled, java;
        for (QAction* Init::*entry :
             {&Init::mCompilerTesvo, &Init::mCompilerJ2ME, &Init::mDeployJava, &Init::mDeployPocketPC,
              &Init::mDeployPC, &Init::mDeployApplet, &Init::mConvertAction}) {
            if (Actions::isMarked(menus().*entry)) marked << (menus().*entry)->text();
            if (!(menus().*entry)->isEnabled()) disabled << (menus().*entry)->text();
        }
        bool boxes = true;
        QWidget* panel = testing::optionsPanel(*window);
        for (int n = 1; n <= 5; ++n)
            boxes = boxes && panel->findChild<QCheckBox*>(QString("checkbox%1").arg(n))->isEnabled();
        for (int i = 0; i < tabs().count(); ++i) {
            if (colouredAsJava(testing::tabPane(*window, i))) java << QString::number(i);
        }
        auto listed = [](const QStringList& list) { return list.isEmpty() ? QString("-") : list.join(','); };
        return QString("marked %1; disabled %2; boxes %3; panel %4; Java colours %5")
            .arg(marked.join(','), listed(disabled), boxes ? "on" : "off", panel->isEnabled() ? "on" : "off",
                 listed(java));
    }
    QStringList configLines() const {
        return QString::fromUtf8(testing::readFile(kit("Config.cfg"))).split('\n');
    }

    // The options panel and the J2ME entries as the program has them.
    ToolsSide toolsSide;
};

TEST_F(MenusTest, TheBarShowsSixMenusWithTheirSubmenusAndSeparators) {
    Editor& editor = start();
    QMenuBar* bar = editor.menuBar();
    ASSERT_EQ(bar, menus().getMenu());
    QStringList menusShown;
    for (QAction* top : bar->actions()) menusShown << top->text() + ": " + shown(top->menu());
    EXPECT_EQ(
        menusShown,
        QStringList({
            "File: New,Open|Save,Save As,Save Source As|Print|Exit",
            "Edit: Undo,Redo|Cut,Copy,Paste,Select All|Set Bookmark(Set Bookmark 1,Set Bookmark 2,Set "
            "Bookmark 3,Set Bookmark 4,Set Bookmark 5)|Set Look(Default,Office XP,Office 2003)",
            "Search: Find / Replace,Find Again|Go To Line #,Go To Bookmark(Go To Bookmark 1,Go To "
            "Bookmark 2,Go To Bookmark 3,Go To Bookmark 4,Go To Bookmark 5)",
            "Project: Compile,Execute|Compiler(Tesvo Zorid,J2ME),Platform(J2ME Based Devices,Pocket PC "
            "Based Devices,Microsoft Windows,Web Applet)|J2ME Settings,J2ME Type Creator|Project Properties",
            "Tools: 3D Convertor,Convert Source To J2ME|Source(Format)|Load Template(Tesvo Zorid,J2ME)|"
            "Preferences|Update Tesvo Zorid,FTP Tool",
            "Help: Help|About Tesvo Zorid,About Qt|",
        }));
    // Every action of the window's menus is its own object, named after its field.
    QSet<QString> names;
    for (QAction* action : editor.findChildren<QAction*>()) {
        if (action->objectName().startsWith('m')) names.insert(action->objectName());
    }
    EXPECT_EQ(names.size(), 51);
}

TEST_F(MenusTest, EveryAcceleratorReachesItsCommand) {
    Editor& editor = start();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QPlainTextEdit* main = testing::tabPane(editor, 0);
    main->setFocus();
    const QString before = text(0);

    QTest::keyClick(&editor, Qt::Key_F4);
    QTest::keyClick(&editor, Qt::Key_F5);
    EXPECT_EQ(roads.calls, QStringList({"build 0", "build 1"}));
    QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(roads.calls.last(), "save saved=0");

    // Ctrl+U and Ctrl+R reach the tab's history through the menu, Ctrl+Z and Ctrl+Y through the tab.
    QTest::keyClicks(main, "a");
    QTest::keyClick(&editor, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(text(0), before);
    QTest::keyClick(&editor, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(text(0), "a" + before);
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(0), before);
    QTest::keyClick(main, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text(0), "a" + before);

    QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(main->textCursor().selectedText().size(), text(0).size());

    QTest::keyClick(&editor, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(testing::findDialog(editor, 0)->isVisible());
    testing::findDialog(editor, 0)->hide();

    prompter.reply(std::optional<QString>());
    QTest::keyClick(&editor, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(prompter.questions().size(), 1u);
    EXPECT_EQ(prompter.questions()[0].kind, ui::testing::Question::OpenFile);

    CountedPrint printing;
    QTest::keyClick(&editor, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printing.asked, 1);
    choose(&Init::mProjectPropertiesAction);
    EXPECT_EQ(roads.calls.last(), "projectProperties");

    // New asks about the changed tab, and with No starts afresh.
    prompter.reply(Answer::No);
    QTest::keyClick(&editor, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(titles(), QStringList({"Main.bss"}));
    EXPECT_EQ(text(0), templateText());
}

TEST_F(MenusTest, MarkersAndEnabledEntriesFollowEachLanguageSwitch) {
    Editor& editor = start();
    testing::tabPane(editor, 0)->setPlainText("public y");
    secondTab("public x");
    const QString tesvo =
        "marked Tesvo Zorid,J2ME Based Devices; disabled -; boxes off; panel off; Java colours -";
    const QString java =
        "marked J2ME,J2ME Based Devices; disabled Pocket PC Based Devices,Microsoft Windows,Convert Source "
        "To "
        "J2ME; boxes on; panel on; Java colours 0,1";
    // At start the panel is on with its boxes off, until a language is chosen.
    EXPECT_EQ(status(), QString(tesvo).replace("panel off", "panel on"));
    // Choosing the current language switches to the other one; switching never touches the targets, nor
    // renames a tab.
    const struct {
        QAction* Init::*entry;
        bool toJava;
    } rows[] = {{&Init::mCompilerTesvo, true},
                {&Init::mCompilerJ2ME, false},
                {&Init::mCompilerJ2ME, true},
                {&Init::mCompilerTesvo, false}};
    for (const auto& row : rows) {
        choose(row.entry);
        EXPECT_EQ(status(), row.toJava ? java : tesvo);
        EXPECT_EQ(references.compiler, row.toJava ? "J2ME" : "TB");
        EXPECT_EQ(references.fileExt, row.toJava ? ".java" : ".bss");
        EXPECT_EQ(references.mainName, row.toJava ? "myProject" : "Main");
        EXPECT_EQ(titles(), QStringList({"Main.bss*", "two.bss*"}));
    }
}

TEST_F(MenusTest, ALoadedJavaSourceShowsTheJavaLanguageAndNewTabsTakeItsColours) {
    Editor& editor = start();
    testing::writeFile(project("game.java"), "public class game {}\n");
    prompter.reply(project("game.java"));
    editor.load();
    secondTab("public z");
    EXPECT_TRUE(status().startsWith("marked J2ME,J2ME Based Devices; disabled Pocket PC"))
        << status().toStdString();
    EXPECT_TRUE(status().endsWith("Java colours 0,1")) << status().toStdString();
    EXPECT_EQ(titles(), QStringList({"game.java", "two.bss*"}));
}

TEST_F(MenusTest, TargetsToggleOnTheirOwnAndTheMarksFollowTheModel) {
    testing::tabPane(start(), 0)->setPlainText("public y");
    choose(&Init::mDeployJava);
    EXPECT_TRUE(status().startsWith("marked Tesvo Zorid;")) << status().toStdString();
    choose(&Init::mDeployJava);
    choose(&Init::mDeployApplet);
    EXPECT_TRUE(status().startsWith("marked Tesvo Zorid,J2ME Based Devices,Web Applet;"))
        << status().toStdString();
    EXPECT_TRUE(window->targets().isMarked(BuildTargets::Applet));
    // What a loaded project sets in the model shows in the menus, its language with all that follows it.
    window->targets().setMarked(BuildTargets::Windows, true);
    window->targets().setLanguage("J2ME");
    EXPECT_TRUE(
        status().startsWith("marked J2ME,J2ME Based Devices,Microsoft Windows,Web Applet; disabled Pocket"))
        << status().toStdString();
    EXPECT_TRUE(status().endsWith("boxes on; panel on; Java colours 0")) << status().toStdString();
    EXPECT_EQ(references.compiler, "J2ME");
}

TEST_F(MenusTest, TemplatesReplaceTheMainTabAfterYesAsOneUndoableStep) {
    Editor& editor = start();
    testing::tabPane(editor, 0)->setPlainText("PRINT 1");
    QPlainTextEdit* other = secondTab("other text");
    for (const std::optional<Answer> answer :
         {std::optional(Answer::No), std::optional(Answer::Cancel), std::optional<Answer>()}) {
        prompter.reply(answer);
        choose(&Init::mTBTemplateAction);
        EXPECT_EQ(text(0), "PRINT 1");
    }
    EXPECT_EQ(prompter.texts().first(),
              "This operation will overwrite all of your code in your main file. Are you sure you wish to "
              "proceed?");
    prompter.reply(Answer::Yes);
    choose(&Init::mTBTemplateAction);
    EXPECT_EQ(text(0), templateText());
    EXPECT_EQ(other->toPlainText(), "other text");
    tabs().setCurrentIndex(0);
    editor.undo();
    EXPECT_EQ(text(0), "PRINT 1");

    // The J2ME template's class takes the main source's name.
    references.mainName = "game";
    prompter.reply(Answer::Yes);
    choose(&Init::mJ2METemplateAction);
    EXPECT_TRUE(text(0).contains("public class game extends MIDlet")) << text(0).toStdString();
    EXPECT_EQ(references.compiler, "TB");
}

TEST_F(MenusTest, LooksAreWrittenAsLineFourWithTheRestartNoticeForTwoOfThem) {
    start();
    prompter.clear();
    const struct {
        QAction* Init::*entry;
        const char* word;
        bool notice;
    } rows[] = {{&Init::mXPLookAction, "XP", false},
                {&Init::m2003LookAction, "2003", true},
                {&Init::mDefaultLookAction, "Default", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        choose(row.entry);
        EXPECT_EQ(configLines().value(3), row.word);
        EXPECT_EQ(configLines().value(2), kit());
        EXPECT_EQ(prompter.texts(),
                  row.notice ? QStringList{"Please restart the application for your changes to take effect\n"}
                             : QStringList{});
        prompter.clear();
    }
    // A file that cannot be written keeps the old one, shows Error and the notice, and keeps the word.
    {
        testing::FileSizeLimit limit(1);
        choose(&Init::mXPLookAction);
    }
    EXPECT_EQ(references.lookAndFeel, "XP");
    EXPECT_EQ(configLines().value(3), "Default");
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].detail, "Saving Configuration File");
    EXPECT_EQ(prompter.texts().size(), 1);
}

TEST_F(MenusTest, ExternalToolsOpenTheirFileOrSayTheyAreNotInstalled) {
    start();
    testing::RecordingDesktop desktop;
    choose(&Init::mHelpAction);
    choose(&Init::m3dAction);
    EXPECT_EQ(prompter.texts(),
              QStringList({"This feature is not installed", "This feature is not installed"}));
    EXPECT_TRUE(desktop.opened.isEmpty());
    testing::writeFile(kit("Documentation/Help.chm"), "tool");
    testing::writeFile(kit("3D Convertor/3D Convertor"), "tool");
    choose(&Init::mHelpAction);
    choose(&Init::m3dAction);
    EXPECT_EQ(desktop.opened, QList<QUrl>({QUrl::fromLocalFile(kit("Documentation/Help.chm")),
                                           QUrl::fromLocalFile(kit("3D Convertor/3D Convertor"))}));
    EXPECT_EQ(prompter.texts().size(), 2);
    EXPECT_TRUE(reporter.reports.isEmpty());
    desktop.opens = false;
    choose(&Init::mHelpAction);
    EXPECT_EQ(reporter.reports,
              QList<testing::Report>(
                  {{testing::Report::Error, "Could not open " + kit("Documentation/Help.chm"), "Help"}}));
}

TEST_F(MenusTest, BookmarksServeEveryTab) {
    Editor& editor = start();
    testing::tabPane(editor, 0)->setPlainText("hello world");
    QTextCursor caret = testing::tabPane(editor, 0)->textCursor();
    caret.setPosition(5);
    testing::tabPane(editor, 0)->setTextCursor(caret);
    tabs().setCurrentIndex(0);
    choose(&Init::mSetBook1Action);
    QPlainTextEdit* other = secondTab("0123456789 abcdef");
    choose(&Init::mDoBook1Action);
    EXPECT_EQ(other->textCursor().position(), 5);
    // A bookmark never set is the start of the text.
    choose(&Init::mDoBook3Action);
    EXPECT_EQ(other->textCursor().position(), 0);
    // One taken beyond the end of a shorter text leaves the caret where it was.
    caret = other->textCursor();
    caret.setPosition(15);
    other->setTextCursor(caret);
    choose(&Init::mSetBook2Action);
    tabs().setCurrentIndex(0);
    choose(&Init::mDoBook2Action);
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().position(), 5);
    EXPECT_EQ(editor.bookmark(1), 5);
    EXPECT_EQ(editor.bookmark(2), 15);
}

TEST_F(MenusTest, SearchEntriesOpenTheirModeReplaceTakesTheTypedTextAndFindGoesOnAfterAMiss) {
    Editor& editor = start();
    testing::tabPane(editor, 0)->setPlainText("MOVES 1\nPRINT \"Moves\"\nMOVES 2");
    const auto toolbar = [&](const char* key) {
        testing::toolBar(editor)->findChild<QAction*>(key)->trigger();
    };
    ui::findreplace::FindReplacePanel* panel = testing::findPanel(editor, 0);
    QComboBox* findField = panel->findChild<QComboBox*>("find");
    QComboBox* replaceField = panel->findChild<QComboBox*>("replace");
    const auto button = [panel](const QString& text) {
        for (auto* each : panel->findChildren<QPushButton*>()) {
            if (each->text() == text) return each;
        }
        return static_cast<QPushButton*>(nullptr);
    };
    // The toolbar's Find: nothing can be replaced. Search > Find / Replace and the toolbar's Replace:
    // the replacement can be typed and used.
    const struct {
        std::function<void()> open;
        bool replacing;
    } entries[] = {{[&] { toolbar("Find"); }, false},
                   {[&] { choose(&Init::mFindReplaceAction); }, true},
                   {[&] { toolbar("Replace"); }, true}};
    for (const auto& entry : entries) {
        entry.open();
        EXPECT_TRUE(testing::findDialog(editor, 0)->isVisible());
        EXPECT_EQ(replaceField->isEnabled(), entry.replacing);
        EXPECT_EQ(button("Replace All")->isEnabled(), entry.replacing);
        testing::findDialog(editor, 0)->hide();
    }
    QTest::keyClicks(findField->lineEdit(), "MOVES");
    QTest::keyClicks(replaceField->lineEdit(), "STEPS");
    button("Find")->click();
    button("Replace")->click();
    EXPECT_EQ(text(0), "STEPS 1\nPRINT \"Moves\"\nMOVES 2");
    button("Replace All")->click();
    EXPECT_EQ(text(0), "STEPS 1\nPRINT \"STEPS\"\nSTEPS 2");

    // Find Again, from the menu and the toolbar: a miss does not stick.
    testing::tabPane(editor, 0)->setPlainText("cat dog cat");
    findField->setEditText("cat");
    choose(&Init::mFindReplaceAgainAction);
    toolbar("Find_Again");
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().selectionStart(), 8);
    choose(&Init::mFindReplaceAgainAction);
    EXPECT_EQ(panel->findChild<QLabel*>("status")->text(), "String Not Found");
    testing::tabPane(editor, 0)->moveCursor(QTextCursor::Start);
    toolbar("Find_Again");
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().selectedText(), "cat");
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().selectionStart(), 0);
    findField->setEditText("dog");
    choose(&Init::mFindReplaceAgainAction);
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().selectionStart(), 4);
}

TEST_F(MenusTest, GoToLineTakesADecimalNumberAndNothingElse) {
    Editor& editor = start();
    testing::tabPane(editor, 0)->setPlainText("a\nb\nc");
    QTextCursor caret = testing::tabPane(editor, 0)->textCursor();
    caret.setPosition(3);
    testing::tabPane(editor, 0)->setTextCursor(caret);
    for (const std::optional<QString>& typed :
         {std::optional<QString>("letters"), std::optional<QString>(""), std::optional<QString>()}) {
        prompter.reply(typed);
        choose(&Init::mGoToLineAction);
        EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().position(), 3);
    }
    EXPECT_EQ(prompter.texts().first(), "Please enter the line number");
    prompter.reply("3");
    choose(&Init::mGoToLineAction);
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().position(), 4);
    prompter.reply("1");
    choose(&Init::mGoToLineAction);
    EXPECT_EQ(testing::tabPane(editor, 0)->textCursor().position(), 0);
}

TEST_F(MenusTest, ExitAsksToQuitAndAboutChangesAndEndsWithStatusZero) {
    const struct {
        const char* name;
        bool changed;
        std::vector<std::optional<Answer>> answers;
        QStringList asked;
        bool exits;
    } rows[] = {
        {"unchanged, yes", false, {Answer::Yes}, {"Are you sure you wish to quit?"}, true},
        {"unchanged, no", false, {Answer::No}, {"Are you sure you wish to quit?"}, false},
        {"unchanged, closed", false, {std::nullopt}, {"Are you sure you wish to quit?"}, false},
        {"changed, yes, no",
         true,
         {Answer::Yes, Answer::No},
         {"Are you sure you wish to quit?", "Save changes?"},
         true},
        {"changed, yes, cancel",
         true,
         {Answer::Yes, Answer::Cancel},
         {"Are you sure you wish to quit?", "Save changes?"},
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Editor& editor = start();
        if (row.changed) testing::tabPane(editor, 0)->appendPlainText("PRINT 1");
        for (const std::optional<Answer>& answer : row.answers) prompter.reply(answer);
        choose(&Init::mExitAction);
        EXPECT_EQ(prompter.texts(), row.asked);
        EXPECT_EQ(std::vector<int>(exits.statuses.begin(), exits.statuses.end()),
                  row.exits ? std::vector<int>{0} : std::vector<int>{});
        EXPECT_TRUE(roads.calls.isEmpty());
        EXPECT_FALSE(QFile::exists(project("Main.bss")));
        stop();
        prompter.clear();
        exits.statuses.clear();
    }
}

TEST_F(MenusTest, FormatAndReplaceAllAreOneUndoableStepEach) {
    Editor& editor = start();
    QPlainTextEdit* other = secondTab("FUNCTION f\n  x=1\n\nENDFUNCTION\n");
    choose(&Init::mFormatAction);
    EXPECT_EQ(other->toPlainText(), "FUNCTION f\n\tx=1\n\t\nENDFUNCTION\n");
    EXPECT_EQ(titles().last(), "two.bss*");
    editor.undo();
    EXPECT_EQ(other->toPlainText(), "FUNCTION f\n  x=1\n\nENDFUNCTION\n");
    // Replace All is one step too.
    ui::findreplace::FindReplacePanel* panel = testing::findPanel(editor, 1);
    testing::part<QComboBox>(panel, "find")->setEditText("UNCTION");
    testing::part<QComboBox>(panel, "replace")->setEditText("yy");
    EXPECT_EQ(panel->replaceAll(), 2);
    editor.undo();
    EXPECT_EQ(other->toPlainText(), "FUNCTION f\n  x=1\n\nENDFUNCTION\n");

    prompter.reply(Answer::No);
    editor.reset(false);
    testing::CapturedOutput output;
    choose(&Init::mFormatAction);
    EXPECT_EQ(output.lines(), QStringList({"Format error!"}));
}

TEST_F(MenusTest, DialogEntriesOpenANewDialogEachTime) {
    Editor& editor = start();
    QStringList shownModal;
    for (QAction* Init::*entry : {&Init::mJ2MESettingsAction, &Init::mJ2MESettingsAction,
                                  &Init::mJ2METypeAction, &Init::mAboutRuntimeAction}) {
        QTimer::singleShot(0, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            shownModal << (modal ? modal->windowTitle() : "none");
            if (modal) modal->reject();
        });
        choose(entry);
    }
    EXPECT_EQ(shownModal, QStringList({"J2ME Compilation Settings", "J2ME Compilation Settings",
                                       "Type Creator", "About Qt"}));
    // The others stay beside the window, each choice a new one, gone once closed.
    for (QAction* Init::*entry : {&Init::mAboutAction, &Init::mAboutAction, &Init::mPreferencesAction})
        choose(entry);
    EXPECT_EQ(editor.findChildren<About*>().size(), 2);
    for (QDialog* dialog : editor.findChildren<QDialog*>()) {
        if (dialog->isVisible()) dialog->close();
    }
    ui::testing::processEventsFor(10);
    EXPECT_TRUE(editor.findChildren<About*>().isEmpty());
}

}  // namespace
}  // namespace editor
