// The resource browser panel over a store of the test's own, its boxes answered by the scripted prompter;
// the FTP browser's actions; the panel leaving its window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <thread>

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "busy_work.h"
#include "ftp_browser.h"
#include "gui_harness.h"
#include "scripted_prompter.h"
#include "tarnwell.h"

namespace {

using namespace ui::resourcebrowser;
using ui::Answer;
using ui::testing::ScriptedPrompter;

// Folders held in memory. Every call is logged as a line ("list /a"); one whose first word is in `failing`
// then throws "<word> failed". With `connects`, the panel runs every call on a thread of its own.
struct FakeManager : ResourceManager {
    QStringList calls;
    bool connects = true;
    // Runs in every call once it is logged, on the thread of the call.
    std::function<void(const QString&)> before;
    ui::Cancellation* cancellation = nullptr;
    QMap<QString, QList<QPair<QString, bool>>> folders;  // folder -> (name, is a file)
    QSet<QString> failing;
    QString locked;  // the path of the one locked file
    bool lockSupported = false;
    std::shared_ptr<ResourceItemModel> model = std::make_shared<ResourceItemModel>();

    void record(const QString& call) {
        calls.append(call);
        if (before) before(call);
        const QString operation = call.section(' ', 0, 0);
        if (failing.contains(operation)) throw ResourceException(operation + " failed");
    }
    struct Item : ZoridResourceItem {
        using ZoridResourceItem::ZoridResourceItem;
        bool isLocked() const override { return locked; }
        bool locked = false;
    };

    void stop() override {
        calls.append("stop");
        if (before) before("stop");
    }
    QString start(const QString& host, const QString& user, const QString& password) override {
        record(QStringList{"start", host, user, password}.join(' '));
        return "/";
    }
    void setContent(const ResourceItem& item, const QByteArray& bytes) override {
        record("set " + item.getFullPath() + " " + bytes);
    }
    void renameFile(const ResourceItem& item, const QString& to) override {
        record("rename " + item.getFullPath() + " " + to);
    }
    void lock(const ResourceItem& item, bool on) override {
        record(QString(on ? "lock " : "unlock ") + item.getFullPath());
    }
    QByteArray getContent(const ResourceItem& item) override {
        record("get " + item.getFullPath());
        return "content";
    }
    void deleteFile(const ResourceItem& item) override { record("delete " + item.getFullPath()); }
    bool isLockSupported() const override { return lockSupported; }
    bool isConnectionSupported() const override { return connects; }
    void setCancellation(ui::Cancellation* set) override { cancellation = set; }
    std::shared_ptr<ResourceItemModel> list(const ResourceItem& directory) override {
        const QString path = directory.getFullPath();
        record("list " + path);
        if (!folders.contains(path)) throw ResourceException("no folder " + path);
        model->removeAll();
        for (const auto& [name, file] : folders.value(path)) {
            auto item = std::make_shared<Item>(path, name, file, std::any());
            item->locked = item->getFullPath() == locked;
            item->setSize(name.size());
            model->addResourceItem(item);
        }
        return model;
    }
};

class Panel : public ::testing::Test {
protected:
    Panel() {
        manager->folders["/"] = {{"a", false}, {"top.txt", true}, {"broken", false}};
        manager->folders["/a"] = {{"b", false}, {"f.txt", true}, {"g.txt", true}};
        manager->folders["/a/b"] = {{"deep.txt", true}};
    }
    void make(bool lockSupported = false) {
        manager->lockSupported = lockSupported;
        State state;
        state.putValue(State::HOST_KEY, "host");
        state.putValue(State::USER_KEY, "user");
        state.putValue(State::PASSWORD_KEY, "pw");
        panel = std::make_unique<ResourceBrowserPanel>(manager, &state);
        panel->show();
    }
    void connectInA() {
        ASSERT_TRUE(panel->connect());
        open("a");
        manager->calls.clear();
    }
    QStringList names() const {
        QStringList shown;
        for (int row = 0; row < panel->table()->rowCount(); ++row)
            shown.append(panel->table()->item(row, 0)->text());
        return shown;
    }
    static QStringList entries(const QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts.append(list->itemText(i));
        return texts;
    }
    QStringList headers() const {
        return {panel->table()->horizontalHeaderItem(0)->text(),
                panel->table()->horizontalHeaderItem(1)->text()};
    }
    void open(const QString& name) { emit panel->table()->cellDoubleClicked(int(names().indexOf(name)), 0); }
    void select(const QString& name) { panel->table()->selectRow(int(names().indexOf(name))); }
    void trigger(const std::type_info& type) { panel->getActionModel()->getActionByClass(type)->trigger(); }
    bool actionsEnabled() const { return panel->getActionModel()->getActionAt(0)->isEnabled(); }

    ScriptedPrompter prompter;
    std::shared_ptr<FakeManager> manager = std::make_shared<FakeManager>();
    std::unique_ptr<ResourceBrowserPanel> panel;
};

TEST_F(Panel, ConnectsListsAndDisconnects) {
    make();
    // A missing host or user is asked for before the manager hears anything; a disabled user field is
    // not needed.
    panel->hostField()->clear();
    EXPECT_FALSE(panel->connect());
    panel->hostField()->setText("host");
    panel->userField()->clear();
    EXPECT_FALSE(panel->connect());
    EXPECT_EQ(prompter.texts(), QStringList({"No host ?", "No users ?"}));
    EXPECT_TRUE(manager->calls.isEmpty());
    panel->userField()->setText("user");

    manager->failing = {"start"};
    EXPECT_FALSE(panel->connect());
    EXPECT_EQ(prompter.texts().last(), "Can't connect : start failed");
    EXPECT_EQ(panel->connectButton()->text(), "Connect");
    manager->failing.clear();
    panel->connectButton()->click();
    EXPECT_TRUE(panel->connect());  // already connected: the manager hears nothing more
    EXPECT_EQ(manager->calls, QStringList({"start host user pw", "start host user pw", "list /"}));
    EXPECT_EQ(panel->connectButton()->text(), "Close");
    EXPECT_EQ(names(), QStringList({"..", "a", "top.txt", "broken"}));
    EXPECT_EQ(panel->table()->item(2, 1)->text(), "7");
    EXPECT_EQ(headers(), QStringList({"Name", "Size (byte)"}));
    EXPECT_TRUE(panel->pathList()->isEnabled() && panel->fileList()->isEnabled() && actionsEnabled());

    panel->connectButton()->click();
    EXPECT_EQ(manager->calls.last(), "stop");
    EXPECT_EQ(panel->connectButton()->text(), "Connect");
    EXPECT_EQ(panel->table()->rowCount(), 0);
    EXPECT_EQ(headers(), QStringList({"Name", "Size"}));
    EXPECT_FALSE(panel->isConnected() || panel->pathList()->isEnabled() || panel->fileList()->isEnabled() ||
                 actionsEnabled());
}

TEST_F(Panel, NavigatesDownAndUpToTheRoot) {
    make();
    connectInA();
    open("b");
    EXPECT_EQ(names(), QStringList({"..", "deep.txt"}));
    EXPECT_EQ(entries(panel->pathList()), QStringList({"/", "/a", "/a/b"}));
    EXPECT_EQ(panel->pathList()->currentText(), "/a/b");
    open("deep.txt");  // a file: nothing to enter
    for (const char* expected : {"/a", "/", "/"}) {
        open("..");
        EXPECT_EQ(panel->getCurrentPath(), expected);
    }
    EXPECT_EQ(manager->calls, QStringList({"list /a/b", "list /a", "list /", "list /"}));

    // A listing that fails keeps the path and the table.
    open("broken");
    EXPECT_EQ(prompter.texts(), QStringList{"Error : no folder /broken"});
    EXPECT_EQ(panel->getCurrentPath(), "/");
    EXPECT_EQ(names(), QStringList({"..", "a", "top.txt", "broken"}));

    open("a");
    open("b");
    emit panel->pathList()->activated(1);
    EXPECT_EQ(panel->getCurrentPath(), "/a");
    emit panel->pathList()->activated(-1);
    EXPECT_EQ(panel->getCurrentPath(), "/");
}

TEST_F(Panel, TheFileListNamesSelectionsAndLeadsToThem) {
    make();
    connectInA();
    select("f.txt");
    select("b");  // a folder: not in the default mode
    EXPECT_EQ(entries(panel->fileList()), QStringList({"/a/f.txt"}));
    panel->setSelectionMode(ResourceBrowserPanel::DIRECTORY_SELECTION_MODE);
    select("g.txt");
    select("b");
    panel->setSelectionMode(ResourceBrowserPanel::FILE_DIRECTORY_SELECTION_MODE);
    select("g.txt");
    EXPECT_EQ(entries(panel->fileList()), QStringList({"/a/g.txt", "/a/b/", "/a/f.txt"}));

    // A folder entry is listed; a file entry lists its folder and selects its row.
    emit panel->fileList()->activated(1);
    EXPECT_EQ(panel->getCurrentPath(), "/a/b");
    emit panel->fileList()->activated(2);
    EXPECT_EQ(panel->getCurrentPath(), "/a");
    EXPECT_EQ(panel->table()->selectedItems().first()->text(), "f.txt");
    EXPECT_EQ(panel->getSelectedPathFile(), "/a/f.txt");
    EXPECT_EQ(manager->calls, QStringList({"list /a/b", "list /a"}));
}

TEST_F(Panel, UserActionsWorkOnTheFileListsEntry) {
    make();
    connectInA();
    using namespace actions;
    // New: a listed name is refused; otherwise an empty file in the current folder. Without an entry in
    // the "File" list, Delete and Rename have nothing to work on.
    for (auto answer :
         {std::optional<QString>("f.txt"), std::optional<QString>("new.txt"), std::optional<QString>()})
        prompter.reply(answer);
    for (int i = 0; i < 3; ++i) trigger(typeid(NewAction));
    trigger(typeid(DeleteAction));
    trigger(typeid(RenameAction));
    EXPECT_EQ(prompter.texts(), QStringList({"New file", "This file is used", "New file", "New file"}));
    EXPECT_EQ(manager->calls, QStringList({"set /a/new.txt ", "list /a"}));

    select("f.txt");
    select("g.txt");
    open("b");  // the table moves on; the entries stay in "/a"
    manager->calls.clear();
    prompter.clear();
    prompter.reply(Answer::No);
    prompter.reply(Answer::Yes);
    prompter.reply("h.txt");
    trigger(typeid(DeleteAction));
    trigger(typeid(DeleteAction));
    trigger(typeid(RenameAction));
    EXPECT_EQ(prompter.texts(),
              QStringList({"Confirm delete /a/g.txt ?", "Confirm delete /a/g.txt ?", "New name"}));
    EXPECT_EQ(prompter.questions().back().detail, "f.txt");
    // Renamed where it is, not moved into the folder the table shows.
    EXPECT_EQ(manager->calls,
              QStringList({"delete /a/g.txt", "list /a/b", "rename /a/f.txt /a/h.txt", "list /a/b"}));
    EXPECT_EQ(entries(panel->fileList()), QStringList{"/a/h.txt"});

    // Each failure has its box, and the panel stays as it was.
    prompter.clear();
    manager->failing = {"set", "delete", "rename"};
    prompter.reply("other.txt");
    prompter.reply(Answer::Yes);
    prompter.reply("i.txt");
    trigger(typeid(NewAction));
    trigger(typeid(DeleteAction));
    trigger(typeid(RenameAction));
    EXPECT_EQ(prompter.texts(),
              QStringList({"New file", "Can't create a new file", "Confirm delete /a/h.txt ?",
                           "Can't delete this file", "New name", "Can't rename this file"}));
    EXPECT_EQ(panel->getSelectedPathFile(), "/a/h.txt");
    EXPECT_EQ(panel->getCurrentPath(), "/a/b");
}

TEST_F(Panel, LockActionFollowsTheSelectionAndSwitches) {
    manager->locked = "/a/g.txt";
    make(true);
    connectInA();
    QAction* lock = panel->getActionModel()->getActionAt(3);
    select("g.txt");
    EXPECT_EQ(lock->text(), "Unlock");
    select("f.txt");
    lock->trigger();
    EXPECT_EQ(lock->text(), "Unlock");
    manager->failing = {"unlock"};
    lock->trigger();
    EXPECT_EQ(lock->text(), "Unlock");
    EXPECT_EQ(manager->calls, QStringList({"lock /a/f.txt", "unlock /a/f.txt"}));
    EXPECT_EQ(prompter.texts(), QStringList{"Can't unlock this file"});
}

TEST_F(Panel, ContentOfTheSelectedFileAndTheState) {
    make();
    State state;
    state.putValue(State::HOST_KEY, "ftp.example");
    state.putValue(State::USER_KEY, QVariant(), "nobody");
    state.putValue(State::FILES_KEY, QStringList({"/a/f.txt", "/y", "/a/f.txt"}));
    panel->setState(state);
    const State back = panel->getState();
    EXPECT_EQ(back.getValue(State::HOST_KEY), "ftp.example");
    EXPECT_EQ(back.getValue(State::USER_KEY), "nobody");
    EXPECT_EQ(back.getValue(State::PASSWORD_KEY), "pw");
    // The selected entry first, then the list, each path once.
    EXPECT_EQ(back.getValue(State::FILES_KEY).toStringList(), QStringList({"/a/f.txt", "/a/f.txt", "/y"}));
    panel->setState(back);
    EXPECT_EQ(panel->getState().getValue(State::FILES_KEY), back.getValue(State::FILES_KEY));

    // Connects first, and with the flag set disconnects afterwards, failed or not.
    EXPECT_EQ(panel->getSelectedContentFile(true), QByteArray("content"));
    EXPECT_FALSE(panel->isConnected());
    EXPECT_TRUE(panel->setSelectedContentFile("new", false));
    manager->failing = {"get"};
    EXPECT_FALSE(panel->getSelectedContentFile(true).has_value());
    EXPECT_EQ(manager->calls, QStringList({"start ftp.example nobody pw", "list /", "get /a/f.txt", "stop",
                                           "start ftp.example nobody pw", "list /", "set /a/f.txt new",
                                           "get /a/f.txt", "stop"}));
    EXPECT_EQ(prompter.texts(), QStringList{"get failed"});
    panel->fileList()->clear();
    EXPECT_FALSE(panel->setSelectedContentFile("x", false));
}

// A store that keeps every call waiting: each runs off the GUI thread, the windows go on drawing (a timer
// fires), and the busy box's Cancel ends it at once, shows nothing and leaves the panel as it was. A local
// store's calls run on the GUI thread, without a box.
TEST_F(Panel, EveryCallOfARemoteStoreRunsOffTheGuiThreadAndCancelEndsIt) {
    manager->locked = "/a/f.txt";
    make(true);
    connectInA();
    select("f.txt");
    const std::thread::id gui = std::this_thread::get_id();
    std::atomic<bool> offThread{false};
    manager->before = [&](const QString&) {
        offThread = std::this_thread::get_id() != gui;
        // Waits as a silent server would, until cancelled.
        while (!manager->cancellation->isCancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (!manager->calls.isEmpty() && manager->calls.last() == "stop") return;
        throw ResourceException("Cancelled");
    };
    using namespace actions;
    struct Row {
        const char* call;  // what the store hears first
        const char* doing;
        std::function<void()> act;
    };
    const std::vector<Row> rows = {
        {"list /a/b", "Listing /a/b ...", [&] { open("b"); }},
        {"list /", "Listing / ...", [&] { emit panel->pathList()->activated(0); }},
        {"get /a/f.txt", "Reading /a/f.txt ...", [&] { EXPECT_FALSE(panel->getSelectedContentFile(false)); }},
        {"set /a/f.txt x", "Writing /a/f.txt ...",
         [&] { EXPECT_FALSE(panel->setSelectedContentFile("x", false)); }},
        {"set /a/n.txt ", "Creating /a/n.txt ...",
         [&] {
             prompter.reply("n.txt");
             trigger(typeid(NewAction));
         }},
        {"delete /a/f.txt", "Deleting /a/f.txt ...",
         [&] {
             prompter.reply(Answer::Yes);
             trigger(typeid(DeleteAction));
         }},
        {"rename /a/f.txt /a/m.txt", "Renaming /a/f.txt ...",
         [&] {
             prompter.reply("m.txt");
             trigger(typeid(RenameAction));
         }},
        {"unlock /a/f.txt", "Unlocking /a/f.txt ...", [&] { trigger(typeid(LockAction)); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.call);
        manager->calls.clear();
        prompter.clear();
        offThread = false;
        int ticks = 0;
        QString shown;
        QElapsedTimer sinceCancel;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            auto* box = qobject_cast<ui::BusyBox*>(QApplication::activeModalWidget());
            if (!box || ticks < 3 || sinceCancel.isValid()) return;
            shown = box->findChild<QLabel*>("busyText")->text();
            sinceCancel.start();
            box->findChild<QPushButton*>("busyCancel")->click();
        });
        ticker.start(10);
        row.act();
        ticker.stop();
        EXPECT_TRUE(offThread);
        EXPECT_GE(ticks, 3);
        EXPECT_EQ(shown, row.doing);
        ASSERT_TRUE(sinceCancel.isValid());
        EXPECT_LT(sinceCancel.elapsed(), 1000);
        EXPECT_EQ(manager->calls, QStringList{row.call});
        // Only the question the action asks; no failure box after a cancel.
        EXPECT_TRUE(prompter.texts().filter("Can't").isEmpty() && prompter.texts().filter("Error").isEmpty())
            << prompter.texts().join(" | ").toStdString();
        EXPECT_TRUE(panel->isConnected());
        EXPECT_EQ(panel->getCurrentPath(), "/a");
        EXPECT_EQ(names(), QStringList({"..", "b", "f.txt", "g.txt"}));
        EXPECT_EQ(panel->getSelectedPathFile(), "/a/f.txt");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    // Disconnecting still ends the connection when its wait is cancelled; a cancelled connect leaves
    // the panel disconnected, whatever the store had done.
    for (const char* call : {"stop", "start host user pw"}) {
        SCOPED_TRACE(call);
        manager->calls.clear();
        QTimer::singleShot(20, [] {
            if (auto* box = qobject_cast<ui::BusyBox*>(QApplication::activeModalWidget()))
                box->findChild<QPushButton*>("busyCancel")->click();
        });
        panel->connectButton()->click();
        EXPECT_EQ(manager->calls.value(0), call);
        EXPECT_FALSE(panel->isConnected());
        EXPECT_EQ(panel->connectButton()->text(), "Connect");
        EXPECT_EQ(panel->table()->rowCount(), 0);
    }

    // A local store is worked on here.
    manager->before = [&](const QString&) { offThread = std::this_thread::get_id() != gui; };
    manager->connects = false;
    manager->calls.clear();
    ASSERT_TRUE(panel->connect());
    EXPECT_FALSE(offThread);
    EXPECT_EQ(manager->calls, QStringList({"start host user pw", "list /"}));
}

// Deleted while a call runs (its window closed): the call is cancelled and waited for, nothing of the
// panel is touched afterwards, and the store is not stopped under the running call.
TEST_F(Panel, APanelDeletedWhileACallRunsEndsItFirst) {
    auto* window = new QWidget;
    auto* held = new ResourceBrowserPanel(manager, nullptr, window);
    held->hostField()->setText("host");
    held->userField()->setText("user");
    window->show();
    ASSERT_TRUE(held->connect());
    std::atomic<bool> inCall{false};
    manager->before = [&](const QString& call) {
        if (call == "stop") {
            EXPECT_FALSE(inCall.load());
            return;
        }
        inCall = true;
        while (!manager->cancellation->isCancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        inCall = false;
        throw ResourceException("Cancelled");
    };
    QPointer<ResourceBrowserPanel> watched(held);
    QTimer::singleShot(30, [window] { delete window; });
    emit held->table()->cellDoubleClicked(1, 0);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(manager->calls, QStringList({"start host user ", "list /", "list /a", "stop"}));
}

TEST_F(Panel, MisuseIsRefused) {
    make();
    const auto refusal = [](const std::function<void()>& misuse) -> std::string {
        try {
            misuse();
        } catch (const std::invalid_argument& failure) {
            return failure.what();
        }
        return "accepted";
    };
    State empty;
    EXPECT_EQ(empty.getModel(), nullptr);
    EXPECT_EQ(refusal([&] { empty.putValue(QString(), "x"); }), "A key cannot be null");
    EXPECT_EQ(refusal([&] { panel->setState(nullptr); }), "Illegal null state");
    EXPECT_EQ(refusal([] { ResourceBrowserPanel none(nullptr); }), "Illegal null manager");
}

TEST(FtpBrowserActions, NewRenameDeleteThenTheCallersOwn) {
    ScriptedPrompter prompter;
    ui::ftpbrowser::FTPBrowser browser;
    QAction display("Display");
    browser.getActionModel()->addAction(&display);
    browser.show();
    QStringList names, buttons;
    for (int i = 0; i < browser.getActionModel()->size(); ++i) {
        names.append(browser.getActionModel()->getActionAt(i)->text());
        EXPECT_FALSE(browser.getActionModel()->getActionAt(i)->isEnabled());
    }
    for (QToolButton* button : browser.findChildren<QToolButton*>()) buttons.append(button->text());
    EXPECT_EQ(names, QStringList({"New", "Rename", "Delete", "Display"}));
    EXPECT_EQ(buttons, names);
}

TEST_F(Panel, LeavingItsWindowDisconnects) {
    // Taken out of its window: disconnected, the manager stopped, the actions unbound.
    QWidget window;
    panel = std::make_unique<ResourceBrowserPanel>(manager);
    (new QVBoxLayout(&window))->addWidget(panel.get());
    window.show();
    panel->hostField()->setText("host");
    panel->userField()->setText("user");
    ASSERT_TRUE(panel->connect());
    panel->setParent(nullptr);
    EXPECT_FALSE(panel->isConnected());
    EXPECT_EQ(manager->calls.last(), "stop");
    panel->getActionModel()->getActionAt(0)->trigger();  // unbound: no box
    EXPECT_TRUE(prompter.texts().isEmpty());
    panel.reset();

    // Deleted with its window while shown.
    manager->calls.clear();
    auto* owner = new QWidget;
    auto* held = new ResourceBrowserPanel(manager, nullptr, owner);
    held->hostField()->setText("host");
    held->userField()->setText("user");
    owner->show();
    ASSERT_TRUE(held->connect());
    delete owner;
    EXPECT_EQ(manager->calls, QStringList({"start host user ", "list /", "stop"}));

    // Removed from the docking container: the window and the panel go, and the connection with them.
    manager->calls.clear();
    ui::dockable::Tarnwell tarnwell;
    auto* inner = new ResourceBrowserPanel(manager);
    inner->hostField()->setText("host");
    inner->userField()->setText("user");
    tarnwell.addInnerWindow(ui::dockable::InnerWindowProperties("Ftp", "FTP", inner), "Center");
    tarnwell.getView()->show();
    ASSERT_TRUE(inner->connect());
    QPointer<ResourceBrowserPanel> watched(inner);
    tarnwell.removeInnerWindow("Ftp");
    ASSERT_TRUE(ui::testing::waitUntil([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return watched.isNull();
    }));
    EXPECT_EQ(manager->calls, QStringList({"start host user ", "list /", "stop"}));
    tarnwell.getView()->hide();
}

}  // namespace
