#pragma once
// A file tree rooted at the user's home, a toolbar of file actions above it and a list of file filters
// below it.
#include <QAbstractListModel>
#include <QColor>
#include <QFileInfo>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QFileSystemModel;
class QListView;
class QToolBar;
class QTreeView;

namespace ui::treefilebrowser {

class FileSelectionListener {
public:
    virtual ~FileSelectionListener() = default;
    // The files now selected (none when the selection was cleared).
    virtual void fileSelected(const QList<QFileInfo>& files) = 0;
};

// Icons and colours of the tree's entries; nullopt keeps the browser's own.
class FileView {
public:
    virtual ~FileView() = default;
    virtual std::optional<QIcon> getIcon(const QFileInfo& file) = 0;
    virtual std::optional<QColor> getForeground(const QFileInfo& file) = 0;
    virtual std::optional<QColor> getBackground(const QFileInfo& file) = 0;
};

// One entry of the filter list: while it is the chosen one, only the entries it accepts are shown.
class FileFilter {
public:
    virtual ~FileFilter() = default;
    virtual bool accept(const QFileInfo& file) = 0;
    virtual QString getDescription() const = 0;
    virtual QIcon getIcon() const = 0;
};

// The filters offered below the tree, in order; the filter list shows every change at once.
class FileFilterModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // A null filter or an index outside 0 .. count is refused (false) and changes nothing.
    bool addFileFilter(std::shared_ptr<FileFilter> filter);
    bool addFileFilter(std::shared_ptr<FileFilter> filter, int index);
    void removeFileFilter(const FileFilter* filter);
    std::shared_ptr<FileFilter> getFileFilter(int index) const;
    int getFileFilterCount() const { return int(filters_.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::shared_ptr<FileFilter>> filters_;
};

// The actions of the toolbar, in order. The model does not own them; a destroyed action drops out.
class ActionModel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A null action or an index outside 0 .. count is refused (false) and changes nothing.
    bool addAction(QAction* action);
    bool addAction(QAction* action, int index);
    void removeAction(QAction* action);
    QAction* getAction(int index) const;
    int getActionCount() const { return int(actions_.size()); }

signals:
    void modelModified();

private:
    QList<QAction*> actions_;
};

class FileTreeModel;
class FileItemDelegate;

class JTreeFileBrowser : public QWidget {
    Q_OBJECT
public:
    // Rooted at the folder `home` (the user's home when it is empty; "/" when it is no folder). With an
    // action, a button for it sits at the bottom. Adds the default actions, then the default filters (none);
    // a subclass that wants others edits `getActionModel()` and `getFileFilterModel()`.
    explicit JTreeFileBrowser(const QString& home = {}, QAction* action = nullptr, QWidget* parent = nullptr);
    ~JTreeFileBrowser() override;

    // Listeners and the view are not owned; they must outlive their registration.
    void addFileSelectionListener(FileSelectionListener* listener);
    void removeFileSelectionListener(FileSelectionListener* listener);
    void setFileView(FileView* view);

    // Selects and shows the file; a path outside the tree's root selects nothing.
    void setSelectedFile(const QString& path);
    std::optional<QFileInfo> getSelectedFile() const;
    QList<QFileInfo> getSelectedFiles() const;

    void setEnabledMultipleSelection(bool enabled);
    bool isEnabledMultipleSelection() const;
    void setEnabledFileRenaming(bool enabled);
    bool isEnabledFileRenaming() const { return renaming_; }
    void setEnabledFileMoving(bool enabled);
    bool isEnabledFileMoving() const { return moving_; }

    // Reload the directory of the selection (the folder holding it for a plain file), or its parent;
    // without a selection, the root folder.
    void refresh();
    void refreshParent();
    // Reads one directory from the disk again.
    void refreshDirectory(const QString& directory);

    // The folder the tree is rooted at: the user's home.
    QString rootFolder() const { return root_; }

    FileFilterModel* getFileFilterModel() const { return filters_; }
    std::shared_ptr<FileFilter> getCurrentFileFilter() const;
    ActionModel* getActionModel() const { return actions_; }

    void prepareDefaultActions();
    void prepareDefaultFileFilters() {}

protected:
    // Showing binds the actions of the list and connects the tree and filter list; hiding disconnects them.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void rebuildToolbar();
    void updateFilterList();
    // Called on every change of the selection model: tells the listeners later, from the event loop.
    void notifySelection();
    void tellListeners();
    void applyCurrentFilter();
    QModelIndex viewIndex(const QString& path) const;

    QString root_;
    QToolBar* toolbar_;
    QTreeView* tree_;
    QListView* filterList_;
    QFileSystemModel* files_;
    FileTreeModel* model_;
    FileItemDelegate* delegate_;
    FileFilterModel* filters_;
    ActionModel* actions_;
    std::vector<FileSelectionListener*> listeners_;
    QList<QMetaObject::Connection> connections_;
    QStringList told_;  // the paths the listeners heard of last
    bool telling_ = false;
    bool renaming_ = false;
    bool moving_ = false;
};

}  // namespace ui::treefilebrowser
