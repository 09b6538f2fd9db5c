#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console.h"

namespace build {

// The fixed-form text files of a build. `path` is the project directory with its trailing "/",
// `name` the project name; the main class is always Game.<name>.

struct Manifest {
    static std::vector<std::string> lines(const std::string& name, bool cldc11);
    // Prints its progress line; on failure prints its error line and returns false.
    static bool write(Console& console, const std::string& path, const std::string& name, bool cldc11);
};

struct JAD {
    static std::vector<std::string> lines(const std::string& name, std::int64_t jarSize);
    static bool write(Console& console, const std::string& path, const std::string& name,
                      std::int64_t jarSize);
};

struct HTML {
    static std::vector<std::string> lines(const std::string& name);
    // Returns the failure's description, or nothing on success.
    static std::optional<std::string> writeHTML(const std::string& path, const std::string& name);
};

}  // namespace build
