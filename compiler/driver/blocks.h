#pragma once

#include <string_view>

namespace compiler {

// The blocks a program opens and closes, as the pre-pass pairs them and the translator follows them.
enum class BlockKind { If, For, While, Try, Catch, Function, Canvas, Action, Type };

// The block's word in messages ("If", "For", ...).
constexpr std::string_view blockName(BlockKind kind) {
    constexpr std::string_view kNames[] = {"If",       "For",    "While",  "Try", "Catch",
                                           "Function", "Canvas", "Action", "Type"};  // in the enum's order
    return kNames[static_cast<int>(kind)];
}

}  // namespace compiler
