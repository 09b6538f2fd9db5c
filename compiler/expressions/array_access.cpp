#include "expressions/array_access.h"

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/argument_reader.h"

namespace compiler {
namespace {

bool isIntegerValue(const Variable& v) {
    if (v.getType() == TypeCodes::cInt) return true;
    // The int parameters of pointerDragged; the lookup finds them only there.
    return v.getType() == TypeCodes::cSpecial && (v.getName() == "POINTX" || v.getName() == "POINTY");
}

}  // namespace

// "-" alone passes Helpers::Number; in an index it is the operator.
void HandleArray::emit(const std::string& t, bool operand) {
    if (t == "+") return bytes_.injectTok(ByteCodes::add);
    if (t == "-") return bytes_.injectTok(ByteCodes::sub);
    if (t == "*") return bytes_.injectTok(ByteCodes::mult);
    if (t == "/") return bytes_.injectTok(ByteCodes::div);
    if (operand) {
        bytes_.injectNum(t);
        bytes_.injectTok(ByteCodes::endData);
        return;
    }
    // The pool number travels framed as a number here.
    bytes_.injectTok(ByteCodes::variableS);
    bytes_.injectNum(ctx_.library.getByteNa(Helpers::FixVariable(t), ctx_.debug));
    bytes_.injectTok(ByteCodes::variableE);
}

std::string HandleArray::translate(int dimensions) {
    const bool bytes = !ctx_.project.isJava();
    LineState& line = ctx_.line;
    const Helpers helpers(ctx_);
    try {
        // An array is used one element at a time: its name alone is no value.
        if (!line.has(line.gPointer) || line.current() != "[")
            throw CompileException(res("Error_Array_dimensions"));
        std::string text = "[";
        ValueShape shape;
        int found = 1;
        ++line.gPointer;
        for (; line.has(line.gPointer); ++line.gPointer) {
            const std::string& t = line.current();
            const bool operand = Helpers::Number(t) || t == "+" || t == "*" || t == "/";
            if (const Variable* v = operand ? nullptr : helpers.Variable(t);
                operand || (v && isIntegerValue(*v))) {
                if (tokens::isOperator(t)) {
                    shape.op(t);
                } else {
                    shape.operand();
                }
                // Written without blanks: two "-" in a row must not read as Java's "--".
                if (text.back() == '-' && t.front() == '-') text += ' ';
                if (operand)
                    text += t;
                else if (v->getType() == TypeCodes::cSpecial)
                    text += Helpers::ownName(Helpers::FixVariable(t));
                else
                    text += Helpers::FixVariable(t);
                if (bytes) emit(t, operand);
            } else if (t == "," || t == "]") {
                // Every index holds a value, and there are as many as the array has dimensions.
                if (!shape.started()) throw CompileException(res("Error_Array_dimensions"));
                shape.end();
                if (t == "]") {
                    if (dimensions > 0 && found != dimensions)
                        throw CompileException(res("Error_Array_dimensions"));
                    return text + "]";
                }
                text += "][";
                shape = ValueShape();
                ++found;
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
