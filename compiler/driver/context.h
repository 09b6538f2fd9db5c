#pragma once

#include <ostream>

#include "driver/console.h"
#include "driver/errors.h"
#include "driver/library.h"
#include "driver/objects.h"
#include "driver/project.h"

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
    InterfaceFileWrite* saver = nullptr;  // the one writer of the run, once made
};

}  // namespace compiler
