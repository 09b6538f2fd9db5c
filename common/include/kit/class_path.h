#pragma once
// Folders that end up in a Java class path. Build joins class paths with ":", and the kit's javac also
// splits them at ";", so a folder holding either character cannot stand in one.
#include <optional>
#include <string>
#include <string_view>

namespace kit {

// The first ":" or ";" of `folder`, if any.
std::optional<char> classPathSeparatorIn(std::string_view folder);

// The refusal of a folder that holds one, naming the folder as `what` (e.g. "The project folder") and
// the character; nothing for a folder that can stand in a class path.
std::optional<std::string> classPathFault(std::string_view what, std::string_view folder);

}  // namespace kit
