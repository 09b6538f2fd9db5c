#include "expressions/argument_reader.h"

#include "driver/context.h"
#include "driver/messages.h"

namespace compiler {

using tokens::bracketStep;

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
