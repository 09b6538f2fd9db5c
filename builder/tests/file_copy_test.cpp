#include "file_copy.h"

#include <gtest/gtest.h>

#include <set>

#include "file_size_limit.h"
#include "kit/support_classes.h"
#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

Names filesIn(const fs::path& folder) {
    Names names;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
    return names;
}

class SupportFiles : public testing::BuildFixture {
protected:
    void SetUp() override {
        BuildFixture::SetUp();
        for (const char* name : {"Include", "Include$Sender", "Include$OSReceive", "Include$1",
                                 "IncludeSound", "IncludeSound$1", "IncludeSound$2", "IncludeMidi",
                                 "IncludeMidi$1", "IncludeImage", "IncludeVideo", "IncludeOther"})
            testing::writeFile(kit / "Include" / (std::string(name) + ".inc"), name);
        for (auto name : kit::mapClassNames())
            testing::writeFile(kit / "Include" / (std::string(name) + ".inc"), std::string(name));
        fs::create_directories(project / "tmpclasses/Game");
        fs::create_directories(project / "classes/Game");
    }

    bool copyWith(const std::string& flags) {
        project_.allLines = testing::splitLines("Platform=J2ME\n" + flags);
        project_.platform = "J2ME";
        project_.name = "Space";
        project_.path = projectDir();
        project_.tbLocation = kitDir();
        std::ostringstream stream;
        Console console(stream);
        bool copied = FileCopyManager::copyFiles(console, project_);
        output = testing::splitLines(stream.str());
        return copied;
    }

    Project project_;
};

TEST_F(SupportFiles, EachFlagGroupCopiesItsClassAndItsInnerClasses) {
    const std::pair<std::string, Names> rows[] = {
        {"Inc=false\nSound=false", {}},
        {"Inc=true", {"Include.class", "Include$1.class", "Include$OSReceive.class", "Include$Sender.class"}},
        {"Sound=true", {"IncludeSound.class", "IncludeSound$1.class", "IncludeSound$2.class"}},
        {"Midi=TRUE", {"IncludeMidi.class", "IncludeMidi$1.class"}},
        {"Image=true", {"IncludeImage.class"}},
        {"Video=true", {"IncludeVideo.class"}},
        {"Include0=Util\nInc=true\nVideo=true",
         {"Include.class", "Include$1.class", "Include$OSReceive.class", "Include$Sender.class",
          "IncludeVideo.class"}},
    };
    for (const auto& [flags, expected] : rows) {
        fs::remove_all(project / "tmpclasses/Game");
        fs::create_directories(project / "tmpclasses/Game");
        EXPECT_TRUE(copyWith(flags));
        EXPECT_EQ(filesIn(project / "tmpclasses/Game"), expected) << flags;
        EXPECT_EQ(filesIn(project / "classes/Game"), Names{}) << flags;
        EXPECT_EQ(testing::readFile(project / "tmpclasses/Game/Include.class"),
                  expected.count("Include.class") ? "Include" : "")
            << flags;
    }
}

TEST_F(SupportFiles, MapLibraryGoesToBothClassFolders) {
    EXPECT_TRUE(copyWith("Mappy=true"));
    EXPECT_EQ(kit::mapClassNames().size(), 41u);
    Names expected;
    for (auto name : kit::mapClassNames()) expected.insert(std::string(name) + ".class");
    EXPECT_EQ(expected.size(), 40u);
    EXPECT_EQ(filesIn(project / "tmpclasses/Game"), expected);
    EXPECT_EQ(filesIn(project / "classes/Game"), expected);
    EXPECT_EQ(testing::readFile(project / "classes/Game/ChunkLoader$DefaultChunkLoader.class"),
              "ChunkLoader$DefaultChunkLoader");
}

TEST_F(SupportFiles, MissingSupportFileEndsTheCopy) {
    fs::remove(kit / "Include/IncludeSound.inc");
    EXPECT_FALSE(copyWith("Inc=true\nSound=true"));
    std::string source = kitDir() + "Include/IncludeSound.inc";
    EXPECT_EQ(output, (Lines{"No such source file: " + source, "Error: Could not copy required support files",
                             "FileCopy: No such source file: " + source}));
    EXPECT_TRUE(fs::exists(project / "tmpclasses/Game/Include.class"));  // earlier copies stay
}

TEST_F(SupportFiles, MissingClassFolderEndsTheCopy) {
    fs::remove_all(project / "tmpclasses");
    EXPECT_FALSE(copyWith("Image=true"));
    EXPECT_EQ(output.back(), "FileCopy: Destination directory doesn't exist: " + projectDir() +
                                 "tmpclasses/Game/IncludeImage.class");
}

TEST(FileCopyChecks, DestinationFailures) {
    testing::TempDir temp;
    std::string source = temp.path() + "/source.inc";
    testing::writeFile(source, std::string(5000, 'x'));
    testing::writeFile(temp.folder() / "plain", "x");
    fs::create_directories(temp.folder() / "folder.class");
    std::ostringstream stream;
    Console console(stream);

    const std::pair<std::string, std::string> rows[] = {
        {temp.path() + "/folder.class",
         "FileCopy: Destination is not a file: " + temp.path() + "/folder.class"},
        {temp.path() + "/none/x.class",
         "FileCopy: Destination directory doesn't exist: " + temp.path() + "/none/x.class"},
        {temp.path() + "/plain/x.class",
         "FileCopy: Could not copy " + source + " to " + temp.path() + "/plain/x.class (Not a directory)"},
    };
    for (const auto& [to, message] : rows) EXPECT_EQ(FileCopy::copy(console, source, to), message);
    EXPECT_EQ(stream.str(), "");

    std::string to = temp.path() + "/big.class";
    {
        tz::testing::FileSizeLimit limit(1000);
        EXPECT_EQ(FileCopy::copy(console, source, to),
                  "FileCopy: Could not copy " + source + " to " + to + " (File too large)");
    }
    EXPECT_FALSE(FileCopy::copy(console, source, to));
    EXPECT_EQ(testing::readFile(to), std::string(5000, 'x'));
}

}  // namespace
}  // namespace build
