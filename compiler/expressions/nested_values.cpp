#include "expressions/nested_values.h"

#include "driver/context.h"
#include "driver/messages.h"
#include "expressions/array_access.h"
#include "expressions/changer.h"
#include "expressions/returner.h"
#include "expressions/type_access.h"

namespace compiler {

CompileException missingValue(std::string_view pattern) {
    if (pattern == "I") return CompileException(res("Error_Expecting_I"));
    if (pattern == "F") return CompileException(res("Error_Expecting_float"));
    return CompileException(res("Error_Expecting"));
}

std::string returnerValue(Context& ctx) {
    return HandleReturner(ctx).Returner();
}
std::string changerValue(Context& ctx) {
    return HandleChanger(ctx).Changer();
}
std::string arrayIndex(Context& ctx) {
    return HandleArray(ctx).translate();
}
std::string typeReference(Context& ctx) {
    return HandleType(ctx).translate();
}

}  // namespace compiler
