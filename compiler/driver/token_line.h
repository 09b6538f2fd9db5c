#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compiler {

// Turns one trimmed statement into its token line: brackets, operators and commas spaced out, the
// comparison operators folded ("=>" and ">=" both give ">="), "= -5" joined into one number token,
// then split at runs of blanks. String literals pass through untouched: each literal, with its quotes,
// stays one token exactly as written.
std::vector<std::string> tokenize(std::string_view statement);

}  // namespace compiler
