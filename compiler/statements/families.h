#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "statements/members.h"

namespace compiler {

class Convertor;
class InterfaceArguments;

// The statement branches, one family per file. Each returns the line's text, or nullopt to pass the
// line on; a refusal raises CompileException.

// declarations.cpp: DIM and BOOLEAN, the first line hook.
std::optional<std::string> handleVariables(Convertor& c);

// blocks.cpp: functions, record types, canvases and their actions.
std::optional<std::string> functionStatement(Convertor& c);
std::optional<std::string> endFunctionStatement(Convertor& c);
std::optional<std::string> exitFunctionStatement(Convertor& c);
std::optional<std::string> typeStatement(Convertor& c);
std::optional<std::string> endTypeStatement(Convertor& c);
std::optional<std::string> canvasStatement(Convertor& c);
std::optional<std::string> endCanvasStatement(Convertor& c);
std::optional<std::string> actionStatement(Convertor& c);
std::optional<std::string> endActionStatement(Convertor& c);

// control_flow.cpp: conditions, loops, the error block, PRINT, END and BREAK.
std::optional<std::string> ifStatement(Convertor& c);
std::optional<std::string> elseIfStatement(Convertor& c);
std::optional<std::string> elseStatement(Convertor& c);
std::optional<std::string> endIfStatement(Convertor& c);
std::optional<std::string> forStatement(Convertor& c);
std::optional<std::string> nextStatement(Convertor& c);
std::optional<std::string> whileStatement(Convertor& c);
std::optional<std::string> endWhileStatement(Convertor& c);
std::optional<std::string> tryStatement(Convertor& c);
std::optional<std::string> catchStatement(Convertor& c);
std::optional<std::string> endCatchStatement(Convertor& c);
std::optional<std::string> endTryStatement(Convertor& c);
std::optional<std::string> printStatement(Convertor& c);
std::optional<std::string> endStatement(Convertor& c);
std::optional<std::string> breakStatement(Convertor& c);
std::optional<std::string> endIfWrittenApart(Convertor& c);

// assignments.cpp: the closing branch's readings, tried in this order.
std::optional<std::string> recordFieldAssignment(Convertor& c);
std::optional<std::string> variableAssignment(Convertor& c);
std::optional<std::string> arrayElementAssignment(Convertor& c);
std::optional<std::string> functionCallStatement(Convertor& c);

// Shared by the families.

// The declaration of `name`, of Java type `type`, with its first value and what follows it on the line
// (`rest`). In a block of a function (an IF, FOR, WHILE or TRY) the name is declared at the top of the
// function with `initial` and the line assigns `value`, so the whole function sees it.
std::string localDeclaration(Convertor& c, const std::string& type, const std::string& name,
                             const std::string& initial, const std::string& value,
                             const std::string& rest = "");

// Translates one value from token `start` to the end of the line with a fresh argument translator.
// Tokens the value leaves unread (other than closing brackets) are refused: nothing of a statement is
// dropped silently. The value's byte tokens go to `bytes` when given.
std::string translateValue(Convertor& c, std::string_view pattern, int start, std::string* bytes = nullptr);
// A statement the byte-token targets cannot carry: refused by name (Error_No_byte_form), so it is never
// dropped from data.tbd silently.
[[noreturn]] void noByteForm(std::string_view statement);
// The byte tokens an argument translator collected.
std::string bytesOf(InterfaceArguments& arguments);
// A variable's number in the byte-token pool, as decimal digits (its suffix dropped first).
std::string poolNumber(Convertor& c, const std::string& name);

}  // namespace compiler
