#pragma once
// The running program's own file and folder. The kit folder is the folder that holds the running program
// (whatever the working directory), so Config.cfg and the other programs are found from here.
#include <string>

namespace kit {

// The running program's file, links resolved; "" when it cannot be told.
std::string programPath();

// The folder that holds the running program, without a trailing "/" ("/" at the root); "" when it cannot
// be told.
std::string programFolder();

}  // namespace kit
