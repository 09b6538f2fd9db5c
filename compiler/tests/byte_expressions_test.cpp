// Argument lists, value built-ins, conversions, indexes, record fields and conditions in byte tokens.
#include <gtest/gtest.h>

#include "driver/messages.h"
#include "expression_fixture.h"
#include "expressions/arguments.h"
#include "expressions/comparator.h"

namespace compiler {
namespace {

// The phone fixture's program on the Pocket PC target. Pool numbers follow the declarations:
// G 0, PX 1, NAME 2, W 3, ON 4, X 5, A 6, F 7, B 8, P 9; arrays VALS 0, ARR 1, NAMES 2, FS 3, PTS 4;
// among all variables (system variables first) PX is 4 and P is 12; functions ADD 0, GREET 1, NOW 2.
class ByteExpressionTest : public ExpressionTest {
protected:
    ByteExpressionTest() {
        ctx.project.platform = "PPC";
        for (const char* name : {"G", "PX", "NAME", "W", "ON", "X", "A", "F", "B", "P"}) {
            ctx.library.addByteVariable(name);
        }
    }

    std::string bytes(const char* statement, const char* pattern, int start, int argNo, int pointer) {
        line(statement, pointer);
        std::unique_ptr<InterfaceArguments> arguments = newArguments(ctx);
        arguments->HandleArguments(pattern, start, argNo);
        return arguments->retByte().value_or("(none)");
    }

    std::string condition(const char* statement) {
        line(statement, 1);
        Comparator comparator(ctx);
        try {
            comparator.HandleComparator("if(");
        } catch (const CompileException& e) {
            return "error: " + e.problems().front();
        }
        return comparator.retByte();
    }
};

struct Row {
    const char* statement;
    const char* pattern;
    int start;
    int argNo;
    int pointer;
    const char* bytes;
    int pointerAfter;
};

TEST_F(ByteExpressionTest, ArgumentListsEndEachArgumentWithED) {
    const Row rows[] = {
        {"PRINT \"Hello\"", "S", 1, 1, 0, "SS\"Hello\"SEED", 2},
        {"PRINT ( \"x\" )", "S", 1, 1, 0, "SS\"x\"SEED", 4},
        {"LABEL L1 , \"A\" , \"B\"", "S,S", 1, 2, 0, "SS\"A\"SEEDSS\"B\"SEED", 6},
        {"CMD , \"x\"", "S,S", 1, 1, 0, "EDSS\"x\"SEED", 3},
        {"X = X - 1 * G / 2", "I", 2, 0, 2, "VS5VE--NS1NE**VS0VE//NS2NEED", 9},
        // a "-" where an operand belongs is the number's sign
        {"X = X - -1", "I", 2, 0, 2, "VS5VE--NS-1NEED", 6},
        {"SETPOINT - 5 , - X", "I,I", 1, 1, 0, "NS-5NEED--VS5VEED", 6},
        {"X = ( X + 1 ) * ( 2 )", "I", 2, 0, 2, "VS5VE++NS1NE**NS2NEED", 11},
        {"F# = F# * 2.5", "F", 2, 0, 2, "VS7VE**NS2.5NEED", 5},
        {"B = TRUE", "b", 2, 0, 2, "TTED", 3},
        {"B = B", "b", 2, 0, 2, "VS8VEED", 3},
        {"SPRITE.DRAW SPR , 2", "s,I", 1, 1, 0, "SXSPRSYEDNS2NEED", 4},
        {"IMAGE.DRAW IMG , 1 , 2", "i,I,I", 1, 1, 0, "ISIMGIEEDNS1NEEDNS2NEED", 6},
        {"3D.SETLIGHTCOLOR 65280", "H", 1, 1, 0, "NS65280NEED", 2},
        {"LISTENER BTN", "B", 1, 1, 0, "NXBTNNYED", 2},
        {"SETDISPLAY LST", "n", 1, 1, 0, "NXLSTNYED", 2},
        {"BUTTON \"OK\" , \"Go\"", "N", 1, 1, 0, "NXOKNYED", 2},
        {"TEXTBOX T , \"a\" , \"b\" , 5", "N,S,S,", 1, 1, 0, "NXTNYEDSS\"a\"SEEDSS\"b\"SEED", 7},
        // an array: its number, "ED", the index, and "AC" in place of the argument's "ED"
        {"PRINT A$ + NAMES$[X]", "S", 1, 1, 0, "VS6VE++AS2AEEDVSNS5NEVEAC", 7},
        // ... only when the array ends the argument: any piece after it, and the argument ends with "ED"
        {"X = ARR [ X + 1 , 2 ] * 2", "I", 2, 0, 2, "AS1AEEDVSNS5NEVE++NS1NEEDNS2NEEDAC**NS2NEED", 12},
        {"DRAWLINE ARR [ 1 ] + 1 , 2 , 3 , 4", "I,I,I,I", 1, 1, 0,
         "AS1AEEDNS1NEEDAC++NS1NEEDNS2NEEDNS3NEEDNS4NEED", 13},
        // record fields: the reference's own tokens
        {"X = P%.PX + 1", "I", 2, 0, 2, "TV12TWVS4VE++NS1NEED", 5},
        {"X = PTS% [ 1 ] .PX", "I", 2, 0, 2, "AS4AENS1NEEDVS4VEED", 7},
        // value built-ins with a byte form and conversions, nested as their own tokens
        {"X = ADD ( X , 2 ) + 1", "I", 2, 0, 2, "FCNS0NEEDVS5VEEDNS2NEEDFD++NS1NEED", 10},
        {"X = NOW ( )", "I", 2, 0, 2, "FCNS2NEEDFDED", 5},
        {"X = TIMER ( )", "I", 2, 0, 2, "RTREED", 5},
        {"A$ = STR$ ( X + 1 )", "S", 2, 0, 2, "TSVS5VE++NS1NEEDTEED", 8},
        {"X = INT ( UPPER ( A$ ) )", "I", 2, 0, 2, "TITUVS6VEEDTEEDTEED", 9},
        {"B = SPRITE.COLLISION ( SPR , SPR , TRUE )", "b", 2, 0, 2, "RCSXSPRSYEDSXSPRSYEDTTEDREED", 10},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(bytes(row.statement, row.pattern, row.start, row.argNo, row.pointer), row.bytes)
            << row.statement;
        EXPECT_EQ(ctx.line.gPointer, row.pointerAfter) << row.statement;
    }
    // A quoted new name is registered bare.
    line("BUTTON \"OK\" , \"Go\"");
    newArguments(ctx)->HandleArguments("N", 1, 1);
    EXPECT_EQ(ctx.line.Tokens[1], "OK");
}

TEST_F(ByteExpressionTest, ArgumentErrorsAreTheJavaForms) {
    struct ErrorRow {
        const char* statement;
        const char* pattern;
        std::vector<std::string> problems;
    } rows[] = {
        {"X = LEN ( A$ )", "I", {res("Error_No_byte_form") + "LEN", "in Returner", "in Arguments"}},
        {"X = RND ( 1 , 6 )", "I", {res("Error_No_byte_form") + "RND", "in Returner", "in Arguments"}},
        {"X = NULL", "i", {res("Error_Image_name_is"), "in Arguments"}},
        {"X = SPRS", "s", {res("Error_Sprite_name_is"), "in Arguments"}},
        {"X = A$ - A$", "S", {res("Error_Expecting"), "in Arguments"}},
        {"X = A$", "I", {res("Error_Expecting_I"), "in Arguments"}},
        {"X = 3 4", "I", {res("Error_Expecting_operator"), "in Arguments"}},
        {"X = X 4 + 1", "I", {res("Error_Expecting_operator"), "in Arguments"}},
        {"X = X *", "I", {res("Error_Expecting_value"), "in Arguments"}},
        {"X = ( X ) ( 1 )", "I", {res("Error_Expecting_operator"), "in Arguments"}},
    };
    for (const auto& row : rows) {
        line(row.statement, 2);
        EXPECT_EQ(problemsOf([&] { newArguments(ctx)->HandleArguments(row.pattern, 2, 0); }), row.problems)
            << row.statement;
    }
}

TEST_F(ByteExpressionTest, EmptyListsGiveNoTextSoCallersSeeTheMissingValue) {
    line("X =", 2);
    std::unique_ptr<InterfaceArguments> arguments = newArguments(ctx);
    EXPECT_EQ(arguments->HandleArguments("I", 2, 0), "");
    line("X = 1", 2);
    EXPECT_EQ(newArguments(ctx)->HandleArguments("I", 2, 0), "TBD");
}

TEST_F(ByteExpressionTest, ConditionsCarryTypeMarksOperatorsAndED) {
    const std::pair<const char*, const char*> rows[] = {
        {"IF X = 1 THEN", "OIVS5VEED==NS1NEEDED"},
        {"IF 2 <> X THEN", "OINS2NE<>VS5VEEDED"},
        {"IF A$ = \"x\" AND B = TRUE THEN", "OSVS6VE==SS\"x\"SEED&&TBVS8VEED==TTED"},
        {"IF ( X > 1 ) OR TIMER ( ) >= 5 THEN", "OIVS5VEED>>NS1NEEDED||RTRE>=NS5NEEDED"},
        {"IF X <= 1 OR X < 2 THEN", "OIVS5VEED<=NS1NEEDED||OIVS5VEED<<NS2NEEDED"},
        {"IF UPPER ( A$ ) <> A$ THEN", "OSTUVS6VEEDTE<>VS6VEED"},
        {"IF P%.NAME$ = \"x\" THEN", "OSTV12TWVS5VE==SS\"x\"SEED"},
        {"IF B = B THEN", "TBVS8VEED==VS8VEED"},
    };
    for (const auto& [statement, expected] : rows) EXPECT_EQ(condition(statement), expected) << statement;

    // The command that fired an ACTION is compared with a button by name.
    ctx.functions.enter(OwnerKind::Action);
    EXPECT_EQ(condition("IF C = BTN THEN"), "OCFB==NXBTNNYED");
}

}  // namespace
}  // namespace compiler
