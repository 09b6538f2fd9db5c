// Small changes a beginner makes to the valid programs the sources hold (the guide's examples, the bundled
// examples, the test programs): whatever the compiler accepts compiles and preverifies, whatever it refuses
// it refuses with its own message and a line of the file, the line a change touched where the message names
// one, and a change that keeps the meaning (tabs, line ends, a byte-order mark) is translated as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "property/mutations.h"
#include "property/property_check.h"

namespace {

const std::string kKit = TZ_KIT_DIR;

proptest::CheckOptions options(bool javac) {
    proptest::CheckOptions o;
    o.kitDir = kKit;
    o.modelSource = std::string(TZ_TEST_DATA) + "/three_d/MODEL.java";
    o.compileJava = javac;
    o.preverify = javac;
    return o;
}

void expectNoFindings(const proptest::CheckReport& report) {
    for (std::size_t i = 0; i < report.findings.size() && i < 8; ++i)
        ADD_FAILURE() << proptest::describe(report.findings[i]);
    EXPECT_EQ(report.findings.size(), 0u) << report.accepted << " accepted, " << report.refused << " refused";
}

TEST(MutatedPrograms, ComeFromEveryValidProgramAndEveryKindOfChange) {
    const auto bases = proptest::corpus(TZ_SOURCE_DIR);
    std::map<std::string, int> origins;
    for (const auto& base : bases) ++origins[base.origin.substr(0, base.origin.find_first_of(" /"))];
    EXPECT_GT(origins["docs"], 10);
    EXPECT_GE(origins["examples"], 2);
    EXPECT_GT(origins["compiler"], 8);

    std::vector<std::string> kinds;
    int touched = 0, same = 0;
    for (int i = 0; i < 1500; ++i) {
        const auto& base = bases[static_cast<std::size_t>(i) % bases.size()];
        const proptest::Mutant m = proptest::mutate(base.source, 5, i);
        EXPECT_EQ(m.source, proptest::mutate(base.source, 5, i).source);
        EXPECT_NE(m.source, base.source) << m.kind;
        kinds.push_back(m.kind);
        touched += m.touchedLine > 0;
        same += m.sameMeaning;
    }
    for (const char* kind : {"deleted line",
                             "duplicated line",
                             "duplicated block from",
                             "duplicated block opener",
                             "misspelt keyword",
                             "dropped token",
                             "added token",
                             "dropped bracket",
                             "added bracket",
                             "dropped quote",
                             "added quote",
                             "added backslash",
                             "swapped lines",
                             "renamed the declaration",
                             "moved line",
                             "tabs",
                             "CR LF",
                             "CR",
                             "mixed line ends",
                             "byte-order mark"})
        EXPECT_TRUE(std::any_of(kinds.begin(), kinds.end(), [&](const std::string& k) {
            return k.find(kind) != std::string::npos;
        })) << kind;
    EXPECT_GT(touched, 300);
    EXPECT_GT(same, 60);
}

// The compiler's side under the sanitizers too: no crash, no refusal without the compiler's message.
TEST(MutatedPrograms, AreTranslatedOrRefusedByTheCompiler) {
    auto report = proptest::checkPrograms(
        proptest::mutantPrograms(proptest::corpus(TZ_SOURCE_DIR), 20261210, 0, 1500), options(false));
    EXPECT_GT(report.accepted, 300);
    expectNoFindings(report);
}

TEST(AcceptedMeansCompiles, MutatedPrograms) {
    if (!std::filesystem::exists(kKit + "/jdk/bin/javac"))
        GTEST_SKIP() << "the kit's Java tool chain is not built";
    auto report = proptest::checkPrograms(
        proptest::mutantPrograms(proptest::corpus(TZ_SOURCE_DIR), 41, 0, 2500), options(true));
    EXPECT_GT(report.accepted, 500);
    expectNoFindings(report);
}

}  // namespace
