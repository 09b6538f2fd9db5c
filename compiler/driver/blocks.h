#pragma once

#include <string_view>

namespace compiler {

// The blocks a program opens and closes, as the pre-pass pairs them and the translator follows them.
enum class BlockKind { If, For, While, Try, Catch, Function, Canvas, Action, Type };

// The block's word in messages ("If", "For", ...).
constexpr std::string_view blockName(BlockKind kind) {
    switch (kind) {
        case BlockKind::If:
            return "If";
        case BlockKind::For:
            return "For";
        case BlockKind::While:
            return "While";
        case BlockKind::Try:
            return "Try";
        case BlockKind::Catch:
            return "Catch";
        case BlockKind::Function:
            return "Function";
        case BlockKind::Canvas:
            return "Canvas";
        case BlockKind::Action:
            return "Action";
        case BlockKind::Type:
            return "Type";
    }
    return "";
}

}  // namespace compiler
