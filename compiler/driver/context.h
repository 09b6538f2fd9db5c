#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/errors.h"
#include "driver/functions.h"
#include "driver/library.h"
#include "driver/line_state.h"
#include "driver/objects.h"
#include "driver/project.h"
#include "driver/variables.h"

namespace compiler {

class InterfaceFileWrite;

// All state of one compiler run, passed by reference to every layer.
struct Context {
    Context(std::ostream& out, bool debugOption) : console(out), debug(console, debugOption) {}
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    Console console;
    Debug debug;
    Project project;
    Library library;
    Objects objects;
    Scope scope;
    Functions functions{objects, variables, debug};  // only keeps the reference to `variables`
    Variables variables{scope, functions, objects};
    Arrays arrays{scope, functions};
    Types types;
    NameList worlds;                      // WORLD declarations, in order
    std::vector<int> worldDimensions;     // dimensions of each entry of `worlds`
    std::vector<std::string> typeFiles;  // record-type sources the run wrote, without ".java"
    LineState line;                       // the token line being translated
    InterfaceFileWrite* saver = nullptr;  // the one writer of the run, once made
};

}  // namespace compiler
