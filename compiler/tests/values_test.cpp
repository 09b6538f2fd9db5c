#include <gtest/gtest.h>

#include <stdexcept>

#include "driver/messages.h"
#include "expression_fixture.h"
#include "expressions/array_access.h"
#include "expressions/changer.h"
#include "expressions/returner.h"
#include "expressions/type_access.h"

namespace compiler {
namespace {

// A value read from token 0 of the line: its Java text, type code and where gPointer ends.
struct ValueRow {
    const char* tokens;
    const char* java;
    int type;
    int pointerAfter;
};

class ValuesTest : public ExpressionTest {
protected:
    std::string returner(const char* tokens) {
        line(tokens);
        return HandleReturner(ctx).Returner();
    }
    void expectRows(const std::vector<ValueRow>& rows, const std::function<std::string(const char*)>& run) {
        for (const ValueRow& row : rows) {
            EXPECT_EQ(run(row.tokens), row.java) << row.tokens;
            EXPECT_EQ(ctx.line.returnType, row.type) << row.tokens;
            EXPECT_EQ(ctx.line.gPointer, row.pointerAfter) << row.tokens;
        }
    }
    std::function<std::string(const char*)> asReturner() {
        return [this](const char* tokens) { return returner(tokens); };
    }
};

// Every form ends on its own closing bracket, which the caller steps over.
TEST_F(ValuesTest, BuiltInsGiveJavaValuesOfTheirType) {
    expectRows(
        {
            {"TIMER ( )", "(int) new Date().getTime()", 2, 2},
            {"LASTKEY ( )", "(LastKey - Math.abs((int) new Date().getTime()))", 2, 2},
            {"RND ( 1 , 6 )", "(1 + ( Math.abs( generator.nextInt() ) %((6+1)-1)))", 2, 5},
            {"RND ( -5 , 5 )", "(-5 + ( Math.abs( generator.nextInt() ) %((5+1)-(-5))))", 2, 6},
            {"RND ( X + 1 , X * 2 )", "(X + 1 + ( Math.abs( generator.nextInt() ) %((X * 2+1)-(X + 1))))", 2,
             9},
            {"RND ( X - 1 , 5 )", "(X-1 + ( Math.abs( generator.nextInt() ) %((5+1)-(X-1))))", 2, 7},
            {"TEXTBOX.GETVALUE ( TB1 )", "TB1.getString()", 3, 3},
            {"LIST.GETVALUE ( LST )", "LST.getSelectedIndex()", 2, 3},
            {"LIST.SELECTED ( LST , X + 1 )", "LST.isSelected(X + 1)", 4, 7},
            {"LEN ( \"abc\" )", "String.valueOf(\"abc\").length()", 2, 3},
            {"ASC ( A$ )", "(int)String.valueOf(A).charAt(0)", 2, 3},
            {"TRIM ( A$ )", "String.valueOf(A).trim()", 3, 3},
            {"INDEX ( A$ , \"b\" )", "String.valueOf(A).indexOf(\"b\")", 2, 5},
            {"LEFT ( A$ , 2 )", "String.valueOf(A).substring(0,2)", 3, 5},
            {"RIGHT ( A$ , 2 )",
             "String.valueOf(A).substring(String.valueOf(A).length() - 2,String.valueOf(A).length())", 3, 5},
            {"RIGHT ( A$ , X + 1 )",
             "String.valueOf(A).substring(String.valueOf(A).length() - (X + 1),String.valueOf(A).length())",
             3, 7},
            {"RIGHT ( A$ , X - 1 )",
             "String.valueOf(A).substring(String.valueOf(A).length() - (X-1),String.valueOf(A).length())", 3,
             7},
            {"MID ( A$ , LEN ( A$ ) , 3 )", "String.valueOf(A).substring(String.valueOf(A).length(),3)", 3,
             10},
            {"FILE.READ ( 1 )", "inc.readRMS(1)", 3, 3},
            {"FILE.EXIST ( \"f\" )", "inc.existRms(\"f\")", 4, 3},
            {"IMAGE.WIDTH ( IMG )", "IMG.getWidth()", 2, 3},
            {"IMAGE.HEIGHT ( img )", "IMG.getHeight()", 2, 3},
            {"SPRITE.WIDTH ( SPR )", "SPR.getWidth()", 2, 3},
            {"SPRITE.HEIGHT ( SPR )", "SPR.getHeight()", 2, 3},
            {"SPRITE.FRAME ( SPR )", "SPR.getFrame()", 2, 3},
            {"SPRITE.POSX ( SPR )", "SPR.getX()", 2, 3},
            {"SPRITE.POSY ( SPRS , X )", "SPRS[X].getY()", 2, 5},
            {"SPRITE.COLLISION ( SPR , SPRS , 2 , TRUE )", "SPR.collidesWith(SPRS[2],true)", 4, 9},
            {"SPRITE.COLLISION ( SPRS , X , SPR , B )", "SPRS[X].collidesWith(SPR,B)", 4, 9},
            {"ABS ( -3 )", "Math.abs(-3)", 2, 4},
            {"MIN ( 1 , X )", "Math.min(1,X)", 2, 5},
            {"MAX ( 1 , X )", "Math.max(1,X)", 2, 5},
            {"SERVER.CONNECT ( \"h\" , 80 )", "inc.serverConnect(\"h\",80)", 4, 5},
            {"SERVER.RECEIVE ( )", "inc.serverReceive()", 3, 2},
            {"NET.GETTEXT ( \"u\" )", "inc.getTextFromInternet(\"u\")", 3, 3},
            {"NET.GETDATA ( \"u\" )", "inc.getDataFromInternet(\"u\")", 3, 3},
            {"COMM.GETAVAILABLE ( )", "inc.availablePorts()", 2, 2},
            {"COMM.GETPORT ( 1 )", "inc.getPort(1)", 3, 3},
            {"COMM.GETSTRING ( 1 )", "inc.getStringPort(1)", 3, 3},
            {"MEM.FREE ( )", "((int) Runtime.getRuntime().freeMemory())", 2, 2},
            {"MEM.TOTAL ( )", "((int) Runtime.getRuntime().totalMemory())", 2, 2},
            {"NULL ( )", "((String) null)", 3, 2},
            {"ADD ( 1 , ADD ( 2 , 3 ) )", "ADD(1,ADD(2,3))", 2, 10},
            {"NOW ( )", "NOW()", 2, 2},
            {"GREET ( \"a\" ) + GREET ( \"b\" )", "GREET(\"a\")", 3, 3},
        },
        asReturner());
}

TEST_F(ValuesTest, VideoWordsRaiseTheVideoFlag) {
    EXPECT_EQ(returner("VIDEO.HASCAMERA ( )"), "incVideo.HasCamera()");
    EXPECT_EQ(ctx.line.returnType, 4);
    EXPECT_TRUE(ctx.library.usesVideo);
    EXPECT_EQ(returner("VIDEO.CAPTURE ( )"), "incVideo.CaptureCamera()");
}

TEST_F(ValuesTest, CanvasWordsOnlyInsideTheirCanvasAndAction) {
    const char* const canvasWords[] = {"WIDTH ( )", "GETKEY ( )", "MAPPY.BLOCKFLAG ( 1 , 2 , 3 , 4 )"};
    for (const char* tokens : canvasWords) {
        line(tokens, 0);
        ctx.line.returnType = static_cast<TypeCode>(77);
        EXPECT_EQ(HandleReturner(ctx).Returner(), "") << tokens;
        EXPECT_EQ(ctx.line.gPointer, 0) << tokens;
        EXPECT_EQ(ctx.line.returnType, 77) << tokens;
    }
    EXPECT_EQ(returner("COMM.AVAILABLE ( )"), "");

    ctx.scope.CurrentCanvas = "GAME";
    ctx.scope.CurrentAction = "PAINT";
    expectRows(
        {
            {"WIDTH ( )", "getWidth()", 2, 2},
            {"HEIGHT ( )", "getHeight()", 2, 2},
            {"MAPPY.BLOCKFLAG ( 1 , 2 , X , 4 )", "m_mapViewer.getBlockFlag(1,2,X,4)", 2, 9},
            {"MAPPY.BLOCKIMAGE ( 1 , 2 , 3 , 4 )", "m_mapViewer.getBlockImage(1,2,3,4)", 2, 9},
            {"GETKEY ( )", "", 0, 0},
        },
        asReturner());

    ctx.scope.CurrentAction = "KEYPRESSED";
    expectRows(
        {
            {"GETKEY ( )", "keyCode", 2, 2},
            {"UPKEY ( )", "-1", 2, 2},
            {"DOWNKEY ( )", "-2", 2, 2},
            {"LEFTKEY ( )", "-3", 2, 2},
            {"RIGHTKEY ( )", "-4", 2, 2},
            {"SELECTKEY ( )", "-5", 2, 2},
            {"CLEARKEY ( )", "-8", 2, 2},
            {"STARKEY ( )", "42", 2, 2},
            {"POUNDKEY ( )", "35", 2, 2},
            {"MAPPY.BLOCKFLAG ( 1 , 2 , 3 , 4 )", "", 0, 0},
        },
        asReturner());
}

TEST_F(ValuesTest, ReturnerRefusals) {
    struct Row {
        const char* tokens;
        std::vector<std::string> problems;
    };
    const std::string badCount = "Number of arguments is incorrect for command. Found ";
    const Row rows[] = {
        {"RND ( 1 )", {badCount + "1 Required 2", "in Returner"}},
        {"MID ( A$ , ADD ( 1 , 2 ) , 3 , 4 )", {badCount + "4 Required 3", "in Returner"}},
        {"TIMER", {"Command does not take any arguments, or brackets missing on a command", "in Returner"}},
        {"TIMER ( 1 )",
         {"Command does not take any arguments, or brackets missing on a command", "in Returner"}},
        {"LEN ( )", {"Command requires one or more arguments", "in Returner"}},
        {"LEN", {"Command requires one or more arguments", "in Returner"}},
        {"RND ( , 6 )", {res("Error_Number_of"), "in Arguments", "in Returner"}},
        {"RND ( 1 , )", {res("Error_Number_of"), "in Returner"}},
        {"LEN ( A$", {res("Error_Expecting_in"), "in Returner"}},
        {"TEXTBOX.GETVALUE ( LST )", {res("Error_Textbox"), "in Returner"}},
        {"LIST.GETVALUE ( TB1 )", {res("Error_List_GetValue"), "in Returner"}},
        {"LIST.SELECTED ( TB1 , 1 )", {res("Error_List_Selected"), "in Returner"}},
        {"IMAGE.WIDTH ( SPR )", {res("Error_Image_Width"), "in Returner"}},
        {"IMAGE.WIDTH ( IMG + 1 )", {res("Error_Image_Width"), "in Returner"}},
        {"IMAGE.HEIGHT ( SPR )", {res("Error_Image_Height"), "in Returner"}},
        {"SPRITE.WIDTH ( SPRS )", {res("Error_Sprite_Width"), "in Returner"}},
        {"SPRITE.HEIGHT ( IMG )", {res("Error_Sprite_Height"), "in Returner"}},
        {"SPRITE.FRAME ( IMG )", {res("Error_Sprite_Frame"), "in Returner"}},
        {"SPRITE.POSX ( IMG )", {res("Error_Sprite_PosX"), "in Returner"}},
        {"SPRITE.POSX ( SPRS )", {res("Error_Sprite_PosX"), "in Returner"}},
        {"SPRITE.POSY ( SPR , 1 )", {res("Error_Sprite_PosY"), "in Returner"}},
        {"SPRITE.POSY (", {res("Error_Sprite_PosY"), "in Returner"}},
        {"SPRITE.COLLISION ( SPR , IMG , TRUE )",
         {res("Error_Sprite_name_is"), "in Arguments", "in Returner"}},
        {"SPRITE.COLLISION ( SPR , SPR , X )", {res("Error_Expecting_flag"), "in Arguments", "in Returner"}},
        {"SPRITE.COLLISION ( SPR , SPR )", {res("Error_Number_of"), "in Returner"}},
        {"ABS ( A$ )", {res("Error_Expecting_I"), "in Arguments", "in Returner"}},
        {"ADD", {res("Error_Expecting_in"), "in Returner"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(problemsOf([&] { returner(row.tokens); }), row.problems) << row.tokens;
    }
}

TEST_F(ValuesTest, ReturnerConsumesTheComparatorSignal) {
    line("LEN ( A$ ) = 3");
    ctx.library.isComparator = true;
    EXPECT_EQ(HandleReturner(ctx).Returner(), "String.valueOf(A).length()");
    EXPECT_EQ(ctx.line.gPointer, 3);
    EXPECT_FALSE(ctx.library.isComparator);
}

TEST_F(ValuesTest, ConversionsGiveTheirTypes) {
    auto changer = [this](const char* tokens) {
        line(tokens);
        return HandleChanger(ctx).Changer();
    };
    expectRows(
        {
            {"STR$ ( 5 )", "String.valueOf(5)", 3, 3},
            {"STR$ ( X * 2 )", "String.valueOf(X * 2)", 3, 5},
            {"INT ( A$ )", "Integer.parseInt(A)", 2, 3},
            {"INT ( \"12\" + A$ )", "Integer.parseInt(\"12\" + A)", 2, 5},
            {"UPPER ( A$ )", "String.valueOf(A).toUpperCase()", 3, 3},
            {"LOWER ( TRIM ( A$ ) )", "String.valueOf(String.valueOf(A).trim()).toLowerCase()", 3, 6},
        },
        changer);

    line("LEN ( A$ )", 0);
    ctx.line.returnType = static_cast<TypeCode>(77);
    EXPECT_EQ(HandleChanger(ctx).Changer(), "");
    EXPECT_EQ(ctx.line.gPointer, 0);
    EXPECT_EQ(ctx.line.returnType, 77);

    EXPECT_EQ(problemsOf([&] { changer("STR$ ( A$ )"); }),
              (std::vector<std::string>{res("Error_Expecting_I"), "in Arguments"}));
    EXPECT_EQ(problemsOf([&] { changer("INT ( )"); }),
              (std::vector<std::string>{"Command requires one or more arguments"}));
    EXPECT_EQ(problemsOf([&] { changer("INT ( A$ , A$ )"); }),
              (std::vector<std::string>{"Number of arguments is incorrect for command. Found 2 Required 1"}));
}

TEST_F(ValuesTest, StrTracesItsArgumentInDebugModeOnly) {
    line("STR$ ( X )");
    HandleChanger(ctx).Changer();
    EXPECT_EQ(out.str(), "");

    std::ostringstream traced;
    Context debugCtx(traced, true);
    debugCtx.project.platform = "TB";
    debugCtx.library.instantiate();
    debugCtx.functions.enter(OwnerKind::Main);
    debugCtx.line.Tokens = {"STR$", "(", "5", ")"};
    EXPECT_EQ(HandleChanger(debugCtx).Changer(), "String.valueOf(5)");
    EXPECT_NE(traced.str().find("HandleChanger > Str$ > Sending 5\n"), std::string::npos);
}

TEST_F(ValuesTest, ArrayIndexes) {
    // The index starts on the "[" after the array's name.
    auto index = [this](const char* tokens) {
        line(tokens, 1);
        return HandleArray(ctx).translate();
    };
    const ValueRow rows[] = {
        {"ARR [ X + 1 ]", "[X+1]", 0, 5},
        {"ARR [ 2 , 3 ]", "[2][3]", 0, 5},
        {"ARR [ X * 2 - -1 , G / 2 ] = 5", "[X*2- -1][G/2]", 0, 12},
    };
    for (const ValueRow& row : rows) {
        EXPECT_EQ(index(row.tokens), row.java) << row.tokens;
        EXPECT_EQ(ctx.line.gPointer, row.pointerAfter) << row.tokens;
    }
    const std::vector<std::string> unknown = {"Error: Unknown Value in Array", "in Array Usage"};
    EXPECT_EQ(problemsOf([&] { index("ARR [ F# ]"); }), unknown);
    EXPECT_EQ(problemsOf([&] { index("ARR [ A$ ]"); }), unknown);
    EXPECT_EQ(problemsOf([&] { index("ARR [ LEN ( A$ ) ]"); }), unknown);
    EXPECT_EQ(problemsOf([&] { index("ARR [ X + 1"); }),
              (std::vector<std::string>{"Error: Expecting ]", "in Array Usage"}));
    EXPECT_EQ(problemsOf([&] { index("ARR ["); }),
              (std::vector<std::string>{"Error: Expecting ]", "in Array Usage"}));
}

TEST_F(ValuesTest, RecordFields) {
    auto field = [this](const char* tokens) {
        line(tokens);
        return HandleType(ctx).translate();
    };
    expectRows(
        {
            {"P%.PX", "P.PX", 1002, 0},
            {"P%.NAME$ = \"x\"", "P.NAME", 1003, 0},
            {"P.W#", "P.W", 1001, 0},
            {"P%.ON", "P.ON", 1004, 0},
            {"P%.VALS [ X + 1 ] = 3", "P.VALS[X+1]", 1002, 5},
            {"PTS% [ X ] .PX = 3", "PTS[X].PX", 1002, 4},
            {"PTS% [ 1 , 2 ] .NAME$", "PTS[1][2].NAME", 1003, 6},
            {"PTS% [ X ] .VALS [ X ] = 1", "PTS[X].VALS[X]", 1002, 7},
        },
        field);
    EXPECT_EQ(ctx.scope.CurrentType, "");

    struct Row {
        const char* tokens;
        std::vector<std::string> problems;
    };
    const Row rows[] = {
        {"X%.PX", {"Type is not recognised", "in Handle Type"}},
        {"PTS%.PX", {"Type is not recognised", "in Handle Type"}},
        {"P% [ 1 ] .PX", {"Type is not recognised", "in Handle Type"}},
        {"P%.G", {"Variable does not belong to this type", "in Handle Type"}},
        {"P%.ARR [ 1 ]", {"Variable does not belong to this type", "in Handle Type"}},
        {"P%.NOPE", {"Type variable is not a member of this type", "in Handle Type"}},
        {"P%.PX.PX", {"Type variable is not a member of this type", "in Handle Type"}},
        {"PTS% [ 1 ] .NOPE", {"Type variable/array is not recognised in type array", "in Handle Type"}},
        {"PTS% [ 1 ]", {"Type variable/array is not recognised in type array", "in Handle Type"}},
        {"PTS% [ 1 ] PX", {"Type variable/array is not recognised in type array", "in Handle Type"}},
        {"P%.VALS [ F# ]", {"Error: Unknown Value in Array", "in Array Usage", "in Handle Type"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(problemsOf([&] { field(row.tokens); }), row.problems) << row.tokens;
    }
}

}  // namespace
}  // namespace compiler
