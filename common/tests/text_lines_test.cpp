#include "kit/text_lines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "temp_dir.h"
#include "test_helpers.h"

namespace kit {
namespace {

TEST(TextLines, EveryLineEndAndAByteOrderMark) {
    struct Row {
        std::string text;
        Lines lines;
    };
    const Row rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\rc", {"a", "b", "c"}},
        {"a\n\nb\r\r\n", {"a", "", "b", ""}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\n\r", {"a", ""}},
        {"\n", {""}},
        {"\r", {""}},
        {" x \t\n", {" x \t"}},
        {"\xEF\xBB\xBFMain=a\r\n", {"Main=a"}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx", {"\xEF\xBB\xBFx"}},  // only the first mark is one
        {"a\n\xEF\xBB\xBF"
         "b",
         {"a",
          "\xEF\xBB\xBF"
          "b"}},
        {"\xEF\xBBx", {"\xEF\xBBx"}},
        {"Name=Caf\xE9\r\n/opt/j\xC3\xA4va/\n", {"Name=Caf\xE9", "/opt/j\xC3\xA4va/"}},  // bytes kept
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(splitLines(row.text), row.lines) << testing::PrintToString(row.text);
        // The same lines with "\n" after each, but for a last line that had no end.
        std::string joined = joinLines(row.lines);
        if (!row.lines.empty() && !row.text.ends_with('\n') && !row.text.ends_with('\r')) joined.pop_back();
        EXPECT_EQ(withLineFeeds(row.text), joined) << testing::PrintToString(row.text);
    }
}

// The text whole, as the editor shows a file: every line end a "\n", a last line without an end kept so.
TEST(TextLines, TextWithLineFeeds) {
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},
        {"a", "a"},
        {"a\r", "a\n"},
        {"a\r\nb\rc", "a\nb\nc"},
        {"a\n\r\nb\r\r\n", "a\n\nb\n\n"},
        {"\xEF\xBB\xBFx\r\n", "x\n"},
        {"Caf\xE9\rx", "Caf\xE9\nx"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(withLineFeeds(text), expected) << testing::PrintToString(text);
}

// Whatever the line end, lines that hold no line end come back as they were written.
TEST(TextLines, WrittenLinesReadBackWithEachLineEnd) {
    std::mt19937 random(39);
    const std::string alphabet = std::string("ab=/: \t\xE9\xC3\xA4\x01\0", 12);
    for (int round = 0; round < 2000; ++round) {
        Lines lines(random() % 6);
        for (std::string& line : lines) {
            line.resize(random() % 8);
            for (char& c : line) c = alphabet[random() % alphabet.size()];
        }
        const std::string end = round % 3 == 0 ? "\n" : round % 3 == 1 ? "\r\n" : "\r";
        std::string text = round % 5 == 0 ? "\xEF\xBB\xBF" : "";
        for (const std::string& line : lines) text += line + end;
        if (round % 7 == 0 && !lines.empty() && !lines.back().empty()) text.resize(text.size() - end.size());
        EXPECT_EQ(splitLines(text), lines) << testing::PrintToString(text);
        if (!lines.empty()) {
            EXPECT_EQ(splitLines(joinLines(lines)), lines);
        }
    }
}

TEST(TextLines, Utf8TellsTextFromBytes) {
    const std::pair<std::string, bool> rows[] = {
        {"plain", true},
        {"j\xC3\xA4va", true},
        {"\xE2\x82\xAC", true},
        {"\xF0\x9F\x8E\xAE", true},
        {"Caf\xE9", false},
        {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\xC3", false},
        {"\x80", false},
    };
    for (const auto& [bytes, valid] : rows)
        EXPECT_EQ(isValidUtf8(bytes), valid) << testing::PrintToString(bytes);
    EXPECT_EQ(latin1ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
    // The whole text decides: one byte that is not UTF-8 makes every line Latin-1.
    EXPECT_EQ(utf8Lines("\xEF\xBB\xBFj\xC3\xA4\rCaf\xE9\n"), (Lines{"j\xC3\x83\xC2\xA4", "Caf\xC3\xA9"}));
    EXPECT_EQ(utf8Lines("\xEF\xBB\xBFj\xC3\xA4\r\n"), (Lines{"j\xC3\xA4"}));
}

// What is no file to read is refused before it is opened (a FIFO would block the open, a device give bytes
// without end), a file past the limit with its size; the error names the file as the caller shows it.
TEST(TextLines, AFileThatCannotBeReadSaysWhy) {
    tz::testing::TempDir temp;
    const std::string fifo = temp.path() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = temp.path() + "/big";
    tz::testing::writeFile(big, std::string(1001, 'x'));
    struct Row {
        std::string path;
        std::string reason;
        std::size_t maxBytes = kMaxTextFileBytes;
    };
    const Row rows[] = {
        {"/proc/self/no such file", "No such file or directory"},
        {"/", "Is a directory"},
        {fifo, "Is a FIFO, not a file"},
        {"/dev/zero", "Is a character device, not a file"},
        {"/dev/null", "Is a character device, not a file"},
        {big, "Is 1001 bytes long, more than the 1000 bytes the kit reads", 1000},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(readFile(row.path, &error, {}, row.maxBytes)) << row.path;
        EXPECT_EQ(error, row.path + " (" + row.reason + ")");
        EXPECT_FALSE(readFile(row.path, &error, "shown", row.maxBytes)) << row.path;
        EXPECT_EQ(error, "shown (" + row.reason + ")");
    }
    EXPECT_FALSE(readLines(fifo));
    EXPECT_EQ(readFile(big, nullptr, {}, 1001), std::string(1001, 'x'));
}

}  // namespace
}  // namespace kit
