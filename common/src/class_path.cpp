#include "kit/class_path.h"

namespace kit {

std::optional<char> classPathSeparatorIn(std::string_view folder) {
    std::size_t at = folder.find_first_of(":;");
    if (at == std::string_view::npos) return std::nullopt;
    return folder[at];
}

std::optional<std::string> classPathFault(std::string_view what, std::string_view folder) {
    std::optional<char> separator = classPathSeparatorIn(folder);
    if (!separator) return std::nullopt;
    return "Error: " + std::string(what) + " " + std::string(folder) + " holds the character \"" +
           std::string(1, *separator) +
           "\", which splits a Java class path. Use a folder whose path has no \":\" or \";\"";
}

}  // namespace kit
