// Build-Linux: turns a translated project into its deliverable. One argument: the project's base path
// (folder and name, without extension). Exit status 0 on success, 1 on any failure.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "build.h"
#include "guard/stop.h"
#include "kit/program_folder.h"
#include "project.h"
#include "tool_host.h"

namespace {

// The kit folder is the folder of the running program; Config.cfg lives there.
std::string installFolder() {
    const std::string folder = kit::programFolder();
    return folder.empty() ? "." : folder;
}

bool envFlag(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && std::string(value) == "1";
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::signal(SIGPIPE, SIG_IGN);
        std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write, which is reported
        // Ctrl-C, SIGTERM and a closed terminal end the tools and the build's work, then the program by
        // the same signal.
        guard::catchStopSignals();
        build::Settings settings;
        settings.installDir = installFolder();
        settings.keepSources = envFlag("TZ_KEEP_JAVA") || envFlag("TZ_DEBUG");
        if (const char* timeout = std::getenv("TZ_BUILD_TIMEOUT_MS")) {
            if (auto value = build::parseDecimal(timeout); value && *value > 0)
                settings.timeout = std::chrono::milliseconds(*value);
        }

        build::Console console(std::cout);
        build::ProcessRunner processes;
        // The kit's javac and preverify rows run in the kit's tool host, one JVM for the build.
        build::HostedRunner runner(processes, settings.installDir + "/jdk/bin/tool-host");
        build::Build program(console, runner, settings);
        const int status = program.main(std::vector<std::string>(argv + 1, argv + argc));
        if (const int signal = guard::stopSignal()) guard::endBySignal(signal);
        return status;
    } catch (const std::exception& e) {
        std::cout << "Internal Error" << std::endl << e.what() << std::endl;
    } catch (...) {
        std::cout << "Internal Error" << std::endl;
    }
    return 1;
}
