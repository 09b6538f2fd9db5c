#include <memory>
#include <string>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/nested_values.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {

std::string translateValue(Convertor& c, std::string_view pattern, int start, std::string* bytes) {
    LineState& line = c.ctx.line;
    line.gPointer = start;
    std::unique_ptr<InterfaceArguments> arguments = newArguments(c.ctx);
    std::string text = arguments->HandleArguments(pattern, start, 0);
    if (text.empty()) throw missingValue(pattern);
    if (bytes) *bytes = arguments->retByte().value_or("");
    // Closing brackets may stand after a value whose call ended one token early; anything else was
    // not read.
    for (int i = line.gPointer; line.has(i); ++i) {
        if (line.token(i) != ")") throw CompileException(res("Error_Unknown_symbol_") + line.token(i) + "\"");
    }
    return text;
}

void noByteForm(std::string_view statement) {
    throw CompileException(res("Error_No_byte_form") + std::string(statement));
}

std::string bytesOf(InterfaceArguments& arguments) {
    return arguments.retByte().value_or("");
}

std::string poolNumber(Convertor& c, const std::string& name) {
    return std::to_string(c.ctx.library.getByteNa(Helpers::FixVariable(name), c.ctx.debug));
}

}  // namespace compiler
