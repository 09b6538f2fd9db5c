#include "driver/errors.h"

#include <gtest/gtest.h>

#include <sstream>

namespace compiler {
namespace {

TEST(CompileException, PrintsContextLinesWithGrowingIndent) {
    std::ostringstream out;
    Console console(out);
    CompileException e("Error: Syntax error");
    e.addError("in Returner").addError("in Comparison").addError("in Arguments");
    e.printError(console, " at line 7");
    EXPECT_EQ(out.str(),
              "Error: Syntax error at line 7\n\tin Returner\n\t in Comparison\n\t  in Arguments\n");
}

TEST(ErrorHandler, BracketCheckIgnoresLiterals) {
    EXPECT_TRUE(ErrorHandler::bracketCheck("f(a)"));
    EXPECT_FALSE(ErrorHandler::bracketCheck("(("));
    EXPECT_TRUE(ErrorHandler::bracketCheck("x = 1"));
    EXPECT_TRUE(ErrorHandler::bracketCheck("print(\":)\")"));
    EXPECT_FALSE(ErrorHandler::bracketCheck("print(\"(\""));
}

TEST(Debug, PrintStringStopsAtTheEndOfTheWords) {
    std::ostringstream out;
    Console console(out);
    Debug debug(console, false);
    debug.printString({"A", "B", "C", "D"}, 2, 5);
    debug.printString({});
    debug.printDebug("hidden");
    EXPECT_EQ(out.str(), "C D \n\n");
    EXPECT_EQ(Debug::getString("A\x80"), "A \xEF\xBE\x80 ");
}

}  // namespace
}  // namespace compiler
