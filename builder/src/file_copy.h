#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console.h"
#include "project.h"

namespace build {

struct FileCopy {
    // Copies one file, replacing the destination (guard/file_copy.h: Build's rules). Returns the failure's
    // message (each begins "FileCopy: "), or nothing on success. The missing- and unreadable-source checks
    // print a line of their own first, a failed close the text of FileCopy_Could_not.
    // The messages name the destination `shownTo` when given.
    static std::optional<std::string> copy(Console& console, const std::string& from, const std::string& to,
                                           const std::string& shownTo = {});
};

struct FileCopyManager {
    // Copies the support files the project needs: for "J2ME" the support classes of each enabled flag
    // group from <kit>/Include (X.inc -> X.class), otherwise the PC runtime to <path><name>.exe.
    // On failure prints the copy error with the failure's message and returns false.
    static bool copyFiles(Console& console, const Project& project);
};

}  // namespace build
