#pragma once

#include <string>
#include <vector>

#include "driver/errors.h"
#include "driver/type_codes.h"

namespace compiler {

// The token line being translated, shared by every translator that works on it: the statement
// translator and the argument, value, condition and declaration translators it nests.
struct LineState {
    std::vector<std::string> Tokens;
    int gPointer = 0;                        // index of the next token to translate
    TypeCode returnType = TypeCodes::cVoid;  // type code left by the last value translation
    // The names the Java around the line declares itself (Helpers::hiddenNames), taken where the line
    // begins: the Java writer writes the program's own names of these qualified.
    std::vector<std::string> hiddenNames;

    std::size_t size() const { return Tokens.size(); }
    bool has(long index) const { return index >= 0 && static_cast<std::size_t>(index) < Tokens.size(); }
    // Bounds-checked, never undefined behaviour: a read past the end is a statement that ends before its
    // keyword's arguments do, the user's to mend (CompileException::endsEarly).
    const std::string& token(long index) const {
        if (!has(index)) throw CompileException::endsEarly();
        return Tokens[static_cast<std::size_t>(index)];
    }
    // The token at gPointer.
    const std::string& current() const { return token(gPointer); }
};

}  // namespace compiler
