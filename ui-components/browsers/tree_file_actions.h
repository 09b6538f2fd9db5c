#pragma once
// The tree browser's default actions: refresh, create a directory, create a file, delete.
#include <QAction>
#include <QPointer>
#include <memory>

#include "directory_removal.h"

namespace ui::treefilebrowser {
class JTreeFileBrowser;
}

namespace ui::treefilebrowser::action {

// An action on the browser it is bound to; unbound, triggering it does nothing.
class FileBrowserAction : public QAction {
    Q_OBJECT
public:
    explicit FileBrowserAction(QObject* parent = nullptr);

    void setSource(JTreeFileBrowser* browser) { source_ = browser; }
    JTreeFileBrowser* getSource() const { return source_; }

protected:
    virtual void actionPerformed(JTreeFileBrowser& browser) = 0;

private:
    QPointer<JTreeFileBrowser> source_;
};

class RefreshAction : public FileBrowserAction {
    Q_OBJECT
public:
    explicit RefreshAction(QObject* parent = nullptr);

protected:
    void actionPerformed(JTreeFileBrowser& browser) override;
};

class CreateDirectoryAction : public FileBrowserAction {
    Q_OBJECT
public:
    explicit CreateDirectoryAction(QObject* parent = nullptr);

protected:
    void actionPerformed(JTreeFileBrowser& browser) override;
};

class CreateFileAction : public FileBrowserAction {
    Q_OBJECT
public:
    explicit CreateFileAction(QObject* parent = nullptr);

protected:
    void actionPerformed(JTreeFileBrowser& browser) override;
};

// Deletes the selection after asking; directories go with their contents, on a thread of their own
// behind a modal "Delete a directory" dialog. Links are removed as links, never followed.
class DeleteAction : public FileBrowserAction {
    Q_OBJECT
public:
    explicit DeleteAction(QObject* parent = nullptr);

    // The removal of single entries (tests refuse some; the default unlinks and removes empty folders).
    void setFileRemover(std::shared_ptr<FileRemover> remover);

protected:
    void actionPerformed(JTreeFileBrowser& browser) override;

private:
    std::shared_ptr<FileRemover> remover_;
};

// The text of the delete question: the path for exactly one file or one directory, else the counts.
QString deleteQuestion(const QString& onlyPath, int files, int directories);

}  // namespace ui::treefilebrowser::action
