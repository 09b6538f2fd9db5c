#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace compiler {

class Convertor;

// A statement branch. Returns the line's text, or nullopt to pass the line on down the chain.
using StatementHandler = std::optional<std::string> (*)(Convertor&);

// When a row of the keyword chain is tried at all.
enum class KeywordCondition {
    Always,
    SingleToken,          // END and BREAK: the line is the keyword alone
    SpecialFunctionStop,  // not a keyword: inside PAUSE or END, the rest of the chain is skipped
    InCanvasAction,       // a canvas and one of its actions are open
    InPaintAction,        // ... and the action is PAINT
    NotInActionFunction,  // outside FUNCTION ACTION
};

struct KeywordEntry {
    std::string_view keyword;
    KeywordCondition condition;
    StatementHandler handler;
};

// The keyword chain, in the order the keywords are tested.
const std::vector<KeywordEntry>& keywordTable();

// Offered every line before the keyword chain (declarations, worlds), in this order.
const std::vector<StatementHandler>& lineHooks();

// The closing branch's readings of a line no keyword took (record field, variable and array
// assignments, world slots, function calls), in this order; the syntax error follows them.
const std::vector<StatementHandler>& closingBranch();

}  // namespace compiler
