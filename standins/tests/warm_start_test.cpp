// The kit's Java tools start from class-data archives made by the kit's build (warm_jvm.h). What they
// write never depends on the archive, and an archive the JVM cannot use is passed over without a word.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <map>
#include <thread>
#include <vector>

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

TEST(ToolChain, HugePagesOnlyWhereTheKernelGivesThemOnRequest) {
    TempDir dir;
    const std::pair<const char*, bool> settings[] = {{"always [madvise] never\n", true},
                                                     {"[always] madvise never\n", true},
                                                     {"always madvise [never]\n", false},
                                                     {"", false}};
    for (const auto& [setting, given] : settings) {
        writeFile(dir / "enabled", setting);
        EXPECT_EQ(transparentHugePages(dir / "enabled"), given) << setting;
    }
    EXPECT_FALSE(transparentHugePages(dir / "none"));
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

// The kit's road, whose javac and preverify rows run in its tool host, and the road of a JVM a row (a kit
// without the host, whose Build runs each tool as its own program) build the same suites: of the example,
// of the phone programs of the compiler's tests and of the projects of Build's tests. The same lines, the
// same status, the same entries byte for byte; a failing compile fails with the same words.
TEST(ToolChain, SuitesAreTheSameWithOrWithoutTheToolHost) {
    TempDir dir;
    const fs::path hosted = dir.folder() / "kit", separate = dir.folder() / "kit of a JVM a row";
    copyKit(hosted);
    copyKit(separate);
    ASSERT_TRUE(fs::remove(separate / "jdk/bin/tool-host"));
    // Each road in a project folder of its own, so that the two run side by side.
    const fs::path folders[2] = {dir.folder() / "my games/project", dir.folder() / "my games/other project"};
    const fs::path builderData = TZ_BUILDER_TEST_DATA, compilerData = TZ_COMPILER_TEST_DATA;
    const fs::path model = compilerData / "three_d/MODEL.java";

    struct Project {
        std::string what, base;  // base: the project in its folder, built by Compile-Linux when it has a .tbp
        std::function<void(const fs::path& project)> layOut;
    };
    std::vector<Project> projects = {
        {"the example", "Skyward",
         [&](const fs::path& project) { tz::testing::copyExampleProject(kExample, project); }},
        {"a MIDlet", "Hello",
         [&](const fs::path& project) {
             fs::copy(builderData / "hello midlet", project, fs::copy_options::recursive);
         }},
        {"a 3D MIDlet with its model class", "Orbit",
         [&](const fs::path& project) {
             fs::copy(builderData / "three d", project, fs::copy_options::recursive);
             fs::copy_file(model, project / "MODEL.java");
         }},
    };
    for (const bool broken : {false, true}) {
        projects.push_back({broken ? "a Java project that does not compile" : "a Java project", "Controls",
                            [&, broken](const fs::path& project) {
                                fs::copy(builderData / "java project", project, fs::copy_options::recursive);
                                std::string descriptor = readFile(project / "Controls.tbx");
                                for (size_t at; (at = descriptor.find("@PROJECT@")) != std::string::npos;)
                                    descriptor.replace(at, 9, project.string());
                                writeFile(project / "Controls.tbx", descriptor);
                                std::string source = readFile(project / "Controls.java");
                                if (broken)
                                    source.erase(source.find("form.setCommandListener(this);") + 29, 1);
                                writeFile(project / "Controls.java", source);
                            }});
    }
    std::vector<fs::path> programs;
    for (const auto& entry : fs::recursive_directory_iterator(compilerData))
        if (entry.path().extension() == ".bss" &&
            entry.path().filename().string().find("applet") == std::string::npos)
            programs.push_back(entry.path());
    std::sort(programs.begin(), programs.end());
    for (const fs::path& program : programs) {
        projects.push_back(
            {fs::relative(program, compilerData).string(), "Game", [&, program](const fs::path& project) {
                 const bool threeD = program.parent_path().filename() == "three_d";
                 writeFile(project / "Game.tbp", "Main=Game\nName=Game\nPlatform=TB\nRun=0\nInc=true\n" +
                                                     std::string(threeD ? "Include=MODEL\n" : ""));
                 writeFile(project / "GameX.bss", readFile(program));
                 if (threeD) fs::copy_file(model, project / "MODEL.java");
             }});
    }
    ASSERT_GE(projects.size(), 12u);

    std::vector<Build> built[2];
    auto buildAll = [&](int road) {
        const fs::path kit = road == 0 ? hosted : separate, project = folders[road];
        for (const Project& each : projects) {
            fs::remove_all(project);
            fs::create_directories(project);
            each.layOut(project);
            const bool compiles = fs::exists(project / (each.base + ".tbp"));
            Build result;
            result.run = run({(kit / (compiles ? "Compile-Linux" : "Build-Linux")).string(),
                              (project / each.base).string()});
            // The lines name the kit and the folder they come from.
            for (std::string* text : {&result.run.output, &result.run.errors}) {
                for (const auto& [place, name] :
                     {std::pair{kit.string(), "<kit>"}, {project.string(), "<project>"}})
                    for (size_t at; (at = text->find(place)) != std::string::npos;)
                        text->replace(at, place.size(), name);
            }
            if (auto entries = readJar(project / (each.base + ".jar"))) result.entries = *entries;
            built[road].push_back(result);
        }
    };
    std::thread other(buildAll, 1);
    buildAll(0);
    other.join();

    for (size_t i = 0; i < projects.size(); ++i) {
        const Project& each = projects[i];
        const Build &host = built[0][i], &separately = built[1][i];
        const bool builds = each.what.find("does not compile") == std::string::npos;
        EXPECT_EQ(host.run.status, builds ? 0 : 1) << each.what << "\n" << host.run.output;
        EXPECT_EQ(host.entries.empty(), !builds) << each.what;
        EXPECT_EQ(separately.run.status, host.run.status) << each.what;
        EXPECT_EQ(separately.run.output, host.run.output) << each.what;
        EXPECT_EQ(separately.run.errors, host.run.errors) << each.what;
        EXPECT_EQ(separately.entries.size(), host.entries.size()) << each.what;
        for (const auto& [name, bytes] : host.entries) {
            auto found = separately.entries.find(name);
            ASSERT_NE(found, separately.entries.end()) << each.what << ": " << name;
            EXPECT_TRUE(found->second == bytes) << each.what << ": " << name << " differs";
        }
    }
}

}  // namespace
}  // namespace standins::test
