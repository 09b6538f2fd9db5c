#include <stdexcept>
#include <string>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/nested_values.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {

std::string translateValue(Convertor& c, std::string_view pattern, int start) {
    LineState& line = c.ctx.line;
    line.gPointer = start;
    std::string text = newArguments(c.ctx)->HandleArguments(pattern, start, 0);
    if (text.empty()) throw missingValue(pattern);
    // Closing brackets may stand after a value whose call ended one token early; anything else was
    // not read.
    for (int i = line.gPointer; line.has(i); ++i) {
        if (line.token(i) != ")") throw CompileException(res("Error_Unknown_symbol_") + line.token(i) + "\"");
    }
    return text;
}

void byteFormPending(std::string_view statement) {
    throw std::logic_error("the byte-token form of " + std::string(statement) + " is not built yet");
}

}  // namespace compiler
