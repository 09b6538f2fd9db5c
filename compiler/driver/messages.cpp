#include "driver/messages.h"

namespace compiler {

static_assert(kit::keysAreUnique(Res::kContents), "a key stands twice in Compiler.Res");

std::span<const Res::Row> Res::getContents() {
    return Res::kContents;
}

}  // namespace compiler
