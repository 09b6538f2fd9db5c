// The tree browser over a home folder of each test's own, its prompts answered by the scripted prompter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "gui_harness.h"

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
#include "scripted_prompter.h"
#include "test_helpers.h"
#include "tree_file_actions.h"
#include "tree_file_browser.h"

namespace {

using ui::Answer;
using ui::testing::Question;
using ui::testing::ScriptedPrompter;
using ui::testing::waitUntil;
using namespace ui::treefilebrowser;

enum { Refresh, CreateDirectory, CreateFile, Delete };

class TreeBrowser : public ::testing::Test {
protected:
    TreeBrowser() {
        browser = std::make_unique<JTreeFileBrowser>(home.path());
        browser->show();
    }

    QString path(const QString& relative) const { return home.path() + '/' + relative; }
    void write(const QString& relative, const QByteArray& content = "text") {
        tz::testing::writeFile(path(relative), content);
    }
    QByteArray read(const QString& relative) const { return tz::testing::readFile(path(relative)); }
    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }

    QTreeView* tree() const { return browser->findChild<QTreeView*>(); }
    QFileSystemModel* files() const { return browser->findChild<QFileSystemModel*>(); }
    QModelIndex index(const QString& relative) const {
        auto* proxy = static_cast<QSortFilterProxyModel*>(tree()->model());
        return proxy->mapFromSource(files()->index(relative.isEmpty() ? home.path() : path(relative)));
    }
    // The names the tree lists in a folder, without making the model look the entries up.
    QStringList listed(const QString& folder) const {
        QModelIndex parent = index(folder);
        tree()->model()->fetchMore(parent);
        QStringList names;
        for (int row = 0; row < tree()->model()->rowCount(parent); ++row) {
            names << tree()->model()->index(row, 0, parent).data().toString();
        }
        return names;
    }
    void select(const QStringList& relatives) {
        browser->setEnabledMultipleSelection(relatives.size() > 1);
        tree()->selectionModel()->clearSelection();
        for (const QString& relative : relatives) {
            tree()->selectionModel()->select(index(relative),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    QString selected() const {
        std::optional<QFileInfo> file = browser->getSelectedFile();
        return file ? file->absoluteFilePath() : QString();
    }
    void trigger(int action) { browser->getActionModel()->getAction(action)->trigger(); }
    action::DeleteAction* deleteAction() const {
        return qobject_cast<action::DeleteAction*>(browser->getActionModel()->getAction(Delete));
    }

    QTemporaryDir home;
    ScriptedPrompter prompter;
    std::unique_ptr<JTreeFileBrowser> browser;
};

TEST_F(TreeBrowser, StartsWithTheFourActionsSingleSelectionAndHomeAsItsOneTopEntry) {
    testing::internal::CaptureStderr();
    JTreeFileBrowser fresh(home.path());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "every icon comes from the resources";
    EXPECT_FALSE(fresh.isEnabledMultipleSelection());
    EXPECT_EQ(fresh.findChild<QTreeView*>()->selectionMode(), QAbstractItemView::SingleSelection);
    const QStringList tips = {"Refresh the current directory", "Create a directory", "Create a new file",
                              "Delete the current file"};
    ASSERT_EQ(fresh.getActionModel()->getActionCount(), 4);
    auto* toolbar = fresh.findChild<QToolBar*>();
    for (int i = 0; i < 4; ++i) {
        QAction* action = fresh.getActionModel()->getAction(i);
        EXPECT_EQ(action->toolTip(), tips[i]);
        EXPECT_EQ(action->icon().actualSize(QSize(64, 64)), QSize(16, 16));
        EXPECT_NE(toolbar->widgetForAction(action), nullptr);
    }
    EXPECT_NE(qobject_cast<action::RefreshAction*>(fresh.getActionModel()->getAction(Refresh)), nullptr);
    EXPECT_NE(qobject_cast<action::DeleteAction*>(fresh.getActionModel()->getAction(Delete)), nullptr);
    EXPECT_EQ(fresh.getFileFilterModel()->getFileFilterCount(), 0);
    EXPECT_EQ(fresh.rootFolder(), home.path());

    QAbstractItemModel* model = tree()->model();
    ASSERT_EQ(model->rowCount(tree()->rootIndex()), 1);
    EXPECT_EQ(model->index(0, 0, tree()->rootIndex()).data().toString(), QFileInfo(home.path()).fileName());
    EXPECT_EQ(model->columnCount(tree()->rootIndex()), 1);
}

class Counting : public action::FileBrowserAction {
public:
    int runs = 0;

protected:
    void actionPerformed(JTreeFileBrowser&) override { ++runs; }
};

TEST_F(TreeBrowser, ToolbarFollowsItsModelAndActionsAreBoundAtShowing) {
    ActionModel* actions = browser->getActionModel();
    auto* toolbar = browser->findChild<QToolBar*>();
    auto* early = new Counting;
    EXPECT_FALSE(actions->addAction(nullptr));
    EXPECT_FALSE(actions->addAction(early, 5));
    EXPECT_TRUE(actions->addAction(early, 0));
    ASSERT_EQ(actions->getActionCount(), 5);
    EXPECT_EQ(toolbar->actions().first(), early);

    early->trigger();
    EXPECT_EQ(early->runs, 0) << "bound only when the browser is shown again";
    browser->hide();
    browser->show();
    EXPECT_EQ(early->getSource(), browser.get());
    early->trigger();
    EXPECT_EQ(early->runs, 1);

    delete early;
    EXPECT_EQ(actions->getActionCount(), 4);
    EXPECT_EQ(toolbar->actions().size(), 4);
    actions->removeAction(actions->getAction(Delete));
    EXPECT_EQ(toolbar->actions().size(), 3);

    QAction extra("Build");
    JTreeFileBrowser withButton(home.path(), &extra);
    auto* button = withButton.findChild<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->defaultAction(), &extra);
}

TEST_F(TreeBrowser, CreatesFilesInsideTheSelectionOrTheRootWithoutOverwriting) {
    write("src/old.txt", "keep");
    write("notes.txt", "notes");
    struct Row {
        QString selection;
        std::optional<QString> name;
        QString created;  // relative, empty when nothing is made
        QString error;
    };
    const Row rows[] = {
        {"src", QString("Main.bss"), "src/Main.bss", ""},
        {"", QString("top.txt"), "top.txt", ""},
        {"src", QString("old.txt"), "", "Can't create " + path("src/old.txt")},
        {"notes.txt", QString("inner"), "", "Can't create " + path("notes.txt/inner")},
        {"src", std::nullopt, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.value_or("<cancelled>").toStdString());
        prompter.clear();
        if (row.selection.isEmpty()) {
            tree()->selectionModel()->clear();
        } else {
            browser->setSelectedFile(path(row.selection));
        }
        prompter.reply(row.name);
        trigger(CreateFile);
        QStringList expected = {"File name ?"};
        if (!row.error.isEmpty()) expected << row.error;
        EXPECT_EQ(prompter.texts(), expected);
        if (!row.created.isEmpty()) {
            EXPECT_TRUE(QFileInfo(path(row.created)).isFile());
            EXPECT_EQ(selected(), path(row.created));
        }
    }
    EXPECT_EQ(read("src/old.txt"), "keep");
    EXPECT_EQ(read("notes.txt"), "notes");
    EXPECT_EQ(QDir(path("src")).entryList(QDir::Files), QStringList({"Main.bss", "old.txt"}));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList({"notes.txt", "top.txt"}));
}

TEST_F(TreeBrowser, CreatesDirectoriesAndSaysWhenItCannot) {
    write("src/file.txt");
    browser->setSelectedFile(path("src"));
    prompter.reply("images");
    trigger(CreateDirectory);
    EXPECT_TRUE(QFileInfo(path("src/images")).isDir());
    EXPECT_EQ(selected(), path("src/images"));

    tree()->selectionModel()->clear();
    prompter.reply("top");
    trigger(CreateDirectory);
    EXPECT_TRUE(QFileInfo(path("top")).isDir());

    browser->setSelectedFile(path("src"));
    prompter.reply("file.txt");
    trigger(CreateDirectory);
    prompter.reply(std::optional<QString>());
    trigger(CreateDirectory);
    EXPECT_EQ(prompter.texts(), QStringList({"Directory name ?", "Directory name ?", "Directory name ?",
                                             "Can't create " + path("src/file.txt"), "Directory name ?"}));
    EXPECT_TRUE(QFileInfo(path("src/file.txt")).isFile());
    EXPECT_EQ(QDir(path("src")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"file.txt", "images"}));
}

TEST_F(TreeBrowser, NamesThatWouldLeaveTheChosenFolderAreRefused) {
    write("pick/inside.txt", "kept");
    const QString refusal = "A name may not hold \"/\" or be \".\" or \"..\"";
    for (const int action : {CreateDirectory, CreateFile}) {
        for (const QString name : {"../escapedir", "..", ".", "deeper/name"}) {
            SCOPED_TRACE(name.toStdString());
            prompter.clear();
            browser->setSelectedFile(path("pick"));
            prompter.reply(name);
            trigger(action);
            ASSERT_EQ(prompter.texts().size(), 2);
            EXPECT_EQ(prompter.texts()[1], refusal);
            EXPECT_EQ(prompter.questions()[1].kind, Question::Error);
        }
    }
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"pick"});
    EXPECT_EQ(QDir(path("pick")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"inside.txt"});

    // Renaming in place keeps the entry in its folder the same way.
    browser->setEnabledFileRenaming(true);
    prompter.clear();
    EXPECT_FALSE(tree()->model()->setData(index("pick/inside.txt"), "../moved.txt"));
    EXPECT_EQ(prompter.texts(), QStringList{refusal});
    EXPECT_EQ(read("pick/inside.txt"), "kept");
    EXPECT_FALSE(exists("moved.txt"));
}

TEST(DeleteQuestion, NamesOneEntryAndCountsSeveral) {
    EXPECT_EQ(action::deleteQuestion("/h/a.txt", 1, 0), "Delete /h/a.txt ?");
    EXPECT_EQ(action::deleteQuestion("/h/src", 0, 1), "Delete /h/src ?");
    EXPECT_EQ(action::deleteQuestion("/h/a", 2, 1), "Delete 2 files and 1 directories ?");
    EXPECT_EQ(action::deleteQuestion("/h/a", 3, 0), "Delete 3 files ?");
    EXPECT_EQ(action::deleteQuestion("/h/a", 0, 2), "Delete 2 directories ?");
    EXPECT_EQ(action::deleteQuestion("/h/a", 1, 1), "Delete 1 files and 1 directories ?");
}

TEST_F(TreeBrowser, AnythingButYesDeletesNothing) {
    write("a.txt");
    write("b.txt");
    write("src/Main.bss");
    struct Row {
        QStringList selection;
        std::optional<Answer> answer;
        QString question;
    };
    const Row rows[] = {
        {{"a.txt"}, Answer::No, "Delete " + path("a.txt") + " ?"},
        {{"src"}, Answer::Cancel, "Delete " + path("src") + " ?"},
        {{"a.txt", "b.txt", "src"}, std::nullopt, "Delete 2 files and 1 directories ?"},
    };
    for (const Row& row : rows) {
        prompter.clear();
        select(row.selection);
        prompter.reply(row.answer);
        trigger(Delete);
        EXPECT_EQ(prompter.texts(), QStringList({row.question}));
        EXPECT_EQ(prompter.questions().back().kind, Question::YesNoCancel);
    }
    EXPECT_TRUE(exists("a.txt") && exists("b.txt") && exists("src/Main.bss"));
}

// A remover that can hold the worker at its first entry and refuse chosen paths; it notes when the
// worker thread has ended.
class ObservedRemover : public action::FileRemover {
public:
    bool removeFile(const QByteArray& path) override { return step(path) && FileRemover::removeFile(path); }
    bool removeDirectory(const QByteArray& path) override {
        return step(path) && FileRemover::removeDirectory(path);
    }

    void hold() { held = true; }
    void release() {
        std::lock_guard lock(mutex);
        held = false;
        wake.notify_all();
    }

    QSet<QString> refuse;
    std::atomic<bool> workerEnded{false};
    std::atomic<bool> ranOffTheGuiThread{false};

private:
    // Ends the worker a little late, so a dialog that closes without waiting for it is caught.
    struct EndMarker {
        std::atomic<bool>* ended;
        ~EndMarker() {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            *ended = true;
        }
    };
    bool step(const QByteArray& path) {
        if (std::this_thread::get_id() != gui) {
            thread_local EndMarker marker{&workerEnded};
            ranOffTheGuiThread = true;
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return !held; });
        }
        return !refuse.contains(QFile::decodeName(path));
    }
    std::thread::id gui = std::this_thread::get_id();
    std::mutex mutex;
    std::condition_variable wake;
    bool held = false;
};

TEST_F(TreeBrowser, DeletesFilesAndDirectoriesBehindADialogThatWaitsForItsThread) {
    write("a.txt");
    write("b.txt");
    write("src/Main.bss");
    write("src/deep/er/x.png");
    write("keep.txt");
    auto remover = std::make_shared<ObservedRemover>();
    remover->hold();
    deleteAction()->setFileRemover(remover);
    select({"a.txt", "b.txt", "src"});
    prompter.reply(Answer::Yes);

    QString title, label;
    bool stayedOpen = false, endedBeforeClose = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        label = dialog->findChild<QLabel*>()->text();
        dialog->reject();
        dialog->close();
        stayedOpen = dialog->isVisible();
        QObject::connect(dialog, &QDialog::finished, [&] { endedBeforeClose = remover->workerEnded; });
        remover->release();
    });
    trigger(Delete);

    EXPECT_EQ(prompter.texts(), QStringList({"Delete 2 files and 1 directories ?"}));
    EXPECT_EQ(title, "Delete a directory");
    EXPECT_TRUE(label.startsWith("Deleting " + path("src"))) << label.toStdString();
    EXPECT_TRUE(stayedOpen) << "the dialog closed while its thread was running";
    EXPECT_TRUE(endedBeforeClose) << "the dialog closed before its thread was joined";
    EXPECT_TRUE(remover->ranOffTheGuiThread);
    EXPECT_FALSE(exists("a.txt") || exists("b.txt") || exists("src"));
    EXPECT_TRUE(exists("keep.txt"));
    EXPECT_TRUE(waitUntil([&] { return listed("") == QStringList({"keep.txt"}); }));
}

TEST_F(TreeBrowser, DeletingNeverFollowsALink) {
    QTemporaryDir outside;
    QFile(outside.path() + "/precious.txt").open(QIODevice::WriteOnly);
    write("project/Main.bss");
    write("other/file.txt");
    ASSERT_EQ(::symlink(outside.path().toLocal8Bit(), path("project/linked").toLocal8Bit()), 0);
    ASSERT_EQ(::symlink(path("other").toLocal8Bit(), path("shortcut").toLocal8Bit()), 0);
    ASSERT_EQ(::symlink("/nowhere/at/all", path("project/dangling").toLocal8Bit()), 0);

    select({"project"});
    prompter.reply(Answer::Yes);
    trigger(Delete);
    select({"shortcut"});
    prompter.reply(Answer::Yes);
    trigger(Delete);

    EXPECT_EQ(prompter.texts(),
              QStringList({"Delete " + path("project") + " ?", "Delete " + path("shortcut") + " ?"}));
    EXPECT_FALSE(QFileInfo(path("project")).exists() || QFileInfo(path("shortcut")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside.path() + "/precious.txt"));
    EXPECT_TRUE(exists("other/file.txt"));
}

TEST_F(TreeBrowser, WhatCannotBeDeletedIsNamedAndTheRestGoes) {
    write("big/keep.txt");
    write("big/other.txt");
    write("big/sub/x.txt");
    write("locked.txt");
    write("loose.txt");
    auto remover = std::make_shared<ObservedRemover>();
    remover->refuse = {path("big/keep.txt"), path("locked.txt")};
    deleteAction()->setFileRemover(remover);
    select({"big", "locked.txt", "loose.txt"});
    prompter.reply(Answer::Yes);
    trigger(Delete);

    EXPECT_EQ(prompter.texts(),
              QStringList({"Delete 2 files and 1 directories ?", "Can't delete " + path("locked.txt"),
                           "Can't delete " + path("big/keep.txt")}));
    EXPECT_EQ(prompter.questions()[1].kind, Question::Error);
    EXPECT_TRUE(exists("big/keep.txt") && exists("locked.txt"));
    EXPECT_FALSE(exists("big/other.txt") || exists("big/sub") || exists("loose.txt"));
}

class Recorder : public FileSelectionListener {
public:
    void fileSelected(const QList<QFileInfo>& files) override {
        QStringList paths;
        for (const QFileInfo& file : files) paths << file.absoluteFilePath();
        calls << paths.join(",");
    }
    QStringList calls;
};

// Listeners are told from the event loop, once the selection has settled.
void settle() {
    QCoreApplication::processEvents();
}

TEST_F(TreeBrowser, SelectionsReachTheListenersWhileShown) {
    write("a.bss");
    write("b.bss");
    // As a user meets them: listed before they are chosen.
    ASSERT_TRUE(waitUntil([&] { return listed("").size() == 2; }));
    Recorder first, second;
    browser->addFileSelectionListener(&first);
    browser->addFileSelectionListener(&second);
    browser->setSelectedFile(path("a.bss"));
    settle();
    browser->removeFileSelectionListener(&second);
    browser->setSelectedFile(path("b.bss"));
    settle();
    browser->hide();
    browser->setSelectedFile(path("a.bss"));
    settle();
    browser->show();
    browser->setSelectedFile("/");
    settle();
    EXPECT_EQ(first.calls, QStringList({path("a.bss"), path("b.bss"), ""}));
    EXPECT_EQ(second.calls, QStringList({path("a.bss")}));
    EXPECT_EQ(selected(), "");
}

// What a build does to the folder of the selected project file: files come and go, the model inserts,
// removes and sorts rows. The selection stays the user's: no listener hears of it again, and none is
// told while the model is half updated (a modal dialog opened there ends in a crash when the tree paints).
TEST_F(TreeBrowser, FilesComingAndGoingAreNoSelection) {
    write("game/game.tbp");
    write("game/gameX.bss");
    int updating = 0;
    QAbstractItemModel* model = tree()->model();
    for (auto begin :
         {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved}) {
        QObject::connect(model, begin, browser.get(), [&] { ++updating; });
    }
    for (auto end : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        QObject::connect(model, end, browser.get(), [&] { --updating; });
    }
    QObject::connect(model, &QAbstractItemModel::layoutAboutToBeChanged, browser.get(), [&] { ++updating; });
    QObject::connect(model, &QAbstractItemModel::layoutChanged, browser.get(), [&] { --updating; });
    class Told : public FileSelectionListener {
    public:
        explicit Told(const int& updating) : updating_(updating) {}
        void fileSelected(const QList<QFileInfo>& files) override {
            calls << (files.isEmpty() ? QString() : files.first().fileName());
            if (updating_ != 0) ++insideAnUpdate;
        }
        const int& updating_;
        QStringList calls;
        int insideAnUpdate = 0;
    } told(updating);
    ASSERT_TRUE(waitUntil([&] { return listed("game").size() == 2; }));
    browser->addFileSelectionListener(&told);
    browser->setSelectedFile(path("game/game.tbp"));
    settle();
    ASSERT_EQ(told.calls, QStringList{"game.tbp"});

    for (const char* name : {"game.java", "MANIFEST.MF", "a.tbx", "CBuild.bat", "tmpclasses/Game/x.class"}) {
        write(QString("game/") + name);
    }
    ASSERT_TRUE(waitUntil([&] { return listed("game").size() == 7; }));
    for (const char* name : {"game.java", "MANIFEST.MF", "CBuild.bat"})
        QFile::remove(path(QString("game/") + name));
    write("game/game.jar");
    ASSERT_TRUE(waitUntil([&] { return listed("game").size() == 5; }));
    browser->refresh();
    browser->refreshParent();
    ui::testing::processEventsFor(200);
    EXPECT_EQ(told.calls, QStringList{"game.tbp"});
    EXPECT_EQ(told.insideAnUpdate, 0);
    EXPECT_EQ(selected(), path("game/game.tbp"));
}

class Extension : public FileFilter {
public:
    explicit Extension(QString suffix) : suffix_(std::move(suffix)) {}
    bool accept(const QFileInfo& file) override { return file.isDir() || file.suffix() == suffix_; }
    QString getDescription() const override { return suffix_ + " files"; }
    QIcon getIcon() const override { return {}; }

private:
    QString suffix_;
};

TEST_F(TreeBrowser, TheChosenFilterDecidesWhatIsShown) {
    write("Main.bss");
    write("notes.txt");
    write("src/Game.bss");
    FileFilterModel* filters = browser->getFileFilterModel();
    auto bss = std::make_shared<Extension>("bss");
    auto txt = std::make_shared<Extension>("txt");
    EXPECT_FALSE(filters->addFileFilter(nullptr));
    EXPECT_FALSE(filters->addFileFilter(bss, 1));
    EXPECT_TRUE(filters->addFileFilter(bss));
    EXPECT_TRUE(filters->addFileFilter(txt, 0));
    ASSERT_EQ(filters->getFileFilterCount(), 2);
    EXPECT_EQ(filters->getFileFilter(0), txt);
    auto* list = browser->findChild<QListView*>();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), "bss files");

    EXPECT_TRUE(waitUntil([&] { return listed("") == QStringList({"src", "Main.bss", "notes.txt"}); }));
    list->setCurrentIndex(list->model()->index(1, 0));
    EXPECT_EQ(browser->getCurrentFileFilter(), bss);
    EXPECT_EQ(listed(""), QStringList({"src", "Main.bss"}));
    filters->removeFileFilter(bss.get());
    EXPECT_EQ(filters->getFileFilterCount(), 1);
    list->setCurrentIndex(list->model()->index(0, 0));
    EXPECT_EQ(listed(""), QStringList({"src", "notes.txt"}));
}

class Colours : public FileView {
public:
    std::optional<QIcon> getIcon(const QFileInfo&) override { return std::nullopt; }
    std::optional<QColor> getForeground(const QFileInfo&) override { return std::nullopt; }
    std::optional<QColor> getBackground(const QFileInfo& file) override {
        if (file.suffix() == "bss") return QColor(Qt::green);
        return std::nullopt;
    }
};

TEST_F(TreeBrowser, TheFileViewColoursEntries) {
    write("Main.bss");
    write("notes.txt");
    Colours colours;
    browser->setFileView(&colours);
    browser->resize(300, 300);
    ASSERT_TRUE(waitUntil([&] { return listed("").size() == 2; }));
    auto colourAt = [&](const QString& relative) {
        QRect row = tree()->visualRect(index(relative));
        return QColor(tree()->viewport()->grab().toImage().pixel(row.right() - 2, row.center().y()));
    };
    EXPECT_EQ(colourAt("Main.bss"), QColor(Qt::green));
    EXPECT_NE(colourAt("notes.txt"), QColor(Qt::green));
}

TEST_F(TreeBrowser, RenamingAndMovingOnlyWhenEnabled) {
    write("old.txt", "content");
    write("dest/.keep");
    QAbstractItemModel* model = tree()->model();
    EXPECT_FALSE(model->setData(index("old.txt"), "new.txt"));
    EXPECT_FALSE(model->flags(index("old.txt")) & Qt::ItemIsEditable);
    browser->setEnabledFileRenaming(true);
    EXPECT_TRUE(browser->isEnabledFileRenaming());
    EXPECT_FALSE(model->flags(index("")) & Qt::ItemIsEditable) << "the root keeps its name";
    EXPECT_TRUE(model->setData(index("old.txt"), "new.txt"));
    EXPECT_EQ(read("new.txt"), "content");

    std::unique_ptr<QMimeData> dragged(model->mimeData({index("new.txt")}));
    EXPECT_FALSE(model->dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, index("dest")));
    browser->setEnabledFileMoving(true);
    EXPECT_TRUE(model->flags(index("new.txt")) & Qt::ItemIsDragEnabled);
    EXPECT_FALSE(model->flags(index("")) & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(model->dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, index("dest")));
    EXPECT_EQ(read("dest/new.txt"), "content");
    EXPECT_FALSE(exists("new.txt"));
}

TEST_F(TreeBrowser, RefreshReadsTheFolderAgain) {
    // Without the model's watcher, the home folder stays as it was first read until a refresh.
    files()->setOption(QFileSystemModel::DontWatchForChanges);
    ASSERT_TRUE(waitUntil([&] { return !tree()->model()->canFetchMore(index("")); }));
    write("src/a.bss");
    trigger(Refresh);
    ASSERT_TRUE(waitUntil([&] { return listed("") == QStringList({"src"}); }));
    ASSERT_TRUE(waitUntil([&] { return listed("src") == QStringList({"a.bss"}); }));

    write("src/b.bss");
    write("top.txt");
    QFile::remove(path("src/a.bss"));
    browser->setSelectedFile(path("src/a.bss"));
    trigger(Refresh);
    EXPECT_TRUE(waitUntil([&] { return listed("src") == QStringList({"b.bss"}); }));
    browser->setSelectedFile(path("src"));
    browser->refreshParent();
    EXPECT_TRUE(waitUntil([&] { return listed("") == QStringList({"src", "top.txt"}); }));
}

}  // namespace
