#include "expressions/net_arguments.h"

#include <algorithm>
#include <utility>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "expressions/argument_reader.h"
#include "expressions/array_access.h"
#include "expressions/changer.h"
#include "expressions/returner.h"
#include "expressions/type_access.h"

namespace compiler {
namespace {

using tokens::endsWith;
using tokens::isDecimal;
using tokens::isDigits;
using tokens::isQuoted;

// "-" alone passes Helpers::Number, but between operands it is the operator.
std::string_view operatorCode(const std::string& t) {
    if (t == "+") return ByteCodes::add;
    if (t == "-") return ByteCodes::sub;
    if (t == "/") return ByteCodes::div;
    if (t == "*") return ByteCodes::mult;
    return {};
}

}  // namespace

NetHandleArguments::NetHandleArguments(Context& ctx) : ArgumentReader(ctx) {}

std::string NetHandleArguments::HandleArguments(std::string_view pattern, int start, int argNo) {
    comparator_ = std::exchange(ctx_.library.isComparator, false);
    translated_ = false;
    try {
        translate(pattern, start, argNo);
        return translated_ ? "TBD" : "";
    } catch (CompileException& e) {
        e.addError("in Arguments");
        throw;
    }
}

void NetHandleArguments::translate(std::string_view pattern, int start, int argNo) {
    checkCount(pattern, start);
    position(start, argNo);
    LineState& line = ctx_.line;
    for (char letter : pattern) {
        const std::string leading = passBrackets();
        if (line.has(line.gPointer)) ctx_.debug.printDebug("Sent " + current());
        switch (letter) {
            case 'S':
            case 'I':
            case 'F':
                if (!expression(letter, leading)) return;
                break;
            case 'b':
                if (!boolean()) return;
                break;
            case 'N':
            case 'n':
            case 'H':
            case 'B':
                names(letter);
                break;
            case 'i':
                image();
                break;
            case 's':
                sprite();
                break;
            case ',':
                requireComma();
                ++line.gPointer;
                continue;
            default:
                throw CompileException(res("Error_Compiler_error"));
        }
        endArgument();
    }
}

void NetHandleArguments::endArgument() {
    if (comma_) {
        comma_ = false;
    } else {
        bytes_.injectTok(ByteCodes::endData);
    }
}

std::string NetHandleArguments::passBrackets() {
    std::string run = Bracket(static_cast<int>(ctx_.line.size()));
    ctx_.line.gPointer += static_cast<int>(run.size());
    return run;
}

void NetHandleArguments::variable(const std::string& t) {
    bytes_.injectTok(ByteCodes::variableS);
    bytes_.injectCode(std::to_string(ctx_.library.getByteNa(Helpers::FixVariable(t), ctx_.debug)));
    bytes_.injectTok(ByteCodes::variableE);
}

// Returns false when the list stopped early: at a comparison's operator (the comparator signal) or at the
// ")" of an enclosing call. The rest of the pattern is then not read.
bool NetHandleArguments::expression(char letter, const std::string& leading) {
    ValueShape shape(letter != 'S');
    shape.brackets(leading);
    if (atListEnd()) {
        shape.end();
        return true;
    }
    operandDue_ = true;
    for (;;) {
        const std::string t = current();
        // An array reference ends its argument only when nothing follows it there.
        comma_ = false;
        bool fits;
        if (letter == 'S') {
            ctx_.debug.printDebug("String received: " + t);
            fits = stringPiece(t);
        } else if (letter == 'I') {
            ctx_.debug.printDebug("Integer Received: " + t);
            fits = integerPiece(t);
        } else {
            fits = floatPiece(t);
        }
        if (!fits) {
            if (comparator_) {
                comparator_ = false;
                shape.end(false);
                // An integer side ends with "ED" as any argument does; the other letters leave it to
                // the comparator.
                if (letter == 'I') endArgument();
                return false;
            }
            if (letter != 'F' && t == ")") {
                shape.end();
                endArgument();
                return false;
            }
            if (letter != 'F') ctx_.debug.printDebug(t);
            if (letter == 'S') throw CompileException(res("Error_Expecting"));
            if (letter == 'I') throw CompileException(res("Error_Expecting_I"));
            throw CompileException(res("Error_Expecting_float"));
        }
        translated_ = true;
        // A sign read with its number (the pointer moved on to the number) is part of one operand.
        operandDue_ = !operatorCode(t).empty() && current() == t;
        if (operandDue_) {
            shape.op(t);
        } else {
            shape.operand();
        }
        ++ctx_.line.gPointer;
        shape.brackets(passBrackets());
        if (atListEnd()) {
            shape.end();
            return true;
        }
    }
}

// A "-" where an operand belongs, before a number: the number's sign, so "- 5" is "NS" "-5" "NE" and
// not an operator with nothing on its left.
bool NetHandleArguments::signedNumber(const std::string& t) {
    const LineState& line = ctx_.line;
    if (t != "-" || !operandDue_ || !line.has(line.gPointer + 1)) return false;
    const std::string& next = line.token(line.gPointer + 1);
    if (!isDigits(next)) return false;
    bytes_.injectNum("-" + next);
    ++ctx_.line.gPointer;
    return true;
}

bool NetHandleArguments::stringPiece(const std::string& t) {
    if (isQuoted(t)) {
        bytes_.injectStr(t);
        return true;
    }
    if (const Variable* v = helpers_.Variable(t)) {
        if (v->getType() != TypeCodes::cString) {
            ctx_.debug.printDebug("Found a variable but not string");
            throw CompileException(res("Error_Expecting"));
        }
        variable(t);
        return true;
    }
    if (endsWith(t, '$') && ctx_.functions.isFuncArg(t)) {
        variable(t);
        return true;
    }
    if (reference(t, TypeCodes::cString, "Error: Expecting type variable of type String",
                  "Error: Expecting type array of type String", res("Error_Expecting_array")))
        return true;
    if (ctx_.library.isReturner(t)) return returner({TypeCodes::cString}, res("Error_Expecting"));
    if (ctx_.library.isChanger(t)) return changer({TypeCodes::cString}, res("Error_Expecting"));
    if (t == "+") {
        bytes_.injectTok(ByteCodes::add);
        return true;
    }
    return false;
}

bool NetHandleArguments::reference(const std::string& t, int type, const char* fieldMismatch,
                                   const char* recordArrayMismatch, const std::string& arrayMismatch) {
    if (Helpers::correctType(t)) {
        recordField(TypeCodes::fieldCode(type), fieldMismatch);
        return true;
    }
    if (endsWith(t, '%')) {
        recordField(TypeCodes::fieldCode(type), recordArrayMismatch);
        return true;
    }
    if (const Array* a = helpers_.Array(t)) {
        if (a->getType() != type) throw CompileException(arrayMismatch);
        arrayReference();
        return true;
    }
    return false;
}

bool NetHandleArguments::integerPiece(const std::string& t) {
    if (signedNumber(t)) return true;
    if (std::string_view op = operatorCode(t); !op.empty()) {
        bytes_.injectTok(op);
        return true;
    }
    if (Helpers::Number(t)) {
        bytes_.injectNum(t);
        return true;
    }
    if (const Variable* v = helpers_.Variable(t)) {
        if (v->getType() != TypeCodes::cInt) throw CompileException(res("Error_Expecting_I"));
        variable(t);
        return true;
    }
    if (reference(t, TypeCodes::cInt, "Error: Expecting variable of type Integer",
                  "Error: Expecting array of type Integer", "Error: Expecting array of type Integer"))
        return true;
    if (ctx_.library.isReturner(t)) return returner({TypeCodes::cInt}, res("Error_Expecting_I"));
    if (ctx_.library.isChanger(t)) return changer({TypeCodes::cInt}, res("Error_Expecting_I"));
    return false;
}

// "#" values: integers widen by themselves, so integer values and built-ins are accepted too.
bool NetHandleArguments::floatPiece(const std::string& t) {
    if (signedNumber(t)) return true;
    if (std::string_view op = operatorCode(t); !op.empty()) {
        bytes_.injectTok(op);
        return true;
    }
    if (Helpers::Number(t)) {
        bytes_.injectNum(t);
        return true;
    }
    if (isDecimal(t)) {
        ctx_.library.setFloat();
        bytes_.injectNum(t);
        return true;
    }
    if (const Variable* v = helpers_.Variable(t)) {
        if (v->getType() != TypeCodes::cFloat) throw CompileException(res("Error_Expecting_float"));
        variable(t);
        return true;
    }
    if (reference(t, TypeCodes::cFloat, "Error: Expecting variable of type Float",
                  "Error: Expecting array of type Float", "Error: Expecting array of type Float"))
        return true;
    const std::string& mismatch = res("Error_Expecting_float");
    if (ctx_.library.isReturner(t)) return returner({TypeCodes::cInt, TypeCodes::cFloat}, mismatch);
    if (ctx_.library.isChanger(t)) return changer({TypeCodes::cInt, TypeCodes::cFloat}, mismatch);
    return false;
}

void NetHandleArguments::recordField(int expected, const char* mismatch) {
    HandleType field(ctx_);
    field.translate();
    if (ctx_.line.returnType != expected) throw CompileException(mismatch);
    bytes_.injectBytes(field.retByte());
}

// The array's number and its index; "AC" ends the argument in place of "ED".
void NetHandleArguments::arrayReference() {
    const int number = ctx_.arrays.findVisible(Helpers::FixVariable(current()));
    const int dimensions = number < 0 ? 0 : ctx_.arrays.at(number).dimensions;
    bytes_.injectTok(ByteCodes::arrayS);
    bytes_.injectCode(std::to_string(number));
    bytes_.injectTok(ByteCodes::arrayE);
    bytes_.injectTok(ByteCodes::endData);
    ++ctx_.line.gPointer;
    HandleArray index(ctx_);
    index.translate(dimensions);
    bytes_.injectBytes(index.retByte());
    bytes_.injectTok(ByteCodes::arrayC);
    comma_ = true;
}

bool NetHandleArguments::returner(std::initializer_list<int> types, const std::string& mismatch) {
    if (!nextIsBracket()) throw CompileException(res("Error_Expecting_Comma"));
    HandleReturner call(ctx_);
    if (call.Returner().empty()) return false;
    if (std::find(types.begin(), types.end(), ctx_.line.returnType) == types.end()) {
        throw CompileException(mismatch);
    }
    bytes_.injectBytes(call.retByte());
    return true;
}

bool NetHandleArguments::changer(std::initializer_list<int> types, const std::string& mismatch) {
    if (!nextIsBracket()) throw CompileException(res("Error_Expecting_Comma"));
    HandleChanger call(ctx_);
    if (call.Changer().empty()) return false;
    if (std::find(types.begin(), types.end(), ctx_.line.returnType) == types.end()) {
        throw CompileException(mismatch);
    }
    bytes_.injectBytes(call.retByte());
    return true;
}

bool NetHandleArguments::boolean() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    bool fits = false;
    const Variable* v = helpers_.Variable(t);
    if (v && v->getType() == TypeCodes::cBoolean) {
        variable(t);
        fits = true;
    } else if (ctx_.library.isReturner(t)) {
        fits = returner({TypeCodes::cBoolean}, res("Error_Expecting_flag"));
    } else if (t == "TRUE") {
        bytes_.injectTok(ByteCodes::boolT);
        fits = true;
    } else if (t == "FALSE") {
        bytes_.injectTok(ByteCodes::boolF);
        fits = true;
    }
    if (!fits) {
        if (comparator_) {
            comparator_ = false;
            return false;
        }
        throw CompileException(res("Error_Expecting_flag"));
    }
    translated_ = true;
    ++line.gPointer;
    passBrackets();
    return true;
}

// "N" new names, "n" object names, "H" colour digits, "B" buttons: one word each, in one frame. A quoted new
// name loses its quotes in the line too, so the statement registers it bare.
void NetHandleArguments::names(char letter) {
    LineState& line = ctx_.line;
    if (letter == 'N') {
        ctx_.debug.printDebug("Name Received " + (line.has(line.gPointer) ? current() : std::string()));
    }
    if (atListEnd()) return;
    std::string& token = line.Tokens[static_cast<std::size_t>(line.gPointer)];
    const char* failure = "Error_Button_name_is";
    if (letter == 'N') {
        if (isQuoted(token)) token = token.substr(1, token.size() - 2);
        // A name the Java form could carry too.
        failure = token == "+" ? "Error_Cannot_use_the" : "Error_Expecting";
        if (!Helpers::javaName(token)) throw CompileException(res(failure));
        failure = "Error_Expecting";
    } else if (letter == 'n') {
        failure = "Error_Expecting_name";
        if (ctx_.objects.Names.indexOf(token) < 0) throw CompileException(res(failure));
    } else if (letter == 'H') {
        failure = "Error_Expecting_hex";
        if (!isDigits(token)) throw CompileException(res(failure));
    } else if (helpers_.Button(token) < 0) {
        throw CompileException(res(failure));
    }
    const std::string text = token;
    ++line.gPointer;
    passBrackets();
    // One word: a second would be glued to it.
    if (!atListEnd()) {
        if (letter == 'N' && current() == "+") failure = "Error_Cannot_use_the";
        throw CompileException(res(failure));
    }
    translated_ = true;
    if (letter == 'H') {
        bytes_.injectNum(text);
    } else {
        bytes_.injectTok(ByteCodes::nameS);
        bytes_.injectCode(text);
        bytes_.injectTok(ByteCodes::nameE);
    }
}

// No NULL here: an image slot of the byte form needs a real image.
void NetHandleArguments::image() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    if (helpers_.Image(t) < 0) throw CompileException(res("Error_Image_name_is"));
    bytes_.injectTok(ByteCodes::imageS);
    bytes_.injectCode(t);
    bytes_.injectTok(ByteCodes::imageE);
    translated_ = true;
    ++line.gPointer;
    passBrackets();
}

// Single sprites only: the byte form has no sprite arrays.
void NetHandleArguments::sprite() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    if (helpers_.Sprite(t) < 0) throw CompileException(res("Error_Sprite_name_is"));
    bytes_.injectTok(ByteCodes::spriteS);
    bytes_.injectCode(t);
    bytes_.injectTok(ByteCodes::spriteE);
    translated_ = true;
    ++line.gPointer;
    passBrackets();
}

}  // namespace compiler
