#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project.h"

namespace build {

using Argv = std::vector<std::string>;

// Quotes a word for sh: '...' with each ' written as '\''.
std::string shellQuote(std::string_view word);

// The CLDC library version of the include and object compiles: the descriptor's CLDC value, or, when
// the descriptor has none, the version the main compile picks from the flags.
std::string cldcVersion(const Project& project);

// True when any compile of the suite reads the CLDC 1.1 library.
bool compiledAgainstCldc11(const Project& project);

// The MIDlet build's commands in run order: one javac per include, one per object source, the main
// javac, preverify, jar, and the resource script.
std::vector<Argv> commandList(const Project& project);

// What each command of commandList is for, by index: the class of an object source or of the main class
// (tmpclasses/Game/), the preverified main class (classes/Game/), the jar. "" where nothing is checked: an
// include's classes are named by its own package, and the resource script only adds to the jar.
std::vector<std::string> commandOutputs(const Project& project);

// The name a step of the build goes by: the tool's file name, or the script's for "/bin/sh <script>".
std::string toolName(const Argv& argv);

// A file of the project folder `path` ("" while the build works inside it) as a tool's argument: a name
// that starts with "-" is no option.
std::string toolPath(const std::string& path, const std::string& file);

// The library jars of the wireless toolkit that the compiles and the preverifier read, in their order.
std::vector<std::string> libraryJars(const Project& project);

// A line by which javac says that it failed although it ends well: a class file it could not write.
bool isCompilerFailureLine(std::string_view line);

// "CBuild.bat": adds the project's images, sounds, MIDI tunes (and maps) to the jar; a pattern without
// matches is skipped, so a project without images still builds. `namedFiles` (paths relative to the
// project folder) are added too, unless a pattern already takes them.
std::vector<std::string> cbuildScript(const Project& project,
                                      const std::vector<std::string>& namedFiles = {});

// "RunGame.bat": starts the emulator on the suite, left for the user; the suite named as the user named the
// project folder.
std::vector<std::string> runGameScript(const Project& project);

// The emulator on the suite in the project folder `folder` (as the build opens it).
Argv emulatorCommand(const Project& project, const std::string& folder);

}  // namespace build
