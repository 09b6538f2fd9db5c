#include "warm_jvm.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "kit/program_folder.h"

#ifndef TZ_TOOL_JVM_OPTIONS
#error "TZ_TOOL_JVM_OPTIONS: the JVM options of the kit's Java tools, blank-separated"
#endif

namespace standins {

std::string usableArchive(const std::string& folder, const std::string& tool) {
    std::string found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return found;
    const std::string prefix = tool + ".";
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() <= prefix.size() + 4 || name.rfind(prefix, 0) != 0 || !name.ends_with(".jsa"))
            continue;
        std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        if (digits.empty() || digits.size() > 18 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string path = folder + "/" + name;
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            static_cast<unsigned long long>(info.st_size) == std::stoull(digits) &&
            ::access(path.c_str(), R_OK) == 0) {
            found = path;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool transparentHugePages(const std::string& setting) {
    std::ifstream file(setting);
    std::string line;
    return std::getline(file, line) && line.find('[') != std::string::npos &&
           line.find("[never]") == std::string::npos;
}

std::vector<std::string> warmJvm(const std::string& java, const std::string& tool) {
    std::vector<std::string> argv = {java};
    const std::string options = TZ_TOOL_JVM_OPTIONS;
    for (size_t at = 0; at < options.size();) {
        size_t end = options.find(' ', at);
        if (end == std::string::npos) end = options.size();
        if (end > at) argv.push_back(options.substr(at, end - at));
        at = end + 1;
    }
    // The heap in pages of 2 MB where the kernel gives them on request: a run's allocations then fault a
    // few pages in instead of thousands, each of which costs dearly on a virtual machine.
    if (transparentHugePages()) argv.push_back("-XX:+UseTransparentHugePages");
    std::string folder = kit::programFolder();
    std::string archive = folder.empty() ? "" : usableArchive(folder, tool);
    if (!archive.empty()) argv.push_back("-XX:SharedArchiveFile=" + archive);
    return argv;
}

int execTool(const std::string& tool, const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    std::cerr << tool << ": cannot start " << argv.front() << ": " << std::strerror(errno) << "\n";
    return 127;
}

}  // namespace standins
