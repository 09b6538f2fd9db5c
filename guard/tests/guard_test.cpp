// The guard's pieces on their own: how the compiler's Java is told from the user's, which names are file
// names, and outputs that appear whole or not at all.
#include <gtest/gtest.h>

#include "file_size_limit.h"
#include "guard/outputs.h"
#include "guard/whole_file.h"
#include "kit_fixture.h"

namespace guard::testing {
namespace {

class GuardFiles : public KitFixture {};

TEST_F(GuardFiles, TheCompilersJavaEndsWithItsMark) {
    const std::string mark(kGeneratedMarker);
    struct Row {
        std::string text;
        bool generated;
    };
    const Row rows[] = {
        {"package Game;\nclass A {}\n" + mark + "\n", true},
        {"package Game;\r\nclass A {}\r\n" + mark + "\r\n", true},  // line ends of another system
        {"class A {}\n" + mark, true},                              // no line end after it
        {mark + "\n", true},
        {"class A {}\n", false},
        {"class A {}\n" + mark + "\nclass B {}\n", false},  // the user wrote on after it
        {"class A {} " + mark + "\n", false},               // not a line of its own
        {"class A {}\n" + mark.substr(1) + "\n", false},
        {"class A {}\n" + mark + "\n\n", false},
        {"", false},
    };
    for (const Row& row : rows) {
        writeFile(project / "A.java", row.text);
        EXPECT_EQ(isGeneratedSource((project / "A.java").string()), row.generated) << row.text;
        EXPECT_EQ(mayWriteSource((project / "A.java").string()), row.generated) << row.text;
    }
    // A link to a generated file is no file the compiler wrote; a folder neither; nothing there may be
    // written.
    fs::create_symlink(project / "A.java", project / "B.java");
    writeFile(project / "A.java", "class A {}\n" + mark + "\n");
    EXPECT_FALSE(mayWriteSource((project / "B.java").string()));
    fs::create_directories(project / "C.java");
    EXPECT_FALSE(mayWriteSource((project / "C.java").string()));
    EXPECT_TRUE(mayWriteSource((project / "D.java").string()));
}

TEST_F(GuardFiles, ProjectNamesAreFileNames) {
    for (const char* name : {"Game", "My Game", "a.b", "...", ".hidden", "Caf\xe9", "-x"})
        EXPECT_TRUE(isFileName(name)) << name;
    for (const char* name : {"", ".", "..", "/", "a/b", "../x", "x/", "/abs"})
        EXPECT_FALSE(isFileName(name)) << name;
    EXPECT_FALSE(isFileName(std::string("a\0b", 3)));
}

TEST_F(GuardFiles, OutputAppearsWholeOrNotAtAll) {
    const fs::path target = project / "out.txt";
    writeFile(target, "earlier\n");
    {
        WholeFile file(target.string());
        ASSERT_EQ(file.error(), 0);
        file.write("half");
        EXPECT_EQ(readFile(target), "earlier\n");  // nothing shows before the commit
        // Dropped without a commit: the earlier file stays, the partial file goes.
    }
    EXPECT_EQ(tree(project), Lines{"out.txt"});
    EXPECT_EQ(readFile(target), "earlier\n");

    // No room for the bytes: the failure is reported and the earlier file stays.
    {
        tz::testing::FileSizeLimit limit(4);
        EXPECT_EQ(replaceFile(target.string(), "far more than four bytes"), EFBIG);
    }
    EXPECT_EQ(tree(project), Lines{"out.txt"});
    EXPECT_EQ(readFile(target), "earlier\n");

    // A link in the output's place is replaced; what it points to stays.
    writeFile(root / "elsewhere", "theirs\n");
    fs::remove(target);
    fs::create_symlink(root / "elsewhere", target);
    EXPECT_EQ(replaceFile(target.string(), "ours\n"), 0);
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(readFile(target), "ours\n");
    EXPECT_EQ(readFile(root / "elsewhere"), "theirs\n");

    // A run killed outright leaves its partial files; the next holder of the lock removes them, and only
    // them.
    writeFile(project / ".out.txt.4242-0.tzpart", "half");
    writeFile(project / ".tzpart", "the user's");
    writeFile(project / "notes.tzpart", "the user's");
    removePartials(project.string() + "/");
    EXPECT_EQ(tree(project), (Lines{".tzpart", "notes.tzpart", "out.txt"}));
}

}  // namespace
}  // namespace guard::testing
