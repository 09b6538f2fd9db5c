#include "driver/messages.h"

#include <stdexcept>
#include <unordered_map>

namespace compiler {

// Stand-in holding only the rows the registries use until the full table is merged.
const std::string& res(std::string_view key) {
    static const std::unordered_map<std::string_view, std::string> table = {
        {"Error", "Error"},
        {"Length_does_not_match", "Error: Length does not match"},
        {"Error_Function_Suffix", "Error: A function name cannot end in $, # or %"},
    };
    auto it = table.find(key);
    if (it == table.end()) throw std::out_of_range("No message for key " + std::string(key));
    return it->second;
}

}  // namespace compiler
