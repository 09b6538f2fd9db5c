// The main window's source tabs: slots, loading, marking, writing, the execution copy and backups, and
// the files chosen in the project tree.
#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "config_file.h"
#include "environment.h"
#include "error_dialogs.h"
#include "files.h"
#include "find_replace_panel.h"
#include "init.h"
#include "kit/project_file.h"
#include "main_window.h"
#include "project_roads.h"
#include "prompter.h"
#include "references.h"
#include "res.h"
#include "sc_editor_kit.h"
#include "small_dialogs.h"
#include "tb_file_filter.h"
#include "text_files.h"
#include "text_views.h"

namespace editor {
namespace {

constexpr char changedMark = '*';

QString withoutMark(const QString& title) {
    return title.endsWith(changedMark) ? title.chopped(1) : title;
}

// The editor's data folder: the syntax descriptors and the templates.
QString editorFolder() {
    return installFolder() + "Editor/";
}

void reportTrace(const QString& operation, const QString& failure) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(operation), qPrintable(failure));
}

// Whether the project file at `path` is a Java project whose main source is `<main>.java`.
bool isJavaProjectOf(const QString& path, const QString& main) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const kit::ProjectFile project = kit::readProjectFile(fileLines(file.read(64 * 1024)));
    return project.main == main.toStdString() && project.platform == "J2ME";
}

}  // namespace

SourceTab* Editor::tabAt(int slot) {
    return slot >= 0 && slot < MAXTAB && tabs_[slot].sc ? &tabs_[slot] : nullptr;
}

const SourceTab* Editor::tabAt(int slot) const {
    return slot >= 0 && slot < MAXTAB && tabs_[slot].sc ? &tabs_[slot] : nullptr;
}

int Editor::getFreeNumber() {
    for (int i = 0; i < MAXTAB; ++i) {
        if (!tabs_[i].sc) {
            references_.currentScreen = i;
            return i;
        }
    }
    showWarning(this, "Maximum tabs used", "getFreeNumber()");
    references_.currentScreen = -1;
    return -1;
}

int Editor::setUpEditor(const QString& title) {
    const int slot = getFreeNumber();
    if (slot < 0) return -1;
    SourceTab& tab = tabs_[slot];
    tab.sc = std::make_unique<ui::sc::ScEditorKit>(this);
    // A new tab is coloured in the project's language.
    const QString descriptor = editorFolder() + (references_.compiler == "J2ME" ? "J2ME.syn" : "TB.syn");
    if (files().status(descriptor).isFile) tab.sc->readSyntaxColorDescriptor(descriptor);

    tab.ep = std::make_unique<ui::PlainTextEdit>();
    QPlainTextEdit* edit = tab.ep.get();
    edit->setObjectName(QString("ep%1").arg(slot));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    tab.sc->install(edit);
    setUpUndo(slot);
    // Every change of the text is the user's unless the tab is being filled as it opens.
    connect(edit->document(), &QTextDocument::contentsChange, this,
            [this, slot](int, int removed, int added) {
                if (filling_ == 0 && (removed > 0 || added > 0)) markChanged(slot);
            });

    tab.findReplace = std::make_unique<QDialog>(this);
    QDialog* dialog = tab.findReplace.get();
    dialog->setObjectName(QString("findReplace%1").arg(slot));
    dialog->setWindowTitle(res("Find_Replace"));
    dialog->setModal(false);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    tab.fRPanel = new ui::findreplace::FindReplacePanel(edit, dialog);
    layout->addWidget(tab.fRPanel);
    dialog->resize(300, 400);

    panel->addTab(edit, title);
    return slot;
}

void Editor::releaseSlot(int slot) {
    SourceTab* tab = tabAt(slot);
    if (!tab) return;
    // Its document's last signals must not reach the window.
    tab->ep->document()->disconnect(this);
    *tab = SourceTab{};
}

bool Editor::hasTab(int slot) const {
    return tabAt(slot) != nullptr;
}

int Editor::tabCount() const {
    return panel->count();
}

QString Editor::tabTitle(int index) const {
    return panel->tabText(index);
}

void Editor::setTabTitle(int index, const QString& title) {
    panel->setTabText(index, title);
}

void Editor::selectTab(int index) {
    panel->setCurrentIndex(index);
}

void Editor::closeEditor(int slot) {
    if (!tabAt(slot)) return;
    if (slot < panel->count()) panel->removeTab(slot);
    releaseSlot(slot);
}

bool Editor::reset(bool fresh) {
    if (hasChangedTab()) {
        switch (ui::prompter().askYesNoCancel(this, QString(), res("Save_changes_"), ui::Answer::Cancel)) {
            case ui::Answer::Yes: {
                // A project without a place asks for one: the kit folder is no place for it.
                if (!references_.saved && roads_) {
                    if (!save()) return false;
                    break;
                }
                if (!writeChangedProject()) return false;
                Targets targets;
                targets.tb = true;
                if (roads_ && !roads_->writeProject(*this, 0, targets)) return false;
                break;
            }
            case ui::Answer::No:
                break;
            case ui::Answer::Cancel:
                return false;
        }
    }
    for (int slot = 0; slot < MAXTAB; ++slot) releaseSlot(slot);
    panel->clear();
    if (fresh) {
        setUpEditor("Main" + references_.fileExt);
        references_.mainName = "Main";
        references_.mainScreen = 0;
        compilerM->setPlainText(res("Welcome_to_Tesvo"));
        readDefault(references_.mainScreen);
    }
    references_.saved = false;
    references_.references.clear();
    references_.includes.clear();
    references_.kitMainName.reset();
    // A closed project leaves nothing of itself: the next save asks where, the options start unset.
    references_.LoadedPath = kitFolder() + References::sep;
    references_.projectName = res("myProject");
    references_.uses3D = references_.usesFloats = references_.usesInclude = false;
    references_.usesMM = references_.usesMappy = false;
    if (tools_) tools_->clearOptions();
    showStatus();
    return true;
}

void Editor::readDefault(int slot) {
    const QString path = editorFolder() + "TB.bss";
    if (!tabAt(slot) || !files().status(path).isFile) return;
    fillTab(slot, getFile(path));
}

void Editor::fillTab(int slot, const QString& text) {
    ++filling_;
    tabs_[slot].ep->setPlainText(text);
    --filling_;
    // A tab's history starts at the text it opens with: older steps would edit the wrong places.
    forgetEdits(slot);
}

void Editor::reportUnloadable(const QString& path, const QString& failure) {
    reportTrace("Could not load file " + path, failure);
    ui::prompter().inform(this, QString(), res("Could_not_load_file") + path);
}

QString Editor::getFile(const QString& path) {
    const TextRead read = readTextFile(path);
    if (read.failure) reportUnloadable(path, *read.failure);
    return read.text;
}

bool Editor::loadTab(int slot, const QString& path) {
    SourceTab* tab = tabAt(slot);
    if (!tab) return false;
    // A tab holds the user's files only: Java the compiler generated is handed over as it opens, so that
    // no compile replaces or deletes what a tab holds or what it writes back.
    if (path.endsWith(".java", Qt::CaseInsensitive)) {
        if (const std::optional<QString> failure = handOverJava(path)) {
            const QString operation = "Write File " + QFileInfo(path).fileName();
            reportTrace(operation, *failure);
            showError(this, *failure, operation);
        }
    }
    const UserText read = readUserFile(path);
    std::optional<QString> failure = read.failure;
    fillTab(slot, failure ? QString() : read.text);
    // The document is what is written back: a text it holds otherwise is no text of this file.
    if (!failure && tabText(slot) != read.text) {
        failure = QStringLiteral("the text view does not keep its text as it is");
        fillTab(slot, QString());
    }
    // What was read is not the file: written back, it would replace the file with less than it holds.
    tab->unloaded = failure ? path : QString();
    tab->file = failure ? QString() : path;
    tab->form = failure ? TextForm{} : read.form;
    tab->stamp = failure ? std::nullopt : std::optional<QByteArray>(read.stamp);
    tab->ep->setReadOnly(failure.has_value());
    if (failure) reportUnloadable(path, *failure);
    return !failure;
}

QString Editor::unloadedFile(int slot) const {
    return slot >= 0 && slot < MAXTAB ? tabs_[slot].unloaded : QString();
}

void Editor::fillEditor(const QString& text) {
    const int slot = references_.currentScreen;
    if (!tabAt(slot)) return;
    fillTab(slot, text);
}

void Editor::load() {
    const std::optional<QString> chosen =
        ui::prompter().openFile(this, res("Open"), kitFolder(), TBFileFilter().nameFilter());
    if (!chosen) return;
    // The old tabs are asked about and written while LoadedPath still names their folder.
    if (!reset(true)) return;
    const QFileInfo file(*chosen);
    const QString path = file.absoluteFilePath();
    const QString name = file.fileName();
    const QString upper = path.toUpper();
    const bool source = upper.endsWith("BSS");
    const bool java = upper.endsWith("JAVA");
    // A source beside its project's file opens the project, includes and all: a Java source when it is
    // that project's main source.
    const QString project = path.left(path.size() - (source ? 3 : 4)) + "tbp";
    if ((source || java) && files().status(project).isFile &&
        (source || isJavaProjectOf(project, file.completeBaseName()))) {
        loadProject(project);
        return;
    }
    // Only what was opened gives the project its place: after a refused file or a source that could not
    // be read, the next Save asks where.
    if (source || java) {
        references_.LoadedPath = file.absolutePath() + References::sep;
        panel->setTabText(0, name);
        const bool loaded = loadTab(0, path);
        references_.mainScreen = 0;
        // A name as short as its ending ("bss") leaves the empty name.
        references_.projectName = name.first(qMax(0, name.size() - (source ? 4 : 5)));
        // The project file of that name was not read: a Save from here asks where, so that it is not
        // written over without its includes and options.
        references_.saved =
            loaded && !files().status(references_.LoadedPath + references_.projectName + ".tbp").exists;
        references_.mainName = references_.projectName;
        references_.backupLevel = 0;
        references_.compiler = source ? "TB" : "J2ME";
        references_.fileExt = source ? ".bss" : ".java";
        showStatus();
        init->applyLanguage();
    } else if (upper.endsWith("TBP")) {
        loadProject(path);
    } else {
        ui::prompter().showError(this, "Cannot load file", "This is not a recognised file type");
    }
    showStatus();
}

void Editor::stateChanged(int index) {
    references_.currentScreen = index;
    showStatus();
}

void Editor::showStatus() {
    const int index = panel ? panel->currentIndex() : -1;
    if (index >= 0) statusBar->setText(references_.projectName + " : " + panel->tabText(index));
}

QString Editor::tabText(int slot) const {
    // toPlainText would turn non-breaking spaces into blanks.
    QString text = tabs_[slot].ep->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void Editor::setTabText(int slot, const QString& text) {
    tabs_[slot].ep->setPlainText(text);
}

void Editor::markChanged(int slot) {
    const int index = panel->indexOf(tabs_[slot].ep.get());
    if (index < 0) return;
    const QString title = panel->tabText(index);
    if (title.endsWith(changedMark)) return;
    panel->setTabText(index, title + changedMark);
    showStatus();
}

bool Editor::hasChangedTab() const {
    for (int i = 0; i < panel->count(); ++i) {
        if (panel->tabText(i).endsWith(changedMark)) return true;
    }
    return false;
}

bool Editor::writeAFile(const QString& name, int slot) {
    const QString bare = withoutMark(name);
    const QString path = references_.LoadedPath + bare;
    const std::optional<EncodedText> written = writeSlot(slot, path, "Write File " + bare, true);
    if (written && isTabFile(slot, path)) adoptWritten(slot, *written);
    return written.has_value();
}

std::optional<EncodedText> Editor::writeSlot(int slot, const QString& path, const QString& operation,
                                             bool ask) {
    const SourceTab* tab = tabAt(slot);
    if (!tab) return std::nullopt;
    if (!tab->unloaded.isEmpty()) {
        showError(this, res("Could_not_load_file") + tab->unloaded, operation);
        return std::nullopt;
    }
    EncodedText encoded = encodeUserText(tabText(slot), tab->form);
    if (!encoded.fits && ask &&
        ui::prompter().askYesNo(this, QString(), res("Latin1_cannot_hold") + path + "?", ui::Answer::No) !=
            ui::Answer::Yes) {
        return std::nullopt;
    }
    if (const std::optional<QString> failure = writeFileBytes(path, encoded.bytes)) {
        reportTrace(operation, *failure);
        showError(this, *failure, operation);
        return std::nullopt;
    }
    return encoded;
}

void Editor::adoptWritten(int slot, const EncodedText& written) {
    tabs_[slot].form = written.form;
    tabs_[slot].stamp = stampOf(written.bytes);
}

bool Editor::isTabFile(int slot, const QString& path) const {
    const QString& own = tabs_[slot].file;
    return !own.isEmpty() && (own == path || files().sameFile(own, path));
}

Editor::OnDisk Editor::mayWriteOver(int index) {
    SourceTab* tab = tabAt(index);
    if (!tab) return OnDisk::Unchanged;
    const QString own = tab->file;
    if (own.isEmpty() || !tab->stamp) return OnDisk::Unchanged;
    // A file that is gone is written anew: nothing of another program's is lost.
    const std::optional<QByteArray> now = fileStamp(own);
    if (!now || *now == *tab->stamp) return OnDisk::Unchanged;
    const QStringList buttons{res("Reload"), res("Write_over"), res("Cancel")};
    switch (ui::prompter().choose(this, QString(), own + res("Changed_by_another"), buttons)) {
        case ui::Answer::Yes: {
            const UserText read = readUserFile(own);
            // What cannot be read now is no text to put in place of the tab's: the tab stays, nothing is
            // written.
            if (read.failure) {
                reportUnloadable(own, *read.failure);
                return OnDisk::Cancelled;
            }
            if (read.text != tabText(index)) replaceText(index, read.text);
            tab->form = read.form;
            tab->stamp = read.stamp;
            const QString title = panel->tabText(index);
            if (title.endsWith(changedMark)) panel->setTabText(index, withoutMark(title));
            showStatus();
            return OnDisk::Reloaded;
        }
        case ui::Answer::No:
            // The user's choice stands: the file as it is now is written over without asking again.
            tab->stamp = *now;
            return OnDisk::Kept;
        case ui::Answer::Cancel:
            break;
    }
    return OnDisk::Cancelled;
}

QString Editor::tabFile(int slot) const {
    return slot >= 0 && slot < MAXTAB ? tabs_[slot].file : QString();
}

bool Editor::mayTakeFile(int index) {
    const QString title = withoutMark(panel->tabText(index));
    const QString target = references_.LoadedPath + title;
    const QString own = tabs_[index].file;
    if (own == target || files().sameFile(own, target) || !files().status(target).exists) return true;
    if (ui::prompter().askYesNo(this, QString(),
                                "Replace " + target + " with the text of the tab " + title + "?",
                                ui::Answer::No) != ui::Answer::Yes)
        return false;
    // Whatever stands there now is to be replaced: there is no other program's change to ask about.
    tabs_[index].file = target;
    tabs_[index].stamp.reset();
    return true;
}

bool Editor::writeOwnFile(int index) {
    if (!mayTakeFile(index)) return false;
    const QString title = withoutMark(panel->tabText(index));
    const QString path = references_.LoadedPath + title;
    if (isTabFile(index, path)) {
        switch (mayWriteOver(index)) {
            case OnDisk::Reloaded:
                return true;
            case OnDisk::Cancelled:
                return false;
            case OnDisk::Unchanged:
            case OnDisk::Kept:
                break;
        }
    }
    const std::optional<EncodedText> written = writeSlot(index, path, "Write File " + title, true);
    if (!written) return false;
    tabs_[index].file = path;
    adoptWritten(index, *written);
    return true;
}

bool Editor::writeTab(int index) {
    const QString title = panel->tabText(index);
    // Unchanged, it holds nothing of the user's; its file stays as it is.
    if (!unloadedFile(index).isEmpty() && !title.endsWith(changedMark)) return true;
    if (!writeOwnFile(index)) return false;
    if (title.endsWith(changedMark)) {
        panel->setTabText(index, withoutMark(title));
        showStatus();
    }
    return true;
}

bool Editor::writeChangedProject() {
    for (int i = 0; i < panel->count(); ++i) {
        if (!unloadedFile(i).isEmpty() && !panel->tabText(i).endsWith(changedMark)) continue;
        if (!writeOwnFile(i)) return false;
    }
    return true;
}

bool Editor::writeAllFiles() {
    bool written = true;
    for (int i = 0; i < panel->count(); ++i) written = writeTab(i) && written;
    return written;
}

int Editor::mainSourceTab() const {
    const QString title = references_.mainName + references_.fileExt;
    const int main = references_.mainScreen;
    if (main >= 0 && main < panel->count() && withoutMark(panel->tabText(main)) == title) return main;
    return tabIndexOf(title);
}

bool Editor::writeAllFilesX() {
    std::printf("Loaded Path: %s\n", qPrintable(references_.LoadedPath));
    std::fflush(stdout);
    const int main = mainSourceTab();
    // A program missing a source it could not load is not the user's program: the old copy stays.
    QList<int> sources{main};
    for (const QString& entry : references_.includes) sources << tabIndexOf(entry + references_.fileExt);
    for (const int index : sources) {
        const QString unloaded = unloadedFile(index);
        if (unloaded.isEmpty()) continue;
        reportTrace("Write Files for Execution", "Could not load file " + unloaded);
        showError(this, res("Could_not_load_file") + unloaded, "Write Files for Execution");
        return false;
    }
    // A Java project has no execution copy: the build program reads its Java, and the copy stays the
    // program in the kit's language.
    if (references_.compiler == "J2ME") return true;
    // A tab's text goes into the copy only while its file is what the tab read or wrote, or the user
    // says so; Cancel stops the compile.
    const auto current = [this](int index) {
        switch (mayWriteOver(index)) {
            case OnDisk::Cancelled:
                return false;
            case OnDisk::Kept:
                // The tab no longer holds its file's text: a save writes it there.
                markChanged(index);
                break;
            case OnDisk::Unchanged:
            case OnDisk::Reloaded:
                break;
        }
        return true;
    };
    // The main source's own text: its tab, else its file. A tab of the other language is not it.
    QString text;
    if (main >= 0) {
        if (!current(main)) return false;
        text = tabText(main);
    } else {
        const QString path = references_.LoadedPath + references_.mainName + references_.fileExt;
        const TextRead read =
            files().status(path).isFile ? readTextFile(path) : TextRead{{}, QStringLiteral("no such file")};
        if (read.failure) {
            reportTrace("Write Files for Execution", "Could not load file " + path + ": " + *read.failure);
            showError(this, res("Could_not_load_file") + path, "Write Files for Execution");
            return false;
        }
        text = read.text;
    }
    text += '\n';
    for (const QString& entry : references_.includes) {
        // A Java class among the includes is compiled from its own file, which its tab is written to now;
        // an include with neither a Java nor a source file is left for the compiler to name.
        const int java = tabIndexOf(entry + ".java");
        if (java >= 0 || files().status(references_.LoadedPath + entry + ".java").isFile) {
            if (java >= 0 && !writeTab(java)) return false;
            continue;
        }
        // A source include: its own tab, else its file.
        const int index = tabIndexOf(entry + references_.fileExt);
        if (index >= 0) {
            if (!current(index)) return false;
            text += tabText(index) + '\n';
            continue;
        }
        if (!files().status(references_.LoadedPath + entry + ".bss").isFile) continue;
        const TextRead read = readTextFile(references_.LoadedPath + entry + ".bss");
        if (read.failure) {
            reportTrace("Write Files for Execution", *read.failure);
            showError(this, *read.failure, "Write Files for Execution");
            return false;
        }
        text += read.text + '\n';
    }
    if (const std::optional<QString> failure = writeTextFile(executionCopy(), text)) {
        reportTrace("Write Files for Execution", *failure);
        showError(this, *failure, "Write Files for Execution");
        return false;
    }
    return true;
}

int Editor::tabIndexOf(const QString& title) const {
    for (int i = 0; i < panel->count(); ++i) {
        if (withoutMark(panel->tabText(i)) == title) return i;
    }
    return -1;
}

void Editor::deleteAllFilesX() {
    const QString copy = executionCopy();
    if (files().status(copy).isFile) QFile::remove(copy);
}

QString Editor::executionCopy() const {
    return references_.LoadedPath + references_.projectName + "X.bss";
}

bool Editor::holdsExecutionCopy() const {
    const QString copy = executionCopy();
    for (int i = 0; i < panel->count(); ++i) {
        if (references_.LoadedPath + withoutMark(panel->tabText(i)) == copy) return true;
        if (!tabs_[i].file.isEmpty() && files().sameFile(tabs_[i].file, copy)) return true;
    }
    // An include of that name is read from the copy unless it is a Java class.
    const QString name = references_.projectName + "X";
    return references_.includes.contains(name) && tabIndexOf(name + ".java") < 0 &&
           !files().status(references_.LoadedPath + name + ".java").isFile;
}

void Editor::backup() {
    int& level = references_.backupLevel;
    level = (level + 1) % 10;
    for (int slot = 0; slot < MAXTAB; ++slot) {
        const SourceTab* tab = tabAt(slot);
        if (!tab || !tab->unloaded.isEmpty()) continue;
        const QString title = panel->tabText(slot);
        if (title.size() < 2) {
            showWarning(this, "The tab title \"" + title + "\" is too short to name a backup", "Backup");
            return;
        }
        // The editor's own copy: a text Latin-1 cannot hold is backed up in UTF-8 without asking.
        const QString name = title.chopped(2) + QString::number(level) + ".bak";
        writeSlot(slot, references_.LoadedPath + name, "Write File " + name, false);
    }
}

void Editor::copyIn() {
    const QString title = references_.projectName + ".java";
    const QString java = references_.LoadedPath + title;
    appendOutput(res("Attempting_to_load") + java);
    // One file, one tab: the file's open tab takes the new text as one step the user can undo (the
    // converting road has asked before a changed tab is replaced).
    if (const int open = tabIndexOf(title); open >= 0) {
        if (!tabs_[open].unloaded.isEmpty()) {
            loadTab(open, java);
            selectSlot(open);
            return;
        }
        const UserText read = readUserFile(java);
        if (read.failure) {
            reportUnloadable(java, *read.failure);
            return;
        }
        if (read.text != tabText(open)) replaceText(open, read.text);
        // The tab holds the new file as it is on disk.
        tabs_[open].file = java;
        tabs_[open].form = read.form;
        tabs_[open].stamp = read.stamp;
        panel->setTabText(open, title);
        selectSlot(open);
        showStatus();
        return;
    }
    const int slot = setUpEditor(title);
    if (slot < 0) return;
    loadTab(slot, java);
    selectSlot(slot);
}

void Editor::selectSlot(int slot) {
    const int index = panel->indexOf(tabs_[slot].ep.get());
    if (index >= 0) panel->setCurrentIndex(index);
}

void Editor::saveSourceAs() {
    const int index = panel->currentIndex();
    if (index < 0) return;
    if (!tabs_[index].unloaded.isEmpty()) {
        showError(this, res("Could_not_load_file") + tabs_[index].unloaded, "Could not save source file");
        return;
    }
    const std::optional<QString> chosen = ui::prompter().saveFile(this, res("Save_Source_As"), kitFolder());
    if (!chosen) return;
    // A copy in the form of the tab's file; chosen onto that file, it is a write of the file itself.
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    const bool own = isTabFile(index, path);
    if (own) {
        const OnDisk onDisk = mayWriteOver(index);
        if (onDisk == OnDisk::Reloaded || onDisk == OnDisk::Cancelled) return;
    }
    const std::optional<EncodedText> written = writeSlot(index, path, "Could not save source file", true);
    if (written && own) adoptWritten(index, *written);
}

void Editor::fileSelected(const QList<QFileInfo>& chosen) {
    if (chosen.isEmpty() || chosen.first().filePath().isEmpty() || chosen.first().isDir()) return;
    const QString path = chosen.first().absoluteFilePath();
    const QString upper = path.toUpper();
    ProjectRoads* roads = roads_;
    // Java sources take the source road in Java projects, whose sources they are.
    const bool source = upper.endsWith("BSS") || (references_.fileExt == ".java" && upper.endsWith("JAVA"));
    if (upper.endsWith("TBP")) {
        if (roads) roads->openProject(*this, path);
    } else if (source) {
        const std::optional<QString> name = References::getFileFromPath(path);
        if (!name) return;
        const int main = references_.mainScreen;
        if (*name == references_.mainName && tabAt(main)) {
            selectSlot(main);
        } else if (references_.includes.contains(*name)) {
            // Titled with the file's own name, so writing the tab writes that file.
            const QString title = chosen.first().fileName();
            const int open = tabIndexOf(title);
            if (open >= 0) {
                panel->setCurrentIndex(open);
                return;
            }
            const int slot = setUpEditor(title);
            if (slot < 0) return;
            loadTab(slot, path);
            selectSlot(slot);
        } else if (roads) {
            roads->addProject(*this, path);
        }
    } else if (upper.endsWith("PNG")) {
        OpenImage(this, path, references_).exec();
    }
    showStatus();
}

std::optional<QColor> Editor::getBackground(const QFileInfo& file) {
    const QString upper = file.fileName().toUpper();
    if (upper.endsWith("BSS")) return QColor(220, 235, 255);
    if (upper.endsWith("JAVA")) return QColor(255, 236, 210);
    if (upper.endsWith("TBP")) return QColor(220, 245, 220);
    if (upper.endsWith("PNG")) return QColor(245, 225, 245);
    return std::nullopt;
}

}  // namespace editor
