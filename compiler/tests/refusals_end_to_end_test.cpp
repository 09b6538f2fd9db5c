// Programs the compiler must refuse itself, each with its own message and statement number, through the built
// Compile-Linux: exit status 1, no Java compiler message, and nothing left beside the source, not even the
// suite of an earlier build.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "driver/messages.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using compiler::res;
using tz::testing::listDir;
using tz::testing::runProgram;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kKit = TZ_KIT_DIR;

void writeProject(const TempDir& dir, const std::string& source, const std::string& name = "Game",
                  const std::string& platform = "TB") {
    tz::testing::writeProject(dir / "Game", source, platform, name);
}

// The statements of a canvas around `body`, which stands in its PAINT action.
std::string inPaint(const std::string& body) {
    return "PRINT \"a\"\nCANVAS CV\nACTION PAINT\n" + body +
           "\nENDACTION\nACTION LOOP 50\nENDACTION\nENDCANVAS\n";
}

const char* const kTypes = "TYPE P\nDIM X\nDIM Z\nENDTYPE\nTYPE Q\nDIM Y\nDIM X$\nENDTYPE\nDIM Q% = Q\n";

TEST(Refusals, EachGivesItsMessageAndStatementNumber) {
    struct Row {
        std::string source;
        std::string first;  // the message line, " at line " and the number included
    };
    const std::string dim = "\tin Dim Statement";
    const Row rows[] = {
        // Operands glued, numbers out of range.
        {"DIM N\nN = 3 4", res("Error_Expecting_operator") + " at line 2"},
        {"DIM N\nPRINT \"a\"\nIF N 1 = 2 THEN\nENDIF", res("Error_Expecting_operator") + " at line 3"},
        {"DIM N = 2147483648", res("Error_Number_range") + "2147483648 at line 1"},
        {"DIM F# = 1" + std::string(40, '0') + ".5",
         res("Error_Float_range") + "1" + std::string(40, '0') + ".5 at line 1"},
        // Names declared twice, in either order, or that Java cannot carry.
        {"DIM X\nDIM X[3]", res("Error_Variable_name") + " at line 2"},
        {"DIM X[3]\nDIM X", res("Error_Variable_name") + " at line 2"},
        {"DIM X[3]\nDIM X$[4]", res("Error_Variable_name") + " at line 2"},
        {"FORM F, \"a\"\nDIM F", res("Error_Variable_name") + " at line 2"},
        {"DIM F\nFORM F, \"b\"", res("Error_Name_in_use") + "F at line 2"},
        {"BUTTON B, \"x\", 1\nLIST B, \"y\", 0", res("Error_Name_in_use") + "B at line 2"},
        {"LIGHT L\nCAMERA L", res("Error_Name_in_use") + "L at line 2"},
        {"TRY\nIMAGE X, \"a.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE X, X",
         res("Error_Name_in_use") + "X at line 2"},  // both are registered ahead: the first is refused
        {"PRINT \"a\"\nCANVAS CV\nACTION LOOP 5\nENDACTION\nENDCANVAS\nCANVAS CV\nACTION LOOP "
         "5\nENDACTION\nENDCANVAS",
         res("Error_Name_in_use") + "CV at line 6"},
        {"FUNCTION F()\nENDFUNCTION\nFUNCTION F()\nENDFUNCTION", res("Error_Name_in_use") + "F at line 3"},
        {"TYPE T\nDIM X\nENDTYPE\nTYPE T\nDIM Y\nENDTYPE", res("Error_Name_in_use") + "T at line 4"},
        {"FUNCTION F(A, A$)\nENDFUNCTION", res("Error_Variable_name") + " at line 1"},
        {"DIM G\nFUNCTION F(G)\nENDFUNCTION", res("Error_Variable_name") + " at line 2"},
        {"DIM 9A", res("Error_The_name_is_not") + " at line 1"},
        {"FOR 5 = 1 TO 3\nNEXT", res("Error_For_Variable_is") + " at line 1"},
        {"BUTTON 9B, \"x\", 1", res("Error_Expecting") + " at line 1"},
        // Blocks the Java could not hold.
        {"PRINT \"a\"\nBREAK", res("Error_Break_place") + " at line 2"},
        {"DIM N\nPRINT \"a\"\nIF N = 1 THEN\nBREAK\nENDIF", res("Error_Break_place") + " at line 4"},
        {"PRINT \"a\"\nELSE", res("Error_Else_place") + " at line 2"},
        {"PRINT \"a\"\nFOR I = 1 TO 2\nELSEIF I = 1 THEN\nNEXT", res("Error_Else_place") + " at line 3"},
        {"DIM N\nPRINT \"a\"\nIF N = 1 THEN\nELSE\nELSE\nENDIF", res("Error_Else_twice") + " at line 5"},
        {"DIM N\nPRINT \"a\"\nIF N = 1 THEN\nELSE\nELSEIF N = 2 THEN\nENDIF",
         res("Error_Else_twice") + " at line 5"},
        {"PRINT \"x\"\nFUNCTION F()\nENDFUNCTION\nPRINT \"y\"",
         res("Error_Main_after_functions") + " at line 4"},
        {inPaint("FUNCTION F()\nENDFUNCTION"), res("Error_Function_in_canvas") + " at line 4"},
        {"DIM N\nPRINT \"a\"\nIF N = 1 THEN\nFUNCTION F()\nENDFUNCTION\nENDIF",
         res("Error_Function_place") + " at line 4"},
        {"PRINT \"a\"\nCANVAS CV\nPRINT \"b\"\nACTION LOOP 5\nENDACTION\nENDCANVAS",
         res("Error_Canvas_statement") + " at line 3"},
        // Indexes, record fields.
        {"DIM M[2, 2]\nDIM N\nN = M[1]", res("Error_Array_dimensions") + " at line 3"},
        {"DIM A[3]\nDIM N\nN = A[1, 2]", res("Error_Array_dimensions") + " at line 3"},
        {"DIM A[3]\nDIM N\nN = A[]", res("Error_Array_dimensions") + " at line 3"},
        {"DIM A[3 4]", res("Error_Expecting_") + " at line 1"},
        {"DIM A[-1]", res("Error_Array_size_must") + " at line 1"},
        {std::string(kTypes) + "PRINT \"a\"\nQ%.Z = 1", "Variable does not belong to this type at line 11"},
        // The field's value type is its own type's: Q's X$ is a string.
        {std::string(kTypes) + "PRINT \"a\"\nQ%.X$ = 1", "The error occurred at line 11"},
        // Images a sprite or layer cannot draw from, an empty sequence.
        {"PRINT \"a\"\nSPRITE S, NULL", res("Error_Image_name_is") + " at line 2"},
        {"PRINT \"a\"\nSPRITE.ARRAY S, NULL, 2", res("Error_Image_name_is") + " at line 2"},
        {"PRINT \"a\"\nSPRITE.ANIMATION S, NULL, 8, 8", res("Error_Image_name_is") + " at line 2"},
        {"PRINT \"a\"\nLAYER 4, 4, NULL, 8, 8", res("Error_Image_name_is") + " at line 2"},
        {"TRY\nIMAGE I, \"a.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE S, I\nSPRITE.SEQUENCE S",
         res("Error_Integer") + " at line 7"},
        // Arguments beyond a statement's pattern.
        {"PRINT \"a\", \"b\"", res("Error_Number_of") + " at line 1"},
        {"BUTTON B, \"x\", 1, 2", res("Error_Number_of") + " at line 1"},
        {"PRINT \"a\"\n3D.START 1", res("Error_Number_of") + " at line 2"},
        {inPaint("CLS 1"), res("Error_Number_of") + " at line 4"},
        {"PRINT \"a\"\nFOR I = 1 TO 2\nNEXT J", res("Error_Number_of") + " at line 3"},
        // A 3D object of a model class that is no Java class among the project's includes.
        {"PRINT \"a\"\n3D.START\nOBJECT O, NOMODEL\n3D.END",
         res("Error_No_model_class") + "NOMODEL in the project's includes at line 3"},
        {"PRINT \"a\"\nOBJECT.ARRAY O, NOMODEL, 2",
         res("Error_No_model_class") + "NOMODEL in the project's includes at line 2"},
        // A statement that stops before its arguments is the user's fault, refused with the count message.
        {"PRINT \"a\"\nFOR", res("Error_Number_of") + " at line 2"},
        {"DIM N\nDIM", res("Error_Number_of") + " at line 2"},
        // The line named is the line of the file: one-line IFs and ":" lines before it count as one line.
        {"DIM X\nPRINT \"a\"\nIF X = 1 THEN PRINT \"b\"\nIF X = 2 THEN PRINT \"c\"\nX = \"s\"",
         res("Error_Expecting_I") + " at line 5"},
        {"DIM X\nX = 1 : X = 2 : X = \"a\"\nPRINT \"b\"", res("Error_Expecting_I") + " at line 2"},
        {"DIM X\nPRINT \"a\"\nIF X = 1 THEN X = 2 : X = \"s\"", res("Error_Expecting_I") + " at line 3"},
        {"DIM X\nIF X = 1 THEN PRINT \"a\" : PRINT \"b\"\nPRINT \"c\" : PRINT 1",
         res("Error_Expecting") + " at line 3"},
        // A first value that reads the variable being declared reads an undeclared name.
        {"DIM K$ = K$", res("Error_Expecting") + " at line 1"},
        {"DIM A\nDIM K$ = MID(K$, A, 1)", res("Error_Expecting") + " at line 2"},
        {"PRINT \"a\"\nFUNCTION F()\nDIM K = LEN(STR$(K))\nENDFUNCTION",
         res("Error_Expecting_I") + " at line 3"},
        // Drawing needs the screen a PAINT action is handed; a function may draw for it.
        {"CLS", res("Error_Drawing_place") + " at line 1"},
        {"DIM X\nIF X = 1 THEN PRINT \"a\" : DRAWTEXT \"hi\", 0, 0",
         res("Error_Drawing_place") + " at line 2"},
        {"PRINT \"a\"\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION LOOP 50\nSETCOLOR 1, 2, "
         "3\nENDACTION\nENDCANVAS",
         res("Error_Drawing_place") + " at line 6"},
        {"PRINT \"a\"\nFUNCTION ACTION\nDRAWLINE 0, 0, 9, 9\nENDFUNCTION",
         res("Error_Drawing_place") + " at line 3"},
        // Each action of a canvas is a method of its class: one of each kind.
        {"PRINT \"a\"\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION PAINT\nENDACTION\nACTION LOOP "
         "5\nENDACTION\n"
         "ENDCANVAS",
         res("Error_Action_twice") + "PAINT at line 5"},
        {"PRINT \"a\"\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION LOOP 5\nENDACTION\nACTION LOOP "
         "9\nENDACTION\n"
         "ENDCANVAS",
         res("Error_Action_twice") + "LOOP at line 7"},
        {"PRINT \"a\"\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION KEYPRESSED\nENDACTION\nACTION KEYPRESSED\n"
         "ENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS",
         res("Error_Action_twice") + "KEYPRESSED at line 7"},
        {"PRINT \"a\"\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION POINTERDRAGGED\nENDACTION\n"
         "ACTION POINTERDRAGGED\nENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS",
         res("Error_Action_twice") + "POINTERDRAGGED at line 7"},
        // A text ends at its second quote, a backslash before it or not: what follows is glued to it.
        {"DIM N\nPRINT \"say \\\"hi\\\" now\"", res("Error_Text_quote") + " at line 2"},
        {"PRINT \"a\"\"b\"", res("Error_Expecting_operator") + " at line 1"},
        {"DIM A$\nA$ = B\"b\"", res("Error_Expecting_operator") + " at line 2"},
        // A value glued to the argument before it is no comma between two arguments.
        {"TRY\nIMAGE W, \"w.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE.ANIMATION H, W 3.5, 16, 16",
         res("Error_Expecting_operator") + " at line 6"},
        {"FORM F, \"a\"\nPRINT \"b\"\nSETDISPLAY F F", res("Error_Expecting_name") + " at line 3"},
        {"PRINT \"a\"\n3D.START\n3D.SETBACKGROUNDCOLOR 255 0\n3D.END",
         res("Error_Expecting_hex") + " at line 3"},
        // The special functions take no parameters.
        {"PRINT \"a\"\nFUNCTION END]\nEND\nENDFUNCTION", res("Error_Number_of") + " at line 2"},
        {"PRINT \"a\"\nFUNCTION PAUSE(N)\nENDFUNCTION", res("Error_Number_of") + " at line 2"},
        // An empty argument, where the statement's own reading let it pass.
        {"PRINT \"a\"\nSHOW(, 1)\nFUNCTION SHOW(A, B)\nENDFUNCTION",
         res("Error_Expecting_value") + " at line 2"},
        {"DIM N\nN = ADD(1, )\nFUNCTION ADD(A, B)\nENDFUNCTION A",
         res("Error_Expecting_value") + " at line 2"},
        {"CAMERA EYE\n3D.START\n3D.SETCAMERAROTATION EYE, 0, , 0\n3D.END",
         res("Error_Expecting_value") + " at line 3"},
        // A record's name with two suffixes, and a world the canvases of the main program could not reach.
        {"TYPE T\nDIM X\nENDTYPE\nDIM P% = T\nP%%.X = 3", "Type is not recognised at line 5"},
        {"TYPE T\nDIM X\nENDTYPE\nDIM P% = T\nDIM N\nN = P%%.X", "Type is not recognised at line 6"},
        {"TYPE T\nDIM X\nENDTYPE\nDIM P%[2] = T\nP%%[1].X = 3", "Type is not recognised at line 5"},
        {"PRINT \"a\"\nWORLD W[2]", res("Error_World_place") + " at line 2"},
        // Past what a Java class file holds, or deeper than javac reads.
        {"DIM N\nPRINT \"" + std::string(65535, 'a') + "\"", res("Error_Text_long") + " at line 2"},
        {"PRINT \"" + std::string(30000, 'a') + "\" + (\"" + std::string(40000, 'b') + "\")",
         res("Error_Text_long") + " at line 1"},
        {"DIM " + std::string(100000, 'A'), res("Error_Name_long") + " at line 1"},
        {"DIM N\nN = " + std::string(101, '(') + "1" + std::string(101, ')'),
         res("Error_Nested_brackets") + " at line 2"},
        {"DIM N\nN = 1" +
             [] {
                 std::string sum;
                 for (int i = 0; i < 1000; ++i) sum += " + 1";
                 return sum;
             }(),
         res("Error_Statement_long") + " at line 2"},
        {"DIM A[1" +
             [] {
                 std::string sizes;
                 for (int i = 0; i < 255; ++i) sizes += ", 1";
                 return sizes;
             }() +
             "]",
         res("Error_Too_many_dimensions") + " at line 1"},
        {"PRINT \"a\"\nFUNCTION F(" +
             [] {
                 std::string names = "A";
                 for (char a = 'A'; a <= 'J'; ++a)
                     for (char b = 'A'; b <= 'Z'; ++b) names += std::string(", ") + a + b;
                 return names;
             }() +
             ")\nENDFUNCTION",
         res("Error_Too_many_arguments") + " at line 2"},
    };
    for (const Row& row : rows) {
        TempDir dir;
        writeProject(dir, row.source);
        // The suite of an earlier build goes with the refusal: it is not the program the user now runs.
        writeFile(dir / "Game/Game.jar", "earlier");
        writeFile(dir / "Game/Game.jad", "earlier");
        auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"});
        EXPECT_EQ(result.status, 1) << row.source << "\n" << result.output;
        EXPECT_NE(result.output.find("\n" + row.first + "\n"), std::string::npos) << row.source << "\n"
                                                                                  << result.output;
        EXPECT_NE(result.output.find(res("Error_detected")), std::string::npos) << row.source;
        EXPECT_EQ(result.output.find("Internal Error"), std::string::npos) << row.source;
        EXPECT_EQ(listDir(dir / "Game"), (std::vector<std::string>{"Game.tbp", "GameX.bss"})) << row.source;
    }
}

// A section or function whose method passes the 64 KB of byte code a Java method holds: the kit's message
// names it and the line that opens it, and nothing of javac's reaches the user.
TEST(Refusals, SectionsPastAJavaMethodAreNamedByTheKit) {
    std::string many;
    for (int i = 0; i < 9000; ++i) many += "PRINT \"x\"\n";
    TempDir dir;
    writeProject(dir, "DIM N\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION LOOP 50\n" + many +
                          "ENDACTION\nENDCANVAS\n" + many + "FUNCTION LONG()\n" + many + "ENDFUNCTION\n");
    writeFile(dir / "Game/Game.jar", "earlier");
    auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"});
    EXPECT_EQ(result.status, 1) << result.output;
    for (const char* section :
         {"ACTION LOOP at line 5", "the main program at line 2", "FUNCTION LONG at line 18008"})
        EXPECT_NE(result.output.find("\n" + res("Error_Code_too_large") + section + "\n"), std::string::npos)
            << result.output;
    for (const char* tool : {"ERROR in", "exceeding", "Internal Error", "problem"})
        EXPECT_EQ(result.output.find(tool), std::string::npos) << tool << "\n" << result.output;
    EXPECT_NE(result.output.find("\n**\n" + res("Error_detected") + "\n"), std::string::npos);
    for (const char* file : {"Game.jar", "Game.jad", "Game.java"})
        EXPECT_FALSE(fs::exists(dir / ("Game/" + std::string(file))));
}

// A program whose class holds more names, numbers and texts than a Java class can: the kit's message names
// the program, and nothing of javac's reaches the user.
TEST(Refusals, AClassPastItsConstantsIsNamedByTheKit) {
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += "DIM V" + std::to_string(i) + "$ = \"abc" + std::to_string(i) + "\"\n";
    TempDir dir;
    writeProject(dir, many);
    auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"});
    EXPECT_EQ(result.status, 1) << result.output;
    EXPECT_NE(result.output.find("\n" + res("Error_Too_many_constants") + "the program\n**\n" +
                                 res("Error_detected") + "\n"),
              std::string::npos)
        << result.output;
    for (const char* tool : {"ERROR in", "constant pool", "Internal Error", "problem"})
        EXPECT_EQ(result.output.find(tool), std::string::npos) << tool << "\n" << result.output;
    EXPECT_EQ(listDir(dir / "Game"), (std::vector<std::string>{"Game.tbp", "GameX.bss"}));
}

// The project's name is the class's name: a support class of the kit, a class the program uses or a Java word
// would not compile.
TEST(Refusals, ProjectNameThatCannotBeTheClassName) {
    for (const char* name : {"Map", "Layer", "Image", "String", "int", "TBCanvas"}) {
        TempDir dir;
        writeProject(dir, "PRINT \"a\"\n", name);
        auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / ("Game/" + std::string(name))});
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_NE(result.output.find(res("Error_Class_name") + name + "\n"), std::string::npos)
            << result.output;
        EXPECT_EQ(listDir(dir / "Game").size(), 2u) << name;
    }
}

// A Java include is a class of the program's package: one named like a support class of the kit, a class
// the program uses or a Java word is refused with the kit's message, before javac sees it.
TEST(Refusals, IncludeThatCannotBeItsClassName) {
    for (const std::string include : {"Include", "Map", "Layer", "String", "int", "TBCanvas"}) {
        for (const std::string platform : {"TB", "Applet"}) {
            TempDir dir;
            writeProject(dir, "PRINT \"a\"\n", "Game", platform);
            writeFile(dir / "Game/Game.tbp", "Main=Game\nRun=0\nName=Game\nPlatform=" + platform +
                                                 "\nInc=true\nInclude=" + include + "\n");
            writeFile(dir / ("Game/" + include + ".java"),
                      "package Game;\npublic class " + include + " {}\n");
            auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / "Game/Game"});
            EXPECT_EQ(result.status, 1) << include;
            EXPECT_NE(result.output.find(res("Error_Include_class_name") + include + "\n"), std::string::npos)
                << result.output;
            EXPECT_EQ(result.output.find("Internal Error"), std::string::npos) << result.output;
            EXPECT_EQ(listDir(dir / "Game").size(), 3u) << include;
        }
    }
}

// The longest project name the kit takes builds a whole suite with the real tools; one byte more is refused
// before anything is written, by the same message as a name that leaves the folder.
TEST(Refusals, ProjectNameTooLongForItsFiles) {
    for (const size_t length : {200u, 201u, 249u}) {
        const std::string name(length, 'L');
        TempDir dir;
        writeProject(dir, "TYPE SPOT\nDIM X\nENDTYPE\nDIM S% = SPOT\n" + inPaint("PRINT \"a\""), name);
        auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", dir / ("Game/" + name)});
        if (length == 200) {
            EXPECT_EQ(result.status, 0) << result.output;
            EXPECT_TRUE(fs::exists(dir / ("Game/" + name + ".jar")));
            EXPECT_TRUE(fs::exists(dir / ("Game/" + name + ".jad")));
        } else {
            EXPECT_EQ(result.status, 1) << length;
            EXPECT_NE(result.output.find(res("Error_Project_name") + name + "\n"), std::string::npos)
                << result.output;
            EXPECT_EQ(listDir(dir / "Game").size(), 2u) << length;
        }
    }
}

// A phone program's class paths are joined with ":" (and the kit's javac splits them at ";" too): a project
// folder holding either is refused before anything is translated, with the folder and the character. An
// applet's sources are handed to javac by name, so it builds there.
TEST(Refusals, AProjectFolderThatSplitsAClassPath) {
    for (const std::string folder : {"a:b", "c;d"}) {
        TempDir dir;
        const std::string project = dir / (folder + "/Game/");
        writeFile(project + "GameX.bss", "PRINT \"a\"\n");
        writeFile(project + "Game.jar", "earlier");
        writeFile(project + "Game.jad", "earlier");
        writeFile(project + "Game.tbp", "Main=Game\nRun=0\nName=Game\nPlatform=TB\n");
        auto result = runProgram(dir.path(), {kKit + "/Compile-Linux", project + "Game"});
        EXPECT_EQ(result.status, 1) << result.output;
        EXPECT_EQ(result.output,
                  "Error: The project folder " + project + " holds the character \"" + folder[1] +
                      "\", which splits a Java class path. Use a folder whose path has no \":\" "
                      "or \";\"\n");
        EXPECT_EQ(listDir(project), (std::vector<std::string>{"Game.tbp", "GameX.bss"}));

        writeFile(project + "Game.tbp", "Main=Game\nRun=0\nName=Game\nPlatform=Applet\n");
        result = runProgram(dir.path(), {kKit + "/Compile-Linux", project + "Game"});
        EXPECT_EQ(result.status, 0) << result.output;
        EXPECT_TRUE(fs::exists(project + "Game.html")) << result.output;
    }
}

// A pipe whose reader is gone (Compile-Linux ... | head): the run ends as a failure and cleans up.
TEST(Refusals, ClosedOutputLeavesNoJavaOrDescriptor) {
    TempDir dir;
    writeProject(dir, "PRINT \"a\"\n");
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::dup2(fds[1], STDERR_FILENO);
        const std::string program = kKit + "/Compile-Linux";
        const std::string project = dir / "Game/Game";
        ::execl(program.c_str(), program.c_str(), project.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(listDir(dir / "Game"), (std::vector<std::string>{"Game.tbp", "GameX.bss"}));
}

}  // namespace
