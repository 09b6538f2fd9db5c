#include <gtest/gtest.h>

#include <sstream>

#include "driver/console.h"
#include "driver/errors.h"
#include "driver/project.h"
#include "driver/text_file.h"
#include "test_helpers.h"

namespace compiler {
namespace {

struct SourceRow {
    std::vector<std::string> physical;
    std::string platform;
    std::vector<std::string> statements;
};

std::vector<std::string> load(const std::vector<std::string>& physical, const std::string& platform) {
    std::ostringstream out;
    Console console(out);
    return prepareSource(physical, platform, console);
}

TEST(SourceLoading, CommentsColonsAndOneLineIf) {
    const SourceRow rows[] = {
        {{"A = 1 : B = 2"}, "TB", {"A = 1 ", " B = 2"}},
        {{"  PRINT \"A:B\"  "}, "TB", {"PRINT \"A:B\""}},
        {{"REM A : B"}, "TB", {"REM A : B"}},
        {{"' score: 10"}, "TB", {"' score: 10"}},
        {{"REMSTART", "x : y", "REMEND"}, "TB", {"REMSTART", "x ", " y", "REMEND"}},
        {{""}, "TB", {""}},
        {{"::"}, "TB", {}},
        {{"A = 1 :"}, "TB", {"A = 1 "}},
        {{"IF X THEN PRINT 1 : PRINT 2"}, "TB", {"IF X THEN ", " PRINT 1 ", " PRINT 2 ", " EndIf"}},
        {{"if x then print 1"}, "TB", {"if x then ", " print 1 ", " EndIf"}},
        {{"IF(X=1) THEN PRINT 1"}, "TB", {"IF(X=1) THEN ", " PRINT 1 ", " EndIf"}},
        {{"IF X = 1 THEN"}, "TB", {"IF X = 1 THEN"}},
        {{"IFFY = 3"}, "TB", {"IFFY = 3"}},
        {{"IF A$ = \"THEN\" THEN B = 1"}, "TB", {"IF A$ = \"THEN\" THEN ", " B = 1 ", " EndIf"}},
        {{"IF AUTHENTIC = 1 THEN B = 1"}, "TB", {"IF AUTHENTIC = 1 THEN ", " B = 1 ", " EndIf"}},
        {{"PRINT \"\xC2\xB1\""}, "TB", {"PRINT \"\xC2\xB1\""}},
        {{"X = 1 \xC2\xB1 2"}, "TB", {"X = 1 \xC2\xB1 2"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(load(row.physical, row.platform), row.statements) << row.physical[0];
}

// A byte-order mark is skipped and every line end counts, so line numbers agree with the editor's; a file
// that is not UTF-8 is read byte for byte as Latin-1.
TEST(SourceLoading, TheFileIsReadWhateverItsLineEnds) {
    tz::testing::TempDir dir;
    Project project;
    project.path = dir.path() + "/";
    project.name = "Game";
    project.platform = "TB";
    std::ostringstream out;
    Console console(out);
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {"\xEF\xBB\xBFPRINT 1\r\nPRINT 2\r\n", {"PRINT 1", "PRINT 2"}},
        {"PRINT 1\rPRINT 2\r\rPRINT 3", {"PRINT 1", "PRINT 2", "", "PRINT 3"}},
        {"\xEF\xBB\xBFPRINT \"Caf\xE9\"\n", {"PRINT \"Caf\xC3\xA9\""}},
    };
    for (const auto& [text, statements] : rows) {
        tz::testing::writeFile(project.sourceFile(), text);
        EXPECT_EQ(readSource(project, console), statements) << text;
    }
}

// Messages name the line of the file: each statement keeps the number of the line it comes from.
TEST(SourceLoading, EachStatementKnowsItsLine) {
    std::ostringstream out;
    Console console(out);
    std::vector<std::size_t> numbers{99};
    const std::vector<std::string> statements = prepareSource(
        {"REM a : b", "IF X THEN A = 1 : B = 2", "", "C = 1 : D = 2", "#IF WEB : E = 1", "::", "F = 1"}, "TB",
        console, &numbers);
    EXPECT_EQ(statements, (std::vector<std::string>{"REM a : b", "IF X THEN ", " A = 1 ", " B = 2 ", " EndIf",
                                                    "", "C = 1 ", " D = 2", "F = 1"}));
    EXPECT_EQ(numbers, (std::vector<std::size_t>{1, 2, 2, 2, 2, 3, 4, 4, 7}));
}

TEST(SourceLoading, PlatformSections) {
    const SourceRow rows[] = {
        {{"#IF WEB : PRINT 1", "PRINT 2"}, "Applet", {" PRINT 1", "PRINT 2"}},
        {{"#IF WEB : PRINT 1", "PRINT 2"}, "TB", {"PRINT 2"}},
        {{"#IF WEB or CE : PRINT 1"}, "Applet", {" PRINT 1"}},
        {{"#IF CE OR WEB : PRINT 1"}, "Applet", {" PRINT 1"}},
        {{"#IF CE : PRINT 1"}, "PPC", {" PRINT 1"}},
        {{"#IF WINDOWS : PRINT 1"}, "PC", {" PRINT 1"}},
        {{"#IF : PRINT 1"}, "Applet", {}},
        {{"#IF WEB : A :#ENDIF: B"}, "TB", {"#ENDIF", " B"}},
        {{"#IF WEB : A :#ENDIF: B"}, "Applet", {" A ", "#ENDIF", " B"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(load(row.physical, row.platform), row.statements) << row.physical[0];
}

// An #IF governs only what follows it on its own line: alone on a line it governs nothing, which is said.
TEST(SourceLoading, IfAloneOnItsLineWarnsAndGoesOn) {
    std::ostringstream out;
    Console console(out);
    EXPECT_EQ(prepareSource({"PRINT 1", "#IF WEB", "PRINT 2", "#IF WEB : PRINT 3"}, "TB", console),
              (std::vector<std::string>{"PRINT 1", "PRINT 2"}));
    EXPECT_EQ(out.str(),
              "Warning: #If has no statement after it on its own line and governs nothing at line 2\n");
}

// A lone CR ends a line as LF and CR LF do, a byte-order mark is skipped (at the start of the file and of
// a line, where the execution copy joins an include), and a tab between words is a blank; in a text it
// stays.
TEST(SourceLoading, OldLineEndsTabsAndByteOrderMarks) {
    struct FileRow {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const FileRow files[] = {
        {"DIM X\rX = 1\rPRINT STR$(X)\r", {"DIM X", "X = 1", "PRINT STR$(X)"}},
        {"A\r\nB\nC\rD", {"A", "B", "C", "D"}},
        {"A\r\rB\n\n", {"A", "", "B", ""}},
        {"\xEF\xBB\xBF"
         "DIM X\n",
         {"DIM X"}},
        {"\xEF\xBB\xBF"
         "PRINT \"\xE9\"\r",
         {"PRINT \"\xC3\xA9\""}},  // Latin-1 after the mark
        {"", {}},
    };
    for (const auto& row : files) EXPECT_EQ(textLines(row.bytes), row.lines) << row.bytes;

    const SourceRow rows[] = {
        {{"DIM\tX"}, "TB", {"DIM X"}},
        {{"\tPRINT\t\"a\tb\"\t+\tA$"}, "TB", {"PRINT \"a\tb\" + A$"}},
        {{"\xEF\xBB\xBF"
          "DIM X"},
         "TB",
         {"DIM X"}},
        {{"IF\tX = 1 THEN\tPRINT 1"}, "TB", {"IF X = 1 THEN ", " PRINT 1 ", " EndIf"}},
        {{"#IF\tWEB\t:\tPRINT 1"}, "Applet", {" PRINT 1"}},
        {{"#IF WEB \tOR  CE : PRINT 2"}, "Applet", {" PRINT 2"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(load(row.physical, row.platform), row.statements) << row.physical[0];
}

TEST(SourceLoading, MalformedIfEndsTheRun) {
    // The line of the file is named, not the place of the part on its line.
    for (const char* line : {"#IF WEB AND CE", "PRINT 1 :#IF WEB  XOR CE"}) {
        try {
            load({"PRINT 0", line}, "Applet");
            FAIL() << line;
        } catch (const CompileException& e) {
            EXPECT_EQ(e.problems(), std::vector<std::string>{"Error: #If statement incorrect at line 2"});
        }
    }
    // A part that does not start with "#IF" is no section marker, so its words are not checked.
    EXPECT_EQ(load({"A = 1 : #IF WEB X CE"}, "Applet"),
              (std::vector<std::string>{"A = 1 ", " #IF WEB X CE"}));
}

}  // namespace
}  // namespace compiler
