#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "property/property_check.h"

namespace proptest {

// A program the tests hold as valid: the guide's examples, the bundled examples, the test sources.
struct CorpusProgram {
    std::string origin;  // where it comes from, for the reader of a finding
    std::string platform;
    std::string source;
};

// Every valid program under the source tree `root`: the ```bss blocks of docs/language.md that are not
// marked refused, examples/*/<Name>X.bss, and the .bss files under compiler/tests/data.
std::vector<CorpusProgram> corpus(const std::string& root);

// One small change a beginner makes to a program.
struct Mutant {
    std::string kind;    // what was done, e.g. "misspelt keyword"
    std::string source;  // the changed program
    // The one line the change touched (from 1) when every other line stays as valid as it was: a refusal
    // whose message carries a line names this one. 0 otherwise.
    int touchedLine = 0;
    // The change keeps the meaning (tabs for blanks, other line ends, a byte-order mark): the program is
    // translated as before, to the same Java.
    bool sameMeaning = false;
    // The change must be refused at this line (from 1) or an earlier one. 0 for none.
    int refusedBy = 0;
};

// The mutant number `index` of `source` (a program for `platform`) in the run seeded with `seed`: the same
// four give the same mutant.
Mutant mutate(const std::string& source, const std::string& platform, std::uint64_t seed, int index);

// The check's programs: the bases (accepted or refused as they are) and `count` mutants spread over them,
// numbered from `first`. Each mutant's `sameJavaAs` names its base when the change keeps the meaning.
std::vector<Program> mutantPrograms(const std::vector<CorpusProgram>& bases, std::uint64_t seed, int first,
                                    int count);

}  // namespace proptest
