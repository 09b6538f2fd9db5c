#include "kit/descriptor.h"

#include <gtest/gtest.h>

#include "random_values.h"

namespace kit {
namespace {

Descriptor read(const std::string& text) {
    return readDescriptor(splitLines(text));
}

TEST(DescriptorFormat, ReaderRows) {
    Descriptor compilers;  // a phone program with a Java include, a class path and two record types
    compilers.main = "Space";
    compilers.includes = {"MODEL"};
    compilers.classPaths = {"/x/one.jar"};
    compilers.objects = {"FALLER", "SHIP"};
    compilers.run = "0";
    compilers.name = "Space";
    compilers.platform = "J2ME";
    compilers.uses3D = compilers.usesImage = compilers.usesInclude = true;
    compilers.cldc = "11";
    const std::string text =
        "// Tesvo Zorid v1.1.0 Project "
        "File\nMain=Space\nInclude0=MODEL\nClassPath0=/x/one.jar\nObject0=FALLER\n"
        "Object1=SHIP\nRun=0\nName=Space\nPlatform=J2ME\n3D=true\nFloats=false\nMappy=false\nMM=false\n"
        "Image=true\nSound=false\nMidi=false\nVideo=false\nInc=true\nCLDC=11\n";

    struct Row {
        const char* what;
        std::string text;
        Descriptor expected;
    };
    auto with = [](Descriptor d, auto change) {
        change(d);
        return d;
    };
    const Row rows[] = {
        {"as the compiler writes it", text, compilers},
        {"CR LF and a byte-order mark",
         "\xEF\xBB\xBF"
         "Main=Space\r\nInclude0=MODEL\r\nClassPath0=/x/one.jar\r\n"
         "Object0=FALLER\r\nObject1=SHIP\r\nRun=0\r\nName=Space\r\nPlatform=J2ME\r\n"
         "3D=TRUE\r\nImage=True\r\nInc=true\r\nCLDC=11\r\n",
         compilers},
        {"Inc after the includes is not an include's value", "Include0=A\nInclude1=B\nInc=false\n",
         with(Descriptor{},
              [](Descriptor& d) {
                  d.includes = {"A", "B"};
              })},
        {"a gap ends a list", "Include0=A\nInclude1=B\nInclude3=D\nObject1=X\n",
         with(Descriptor{},
              [](Descriptor& d) {
                  d.includes = {"A", "B"};
              })},
        {"lists in any order of lines", "Object1=b\nInclude0=i\nObject0=a\n",
         with(Descriptor{},
              [](Descriptor& d) {
                  d.includes = {"i"};
                  d.objects = {"a", "b"};
              })},
        {"the editor's Java project",
         "// Tesvo Zorid v1.0 Descriptor File\nMain=/w//g.java\nRun=1\nName=g\n"
         "Platform=J2ME\nPath=/w/\n",
         with(Descriptor{},
              [](Descriptor& d) {
                  d.main = "/w//g.java";
                  d.run = "1";
                  d.name = "g";
                  d.platform = "J2ME";
                  d.path = "/w/";
              })},
        {"a word with a blank after it", "Platform=J2ME \nRun= 1\n",
         with(Descriptor{},
              [](Descriptor& d) {
                  d.platform = "J2ME ";
                  d.run = " 1";
              })},
        {"the lone word Name", "Name\n", with(Descriptor{}, [](Descriptor& d) { d.name = "Name"; })},
        {"empty", "", Descriptor{}},
    };
    for (const Row& row : rows) EXPECT_EQ(read(row.text), row.expected) << row.what;
}

TEST(DescriptorFormat, WriterRows) {
    Descriptor compilers;
    compilers.comments = {"// Tesvo Zorid v1.1.0 Project File"};
    compilers.main = "Space";
    compilers.includes = {"MODEL"};
    compilers.objects = {"FALLER"};
    compilers.run = "0";
    compilers.name = "Space";
    compilers.platform = "J2ME";
    compilers.usesFloats = compilers.usesInclude = true;
    compilers.cldc = "11";
    EXPECT_EQ(
        descriptorLines(compilers),
        (Lines{"// Tesvo Zorid v1.1.0 Project File", "Main=Space", "Include0=MODEL", "Object0=FALLER",
               "Run=0", "Name=Space", "Platform=J2ME", "3D=false", "Floats=true", "Mappy=false", "MM=false",
               "Image=false", "Sound=false", "Midi=false", "Video=false", "Inc=true", "CLDC=11"}));

    Descriptor editors;
    editors.comments = {"// Tesvo Zorid v1.0 Descriptor File",
                        "// This file is used with the Build application"};
    editors.main = "/work//game.java";
    editors.classPaths = {"a.jar", "b.jar"};
    editors.run = "1";
    editors.name = "game";
    editors.platform = "J2ME";
    editors.cldc = "10";
    editors.path = "/work/";
    EXPECT_EQ(descriptorLines(editors),
              (Lines{"// Tesvo Zorid v1.0 Descriptor File", "// This file is used with the Build application",
                     "Main=/work//game.java", "ClassPath0=a.jar", "ClassPath1=b.jar", "Run=1", "Name=game",
                     "Platform=J2ME", "3D=false", "Floats=false", "Mappy=false", "MM=false", "Image=false",
                     "Sound=false", "Midi=false", "Video=false", "Inc=false", "CLDC=10", "Path=/work/"}));
}

TEST(DescriptorFormat, WhatTheWriterWritesReadsBack) {
    testing::RandomValues random(7);
    for (int round = 0; round < 1000; ++round) {
        Descriptor d;
        d.main = random.maybeText();
        d.includes = random.texts(12);
        d.classPaths = random.texts(3);
        d.objects = random.texts(12);
        d.run = random.maybeText();
        d.name = random.maybeText();
        d.platform = random.maybeText();
        for (bool* on : {&d.uses3D, &d.usesFloats, &d.usesMappy, &d.usesMM, &d.usesImage, &d.usesSound,
                         &d.usesMidi, &d.usesVideo, &d.usesInclude})
            *on = random.flip();
        d.cldc = random.maybeText();
        d.path = random.maybeText();
        Lines lines = descriptorLines(d);
        EXPECT_EQ(readDescriptor(splitLines(joinLines(lines))), d) << joinLines(lines);
    }
}

}  // namespace
}  // namespace kit
