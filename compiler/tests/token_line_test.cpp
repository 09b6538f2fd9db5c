#include "driver/token_line.h"

#include <gtest/gtest.h>

namespace compiler {
namespace {

struct TokenRow {
    const char* line;
    std::vector<std::string> tokens;
};

TEST(TokenLine, SpacesFoldsAndSplits) {
    const TokenRow rows[] = {
        {"IF A=>B THEN", {"IF", "A", ">=", "B", "THEN"}},
        {"IF A>=B THEN", {"IF", "A", ">=", "B", "THEN"}},
        {"A<>B", {"A", "<>", "B"}},
        {"A><B", {"A", "<>", "B"}},
        {"A=<B", {"A", "<=", "B"}},
        {"A<B", {"A", "<", "B"}},
        {"X=-3", {"X", "=", "-3"}},
        {"X = Y-3", {"X", "=", "Y", "-", "3"}},
        {"PRINT -5", {"PRINT", "-", "5"}},
        {"A[1,2]=F(X)*2/Y", {"A", "[", "1", ",", "2", "]", "=", "F", "(", "X", ")", "*", "2", "/", "Y"}},
        {"-X = 1", {"", "-", "X", "=", "1"}},
        {"X  =   4   ", {"X", "=", "4"}},
        {"", {}},
    };
    for (const auto& row : rows) EXPECT_EQ(tokenize(row.line), row.tokens) << row.line;
}

TEST(TokenLine, LiteralsPassThroughExactly) {
    const TokenRow rows[] = {
        {"PRINT \"A, B_C: (1-2)\"", {"PRINT", "\"A, B_C: (1-2)\""}},
        {"PRINT \"a/b\" + X", {"PRINT", "\"a/b\"", "+", "X"}},
        {"S$ = \"x  =>  y\"", {"S$", "=", "\"x  =>  y\""}},
        {"PRINT \":)\"", {"PRINT", "\":)\""}},
        {"A$ = \"-5\"", {"A$", "=", "\"-5\""}},
        {"PRINT \"open", {"PRINT", "\"open"}},
        {"X = \"a\"-5", {"X", "=", "\"a\"", "-", "5"}},
    };
    for (const auto& row : rows) EXPECT_EQ(tokenize(row.line), row.tokens) << row.line;
}

}  // namespace
}  // namespace compiler
