#pragma once

#include <string>
#include <string_view>

namespace compiler {

// The text for `key` of the compiler's message table. Throws std::out_of_range for an unknown key.
const std::string& res(std::string_view key);

}  // namespace compiler
