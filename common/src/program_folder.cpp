#include "kit/program_folder.h"

#include <unistd.h>

#include <vector>

namespace kit {

std::string programPath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n <= 0) return "";
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string programFolder() {
    const std::string program = programPath();
    const std::size_t slash = program.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : program.substr(0, slash);
}

}  // namespace kit
