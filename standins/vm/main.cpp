// The PC runtime stand-in. Build copies it beside a PC or Pocket PC game as <name>.exe and starts it;
// the game is the byte-token file data.tbd in the same folder. It checks that file's "TB" marker and
// says plainly that no PC runtime is installed. Exit 1 when data.tbd is missing or not a byte-token file.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "kit/program_folder.h"

namespace fs = std::filesystem;

namespace {

// The folder of this program: Build starts the copy by its path, from whatever working directory it has.
fs::path programFolder(const char* argv0) {
    fs::path self = kit::programPath();
    std::error_code ec;
    if (self.empty()) self = fs::absolute(argv0, ec);
    return self.parent_path();
}

int run(const fs::path& program) {
    std::ifstream in(program, std::ios::binary);
    if (!in) {
        std::cout << "No byte-token program found: " << program.string() << " is missing.\n";
        return 1;
    }
    char marker[2] = {};
    in.read(marker, 2);
    if (in.gcount() != 2 || marker[0] != 'T' || marker[1] != 'B') {
        std::cout << program.string() << " is not a byte-token program: it does not begin with \"TB\".\n";
        return 1;
    }
    std::cout << "Byte-token program found: " << program.string() << "\n";
    std::cout << "No PC runtime is installed with this kit, so the program cannot be run here.\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(programFolder(argc > 0 ? argv[0] : "") / "data.tbd");
    } catch (...) {
        std::cout << "Internal error\n";
        return 1;
    }
}
