#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "guard/stop.h"
#include "kit/program_folder.h"
#include "run/compiler.h"
#include "statements/convertor.h"

namespace {

// The kit folder, with its trailing "/": the folder that holds this program; Config.cfg and Build-Linux
// live there.
std::string installFolder() {
    const std::string folder = kit::programFolder();
    if (folder.empty()) return "./";
    return folder.back() == '/' ? folder : folder + "/";
}

bool envFlag(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && std::string(value) == "1";
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit then fails the write, which the writers report, instead of killing the process.
    ::signal(SIGXFSZ, SIG_IGN);
    // A reader that leaves the pipe (Compile-Linux ... | head) fails the writes instead of killing the
    // process, which then cleans up and ends with status 1.
    ::signal(SIGPIPE, SIG_IGN);
    // Ctrl-C, SIGTERM and a closed terminal end the run through its clean-up, then by the same signal.
    guard::catchStopSignals();
    compiler::CompilerOptions options;
    options.installDir = installFolder();
    options.debug = envFlag("TZ_DEBUG");
    options.keepJava = envFlag("TZ_KEEP_JAVA");
    options.makeTranslator = compiler::makeConvertor;
    std::vector<std::string> args(argv + 1, argv + argc);
    // The run reports every failure itself and gives its status.
    const int status = compiler::runCompiler(args, std::cout, options);
    if (const int signal = guard::stopSignal()) guard::endBySignal(signal);
    return status;
}
