#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "guard/project_name.h"

namespace build {

// Build's message table: every text the build program prints or writes, looked up by key.
// Pass the key as a string literal directly in the call; a test scans the sources for these calls
// and checks that each key exists. An unknown key throws std::out_of_range (a programming fault).
const std::string& res(std::string_view key);

// The whole table in its fixed order (for tests).
const std::vector<std::pair<std::string, std::string>>& resTable();

// Plain literals printed outside the table.
inline constexpr std::string_view kSeparatorLine = "**";
inline constexpr std::string_view kInternalError = "Internal Error";
inline constexpr std::string_view kTimedOutLine =
    "The compilation has timed out; this is usually caused by a problem with the Tesvo Zorid Compiler.";
inline constexpr std::string_view kContactLine =
    "Please contact support@tesvozorid.example along with your source code.";
// Followed by the include's name, its two file names and the project folder: an include that is neither a
// Java class nor a source of the language beside the project.
inline constexpr std::string_view kMissingInclude = "Error: Could not find the include ";
// Followed by a path in double quotes: a file the program loads that is not in the project folder.
inline constexpr std::string_view kMissingResource = "Warning: Could not find resource file ";
// Followed by the name: a descriptor whose Name would put the build's files outside the project folder.
inline constexpr std::string_view kInvalidName = guard::kNotAFileName;
// Printed once when another compile or build runs in the project folder and this one waits for it.
inline constexpr std::string_view kWaitingLine =
    "Another compile or build is running in the project folder; waiting for it to end";
// After the watchdog's two lines, followed by the step that was running (a tool's name or a progress line).
inline constexpr std::string_view kTimedOutStep = "The step that timed out: ";
// "Error: " + tool + kNoOutput + file: a tool that ended well without writing what it is for.
inline constexpr std::string_view kNoOutput = " ended without writing ";
// kToolkitMissing + folder + kToolkitMissingEnd: the wireless toolkit that Config.cfg names is not there.
inline constexpr std::string_view kToolkitMissing = "Error: The wireless toolkit folder ";
inline constexpr std::string_view kToolkitMissingEnd =
    " (line 2 of Config.cfg) is not there. Choose the toolkit in the editor's Preferences";
// Followed by the jar and why: "is missing", "is empty", "is not a jar".
inline constexpr std::string_view kLibraryLine = "Error: The wireless toolkit's library ";
// kFolderReplaced + folder + kFolderReplacedEnd: a build folder swapped for a link or another folder while
// the build ran.
inline constexpr std::string_view kFolderReplaced = "Error: The build folder ";
inline constexpr std::string_view kFolderReplacedEnd = " was replaced while the build ran";
// Followed by the project folder: a tool failed, and the disk has no room left.
inline constexpr std::string_view kDiskFull = "Error: No space is left on the disk of the project folder ";
// Followed by the signal's number and name: the build ended by Ctrl-C, SIGTERM or SIGHUP.
inline constexpr std::string_view kStoppedBySignal = "Build stopped by signal ";

}  // namespace build
