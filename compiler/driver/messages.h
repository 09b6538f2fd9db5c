#pragma once

#include <span>
#include <string>
#include <string_view>

namespace compiler {

// The compiler's message table "Compiler.Res": every diagnostic, warning and banner line that is not a
// fixed string of its own module. Texts are kept exactly as users and scripts know them, typos and
// trailing blanks included; a text ending in a blank or an opening quote is a prefix the caller completes.
namespace Res {

inline constexpr std::string_view version = "1.1.0";

struct Row {
    std::string_view key;
    std::string_view text;
};

// The whole table, in table order.
std::span<const Row> getContents();

}  // namespace Res

// The text for `key` (exact, case-sensitive). Throws std::out_of_range naming the key when the table
// has no such row. Pass the key as a string literal in the call: a test checks each such key against
// the table.
const std::string& res(std::string_view key);

bool hasMessage(std::string_view key);

}  // namespace compiler
