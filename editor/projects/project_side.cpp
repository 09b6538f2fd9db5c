#include "project_side.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>

#include "build_targets.h"
#include "environment.h"
#include "error_dialogs.h"
#include "files.h"
#include "init.h"
#include "j2me_panel.h"
#include "main_window.h"
#include "project_dialogs.h"
#include "project_file.h"
#include "prompter.h"
#include "references.h"
#include "res.h"
#include "text_files.h"

namespace editor {
namespace {

QString basePath(const References& references) {
    return references.LoadedPath + references.projectName;
}

void setBoxes(const References& references) {
    const std::pair<QCheckBox*, bool> boxes[] = {{J2MEPanel::checkbox1, references.usesInclude},
                                                 {J2MEPanel::checkbox2, references.usesMappy},
                                                 {J2MEPanel::checkbox3, references.usesFloats},
                                                 {J2MEPanel::checkbox4, references.usesMM},
                                                 {J2MEPanel::checkbox5, references.uses3D}};
    for (const auto& [box, checked] : boxes) {
        if (box) box->setChecked(checked);
    }
}

Targets targetFlags(BuildTargets::Target target) {
    Targets flags;
    switch (target) {
        case BuildTargets::J2meDevices:
            flags.tb = true;
            break;
        case BuildTargets::PocketPc:
            flags.pocketPc = true;
            break;
        case BuildTargets::Windows:
            flags.windows = true;
            break;
        case BuildTargets::Applet:
            flags.applet = true;
            break;
    }
    return flags;
}

}  // namespace

ProjectSide::ProjectSide(Editor& editor) : editor_(editor), launcher_(new BuildLauncher(editor)) {
    setProjectRoads(this);
}

ProjectSide::~ProjectSide() {
    if (projectRoads() == this) setProjectRoads(nullptr);
    delete launcher_;
}

bool ProjectSide::writeProject(Editor& editor, int run, const Targets& targets) {
    return editor::writeProject(editor.references(), &editor, run, targets);
}

bool ProjectSide::save(Editor& editor) {
    References& references = editor.references();
    if (references.saved) {
        Targets targets;
        targets.tb = true;
        return writeProject(editor, 0, targets) && editor.writeAllFiles();
    }
    const std::optional<QString> chosen = ui::prompter().saveFile(&editor, res("Save"), kitFolder());
    if (!chosen) return false;
    const QFileInfo file(*chosen);
    references.projectName = file.fileName();
    references.LoadedPath = file.absolutePath() + References::sep;
    if (references.projectName.endsWith(".tbp")) references.projectName.chop(4);
    const int main = references.mainScreen;
    // The build program compiles `<name>.java` as the class Game.<name>: the main tab takes the name when
    // it holds Java or no file yet. A source of the kit's language keeps its own file.
    const bool java = main >= 0 && main < Editor::MAXTAB && editor.ep[main] &&
                      (editor.panel->tabText(main).remove('*').endsWith(".java") ||
                       (editor.tabFile(main).isEmpty() && editor.unloadedFile(main).isEmpty()));
    if (references.compiler == "J2ME" && java) {
        QPlainTextEdit* edit = editor.ep[main];
        const QString renamed = renameJavaClass(editor.tabText(main), references.projectName);
        if (renamed != editor.tabText(main)) edit->setPlainText(renamed);
        editor.panel->setTabText(editor.panel->indexOf(edit), references.projectName + references.fileExt);
        references.mainName = references.projectName;
    }
    // Files of the chosen folder that no tab holds are replaced only when the user says so, and before
    // anything is written.
    for (int i = 0; i < editor.panel->count(); ++i) {
        if (!editor.unloadedFile(i).isEmpty() && !editor.panel->tabText(i).endsWith('*')) continue;
        if (!editor.mayTakeFile(i)) return false;
    }
    Targets targets;
    targets.tb = targets.pocketPc = targets.windows = targets.applet = true;
    if (!writeProject(editor, 0, targets)) return false;
    for (int i = 0; i < editor.panel->count(); ++i) {
        if (!editor.writeTab(i)) return false;
    }
    references.saved = true;
    return true;
}

void ProjectSide::loadProject(Editor& editor, const QString& path) {
    References& references = editor.references();
    if (!editor.reset(false)) return;
    references.LoadedPath = path.left(path.lastIndexOf(References::sep) + 1);
    if (!Project::read(path, references, &editor)) {
        // No half-read project: the editor starts afresh.
        editor.reset(true);
        references.LoadedPath = kitFolder() + References::sep;
        references.projectName = res("myProject");
        references.saved = false;
        return;
    }
    // A file that named more than the editor took is only written back when the user saves it knowingly.
    references.saved = Project::notTaken.isEmpty();
    references.compiler = Project::platform == "J2ME" ? "J2ME" : "TB";
    references.fileExt = references.compiler == "J2ME" ? ".java" : ".bss";
    buildTargets().setLanguage(references.compiler);

    editor.setUpEditor(Project::main + references.fileExt);
    references.mainName = Project::main;
    references.mainScreen = 0;
    editor.compilerM->setPlainText(res("Welcome_to_Tesvo"));
    editor.loadTab(references.mainScreen, references.LoadedPath + Project::main + references.fileExt);
    for (const QString& entry : references.includes) {
        // An include with its Java source beside the project is a Java class, else one with its source
        // is a source include, whatever the language; neither is looked for in the project's language.
        const QString java = references.LoadedPath + entry + ".java";
        const QString source = references.LoadedPath + entry + ".bss";
        const QString file = files().status(java).isFile ? java
                             : files().status(source).isFile
                                 ? source
                                 : references.LoadedPath + entry + references.fileExt;
        const int slot = editor.setUpEditor(QFileInfo(file).fileName());
        if (slot < 0) break;
        editor.panel->setCurrentIndex(editor.panel->count() - 1);
        editor.loadTab(slot, file);
    }
    references.projectName = Project::name;
    references.backupLevel = 0;
    if (const auto target = BuildTargets::targetOfPlatform(Project::platform)) {
        buildTargets().setMarked(*target, true);
    }
    references.uses3D = Project::uses3D;
    references.usesFloats = Project::usesFloats;
    references.usesMappy = Project::usesMappy;
    references.usesMM = Project::usesMM;
    references.usesInclude = Project::usesInclude;
    setBoxes(references);
}

void ProjectSide::openProject(Editor& editor, const QString& path) {
    OpenProject(editor, path).exec();
}

void ProjectSide::addProject(Editor& editor, const QString& path) {
    (new AddProject(editor, path))->show();
}

void ProjectSide::build(Editor& editor, int run) {
    References& references = editor.references();
    if (launcher_->busy()) {
        launcher_->start({});
        return;
    }
    // A project without a place would be built into the kit folder.
    if (!references.saved && !save(editor)) return;
    editor.backup();
    if (!editor.writeAllFilesX()) return;
    const QString base = basePath(references);
    if (references.compiler != "TB") {
        Targets targets;
        targets.tb = targets.j2me = true;
        if (!writeProject(editor, run, targets) || !editor.writeAllFiles()) return;
        QString sources;
        for (int i = 0; i < editor.panel->count(); ++i) sources += editor.tabText(i) + '\n';
        if (!writeDescriptor(references, &editor, base + ".tbx", run, sources)) return;
        launcher_->start({{references.editorPath + "Build-Linux", base, false, {}, {}}});
        return;
    }
    QList<BuildRun> runs;
    for (int i = 0; i < BuildTargets::count; ++i) {
        const auto target = static_cast<BuildTargets::Target>(i);
        if (!buildTargets().isMarked(target)) continue;
        runs.append({references.editorPath + "Compile-Linux",
                     base,
                     false,
                     [this, run, target] { return writeProject(editor_, run, targetFlags(target)); },
                     {}});
    }
    launcher_->start(runs);
}

void ProjectSide::convert(Editor& editor) {
    References& references = editor.references();
    if (launcher_->busy()) {
        launcher_->start({});
        return;
    }
    if (!references.saved && !save(editor)) return;
    // One file, one tab: the conversion replaces the text of its file's open tab, and asks first when
    // that tab holds changes (No converts nothing, so the tab and the file stay as they are). A file that
    // is there is the user's (the editor's tabs hold no generated Java): the compiler refuses to replace it.
    const QString java = references.projectName + ".java";
    if (const int open = editor.tabIndexOf(java);
        open >= 0 && editor.panel->tabText(open).endsWith('*') &&
        !files().status(references.LoadedPath + java).exists &&
        ui::prompter().askYesNo(&editor, QString(),
                                "Replace the changed " + java + " with the new conversion?",
                                ui::Answer::No) != ui::Answer::Yes) {
        return;
    }
    editor.backup();
    Targets targets;
    targets.tb = targets.j2me = true;
    if (!writeProject(editor, 0, targets) || !editor.writeAllFilesX()) return;
    // The compiler deletes the Java it wrote unless it is asked to keep it.
    launcher_->start(
        {{references.editorPath + "Compile-Linux", basePath(references), true, {}, [&editor](int status) {
              if (status != 0) return;
              References& converted = editor.references();
              const QString descriptor = basePath(converted) + ".tbx";
              // What the conversion wrote is the user's from now on: no compile replaces or deletes it.
              for (const QString& source : convertedSources(converted, descriptor)) {
                  if (const std::optional<QString> failure = handOverJava(source))
                      showError(&editor, *failure, "Convert");
              }
              if (const auto refused = takeConvertedOptions(converted, descriptor))
                  showWarning(&editor, *refused, "Convert");
              setBoxes(converted);
              editor.copyIn();
          }}});
}

void ProjectSide::projectProperties(Editor& editor) {
    ProjectScreen(&editor, editor.references()).exec();
}

std::optional<QString> ProjectSide::refuseEntry(const References& references, bool classPath) {
    return refuseProjectEntry(references, classPath);
}

void ProjectSide::chooseLanguage(Editor& editor, const QString& language) {
    editor.menus().setLanguage(language);
}

QString ProjectSide::renameJavaClass(const QString& text, const QString& name) {
    static const QRegularExpression declaration(R"((\bpublic\s+(?:final\s+)?class\s+)([A-Za-z_$][\w$]*))");
    const QRegularExpressionMatch match = declaration.match(text);
    if (!match.hasMatch()) return text;
    QString renamed = text;
    renamed.replace(match.capturedStart(2), match.capturedLength(2), name);
    return renamed;
}

}  // namespace editor
