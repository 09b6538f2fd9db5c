#include "driver/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace compiler {
namespace {

TEST(Messages, AwkwardTextsAreKeptExactly) {
    struct Row {
        MessageKey key;
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
    for (const Row& row : rows) EXPECT_EQ(res(row.key), row.text) << row.text;
    EXPECT_NE(res("Public_Release").find(Res::version), std::string::npos);
    EXPECT_FALSE(res("This_program_is").empty());
    EXPECT_EQ(res("This_program_is").find('\n'), std::string::npos);
}

}  // namespace
}  // namespace compiler
