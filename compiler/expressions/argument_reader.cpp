#include "expressions/argument_reader.h"

#include <utility>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/messages.h"
#include "expressions/array_access.h"
#include "expressions/changer.h"
#include "expressions/returner.h"
#include "expressions/type_access.h"

namespace compiler {
namespace {

using tokens::bracketStep;
using tokens::endsWith;
using tokens::isDecimal;
using tokens::isDigits;
using tokens::isQuoted;

// POINTX and POINTY are the int parameters of pointerDragged; the lookup finds them only there.
bool isIntegerValue(const Variable& v) {
    if (v.getType() == TypeCodes::cInt) return true;
    return v.getType() == TypeCodes::cSpecial && (v.getName() == "POINTX" || v.getName() == "POINTY");
}

// "-" alone is a number token too (Helpers::Number): in Java it is written without blanks, as the
// number's sign would be.
Piece operatorPiece(const std::string& t) {
    if (t == "+") return {" + ", std::string(ByteCodes::add)};
    if (t == "-") return {"-", std::string(ByteCodes::sub)};
    if (t == "/") return {" / ", std::string(ByteCodes::div)};
    return {" * ", std::string(ByteCodes::mult)};
}

std::string framed(std::string_view start, const std::string& text, std::string_view end) {
    return std::string(start) + text + std::string(end);
}

std::string numberBytes(const std::string& digits) {
    ByteEmitter number;
    number.injectNum(digits);
    return number.bytes();
}

}  // namespace

bool ArgumentReader::nextIsBracket() const {
    const LineState& line = ctx_.line;
    return line.has(line.gPointer + 1) && line.token(line.gPointer + 1) == "(";
}

std::string ArgumentReader::Bracket(int end) {
    const LineState& line = ctx_.line;
    std::string run;
    for (int i = line.gPointer; i < end && line.has(i); ++i) {
        const std::string& t = line.token(i);
        if (t == "(") {
            ++left;
        } else if (t == ")") {
            // A ")" that closes more than this object opened belongs to an enclosing call; it is left
            // standing and not counted, so a later "(" ... ")" pair still balances.
            if (left < right + 1) break;
            ++right;
        } else {
            break;
        }
        ++numberOftokens;
        run += t;
    }
    return run;
}

void ArgumentReader::read(std::string_view pattern, int start, int argNo) {
    comparator_ = std::exchange(ctx_.library.isComparator, false);
    translated_ = false;
    text_.clear();
    try {
        readList(pattern, start, argNo);
    } catch (CompileException& e) {
        e.addError("in Arguments");
        throw;
    }
}

void ArgumentReader::readList(std::string_view pattern, int start, int argNo) {
    checkCount(pattern, start);
    position(start, argNo);
    LineState& line = ctx_.line;
    for (char letter : pattern) {
        const std::string leading = passBrackets();
        if (bytes() && line.has(line.gPointer)) ctx_.debug.printDebug("Sent " + current());
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
                name();
                break;
            case 'n':
            case 'H':
            case 'B':
                word(letter);
                break;
            case 'i':
                image();
                break;
            case 's':
                sprite();
                break;
            case ',':
                requireComma();
                text_ += ",";
                ++line.gPointer;
                continue;
            default:
                throw CompileException(res("Error_Compiler_error"));
        }
        endArgument();
    }
}

// Only the commas outside brackets separate arguments: a call's or an index's own commas belong to it.
void ArgumentReader::checkCount(std::string_view pattern, int start) const {
    const LineState& line = ctx_.line;
    long commas = std::count(pattern.begin(), pattern.end(), ',');
    long found = 0;
    int depth = 0;
    for (long i = start; i < start + static_cast<long>(pattern.size()) && line.has(i); ++i) {
        depth += bracketStep(line.token(i));
        if (depth == 0 && line.token(i) == ",") ++found;
    }
    if (commas < found) throw CompileException(res("Error_Number_of"));
}

void ArgumentReader::position(int start, int argNo) {
    LineState& line = ctx_.line;
    if (argNo <= 0 || !line.has(start)) return;
    if (argNo == 1) {
        line.gPointer = start;
        return;
    }
    int commas = 0;
    int depth = 0;
    for (int i = start; line.has(i); ++i) {
        depth += bracketStep(line.token(i));
        if (depth == 0 && line.token(i) == "," && ++commas == argNo - 1) {
            line.gPointer = i + 1;
            return;
        }
    }
}

bool ArgumentReader::atListEnd() const {
    const LineState& line = ctx_.line;
    return !line.has(line.gPointer) || line.current() == ",";
}

void ArgumentReader::requireComma() const {
    if (!atListEnd()) throw CompileException(res("Error_Expecting_operator"));
}

const std::string& ArgumentReader::current() const {
    return ctx_.line.current();
}

std::string ArgumentReader::tokenHere() const {
    const LineState& line = ctx_.line;
    return line.has(line.gPointer) ? line.current() : std::string();
}

void ArgumentReader::javaTrace(const std::string& text) const {
    if (!bytes()) ctx_.debug.printDebug(text);
}

std::string ArgumentReader::passBrackets() {
    std::string run = Bracket(static_cast<int>(ctx_.line.size()));
    text_ += run;
    ctx_.line.gPointer += static_cast<int>(run.size());
    return run;
}

void ArgumentReader::append(const Piece& piece) {
    text_ += piece.text;
    if (bytes()) bytes_.injectBytes(piece.bytes);
}

void ArgumentReader::endArgument() {
    if (comma_) {
        comma_ = false;
    } else if (bytes()) {
        bytes_.injectTok(ByteCodes::endData);
    }
}

bool ArgumentReader::expression(char letter, const std::string& leading) {
    ValueShape shape(letter != 'S');
    shape.brackets(leading);
    if (atListEnd()) {
        shape.end();
        return true;
    }
    for (;;) {
        const std::string t = current();
        // An array reference ends its argument only when nothing follows it there.
        comma_ = false;
        std::optional<Piece> piece;
        if (letter == 'S') {
            ctx_.debug.printDebug("String received: " + t);
            piece = stringPiece(t);
        } else if (letter == 'I') {
            ctx_.debug.printDebug("Integer Received: " + t);
            piece = integerPiece(t, shape);
        } else {
            piece = floatPiece(t, shape);
        }
        if (!piece) {
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
        if (tokens::isOperator(t) && current() == t) {
            shape.op(t);
        } else {
            shape.operand();
        }
        // Two "-" in a row must not read as Java's "--".
        if (!text_.empty() && text_.back() == '-' && !piece->text.empty() && piece->text.front() == '-')
            text_ += ' ';
        append(*piece);
        ++ctx_.line.gPointer;
        shape.brackets(passBrackets());
        if (atListEnd()) {
            shape.end();
            return true;
        }
    }
}

std::optional<Piece> ArgumentReader::signedNumber(const std::string& t, const ValueShape& shape) {
    LineState& line = ctx_.line;
    if (t != "-" || !shape.operandDue() || !line.has(line.gPointer + 1)) return std::nullopt;
    const std::string number = "-" + line.token(line.gPointer + 1);
    if (!isDigits(number.substr(1))) return std::nullopt;
    ++line.gPointer;
    return Piece{number, bytes() ? numberBytes(number) : std::string()};
}

std::optional<Piece> ArgumentReader::stringPiece(const std::string& t) {
    if (isQuoted(t)) return Piece{t, bytes() ? framed(ByteCodes::strS, t, ByteCodes::strE) : std::string()};
    if (const Variable* v = helpers_.valueVariable(t)) {
        if (v->getType() != TypeCodes::cString) {
            ctx_.debug.printDebug("Found a variable but not string");
            throw CompileException(res("Error_Expecting"));
        }
        return variable(t);
    }
    if (endsWith(t, '$') && ctx_.functions.isFuncArg(t)) return variable(t);
    if (auto piece = reference(t, TypeCodes::cString, "Error: Expecting type variable of type String",
                               "Error: Expecting type array of type String", res("Error_Expecting_array"))) {
        return piece;
    }
    if (ctx_.library.isReturner(t))
        return typed(call(t), {TypeCodes::cString}, res("Error_Expecting"), "String returner returned > ");
    if (ctx_.library.isChanger(t))
        return typed(call(t), {TypeCodes::cString}, res("Error_Expecting"), "String changer returned > ");
    if (t == "+") return operatorPiece(t);
    return std::nullopt;
}

std::optional<Piece> ArgumentReader::integerPiece(const std::string& t, const ValueShape& shape) {
    if (auto piece = signedNumber(t, shape)) return piece;
    if (tokens::isOperator(t)) return operatorPiece(t);
    if (Helpers::Number(t)) return Piece{t, bytes() ? numberBytes(t) : std::string()};
    if (const Variable* v = helpers_.valueVariable(t)) {
        if (!isIntegerValue(*v)) throw CompileException(res("Error_Expecting_I"));
        if (v->getType() == TypeCodes::cSpecial) return Piece{Helpers::ownName(Helpers::FixVariable(t)), {}};
        return variable(t);
    }
    if (auto piece =
            reference(t, TypeCodes::cInt, "Error: Expecting variable of type Integer",
                      "Error: Expecting array of type Integer", "Error: Expecting array of type Integer")) {
        return piece;
    }
    if (ctx_.library.isReturner(t)) {
        javaTrace("Arguments (Int) > Returner > " + t);
        if (!nextIsBracket()) javaTrace("Noo");
        std::optional<Piece> value = call(t);
        if (value) javaTrace("Arguments (Int) > AFTER Returner > " + tokenHere());
        return typed(std::move(value), {TypeCodes::cInt}, res("Error_Expecting_I"));
    }
    if (ctx_.library.isChanger(t)) {
        const LineState& line = ctx_.line;
        javaTrace("Arguments (Int) > Changer > " +
                  (line.has(line.gPointer + 1) ? line.token(line.gPointer + 1) : std::string()));
        return typed(call(t), {TypeCodes::cInt}, res("Error_Expecting_I"));
    }
    return std::nullopt;
}

// "#" values are float: decimal literals get the float suffix, and integer values widen by themselves.
std::optional<Piece> ArgumentReader::floatPiece(const std::string& t, const ValueShape& shape) {
    if (auto piece = signedNumber(t, shape)) return piece;
    if (tokens::isOperator(t)) return operatorPiece(t);
    if (Helpers::Number(t)) return Piece{t, bytes() ? numberBytes(t) : std::string()};
    if (isDecimal(t)) {
        ctx_.library.setFloat();
        return Piece{t + "f", bytes() ? numberBytes(t) : std::string()};
    }
    if (const Variable* v = helpers_.valueVariable(t)) {
        if (v->getType() != TypeCodes::cFloat) throw CompileException(res("Error_Expecting_float"));
        return variable(t);
    }
    if (auto piece =
            reference(t, TypeCodes::cFloat, "Error: Expecting variable of type Float",
                      "Error: Expecting array of type Float", "Error: Expecting array of type Float")) {
        return piece;
    }
    const std::string& mismatch = res("Error_Expecting_float");
    if (ctx_.library.isReturner(t) || ctx_.library.isChanger(t))
        return typed(call(t), {TypeCodes::cInt, TypeCodes::cFloat}, mismatch);
    return std::nullopt;
}

Piece ArgumentReader::variable(const std::string& t) const {
    const std::string name = Helpers::FixVariable(t);
    if (!bytes()) return Piece{name, {}};
    return Piece{name, framed(ByteCodes::variableS, std::to_string(ctx_.library.getByteNa(name, ctx_.debug)),
                              ByteCodes::variableE)};
}

std::optional<Piece> ArgumentReader::reference(const std::string& t, TypeCode type, const char* fieldMismatch,
                                               const char* recordArrayMismatch,
                                               const std::string& arrayMismatch) {
    if (Helpers::correctType(t)) return recordField(TypeCodes::fieldCode(type), fieldMismatch);
    if (endsWith(t, '%')) return recordField(TypeCodes::fieldCode(type), recordArrayMismatch);
    if (const Array* a = helpers_.Array(t)) {
        if (a->getType() != type) throw CompileException(arrayMismatch);
        return arrayElement(*a);
    }
    return std::nullopt;
}

Piece ArgumentReader::recordField(TypeCode expected, const char* mismatch) {
    HandleType field(ctx_);
    std::string text = field.translate();
    if (ctx_.line.returnType != expected) throw CompileException(mismatch);
    return Piece{std::move(text), field.retByte()};
}

Piece ArgumentReader::arrayElement(const compiler::Array& array) {
    Piece piece{Helpers::FixVariable(current()), {}};
    if (bytes()) {
        ByteEmitter number;
        number.injectTok(ByteCodes::arrayS);
        number.injectCode(std::to_string(ctx_.arrays.findVisible(piece.text)));
        number.injectTok(ByteCodes::arrayE);
        number.injectTok(ByteCodes::endData);
        piece.bytes = number.bytes();
    }
    ++ctx_.line.gPointer;
    HandleArray index(ctx_);
    piece.text += index.translate(array.dimensions);
    if (bytes()) piece.bytes += index.retByte() + std::string(ByteCodes::arrayC);
    comma_ = true;
    return piece;
}

std::optional<Piece> ArgumentReader::call(const std::string& t) {
    if (!nextIsBracket()) throw CompileException(res("Error_Expecting_Comma"));
    Piece piece;
    if (ctx_.library.isReturner(t)) {
        HandleReturner returner(ctx_);
        piece.text = returner.Returner();
        piece.bytes = returner.retByte();
    } else {
        HandleChanger changer(ctx_);
        piece.text = changer.Changer();
        piece.bytes = changer.retByte();
    }
    if (piece.text.empty()) return std::nullopt;
    return piece;
}

std::optional<Piece> ArgumentReader::typed(std::optional<Piece> value, std::initializer_list<TypeCode> types,
                                           const std::string& mismatch, std::string_view trace) const {
    if (!value) return std::nullopt;
    const TypeCode type = ctx_.line.returnType;
    if (!trace.empty()) javaTrace(std::string(trace) + value->text + " of type " + std::to_string(type));
    if (std::find(types.begin(), types.end(), type) == types.end()) throw CompileException(mismatch);
    return value;
}

bool ArgumentReader::boolean() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    std::optional<Piece> piece;
    const Variable* v = helpers_.Variable(t);
    if (v && v->getType() == TypeCodes::cBoolean) {
        piece = variable(t);
    } else if (ctx_.library.isReturner(t)) {
        piece = typed(call(t), {TypeCodes::cBoolean}, res("Error_Expecting_flag"));
    } else if (t == "TRUE") {
        piece = Piece{"true", std::string(ByteCodes::boolT)};
    } else if (t == "FALSE") {
        piece = Piece{"false", std::string(ByteCodes::boolF)};
    }
    if (!piece) {
        if (comparator_) {
            comparator_ = false;
            return false;
        }
        throw CompileException(res("Error_Expecting_flag"));
    }
    append(*piece);
    translated_ = true;
    ++line.gPointer;
    passBrackets();
    return true;
}

// The name becomes a Java name, and a second word would be glued to it. The byte form passes the brackets
// after it, and names a "+" glued to it.
void ArgumentReader::name() {
    LineState& line = ctx_.line;
    ctx_.debug.printDebug("Name Received " + tokenHere());
    if (atListEnd()) return;
    std::string& token = line.Tokens[static_cast<std::size_t>(line.gPointer)];
    // The bare name stays in the line for the rest of the statement.
    if (isQuoted(token)) token = token.substr(1, token.size() - 2);
    const std::string t = token;
    if (!Helpers::javaName(t)) {
        if (t == "+") throw CompileException(res("Error_Cannot_use_the"));
        throw CompileException(res("Error_Expecting"));
    }
    ++line.gPointer;
    if (bytes()) passBrackets();
    if (!atListEnd()) {
        if (bytes() && current() == "+") throw CompileException(res("Error_Cannot_use_the"));
        throw CompileException(res("Error_Expecting"));
    }
    append(Piece{t, framed(ByteCodes::nameS, t, ByteCodes::nameE)});
    translated_ = true;
}

void ArgumentReader::word(char letter) {
    if (atListEnd()) return;
    const std::string t = current();
    MessageKey failure = "Error_Button_name_is";
    bool fits = false;
    if (letter == 'n') {
        failure = "Error_Expecting_name";
        fits = ctx_.objects.Names.indexOf(t) >= 0;
    } else if (letter == 'H') {
        failure = "Error_Expecting_hex";
        fits = isDigits(t);
    } else {
        fits = helpers_.Button(t) >= 0;
    }
    if (!fits) throw CompileException(res(failure));
    append(Piece{t, letter == 'H' ? numberBytes(t) : framed(ByteCodes::nameS, t, ByteCodes::nameE)});
    ++ctx_.line.gPointer;
    passBrackets();
    // One word: a second would be glued to it in the Java.
    if (!atListEnd()) throw CompileException(res(failure));
    translated_ = true;
}

// The byte form has no NULL: its image slot needs a real image.
void ArgumentReader::image() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    if (helpers_.Image(t) >= 0) {
        append(Piece{t, framed(ByteCodes::imageS, t, ByteCodes::imageE)});
    } else if (t == "NULL" && !bytes()) {
        append(Piece{"null", {}});
    } else {
        throw CompileException(res("Error_Image_name_is"));
    }
    translated_ = true;
    ++line.gPointer;
    passBrackets();
}

// Single sprites only in the byte form: it has no sprite arrays.
void ArgumentReader::sprite() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Number_of"));
    const std::string t = current();
    if (helpers_.Sprite(t) < 0 && (bytes() || helpers_.SpriteArray(t) < 0)) {
        throw CompileException(res("Error_Sprite_name_is"));
    }
    append(Piece{t, framed(ByteCodes::spriteS, t, ByteCodes::spriteE)});
    translated_ = true;
    ++line.gPointer;
    passBrackets();
}

void ValueShape::operand() {
    if (!operandDue_) throw CompileException(res("Error_Expecting_operator"));
    started_ = true;
    operandDue_ = false;
}

void ValueShape::op(const std::string& t) {
    const bool sign = signs_ && (t == "+" || t == "-");
    if (operandDue_ && !sign) throw CompileException(res("Error_Expecting_value"));
    started_ = true;
    operandDue_ = true;
}

void ValueShape::brackets(std::string_view run) {
    for (char c : run) {
        if (c == '(') {
            if (!operandDue_) throw CompileException(res("Error_Expecting_operator"));
            ++depth_;
        } else {
            if (operandDue_) throw CompileException(res("Error_Expecting_value"));
            --depth_;
        }
        started_ = true;
    }
}

void ValueShape::end(bool whole) const {
    if (started_ && operandDue_) throw CompileException(res("Error_Expecting_value"));
    if (whole && depth_ != 0) throw CompileException(res("Error_Bracket_argument"));
}

}  // namespace compiler
