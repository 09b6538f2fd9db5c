#include "kit/project_file.h"

#include <gtest/gtest.h>

#include "random_values.h"

namespace kit {
namespace {

ProjectFile read(const std::string& text) {
    return readProjectFile(splitLines(text));
}

const std::string kHeader = std::string(kProjectFileHeader) + "\n";

// The project game with the includes util and maps and floats on, written for the phones with run 1.
ProjectFile example() {
    ProjectFile project;
    project.main = "game";
    project.includes = {"util", "maps"};
    project.run = "1";
    project.name = "game";
    project.platform = "TB";
    project.usesFloats = true;
    return project;
}

TEST(ProjectFileFormat, ReaderRows) {
    const ProjectFile editors = example();

    struct Row {
        const char* what;
        std::string text;
        ProjectFile expected;
    };
    auto with = [](ProjectFile project, auto change) {
        change(project);
        return project;
    };
    const std::string body =
        "Main=game\nInclude=util\nInclude=maps\nRun=1\nName=game\nPlatform=TB\n3D=false\nFloats=true\n"
        "Mappy=false\nMM=false\nInc=false\nCLDC=11\n";
    const Row rows[] = {
        {"as the editor writes it", kHeader + body, editors},
        {"CR LF",
         "\xEF\xBB\xBF" + kHeader +
             "Main=game\r\nInclude=util\r\nInclude=maps\r\nRun=1\r\nName=game\r\n"
             "Platform=TB\r\nFloats=true\r\n",
         editors},
        {"a lone CR", "Main=game\rInclude=util\rInclude=maps\rRun=1\rName=game\rPlatform=TB\rFloats=true\r",
         editors},
        {"blank lines end nothing",
         kHeader + "\nMain=game\n\nInclude=util\n\n\nInclude=maps\nRun=1\n\nName=game\n"
                   "Platform=TB\n\nFloats=true\n\n",
         editors},
        {"switches in any case",
         "Main=game\nInclude=util\nInclude=maps\nRun=1\nName=game\nPlatform=TB\nFloats=True\n3D=FALSE\n"
         "MM=TRUE\nMappy=tRUE\nInc=yes\n",
         with(editors, [](ProjectFile& p) { p.usesMM = p.usesMappy = true; })},
        {"Inc is not Include",
         "Include=util\nInclude=maps\nInc=true\nMain=game\nRun=1\nName=game\nPlatform=TB\n"
         "Floats=true\n",
         with(editors, [](ProjectFile& p) { p.usesInclude = true; })},
        {"an include on the first line",
         "Include=util\nMain=game\nInclude=maps\nRun=1\nName=game\nPlatform=TB\nFloats=true\n", editors},
        {"a key without its =", "Main\nName\nRun\nPlatform\nInclude\nFloats\n",
         with(ProjectFile{},
              [](ProjectFile& p) {
                  p.main = "Main";
                  p.name = "Name";
                  p.run = "Run";
                  p.platform = "Platform";
                  p.includes = {"Include"};
              })},
        {"keys that only begin like one",
         "Mainly=x\nNames=y\nIncludes=z\nPlatforms=w\nRunning=1\nFloatsy=true\nClasspaths=c\n",
         ProjectFile{}},
        {"values as written",
         "Main= a \nName=a=b\nPlatform=tb\nRun=+1\nClasspath=lib/x.jar:y.jar\nClasspath=\n",
         with(ProjectFile{},
              [](ProjectFile& p) {
                  p.main = " a ";
                  p.name = "a=b";
                  p.platform = "tb";
                  p.run = "+1";
                  p.classPaths = {"lib/x.jar:y.jar", ""};
              })},
        {"first of a key wins", "Name=a\nName=b\nRun=1\nRun=2\nFloats=true\nFloats=false\n",
         with(ProjectFile{},
              [](ProjectFile& p) {
                  p.name = "a";
                  p.run = "1";
                  p.usesFloats = true;
              })},
        {"bytes that are not UTF-8", "Name=Caf\xE9\nMain=Caf\xE9\n",
         with(ProjectFile{}, [](ProjectFile& p) { p.name = p.main = "Caf\xE9"; })},
        {"empty", "", ProjectFile{}},
    };
    for (const Row& row : rows) EXPECT_EQ(read(row.text), row.expected) << row.what;
}

TEST(ProjectFileFormat, WriterRows) {
    EXPECT_EQ(
        projectFileLines(example()),
        (Lines{kProjectFileHeader, "Main=game", "Include=util", "Include=maps", "Run=1", "Name=game",
               "Platform=TB", "3D=false", "Floats=true", "Mappy=false", "MM=false", "Inc=false", "CLDC=11"}));

    ProjectFile windows;
    windows.main = windows.name = "w";
    windows.classPaths = {"a.jar"};
    windows.platform = "PC";
    windows.uses3D = windows.usesMM = windows.usesMappy = windows.usesInclude = true;
    EXPECT_EQ(projectFileLines(windows),
              (Lines{kProjectFileHeader, "Main=w", "Classpath=a.jar", "Run=0", "Name=w", "Platform=PC",
                     "3D=true", "Floats=false", "Mappy=true", "MM=true", "Inc=true", "CLDC=11"}));
    windows.platform.reset();
    windows.uses3D = false;
    EXPECT_EQ(projectFileLines(windows).size(), 11u);
    EXPECT_EQ(projectFileLines(windows).back(), "CLDC=10");
}

// Whatever the editor writes reads back as it meant it, through the one reader.
TEST(ProjectFileFormat, WhatTheWriterWritesReadsBack) {
    testing::RandomValues random(11);
    for (int round = 0; round < 1000; ++round) {
        ProjectFile project;
        project.main = random.text();
        project.includes = random.texts(10);
        project.classPaths = random.texts(10);
        project.run = std::to_string(round % 3);
        project.name = random.text();
        project.platform = random.maybeText();
        project.uses3D = random.flip();
        project.usesFloats = random.flip();
        project.usesMappy = random.flip();
        project.usesMM = random.flip();
        project.usesInclude = random.flip();
        const std::string text = joinLines(projectFileLines(project));
        EXPECT_EQ(read(text), project) << text;
    }
}

}  // namespace
}  // namespace kit
