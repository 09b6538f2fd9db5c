#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "driver/console.h"

namespace compiler {

// A refusal of the user's program: a statement the translators cannot take, or a project, Config.cfg or
// source a compile cannot start from. Translators on its way may add context and raise it again; only the
// driver's run (run/compiler.cpp) handles it: it prints the refusal, with " at line " and the source line
// when a statement was being translated, and ends the compile with status 1.
//
// `problems` holds the message first, then the context lines that translators it passes through append
// ("in Returner", ...). A refusal made of whole lines (the project's "what, then why", or a statement
// that ends before its keyword's arguments do) is printed as it is and takes no context.
class CompileException : public std::exception {
public:
    explicit CompileException(std::string message) { problems_.push_back(std::move(message)); }
    // Lines printed as they are, the first with the driver's suffix.
    static CompileException wholeLines(std::vector<std::string> lines);
    // A statement read past its last token: the argument-count message alone.
    static CompileException endsEarly();

    CompileException& addError(std::string text) {
        if (!whole_) problems_.push_back(std::move(text));
        return *this;
    }

    const std::vector<std::string>& problems() const { return problems_; }
    const char* what() const noexcept override { return problems_.front().c_str(); }

    // First entry + suffix on one line; then each further line as it is, or each context entry after a
    // tab and a run of blanks that grows by one per line.
    void printError(Console& console, std::string_view suffix) const;

private:
    std::vector<std::string> problems_;
    bool whole_ = false;
};

// The run cannot go on, and not for a fault of the user's program: an output the compiler cannot write,
// or a fault of its own that ends the run with a line of its own (a name missing from the byte-token
// pool, a byte code that is not two characters). Only the driver's run handles it: it prints the lines
// and ends the compile with status 1. Any other exception is a fault of the compiler, which the driver
// reports as an internal compiler error.
class InternalFailure : public std::exception {
public:
    explicit InternalFailure(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    const std::vector<std::string>& lines() const { return lines_; }
    const char* what() const noexcept override { return lines_.empty() ? "" : lines_.front().c_str(); }

private:
    std::vector<std::string> lines_;
};

namespace ErrorHandler {
// True when "(" and ")" balance. Brackets inside string literals do not count, so a literal such
// as ":)" is never taken for a mismatch.
bool bracketCheck(std::string_view text);
}  // namespace ErrorHandler

// Trace lines. printDebug only with the debug option on; printString always.
class Debug {
public:
    Debug(Console& console, bool enabled) : console_(console), enabled_(enabled) {}

    bool enabled() const { return enabled_; }
    void printDebug(std::string_view text) const {
        if (enabled_) console_.line(text);
    }
    void printString(const std::vector<std::string>& words, std::size_t start = 0,
                     std::size_t count = static_cast<std::size_t>(-1)) const;
    static std::string getString(std::string_view bytes);

private:
    Console& console_;
    bool enabled_;
};

}  // namespace compiler
