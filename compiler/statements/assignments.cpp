// The closing branch: a line no keyword took is an assignment to a record field, a variable or an array
// element, a 3D object put into a world slot, or a call of a user function.

#include <string>
#include <vector>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/arguments.h"
#include "expressions/array_access.h"
#include "expressions/nested_values.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {
namespace {

// A boolean target takes TRUE, FALSE, another boolean variable, or a boolean expression of several
// tokens. `valueStart` is the index of the value's first token.
// The value's byte tokens go to `bytes`: "TT", "FF" or the variable for a single word, else the
// expression's tokens.
std::string booleanValue(Convertor& c, int valueStart, std::string& bytes) {
    const int n = static_cast<int>(c.tokenCount());
    if (n <= valueStart) throw CompileException(res("Error_Boolean"));
    if (n == valueStart + 1) {
        const std::string& value = c.token(valueStart);
        if (value == "TRUE") {
            bytes = ByteCodes::boolT;
            return "true";
        }
        if (value == "FALSE") {
            bytes = ByteCodes::boolF;
            return "false";
        }
        Helpers helpers(c.ctx);
        if (helpers.Variable(value) && helpers.VariableType(value) == TypeCodes::cBoolean) {
            if (!c.java()) {
                bytes = std::string(ByteCodes::variableS) + poolNumber(c, value) +
                        std::string(ByteCodes::variableE);
            }
            // A flag written with a suffix is the flag.
            return Helpers::FixVariable(value);
        }
        throw CompileException(res("Error_Boolean"));
    }
    return translateValue(c, "b", valueStart, &bytes);
}

std::string typedValue(Convertor& c, TypeCode type, int valueStart, std::string* bytes = nullptr) {
    switch (type) {
        case TypeCodes::cFloat:
            return translateValue(c, "F", valueStart, bytes);
        case TypeCodes::cInt:
            return translateValue(c, "I", valueStart, bytes);
        default:
            return translateValue(c, "S", valueStart, bytes);
    }
}

}  // namespace

std::optional<std::string> recordFieldAssignment(Convertor& c) {
    const std::string& target = c.token(0);
    const bool field = target.find('%') != std::string::npos && target.find('.') != std::string::npos;
    if (!field && target.back() != '%') return std::nullopt;
    if (!c.java()) noByteForm(target);
    LineState& line = c.ctx.line;
    line.gPointer = 0;
    const std::string reference = typeReference(c.ctx);
    // The reference may span several tokens (an index, a member written apart); the value follows the
    // first "=" after it.
    int equals = -1;
    for (int i = std::max(1, line.gPointer); line.has(i); ++i) {
        if (line.token(i) == "=") {
            equals = i;
            break;
        }
    }
    if (equals < 0) c.syntaxError();
    c.ctx.debug.printDebug("Setting variable " + target + " of type " + std::to_string(line.returnType));
    const int valueStart = equals + 1;
    switch (line.returnType) {
        case TypeCodes::ctFloat:
        case TypeCodes::ctInt:
        case TypeCodes::ctString:
            c.TempHolder =
                reference + " = " + typedValue(c, TypeCodes::plainCode(line.returnType), valueStart);
            return c.TempHolder + ";";
        case TypeCodes::ctBoolean: {
            std::string unused;
            c.TempHolder = reference + "=" + booleanValue(c, valueStart, unused);
            return c.TempHolder + ";";
        }
        default:
            throw CompileException(res("Error_Internal_error"));
    }
}

std::optional<std::string> variableAssignment(Convertor& c) {
    const std::string& target = c.token(0);
    Helpers helpers(c.ctx);
    if (!helpers.Variable(target)) return std::nullopt;
    const TypeCode type = helpers.VariableType(target);
    if (type < TypeCodes::cFloat || type > TypeCodes::cBoolean) return std::nullopt;
    // The target is followed by "=": "X + 3" is no assignment of 3.
    if (!c.ctx.line.has(1) || c.token(1) != "=") c.syntaxError();
    c.ctx.debug.printDebug("Setting variable " + target + " of type " + std::to_string(type));
    c.ctx.line.gPointer = 2;
    // Byte tokens: the variable, "==", the value's tokens. Parameters and locals of a function are pool
    // variables too, so one form serves every variable.
    std::string value;
    std::string text;
    if (type == TypeCodes::cBoolean) {
        text = Helpers::FixVariable(target) + "=" + booleanValue(c, 2, value);
    } else {
        c.TempHolder = Helpers::FixVariable(target) + " = " + typedValue(c, type, 2, &value);
        text = c.TempHolder + ";";
    }
    if (c.java()) return text;
    c.out.writeByte(std::string(ByteCodes::variableS) + poolNumber(c, target) +
                    std::string(ByteCodes::variableE) + std::string(ByteCodes::equal) + value);
    return std::string("TBD");
}

std::optional<std::string> arrayElementAssignment(Convertor& c) {
    const std::string& target = c.token(0);
    if (!Helpers(c.ctx).Array(target)) return std::nullopt;
    LineState& line = c.ctx.line;
    if (!line.has(1) || c.token(1) != "[") c.syntaxError();
    line.gPointer = 1;
    HandleArray index(c.ctx);
    c.Temp = Helpers::FixVariable(target) + index.translate(Helpers(c.ctx).Array(target)->dimensions);
    c.TempHolder = c.Temp + " =";
    line.gPointer += 2;
    if (!line.has(line.gPointer - 1) || c.token(line.gPointer - 1) != "=") c.syntaxError();
    const char suffix = target.back();
    const TypeCode type = suffix == '$'   ? TypeCodes::cString
                          : suffix == '#' ? TypeCodes::cFloat
                                          : TypeCodes::cInt;
    std::string value;
    c.Temp = typedValue(c, type, line.gPointer, &value);
    if (c.java()) return c.TempHolder + c.Temp + ";";
    // Byte tokens: "AS" the array's number "AE" "ED", the index, "AC", "==", the value's tokens.
    const int number = c.ctx.arrays.findVisible(Helpers::FixVariable(target));
    c.out.writeByte(std::string(ByteCodes::arrayS) + std::to_string(number) + std::string(ByteCodes::arrayE) +
                    std::string(ByteCodes::endData) + index.retByte() + std::string(ByteCodes::arrayC) +
                    std::string(ByteCodes::equal) + value);
    return std::string("TBD");
}

std::optional<std::string> functionCallStatement(Convertor& c) {
    const std::string name = c.token(0);
    Functions& functions = c.ctx.functions;
    if (!functions.isFunction(name)) return std::nullopt;
    if (!c.java()) noByteForm(name);
    const int n = static_cast<int>(c.tokenCount());
    int close = -1;
    for (int i = 2; i < n; ++i) {
        if (c.token(i) == ")") close = i;
    }
    if (close < 0 || n <= 2 || c.token(1) != "(") throw CompileException(res("Error_Expecting_in"));
    std::vector<std::string> arguments(c.ctx.line.Tokens.begin() + 2, c.ctx.line.Tokens.begin() + close);
    // A call must give every argument the function takes, or the Java call does not compile.
    if (!functions.checkFunction(name, arguments)) throw CompileException(res("Error_Function"));
    if (close == 2) return name + "()";
    if (c.ctx.line.has(close + 1))
        throw CompileException(res("Error_Unknown_symbol_") + c.token(close + 1) + "\"");
    c.ctx.debug.printDebug(c.token(2));
    // Read as a call inside an expression reads them: the call's closing bracket is not theirs (a float
    // argument could not end at it).
    c.TempHolder = userFunctionArguments(c.ctx, name, arguments);
    const std::string text = name + "(" + c.TempHolder + ");";
    c.ctx.debug.printDebug(text);
    return text;
}

}  // namespace compiler
