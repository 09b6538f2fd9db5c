#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace proptest {

struct Program {
    int index = 0;  // names the project "P<index>": unique within one check
    std::string platform;
    std::string source;
    int errorLine = 0;         // a planted error's line, from 1, or 0 (see GeneratedProgram)
    std::string errorMessage;  // the start of the planted error's message
    // A change to one line that leaves the others valid (see Mutant): a refusal that names a line names
    // this one. 0 for none.
    int touchedLine = 0;
    // The index of a program of the same check that this one must be translated like: the same verdict,
    // the same Java (its own class name aside) or the same message. -1 for none.
    int sameAs = -1;
    std::string note;    // where the program comes from, for the reader of a finding
    bool valid = false;  // a valid program of the language: refusing it is a finding
};

// Program `index` of the random programs seeded with `seed` (see generateProgram).
Program generatedProgram(std::uint64_t seed, int index);

// A program that breaks the rule: accepted Java that javac rejects, a refusal that is not the
// compiler's own message, or a run that failed inside the compiler.
struct Finding {
    int index = 0;
    std::string what;
    std::string details;
    std::string platform;
    std::string source;
};

struct CheckReport {
    int programs = 0;
    int accepted = 0;
    int refused = 0;
    std::vector<Finding> findings;
    std::vector<std::string> refusals;  // each refused program's message line, "P<index>: <line>"
};

struct CheckOptions {
    std::string kitDir;       // the built kit: Compile-Linux's neighbours jdk/, wtk/, Include/
    std::string modelSource;  // a 3D model class the programs' OBJECT statements name as MODEL
    std::size_t batchSize = 200;
    int jobs = 4;             // javac runs at once
    bool compileJava = true;  // false: the compiler's side alone
    bool preverify = false;   // the compiled classes also go through the kit's preverify, as Build's do
};

// Runs every program through the compiler in this process, as Compile-Linux does (Build's start is the
// one seam), and compiles the Java of those it accepts with the kit's javac against the class path Build
// would use for each, many programs to one javac run.
CheckReport checkPrograms(const std::vector<Program>& programs, const CheckOptions& options);

// Why the output of a refused compile is not the compiler's own refusal, or nothing when it is:
// the message-table text that ends the output, " at line " and a line number from 1 to `lines` (the
// lines of the source file) wherever the message's form carries one, and nothing from javac or an
// internal error.
std::optional<std::string> refusalFault(const std::string& output, std::size_t lines);

// Why the output of a program with an error planted on line `errorLine` does not report it: the program
// must be refused at that line or an earlier one, and with the planted message at that line exactly.
std::optional<std::string> plantedFault(const std::string& output, int status, int errorLine,
                                        const std::string& errorMessage);

// Why the refusal in `output` does not name line `touchedLine`, the only line a change touched, or nothing
// when it does or when its message names no line.
std::optional<std::string> touchedLineFault(const std::string& output, int touchedLine);

// A finding as a reader wants it: what, the details, and the program.
std::string describe(const Finding& finding);

}  // namespace proptest
