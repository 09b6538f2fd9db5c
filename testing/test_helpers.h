#pragma once

#include <sys/types.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

// Small helpers the test binaries share: whole files, lines, processes.
namespace tz::testing {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the whole file, making its folders first.
inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// True once the process has ended; a killed process whose parent has not reaped it yet counts as ended.
inline bool processGone(pid_t pid) {
    std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    if (stat.empty()) return true;
    size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

// A bundled example project (`example` is its folder, which holds `<folder name>.tbp`) copied into `to`,
// as a user's fresh project: the project file, its sources (the main source, the execution copy, each
// include's `.bss` or `.java`) and the media it loads, subfolders kept. Nothing an earlier compile or build
// left in the example (a suite, class folders, the descriptor, scripts) comes along, so a test's build
// starts from the sources alone whatever the user ran in the source tree before. False when the project
// file is missing or a copy fails.
inline bool copyExampleProject(const std::filesystem::path& example, const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    const std::string base = example.filename().string();
    const std::string project = readFile(example / (base + ".tbp"));
    if (project.empty()) return false;
    std::vector<std::string> names = {base + ".tbp", base + "X.bss"};
    for (const std::string& line : splitLines(project)) {
        std::string value = line.substr(line.find('=') + 1);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        if (line.starts_with("Main=")) names.push_back(value + ".bss");
        if (line.starts_with("Include=")) {
            names.push_back(value + ".bss");
            names.push_back(value + ".java");
        }
    }
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(example, error); !error && entry != fs::end(entry);
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (entry->is_directory() && (name == "classes" || name == "tmpclasses")) {
            entry.disable_recursion_pending();
            continue;
        }
        std::string extension = entry->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        static const std::vector<std::string> kMedia = {".png", ".jpg",  ".gif", ".wav",
                                                        ".mid", ".midi", ".fmp", ".m3g"};
        if (entry->is_regular_file() && std::find(kMedia.begin(), kMedia.end(), extension) != kMedia.end())
            names.push_back(fs::relative(entry->path(), example).string());
    }
    if (error) return false;
    fs::create_directories(to, error);
    for (const std::string& name : names) {
        if (!fs::is_regular_file(example / name)) continue;
        fs::create_directories((to / name).parent_path(), error);
        fs::copy_file(example / name, to / name, fs::copy_options::overwrite_existing, error);
        if (error) return false;
    }
    return fs::is_regular_file(to / (base + ".tbp"));
}

}  // namespace tz::testing
