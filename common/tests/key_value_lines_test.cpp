#include "kit/key_value_lines.h"

#include <gtest/gtest.h>

#include <climits>

namespace kit {
namespace {

TEST(KeyValueLines, TheFirstLineWithTheKeyBeforeEqualsOrLineEndGivesTheValue) {
    struct Row {
        Lines lines;
        std::string key;
        std::optional<std::string> value;
    };
    const Row rows[] = {
        {{"Include0=Util", "Inc=true"}, "Inc", "true"},
        {{"Include=Util", "Inc=true"}, "Inc", "true"},
        {{"Include0=Util"}, "Inc", std::nullopt},
        {{"Name"}, "Name", "Name"},
        {{"Name=a=b"}, "Name", "a=b"},
        {{"Names=x", "Name=y"}, "Name", "y"},
        {{"Name=", "Name=y"}, "Name", ""},
        {{"name=x"}, "Name", std::nullopt},
        {{" Name=x"}, "Name", std::nullopt},
        {{"Name =x"}, "Name", std::nullopt},
        {{"Name= x "}, "Name", " x "},
        {{"Run=1", "Run=2"}, "Run", "1"},
        {{"", "Run=1"}, "Run", "1"},  // a blank line ends nothing
        {{"Main=a", "", "", "Name=b"}, "Name", "b"},
        {{"// Tesvo Zorid v1.1.0 Project File", "Main=Space.bss"}, "Main", "Space.bss"},
        {{}, "Run", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(valueOf(row.lines, row.key), row.value) << row.key;
}

TEST(KeyValueLines, ListsInFileOrderAndNumberedListsUpToTheFirstGap) {
    const Lines lines = {"Include=a",  "Includes=x", "Include0=n0", "Include",  "Include1=n1", "Include3=n3",
                         "Include1=y", "Include=b",  "Include01=z", "Include2", "Include10=t"};
    EXPECT_EQ(valuesOf(lines, "Include"), (Lines{"a", "Include", "b"}));
    EXPECT_EQ(numberedValuesOf(lines, "Include"), (Lines{"n0", "n1", "Include2", "n3"}));
    EXPECT_EQ(numberedValuesOf({"Object1=a"}, "Object"), Lines{});
    Lines many;
    for (int i = 0; i < 500; ++i) many.push_back("Object" + std::to_string(i) + "=T" + std::to_string(i));
    EXPECT_EQ(numberedValuesOf(many, "Object").size(), 500u);
    EXPECT_EQ(numberedValuesOf(many, "Object")[123], "T123");
}

TEST(KeyValueLines, ASwitchIsOnForTrueInAnyCase) {
    const std::pair<std::optional<std::string>, bool> rows[] = {
        {"true", true}, {"TRUE", true},   {"tRuE", true},   {"True", true}, {"yes", false},
        {"", false},    {"true ", false}, {" true", false}, {"1", false},   {std::nullopt, false},
    };
    for (const auto& [value, on] : rows) EXPECT_EQ(isOn(value), on) << value.value_or("(none)");
    EXPECT_EQ(switchText(true), "true");
    EXPECT_EQ(switchText(false), "false");
}

TEST(KeyValueLines, NumbersFollowIntegerParsing) {
    const std::pair<std::string, std::optional<int>> rows[] = {
        {"1", 1},
        {"+5", 5},
        {"-3", -3},
        {"0012", 12},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1a", std::nullopt},
        {"2147483647", INT_MAX},
        {"2147483648", std::nullopt},
        {"-2147483648", INT_MIN},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, value] : rows) EXPECT_EQ(parseDecimal(text), value) << '"' << text << '"';
}

}  // namespace
}  // namespace kit
