// Statements in byte tokens: each row is a small program, the statement translated, and the exact bytes
// that statement adds to data.tbd (its tokens and the "EL" that ends its line), or its refusal.
#include <gtest/gtest.h>

#include "byte_program.h"
#include "driver/messages.h"

namespace compiler {
namespace {

using testing_bytes::ByteProgram;

struct Row {
    std::string source;
    std::size_t index;
    std::string bytes;
};

void expectRows(const std::vector<Row>& rows, const std::string& platform = "PPC") {
    for (const Row& row : rows) {
        ByteProgram program(platform);
        EXPECT_EQ(program.bytesOrError(row.source, row.index), row.bytes)
            << row.source << " [" << row.index << "]";
    }
}

std::string noByteForm(const std::string& statement) {
    return "error: " + res("Error_No_byte_form") + statement;
}

TEST(ByteStatements, Declarations) {
    expectRows({
        {"DIM X", 0, "DIEL"},
        {"DIM X = 5", 0, "DINS5NEEDEL"},
        {"DIM Y\nDIM X = Y + 1", 1, "DIVS0VE++NS1NEEDEL"},
        {"DIM S$ = \"hi\"", 0, "DSSS\"hi\"SEEDEL"},
        {"DIM S$", 0, "DSEL"},
        {"DIM F# = 1.5", 0, "DFNS1.5NEEDEL"},
        {"DIM F#", 0, "DFEL"},
        {"DIM A[3,4]", 0, "IANS2NEEDNS3NEEDNS4NEEDEL"},
        {"DIM N$[5]", 0, "SANS1NEEDNS5NEEDEL"},
        {"DIM R#[2]", 0, "FANS1NEEDNS2NEEDEL"},
        {"BOOLEAN B = TRUE", 0, "DBTTEL"},
        {"BOOLEAN B", 0, "DBFFEL"},
        // record types: the integer field without a value starts at 0
        {"TYPE POINT\nDIM PX\nENDTYPE", 0, "DNEL"},
        {"TYPE POINT\nDIM PX\nENDTYPE", 1, "DINS0NEEDEL"},
        {"TYPE POINT\nDIM W#\nENDTYPE", 1, "DFEL"},
        {"TYPE POINT\nDIM PX\nENDTYPE", 2, "DMEL"},
        {"TYPE POINT\nDIM PX\nENDTYPE\nDIM P% = POINT", 3, "DTEDEL"},
        {"TYPE POINT\nDIM PX\nENDTYPE\nDIM PTS%[10] = POINT", 3, "TANS1NEEDNS10NEEDEL"},
        {"DIM A[99999999999]", 0, "error: " + res("Error_Number_range") + "99999999999"},
    });
}

TEST(ByteStatements, FunctionsTypesAndCanvases) {
    const char* add = "PRINT \"a\"\nFUNCTION ADD ( A , B$ )\nENDFUNCTION A";
    const char* canvas =
        "PRINT \"a\"\nCANVAS C1\nACTION PAINT\nCLS\nENDACTION\nACTION KEYPRESSED\nREPAINT\nENDACTION\n"
        "ACTION LOOP 40\nENDACTION\nENDCANVAS\nACTION POINTERDRAGGED";
    expectRows({
        // the first FUNCTION closes the main function with "FE"; parameters take pool numbers
        {add, 1, "FEFFDIDIDSEL"},
        {add, 2, "FEVS0VEFEEL"},
        {"PRINT \"a\"\nFUNCTION STOP ( )\nENDFUNCTION", 1, "FEFFXXEL"},
        {"PRINT \"a\"\nFUNCTION STOP ( )\nENDFUNCTION", 2, "FEFEEL"},
        {"PRINT \"a\"\nFUNCTION HALF ( X# )\nENDFUNCTION X#", 1, "FEFFDFDFEL"},
        {"PRINT \"a\"\nFUNCTION NAME ( )\nENDFUNCTION \"x\"", 2, "FESS\"x\"SEFEEL"},
        {"PRINT \"a\"\nFUNCTION TEN ( )\nENDFUNCTION 10", 2, "FENS10NEFEEL"},
        {"PRINT \"a\"\nFUNCTION PAUSE\nENDFUNCTION", 1, "FEFPEL"},
        {"PRINT \"a\"\nFUNCTION PAUSE\nENDFUNCTION", 2, "FEEL"},
        {"PRINT \"a\"\nFUNCTION ACTION\nENDFUNCTION", 1, "FEFCEL"},
        {"PRINT \"a\"\nFUNCTION STOP ( )\nEXITFUNCTION\nENDFUNCTION", 2, noByteForm("EXITFUNCTION")},
        {canvas, 1, "CSNXC1NYEDEL"},
        {canvas, 2, "APEL"},
        {canvas, 3, "CCEL"},
        {canvas, 4, "EAEL"},
        {canvas, 5, "AKEL"},
        {canvas, 6, "CREL"},
        {canvas, 8, "ALNS40NEEL"},
        {canvas, 9, "EAEL"},
        {canvas, 10, "ECEL"},
        {"PRINT \"a\"\nCANVAS C1\nACTION PAINT\nENDACTION\nACTION POINTERDRAGGED", 4,
         noByteForm("ACTION POINTERDRAGGED")},
        {"PRINT \"a\"\nCANVAS C1\nACTION LOOP 4294967296", 2,
         "error: " + res("Error_Number_range") + "4294967296"},
    });
}

TEST(ByteStatements, ControlFlow) {
    const char* conditions =
        "DIM X\nPRINT \"a\"\nIF X = 1 THEN\nPRINT \"a\"\nELSEIF X > 2 THEN\nELSE\nENDIF\nIF X <> 0 THEN";
    expectRows({
        // IF and WHILE carry their own numbers, from 0
        {conditions, 2, "IFNS0NEEDOIVS0VEED==NS1NEEDEDITEL"},
        {conditions, 4, "IFOIVS0VEED>>NS2NEEDEDITEL"},
        {conditions, 5, "IXEL"},
        {conditions, 6, "IZEL"},
        {conditions, 7, "IFNS1NEEDOIVS0VEED<>NS0NEEDEDITEL"},
        {"DIM X\nPRINT \"a\"\nWHILE X < 3\nENDWHILE", 2, "WSNS0NEEDOIVS0VEED<<NS3NEEDEDITEL"},
        {"DIM X\nPRINT \"a\"\nWHILE X < 3\nENDWHILE", 3, "WEEL"},
        {"DIM X\nPRINT \"a\"\nIF X = 1 THEN\nEND IF", 3, "IZEL"},
        // FOR counters are pool variables from the pre-pass on
        {"PRINT \"a\"\nFOR I = 1 TO 10\nNEXT", 1, "FXVS0VENS1NEEDNS10NEEDEL"},
        {"PRINT \"a\"\nFOR I = 10 TO 0 DEC 2\nNEXT", 1, "FXVS0VENS10NEEDNS0NEED[[--NS2NEEDEL"},
        {"PRINT \"a\"\nFOR I = 1 TO 9 INC 2\nNEXT", 1, "FXVS0VENS1NEEDNS9NEED[[++NS2NEEDEL"},
        {"PRINT \"a\"\nFOR I = 1 TO 10\nNEXT", 2, "FYEL"},
        {"PRINT \"Hi\"", 0, "FSFEFMPRSS\"Hi\"SEEDEL"},
        {"DIM X\nPRINT STR$ ( X )", 1, "FSFEFMPRTSVS0VEEDTEEDEL"},
        {"PRINT \"a\"\nTRY", 1, noByteForm("TRY")},
        {"PRINT \"a\"\nEND", 1, noByteForm("END")},
        {"PRINT \"a\"\nWHILE 1 = 1\nBREAK", 2, noByteForm("BREAK")},
    });
}

TEST(ByteStatements, FormsImagesAndDrawing) {
    const char* screen =
        "BUTTON OK , \"Go\" , 1\nIMAGE PIC , \"a.png\"\nPRINT \"a\"\nCANVAS C1\n"
        "BUTTON.SHOW C1 , OK\nBUTTON.HIDE C1 , OK\nSETDISPLAY C1\nLISTENER C1\nSPRITE S1 , PIC";
    expectRows({
        {screen, 0, "GBNXOKNYEDSS\"Go\"SEEDNS1NEEDEL"},
        {screen, 1, "DXNXPICNYEDSS\"a.png\"SEEDEL"},
        {screen, 4, "GSNXOKNYEDEL"},
        {screen, 5, "GXNXOKNYEDEL"},
        {screen, 6, "SDNXC1NYEDEL"},
        {screen, 7, "SLNXC1NYEDEL"},
        {screen, 8, "DYNXS1NYEDISPICIEEDEL"},
        {"PRINT \"a\"\nALERT \"a\" , \"b\" , NULL , 5", 1, noByteForm("ALERT")},
        {"PRINT \"a\"\nLAYER 1 , 2 , PIC , 3 , 4", 1, noByteForm("LAYER")},
        {"PRINT \"a\"\nMEM.FLUSH", 1, noByteForm("MEM.FLUSH")},
        {"PRINT \"a\"\nSOUND.PLAY 1", 1, noByteForm("SOUND.PLAY")},
        {"PRINT \"a\"\nFORM F1 , \"t\"", 1, "error: " + res("Error_This_command_is")},
    });
    // Any byte-token target but the two named ones has no listener.
    expectRows({{"PRINT \"a\"\nCANVAS C1\nLISTENER C1", 2, "error: " + res("Error_This_command_is")}}, "tb");

    const char* draw = "DIM X\nIMAGE PIC , \"a.png\"\nSPRITE S1 , PIC\nPRINT \"a\"\n";
    auto drawing = [&](const std::string& statement, const std::string& bytes) {
        return Row{std::string(draw) + statement, 4, bytes};
    };
    expectRows({
        drawing("SETCOLOR 255 , 0 , X", "SONS255NEEDNS0NEEDVS0VEEDEL"),
        drawing("SETCLIP 0 , 0 , 10 , 20", "SCNS0NEEDNS0NEEDNS10NEEDNS20NEEDEL"),
        drawing("SETGREY 5", "SGNS5NEEDEL"),
        drawing("DRAWLINE 0 , 1 , 2 , 3", "DLNS0NEEDNS1NEEDNS2NEEDNS3NEEDEL"),
        drawing("DRAWFILLEDRECTANGLE 0 , 1 , 2 , 3", "DZNS0NEEDNS1NEEDNS2NEEDNS3NEEDEL"),
        drawing("DRAWROUNDRECTANGLE 1 , 2 , 3 , 4 , 5 , 6", "DRNS1NEEDNS2NEEDNS3NEEDNS4NEEDNS5NEEDNS6NEEDEL"),
        drawing("DRAWFILLEDARC 1 , 2 , 3 , 4 , 5 , 6", "DBNS1NEEDNS2NEEDNS3NEEDNS4NEEDNS5NEEDNS6NEEDEL"),
        drawing("SETPOINT X , - 2", "SPVS0VEEDNS-2NEEDEL"),
        drawing("DRAWTEXT \"Hi\" , 1 , 2", "CTSS\"Hi\"SEEDNS1NEEDNS2NEEDEL"),
        drawing("DRAWSTYLE DOTTED", "SVEL"),
        drawing("DRAWSTYLE SOLID", "SWEL"),
        drawing("IMAGE.DRAW PIC , 1 , 2", "IPNXPICNYEDNS1NEEDNS2NEEDEL"),
        drawing("SPRITE.DRAW S1", "VPNXS1NYEDEL"),
        drawing("FONT SYSTEM , BOLD , LARGE", "PRNS2NENS0NENS2NEEL"),
        drawing("FONT MONO , UNDERLINED , SMALL", "PRNS0NENS3NENS0NEEL"),
        drawing("LAYER.PAINT 1 , 2", noByteForm("LAYER.PAINT")),
        drawing("DRAWTEXT LEN ( \"x\" ) , 1 , 2", "error: " + res("Error_No_byte_form") + "LEN"),
    });
}

TEST(ByteStatements, RoundedRectanglesAreReplacedWithAWarning) {
    ByteProgram program;
    program.statementBytes("PRINT \"a\"\nDRAWROUNDFILLEDRECTANGLE 1 , 2 , 3 , 4 , 5 , 6", 1);
    EXPECT_EQ(tz::testing::splitLines(program.out.str()).back(), res("Warning_This_command_is_replaced"));
}

TEST(ByteStatements, Assignments) {
    const std::string declared =
        "DIM X\nDIM A$\nBOOLEAN B\nDIM ARR[5]\nTYPE T\nDIM PX\nENDTYPE\nDIM P% = T\n"
        "FUNCTION F ( N )\nENDFUNCTION N\nPRINT \"a\"\n";
    auto assignment = [&](const std::string& statement, const std::string& bytes) {
        return Row{declared + statement, 11, bytes};
    };
    // Pool: X 0, A 1, B 2, PX 3, P 4, the parameter N 5.
    expectRows({
        assignment("X = X + 1", "VS0VE==VS0VE++NS1NEEDEL"),
        assignment("A$ = \"x\" + A$", "VS1VE==SS\"x\"SE++VS1VEEDEL"),
        assignment("B = TRUE", "VS2VE==TTEL"),
        assignment("B = FALSE", "VS2VE==FFEL"),
        assignment("B = B", "VS2VE==VS2VEEL"),
        assignment("ARR[X] = 3", "AS0AEEDVSNS0NEVEAC==NS3NEEDEL"),
        assignment("X = F ( 2 )", "VS0VE==FCNS0NEEDNS2NEEDFDEDEL"),
        assignment("P%.PX = 1", noByteForm("P%.PX")),
        assignment("F ( 1 )", noByteForm("F")),
        assignment("X = RND ( 1 , 6 )", "error: " + res("Error_No_byte_form") + "RND"),
    });
}

}  // namespace
}  // namespace compiler
