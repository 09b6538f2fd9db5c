#pragma once

#include <string_view>

namespace compiler::ByteCodes {

// Two-byte codes of the byte-token stream (filled in with the byte-token vocabulary).
inline constexpr std::string_view endLine = "EL";
inline constexpr std::string_view dimInt = "DI";

}  // namespace compiler::ByteCodes
