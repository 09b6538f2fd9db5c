// The kit's one file copy under Build's rules and the editor's: each check's message in its order, what is
// printed first, and what stands at the destination afterwards.
#include "guard/file_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "file_size_limit.h"
#include "temp_dir.h"
#include "test_helpers.h"

namespace guard {
namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::writeFile;

// The real file system, but for the paths a test makes unreadable or unwritable.
class RefusingQueries : public FileQueries {
public:
    PathStatus status(const std::string& path) const override {
        PathStatus status = FileQueries::status(path);
        status.readable = status.readable && !unreadable.count(path);
        status.writable = status.writable && !unwritable.count(path);
        return status;
    }
    std::set<std::string> unreadable, unwritable;
};

struct Copied {
    std::optional<std::string> failure;
    std::vector<std::string> printed;
};

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

Copied copy(const std::string& from, const std::string& to, CopyRules rules) {
    Copied copied;
    rules.print = [&](const std::string& line) { copied.printed.push_back(line); };
    copied.failure = copyFile(from, to, rules);
    return copied;
}

TEST(FileCopy, ChecksInOrderUnderBothRules) {
    tz::testing::TempDir temp;
    const std::string t = temp.path();
    const std::string source = t + "/art/ship.png";
    writeFile(source, "picture");
    writeFile(t + "/plain", "x");
    writeFile(t + "/project/kept.png", "kept");
    fs::create_directories(t + "/project/sub.png");
    fs::create_directories(t + "/into/ship.png");
    fs::create_symlink(source, t + "/project/link.png");
    RefusingQueries queries;
    queries.unreadable = {t + "/art/secret.png"};
    queries.unwritable = {t + "/locked", t + "/project/kept.png"};
    writeFile(t + "/art/secret.png", "secret");
    fs::create_directories(t + "/locked");

    struct Row {
        std::string from, to;
        bool editor;               // the editor's rules (and the kit folder `t` as base), else Build's
        std::string failure;       // "" : the copy succeeds
        std::string printed = "";  // the line printed first
        std::string written = "";  // where the copy stands afterwards (the destination when empty)
    };
    const std::string none = t + "/art/none.png";
    const Row rows[] = {
        {none, t + "/project/a.png", false, "FileCopy: No such source file: " + none,
         "No such source file: " + none},
        {none, t + "/project/a.png", true, "FileCopy: No such source file: " + none,
         "No such source file: " + none},
        {t + "/art", t + "/project/a.png", true, "FileCopy: No such source file: " + t + "/art",
         "No such source file: " + t + "/art"},
        {t + "/art/secret.png", t + "/project/a.png", false,
         "FileCopy: Source file " + t + "/art/secret.png is unreadable: " + t + "/art/secret.png",
         "Source file " + t + "/art/secret.png is unreadable"},
        // A folder as destination: Build refuses it, the editor copies into it under the source's name.
        {source, t + "/project/sub.png", false,
         "FileCopy: Destination is not a file: " + t + "/project/sub.png"},
        {source, t + "/project", true, "", "", t + "/project/ship.png"},
        {source, t + "/into", true, "FileCopy: Destination is not a file: " + t + "/into"},
        {source, t + "/project/kept.png", true,
         "FileCopy: Destination " + t + "/project/kept.png file is unwriteable: " + t + "/project/kept.png"},
        {source, t + "/project/link.png", false,
         "FileCopy: Source and destination are the same file: " + t + "/project/link.png"},
        {source, t + "/art", true, "FileCopy: Source and destination are the same file: " + t + "/art"},
        // A missing or unwritable folder: Build names the destination, the editor the folder.
        {source, t + "/gone/a.png", false,
         "FileCopy: Destination directory doesn't exist: " + t + "/gone/a.png"},
        {source, t + "/gone/a.png", true, "FileCopy: Destination directory doesn't exist: " + t + "/gone"},
        {source, t + "/locked/a.png", false,
         "FileCopy: Destination directory is unwriteable: " + t + "/locked/a.png"},
        {source, t + "/locked/a.png", true,
         "FileCopy: Destination directory is unwriteable: " + t + "/locked"},
        // Past the checks, a failure names both files and the reason.
        {source, t + "/plain/a.png", true,
         "FileCopy: Could not copy " + source + " to " + t + "/plain/a.png (Not a directory)"},
        // The editor takes relative paths from the kit folder, and a bare name's folder is the kit folder.
        {"art/ship.png", "project/rel.png", true, "", "", t + "/project/rel.png"},
        {"art/ship.png", "bare.png", true, "", "", t + "/bare.png"},
        {"art/none.png", "x.png", true, "FileCopy: No such source file: art/none.png",
         "No such source file: art/none.png"},
        {source, t + "/project/new.png", false, ""},
    };
    for (const Row& row : rows) {
        CopyRules rules;
        rules.queries = &queries;
        if (row.editor) {
            rules.intoFolder = true;
            rules.base = t;
        }
        const Copied copied = copy(row.from, row.to, rules);
        const std::string what = row.from + " -> " + row.to + (row.editor ? " (editor)" : " (Build)");
        EXPECT_EQ(copied.failure.value_or(""), row.failure) << what;
        EXPECT_EQ(copied.printed,
                  row.printed.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.printed})
            << what;
        if (row.failure.empty()) {
            EXPECT_EQ(readFile(row.written.empty() ? row.to : row.written), "picture") << what;
        }
    }
    EXPECT_EQ(readFile(t + "/project/kept.png"), "kept");
    EXPECT_EQ(readFile(source), "picture");
    EXPECT_FALSE(fs::exists(t + "/gone"));
}

TEST(FileCopy, ReplacesWholeOrNotAtAllWithTheSourcesMode) {
    tz::testing::TempDir temp;
    const std::string source = temp / "VM/runtime";
    writeFile(source, std::string(5000, 'r'));
    fs::permissions(source, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
    const std::string target = temp / "Game.exe";
    writeFile(target, "the runtime of last week");
    fs::create_symlink(target, temp / "Link.exe");

    CopyRules rules;
    rules.closeFailed = "close failed";
    std::vector<std::string> printed;
    rules.print = [&](const std::string& line) { printed.push_back(line); };
    {
        tz::testing::FileSizeLimit limit(1000);
        EXPECT_EQ(copyFile(source, target, rules),
                  "FileCopy: Could not copy " + source + " to " + target + " (File too large)");
    }
    EXPECT_EQ(readFile(target), "the runtime of last week");
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"Game.exe", "Link.exe", "VM"}));

    // A link at the destination is replaced, never written through; the copy runs as its source does.
    EXPECT_EQ(copyFile(source, temp / "Link.exe", rules), std::nullopt);
    EXPECT_FALSE(fs::is_symlink(temp / "Link.exe"));
    EXPECT_EQ(readFile(temp / "Link.exe"), std::string(5000, 'r'));
    EXPECT_EQ(readFile(target), "the runtime of last week");
    struct stat info {};
    ASSERT_EQ(::stat((temp / "Link.exe").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0741u);
    EXPECT_EQ(printed, std::vector<std::string>{});
}

}  // namespace
}  // namespace guard
