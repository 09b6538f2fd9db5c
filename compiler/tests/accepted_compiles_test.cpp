// What the compiler accepts compiles; what it refuses it refuses with its own message. Checked over
// generated programs of every statement family and over the cases users met, each through the
// compiler and the Java of each accepted one through the kit's javac, as Build runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "driver/messages.h"
#include "property/program_generator.h"
#include "property/property_check.h"

namespace {

using compiler::res;
using proptest::Program;

const std::string kKit = TZ_KIT_DIR;

proptest::CheckOptions options(bool javac) {
    proptest::CheckOptions o;
    o.kitDir = kKit;
    o.modelSource = std::string(TZ_TEST_DATA) + "/three_d/MODEL.java";
    o.compileJava = javac;
    return o;
}

bool haveToolChain() {
    return std::filesystem::exists(kKit + "/jdk/bin/javac") &&
           std::filesystem::exists(kKit + "/Include/Include.inc");
}

std::vector<Program> generated(std::uint64_t seed, int count) {
    std::vector<Program> programs;
    for (int i = 0; i < count; ++i) {
        auto p = proptest::generateProgram(seed, i);
        programs.push_back({i, p.platform, p.source, p.errorLine, p.errorMessage});
    }
    return programs;
}

void expectNoFindings(const proptest::CheckReport& report) {
    for (std::size_t i = 0; i < report.findings.size() && i < 8; ++i)
        ADD_FAILURE() << proptest::describe(report.findings[i]);
    EXPECT_EQ(report.findings.size(), 0u) << report.accepted << " accepted, " << report.refused << " refused";
}

// The cases users met: each must compile or be refused by the compiler itself.
const std::vector<Program>& knownCases() {
    static const std::vector<Program> cases = [] {
        const char* const phone[] = {
            // Literals keep every character; numbers are decimal.
            "TRY\nIMAGE FLOOR, \"floor_tiles.png\"\nCATCH IO\nENDCATCH\nENDTRY\nDIM T$ = \"Ace_99\"\nPRINT "
            "T$\n",
            "DIM N = 010\nDIM A[08]\nFOR I = 08 TO 09\nN = N + 010\nNEXT\n",
            "DIM N\nCANVAS C\nACTION PAINT\nCLS\nENDACTION\nACTION LOOP 020\nN = 09\nENDACTION\nENDCANVAS\n",
            "DIM N = 2147483648\n",
            "DIM N\nN = 99999999999\n",
            // Commas inside brackets are no argument separators.
            "TRY\nIMAGE P, \"p.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE.ARRAY G, P, 5\nDIM K\n"
            "SPRITE.POSITION G, MAX(1, 2), 3, K\nSPRITE.MOVE G, MIN(1, 2), 0, K\n",
            "DIM N$ = \"abcdef\"\nALERT \"Hi\", LEFT(N$, 3), NULL, 3000\n",
            "DIM M[3, 3]\nDIM T$\nT$ = STR$(M[1, 2])\n",
            // Glued operands.
            "DIM N\nN = 3 4\n",
            // Names declared twice.
            "DIM A\nDIM A\n",
            "DIM A\nDIM A[3]\n",
            "DIM A[3]\nDIM A\n",
            "DIM A\nDIM A$\n",
            "BUTTON B, \"x\", 1\nDIM B\n",
            "DIM F\nFORM F, \"x\"\n",
            "FORM F, \"a\"\nFORM F, \"b\"\n",
            "DIM C2\nCANVAS C2\nACTION PAINT\nENDACTION\nACTION LOOP 50\nENDACTION\nENDCANVAS\n",
            "PRINT \"a\"\nFUNCTION F()\nENDFUNCTION\nFUNCTION F()\nENDFUNCTION\n",
            "TYPE R9\nDIM X\nENDTYPE\nTYPE R9\nDIM Y$\nENDTYPE\nDIM Q% = R9\nQ%.X = 1\n",
            "PRINT \"a\"\nFUNCTION F(A, A)\nENDFUNCTION\n",
            // Names that cannot be Java names.
            "DIM 9A\n",
            "FOR 5 = 1 TO 3\nNEXT\n",
            // Blocks.
            "PRINT \"a\"\nBREAK\n",
            "DIM N\nELSE\n",
            "DIM N\nIF N = 1 THEN\nELSE\nELSE\nENDIF\n",
            "DIM N\nPRINT \"a\"\nFUNCTION F()\nENDFUNCTION\nN = 1\n",
            "CANVAS C\nACTION PAINT\nFUNCTION F()\nENDFUNCTION\nENDACTION\nACTION LOOP "
            "50\nENDACTION\nENDCANVAS\n",
            // Indexes and record fields.
            "DIM M[2, 2]\nM[1] = 1\n",
            "DIM A[3]\nA[1, 2] = 1\n",
            "DIM A[3]\nA[] = 1\n",
            "TYPE R8\nDIM X$\nENDTYPE\nDIM Q% = R8\nQ%.X$ = \"s\"\nQ%.Y = 1\n",
            "TYPE R7\nDIM X$\nENDTYPE\nDIM Q% = R7\nQ%.X$ = \"s\"\nPRINT Q%.X$\n",
            // No image, no sequence, extra arguments.
            "SPRITE S, NULL\n",
            "SPRITE.ARRAY S, NULL, 3\n",
            "SPRITE.ANIMATION S, NULL, 16, 16\n",
            "LAYER 2, 2, NULL, 16, 16\n",
            "TRY\nIMAGE P, \"p.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE S, P\nSPRITE.SEQUENCE S\n",
            "PRINT \"a\", \"b\"\n",
            "BUTTON B, \"x\", 1, 2\n",
            // ENDFUNCTION values.
            "PRINT F()\nFUNCTION F()\nENDFUNCTION ABS(3)\n",
            "PRINT \"a\"\nFUNCTION F()\nEXITFUNCTION 1\nENDFUNCTION\n",
            // 3D objects used outside the main section.
            "WORLD SCENE[2]\nCAMERA EYE\nLIGHT SUN\n3D.START\nOBJECT SHIP, MODEL\nSCENE[0] = SHIP\n"
            "CANVAS C\nACTION PAINT\n3D.SETBACKGROUNDCOLOR 255\n3D.CLEAR\n3D.RENDER SCENE[0]\nENDACTION\n"
            "ACTION LOOP 50\n3D.SETCAMERAROTATION EYE, 1, 2.5, "
            "3\nREPAINT\nENDACTION\nENDCANVAS\nMOVE()\n3D.END\n"
            "FUNCTION MOVE()\nSCENE[1] = SHIP\nENDFUNCTION\n",
            // Statements after BREAK, and statements that stop before their arguments.
            "DIM N\nWHILE N < 3\nBREAK\nN = N + 1\nENDWHILE\n",
            "WHILE 08 < 010\nPRINT \"a\"\nENDWHILE\nPRINT \"b\"\n",
            "WHILE 1 = 2\nPRINT \"a\"\nENDWHILE\n",
            "DIM\n",
            "PRINT \"a\"\nMIDI.LOOP\n",
            "SOUND.LOAD\n",
            // Backslashes in literals: Java's escapes kept, every other one a backslash of the text.
            "PRINT \"C:\\games\\new\\top\"\nDIM P$ = \"dir\\\"\nPRINT \"\\u0041BC\" + \"\\u0022\" + P$ + "
            "\"\\t\\\\\\q\"\n",
            // Declarations that read themselves.
            "DIM K$ = K$\n",
            "DIM K$ = LEFT(K$, 1)\n",
            "PRINT \"a\"\nFUNCTION F()\nDIM K = LEN(STR$(K))\nENDFUNCTION\n",
            // Drawing: in a function a PAINT action calls, not in the main section.
            "DIM X\nCANVAS C\nACTION PAINT\nBOX(X)\nENDACTION\nACTION LOOP "
            "50\nREPAINT\nENDACTION\nENDCANVAS\n"
            "SETDISPLAY C\nFUNCTION BOX(N)\nCLS\nDRAWRECTANGLE N, N, 10, 10\nENDFUNCTION\n",
            "CLS\n",
            "DRAWTEXT \"hi\", 0, 0\n",
            // Boolean and string fields of an element of an array of records in a condition.
            "TYPE R6\nBOOLEAN CC\nDIM S$\nDIM W#\nENDTYPE\nDIM T%[3] = R6\nIF T%[1].CC = TRUE AND T%[2].S$ "
            "<> \"a\" "
            "THEN\nT%[0].CC = FALSE\nENDIF\nWHILE T%[0].W# < 2.5 OR T%[1].CC <> FALSE\nT%[0].W# = T%[0].W# + "
            "1\n"
            "T%[1].CC = FALSE\nENDWHILE\n",
            // A flag declared in the main section would be a local its canvases cannot assign.
            "PRINT \"a\"\nBOOLEAN EYE = TRUE\nCANVAS C\nACTION PAINT\nENDACTION\nACTION LOOP 5\nEYE = "
            "FALSE\nENDACTION\nENDCANVAS\n",
            // A TRY whose only load is an image array.
            "TRY\nIMAGE.ARRAY T, \"t.png\", 3\nCATCH IO\nPRINT \"no\"\nENDCATCH\nENDTRY\n",
            // Floats into a function's float parameters, as a statement.
            "DIM A# = 2.5\nF(1.5)\nF(A#)\nF(2)\nG(1, 0.5)\nFUNCTION F(V#)\nENDFUNCTION\nFUNCTION G(N, V#)\n"
            "ENDFUNCTION\n",
            // A block left open: the pre-pass's form names no statement.
            "FOR I = 1 TO 3\nPRINT \"a\"\n",
            "CATCH\n",
            "DIM N\nIF N = 1\nENDIF\n",
        };
        std::vector<Program> list;
        int index = 900000;
        for (const char* source : phone) list.push_back({index++, "TB", source, 0, ""});
        for (const char* source :
             {"DIM N = 010\nPRINT STR$(N + 08)\n", "DIM N\nN = 3 4\n", "DIM A[3]\nA[1, 2] = 1\n",
              "PRINT \"a\", \"b\"\n", "PRINT \"C:\\games\\new\\top\" + \"\\u0022\" + \"dir\\\"\n", "CLS\n"})
            list.push_back({index++, "Applet", source, 0, ""});
        return list;
    }();
    return cases;
}

TEST(RefusalOracle, TellsTheCompilersOwnRefusalFromAnythingElse) {
    struct Row {
        std::string output;
        bool sound;
    };
    const std::string closing = "**\n" + res("Error_detected") + "\n";
    const Row rows[] = {
        {res("Error_Number_of") + " at line 3\n\tin Arguments\n" + closing, true},
        {res("Error_Expecting_I") + " at line 2\n\tin Arguments\n" + closing, true},
        {res("Error_Unknown_symbol_") + "FOO\" at line 1\n" + closing, true},
        {res("Next_used") + "4\n", true},
        {res("Error_Your_have_not") + "For\nStructure Error\n", true},
        {res("Error_Number_of") + "\n" + closing, false},             // no statement number
        {res("Error_Number_of") + " at line 0\n" + closing, false},   // not a statement
        {res("Error_Number_of") + " at line 99\n" + closing, false},  // past the program
        {"Wrong things happened at line 2\n" + closing, false},       // not the compiler's text
        {res("Error") + " at line 2\n" + closing, true},
        {res("Error") + "s at line 2\n" + closing, false},
        {res("Error_Internal") + " at line 2\n" + closing, false},
        {"Internal failure: the statement ends before its token 2\n" + res("Error_Unknown_error") +
             " at line 2\n" + res("Please_send_a_copy_of") + "\n" + closing,
         false},
        {"1. ERROR in /tmp/P1.java (at line 3)\n" + res("Next_used") + "4\n", false},
        {res("Next_used") + "\n", false},
        {"", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(!proptest::refusalFault(row.output, 10).has_value(), row.sound) << row.output;
}

TEST(GeneratedPrograms, AreOfEveryKind) {
    // The generator reaches every section and the families the check is for.
    std::string all;
    int applets = 0, planted = 0;
    for (int i = 0; i < 400; ++i) {
        auto p = proptest::generateProgram(7, i);
        all += p.source;
        applets += p.platform == "Applet";
        EXPECT_EQ(p.source, proptest::generateProgram(7, i).source);
        if (p.errorLine > 0) {
            ++planted;
            // The planted error stands on its line, after the short lines before it.
            EXPECT_LE(static_cast<std::size_t>(p.errorLine),
                      std::count(p.source.begin(), p.source.end(), '\n'));
        }
    }
    EXPECT_GT(applets, 40);
    EXPECT_GT(planted, 40);
    for (const char* word :
         {"TYPE R",   "CANVAS ", "ACTION PAINT", "ACTION LOOP", "FUNCTION ",  "ENDFUNCTION ",
          "ELSEIF ",  "FOR ",    "WHILE ",       "BREAK",       "TRY",        "SPRITE.POSITION",
          "DRAWTEXT", "SOUND.",  "MAPPY.",       "3D.RENDER",   "OBJECT ",    "ALERT ",
          "010",      "MAX(",    "STR$(",        "%.",          "SETDISPLAY", "EXITFUNCTION"})
        EXPECT_NE(all.find(word), std::string::npos) << word;
    // Literals with backslashes, one-line IFs and ":" lines, an image array.
    for (const char* word :
         {"\"C:\\games\\new\\top\"", "\"dir\\\"", "\\u0022", " THEN PRINT ", " : ", "IMAGE.ARRAY"})
        EXPECT_NE(all.find(word), std::string::npos) << word;
    // A declaration that reads itself, and a flag field of an element of an array of records compared.
    for (const char* shape :
         {R"(DIM (\w+)\$ = (LEFT\(|UPPER\()?\1\$)", R"(IF .*%\[[^\]]*\]\.\w+ = (TRUE|FALSE))"})
        EXPECT_TRUE(std::regex_search(all, std::regex(shape))) << shape;
}

// The compiler's side under the sanitizers too: no crash, no refusal without the compiler's message.
TEST(GeneratedPrograms, AreTranslatedOrRefusedByTheCompiler) {
    auto report = proptest::checkPrograms(generated(20261209, 1500), options(false));
    EXPECT_GT(report.accepted, 200);
    expectNoFindings(report);
}

TEST(AcceptedMeansCompiles, KnownCases) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    expectNoFindings(proptest::checkPrograms(knownCases(), options(true)));
}

TEST(AcceptedMeansCompiles, GeneratedPrograms) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    auto report = proptest::checkPrograms(generated(1, 2500), options(true));
    EXPECT_GT(report.accepted, 350);
    expectNoFindings(report);
}

}  // namespace
