// Control flow: IF, ELSEIF, ELSE, ENDIF, FOR, NEXT, WHILE, ENDWHILE, the TRY ... CATCH IO ... ENDCATCH ...
// ENDTRY block, PRINT, END and BREAK.

#include <string>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/comparator.h"
#include "expressions/nested_values.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {
namespace {

std::string condition(Convertor& c, std::string_view head, std::string_view statement) {
    c.ctx.line.gPointer = 1;
    if (!c.java()) byteFormPending(statement);
    c.TempHolder = Comparator(c.ctx).HandleComparator(head);
    return c.TempHolder;
}

// A FOR bound: one integer expression that ends quietly at the word after it (TO, INC, DEC). The
// signal is cleared as soon as the bound is read.
std::string loopBound(Convertor& c) {
    Library& library = c.ctx.library;
    library.isComparator = true;
    std::string text;
    try {
        text = newArguments(c.ctx)->HandleArguments("I", c.ctx.line.gPointer, 0);
    } catch (...) {
        library.isComparator = false;
        throw;
    }
    library.isComparator = false;
    if (text.empty()) throw CompileException(res("Error_For_requires_a"));
    return text;
}

}  // namespace

std::optional<std::string> ifStatement(Convertor& c) {
    return condition(c, "if(", "IF");
}

std::optional<std::string> elseIfStatement(Convertor& c) {
    return condition(c, "}else if(", "ELSEIF");
}

std::optional<std::string> elseStatement(Convertor& c) {
    if (!c.java()) byteFormPending("ELSE");
    return std::string("}else{");
}

std::optional<std::string> endIfStatement(Convertor& c) {
    if (!c.java()) byteFormPending("ENDIF");
    return std::string("}");
}

// "END IF", which the pre-pass closes an IF block with, is ENDIF written apart.
std::optional<std::string> endIfWrittenApart(Convertor& c) {
    if (c.tokenCount() != 2 || c.token(1) != "IF") return std::nullopt;
    return endIfStatement(c);
}

std::optional<std::string> forStatement(Convertor& c) {
    LineState& line = c.ctx.line;
    line.gPointer = 1;
    const std::string& variable = c.token(1);
    Helpers helpers(c.ctx);
    const Variable* v = helpers.Variable(variable);
    if (!v) throw CompileException(res("Error_For_Variable_is"));
    if (!c.java()) byteFormPending("FOR");
    std::string text = "for (" + variable + "=";
    line.gPointer += 2;
    text += loopBound(c) + ";" + variable;
    line.gPointer += 1;  // past TO
    const std::string end = loopBound(c);
    c.Temp = end;
    if (line.has(line.gPointer)) {
        const std::string& step = line.current();
        if (step == "INC") {
            text += "<=" + end + ";" + variable + "=" + variable + "+";
        } else if (step == "DEC") {
            text += ">=" + end + ";" + variable + "=" + variable + "-";
        } else {
            throw CompileException(res("Error_INC_or_DEC"));
        }
        line.gPointer += 1;
        text += "(" + translateValue(c, "I", line.gPointer) + ")){";
        c.TempHolder = text;
        return text;
    }
    c.TempHolder = text + "<=" + end + ";" + variable + "++){";
    return c.TempHolder;
}

std::optional<std::string> nextStatement(Convertor& c) {
    if (!c.java()) byteFormPending("NEXT");
    return std::string("}");
}

std::optional<std::string> whileStatement(Convertor& c) {
    return condition(c, "while(", "WHILE");
}

std::optional<std::string> endWhileStatement(Convertor& c) {
    if (!c.java()) byteFormPending("ENDWHILE");
    return std::string("}");
}

std::optional<std::string> tryStatement(Convertor& c) {
    if (c.InError) throw CompileException(res("Error_Already_in_an"));
    c.InError = true;
    c.FirstCatch = true;
    return std::string("try{");
}

// Java takes one handler per exception class, and IO is the only kind, so a block has one CATCH.
std::optional<std::string> catchStatement(Convertor& c) {
    if (!c.InError) throw CompileException(res("Error_Catch_can_only"));
    if (!c.FirstCatch) throw CompileException(res("Error_Catch_twice"));
    if (!c.ctx.line.has(1) || c.token(1) != "IO") throw CompileException(res("Error_Unknown_error"));
    c.FirstCatch = false;
    return std::string("} catch (IOException e){");
}

std::optional<std::string> endCatchStatement(Convertor& c) {
    if (!c.InError) throw CompileException(res("Error_EndCatch_can"));
    return std::string("}");
}

std::optional<std::string> endTryStatement(Convertor& c) {
    if (!c.InError) throw CompileException(res("Error_EndTry_can_only"));
    c.InError = false;
    if (c.FirstCatch) throw CompileException(res("Error_Try_used"));
    return std::string();
}

std::optional<std::string> printStatement(Convertor& c) {
    if (!c.java()) byteFormPending("PRINT");
    c.TempHolder = newArguments(c.ctx)->HandleArguments("S", 1, 1);
    if (c.TempHolder.empty()) throw missingValue("S");
    return "System.out.println(" + c.TempHolder + ");";
}

// An applet cannot end itself: the browser owns it.
std::optional<std::string> endStatement(Convertor& c) {
    if (c.ctx.project.isApplet()) throw CompileException(res("Error_This_command_is"));
    return std::string("notifyDestroyed();");
}

std::optional<std::string> breakStatement(Convertor&) {
    return std::string("break;");
}

}  // namespace compiler
