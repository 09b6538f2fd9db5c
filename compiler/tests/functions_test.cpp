#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver/messages.h"
#include "registry_fixture.h"

namespace compiler {
namespace {

class FunctionsTest : public RegistryTest {
protected:
    FunctionsTest() {
        // As the pre-pass registers FUNCTION ADD(A, B#, C$, X%) with an integer result.
        Function& add = ctx.functions.addFunction("ADD");
        add.addArg(TypeCodes::cInt, "A");
        add.addArg(TypeCodes::cFloat, "B");
        add.addArg(TypeCodes::cString, "C");
        add.addArg(TypeCodes::cInt, "X%");
        add.setType(Function::cInt);
        ctx.functions.addFunction("NOARGS");
        ctx.functions.addFunction("THIRD").addArg(TypeCodes::cType, "P");
    }
};

TEST_F(FunctionsTest, RecordsArgumentsPatternAndNumber) {
    const Function& add = *ctx.functions.getFunction("ADD");
    EXPECT_EQ(add.getArgs(), "I,F,S,I");
    EXPECT_EQ(add.argCount(), 4);
    EXPECT_EQ(add.getArg(3), "X%");
    EXPECT_TRUE(add.argExists("X%"));
    EXPECT_FALSE(add.argExists("X"));
    EXPECT_EQ(ctx.functions.getArguments("NOARGS"), "");
    EXPECT_EQ(ctx.functions.getArguments("THIRD"), "");  // codes other than 1-3 add nothing
    EXPECT_EQ(ctx.functions.getFuncID("THIRD"), 2);
    EXPECT_EQ(ctx.functions.getFuncID("ADD$"), 0);
    EXPECT_TRUE(ctx.functions.isFunction("ADD"));
    EXPECT_FALSE(ctx.functions.isFunction("ADD$"));
    EXPECT_EQ(ctx.functions.getType("ADD#"), 2);
    EXPECT_EQ(ctx.functions.getLastFunction().name, "THIRD");
    EXPECT_EQ(ctx.objects.Names.indexOf("NOARGS"), 4);  // after the three system variables and ADD
    EXPECT_EQ(problemsOf([&] { ctx.functions.getFuncID("SUB"); }),
              std::vector<std::string>{"Could not find referenced function in pool"});
}

TEST_F(FunctionsTest, NamesWithATypeSuffixAreRefusedWhenDeclared) {
    for (const char* name : {"F$", "F#", "F%"}) {
        EXPECT_EQ(problemsOf([&] { ctx.functions.addFunction(name); }),
                  std::vector<std::string>{res("Error_Function_Suffix")});
    }
    EXPECT_EQ(ctx.functions.getCount(), 3);
    EXPECT_EQ(ctx.objects.Names.indexOf("F$"), -1);
}

// The type words of the four result types stand in the function heads of the statement tables.
TEST_F(FunctionsTest, UnknownResultTypeHasNoJavaTypeWord) {
    ctx.functions.getLastFunction().setType(static_cast<TypeCode>(7));
    EXPECT_EQ(problemsOf([&] { ctx.functions.getJavaFunctionType("THIRD$"); }),
              std::vector<std::string>{"Could not find valid function return type in pool"});
}

TEST_F(FunctionsTest, CheckFunctionRefusesTooFewArguments) {
    const std::string tooFew = "Error: Length does not match";
    struct Row {
        std::string function;
        std::vector<std::string> tokens;
        bool passes;
    };
    const std::vector<Row> rows = {
        {"ADD", {}, false},
        {"ADD", {"1", ",", "2", ",", "3"}, false},
        {"ADD", {"A", "(", "1", ",", "2", ")", ",", "3", ",", "4"}, false},  // the inner comma is A's
        {"ADD", {"1", ",", "2", ",", "3", ",", "4"}, true},
        {"ADD", {"B", "[", "1", ",", "2", "]", ",", "1", "+", "2", ",", "3", ",", "4"}, true},
        {"ADD", {"1", ",", "2", ",", "3", ",", "4", ",", "5"}, true},
        {"NOARGS", {}, true},
    };
    for (const Row& row : rows) {
        auto problems = problemsOf([&] { ctx.functions.checkFunction(row.function, row.tokens); });
        EXPECT_EQ(problems, row.passes ? std::vector<std::string>{} : std::vector<std::string>{tooFew})
            << row.function << " with " << row.tokens.size() << " tokens";
    }
}

TEST_F(FunctionsTest, ArgumentsAndVariablesOfTheCurrentFunction) {
    ctx.functions.enter(OwnerKind::Function, "ADD");
    ctx.variables.add("V", TypeCodes::cString);
    EXPECT_TRUE(ctx.functions.isFuncArg("A"));
    EXPECT_FALSE(ctx.functions.isFuncArg("A$"));  // the argument name is compared as given
    EXPECT_TRUE(ctx.functions.isFuncVar("V$"));
    EXPECT_TRUE(ctx.functions.getFunction("ADD")->varExists(ctx.variables, "V"));
    for (const char* section : {"MAIN", "", "PAUSE", "NOARGS"}) {
        enterOwner(ctx.functions, section);
        EXPECT_FALSE(ctx.functions.isFuncArg("A")) << section;
        EXPECT_FALSE(ctx.functions.isFuncVar("V")) << section;
    }
    EXPECT_TRUE(ctx.functions.argExists("ADD", "B"));
    EXPECT_FALSE(ctx.functions.argExists("ADD", "Z"));
    EXPECT_FALSE(ctx.functions.argExists("PAUSE", "B"));  // special functions have no record
}

TEST_F(FunctionsTest, MissingRecordsAreInternalErrors) {
    EXPECT_THROW(ctx.functions.getType("SUB"), std::logic_error);
    EXPECT_THROW(ctx.functions.getArguments("SUB"), std::logic_error);
    EXPECT_THROW(ctx.functions.checkFunction("SUB", {}), std::logic_error);
    std::ostringstream emptyOut;
    Context empty(emptyOut, false);
    EXPECT_THROW(empty.functions.getLastFunction(), std::logic_error);
}

TEST(FunctionsDebug, GetArgumentsTracesTheName) {
    std::ostringstream out;
    Context ctx(out, true);
    ctx.functions.addFunction("F").addArg(TypeCodes::cFloat, "X");
    EXPECT_EQ(ctx.functions.getArguments("F#"), "F");
    EXPECT_EQ(out.str(), "F#\n");
}

}  // namespace
}  // namespace compiler
