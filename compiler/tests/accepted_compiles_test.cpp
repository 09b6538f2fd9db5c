// What the compiler accepts compiles; what it refuses it refuses with its own message. Checked over
// generated programs of every statement family, over the cases users met, and over small changes a beginner
// makes to the valid programs the sources hold (the guide's examples, the bundled examples, the test
// programs), each through the compiler and the Java of each accepted one through the kit's javac, as Build
// runs it (the mutants' classes through its preverify too). A mutant refused for a change to one line is
// refused at that line where the message names one, and a change that keeps the meaning (tabs, line ends,
// a byte-order mark) is translated as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "driver/messages.h"
#include "property/mutations.h"
#include "property/program_generator.h"
#include "property/property_check.h"
#include "test_helpers.h"

namespace {

using compiler::res;
using proptest::Program;

const std::string kKit = TZ_KIT_DIR;

proptest::CheckOptions options(bool javac, bool preverify = false) {
    proptest::CheckOptions o;
    o.kitDir = kKit;
    o.modelSource = std::string(TZ_TEST_DATA) + "/three_d/MODEL.java";
    o.compileJava = javac;
    o.preverify = preverify;
    return o;
}

bool haveToolChain() {
    return std::filesystem::exists(kKit + "/jdk/bin/javac") &&
           std::filesystem::exists(kKit + "/Include/Include.inc");
}

std::vector<Program> generated(std::uint64_t seed, int count) {
    std::vector<Program> programs;
    for (int i = 0; i < count; ++i) programs.push_back(proptest::generatedProgram(seed, i));
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
            "DIM N\nCANVAS CV\nACTION PAINT\nCLS\nENDACTION\nACTION LOOP 020\nN = 09\nENDACTION\nENDCANVAS\n",
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
            "CANVAS CV\nACTION PAINT\nFUNCTION F()\nENDFUNCTION\nENDACTION\nACTION LOOP "
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
            "CANVAS CV\nACTION PAINT\n3D.SETBACKGROUNDCOLOR 255\n3D.CLEAR\n3D.RENDER SCENE[0]\nENDACTION\n"
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
            "DIM X\nCANVAS CV\nACTION PAINT\nBOX(X)\nENDACTION\nACTION LOOP "
            "50\nREPAINT\nENDACTION\nENDCANVAS\n"
            "SETDISPLAY CV\nFUNCTION BOX(N)\nCLS\nDRAWRECTANGLE N, N, 10, 10\nENDFUNCTION\n",
            "CLS\n",
            "DRAWTEXT \"hi\", 0, 0\n",
            // Boolean and string fields of an element of an array of records in a condition.
            "TYPE R6\nBOOLEAN CC\nDIM S$\nDIM W#\nENDTYPE\nDIM T%[3] = R6\nIF T%[1].CC = TRUE AND T%[2].S$ "
            "<> \"a\" "
            "THEN\nT%[0].CC = FALSE\nENDIF\nWHILE T%[0].W# < 2.5 OR T%[1].CC <> FALSE\nT%[0].W# = T%[0].W# + "
            "1\n"
            "T%[1].CC = FALSE\nENDWHILE\n",
            // A flag declared in the main section would be a local its canvases cannot assign.
            "PRINT \"a\"\nBOOLEAN EYE = TRUE\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION LOOP 5\nEYE = "
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
        for (const char* source : phone) list.push_back({index++, "TB", source, 0, "", 0, -1, ""});
        for (const char* source :
             {"DIM N = 010\nPRINT STR$(N + 08)\n", "DIM N\nN = 3 4\n", "DIM A[3]\nA[1, 2] = 1\n",
              "PRINT \"a\", \"b\"\n", "PRINT \"C:\\games\\new\\top\" + \"\\u0022\" + \"dir\\\"\n", "CLS\n"})
            list.push_back({index++, "Applet", source, 0, "", 0, -1, ""});
        return list;
    }();
    return cases;
}

// Valid programs the compiler once refused or turned into Java that did not compile: each is accepted, and
// its Java compiles.
const std::vector<Program>& validCases() {
    static const std::vector<Program> cases = [] {
        std::vector<Program> list;
        int index = 950000;
        for (const char* source : {
                 // A DIM in a function's block (and a world) is a local the lines after the block read.
                 "PRINT \"a\"\nPRINT STR$(F(2))\nFUNCTION F(A)\nIF A = 1 THEN\nDIM X = A + 1\nELSE\nFOR I = "
                 "1 TO "
                 "2\n"
                 "DIM S$ = STR$(I)\nNEXT\nENDIF\nWHILE A < 0\nDIM V#[2]\nBOOLEAN B = TRUE\nENDWHILE\nTRY\n"
                 "IMAGE P, \"p.png\"\nDIM K = 3\nCATCH IO\nENDCATCH\nENDTRY\nPRINT S$ + STR$(K)\nV#[1] = "
                 "2.5\n"
                 "IF B = TRUE THEN\nX = X + 1\nENDIF\nENDFUNCTION X\n",
                 "PRINT \"a\"\nFUNCTION PAUSE()\nENDFUNCTION\n",
                 // A map loaded where a CATCH IO handles its error; a function named like a conversion
                 // compared;
                 // two types with a field of one name and two kinds; a variable named like a built-in given
                 // back.
                 "TRY\nIMAGE P, \"/p.png\"\nCATCH IO\nCANVAS CV\nACTION PAINT\nMAPPY.LOAD "
                 "\"/m.fmp\"\nENDACTION\n"
                 "ACTION LOOP 5\nENDACTION\nENDCANVAS\nENDCATCH\nENDTRY\n",
                 "IF LOWER(2) > 1 THEN PRINT \"a\"\n"
                 "FUNCTION LOWER(K)\nENDFUNCTION K\n",
                 "TYPE A\nDIM F$\nENDTYPE\nTYPE B\nBOOLEAN F\nENDTYPE\nDIM P% = B\nIF P%.F = TRUE THEN PRINT "
                 "\"a\"\n"
                 "PRINT STR$(G())\nFUNCTION G()\nDIM ABS = 3\nENDFUNCTION ABS\n",
                 // A negative number is one value where a function gives one, and on a comparison's left.
                 "DIM N\nN = BELOW(1) + BELOW(-1)\nIF -1 < N AND -2.5 < 0 THEN PRINT STR$(N)\nFUNCTION "
                 "BELOW(A)\n"
                 "IF A < 0 THEN\nEXITFUNCTION -2147483648\nENDIF\nIF A = 0 THEN EXITFUNCTION - "
                 "0\nENDFUNCTION -1\n",
                 // A function whose value is a text with blanks gives a text.
                 "PRINT F()\nFUNCTION F()\nENDFUNCTION \"a b\"\n",
                 // A flag named with a suffix is the flag.
                 "BOOLEAN DONE\nBOOLEAN B\nDONE$ = TRUE\nIF DONE$ = TRUE AND B = DONE# THEN\nB = "
                 "DONE$\nENDIF\n",
                 "DIM N\nPRINT \"a\"\nFUNCTION PAUSE\nIF N = 1 THEN\nBOOLEAN B = TRUE\nENDIF\nIF B = TRUE "
                 "THEN\nN = 2\n"
                 "ENDIF\nENDFUNCTION\n",
                 "CAMERA EYE\nPRINT \"a\"\nFUNCTION SHOW(N)\nIF N > 0 THEN\nWORLD "
                 "W[2]\nENDIF\n3D.START\nOBJECT "
                 "S, MODEL\n"
                 "W[1] = S\n3D.END\nENDFUNCTION\n",
                 // Functions and a record type named like the sections are the program's own: a function
                 // MAIN is no main section, and the fields of a type GLOBAL are no globals.
                 "DIM A = 1\nTYPE GLOBAL\nDIM X\nENDTYPE\nDIM X = 2\nPRINT STR$(MAIN(A) + GLOBAL(X) + "
                 "SYSTEM(3))\nFUNCTION MAIN(K)\nDIM B = K + A\nENDFUNCTION B\nFUNCTION GLOBAL(Y)\nDIM B = "
                 "Y\nIF B > 1 THEN PRINT \"b\"\nENDFUNCTION B\nFUNCTION SYSTEM(Z)\nDIM C2 = Z\nENDFUNCTION "
                 "C2\n",
                 // Tabs between words (in a text they stay), blank runs, a byte-order mark, old line ends.
                 "\xEF\xBB\xBF"
                 "DIM\tN\rFOR  \tI = 1 TO 2\rN = N\t+ I\rNEXT\rPRINT\t\"a\tb\" + STR$(F())\r"
                 "FUNCTION F()\r\tEXITFUNCTION   \t1\rENDFUNCTION \t 2\r",
             })
            list.push_back({index++, "TB", source, 0, "", 0, -1, ""});
        // At the edges of what the Java platform holds: a text of 65534 bytes, a name of 200 characters,
        // brackets 100 deep, 254 parameters, 255 dimensions, a statement of 2000 words and signs.
        std::string parameters = "A", arguments = "1", sum = "1";
        for (char a = 'A'; a <= 'J'; ++a)
            for (char b = 'A'; b <= 'Z'; ++b)
                if (std::string(1, a) + b < "JT") parameters += std::string(", ") + a + b, arguments += ", 2";
        for (int i = 0; i < 998; ++i) sum += " + 1";
        std::string dimensions = "1";
        for (int i = 0; i < 254; ++i) dimensions += ", 1";
        const std::string longName(200, 'L');
        for (const std::string& source :
             {"DIM T$ = \"" + std::string(65532, 'a') + "\xC3\xA9\"\nPRINT T$\n",
              "DIM " + longName + " = 1\nPRINT STR$(" + longName + ")\n",
              // A record's field is a name of its own: the record's name does not count against it.
              "TYPE RLONG\nDIM " + longName + "\nENDTYPE\nDIM PPPPPPPPPP% = RLONG\nPPPPPPPPPP%." + longName +
                  " = 1\nPRINT STR$(PPPPPPPPPP%." + longName + ")\n",
              "DIM N\nN = " + std::string(100, '(') + "1" + std::string(100, ')') + "\n",
              "PRINT \"a\"\nF(" + arguments + ")\nFUNCTION F(" + parameters + ")\nENDFUNCTION\n",
              "DIM A[" + dimensions + "]\n", "DIM N\nN = " + sum + "\n"})
            list.push_back({index++, "TB", source, 0, "", 0, -1, ""});
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
    // Names from the whole space the language allows: the game's code's, C for objects, built-ins',
    // statements', long ones; negative numbers, fields and elements where values stand; the forms of lines.
    for (const char* shape :
         {R"(\n *DIM (UP|DOWN|FIRE|WIDTH|ERROR|ABORT|POINTX|POINTY)\b)",
          R"(\n *(IMAGE|CANVAS|SPRITE|FORM|BUTTON|LIST|LIGHT|WORLD) C\b)",
          R"(\n *DIM (LEN|MID|LEFT|STR|INT|TIMER|GETKEY)\b)", R"(\n *DIM (PRINT|CLS|SPRITE|IF|FOR)\b)",
          R"(\n *DIM [A-Z]{100,})", R"(, -\d)", R"(\(-\d)", R"(ENDFUNCTION -\d)", R"(EXITFUNCTION -\d)",
          R"(\n *IF -\d)", R"(, \w+%\.\w+)", R"(\(\w+\[[^\]]+\]\))", R"(\n *END IF\n)", R"(\n *NEXT \w)",
          R"(\n *IF \()", R"(\n *IF C (=|<>) \w)", R"(\n *FUNCTION ACTION\n)"})
        EXPECT_TRUE(std::regex_search(all, std::regex(shape))) << shape;
}

// Every family of statements in every place the guide gives it: the places of the program's blocks, and the
// first words of the statements each holds.
TEST(GeneratedPrograms, PutEveryStatementInEveryPlaceItStands) {
    std::set<std::pair<std::string, std::string>> seen;
    int valid = 0;
    for (int i = 0; i < 1500; ++i) {
        const auto p = proptest::generateProgram(11, i);
        valid += p.valid;
        std::string place = "main";
        for (const std::string& raw : tz::testing::splitLines(p.source)) {
            std::string line = raw.substr(std::min(raw.find_first_not_of(' '), raw.size()));
            const std::string word = line.substr(0, line.find_first_of(" (:"));
            if (word == "ACTION" || word == "FUNCTION") {
                place = line.substr(line.find(' ') + 1);
                place = place.substr(0, place.find_first_of(" ("));
                if (word == "FUNCTION" && place != "PAUSE" && place != "END" && place != "ACTION")
                    place = "function";
            } else if (word == "ENDACTION" || word == "ENDFUNCTION") {
                place = word == "ENDACTION" ? "canvas" : "after";
            } else {
                const std::string family = word.substr(0, word.find('.') + 1);
                seen.insert({place, family.empty() ? word : family});
                for (const char* value : {"GETKEY()", "POINTX", "WIDTH()", "MAPPY.BLOCK", "C = "})
                    if (line.find(value) != std::string::npos) seen.insert({place, value});
            }
        }
    }
    EXPECT_GT(valid, 500);
    const std::pair<const char*, const char*> expected[] = {{"PAINT", "CLS"},
                                                            {"function", "DRAWTEXT"},
                                                            {"PAINT", "MAPPY."},
                                                            {"LOOP", "REPAINT"},
                                                            {"main", "SOUND."},
                                                            {"function", "FILE"},
                                                            {"LOOP", "SOUND."},
                                                            {"KEYPRESSED", "NET."},
                                                            {"main", "SPRITE."},
                                                            {"ACTION", "SPRITE."},
                                                            {"POINTERDRAGGED", "3D."},
                                                            {"ACTION", "TRY"},
                                                            {"LOOP", "TRY"},
                                                            {"function", "TRY"},
                                                            {"PAUSE", "ALERT"},
                                                            {"END", "SETDISPLAY"},
                                                            {"PAUSE", "BOOLEAN"},
                                                            {"ACTION", "BOOLEAN"},
                                                            {"function", "DIM"},
                                                            {"function", "EXITFUNCTION"},
                                                            {"KEYPRESSED", "GETKEY()"},
                                                            {"POINTERDRAGGED", "POINTX"},
                                                            {"LOOP", "WIDTH()"},
                                                            {"PAINT", "MAPPY.BLOCK"},
                                                            {"ACTION", "C = "},
                                                            {"function", "WORLD"},
                                                            {"LOOP", "FOR"},
                                                            {"PAUSE", "WHILE"}};
    for (const auto& [place, family] : expected)
        EXPECT_TRUE(seen.count({place, family})) << family << " in " << place;
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

TEST(AcceptedMeansCompiles, ValidCases) {
    if (!haveToolChain()) GTEST_SKIP() << "the kit's Java tool chain is not built";
    auto report = proptest::checkPrograms(validCases(), options(true));
    EXPECT_EQ(report.refused, 0);
    for (const auto& refusal : report.refusals) ADD_FAILURE() << refusal;
    expectNoFindings(report);
}

// Every kind of declaration, each giving a name: where it stands (declarations, the main section, a
// function) and the line of the declaring statement within its text. `@` stands for the name, `~` begins
// a record type's name of the program's own.
struct DeclarationKind {
    const char* kind;
    int section;  // 0 before the main section, 1 in it, 2 a function
    const char* text;
    int nameLine;  // from 1, within `text`
    bool phoneOnly;
};
const DeclarationKind kDeclarations[] = {
    {"DIM", 0, "DIM @\n", 1, false},
    {"DIM$", 0, "DIM @$\n", 1, false},
    {"DIM array", 0, "DIM @[3]\n", 1, false},
    {"BOOLEAN", 0, "BOOLEAN @\n", 1, false},
    {"TYPE", 0, "TYPE @\nDIM V\nENDTYPE\n", 1, false},
    {"field", 0, "TYPE ~R\nDIM @\nENDTYPE\n", 2, false},
    {"record", 0, "TYPE ~Q\nDIM V\nENDTYPE\nDIM @% = ~Q\n", 4, false},
    {"BUTTON", 0, "BUTTON @, \"a\", 1\n", 1, true},
    {"FORM", 0, "FORM @, \"a\"\n", 1, true},
    {"TEXTBOX", 0, "TEXTBOX @, \"a\", \"b\", 5, 0\n", 1, true},
    {"LABEL", 0, "LABEL @, \"a\", \"b\"\n", 1, true},
    {"LIST", 0, "LIST @, \"a\", 0\n", 1, true},
    {"LIGHT", 0, "LIGHT @\n", 1, true},
    {"CAMERA", 0, "CAMERA @\n", 1, true},
    {"WORLD", 0, "WORLD @[2]\n", 1, true},
    {"IMAGE", 1, "TRY\nIMAGE @, \"/i.png\"\nCATCH IO\nENDCATCH\nENDTRY\n", 2, false},
    {"CANVAS", 1, "CANVAS @\nACTION PAINT\nCLS\nENDACTION\nACTION LOOP 50\nREPAINT\nENDACTION\nENDCANVAS\n",
     1, false},
    {"FOR", 1, "FOR @ = 1 TO 2\nNEXT\n", 1, false},
    {"FUNCTION", 2, "FUNCTION @()\nENDFUNCTION\n", 1, false},
    {"parameter", 2, "FUNCTION G(@)\nENDFUNCTION\n", 1, false},
    {"local", 2, "FUNCTION H()\nDIM @\nENDFUNCTION\n", 2, false},
    {"local array", 2, "FUNCTION HA()\nDIM @[2]\nENDFUNCTION\n", 2, false},
};

std::string named(std::string text, const std::string& name) {
    for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, name);
    return text;
}

// Letters only, as a record type's name must be: unique to the program's index.
std::string letters(int index) {
    std::string text;
    do text += static_cast<char>('A' + index % 26), index /= 26;
    while (index > 0);
    return text;
}

// A program of the given declarations in their sections: the sections in order, whatever order the kinds
// come in. Gives the line each declaration's name stands on.
Program declaring(int index, const std::string& platform, const std::vector<const DeclarationKind*>& kinds,
                  const std::string& name, std::vector<int>* lines = nullptr) {
    std::string sections[3];
    std::vector<std::pair<int, int>> places;  // section, line within it
    for (const DeclarationKind* k : kinds) {
        std::string text = named(k->text, name);
        const std::string unique = letters(index);
        for (std::size_t at; (at = text.find('~')) != std::string::npos;)
            text.replace(at, 2, "T" + text.substr(at + 1, 1) + unique);
        places.push_back({k->section, static_cast<int>(std::count(sections[k->section].begin(),
                                                                  sections[k->section].end(), '\n')) +
                                          k->nameLine});
        sections[k->section] += text;
    }
    if (sections[1].empty()) sections[1] = "PRINT \"a\"\n";
    int before[3] = {0, 0, 0};
    for (int s = 1; s < 3; ++s)
        before[s] = before[s - 1] +
                    static_cast<int>(std::count(sections[s - 1].begin(), sections[s - 1].end(), '\n'));
    if (lines)
        for (const auto& [section, line] : places) lines->push_back(before[section] + line);
    return {index, platform, sections[0] + sections[1] + sections[2], 0, "", 0, -1, ""};
}

bool oneOf(const std::string& word, std::initializer_list<const char*> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Two declarations of one name, of every pair of kinds: refused by the compiler, or accepted and compiled;
// two names of the program itself (outside functions) are always refused.
TEST(AcceptedMeansCompiles, EveryPairOfDeclarationKindsOfOneName) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    std::vector<Program> programs;
    std::vector<bool> mustRefuse;
    for (const DeclarationKind& a : kDeclarations) {
        for (const DeclarationKind& b : kDeclarations) {
            const int index = static_cast<int>(programs.size());
            programs.push_back(declaring(index, "TB", {&a, &b}, "X" + letters(index)));
            // A record type's name and its fields' live apart; a loop counter may count again, an image
            // be loaded again.
            auto apart = [](const DeclarationKind& k) {
                return k.section == 2 || oneOf(k.kind, {"TYPE", "field"});
            };
            mustRefuse.push_back(!apart(a) && !apart(b) && !(&a == &b && oneOf(a.kind, {"FOR", "IMAGE"})));
        }
    }
    auto report = proptest::checkPrograms(programs, options(true));
    expectNoFindings(report);
    EXPECT_GT(report.accepted, 100);
    std::set<int> refused;
    for (const std::string& refusal : report.refusals) refused.insert(std::stoi(refusal.substr(1)));
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (!mustRefuse[i]) continue;
        EXPECT_TRUE(refused.count(static_cast<int>(i))) << programs[i].source;
    }
}

// A name the generated Java also declares where the program's statements stand (a canvas's inherited
// constants in its actions, the command handler's C, the pointer's POINTX and POINTY), given to every kind of
// declaration and used, read and written, outside that place and inside it. Each is accepted and means the
// program's own thing there too, except where the language gives the name a meaning of its own (C in
// FUNCTION ACTION, POINTX and POINTY in POINTERDRAGGED: `own` stands there instead of `use`). Only a
// variable or array named C is refused. Every value is printed, for a run of the game to check.
struct NamedThing {
    const char* kind;
    const char* declarations;      // `@` the name, `~` begins a record type's name of the program's own
    const char* main;              // first in the main section
    const char* functions;         // after the main section
    const char* use;               // wherever statements stand
    const char* own;               // where the name is the language's own
    const char* paint = "";        // in a PAINT action only
    const char* action = nullptr;  // in FUNCTION ACTION, in place of `use`
    bool variable = false;         // a variable or array: named C, refused
    bool phoneOnly = false;
};
const char* const kImage = "TRY\nIMAGE PIC, \"/i.png\"\nCATCH IO\nENDCATCH\nENDTRY\n";
const NamedThing kNamedThings[] = {
    {"DIM", "DIM @ = 5\n", "", "", "@ = @ + -1\nPRINT STR$(@)\n", "PRINT STR$(@)\n", "", nullptr, true},
    {"DIM$", "DIM @$ = \"s\"\n", "", "", "@$ = @$ + \"t\"\nPRINT @$\n", "", "", nullptr, true},
    {"DIM#", "DIM @# = -1.5\n", "", "", "@# = @# * 2\nIF @# < 0 THEN PRINT \"negative\"\n", "", "", nullptr,
     true},
    {"BOOLEAN", "BOOLEAN @ = TRUE\n", "", "", "IF @ = TRUE THEN PRINT \"true\"\n@ = FALSE\n", "", "", nullptr,
     true},
    {"array", "DIM @[3]\n", "", "", "@[1] = @[1] - 2\nPRINT STR$(@[1])\n", "@[2] = -@[1]\nPRINT STR$(@[2])\n",
     "", nullptr, true},
    {"array$", "DIM @$[2]\n", "", "", "@$[1] = @$[1] + \"e\"\nPRINT @$[1]\n", "PRINT @$[1]\n", "", nullptr,
     true},
    {"record", "TYPE ~R\nDIM V\nBOOLEAN F\nENDTYPE\nDIM @% = ~R\n", "", "",
     "@%.V = @%.V + 1\nPRINT STR$(@%.V)\nIF @%.F = FALSE THEN PRINT \"f\"\n", "", "", nullptr, true},
    {"record array", "TYPE ~R\nDIM V\nENDTYPE\nDIM @%[2] = ~R\n", "", "",
     "@%[1].V = @%[1].V + 1\nPRINT STR$(@%[1].V)\n", "PRINT STR$(@%[0].V)\n", "", nullptr, true},
    {"field", "TYPE ~R\nDIM @\nENDTYPE\nDIM REC% = ~R\n", "", "", "REC%.@ = REC%.@ + 1\nPRINT STR$(REC%.@)\n",
     "REC%.@ = -3\n", "", nullptr, true},
    {"TYPE", "TYPE @\nDIM V\nENDTYPE\nDIM REC% = @\n", "", "", "REC%.V = 2\nPRINT STR$(REC%.V)\n",
     "REC%.V = 2\n"},
    {"IMAGE", "", "TRY\nIMAGE @, \"/i.png\"\nCATCH IO\nENDCATCH\nENDTRY\n", "",
     "PRINT STR$(IMAGE.WIDTH(@))\n", "PRINT STR$(IMAGE.HEIGHT(@))\n", "IMAGE.DRAW @, 0, 0\n"},
    {"IMAGE.ARRAY", "", "TRY\nIMAGE.ARRAY @, \"/i.png\", 2\nCATCH IO\nENDCATCH\nENDTRY\n", "", "", "",
     "IMAGE.DRAWARRAY @, 0, 0, 1\n"},
    {"SPRITE", "", "TRY\nIMAGE PIC, \"/i.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE @, PIC\n", "",
     "SPRITE.MOVE @, -1, 2\nPRINT STR$(SPRITE.POSX(@))\n", "SPRITE.POSITION @, 0, 0\n", "SPRITE.DRAW @\n",
     nullptr, false, true},
    {"SPRITE.ANIMATION", "",
     "TRY\nIMAGE PIC, \"/i.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE.ANIMATION @, PIC, 4, 4\n", "",
     "SPRITE.NEXT @\nPRINT STR$(SPRITE.FRAME(@))\n", "SPRITE.PREVIOUS @\n", "SPRITE.DRAW @\n", nullptr, false,
     true},
    {"SPRITE.ARRAY", "", "TRY\nIMAGE PIC, \"/i.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSPRITE.ARRAY @, PIC, 2\n",
     "", "SPRITE.MOVE @, 1, -1, 0\nPRINT STR$(SPRITE.POSY(@, 1))\n", "SPRITE.MOVE @, 1, 1, 1\n",
     "SPRITE.DRAWARRAY @, 1\n", nullptr, false, true},
    {"CANVAS", "",
     "CANVAS @\nACTION PAINT\nCLS\nENDACTION\nACTION LOOP 40\nSETDISPLAY @\nENDACTION\nENDCANVAS\n", "",
     "SETDISPLAY @\n", "SETDISPLAY @\n"},
    {"FOR", "", "FOR @ = -2 TO -1\nNEXT\n", "", "FOR @ = 1 TO 2\nPRINT STR$(@)\nNEXT\n",
     "FOR @ = 1 TO 2\nPRINT STR$(@)\nNEXT\n", "", nullptr, true},
    {"FUNCTION", "", "", "FUNCTION @(V)\nDIM R = V * 2\nENDFUNCTION R\n", "@(1)\nPRINT STR$(@(-3))\n",
     "@(1)\n"},
    {"parameter", "", "", "FUNCTION PF(@)\n@ = @ + 1\nPRINT STR$(@)\nENDFUNCTION\n", "PF(4)\n", "PF(4)\n", "",
     nullptr, true},
    {"local", "", "", "FUNCTION LF()\nDIM @ = -4\n@ = @ * 2\nPRINT STR$(@)\nENDFUNCTION\n", "LF()\n",
     "LF()\n", "", nullptr, true},
    {"local array", "", "", "FUNCTION LA()\nDIM @[2]\n@[1] = -3\nPRINT STR$(@[1])\nENDFUNCTION\n", "LA()\n",
     "LA()\n", "", nullptr, true},
    {"local in ACTION", "", "", "", "", "", "", "BOOLEAN @\n@ = TRUE\nIF @ = TRUE THEN PRINT \"local\"\n",
     true},
    {"BUTTON", "FORM MENU, \"m\"\nBUTTON @, \"b\", 1\n", "BUTTON.SHOW MENU, @\n", "", "BUTTON.HIDE MENU, @\n",
     "BUTTON.HIDE MENU, @\n", "", "IF C = @ THEN PRINT \"pressed\"\nBUTTON.HIDE MENU, @\n", false, true},
    {"FORM", "FORM @, \"f\"\n", "LISTENER @\n", "", "SETDISPLAY @\n", "SETDISPLAY @\n", "", nullptr, false,
     true},
    {"TEXTBOX", "FORM MENU, \"m\"\nTEXTBOX @, \"t\", \"x\", 5, 0\n", "TEXTBOX.SHOW MENU, @\n", "",
     "PRINT TEXTBOX.GETVALUE(@)\n", "PRINT TEXTBOX.GETVALUE(@)\n", "", nullptr, false, true},
    {"LABEL", "LABEL @, \"l\", \"x\"\n", "", "", "", "", "", nullptr, false, true},
    {"LIST", "LIST @, \"l\", 0\n", "", "", "LIST.APPEND @, \"x\"\nPRINT STR$(LIST.GETVALUE(@))\n",
     "LIST.APPEND @, \"y\"\n", "", nullptr, false, true},
    {"LIGHT", "LIGHT @\n", "", "", "3D.SETLIGHTCOLOR @, 255\n", "3D.SETLIGHTCOLOR @, 0\n", "", nullptr, false,
     true},
    {"CAMERA", "CAMERA @\n", "", "", "3D.SETCAMERAROTATION @, 1, -2.5, 3\n",
     "3D.SETCAMERAROTATION @, 0, 0, 0\n", "", nullptr, false, true},
    {"WORLD", "WORLD @[2]\n", "OBJECT SHIP, MODEL\n", "", "@[0] = SHIP\n3D.START\n3D.RENDER @[0]\n3D.END\n",
     "@[1] = SHIP\n", "", nullptr, false, true},
    {"local WORLD", "", "", "FUNCTION WF()\nWORLD @[1]\n@[0] = SHIP\nENDFUNCTION\n", "WF()\n", "WF()\n", "",
     nullptr, false, true},
    {"OBJECT", "WORLD SCENE[1]\n", "OBJECT @, MODEL\n", "", "SCENE[0] = @\n", "SCENE[0] = @\n", "", nullptr,
     false, true},
    {"OBJECT.ARRAY", "", "OBJECT.ARRAY @, MODEL, 2\n", "", "", "", "", nullptr, false, true},
};

std::string replaced(std::string text, char mark, const std::string& by) {
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, 1, by);
    return text;
}

// The program of one thing named `name`: the thing used in the main section, in a function, in every
// action of a canvas and in FUNCTION ACTION. The line of its declaration goes to `line`.
std::string usingEverywhere(const NamedThing& thing, const std::string& name, const std::string& unique,
                            int* line) {
    auto named = [&](const char* text) { return replaced(replaced(text, '@', name), '~', "T" + unique); };
    const bool pointer = name == "POINTX" || name == "POINTY";
    const std::string use = named(thing.use);
    std::string source = named(thing.declarations) + "DIM GO = 1\n";
    // The local WORLD puts a 3D object of the program's into its world.
    if (std::string(thing.kind) == "local WORLD") source += "OBJECT SHIP, MODEL\n";
    source += named(thing.main) + use;
    const std::string actions[] = {"PAINT", "KEYPRESSED", "POINTERDRAGGED", "LOOP 50"};
    source += "CANVAS CV\n";
    for (const std::string& action : actions) {
        source += "ACTION " + action + "\n";
        if (action == "PAINT") source += named(thing.paint);
        source += action == "POINTERDRAGGED" && pointer ? named(thing.own) : use;
        source += "ENDACTION\n";
    }
    source += "ENDCANVAS\nSETDISPLAY CV\nCALLS()\nFUNCTION CALLS()\n" + use + "ENDFUNCTION\n";
    source += named(thing.functions) + "FUNCTION ACTION\n";
    source += thing.action ? named(thing.action) : name == "C" ? named(thing.own) : use;
    source += "ENDFUNCTION\n";
    // The first line that names the thing declares it.
    for (std::size_t at = 0, n = 1; at < source.size(); at = source.find('\n', at) + 1, ++n) {
        const std::string text = source.substr(at, source.find('\n', at) - at);
        if (std::regex_search(text, std::regex("\\b" + name + "\\b"))) {
            *line = static_cast<int>(n);
            break;
        }
    }
    return source;
}

TEST(AcceptedMeansCompiles, NamesTheJavaHoldsMeanTheProgramsOwnForEveryKind) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    const std::vector<std::string> phone = {"UP", "DOWN", "LEFT", "RIGHT", "FIRE", "C", "POINTX", "POINTY"};
    const std::vector<std::string> applet = {"WIDTH",     "HEIGHT",  "PROPERTIES", "SOMEBITS",
                                             "FRAMEBITS", "ALLBITS", "ERROR",      "ABORT",
                                             "C",         "POINTX",  "POINTY"};
    std::vector<Program> programs;
    std::map<int, int> refuseAt;  // program index -> the line of its declaration
    for (const std::string platform : {"TB", "Applet"}) {
        for (const NamedThing& thing : kNamedThings) {
            if (thing.phoneOnly && platform == "Applet") continue;
            for (const std::string& name : platform == "TB" ? phone : applet) {
                const int index = static_cast<int>(programs.size());
                int line = 0;
                programs.push_back({index, platform, usingEverywhere(thing, name, letters(index), &line), 0,
                                    "", 0, -1, std::string(thing.kind) + " named " + name});
                if (name == "C" && thing.variable) refuseAt[index] = line;
            }
        }
    }
    auto report = proptest::checkPrograms(programs, options(true));
    expectNoFindings(report);
    std::map<int, std::string> refusals;
    for (const std::string& refusal : report.refusals)
        refusals[std::stoi(refusal.substr(1))] = refusal.substr(refusal.find(": ") + 2);
    // A local BOOLEAN C in FUNCTION ACTION meets the language's C, a name in use there.
    const std::regex illegal("(Variable name is illegal|Array name is illegal|" +
                             res("Error_The_name_is_not") + ") at line (\\d+)");
    for (std::size_t i = 0; i < programs.size(); ++i) {
        auto expected = refuseAt.find(static_cast<int>(i));
        auto refusal = refusals.find(static_cast<int>(i));
        if (expected == refuseAt.end()) {
            EXPECT_EQ(refusal, refusals.end()) << programs[i].note << ", " << programs[i].platform << ":\n"
                                               << programs[i].source << refusal->second;
            continue;
        }
        std::smatch m;
        ASSERT_NE(refusal, refusals.end()) << programs[i].platform << ":\n" << programs[i].source;
        EXPECT_TRUE(std::regex_match(refusal->second, m, illegal) && std::stoi(m[2]) == expected->second)
            << programs[i].platform << ":\n"
            << programs[i].source << refusal->second;
    }
    EXPECT_GT(report.accepted, 300);
}

TEST(AcceptedMeansCompiles, GeneratedPrograms) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    auto report = proptest::checkPrograms(generated(1, 2500), options(true));
    EXPECT_GT(report.accepted, 350);
    expectNoFindings(report);
}

TEST(MutatedPrograms, ComeFromEveryValidProgramAndEveryKindOfChange) {
    const auto bases = proptest::corpus(TZ_SOURCE_DIR);
    std::map<std::string, int> origins;
    for (const auto& base : bases) ++origins[base.origin.substr(0, base.origin.find_first_of(" /"))];
    EXPECT_GT(origins["docs"], 10);
    EXPECT_GE(origins["examples"], 2);
    EXPECT_GT(origins["compiler"], 8);

    std::vector<std::string> kinds;
    int touched = 0, same = 0;
    for (int i = 0; i < 1500; ++i) {
        const auto& base = bases[static_cast<std::size_t>(i) % bases.size()];
        const proptest::Mutant m = proptest::mutate(base.source, base.platform, 5, i);
        EXPECT_EQ(m.source, proptest::mutate(base.source, base.platform, 5, i).source);
        EXPECT_NE(m.source, base.source) << m.kind;
        kinds.push_back(m.kind);
        touched += m.touchedLine > 0;
        same += m.sameMeaning;
    }
    for (const char* kind : {"deleted line",
                             "duplicated line",
                             "duplicated block from",
                             "duplicated block opener",
                             "misspelt keyword",
                             "dropped token",
                             "added token",
                             "dropped bracket",
                             "added bracket",
                             "dropped quote",
                             "added quote",
                             "added backslash",
                             "swapped lines",
                             "renamed the declaration",
                             "moved line",
                             "tabs",
                             "CR LF",
                             "CR",
                             "mixed line ends",
                             "byte-order mark"})
        EXPECT_TRUE(std::any_of(kinds.begin(), kinds.end(), [&](const std::string& k) {
            return k.find(kind) != std::string::npos;
        })) << kind;
    // A declared name given one the generated Java holds, wherever it stands.
    EXPECT_GT(std::count_if(kinds.begin(), kinds.end(),
                            [](const std::string& k) {
                                return k.starts_with("renamed ") && !k.starts_with("renamed the");
                            }),
              10);
    EXPECT_GT(touched, 300);
    EXPECT_GT(same, 60);
}

// The compiler's side under the sanitizers too: no crash, no refusal without the compiler's message.
TEST(MutatedPrograms, AreTranslatedOrRefusedByTheCompiler) {
    auto report = proptest::checkPrograms(
        proptest::mutantPrograms(proptest::corpus(TZ_SOURCE_DIR), 20261210, 0, 1500), options(false));
    EXPECT_GT(report.accepted, 300);
    expectNoFindings(report);
}

TEST(AcceptedMeansCompiles, MutatedPrograms) {
    if (!std::filesystem::exists(kKit + "/jdk/bin/javac"))
        GTEST_SKIP() << "the kit's Java tool chain is not built";
    auto report = proptest::checkPrograms(
        proptest::mutantPrograms(proptest::corpus(TZ_SOURCE_DIR), 41, 0, 2500), options(true, true));
    EXPECT_GT(report.accepted, 500);
    expectNoFindings(report);
}

}  // namespace
