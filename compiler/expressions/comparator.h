#pragma once

#include <string>
#include <string_view>

namespace compiler {

struct Context;

// The condition of IF, ELSEIF and WHILE: comparisons joined by AND and OR, with round brackets, typed as
// it goes (strings compare only with = and <>, booleans only with booleans). Reads the shared token line
// from ctx.line.gPointer (the caller sets it past the keyword) and returns `head` + the Java condition
// + "){". Errors leave with "in Comparison" added.
class Comparator {
public:
    explicit Comparator(Context& ctx) : ctx_(ctx) {}

    std::string HandleComparator(std::string_view head);

private:
    enum class Kind { Number, Float, String, Boolean, Button };

    void comparison();
    Kind leftOperand();
    void operatorFor(Kind kind);
    void rightOperand(Kind kind);
    std::string argument(std::string_view pattern);
    std::string bracketRun();
    // The token at gPointer, "" past the end (for messages).
    std::string tokenHere() const;

    Context& ctx_;
    std::string out_;
    std::string leftString_;  // left operand of a string comparison
};

}  // namespace compiler
