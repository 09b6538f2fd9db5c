// The kit folder as Build and the compiler find it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_util.h"

namespace standins::test {
namespace {

TEST(KitLayout, ConfigNamesThreeFoldersAndTheToolsAreThere) {
    // The kit's Config.cfg is the user's once written (a toolkit chosen in Preferences, the look): only its
    // form is the build's, three absolute folders.
    std::istringstream config(readFile(kKit / "Config.cfg"));
    std::string line;
    for (int number = 1; number <= 3; ++number) {
        ASSERT_TRUE(std::getline(config, line)) << "line " << number;
        EXPECT_TRUE(line.starts_with("/") && line.ends_with("/")) << "line " << number << ": " << line;
    }

    for (const char* tool :
         {"jdk/bin/javac", "jdk/bin/jar", "wtk/bin/preverify", "wtk/bin/emulator", "VM/Tesvo Zorid.exe"}) {
        struct stat info {};
        ASSERT_EQ(stat((kKit / tool).c_str(), &info), 0) << tool;
        EXPECT_TRUE(S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR)) << tool;
    }
    for (const char* jar : {"midpapi20.jar", "cldcapi10.jar", "cldcapi11.jar", "mmapi.jar", "jsr184.jar"}) {
        EXPECT_TRUE(fs::is_regular_file(lib(jar))) << jar;
    }
    EXPECT_TRUE(fs::is_directory(kKit / "Include"));
}

TEST(KitLayout, JavacTakesBlanksAndBothListSeparators) {
    TempDir dir;
    writeFile(dir / "lib src/Game/Shape.java",
              "package Game;\npublic class Shape { public int sides() { return 3; } }\n");
    writeFile(dir / "Game/Use.java", "package Game;\npublic class Use { int n = new Shape().sides(); }\n");
    ToolRun first = compileForPhone(dir / "lib classes", {dir / "lib src/Game/Shape.java"});
    ASSERT_EQ(first.status, 0) << first.errors;
    ToolRun second =
        run({kJavac, "-bootclasspath", ";" + lib("cldcapi10.jar") + "::" + lib("midpapi20.jar") + ";", "-d",
             dir / "out", "-classpath", (dir / "lib classes") + ";", dir / "Game/Use.java", "-target", "1.4",
             "-source", "1.4"});
    EXPECT_EQ(second.status, 0) << second.errors;
    EXPECT_TRUE(fs::exists(dir / "out/Game/Use.class"));
}

TEST(KitLayout, PcRuntimeStandInChecksTheByteTokenFile) {
    struct Row {
        const char* what;
        const char* contents;  // nullptr: no data.tbd
        int status;
        std::string line;
    } rows[] = {
        {"missing", nullptr, 1, " is missing."},
        {"empty", "", 1, " is not a byte-token program: it does not begin with \"TB\"."},
        {"lower-case marker", "tbFMtb", 1, " is not a byte-token program: it does not begin with \"TB\"."},
        {"byte tokens", "TBFSFEFMtb", 0, "No PC runtime is installed with this kit"},
    };
    for (const auto& row : rows) {
        TempDir project;
        fs::copy_file(kKit / "VM/Tesvo Zorid.exe", project / "Game.exe");
        if (row.contents) writeFile(project / "data.tbd", row.contents);
        // Started from another folder, as Build starts it: the program finds data.tbd beside itself.
        ToolRun result = run({project / "Game.exe"});
        EXPECT_EQ(result.status, row.status) << row.what;
        EXPECT_NE(result.output.find(row.line), std::string::npos) << row.what << ": " << result.output;
        EXPECT_NE(result.output.find(project / "data.tbd"), std::string::npos) << result.output;
    }
}

TEST(KitLayout, SupportClassesBecomeIncFilesWithTheirInnerClasses) {
    TempDir dir;
    writeFile(dir / "Include/Stale.inc", "old");
    ToolRun script =
        run({TZ_CMAKE, "-DJAVAC=" + kJavac, "-DSOURCE_DIR=" + (kData / "include").string(),
             std::string("-DBOOTCLASSPATH=") + TZ_SUPPORT_BOOTCLASSPATH, "-DSTAGE=" + (dir / "stage"),
             "-DOUTPUT_DIR=" + (dir / "Include"), "-P", TZ_SUPPORT_SCRIPT});
    ASSERT_EQ(script.status, 0) << script.output << script.errors;

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "Include"))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Include$1.inc", "Include$OSReceive.inc", "Include$Sender.inc",
                                               "Include.inc"}));
    for (const auto& name : names)
        EXPECT_EQ(readFile(dir / ("Include/" + name)).substr(0, 4), "\xCA\xFE\xBA\xBE");

    // Copied back under their class names, they preverify as Build's own classes do.
    for (const auto& name : names) {
        fs::create_directories(dir / "tmpclasses/Game");
        fs::copy_file(dir / ("Include/" + name),
                      dir / ("tmpclasses/Game/" + name.substr(0, name.size() - 4) + ".class"));
    }
    ToolRun preverify = run({kPreverify, "-classpath", lib("midpapi20.jar") + ":" + lib("cldcapi10.jar"),
                             "-d", dir / "classes", dir / "tmpclasses"});
    EXPECT_EQ(preverify.status, 0) << preverify.errors;
    EXPECT_TRUE(fs::exists(dir / "classes/Game/Include$Sender.class"));
}

}  // namespace
}  // namespace standins::test
