#pragma once

#include <functional>
#include <string>
#include <vector>

namespace compiler {

struct ChildResult {
    bool started = false;
    int status = -1;    // exit status, or -1 when the child did not exit normally
    std::string error;  // why it could not be started
};

// Starts argv[0] with the arguments as given (no shell), hands each line of its standard output to
// `onLine` as it comes, and waits for it to end. Its error stream is the caller's.
ChildResult runChild(const std::vector<std::string>& argv, const std::function<void(const std::string&)>& onLine);

}  // namespace compiler
