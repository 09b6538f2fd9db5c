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
    NameList worlds;                     // WORLD declarations, in order
    std::vector<int> worldDimensions;    // dimensions of each entry of `worlds`
    std::vector<Owner> worldOwners;      // the declaration section, or the function whose local each world is
    std::vector<std::string> typeFiles;  // record-type sources the run wrote, without ".java"
    LineState line;                      // the token line being translated
    // The line of the source file each statement comes from (from 1); a message that names a line
    // names this one, so several statements of one line, a one-line IF among them, share its number.
    std::vector<std::size_t> statementLines;
    // The statement being translated (from 1; 0 outside the statement loop), and the one each line of the
    // program's Java file was written for: a message about the Java names the statement's source line.
    std::size_t statement = 0;
    std::vector<std::size_t> javaLines;

    // The source line of statement `n` (from 1); a run given statements without their lines (tests) counts
    // statements.
    std::size_t sourceLine(std::size_t n) const {
        return n >= 1 && n <= statementLines.size() ? statementLines[n - 1] : n;
    }
};

}  // namespace compiler
