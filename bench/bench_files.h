// Whole-file reads and writes for the benchmarks: their inputs and logs are small.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace bench_files {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace bench_files
