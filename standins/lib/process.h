#pragma once

#include <string>
#include <vector>

namespace standins {

struct ProcessResult {
    int status = -1;     // exit status; 128 + signal when killed; -1 when the program could not be started
    std::string output;  // standard output and standard error, interleaved as the child wrote them
};

// Runs argv[0] (looked up in PATH when it has no "/") without a shell and waits for it.
ProcessResult runProcess(const std::vector<std::string>& argv);

}  // namespace standins
