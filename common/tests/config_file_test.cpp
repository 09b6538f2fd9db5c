#include "kit/config_file.h"

#include <gtest/gtest.h>

#include "kit/class_path.h"

namespace kit {
namespace {

using Field = std::optional<std::string>;

TEST(ConfigFormat, ReaderAndWriterRows) {
    struct Row {
        std::string text;
        ConfigFile config;
    };
    const Row rows[] = {
        {"/k/jdk/bin/\n/k/wtk/\n/k/\nXP\n", {"/k/jdk/bin/", "/k/wtk/", "/k/", "XP"}},
        {"\xEF\xBB\xBF/k/jdk/bin/\r\n/k/wtk/\r\n/k/\r\n", {"/k/jdk/bin/", "/k/wtk/", "/k/", std::nullopt}},
        {"/j/\r/w/\r", {"/j/", "/w/", std::nullopt, std::nullopt}},
        {" /my java/ \t\n\n", {" /my java/ \t", "", std::nullopt, std::nullopt}},
        {"/opt/j\xE4va/\n", {"/opt/j\xE4va/", std::nullopt, std::nullopt, std::nullopt}},
        {"", {}},
    };
    for (const Row& row : rows) EXPECT_EQ(readConfigFile(splitLines(row.text)), row.config) << row.text;

    EXPECT_EQ(configFileLines({"/j/", "", std::nullopt, "Default"}), (Lines{"/j/", "", "null", "Default"}));
    const ConfigFile full{"/k/jdk/bin/", "/k/wtk/", "/k/", ""};
    EXPECT_EQ(readConfigFile(splitLines(joinLines(configFileLines(full)))), full);
}

TEST(ConfigFormat, LinesTheConsoleProgramsCannotUse) {
    const std::string at = "Error: Line ";
    const std::string missing = " is missing. Run the Editor to write the file again";
    struct Row {
        std::string text;
        std::optional<std::string> fault;
    };
    const Row rows[] = {
        {"/j/\n/w/\n/k/\n", std::nullopt},
        {"/j/\n/w/\n/k/\nXP\nmore\n", std::nullopt},
        {"/my java/\n/tool kit/\n/k/\n", std::nullopt},
        {"", at + "1 of /k/Config.cfg (the Java tool folder)" + missing},
        {"/j/\n", at + "2 of /k/Config.cfg (the wireless toolkit folder)" + missing},
        {"/j/\r\n/w/\r\n", at + "3 of /k/Config.cfg (the kit folder)" + missing},
        {"/j/\nnull\n/k/\n", at + "2 of /k/Config.cfg (the wireless toolkit folder) is not an absolute "
                                  "folder ending in \"/\": \"null\""},
        {"\n/w/\n/k/\n",
         at + "1 of /k/Config.cfg (the Java tool folder) is not an absolute folder ending in \"/\": \"\""},
        {"/j\n/w/\n/k/\n",
         at + "1 of /k/Config.cfg (the Java tool folder) is not an absolute folder ending in \"/\": \"/j\""},
        {"/j/ \n/w/\n/k/\n",
         at +
             "1 of /k/Config.cfg (the Java tool folder) is not an absolute folder ending in \"/\": \"/j/ \""},
        {"j/\n/w/\n/k/\n",
         at + "1 of /k/Config.cfg (the Java tool folder) is not an absolute folder ending in \"/\": \"j/\""},
        {"/j/\n/w/\nk/\n",
         at + "3 of /k/Config.cfg (the kit folder) is not an absolute folder ending in \"/\": \"k/\""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(configFault(readConfigFile(splitLines(row.text)), "/k/Config.cfg"), row.fault) << row.text;
}

TEST(ConfigFormat, ACopiedKitTakesItsOwnFolders) {
    struct Row {
        const char* what;
        ConfigFile before;
        std::string running;
        ConfigFile after;
    };
    const ConfigFile built{"/old/kit/jdk/bin/", "/old/kit/wtk/", "/old/kit/", "XP"};
    const Row rows[] = {
        {"the kit where it was built", built, "/old/kit/", built},
        {"the same folder without its /", built, "/old/kit", built},
        {"copied",
         built,
         "/home/u/my kit/",
         {"/home/u/my kit/jdk/bin/", "/home/u/my kit/wtk/", "/home/u/my kit/", "XP"}},
        {"copied below itself",
         built,
         "/old/kit/copy/",
         {"/old/kit/copy/jdk/bin/", "/old/kit/copy/wtk/", "/old/kit/copy/", "XP"}},
        {"tools the user chose stay",
         {"/usr/lib/jvm/bin/", "/old/kit/wtk/", "/old/kit/", "XP"},
         "/new/",
         {"/usr/lib/jvm/bin/", "/new/wtk/", "/new/", "XP"}},
        {"a folder that only begins like the kit",
         {"/old/kitten/bin/", "/old/kit2/", "/old/kit/", {}},
         "/new/",
         {"/old/kitten/bin/", "/old/kit2/", "/new/", {}}},
        {"line 3 not a folder",
         {"/old/kit/jdk/bin/", "/old/kit/wtk/", "/old/kit", {}},
         "/new/",
         {"/old/kit/jdk/bin/", "/old/kit/wtk/", "/old/kit", {}}},
        {"line 3 missing",
         {"/old/kit/jdk/bin/", "/old/kit/wtk/", {}, {}},
         "/new/",
         {"/old/kit/jdk/bin/", "/old/kit/wtk/", {}, {}}},
        {"line 3 the root",
         {"/usr/bin/", "/opt/wtk/", "/", {}},
         "/new/",
         {"/usr/bin/", "/opt/wtk/", "/", {}}},
        {"a running folder that is not absolute", built, "./", built},
        {"the look word is no folder",
         {"/j/", "/w/", "/old/", "/old/look"},
         "/new/",
         {"/j/", "/w/", "/new/", "/old/look"}},
    };
    for (const Row& row : rows) {
        ConfigFile config = row.before;
        EXPECT_EQ(relocate(config, row.running), row.before != row.after) << row.what;
        EXPECT_EQ(config, row.after) << row.what;
        EXPECT_FALSE(configFault(row.after, "Config.cfg") && !configFault(row.before, "Config.cfg"))
            << row.what;
    }
}

TEST(ClassPathFolders, AColonOrSemicolonIsRefusedWithTheFolder) {
    EXPECT_EQ(classPathFault("The project folder", "/home/u/games/Space/"), std::nullopt);
    EXPECT_EQ(classPathFault("The project folder", ""), std::nullopt);
    EXPECT_EQ(classPathFault("The project folder", "/home/u/my games (old)/é/"), std::nullopt);
    EXPECT_EQ(
        classPathFault("The project folder", "/tmp/a:b/Hello/"),
        "Error: The project folder /tmp/a:b/Hello/ holds the character \":\", which splits a Java class "
        "path. Use a folder whose path has no \":\" or \";\"");
    EXPECT_EQ(
        classPathFault("The wireless toolkit folder", "/k;1/wtk:/"),
        "Error: The wireless toolkit folder /k;1/wtk:/ holds the character \";\", which splits a Java class "
        "path. Use a folder whose path has no \":\" or \";\"");
}

}  // namespace
}  // namespace kit
