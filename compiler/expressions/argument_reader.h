#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "driver/lookups.h"

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

private:
    bool signs_;
    bool started_ = false;
    bool operandDue_ = true;
    int depth_ = 0;
};

// What the Java and the byte-token argument translators share: the reading of the token line, the
// argument-count check, the positioning on an argument, and the bracket counters, which live as long as
// the translator object (a ")" that closes a call begun before the object was made ends the list).
class ArgumentReader {
public:
    explicit ArgumentReader(Context& ctx) : ctx_(ctx), helpers_(ctx) {}

    // A token follows the current one and it is "(".
    bool nextIsBracket() const;
    // The run of "(" and taken ")" tokens at gPointer, up to `end`; gPointer is not moved.
    std::string Bracket(int end);

protected:
    // More comma tokens in the window (as long as the pattern string) than the pattern has: refused.
    void checkCount(std::string_view pattern, int start) const;
    // argNo >= 1: gPointer on that argument of the list starting at `start`; 0: gPointer stays.
    void position(int start, int argNo);
    bool atListEnd() const;
    // The comma between two arguments: another token there is a value glued to the one before it, which a
    // comma of the pattern must not swallow.
    void requireComma() const;
    const std::string& current() const;

    Context& ctx_;
    Helpers helpers_;
    int left = 0;
    int right = 0;
    int numberOftokens = 0;
};

}  // namespace compiler
