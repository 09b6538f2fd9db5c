// Control flow: IF, ELSEIF, ELSE, ENDIF, FOR, NEXT, WHILE, ENDWHILE, the TRY ... CATCH IO ... ENDCATCH ...
// ENDTRY block, PRINT, END and BREAK.

#include <cctype>
#include <functional>
#include <memory>
#include <string>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/arguments.h"
#include "expressions/comparator.h"
#include "expressions/nested_values.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {
namespace {

// The condition's Java text; in byte tokens, `before` + the condition's tokens + "IT" are written and
// "TBD" is given.
std::string condition(Convertor& c, std::string_view head, const std::function<std::string()>& before) {
    c.ctx.line.gPointer = 1;
    Comparator comparator(c.ctx);
    c.TempHolder = comparator.HandleComparator(head);
    if (c.java()) return c.TempHolder;
    c.out.writeByte(before() + comparator.retByte() + std::string(ByteCodes::ifThen));
    return "TBD";
}

// A numbered block head: the code, "NS" the block's number "NE" "ED".
std::string numberedHead(std::string_view code, const std::string& number) {
    return std::string(code) + std::string(ByteCodes::numS) + number + std::string(ByteCodes::numE) +
           std::string(ByteCodes::endData);
}

// A statement with no operands: its Java text, or its one code in byte tokens.
std::string plain(Convertor& c, const char* java, std::string_view code) {
    if (c.java()) return java;
    c.out.writeByte(code);
    return "TBD";
}

// A FOR bound: one integer expression that ends quietly at the word after it (TO, INC, DEC). The
// signal is cleared as soon as the bound is read.
std::string loopBound(Convertor& c, std::string& bytes) {
    Library& library = c.ctx.library;
    library.isComparator = true;
    std::string text;
    try {
        std::unique_ptr<InterfaceArguments> arguments = newArguments(c.ctx);
        text = arguments->HandleArguments("I", c.ctx.line.gPointer, 0);
        bytes = bytesOf(*arguments);
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
    return condition(c, "if(", [&c] { return numberedHead(ByteCodes::ifS, c.ctx.library.getIfByte()); });
}

std::optional<std::string> elseIfStatement(Convertor& c) {
    return condition(c, "}else if(", [] { return std::string(ByteCodes::ifElseIfS); });
}

std::optional<std::string> elseStatement(Convertor& c) {
    return plain(c, "}else{", ByteCodes::ifElseS);
}

std::optional<std::string> endIfStatement(Convertor& c) {
    return plain(c, "}", ByteCodes::ifE);
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
    // The counters are int fields of the program, so the name is a plain Java name.
    const Variable* v = Helpers::javaName(variable) ? helpers.Variable(variable) : nullptr;
    if (!v) throw CompileException(res("Error_For_Variable_is"));
    // In POINTERDRAGGED POINTX and POINTY are the pointer's, the counter too.
    const std::string counter = v->getType() == TypeCodes::cSpecial ? Helpers::ownName(variable) : variable;
    std::string text = "for (" + counter + "=";
    std::string startBytes, endBytes, stepBytes;
    line.gPointer += 2;
    text += loopBound(c, startBytes) + ";" + counter;
    line.gPointer += 1;  // past TO
    const std::string end = loopBound(c, endBytes);
    c.Temp = end;
    // Byte tokens: "FX", the counter, the start and end values, and for a step "[[", "++" or "--" and
    // the step's value.
    std::string bytes = std::string(ByteCodes::forS) + std::string(ByteCodes::variableS);
    if (!c.java()) bytes += poolNumber(c, variable);
    bytes += std::string(ByteCodes::variableE) + startBytes + endBytes;
    if (line.has(line.gPointer)) {
        const std::string& step = line.current();
        if (step == "INC") {
            text += "<=" + end + ";" + counter + "=" + counter + "+";
        } else if (step == "DEC") {
            text += ">=" + end + ";" + counter + "=" + counter + "-";
        } else {
            throw CompileException(res("Error_INC_or_DEC"));
        }
        bytes += std::string(ByteCodes::sqS) + std::string(step == "INC" ? ByteCodes::add : ByteCodes::sub);
        line.gPointer += 1;
        text += "(" + translateValue(c, "I", line.gPointer, &stepBytes) + ")){";
        bytes += stepBytes;
        c.TempHolder = text;
    } else {
        c.TempHolder = text + "<=" + end + ";" + counter + "++){";
    }
    if (c.java()) return c.TempHolder;
    c.out.writeByte(bytes);
    return std::string("TBD");
}

std::optional<std::string> nextStatement(Convertor& c) {
    return plain(c, "}", ByteCodes::forE);
}

// A condition of numbers and TRUE/FALSE alone is a Java constant: a loop on a true one never ends (the
// statements after it become unreachable) and a body under a false one is unreachable, and Java refuses
// both. Such a condition is made to depend on a field, which keeps its value and its meaning.
bool constantCondition(std::string_view java) {
    bool quoted = false;
    for (std::size_t i = 0; i < java.size(); ++i) {
        char ch = java[i];
        if (ch == '"') quoted = !quoted;
        if (quoted || !std::isalpha(static_cast<unsigned char>(ch))) continue;
        // The "f" of a float literal (2.5f) is part of a number.
        if (i > 0 && (std::isdigit(static_cast<unsigned char>(java[i - 1])) || java[i - 1] == '.')) continue;
        std::size_t end = i;
        while (end < java.size() && std::isalnum(static_cast<unsigned char>(java[end]))) ++end;
        std::string_view word = java.substr(i, end - i);
        if (word != "true" && word != "false") return false;
        i = end - 1;
    }
    return true;
}

std::optional<std::string> whileStatement(Convertor& c) {
    std::string text = condition(
        c, "while(", [&c] { return numberedHead(ByteCodes::whileS, c.ctx.library.getWhileByte()); });
    constexpr std::string_view head = "while(", tail = "){";
    if (c.java() && text.size() > head.size() + tail.size() && text.rfind(head, 0) == 0 &&
        text.compare(text.size() - tail.size(), tail.size(), tail) == 0) {
        std::string_view inner(text.data() + head.size(), text.size() - head.size() - tail.size());
        if (constantCondition(inner)) return "while(GameTemp == GameTemp && (" + std::string(inner) + ")){";
    }
    return text;
}

std::optional<std::string> endWhileStatement(Convertor& c) {
    return plain(c, "}", ByteCodes::whileE);
}

// The error block, END and BREAK have no byte tokens.
std::optional<std::string> tryStatement(Convertor& c) {
    if (!c.java()) noByteForm("TRY");
    if (c.InError) throw CompileException(res("Error_Already_in_an"));
    c.InError = true;
    c.FirstCatch = true;
    return std::string("try{");
}

// Java takes one handler per exception class, and IO is the only kind, so a block has one CATCH.
std::optional<std::string> catchStatement(Convertor& c) {
    if (!c.java()) noByteForm("CATCH");
    if (!c.InError) throw CompileException(res("Error_Catch_can_only"));
    if (!c.FirstCatch) throw CompileException(res("Error_Catch_twice"));
    if (!c.ctx.line.has(1) || c.token(1) != "IO") throw CompileException(res("Error_Unknown_error"));
    c.FirstCatch = false;
    return std::string("} catch (IOException e){");
}

std::optional<std::string> endCatchStatement(Convertor& c) {
    if (!c.java()) noByteForm("ENDCATCH");
    if (!c.InError) throw CompileException(res("Error_EndCatch_can"));
    return std::string("}");
}

std::optional<std::string> endTryStatement(Convertor& c) {
    if (!c.java()) noByteForm("ENDTRY");
    if (!c.InError) throw CompileException(res("Error_EndTry_can_only"));
    c.InError = false;
    if (c.FirstCatch) throw CompileException(res("Error_Try_used"));
    return std::string();
}

std::optional<std::string> printStatement(Convertor& c) {
    if (!c.checkCommand(1, 1)) throw CompileException(res("Error_Number_of"));
    std::unique_ptr<InterfaceArguments> arguments = newArguments(c.ctx);
    c.TempHolder = arguments->HandleArguments("S", 1, 1);
    if (c.TempHolder.empty()) throw missingValue("S");
    if (!c.java()) {
        c.out.writeByte(std::string(ByteCodes::print) + bytesOf(*arguments));
        return std::string("TBD");
    }
    return "System.out.println(" + c.TempHolder + ");";
}

// An applet cannot end itself: the browser owns it.
std::optional<std::string> endStatement(Convertor& c) {
    if (!c.java()) noByteForm("END");
    if (c.ctx.project.isApplet()) throw CompileException(res("Error_This_command_is"));
    return std::string("notifyDestroyed();");
}

// Guarded like EXITFUNCTION's return: statements after a BREAK in its block are the user's to write,
// and Java refuses code it can tell is unreachable.
std::optional<std::string> breakStatement(Convertor& c) {
    if (!c.java()) noByteForm("BREAK");
    return std::string("if (true) break;");
}

}  // namespace compiler
