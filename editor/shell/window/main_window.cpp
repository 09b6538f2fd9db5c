#include "main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <cstdio>

#include "action_model.h"
#include "common_actions.h"
#include "environment.h"
#include "find_replace_panel.h"
#include "init.h"
#include "project_roads.h"
#include "prompter.h"
#include "references.h"
#include "res.h"
#include "sc_editor_kit.h"
#include "services.h"
#include "start_up.h"
#include "tarnwell.h"
#include "text_views.h"
#include "ui_toolkit.h"

// A static library's resources are linked in only when something names them.
static void initEditorImages() {
    Q_INIT_RESOURCE(editor_images);
}

namespace editor {
namespace {

using ui::dockable::InnerWindowProperties;
using ui::dockable::action::ZoridActionModel;
using ui::dockable::action::common::CommonActionManager;
using ui::dockable::action::common::ExtractAction;
using ui::dockable::action::common::MaxMinAction;

constexpr char office2003[] = "/org/fife/plaf/Office2003/images/";
constexpr char officeXP[] = "/org/fife/plaf/OfficeXP/images/";

QIcon image(const char* folder, const char* name) {
    return ui::toolkit::Toolkit::getIconFromClasspath(QString(folder) + name);
}

void describe(QAction& action, const QString& shortDescription, const QIcon& icon) {
    ui::dockable::action::putValue(action, "ShortDescription", shortDescription);
    ui::dockable::action::putValue(action, "SmallIcon", icon);
}

// The output pane starts low: 125 pixels under the code view.
class OutputPane : public ui::PlainTextEdit {
public:
    QSize sizeHint() const override { return {150, 125}; }
};

}  // namespace

const ListenerAction::Command ListenerAction::commands[9] = {
    {"New", [](Editor& editor) { editor.reset(true); }},
    {"Load", [](Editor& editor) { editor.load(); }},
    {"Save", [](Editor& editor) { editor.save(); }},
    {"Save_As",
     [](Editor& editor) {
         // Forgetting the location makes the save ask where to go.
         editor.references().saved = false;
         editor.save();
     }},
    {"Run", [](Editor& editor) { editor.Build(1); }},
    {"Compile", [](Editor& editor) { editor.Build(0); }},
    {"Replace", [](Editor& editor) { editor.showFindReplace(true); }},
    {"Find", [](Editor& editor) { editor.showFindReplace(false); }},
    {"Find_Again", [](Editor& editor) { editor.findAgain(); }},
};

namespace {

struct ToolbarButton {
    Res::Key key;
    const char* folder;
    const char* image;
    bool separatorBefore = false;
};

const ToolbarButton toolbarButtons[] = {
    {"New", office2003, "new.gif"},         {"Load", office2003, "open.gif"},
    {"Save", office2003, "save.gif"},       {"Save_As", office2003, "saveas.gif"},
    {"Run", officeXP, "forward.gif", true}, {"Compile", office2003, "close.gif"},
    {"Find", office2003, "find.gif", true}, {"Find_Again", office2003, "findnext.gif"},
    {"Replace", office2003, "replace.gif"}, {"Undo", office2003, "undo.gif", true},
    {"Redo", office2003, "redo.gif"},
};

}  // namespace

Editor::CopyAction::CopyAction(Editor& editor) : QAction(&editor) {
    describe(*this, "Copy the selection", image(office2003, "copy.gif"));
    connect(this, &QAction::triggered, this, [&editor] { editor.copy(); });
}

Editor::CutAction::CutAction(Editor& editor) : QAction(&editor) {
    describe(*this, "Cut the selection", image(office2003, "cut.gif"));
    connect(this, &QAction::triggered, this, [&editor] { editor.cut(); });
}

Editor::PasteAction::PasteAction(Editor& editor) : QAction(&editor) {
    describe(*this, "Paste the clipboard", image(office2003, "paste.gif"));
    connect(this, &QAction::triggered, this, [&editor] { editor.paste(); });
}

Editor::ClearAction::ClearAction(Editor& editor) : QAction(&editor) {
    describe(*this, "Clear the output text", image(office2003, "delete.gif"));
    connect(this, &QAction::triggered, this, [&editor] { editor.compilerM->setPlainText(""); });
}

Editor::ToggleAction::ToggleAction(Editor& editor) : QAction(&editor) {
    describe(*this, "Toggle scrolling", image(officeXP, "forward.gif"));
    connect(this, &QAction::triggered, this, [this, &editor] {
        editor.scrollMessage = !editor.scrollMessage;
        setIcon(image(officeXP, editor.scrollMessage ? "forward.gif" : "back.gif"));
    });
}

void ListenerAction::actionPerformed(const QString& command) {
    for (const Command& each : commands) {
        if (command == res(each.key)) {
            each.run(editor_);
            editor_.showStatus();
            return;
        }
    }
}

ListenerWindow::ListenerWindow(Editor& editor) : QObject(&editor), editor_(editor) {
    editor.installEventFilter(this);
}

bool ListenerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &editor_ && event->type() == QEvent::Close) {
        // The window never closes by itself: the process ends here or the window stays.
        event->ignore();
        windowClosing();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ListenerWindow::windowClosing() {
    if (ui::prompter().askYesNo(nullptr, "Quit?", res("Are_you_sure_you_wish"), ui::Answer::Yes) ==
        ui::Answer::No)
        return;
    editor_.quitAskingToSave();
}

bool Editor::mayEnd() {
    // Before the window is built (the first-run wizard at start-up) there is nothing to lose.
    if (!panel || !hasChangedTab()) return true;
    // A box closed by accident keeps the editor and its changes.
    switch (ui::prompter().askYesNoCancel(this, "Save?", res("Save_changes_"), ui::Answer::Cancel)) {
        case ui::Answer::Yes: {
            // A project without a place asks for one: the kit folder is no place for it.
            if (!references_.saved && roads_) return save();
            // A failed write keeps the editor open with its tabs and their marks.
            if (!writeChangedProject()) return false;
            Targets targets;
            targets.tb = true;
            return !roads_ || roads_->writeProject(*this, 0, targets);
        }
        case ui::Answer::No:
            return true;
        case ui::Answer::Cancel:
            return false;
    }
    return false;
}

void Editor::quitAskingToSave() {
    if (mayEnd()) exitProgram();
}

Editor::Editor(const Services& services, References& references, ProjectRoads* roads, ProjectTools* tools)
    : services_(services), references_(references), roads_(roads), tools_(tools) {
    initEditorImages();
    pane = new ui::dockable::Tarnwell(this);
    new ListenerWindow(*this);
    setWindowState(Qt::WindowMaximized);
    resize(QGuiApplication::primaryScreen()->size());
    setWindowTitle(res("Tesvo_Zorid_Editor"));

    const QString folder = kitFolder();
    std::printf("%s\n%s\n", qPrintable(folder), qPrintable(folder.left(folder.lastIndexOf('/') + 1)));
    std::fflush(stdout);

    if (!initConfig(references_)) return;
    initUI();
    showMaximized();
}

Editor::~Editor() {
    // Destroying the tabs must not reach this half-destroyed window through their signals.
    if (panel) panel->disconnect(this);
    // The tabs go before the tab widget that shows their panes.
    for (int slot = 0; slot < MAXTAB; ++slot) releaseSlot(slot);
    // The docked windows go before their title-bar actions, which would otherwise refill the bars of a
    // window being torn down.
    delete takeCentralWidget();
    // The registration this window made as it built its layout.
    if (init) CommonActionManager::removeCommonAction(ExtractAction::className);
}

void Editor::initUI() {
    init = std::make_unique<Init>(*this);
    setMenuBar(init->getMenu());

    statusBar = new QLabel(res("Main_bss"));
    statusBar->setObjectName("statusBar");
    auto* codePanel = new QWidget;
    auto* codeLayout = new QVBoxLayout(codePanel);
    codeLayout->setContentsMargins(0, 0, 0, 0);
    panel = new QTabWidget;
    panel->setObjectName("panel");
    connect(panel, &QTabWidget::currentChanged, this, &Editor::stateChanged);
    codeLayout->addWidget(panel, 1);
    codeLayout->addWidget(statusBar);
    // The model holds the actions from the last to the first: maximize at 0, copy at 4.
    auto codeActions = std::make_shared<ZoridActionModel>(
        QList<QAction*>{new CopyAction(*this), new CutAction(*this), new PasteAction(*this),
                        new ExtractAction(this), new MaxMinAction(this)});
    pane->addInnerWindow(InnerWindowProperties("Cv", res("Code_View"), QIcon(), codeActions, codePanel),
                         "Center");

    setUpEditor("Main" + references_.fileExt);
    references_.mainName = res("Main");
    references_.mainScreen = 0;
    readDefault(0);

    fb = new ui::treefilebrowser::JTreeFileBrowser(services_.parts().homeFolder);
    fb->addFileSelectionListener(this);
    fb->setFileView(this);

    leftPanel = new QWidget;
    leftPanel->setObjectName("leftPanel");
    auto* leftLayout = new QGridLayout(leftPanel);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(fb, 0, 0);
    if (tools_) javaPanel = tools_->newOptionsPanel(references_);
    if (javaPanel) {
        auto* javaScroll = new QScrollArea;
        javaScroll->setWidgetResizable(true);
        javaScroll->setWidget(javaPanel);
        leftLayout->addWidget(javaScroll, 1, 0);
    }
    pane->addInnerWindow(InnerWindowProperties("Fi", res("Project"), leftPanel), "West");

    compilerM = new OutputPane;
    compilerM->setObjectName("compilerM");
    compilerM->setReadOnly(true);
    auto outputActions = std::make_shared<ZoridActionModel>(QList<QAction*>{
        new ClearAction(*this), new ToggleAction(*this), new ExtractAction(this), new MaxMinAction(this)});
    pane->addInnerWindow(
        InnerWindowProperties("Co", res("Compiler_Output"), QIcon(), outputActions, compilerM), "South");
    appendOutput(res("Welcome_to_Tesvo"));

    setCentralWidget(pane->getView());

    jb = new QToolBar(this);
    jb->setObjectName("toolbar");
    jb->setMovable(false);
    listener_ = std::make_unique<ListenerAction>(*this);
    for (const ToolbarButton& button : toolbarButtons) {
        if (button.separatorBefore) jb->addSeparator();
        QAction* action = jb->addAction(image(button.folder, button.image), res(button.key));
        const QString key = QString::fromUtf8(button.key.name());
        action->setObjectName(key);
        if (key == "Undo") {
            connect(action, &QAction::triggered, this, &Editor::undo);
        } else if (key == "Redo") {
            connect(action, &QAction::triggered, this, &Editor::redo);
        } else {
            connect(action, &QAction::triggered, this,
                    [this, action] { listener_->actionPerformed(action->text()); });
        }
    }
    addToolBar(Qt::TopToolBarArea, jb);

    CommonActionManager::addCommonAction(ExtractAction::className);
}

QPlainTextEdit* Editor::selectedPane() const {
    const SourceTab* tab = tabAt(panel ? panel->currentIndex() : -1);
    return tab ? tab->ep.get() : nullptr;
}

void Editor::cut() {
    if (QPlainTextEdit* pane = selectedPane()) pane->cut();
}

void Editor::copy() {
    if (QPlainTextEdit* pane = selectedPane()) pane->copy();
}

void Editor::paste() {
    if (QPlainTextEdit* pane = selectedPane()) pane->paste();
}

void Editor::selectAll() {
    if (QPlainTextEdit* pane = selectedPane()) pane->selectAll();
}

void Editor::showFindReplace(bool replaceMode) {
    const SourceTab* tab = tabAt(panel->currentIndex());
    if (!tab) return;
    tab->fRPanel->setReplaceMode(replaceMode);
    tab->findReplace->show();
    tab->findReplace->raise();
    tab->findReplace->activateWindow();
}

void Editor::findAgain() {
    if (const SourceTab* tab = tabAt(panel->currentIndex())) tab->fRPanel->find();
}

void Editor::setBookmark(int n) {
    if (QPlainTextEdit* pane = selectedPane()) bookMarks[n - 1] = pane->textCursor().position();
}

void Editor::goToBookmark(int n) {
    QPlainTextEdit* pane = selectedPane();
    if (!pane) return;
    const int position = bookMarks[n - 1];
    // An offset taken in a longer text is refused: the caret stays.
    if (position < 0 || position >= pane->document()->characterCount()) return;
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(position);
    pane->setTextCursor(cursor);
}

int Editor::bookmark(int n) const {
    return bookMarks[n - 1];
}

void Editor::colourTabs(const QString& descriptor) {
    const int tabs = panel ? panel->count() : 0;
    for (int i = 0; i < tabs && i < MAXTAB; ++i) {
        if (const SourceTab* tab = tabAt(i)) tab->sc->readSyntaxColorDescriptor(descriptor);
    }
}

void Editor::enableOptionsPanel(bool java) {
    if (javaPanel) javaPanel->setEnabled(java);
}

void Editor::showOutput(const QString& text) {
    compilerM->setPlainText(text);
}

void Editor::appendOutput(const QString& text) {
    QTextCursor end(compilerM->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    if (scrollMessage) compilerM->moveCursor(QTextCursor::End);
}

bool Editor::save() {
    return roads_ && roads_->save(*this);
}

void Editor::loadProject(const QString& path) {
    if (roads_) roads_->loadProject(*this, path);
    // The loaded project's language reaches the menus, the options panel and the tabs' colouring.
    init->applyLanguage();
    showStatus();
}

void Editor::Build(int run) {
    if (roads_) roads_->build(*this, run);
}

void Editor::Convert() {
    if (roads_) roads_->convert(*this);
}

}  // namespace editor
