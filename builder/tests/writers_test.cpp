#include "writers.h"

#include <gtest/gtest.h>

#include "file_size_limit.h"
#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;

TEST(Writers, ManifestDeclaresTheLibrariesCompiledAgainst) {
    Lines expected{"Manifest-Version: 1.0",   "MicroEdition-Configuration: CLDC-1.0",
                   "MIDlet-Name: Space",      "Created-By: 1.3.1 (Sun Microsystems Inc.)",
                   "MIDlet-Vendor: Brinmoor", "MIDlet-1: Space,,Game.Space",
                   "MIDlet-Version: 1.0",     "MicroEdition-Profile: MIDP-2.0"};
    EXPECT_EQ(Manifest::lines("Space", false), expected);
    expected[1] = "MicroEdition-Configuration: CLDC-1.1";
    EXPECT_EQ(Manifest::lines("Space", true), expected);
}

TEST(Writers, JadAndPageTexts) {
    EXPECT_EQ(JAD::lines("Space", 0),
              (Lines{"MIDlet-1: Space,,Game.Space", "MIDlet-Name: Space", "MIDlet-Version: 1.0",
                     "MIDlet-Vendor: Brinmoor", "MIDlet-Jar-Size: 0", "MIDlet-Jar-URL: Space.jar"}));
    EXPECT_EQ(JAD::lines("My Game", 5000000000)[4], "MIDlet-Jar-Size: 5000000000");
    EXPECT_EQ(HTML::lines("Space"), (Lines{"<HTML>", "<HEAD><Title>Tesvo Zorid Applet</Title></HEAD>",
                                           "<BODY>", "<APPLET CODE='Game.Space.class' WIDTH=100 HEIGHT=100>",
                                           "</APPLET>", "</BODY>", "</HTML>"}));
}

// A write that fails after the file was opened (a full disk) is a failure too, and leaves no JAD.
TEST(Writers, WriteFailingAfterOpenIsReported) {
    testing::TempDir temp;
    std::string path = temp.path() + "/";
    std::ostringstream stream;
    Console console(stream);
    {
        tz::testing::FileSizeLimit limit(16);
        EXPECT_FALSE(Manifest::write(console, path, "Space", false));
        EXPECT_FALSE(JAD::write(console, path, "Space", 10));
        EXPECT_TRUE(HTML::writeHTML(path, "Space").has_value());
    }
    EXPECT_EQ(testing::splitLines(stream.str()),
              (Lines{"Writing Manifest File", "Error writing the Manifest file", "**", "Writing JAD File",
                     "Error writing the JAD file"}));
    EXPECT_FALSE(std::filesystem::exists(temp.folder() / "Space.jad"));
}

TEST(Writers, FolderUnderARegularFileCannotBeWritten) {
    testing::TempDir temp;
    testing::writeFile(temp.folder() / "plain", "x");
    std::ostringstream stream;
    Console console(stream);
    EXPECT_FALSE(Manifest::write(console, temp.path() + "/plain/", "Space", false));
    EXPECT_EQ(HTML::writeHTML(temp.path() + "/plain/", "Space"),
              temp.path() + "/plain/Space.html (Not a directory)");
}

}  // namespace
}  // namespace build
