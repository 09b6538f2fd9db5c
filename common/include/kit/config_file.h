#pragma once
// Config.cfg in the kit folder: one value per line, known by position, taken as written (nothing trimmed).
// Line 1 the Java tool folder (holds "javac" and "jar"), line 2 the wireless toolkit (holds "bin/preverify"
// and "lib/"), line 3 the kit folder, line 4 the editor's look word. Lines 1 to 3 are folders ending in
// "/", joined directly with the names below them. Only the editor writes the file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/key_value_lines.h"

namespace kit {

struct ConfigFile {
    // A line the file lacks has no value.
    std::optional<std::string> javaLocation;
    std::optional<std::string> j2meLocation;
    std::optional<std::string> tbLocation;
    std::optional<std::string> lookAndFeel;

    bool operator==(const ConfigFile&) const = default;
};

ConfigFile readConfigFile(const Lines& lines);

// The four lines; a field without a value is written as "null".
Lines configFileLines(const ConfigFile& config);

bool isAbsoluteFolder(std::string_view text);

// What keeps Compile-Linux and Build-Linux from using the file: the first of lines 1 to 3 that is missing,
// or that is not an absolute folder ending in "/", named with the file's path `configPath`.
std::optional<std::string> configFault(const ConfigFile& config, const std::string& configPath);

// A kit copied or moved as a whole carries the Config.cfg of the folder it came from. Where line 3 names
// another folder than `runningKit` (the folder of the running program), each of lines 1 to 3 that lies
// inside that recorded folder is taken as the same place inside the running kit; a folder elsewhere (tools
// the user chose) stays. Nothing changes unless line 3 is an absolute folder other than "/". Returns whether
// a line changed.
bool relocate(ConfigFile& config, std::string_view runningKit);

}  // namespace kit
