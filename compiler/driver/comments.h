#pragma once

#include <string>

#include "driver/text_file.h"

namespace compiler {

// Reads statements the way the compiler treats comments: "REMSTART" alone opens a comment block, any
// statement starting with "REMEND" closes it, "REM..." and "'..." lines are comments. The pre-pass and
// the statement loop share it, so both see the same program.
class CommentFilter {
public:
    enum class Kind { Code, CommentLine, Skipped };

    // `upper`: the trimmed statement, upper-cased.
    Kind next(const std::string& upper) {
        if (upper == "REMSTART") {
            block_ = true;
            return Kind::Skipped;
        }
        if (startsWith(upper, "REMEND")) {
            block_ = false;
            return Kind::Skipped;
        }
        if (startsWith(upper, "REM") || startsWith(upper, "'")) return Kind::CommentLine;
        return block_ ? Kind::Skipped : Kind::Code;
    }

private:
    bool block_ = false;
};

}  // namespace compiler
