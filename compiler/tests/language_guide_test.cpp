// The language guide's examples are programs: each one is compiled by Compile-Linux and built by
// Build-Linux with the kit's javac, so the guide cannot drift from the compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempDir;
using testing_support::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kGuide = std::string(TZ_EXAMPLES_DIR) + "/../docs/language.md";

struct Example {
    int line = 0;  // where the block starts in the guide
    std::string platform;
    std::string source;
};

// The ```bss blocks of the guide; "```bss applet" marks an applet program.
std::vector<Example> examples() {
    std::vector<Example> found;
    std::vector<std::string> lines = testing_support::splitLines(readFile(kGuide));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != "```bss" && lines[i] != "```bss applet") continue;
        Example e{static_cast<int>(i + 1), lines[i] == "```bss" ? "TB" : "Applet", ""};
        for (++i; i < lines.size() && lines[i] != "```"; ++i) e.source += lines[i] + "\n";
        found.push_back(e);
    }
    return found;
}

// Every file a program names (images, sounds, tunes) exists beside it, so Build can pack it.
void writeResources(const std::string& folder, const std::string& source) {
    static const std::regex file("\"/?([A-Za-z0-9_]+)\\.(png|wav|mid|fmp)\"");
    for (std::sregex_iterator m(source.begin(), source.end(), file), end; m != end; ++m) {
        const std::string stem = (*m)[1], extension = (*m)[2];
        writeFile(folder + stem + "." + extension, "");
        for (int i = 0; i < 8; ++i) writeFile(folder + stem + std::to_string(i) + "." + extension, "");
    }
}

TEST(LanguageGuide, EveryExampleCompilesAndBuilds) {
    if (!fs::exists(kKit + "/Include/Include.inc")) GTEST_SKIP() << "the kit's Java tool chain is not built";
    const std::vector<Example> all = examples();
    ASSERT_GE(all.size(), 10u) << kGuide;
    for (const Example& example : all) {
        SCOPED_TRACE("the example at line " + std::to_string(example.line) + " of docs/language.md");
        TempDir dir;
        const std::string folder = dir / "Guide/";
        writeFile(folder + "Guide.tbp",
                  "// Tesvo Zorid v1.1.0 Project File\nMain=Guide\nRun=0\nName=Guide\nPlatform=" +
                      example.platform + "\nInc=true\n");
        writeFile(folder + "GuideX.bss", example.source);
        writeResources(folder, example.source);
        auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", folder + "Guide"});
        EXPECT_EQ(result.status, 0) << result.output << example.source;
        // The phone build says so; the applet's page is its proof.
        if (example.platform == "TB")
            EXPECT_NE(result.output.find("Program compiled"), std::string::npos) << result.output;
        else
            EXPECT_TRUE(fs::exists(folder + "Guide.html")) << result.output;
    }
}

}  // namespace
