// The emulator stand-in against suites a phone would refuse.
#include <gtest/gtest.h>

#include "suite_builder.h"

namespace standins::test {
namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string crlf(std::string text) {
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.replace(at, 1, "\r\n");
    return text;
}

class SuiteCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        suite_ = new SuiteBuilder;
        suite_->compile();
        ToolRun preverify = suite_->preverify();
        ASSERT_EQ(preverify.status, 0) << preverify.errors;
    }
    static void TearDownTestSuite() { delete suite_; }
    static SuiteBuilder* suite_;
};
SuiteBuilder* SuiteCheck::suite_ = nullptr;

TEST_F(SuiteCheck, RefusesBrokenSuites) {
    const std::string manifest = readFile(kData / "midlet/MANIFEST.MF");
    const std::string jad =
        "MIDlet-1: Space,,Game.Space\nMIDlet-Name: Space\nMIDlet-Version: 1.0\n"
        "MIDlet-Vendor: Brinmoor\nMIDlet-Jar-Size: SIZE\nMIDlet-Jar-URL: Space.jar\n";
    struct Row {
        const char* what;
        std::string manifest;
        std::string jad;  // "SIZE" stands for the jar's true size
        bool preverified;
        std::string error;  // expected "Error: " line; empty: the suite is accepted
    } rows[] = {
        {"sound suite", manifest, jad, true, ""},
        {"sound suite, CR LF descriptor with blanks", manifest, crlf("MIDlet-Jar-Size:   SIZE  \n" + jad),
         true, ""},
        {"size not a number", manifest, replaced(jad, "SIZE", "12kB"), true,
         "MIDlet-Jar-Size \"12kB\" is not a number"},
        {"no size", manifest, replaced(jad, "MIDlet-Jar-Size: SIZE\n", ""), true,
         "the descriptor has no MIDlet-Jar-Size"},
        {"JAD names another class", manifest, replaced(jad, ",,Game.Space", ",,Game.Other"), true,
         "MIDlet-1 differs: \"Space,,Game.Other\" in the descriptor, \"Space,,Game.Space\" in the manifest"},
        {"JAD names two MIDlets", manifest, jad + "MIDlet-2: Two,,Game.Space\n", true,
         "the descriptor names 2 MIDlets, the manifest 1"},
        {"vendor differs", manifest, replaced(jad, "Brinmoor", "Other"), true,
         "MIDlet-Vendor differs: \"Other\" in the descriptor, \"Brinmoor\" in the manifest"},
        {"manifest without MIDlet-1", replaced(manifest, "MIDlet-1: Space,,Game.Space\n", ""),
         replaced(jad, "MIDlet-1: Space,,Game.Space\n", ""), true,
         "neither the manifest nor the descriptor names a MIDlet (MIDlet-1)"},
        {"manifest without profile", replaced(manifest, "MicroEdition-Profile: MIDP-1.0\n", ""), jad, true,
         "no MicroEdition-Profile given"},
        {"MIDlet class missing", replaced(manifest, "Game.Space", "Game.Gone"),
         replaced(jad, "Game.Space", "Game.Gone"), true,
         "the jar lacks the class Game.Gone that MIDlet-1 names"},
        {"MIDlet class not a MIDlet", replaced(manifest, "Game.Space", "Game.Board"),
         replaced(jad, "Game.Space", "Game.Board"), true,
         "Game.Board is not a MIDlet (it does not extend javax.microedition.midlet.MIDlet)"},
        {"malformed MIDlet-1", replaced(manifest, "Space,,Game.Space", "Game.Space"),
         replaced(jad, "MIDlet-1: Space,,Game.Space\n", ""), true,
         "MIDlet-1 \"Game.Space\" does not read as \"label, icon, class\""},
        {"classes not preverified", manifest, jad, false,
         "Game/Space.class: not preverified: commandAction(Ljavax/microedition/lcdui/Command;"
         "Ljavax/microedition/lcdui/Displayable;)V: branches without a StackMap"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string& from = row.preverified ? suite_->classes() : suite_->tmpclasses();
        ASSERT_NO_FATAL_FAILURE(suite_->package(from, row.manifest, "placeholder"));
        std::string size = std::to_string(fs::file_size(suite_->jar()));
        std::string jadText = row.jad;
        if (size_t at = jadText.find("SIZE"); at != std::string::npos) jadText.replace(at, 4, size);
        writeFile(suite_->jad(), jadText);

        ToolRun result = suite_->emulate();
        if (row.error.empty()) {
            EXPECT_EQ(result.status, 0) << result.output;
            EXPECT_EQ(result.output.find("Error: "), std::string::npos) << result.output;
        } else {
            EXPECT_EQ(result.status, 1) << result.output;
            EXPECT_NE(result.output.find("Error: " + row.error + "\n"), std::string::npos) << result.output;
            EXPECT_NE(result.output.find("The MIDlet suite is broken"), std::string::npos);
        }
        EXPECT_NE(result.output.find("No phone runtime is installed"), std::string::npos);
    }
}

TEST_F(SuiteCheck, FindsTheJarFromTheDescriptorAndRefusesUnreadableFiles) {
    ASSERT_NO_FATAL_FAILURE(suite_->package(suite_->classes(), readFile(kData / "midlet/MANIFEST.MF")));
    ToolRun byUrl = run({kEmulator, "-Xdescriptor:" + suite_->jad()});
    EXPECT_EQ(byUrl.status, 0) << byUrl.output;

    struct Row {
        std::vector<std::string> args;
        std::string line;
    } rows[] = {
        {{"-Xdescriptor:" + suite_->project + "None.jad"},
         "Error: cannot read the descriptor " + suite_->project + "None.jad"},
        {{"-classpath", suite_->project + "None.jar", "-Xdescriptor:" + suite_->jad()},
         "Error: cannot read the jar " + suite_->project + "None.jar"},
        {{"-classpath", suite_->jad(), "-Xdescriptor:" + suite_->jad()},
         "Error: the jar " + suite_->jad() + " is not a readable zip archive"},
        {{"-classpath", suite_->jar()}, "Usage: emulator [-classpath <jar>] -Xdescriptor:<jad>"},
        {{"-Xdevice:Phone", "-Xdescriptor:" + suite_->jad()},
         "emulator: unexpected argument \"-Xdevice:Phone\""},
    };
    for (const auto& row : rows) {
        std::vector<std::string> argv = {kEmulator};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        ToolRun result = run(argv);
        EXPECT_EQ(result.status, 1) << row.line;
        EXPECT_NE(result.output.find(row.line + "\n"), std::string::npos) << result.output;
    }
}

}  // namespace
}  // namespace standins::test
