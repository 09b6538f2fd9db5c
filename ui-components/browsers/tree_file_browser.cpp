#include "tree_file_browser.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "entry_names.h"
#include "prompter.h"
#include "tree_file_actions.h"
#include "ui_toolkit.h"

// Q_INIT_RESOURCE must be named outside any namespace.
static void initTreeFileIcons() {
    Q_INIT_RESOURCE(tree_file_icons);
}

namespace ui::treefilebrowser {

namespace {

bool isInside(const QString& folder, const QString& path) {
    if (path == folder) return true;
    return path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

// The browser paints its own icons; the model's would be made on its gatherer thread for nothing.
class NoIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType) const override { return {}; }
    QIcon icon(const QFileInfo&) const override { return {}; }
};

}  // namespace

// The file system as the tree shows it: the root folder as the one top entry, beneath it what the chosen
// filter accepts, names only. Renaming and moving pass only while enabled.
class FileTreeModel : public QSortFilterProxyModel {
public:
    FileTreeModel(QFileSystemModel* files, QString root, QObject* parent)
        : QSortFilterProxyModel(parent), files_(files), root_(std::move(root)) {
        setSourceModel(files);
        setRecursiveFilteringEnabled(false);
    }

    void setFilter(std::shared_ptr<FileFilter> filter) {
        filter_ = std::move(filter);
        invalidateFilter();
    }
    void setRenaming(bool on) { renaming_ = on; }
    void setMoving(bool on) { moving_ = on; }

    QString pathOf(const QModelIndex& index) const { return files_->filePath(mapToSource(index)); }
    // The model's own QFileInfo of an entry may hold "//" at the start; its filePath() is clean.
    QFileInfo infoOf(const QModelIndex& index) const { return QFileInfo(pathOf(index)); }
    bool belowRoot(const QModelIndex& index) const {
        QString path = pathOf(index);
        return path != root_ && isInside(root_, path);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = QSortFilterProxyModel::flags(index);
        // The root entry stays where it is: renaming or moving it would pull the tree from under itself.
        if (!renaming_ || !belowRoot(index)) flags &= ~Qt::ItemIsEditable;
        if (!moving_ || !belowRoot(index)) flags &= ~Qt::ItemIsDragEnabled;
        if (!moving_) flags &= ~Qt::ItemIsDropEnabled;
        return flags;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!(flags(index) & Qt::ItemIsEditable)) return false;
        // A new name keeps the entry in its folder.
        if (role == Qt::EditRole) {
            if (const std::optional<QString> refused = ui::refuseEntryName(value.toString())) {
                ui::prompter().showError(nullptr, QStringLiteral("Rename"), *refused);
                return false;
            }
        }
        return QSortFilterProxyModel::setData(index, value, role);
    }
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override {
        return moving_ && QSortFilterProxyModel::canDropMimeData(data, action, row, column, parent);
    }
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override {
        if (!moving_ || action != Qt::MoveAction) return false;
        return QSortFilterProxyModel::dropMimeData(data, action, row, column, parent);
    }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    // The folders above the root are never listed: the root's siblings have no place in the tree.
    bool canFetchMore(const QModelIndex& parent) const override {
        if (parent.isValid() && !isInside(root_, pathOf(parent))) return false;
        return QSortFilterProxyModel::canFetchMore(parent);
    }
    void fetchMore(const QModelIndex& parent) override {
        if (canFetchMore(parent)) QSortFilterProxyModel::fetchMore(parent);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& sourceParent) const override {
        QModelIndex index = files_->index(row, 0, sourceParent);
        QString path = files_->filePath(index);
        if (isInside(path, root_)) return true;
        if (!isInside(root_, path)) return false;
        return !filter_ || filter_->accept(QFileInfo(path));
    }
    bool filterAcceptsColumn(int column, const QModelIndex&) const override { return column == 0; }

private:
    QFileSystemModel* files_;
    QString root_;
    std::shared_ptr<FileFilter> filter_;
    bool renaming_ = false;
    bool moving_ = false;
};

// The tree's own icons by kind (drive, open or closed folder, file), then the file view's answers.
class FileItemDelegate : public QStyledItemDelegate {
public:
    FileItemDelegate(QTreeView* tree, FileTreeModel* model)
        : QStyledItemDelegate(tree), tree_(tree), model_(model) {
        using ui::toolkit::Toolkit;
        drive_ = Toolkit::getIconFromClasspath("/treefilebrowser/diskdrive.png");
        open_ = Toolkit::getIconFromClasspath("/treefilebrowser/folder.png");
        closed_ = Toolkit::getIconFromClasspath("/treefilebrowser/folder_closed.png");
        document_ = Toolkit::getIconFromClasspath("/treefilebrowser/document.png");
    }

    void setFileView(FileView* view) { view_ = view; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        QFileInfo file = model_->infoOf(index);
        QIcon icon = file.isRoot()  ? drive_
                     : file.isDir() ? (tree_->isExpanded(index) ? open_ : closed_)
                                    : document_;
        if (view_) {
            if (std::optional<QIcon> own = view_->getIcon(file)) icon = *own;
            if (std::optional<QColor> foreground = view_->getForeground(file)) {
                option->palette.setColor(QPalette::Text, *foreground);
            }
            if (std::optional<QColor> background = view_->getBackground(file)) {
                option->backgroundBrush = *background;
            }
        }
        option->icon = icon;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(16, 16);
    }

private:
    QTreeView* tree_;
    FileTreeModel* model_;
    FileView* view_ = nullptr;
    QIcon drive_, open_, closed_, document_;
};

namespace {

// Each filter as its icon and description, painted as a FastLabel.
class FilterDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        ui::toolkit::FastLabel::Look look;
        look.font = option.font;
        look.foreground = option.palette.color(QPalette::Text);
        look.background = option.palette.color(QPalette::Base);
        look.highlight = option.palette.color(QPalette::Highlight);
        look.highlightedText = option.palette.color(QPalette::HighlightedText);
        look.opaque = true;
        look.selected = option.state & QStyle::State_Selected;
        look.focused = option.state & QStyle::State_HasFocus;
        ui::toolkit::FastLabel::paintCell(painter, option.rect, index.data(Qt::DecorationRole).value<QIcon>(),
                                          index.data(Qt::DisplayRole).toString(), look);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return ui::toolkit::FastLabel::measure(index.data(Qt::DecorationRole).value<QIcon>(),
                                               index.data(Qt::DisplayRole).toString(), option.font);
    }
};

}  // namespace

bool FileFilterModel::addFileFilter(std::shared_ptr<FileFilter> filter) {
    return addFileFilter(std::move(filter), getFileFilterCount());
}

bool FileFilterModel::addFileFilter(std::shared_ptr<FileFilter> filter, int index) {
    if (!filter || index < 0 || index > getFileFilterCount()) return false;
    beginInsertRows({}, index, index);
    filters_.insert(filters_.begin() + index, std::move(filter));
    endInsertRows();
    return true;
}

void FileFilterModel::removeFileFilter(const FileFilter* filter) {
    for (int i = 0; i < getFileFilterCount(); ++i) {
        if (filters_[i].get() != filter) continue;
        beginRemoveRows({}, i, i);
        filters_.erase(filters_.begin() + i);
        endRemoveRows();
        return;
    }
}

std::shared_ptr<FileFilter> FileFilterModel::getFileFilter(int index) const {
    if (index < 0 || index >= getFileFilterCount()) return nullptr;
    return filters_[index];
}

int FileFilterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : getFileFilterCount();
}

QVariant FileFilterModel::data(const QModelIndex& index, int role) const {
    std::shared_ptr<FileFilter> filter = getFileFilter(index.row());
    if (!filter || index.column() != 0) return {};
    if (role == Qt::DisplayRole) return filter->getDescription();
    if (role == Qt::DecorationRole) return filter->getIcon();
    return {};
}

bool ActionModel::addAction(QAction* action) {
    return addAction(action, getActionCount());
}

bool ActionModel::addAction(QAction* action, int index) {
    if (!action || index < 0 || index > getActionCount()) return false;
    actions_.insert(index, action);
    if (actions_.count(action) == 1) {
        connect(action, &QObject::destroyed, this, [this, action] {
            actions_.removeAll(action);
            emit modelModified();
        });
    }
    emit modelModified();
    return true;
}

void ActionModel::removeAction(QAction* action) {
    if (!actions_.removeOne(action)) return;
    if (!actions_.contains(action)) disconnect(action, &QObject::destroyed, this, nullptr);
    emit modelModified();
}

QAction* ActionModel::getAction(int index) const {
    return actions_.value(index, nullptr);
}

JTreeFileBrowser::JTreeFileBrowser(const QString& home, QAction* action, QWidget* parent)
    : QWidget(parent),
      toolbar_(new QToolBar),
      tree_(new QTreeView),
      filterList_(new QListView),
      files_(new QFileSystemModel(this)),
      filters_(new FileFilterModel(this)),
      actions_(new ActionModel(this)) {
    initTreeFileIcons();
    const QFileInfo root(home.isEmpty() ? QDir::homePath() : home);
    root_ = root.isDir() ? QDir::cleanPath(root.absoluteFilePath()) : QDir::rootPath();

    // Stateless and never destroyed before a model: the gatherer thread may ask it until the end.
    static NoIcons noIcons;
    files_->setIconProvider(&noIcons);
    files_->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs);
    files_->setReadOnly(true);
    files_->setRootPath(root_);
    model_ = new FileTreeModel(files_, root_, this);
    delegate_ = new FileItemDelegate(tree_, model_);

    tree_->setModel(model_);
    tree_->setItemDelegate(delegate_);
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setDefaultDropAction(Qt::MoveAction);
    QModelIndex top = model_->mapFromSource(files_->index(root_));
    tree_->setRootIndex(top.parent());
    tree_->expand(top);

    toolbar_->setIconSize(QSize(16, 16));
    filterList_->setModel(filters_);
    filterList_->setItemDelegate(new FilterDelegate(filterList_));
    filterList_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(tree_, 1);
    layout->addWidget(filterList_);
    if (action) {
        auto* button = new QToolButton;
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        layout->addWidget(button);
    }

    connect(actions_, &ActionModel::modelModified, this, &JTreeFileBrowser::rebuildToolbar);
    connect(filters_, &QAbstractItemModel::rowsInserted, this, &JTreeFileBrowser::updateFilterList);
    connect(filters_, &QAbstractItemModel::rowsRemoved, this, &JTreeFileBrowser::updateFilterList);
    // The open and closed folder icons follow the expansion.
    connect(tree_, &QTreeView::expanded, tree_->viewport(), qOverload<>(&QWidget::update));
    connect(tree_, &QTreeView::collapsed, tree_->viewport(), qOverload<>(&QWidget::update));

    prepareDefaultActions();
    prepareDefaultFileFilters();
    updateFilterList();
    setEnabledMultipleSelection(false);
}

JTreeFileBrowser::~JTreeFileBrowser() {
    // The children outlive this part of the object: none may call back into it.
    for (const QMetaObject::Connection& connection : connections_) disconnect(connection);
    actions_->disconnect(this);
    filters_->disconnect(this);
}

void JTreeFileBrowser::prepareDefaultActions() {
    actions_->addAction(new action::RefreshAction(this));
    actions_->addAction(new action::CreateDirectoryAction(this));
    actions_->addAction(new action::CreateFileAction(this));
    actions_->addAction(new action::DeleteAction(this));
}

void JTreeFileBrowser::rebuildToolbar() {
    toolbar_->clear();
    for (int i = 0; i < actions_->getActionCount(); ++i) toolbar_->addAction(actions_->getAction(i));
}

void JTreeFileBrowser::updateFilterList() {
    const int count = filters_->getFileFilterCount();
    filterList_->setVisible(count > 0);
    if (count == 0) return;
    const int row = filterList_->sizeHintForRow(0);
    filterList_->setMaximumHeight(row * std::min(count, 4) + 2 * filterList_->frameWidth());
}

void JTreeFileBrowser::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    for (int i = 0; i < actions_->getActionCount(); ++i) {
        if (auto* bound = qobject_cast<action::FileBrowserAction*>(actions_->getAction(i)))
            bound->setSource(this);
    }
    if (!connections_.isEmpty()) return;
    connections_.append(connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                                &JTreeFileBrowser::notifySelection));
    connections_.append(connect(filterList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
                                &JTreeFileBrowser::applyCurrentFilter));
    applyCurrentFilter();
}

void JTreeFileBrowser::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    for (const QMetaObject::Connection& connection : connections_) disconnect(connection);
    connections_.clear();
}

void JTreeFileBrowser::addFileSelectionListener(FileSelectionListener* listener) {
    if (listener) listeners_.push_back(listener);
}

void JTreeFileBrowser::removeFileSelectionListener(FileSelectionListener* listener) {
    auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found != listeners_.end()) listeners_.erase(found);
}

// The selection model also reports the rows a model update moved, removed or briefly pointed elsewhere
// (a build writing into the folder of the selection). Listeners open modal dialogs, which must never run
// inside a model update, and a refresh is no choice of the user's: they hear of a selection once it has
// settled, and only when its files differ from what they heard last.
void JTreeFileBrowser::notifySelection() {
    if (telling_) return;
    telling_ = true;
    QMetaObject::invokeMethod(this, &JTreeFileBrowser::tellListeners, Qt::QueuedConnection);
}

void JTreeFileBrowser::tellListeners() {
    telling_ = false;
    if (connections_.isEmpty()) return;  // hidden meanwhile
    const QList<QFileInfo> selected = getSelectedFiles();
    QStringList paths;
    for (const QFileInfo& file : selected) paths << file.absoluteFilePath();
    if (paths == told_) return;
    told_ = paths;
    // A listener may add or remove listeners while it is told.
    const std::vector<FileSelectionListener*> snapshot = listeners_;
    QPointer<JTreeFileBrowser> alive(this);
    for (FileSelectionListener* listener : snapshot) {
        if (!alive) return;
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
            listener->fileSelected(selected);
        }
    }
}

void JTreeFileBrowser::setFileView(FileView* view) {
    delegate_->setFileView(view);
    tree_->viewport()->update();
}

QModelIndex JTreeFileBrowser::viewIndex(const QString& path) const {
    QString absolute = QFileInfo(path).absoluteFilePath();
    if (!isInside(root_, absolute)) return {};
    return model_->mapFromSource(files_->index(absolute));
}

void JTreeFileBrowser::setSelectedFile(const QString& path) {
    QModelIndex index = viewIndex(path);
    if (!index.isValid()) {
        tree_->selectionModel()->clearSelection();
        return;
    }
    for (QModelIndex above = index.parent(); above.isValid() && above != tree_->rootIndex();
         above = above.parent()) {
        tree_->expand(above);
    }
    tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    tree_->scrollTo(index);
}

std::optional<QFileInfo> JTreeFileBrowser::getSelectedFile() const {
    QModelIndex current = tree_->selectionModel()->currentIndex();
    if (current.isValid() && tree_->selectionModel()->isSelected(current)) return model_->infoOf(current);
    const QModelIndexList rows = tree_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return model_->infoOf(rows.first());
}

QList<QFileInfo> JTreeFileBrowser::getSelectedFiles() const {
    QList<QFileInfo> files;
    for (const QModelIndex& row : tree_->selectionModel()->selectedRows()) files.append(model_->infoOf(row));
    return files;
}

void JTreeFileBrowser::setEnabledMultipleSelection(bool enabled) {
    tree_->setSelectionMode(enabled ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
}

bool JTreeFileBrowser::isEnabledMultipleSelection() const {
    return tree_->selectionMode() == QAbstractItemView::ExtendedSelection;
}

void JTreeFileBrowser::setEnabledFileRenaming(bool enabled) {
    renaming_ = enabled;
    model_->setRenaming(enabled);
    files_->setReadOnly(!renaming_ && !moving_);
    tree_->setEditTriggers(enabled ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                   : QAbstractItemView::NoEditTriggers);
}

void JTreeFileBrowser::setEnabledFileMoving(bool enabled) {
    moving_ = enabled;
    model_->setMoving(enabled);
    files_->setReadOnly(!renaming_ && !moving_);
    tree_->setDragEnabled(enabled);
    tree_->setAcceptDrops(enabled);
    tree_->setDropIndicatorShown(enabled);
    tree_->setDragDropMode(enabled ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
}

void JTreeFileBrowser::refresh() {
    std::optional<QFileInfo> selected = getSelectedFile();
    if (!selected) return refreshDirectory(root_);
    refreshDirectory(selected->isDir() ? selected->absoluteFilePath() : selected->absolutePath());
}

void JTreeFileBrowser::refreshParent() {
    std::optional<QFileInfo> selected = getSelectedFile();
    QString parent = selected ? selected->absolutePath() : root_;
    refreshDirectory(isInside(root_, parent) ? parent : root_);
}

// QFileSystemModel lists a folder once and then follows its watcher. It lists a folder again when that
// folder has stopped being the model's root path, so the root path is moved away and back.
void JTreeFileBrowser::refreshDirectory(const QString& directory) {
    const QString folder = QFileInfo(directory).absoluteFilePath();
    const QString root = files_->rootPath();
    if (root != folder) files_->setRootPath(folder);
    files_->setRootPath(QString());
    files_->setRootPath(root);
    if (root != folder) files_->fetchMore(files_->index(folder));
}

std::shared_ptr<FileFilter> JTreeFileBrowser::getCurrentFileFilter() const {
    QModelIndex current = filterList_->selectionModel()->currentIndex();
    return current.isValid() ? filters_->getFileFilter(current.row()) : nullptr;
}

void JTreeFileBrowser::applyCurrentFilter() {
    model_->setFilter(getCurrentFileFilter());
}

}  // namespace ui::treefilebrowser
