// The main window as the editor starts it, its toolbar and title-bar actions, its images and its closing.
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include "common_actions.h"
#include "editor_fixture.h"
#include "init.h"
#include "inner_window.h"
#include "new_install.h"
#include "preferences.h"
#include "res.h"
#include "tarnwell.h"
#include "title_bar.h"

static void loadEditorImages() {
    Q_INIT_RESOURCE(editor_images);
}

namespace editor {
namespace {

using testing::EditorTest;
using ui::Answer;
using ui::dockable::action::common::ExtractAction;
using ui::dockable::action::common::MaxMinAction;

// What a title bar or an action model shows, one word per entry.
QString kind(QAction* action) {
    if (dynamic_cast<MaxMinAction*>(action)) return "maxmin";
    if (dynamic_cast<ExtractAction*>(action)) return "extract";
    if (dynamic_cast<Editor::CopyAction*>(action)) return "copy";
    if (dynamic_cast<Editor::CutAction*>(action)) return "cut";
    if (dynamic_cast<Editor::PasteAction*>(action)) return "paste";
    if (dynamic_cast<Editor::ClearAction*>(action)) return "clear";
    if (dynamic_cast<Editor::ToggleAction*>(action)) return "toggle";
    return "?";
}

QStringList ownActions(Editor& window, const char* id) {
    QStringList kinds;
    auto* model = testing::tarnwell(window)->innerWindowForId(id)->getOwnActionModel();
    for (int i = 0; i < model->getActionCount(); ++i) kinds << kind(model->getAction(i));
    return kinds;
}

QStringList titleBar(Editor& window, const char* id) {
    QStringList kinds;
    auto* bar = dynamic_cast<ui::dockable::DefaultTitleBar*>(
        testing::tarnwell(window)->innerWindowForId(id)->titleBar());
    for (QAbstractButton* button : bar->buttons()) {
        auto* tool = qobject_cast<QToolButton*>(button);
        kinds << kind(tool ? tool->defaultAction() : nullptr);
    }
    return kinds;
}

QImage picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage image(const QString& path) {
    return QImageReader(":" + path).read().convertToFormat(QImage::Format_ARGB32);
}

TEST_F(EditorTest, StartsWithTheMainTabTheWelcomeTheDockedWindowsAndTheToolbar) {
    testing::CapturedOutput output;
    Editor& editor = start();
    const QStringList lines = output.lines();
    const QString folder = kitDir.path();
    EXPECT_EQ(lines, QStringList({folder, folder.left(folder.lastIndexOf('/') + 1)}));

    EXPECT_EQ(editor.windowTitle(), "Tesvo Zorid Editor");
    EXPECT_TRUE(editor.isMaximized());
    EXPECT_EQ(titles(), QStringList({"Main.bss"}));
    EXPECT_EQ(text(0), templateText());
    EXPECT_FALSE(templateText().isEmpty());
    EXPECT_EQ(testing::statusLine(editor)->text(), "myProject : Main.bss");
    EXPECT_EQ(testing::outputPane(editor)->toPlainText(), "Welcome to Tesvo Zorid");
    EXPECT_EQ(references.mainName, "Main");
    EXPECT_EQ(references.mainScreen, 0);

    // The own models hold the actions in the reverse of the order they were given; each bar shows a
    // class once.
    EXPECT_EQ(ownActions(editor, "Cv"), QStringList({"maxmin", "extract", "paste", "cut", "copy"}));
    EXPECT_EQ(ownActions(editor, "Co"), QStringList({"maxmin", "extract", "toggle", "clear"}));
    EXPECT_EQ(titleBar(editor, "Cv"), ownActions(editor, "Cv"));
    EXPECT_EQ(titleBar(editor, "Co"), ownActions(editor, "Co"));
    EXPECT_EQ(titleBar(editor, "Fi"), QStringList({"maxmin", "extract"}));

    // The panel the language switch enables is the one in the project window's lower cell.
    auto* cells = qobject_cast<QGridLayout*>(testing::projectWindow(editor)->layout());
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->itemAtPosition(0, 0)->widget(), testing::projectTree(editor));
    auto* lower = qobject_cast<QScrollArea*>(cells->itemAtPosition(1, 0)->widget());
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower->widget(), tools.panel);
    EXPECT_TRUE(tools.panel->isVisible());

    QStringList tips;
    for (QAction* action : testing::toolBar(editor)->actions())
        tips << (action->isSeparator() ? "|" : action->toolTip());
    EXPECT_EQ(tips, QStringList({"New", "Load", "Save", "Save As", "|", "Run", "Compile", "|", "Find",
                                 "Find Again", "Replace", "|", "Undo", "Redo"}));
    EXPECT_EQ(picture(testing::toolBar(editor)->actions().at(5)->icon()),
              image("/org/fife/plaf/OfficeXP/images/forward.gif"));
}

// The J2ME options panel and the J2ME, FTP and update entries belong to the project side: the window
// reaches them through the installed project tools only, and without tools it leaves the place below the
// tree empty and the entries do nothing.
TEST_F(EditorTest, TheProjectSidesToolsAreReachedThroughTheirSeamOnly) {
    Editor& editor = start();
    for (QAction* Init::*entry : {&Init::mCompilerTesvo, &Init::mCompilerJ2ME, &Init::mJ2MESettingsAction,
                                  &Init::mJ2METypeAction, &Init::mUploadAction, &Init::mUpdateAction}) {
        (editor.menus().*entry)->trigger();
    }
    editor.reset(true);
    EXPECT_EQ(tools.calls,
              QStringList({"newOptionsPanel", "enableOptions 1", "enableOptions 0", "openJ2MESettings",
                           "openTypeCreator", "openFtpTool", "openUpdateCheck", "clearOptions"}));

    toolsInUse = nullptr;
    Editor& bare = start();
    EXPECT_EQ(testing::optionsPanel(bare), nullptr);
    auto* cells = qobject_cast<QGridLayout*>(testing::projectWindow(bare)->layout());
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->count(), 1);
    for (QAction* Init::*entry : {&Init::mCompilerTesvo, &Init::mJ2MESettingsAction, &Init::mJ2METypeAction,
                                  &Init::mUploadAction, &Init::mUpdateAction}) {
        (bare.menus().*entry)->trigger();
    }
    bare.reset(true);
    EXPECT_EQ(tools.calls.size(), 8);
}

TEST(EditorImages, EveryImageTheToolbarTitleBarsAndMenusNameIsOurs) {
    loadEditorImages();
    const QStringList office2003{"about",   "close", "copy",   "cut",       "delete", "find",  "findnext",
                                 "help",    "new",   "open",   "options",   "paste",  "print", "redo",
                                 "replace", "save",  "saveas", "selectall", "undo"};
    QStringList paths{"/org/fife/plaf/OfficeXP/images/forward.gif",
                      "/org/fife/plaf/OfficeXP/images/back.gif"};
    for (const QString& name : office2003) paths << "/org/fife/plaf/Office2003/images/" + name + ".gif";
    QSet<QByteArray> drawn;
    for (const QString& path : paths) {
        const QImage read = image(path);
        EXPECT_EQ(read.size(), QSize(16, 16)) << path.toStdString();
        drawn.insert(QByteArray(reinterpret_cast<const char*>(read.constBits()), read.sizeInBytes()));
    }
    EXPECT_EQ(drawn.size(), paths.size()) << "two images are the same picture";
}

TEST_F(EditorTest, ToolbarCommandsAndTitleBarActionsActOnTheSelectedTab) {
    Editor& editor = start();
    auto trigger = [&](const char* key) { testing::toolBar(editor)->findChild<QAction*>(key)->trigger(); };
    references.saved = true;
    for (const char* key : {"Save", "Save_As", "Run", "Compile"}) trigger(key);
    EXPECT_EQ(roads.calls, QStringList({"save saved=1", "save saved=0", "build 1", "build 0"}));

    for (const char* key : {"Find", "Replace"}) {
        trigger(key);
        EXPECT_TRUE(testing::findDialog(editor, 0)->isVisible()) << key;
        testing::findDialog(editor, 0)->hide();
    }

    // New asks nothing for unchanged tabs and starts afresh.
    QPlainTextEdit* outputPane = testing::outputPane(editor);
    outputPane->setPlainText("old output");
    trigger("New");
    EXPECT_EQ(titles(), QStringList({"Main.bss"}));
    EXPECT_EQ(outputPane->toPlainText(), "Welcome to Tesvo Zorid");

    auto* output = testing::tarnwell(editor)->innerWindowForId("Co")->getOwnActionModel();
    QAction* toggle = output->getAction(2);
    const QImage forward = image("/org/fife/plaf/OfficeXP/images/forward.gif");
    const QImage back = image("/org/fife/plaf/OfficeXP/images/back.gif");
    // While it scrolls, the pane's caret follows the newest text.
    for (const auto& [scrolling, shown] : {std::pair{false, back}, std::pair{true, forward}}) {
        toggle->trigger();
        outputPane->moveCursor(QTextCursor::Start);
        editor.appendOutput("\nmore");
        EXPECT_EQ(outputPane->textCursor().atEnd(), scrolling);
        EXPECT_EQ(picture(toggle->icon()), shown);
    }
    output->getAction(3)->trigger();
    EXPECT_EQ(outputPane->toPlainText(), "");

    // Cut and paste reach the selected tab; with no tab they do nothing.
    auto* code = testing::tarnwell(editor)->innerWindowForId("Cv")->getOwnActionModel();
    QTextCursor firstWord(testing::tabPane(editor, 0)->document());
    firstWord.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    testing::tabPane(editor, 0)->setTextCursor(firstWord);
    code->getAction(3)->trigger();
    EXPECT_EQ(text(0), templateText().mid(3));
    code->getAction(2)->trigger();
    EXPECT_EQ(text(0), templateText());
    prompter.reply(Answer::No);
    editor.reset(false);
    for (int i = 2; i < 5; ++i) code->getAction(i)->trigger();
    EXPECT_EQ(tabs().count(), 0);
}

struct CloseRow {
    const char* name;
    bool changed;
    std::vector<std::optional<Answer>> answers;
    bool projectWrites;
    bool tabWrites;
    bool exits;
};

TEST_F(EditorTest, ClosingAsksToQuitAndToSaveAndStaysOpenUnlessTheEditorCanEnd) {
    const CloseRow rows[] = {
        {"no change, yes", false, {Answer::Yes}, true, true, true},
        {"no change, no", false, {Answer::No}, true, true, false},
        {"no change, quit box closed", false, {std::nullopt}, true, true, true},
        {"changed, cancel", true, {Answer::Yes, Answer::Cancel}, true, true, false},
        {"changed, save box closed", true, {Answer::Yes, std::nullopt}, true, true, false},
        {"changed, no", true, {Answer::Yes, Answer::No}, true, true, true},
        {"changed, yes", true, {Answer::Yes, Answer::Yes}, true, true, true},
        {"changed, yes, tab write fails", true, {Answer::Yes, Answer::Yes}, true, false, false},
        {"changed, yes, project write fails", true, {Answer::Yes, Answer::Yes}, false, true, false},
    };
    for (const CloseRow& row : rows) {
        SCOPED_TRACE(row.name);
        Editor& editor = start();
        references.saved = true;  // a project with a place: its files are written there
        testing::writeFile(project("file"), "tool");
        references.LoadedPath = row.tabWrites ? project() : project("file/");
        roads.writes = row.projectWrites;
        if (row.changed) testing::tabPane(editor, 0)->appendPlainText("PRINT 1");
        for (const std::optional<Answer>& answer : row.answers) prompter.reply(answer);
        editor.close();

        QStringList asked{"Are you sure you wish to quit?"};
        if (row.changed && row.answers.front() != Answer::No) asked << "Save changes?";
        EXPECT_EQ(prompter.texts(), asked);
        // As std::vector: Qt's comparison of two empty integer lists trips the sanitizer.
        EXPECT_EQ(std::vector<int>(exits.statuses.begin(), exits.statuses.end()),
                  row.exits ? std::vector<int>{0} : std::vector<int>{});
        const bool saving = row.changed && row.answers.back() == Answer::Yes;
        EXPECT_EQ(QFile::exists(project("Main.bss")), saving && row.tabWrites);
        EXPECT_EQ(roads.calls, saving && row.tabWrites ? QStringList{"writeProject 0 TB"} : QStringList{});
        EXPECT_EQ(reporter.reports.size(), saving && !row.tabWrites ? 1 : 0);
        // A close that did not end the editor leaves the tab and its changes as they were.
        if (row.changed && !row.exits) {
            EXPECT_EQ(titles(), QStringList({"Main.bss*"}));
            EXPECT_EQ(text(0), templateText() + "\nPRINT 1");
        }
        EXPECT_TRUE(editor.isVisible());
        stop();
        QFile::remove(project("Main.bss"));
        prompter.clear();
        exits.statuses.clear();
        roads.calls.clear();
        reporter.reports.clear();
    }
}

// Tools, Preferences, Scan, Exit ends the whole editor, as at start-up: like every road to the end, it asks
// "Save changes?" while a tab is changed, and Cancel keeps the wizard open.
TEST_F(EditorTest, TheWizardsExitAsksToSaveChangesBeforeItEndsTheEditor) {
    Editor& editor = start();
    references.saved = true;
    testing::tabPane(editor, 0)->appendPlainText("PRINT 1");
    editor.menus().mPreferencesAction->trigger();
    auto* preferences = editor.findChild<Preferences*>();
    ASSERT_NE(preferences, nullptr);
    bool stayedOpen = false;
    testing::WizardWatch watch([&](NewInstall& wizard) {
        prompter.reply(Answer::Cancel);
        testing::part<QPushButton>(&wizard, "exit")->click();
        stayedOpen = wizard.isVisible() && exits.statuses.isEmpty();
        prompter.reply(Answer::Yes);
        testing::part<QPushButton>(&wizard, "exit")->click();
    });
    testing::part<QPushButton>(preferences, "button2")->click();
    EXPECT_EQ(watch.shown, 1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(prompter.texts(), QStringList({"Save changes?", "Save changes?",
                                             "Your configuration file has not be verified, ensure that you "
                                             "have the correct SDK's installed"}));
    EXPECT_EQ(std::vector<int>(exits.statuses.begin(), exits.statuses.end()), std::vector<int>{0});
    EXPECT_EQ(QString::fromUtf8(testing::readFile(project("Main.bss"))), templateText() + "\nPRINT 1");
    EXPECT_EQ(roads.calls, QStringList{"writeProject 0 TB"});
    preferences->close();
}

}  // namespace
}  // namespace editor
