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

// What a run needs from outside: where the kit is installed, the options, and two seams: the maker of
// the statement translator (the program passes makeConvertor) and the start of Build.
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

// One compiler run over `args` (the arguments after the program name). Returns the exit status; every
// failure, a refusal of the user's program, an internal failure or any other exception, is reported on
// `out` and gives 1, so nothing escapes. A run that a stop signal ended says so last; its caller then ends
// the process by that signal.
int runCompiler(const std::vector<std::string>& args, std::ostream& out, const CompilerOptions& options);

// The statement loop: drops comments, tokenizes each statement, has it translated and writes the result.
// `ctx.statement` names the statement being translated (from 1), also after a refusal leaves the loop, so
// that its report names the statement's source line; 0 once the loop has ended. Returns false when a stop
// signal ended the loop early.
bool translateStatements(Context& ctx, const std::vector<std::string>& lines, InterfaceFileWrite& writer,
                         StatementTranslator& translator);

}  // namespace compiler
