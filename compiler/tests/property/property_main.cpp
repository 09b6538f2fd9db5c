// compiler_property: the "accepted means compiles" check over many generated programs, or with --mutants over
// small changes to the valid programs the sources hold.
//   compiler_property [--mutants] [--seed S] [--count N] [--first I] [--jobs J] [--batch B] [--no-javac]
//   [--preverify] [--show K] [--print I]
// --why lists each refusal's message line. Prints each finding (at most K in full) and a closing count; exits
// 1 when anything was found.
#include <cstdlib>
#include <iostream>
#include <string>

#include "property/mutations.h"
#include "property/program_generator.h"
#include "property/property_check.h"

namespace {

int usage() {
    std::cerr
        << "usage: compiler_property [--mutants] [--seed S] [--count N] [--first I] [--jobs J] [--batch B]"
           " [--no-javac] [--preverify] [--show K] [--print I] [--why]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1;
    long count = 2000, first = 0, show = 10, print = -1;
    bool why = false, mutants = false;
    proptest::CheckOptions options;
    options.kitDir = TZ_KIT_DIR;
    options.modelSource = TZ_MODEL_SOURCE;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> long {
            if (i + 1 >= argc) std::exit(usage());
            return std::strtol(argv[++i], nullptr, 10);
        };
        if (arg == "--seed")
            seed = static_cast<std::uint64_t>(value());
        else if (arg == "--count")
            count = value();
        else if (arg == "--first")
            first = value();
        else if (arg == "--jobs")
            options.jobs = static_cast<int>(value());
        else if (arg == "--batch")
            options.batchSize = static_cast<std::size_t>(value());
        else if (arg == "--show")
            show = value();
        else if (arg == "--print")
            print = value();
        else if (arg == "--why")
            why = true;
        else if (arg == "--no-javac")
            options.compileJava = false;
        else if (arg == "--preverify")
            options.preverify = true;
        else if (arg == "--mutants")
            mutants = true;
        else
            return usage();
    }
    std::vector<proptest::Program> programs;
    if (mutants) {
        const auto bases = proptest::corpus(TZ_SOURCE_DIR);
        if (print >= 0) {
            const auto& base = bases[static_cast<std::size_t>(print) % bases.size()];
            auto mutant = proptest::mutate(base.source, base.platform, seed, static_cast<int>(print));
            std::cout << "Platform=" << base.platform << " (" << base.origin << ", " << mutant.kind << ")\n"
                      << mutant.source;
            return 0;
        }
        programs = proptest::mutantPrograms(bases, seed, static_cast<int>(first), static_cast<int>(count));
    } else if (print >= 0) {
        auto program = proptest::generateProgram(seed, static_cast<int>(print));
        std::cout << "Platform=" << program.platform << "\n" << program.source;
        if (program.errorLine > 0)
            std::cout << "(planted: line " << program.errorLine << ", " << program.errorMessage << ")\n";
        return 0;
    }

    for (long i = first; i < first + count && !mutants; ++i)
        programs.push_back(proptest::generatedProgram(seed, static_cast<int>(i)));
    proptest::CheckReport report = proptest::checkPrograms(programs, options);
    if (why)
        for (const auto& line : report.refusals) std::cout << line << "\n";
    long shown = 0;
    for (const auto& finding : report.findings) {
        if (shown++ < show)
            std::cout << proptest::describe(finding) << "\n";
        else
            std::cout << "P" << finding.index << " (" << finding.platform << "): " << finding.what << "\n";
    }
    std::cout << "seed " << seed << ": " << report.programs << " programs, " << report.accepted
              << " accepted, " << report.refused << " refused, " << report.findings.size() << " findings\n";
    std::cout << (report.programs - static_cast<long>(report.findings.size())) << " passed, "
              << report.findings.size() << " failed\n";
    return report.findings.empty() ? 0 : 1;
}
