#pragma once

#include <cstdint>
#include <string>

namespace proptest {

// One random program of the language: its target ("TB" or "Applet") and its source text.
struct GeneratedProgram {
    std::string platform;
    std::string source;
    // A program written to be valid may carry one planted error: a statement the compiler must refuse
    // on this line of the file (counted from 1), with a message that starts with `errorMessage`. Any
    // refusal of such a program names this line or an earlier one.
    int errorLine = 0;
    std::string errorMessage;
    // Written to be valid, with no error planted: the compiler must accept it.
    bool valid = false;
};

// The program number `index` of the run seeded with `seed`: the same pair always gives the same
// program, so a failing one can be rebuilt alone. Most programs are written to be valid; the others
// carry a few faults a user makes (a wrong argument, a name used twice, a block left open, ...).
// Record types get names unique to `index`, so that many programs can share one Java package.
GeneratedProgram generateProgram(std::uint64_t seed, int index);

}  // namespace proptest
