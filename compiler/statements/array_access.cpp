#include "statements/array_access.h"

#include <stdexcept>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"

namespace compiler {
namespace {

bool isIntegerValue(const Variable& v) {
    if (v.getType() == TypeCodes::cInt) return true;
    // The int parameters of pointerDragged; the lookup finds them only there.
    return v.getType() == TypeCodes::cSpecial && (v.getName() == "POINTX" || v.getName() == "POINTY");
}

}  // namespace

std::string HandleArray::translate() {
    if (!ctx_.project.isJava()) throw std::logic_error("byte-token array indexes are not available");
    LineState& line = ctx_.line;
    const Helpers helpers(ctx_);
    try {
        std::string text = "[";
        ++line.gPointer;
        for (; line.has(line.gPointer); ++line.gPointer) {
            const std::string& t = line.current();
            const bool operand = Helpers::Number(t) || t == "+" || t == "*" || t == "/";
            if (const Variable* v = operand ? nullptr : helpers.Variable(t);
                operand || (v && isIntegerValue(*v))) {
                // Written without blanks: two "-" in a row must not read as Java's "--".
                if (text.back() == '-' && t.front() == '-') text += ' ';
                text += operand ? t : Helpers::FixVariable(t);
            } else if (t == ",") {
                text += "][";
            } else if (t == "]") {
                return text + "]";
            } else {
                throw CompileException(res("Error_Unknown_Value"));
            }
        }
        throw CompileException(res("Error_Expecting_"));
    } catch (CompileException& e) {
        e.addError("in Array Usage");
        throw;
    }
}

}  // namespace compiler
