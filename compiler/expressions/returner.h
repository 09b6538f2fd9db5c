#pragma once

#include <string>

#include "driver/type_codes.h"
#include "expressions/byte_emitter.h"

namespace compiler {

struct Context;
struct LineState;

// The argument-count test of a value built-in whose word stands at line.gPointer. `required` 0: the
// word must be followed by "(" and ")". 1 or more: by "(" and an argument, and the commas at the
// call's own bracket depth must make `required` arguments. Raises CompileException.
void checkBrackets(const LineState& line, int required);

// Translates the value-returning call whose word stands at ctx.line.gPointer: a user function or one of
// the language's value built-ins. Returns its Java text and leaves the value's type code in
// ctx.line.returnType and ctx.line.gPointer on the call's closing ")". Returns "" (nothing changed) when
// the word gives no value here: not a built-in, or a canvas word outside its canvas or action.
// Errors carry "in Returner". One object per call.
//
// On the byte-token targets Returner gives "TBD" and the tokens in retByte(): a user function as "FC"
// "NS" number "NE" "ED", its arguments, "FD"; TIMER as "RT" "RE"; SPRITE.COLLISION as "RC", its three
// arguments, "RE". Any other built-in has no byte form and is refused (Error_No_byte_form).
class HandleReturner {
public:
    explicit HandleReturner(Context& ctx) : ctx_(ctx) {}

    std::string Returner();
    // The byte tokens of the call; empty for the Java form.
    std::string retByte() const { return bytes_.retByte(); }

private:
    std::string translate(const std::string& word);
    std::string userFunction(const std::string& word);
    std::string builtIn(const std::string& word);
    std::string canvasWord(const std::string& word);
    std::string spriteCollision();
    std::string spritePosition(const char* getter, const std::string& message);

    // One argument read from gPointer by a translator of its own; an empty argument is refused. Its
    // byte tokens go to `bytes` when given.
    std::string argument(char letter, std::string* bytes = nullptr);
    void comma();
    void closing();
    std::string typed(std::string text, TypeCode type);

    Context& ctx_;
    ByteEmitter bytes_;
};

}  // namespace compiler
