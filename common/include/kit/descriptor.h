#pragma once
// The build descriptor `<folder><Name>.tbx`: written by Compile-Linux (and by the editor for a Java project),
// read by Build-Linux, by the rule of key_value_lines.h. Its lists are numbered ("Include0=", "Include1=",
// ...) and read up to the first missing index, with no limit.
#include <optional>
#include <string>
#include <vector>

#include "kit/key_value_lines.h"

namespace kit {

struct Descriptor {
    Lines comments;  // written first, each beginning with "//"; nothing reads them back
    std::optional<std::string> main;
    std::vector<std::string> includes;    // Java classes beside the project, without ".java"
    std::vector<std::string> classPaths;  // "ClassPath0=" ...
    std::vector<std::string> objects;     // the record types' sources, without ".java"
    std::optional<std::string> run;
    std::optional<std::string> name;
    std::optional<std::string> platform;  // "J2ME", "PPC", "PC" or "Applet"; no line for none
    bool uses3D = false;
    bool usesFloats = false;
    bool usesMappy = false;
    bool usesMM = false;
    bool usesImage = false;
    bool usesSound = false;
    bool usesMidi = false;
    bool usesVideo = false;
    bool usesInclude = false;
    std::optional<std::string> cldc;  // "10" or "11"
    std::optional<std::string> path;  // the editor's "Path=" line, which no program reads

    bool operator==(const Descriptor&) const = default;
};

// Every field but the comments.
Descriptor readDescriptor(const Lines& lines);

// The comments, Main, the Include, ClassPath and Object lists, Run, Name, Platform, the switches 3D, Floats,
// Mappy, MM, Image, Sound, Midi, Video and Inc, CLDC, Path; a field without a value has no line.
Lines descriptorLines(const Descriptor& descriptor);

}  // namespace kit
