#pragma once

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "driver/lookups.h"
#include "expressions/byte_emitter.h"

namespace compiler {

struct Context;

namespace tokens {

inline bool isQuoted(const std::string& t) {
    return t.size() >= 2 && t.front() == '"' && t.back() == '"';
}
inline bool endsWith(const std::string& t, char c) {
    return !t.empty() && t.back() == c;
}
// +1 for a bracket that opens a call, a group or an index, -1 for one that closes it, else 0.
inline int bracketStep(const std::string& t) {
    if (t == "(" || t == "[") return 1;
    if (t == ")" || t == "]") return -1;
    return 0;
}
inline bool isDigits(const std::string& t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}
// A decimal literal such as 2.5, -0.25, 3. or .5: an optional "-", digits and exactly one ".".
inline bool isDecimal(const std::string& t) {
    std::string_view body = t;
    if (!body.empty() && body.front() == '-') body.remove_prefix(1);
    if (std::count(body.begin(), body.end(), '.') != 1 || body.size() < 2) return false;
    return std::all_of(body.begin(), body.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

inline bool isOperator(const std::string& t) {
    return t == "+" || t == "-" || t == "*" || t == "/";
}

}  // namespace tokens

// The order of the pieces of one value: operands and operators alternate ("3 4", "3 +" and "* 3" are no
// value), "(" stands where an operand may and ")" after one, and a value closes every group it opens.
// `signs`: "+" and "-" may also stand before an operand (numbers; a string has no sign).
class ValueShape {
public:
    explicit ValueShape(bool signs = true) : signs_(signs) {}

    void operand();
    void op(const std::string& t);
    // The brackets of a run that Bracket passed.
    void brackets(std::string_view run);
    // The value ends; with `whole` its groups must be closed too.
    void end(bool whole = true) const;
    bool started() const { return started_; }
    // At the start of the value, after "(" or after an operator: where a sign belongs to its number.
    bool operandDue() const { return operandDue_; }

private:
    bool signs_;
    bool started_ = false;
    bool operandDue_ = true;
    int depth_ = 0;
};

// One piece of an argument as both targets write it: its Java text and its byte tokens (left empty
// for the Java form).
struct Piece {
    std::string text;
    std::string bytes;
};

// The one reading of an argument list for both targets. It walks the shared token line (ctx.line) from
// its pointer on, one pattern character per argument:
//   "S" string, "I" integer, "F" float expression (every token up to the next comma token);
//   "b" boolean, "i" image (or NULL), "s" sprite or sprite array: exactly one token;
//   "N" new name, "n" existing object name, "H" colour digits, "B" button;
//   "," one comma token.
// Each piece is checked once and read into its Java text and, for the byte form, its byte tokens; the
// two forms of the translator (arguments.h) differ only in what they hand back. Where the byte form
// reads otherwise, it says so beside the piece: it has no NULL image and no sprite arrays (the runtime
// has neither), and a new name there also passes the brackets after it.
//
// Bytes: each argument ends with "ED", except one that ends with an array reference, whose "AC" closes
// it; commas and brackets leave no tokens. Pieces:
//   literal "SS" text (quotes included) "SE"   number "NS" digits "NE"   variable "VS" pool number "VE"
//   array "AS" array number "AE" "ED" index "AC"   record field: the field reference's tokens
//   operators ++ -- ** //   TRUE/FALSE "TT"/"FF"   names "NX" name "NY"   image "IS" name "IE"
//   sprite "SX" name "SY"   colour "NS" digits "NE"   value built-ins and conversions: their own tokens.
// An array's number is its position among the program's arrays, in declaration order.
//
// Brackets pass through as they stand; a ")" is taken only while this object has passed at least as many
// "(" as ")", so the closing bracket of a call that began before the translator was made ends the list.
// Library::isComparator is consumed when a list starts: the list it was set for may stop quietly at the
// first token that fits no argument (the operator of a comparison), and no later or nested list sees it.
class ArgumentReader {
public:
    enum class Form { Java, Bytes };

    ArgumentReader(Context& ctx, Form form) : ctx_(ctx), helpers_(ctx), form_(form) {}

    // A token follows the current one and it is "(".
    bool nextIsBracket() const;
    // The run of "(" and taken ")" tokens at gPointer, up to `end`; gPointer is not moved.
    std::string Bracket(int end);

protected:
    // Reads one list: `start` and `argNo` as InterfaceArguments::HandleArguments takes them. Leaves the
    // Java text in text_ and adds the byte tokens to bytes_; errors leave with "in Arguments" added.
    void read(std::string_view pattern, int start, int argNo);

    std::string text_;         // the Java text of the latest list
    ByteEmitter bytes_;        // the byte tokens of every list read so far (byte form)
    bool translated_ = false;  // the latest list held a value

private:
    bool bytes() const { return form_ == Form::Bytes; }
    void readList(std::string_view pattern, int start, int argNo);

    // More comma tokens in the window (as long as the pattern string) than the pattern has: refused.
    void checkCount(std::string_view pattern, int start) const;
    // argNo >= 1: gPointer on that argument of the list starting at `start`; 0: gPointer stays.
    void position(int start, int argNo);
    bool atListEnd() const;
    // The comma between two arguments: another token there is a value glued to the one before it, which a
    // comma of the pattern must not swallow.
    void requireComma() const;
    const std::string& current() const;
    // The token at gPointer, "" past the end (for traces).
    std::string tokenHere() const;
    // A trace of the Java form; the byte form traces "Sent " and the token at each argument instead.
    void javaTrace(const std::string& text) const;

    // Steps over the bracket run at the pointer and adds it to the Java text; returns the run.
    std::string passBrackets();
    void append(const Piece& piece);
    // The end of one pattern character: "ED", or nothing once after an array reference.
    void endArgument();

    // Reads until the next comma token. False when the list stopped early (comparator stop or an
    // enclosing call's ")"), in which case the rest of the pattern is not read.
    // `leading`: the brackets passed before the argument's first piece.
    bool expression(char letter, const std::string& leading);
    std::optional<Piece> stringPiece(const std::string& t);
    std::optional<Piece> integerPiece(const std::string& t, const ValueShape& shape);
    std::optional<Piece> floatPiece(const std::string& t, const ValueShape& shape);
    // A "-" where an operand belongs, before digits: the number's sign, read with it as one operand.
    std::optional<Piece> signedNumber(const std::string& t, const ValueShape& shape);
    bool boolean();
    void name();
    // "n" object names, "H" colour digits, "B" buttons: one word each.
    void word(char letter);
    void image();
    void sprite();

    // A variable as a value: its name without suffix, and its pool number in bytes.
    Piece variable(const std::string& t) const;
    // A record field ("P%.X"), a record array ("P%") or an array at the current token, whose values must be
    // of `type`; nullopt when the token is none of these.
    std::optional<Piece> reference(const std::string& t, TypeCode type, const char* fieldMismatch,
                                   const char* recordArrayMismatch, const std::string& arrayMismatch);
    // A record field at the current token; its returnType must be `expected`, else `mismatch`.
    Piece recordField(TypeCode expected, const char* mismatch);
    // The array named at the current token and its index, from the "[" after it; in bytes "AC" ends the
    // argument in place of "ED".
    Piece arrayElement(const compiler::Array& array);
    // The value built-in (or user function) or else the conversion that the current token `t` names;
    // nullopt when the word gives no value here.
    std::optional<Piece> call(const std::string& t);
    // The value's type (ctx.line.returnType) must be one of `types`, else `mismatch`. `trace`: the Java
    // form's trace label, printed with the text and the type first.
    std::optional<Piece> typed(std::optional<Piece> value, std::initializer_list<TypeCode> types,
                               const std::string& mismatch, std::string_view trace = {}) const;

    Context& ctx_;
    Helpers helpers_;
    Form form_;
    // Bracket's counters: "(" and ")" passed, and both together; they live as long as the object.
    int left = 0;
    int right = 0;
    int numberOftokens = 0;
    bool comparator_ = false;  // this list may stop quietly at a token that fits no argument
    bool comma_ = false;       // the argument ended with an array reference: its "AC" stands for "ED"
};

}  // namespace compiler
