#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/errors.h"

namespace compiler {

struct Context;

// The nested value translators as the condition and statement translators call them. Each reads from
// ctx.line.gPointer, leaves ctx.line.gPointer where its translator leaves it and returns the Java text.
//
// A value built-in or user-function call at gPointer; the value's type code goes to ctx.line.returnType.
std::string returnerValue(Context& ctx);
// STR$, INT, UPPER or LOWER at gPointer; the type code goes to ctx.line.returnType.
std::string changerValue(Context& ctx);
// The index of an array reference from the "[" at gPointer to its "]" (gPointer left on the "]").
std::string arrayIndex(Context& ctx);
// A record-field reference at gPointer; the field's code (1001 to 1004) goes to ctx.line.returnType.
std::string typeReference(Context& ctx);
// The arguments of a call of the user function `function`: `args`, the tokens between the call's
// brackets, read as a line of their own with the function's pattern (so the call's ")" ends none of them);
// their byte tokens go to `bytes`. ctx.line comes back as it was, but for gPointer.
std::string userFunctionArguments(Context& ctx, const std::string& function,
                                  const std::vector<std::string>& args, std::string* bytes = nullptr);

// The argument translator's mismatch error for a pattern letter whose value is missing altogether
// ("I" Error_Expecting_I, "F" Error_Expecting_float, "S" and "b" Error_Expecting).
CompileException missingValue(std::string_view pattern);

}  // namespace compiler
