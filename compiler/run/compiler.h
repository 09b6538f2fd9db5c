#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "driver/child_process.h"
#include "driver/translator.h"

namespace compiler {

struct Context;
class InterfaceFileWrite;

// What a run needs from outside: where the kit is installed, the options, and the makers of the
// pieces that later layers provide.
struct CompilerOptions {
    std::string installDir;  // the kit folder (holds Config.cfg and Build-Linux)
    bool debug = false;      // TZ_DEBUG=1
    bool keepJava = false;   // TZ_KEEP_JAVA=1: clean-up leaves the generated Java
    TranslatorFactory makeTranslator;
    // Starts Build-Linux on the translated project, handing it the project folder's lock (a descriptor, or
    // -1); a seam for tests.
    std::function<ChildResult(const std::vector<std::string>&, const std::function<void(const std::string&)>&,
                              int)>
        runBuild = runChild;
};

// One compiler run over `args` (the arguments after the program name). Returns the exit status. A run that
// a stop signal ended says so last; its caller then ends the process by that signal.
int runCompiler(const std::vector<std::string>& args, std::ostream& out, const CompilerOptions& options);

// The statement loop: drops comments, tokenizes each statement, has it translated and writes the result.
// `n` is the number of the statement being translated; the error report names its source line.
void translateStatements(Context& ctx, const std::vector<std::string>& lines, InterfaceFileWrite& writer,
                         StatementTranslator& translator, std::size_t& n);

}  // namespace compiler
