#include "project_side.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "environment.h"
#include "error_dialogs.h"
#include "files.h"
#include "init.h"
#include "main_window.h"
#include "project_dialogs.h"
#include "project_file.h"
#include "prompter.h"
#include "references.h"
#include "res.h"
#include "text_files.h"
#include "tools_side.h"

namespace editor {
namespace {

QString basePath(const References& references) {
    return references.LoadedPath + references.projectName;
}

// A compile of the kit's language writes the execution copy: never over a file a tab or include holds.
bool refuseExecutionCopy(Editor& editor) {
    if (editor.references().compiler != "TB" || !editor.holdsExecutionCopy()) return false;
    editor.appendOutput("\nError: A tab or include holds " + editor.executionCopy() +
                        ", the execution copy every compile writes: nothing was compiled\n");
    return true;
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

ProjectSide::ProjectSide(ToolsSide& tools) : tools_(tools), launcher_(std::make_unique<BuildLauncher>()) {}

ProjectSide::~ProjectSide() = default;

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
    QString name = file.fileName();
    if (name.endsWith(".tbp")) name.chop(4);
    // A name the compile would refuse is refused now, in its words, before anything is written.
    if (const std::optional<QString> refused = refuseProjectName(name, namesAJavaClass(editor))) {
        showError(&editor, *refused, "Could not save project");
        return false;
    }
    const QString folder = file.absolutePath() + References::sep;
    // Another project's file is replaced only when the user says so; the file dialog has asked already
    // when its name was typed whole.
    const QString projectFile = folder + name + ".tbp";
    if (file.absoluteFilePath() != projectFile && !mayReplaceProjectFile(&editor, projectFile, name)) {
        return false;
    }
    references.projectName = name;
    references.LoadedPath = folder;
    const int main = references.mainScreen;
    // The build program compiles `<name>.java` as the class Game.<name>: the main tab takes the name when
    // it holds Java or no file yet. A source of the kit's language keeps its own file.
    const bool java =
        editor.hasTab(main) && (editor.tabTitle(main).remove('*').endsWith(".java") ||
                                (editor.tabFile(main).isEmpty() && editor.unloadedFile(main).isEmpty()));
    if (references.compiler == "J2ME" && java) {
        const QString renamed = renameJavaClass(editor.tabText(main), references.projectName);
        if (renamed != editor.tabText(main)) editor.setTabText(main, renamed);
        editor.setTabTitle(main, references.projectName + references.fileExt);
        references.mainName = references.projectName;
    }
    // Files of the chosen folder that no tab holds are replaced only when the user says so, and before
    // anything is written.
    for (int i = 0; i < editor.tabCount(); ++i) {
        if (!editor.unloadedFile(i).isEmpty() && !editor.tabTitle(i).endsWith('*')) continue;
        if (!editor.mayTakeFile(i)) return false;
    }
    Targets targets;
    targets.tb = targets.pocketPc = targets.windows = targets.applet = true;
    if (!writeProject(editor, 0, targets)) return false;
    for (int i = 0; i < editor.tabCount(); ++i) {
        if (!editor.writeTab(i)) return false;
    }
    references.saved = true;
    return true;
}

void ProjectSide::loadProject(Editor& editor, const QString& path) {
    References& references = editor.references();
    if (!editor.reset(false)) return;
    references.LoadedPath = path.left(path.lastIndexOf(References::sep) + 1);
    const std::optional<Project> project = Project::read(path, references, &editor);
    if (!project) {
        // No half-read project: the editor starts afresh.
        editor.reset(true);
        references.LoadedPath = kitFolder() + References::sep;
        references.projectName = res("myProject");
        references.saved = false;
        return;
    }
    // A file that named more than the editor took is only written back when the user saves it knowingly.
    references.saved = project->notTaken.isEmpty();
    references.compiler = project->platform == "J2ME" ? "J2ME" : "TB";
    references.fileExt = references.compiler == "J2ME" ? ".java" : ".bss";
    editor.targets().setLanguage(references.compiler);

    editor.setUpEditor(project->main + references.fileExt);
    references.mainName = project->main;
    references.mainScreen = 0;
    editor.showOutput(res("Welcome_to_Tesvo"));
    editor.loadTab(references.mainScreen, references.LoadedPath + project->main + references.fileExt);
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
        editor.selectTab(editor.tabCount() - 1);
        editor.loadTab(slot, file);
    }
    references.projectName = project->name;
    references.backupLevel = 0;
    if (const auto target = BuildTargets::targetOfPlatform(project->platform)) {
        editor.targets().setMarked(*target, true);
    }
    references.uses3D = project->uses3D;
    references.usesFloats = project->usesFloats;
    references.usesMappy = project->usesMappy;
    references.usesMM = project->usesMM;
    references.usesInclude = project->usesInclude;
    tools_.showOptions();
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
        launcher_->start(editor, {});
        return;
    }
    // A project without a place would be built into the kit folder.
    if (!references.saved && !save(editor)) return;
    if (refuseExecutionCopy(editor)) return;
    editor.backup();
    if (!editor.writeAllFilesX()) return;
    const QString base = basePath(references);
    if (references.compiler != "TB") {
        Targets targets;
        targets.tb = targets.j2me = true;
        if (!writeProject(editor, run, targets) || !editor.writeAllFiles()) return;
        QString sources;
        for (int i = 0; i < editor.tabCount(); ++i) sources += editor.tabText(i) + '\n';
        if (!writeDescriptor(references, &editor, base + ".tbx", run, sources)) return;
        launcher_->start(editor, {{references.editorPath + "Build-Linux", base, false, {}, {}}});
        return;
    }
    QList<BuildRun> runs;
    for (int i = 0; i < BuildTargets::count; ++i) {
        const auto target = static_cast<BuildTargets::Target>(i);
        if (!editor.targets().isMarked(target)) continue;
        runs.append({references.editorPath + "Compile-Linux",
                     base,
                     false,
                     [this, &editor, run, target] { return writeProject(editor, run, targetFlags(target)); },
                     {}});
    }
    launcher_->start(editor, runs);
}

void ProjectSide::convert(Editor& editor) {
    References& references = editor.references();
    if (launcher_->busy()) {
        launcher_->start(editor, {});
        return;
    }
    if (!references.saved && !save(editor)) return;
    // One file, one tab: the conversion replaces the text of its file's open tab, and asks first when
    // that tab holds changes (No converts nothing, so the tab and the file stay as they are). A file that
    // is there is the user's (the editor's tabs hold no generated Java): the compiler refuses to replace it.
    const QString java = references.projectName + ".java";
    if (const int open = editor.tabIndexOf(java);
        open >= 0 && editor.tabTitle(open).endsWith('*') &&
        !files().status(references.LoadedPath + java).exists &&
        ui::prompter().askYesNo(&editor, QString(),
                                "Replace the changed " + java + " with the new conversion?",
                                ui::Answer::No) != ui::Answer::Yes) {
        return;
    }
    if (refuseExecutionCopy(editor)) return;
    editor.backup();
    Targets targets;
    targets.tb = targets.j2me = true;
    if (!writeProject(editor, 0, targets) || !editor.writeAllFilesX()) return;
    // The compiler deletes the Java it wrote unless it is asked to keep it.
    launcher_->start(editor, {{references.editorPath + "Compile-Linux",
                               basePath(references),
                               true,
                               {},
                               [this, &editor](int status) {
                                   if (status != 0) return;
                                   References& converted = editor.references();
                                   const QString descriptor = basePath(converted) + ".tbx";
                                   // What the conversion wrote is the user's from now on: no compile replaces
                                   // or deletes it.
                                   for (const QString& source : convertedSources(converted, descriptor)) {
                                       if (const std::optional<QString> failure = handOverJava(source))
                                           showError(&editor, *failure, "Convert");
                                   }
                                   if (const auto refused = takeConvertedOptions(converted, descriptor))
                                       showWarning(&editor, *refused, "Convert");
                                   tools_.showOptions();
                                   editor.copyIn();
                               }}});
}

void ProjectSide::projectProperties(Editor& editor) {
    ProjectScreen(&editor, editor.references(), namesAJavaClass(editor)).exec();
}

void ProjectSide::chooseLanguage(Editor& editor, const QString& language) {
    editor.menus().setLanguage(language);
}

QString ProjectSide::renameJavaClass(const QString& text, const QString& name) {
    static const QRegularExpression declaration(R"((\bpublic\s+(?:final\s+)?class\s+)([A-Za-z_$][\w$]*))");
    const QRegularExpressionMatch match = declaration.match(text);
    if (!match.hasMatch()) return text;
    const QString old = match.captured(2);
    // The class's name in code: its declaration, constructors, `new`, `X.this`, `X.class`, casts; the
    // texts of comments and of string, text-block and character literals are not code.
    const auto identifierPart = [](QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$'; };
    QString renamed;
    renamed.reserve(text.size());
    qsizetype i = 0;
    const auto skipTo = [&](qsizetype end) {
        end = end < 0 ? text.size() : end;
        renamed += text.mid(i, end - i);
        i = end;
    };
    const auto skipQuoted = [&](const QString& quote) {
        qsizetype j = i + quote.size();
        while (j < text.size() && !QStringView(text).mid(j).startsWith(quote) &&
               (quote.size() > 1 || text[j] != '\n')) {
            j += text[j] == '\\' ? 2 : 1;
        }
        skipTo(qMin(text.size(), j + quote.size()));
    };
    while (i < text.size()) {
        const QStringView rest = QStringView(text).mid(i);
        if (rest.startsWith(u"//")) {
            skipTo(text.indexOf('\n', i));
        } else if (rest.startsWith(u"/*")) {
            const qsizetype end = text.indexOf("*/", i + 2);
            skipTo(end < 0 ? -1 : end + 2);
        } else if (rest.startsWith(u"\"\"\"")) {
            skipQuoted("\"\"\"");
        } else if (rest.startsWith(u'"')) {
            skipQuoted("\"");
        } else if (rest.startsWith(u'\'')) {
            skipQuoted("'");
        } else if (identifierPart(text[i]) && !text[i].isDigit()) {
            qsizetype end = i;
            while (end < text.size() && identifierPart(text[end])) ++end;
            const QStringView word = QStringView(text).mid(i, end - i);
            renamed += word == old ? name : word.toString();
            i = end;
        } else if (text[i].isDigit()) {
            // A number's letters (0x1F, 10L, 1e5f) are no name.
            qsizetype end = i;
            while (end < text.size() && (identifierPart(text[end]) || text[end] == '.')) ++end;
            skipTo(end);
        } else {
            renamed += text[i++];
        }
    }
    return renamed;
}

}  // namespace editor
