#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/console.h"

namespace compiler {

// The one exception type of the translator: a refusal of a source statement. The first problem is the
// message; translators it passes through append context lines ("in Returner", ...).
class CompileException {
public:
    explicit CompileException(std::string message) { problems_.push_back(std::move(message)); }

    CompileException& addError(std::string text) {
        problems_.push_back(std::move(text));
        return *this;
    }

    const std::vector<std::string>& problems() const { return problems_; }

    // First entry + suffix on one line, then each further entry after a tab and a run of blanks that
    // grows by one per line.
    void printError(Console& console, std::string_view suffix) const;

private:
    std::vector<std::string> problems_;
};

// Ends the run from deep inside the translation: the lines are printed by the driver, which then
// cleans up and ends with `status`. Used for internal failures that have no statement to blame
// (a variable missing from the byte-token pool, a writer that cannot open its file).
struct RunAbort {
    std::vector<std::string> lines;
    int status = 1;
};

// A stop signal came, or the caller has gone, while the statements were translated: the run ends as
// after an error, without the error's lines.
struct RunStopped {};

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
