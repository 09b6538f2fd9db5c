#include "statements/convertor.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/context.h"
#include "driver/messages.h"
#include "driver/token_line.h"
#include "recording_writer.h"
#include "test_helpers.h"

namespace compiler {
namespace {

class ConvertorTest : public ::testing::Test {
protected:
    ConvertorTest() : ctx(out, false) {
        ctx.project.platform = "TB";
        ctx.library.instantiate();
        ctx.library.addForVariable("I");
        convertor = makeConvertor(ctx, writer);
    }

    std::string translate(const std::string& statement) {
        std::vector<std::string> tokens = tokenize(statement);
        return convertor->GetJava(tokens, static_cast<int>(tokens.size()));
    }

    std::ostringstream out;
    Context ctx;
    RecordingWriter writer;
    std::unique_ptr<StatementTranslator> convertor;
};

TEST_F(ConvertorTest, ConstructionRegistersSystemAndLoopVariables) {
    EXPECT_EQ(ctx.functions.CurrentFunction, "GLOBAL");
    EXPECT_GE(ctx.variables.find("POINTX"), 0);
    int i = ctx.variables.find("I");
    ASSERT_GE(i, 0);
    EXPECT_EQ(ctx.variables.getType(i), 2);
}

TEST_F(ConvertorTest, UnknownLineIsASyntaxErrorAndOpensTheMainSectionOnce) {
    try {
        translate("frobnicate 1, 2");
        FAIL();
    } catch (const CompileException& e) {
        EXPECT_EQ(e.problems(), std::vector<std::string>{res("Error_The_error")});
    }
    EXPECT_EQ(writer.calls, (std::vector<std::string>{"WriteStart", "WriteMain"}));
    EXPECT_EQ(ctx.functions.CurrentFunction, "MAIN");
    EXPECT_EQ(
        tz::testing::splitLines(out.str()),
        (std::vector<std::string>{
            "Switching to command mode",
            "All variables from this point will become local and therefore inaccessible to other functions",
            res("Error_Syntax_or") + "FROBNICATE.", res("Error_Some_keywords")}));

    EXPECT_THROW(translate("still unknown"), CompileException);
    EXPECT_EQ(writer.calls.size(), 2u);  // the main section opens once
}

TEST_F(ConvertorTest, LineWithoutAFirstWordIsASyntaxError) {
    // Found by fuzzing: the closing branch read the last character of the empty first token.
    for (const char* line : {",CLS", "-HILE 1 = 1", "(X) = 1", "/REMEENDDz", "+"}) {
        EXPECT_THROW(translate(line), CompileException) << line;
    }
}

TEST_F(ConvertorTest, PlatformSectionEndTranslatesToNothing) {
    EXPECT_EQ(translate("#endif"), "");
    EXPECT_EQ(ctx.functions.CurrentFunction, "GLOBAL");
    EXPECT_TRUE(writer.calls.empty());
}

// A read past either end refuses the statement with the argument-count message, to which no translator
// it leaves adds context.
TEST(LineState, ReadsPastTheEndRefuseTheStatement) {
    LineState line;
    line.Tokens = {"SETDISPLAY"};
    EXPECT_EQ(line.token(0), "SETDISPLAY");
    for (long index : {1L, -1L}) {
        try {
            (void)line.token(index);
            ADD_FAILURE() << "no refusal at " << index;
        } catch (CompileException& e) {
            e.addError("in Arguments");
            EXPECT_EQ(e.problems(), std::vector<std::string>{res("Error_Number_of")}) << index;
        }
    }
}

}  // namespace
}  // namespace compiler
