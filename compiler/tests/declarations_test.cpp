#include <gtest/gtest.h>

#include "driver/messages.h"
#include "statement_fixture.h"

namespace compiler {
namespace {

using testing_statements::problemsOf;
using testing_statements::Program;

struct Row {
    const char* program;  // statements, one a line; the last one is checked
    std::string java;
};

TEST(Declarations, JavaTextOnBothTargets) {
    const Row rows[] = {
        {"DIM X", "int X = 0;"},
        {"DIM X = 5", "int X = 5;"},
        {"DIM X = 2 + 3", "int X = 2 + 3;"},
        {"DIM S$", "String S = \"\";"},
        {"DIM S$ = \"hi\"", "String S = \"hi\";"},
        {"DIM F#", "float F = 0;"},
        {"DIM F# = 4", "float F = 4;"},
        {"DIM F# = 2.5", "float F = 2.5f;"},
        {"DIM A[3,4]", "int[][] A = new int[3][4];"},
        {"DIM N$[5]", "String[] N = new String[5];"},
        {"DIM V#[2]", "float[] V = new float[2];"},
        {"BOOLEAN DONE", "boolean DONE = false;"},
        {"BOOLEAN DONE = TRUE", "boolean DONE = true;"},
        {"BOOLEAN DONE = false", "boolean DONE = false;"},
        {"TYPE POINT\nDIM X\nENDTYPE\nDIM P% = POINT", "POINT P = new POINT();"},
        {"TYPE POINT\nDIM X\nENDTYPE\nDIM PTS%[10] = POINT",
         "POINT[] PTS = new POINT[10]; { for (int tz_i0 = 0; tz_i0 < 10; tz_i0++) PTS[tz_i0] = new POINT(); "
         "}"},
        {"TYPE POINT\nDIM X\nENDTYPE\nDIM M%[2,3] = POINT",
         "POINT[][] M = new POINT[2][3]; { for (int tz_i0 = 0; tz_i0 < 2; tz_i0++) for (int tz_i1 = 0; tz_i1 "
         "< 3; "
         "tz_i1++) M[tz_i0][tz_i1] = new POINT(); }"},
        // A function's own X, beside another function's X.
        {"FUNCTION F()\nDIM X\nENDFUNCTION\nFUNCTION G()\nDIM X = 1", "int X = 1;"},
        {"FUNCTION F()\nBOOLEAN B\nENDFUNCTION\nFUNCTION G()\nBOOLEAN B", "boolean B = false;"},
    };
    for (const char* platform : {"TB", "Applet"}) {
        for (const Row& row : rows) {
            Program program(platform);
            auto texts = program.texts(row.program);
            EXPECT_EQ(texts.back(), row.java) << platform << ": " << row.program;
        }
    }
}

// A DIM in a block of a function declares a local the whole function sees (the lines after the block read
// it): declared at the top of the function with the value a DIM without one gives, its first value assigned
// where the DIM stands. At the function's own level a DIM stays a declaration.
TEST(Declarations, InAFunctionsBlockTheWholeFunctionSeesIt) {
    struct BlockRow {
        const char* block;  // opens the blocks the declaration stands in
        const char* declaration;
        std::string java;
        std::string local;
    };
    const BlockRow rows[] = {
        {"IF A = 1 THEN\nWHILE A > 2\n", "DIM X = A + 2", "X = A + 2;", "int X = 0;"},
        {"FOR I = 1 TO 2\n", "DIM S$ = \"x\" + STR$(I)", "S = \"x\" + String.valueOf(I);",
         "String S = \"\";"},
        {"WHILE A < 3\n", "DIM F#", "F = 0;", "float F = 0;"},
        {"TRY\n", "DIM V#[2, 3]", "V = new float[2][3];", "float[][] V = new float[2][3];"},
        {"IF A = 1 THEN\n", "BOOLEAN B = TRUE", "B = true;", "boolean B = false;"},
        {"IF A = 1 THEN\n", "DIM P% = POINT", "P = new POINT();", "POINT P = new POINT();"},
        {"IF A = 1 THEN\n", "DIM PS%[2] = POINT",
         "PS = new POINT[2]; { for (int tz_i0 = 0; tz_i0 < 2; tz_i0++) PS[tz_i0] = new POINT(); }",
         "POINT[] PS = new POINT[2]; { for (int tz_i0 = 0; tz_i0 < 2; tz_i0++) PS[tz_i0] = new POINT(); }"},
        {"IF A = 1 THEN\n", "WORLD W[2]",
         "W = new World[2]; { for (int tz_w0 = 0; tz_w0 < W.length; tz_w0++) { W[tz_w0] = new World(); "
         "W[tz_w0].setBackground(background); } }",
         "World[] W = new World[2]; { for (int tz_w0 = 0; tz_w0 < W.length; tz_w0++) { W[tz_w0] = new "
         "World(); "
         "W[tz_w0].setBackground(background); } }"},
        {"", "DIM X = A", "int X = A;", ""},
    };
    for (const BlockRow& row : rows) {
        Program program("TB");
        const std::string source = std::string("TYPE POINT\nDIM X\nENDTYPE\nPRINT \"a\"\nFUNCTION F(A)\n") +
                                   row.block + row.declaration;
        auto texts = program.texts(source);
        EXPECT_EQ(texts.back(), row.java) << source;
        std::vector<std::string> locals;
        for (const std::string& call : program.writer.calls)
            if (call.rfind("local:", 0) == 0) locals.push_back(call.substr(6));
        EXPECT_EQ(locals,
                  row.local.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.local})
            << source;
    }
}

TEST(Declarations, RegisterNamesAndTypes) {
    Program program("TB");
    program.run("DIM X\nDIM S$\nDIM F#\nBOOLEAN B\nDIM A$[2]");
    auto type = [&](const char* name) {
        return program.ctx.variables.getType(program.ctx.variables.find(name));
    };
    EXPECT_EQ(type("X"), 2);
    EXPECT_EQ(type("S"), 3);
    EXPECT_EQ(type("F"), 1);
    EXPECT_EQ(type("B"), 4);
    int a = program.ctx.arrays.find("A");
    ASSERT_GE(a, 0);
    EXPECT_EQ(program.ctx.arrays.getType(a), 3);
    EXPECT_EQ(program.ctx.variables.at(program.ctx.variables.find("X")).owner, "GLOBAL");
}

TEST(Declarations, Refusals) {
    const std::string dim = "in Dim Statement";
    struct ErrorRow {
        const char* program;
        std::vector<std::string> problems;
    };
    const ErrorRow rows[] = {
        {"DIM A[N]", {res("Error_Array_size_must"), dim}},
        {"DIM A[3,", {res("Error_Expecting_"), dim}},
        {"DIM X\nDIM X", {res("Error_Variable_name"), dim}},
        {"DIM S$\nDIM S$ = \"a\"", {res("Error_Variable_name"), dim}},
        {"PRINT \"go\"\nDIM X", {res("Error_Dim_statements"), dim}},
        {"PRINT \"go\"\nBOOLEAN B = TRUE", {res("Error_Dim_statements"), dim}},
        {"BOOLEAN DONE = YES", {res("Error_Booleans_can"), dim}},
        {"DIM X\nBOOLEAN X", {res("Error_The_name_is_not"), dim}},
        {"DIM P% = POINT", {res("Error_Type_is_unknown"), dim}},
        {"TYPE POINT\nDIM X\nENDTYPE\nDIM P%", {res("Error_A_type_variable"), dim}},
        {"DIM PTS%[3]", {res("Error_A_type_array"), dim}},
        {"TYPE POINT\nDIM X\nENDTYPE\nTYPE LINE\nDIM P% = POINT", {res("Error_Cannot_create"), dim}},
        {"DIM X 5", {res("Error_Unknown_symbol_") + "5\"", dim}},
        // A variable or array named like a program object would be a second class member of that name.
        {"TEXTBOX PILOT, \"Pilot\", \"Robin\", 12, 0\nDIM PILOT$ = \"x\"", {res("Error_Variable_name"), dim}},
        {"BUTTON OKB, \"OK\", 1\nDIM OKB", {res("Error_Variable_name"), dim}},
        {"FORM MENU, \"Menu\"\nDIM MENU[3]", {res("Error_Variable_name"), dim}},
        // A first value is read before its variable exists: reading the variable itself reads nothing.
        {"DIM K$ = K$", {res("Error_Expecting"), "in Arguments", dim}},
        {"DIM K = K + 1", {res("Error_Expecting_I"), "in Arguments", dim}},
        {"DIM K$ = MID(K$, 0, 1)",
         {res("Error_Expecting"), "in Arguments", "in Returner", "in Arguments", dim}},
        {"PRINT \"a\"\nFUNCTION F()\nDIM K = LEN(STR$(K))",
         {res("Error_Expecting_I"), "in Arguments", "in Arguments", "in Returner", "in Arguments", dim}},
    };
    for (const ErrorRow& row : rows) {
        Program program("TB");
        EXPECT_EQ(problemsOf(program, row.program), row.problems) << row.program;
    }
}

// A record field lives in its type's own class, so it may share a program object's name.
TEST(Declarations, RecordFieldMayShareAnObjectsName) {
    Program program("TB");
    program.run("FORM MENU, \"Menu\"\nTYPE ITEM\nDIM MENU\nENDTYPE");
    EXPECT_NE(tz::testing::readFile(program.dir / "ITEM.java").find("public int MENU = 0;"),
              std::string::npos);
}

TEST(Declarations, RecordTypeFileHoldsPublicFields) {
    Program program("TB");
    auto texts = program.texts(
        "TYPE POINT\nDIM X\nDIM Y = 2\nDIM N$[5]\nDIM W#\nBOOLEAN SEEN = TRUE\nENDTYPE\n"
        "TYPE RECT\nDIM X\nENDTYPE");
    EXPECT_EQ(texts, (std::vector<std::string>{"// Type", "", "", "", "", "", "", "// Type", "", ""}));
    EXPECT_EQ(tz::testing::readFile(program.dir / "POINT.java"),
              "package Game;\n"
              "public class POINT { public POINT() { }\n"
              "public int X = 0;\n"
              "public int Y = 2;\n"
              "public String[] N = new String[5];\n"
              "public float W = 0;\n"
              "boolean SEEN = true;\n"
              "}\n"
              "// Generated by the Tesvo Zorid compiler: a compile of the project replaces or deletes this "
              "file.\n");
    EXPECT_EQ(program.ctx.typeFiles, (std::vector<std::string>{"POINT", "RECT"}));
    int seen = program.ctx.variables.find("SEEN");
    EXPECT_EQ(program.ctx.variables.getType(seen), 1004);
    EXPECT_EQ(program.ctx.variables.at(seen).owner, "POINT");
    EXPECT_TRUE(program.ctx.scope.CurrentType.empty());
}

}  // namespace
}  // namespace compiler
