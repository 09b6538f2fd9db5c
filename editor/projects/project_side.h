#pragma once
// The editor's project side: the project file, saving and loading, the project dialogs and the runs of
// the compiler and build programs, the main window's project roads. The program makes it before the
// window, which it outlives; it owns the launcher of the runs, so a build still running when it goes (as
// the editor ends) is ended with it.
#include <QString>
#include <memory>

#include "build_launcher.h"
#include "project_roads.h"

namespace editor {

class Editor;
class ToolsSide;

class ProjectSide : public ProjectRoads {
public:
    // The options panel of `tools` shows the options of each project loaded or converted.
    explicit ProjectSide(ToolsSide& tools);
    ~ProjectSide() override;
    ProjectSide(const ProjectSide&) = delete;
    ProjectSide& operator=(const ProjectSide&) = delete;

    bool writeProject(Editor& editor, int run, const Targets& targets) override;
    // A project with a location writes its file and tabs there; else the user picks the place (cancel:
    // false, nothing written).
    bool save(Editor& editor) override;
    void loadProject(Editor& editor, const QString& path) override;
    void openProject(Editor& editor, const QString& path) override;
    void addProject(Editor& editor, const QString& path) override;
    void build(Editor& editor, int run) override;
    void convert(Editor& editor) override;
    void projectProperties(Editor& editor) override;

    BuildLauncher& launcher() { return *launcher_; }

    // The project's language, "TB" or "J2ME": its platform word, the sources' extension and the main
    // tab's title. A Java project's main source is `<projectName>.java`.
    static void chooseLanguage(Editor& editor, const QString& language);
    // `text` with its first public class renamed `name`: the old name wherever it stands as a name in
    // the code, not in comments or literals.
    static QString renameJavaClass(const QString& text, const QString& name);

private:
    ToolsSide& tools_;
    std::unique_ptr<BuildLauncher> launcher_;
};

}  // namespace editor
