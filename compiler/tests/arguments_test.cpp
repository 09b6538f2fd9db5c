#include "expressions/arguments.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "driver/messages.h"
#include "expression_fixture.h"

namespace compiler {
namespace {

struct ListRow {
    const char* statement;
    const char* pattern;
    int start;
    int argNo;
    int pointer;  // gPointer before the call (argNo 0 reads from here)
    const char* java;
    int pointerAfter;
};

class ArgumentsTest : public ExpressionTest {
protected:
    std::string translate(const ListRow& row) {
        line(row.statement, row.pointer);
        return newArguments(ctx)->HandleArguments(row.pattern, row.start, row.argNo);
    }
};

TEST_F(ArgumentsTest, TranslatesEachPatternLetter) {
    const ListRow rows[] = {
        // strings: literals as written, "$" variables without their suffix, "+" only
        {"PRINT \"Hello\"", "S", 1, 1, 0, "\"Hello\"", 2},
        {"PRINT ( \"x\" )", "S", 1, 1, 0, "(\"x\")", 4},
        {"PRINT A$ + \"b\" + NAMES$[X]", "S", 1, 1, 0, "A + \"b\" + NAMES[X]", 9},
        {"LABEL L1 , \"A\" , \"B\"", "N", 1, 1, 0, "L1", 2},
        {"LABEL L1 , \"A\" , \"B\"", "S,S", 1, 2, 0, "\"A\",\"B\"", 6},
        {"CMD , \"x\"", "S,S", 1, 1, 0, ",\"x\"", 3},
        // integers: "-" reads as a number token and keeps no blanks
        {"X = X + 1", "I", 2, 0, 2, "X + 1", 5},
        {"X = X - 1 * G / 2", "I", 2, 0, 2, "X-1 * G / 2", 9},
        {"X = ARR [ X + 1 , 2 ] * 2", "I", 2, 0, 2, "ARR[X+1][2] * 2", 12},
        {"X = ( X + 1 ) * ( 2 )", "I", 2, 0, 2, "(X + 1) * (2)", 11},
        // floats: decimal literals are float literals, integer values widen
        {"F# = F# * 2.5", "F", 2, 0, 2, "F * 2.5f", 5},
        {"F# = FS#[ 1 ] - -0.5 + 3", "F", 2, 0, 2, "FS[1]- -0.5f + 3", 11},
        {"X = X - -1", "I", 2, 0, 2, "X- -1", 6},
        {"X = X# + ARR [ X$ ]", "I", 2, 0, 2, "X + ARR[X]", 8},
        {"F# = ABS ( X ) / HALF ( 1.5 )", "F", 2, 0, 2, "Math.abs(X) / HALF(1.5f)", 11},
        // one-token letters
        {"B = TRUE", "b", 2, 0, 2, "true", 3},
        {"B = B", "b", 2, 0, 2, "B", 3},
        {"IMAGE.DRAW NULL , 1 , 2", "i,I,I", 1, 1, 0, "null,1,2", 6},
        {"SPRITE.DRAW SPRS , 2", "s,I", 1, 1, 0, "SPRS,2", 4},
        {"3D.SETLIGHTCOLOR 65280", "H", 1, 1, 0, "65280", 2},
        {"LISTENER BTN", "B", 1, 1, 0, "BTN", 2},
        {"SETDISPLAY LST", "n", 1, 1, 0, "LST", 2},
        // a pattern ending in "," passes the comma before the argument the statement reads itself
        {"TEXTBOX T , \"a\" , \"b\" , 5", "N,S,S,", 1, 1, 0, "T,\"a\",\"b\",", 7},
    };
    for (const ListRow& row : rows) {
        EXPECT_EQ(translate(row), row.java) << row.statement << " / " << row.pattern;
        EXPECT_EQ(ctx.line.gPointer, row.pointerAfter) << row.statement;
    }
}

TEST_F(ArgumentsTest, ValuesInsideExpressions) {
    const ListRow rows[] = {
        {"X = LEN ( A$ ) + 1", "I", 2, 0, 2, "String.valueOf(A).length() + 1", 8},
        {"X = RND ( 1 , 6 )", "I", 2, 0, 2, "(1 + ( Math.abs( generator.nextInt() ) %((6+1)-1)))", 8},
        {"A$ = STR$ ( X * 2 ) + UPPER ( A$ )", "S", 2, 0, 2,
         "String.valueOf(X * 2) + String.valueOf(A).toUpperCase()", 13},
        {"X = INT ( A$ ) * 2", "I", 2, 0, 2, "Integer.parseInt(A) * 2", 8},
        // a user function call ends at its own ")"
        {"X = ADD ( 1 , 2 ) + ADD ( X , ( 3 ) )", "I", 2, 0, 2, "ADD(1,2) + ADD(X,(3))", 17},
        {"X = NOW ( ) * 2", "I", 2, 0, 2, "NOW() * 2", 7},
        {"A$ = GREET ( A$ + \"!\" )", "S", 2, 0, 2, "GREET(A + \"!\")", 8},
        // a built-in ends the argument it stands in, and the list goes on after its ")"
        {"CMD TRIM ( A$ ) , \"x\"", "S,S", 1, 1, 0, "String.valueOf(A).trim(),\"x\"", 7},
        {"CMD TEXTBOX.GETVALUE ( TB1 ) , \"x\"", "S,S", 1, 1, 0, "TB1.getString(),\"x\"", 7},
        {"CMD LIST.GETVALUE ( LST ) , NOW ( )", "I,I", 1, 1, 0, "LST.getSelectedIndex(),NOW()", 9},
        {"A$ = NULL ( )", "S", 2, 0, 2, "((String) null)", 5},
        // record fields; an indexed field keeps what follows its "]", and its index sees X
        {"X = P%.PX + 1", "I", 2, 0, 2, "P.PX + 1", 5},
        {"A$ = P%.NAME$ + \"!\"", "S", 2, 0, 2, "P.NAME + \"!\"", 5},
        {"X = PTS% [ X ] .PX * 2", "I", 2, 0, 2, "PTS[X].PX * 2", 9},
        {"X = P%.VALS [ X ] + 1", "I", 2, 0, 2, "P.VALS[X] + 1", 8},
        {"F# = P%.W * 2", "F", 2, 0, 2, "P.W * 2", 5},
    };
    for (const ListRow& row : rows) {
        EXPECT_EQ(translate(row), row.java) << row.statement << " / " << row.pattern;
        EXPECT_EQ(ctx.line.gPointer, row.pointerAfter) << row.statement;
    }
}

TEST_F(ArgumentsTest, DecimalLiteralsMarkTheProgramAsUsingFloats) {
    EXPECT_FALSE(ctx.library.usesFloats());
    line("F# = 2", 2);
    newArguments(ctx)->HandleArguments("F", 2, 0);
    EXPECT_FALSE(ctx.library.usesFloats());
    line("F# = 2.5", 2);
    newArguments(ctx)->HandleArguments("F", 2, 0);
    EXPECT_TRUE(ctx.library.usesFloats());
}

TEST_F(ArgumentsTest, QuotedNameIsWrittenBareAndStaysBareInTheLine) {
    line("FORM \"Main\" , \"Title\"");
    EXPECT_EQ(newArguments(ctx)->HandleArguments("N,S", 1, 1), "Main,\"Title\"");
    EXPECT_EQ(ctx.line.Tokens[1], "Main");
    EXPECT_EQ(ctx.line.Tokens[3], "\"Title\"");
}

TEST_F(ArgumentsTest, PointerCoordinatesAreIntegersInsidePointerDragged) {
    ctx.scope.CurrentCanvas = "GAME";
    ctx.scope.CurrentAction = "POINTERDRAGGED";
    line("X = POINTX + ARR [ POINTY ]", 2);
    // The pointer's own names are marked: the writer qualifies a program's POINTX there, not these.
    const std::string own(1, Helpers::kOwnNameMark);
    EXPECT_EQ(newArguments(ctx)->HandleArguments("I", 2, 0), own + "POINTX + ARR[" + own + "POINTY]");
    ctx.scope.CurrentAction = "PAINT";
    line("X = POINTX", 2);
    EXPECT_EQ(problemsOf([&] { newArguments(ctx)->HandleArguments("I", 2, 0); }),
              (std::vector<std::string>{
                  "Variable is being used out of it's visible scope, make the variable global to use the "
                  "variable here",
                  "in Variable", "in Arguments"}));
}

// The flag belongs to the one list it was set for: it ends that list at the comparison operator, and
// whichever way the list ends it is cleared, so it never reaches the next list.
TEST_F(ArgumentsTest, ComparatorStopIsOneShot) {
    struct Row {
        const char* statement;
        int from;
        const char* pattern;
        const char* java;
        int pointerAfter;
    };
    const Row rows[] = {
        {"IF X + 1 = 3 THEN", 1, "I", "X + 1", 4},
        {"IF LEN ( A$ ) + 1 = 3 THEN", 1, "I", "String.valueOf(A).length() + 1", 7},
        {"IF A$ = \"x\" THEN", 1, "S", "A", 2},
        {"IF B = TRUE THEN", 1, "b", "B", 2},
        {"IF ( X ) > 2 THEN", 1, "I", "(X)", 4},
        {"FOR I = 1 TO X + 2", 3, "I", "1", 4},
        {"IF 3 = X", 1, "I", "3", 2},
        {"IF X = 3", 3, "I", "3", 4},  // the right side ends with the tokens
    };
    for (const Row& row : rows) {
        line(row.statement, row.from);
        ctx.library.isComparator = true;
        EXPECT_EQ(newArguments(ctx)->HandleArguments(row.pattern, row.from, 0), row.java) << row.statement;
        EXPECT_EQ(ctx.line.gPointer, row.pointerAfter) << row.statement;
        EXPECT_FALSE(ctx.library.isComparator) << row.statement;
    }
    // Without the flag the same operator is an error.
    line("IF X + 1 = 3 THEN", 1);
    EXPECT_EQ(problemsOf([&] { newArguments(ctx)->HandleArguments("I", 1, 0); }),
              (std::vector<std::string>{res("Error_Expecting_I"), "in Arguments"}));
}

TEST_F(ArgumentsTest, ComparatorFlagDoesNotSurviveAnError) {
    line("IF A$ = 1", 1);
    ctx.library.isComparator = true;
    EXPECT_NE(problemsOf([&] { newArguments(ctx)->HandleArguments("I", 1, 0); }),
              std::vector<std::string>{"no error"});
    EXPECT_FALSE(ctx.library.isComparator);
}

struct ErrorRow {
    const char* statement;
    const char* pattern;
    int start;
    int argNo;
    int pointer;
    std::vector<std::string> problems;
};

TEST_F(ArgumentsTest, Refusals) {
    const ErrorRow rows[] = {
        {"CMD , , \"c\"", "S,S", 1, 1, 0, {res("Error_Number_of"), "in Arguments"}},
        {"PRINT A$ - A$", "S", 1, 1, 0, {res("Error_Expecting"), "in Arguments"}},
        {"PRINT X", "S", 1, 1, 0, {res("Error_Expecting"), "in Arguments"}},
        {"X = A$", "I", 2, 0, 2, {res("Error_Expecting_I"), "in Arguments"}},
        {"F# = X", "F", 2, 0, 2, {res("Error_Expecting_float"), "in Arguments"}},
        {"F# = \"a\"", "F", 2, 0, 2, {res("Error_Expecting_float"), "in Arguments"}},
        {"X = 2.5", "I", 2, 0, 2, {res("Error_Expecting_I"), "in Arguments"}},
        {"X = LEN A$", "I", 2, 0, 2, {"Error: Expecting (", "in Arguments"}},
        {"X = TIMER", "I", 2, 0, 2, {"Error: Expecting (", "in Arguments"}},
        {"X = GREET ( \"a\" )", "I", 2, 0, 2, {res("Error_Expecting_I"), "in Arguments"}},
        {"X = STOP ( )", "I", 2, 0, 2, {res("Error_Expecting_I"), "in Arguments"}},
        {"X = UPPER ( A$ )", "I", 2, 0, 2, {res("Error_Expecting_I"), "in Arguments"}},
        {"X = WIDTH ( )", "I", 2, 0, 2, {res("Error_Expecting_I"), "in Arguments"}},  // outside a canvas
        {"X = ARR [ X", "I", 2, 0, 2, {"Error: Expecting ]", "in Array Usage", "in Arguments"}},
        {"X = ARR [ A$ ]", "I", 2, 0, 2, {"Error: Unknown Value in Array", "in Array Usage", "in Arguments"}},
        {"X = NAMES$ [ 1 ]", "I", 2, 0, 2, {"Error: Expecting array of type Integer", "in Arguments"}},
        {"A$ = ARR [ 1 ]", "S", 2, 0, 2, {res("Error_Expecting_array"), "in Arguments"}},
        {"F# = ARR [ 1 ]", "F", 2, 0, 2, {"Error: Expecting array of type Float", "in Arguments"}},
        {"A$ = P%.PX", "S", 2, 0, 2, {"Error: Expecting type variable of type String", "in Arguments"}},
        {"A$ = PTS% [ 1 ] .PX", "S", 2, 0, 2, {"Error: Expecting type array of type String", "in Arguments"}},
        {"X = P%.NAME", "I", 2, 0, 2, {"Error: Expecting variable of type Integer", "in Arguments"}},
        {"F# = P%.PX", "F", 2, 0, 2, {"Error: Expecting variable of type Float", "in Arguments"}},
        {"B = X", "b", 2, 0, 2, {res("Error_Expecting_flag"), "in Arguments"}},
        {"B = LEN ( A$ )", "b", 2, 0, 2, {res("Error_Expecting_flag"), "in Arguments"}},
        {"B =", "b", 2, 0, 2, {res("Error_Number_of"), "in Arguments"}},
        {"DRAW", "i", 1, 0, 1, {res("Error_Number_of"), "in Arguments"}},
        {"DRAW SPR", "i", 1, 1, 0, {res("Error_Image_name_is"), "in Arguments"}},
        {"DRAW NULL", "s", 1, 1, 0, {res("Error_Sprite_name_is"), "in Arguments"}},
        {"NAME +", "N", 1, 1, 0, {res("Error_Cannot_use_the"), "in Arguments"}},
        {"NAME \"a b\"", "N", 1, 1, 0, {res("Error_Expecting"), "in Arguments"}},
        {"SETDISPLAY NOPE", "n", 1, 1, 0, {res("Error_Expecting_name"), "in Arguments"}},
        {"COLOR 12A", "H", 1, 1, 0, {res("Error_Expecting_hex"), "in Arguments"}},
        {"LISTENER NOPE", "B", 1, 1, 0, {res("Error_Button_name_is"), "in Arguments"}},
        {"CMD 1", "Q", 1, 1, 0, {res("Error_Compiler_error"), "in Arguments"}},
        // Operands and operators alternate, and groups close inside their argument.
        {"X = 3 4", "I", 2, 0, 2, {res("Error_Expecting_operator"), "in Arguments"}},
        {"X = X ADD ( 1 , 2 )", "I", 2, 0, 2, {res("Error_Expecting_operator"), "in Arguments"}},
        {"PRINT A$ \"b\"", "S", 1, 1, 0, {res("Error_Expecting_operator"), "in Arguments"}},
        {"X = 3 ( 4 )", "I", 2, 0, 2, {res("Error_Expecting_operator"), "in Arguments"}},
        {"X = 3 +", "I", 2, 0, 2, {res("Error_Expecting_value"), "in Arguments"}},
        {"X = * 3", "I", 2, 0, 2, {res("Error_Expecting_value"), "in Arguments"}},
        {"X = ( 3 + ) * 2", "I", 2, 0, 2, {res("Error_Expecting_value"), "in Arguments"}},
        {"X = ( )", "I", 2, 0, 2, {res("Error_Expecting_value"), "in Arguments"}},
        {"PRINT + A$", "S", 1, 1, 0, {res("Error_Expecting_value"), "in Arguments"}},
        {"CMD ( 1 , 2 )", "I,I", 1, 1, 0, {res("Error_Bracket_argument"), "in Arguments"}},
        {"X = ARR [ 1 2 ]",
         "I",
         2,
         0,
         2,
         {res("Error_Expecting_operator"), "in Array Usage", "in Arguments"}},
        {"X = ROW [ 1 , 2 ]",
         "I",
         2,
         0,
         2,
         {res("Error_Array_dimensions"), "in Array Usage", "in Arguments"}},
        {"X = ARR [ ]", "I", 2, 0, 2, {res("Error_Array_dimensions"), "in Array Usage", "in Arguments"}},
        {"X = ARR + 1", "I", 2, 0, 2, {res("Error_Array_dimensions"), "in Array Usage", "in Arguments"}},
        {"NAME A B", "N", 1, 1, 0, {res("Error_Expecting"), "in Arguments"}},
        {"NAME 9LIVES", "N", 1, 1, 0, {res("Error_Expecting"), "in Arguments"}},
        {"X = ZZ%.PX", "I", 2, 0, 2, {"Type is not recognised", "in Handle Type", "in Arguments"}},
        {"X = X%.PX", "I", 2, 0, 2, {"Type is not recognised", "in Handle Type", "in Arguments"}},
        {"X = P%.G",
         "I",
         2,
         0,
         2,
         {"Variable does not belong to this type", "in Handle Type", "in Arguments"}},
        {"X = P%.ZZ",
         "I",
         2,
         0,
         2,
         {"Type variable is not a member of this type", "in Handle Type", "in Arguments"}},
    };
    for (const ErrorRow& row : rows) {
        EXPECT_EQ(problemsOf([&] {
                      line(row.statement, row.pointer);
                      newArguments(ctx)->HandleArguments(row.pattern, row.start, row.argNo);
                  }),
                  row.problems)
            << row.statement << " / " << row.pattern;
    }
}

TEST_F(ArgumentsTest, UserFunctionArgumentsMustMatch) {
    const ErrorRow rows[] = {
        {"X = ADD ( 1 , 2 , 3 )", "I", 2, 0, 2, {res("Error_Function"), "in Returner", "in Arguments"}},
        {"X = NOW ( 1 )", "I", 2, 0, 2, {res("Error_Function"), "in Returner", "in Arguments"}},
        {"X = ADD ( 1 )", "I", 2, 0, 2, {res("Length_does_not_match"), "in Returner", "in Arguments"}},
        {"X = ADD ( 1 , 2", "I", 2, 0, 2, {res("Error_Expecting_in"), "in Returner", "in Arguments"}},
        {"X = ADD ( 1 , A$ )",
         "I",
         2,
         0,
         2,
         {res("Error_Expecting_I"), "in Arguments", "in Returner", "in Arguments"}},
    };
    for (const ErrorRow& row : rows) {
        std::vector<std::string> tokens;
        EXPECT_EQ(problemsOf([&] {
                      line(row.statement, row.pointer);
                      tokens = ctx.line.Tokens;
                      newArguments(ctx)->HandleArguments(row.pattern, row.start, row.argNo);
                  }),
                  row.problems)
            << row.statement;
        EXPECT_EQ(ctx.line.Tokens, tokens) << "the statement's tokens come back after " << row.statement;
    }
}

TEST_F(ArgumentsTest, AppletRefusesWhatOnlyThePhoneHas) {
    ctx.project.platform = "Applet";
    line("X = IMAGE.WIDTH ( IMG ) + MEM.FREE ( )", 2);
    EXPECT_EQ(newArguments(ctx)->HandleArguments("I", 2, 0),
              "IMG.getWidth(null) + ((int) Runtime.getRuntime().freeMemory())");
    for (const char* statement :
         {"A$ = FILE.READ ( 1 )", "A$ = NET.GETTEXT ( \"u\" )", "A$ = TEXTBOX.GETVALUE ( TB1 )"}) {
        EXPECT_EQ(problemsOf([&] {
                      line(statement, 2);
                      newArguments(ctx)->HandleArguments("S", 2, 0);
                  }),
                  (std::vector<std::string>{res("Error_This_command_is"), "in Returner", "in Arguments"}))
            << statement;
    }
}

}  // namespace
}  // namespace compiler
