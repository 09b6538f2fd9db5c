#pragma once

#include <optional>
#include <string>

// The project folder as the working folder of a run that holds its lock (guard/folder_lock.h), and as the
// place the Java tools run in. `shownFolder` is the folder as the user named it, with its trailing "/" (""
// for the working folder the program was started in).
namespace guard {

// The tools take the project's files by names relative to the folder, and the Java tools take the folder's
// own path from the system and make those names absolute with it (in a UTF-8 locale of their own, whatever
// the user's). A folder they cannot work in is refused before any tool runs, with one line: a path longer
// than the 4095 bytes a working folder may have, or one holding "\" (the Java compiler reads it as a
// folder separator) or bytes that are not UTF-8. Nothing when the working folder suits them.
std::optional<std::string> toolFolderFault(const std::string& shownFolder);

// The working folder was deleted during the run (it is still open, but nothing can be made in it).
bool workingFolderDeleted();
// The line a run stopped by a deleted project folder prints.
std::string folderDeletedLine(const std::string& shownFolder);

}  // namespace guard
