#pragma once
// The editor's one main window: a toolbar over the docking container with the code view "Cv" (up to 15
// source tabs over a status line), the project tree "Fi" (the tree browser over the project side's J2ME
// options panel) and the compiler output "Co". Its widgets are its own. Public are the operations the
// project side and the dialogs call (the source tabs, the editing aids, the output pane, the project's
// roads); the menus, the toolbar and the close box are the window's own parts and use its private commands.
// The window's own parts are in main_window.cpp, the source-tab operations in source_tabs.cpp, the editing
// aids in editing_aids.cpp.
#include <QAction>
#include <QMainWindow>
#include <array>
#include <memory>

#include "build_targets.h"
#include "res.h"
#include "text_files.h"
#include "tree_file_browser.h"

class QDialog;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QToolBar;
class QUndoStack;

namespace ui::dockable {
class Tarnwell;
}
namespace ui::findreplace {
class FindReplacePanel;
}
namespace ui::sc {
class ScEditorKit;
}

namespace editor {

// One source tab: what a tab slot holds while a tab uses it, all of it freed with the slot. A slot is
// free while its `sc` is empty.
struct SourceTab {
    // In the order they go when the slot is freed: the colouring kit and the find/replace dialog before the
    // pane they work on.
    std::unique_ptr<ui::sc::ScEditorKit> sc;  // the syntax colouring of the tab's text
    std::unique_ptr<QDialog> findReplace;  // the tab's find/replace dialog: non-modal, hidden until asked for
    ui::findreplace::FindReplacePanel* fRPanel = nullptr;  // the panel inside findReplace
    std::unique_ptr<QPlainTextEdit> ep;                    // the text pane, a page of the tab widget
    QString unloaded;  // the file that failed to load into the tab, which is then read-only and never written
    QString file;      // the file the tab holds: loaded from or last written to; empty for a tab without one
    TextForm form;     // how that file was written: encoding, byte-order mark, line ends
    std::optional<QByteArray> stamp;  // a digest of the file's bytes as the tab read or last wrote them
};

class Actions;
class Init;
class ListenerAction;
class ListenerWindow;
class ProjectRoads;
class ProjectTools;
class References;
class Services;
class UndoGroup;

class Editor : public QMainWindow,
               public ui::treefilebrowser::FileSelectionListener,
               public ui::treefilebrowser::FileView {
    Q_OBJECT
public:
    static constexpr int MAXTAB = 15;

    // Builds, configures and shows the window: the configuration is read (and the first-run wizard run)
    // before the widgets are built; when the wizard's Exit ended the editor, the window is neither built
    // nor shown. `services` are the ones the editor meets the world through (the project tree starts at
    // their home folder); `roads` and `tools` (either may be null: those roads then do nothing) are the
    // project side's. All of them outlive the window.
    Editor(const Services& services, References& references, ProjectRoads* roads, ProjectTools* tools);
    ~Editor() override;

    References& references() const { return references_; }
    // The marked build targets and the project's language, which the menus show.
    BuildTargets& targets() { return targets_; }
    Init& menus() const { return *init; }
    // Bookmark n (1 to 5): a caret position, taken in a tab and used in any; 0 until set.
    int bookmark(int n) const;

    // The title-bar actions of "Cv" and "Co".
    class CopyAction;
    class CutAction;
    class PasteAction;
    class ClearAction;
    class ToggleAction;

    // Source tabs. A tab slot is free or holds one tab; a used slot's tab has index slot.
    // A new, empty tab at the end in the first free slot; returns the slot, -1 (and the warning "Maximum
    // tabs used") when none was free.
    int setUpEditor(const QString& title);
    void closeEditor(int slot);
    bool hasTab(int slot) const;
    int tabCount() const;
    // The title of tab `index`, with its "*" while it is changed.
    QString tabTitle(int index) const;
    void setTabTitle(int index, const QString& title);
    // The index of the tab titled `title`, its "*" aside; -1 when none is.
    int tabIndexOf(const QString& title) const;
    void selectTab(int index);
    void selectSlot(int slot);
    // Closes the project's tabs, after asking whether to save changed ones, and with `fresh` opens a
    // main tab with the template. False when the user cancelled or a write failed: nothing changed then.
    bool reset(bool fresh);
    void load();
    // Fills `slot` with the file at `path` as it opens; the tab remembers the file's form (encoding, line
    // ends) to write it back in, and its bytes, to tell another program's change. A file that cannot be
    // read, or whose bytes would not come back as they are (a NUL byte), leaves the tab empty and
    // read-only, and the editor never writes from it (unloadedFile); false then.
    bool loadTab(int slot, const QString& path);
    // The file that failed to load into `slot`; empty when its text is the user's.
    QString unloadedFile(int slot) const;
    // The file the tab of `slot` holds: the one it was loaded from or last written to; empty for a tab
    // that has none yet (a new project's, a new class's).
    QString tabFile(int slot) const;
    // Whether tab `index` may be written to its file LoadedPath + its title: a file there that the tab
    // does not hold is replaced only when the user says so (then the tab holds it).
    bool mayTakeFile(int index);
    // The text of the tab of currentScreen, filled as it opens (no changed mark).
    void fillEditor(const QString& text);
    // The text of a slot as it is written: line ends "\n", every character kept.
    QString tabText(int slot) const;
    // The whole text of `slot` set as an edit of the user's: the tab is marked changed.
    void setTabText(int slot, const QString& text);
    // Gives the tab of `slot` its one "*".
    void markChanged(int slot);
    bool hasChangedTab() const;
    // Writes the text of `slot` to LoadedPath + `name` (one trailing "*" removed) in the form of the tab's
    // file. A failure is shown with Error and leaves the old file whole; the result says whether the file
    // was written. A tab whose file failed to load is never written.
    bool writeAFile(const QString& name, int slot);
    // Writes tab `index` to its file and takes its "*" away; false when the write failed or the user
    // kept a file the tab does not hold (mayTakeFile). A file another program changed since the tab read
    // or wrote it is written over only when the user says so (mayWriteOver).
    bool writeTab(int index);
    // Every tab to its file; a tab written loses its "*", an unchanged tab whose file failed to load is
    // left out. False when any write failed.
    bool writeAllFiles();
    // The execution copy LoadedPath + projectName + "X.bss": the main source's text (its tab, else its
    // file), then each include's text. Refused (Error naming the file) while the main source or an include
    // failed to load, or the main source is neither open nor there. A Java project has none: only the
    // refusal is checked.
    bool writeAllFilesX();
    void deleteAllFilesX();
    // The execution copy LoadedPath + projectName + "X.bss", which every compile of the kit's language
    // writes.
    QString executionCopy() const;
    // Whether a tab or a source include holds the execution copy, which a compile would write over.
    bool holdsExecutionCopy() const;
    // The next backup generation of every tab: the title without its last two characters, the level
    // digit, ".bak".
    void backup();
    // Opens the Java source a conversion left in a selected tab: its open tab, else a new one.
    void copyIn();
    void saveSourceAs();
    // A file chosen in the project tree: a project file opens, a source of the project is shown, another
    // is offered to the project, an image is shown.
    void fileSelected(const QList<QFileInfo>& files) override;

    // The output pane: its whole text replaced, or text added at its end (followed while it scrolls).
    void showOutput(const QString& text);
    void appendOutput(const QString& text);

    // Before the editor ends: asks "Save changes?" while a tab is changed and writes them on Yes. False
    // when the user cancelled or a write failed: the editor must stay.
    bool mayEnd();

    // The project side (project_roads.h); each does nothing without it.
    bool save();
    void loadProject(const QString& path);
    void Build(int run);
    void Convert();

    // Editing aids (editing_aids.cpp). Each tab slot's history holds its own tab's edits, at most 100,
    // whatever tab was selected when they were made; a slot set up again starts a new one.
    // One step back or forward in the selected tab's history.
    void undo();
    void redo();
    // Moves the selected tab's caret to the start of line `line`, counted from 1; a line that is not
    // there leaves it (editing_aids.h: goToLinePosition).
    void GoToLine(int line);
    // The whole text of `slot` replaced as one undoable step, which marks the tab changed.
    void replaceText(int slot, const QString& text);
    // Prints the selected tab; a failure prints "Error Printing Document" on standard output.
    void print();

private:
    // The window's own parts act on it through the commands below: the menus' table (actions.cpp), the
    // toolbar's and the close box's listeners, the undo steps.
    friend class Actions;
    friend class Init;
    friend class ListenerAction;
    friend class ListenerWindow;
    friend class UndoGroup;

    ProjectRoads* roads() const { return roads_; }
    ProjectTools* tools() const { return tools_; }

    // The menus' commands on the selected tab; with no tab selected they do nothing. The clipboard:
    void cut();
    void copy();
    void paste();
    void selectAll();
    // Shows the selected tab's find/replace dialog, in replace mode (the "Replace with :" field and the
    // replace buttons usable) or in find mode.
    void showFindReplace(bool replaceMode);
    // The selected tab's next match of its dialog's text.
    void findAgain();
    // Bookmark n takes the selected tab's caret; going to it, an offset past the end of the selected tab's
    // text leaves the caret where it is.
    void setBookmark(int n);
    void goToBookmark(int n);
    // The slot of the selected tab, -1 when no tab is selected.
    int selectedSlot() const;

    // The language shown: every tab coloured by the syntax descriptor at `descriptor`, the options panel
    // usable in Java only.
    void colourTabs(const QString& descriptor);
    void enableOptionsPanel(bool java);
    // The end of the editor once the user wants to quit: ends with status 0 when mayEnd.
    void quitAskingToSave();
    // The status line under the tabs: the project's name and the selected tab's title. Every command of
    // the menus, the toolbar and the project tree ends with it, so no change of either leaves it stale.
    void showStatus();

    // Before the text of tab `index` goes to its file or into the execution copy: whether the file is
    // still what the tab read or last wrote. If another program changed it, the user chooses: Reload it
    // into the tab (an undoable step), keep the tab's text (Kept: the file will be written over), or cancel.
    enum class OnDisk { Unchanged, Kept, Reloaded, Cancelled };
    OnDisk mayWriteOver(int index);

    // How the project tree shows a file: sources, projects and images each on a colour of their own.
    std::optional<QIcon> getIcon(const QFileInfo&) override { return std::nullopt; }
    std::optional<QColor> getForeground(const QFileInfo&) override { return std::nullopt; }
    std::optional<QColor> getBackground(const QFileInfo& file) override;

    void initUI();
    // The lowest free slot, also stored as currentScreen; -1 (and the warning) when all are used.
    int getFreeNumber();
    void readDefault(int slot);
    // The whole text of a file; on failure the message "Could not load file " + path and the empty text.
    QString getFile(const QString& path);
    void stateChanged(int index);
    // The tab of the main source mainName + fileExt: mainScreen's when it is that file; -1 when no tab
    // is (after a switch of language the main tab keeps the other language's file).
    int mainSourceTab() const;
    QPlainTextEdit* selectedPane() const;
    // The tab of `slot`; nullptr for a free slot or a number that is no slot.
    SourceTab* tabAt(int slot);
    const SourceTab* tabAt(int slot) const;
    // Sets the text of a slot as it opens: filling is no user edit.
    void fillTab(int slot, const QString& text);
    // Every tab to its file as the project closes, the marks left as they are: a failed write (shown)
    // ends it with false, so nothing the user changed is lost. A tab whose file failed to load is left out.
    bool writeChangedProject();
    // Writes tab `index` to LoadedPath + its title once mayTakeFile and mayWriteOver allow; the tab then
    // holds that file.
    bool writeOwnFile(int index);
    // The text of `slot` written to `path` in the form of the tab's file; when Latin-1 cannot hold it, in
    // UTF-8 once the user agrees (`ask`) or without asking. A refusal or failure is shown with `operation`
    // as Error's detail; nothing then.
    std::optional<EncodedText> writeSlot(int slot, const QString& path, const QString& operation, bool ask);
    // The tab of `slot` holds the file it was written to: the next write starts from that form and stamp.
    void adoptWritten(int slot, const EncodedText& written);
    bool isTabFile(int slot, const QString& path) const;
    // "Could not load file " + path, shown and traced.
    void reportUnloadable(const QString& path, const QString& failure);
    // A new history for a slot being set up, its edits recorded and its keys routed to undo and redo.
    void setUpUndo(int slot);
    void forgetEdits(int slot);
    void releaseSlot(int slot);

    const Services& services_;
    References& references_;
    ProjectRoads* roads_;
    ProjectTools* tools_;
    BuildTargets targets_;
    ui::dockable::Tarnwell* pane = nullptr;  // the docking container of "Cv", "Fi" and "Co"
    QLabel* statusBar = nullptr;  // under the tabs: the project's name and the selected tab's title
    ui::treefilebrowser::JTreeFileBrowser* fb = nullptr;  // the project tree, in "Fi"
    std::unique_ptr<Init> init;                           // the menu bar and its actions
    QToolBar* jb = nullptr;                               // the toolbar
    std::unique_ptr<ListenerAction> listener_;            // the toolbar's file, run and search buttons
    std::array<SourceTab, MAXTAB> tabs_;
    // Children of the window, each named "history<slot>"; a slot's history outlives its tab.
    std::array<QUndoStack*, MAXTAB> histories_{};
    std::array<int, 5> bookMarks{};       // caret positions, 0 until set
    QTabWidget* panel = nullptr;          // the source tabs, in "Cv"
    QPlainTextEdit* compilerM = nullptr;  // the compiler output, read-only, in "Co"
    QWidget* javaPanel = nullptr;         // the project side's options panel, when it gave one
    QWidget* leftPanel = nullptr;         // "Fi": the project tree over the options panel
    bool scrollMessage = true;            // the output pane follows its newest text
    int filling_ = 0;  // while above 0, a tab is being filled as it opens: no edit of the user's
};

// The toolbar's one listener of the nine file, run and search buttons: the command is the button's
// text, matched against the message-table texts in a fixed order.
class ListenerAction {
public:
    explicit ListenerAction(Editor& editor) : editor_(editor) {}
    void actionPerformed(const QString& command);

private:
    struct Command {
        Res::Key key;
        void (*run)(Editor&);
    };
    // In the order the commands are matched.
    static const Command commands[9];

    Editor& editor_;
};

// The window's close box: asks before the editor ends; nothing else of the window's events acts.
class ListenerWindow : public QObject {
    Q_OBJECT
public:
    explicit ListenerWindow(Editor& editor);
    void windowClosing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Editor& editor_;
};

class Editor::CopyAction : public QAction {
public:
    explicit CopyAction(Editor& editor);
};

class Editor::CutAction : public QAction {
public:
    explicit CutAction(Editor& editor);
};

class Editor::PasteAction : public QAction {
public:
    explicit PasteAction(Editor& editor);
};

class Editor::ClearAction : public QAction {
public:
    explicit ClearAction(Editor& editor);
};

// Flips whether the output pane follows its newest text; the icon shows "forward" while it does, else
// "back".
class Editor::ToggleAction : public QAction {
public:
    explicit ToggleAction(Editor& editor);
};

}  // namespace editor
