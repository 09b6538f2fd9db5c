// The local-folder and ZIP managers on real files and archives (written and read back with libzip),
// their rewrites made to fail by a file-size limit, and the two browsers opening connected.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>
#include <random>

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "file_browser.h"
#include "file_size_limit.h"
#include "scoped_settings.h"
#include "scripted_prompter.h"
#include "test_helpers.h"
#include "zip_browser.h"

namespace {

using namespace ui::resourcebrowser;
using ui::filebrowser::FileBrowser;
using ui::filebrowser::FileResourceManager;
using ui::testing::ScopedEnv;
using ui::testing::ScriptedPrompter;
using ui::zipbrowser::ZIPBrowser;
using ui::zipbrowser::ZIPResourceManager;
using Entries = QMap<QString, QByteArray>;

QString failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ResourceException& failure) {
        return failure.getMessage();
    }
    return QStringLiteral("done");
}

ZoridResourceItem item(const QString& path, bool file = true) {
    return ZoridResourceItem(path, file);
}

QStringList paths(const ResourceItemModel& listing) {
    QStringList found;
    for (const auto& each : listing.toArray())
        found.append(each->getFullPath() + (each->isFile() ? "" : "/"));
    return found;
}

using tz::testing::readFile;
using tz::testing::writeFile;

QByteArray noise(int size) {
    std::mt19937 random(7);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) byte = char(random());
    return bytes;
}

// Writes the archive in the given entry order; an entry ending in "/" is a folder entry.
void makeArchive(const QString& path, const QList<QPair<QString, QByteArray>>& entries) {
    int code = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, content] : entries) {
        if (name.endsWith('/')) {
            zip_dir_add(archive, name.toUtf8().constData(), ZIP_FL_ENC_UTF_8);
            continue;
        }
        zip_source_t* source =
            zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// Every entry's name and content, read by libzip alone.
Entries readArchive(const QString& path) {
    Entries found;
    int code = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) return {{"<broken>", QByteArray::number(code)}};
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        QByteArray content(qsizetype(stat.size), '\0');
        zip_file_t* entry = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (zip_fread(entry, content.data(), stat.size) != zip_int64_t(stat.size)) content = "<unreadable>";
        zip_fclose(entry);
        found.insert(QString::fromUtf8(stat.name), content);
    }
    zip_discard(archive);
    return found;
}

using tz::testing::FileSizeLimit;

// The file's identity and last change, to the nanosecond: a file written over in place, even with its
// old bytes, is not the one it was.
struct FileStamp {
    explicit FileStamp(const QString& path) {
        struct stat status {};
        stat(path.toLocal8Bit().constData(), &status);
        inode = status.st_ino;
        changed = {status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
    }
    bool operator==(const FileStamp&) const = default;
    ino_t inode;
    std::pair<time_t, long> changed;
};

class Stores : public ::testing::Test {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList folderEntries() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
};

TEST_F(Stores, ZipListsEachFolderLevelOnceAndReadsEntries) {
    const QString archive = path("game.zip");
    makeArchive(archive, {{"a.txt", "alpha"},
                          {"dir/", {}},
                          {"dir/b.txt", "beta"},
                          {"dir/sub/c.txt", "gamma"},
                          {"deep/x/y.txt", "why"},
                          {"deep/x/z.txt", "zed"}});
    ZIPResourceManager manager(archive);
    EXPECT_EQ(failureOf([&] { manager.list(item("/", false)); }), "No connection");
    ASSERT_EQ(manager.start("", "", ""), "/");
    EXPECT_FALSE(manager.isLockSupported());
    EXPECT_FALSE(manager.isConnectionSupported());

    auto listing = manager.list(item("/", false));
    EXPECT_EQ(paths(*listing), QStringList({"/a.txt", "/dir/", "/deep/"}));
    EXPECT_EQ(listing->getResourceItem(0)->getSize(), 5);
    EXPECT_EQ(paths(*manager.list(item("/dir", false))), QStringList({"/dir/b.txt", "/dir/sub/"}));
    EXPECT_EQ(paths(*manager.list(item("/deep/", false))), QStringList({"/deep/x/"}));
    EXPECT_EQ(paths(*manager.list(item("/deep/x", false))), QStringList({"/deep/x/y.txt", "/deep/x/z.txt"}));

    EXPECT_EQ(manager.getContent(item("/dir/sub/c.txt")), "gamma");
    EXPECT_TRUE(
        failureOf([&] { manager.getContent(item("/none.txt")); }).startsWith("Can't get file content : "));
    manager.stop();
    EXPECT_EQ(failureOf([&] { manager.getContent(item("/a.txt")); }), "No connection");
}

TEST_F(Stores, ZipRewritesKeepEveryOtherEntry) {
    const QString archive = path("game.zip");
    const QByteArray big = noise(40000);
    makeArchive(archive, {{"a.txt", "alpha"}, {"img/pic.png", big}, {"img/b.txt", "beta"}});
    ZIPResourceManager manager(archive);
    manager.start("", "", "");

    manager.setContent(item("/img/new.txt"), "fresh");
    EXPECT_EQ(
        readArchive(archive),
        Entries({{"a.txt", "alpha"}, {"img/pic.png", big}, {"img/b.txt", "beta"}, {"img/new.txt", "fresh"}}));
    // The manager reads the new archive at once.
    EXPECT_EQ(manager.getContent(item("/img/new.txt")), "fresh");

    manager.setContent(item("/a.txt"), "replaced");
    manager.renameFile(item("/img/b.txt"), "/img/renamed.txt");
    manager.deleteFile(item("/img/pic.png"));
    EXPECT_EQ(readArchive(archive),
              Entries({{"a.txt", "replaced"}, {"img/renamed.txt", "beta"}, {"img/new.txt", "fresh"}}));
    EXPECT_EQ(paths(*manager.list(item("/img", false))), QStringList({"/img/renamed.txt", "/img/new.txt"}));

    // Renaming onto an entry that exists, or a missing entry, changes nothing.
    EXPECT_TRUE(
        failureOf([&] { manager.renameFile(item("/a.txt"), "/img/new.txt"); }).startsWith("Can't store : "));
    EXPECT_TRUE(failureOf([&] { manager.deleteFile(item("/gone.txt")); }).startsWith("Can't store : "));

    // The last entry gone, the archive stays an archive, empty.
    for (const char* name : {"/a.txt", "/img/renamed.txt", "/img/new.txt"}) manager.deleteFile(item(name));
    EXPECT_EQ(readArchive(archive), Entries());
    EXPECT_EQ(manager.list(item("/", false))->getResourceCount(), 0);
    EXPECT_EQ(folderEntries(), QStringList({"game.zip"}));
}

TEST_F(Stores, ZipRewritesThroughALinkChangeTheArchiveItNamesAndKeepTheLink) {
    QDir().mkpath(path("store"));
    const QString real = path("store/real.zip");
    makeArchive(real, {{"a.txt", "alpha"}, {"b.txt", "beta"}});
    // A relative link, as `ln -s store/real.zip a.zip` makes it.
    ASSERT_TRUE(QFile::link("store/real.zip", path("a.zip")));
    ZIPResourceManager manager(path("a.zip"));
    manager.start("", "", "");
    manager.deleteFile(item("/a.txt"));
    EXPECT_TRUE(QFileInfo(path("a.zip")).isSymLink());
    EXPECT_EQ(readArchive(real), Entries({{"b.txt", "beta"}}));
    manager.setContent(item("/c.txt"), "gamma");
    manager.renameFile(item("/b.txt"), "/d.txt");
    EXPECT_EQ(readArchive(real), Entries({{"d.txt", "beta"}, {"c.txt", "gamma"}}));
    // The last entry gone: the empty archive too is written where the link points.
    manager.deleteFile(item("/c.txt"));
    manager.deleteFile(item("/d.txt"));
    EXPECT_TRUE(QFileInfo(path("a.zip")).isSymLink());
    EXPECT_EQ(QFileInfo(path("a.zip")).symLinkTarget(), QFileInfo(real).absoluteFilePath());
    EXPECT_EQ(readArchive(real), Entries());
    EXPECT_EQ(folderEntries(), QStringList({"a.zip"}));
    EXPECT_EQ(QDir(path("store")).entryList(QDir::Files), QStringList({"real.zip"}));
}

TEST_F(Stores, FailedWritesLeaveTheFileAsItWas) {
    // The new archive is written beside the old one: a limit just above the old archive's size stops it.
    const QString archive = path("game.zip");
    makeArchive(archive, {{"a.txt", "alpha"}, {"b.bin", noise(5000)}});
    const QByteArray before = readFile(archive);
    const FileStamp stamp(archive);
    ZIPResourceManager manager(archive);
    manager.start("", "", "");
    const QString local = path("local.txt");
    writeFile(local, "the old content");
    FileResourceManager files(folder.path());
    {
        FileSizeLimit limit(rlim_t(before.size()) + 1000);
        const QString zipFailure = failureOf([&] { manager.setContent(item("/c.bin"), noise(20000)); });
        EXPECT_TRUE(zipFailure.startsWith("Can't store : ")) << zipFailure.toStdString();
        EXPECT_GT(zipFailure.size(), QString("Can't store : ").size());
        EXPECT_EQ(failureOf([&] { files.setContent(item(local), noise(20000)); }), "Can't write " + local);
    }
    EXPECT_EQ(readFile(archive), before);
    EXPECT_EQ(FileStamp(archive), stamp);
    EXPECT_EQ(readFile(local), "the old content");
    EXPECT_EQ(folderEntries(), QStringList({"game.zip", "local.txt"}));
    // The manager still reads the archive it had; a rewrite that succeeds puts a new file in its place.
    EXPECT_EQ(manager.getContent(item("/a.txt")), "alpha");
    manager.setContent(item("/c.bin"), "small");
    EXPECT_NE(FileStamp(archive).inode, stamp.inode);
}

TEST_F(Stores, ZipOpenFailures) {
    const QString text = path("notes.txt");
    writeFile(text, "not an archive at all");
    for (const QString& archive : {text, path("missing.zip")}) {
        ZIPResourceManager manager(archive);
        const QString failure = failureOf([&] { manager.start("", "", ""); });
        EXPECT_TRUE(failure.startsWith("Can't open " + archive + " : ")) << failure.toStdString();
        EXPECT_GT(failure.size(), ("Can't open " + archive + " : ").size());
    }
}

TEST_F(Stores, FolderOperations) {
    // The root given without a final "/": the items' paths join with one.
    writeFile(path("a.txt"), "alpha");
    writeFile(path("sub/b.txt"), "beta");
    writeFile(path("plain"), "a regular file");
    FileResourceManager files(folder.path());
    EXPECT_FALSE(files.isLockSupported());
    EXPECT_FALSE(files.isConnectionSupported());
    const QString root = files.start("host", "user", "password");
    ASSERT_EQ(root, folder.path());

    auto listing = files.list(item(root, false));
    QStringList found = paths(*listing);
    found.sort();
    EXPECT_EQ(found, QStringList({root + "/a.txt", root + "/plain", root + "/sub/"}));
    for (const auto& each : listing->toArray()) {
        if (each->getFileName() != "a.txt") continue;
        EXPECT_EQ(each->getSize(), 5);
        EXPECT_TRUE(each->getLastModified().has_value());
    }
    EXPECT_EQ(paths(*files.list(item(root + "/sub/", false))), QStringList({root + "/sub/b.txt"}));

    EXPECT_EQ(files.getContent(item(root + "/a.txt")), "alpha");
    EXPECT_EQ(failureOf([&] { files.getContent(item(root + "/none")); }), "Cannot find " + root + "/none");
    EXPECT_EQ(failureOf([&] { files.getContent(item(root + "/sub")); }), "Cannot read " + root + "/sub");

    // Replaced whole: nothing of the longer old content stays.
    files.setContent(item(root + "/a.txt"), "A");
    EXPECT_EQ(readFile(path("a.txt")), "A");
    EXPECT_EQ(failureOf([&] { files.setContent(item(root + "/plain/x"), "x"); }),
              "File not found " + root + "/plain/x");

    EXPECT_EQ(failureOf([&] { files.renameFile(item(root + "/a.txt"), root + "/plain/a.txt"); }),
              "Cannot renamed " + root + "/plain/a.txt");
    // An existing target would be lost.
    EXPECT_EQ(failureOf([&] { files.renameFile(item(root + "/a.txt"), root + "/plain"); }),
              "Cannot renamed " + root + "/plain");
    files.renameFile(item(root + "/a.txt"), root + "/sub/moved.txt");
    EXPECT_EQ(readFile(path("sub/moved.txt")), "A");
    files.renameFile(item(root + "/sub", false), root + "/folder");
    EXPECT_EQ(readFile(path("folder/b.txt")), "beta");

    EXPECT_EQ(failureOf([&] { files.deleteFile(item(root + "/folder", false)); }),
              "Cannot delete " + root + "/folder");
    files.deleteFile(item(root + "/plain"));
    EXPECT_FALSE(QFile::exists(path("plain")));
    EXPECT_EQ(failureOf([&] { files.deleteFile(item(root + "/plain")); }),
              "Cannot delete " + root + "/plain");
}

class Browsers : public Stores {
protected:
    static QStringList actionNames(ResourceBrowserPanel& panel) {
        QStringList names;
        for (int i = 0; i < panel.getActionModel()->size(); ++i)
            names.append(panel.getActionModel()->getActionAt(i)->text());
        return names;
    }
    static void expectOpenWithoutLogin(ResourceBrowserPanel& panel, const QString& host) {
        EXPECT_TRUE(panel.isConnected());
        EXPECT_EQ(panel.hostField()->text(), host);
        EXPECT_FALSE(panel.hostField()->isEnabled());
        EXPECT_FALSE(panel.userField()->isEnabled());
        EXPECT_FALSE(panel.passwordField()->isEnabled());
        // No lock action, whatever a file's permissions say.
        EXPECT_EQ(actionNames(panel), QStringList({"New", "Rename", "Delete"}));
    }

    ScriptedPrompter prompter;
};

TEST_F(Browsers, NewAndRenameRefuseNamesThatWouldLeaveTheFolderShown) {
    writeFile(path("root/sub/a.txt"), "a");
    makeArchive(path("game.zip"), {{"sub/a.txt", "a"}});
    const QByteArray archive = readFile(path("game.zip"));
    FileBrowser files(path("root"));
    ZIPBrowser zipped(path("game.zip"));
    const QString refusal = "A name may not hold \"/\" or be \".\" or \"..\"";
    for (ResourceBrowserPanel* panel : std::initializer_list<ResourceBrowserPanel*>{&files, &zipped}) {
        const auto row = [panel](const QString& name) {
            for (int i = 0; i < panel->table()->rowCount(); ++i) {
                if (panel->table()->item(i, 0)->text() == name) return i;
            }
            return -1;
        };
        emit panel->table()->cellDoubleClicked(row("sub"), 0);
        panel->table()->selectRow(row("a.txt"));
        ASSERT_TRUE(panel->getSelectedPathFile().endsWith("sub/a.txt"));
        for (const QString name : {"../escaped.txt", "..", ".", "x/y.txt"}) {
            SCOPED_TRACE(name.toStdString());
            prompter.clear();
            prompter.reply(name);
            panel->newFile();
            prompter.reply(name);
            panel->renameFile();
            EXPECT_EQ(prompter.texts(), QStringList({"New file", refusal, "New name", refusal}));
        }
    }
    EXPECT_EQ(readFile(path("game.zip")), archive);
    EXPECT_EQ(QDir(path("root")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"sub"});
    EXPECT_EQ(QDir(path("root/sub")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"a.txt"});
}

TEST_F(Browsers, OpenConnectedWithTheirFieldsLocked) {
    writeFile(path("home/one.txt"), "1");
    writeFile(path("root/a.txt"), "a");
    writeFile(path("root/b.txt"), "b");
    {
        const ScopedEnv home("HOME", path("home"));
        FileBrowser browser;
        expectOpenWithoutLogin(browser, "/");
        EXPECT_EQ(browser.getCurrentPath(), path("home"));
        EXPECT_EQ(browser.table()->rowCount(), 2);  // ".." and the file
    }
    FileBrowser rooted(path("root"));
    expectOpenWithoutLogin(rooted, "/");
    EXPECT_EQ(rooted.getCurrentPath(), path("root"));
    EXPECT_EQ(rooted.table()->rowCount(), 3);

    makeArchive(path("game.zip"), {{"a.txt", "alpha"}, {"d/b.txt", "beta"}});
    ZIPBrowser zipped(path("game.zip"));
    expectOpenWithoutLogin(zipped, path("game.zip"));
    EXPECT_EQ(zipped.getCurrentPath(), "/");
    EXPECT_EQ(zipped.table()->rowCount(), 3);
    EXPECT_TRUE(prompter.questions().empty());

    // Disconnected and connected again, without asking for a user.
    zipped.disconnect();
    EXPECT_TRUE(zipped.connect());
    EXPECT_TRUE(prompter.questions().empty());

    ZIPBrowser broken(path("root/a.txt"));
    EXPECT_FALSE(broken.isConnected());
    ASSERT_EQ(prompter.texts().size(), 1);
    EXPECT_TRUE(prompter.texts()[0].startsWith("Can't connect : Can't open " + path("root/a.txt") + " : "));
}

}  // namespace
