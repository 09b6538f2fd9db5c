#pragma once
// What the main window hands to the project side of the editor (editor/projects/, which builds on this
// library): the project file, saving, opening and extending a project, and the runs of the compiler;
// and the project side's tools it shows. The program makes both and passes them to the window, which
// keeps them for its life; without them these roads do nothing, and writing the project file counts as
// done.
#include <QString>

class QWidget;

namespace editor {

class Editor;
class References;

// The build targets a project-file write is given; the first set one of tb, j2me, pocketPc and windows
// names the "Platform=" line.
struct Targets {
    bool tb = false;
    bool pocketPc = false;
    bool windows = false;
    bool applet = false;
    bool j2me = false;
};

class ProjectRoads {
public:
    virtual ~ProjectRoads() = default;
    // Writes the project file; false when it failed, which has then been shown.
    virtual bool writeProject(Editor& editor, int run, const Targets& targets) = 0;
    // False when the user cancelled the choice of a place or a write failed.
    virtual bool save(Editor& editor) = 0;
    virtual void loadProject(Editor& editor, const QString& path) = 0;
    // A project file chosen in the project tree: the Open Project dialog.
    virtual void openProject(Editor& editor, const QString& path) = 0;
    // A source chosen in the project tree that the project does not name: the Add to Project dialog.
    virtual void addProject(Editor& editor, const QString& path) = 0;
    virtual void build(Editor& editor, int run) = 0;
    virtual void convert(Editor& editor) = 0;
    // The project settings dialog (name and company).
    virtual void projectProperties(Editor&) {}
};

// The project side's tools: the J2ME options panel below the project tree, the Project menu's J2ME
// Settings and J2ME Type Creator, and the Tools menu's FTP Tool and Update Tesvo Zorid. The window asks
// for the panel while it builds its layout; without tools the place below the tree stays empty and the
// entries do nothing.
class ProjectTools {
public:
    virtual ~ProjectTools() = default;
    // A new panel for the window to own; nullptr for none.
    virtual QWidget* newOptionsPanel(References& references) = 0;
    // The language switch: the panel's boxes can be ticked in a Java project only.
    virtual void enableOptions(bool java) = 0;
    // A fresh project: every box unticked.
    virtual void clearOptions() = 0;
    // Each opens its modal window over the main window and returns once it is closed.
    virtual void openJ2MESettings(Editor& editor) = 0;
    virtual void openTypeCreator(Editor& editor) = 0;
    virtual void openFtpTool(Editor& editor) = 0;
    virtual void openUpdateCheck(Editor& editor) = 0;
};

}  // namespace editor
