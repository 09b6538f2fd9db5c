// The guard's pieces on their own: how the compiler's Java is told from the user's, which names are file
// names, and outputs that appear whole or not at all.
#include <gtest/gtest.h>

#include <optional>

#include "file_size_limit.h"
#include "guard/outputs.h"
#include "guard/project_name.h"
#include "guard/whole_file.h"
#include "kit_fixture.h"

namespace guard::testing {
namespace {

class GuardFiles : public KitFixture {};

TEST_F(GuardFiles, TheCompilersJavaEndsWithItsMarkAndLosesItWhenHandedOver) {
    const std::string mark(kGeneratedMarker);
    struct Row {
        std::string text;
        std::optional<std::string> handedOver;  // a generated source: the file once handed over to the user
    };
    const Row rows[] = {
        {"package Game;\nclass A {}\n" + mark + "\n", "package Game;\nclass A {}\n"},
        // line ends of another system
        {"package Game;\r\nclass A {}\r\n" + mark + "\r\n", "package Game;\r\nclass A {}\r\n"},
        {"class A {}\n" + mark, "class A {}\n"},  // no line end after it
        {mark + "\n", ""},
        {"class A {}\n", {}},
        {"class A {}\n" + mark + "\nclass B {}\n", {}},  // the user wrote on after it
        {"class A {} " + mark + "\n", {}},               // not a line of its own
        {"class A {}\n" + mark.substr(1) + "\n", {}},
        {"class A {}\n" + mark + "\n\n", {}},
        {"", {}},
    };
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    for (const Row& row : rows) {
        const fs::path file = project / "A.java";
        writeFile(file, row.text);
        fs::permissions(file, mode);
        const bool generated = row.handedOver.has_value();
        EXPECT_EQ(isGeneratedSource(file.string()), generated) << row.text;
        EXPECT_EQ(mayWriteSource(file.string()), generated) << row.text;
        // Handed over, it is the user's with its mode; the user's own stays byte for byte.
        EXPECT_EQ(handOverSource(file.string()), 0) << row.text;
        EXPECT_EQ(readFile(file), row.handedOver.value_or(row.text)) << row.text;
        EXPECT_FALSE(isGeneratedSource(file.string())) << row.text;
        EXPECT_EQ(fs::status(file).permissions(), mode) << row.text;
    }
    EXPECT_EQ(handOverSource((project / "none.java").string()), 0);
    // A link to a generated file is no file the compiler wrote; a folder neither; nothing there may be
    // written.
    fs::create_symlink(project / "A.java", project / "B.java");
    writeFile(project / "A.java", "class A {}\n" + mark + "\n");
    EXPECT_FALSE(mayWriteSource((project / "B.java").string()));
    EXPECT_EQ(handOverSource((project / "B.java").string()), 0);
    EXPECT_TRUE(isGeneratedSource((project / "A.java").string()));
    fs::create_directories(project / "C.java");
    EXPECT_FALSE(mayWriteSource((project / "C.java").string()));
    EXPECT_TRUE(mayWriteSource((project / "D.java").string()));
}

TEST_F(GuardFiles, ProjectNamesAreFileNames) {
    for (const std::string& name :
         Lines{"Game", "My Game", "a.b", "...", ".hidden", "Caf\xe9", "-x", std::string(kMaxNameBytes, 'a')})
        EXPECT_TRUE(isFileName(name)) << name;
    for (const std::string& name : Lines{"", ".", "..", "/", "a/b", "../x", "x/", "/abs",
                                         std::string(kMaxNameBytes + 1, 'a'), std::string(255, 'a')})
        EXPECT_FALSE(isFileName(name)) << name;
    // Counted in bytes: 100 two-byte letters fit, 101 do not.
    std::string letters;
    for (int i = 0; i < 100; ++i) letters += "\xc3\xa9";
    EXPECT_TRUE(isFileName(letters));
    EXPECT_FALSE(isFileName(letters + "\xc3\xa9"));
    EXPECT_FALSE(isFileName(std::string("a\0b", 3)));

    // The refusal a compile gives, which the editor shows before it takes a name: a file name always, a
    // class name where the program is a Java class.
    const std::string notFile(kNotAFileName), notClass(kNotAClassName);
    const struct {
        std::string name;
        std::optional<std::string> asFile, asClass;
    } rows[] = {
        {"Sky", {}, {}},
        {"Sky_2", {}, {}},
        {"Sky Two", {}, notClass + "Sky Two"},
        {"2Sky", {}, notClass + "2Sky"},
        {"Caf\xc3\xa9", {}, notClass + "Caf\xc3\xa9"},
        {"class", {}, notClass + "class"},
        {"Canvas", {}, notClass + "Canvas"},    // a class the generated code names
        {"Include", {}, notClass + "Include"},  // a support class of the kit
        {"", notFile, notFile},
        {"a/b", notFile + "a/b", notFile + "a/b"},
        {"..", notFile + "..", notFile + ".."},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(refuseProjectName(row.name, false), row.asFile) << row.name;
        EXPECT_EQ(refuseProjectName(row.name, true), row.asClass) << row.name;
        EXPECT_EQ(isClassName(row.name), !row.asClass) << row.name;
    }
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
