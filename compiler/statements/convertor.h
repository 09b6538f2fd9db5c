#pragma once

#include <memory>

#include "driver/translator.h"

namespace compiler {

struct Context;
class InterfaceFileWrite;

// The statement translator of a run, over the run's one writer.
std::unique_ptr<StatementTranslator> makeConvertor(Context& ctx, InterfaceFileWrite& out);

}  // namespace compiler
