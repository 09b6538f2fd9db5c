#include "resource_browser_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>
#include <stdexcept>

#include "busy_work.h"
#include "entry_names.h"
#include "prompter.h"
#include "ui_toolkit.h"

// Q_INIT_RESOURCE must be named outside any namespace.
void initResourceBrowserIcons() {
    Q_INIT_RESOURCE(resource_browser_icons);
}

namespace ui::resourcebrowser {
namespace {

const QString kConnect = QStringLiteral("Connect");
const QString kClose = QStringLiteral("Close");
const QString kLock = QStringLiteral("Lock");
const QString kUnlock = QStringLiteral("Unlock");

QIcon fileIcon() {
    static const QIcon icon = toolkit::Toolkit::getIconFromClasspath(QStringLiteral("images/document.png"));
    return icon;
}

QIcon folderIcon() {
    static const QIcon icon =
        toolkit::Toolkit::getIconFromClasspath(QStringLiteral("images/folder_closed.png"));
    return icon;
}

}  // namespace

ResourceBrowserPanel::ResourceBrowserPanel(std::shared_ptr<ResourceManager> manager, const State* state,
                                           QWidget* parent)
    : QWidget(parent), manager_(std::move(manager)) {
    if (!manager_) throw std::invalid_argument("Illegal null manager");
    initResourceBrowserIcons();
    buildControls();
    if (state) setState(state);
}

ResourceBrowserPanel::~ResourceBrowserPanel() {
    // Deleted with its window: the connection goes too. The widgets are half gone, so only the manager.
    if (actions_) {
        bindActions(nullptr);
        // The actions go after the buttons: no rebuilding while the children are deleted.
        QObject::disconnect(actions_, nullptr, this, nullptr);
    }
    endRunningCall();
    if (connected_) {
        connected_ = false;
        manager_->stop();
    }
}

void ResourceBrowserPanel::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* connection = new QGroupBox(QStringLiteral("Connection"), this);
    auto* fields = new QGridLayout(connection);
    host_ = new QLineEdit(connection);
    user_ = new QLineEdit(connection);
    password_ = new QLineEdit(connection);
    password_->setEchoMode(QLineEdit::Password);
    connectButton_ = new QPushButton(kConnect, connection);
    fields->addWidget(new QLabel(QStringLiteral("Host"), connection), 0, 0);
    fields->addWidget(host_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("User"), connection), 1, 0);
    fields->addWidget(user_, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Password"), connection), 2, 0);
    fields->addWidget(password_, 2, 1);
    fields->addWidget(connectButton_, 2, 2);
    layout->addWidget(connection);

    auto* browser = new QGroupBox(QStringLiteral("Browser"), this);
    auto* lists = new QGridLayout(browser);
    paths_ = new QComboBox(browser);
    files_ = new QComboBox(browser);
    paths_->setEnabled(false);
    files_->setEnabled(false);
    table_ = new QTableWidget(0, 2, browser);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    lists->addWidget(new QLabel(QStringLiteral("Path"), browser), 0, 0);
    lists->addWidget(paths_, 0, 1);
    lists->addWidget(new QLabel(QStringLiteral("File"), browser), 1, 0);
    lists->addWidget(files_, 1, 1);
    lists->addWidget(table_, 2, 0, 1, 2);
    layout->addWidget(browser, 1);

    auto* content = new QGroupBox(QStringLiteral("Content"), this);
    buttonRow_ = new QHBoxLayout(content);
    buttonRow_->addStretch();
    layout->addWidget(content);

    QObject::connect(connectButton_, &QPushButton::clicked, this, &ResourceBrowserPanel::buttonPressed);
    QObject::connect(table_, &QTableWidget::itemSelectionChanged, this,
                     &ResourceBrowserPanel::tableSelectionChanged);
    QObject::connect(table_, &QTableWidget::cellDoubleClicked, this,
                     [this](int row, int) { rowActivated(row); });
    QObject::connect(paths_, &QComboBox::activated, this, &ResourceBrowserPanel::pathChosen);
    QObject::connect(files_, &QComboBox::activated, this, &ResourceBrowserPanel::fileChosen);
}

void ResourceBrowserPanel::setState(const State* state) {
    if (!state) throw std::invalid_argument("Illegal null state");
    if (state->hasKey(State::HOST_KEY)) host_->setText(state->getValue(State::HOST_KEY).toString());
    if (state->hasKey(State::USER_KEY)) user_->setText(state->getValue(State::USER_KEY).toString());
    if (state->hasKey(State::PASSWORD_KEY))
        password_->setText(state->getValue(State::PASSWORD_KEY).toString());
    if (state->hasKey(State::FILES_KEY)) {
        files_->clear();
        // getState writes the selected entry twice (first, and in its place); each path is listed once.
        for (const QString& path : state->getValue(State::FILES_KEY).toStringList()) {
            if (files_->findText(path, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) files_->addItem(path);
        }
        files_->setCurrentIndex(files_->count() > 0 ? 0 : -1);
    }
}

State ResourceBrowserPanel::getState() const {
    State state;
    state.putValue(State::HOST_KEY, host_->text());
    state.putValue(State::USER_KEY, user_->text());
    state.putValue(State::PASSWORD_KEY, password_->text());
    QStringList files;
    if (files_->currentIndex() >= 0) files.append(files_->currentText());
    for (int i = 0; i < files_->count(); ++i) files.append(files_->itemText(i));
    state.putValue(State::FILES_KEY, files);
    return state;
}

ActionModel* ResourceBrowserPanel::getActionModel() {
    if (!actions_) {
        actions_ = new ActionModel(this);
        initDefaultUserActions(*actions_);
        QObject::connect(actions_, &ActionModel::modelModified, this, [this] {
            if (isVisible()) rebuildButtons();
        });
    }
    return actions_;
}

void ResourceBrowserPanel::initDefaultUserActions(ActionModel& model) {
    model.addAction(new actions::NewAction(&model));
    model.addAction(new actions::RenameAction(&model));
    model.addAction(new actions::DeleteAction(&model));
    if (manager_->isLockSupported()) model.addAction(new actions::LockAction(&model));
}

void ResourceBrowserPanel::bindActions(ResourceBrowserPanel* panel) {
    for (int i = 0; i < actions_->size(); ++i) {
        if (auto* bound = qobject_cast<actions::DefaultAction*>(actions_->getActionAt(i)))
            bound->setResourceBrowserPanel(panel);
    }
}

void ResourceBrowserPanel::rebuildButtons() {
    for (const QPointer<QToolButton>& button : buttons_) delete button.data();
    buttons_.clear();
    ActionModel* model = getActionModel();
    for (int i = 0; i < model->size(); ++i) {
        auto* button = new QToolButton(buttonRow_->parentWidget());
        button->setDefaultAction(model->getActionAt(i));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        buttonRow_->insertWidget(i, button);
        buttons_.push_back(button);
    }
    bindActions(this);
    model->setEnabled(connected_);
}

void ResourceBrowserPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    rebuildButtons();
}

bool ResourceBrowserPanel::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ParentChange && !parentWidget()) removedFromWindow();
    return handled;
}

void ResourceBrowserPanel::removedFromWindow() {
    if (actions_) bindActions(nullptr);
    endRunningCall();
    if (!connected_) return;
    // No box over a panel on its way out: the manager stops here.
    getActionModel()->setEnabled(false);
    connected_ = false;
    manager_->stop();
    forgetConnection();
}

ResourceBrowserPanel::Outcome ResourceBrowserPanel::call(
    const QString& doing, const std::function<void(ResourceManager&)>& operation) {
    Outcome outcome;
    if (running_) {
        outcome.cancelled = true;
        return outcome;
    }
    // The work holds the manager: it is never destroyed under a running call.
    const std::shared_ptr<ResourceManager> manager = manager_;
    const auto work = [&outcome, &operation, manager] {
        try {
            operation(*manager);
        } catch (const ResourceException& failure) {
            outcome.failure = failure.getMessage();
        } catch (const std::exception& failure) {
            outcome.failure = QString::fromLocal8Bit(failure.what());
        } catch (...) {
            outcome.failure = QStringLiteral("Unknown failure");
        }
    };
    if (!manager->isConnectionSupported()) {
        work();
        return outcome;
    }
    Cancellation cancellation;
    manager->setCancellation(&cancellation);
    BusyWork busy(work, &cancellation);
    running_ = &busy;
    const QPointer<ResourceBrowserPanel> alive(this);
    busy.run(this, host_->text(), doing);
    manager->setCancellation(nullptr);
    outcome.cancelled = cancellation.isCancelled();
    outcome.panelGone = !alive;
    if (alive && running_ == &busy) running_ = nullptr;
    return outcome;
}

void ResourceBrowserPanel::endRunningCall() {
    if (!running_) return;
    running_->cancelAndWait();
    running_ = nullptr;
}

void ResourceBrowserPanel::stopManager() {
    call(QStringLiteral("Closing the connection to ") + host_->text() + QStringLiteral(" ..."),
         [](ResourceManager& manager) { manager.stop(); });
}

bool ResourceBrowserPanel::connect() {
    if (connected_) return true;
    const QString host = host_->text();
    if (host.isEmpty()) {
        inform(QStringLiteral("No host ?"));
        return false;
    }
    if (user_->isEnabled() && user_->text().isEmpty()) {
        inform(QStringLiteral("No users ?"));
        return false;
    }
    const QString user = user_->text();
    const QString password = password_->text();
    // Logging in and the first listing are one wait for the user.
    QString start;
    std::shared_ptr<ResourceItemModel> listing;
    std::optional<QString> listFailure;
    const Outcome outcome =
        call(QStringLiteral("Connecting to ") + host + QStringLiteral(" ..."), [&](ResourceManager& manager) {
            start = manager.start(host, user, password);
            try {
                listing = manager.list(ZoridResourceItem(start, false));
            } catch (const ResourceException& failure) {
                listFailure = failure.getMessage();
            }
        });
    if (outcome.panelGone) return false;
    if (outcome.cancelled) {
        // What was started goes with the cancelled connect.
        if (!outcome.failure) stopManager();
        return false;
    }
    if (outcome.failure) {
        fail(QStringLiteral("Can't connect : ") + *outcome.failure);
        return false;
    }
    startPath_ = start;
    currentPath_ = startPath_;
    connectButton_->setText(kClose);
    if (listFailure) {
        fail(QStringLiteral("Error : ") + *listFailure);
    } else {
        showPath(currentPath_, listing);
    }
    paths_->setEnabled(true);
    files_->setEnabled(true);
    connected_ = true;
    getActionModel()->setEnabled(true);
    return true;
}

void ResourceBrowserPanel::disconnect() {
    endRunningCall();
    if (!connected_) return;
    getActionModel()->setEnabled(false);
    connected_ = false;
    const QPointer<ResourceBrowserPanel> alive(this);
    stopManager();
    if (alive) forgetConnection();
}

void ResourceBrowserPanel::forgetConnection() {
    clearTable();
    table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    paths_->setEnabled(false);
    files_->setEnabled(false);
}

bool ResourceBrowserPanel::listPath(const QString& path) {
    std::shared_ptr<ResourceItemModel> listing;
    const ZoridResourceItem folder(path, false);
    const Outcome outcome = call(QStringLiteral("Listing ") + path + QStringLiteral(" ..."),
                                 [&](ResourceManager& manager) { listing = manager.list(folder); });
    if (outcome.panelGone || outcome.cancelled) return false;
    if (outcome.failure) {
        fail(QStringLiteral("Error : ") + *outcome.failure);
        return false;
    }
    showPath(path, listing);
    return true;
}

void ResourceBrowserPanel::showPath(const QString& path, const std::shared_ptr<ResourceItemModel>& listing) {
    currentPath_ = path;
    if (listing)
        showListing(*listing);
    else
        clearTable();
    updatePathList();
}

void ResourceBrowserPanel::clearTable() {
    const QSignalBlocker quiet(table_);
    table_->clearContents();
    table_->setRowCount(0);
    rows_.clear();
}

void ResourceBrowserPanel::showListing(const ResourceItemModel& listing) {
    clearTable();
    const QSignalBlocker quiet(table_);
    rows_ = listing.toArray();
    table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size (byte)")});
    table_->setRowCount(int(rows_.size()) + 1);
    table_->setItem(0, 0, new QTableWidgetItem(folderIcon(), QStringLiteral("..")));
    table_->setItem(0, 1, new QTableWidgetItem());
    for (size_t i = 0; i < rows_.size(); ++i) {
        const ResourceItem& item = *rows_[i];
        const QString name = item.getFileName().value_or(item.getFullPath());
        QIcon icon = item.isFile() ? fileIcon() : folderIcon();
        QString shown = name;
        if (fileView_) {
            if (const QIcon own = fileView_->getIcon(name); !own.isNull()) icon = own;
            if (const QString own = fileView_->getName(name); !own.isNull()) shown = own;
        }
        table_->setItem(int(i) + 1, 0, new QTableWidgetItem(icon, shown));
        table_->setItem(int(i) + 1, 1, new QTableWidgetItem(QString::number(item.getSize())));
    }
}

// The folders from the root down to the current one, the current one chosen.
void ResourceBrowserPanel::updatePathList() {
    QStringList chain;
    for (QString folder = normalizedPath(currentPath_);; folder = parentPath(folder)) {
        chain.prepend(folder);
        if (folder == QLatin1String("/") || !folder.contains('/')) break;
    }
    if (!chain.contains(currentPath_)) chain.append(currentPath_);
    paths_->clear();
    paths_->addItems(chain);
    paths_->setCurrentIndex(int(chain.indexOf(currentPath_)));
}

std::shared_ptr<ResourceItem> ResourceBrowserPanel::rowItem(int row) const {
    if (row < 1 || size_t(row) > rows_.size()) return nullptr;
    return rows_[size_t(row) - 1];
}

void ResourceBrowserPanel::selectFileEntry(const QString& path) {
    int index = files_->findText(path, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        files_->insertItem(0, path);
        index = 0;
    }
    files_->setCurrentIndex(index);
}

void ResourceBrowserPanel::tableSelectionChanged() {
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) return;
    const std::shared_ptr<ResourceItem> item = rowItem(selected.first()->row());
    if (!item) return;
    if (actions_) {
        if (QAction* lock = actions_->getActionByClass<actions::LockAction>())
            lock->setText(item->isLocked() ? kUnlock : kLock);
    }
    if (item->isFile() && selectionMode_ != DIRECTORY_SELECTION_MODE) {
        selectFileEntry(item->getFullPath());
    } else if (!item->isFile() && selectionMode_ != FILE_SELECTION_MODE) {
        selectFileEntry(joinPath(item->getFullPath(), QString()));
    }
}

void ResourceBrowserPanel::rowActivated(int row) {
    if (row == 0) {
        listPath(parentPath(currentPath_));
        return;
    }
    const std::shared_ptr<ResourceItem> item = rowItem(row);
    if (item && !item->isFile()) listPath(item->getFullPath());
}

void ResourceBrowserPanel::pathChosen(int index) {
    listPath(index < 0 ? QStringLiteral("/") : paths_->itemText(index));
}

void ResourceBrowserPanel::fileChosen(int index) {
    if (index < 0) return;
    const QString path = files_->itemText(index);
    if (path.endsWith('/')) {
        listPath(normalizedPath(path));
        return;
    }
    const qsizetype slash = path.lastIndexOf('/');
    if (!listPath(normalizedPath(path.left(slash + 1)))) return;
    const QString name = path.mid(slash + 1);
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i]->getFileName().value_or(rows_[i]->getFullPath()) == name) {
            table_->selectRow(int(i) + 1);
            break;
        }
    }
}

void ResourceBrowserPanel::buttonPressed() {
    if (connectButton_->text() == kConnect) {
        connect();
    } else {
        connectButton_->setText(kConnect);
        disconnect();
    }
}

void ResourceBrowserPanel::newFile() {
    const std::optional<QString> name =
        prompter().askText(this, QStringLiteral("New"), QStringLiteral("New file"));
    if (!name || name->isEmpty()) return;
    if (const std::optional<QString> refused = refuseEntryName(*name)) {
        fail(*refused);
        return;
    }
    for (const std::shared_ptr<ResourceItem>& item : rows_) {
        if (item->getFileName() == *name) {
            inform(QStringLiteral("This file is used"));
            return;
        }
    }
    const ZoridResourceItem file(joinPath(currentPath_, *name), true);
    const Outcome outcome = call(QStringLiteral("Creating ") + file.getFullPath() + QStringLiteral(" ..."),
                                 [&](ResourceManager& manager) { manager.setContent(file, QByteArray()); });
    if (outcome.panelGone || outcome.cancelled) return;
    if (outcome.failure) {
        fail(QStringLiteral("Can't create a new file"));
        return;
    }
    listPath(currentPath_);
}

void ResourceBrowserPanel::deleteFile() {
    const QString path = getSelectedPathFile();
    if (path.isEmpty()) return;
    const Answer answer =
        prompter().askYesNo(this, QStringLiteral("Delete"),
                            QStringLiteral("Confirm delete ") + path + QStringLiteral(" ?"), Answer::No);
    if (answer != Answer::Yes) return;
    const ZoridResourceItem file = getSelectedResource();
    const Outcome outcome = call(QStringLiteral("Deleting ") + path + QStringLiteral(" ..."),
                                 [&](ResourceManager& manager) { manager.deleteFile(file); });
    if (outcome.panelGone || outcome.cancelled) return;
    if (outcome.failure) {
        fail(QStringLiteral("Can't delete this file"));
        return;
    }
    // The list names existing files only.
    files_->removeItem(files_->currentIndex());
    listPath(currentPath_);
}

void ResourceBrowserPanel::renameFile() {
    const QString path = getSelectedPathFile();
    if (path.isEmpty()) return;
    const std::optional<QString> name =
        prompter().askText(this, QStringLiteral("Rename"), QStringLiteral("New name"),
                           getSelectedResource().getFileName().value_or(path));
    if (!name || name->isEmpty()) return;
    if (const std::optional<QString> refused = refuseEntryName(*name)) {
        fail(*refused);
        return;
    }
    // The file keeps its folder, wherever the table has gone since it was chosen.
    const QString newPath = joinPath(path.left(path.lastIndexOf('/') + 1), *name);
    const ZoridResourceItem file = getSelectedResource();
    const Outcome outcome = call(QStringLiteral("Renaming ") + path + QStringLiteral(" ..."),
                                 [&](ResourceManager& manager) { manager.renameFile(file, newPath); });
    if (outcome.panelGone || outcome.cancelled) return;
    if (outcome.failure) {
        fail(QStringLiteral("Can't rename this file"));
        return;
    }
    files_->setItemText(files_->currentIndex(), newPath);
    listPath(currentPath_);
}

void ResourceBrowserPanel::lockUnlockFile() {
    QAction* lock = getActionModel()->getActionByClass<actions::LockAction>();
    const QString path = getSelectedPathFile();
    if (!lock || path.isEmpty()) return;
    const bool locking = lock->text() == kLock;
    const ZoridResourceItem file = getSelectedResource();
    const Outcome outcome = call(
        (locking ? QStringLiteral("Locking ") : QStringLiteral("Unlocking ")) + path + QStringLiteral(" ..."),
        [&](ResourceManager& manager) { manager.lock(file, locking); });
    if (outcome.panelGone || outcome.cancelled) return;
    if (outcome.failure) {
        fail(locking ? QStringLiteral("Can't lock this file") : QStringLiteral("Can't unlock this file"));
        return;
    }
    lock->setText(locking ? kUnlock : kLock);
}

ZoridResourceItem ResourceBrowserPanel::getSelectedResource() const {
    return ZoridResourceItem(getSelectedPathFile(), false);
}

QString ResourceBrowserPanel::getSelectedPathFile() const {
    return files_->currentIndex() < 0 ? QString() : files_->currentText();
}

std::optional<QByteArray> ResourceBrowserPanel::getSelectedContentFile(bool disconnectAfterwards) {
    if (!connect()) return std::nullopt;
    std::optional<QByteArray> content;
    if (files_->currentIndex() >= 0) {
        const ZoridResourceItem file = getSelectedResource();
        QByteArray bytes;
        const Outcome outcome = call(QStringLiteral("Reading ") + file.getFullPath() + QStringLiteral(" ..."),
                                     [&](ResourceManager& manager) { bytes = manager.getContent(file); });
        if (outcome.panelGone) return std::nullopt;
        if (outcome.failure && !outcome.cancelled) fail(*outcome.failure);
        if (!outcome.failure && !outcome.cancelled) content = bytes;
    }
    if (disconnectAfterwards) disconnect();
    return content;
}

bool ResourceBrowserPanel::setSelectedContentFile(const QByteArray& content, bool disconnectAfterwards) {
    if (!connect()) return false;
    bool stored = false;
    if (files_->currentIndex() >= 0) {
        const ZoridResourceItem file = getSelectedResource();
        const Outcome outcome = call(QStringLiteral("Writing ") + file.getFullPath() + QStringLiteral(" ..."),
                                     [&](ResourceManager& manager) { manager.setContent(file, content); });
        if (outcome.panelGone) return false;
        if (outcome.failure && !outcome.cancelled) fail(*outcome.failure);
        stored = !outcome.failure && !outcome.cancelled;
    }
    if (disconnectAfterwards) disconnect();
    return stored;
}

void ResourceBrowserPanel::inform(const QString& text) {
    prompter().inform(this, QStringLiteral("Information"), text);
}

void ResourceBrowserPanel::fail(const QString& text) {
    prompter().showError(this, QStringLiteral("Error"), text);
}

}  // namespace ui::resourcebrowser
