// The kit's emulator: checks a MIDlet suite the way a phone does before it installs one, and says so
// plainly, because no phone runtime comes with the kit.
//   emulator [-classpath JAR] -Xdescriptor:JAD
// Everything goes to standard output (Build relays only that). Exit 1 when the suite is broken or the
// command line is wrong, 0 when the suite would install.

#include <filesystem>
#include <iostream>
#include <string>

#include "suite.h"

namespace {

constexpr const char* kUsage = "Usage: emulator [-classpath <jar>] -Xdescriptor:<jad>";

int run(int argc, char** argv) {
    std::filesystem::path jar, jad;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "-classpath" || arg == "-cp") && i + 1 < argc) {
            jar = argv[++i];
        } else if (arg.rfind("-Xdescriptor:", 0) == 0 && arg.size() > 13) {
            jad = arg.substr(13);
        } else {
            std::cout << "emulator: unexpected argument \"" << arg << "\"\n" << kUsage << "\n";
            return 1;
        }
    }
    if (jad.empty()) {
        std::cout << kUsage << "\n";
        return 1;
    }

    standins::SuiteCheck check = standins::checkSuite(jad, jar);
    for (const auto& line : check.found) std::cout << line << "\n";
    for (const auto& problem : check.problems) std::cout << "Error: " << problem << "\n";
    if (!check.problems.empty()) {
        std::cout << "The MIDlet suite is broken: a phone would refuse to install it.\n";
    } else {
        std::cout << "The MIDlet suite checks out.\n";
    }
    std::cout << "No phone runtime is installed with this kit, so the MIDlet cannot be run here; "
                 "copy the jar and JAD to a phone or a phone emulator to play it.\n";
    return check.problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cout << "emulator: " << e.what() << "\n";
    } catch (...) {
        std::cout << "emulator: internal error\n";
    }
    return 1;
}
