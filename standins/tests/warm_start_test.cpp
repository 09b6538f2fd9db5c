// The kit's Java tools start from class-data archives made by the kit's build (warm_jvm.h). What they
// write never depends on the archive, and an archive the JVM cannot use is passed over without a word.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <map>

#include "suite.h"
#include "test_helpers.h"
#include "test_util.h"
#include "warm_jvm.h"

namespace standins::test {
namespace {

const fs::path kExample = fs::path(TZ_EXAMPLES_DIR) / "Skyward";

struct Tool {
    std::string name;
    fs::path folder;  // relative to the kit
};
const Tool kTools[] = {{"javac", "jdk/bin"}, {"preverify", "wtk/bin"}};

// The lines of a class-loading log that name the tool's archive as the classes' source.
int classesFromArchive(const std::string& log) {
    int count = 0;
    for (size_t at = log.find("source: shared objects file (top)"); at != std::string::npos;
         at = log.find("source: shared objects file (top)", at + 1))
        ++count;
    return count;
}

TEST(ToolChain, ToolsLoadTheirClassesFromTheirArchives) {
    for (const Tool& tool : kTools)
        EXPECT_NE(usableArchive((kKit / tool.folder).string(), tool.name), "") << tool.name;

    // The JVM's class-loading log, asked for through the variable every java launcher reads.
    TempDir dir;
    std::string log = dir / "classes.log";
    ASSERT_EQ(setenv("JDK_JAVA_OPTIONS", ("\"-Xlog:class+load=info:file=" + log + "\"").c_str(), 1), 0);
    auto loadedFromArchive = [&](const std::vector<std::string>& argv) {
        fs::remove(log);
        ToolRun result = run(argv);
        EXPECT_EQ(result.status, 0) << argv[0] << ": " << result.output << result.errors;
        return classesFromArchive(readFile(log));
    };
    fs::create_directories(dir / "tmpclasses/Game");
    writeFile(
        dir / "Game/Step.java",
        "package Game;\npublic class Step { int f(int n) { int s = 0; while (n > 0) s += n--; return s; "
        "} }\n");
    EXPECT_GT(loadedFromArchive({kJavac, "-bootclasspath", lib("midpapi20.jar") + ";" + lib("cldcapi10.jar"),
                                 "-d", dir / "tmpclasses", "-classpath", dir / "tmpclasses",
                                 dir / "Game/Step.java", "-target", "1.4", "-source", "1.4"}),
              200);
    EXPECT_GT(loadedFromArchive({kPreverify, "-classpath", lib("midpapi20.jar") + ";" + lib("cldcapi10.jar"),
                                 "-d", dir / "classes", dir / "tmpclasses"}),
              100);
    unsetenv("JDK_JAVA_OPTIONS");
}

// A kit folder of its own with what a phone build needs, so that its archives can be changed.
void copyKit(const fs::path& kit) {
    fs::create_directories(kit);
    for (const char* program : {"Compile-Linux", "Build-Linux"}) fs::copy_file(kKit / program, kit / program);
    for (const char* folder : {"jdk", "wtk", "Include"})
        fs::copy(kKit / folder, kit / folder, fs::copy_options::recursive);
    tz::testing::writeKitConfig(kit);
}

// Changes the last letter of the first `text` in the archive.
void alter(std::string& bytes, const std::string& text) {
    ASSERT_FALSE(text.empty());
    size_t at = bytes.find(text);
    ASSERT_NE(at, std::string::npos) << text;
    bytes[at + text.size() - 1] ^= 1;
}

struct Build {
    ToolRun run;
    std::map<std::string, std::string> entries;
};

TEST(ToolChain, ExampleSuiteIsTheSameWithOrWithoutTheArchives) {
    TempDir dir;
    const fs::path kit = dir.folder() / "kit";
    copyKit(kit);
    const fs::path project = dir.folder() / "my games/Skyward";
    auto build = [&]() {
        fs::remove_all(project);
        tz::testing::copyExampleProject(kExample, project);
        Build result;
        result.run = run({(kit / "Compile-Linux").string(), (project / "Skyward").string()});
        if (auto entries = readJar(project / "Skyward.jar")) result.entries = *entries;
        return result;
    };

    const Build warm = build();
    ASSERT_EQ(warm.run.status, 0) << warm.run.output << warm.run.errors;
    ASSERT_NE(warm.run.output.find("\nProgram compiled\n"), std::string::npos) << warm.run.output;
    EXPECT_EQ(warm.run.errors, "");
    ASSERT_GE(warm.entries.size(), 10u);
    for (const char* word : {"warning", "Warning", "[cds", "VM", "sharing", "archive"})
        EXPECT_EQ(warm.run.output.find(word), std::string::npos) << word << " in\n" << warm.run.output;

    // Made by another JDK: another JVM build in the header. Made for other jars: the compiler's or
    // ProGuard's jar was another (the JVM says so unless told not to). Cut short, as by an interrupted copy
    // of the kit: the JVM would map it and crash. Each row changes each tool's archive in its own way.
    struct Row {
        const char* what;
        std::function<void(const std::string& tool, std::string& bytes, bool& remove)> change;
    } rows[] = {
        {"javac's cut short, preverify's made by another JDK",
         [](const std::string& tool, std::string& bytes, bool&) {
             if (tool == "javac") bytes.resize(bytes.size() / 2);
             if (tool == "preverify") alter(bytes, " VM (");
         }},
        {"javac's made for other jars, preverify's damaged",
         [](const std::string& tool, std::string& bytes, bool&) {
             if (tool == "javac") alter(bytes, TZ_ECJ_JAR);
             if (tool == "preverify") bytes[0] ^= 0x55;
         }},
        {"javac's removed, preverify's made for other jars",
         [](const std::string& tool, std::string& bytes, bool& remove) {
             remove = tool == "javac";
             if (tool == "preverify") alter(bytes, TZ_PROGUARD_JAR);
         }},
    };
    for (const auto& row : rows) {
        for (const Tool& tool : kTools) {
            const fs::path folder = kit / tool.folder;
            const std::string archive = usableArchive((kKit / tool.folder).string(), tool.name);
            ASSERT_NE(archive, "") << tool.name;
            const fs::path copy = folder / fs::path(archive).filename();
            fs::remove(copy);
            std::string bytes = readFile(archive);
            bool remove = false;
            row.change(tool.name, bytes, remove);
            if (!remove) writeFile(copy, bytes);
        }
        const Build cold = build();
        EXPECT_EQ(cold.run.status, 0) << row.what;
        EXPECT_EQ(cold.run.output, warm.run.output) << row.what;
        EXPECT_EQ(cold.run.errors, "") << row.what;
        EXPECT_EQ(cold.entries.size(), warm.entries.size()) << row.what;
        for (const auto& [name, bytes] : warm.entries) {
            auto found = cold.entries.find(name);
            ASSERT_NE(found, cold.entries.end()) << row.what << ": " << name;
            EXPECT_TRUE(found->second == bytes) << row.what << ": " << name << " differs";
        }
    }
}

}  // namespace
}  // namespace standins::test
