// The language guide's examples are programs: each one is compiled by Compile-Linux and built by
// Build-Linux with the kit's javac, and what the guide says an example does is checked in the Java the
// compiler writes for it; each mistake it shows is refused with the message it shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempDir;
using testing_support::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kGuide = std::string(TZ_EXAMPLES_DIR) + "/../docs/language.md";

struct Example {
    int line = 0;  // where the block starts in the guide
    std::string platform;
    std::string source;
    bool refused = false;
    std::vector<std::string> message;  // a refused example's message: the "text" block after it
};

// The ```bss blocks of the guide: "```bss applet" marks an applet program, "```bss refused" a mistake,
// whose message is the ```text block that follows it.
std::vector<Example> examples() {
    std::vector<Example> found;
    std::vector<std::string> lines = testing_support::splitLines(readFile(kGuide));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "```text" && !found.empty() && found.back().refused && found.back().message.empty()) {
            for (++i; i < lines.size() && lines[i] != "```"; ++i) found.back().message.push_back(lines[i]);
            continue;
        }
        if (lines[i] != "```bss" && lines[i] != "```bss applet" && lines[i] != "```bss refused") continue;
        Example e{static_cast<int>(i + 1),
                  lines[i] == "```bss applet" ? "Applet" : "TB",
                  "",
                  lines[i] == "```bss refused",
                  {}};
        for (++i; i < lines.size() && lines[i] != "```"; ++i) e.source += lines[i] + "\n";
        found.push_back(e);
    }
    return found;
}

// Every file a program names (images, sounds, tunes) exists beside it, so Build can pack it.
void writeResources(const std::string& folder, const std::string& source) {
    static const std::regex file("\"/?([A-Za-z0-9_]+)\\.(png|wav|mid|fmp)\"");
    for (std::sregex_iterator m(source.begin(), source.end(), file), end; m != end; ++m) {
        const std::string stem = (*m)[1], extension = (*m)[2];
        writeFile(folder + stem + "." + extension, "");
    }
}

struct Compiled {
    testing_support::ProcessResult result;
    std::string java;  // the program's Java, kept, without its empty lines
};

std::string withoutEmptyLines(const std::string& text) {
    std::string kept;
    for (const std::string& line : testing_support::splitLines(text))
        if (!line.empty()) kept += line + "\n";
    return kept;
}

Compiled compile(const Example& example) {
    TempDir dir;
    const std::string folder = dir / "Guide/";
    writeFile(folder + "Guide.tbp",
              "// Tesvo Zorid v1.1.0 Project File\nMain=Guide\nRun=0\nName=Guide\nPlatform=" +
                  example.platform + "\nInc=true\n");
    writeFile(folder + "GuideX.bss", example.source);
    writeResources(folder, example.source);
    Compiled compiled;
    compiled.result = runProgram(dir.path(), {kKit + "/Compile-Linux", folder + "Guide"}, "TZ_KEEP_JAVA=1");
    compiled.java = withoutEmptyLines(readFile(folder + "Guide.java"));
    // The phone build says so; the applet's page is its proof.
    if (compiled.result.status == 0 && example.platform == "TB" &&
        compiled.result.output.find("Program compiled") == std::string::npos)
        compiled.result.status = -1;
    if (compiled.result.status == 0 && example.platform == "Applet" && !fs::exists(folder + "Guide.html"))
        compiled.result.status = -1;
    return compiled;
}

// What the guide says of an example, as Java the compiler must write for it: a line of the example that
// tells which one, and the Java.
struct Claim {
    std::string exampleLine;
    std::string java;
};

const std::vector<Claim>& claims() {
    static const std::vector<Claim> rows = {
        // A function that returns a value is used like a built-in.
        {"SCORE = ADD(2, 3)", "SCORE = ADD(2,3);"},
        {"ENDFUNCTION R", "return R;"},
        // One-line IFs and ":" lines; Java's escapes kept, other backslashes a backslash of the text.
        {"IF X > 3 THEN PRINT \"big\" : X = 3", "if(X > 3){\nSystem.out.println(\"big\");\nX = 3;\n}"},
        {"X = X + 1 : PRINT \"Lines\\none and two\" : PRINT \"C:\\games\\\\top\"",
         "System.out.println(\"Lines\\none and two\");\nSystem.out.println(\"C:\\\\games\\\\top\");"},
        // Decimal literals.
        {"DIM N = 010", "int N = 10;"},
        // Records and arrays of records, their fields in conditions.
        {"PATH%[1].X = P%.X + 1", "PATH[1].X = P.X + 1;"},
        {"IF P%.SEEN = FALSE THEN", "if(P.SEEN ==  false){"},
        {"IF PATH%[1].SEEN = FALSE AND PATH%[2].LABEL$ <> \"end\" THEN",
         "if(PATH[1].SEEN ==  false && !String.valueOf(PATH[2].LABEL).equals(\"end\")){"},
        {"GRID[1, 2] = PATH%[1].X * 2", "GRID[1][2] =PATH[1].X * 2;"},
        // Loops count by one, or by the step of INC and DEC; BREAK leaves the loop.
        {"FOR J = 10 TO 0 DEC 2", "for (J=10;J>=0;J=J-(2)){"},
        {"FOR I = 1 TO 10", "for (I=1;I<=10;I++){"},
        {"    BREAK", "if (true) break;"},
        {"IF T$ = \"done\" THEN PRINT T$",
         "if(String.valueOf(T).equals(\"done\")){\nSystem.out.println(T);\n}"},
        // Keys in KEYPRESSED.
        {"IF GETKEY() = LEFTKEY() THEN", "if(keyCode == -3){"},
        // Drawing in a function a PAINT action calls; SETPOINT moves the origin.
        {"SETPOINT 10, 20", "g.translate(10,20);"},
        {"    FRAME(30)", "FRAME(30);"},
        {"DRAWRECTANGLE 0, 0, SIZE, SIZE", "g.drawRect(0,0,SIZE,SIZE);"},
        // An image array is the one file loaded into every element; the layer is added, then painted.
        {"IMAGE.ARRAY TILES, \"/tile.png\", 4",
         "TILES = new Image[4];for(GameTemp=0;GameTemp<4;GameTemp++){ TILES[GameTemp] = "
         "Image.createImage(\"/tile.png\"); }"},
        {"SPRITE.ANIMATION HERO, WALK, 16, 16", "HERO = new Sprite(WALK,16,16);"},
        {"SPRITE.SEQUENCE HERO, 0, 1, 0", "HERO.setFrameSequence(new int[] {0,1,0,});"},
        {"LAYER.UPDATE", "layers.append(tiles);"},
        {"LAYER.PAINT 0, 0", "layers.paint(g,0,0);"},
        {"HIT = SPRITE.COLLISION(HERO, ROCKS, 1, TRUE)", "HIT=HERO.collidesWith(ROCKS[1],true);"},
        {"SPRITE.MOVE ROCKS, 0, -8, 1", "ROCKS[1].move(0,-8);"},
        {"SPRITE.MOVE ROCKS, MAX(1, LIVES), 2, 0", "ROCKS[0].move(Math.max(1,LIVES),2);"},
        // FUNCTION ACTION tells the buttons apart by C.
        {"  IF C = OK THEN", "if(C == OK){"},
        {"  ELSEIF C = QUIT THEN", "}else if(C == QUIT){"},
        // The applet's main section runs once, when the page loads it.
        {"DIM LABEL$ = \"Hello\"", "public void init() {"},
    };
    return rows;
}

TEST(LanguageGuide, EveryExampleCompilesAndBuildsAndDoesWhatTheGuideSays) {
    if (!fs::exists(kKit + "/Include/Include.inc")) GTEST_SKIP() << "the kit's Java tool chain is not built";
    const std::vector<Example> all = examples();
    ASSERT_GE(all.size(), 14u) << kGuide;
    std::vector<bool> claimSeen(claims().size(), false);
    for (const Example& example : all) {
        SCOPED_TRACE("the example at line " + std::to_string(example.line) + " of docs/language.md");
        const Compiled compiled = compile(example);
        if (example.refused) {
            EXPECT_EQ(compiled.result.status, 1) << compiled.result.output;
            ASSERT_FALSE(example.message.empty()) << "a refused example is followed by its message";
            std::string message;
            for (const std::string& line : example.message) message += line + "\n";
            EXPECT_NE(compiled.result.output.find(message), std::string::npos) << compiled.result.output;
            continue;
        }
        EXPECT_EQ(compiled.result.status, 0) << compiled.result.output << example.source;
        for (std::size_t i = 0; i < claims().size(); ++i) {
            if (example.source.find(claims()[i].exampleLine + "\n") == std::string::npos) continue;
            claimSeen[i] = true;
            EXPECT_NE(compiled.java.find(claims()[i].java), std::string::npos)
                << claims()[i].exampleLine << "\n--- expected ---\n"
                << claims()[i].java << "\n--- Java ---\n"
                << compiled.java;
        }
    }
    for (std::size_t i = 0; i < claims().size(); ++i)
        EXPECT_TRUE(claimSeen[i]) << "no example of the guide holds: " << claims()[i].exampleLine;
}

}  // namespace
