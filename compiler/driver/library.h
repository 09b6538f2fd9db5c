#pragma once

namespace compiler {

// Built-in word lists and the compiler's run-wide flags and counters.
class Library {
public:
};

}  // namespace compiler
