#pragma once
// The project file `<folder><Name>.tbp`: written by the editor, read by the editor and Compile-Linux, by the
// rule of key_value_lines.h.
#include <optional>
#include <string>
#include <vector>

#include "kit/key_value_lines.h"

namespace kit {

struct ProjectFile {
    // Both readers take at most this many lines (the editor keeps new entries within it).
    static constexpr std::size_t maxLines = 25;

    std::optional<std::string> main;
    std::vector<std::string> includes;    // every "Include=" line, in order
    std::vector<std::string> classPaths;  // every "Classpath=" line, in order
    std::optional<std::string> run;       // as written; the writer puts a decimal number
    std::optional<std::string> name;
    std::optional<std::string> platform;  // the writer writes no Platform line for none
    bool uses3D = false;
    bool usesFloats = false;
    bool usesMappy = false;
    bool usesMM = false;
    bool usesInclude = false;

    bool operator==(const ProjectFile&) const = default;
};

inline constexpr const char* kProjectFileHeader = "// Tesvo Zorid v1.1.0 Project File";

ProjectFile readProjectFile(const Lines& lines);

// The editor's layout: the header, Main, the includes, the class path, Run, Name, Platform, the five
// options, then "CLDC=11" when 3D or floats are on, else "CLDC=10".
Lines projectFileLines(const ProjectFile& project);

}  // namespace kit
