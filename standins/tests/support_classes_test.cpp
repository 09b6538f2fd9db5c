// The support classes of generated programs in the kit's Include folder: the files Build copies per flag
// group, their preverification against the API jars that group's programs are built with, and generated
// programs that call every support member.
#include <gtest/gtest.h>

#include <set>

#include "classfile.h"
#include "test_util.h"

namespace standins::test {
namespace {

const fs::path kInclude = kKit / "Include";

std::string joinJars(const std::vector<std::string>& jars) {
    std::string path;
    for (const auto& jar : jars) path += (path.empty() ? "" : ":") + lib(jar);
    return path;
}

// Copies a group as Build does: X.inc and every X$*.inc, renamed to .class.
void copyGroup(const std::string& group, const fs::path& gameDir) {
    fs::create_directories(gameDir);
    for (const auto& entry : fs::directory_iterator(kInclude)) {
        std::string name = entry.path().filename();
        std::string stem = name.substr(0, name.size() - 4);
        if (stem == group || stem.rfind(group + "$", 0) == 0)
            fs::copy_file(entry.path(), gameDir / (stem + ".class"), fs::copy_options::overwrite_existing);
    }
}

// Preverifies `tmpclasses` into `classes` and checks every class that comes out.
void expectPreverified(const std::string& classPath, const std::string& tmpclasses,
                       const std::string& classes, const std::string& what) {
    ToolRun preverify =
        run({kPreverify, "-classpath", classPath + ":" + tmpclasses, "-d", classes, tmpclasses});
    EXPECT_EQ(preverify.status, 0) << what << "\n" << preverify.errors;
    EXPECT_EQ(preverify.errors, "") << what;
    for (const auto& entry : fs::directory_iterator(fs::path(tmpclasses) / "Game")) {
        fs::path out = fs::path(classes) / "Game" / entry.path().filename();
        ASSERT_TRUE(fs::exists(out)) << what << ": " << out;
        ClassInfo info = readClass(readFile(out));
        EXPECT_TRUE(preverifyProblems(info).empty()) << what << ": " << out;
    }
}

TEST(SupportClasses, IncludeFolderHoldsEveryGroupsClassFiles) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(kInclude)) {
        std::string name = entry.path().filename();
        if (name.rfind("Include", 0) == 0) names.insert(name);  // the map library has its own test
        ClassInfo info = readClass(readFile(entry.path()));
        ASSERT_TRUE(info.valid) << name << ": " << info.error;
        EXPECT_EQ(info.name, "Game/" + name.substr(0, name.size() - 4));
        EXPECT_LE(info.major, kCldcMaxMajor) << name;
    }
    // Include$Sender and Include$OSReceive keep the names the copy step's list gives them.
    EXPECT_EQ(names, (std::set<std::string>{"Include.inc", "Include$Camera.inc", "Include$OSReceive.inc",
                                            "Include$Sender.inc", "IncludeSound.inc", "IncludeMidi.inc",
                                            "IncludeImage.inc", "IncludeVideo.inc"}));
}

TEST(SupportClasses, EachGroupPreverifiesWithTheJarsItsProgramsGet) {
    // The descriptor turns on MM for sound, MIDI and video, never for Include or images alone: those two
    // groups must do without the media API.
    struct Row {
        std::vector<std::string> groups;
        std::vector<std::string> jars;
    } rows[] = {
        {{"Include"}, {"midpapi20.jar", "cldcapi10.jar"}},
        {{"Include", "IncludeImage"}, {"midpapi20.jar", "cldcapi10.jar"}},
        {{"Include", "IncludeSound"}, {"midpapi20.jar", "mmapi.jar", "cldcapi10.jar"}},
        {{"Include", "IncludeMidi"}, {"midpapi20.jar", "mmapi.jar", "cldcapi10.jar"}},
        {{"Include", "IncludeVideo"}, {"midpapi20.jar", "mmapi.jar", "cldcapi10.jar"}},
        {{"Include", "IncludeSound", "IncludeMidi", "IncludeImage", "IncludeVideo"},
         {"midpapi20.jar", "mmapi.jar", "cldcapi11.jar", "jsr184.jar"}},
    };
    for (const auto& row : rows) {
        TempDir dir;
        std::string what;
        for (const auto& group : row.groups) {
            copyGroup(group, dir.folder() / "tmpclasses/Game");
            what += group + " ";
        }
        expectPreverified(joinJars(row.jars), dir / "tmpclasses", dir / "classes", what);
    }
}

TEST(SupportClasses, GeneratedProgramsCallingEveryMemberCompileAndPreverify) {
    struct Row {
        const char* source;
        std::vector<std::string> groups;
        std::vector<std::string> jars;
    } rows[] = {
        // Every statement and value of the support objects, in a user function (outside any try block,
        // so no member may throw a checked exception).
        {"Arcade.java",
         {"Include", "IncludeSound", "IncludeMidi", "IncludeImage", "IncludeVideo"},
         {"cldcapi11.jar", "midpapi20.jar", "mmapi.jar", "jsr184.jar"}},
        // A program without multimedia is built without the media API.
        {"Plain.java", {"Include"}, {"midpapi20.jar", "cldcapi10.jar"}},
    };
    for (const auto& row : rows) {
        TempDir dir;
        std::string tmpclasses = dir / "tmpclasses";
        for (const auto& group : row.groups) copyGroup(group, dir.folder() / "tmpclasses/Game");
        std::string jars = joinJars(row.jars);
        ToolRun javac =
            run({kJavac, "-bootclasspath", jars, "-source", "1.4", "-target", "1.4", "-d", tmpclasses,
                 "-classpath", tmpclasses, (kData / "support" / row.source).string()});
        ASSERT_EQ(javac.status, 0) << row.source << "\n" << javac.output << javac.errors;
        expectPreverified(jars, tmpclasses, dir / "classes", row.source);
    }
}

// Include on a desktop JVM, over stand-ins for the connection framework (java.net sockets, a table of web
// pages) and for record stores (in memory, with the phone's rules): stored, downloaded and exchanged text,
// both kinds of socket link with their two threads, serial-port names, the Bluetooth URL.
TEST(SupportClasses, IncludeBehavesAsTheProgramExpects) {
    TempDir dir;
    std::string classes = dir / "support";
    copyGroup("Include", fs::path(classes) / "Game");
    std::vector<std::string> sources;
    for (const auto& entry : fs::recursive_directory_iterator(kData / "support/desktop")) {
        if (entry.path().extension() == ".java") sources.push_back(entry.path());
    }
    std::vector<std::string> ecj = {
        TZ_ECJ,       "-1.8",
        "-proc:none", "-nowarn",
        "-d",         dir / "desktop",
        "-cp",        classes + ":" + lib("midpapi20.jar") + ":" + lib("cldcapi10.jar")};
    ecj.insert(ecj.end(), sources.begin(), sources.end());
    ToolRun compile = run(ecj);
    ASSERT_EQ(compile.status, 0) << compile.output << compile.errors;

    // The stand-ins come first, so they replace the stubs of the same names.
    ToolRun check =
        run({TZ_JAVA, "-cp",
             (dir / "desktop") + ":" + classes + ":" + lib("midpapi20.jar") + ":" + lib("cldcapi10.jar"),
             "Game.SupportCheck"});
    EXPECT_EQ(check.status, 0) << check.errors;
    EXPECT_EQ(check.errors, "");
    EXPECT_EQ(check.output, readFile(kData / "support/desktop/SupportCheck.expected"));
}

}  // namespace
}  // namespace standins::test
