// The resource browser panel over a manager of the test's own, its boxes answered by the scripted
// prompter; the FTP browser's actions; the panel leaving its window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "ftp_browser.h"
#include "gui_harness.h"
#include "resource_browser_panel.h"
#include "scripted_prompter.h"
#include "tarnwell.h"

namespace {

using namespace ui::resourcebrowser;
using ui::Answer;
using ui::testing::ScriptedPrompter;

// A store of folders held in memory; every call is logged, and the operations named in `failing` throw.
struct FakeManager : ResourceManager {
    QStringList calls;
    QMap<QString, QList<QPair<QString, bool>>> folders;  // folder -> (name, is a file)
    QSet<QString> locked;
    QSet<QString> failing;
    QByteArray content = "content";
    bool lockSupported = false;
    std::shared_ptr<ResourceItemModel> model = std::make_shared<ResourceItemModel>();

    void check(const QString& operation) {
        if (failing.contains(operation)) throw ResourceException(operation + " failed");
    }
    void stop() override { calls.append("stop"); }
    QString start(const QString& host, const QString& user, const QString& password) override {
        calls.append(QStringList{"start", host, user, password}.join(' '));
        check("start");
        return "/";
    }
    void setContent(const ResourceItem& item, const QByteArray& bytes) override {
        calls.append("set " + item.getFullPath() + " " + bytes);
        check("set");
    }
    void renameFile(const ResourceItem& item, const QString& newPath) override {
        calls.append("rename " + item.getFullPath() + " " + newPath);
        check("rename");
    }
    void lock(const ResourceItem& item, bool on) override {
        calls.append(QString(on ? "lock " : "unlock ") + item.getFullPath());
        check("lock");
    }
    std::shared_ptr<ResourceItemModel> list(const ResourceItem& directory) override {
        const QString path = directory.getFullPath();
        calls.append("list " + path);
        check("list");
        if (!folders.contains(path)) throw ResourceException("no folder " + path);
        model->removeAll();
        for (const auto& [name, file] : folders.value(path)) {
            auto item = std::make_shared<LockableItem>(path, name, file);
            item->locked = locked.contains(item->getFullPath());
            item->setSize(name.size());
            model->addResourceItem(item);
        }
        return model;
    }
    bool isLockSupported() const override { return lockSupported; }
    bool isConnectionSupported() const override { return true; }
    QByteArray getContent(const ResourceItem& item) override {
        calls.append("get " + item.getFullPath());
        check("get");
        return content;
    }
    void deleteFile(const ResourceItem& item) override {
        calls.append("delete " + item.getFullPath());
        check("delete");
    }

    struct LockableItem : ZoridResourceItem {
        LockableItem(const QString& parent, const QString& name, bool file)
            : ZoridResourceItem(parent, name, file, {}) {}
        bool isLocked() const override { return locked; }
        bool locked = false;
    };
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
    void connectAt(const QString& path = "/") {
        ASSERT_TRUE(panel->connect());
        if (path != "/") open(path.mid(path.lastIndexOf('/') + 1));
        ASSERT_EQ(panel->getCurrentPath(), path);
        manager->calls.clear();
    }
    QStringList names() const {
        QStringList shown;
        for (int row = 0; row < panel->table()->rowCount(); ++row)
            shown.append(panel->table()->item(row, 0)->text());
        return shown;
    }
    int rowOf(const QString& name) const { return int(names().indexOf(name)); }
    void open(const QString& name) { emit panel->table()->cellDoubleClicked(rowOf(name), 0); }
    void select(const QString& name) { panel->table()->selectRow(rowOf(name)); }
    QStringList entries(QComboBox* list) const {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts.append(list->itemText(i));
        return texts;
    }
    QStringList headers() const {
        return {panel->table()->horizontalHeaderItem(0)->text(),
                panel->table()->horizontalHeaderItem(1)->text()};
    }
    void trigger(const std::type_info& type) { panel->getActionModel()->getActionByClass(type)->trigger(); }

    ScriptedPrompter prompter;
    std::shared_ptr<FakeManager> manager = std::make_shared<FakeManager>();
    std::unique_ptr<ResourceBrowserPanel> panel;
};

TEST_F(Panel, ConnectAsksForHostAndUserBeforeTheManager) {
    make();
    struct Row {
        const char* host;
        const char* user;
        bool userEnabled;
        const char* message;  // null: connects
    };
    const Row rows[] = {
        {"", "user", true, "No host ?"}, {"host", "", true, "No users ?"}, {"host", "", false, nullptr}};
    for (const Row& row : rows) {
        prompter.clear();
        panel->hostField()->setText(row.host);
        panel->userField()->setText(row.user);
        panel->userField()->setEnabled(row.userEnabled);
        EXPECT_EQ(panel->connect(), row.message == nullptr) << row.host << "/" << row.user;
        EXPECT_EQ(prompter.texts(), row.message ? QStringList{row.message} : QStringList{});
    }
    EXPECT_EQ(manager->calls, QStringList({"start host  pw", "list /"}));
}

TEST_F(Panel, ConnectsListsAndDisconnects) {
    make();
    manager->failing = {"start"};
    EXPECT_FALSE(panel->connect());
    EXPECT_EQ(prompter.texts(), QStringList{"Can't connect : start failed"});
    EXPECT_FALSE(panel->isConnected());
    EXPECT_EQ(panel->connectButton()->text(), "Connect");
    EXPECT_EQ(headers(), QStringList({"Name", "Size"}));

    manager->failing.clear();
    panel->connectButton()->click();
    EXPECT_TRUE(panel->isConnected());
    EXPECT_TRUE(panel->connect());  // already connected: the manager hears nothing more
    EXPECT_EQ(manager->calls, QStringList({"start host user pw", "start host user pw", "list /"}));
    EXPECT_EQ(panel->connectButton()->text(), "Close");
    EXPECT_EQ(names(), QStringList({"..", "a", "top.txt", "broken"}));
    EXPECT_EQ(panel->table()->item(rowOf("top.txt"), 1)->text(), "7");
    EXPECT_EQ(headers(), QStringList({"Name", "Size (byte)"}));
    EXPECT_TRUE(panel->pathList()->isEnabled() && panel->fileList()->isEnabled());
    EXPECT_TRUE(panel->getActionModel()->getActionAt(0)->isEnabled());

    panel->connectButton()->click();
    EXPECT_FALSE(panel->isConnected());
    EXPECT_EQ(manager->calls.last(), "stop");
    EXPECT_EQ(panel->connectButton()->text(), "Connect");
    EXPECT_EQ(panel->table()->rowCount(), 0);
    EXPECT_EQ(headers(), QStringList({"Name", "Size"}));
    EXPECT_FALSE(panel->pathList()->isEnabled() || panel->fileList()->isEnabled());
    for (int i = 0; i < panel->getActionModel()->size(); ++i)
        EXPECT_FALSE(panel->getActionModel()->getActionAt(i)->isEnabled());
}

TEST_F(Panel, NavigatesDownAndUpToTheRoot) {
    make();
    connectAt();
    open("a");
    open("b");
    EXPECT_EQ(panel->getCurrentPath(), "/a/b");
    EXPECT_EQ(names(), QStringList({"..", "deep.txt"}));
    EXPECT_EQ(entries(panel->pathList()), QStringList({"/", "/a", "/a/b"}));
    EXPECT_EQ(panel->pathList()->currentText(), "/a/b");
    open("deep.txt");  // a file: nothing to enter
    for (const char* expected : {"/a", "/", "/"}) {
        open("..");
        EXPECT_EQ(panel->getCurrentPath(), expected);
    }
    EXPECT_EQ(manager->calls, QStringList({"list /a", "list /a/b", "list /a", "list /", "list /"}));

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
    connectAt("/a");
    select("f.txt");
    select("b");  // a folder: not a file
    EXPECT_EQ(entries(panel->fileList()), QStringList({"/a/f.txt"}));
    EXPECT_EQ(panel->getSelectedPathFile(), "/a/f.txt");
    EXPECT_FALSE(panel->getSelectedResource().isFile());

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
    connectAt("/a");
    using namespace actions;
    // New: a listed name is refused; otherwise an empty file in the current folder.
    prompter.reply("f.txt");
    prompter.reply("new.txt");
    prompter.reply(std::optional<QString>());
    for (int i = 0; i < 3; ++i) trigger(typeid(NewAction));
    EXPECT_EQ(prompter.texts(), QStringList({"New file", "This file is used", "New file", "New file"}));
    EXPECT_EQ(manager->calls, QStringList({"set /a/new.txt ", "list /a"}));

    // Without an entry in the "File" list, Delete and Rename have nothing to work on.
    prompter.clear();
    manager->calls.clear();
    trigger(typeid(DeleteAction));
    trigger(typeid(RenameAction));
    EXPECT_TRUE(prompter.texts().isEmpty());

    select("f.txt");
    open("b");  // the table moves on; the entry stays "/a/f.txt"
    manager->calls.clear();
    prompter.reply(Answer::No);
    prompter.reply(Answer::Yes);
    trigger(typeid(DeleteAction));
    trigger(typeid(DeleteAction));
    EXPECT_EQ(prompter.texts(), QStringList({"Confirm delete /a/f.txt ?", "Confirm delete /a/f.txt ?"}));
    EXPECT_EQ(manager->calls, QStringList({"delete /a/f.txt", "list /a/b"}));
    EXPECT_TRUE(entries(panel->fileList()).isEmpty());

    open("..");
    select("g.txt");
    open("b");
    prompter.clear();
    manager->calls.clear();
    prompter.reply("h.txt");
    trigger(typeid(RenameAction));
    EXPECT_EQ(prompter.questions().front().detail, "g.txt");
    // Renamed where it is, not moved into the folder the table shows.
    EXPECT_EQ(manager->calls, QStringList({"rename /a/g.txt /a/h.txt", "list /a/b"}));
    EXPECT_EQ(panel->getSelectedPathFile(), "/a/h.txt");

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
    manager->locked = {"/a/g.txt"};
    make(true);
    connectAt("/a");
    auto* lock = panel->getActionModel()->getActionByClass<actions::LockAction>();
    ASSERT_NE(lock, nullptr);
    select("g.txt");
    EXPECT_EQ(lock->text(), "Unlock");
    select("f.txt");
    EXPECT_EQ(lock->text(), "Lock");
    lock->trigger();
    EXPECT_EQ(lock->text(), "Unlock");
    lock->trigger();
    EXPECT_EQ(lock->text(), "Lock");
    EXPECT_EQ(manager->calls, QStringList({"lock /a/f.txt", "unlock /a/f.txt"}));
    manager->failing = {"lock"};
    lock->trigger();
    lock->setText("Unlock");
    lock->trigger();
    EXPECT_EQ(prompter.texts(), QStringList({"Can't lock this file", "Can't unlock this file"}));
    EXPECT_EQ(lock->text(), "Unlock");
}

TEST_F(Panel, ContentOfTheSelectedFile) {
    make();
    panel->fileList()->addItem("/a/f.txt");
    panel->fileList()->setCurrentIndex(0);
    // Connects first, and with the flag set disconnects afterwards.
    EXPECT_EQ(panel->getSelectedContentFile(true), QByteArray("content"));
    EXPECT_EQ(manager->calls, QStringList({"start host user pw", "list /", "get /a/f.txt", "stop"}));
    EXPECT_FALSE(panel->isConnected());
    manager->calls.clear();
    EXPECT_TRUE(panel->setSelectedContentFile("new", false));
    EXPECT_TRUE(panel->isConnected());
    EXPECT_EQ(manager->calls, QStringList({"start host user pw", "list /", "set /a/f.txt new"}));

    manager->failing = {"get", "set"};
    manager->calls.clear();
    EXPECT_FALSE(panel->getSelectedContentFile(true).has_value());
    EXPECT_FALSE(panel->setSelectedContentFile("x", false));
    EXPECT_EQ(prompter.texts(), QStringList({"get failed", "set failed"}));
    EXPECT_EQ(manager->calls,
              QStringList({"get /a/f.txt", "stop", "start host user pw", "list /", "set /a/f.txt x"}));

    panel->fileList()->clear();
    EXPECT_FALSE(panel->getSelectedContentFile(false).has_value());
    panel->hostField()->clear();
    panel->disconnect();
    prompter.clear();
    EXPECT_FALSE(panel->setSelectedContentFile("x", false));
    EXPECT_EQ(prompter.texts(), QStringList{"No host ?"});
}

TEST_F(Panel, StateRoundTripsAndMisuseIsRefused) {
    make();
    State state;
    state.putValue(State::HOST_KEY, "ftp.example");
    state.putValue(State::USER_KEY, QVariant(), "nobody");
    state.putValue(State::PASSWORD_KEY, "p w");
    state.putValue(State::FILES_KEY, QStringList({"/x", "/y", "/x"}));
    panel->setState(state);
    State back = panel->getState();
    for (const QString& key : {State::HOST_KEY, State::USER_KEY, State::PASSWORD_KEY})
        EXPECT_EQ(back.getValue(key), state.getValue(key)) << key.toStdString();
    EXPECT_EQ(back.getValue(State::FILES_KEY).toStringList(), QStringList({"/x", "/x", "/y"}));
    panel->setState(back);  // the selected entry comes first and is listed once
    EXPECT_EQ(panel->getState().getValue(State::FILES_KEY).toStringList(), QStringList({"/x", "/x", "/y"}));
    EXPECT_EQ(back.getModel()->size(), 4);

    State empty;
    EXPECT_EQ(empty.getModel(), nullptr);
    EXPECT_FALSE(empty.getValue(State::HOST_KEY).isValid());
    const auto refusal = [](const std::function<void()>& misuse) -> std::string {
        try {
            misuse();
        } catch (const std::invalid_argument& failure) {
            return failure.what();
        }
        return "accepted";
    };
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
    EXPECT_EQ(browser.getActionModel()->getActionAt(2)->toolTip(), "Delete the selected file");
    EXPECT_EQ(browser.sizeHint(), QSize(450, 450));
}

TEST_F(Panel, LeavingItsWindowDisconnects) {
    // Taken out of its window: disconnected, the manager stopped, the actions unbound.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    panel = std::make_unique<ResourceBrowserPanel>(manager);
    layout->addWidget(panel.get());
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

    // Removed from the docking container: the window and the panel go, and the connection with them.
    manager->calls.clear();
    ui::dockable::Tarnwell tarnwell;
    auto* inner = new ResourceBrowserPanel(manager);
    inner->hostField()->setText("host");
    inner->userField()->setText("user");
    tarnwell.addInnerWindow(ui::dockable::InnerWindowProperties("Ftp", "FTP", inner), "Center");
    QWidget* view = tarnwell.getView();
    view->show();
    ASSERT_TRUE(inner->connect());
    QPointer<ResourceBrowserPanel> watched(inner);
    tarnwell.removeInnerWindow("Ftp");
    ASSERT_TRUE(ui::testing::waitUntil([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return watched.isNull();
    }));
    EXPECT_EQ(manager->calls, QStringList({"start host user ", "list /", "stop"}));
    view->hide();
}

}  // namespace
