#include "statements/convertor.h"

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "expressions/writer.h"

namespace compiler {
namespace {

class Convertor : public StatementTranslator {
public:
    Convertor(Context& ctx, InterfaceFileWrite& out) : ctx_(ctx), out_(out) {}

    std::string GetJava(std::vector<std::string>& tokens, int count) override {
        (void)count;
        (void)out_;
        return syntaxError(tokens.empty() ? std::string() : tokens[0]);
    }

private:
    // A line that nothing recognises.
    std::string syntaxError(const std::string& first) {
        ctx_.console.line(res("Error_Syntax_or") + first + ".");
        ctx_.console.line(res("Error_Some_keywords"));
        throw CompileException(res("Error_The_error"));
    }

    Context& ctx_;
    InterfaceFileWrite& out_;
};

}  // namespace

std::unique_ptr<StatementTranslator> makeConvertor(Context& ctx, InterfaceFileWrite& out) {
    return std::make_unique<Convertor>(ctx, out);
}

}  // namespace compiler
