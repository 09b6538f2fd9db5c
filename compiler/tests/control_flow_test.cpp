#include <gtest/gtest.h>

#include "driver/messages.h"
#include "statement_fixture.h"

namespace compiler {
namespace {

using testing_statements::problemsOf;
using testing_statements::Program;

struct Row {
    const char* program;  // the last statement is checked
    std::string java;
};

struct ErrorRow {
    const char* program;
    std::vector<std::string> problems;
};

void expectRows(const char* platform, std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        Program program(platform);
        auto texts = program.texts(row.program);
        EXPECT_EQ(texts.back(), row.java) << platform << ": " << row.program;
        EXPECT_FALSE(program.ctx.library.isComparator) << row.program;
    }
}

void expectErrors(const char* platform, std::initializer_list<ErrorRow> rows) {
    for (const ErrorRow& row : rows) {
        Program program(platform);
        EXPECT_EQ(problemsOf(program, row.program), row.problems) << platform << ": " << row.program;
        EXPECT_FALSE(program.ctx.library.isComparator) << row.program;
    }
}

TEST(Conditions, JavaText) {
    for (const char* platform : {"TB", "Applet"}) {
        expectRows(
            platform,
            {
                {"DIM A\nIF A = 1 THEN", "if(A == 1){"},
                {"DIM A\nIF a <> 1 then", "if(A != 1){"},
                {"DIM A\nDIM B\nDIM S$\nIF S$ = \"x\" AND B <> A THEN",
                 "if(String.valueOf(S).equals(\"x\") && B != A){"},
                {"DIM S$\nIF S$ <> \"x\" THEN", "if(!String.valueOf(S).equals(\"x\")){"},
                {"DIM A\nIF (A = 1) THEN", "if((A == 1)){"},
                {"DIM A\nIF A >= 1 OR A < 0 THEN", "if(A >= 1 || A < 0){"},
                {"DIM A\nIF A <= 1 AND A > 0 THEN", "if(A <= 1 && A > 0){"},
                {"DIM A\nIF A + 1 > 3 THEN", "if(A + 1 > 3){"},
                {"DIM A\nIF 3 < A THEN", "if(3 < A){"},
                {"BOOLEAN B\nIF B = TRUE THEN", "if(B ==  true){"},
                {"BOOLEAN B\nBOOLEAN D\nIF B <> D THEN", "if(B != D){"},
                {"DIM A[4]\nDIM I\nIF A[I] = 2 THEN", "if(A[I] == 2){"},
                {"DIM A\nWHILE A < 10", "while(A < 10){"},
                {"DIM A\nWHILE A < 10 THEN", "while(A < 10){"},
                {"DIM A\nIF A = 1 THEN\nELSEIF A = 2 THEN", "}else if(A == 2){"},
                // Conversions on the left are stepped past; INT compares as a number.
                {"DIM S$\nIF UPPER(S$) = \"A\" THEN",
                 "if(String.valueOf(String.valueOf(S).toUpperCase()).equals(\"A\")){"},
                {"DIM S$\nIF INT(S$) > 3 THEN", "if(Integer.parseInt(S) > 3){"},
                {"DIM S$\nIF STR$(4) = S$ THEN", "if(String.valueOf(String.valueOf(4)).equals(S)){"},
                {"TYPE POINT\nDIM X\nDIM N$\nBOOLEAN SEEN\nENDTYPE\nDIM P% = POINT\nIF P%.X = 1 THEN",
                 "if(P.X == 1){"},
                {"TYPE POINT\nDIM X\nDIM N$\nENDTYPE\nDIM P% = POINT\nIF P%.N$ <> \"a\" THEN",
                 "if(!String.valueOf(P.N).equals(\"a\")){"},
                // A field of an element of an array of records: its own type decides the comparison.
                {"TYPE T\nBOOLEAN CC\nDIM S$\nDIM X\nDIM W#\nENDTYPE\nDIM Q%[3] = T\n"
                 "IF Q%[1].CC = TRUE THEN",
                 "if(Q[1].CC ==  true){"},
                {"TYPE T\nBOOLEAN CC\nENDTYPE\nDIM Q%[3] = T\nDIM I\n"
                 "IF Q%[I].CC <> FALSE OR 1 = 2 THEN",
                 "if(Q[I].CC !=  false || 1 == 2){"},
                {"TYPE T\nBOOLEAN CC\nDIM S$\nENDTYPE\nDIM Q%[3] = T\nIF Q%[2].S$ = \"a\" THEN",
                 "if(String.valueOf(Q[2].S).equals(\"a\")){"},
                {"TYPE T\nDIM X\nENDTYPE\nDIM Q%[3, 2] = T\nIF Q%[2, 1].X >= 4 THEN", "if(Q[2][1].X >= 4){"},
                {"TYPE T\nDIM W#\nENDTYPE\nDIM Q%[3] = T\nIF Q%[0].W# < 0.5 THEN", "if(Q[0].W < 0.5f){"},
                // "#" values compare as floats.
                {"DIM F#\nIF F# > 2 THEN", "if(F > 2){"},
                {"DIM F#\nIF F# > 2.5 THEN", "if(F > 2.5f){"},
                {"DIM F#\nIF 2.5 < F# THEN", "if(2.5f < F){"},
            });
    }
}

TEST(Conditions, Refusals) {
    const std::string in = "in Comparison";
    expectErrors("TB", {
                           {"DIM S$\nIF S$ > \"a\" THEN", {res("Error_Only_and_can_be"), in}},
                           {"BOOLEAN B\nIF B < TRUE THEN", {res("Error_Only_and_can_be"), in}},
                           {"BOOLEAN B\nDIM A\nIF B = A THEN", {res("Error_Boolean_can"), in}},
                           {"DIM A\nIF A IS 1 THEN", {res("Error_Unknown") + "IS\"", in}},
                           {"DIM A\nIF A = 1 XOR A = 2 THEN", {res("Error_Unknown_symbol_") + "XOR\"", in}},
                           {"IF Q = 1 THEN", {res("Error_Cannot_evaluate"), in}},
                           {"DIM A\nIF A = 1 THEN\nELSEIF A = 2", {res("Error_Expecting_THEN"), in}},
                           {"DIM S$\nIF P%.X = 1 THEN", {res("Error_Type_is_unknown"), in}},
                           {"FUNCTION F()\nENDFUNCTION\nFUNCTION H()\nIF F() = 1 THEN",
                            {res("Error_Cannot_evaluate"), in}},
                       });
}

TEST(ControlFlow, LoopsAndBlocks) {
    for (const char* platform : {"TB", "Applet"}) {
        expectRows(
            platform,
            {
                {"FOR I = 1 TO 10", "for (I=1;I<=10;I++){"},
                {"FOR I = 10 TO 0 DEC 2", "for (I=10;I>=0;I=I-(2)){"},
                {"FOR I = 1 TO 9 INC 2", "for (I=1;I<=9;I=I+(2)){"},
                {"DIM A\nDIM B\nFOR I = A TO B + 1", "for (I=A;I<=B + 1;I++){"},
                {"FOR I = 1 TO 3\nNEXT", "}"},
                {"IF 1 = 1 THEN\nELSE", "}else{"},
                {"IF 1 = 1 THEN\nENDIF", "}"},
                {"IF 1 = 1 THEN\nEND IF", "}"},
                {"WHILE 1 = 1\nENDWHILE", "}"},
                // A constant condition would make javac refuse the loop or what follows.
                {"WHILE 08 < 010", "while(GameTemp == GameTemp && (8 < 10)){"},
                {"WHILE -2.5 < 0.5 * 2", "while(GameTemp == GameTemp && (-2.5f < 0.5f * 2)){"},
                {"BOOLEAN B\nWHILE B = TRUE", "while(B ==  true){"},
                {"DIM S$\nWHILE S$ = \"a1\"", "while(String.valueOf(S).equals(\"a1\")){"},
                {"WHILE 1 = 1\nBREAK", "if (true) break;"},
                {"PRINT \"hi\"", "System.out.println(\"hi\");"},
                {"PRINT \"Hello World\"", "System.out.println(\"Hello World\");"},
                {"PRINT \"Hello_World\"", "System.out.println(\"Hello_World\");"},
                // Java's own escapes stay; every other backslash is one in the text.
                {"PRINT \"C:\\games\\new\\top\"", "System.out.println(\"C:\\\\games\\new\\top\");"},
                {"PRINT \"dir\\\"", "System.out.println(\"dir\\\\\");"},
                {"PRINT \"\\u0041BC\" + \"\\u0022\"", "System.out.println(\"\\\\u0041BC\" + \"\\\\u0022\");"},
                {"PRINT \"\\n\\t\\r\\b\\f\\'\\\\\\x\"",
                 "System.out.println(\"\\n\\t\\r\\b\\f\\'\\\\\\\\x\");"},
                {"DIM P$ = \"a\\d\"", "String P = \"a\\\\d\";"},
                // Keywords match whole tokens.
                {"DIM NEXTX\nNEXTX = 1", "NEXTX = 1;"},
                {"DIM TRYCOUNT\nTRYCOUNT = 0", "TRYCOUNT = 0;"},
            });
    }
    expectRows("TB", {{"END", "notifyDestroyed();"}});
}

TEST(ControlFlow, ErrorBlock) {
    Program program("TB");
    program.load({});
    std::vector<std::string> texts;
    for (const char* s : {"TRY", "CATCH IO", "ENDCATCH", "ENDTRY"}) texts.push_back(program.translate(s));
    EXPECT_EQ(texts, (std::vector<std::string>{"try{", "} catch (IOException e){", "}", ""}));
}

TEST(ControlFlow, Refusals) {
    expectErrors("TB", {
                           {"FOR I = 1 TO 9 STEP 2", {res("Error_INC_or_DEC")}},
                           {"FOR I = TO 9", {res("Error_For_requires_a")}},
                           {"CATCH IO", {res("Error_Catch_can_only")}},
                           {"TRY\nTRY", {res("Error_Already_in_an")}},
                           {"TRY\nENDTRY", {res("Error_Try_used")}},
                           {"ENDCATCH", {res("Error_EndCatch_can")}},
                           {"ENDTRY", {res("Error_EndTry_can_only")}},
                           {"TRY\nCATCH FILE", {res("Error_Unknown_error")}},
                           {"TRY\nCATCH IO\nENDCATCH\nCATCH IO", {res("Error_Catch_twice")}},
                           {"END NOW", {res("Error_The_error")}},
                           {"BREAK 2", {res("Error_The_error")}},
                       });
    expectErrors("Applet", {{"END", {res("Error_This_command_is")}}});

    // The pre-pass registers every loop variable; a translator that meets an unknown one refuses it.
    Program program("TB");
    program.load({});
    EXPECT_THROW(program.translate("FOR J = 1 TO 5"), CompileException);
    try {
        program.translate("FOR J = 1 TO 5");
    } catch (const CompileException& e) {
        EXPECT_EQ(e.problems(), std::vector<std::string>{res("Error_For_Variable_is")});
    }
    // TRY then ENDTRY leaves the block closed.
    Program tryProgram("TB");
    tryProgram.load({});
    tryProgram.translate("TRY");
    EXPECT_THROW(tryProgram.translate("ENDTRY"), CompileException);
    EXPECT_EQ(tryProgram.translate("TRY"), "try{");
}

}  // namespace
}  // namespace compiler
