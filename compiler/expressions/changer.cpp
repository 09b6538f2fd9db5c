#include "expressions/changer.h"

#include <memory>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/returner.h"

namespace compiler {
namespace {

struct Conversion {
    std::string_view word;
    std::string_view pattern;
    std::string_view before;
    std::string_view after;
    TypeCode type;
    std::string_view code;  // byte-token start code
};

constexpr Conversion kConversions[] = {
    {"STR$", "I", "String.valueOf(", ")", TypeCodes::cString, ByteCodes::toString},
    {"INT", "S", "Integer.parseInt(", ")", TypeCodes::cInt, ByteCodes::toInt},
    {"UPPER", "S", "String.valueOf(", ").toUpperCase()", TypeCodes::cString, ByteCodes::toUpper},
    {"LOWER", "S", "String.valueOf(", ").toLowerCase()", TypeCodes::cString, ByteCodes::toLower},
};

}  // namespace

std::string HandleChanger::Changer() {
    LineState& line = ctx_.line;
    const std::string& word = line.current();
    for (const Conversion& conversion : kConversions) {
        if (word != conversion.word) continue;
        // A comparison side that begins with a conversion is this call; its argument is a list of its own.
        ctx_.library.isComparator = false;
        // One argument, closed by the call's own ")": anything else would leave broken Java behind.
        checkBrackets(line, 1);
        line.gPointer += 2;
        if (word == "STR$") ctx_.debug.printDebug("HandleChanger > Str$ > Sending " + line.current());
        std::unique_ptr<InterfaceArguments> arguments = newArguments(ctx_);
        std::string a = arguments->HandleArguments(conversion.pattern, line.gPointer, 0);
        if (a.empty()) throw CompileException(res("Error_Number_of"));
        if (!line.has(line.gPointer) || line.current() != ")")
            throw CompileException(res("Error_Expecting_in"));
        line.returnType = conversion.type;
        if (!ctx_.project.isJava()) {
            bytes_.injectTok(conversion.code);
            bytes_.injectBytes(arguments->retByte().value_or(""));
            bytes_.injectTok(ByteCodes::changeE);
            return "TBD";
        }
        return std::string(conversion.before) + a + std::string(conversion.after);
    }
    return "";
}

}  // namespace compiler
