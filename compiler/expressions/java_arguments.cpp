#include "expressions/java_arguments.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "expressions/argument_reader.h"
#include "expressions/array_access.h"
#include "expressions/changer.h"
#include "expressions/net_arguments.h"
#include "expressions/returner.h"
#include "expressions/type_access.h"

namespace compiler {
namespace {

using tokens::endsWith;
using tokens::isDecimal;
using tokens::isDigits;
using tokens::isQuoted;

// POINTX and POINTY are the int parameters of pointerDragged; the lookup finds them only there.
bool isIntegerValue(const Variable& v) {
    if (v.getType() == TypeCodes::cInt) return true;
    return v.getType() == TypeCodes::cSpecial && (v.getName() == "POINTX" || v.getName() == "POINTY");
}

std::string arithmetic(const std::string& t) {
    if (t == "+") return " + ";
    if (t == "-") return " - ";
    if (t == "/") return " / ";
    if (t == "*") return " * ";
    return "";
}

}  // namespace

std::unique_ptr<InterfaceArguments> newArguments(Context& ctx) {
    if (ctx.project.isJava()) return std::make_unique<JavaHandleArguments>(ctx);
    return std::make_unique<NetHandleArguments>(ctx);
}

JavaHandleArguments::JavaHandleArguments(Context& ctx) : ArgumentReader(ctx) {}

std::string JavaHandleArguments::HandleArguments(std::string_view pattern, int start, int argNo) {
    comparator_ = std::exchange(ctx_.library.isComparator, false);
    try {
        return translate(pattern, start, argNo);
    } catch (CompileException& e) {
        e.addError("in Arguments");
        throw;
    }
}

std::string JavaHandleArguments::translate(std::string_view pattern, int start, int argNo) {
    checkCount(pattern, start);
    position(start, argNo);
    std::string result;
    for (char letter : pattern) {
        const std::string leading = passBrackets(result);
        switch (letter) {
            case 'S':
            case 'I':
            case 'F':
                if (!expression(letter, leading, result)) return result;
                break;
            case 'b':
                if (!boolean(result)) return result;
                break;
            case 'N':
                name(result);
                break;
            case 'n':
                objectName(result);
                break;
            case 'H':
                colour(result);
                break;
            case 'B':
                button(result);
                break;
            case 'i':
                image(result);
                break;
            case 's':
                sprite(result);
                break;
            case ',':
                requireComma();
                result += ",";
                ++ctx_.line.gPointer;
                break;
            default:
                throw CompileException(res("Error_Compiler_error"));
        }
    }
    return result;
}

std::string JavaHandleArguments::passBrackets(std::string& result) {
    std::string run = Bracket(static_cast<int>(ctx_.line.size()));
    result += run;
    ctx_.line.gPointer += static_cast<int>(run.size());
    return run;
}

bool JavaHandleArguments::expression(char letter, const std::string& leading, std::string& result) {
    ValueShape shape(letter != 'S');
    shape.brackets(leading);
    if (atListEnd()) {
        shape.end();
        return true;
    }
    for (;;) {
        const std::string t = current();
        std::optional<std::string> piece;
        if (letter == 'S') {
            ctx_.debug.printDebug("String received: " + t);
            piece = stringPiece(t);
        } else if (letter == 'I') {
            ctx_.debug.printDebug("Integer Received: " + t);
            piece = integerPiece(t);
        } else {
            piece = floatPiece(t);
        }
        if (!piece) {
            if (comparator_) {
                comparator_ = false;
                shape.end(false);
                return false;
            }
            if (letter != 'F' && t == ")") {
                shape.end();
                return false;
            }
            if (letter != 'F') ctx_.debug.printDebug(t);
            if (letter == 'S') throw CompileException(res("Error_Expecting"));
            if (letter == 'I') throw CompileException(res("Error_Expecting_I"));
            throw CompileException(res("Error_Expecting_float"));
        }
        // A lone "-" is a number token and is written without blanks; two in a row must not read as "--".
        if (!result.empty() && result.back() == '-' && !piece->empty() && piece->front() == '-')
            result += ' ';
        if (tokens::isOperator(t)) {
            shape.op(t);
        } else {
            shape.operand();
        }
        result += *piece;
        ++ctx_.line.gPointer;
        shape.brackets(passBrackets(result));
        if (atListEnd()) {
            shape.end();
            return true;
        }
    }
}

std::optional<std::string> JavaHandleArguments::stringPiece(const std::string& t) {
    if (isQuoted(t)) return t;
    if (const Variable* v = helpers_.valueVariable(t)) {
        if (v->getType() != TypeCodes::cString) {
            ctx_.debug.printDebug("Found a variable but not string");
            throw CompileException(res("Error_Expecting"));
        }
        return Helpers::FixVariable(t);
    }
    if (endsWith(t, '$') && ctx_.functions.isFuncArg(t)) return Helpers::FixVariable(t);
    if (auto text = reference(t, TypeCodes::cString, "Error: Expecting type variable of type String",
                              "Error: Expecting type array of type String", res("Error_Expecting_array"))) {
        return text;
    }
    if (ctx_.library.isReturner(t)) {
        std::optional<std::string> text = returner();
        if (!text) return std::nullopt;
        ctx_.debug.printDebug("String returner returned > " + *text + " of type " +
                              std::to_string(ctx_.line.returnType));
        if (ctx_.line.returnType != TypeCodes::cString) throw CompileException(res("Error_Expecting"));
        return text;
    }
    if (ctx_.library.isChanger(t)) {
        std::optional<std::string> text = changer();
        if (!text) return std::nullopt;
        ctx_.debug.printDebug("String changer returned > " + *text + " of type " +
                              std::to_string(ctx_.line.returnType));
        if (ctx_.line.returnType != TypeCodes::cString) throw CompileException(res("Error_Expecting"));
        return text;
    }
    if (t == "+") return std::string(" + ");
    return std::nullopt;
}

std::optional<std::string> JavaHandleArguments::reference(const std::string& t, int type,
                                                          const char* fieldMismatch,
                                                          const char* recordArrayMismatch,
                                                          const std::string& arrayMismatch) {
    if (Helpers::correctType(t)) return recordField(TypeCodes::fieldCode(type), fieldMismatch);
    if (endsWith(t, '%')) return recordField(TypeCodes::fieldCode(type), recordArrayMismatch);
    if (const Array* a = helpers_.Array(t)) {
        if (a->getType() != type) throw CompileException(arrayMismatch);
        return arrayIndex(a->dimensions);
    }
    return std::nullopt;
}

std::optional<std::string> JavaHandleArguments::integerPiece(const std::string& t) {
    if (Helpers::Number(t)) return t;
    if (const Variable* v = helpers_.valueVariable(t)) {
        if (!isIntegerValue(*v)) throw CompileException(res("Error_Expecting_I"));
        if (v->getType() == TypeCodes::cSpecial) return Helpers::ownName(Helpers::FixVariable(t));
        return Helpers::FixVariable(t);
    }
    if (auto text =
            reference(t, TypeCodes::cInt, "Error: Expecting variable of type Integer",
                      "Error: Expecting array of type Integer", "Error: Expecting array of type Integer")) {
        return text;
    }
    if (ctx_.library.isReturner(t)) {
        ctx_.debug.printDebug("Arguments (Int) > Returner > " + t);
        if (!nextIsBracket()) ctx_.debug.printDebug("Noo");
        std::optional<std::string> text = returner();
        if (!text) return std::nullopt;
        ctx_.debug.printDebug("Arguments (Int) > AFTER Returner > " +
                              (ctx_.line.has(ctx_.line.gPointer) ? current() : std::string()));
        if (ctx_.line.returnType != TypeCodes::cInt) throw CompileException(res("Error_Expecting_I"));
        return text;
    }
    if (ctx_.library.isChanger(t)) {
        const LineState& line = ctx_.line;
        ctx_.debug.printDebug("Arguments (Int) > Changer > " +
                              (line.has(line.gPointer + 1) ? line.token(line.gPointer + 1) : std::string()));
        std::optional<std::string> text = changer();
        if (!text) return std::nullopt;
        if (ctx_.line.returnType != TypeCodes::cInt) throw CompileException(res("Error_Expecting_I"));
        return text;
    }
    std::string op = arithmetic(t);
    if (!op.empty()) return op;
    return std::nullopt;
}

// "#" values are float: decimal literals get the float suffix, and integer values widen by themselves.
std::optional<std::string> JavaHandleArguments::floatPiece(const std::string& t) {
    if (Helpers::Number(t)) return t;
    if (isDecimal(t)) {
        ctx_.library.setFloat();
        return t + "f";
    }
    if (const Variable* v = helpers_.valueVariable(t)) {
        if (v->getType() != TypeCodes::cFloat) throw CompileException(res("Error_Expecting_float"));
        return Helpers::FixVariable(t);
    }
    if (auto text =
            reference(t, TypeCodes::cFloat, "Error: Expecting variable of type Float",
                      "Error: Expecting array of type Float", "Error: Expecting array of type Float")) {
        return text;
    }
    const bool isReturner = ctx_.library.isReturner(t);
    if (isReturner || ctx_.library.isChanger(t)) {
        std::optional<std::string> text = isReturner ? returner() : changer();
        if (!text) return std::nullopt;
        int type = ctx_.line.returnType;
        if (type != TypeCodes::cInt && type != TypeCodes::cFloat) {
            throw CompileException(res("Error_Expecting_float"));
        }
        return text;
    }
    std::string op = arithmetic(t);
    if (!op.empty()) return op;
    return std::nullopt;
}

std::string JavaHandleArguments::recordField(int expected, const char* mismatch) {
    HandleType field(ctx_);
    std::string text = field.translate();
    if (ctx_.line.returnType != expected) throw CompileException(mismatch);
    return text;
}

std::string JavaHandleArguments::arrayIndex(int dimensions) {
    std::string name = Helpers::FixVariable(current());
    ++ctx_.line.gPointer;
    HandleArray index(ctx_);
    return name + index.translate(dimensions);
}

std::optional<std::string> JavaHandleArguments::returner() {
    if (!nextIsBracket()) throw CompileException(res("Error_Expecting_Comma"));
    HandleReturner call(ctx_);
    std::string text = call.Returner();
    if (text.empty()) return std::nullopt;
    return text;
}

std::optional<std::string> JavaHandleArguments::changer() {
    if (!nextIsBracket()) throw CompileException(res("Error_Expecting_Comma"));
    HandleChanger call(ctx_);
    std::string text = call.Changer();
    if (text.empty()) return std::nullopt;
    return text;
}

bool JavaHandleArguments::boolean(std::string& result) {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    std::optional<std::string> piece;
    const Variable* v = helpers_.Variable(t);
    if (v && v->getType() == TypeCodes::cBoolean) {
        piece = Helpers::FixVariable(t);
    } else if (ctx_.library.isReturner(t)) {
        piece = returner();
        if (piece && line.returnType != TypeCodes::cBoolean)
            throw CompileException(res("Error_Expecting_flag"));
    } else if (t == "TRUE") {
        piece = "true";
    } else if (t == "FALSE") {
        piece = "false";
    }
    if (!piece) {
        if (comparator_) {
            comparator_ = false;
            return false;
        }
        throw CompileException(res("Error_Expecting_flag"));
    }
    result += *piece;
    ++line.gPointer;
    passBrackets(result);
    return true;
}

void JavaHandleArguments::name(std::string& result) {
    LineState& line = ctx_.line;
    ctx_.debug.printDebug("Name Received " + (line.has(line.gPointer) ? current() : std::string()));
    if (atListEnd()) return;
    std::string& token = line.Tokens[static_cast<std::size_t>(line.gPointer)];
    // The bare name stays in the line for the rest of the statement.
    if (isQuoted(token)) token = token.substr(1, token.size() - 2);
    const std::string t = token;
    // The name becomes a Java name, and a second word would be glued to it.
    if (!Helpers::javaName(t)) {
        if (t == "+") throw CompileException(res("Error_Cannot_use_the"));
        throw CompileException(res("Error_Expecting"));
    }
    result += t;
    ++line.gPointer;
    if (!atListEnd()) throw CompileException(res("Error_Expecting"));
}

void JavaHandleArguments::objectName(std::string& result) {
    if (atListEnd()) return;
    const std::string t = current();
    if (ctx_.objects.Names.indexOf(t) < 0) throw CompileException(res("Error_Expecting_name"));
    result += t;
    ++ctx_.line.gPointer;
    passBrackets(result);
    // One word: a second would be glued to it in the Java.
    if (!atListEnd()) throw CompileException(res("Error_Expecting_name"));
}

void JavaHandleArguments::colour(std::string& result) {
    if (atListEnd()) return;
    const std::string t = current();
    if (!isDigits(t)) throw CompileException(res("Error_Expecting_hex"));
    result += t;
    ++ctx_.line.gPointer;
    passBrackets(result);
    // One word: a second would be glued to it in the Java.
    if (!atListEnd()) throw CompileException(res("Error_Expecting_hex"));
}

void JavaHandleArguments::button(std::string& result) {
    if (atListEnd()) return;
    const std::string t = current();
    if (helpers_.Button(t) < 0) throw CompileException(res("Error_Button_name_is"));
    result += t;
    ++ctx_.line.gPointer;
    passBrackets(result);
    // One word: a second would be glued to it in the Java.
    if (!atListEnd()) throw CompileException(res("Error_Button_name_is"));
}

void JavaHandleArguments::image(std::string& result) {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    if (helpers_.Image(t) >= 0) {
        result += t;
    } else if (t == "NULL") {
        result += "null";
    } else {
        throw CompileException(res("Error_Image_name_is"));
    }
    ++line.gPointer;
    passBrackets(result);
}

void JavaHandleArguments::sprite(std::string& result) {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    if (helpers_.Sprite(t) < 0 && helpers_.SpriteArray(t) < 0) {
        throw CompileException(res("Error_Sprite_name_is"));
    }
    result += t;
    ++line.gPointer;
    passBrackets(result);
}

}  // namespace compiler
