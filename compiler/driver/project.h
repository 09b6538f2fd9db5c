#pragma once

#include <optional>
#include <string>
#include <vector>

namespace compiler {

class Console;

// What the compiler knows of the project it translates: the project file's values, the tool
// locations of Config.cfg and the platform predicates every translator asks.
struct Project {
    // Where the run opens the project's files: "" while it works inside the project folder (its working
    // folder, so that a folder renamed during the run stays the one it works on), else the project folder
    // with its trailing "/".
    std::string path;
    // The project folder as the argument named it, with its trailing "/", and whether the run works inside
    // it: messages name files by it.
    std::string shownPath;
    bool inFolder = false;
    std::string name;      // "Name": the program's class, and the execution copy <name>X.bss
    std::string main;      // "Main": the main source the editor writes the execution copy from
    std::string platform;  // "Platform": "TB", "Applet", "PC", "PPC" or "J2ME"
    int run = 0;           // "Run": 1 starts the game once the suite is made
    bool usesInclude = false;
    bool uses3D = false;
    bool usesFloats = false;
    bool usesMM = false;
    std::vector<std::string> includes;
    // The includes that are Java classes (`<name>.java` beside the project): the ones Build compiles and
    // the only model classes an OBJECT statement can name. The others are sources of the language,
    // already part of the execution copy.
    std::vector<std::string> javaIncludes;
    std::vector<std::string> references;  // the "Classpath=" entries, in file order
    std::optional<std::string> javaLocation;
    std::optional<std::string> j2meLocation;
    std::string tbLocation;  // the install folder with its trailing "/"

    bool isJ2ME() const { return platform == "TB"; }
    bool isApplet() const { return platform == "Applet"; }
    bool isMSPC() const { return platform == "PC"; }
    bool isPC() const { return platform == "PPC"; }
    bool isJava() const { return isJ2ME() || isApplet(); }

    // A path the run opens (`path` + a file name) as the user names it.
    std::string shown(const std::string& opened) const { return inFolder ? shownPath + opened : opened; }

    std::string basePath() const { return path + name; }
    std::string sourceFile() const { return path + name + "X.bss"; }
};

struct ProjectSettings {
    std::string installDir;  // folder of the running program, with trailing "/"
    bool debug = false;
};

// Reads the project file and Config.cfg (from the install folder; a copied kit's lines are taken inside
// it). A refusal raises CompileException, whose lines say what and why: among them a phone project whose
// folder, or toolkit folder, cannot stand in a Java class path.
void readProject(Project& project, const std::string& file, const ProjectSettings& settings,
                 Console& console);

// Sorts the includes by the files beside the project: `<name>.java` makes a Java class, else
// `<name>.bss` a source include; an include with neither is refused with one message.
void classifyIncludes(Project& project);

// Loads <path><name>X.bss: #IF sections, one-line IF rewriting, colon splitting (a missing file or a
// malformed #IF is refused with CompileException). One entry per statement;
// `lineNumbers`, when given, gets the line of the file (from 1) that each statement comes from.
std::vector<std::string> readSource(const Project& project, Console& console,
                                    std::vector<std::size_t>* lineNumbers = nullptr);

// The same preparation over text already in memory (one string per physical line).
std::vector<std::string> prepareSource(const std::vector<std::string>& physicalLines,
                                       const std::string& platform, Console& console,
                                       std::vector<std::size_t>* lineNumbers = nullptr);

}  // namespace compiler
