#include "driver/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

namespace compiler {
namespace {

namespace fs = std::filesystem;

TEST(Messages, EveryKeyIsOnceInTheTableAndLooksUpItsOwnRow) {
    std::set<std::string_view> keys;
    for (const Res::Row& row : Res::getContents()) {
        EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key " << row.key;
        EXPECT_EQ(res(row.key), row.text) << row.key;
    }
}

TEST(Messages, AwkwardTextsAreKeptExactly) {
    struct Row {
        const char* key;
        const char* text;
    };
    const Row rows[] = {
        {"Error", "Error"},
        {"Error_", "Error:"},
        {"Home_", "Home: "},
        {"Error_Syntax_or", "Error: Syntax or Variable not recognised or in incorrect position: "},
        {"Error_Unknown_symbol_", "Error: Unknown symbol: \""},
        {"Error_Could_not", "Error: Could not access project descriptor file \""},
        {"Error_The_PAINT", "Error: The \"PAINT\" action must be the first action"},
        {"Error_Dim_statements",
         "Error: Dim statements can only be used at the begining of the program, in custom functions or in "
         "types"},
        {"Error_TextBox", "Error: TextBox requires Name, Title, Text, Size, Constaint"},
        {"Error_Your_have_not", "Error: Your have not correctly nested your code; open "},
        {"Error_Str$_requires_a", "Error: Str$ requires a valid integer expression"},
        {"Length_does_not_match", "Error: Length does not match"},
        {"1You_have_installed",
         "1). You have installed Tesvo Zorid in a directory with spaces e.g. C:\\Program Files\\, please "
         "reinstall Tesvo Zorid in a directory without spaces e.g. C:\\TesvoZorid\\."},
        {"Error_Expecting",
         "Error: Expecting variable of type string\nUse the STR() command to convert to a string\nThe error "
         "occurred"},
        {"Error_Expecting_I",
         "Error: Expecting variable of type integer\nUse the INT() command to convert to an integer\nThe "
         "error occurred"},
        {"Please_send_a_copy_of", "Please send a copy of your source code to support@tesvozorid.example"},
        {"Public_Release", "Public Release Version (1.1.0)"},
    };
    for (const Row& row : rows) EXPECT_EQ(res(row.key), row.text) << row.key;
    EXPECT_NE(res("Public_Release").find(Res::version), std::string::npos);
    EXPECT_FALSE(res("This_program_is").empty());
    EXPECT_EQ(res("This_program_is").find('\n'), std::string::npos);
}

TEST(Messages, UnknownKeyIsRefusedByName) {
    EXPECT_TRUE(hasMessage("Error"));
    EXPECT_FALSE(hasMessage("error"));
    EXPECT_FALSE(hasMessage(""));
    try {
        res("error");
        FAIL() << "lookup of an unknown key succeeded";
    } catch (const std::out_of_range& e) {
        EXPECT_NE(std::string(e.what()).find("\"error\""), std::string::npos) << e.what();
    }
}

// Every res("KEY") in the compiler's sources must name a row of the table; a missing key would only
// show up as a failed lookup on the path that prints it.
TEST(Messages, EveryKeyUsedInTheSourcesIsInTheTable) {
    const fs::path compilerDir = fs::path(TZ_TEST_DATA).parent_path().parent_path();
    ASSERT_TRUE(fs::exists(compilerDir / "main.cpp")) << compilerDir;
    const fs::path testsDir = compilerDir / "tests";

    const std::regex call(R"((?:^|[^A-Za-z0-9_])res\(\s*"([^"]*)\")");
    std::size_t scanned = 0;
    for (const auto& entry : fs::recursive_directory_iterator(compilerDir)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h")) continue;
        if (path.parent_path() == testsDir) continue;
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        ++scanned;
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it) {
            const std::string key = (*it)[1];
            EXPECT_TRUE(hasMessage(key)) << "res(\"" << key << "\") in "
                                         << path.lexically_relative(compilerDir) << " names no message";
        }
    }
    EXPECT_GT(scanned, 0u);
}

}  // namespace
}  // namespace compiler
