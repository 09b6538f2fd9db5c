#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tz::testing {

// A fresh folder under the system's temporary folder, removed with all it holds when the test is done.
// `prefix` starts its name (a blank in it tries paths with blanks).
class TempDir {
public:
    explicit TempDir(std::string_view prefix = "tz-test-") {
        std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
        const char* made = ::mkdtemp(pattern.data());
        path_ = made ? made : "";
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as text, without a trailing "/"; folder() is the same as a path.
    const std::string& path() const { return path_; }
    std::filesystem::path folder() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

}  // namespace tz::testing
