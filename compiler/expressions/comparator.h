#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/type_codes.h"
#include "expressions/byte_emitter.h"

namespace compiler {

struct Context;

// The condition of IF, ELSEIF and WHILE: comparisons joined by AND and OR, with round brackets, typed as
// it goes (strings compare only with = and <>, booleans only with booleans). Reads the shared token line
// from ctx.line.gPointer (the caller sets it past the keyword) and returns `head` + the Java condition
// + "){". Errors leave with "in Comparison" added.
//
// On the byte-token targets the condition's tokens are collected as well (retByte, the latest condition
// only): per comparison the left operand's mark (OS string, TB boolean, OI number, OC FB the ACTION's
// command; none for a numeric value built-in), its tokens, the operator (== <> << <= >> >=), the right
// operand's tokens and "ED"; "&&" or "||" between comparisons. Brackets leave no tokens.
class Comparator {
public:
    explicit Comparator(Context& ctx) : ctx_(ctx) {}

    std::string HandleComparator(std::string_view head);
    std::string retByte() const { return bytes_.retByte(); }

private:
    enum class Kind { Number, Float, String, Boolean, Button };

    // How a value of the plain type `type` compares; nullopt for a type no comparison takes.
    static std::optional<Kind> kindOf(TypeCode type);
    // The byte-token mark of a left operand of `kind`: OS, TB, or OI for a number.
    static std::string_view markOf(Kind kind);
    // Takes `text` as the left operand: a string's is kept for the String.valueOf(...) the operator
    // writes around it, any other joins the output.
    Kind left(Kind kind, const std::string& text);

    void comparison();
    Kind leftOperand();
    void operatorFor(Kind kind);
    void rightOperand(Kind kind);
    std::string argument(std::string_view pattern);
    std::string bracketRun();
    // The token at gPointer, "" past the end (for messages).
    std::string tokenHere() const;
    bool bytes() const;
    // Appends a code on the byte-token targets.
    void token(std::string_view code);

    Context& ctx_;
    std::string out_;
    std::string leftString_;  // left operand of a string comparison
    ByteEmitter bytes_;
};

}  // namespace compiler
