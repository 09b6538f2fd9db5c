#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace compiler {

// A statement read past its last token. The driver reports it as an internal compiler error.
class TokenOverrun : public std::out_of_range {
public:
    explicit TokenOverrun(std::size_t index)
        : std::out_of_range("the statement ends before its token " + std::to_string(index + 1)) {}
};

// The token line being translated, shared by every translator that works on it: the statement
// translator and the argument, value, condition and declaration translators it nests.
struct LineState {
    std::vector<std::string> Tokens;
    int gPointer = 0;    // index of the next token to translate
    int returnType = 0;  // type code left by the last value translation

    std::size_t size() const { return Tokens.size(); }
    bool has(long index) const { return index >= 0 && static_cast<std::size_t>(index) < Tokens.size(); }
    // Bounds-checked: a read past the end raises TokenOverrun, never undefined behaviour.
    const std::string& token(long index) const {
        if (!has(index)) throw TokenOverrun(index < 0 ? 0 : static_cast<std::size_t>(index));
        return Tokens[static_cast<std::size_t>(index)];
    }
    // The token at gPointer.
    const std::string& current() const { return token(gPointer); }
};

}  // namespace compiler
