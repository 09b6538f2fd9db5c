#pragma once

#include <string>
#include <string_view>

#include "guard/project_name.h"
#include "kit/message_table.h"

namespace build {

// Build's message table "Build.Res": every text the build program prints or writes that is not a plain
// literal below, looked up by key.
inline constexpr kit::MessageRow kMessages[] = {
    {"_HEAD_Title_Tesvo", "<HEAD><Title>Tesvo Zorid Applet</Title></HEAD>"},
    {"Error_Unknown_error", "Error: Unknown error"},
    {"Error_Cannot_write", "Error: Cannot write required compilation files"},
    {"Executing_Emulator", "Executing Emulator"},
    {"Program_compiled", "Program compiled"},
    {"Compiling", "Compiling"},
    {"echo_Adding_mappy", "echo Adding mappy files"},
    {"echo_Adding_Sound", "echo Adding Sound files"},
    {"echo_Adding_Image", "echo Adding Image files"},
    {"Determing_Compilation", "Determing Compilation & Build Tasks"},
    {"Copying_Support_Files", "Copying Support Files"},
    {"Preparing_Directories", "Preparing Directories"},
    {"Executing_Application", "Executing Application"},
    {"Executing_Finished", "Execution Finished"},
    {"Error_The_number_of",
     "Error: The number of arguments is incorrect, please ensure that you have provided the descriptor "
     "file"},
    {"Build_Error_Unknown", "Build Error: Unknown platform"},
    {"This_program_is", "This program comes with ABSOLUTELY NO WARRANTY; use it at your own risk."},
    {"Public_Release", "Public Release Version (1.1.0)"},
    {"Welcome_to_the_Tesvo", "Welcome to the Tesvo Zorid Build Utility"},
    {"Error_writing_the", "Error writing the Manifest file"},
    {"Writing_Manifest_File", "Writing Manifest File"},
    {"Error_Could_not_copy", "Error: Could not copy required support files"},
    {"Error_Could_not", "Error: Could not access project descriptor file \""},
    {"Error_writing_the_JAD", "Error writing the JAD file"},
    {"Writing_JAD_File", "Writing JAD File"},
    {"FileCopy_Could_not", "FileCopy: Could not open source file"},
};

// A key of the table, checked when the code is built: res("No_such_key") does not compile.
using MessageKey = kit::MessageKey<kMessages>;

inline const std::string& res(MessageKey key) {
    return key.text();
}

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
