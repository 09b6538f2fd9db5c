#include "project.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace build {
namespace {

using Lines = std::vector<std::string>;

// The key and switch rules themselves are kit_common's (common/tests); here, what Build takes from them.
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

// A kit copied elsewhere keeps the Config.cfg of its first folder: what lay inside that folder is taken
// inside this one, a tool folder elsewhere stays.
TEST_F(DescriptorRead, ACopiedKitUsesItsOwnFolders) {
    writeDescriptor("Run=0\nName=Space\nPlatform=J2ME\n");
    testing::writeFile(kit / "Config.cfg", "/usr/lib/jvm/bin/\n/old kit/wtk/\n/old kit/\nXP\n");
    Project project;
    ASSERT_EQ(project.read(base() + ".tbx", kit.string()).status, Project::ReadStatus::Ok);
    EXPECT_EQ(project.javaLocation, "/usr/lib/jvm/bin/");
    EXPECT_EQ(project.j2meLocation, kitDir() + "wtk/");
    EXPECT_EQ(project.tbLocation, kitDir());
}

}  // namespace
}  // namespace build
