// The project file as both programs read it, the Java project's descriptor, and the limits that keep a
// written project readable.
#include "project_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "config_fixture.h"
#include "editor_testing.h"
#include "references.h"

namespace editor {
namespace {

using testing::Report;

const QString header = "// Tesvo Zorid v1.1.0 Project File";

class ProjectFileTest : public ::testing::Test {
protected:
    ProjectFileTest() {
        references.LoadedPath = dir.path() + "/";
        references.projectName = "game";
        references.mainName = "game";
    }

    // The file read into `project`; an empty project when it could not be.
    bool read(const QByteArray& content) {
        testing::writeFile(dir.filePath("read.tbp"), content);
        const std::optional<Project> read = Project::read(dir.filePath("read.tbp"), loaded, nullptr);
        project = read.value_or(Project());
        return read.has_value();
    }

    QTemporaryDir dir;
    References references;
    References loaded;
    Project project;
    testing::RecordingReporter reporter;
    QStringList asked;
    QStringList answers;
    // The manual entry answers from `answers`, noting each key asked for.
    Services services{{.manualEntry = [this](QWidget*, const QString& key, References& r) {
        asked << key;
        r.fixed = answers.isEmpty() ? QString() : answers.takeFirst();
        return r.fixed;
    }}};
};

Targets flags(bool tb, bool pocketPc, bool windows, bool applet, bool j2me) {
    return Targets{tb, pocketPc, windows, applet, j2me};
}

struct WriteRow {
    const char* name;
    QString compiler;
    QStringList includes;
    bool floats;
    bool threeD;
    int run;
    Targets targets;
    QStringList middle;  // the lines from "Run=" to "Platform="
    QString cldc;
};

TEST_F(ProjectFileTest, WrittenLinesForEachCallerAndOption) {
    const WriteRow rows[] = {
        {"the J2ME devices example",
         "TB",
         {"util", "maps"},
         true,
         false,
         1,
         flags(1, 0, 0, 0, 0),
         {"Run=1", "Name=game", "Platform=TB"},
         "CLDC=11"},
        {"save to a new place",
         "TB",
         {},
         false,
         false,
         0,
         flags(1, 1, 1, 1, 0),
         {"Run=0", "Name=game", "Platform=TB"},
         "CLDC=10"},
        {"PocketPC",
         "TB",
         {},
         false,
         true,
         1,
         flags(0, 1, 0, 0, 0),
         {"Run=1", "Name=game", "Platform=PPC"},
         "CLDC=11"},
        {"Windows",
         "TB",
         {},
         false,
         false,
         0,
         flags(0, 0, 1, 0, 0),
         {"Run=0", "Name=game", "Platform=PC"},
         "CLDC=10"},
        {"applet: the compiler's word",
         "TB",
         {},
         false,
         false,
         0,
         flags(0, 0, 0, 1, 0),
         {"Run=0", "Name=game", "Platform=Applet"},
         "CLDC=10"},
        {"conversion of a kit-language project",
         "TB",
         {},
         false,
         false,
         0,
         flags(1, 0, 0, 0, 1),
         {"Run=0", "Name=game", "Platform=TB"},
         "CLDC=10"},
        {"a Java project on every road",
         "J2ME",
         {},
         false,
         false,
         0,
         flags(1, 0, 0, 0, 1),
         {"Run=0", "Name=game", "Platform=J2ME"},
         "CLDC=10"},
        {"a Java project saved",
         "J2ME",
         {},
         false,
         false,
         0,
         flags(1, 1, 1, 1, 0),
         {"Run=0", "Name=game", "Platform=J2ME"},
         "CLDC=10"},
        {"no target: no Platform line",
         "TB",
         {},
         false,
         false,
         0,
         flags(0, 0, 0, 0, 0),
         {"Run=0", "Name=game"},
         "CLDC=10"},
    };
    for (const WriteRow& row : rows) {
        SCOPED_TRACE(row.name);
        references.compiler = row.compiler;
        references.includes = row.includes;
        references.usesFloats = row.floats;
        references.uses3D = row.threeD;
        QStringList expected{header, "Main=game"};
        for (const QString& include : row.includes) expected << "Include=" + include;
        expected << row.middle << QString("3D=%1").arg(row.threeD ? "true" : "false")
                 << QString("Floats=%1").arg(row.floats ? "true" : "false") << "Mappy=false"
                 << "MM=false"
                 << "Inc=false" << row.cldc;
        EXPECT_EQ(projectFileLines(references, row.run, row.targets), expected);
    }
    references.includes = {"util", "maps"};
    references.usesFloats = true;
    references.compiler = "TB";
    EXPECT_EQ(projectFileLines(references, 1, flags(1, 0, 0, 0, 0)).size(), 13);
    references.includes.clear();
    EXPECT_EQ(projectFileLines(references, 0, flags(0, 0, 1, 0, 0)).size(), 11);
}

TEST_F(ProjectFileTest, WrittenFileReadsBackWithItsListsAndOptions) {
    references.includes = {"util", "maps"};
    references.references = {"lib/a.jar"};
    references.usesMappy = references.usesInclude = references.usesMM = true;
    ASSERT_TRUE(writeProject(references, nullptr, 0, flags(0, 1, 0, 0, 0)));
    EXPECT_EQ(testing::readFile(dir.filePath("game.tbp")),
              (projectFileLines(references, 0, flags(0, 1, 0, 0, 0)).join('\n') + '\n').toUtf8());
    const std::optional<Project> read = Project::read(dir.filePath("game.tbp"), loaded, nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->main, "game");
    EXPECT_EQ(read->name, "game");
    EXPECT_EQ(read->platform, "PPC");
    EXPECT_EQ(loaded.includes, references.includes);
    EXPECT_EQ(loaded.references, references.references);
    EXPECT_TRUE(read->usesMappy && read->usesInclude && read->usesMM);
    EXPECT_FALSE(read->uses3D || read->usesFloats);
    EXPECT_TRUE(reporter.reports.isEmpty());
}

TEST_F(ProjectFileTest, FailedWriteIsShownAndKeepsTheOldFile) {
    testing::writeFile(dir.filePath("file"), "tool");
    references.LoadedPath = dir.filePath("file/");
    EXPECT_FALSE(writeProject(references, nullptr, 0, flags(1, 0, 0, 0, 0)));
    EXPECT_FALSE(writeDescriptor(references, nullptr, dir.filePath("file/game.tbx"), 0));
    ASSERT_EQ(reporter.reports.size(), 2);
    EXPECT_EQ(reporter.reports[0].detail, "Write Project");
    EXPECT_EQ(reporter.reports[1].detail, "Write Project");
}

struct ReadRow {
    const char* name;
    QByteArray content;
    QStringList answers;
    bool read;
    QString main, projectName, platform;
    QStringList includes;
    QStringList asked;
    int warnings;
};

QByteArray lines(const QStringList& all) {
    return (all.join('\n') + '\n').toUtf8();
}

QStringList numbered(const QString& key, int count) {
    QStringList all;
    for (int i = 0; i < count; ++i) all << QString("%1=i%2").arg(key).arg(i);
    return all;
}

TEST_F(ProjectFileTest, ReaderTakesValuesAsWrittenAndAsksForMissingOnes) {
    const QStringList tail{"Run=0",       "Name=game", "Platform=TB", "3D=false", "Floats=false",
                           "Mappy=false", "MM=false",  "Inc=false",   "CLDC=10"};
    const ReadRow rows[] = {
        {"the Windows file",
         lines({header, "Main=m", "Run=0", "Name=n", "Platform=PC", "CLDC=10"}),
         {},
         true,
         "m",
         "n",
         "PC",
         {},
         {},
         0},
        {"no Platform line", lines({header, "Main=m", "Name=n"}), {}, true, "m", "n", "TB", {}, {}, 0},
        {"Windows line ends", "Main=m\r\nName=n\r\nInclude=u\r\n", {}, true, "m", "n", "TB", {"u"}, {}, 0},
        {"a name beginning with a blank", lines({"Main=m", "Name= n"}), {}, true, "m", " n", "TB", {}, {}, 0},
        {"the word Name alone", lines({"Main=m", "Name"}), {}, true, "m", "Name", "TB", {}, {}, 0},
        // One reader with the compiler: a blank line ends nothing, a key is a whole word before "=".
        {"blank lines",
         lines({header, "", "Main=m", "", "Name=n", "", "Include=u"}),
         {},
         true,
         "m",
         "n",
         "TB",
         {"u"},
         {},
         0},
        {"keys that only begin like one",
         lines({"Mainly=x", "Main=m", "Names=y", "Name=n", "Includes=z"}),
         {},
         true,
         "m",
         "n",
         "TB",
         {},
         {},
         0},
        {"a byte-order mark and lone CRs",
         "\xEF\xBB\xBFMain=m\rName=n\rInclude=u\r",
         {},
         true,
         "m",
         "n",
         "TB",
         {"u"},
         {},
         0},
        {"Main entered by hand",
         lines({header, "Name=n"}),
         {"typed"},
         true,
         "typed",
         "n",
         "TB",
         {},
         {"Main"},
         0},
        {"Main cancelled: Name is not asked", lines({header}), {}, false, "", "", "", {}, {"Main"}, 0},
        // A refused read gives no project, not the half of one.
        {"Name cancelled", lines({header, "Main=m"}), {}, false, "", "", "", {}, {"Name"}, 0},
        {"an eleventh include is left out",
         lines(QStringList{header, "Main=m", "Name=n"} + numbered("Include", 11)),
         {},
         true,
         "m",
         "n",
         "TB",
         numbered("i", 10).replaceInStrings("i=", ""),
         {},
         0},
        // A full file is no fault: the look-ups end past the last include and class path unannounced.
        {"25 lines load without a warning",
         lines(QStringList{header, "Main=m"} + numbered("Include", 5) + numbered("Classpath", 9) + tail),
         {},
         true,
         "m",
         "game",
         "TB",
         numbered("i", 5).replaceInStrings("i=", ""),
         {},
         0},
        {"26 lines are refused",
         lines(QStringList{header, "Main=m"} + numbered("Include", 5) + numbered("Classpath", 10) + tail),
         {},
         false,
         "",
         "",
         "",
         {},
         {},
         0},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.name);
        loaded = References();
        asked.clear();
        answers = row.answers;
        reporter.reports.clear();
        EXPECT_EQ(read(row.content), row.read);
        EXPECT_EQ(project.main, row.main);
        EXPECT_EQ(project.name, row.projectName);
        EXPECT_EQ(project.platform, row.platform);
        EXPECT_EQ(loaded.includes, row.includes);
        EXPECT_EQ(asked, row.asked);
        int warnings = 0;
        for (const Report& report : reporter.reports) {
            if (report ==
                Report{Report::Warning, "Could not read a value from the project file", "Read Project"})
                ++warnings;
        }
        EXPECT_EQ(warnings, row.warnings);
        EXPECT_EQ(project.notTaken.size(), row.includes.size() == 10 ? 1 : 0);
        if (QString(row.name) == "25 lines load without a warning") {
            EXPECT_TRUE(reporter.reports.isEmpty());
        }
        if (QString(row.name) == "an eleventh include is left out") {
            // Named, so the user knows what the next save would drop.
            ASSERT_EQ(reporter.reports.size(), 1);
            EXPECT_EQ(reporter.reports[0].kind, Report::Warning);
            EXPECT_TRUE(reporter.reports[0].heading.endsWith("not taken: Include=i10"))
                << reporter.reports[0].heading.toStdString();
        }
        if (QString(row.name) == "26 lines are refused") {
            ASSERT_EQ(reporter.reports.size(), 1);
            EXPECT_EQ(reporter.reports[0].kind, Report::Error);
            EXPECT_EQ(reporter.reports[0].detail, "Read Project");
        }
    }
}

TEST_F(ProjectFileTest, ShortFileAfterALongOneAndFlagsByTheirOwnKey) {
    ASSERT_TRUE(read(
        lines({header, "Main=m", "Name=n", "Include=u", "Classpath=c", "Platform=J2ME", "Floats=true"})));
    loaded = References();
    // "Inc" must not take "Include=", nor the long file's lines stand.
    ASSERT_TRUE(read(lines({"Main=s", "Name=t", "Include=x"})));
    EXPECT_EQ(project.platform, "TB");
    EXPECT_EQ(loaded.includes, QStringList{"x"});
    EXPECT_TRUE(loaded.references.isEmpty());
    EXPECT_FALSE(project.usesFloats || project.usesInclude);
    EXPECT_FALSE(Project::read(dir.filePath("missing.tbp"), loaded, nullptr));
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].detail, "Read Project");
}

// A switch edited by hand as "True" is on, as the compiler takes it, and a save keeps it on.
TEST_F(ProjectFileTest, SwitchesInAnyCaseAreOnAndStayOnWhenSaved) {
    ASSERT_TRUE(read(
        lines({header, "Main=m", "Name=n", "Floats=True", "3D=TRUE", "MM=no", "Mappy=tRue", "Inc=True"})));
    EXPECT_TRUE(project.usesFloats && project.uses3D && project.usesMappy && project.usesInclude);
    EXPECT_FALSE(project.usesMM);
    references.usesFloats = project.usesFloats;
    references.uses3D = project.uses3D;
    references.usesMappy = project.usesMappy;
    references.usesInclude = project.usesInclude;
    const QStringList saved = projectFileLines(references, 0, flags(1, 0, 0, 0, 0));
    for (const char* line : {"Floats=true", "3D=true", "Mappy=true", "Inc=true", "MM=false", "CLDC=11"})
        EXPECT_TRUE(saved.contains(line)) << line;
}

TEST_F(ProjectFileTest, EntriesPastTheReadableLimitsAreRefused) {
    const struct {
        int includes, references;
        bool classPath;
        bool refused;
    } rows[] = {{9, 0, false, false}, {10, 0, false, true}, {0, 10, true, true}, {9, 4, false, false},
                {9, 5, true, true},   {8, 5, false, false}, {0, 9, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.includes) + "+" + std::to_string(row.references));
        references.includes = numbered("Include", row.includes);
        references.references = numbered("Classpath", row.references);
        const std::optional<QString> refused = refuseProjectEntry(references, row.classPath);
        EXPECT_EQ(refused.has_value(), row.refused);
        if (refused) {
            EXPECT_TRUE(refused->contains("10") || refused->contains("25")) << refused->toStdString();
        }
        // What is accepted still reads back.
        if (!refused) {
            (row.classPath ? references.references : references.includes) << "one";
            EXPECT_LE(projectFileLines(references, 0, flags(1, 0, 0, 0, 0)).size(), Project::maxLines);
        }
    }
}

TEST_F(ProjectFileTest, JavaDescriptorCarriesTheOptionsInTheBuildersOrder) {
    references.LoadedPath = "/work/";
    references.includes = {"util"};
    references.usesFloats = true;
    EXPECT_EQ(
        descriptorLines(references, 0),
        QStringList({"// Tesvo Zorid v1.0 Descriptor File", "// This file is used with the Build application",
                     "Main=/work//game.java", "Include0=util", "Run=0", "Name=game", "Platform=J2ME",
                     "3D=false", "Floats=true", "Mappy=false", "MM=false", "Image=false", "Sound=false",
                     "Midi=false", "Video=false", "Inc=false", "CLDC=11", "Path=/work/"}));

    // With the kit's API on, a support class the Java names (a converted program's) goes with it.
    const QString converted = "IncludeSound incSound; IncludeVideoX other; incMidi = new IncludeMidi();";
    const QStringList withoutApi = descriptorLines(references, 0, converted);
    EXPECT_TRUE(withoutApi.contains("Sound=false") && withoutApi.contains("Midi=false"));
    references.usesInclude = true;
    const QStringList lines = descriptorLines(references, 0, converted);
    for (const char* line : {"Image=false", "Sound=true", "Midi=true", "Video=false", "Inc=true"})
        EXPECT_TRUE(lines.contains(line)) << line;
}

// A converted project takes the kit's API, the libraries the translation used and the record-type classes
// it wrote (as includes), from the compiler's descriptor of the conversion.
TEST_F(ProjectFileTest, AConvertedProjectTakesWhatItsTranslationUsed) {
    const QString descriptor = dir.filePath("game.tbx");
    testing::writeFile(descriptor,
                       "Main=game\r\nInclude0=util\r\nObject0=FALLER\r\nObject1=SHIP\r\n3D=true\r\n"
                       "Floats=false\r\nMappy=TRUE\r\nMM=false\r\nInc=true\r\n");
    references.includes = {"util", "SHIP"};
    references.usesFloats = true;
    references.usesMM = true;
    EXPECT_EQ(takeConvertedOptions(references, descriptor), std::nullopt);
    EXPECT_TRUE(references.usesInclude && references.uses3D && references.usesMappy);
    EXPECT_FALSE(references.usesFloats || references.usesMM);
    EXPECT_EQ(references.includes, QStringList({"util", "SHIP", "FALLER"}));
    EXPECT_TRUE(projectFileLines(references, 0, flags(1, 0, 0, 0, 0)).contains("CLDC=11"));

    // A record type the project file cannot take is said, not dropped silently.
    references.includes = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "SHIP"};
    const std::optional<QString> refused = takeConvertedOptions(references, descriptor);
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains("10"));
    EXPECT_EQ(references.includes.size(), 10);
}

}  // namespace
}  // namespace editor
