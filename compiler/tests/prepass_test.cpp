#include "driver/prepass.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/context.h"
#include "driver/messages.h"
#include "test_helpers.h"

namespace compiler {
namespace {

const std::string kPasses = "(passes)";

class PrepassTest : public ::testing::Test {
protected:
    PrepassTest() : ctx(out, false) {
        ctx.project.platform = "TB";
        ctx.project.tbLocation = "/kit/";
        ctx.project.javaLocation = "/kit/jdk/bin/";
        ctx.library.instantiate();
    }

    // The pass's problem, or kPasses.
    std::string check(const std::string& source) {
        out.str("");
        return Preverify(ctx)(tz::testing::splitLines(source)).value_or(kPasses);
    }
    // What the pass printed after its five header lines.
    std::vector<std::string> printed() const {
        auto lines = tz::testing::splitLines(out.str());
        return std::vector<std::string>(lines.begin() + 5, lines.end());
    }

    std::ostringstream out;
    Context ctx;
};

TEST_F(PrepassTest, HeaderAndCleanSource) {
    EXPECT_EQ(check("PRINT 1\nA = 2\n"), kPasses);
    EXPECT_EQ(out.str(), "**\nHome: /kit\nJava: /kit/jdk/bin/\n**\nPreverifying code\n");
}

TEST_F(PrepassTest, BlockStructureErrors) {
    struct Row {
        const char* source;
        std::string result;
    };
    const Row rows[] = {
        {"IF A = 1 THEN\nFOR I = 1 TO 3\nNEXT\nENDIF\n", kPasses},
        {"WHILE A < 1\nIF A THEN\nENDIF\nENDWHILE\n", kPasses},
        {"IF A THEN\nNEXT\n", res("Error_Incorrect") + "If at line: 2"},
        {"PRINT 1\nENDIF\n", res("EndIf_used") + "2"},
        {"NEXT\n", res("Next_used") + "1"},
        {"ENDWHILE\n", res("EndWhile_used") + "1"},
        {"ENDTRY\n", res("EndTry_used") + "1"},
        {"ENDCATCH\n", res("EndCatch_used") + "1"},
        {"ENDFUNCTION\n", res("EndFunction_used") + "1"},
        {"ENDTYPE\n", res("EndType_used_without") + "1"},
        {"ENDACTION\n", res("EndAction_used") + "1"},
        {"ENDCANVAS\n", res("EndCanvas_used") + "1"},
        {"FUNCTION F()\nFUNCTION G()\n", res("Cannot_create_new") + "2"},
        {"CANVAS A\nCANVAS B\n", res("Cannot_create_new") + "2"},
        {"TYPE 9X\n", "Type name is invalid at line: 1"},
        {"IF X = 1\n", "If statement requires a THEN keyword at line: 1"},
        {"FOR I\n", res("Error_For_Variable") + "1"},
        // C is the pressed command's name, which no variable may take: refused where its FOR stands.
        {"PRINT 1\nFOR C = 0 TO 2\nNEXT\n", "Variable name is illegal at line 2"},
        {"PRINT \"(\"\n", kPasses},
        {"PRINT (1\n", res("Error_Bracket") + "1"},
        {"' a comment (\nREM another (\n", kPasses},
        {"REMSTART\n(\nREMEND\n", kPasses},
        {"NEXTX = 1\nTRYCOUNT = 0\nENDIFFY = 2\n", kPasses},
        {"FUNCTION F()\n", "Structure Error"},
        {"FUNCTION F()\nEXITFUNCTION 1\nENDFUNCTION\n", res("Error_EndFunction_Value") + "3"},
    };
    for (const auto& row : rows) EXPECT_EQ(check(row.source), row.result) << row.source;
    check("FUNCTION F()\nIF A THEN\n");
    EXPECT_EQ(printed(), std::vector<std::string>{res("Error_Your_have_not") + "If"});
    check("PRINT (1\n");
    EXPECT_EQ(printed(), std::vector<std::string>{"PRINT  ( 1"});
}

// Blanks are read as the statement loop reads them: a run of them (tabs become blanks) is one separator.
TEST_F(PrepassTest, RunsOfBlanksSeparateWordsOnce) {
    ASSERT_EQ(check("FUNCTION F()\nENDFUNCTION  7\nFUNCTION G()\nEXITFUNCTION   \"x\"\nENDFUNCTION \"y\"\n"
                    "FOR   I = 1 TO 2\nNEXT\n"),
              kPasses);
    EXPECT_EQ(ctx.functions.getFunction("F")->getType(), 2);
    EXPECT_EQ(ctx.functions.getFunction("G")->getType(), 3);
    EXPECT_EQ(ctx.library.getForVariable(), "int I;");
    EXPECT_EQ(check("FOR  = 1 TO 2\nNEXT\n"), res("Error_For_Variable") + "1");
    // A text is one word, blanks and all.
    ASSERT_EQ(
        check("FUNCTION T()\nENDFUNCTION \"a b\"\nFUNCTION U()\nEXITFUNCTION \"c (d)\"\nENDFUNCTION \"\"\n"),
        kPasses);
    EXPECT_EQ(ctx.functions.getFunction("T")->getType(), 3);
    EXPECT_EQ(ctx.functions.getFunction("U")->getType(), 3);
    // A negative number is one word, though the spacing splits its sign off; a negative name is no value.
    ASSERT_EQ(check("FUNCTION N()\nENDFUNCTION -1\nFUNCTION M()\nEXITFUNCTION - 2\nENDFUNCTION\n"
                    "FUNCTION V()\nENDFUNCTION -X\n"),
              res("Error_EndFunction_Value") + "5");
    EXPECT_EQ(ctx.functions.getFunction("N")->getType(), 2);
    EXPECT_EQ(ctx.functions.getFunction("V"), nullptr);
    // A value of several words would make a function of no value: refused where it stands. After an
    // EXITFUNCTION of one word, that word gives the kind.
    EXPECT_EQ(check("FUNCTION F()\nENDFUNCTION MAX(A, 1)\n"),
              res("Error_EndFunction_Single") + " at line: 2");
    ASSERT_EQ(check("FUNCTION T()\nEXITFUNCTION \"a\"\nENDFUNCTION UPPER(\"b\")\n"), kPasses);
    EXPECT_EQ(ctx.functions.getFunction("T")->getType(), 3);
}

// Past the depth the Java tools take, a block is refused where it opens: the stack holds 100.
TEST_F(PrepassTest, BlocksNestAHundredDeep) {
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += i % 2 ? "WHILE 1 = 1\n" : "IF 1 = 1 THEN\n";
    std::string closed = deep;
    for (int i = 99; i >= 0; --i) closed += i % 2 ? "ENDWHILE\n" : "ENDIF\n";
    EXPECT_EQ(check(closed), kPasses);
    EXPECT_EQ(check(deep + "FOR I = 1 TO 2\n"), res("Error_Nested_blocks") + "101");
}

TEST_F(PrepassTest, FunctionsAreRegisteredWithTheirTypes) {
    ASSERT_EQ(check("FUNCTION ADD(A, B#, C$)\nENDFUNCTION R#\nFUNCTION NOTHING()\nENDFUNCTION\n"
                    "FUNCTION NAME$()\n"),
              res("Error_Function_Suffix") + " at line: 5");
    const Function* add = ctx.functions.getFunction("ADD");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->ArgNames, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(add->ArgTypes, (std::vector<TypeCode>{TypeCodes::cInt, TypeCodes::cFloat, TypeCodes::cString}));
    EXPECT_EQ(add->getType(), 1);
    EXPECT_EQ(ctx.functions.getFunction("NOTHING")->getType(), 0);
    EXPECT_TRUE(ctx.library.isReturner("add"));

    EXPECT_EQ(check("FUNCTION S()\nEXITFUNCTION \"x\"\nENDFUNCTION \"y\"\nFUNCTION PAUSE\nENDFUNCTION\n"),
              kPasses);
    EXPECT_EQ(ctx.functions.getFunction("S")->getType(), 3);
    EXPECT_TRUE(ctx.library.getPauseFunc());
    EXPECT_FALSE(ctx.functions.isFunction("PAUSE"));

    EXPECT_EQ(check("FUNCTION F(A B)\n"), res("Error_Expecting_or_at") + "1");
    EXPECT_EQ(check("FUNCTION G(A1)\n"), res("Error_Function") + " at line: 1");
    EXPECT_EQ(check("FUNCTION H(A,\n"), res("Error_Bracket") + "1");
    EXPECT_EQ(check("FUNCTION\n"), res("Error_Function_Name") + "1");
}

TEST_F(PrepassTest, SeesCommentsAsTheStatementLoopDoes) {
    // Found by fuzzing: "REMSTART X" is one comment line for the translator, so the pre-pass must not
    // open a block there and hide the function from the registry.
    EXPECT_EQ(check("REMSTART X\nFUNCTION F(A)\nENDFUNCTION A\nREMSTART\nFUNCTION G(\nREMEND (\n"), kPasses);
    EXPECT_TRUE(ctx.functions.isFunction("F"));
    EXPECT_FALSE(ctx.functions.isFunction("G"));
}

TEST_F(PrepassTest, ObjectsAndFeatureFlags) {
    EXPECT_EQ(check("IMAGE PIC, \"a.png\"\n"), res("Error_Image_loading"));
    EXPECT_EQ(check("TRY\nCATCH IO\nENDCATCH\nENDTRY\n"), res("Error_File_error_is") + "2");
    EXPECT_EQ(check("DIM A#\nDIM B#\nTRY\nIMAGE PIC, \"a.png\"\nCATCH IO\nENDCATCH\nENDTRY\nCANVAS MAIN\n"
                    "SPRITE S, PIC\nSPRITE.ARRAY SA\nIMAGE.ARRAY IA\nENDCANVAS\nFOR I = 1 TO 2\nNEXT\n"
                    "FOR I=3 TO 4\nNEXT\nSOUND.PLAY 1\nX = VIDEO.HASCAMERA()\nMAPPY.LOAD \"m\"\n"
                    "3D.START\nVIDEO.START 1\n"),
              kPasses);
    EXPECT_EQ(ctx.objects.getImageName(0), "PIC");
    EXPECT_EQ(ctx.objects.getCanvasName(0), "MAIN");
    EXPECT_EQ(ctx.objects.getSpriteName(0), "S");
    EXPECT_EQ(ctx.objects.getSpriteArrayName(0), "SA");
    EXPECT_EQ(ctx.objects.getImageArrayName(0), "IA");
    EXPECT_EQ(ctx.library.getForVariable(), "int I;");
    EXPECT_TRUE(ctx.library.usesFloats());
    EXPECT_TRUE(ctx.library.usesSound);
    EXPECT_TRUE(ctx.library.usesVideo);
    EXPECT_TRUE(ctx.library.usesMappy());
    EXPECT_TRUE(ctx.library.uses3D());
    EXPECT_TRUE(ctx.library.usesMM());
    // One warning per feature: floats, 3D, multimedia.
    EXPECT_EQ(printed(), std::vector<std::string>(3, res("Warning_You_are_using")));
}

// An image array is loaded as an image is; loaded outside a TRY it is not that TRY's load.
TEST_F(PrepassTest, ImageArrayIsTheLoadOfItsTry) {
    EXPECT_EQ(check("TRY\nIMAGE.ARRAY T, \"a.png\", 2\nCATCH IO\nENDCATCH\nENDTRY\n"), kPasses);
    EXPECT_EQ(check("IMAGE.ARRAY U, \"a.png\", 2\nTRY\nCATCH IO\nENDCATCH\nENDTRY\n"),
              res("Error_File_error_is") + "3");
}

}  // namespace
}  // namespace compiler
