#include <string>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "statements/convertor.h"
#include "statements/screen_statements.h"

namespace compiler::screen {

bool hasArguments(const Convertor& c, int count) {
    if (!c.checkCommand(count, 1)) return false;
    const auto& tokens = c.ctx.line.Tokens;
    if (tokens.size() < 2) return false;
    int depth = 0;
    bool slotEmpty = true;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "," && depth == 0) {
            if (slotEmpty) return false;
            slotEmpty = true;
            continue;
        }
        if (t == "(" || t == "[")
            ++depth;
        else if (t == ")" || t == "]")
            --depth;
        slotEmpty = false;
    }
    return !slotEmpty;
}

void notOnThisTarget() {
    throw CompileException(res("Error_This_command_is"));
}

void noByteForm(std::string_view statement) {
    throw CompileException(res("Error_No_byte_form") + std::string(statement));
}

std::string nameFrame(std::string_view code, const std::string& name) {
    return std::string(code) + std::string(ByteCodes::nameS) + name + std::string(ByteCodes::nameE) +
           std::string(ByteCodes::endData);
}

std::string bytesOf(InterfaceArguments& arguments) {
    return arguments.retByte().value_or("");
}

std::string programObject(const Convertor& c) {
    if (c.ctx.scope.CurrentCanvas.empty()) return "this";
    return c.ctx.project.name + ".this";
}

bool isNumberWord(const std::string& token) {
    return Helpers::Number(token) && token != "-";
}

}  // namespace compiler::screen
