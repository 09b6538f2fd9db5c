#pragma once

#include <functional>
#include <string>
#include <vector>

namespace compiler {

struct ChildResult {
    bool started = false;
    int status = -1;    // exit status, or -1 when the child did not exit normally
    int signal = 0;     // the signal that ended the child, or 0
    std::string error;  // why it could not be started
};

// Starts argv[0] with the arguments as given (no shell), hands each line of its standard output to
// `onLine` as it comes, and waits for it to end. Its error stream is the caller's. `lockFd`, when not -1,
// is the project folder's lock, handed down for the child to run under.
//
// A stop signal that reaches this process is passed on to the child, and a caller that has gone ends the
// child with SIGTERM; either way the child's output is read to its end and the child waited for, so it
// has ended its own tools and cleaned up when this returns. Whatever the child left running (the tools of a
// child killed outright) is ended too.
ChildResult runChild(const std::vector<std::string>& argv,
                     const std::function<void(const std::string&)>& onLine, int lockFd = -1);

}  // namespace compiler
