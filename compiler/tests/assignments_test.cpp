#include <gtest/gtest.h>

#include "driver/messages.h"
#include "statement_fixture.h"

namespace compiler {
namespace {

using testing_statements::problemsOf;
using testing_statements::Program;

const char* kPoint = "TYPE POINT\nDIM X\nDIM N$\nDIM W#\nBOOLEAN SEEN\nENDTYPE\nDIM P% = POINT\nBOOLEAN OK\n";

TEST(Assignments, JavaText) {
    struct Row {
        std::string program;  // the last statement is checked
        std::string java;
    };
    const Row rows[] = {
        {"DIM X\nX = 5", "X = 5;"},
        {"DIM X\nX = X * 2 + 1", "X = X * 2 + 1;"},
        {"DIM S$\nS$ = \"a\" + S$", "S = \"a\" + S;"},
        {"DIM F#\nF# = 3", "F = 3;"},
        {"DIM F#\nF# = F# * 1.5", "F = F * 1.5f;"},
        {"BOOLEAN B\nB = TRUE", "B=true"},
        {"BOOLEAN B\nB = FALSE", "B=false"},
        {"BOOLEAN B\nBOOLEAN D\nB = D", "B=D"},
        {"DIM A[3]\nA[1] = 5", "A[1] =5;"},
        {"DIM N$[3]\nDIM I\nN$[I + 1] = \"x\"", "N[I+1] =\"x\";"},
        {"DIM M[2,2]\nM[0,1] = 7", "M[0][1] =7;"},
        {std::string(kPoint) + "P%.X = 4", "P.X = 4;"},
        {std::string(kPoint) + "P%.N$ = \"a\"", "P.N = \"a\";"},
        {std::string(kPoint) + "P%.W# = 2", "P.W = 2;"},
        {std::string(kPoint) + "P%.SEEN = TRUE", "P.SEEN=true;"},
        {std::string(kPoint) + "P%.SEEN = OK", "P.SEEN=OK;"},
        {std::string(kPoint) + "DIM PTS%[3] = POINT\nPTS%[1].X = 4", "PTS[1].X = 4;"},
        {std::string(kPoint) + "DIM PTS%[3] = POINT\nDIM I\nPTS%[I].N$ = \"b\"", "PTS[I].N = \"b\";"},
        {"FUNCTION F(A, S$)\nENDFUNCTION\nFUNCTION H()\nF(1, \"x\")", "F(1,\"x\");"},
        {"FUNCTION G()\nENDFUNCTION\nFUNCTION H()\nG()", "G()"},
        {"DIM X\nFUNCTION F(A)\nENDFUNCTION 1\nFUNCTION H()\nX = F(2) + 1", "X = F(2) + 1;"},
        // The arguments of a call are read between its brackets, so a float one ends at its ")" too.
        {"FUNCTION F(V#)\nENDFUNCTION\nFUNCTION H()\nF(1.5)", "F(1.5f);"},
        {"DIM A#\nFUNCTION F(V#)\nENDFUNCTION\nFUNCTION H()\nF(A#)", "F(A);"},
        {"FUNCTION F(N, V#)\nENDFUNCTION\nFUNCTION H()\nF(MAX(1, 2), 2)", "F(Math.max(1,2),2);"},
        {"FUNCTION F(S$, V#)\nENDFUNCTION 1\nFUNCTION H()\nF(\"a\", F(\"b\", 1) * 0.5)",
         "F(\"a\",F(\"b\",1) * 0.5f);"},
    };
    for (const char* platform : {"TB", "Applet"}) {
        for (const Row& row : rows) {
            Program program(platform);
            auto texts = program.texts(row.program);
            EXPECT_EQ(texts.back(), row.java) << platform << ": " << row.program;
        }
    }
}

TEST(Assignments, Refusals) {
    struct ErrorRow {
        std::string program;
        std::vector<std::string> problems;
    };
    const ErrorRow rows[] = {
        {"DIM X\nX + 3", {res("Error_The_error")}},
        {"DIM X\nX", {res("Error_The_error")}},
        {"BOOLEAN B\nB = 3", {res("Error_Boolean")}},
        {"BOOLEAN B\nB =", {res("Error_Boolean")}},
        {std::string(kPoint) + "P%.SEEN = 1", {res("Error_Boolean")}},
        {"FUNCTION F(A)\nENDFUNCTION\nFUNCTION H()\nF()", {res("Length_does_not_match")}},
        {"FUNCTION F(A)\nENDFUNCTION\nFUNCTION H()\nF", {res("Error_Expecting_in")}},
        {"DIM A[3]\nA = 1", {res("Error_The_error")}},
        {"DIM X\nX =", {res("Error_Expecting_I")}},
        {"FROBNICATE 1", {res("Error_The_error")}},
        {"FUNCTION F(V#)\nENDFUNCTION\nFUNCTION H()\nF(1.5) 2", {res("Error_Unknown_symbol_") + "2\""}},
        {"FUNCTION F(V#)\nENDFUNCTION\nFUNCTION H()\nF(\"a\")",
         {res("Error_Expecting_float"), "in Arguments"}},
    };
    for (const ErrorRow& row : rows) {
        Program program("TB");
        EXPECT_EQ(problemsOf(program, row.program), row.problems) << row.program;
    }
}

TEST(Assignments, WorldSlotTakesA3DObject) {
    Program program("TB");
    program.load({});
    program.translate("WORLD SCENE[2]");
    program.ctx.objects.addObject("CUBE", "cube.m3g");
    // The object joins the slot's world; a camera becomes its active camera too.
    EXPECT_EQ(program.translate("SCENE[0] = CUBE"),
              "if (CUBE.getParent() != SCENE[0]) { if (CUBE.getParent() != null) ((Group) CUBE.getParent())"
              ".removeChild(CUBE); SCENE[0].addChild(CUBE); }");
    program.ctx.objects.addCamera("EYE");
    EXPECT_EQ(program.translate("SCENE[1] = EYE"),
              "if (EYE.getParent() != SCENE[1]) { if (EYE.getParent() != null) ((Group) EYE.getParent())"
              ".removeChild(EYE); SCENE[1].addChild(EYE); } SCENE[1].setActiveCamera(EYE);");
    try {
        program.translate("SCENE[1] = BALL");
        FAIL();
    } catch (const CompileException& e) {
        EXPECT_EQ(e.problems(), std::vector<std::string>{res("Error_Object_is_not")});
    }
}

TEST(Assignments, UnknownTargetPrintsTheSyntaxLines) {
    Program program("TB");
    EXPECT_EQ(problemsOf(program, "DIM X\nY = 1"), std::vector<std::string>{res("Error_The_error")});
    auto lines = tz::testing::splitLines(program.out.str());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], res("Error_Syntax_or") + "Y.");
    EXPECT_EQ(lines.back(), res("Error_Some_keywords"));
}

}  // namespace
}  // namespace compiler
