#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace compiler {

struct Context;
class InterfaceFileWrite;

// The statement translator the driver hands each token line to. Returns the line's Java text, "TBD"
// after the line's byte tokens were written, or "" when it wrote everything itself. Raises
// CompileException for a statement it refuses.
class StatementTranslator {
public:
    virtual ~StatementTranslator() = default;
    virtual std::string GetJava(std::vector<std::string>& tokens, int count) = 0;
};

using TranslatorFactory = std::function<std::unique_ptr<StatementTranslator>(Context&, InterfaceFileWrite&)>;

}  // namespace compiler
