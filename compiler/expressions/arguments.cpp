#include "expressions/arguments.h"

#include "driver/context.h"

namespace compiler {

std::unique_ptr<InterfaceArguments> newArguments(Context& ctx) {
    if (ctx.project.isJava()) return std::make_unique<JavaHandleArguments>(ctx);
    return std::make_unique<NetHandleArguments>(ctx);
}

std::string JavaHandleArguments::HandleArguments(std::string_view pattern, int start, int argNo) {
    read(pattern, start, argNo);
    return text_;
}

std::string NetHandleArguments::HandleArguments(std::string_view pattern, int start, int argNo) {
    read(pattern, start, argNo);
    return translated_ ? "TBD" : "";
}

}  // namespace compiler
