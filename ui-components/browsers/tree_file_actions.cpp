#include "tree_file_actions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "entry_names.h"
#include "prompter.h"
#include "tree_file_browser.h"
#include "ui_toolkit.h"

namespace ui::treefilebrowser::action {

namespace {

void describe(QAction* action, const char* shortDescription, const char* icon) {
    action->setToolTip(shortDescription);
    action->setIcon(ui::toolkit::Toolkit::getIconFromClasspath(QString("/treefilebrowser/") + icon));
}

// Where a new entry goes: inside the selected entry, or the tree's root folder when nothing is selected.
QString newEntryPath(const JTreeFileBrowser& browser, const QString& name) {
    std::optional<QFileInfo> selected = browser.getSelectedFile();
    QString folder = selected ? selected->filePath() : browser.rootFolder();
    return folder + '/' + name;
}

// The name typed, nothing when the box was cancelled or the name was refused (which has been shown).
std::optional<QString> askName(JTreeFileBrowser& browser, const QAction& action, const char* question) {
    std::optional<QString> name = ui::prompter().askText(&browser, action.toolTip(), question);
    if (!name) return std::nullopt;
    if (const std::optional<QString> refused = ui::refuseEntryName(*name)) {
        ui::prompter().showError(&browser, action.toolTip(), *refused);
        return std::nullopt;
    }
    return name;
}

void created(JTreeFileBrowser& browser, const QString& path) {
    browser.refreshDirectory(QFileInfo(path).absolutePath());
    browser.setSelectedFile(path);
}

}  // namespace

FileBrowserAction::FileBrowserAction(QObject* parent) : QAction(parent) {
    connect(this, &QAction::triggered, this, [this] {
        if (source_) actionPerformed(*source_);
    });
}

RefreshAction::RefreshAction(QObject* parent) : FileBrowserAction(parent) {
    describe(this, "Refresh the current directory", "refresh.png");
}

void RefreshAction::actionPerformed(JTreeFileBrowser& browser) {
    browser.refresh();
}

CreateDirectoryAction::CreateDirectoryAction(QObject* parent) : FileBrowserAction(parent) {
    describe(this, "Create a directory", "folder_new.png");
}

void CreateDirectoryAction::actionPerformed(JTreeFileBrowser& browser) {
    std::optional<QString> name = askName(browser, *this, "Directory name ?");
    if (!name) return;
    QString path = newEntryPath(browser, *name);
    if (!QDir().mkdir(path)) {
        ui::prompter().showError(&browser, toolTip(), "Can't create " + path);
        return;
    }
    created(browser, path);
}

CreateFileAction::CreateFileAction(QObject* parent) : FileBrowserAction(parent) {
    describe(this, "Create a new file", "document_new.png");
}

void CreateFileAction::actionPerformed(JTreeFileBrowser& browser) {
    std::optional<QString> name = askName(browser, *this, "File name ?");
    if (!name) return;
    QString path = newEntryPath(browser, *name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        ui::prompter().showError(&browser, toolTip(), "Can't create " + path);
        return;
    }
    file.close();
    created(browser, path);
}

QString deleteQuestion(const QString& onlyPath, int files, int directories) {
    QString what;
    if (files + directories == 1) {
        what = onlyPath;
    } else if (directories == 0) {
        what = QString::number(files) + " files";
    } else if (files == 0) {
        what = QString::number(directories) + " directories";
    } else {
        what = QString::number(files) + " files and " + QString::number(directories) + " directories";
    }
    return "Delete " + what + " ?";
}

DeleteAction::DeleteAction(QObject* parent)
    : FileBrowserAction(parent), remover_(std::make_shared<FileRemover>()) {
    describe(this, "Delete the current file", "delete2.png");
}

void DeleteAction::setFileRemover(std::shared_ptr<FileRemover> remover) {
    remover_ = remover ? std::move(remover) : std::make_shared<FileRemover>();
}

void DeleteAction::actionPerformed(JTreeFileBrowser& browser) {
    const QList<QFileInfo> selection = browser.getSelectedFiles();
    if (selection.isEmpty()) return;
    // A link is an entry of its own, removed as a link, whatever it points to.
    QStringList files, directories;
    for (const QFileInfo& entry : selection) {
        (entry.isDir() && !entry.isSymLink() ? directories : files).append(entry.absoluteFilePath());
    }
    const QString question =
        deleteQuestion(selection.first().absoluteFilePath(), int(files.size()), int(directories.size()));
    if (ui::prompter().askYesNoCancel(&browser, toolTip(), question, Answer::Cancel) != Answer::Yes) return;

    // The boxes below run event loops that may tear the browser and its actions down.
    QPointer<JTreeFileBrowser> alive(&browser);
    const QString title = toolTip();
    std::shared_ptr<FileRemover> remover = remover_;
    QSet<QString> parents;
    for (const QString& path : files + directories) parents.insert(QFileInfo(path).absolutePath());

    bool fileDeleted = false;
    for (const QString& file : files) {
        if (remover->removeFile(QFile::encodeName(file))) {
            fileDeleted = true;
        } else {
            ui::prompter().showError(alive, title, "Can't delete " + file);
            if (!alive) return;
        }
    }
    if (!directories.isEmpty()) {
        QPointer<DeleteDirectoryDialog> dialog = new DeleteDirectoryDialog(directories, remover, alive);
        const QStringList refused = dialog->run();
        delete dialog.data();
        for (const QString& path : refused) {
            if (!alive) return;
            ui::prompter().showError(alive, title, "Can't delete " + path);
        }
    } else if (!fileDeleted) {
        return;
    }
    if (!alive) return;
    for (const QString& parent : parents) alive->refreshDirectory(parent);
}

}  // namespace ui::treefilebrowser::action
