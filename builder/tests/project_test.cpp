#include "project.h"

#include <gtest/gtest.h>

#include <climits>

#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;

TEST(Descriptor, LookupTakesTheFirstLineWithTheKeyBeforeEqualsOrLineEnd) {
    struct Row {
        Lines lines;
        std::string key;
        std::optional<std::string> value;
    };
    const Row rows[] = {
        {{"Include0=Util", "Inc=true"}, "Inc", "true"},
        {{"Include0=Util"}, "Inc", std::nullopt},
        {{"Name"}, "Name", "Name"},
        {{"Name=a=b"}, "Name", "a=b"},
        {{"Names=x", "Name=y"}, "Name", "y"},
        {{"Name=", "Name=y"}, "Name", ""},
        {{"name=x"}, "Name", std::nullopt},
        {{" Name=x"}, "Name", std::nullopt},
        {{"Run=1", "Run=2"}, "Run", "1"},
        {{"// Tesvo Zorid v1.1.0 Project File", "Main=Space.bss"}, "Main", "Space.bss"},
        {{}, "Run", std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(Project::lookup(row.lines, row.key), row.value) << row.key;
}

TEST(Descriptor, FlagIsTrueOnlyForTrueInAnyCase) {
    const std::pair<std::string, bool> rows[] = {
        {"3D=true", true}, {"3D=TRUE", true},   {"3D=tRuE", true}, {"3D=yes", false},
        {"3D=", false},    {"3D=true ", false}, {"3D", false},     {"Floats=true", false},
    };
    for (const auto& [line, expected] : rows) {
        Project project;
        project.allLines = {line};
        EXPECT_EQ(project.uses3D(), expected) << line;
    }
}

TEST(Descriptor, RunValueFollowsIntegerParsing) {
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

class DescriptorRead : public testing::BuildFixture {};

TEST_F(DescriptorRead, ListsRunToTheFirstMissingIndexWithoutALineCap) {
    std::string body = "// Tesvo Zorid v1.1.0 Project File\r\nMain=Space.bss\r\n";
    body += "Include0=A\r\nInclude1=B\r\nInclude3=D\r\n";
    body += "ClassPath0=/x/one.jar\r\nClassPath1=/y/two.jar\r\n";
    for (int i = 0; i < 14; ++i) body += "Object" + std::to_string(i) + "=Type" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 30; ++i) body += "// filler\r\n";
    body += "Run=1\r\nName=Space\r\nPlatform=J2ME\r\nInc=true\r\nCLDC=11\r\n";
    writeDescriptor(body);

    Project project;
    auto result = project.read(base() + ".tbx", kit.string());
    ASSERT_EQ(result.status, Project::ReadStatus::Ok) << result.message;
    EXPECT_EQ(project.includes, (Lines{"A", "B"}));
    EXPECT_EQ(project.objects.size(), 14u);
    EXPECT_EQ(project.objects.back(), "Type13");
    EXPECT_EQ(project.getClassPath(), "/x/one.jar:/y/two.jar:");
    EXPECT_EQ(project.run, 1);
    EXPECT_EQ(project.name, "Space");
    EXPECT_EQ(project.platform, "J2ME");
    EXPECT_EQ(project.file, "Space.bss");
    EXPECT_EQ(project.CLDCVersion(), "11");
    EXPECT_TRUE(project.usesInclude());
    EXPECT_EQ(project.path, projectDir());
    EXPECT_EQ(project.javaLocation, kitDir() + "jdk/bin/");
    EXPECT_EQ(project.j2meLocation, kitDir() + "wtk/");
    EXPECT_EQ(project.tbLocation, kitDir());
}

TEST_F(DescriptorRead, ConfigWithFewerLinesLeavesTheRestAbsent) {
    writeDescriptor("Run=0\nName=Space\n");
    testing::writeFile(kit / "Config.cfg", "/jdk/bin/\n");
    Project project;
    ASSERT_EQ(project.read(base() + ".tbx", kit.string()).status, Project::ReadStatus::Ok);
    EXPECT_EQ(project.javaLocation, "/jdk/bin/");
    EXPECT_FALSE(project.j2meLocation);
    EXPECT_EQ(orNull(project.tbLocation), "null");
    EXPECT_FALSE(project.platform);
}

}  // namespace
}  // namespace build
