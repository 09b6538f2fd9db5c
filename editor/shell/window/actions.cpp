#include "actions.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <cstdio>

#include "build_targets.h"
#include "config_file.h"
#include "environment.h"
#include "files.h"
#include "formatter.h"
#include "init.h"
#include "main_window.h"
#include "preferences.h"
#include "project_roads.h"
#include "prompter.h"
#include "references.h"
#include "res.h"
#include "small_dialogs.h"
#include "start_up.h"
#include "text_files.h"
#include "ui_toolkit.h"

namespace editor {
namespace {

constexpr char office2003[] = "/org/fife/plaf/Office2003/images/";
constexpr char officeXP[] = "/org/fife/plaf/OfficeXP/images/";

QString kitLocation(const References& references) {
    return references.TesvoZoridLocation.value_or(QString());
}

using A = Actions;

}  // namespace

const Actions::Row Actions::rows[51] = {
    {&Init::mNewAction, "New", [](A& a, Init&) { a.editor().reset(true); }},
    {&Init::mOpenAction, "Open", [](A& a, Init&) { a.editor().load(); }},
    {&Init::mSaveAction, "Save", [](A& a, Init&) { a.editor().save(); }},
    {&Init::mSaveAsAction, "Save_As",
     [](A& a, Init&) {
         // Forgetting the location makes the save ask where to go.
         a.references().saved = false;
         a.editor().save();
     }},
    {&Init::mSaveSourceAction, "Save_Source_As", [](A& a, Init&) { a.editor().saveSourceAs(); }},
    {&Init::mPrintAction, "Print", [](A& a, Init&) { a.editor().print(); }},
    {&Init::mExitAction, "Exit", [](A& a, Init&) { a.exit(); }},
    {&Init::mUndoAction, "Undo", [](A& a, Init&) { a.editor().undo(); }},
    {&Init::mRedoAction, "Redo", [](A& a, Init&) { a.editor().redo(); }},
    {&Init::mCutAction, "Cut", [](A& a, Init&) { a.editor().cut(); }},
    {&Init::mCopyAction, "Copy", [](A& a, Init&) { a.editor().copy(); }},
    {&Init::mPasteAction, "Paste", [](A& a, Init&) { a.editor().paste(); }},
    {&Init::mSelectAllAction, "Select_All", [](A& a, Init&) { a.editor().selectAll(); }},
    {&Init::mSetBook1Action, "Set_Bookmark_1", [](A& a, Init&) { a.editor().setBookmark(1); }},
    {&Init::mSetBook2Action, "Set_Bookmark_2", [](A& a, Init&) { a.editor().setBookmark(2); }},
    {&Init::mSetBook3Action, "Set_Bookmark_3", [](A& a, Init&) { a.editor().setBookmark(3); }},
    {&Init::mSetBook4Action, "Set_Bookmark_4", [](A& a, Init&) { a.editor().setBookmark(4); }},
    {&Init::mSetBook5Action, "Set_Bookmark_5", [](A& a, Init&) { a.editor().setBookmark(5); }},
    {&Init::mXPLookAction, "Office_XP", [](A& a, Init&) { a.setLook("XP"); }},
    {&Init::m2003LookAction, "Office_2003", [](A& a, Init&) { a.setLook("2003"); }},
    {&Init::mDefaultLookAction, "Default", [](A& a, Init&) { a.setLook("Default"); }},
    {&Init::mFindReplaceAction, "Find_Replace",
     [](A& a, Init&) { a.editor().showFindReplace(true); }},
    {&Init::mFindReplaceAgainAction, "Find_Again", [](A& a, Init&) { a.editor().findAgain(); }},
    {&Init::mGoToLineAction, "Go_To_Line_", [](A& a, Init&) { a.goToLineNumber(); }},
    {&Init::mDoBook1Action, "Go_To_Bookmark_1", [](A& a, Init&) { a.editor().goToBookmark(1); }},
    {&Init::mDoBook2Action, "Go_To_Bookmark_2", [](A& a, Init&) { a.editor().goToBookmark(2); }},
    {&Init::mDoBook3Action, "Go_To_Bookmark_3", [](A& a, Init&) { a.editor().goToBookmark(3); }},
    {&Init::mDoBook4Action, "Go_To_Bookmark_4", [](A& a, Init&) { a.editor().goToBookmark(4); }},
    {&Init::mDoBook5Action, "Go_To_Bookmark_5", [](A& a, Init&) { a.editor().goToBookmark(5); }},
    {&Init::mCompileAction, "Compile", [](A& a, Init&) { a.editor().Build(0); }},
    {&Init::mExecuteAction, "Execute", [](A& a, Init&) { a.editor().Build(1); }},
    {&Init::mCompilerTesvo, "Tesvo_Zorid", [](A& a, Init&) { a.chooseLanguage(true); }},
    {&Init::mCompilerJ2ME, "J2ME", [](A& a, Init&) { a.chooseLanguage(false); }},
    {&Init::mDeployJava, "J2ME_Based_Devices",
     [](A& a, Init&) { a.editor().targets().toggle(BuildTargets::J2meDevices); }},
    {&Init::mDeployPocketPC, "Pocket_PC_Based",
     [](A& a, Init&) { a.editor().targets().toggle(BuildTargets::PocketPc); }},
    {&Init::mDeployPC, "Microsoft_Windows",
     [](A& a, Init&) { a.editor().targets().toggle(BuildTargets::Windows); }},
    {&Init::mDeployApplet, "Web_Applet",
     [](A& a, Init&) { a.editor().targets().toggle(BuildTargets::Applet); }},
    {&Init::mJ2MESettingsAction, "J2ME_Settings", [](A& a, Init&) { a.openJ2MESettings(); }},
    {&Init::mJ2METypeAction, "Type_Creator", [](A& a, Init&) { a.openTypeCreator(); }},
    {&Init::mProjectPropertiesAction, "Project_Properties",
     [](A& a, Init&) {
         if (ProjectRoads* roads = a.editor().roads()) roads->projectProperties(a.editor());
     }},
    {&Init::m3dAction, "3D_Convertor",
     // The kit folder ends with a separator already: the path holds two in a row, as it always has.
     [](A& a, Init& init) {
         a.openTool(kitLocation(a.references()) + "/3D Convertor/3D Convertor", init.m3dAction->text());
     }},
    {&Init::mFormatAction, "Format", [](A& a, Init&) { a.format(); }},
    {&Init::mConvertAction, "Convert_Source_To", [](A& a, Init&) { a.editor().Convert(); }},
    {&Init::mPreferencesAction, "Preferences", [](A& a, Init&) { a.openPreferences(); }},
    {&Init::mUpdateAction, "Update", [](A& a, Init&) { a.openUpdateCheck(); }},
    {&Init::mUploadAction, "FTP Tool", [](A& a, Init&) { a.openFtpTool(); }},
    {&Init::mTBTemplateAction, "Tesvo_Zorid", [](A& a, Init&) { a.loadTemplate(true); }},
    {&Init::mJ2METemplateAction, "J2ME", [](A& a, Init&) { a.loadTemplate(false); }},
    {&Init::mHelpAction, "Help",
     [](A& a, Init& init) {
         a.openTool(kitLocation(a.references()) + "Documentation/Help.chm", init.mHelpAction->text());
     }},
    {&Init::mAboutAction, "About", [](A& a, Init&) { a.openAbout(); }},
    {&Init::mAboutRuntimeAction, "About_Runtime", [](A& a, Init&) { a.openAboutRuntime(); }},
};

Actions::Actions(Init& init, Editor& editor) : init_(init), editor_(editor) {}

References& Actions::references() const {
    return editor_.references();
}

void Actions::createActions() {
    for (const Row& row : rows) {
        auto* action = new QAction(res(row.key), &editor_);
        QAction*& field = init_.*row.field;
        field = action;
        const auto run = row.run;
        QObject::connect(action, &QAction::triggered, action, [this, run] {
            run(*this, init_);
            editor_.showStatus();
        });
    }
    // Named after their fields: the names shown repeat ("Tesvo Zorid", "J2ME").
    const char* const names[] = {"mNewAction",
                                 "mOpenAction",
                                 "mSaveAction",
                                 "mSaveAsAction",
                                 "mSaveSourceAction",
                                 "mPrintAction",
                                 "mExitAction",
                                 "mUndoAction",
                                 "mRedoAction",
                                 "mCutAction",
                                 "mCopyAction",
                                 "mPasteAction",
                                 "mSelectAllAction",
                                 "mSetBook1Action",
                                 "mSetBook2Action",
                                 "mSetBook3Action",
                                 "mSetBook4Action",
                                 "mSetBook5Action",
                                 "mXPLookAction",
                                 "m2003LookAction",
                                 "mDefaultLookAction",
                                 "mFindReplaceAction",
                                 "mFindReplaceAgainAction",
                                 "mGoToLineAction",
                                 "mDoBook1Action",
                                 "mDoBook2Action",
                                 "mDoBook3Action",
                                 "mDoBook4Action",
                                 "mDoBook5Action",
                                 "mCompileAction",
                                 "mExecuteAction",
                                 "mCompilerTesvo",
                                 "mCompilerJ2ME",
                                 "mDeployJava",
                                 "mDeployPocketPC",
                                 "mDeployPC",
                                 "mDeployApplet",
                                 "mJ2MESettingsAction",
                                 "mJ2METypeAction",
                                 "mProjectPropertiesAction",
                                 "m3dAction",
                                 "mFormatAction",
                                 "mConvertAction",
                                 "mPreferencesAction",
                                 "mUpdateAction",
                                 "mUploadAction",
                                 "mTBTemplateAction",
                                 "mJ2METemplateAction",
                                 "mHelpAction",
                                 "mAboutAction",
                                 "mAboutRuntimeAction"};
    static_assert(std::size(names) == std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) (init_.*rows[i].field)->setObjectName(names[i]);
}

QIcon Actions::marker() {
    return ui::toolkit::Toolkit::getIconFromClasspath(QString(officeXP) + "forward.gif");
}

bool Actions::isMarked(const QAction* action) {
    return action && !action->icon().isNull();
}

void Actions::setMarked(QAction* action, bool marked) {
    action->setIcon(marked ? marker() : QIcon());
}

void Actions::exit() {
    if (ui::prompter().askYesNoCancel(&editor_, QString(), res("Are_you_sure_you_wish"),
                                      ui::Answer::Cancel) != ui::Answer::Yes) {
        return;
    }
    editor_.quitAskingToSave();
}

void Actions::goToLineNumber() {
    const std::optional<QString> typed =
        ui::prompter().askText(nullptr, QString(), res("Please_enter_the_line"));
    if (!typed) return;
    bool number = false;
    const int line = typed->toInt(&number, 10);
    if (number) editor_.GoToLine(line);
}

void Actions::chooseLanguage(bool tesvo) {
    // Choosing the current language switches to the other one.
    const bool toJava = tesvo ? isMarked(init_.mCompilerTesvo) : !isMarked(init_.mCompilerJ2ME);
    if (toJava) {
        doJava();
    } else {
        doTB();
    }
    followMainSource();
}

void Actions::applyLanguage() {
    if (references().compiler == "J2ME") {
        doJava();
    } else {
        doTB();
    }
}

void Actions::doTB() {
    references().compiler = "TB";
    javaShown_ = false;
    editor_.targets().setLanguage("TB");
    showModel();
    showLanguage(false);
}

void Actions::doJava() {
    references().compiler = "J2ME";
    javaShown_ = true;
    editor_.targets().setLanguage("J2ME");
    showModel();
    showLanguage(true);
}

void Actions::showLanguage(bool java) {
    if (ProjectTools* tools = editor_.tools()) tools->enableOptions(java);
    init_.mDeployPocketPC->setEnabled(!java);
    init_.mDeployPC->setEnabled(!java);
    editor_.enableOptionsPanel(java);
    init_.mConvertAction->setEnabled(!java);
    editor_.colourTabs(kitLocation(references()) + "Editor" + References::sep +
                       (java ? "J2ME.syn" : "TB.syn"));
}

void Actions::followMainSource() {
    // The project's sources take the language's extension.
    References& refs = references();
    refs.fileExt = refs.compiler == "J2ME" ? ".java" : ".bss";
    // A Java project's main source is named after the project: the build program starts Game.<name>.
    // Switching back gives the main source its own name again, so a round trip changes nothing.
    if (refs.compiler == "J2ME" && !refs.projectName.isEmpty()) {
        if (!refs.kitMainName && refs.mainName != refs.projectName) refs.kitMainName = refs.mainName;
        refs.mainName = refs.projectName;
    } else if (refs.compiler != "J2ME" && refs.kitMainName) {
        refs.mainName = *refs.kitMainName;
        refs.kitMainName.reset();
    }
    // No tab is renamed: each goes on holding its own file, in whatever language it is written. A tab
    // already open on the language's main source (a conversion's Java) becomes the main tab.
    if (const int open = editor_.tabIndexOf(refs.mainName + refs.fileExt); open >= 0) refs.mainScreen = open;
}

void Actions::showModel() {
    const BuildTargets& model = editor_.targets();
    setMarked(init_.mDeployJava, model.isMarked(BuildTargets::J2meDevices));
    setMarked(init_.mDeployPocketPC, model.isMarked(BuildTargets::PocketPc));
    setMarked(init_.mDeployPC, model.isMarked(BuildTargets::Windows));
    setMarked(init_.mDeployApplet, model.isMarked(BuildTargets::Applet));
    const bool java = model.language() == "J2ME";
    setMarked(init_.mCompilerJ2ME, java);
    setMarked(init_.mCompilerTesvo, !java);
}

void Actions::followModel() {
    showModel();
    // A language set elsewhere (a project loaded) reaches the panel, Convert and the tabs' colouring too.
    const bool java = editor_.targets().language() == "J2ME";
    if (java == javaShown_) return;
    if (java) {
        doJava();
    } else {
        doTB();
    }
}

void Actions::setLanguage(const QString& language) {
    if (language == "J2ME") {
        doJava();
    } else {
        doTB();
    }
    followMainSource();
}

void Actions::loadTemplate(bool tesvo) {
    const QString question =
        tesvo ? QString(
                    "This operation will overwrite all of your code in your main file. Are "
                    "you sure you wish to proceed?")
              : res("This_operation_will");
    if (ui::prompter().askYesNoCancel(nullptr, QString(), question, ui::Answer::Cancel) != ui::Answer::Yes)
        return;
    const QString path = installFolder() + "Editor/" + (tesvo ? "TB.bss" : "J2ME.bss");
    if (!editor_.hasTab(0) || !files().status(path).readable) return;
    const TextRead read = readTextFile(path);
    if (read.failure) return;
    editor_.replaceText(0, tesvo ? read.text : j2meTemplateFor(read.text, references().mainName));
}

void Actions::setLook(const QString& word) {
    references().lookAndFeel = word;
    const bool written = writeConfig(references());
    if (word != "XP" || !written) ui::prompter().inform(&editor_, QString(), res("Please_restart_the"));
}

void Actions::openTool(const QString& path, const QString& name) {
    if (!files().status(path).isFile) {
        ui::prompter().inform(nullptr, QString(), "This feature is not installed");
        return;
    }
    openLocalFile(QDir::cleanPath(path), name);
}

void Actions::format() {
    const int index = editor_.selectedSlot();
    if (index < 0) {
        std::printf("Format error!\n");
        std::fflush(stdout);
        return;
    }
    const QString text = editor_.tabText(index);
    const QString formatted = formatSource(text, references().compiler);
    if (formatted != text) editor_.replaceText(index, formatted);
}

void Actions::openJ2MESettings() {
    if (ProjectTools* tools = editor_.tools()) tools->openJ2MESettings(editor_);
}

void Actions::openTypeCreator() {
    if (ProjectTools* tools = editor_.tools()) tools->openTypeCreator(editor_);
}

void Actions::openFtpTool() {
    if (ProjectTools* tools = editor_.tools()) tools->openFtpTool(editor_);
}

void Actions::openUpdateCheck() {
    if (ProjectTools* tools = editor_.tools()) tools->openUpdateCheck(editor_);
}

void Actions::openPreferences() {
    auto* preferences = new Preferences(&editor_, references(), [this] { return editor_.mayEnd(); });
    preferences->setAttribute(Qt::WA_DeleteOnClose);
    preferences->show();
}

void Actions::openAbout() {
    auto* about = new About(&editor_);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

void Actions::openAboutRuntime() {
    AboutRuntime(&editor_).exec();
}

QString j2meTemplateFor(const QString& templateText, const QString& className) {
    static const QRegularExpression javaName("^[A-Za-z_$][A-Za-z0-9_$]*$");
    static const QRegularExpression declaration("public class ([A-Za-z_$][A-Za-z0-9_$]*)");
    if (!javaName.match(className).hasMatch()) return templateText;
    const QRegularExpressionMatch found = declaration.match(templateText);
    if (!found.hasMatch()) return templateText;
    QString text = templateText;
    text.replace(found.capturedStart(1), found.capturedLength(1), className);
    return text;
}

Init::Init(Editor& editor)
    : menu(new QMenuBar),
      actions_(std::make_unique<Actions>(*this, editor)),
      modelLink_(std::make_unique<QObject>()) {
    actions_->createActions();
    setAcceleratorsAndIcons();
    buildMenus();
    // The marks are the targets model's, from the start on.
    actions_->showModel();
    QObject::connect(&editor.targets(), &BuildTargets::changed, modelLink_.get(),
                     [this] { actions_->followModel(); });
}

Init::~Init() = default;

void Init::applyLanguage() {
    actions_->applyLanguage();
}

void Init::setLanguage(const QString& language) {
    actions_->setLanguage(language);
}

void Init::setAcceleratorsAndIcons() {
    struct Decoration {
        QAction* Init::*field;
        QKeySequence accelerator;
        const char* folder;
        const char* image;
    };
    // In this order: the language and target markers come last but for Help and the About entries.
    const Decoration decorations[] = {
        {&Init::mNewAction, QKeySequence(Qt::CTRL | Qt::Key_N), office2003, "new.gif"},
        {&Init::mOpenAction, QKeySequence(Qt::CTRL | Qt::Key_O), office2003, "open.gif"},
        {&Init::mSaveAction, QKeySequence(Qt::CTRL | Qt::Key_S), office2003, "save.gif"},
        {&Init::mSaveAsAction, {}, office2003, "saveas.gif"},
        {&Init::mSaveSourceAction, {}, office2003, "save.gif"},
        {&Init::mPrintAction, QKeySequence(Qt::CTRL | Qt::Key_P), office2003, "print.gif"},
        {&Init::mExitAction, {}, office2003, "delete.gif"},
        {&Init::mUndoAction, QKeySequence(Qt::CTRL | Qt::Key_U), office2003, "undo.gif"},
        {&Init::mRedoAction, QKeySequence(Qt::CTRL | Qt::Key_R), office2003, "redo.gif"},
        {&Init::mCutAction, QKeySequence(Qt::CTRL | Qt::Key_X), office2003, "cut.gif"},
        {&Init::mCopyAction, QKeySequence(Qt::CTRL | Qt::Key_C), office2003, "copy.gif"},
        {&Init::mPasteAction, QKeySequence(Qt::CTRL | Qt::Key_V), office2003, "paste.gif"},
        {&Init::mSelectAllAction, QKeySequence(Qt::CTRL | Qt::Key_A), office2003, "selectall.gif"},
        {&Init::mFindReplaceAction, QKeySequence(Qt::CTRL | Qt::Key_F), office2003, "find.gif"},
        {&Init::mFindReplaceAgainAction, {}, office2003, "findnext.gif"},
        {&Init::mProjectPropertiesAction, {}, office2003, "options.gif"},
        {&Init::mExecuteAction, QKeySequence(Qt::Key_F5), officeXP, "forward.gif"},
        {&Init::mCompileAction, QKeySequence(Qt::Key_F4), office2003, "close.gif"},
        {&Init::mCompilerTesvo, {}, officeXP, "forward.gif"},
        {&Init::mDeployJava, {}, officeXP, "forward.gif"},
        {&Init::mHelpAction, {}, office2003, "help.gif"},
        {&Init::mAboutAction, {}, office2003, "about.gif"},
        {&Init::mAboutRuntimeAction, {}, office2003, "about.gif"},
    };
    for (const Decoration& each : decorations) {
        QAction* action = this->*each.field;
        if (!each.accelerator.isEmpty()) action->setShortcut(each.accelerator);
        action->setIcon(ui::toolkit::Toolkit::getIconFromClasspath(QString(each.folder) + each.image));
    }
}

void Init::buildMenus() {
    auto add = [this](QMenu* into, std::initializer_list<QAction * Init::*> fields) {
        for (QAction* Init::*field : fields) into->addAction(this->*field);
    };
    auto submenu = [&add](QMenu* parent, Res::Key key, std::initializer_list<QAction * Init::*> fields) {
        QMenu* sub = parent->addMenu(res(key));
        sub->setObjectName(QString::fromUtf8(key.name()));
        add(sub, fields);
    };
    auto top = [this](Res::Key key) {
        QMenu* m = menu->addMenu(res(key));
        m->setObjectName(QString::fromUtf8(key.name()));
        return m;
    };

    QMenu* file = top("File");
    add(file, {&Init::mNewAction, &Init::mOpenAction});
    file->addSeparator();
    add(file, {&Init::mSaveAction, &Init::mSaveAsAction, &Init::mSaveSourceAction});
    file->addSeparator();
    add(file, {&Init::mPrintAction});
    file->addSeparator();
    add(file, {&Init::mExitAction});

    QMenu* edit = top("Edit");
    add(edit, {&Init::mUndoAction, &Init::mRedoAction});
    edit->addSeparator();
    add(edit, {&Init::mCutAction, &Init::mCopyAction, &Init::mPasteAction, &Init::mSelectAllAction});
    edit->addSeparator();
    submenu(edit, "Set_Bookmark",
            {&Init::mSetBook1Action, &Init::mSetBook2Action, &Init::mSetBook3Action, &Init::mSetBook4Action,
             &Init::mSetBook5Action});
    edit->addSeparator();
    submenu(edit, "Set_Look", {&Init::mDefaultLookAction, &Init::mXPLookAction, &Init::m2003LookAction});

    QMenu* search = top("Search");
    add(search, {&Init::mFindReplaceAction, &Init::mFindReplaceAgainAction});
    search->addSeparator();
    add(search, {&Init::mGoToLineAction});
    submenu(search, "Go_To_Bookmark",
            {&Init::mDoBook1Action, &Init::mDoBook2Action, &Init::mDoBook3Action, &Init::mDoBook4Action,
             &Init::mDoBook5Action});

    QMenu* project = top("Project");
    add(project, {&Init::mCompileAction, &Init::mExecuteAction});
    project->addSeparator();
    submenu(project, "Compiler", {&Init::mCompilerTesvo, &Init::mCompilerJ2ME});
    submenu(project, "Platform",
            {&Init::mDeployJava, &Init::mDeployPocketPC, &Init::mDeployPC, &Init::mDeployApplet});
    project->addSeparator();
    add(project, {&Init::mJ2MESettingsAction, &Init::mJ2METypeAction});
    project->addSeparator();
    add(project, {&Init::mProjectPropertiesAction});

    QMenu* tools = top("Tools");
    add(tools, {&Init::m3dAction, &Init::mConvertAction});
    tools->addSeparator();
    submenu(tools, "Source", {&Init::mFormatAction});
    tools->addSeparator();
    submenu(tools, "Load_Template", {&Init::mTBTemplateAction, &Init::mJ2METemplateAction});
    tools->addSeparator();
    add(tools, {&Init::mPreferencesAction});
    tools->addSeparator();
    add(tools, {&Init::mUpdateAction, &Init::mUploadAction});

    QMenu* help = top("Help");
    add(help, {&Init::mHelpAction});
    help->addSeparator();
    add(help, {&Init::mAboutAction, &Init::mAboutRuntimeAction});
    help->addSeparator();
}

}  // namespace editor
