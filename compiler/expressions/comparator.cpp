#include "expressions/comparator.h"

#include <memory>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/changer.h"
#include "expressions/nested_values.h"
#include "expressions/returner.h"
#include "expressions/type_access.h"

namespace compiler {
namespace {

bool isDecimal(const std::string& t) {
    std::size_t dot = t.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == t.size()) return false;
    if (t.find('.', dot + 1) != std::string::npos) return false;
    for (std::size_t i = (t[0] == '-' ? 1 : 0); i < t.size(); ++i) {
        if (t[i] != '.' && (t[i] < '0' || t[i] > '9')) return false;
    }
    return true;
}

std::string upper(std::string text) {
    return Helpers::toUpper(text);
}

}  // namespace

std::optional<Comparator::Kind> Comparator::kindOf(TypeCode type) {
    if (type == TypeCodes::cString) return Kind::String;
    if (type == TypeCodes::cBoolean) return Kind::Boolean;
    if (type == TypeCodes::cFloat) return Kind::Float;
    if (type == TypeCodes::cInt) return Kind::Number;
    return std::nullopt;
}

std::string_view Comparator::markOf(Kind kind) {
    if (kind == Kind::String) return ByteCodes::onlyString;
    if (kind == Kind::Boolean) return ByteCodes::onlyBoolean;
    return ByteCodes::onlyInt;
}

Comparator::Kind Comparator::left(Kind kind, const std::string& text) {
    if (kind == Kind::String) {
        leftString_ = text;
    } else {
        out_ += text;
    }
    return kind;
}

bool Comparator::bytes() const {
    return !ctx_.project.isJava();
}

void Comparator::token(std::string_view code) {
    if (bytes()) bytes_.injectTok(code);
}

std::string Comparator::tokenHere() const {
    const LineState& line = ctx_.line;
    return line.has(line.gPointer) ? line.current() : std::string();
}

std::string Comparator::bracketRun() {
    LineState& line = ctx_.line;
    std::string run = Helpers::Bracket(line.Tokens, line.gPointer, static_cast<int>(line.size()));
    line.gPointer += static_cast<int>(run.size());
    return run;
}

// One side of a comparison through a fresh argument translator. The comparator signal lets it stop
// quietly at the operator (or at THEN, AND, OR); it is cleared again whatever the translator did, so it
// never reaches the next list.
std::string Comparator::argument(std::string_view pattern) {
    Library& library = ctx_.library;
    library.isComparator = true;
    try {
        std::unique_ptr<InterfaceArguments> arguments = newArguments(ctx_);
        std::string text = arguments->HandleArguments(pattern, ctx_.line.gPointer, 0);
        library.isComparator = false;
        if (text.empty()) throw missingValue(pattern);
        if (bytes()) bytes_.injectBytes(arguments->retByte().value_or(""));
        return text;
    } catch (...) {
        library.isComparator = false;
        throw;
    }
}

std::string Comparator::HandleComparator(std::string_view head) {
    try {
        if (ctx_.debug.enabled()) {
            std::string words;
            for (const std::string& t : ctx_.line.Tokens) words += t + " ";
            ctx_.debug.printDebug(words);
        }
        out_ = std::string(head);
        leftString_.clear();
        bytes_ = ByteEmitter();
        LineState& line = ctx_.line;
        for (;;) {
            comparison();
            ctx_.debug.printDebug("Comparator Stage 4 (look for then, or and, or or) > " + tokenHere());
            if (out_.rfind("while(", 0) == 0 && !line.has(line.gPointer)) return out_ + "){";
            if (!line.has(line.gPointer)) throw CompileException(res("Error_Expecting_THEN"));
            const std::string word = upper(line.current());
            if (word == "AND") {
                ctx_.debug.printDebug("Comparator > And");
                out_ += " && ";
                token(ByteCodes::and_);
            } else if (word == "OR") {
                ctx_.debug.printDebug("Comparator > Or");
                out_ += " || ";
                token(ByteCodes::or_);
            } else if (word == "THEN") {
                return out_ + "){";
            } else {
                throw CompileException(res("Error_Unknown_symbol_") + line.current() + "\"");
            }
            ++line.gPointer;
        }
    } catch (CompileException& e) {
        ctx_.library.isComparator = false;
        e.addError("in Comparison");
        throw;
    }
}

void Comparator::comparison() {
    ctx_.debug.printDebug("Starting comparator > " + tokenHere());
    out_ += bracketRun();
    Kind kind = leftOperand();
    ctx_.debug.printDebug("Comparator Stage 1 (look for operator) > " + tokenHere());
    operatorFor(kind);
    ++ctx_.line.gPointer;
    ctx_.debug.printDebug("Comparator Stage 2 (look for second part) > " + tokenHere());
    rightOperand(kind);
    token(ByteCodes::endData);
    ctx_.debug.printDebug("Comparator Stage 3 (sort brackets) > " + tokenHere());
    out_ += bracketRun();
}

Comparator::Kind Comparator::leftOperand() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer)) throw CompileException(res("Error_Cannot_evaluate"));
    const std::string t = line.current();
    Helpers helpers(ctx_);

    if (ctx_.functions.CurrentKind == OwnerKind::Action && t == "C") {
        out_ += Helpers::ownName("C");
        token(ByteCodes::onlyButton);
        token(ByteCodes::formButton);
        ++line.gPointer;
        return Kind::Button;
    }

    TypeCode type = TypeCodes::cVoid;
    bool found = false;
    if (helpers.valueVariable(t)) {
        ctx_.debug.printDebug("Handling variable in comparator > " + t);
        type = helpers.VariableType(t);
        found = true;
    } else if (helpers.Array(t)) {
        type = helpers.ArrayType(t);
        found = true;
    }
    if (found && type == TypeCodes::cType) {
        // An element of an array of records: the field after its index is the value compared.
        const int start = line.gPointer;
        HandleType element(ctx_);
        const std::string reference = element.translate();
        if (line.returnType == TypeCodes::ctBoolean) {
            token(ByteCodes::onlyBoolean);
            if (bytes()) bytes_.injectBytes(element.retByte());
            out_ += reference;
            ++line.gPointer;
            return Kind::Boolean;
        }
        type = TypeCodes::plainCode(line.returnType);
        line.gPointer = start;
    }
    if (found) {
        const Kind kind = kindOf(type).value_or(Kind::Number);
        token(markOf(kind));
        return left(kind, argument(kind == Kind::String    ? "S"
                                   : kind == Kind::Boolean ? "b"
                                   : kind == Kind::Float   ? "F"
                                                           : "I"));
    }

    // A conversion or a value built-in ends on its closing bracket: step past it to the operator.
    if (ctx_.library.isChanger(t) || ctx_.library.isReturner(t)) {
        // A function of the program's own named like a conversion is the function, as in any value.
        const bool changer = ctx_.library.isChanger(t) && !ctx_.functions.isFunction(t);
        std::string text, valueBytes;
        if (changer) {
            HandleChanger call(ctx_);
            text = call.Changer();
            valueBytes = call.retByte();
        } else {
            HandleReturner call(ctx_);
            text = call.Returner();
            valueBytes = call.retByte();
        }
        ++line.gPointer;
        if (!changer) ctx_.debug.printDebug("Returner returns " + out_);
        // A string or boolean value is marked; a number is not.
        const std::optional<Kind> kind = kindOf(line.returnType);
        if (kind == Kind::String || kind == Kind::Boolean) token(markOf(*kind));
        if (bytes()) bytes_.injectBytes(valueBytes);
        // A function that returns nothing has no value to compare.
        if (!kind) throw CompileException(res("Error_Cannot_evaluate"));
        return left(*kind, text);
    }

    // A negative number is one value: the line's spacing has split its sign off, as it does everywhere but
    // after "=".
    std::string number = t;
    const std::string next = line.has(line.gPointer + 1) ? line.token(line.gPointer + 1) : std::string();
    if (t == "-" && !next.empty() && next[0] >= '0' && next[0] <= '9' &&
        (Helpers::Number(next) || isDecimal(next))) {
        number += next;
        ++line.gPointer;
    }
    if (Helpers::Number(number) && number != "-") {
        out_ += number;
        token(ByteCodes::onlyInt);
        if (bytes()) bytes_.injectNum(number);
        ++line.gPointer;
        return Kind::Number;
    }
    if (isDecimal(number)) {
        out_ += number + "f";
        token(ByteCodes::onlyInt);
        if (bytes()) bytes_.injectNum(number);
        ++line.gPointer;
        return Kind::Float;
    }

    // A record field: variable% . field in one token.
    if (t.find('%') == std::string::npos || t.find('.') == std::string::npos) {
        throw CompileException(res("Error_Cannot_evaluate"));
    }
    const std::size_t dot = t.find('.');
    std::string record = t.substr(0, dot);
    if (!record.empty()) record.pop_back();
    std::string field = t.substr(dot + 1);
    if (std::size_t more = field.find('.'); more != std::string::npos) field.resize(more);
    field = Helpers::FixVariable(field);
    // One suffix is the record's: with a second ("P%%") its name would reach the Java.
    if (Helpers::FixVariable(record) != record || !helpers.Variable(record) ||
        helpers.VariableType(record) != TypeCodes::cType) {
        throw CompileException(res("Error_Type_is_unknown"));
    }
    const std::string reference = record + "." + field;
    TypeCode fieldType = TypeCodes::cVoid;
    // The field of the record's own type: another type may have a field of that name and another kind.
    if (const std::string& type = helpers.Variable(record)->recordType; !type.empty()) {
        const int index = ctx_.variables.findOwned(field, Owner{OwnerKind::Type, type});
        if (index >= 0) fieldType = ctx_.variables.getType(index);
    } else {
        ctx_.scope.CurrentType = record;
        try {
            fieldType = helpers.VariableType(field);
        } catch (...) {
            ctx_.scope.CurrentType.clear();
            throw;
        }
        ctx_.scope.CurrentType.clear();
    }
    const std::optional<Kind> kind =
        TypeCodes::isFieldCode(fieldType) ? kindOf(TypeCodes::plainCode(fieldType)) : std::nullopt;
    if (bytes()) {
        // The field's type mark, then the reference as a field reference gives it.
        if (kind) token(markOf(*kind));
        HandleType reference(ctx_);
        reference.translate();
        bytes_.injectBytes(reference.retByte());
    }
    ++line.gPointer;
    if (!kind) throw CompileException("Type variable is unknown");
    return left(*kind, reference);
}

// Strings, booleans and buttons compare only with = and <>; numbers with the four orders as well.
void Comparator::operatorFor(Kind kind) {
    const std::string op = tokenHere();
    const bool flag = kind == Kind::Boolean || kind == Kind::Button;
    if (flag) ctx_.debug.printDebug("Boolean Operator > " + op);
    const bool equality = op == "=" || op == "<>";
    if (!equality && (kind == Kind::String || flag)) throw CompileException(res("Error_Only_and_can_be"));
    if (kind == Kind::String) {
        out_ += (op == "<>" ? "!String.valueOf(" : "String.valueOf(") + leftString_ + ").equals(";
    } else if (equality) {
        out_ += op == "=" ? " == " : " != ";
    } else if (op == "<=" || op == ">=" || op == ">" || op == "<") {
        out_ += " " + op + " ";
    } else {
        throw CompileException(res("Error_Unknown") + op + "\"");
    }
    token(op == "="    ? ByteCodes::equal
          : op == "<>" ? ByteCodes::notEqual
          : op == "<=" ? ByteCodes::lessEqual
          : op == ">=" ? ByteCodes::moreEqual
          : op == ">"  ? ByteCodes::more
                       : ByteCodes::less);
}

void Comparator::rightOperand(Kind kind) {
    LineState& line = ctx_.line;
    switch (kind) {
        case Kind::String:
            out_ += argument("S") + ")";
            return;
        case Kind::Number:
            out_ += argument("I");
            return;
        case Kind::Float:
            out_ += argument("F");
            return;
        case Kind::Boolean: {
            const std::string t = tokenHere();
            Helpers helpers(ctx_);
            if (t == "TRUE") {
                out_ += " true";
                token(ByteCodes::boolT);
            } else if (t == "FALSE") {
                out_ += " false";
                token(ByteCodes::boolF);
            } else if (!t.empty() && helpers.Variable(t) && helpers.VariableType(t) == TypeCodes::cBoolean) {
                out_ += Helpers::FixVariable(t);
                if (bytes()) {
                    token(ByteCodes::variableS);
                    bytes_.injectCode(
                        std::to_string(ctx_.library.getByteNa(Helpers::FixVariable(t), ctx_.debug)));
                    token(ByteCodes::variableE);
                }
            } else {
                throw CompileException(res("Error_Boolean_can"));
            }
            ++line.gPointer;
            return;
        }
        case Kind::Button: {
            const std::string t = tokenHere();
            if (t.empty() || Helpers(ctx_).Button(t) < 0) throw CompileException(res("Error_Button_name_is"));
            out_ += t;
            // Buttons are objects, not pool variables: named as BUTTON.SHOW names them.
            token(ByteCodes::nameS);
            if (bytes()) bytes_.injectCode(t);
            token(ByteCodes::nameE);
            ++line.gPointer;
            return;
        }
    }
}

}  // namespace compiler
