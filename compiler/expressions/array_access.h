#pragma once

#include <string>

#include "expressions/byte_emitter.h"

namespace compiler {

struct Context;

// Translates an array index from the "[" at ctx.line.gPointer to its closing "]": integer numbers,
// integer variables and + - * /, with "," opening the next dimension. Returns the Java index text
// ("[I+1]", "[2][3]") and leaves gPointer on the "]". Errors carry "in Array Usage"; an index without
// its "]" is the error "Error: Expecting ]". One object per index.
// Byte tokens: a number "NS" n "NE" "ED", a variable "VS" "NS" pool number "NE" "VE", the operators
// ++ -- ** //; "," and the brackets leave none.
class HandleArray {
public:
    explicit HandleArray(Context& ctx) : ctx_(ctx) {}

    // `dimensions`: how many indexes the array takes (0: not checked). An empty index, or another number
    // of them, is refused.
    std::string translate(int dimensions = 0);
    // The byte tokens of the index; empty for the Java form.
    std::string retByte() const { return bytes_.retByte(); }

private:
    void emit(const std::string& token, bool operand);

    Context& ctx_;
    ByteEmitter bytes_;
};

}  // namespace compiler
