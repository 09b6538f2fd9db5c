#pragma once

#include <string>

#include "expressions/byte_emitter.h"

namespace compiler {

struct Context;

// Translates the conversion STR$, INT, UPPER or LOWER whose word stands at ctx.line.gPointer. Returns its
// Java text, leaves the type code in ctx.line.returnType (STR$, UPPER, LOWER 3; INT 2) and gPointer on
// the call's closing ")". Returns "" and changes nothing for any other word. One object per call.
// On the byte-token targets it returns "TBD" with the tokens in retByte(): the start code (TS, TI, TU,
// TL), the argument's tokens, "TE".
class HandleChanger {
public:
    explicit HandleChanger(Context& ctx) : ctx_(ctx) {}

    std::string Changer();
    // The byte tokens of the call; empty for the Java form.
    std::string retByte() const { return bytes_.retByte(); }

private:
    Context& ctx_;
    ByteEmitter bytes_;
};

}  // namespace compiler
