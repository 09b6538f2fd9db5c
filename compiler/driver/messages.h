#pragma once

#include <string>
#include <string_view>

namespace compiler {

const std::string& res(std::string_view key);
bool hasMessage(std::string_view key);

}  // namespace compiler
