// The language guide's examples are programs: each one is compiled by Compile-Linux and built by
// Build-Linux with the kit's javac, and what the guide says an example does is checked in the Java the
// compiler writes for it and in what the build leaves; each mistake it shows is refused with the message
// it shows. What the guide says of where statements stand, of names and of the values of the built-ins
// is held to the compiler by a table of small programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <thread>

#include "property/property_check.h"
#include "suite.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::runProgram;
using tz::testing::TempDir;
using tz::testing::writeFile;

const std::string kKit = TZ_KIT_DIR;
const std::string kGuide = std::string(TZ_EXAMPLES_DIR) + "/../docs/language.md";

bool haveToolChain() {
    return fs::exists(kKit + "/jdk/bin/javac") && fs::exists(kKit + "/Include/Include.inc");
}

struct JavaClass {
    std::string name;
    std::string source;
};

struct Example {
    int line = 0;  // where the block starts in the guide
    std::string platform;
    std::string source;
    bool refused = false;
    std::vector<std::string> message;  // a refused example's message: the "text" block after it
    std::vector<JavaClass> includes;   // the ```java blocks before it, since the last example
};

// The ```bss blocks of the guide: "```bss applet" marks an applet program, "```bss refused" a mistake,
// whose message is the ```text block that follows it. A ```java block is a class the next example
// includes.
std::vector<Example> examples() {
    std::vector<Example> found;
    std::vector<JavaClass> pending;
    std::vector<std::string> lines = tz::testing::splitLines(readFile(kGuide));
    static const std::regex className("public class (\\w+)");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "```text" && !found.empty() && found.back().refused && found.back().message.empty()) {
            for (++i; i < lines.size() && lines[i] != "```"; ++i) found.back().message.push_back(lines[i]);
            continue;
        }
        if (lines[i] == "```java") {
            JavaClass java;
            for (++i; i < lines.size() && lines[i] != "```"; ++i) java.source += lines[i] + "\n";
            std::smatch m;
            if (std::regex_search(java.source, m, className)) java.name = m[1];
            pending.push_back(java);
            continue;
        }
        if (lines[i] != "```bss" && lines[i] != "```bss applet" && lines[i] != "```bss refused") continue;
        Example e{static_cast<int>(i + 1),
                  lines[i] == "```bss applet" ? "Applet" : "TB",
                  "",
                  lines[i] == "```bss refused",
                  {},
                  std::move(pending)};
        pending.clear();
        for (++i; i < lines.size() && lines[i] != "```"; ++i) e.source += lines[i] + "\n";
        found.push_back(e);
    }
    return found;
}

// The guide's text as one line: a sentence reads the same wherever the guide breaks its lines.
std::string guideText() {
    std::string text;
    for (char c : readFile(kGuide)) {
        if (c == '\n') c = ' ';
        if (c == ' ' && !text.empty() && text.back() == ' ') continue;
        text += c;
    }
    return text;
}

// Every file a program names (images, sounds, tunes, maps) exists beside it, so Build can pack it; the
// files, as the jar names them.
std::vector<std::string> writeResources(const std::string& folder, const std::string& source) {
    static const std::regex file("\"/?([A-Za-z0-9_/]+\\.(png|wav|mid|fmp))\"");
    std::vector<std::string> files;
    for (std::sregex_iterator m(source.begin(), source.end(), file), end; m != end; ++m) {
        writeFile(folder + (*m)[1].str(), "");
        files.push_back((*m)[1]);
    }
    return files;
}

struct Compiled {
    tz::testing::ProgramRun result;
    std::string java;                 // the program's Java, kept, without its empty lines
    std::vector<std::string> faults;  // what the build left that the guide says otherwise
};

std::string withoutEmptyLines(const std::string& text) {
    std::string kept;
    for (const std::string& line : tz::testing::splitLines(text))
        if (!line.empty()) kept += line + "\n";
    return kept;
}

// What the guide says the build leaves: the phone's jar holds the files beside the project; the applet
// is a class in Game/ and a page that shows it 100 x 100 pixels large.
void checkProducts(const Example& example, const std::string& folder, const std::vector<std::string>& files,
                   Compiled& compiled) {
    if (example.platform == "Applet") {
        if (!fs::exists(folder + "Game/Guide.class")) compiled.faults.push_back("no Game/Guide.class");
        const std::string page = readFile(folder + "Guide.html");
        if (page.find("<APPLET CODE='Game.Guide.class' WIDTH=100 HEIGHT=100>") == std::string::npos)
            compiled.faults.push_back("the page does not show the applet 100 x 100:\n" + page);
        return;
    }
    auto jar = standins::readJar(folder + "Guide.jar");
    if (!jar) {
        compiled.faults.push_back("no readable Guide.jar");
        return;
    }
    for (const std::string& file : files)
        if (!jar->count(file)) compiled.faults.push_back("the jar lacks " + file);
}

Compiled compile(const Example& example) {
    TempDir dir;
    const std::string folder = dir / "Guide/";
    std::string includes;
    for (const JavaClass& java : example.includes) {
        writeFile(folder + java.name + ".java", java.source);
        includes += "Include=" + java.name + "\n";
    }
    writeFile(folder + "Guide.tbp",
              "// Tesvo Zorid v1.1.0 Project File\nMain=Guide\nRun=0\nName=Guide\nPlatform=" +
                  example.platform + "\nInc=true\n" + includes);
    writeFile(folder + "GuideX.bss", example.source);
    std::vector<std::string> files = writeResources(folder, example.source);
    // Images and sounds the program does not name are packed too.
    for (const char* unnamed : {"extra.png", "extra.wav", "extra.midi"}) {
        writeFile(folder + unnamed, "");
        files.push_back(unnamed);
    }
    Compiled compiled;
    compiled.result = runProgram(dir.path(), {kKit + "/Compile-Linux", folder + "Guide"}, {"TZ_KEEP_JAVA=1"});
    compiled.java = withoutEmptyLines(readFile(folder + "Guide.java"));
    // The phone build says so; the applet's page is its proof.
    if (compiled.result.status == 0 && example.platform == "TB" &&
        compiled.result.output.find("Program compiled") == std::string::npos)
        compiled.result.status = -1;
    if (compiled.result.status == 0 && example.platform == "Applet" && !fs::exists(folder + "Guide.html"))
        compiled.result.status = -1;
    if (compiled.result.status == 0) checkProducts(example, folder, files, compiled);
    return compiled;
}

// What the guide says of an example, as Java the compiler must write for it (or must not, when the guide
// says a line is a comment): a line of the example that tells which one, and the Java.
struct Claim {
    std::string exampleLine;
    std::string java;
    bool absent = false;
};

const std::vector<Claim>& claims() {
    static const std::vector<Claim> rows = {
        // Files named from the top of the jar.
        {"  IMAGE BACK, \"/gfx/back.png\"", "BACK = Image.createImage(\"/gfx/back.png\");"},
        // A function that returns a value is used like a built-in.
        {"SCORE = ADD(2, 3)", "SCORE = ADD(2,3);"},
        {"ENDFUNCTION R", "return R;"},
        // One-line IFs and ":" lines; Java's escapes kept, other backslashes a backslash of the text.
        {"IF X > 3 THEN PRINT \"big\" : X = 3", "if(X > 3){\nSystem.out.println(\"big\");\nX = 3;\n}"},
        {"X = X + 1 : PRINT \"Lines\\none and two\" : PRINT \"C:\\games\\\\top\"",
         "System.out.println(\"Lines\\none and two\");\nSystem.out.println(\"C:\\\\games\\\\top\");"},
        // Comments: whole lines, a statement after ":", the lines starting with REM, unclosed blocks.
        {"' a comment line too : PRINT \"not run\"", "not run", true},
        {"PRINT \"shown\" : ' up to the next colon : PRINT \"also shown\"",
         "System.out.println(\"shown\");\nSystem.out.println(\"also shown\");"},
        {"REMAINING = 0", "REMAINING = 0;", true},
        {"DIM REMAINING = 3", "int REMAINING = 3;"},
        {"PRINT \"hidden\"", "hidden", true},
        {"PRINT \"shown again\"", "System.out.println(\"shown again\");"},
        // A name the game's code uses is the program's own in a canvas's actions; the pointer's in
        // POINTERDRAGGED.
        {"    UP = POINTX", "Guide.this.UP = POINTX;"},
        {"    UP = UP + 1", "Guide.this.UP = Guide.this.UP + 1;"},
        {"    DRAWTEXT STR$(UP) + \" \" + STR$(POINTX), 0, 0",
         "g.drawString(String.valueOf(Guide.this.UP) + \" \" + String.valueOf(POINTX),0,0,Graphics.TOP | "
         "Graphics.LEFT);"},
        // Decimal literals.
        {"DIM N = 010", "int N = 10;"},
        // Records and arrays of records, their fields in conditions.
        {"PATH%[1].X = P%.X + 1", "PATH[1].X = P.X + 1;"},
        {"IF P%.SEEN = FALSE THEN", "if(P.SEEN ==  false){"},
        {"IF PATH%[1].SEEN = FALSE AND PATH%[2].LABEL$ <> \"end\" THEN",
         "if(PATH[1].SEEN ==  false && !String.valueOf(PATH[2].LABEL).equals(\"end\")){"},
        {"GRID[1, 2] = PATH%[1].X * 2", "GRID[1][2] =PATH[1].X * 2;"},
        // Where counting starts, the kinds of values, the remainder without MOD.
        {"N = LIST.GETVALUE(LEVELS) + INDEX(\"abcdef\", \"cd\")",
         "N = LEVELS.getSelectedIndex() + String.valueOf(\"abcdef\").indexOf(\"cd\");"},
        {"EASY = LIST.SELECTED(LEVELS, 0)", "EASY=LEVELS.isSelected(0);"},
        {"T$ = MID(\"abcdef\", 1, 3)", "T = String.valueOf(\"abcdef\").substring(1,3);"},
        {"IF FILE.EXIST(\"scores\") = TRUE THEN", "if(inc.existRms(\"scores\") ==  true){"},
        {"  T$ = FILE.READ(1)", "T = inc.readRMS(1);"},
        {"N = 17 - (17 / 5) * 5", "N = 17-(17 / 5) * 5;"},
        // Loops count by one, or by the step of INC and DEC; BREAK leaves the loop.
        {"FOR J = 10 TO 0 DEC 2", "for (J=10;J>=0;J=J-(2)){"},
        {"FOR I = 1 TO 10", "for (I=1;I<=10;I++){"},
        {"    BREAK", "if (true) break;"},
        {"IF T$ = \"done\" THEN PRINT T$",
         "if(String.valueOf(T).equals(\"done\")){\nSystem.out.println(T);\n}"},
        // A function without parameters.
        {"FUNCTION HELLO()", "private void HELLO(){"},
        {"HELLO()", "HELLO();"},
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
        // A sprite's frame is its position in the sequence.
        {"    IF SPRITE.FRAME(HERO) = 2 THEN", "if(HERO.getFrame() == 2){\nHERO.setFrame(0);"},
        {"LAYER.FILLCELL 0, 0, 10, 8, 1", "tiles.fillCells(0,0,10,8,1);"},
        {"LAYER.UPDATE", "layers.append(tiles);"},
        {"LAYER.PAINT 0, 0", "layers.paint(g,0,0);"},
        {"HIT = SPRITE.COLLISION(HERO, ROCKS, 1, TRUE)", "HIT=HERO.collidesWith(ROCKS[1],true);"},
        {"SPRITE.MOVE ROCKS, 0, -8, 1", "ROCKS[1].move(0,-8);"},
        {"SPRITE.MOVE ROCKS, MAX(1, LIVES), 2, 0", "ROCKS[0].move(Math.max(1,LIVES),2);"},
        // The map is read from the top of the jar; its blocks are asked by layer, column, row and flag.
        {"      MAPPY.LOAD \"/level.fmp\"",
         "InputStream inputStream = Include.resource(this, \"/level.fmp\");"},
        {"    WALL = MAPPY.BLOCKFLAG(0, 1, 2, 0)", "WALL = m_mapViewer.getBlockFlag(0,1,2,0);"},
        // FUNCTION ACTION tells the buttons apart by C.
        {"  IF C = OK THEN", "if(C == OK){"},
        {"  ELSEIF C = QUIT THEN", "}else if(C == QUIT){"},
        // Sound and files in a canvas's LOOP action.
        {"    SOUND.PLAY 1",
         "public void run() {\nPLAYS = PLAYS + 1;\nincSound.PlaySound(1);\ninc.writeRMS(\"played \" + "
         "String.valueOf(PLAYS));"},
        // The 3D object is the model class's mesh.
        {"OBJECT SHIP, MODEL", "SHIP = MODEL.getObject();"},
        // The applet reads its images from the top of its class path: the page's folder.
        {"  IMAGE SIGN, \"/sign.png\"", "SIGN = readImage(\"/sign.png\");"},
        // The applet's main section runs once, when the page loads it.
        {"DIM LABEL$ = \"Hello\"", "public void init() {"},
    };
    return rows;
}

// Runs `work(i)` for every i below `count`, four at a time: each run has a project folder of its own.
template <typename Result>
std::vector<Result> runAll(std::size_t count, const std::function<Result(std::size_t)>& work) {
    std::vector<Result> results(count);
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (int j = 0; j < 4; ++j)
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < count; i = next++) results[i] = work(i);
        });
    for (auto& worker : workers) worker.join();
    return results;
}

TEST(LanguageGuide, EveryExampleCompilesAndBuildsAndDoesWhatTheGuideSays) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    const std::vector<Example> all = examples();
    ASSERT_GE(all.size(), 20u) << kGuide;
    const std::vector<Compiled> results =
        runAll<Compiled>(all.size(), [&](std::size_t i) { return compile(all[i]); });
    std::vector<bool> claimSeen(claims().size(), false);
    for (std::size_t e = 0; e < all.size(); ++e) {
        const Example& example = all[e];
        const Compiled& compiled = results[e];
        SCOPED_TRACE("the example at line " + std::to_string(example.line) + " of docs/language.md");
        if (example.refused) {
            EXPECT_EQ(compiled.result.status, 1) << compiled.result.output;
            ASSERT_FALSE(example.message.empty()) << "a refused example is followed by its message";
            std::string message;
            for (const std::string& line : example.message) message += line + "\n";
            EXPECT_NE(compiled.result.output.find(message), std::string::npos) << compiled.result.output;
            continue;
        }
        EXPECT_EQ(compiled.result.status, 0) << compiled.result.output << example.source;
        for (const std::string& fault : compiled.faults) ADD_FAILURE() << fault;
        for (std::size_t i = 0; i < claims().size(); ++i) {
            const Claim& claim = claims()[i];
            if (example.source.find(claim.exampleLine + "\n") == std::string::npos) continue;
            claimSeen[i] = true;
            EXPECT_EQ(compiled.java.find(claim.java) == std::string::npos, claim.absent)
                << claim.exampleLine << "\n--- " << (claim.absent ? "not " : "") << "expected ---\n"
                << claim.java << "\n--- Java ---\n"
                << compiled.java;
        }
    }
    for (std::size_t i = 0; i < claims().size(); ++i)
        EXPECT_TRUE(claimSeen[i]) << "no example of the guide holds: " << claims()[i].exampleLine;
}

// A rule of the guide as a program: accepted (and its Java compiles), or refused with the message, up
// to and with its line, that the compiler prints.
struct Rule {
    std::string says;  // the guide's own words for the rule
    std::string source;
    std::string refusal;  // empty: accepted
    std::string platform = "TB";
};

std::string at(const std::string& message, int line) {
    return message + " at line " + std::to_string(line);
}

std::string notRecognised(const std::string& word, int line) {
    return at("Error: Syntax or Variable not recognised or in incorrect position: " + word +
                  ".\nError: Some keywords can only be use in the main function or canvas, please check the "
                  "manual.\nError: The error occurred",
              line);
}

std::string expecting(const std::string& kind, int line) {
    const std::string convert = kind == "integer" ? "INT" : "STR";
    return at("Error: Expecting variable of type " + kind + "\nUse the " + convert +
                  "() command to convert to " + (kind == "integer" ? "an " : "a ") + kind +
                  "\nThe error occurred",
              line);
}

std::string outOfScope(int line) {
    return at(
        "Variable is being used out of it's visible scope, make the variable global to use the variable "
        "here",
        line);
}

const std::string kExpectingString =
    "Error: Expecting variable of type string\nUse the STR() command to convert to a string\nThe error "
    "occurred";
const std::string kDim =
    "Error: Dim statements can only be used at the begining of the program, in custom functions or in types";
const std::string kDrawing = "Error: Drawing commands can only be used in a PAINT action or a function";
const std::string kNested = "Cannot create new function inside a function at line: ";

// Where a statement stands: the places of a program, each around one statement line. Every program
// declares what the statements name, and ends with a function they may call.
struct Place {
    std::string name;
    std::string before, after;
};

const std::string kDeclared =
    "DIM N\nBUTTON OK, \"OK\", 1\nFORM MENU, \"Menu\"\nTRY\nIMAGE PIC, \"/pic.png\"\nCATCH IO\nENDCATCH\n"
    "ENDTRY\nSPRITE HERO, PIC\n";
const std::string kCalled = "FUNCTION TELL(V)\nPRINT STR$(V)\nENDFUNCTION\n";

const std::vector<Place>& places() {
    const std::string loop = "ACTION LOOP 50\nENDACTION\nENDCANVAS\n";
    static const std::vector<Place> all = {
        {"main", "", ""},
        {"function", "OWN()\nFUNCTION OWN()\n", "ENDFUNCTION\n"},
        {"PAINT", "CANVAS SCREEN\nACTION PAINT\n", "ENDACTION\n" + loop},
        {"KEYPRESSED", "CANVAS SCREEN\nACTION PAINT\nENDACTION\nACTION KEYPRESSED\n", "ENDACTION\n" + loop},
        {"POINTERDRAGGED", "CANVAS SCREEN\nACTION PAINT\nENDACTION\nACTION POINTERDRAGGED\n",
         "ENDACTION\n" + loop},
        {"LOOP", "CANVAS SCREEN\nACTION LOOP 50\n", "ENDACTION\nENDCANVAS\n"},
        {"PAUSE", "FUNCTION PAUSE\n", "ENDFUNCTION\n"},
        {"END", "FUNCTION END\n", "ENDFUNCTION\n"},
        {"ACTION", "FUNCTION ACTION\n", "ENDFUNCTION\n"},
    };
    return all;
}

// Statements of one rule: the places where the guide says they stand, and what the compiler says of one
// standing elsewhere (given its first word and its line).
struct Family {
    std::string says;
    std::vector<std::string> statements;
    std::set<std::string> stand;
    std::string (*elsewhere)(const std::string& word, int line);
};

const std::set<std::string> kActions = {"PAINT", "KEYPRESSED", "POINTERDRAGGED", "LOOP"};

std::set<std::string> with(std::set<std::string> places, std::initializer_list<const char*> more) {
    for (const char* place : more) places.insert(place);
    return places;
}

std::vector<Rule> placementRules() {
    const std::vector<Family> families = {
        {"in a `PAINT` action, and in your own functions (not `PAUSE`, `END` or `ACTION`)",
         {"CLS", "DRAWTEXT \"hi\", 0, 0", "SPRITE.DRAW HERO", "IMAGE.DRAW PIC, 0, 0", "LAYER.PAINT 0, 0"},
         {"PAINT", "function"},
         [](const std::string&, int line) { return at(kDrawing, line); }},
        {"| `MAPPY.LOAD`, `MAPPY.DRAW`, `MAPPY.SETX`, `MAPPY.SETY` | in a `PAINT` action |",
         {"MAPPY.DRAW", "MAPPY.SETX N"},
         {"PAINT"},
         notRecognised},
        {"| `REPAINT` | in a canvas's actions |", {"REPAINT"}, kActions, notRecognised},
        {"| in the main section, in your own functions, in a canvas's actions | in `FUNCTION PAUSE`, `END` "
         "or "
         "`ACTION`:",
         {"SOUND.PLAY 1", "MIDI.STOP", "FILE.WRITE \"x\"", "NET.DOWNLOAD \"http://example.org/a\", \"a\"",
          "SERVER.SEND \"x\"", "COMM.SEND 0, \"x\"", "BLUE.DISCOVER", "VIDEO.SHOW"},
         with(kActions, {"main", "function"}),
         notRecognised},
        {"| in the main section, in functions (`FUNCTION ACTION` too), in a canvas's actions | in `FUNCTION "
         "PAUSE` or `END`:",
         {"IMAGE.ARRAY MORE, \"/pic.png\", 2", "SPRITE.MOVE HERO, 1, 1", "LAYER.UPDATE", "MEM.FLUSH",
          "3D.FOGOFF"},
         with(kActions, {"main", "function", "ACTION"}),
         notRecognised},
        {"| `GETKEY()`, `UPKEY()`, ... (the keys) | in a `KEYPRESSED` action |",
         {"N = GETKEY()", "N = UPKEY()"},
         {"KEYPRESSED"},
         [](const std::string&, int line) { return expecting("integer", line); }},
        {"| `WIDTH()`, `HEIGHT()` | in a canvas's actions |",
         {"N = WIDTH()", "N = HEIGHT()"},
         kActions,
         [](const std::string&, int line) { return expecting("integer", line); }},
        {"| `MAPPY.BLOCKFLAG()`, `MAPPY.BLOCKIMAGE()` | in a `PAINT` action |",
         {"N = MAPPY.BLOCKFLAG(0, 0, 0, 0)", "N = MAPPY.BLOCKIMAGE(0, 0, 0, 0)"},
         {"PAINT"},
         [](const std::string&, int line) { return expecting("integer", line); }},
        {"| `POINTX`, `POINTY` | in a `POINTERDRAGGED` action |",
         {"N = POINTX", "N = POINTY"},
         {"POINTERDRAGGED"},
         [](const std::string&, int line) { return outOfScope(line); }},
        {"| `C` | in `FUNCTION ACTION` |",
         {"IF C = OK THEN PRINT \"ok\""},
         {"ACTION"},
         [](const std::string&, int line) { return outOfScope(line); }},
        {"| `DIM` | in the declarations, in `TYPE` blocks, in your own functions (locals of the whole "
         "function, "
         "also when declared inside an `IF`, `FOR` or `WHILE` there) |",
         {"DIM LOCAL"},
         {"function"},
         [](const std::string&, int line) { return at(kDim, line); }},
        {"| `BOOLEAN` | where `DIM` stands, and in `FUNCTION PAUSE`, `END` and `ACTION` (a local there) |",
         {"BOOLEAN FLAG"},
         {"function", "PAUSE", "END", "ACTION"},
         [](const std::string&, int line) { return at(kDim, line); }},
        {"`FUNCTION PAUSE` and `FUNCTION END` hold only `IF`, `FOR`, `WHILE`, assignments, calls of your "
         "functions, `PRINT`, `END`, and the statements on forms and widgets",
         {"N = N + 1", "IF N = 1 THEN N = 2", "TELL(N)", "PRINT \"p\"", "SETDISPLAY MENU",
          "BUTTON.SHOW MENU, OK", "ALERT \"a\", \"b\", NULL, 100"},
         with(kActions, {"main", "function", "PAUSE", "END", "ACTION"}),
         nullptr},
    };
    std::vector<Rule> rules;
    for (const Family& family : families) {
        for (const std::string& statement : family.statements) {
            const std::string word = statement.substr(0, statement.find(' '));
            for (const Place& place : places()) {
                const std::string before = kDeclared + place.before;
                const int line = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
                Rule rule{family.says, before + statement + "\n" + place.after + kCalled, ""};
                if (!family.stand.count(place.name)) rule.refusal = family.elsewhere(word, line);
                rules.push_back(rule);
            }
        }
    }
    return rules;
}

std::vector<Rule> rules() {
    std::vector<Rule> all = placementRules();
    auto canvas = [](const std::string& name) {
        return "CANVAS " + name + "\nACTION PAINT\nENDACTION\nACTION LOOP 50\nENDACTION\nENDCANVAS\n";
    };
    const std::string sayFunction =
        "| `FUNCTION` ... `ENDFUNCTION` | after the main section, one after another | in a function: `Cannot "
        "create new function inside a function at line: N`; in a canvas: `Error: A Canvas cannot hold a "
        "function.`; a main-section statement after the first function: `Error: Statements of the main "
        "program must stand before the first function` |";
    const std::string sayAction =
        "| `ACTION` ... `ENDACTION` | in a canvas, one after another, each kind once; every statement of a "
        "canvas stands in one of its actions | `Error: Actions can only be placed inside of a Canvas.`; in "
        "an "
        "action: `Cannot create new function inside a function at line: N`; a statement between the actions: "
        "`Error: Statements of a Canvas must stand inside one of its actions`; a second action of a kind: "
        "`Error: This Canvas already has the action PAINT` |";
    const std::string sayCanvas =
        "| `CANVAS` ... `ENDCANVAS` | in the main section, one after another | in a function: `Error: A "
        "Canvas can only be defined inside the \"Main\" function.`; in a canvas: `Cannot create new function "
        "inside a function at line: N` |";
    const std::string sayWidgets =
        "| `BUTTON`, `FORM`, `TEXTBOX`, `LABEL`, `LIST`, `LIGHT`, `CAMERA` | in the declarations |";
    const std::string sayC = "a variable or array cannot be called `C`";
    const std::string sayActionWords =
        "a program with canvases cannot give the action words `PAINT`, `KEYPRESSED`, `POINTERDRAGGED` and "
        "`LOOP` to a global, an array, an object or a function";
    const std::string sayYours = "Names the game's own code uses are yours all the same";
    const std::string sayButtonC =
        "in `FUNCTION ACTION` the value `C` is the button that was pressed (a function `C` of yours can be "
        "called there as a statement, not for its value)";
    const std::string sayPointer =
        "the values `POINTX` and `POINTY` (with any suffix, `POINTX$` too) are where the pointer is, so a "
        "variable or function of yours of that name cannot be reached there; an element `POINTX[1]` of an "
        "array, and a sprite, form or canvas of that name, stay yours there too";
    const std::string sayWords = "A name may also be a word of the language (`DIM PRINT = 3`, `DIM LEN`)";
    const std::string pointerCanvas = "CANVAS CV\nACTION PAINT\nENDACTION\nACTION POINTERDRAGGED\n";
    const std::string endCanvas = "ENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS\n";
    const std::string sayNames =
        "a name given to a variable or array cannot also be given to a widget, canvas, image, sprite, light, "
        "camera or world, nor the other way round";
    const std::string sayEarly =
        "when two names clash and one of them is of those kinds, the line reported is the first of the two "
        "it translates, which may be the earlier one";
    const std::string sayKinds =
        "Each built-in gives one kind of value: an integer, a text, or a flag (`TRUE` or `FALSE`, to keep in "
        "a `BOOLEAN` or compare with `= TRUE`).";
    const std::string sayApplet =
        "it has no widgets, sprites, tile layer, sound, files, network or 3D, and no `END` (the page ends "
        "the "
        "applet): those are refused with "
        "\"Error: This command is not available on the target platform\"";
    const std::string image = "TRY\nIMAGE PIC, \"/pic.png\"\nCATCH IO\nENDCATCH\nENDTRY\n";
    const std::vector<Rule> rows = {
        // Declarations.
        {sayWidgets,
         "BUTTON B, \"b\", 1\nFORM F, \"f\"\nTEXTBOX T, \"t\", \"x\", 5, 0\nLABEL L, \"l\", \"x\"\nLIST S, "
         "\"s\", 0\nLIGHT SUN\nCAMERA EYE\nDIM N\nPRINT \"a\"\n",
         ""},
        {sayWidgets, "PRINT \"a\"\nBUTTON B, \"b\", 1\n",
         at("Error: Buttons must be created at the start of the program", 2)},
        {sayWidgets, "PRINT \"a\"\nFORM F, \"f\"\n",
         at("Error: Forms must be created at the start of the program", 2)},
        {sayWidgets, "PRINT \"a\"\nTEXTBOX T, \"t\", \"x\", 5, 0\n",
         at("Error: Textboxes must be created at the start of the program", 2)},
        {sayWidgets, "PRINT \"a\"\nLABEL L, \"l\", \"x\"\n",
         at("Error: Labels must be created at the start of the program", 2)},
        {sayWidgets, "PRINT \"a\"\nLIST S, \"s\", 0\n",
         at("Error: Lists must be created at the start of the program", 2)},
        {sayWidgets, "PRINT \"a\"\nLIGHT SUN\n",
         at("Error: Lights must be created at the start of the program", 2)},
        {sayWidgets, "PRINT \"a\"\nCAMERA EYE\n",
         at("Error: Cameras must be created at the start of the program", 2)},
        {"in the declarations, in `TYPE` blocks, in your own functions",
         "DIM A\nBOOLEAN B\nTYPE R\nDIM X\nBOOLEAN Y\nENDTYPE\nDIM P% = R\nPRINT \"a\"\n", ""},
        // Canvases, actions, functions.
        {sayCanvas, "PRINT \"a\"\n" + canvas("P") + canvas("Q"), ""},
        {sayCanvas, "PRINT \"a\"\nOWN()\nFUNCTION OWN()\n" + canvas("P") + "ENDFUNCTION\n",
         at("Error: A Canvas can only be defined inside the \"Main\" function.", 4)},
        {sayCanvas, "CANVAS P\nCANVAS Q\nENDCANVAS\nENDCANVAS\n", kNested + "2"},
        {sayAction, "PRINT \"a\"\nACTION PAINT\nENDACTION\n",
         at("Error: Actions can only be placed inside of a Canvas.", 2)},
        {sayAction, "CANVAS P\nACTION PAINT\nACTION LOOP 5\nENDACTION\nENDACTION\nENDCANVAS\n",
         kNested + "3"},
        {sayAction, "CANVAS P\nPRINT \"a\"\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at("Error: Statements of a Canvas must stand inside one of its actions", 2)},
        {"a second action of a kind: `Error: This Canvas already has the action PAINT`",
         "CANVAS P\nACTION PAINT\nENDACTION\nACTION PAINT\nENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at("Error: This Canvas already has the action PAINT", 4)},
        {"(`FUNCTION PAUSE`, `END` and `ACTION` take no parameters)",
         "PRINT \"a\"\nFUNCTION PAUSE(X)\nENDFUNCTION\n",
         at("Error: Number of arguments for command incorrect", 2)},
        {"(`FUNCTION PAUSE`, `END` and `ACTION` take no parameters)",
         "PRINT \"a\"\nFUNCTION PAUSE()\nENDFUNCTION\n", ""},
        {"locals of the whole function, also when declared inside an `IF`, `FOR` or `WHILE` there",
         "PRINT \"a\"\nF()\nFUNCTION F()\nIF 1 = 1 THEN\nDIM K = 3\nENDIF\nK = K + 1\nPRINT "
         "STR$(K)\nENDFUNCTION\n",
         ""},
        {"a `WORLD` may also stand in your own", "PRINT \"a\"\nF()\nFUNCTION F()\nWORLD W[1]\nENDFUNCTION\n",
         ""},
        {"a `WORLD` may also stand in your own", "PRINT \"a\"\nWORLD W[1]\n",
         at("Error: Worlds can only be created at the beginning of the program or in custom functions", 2)},
        {"A text cannot hold a double quote, not even after a backslash", "PRINT \"say \\\"hi\\\"\"\n",
         at("Error: A text cannot hold a double quote: it ends at the next one, a backslash before it or not",
            1)},
        {"a tab between words is a blank", "DIM\tX = 1\r\rPRINT\t\"a\tb\" + STR$(X)\r", ""},
        {"a name of more than 200 characters", "DIM " + std::string(201, 'A') + "\nPRINT \"a\"\n",
         at("Error: A name can be at most 200 characters long", 1)},
        {"a record's field, `P%.X`, is measured apart from its record",
         "TYPE R\nDIM " + std::string(200, 'F') + "\nENDTYPE\nDIM " + std::string(10, 'P') + "% = R\n" +
             std::string(10, 'P') + "%." + std::string(200, 'F') + " = 1\n",
         ""},
        {"text of more than 65,534 bytes (as UTF-8)", "PRINT \"" + std::string(65534, 'a') + "\"\n", ""},
        {"text of more than 65,534 bytes (as UTF-8)", "PRINT \"" + std::string(65535, 'a') + "\"\n",
         at("Error: A text can be at most 65534 bytes long (as UTF-8)", 1)},
        {"an integer variable or expression does not (`Error: Expecting float`)",
         "DIM N = 3\nDIM F# = N + 1\n", at("Error: Expecting float", 2)},
        {"A whole number written out becomes a float where a float is wanted", "DIM F# = 3\nF# = 4\n", ""},
        {sayFunction, "PRINT \"a\"\nFUNCTION F()\nENDFUNCTION\nFUNCTION G()\nENDFUNCTION\n", ""},
        {sayFunction, "PRINT \"a\"\nFUNCTION F()\nFUNCTION G()\nENDFUNCTION\nENDFUNCTION\n", kNested + "3"},
        {sayFunction,
         "CANVAS P\nACTION PAINT\nFUNCTION F()\nENDFUNCTION\nENDACTION\nACTION LOOP "
         "5\nENDACTION\nENDCANVAS\n",
         at("Error: A Canvas cannot hold a function.", 3)},
        {sayFunction, "CANVAS P\nACTION LOOP 5\nENDACTION\nFUNCTION F()\nENDFUNCTION\nENDCANVAS\n",
         at("Error: A Canvas cannot hold a function.", 4)},
        {"Once the first `FUNCTION` has started, only functions follow.",
         "DIM N\nPRINT \"a\"\nFUNCTION F()\nENDFUNCTION\nN = 1\n",
         at("Error: Statements of the main program must stand before the first function", 5)},
        {"| `EXITFUNCTION` | in a function |", "PRINT \"a\"\nEXITFUNCTION\n", kNested + "2"},
        {"| `EXITFUNCTION` | in a function |", "PRINT \"a\"\nFUNCTION F()\nEXITFUNCTION\nENDFUNCTION\n", ""},
        {"| `BREAK` | in a `FOR` or `WHILE` loop (also inside an `IF` there) |",
         "DIM N\nFOR I = 1 TO 3\nIF I = 2 THEN\nBREAK\nENDIF\nNEXT\nWHILE N < 3\nBREAK\nENDWHILE\n", ""},
        {"| `BREAK` | in a `FOR` or `WHILE` loop (also inside an `IF` there) |",
         "DIM N\nIF N = 0 THEN\nBREAK\nENDIF\n",
         at("Error: Break can only be used inside a For or While loop", 3)},
        {"`Error: Image loading must be performed inside correct error handling` (no line)",
         "IMAGE PIC, \"/pic.png\"\n", "Error: Image loading must be performed inside correct error handling"},
        {"a `CATCH IO` with no load before it: `Error: File error is never thrown in TRY..ENDTRY nest at "
         "line: N`",
         "PRINT \"a\"\nTRY\nCATCH IO\nENDCATCH\nENDTRY\n",
         "Error: File error is never thrown in TRY..ENDTRY nest at line: 3"},
        {"PAINT comes before KEYPRESSED and POINTERDRAGGED; LOOP may stand anywhere among them.",
         "CANVAS P\nACTION KEYPRESSED\nENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at("Error: The \"PAINT\" action must be the first action", 2)},
        {"PAINT comes before KEYPRESSED and POINTERDRAGGED; LOOP may stand anywhere among them.",
         "CANVAS P\nACTION POINTERDRAGGED\nENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at("Error: The \"PAINT\" action must be the first action", 2)},
        {"PAINT comes before KEYPRESSED and POINTERDRAGGED; LOOP may stand anywhere among them.",
         "CANVAS P\nACTION LOOP 5\nENDACTION\nACTION PAINT\nENDACTION\nACTION "
         "KEYPRESSED\nENDACTION\nENDCANVAS\n"
         "CANVAS Q\nACTION LOOP 5\nREPAINT\nENDACTION\nENDCANVAS\n",
         ""},
        {"`ACTION LOOP rate` (required: runs every `rate` milliseconds)",
         "CANVAS P\nACTION PAINT\nENDACTION\nENDCANVAS\n", at("Error: A canvas requires a Loop action", 4)},
        // What the compiler does not check: where a function that draws is called from, and 3D drawing.
        {"a function that draws does so on the screen of the PAINT action that calls it, so call it only "
         "from "
         "a PAINT action",
         "BOX()\nFUNCTION BOX()\nCLS\nENDFUNCTION\n", ""},
        {"the 3D statements that draw (`3D.START` to `3D.END`) belong in a PAINT action for the same reason",
         "WORLD W[1]\nCANVAS P\nACTION LOOP 5\n3D.START\n3D.RENDER W[0]\n3D.END\nENDACTION\nENDCANVAS\n", ""},
        // Names.
        {sayNames, "BUTTON N, \"b\", 1\nDIM N\n", at("Error: Variable name already defined", 2)},
        {sayNames, "DIM N\nBUTTON N, \"b\", 1\n", at("Error: Name already defined: N", 2)},
        {sayNames, "DIM N[3]\nFORM N, \"f\"\n", at("Error: Name already defined: N", 2)},
        {sayNames, "LIGHT N\nDIM N[2]\n", at("Error: Variable name already defined", 2)},
        {sayNames, "DIM N\nCAMERA N\n", at("Error: Name already defined: N", 2)},
        {sayNames, "WORLD N[1]\nDIM N$\n", at("Error: Variable name already defined", 2)},
        {sayNames, "DIM N\nCANVAS N\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at("Error: Variable name already defined", 1)},
        {sayNames, "DIM PIC\n" + image, at("Error: Variable name already defined", 1)},
        {sayNames, image + "PRINT \"a\"\nF()\nFUNCTION F()\nDIM PIC\nENDFUNCTION\n",
         at("Error: Variable name already defined", 9)},
        {sayNames, "DIM HERO\n" + image + "SPRITE HERO, PIC\n",
         at("Error: Variable name already defined", 1)},
        // Names: C for variables and arrays, the action words; the names the game's code uses.
        {sayC, "DIM C\n", at("Variable name is illegal", 1)},
        {sayC, "DIM C$[2]\n", at("Array name is illegal", 1)},
        {sayC, "PRINT \"a\"\nFUNCTION F(C)\nENDFUNCTION\n", at("Variable name is illegal", 2)},
        {sayC, "TYPE R\nDIM C\nENDTYPE\n", at("Variable name is illegal", 2)},
        {sayActionWords,
         "DIM LOOP\nCANVAS CV\nACTION PAINT\nENDACTION\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at(kExpectingString, 5)},
        {sayYours,
         "DIM UP = 1\nDIM FIRE$[2]\nFORM C, \"f\"\nBUTTON LEFT, \"b\", 1\nCANVAS DOWN\nACTION "
         "PAINT\nDRAWTEXT "
         "STR$(UP) + FIRE$[1], 0, 0\nENDACTION\nACTION LOOP 5\nUP = UP + 1\nSETDISPLAY DOWN\nENDACTION\n"
         "ENDCANVAS\nBUTTON.SHOW C, LEFT\nSETDISPLAY C\nFOR RIGHT = 1 TO 2\nNEXT\n",
         ""},
        {sayYours,
         "DIM WIDTH = 1\nTYPE ABORT\nDIM ERROR\nENDTYPE\nDIM HEIGHT% = ABORT\nCANVAS ALLBITS\nACTION PAINT\n"
         "DRAWTEXT STR$(WIDTH + HEIGHT%.ERROR), 0, 0\nENDACTION\nACTION LOOP 5\nFOR SOMEBITS = 1 TO 2\n"
         "WIDTH = WIDTH + SOMEBITS\nNEXT\nENDACTION\nENDCANVAS\n",
         "", "Applet"},
        {sayButtonC,
         "FORM C, \"f\"\nBUTTON OK, \"o\", 1\nBUTTON.SHOW C, OK\nLISTENER C\nFUNCTION ACTION\nIF C = OK THEN "
         "SETDISPLAY C\nENDFUNCTION\n",
         ""},
        {sayButtonC,
         "PRINT \"a\"\nFUNCTION C()\nENDFUNCTION 1\nFUNCTION ACTION\nC()\nPRINT STR$(C())\nENDFUNCTION\n",
         expecting("integer", 6)},
        {sayPointer,
         "DIM POINTX[2]\n" + pointerCanvas + "POINTX[1] = POINTX\nPRINT STR$(POINTX[1] + POINTY)\n" +
             endCanvas,
         ""},
        {sayPointer, "DIM POINTX$\n" + pointerCanvas + "PRINT POINTX$\n" + endCanvas, expecting("string", 6)},
        {sayPointer, "DIM POINTY\n" + pointerCanvas + "POINTY = 1\n" + endCanvas, notRecognised("POINTY", 6)},
        {sayWords, "DIM PRINT = 3\nDIM LEN\nPRINT STR$(PRINT + LEN)\n", ""},
        {"(`PRINT = 4` is a PRINT, and refused)", "DIM PRINT = 3\nPRINT = 4\n", expecting("string", 2)},
        {"only for its value (`N = PRINT()`)", "DIM N\nN = PRINT()\nFUNCTION PRINT()\nENDFUNCTION 3\n", ""},
        {"a function named like one (`FUNCTION PRINT()`) cannot be called as a statement",
         "PRINT()\nFUNCTION PRINT()\nENDFUNCTION\n", at("Error: Expecting a value", 1)},
        {"`LEN(\"ab\")` is refused: `Error: Expecting an operator between two values`",
         "DIM LEN\nPRINT STR$(LEN(\"ab\"))\n", at("Error: Expecting an operator between two values", 2)},
        {"a parameter's name is letters only", "PRINT \"a\"\nFUNCTION F(A1)\nENDFUNCTION\n",
         "Error: Function arguments do not match at line: 2"},
        {"and no `END` (the page ends the applet)", "END\n",
         at("Error: This command is not available on the target platform", 1), "Applet"},
        {"Two functions cannot share a name (`Error: Name already defined: F`).",
         "PRINT \"a\"\nFUNCTION F()\nENDFUNCTION\nFUNCTION F()\nENDFUNCTION\n",
         at("Error: Name already defined: F", 4)},
        {"but then reads `SCORE()` as the variable `SCORE` followed by a bracket (`Error: Expecting an "
         "operator "
         "between two values`)",
         "DIM SCORE\nSCORE = SCORE()\nFUNCTION SCORE()\nENDFUNCTION 5\n",
         at("Error: Expecting an operator between two values", 2)},
        {sayEarly, image + "CANVAS PIC\nACTION LOOP 5\nENDACTION\nENDCANVAS\n",
         at("Error: Name already defined: PIC", 2)},
        {sayEarly, "DIM I\nFOR I = 1 TO 3\nNEXT\n", at("Error: Variable name already defined", 1)},
        {"A counter needs no `DIM` and takes none: every name counted by a `FOR` is one global integer of "
         "the "
         "program",
         "FOR I = 1 TO 3\nNEXT\nSHOW()\nFUNCTION SHOW()\nPRINT STR$(I)\nENDFUNCTION\n", ""},
        {"A function's parameters and its `DIM`s are its own, but they cannot take the name of a global",
         "DIM SCORE$\nADD(\"a\")\nFUNCTION ADD(SCORE$)\nENDFUNCTION\n",
         at("Error: Variable name already defined", 3)},
        {"A function's parameters and its `DIM`s are its own, but they cannot take the name of a global",
         "DIM SCORE\nADD()\nFUNCTION ADD()\nDIM SCORE\nENDFUNCTION\n",
         at("Error: Variable name already defined", 4)},
        {"A function's parameters and its `DIM`s are its own, but they cannot take the name of a global",
         "DIM N\nF(1)\nN = L\nFUNCTION F(V)\nDIM L\nENDFUNCTION\n", expecting("integer", 3)},
        {"A function's parameters and its `DIM`s are its own, but they cannot take the name of a global",
         "F(1)\nFUNCTION F(V)\nDIM L\nENDFUNCTION\nFUNCTION G(V)\nDIM L\nENDFUNCTION\nFUNCTION H()\nL = 1\n"
         "ENDFUNCTION\n",
         outOfScope(9)},
        {"(`FUNCTION HELLO` is refused: `Error: A \"(\" should follow the function name`)",
         "HELLO()\nFUNCTION HELLO\nENDFUNCTION\n", at("Error: A \"(\" should follow the function name", 2)},
        // Conditions: brackets, END IF, NEXT with its counter; what the left side of a comparison takes.
        {"`IF (X = 1) THEN`, `IF (X = 1) AND (Y = 2) THEN`",
         "DIM X\nDIM Y\nIF (X = 1) THEN\nPRINT \"a\"\nEND IF\nIF (X = 1) AND (Y = 2) THEN PRINT \"b\"\n", ""},
        {"(`NEXT V` may name the loop's own counter, no other: `Error: Number of arguments for command "
         "incorrect`)",
         "FOR I = 1 TO 2\nNEXT I\n", ""},
        {"(`NEXT V` may name the loop's own counter, no other: `Error: Number of arguments for command "
         "incorrect`)",
         "FOR I = 1 TO 2\nFOR J = 1 TO 2\nNEXT I\nNEXT J\n",
         at("Error: Number of arguments for command incorrect", 3)},
        {"`IF A + B = 5`, `IF GRID[1, 2] * 2 > 3`, `IF T$ + \"x\" = \"ax\"`",
         "DIM A\nDIM B\nDIM GRID[2, 3]\nDIM T$\nTYPE R\nDIM X\nENDTYPE\nDIM PS%[2] = R\nIF A + B = 5 THEN "
         "PRINT "
         "\"a\"\nIF GRID[1, 2] * 2 > 3 THEN PRINT \"b\"\nIF T$ + \"x\" = \"ax\" THEN PRINT \"c\"\nIF "
         "PS%[1].X - 1 "
         "< 0 AND -1 < A THEN PRINT \"d\"\n",
         ""},
        {"`IF 2 + A = 4`, `IF ABS(A) + 1 = 3` and `IF P%.X + 1 = 2` give `Error: Unknown operator \"+\"`",
         "DIM A\nIF 2 + A = 4 THEN PRINT \"a\"\n", at("Error: Unknown operator \"+\"", 2)},
        {"`IF 2 + A = 4`, `IF ABS(A) + 1 = 3` and `IF P%.X + 1 = 2` give `Error: Unknown operator \"+\"`",
         "DIM A\nIF ABS(A) + 1 = 3 THEN PRINT \"a\"\n", at("Error: Unknown operator \"+\"", 2)},
        {"`IF 2 + A = 4`, `IF ABS(A) + 1 = 3` and `IF P%.X + 1 = 2` give `Error: Unknown operator \"+\"`",
         "TYPE R\nDIM X\nENDTYPE\nDIM P% = R\nIF P%.X + 1 = 2 THEN PRINT \"a\"\n",
         at("Error: Unknown operator \"+\"", 5)},
        {"(a built-in that gives a text: `Error: Only = and <> can be applied to strings`)",
         "DIM A$\nIF UPPER(A$) + \"x\" = \"y\" THEN PRINT \"a\"\n",
         at("Error: Only = and <> can be applied to strings", 2)},
        {"(`IF (A + 1) * 2 = 4`: `Error: Unknown operator \")\"`)",
         "DIM A\nIF (A + 1) * 2 = 4 THEN PRINT \"a\"\n", at("Error: Unknown operator \")\"", 2)},
        {"A text in quotes is no left side (`Error: Cannot evaluate IF statement :: Left side not "
         "recognised`)",
         "DIM A$\nIF \"a\" = A$ THEN PRINT \"a\"\n",
         at("Error: Cannot evaluate IF statement :: Left side not recognised", 2)},
        // Records: flag fields, fields' names.
        {"(`B = P%.SEEN` is refused with `Error: Boolean assignment can only be true or false`",
         "TYPE R\nBOOLEAN SEEN\nENDTYPE\nDIM P% = R\nBOOLEAN B\nB = P%.SEEN\n",
         at("Error: Boolean assignment can only be true or false", 6)},
        {"`B = PATH%[1].SEEN` with `Error: Expecting a flag: TRUE, FALSE, a BOOLEAN variable or a built-in "
         "that gives one`",
         "TYPE R\nBOOLEAN SEEN\nENDTYPE\nDIM PATH%[2] = R\nBOOLEAN B\nB = PATH%[1].SEEN\n",
         at("Error: Expecting a flag: TRUE, FALSE, a BOOLEAN variable or a built-in that gives one", 6)},
        {"A field's name is its type's own: it may be a name the program gives to something else, and two "
         "types may have fields of one name (of different kinds too)",
         "TYPE R\nBOOLEAN PIC2\nDIM N$\nENDTYPE\nTYPE Q\nDIM PIC2$\nBOOLEAN N\nENDTYPE\nDIM P% = R\nDIM QS% "
         "= Q\n" +
             image +
             "SPRITE PIC2, PIC\nIF P%.PIC2 = TRUE AND QS%.N = FALSE AND QS%.PIC2$ = P%.N$ THEN PRINT \"a\"\n",
         ""},
        // Functions' values.
        {"one number (a negative one too, `ENDFUNCTION -1`)",
         "PRINT STR$(F() + G())\nFUNCTION F()\nEXITFUNCTION -2\nENDFUNCTION -1\nFUNCTION G()\nENDFUNCTION "
         "3\n",
         ""},
        {"a value of several words is refused at its line (`Error: EndFunction returns one value: a number, "
         "a string or a variable at line: N`)",
         "PRINT STR$(F())\nFUNCTION F()\nENDFUNCTION ABS(-3)\n",
         "Error: EndFunction returns one value: a number, a string or a variable at line: 3"},
        {"a number written out makes the function an integer's",
         "DIM V#\nV# = F()\nFUNCTION F()\nENDFUNCTION 2.5\n",
         at("Error: EndFunction value does not match the function's return type", 4)},
        // Values.
        {"an image array has none of its own (`Error: Image.Width -> Image requires a valid image`)",
         "TRY\nIMAGE.ARRAY T, \"/t.png\", 2\nCATCH IO\nENDCATCH\nENDTRY\nPRINT STR$(IMAGE.WIDTH(T))\n",
         at("Error: Image.Width -> Image requires a valid image", 6)},
        {"`LIST.APPEND` takes one text in quotes or one text variable",
         "LIST L, \"l\", 0\nDIM N$\nLIST.APPEND L, \"n\"\nLIST.APPEND L, N$\n", ""},
        {"`LIST.APPEND` takes one text in quotes or one text variable",
         "LIST L, \"l\", 0\nDIM N$\nLIST.APPEND L, \"n\" + N$\n",
         at("Error: List.Append -> List requires a valid list", 3)},
        {"a name of more than 200 characters (without its suffix",
         "DIM " + std::string(200, 'N') + "$ = \"a\"\nPRINT " + std::string(200, 'N') + "$\n", ""},
        // Comments.
        {"After a statement on the same line neither starts a comment; right after a `:` one does, up to the "
         "next `:`.",
         "DIM N\nN = 1 REM one\n", expecting("integer", 2)},
        {"never closed hides the rest of the file", "PRINT \"a\"\nREMSTART\nFOR I = 1 TO\nCLS\n", ""},
        {"(`REMSTART notes`, with more on the line, is a comment line and starts no block.)",
         "PRINT \"a\"\nREMSTART notes\nCLS\n", at(kDrawing, 3)},
        // Values.
        {"There is no `MOD` operator", "DIM N = 7\nN = N MOD 2\n", expecting("integer", 2)},
        {"There is no statement that plays a tone or a note of its own", "PRINT \"a\"\nTONE 60, 200\n",
         notRecognised("TONE", 2)},
        {sayKinds,
         "LIST L, \"l\", 0\nTEXTBOX T, \"t\", \"x\", 5, 0\nDIM N\nN = RND(1, 6) + ABS(-2) + MIN(1, 2) + "
         "MAX(3, 4) + LEN(\"abc\") + ASC(\"A\") + INDEX(\"abc\", \"b\") + TIMER() + LIST.GETVALUE(L) + "
         "MEM.FREE() + MEM.TOTAL() + COMM.GETAVAILABLE() + INT(\"12\")\n",
         ""},
        {sayKinds,
         "TEXTBOX T, \"t\", \"x\", 5, 0\nDIM S$\nS$ = LEFT(\"abc\", 1) + RIGHT(\"abc\", 1) + MID(\"abc\", 0, "
         "2) "
         "+ TRIM(\" a \") + UPPER(\"a\") + LOWER(\"B\") + STR$(1) + TEXTBOX.GETVALUE(T) + FILE.READ(1) + "
         "NET.GETTEXT(\"http://example.org/a\") + NET.GETDATA(\"http://example.org/a\") + SERVER.RECEIVE() + "
         "COMM.GETPORT(0) + COMM.GETSTRING(0)\n",
         ""},
        {sayKinds,
         "LIST L, \"l\", 0\nBOOLEAN B\n" + image +
             "SPRITE A, PIC\nB = LIST.SELECTED(L, 0)\nB = FILE.EXIST(\"x\")\nB = "
             "SERVER.CONNECT(\"example.org\", "
             "80)\nB = VIDEO.HASCAMERA()\nB = VIDEO.CAPTURE()\nB = SPRITE.COLLISION(A, A, FALSE)\nIF "
             "FILE.EXIST(\"x\") = TRUE THEN PRINT \"x\"\n",
         ""},
        {sayKinds,
         "DIM N\n" + image +
             "SPRITE A, PIC\nSPRITE.ARRAY R, PIC, 2\nN = SPRITE.POSX(A) + SPRITE.POSY(R, 1) + "
             "SPRITE.WIDTH(A) + "
             "SPRITE.HEIGHT(A) + SPRITE.FRAME(A) + IMAGE.WIDTH(PIC) + IMAGE.HEIGHT(PIC)\n",
         ""},
        {sayKinds, "LIST L, \"l\", 0\nDIM S$\nS$ = LIST.GETVALUE(L)\n", expecting("string", 3)},
        {sayKinds, "LIST L, \"l\", 0\nDIM N\nN = LIST.SELECTED(L, 0)\n", expecting("integer", 3)},
        {sayKinds, "DIM N\nN = FILE.EXIST(\"x\")\n", expecting("integer", 2)},
        {sayKinds, "DIM N\nN = FILE.READ(1)\n", expecting("integer", 2)},
        {sayKinds, "DIM S$\nS$ = INDEX(\"ab\", \"b\")\n", expecting("string", 2)},
        {sayKinds, "TEXTBOX T, \"t\", \"x\", 5, 0\nDIM N\nN = TEXTBOX.GETVALUE(T)\n",
         expecting("integer", 3)},
        {"| `NULL` | image | no image, where an image is asked for (`ALERT`) |", "DIM N\nN = NULL\n",
         at("Error: Expecting (", 2)},
        // The applet.
        {sayApplet, "PRINT \"a\"\nSPRITE.MOVE S, 1, 1\n",
         at("Error: This command is not available on the target platform", 2), "Applet"},
        {sayApplet, "BUTTON B, \"b\", 1\n",
         at("Error: This command is not available on the target platform", 1), "Applet"},
        {sayApplet, "LAYER 1, 1, NULL, 1, 1\n",
         at("Error: This command is not available on the target platform", 1), "Applet"},
        {sayApplet, "SOUND.PLAY 1\n", at("Error: This command is not available on the target platform", 1),
         "Applet"},
        {sayApplet, "FILE \"x\"\n", at("Error: This command is not available on the target platform", 1),
         "Applet"},
        {sayApplet, "NET.DOWNLOAD \"a\", \"b\"\n",
         at("Error: This command is not available on the target platform", 1), "Applet"},
        {sayApplet, "WORLD W[1]\n", at("Error: This command is not available on the target platform", 1),
         "Applet"},
        {"The applet has variables, records, control flow, functions, canvases with their drawing "
         "statements, "
         "and images",
         "TYPE R\nDIM X\nENDTYPE\nDIM P% = R\n" + image +
             "FOR I = 1 TO 2\nP%.X = I\nNEXT\nCANVAS CV\nACTION PAINT\nIMAGE.DRAW PIC, 0, "
             "0\nBOX()\nENDACTION\n"
             "ACTION LOOP 50\nREPAINT\nENDACTION\nENDCANVAS\nSETDISPLAY CV\nFUNCTION BOX()\nDRAWLINE 0, 0, "
             "5, "
             "5\nENDFUNCTION\n",
         "", "Applet"},
    };
    all.insert(all.end(), rows.begin(), rows.end());
    return all;
}

TEST(LanguageGuide, RulesHoldForTheCompiler) {
    ASSERT_TRUE(haveToolChain()) << "the kit's Java tool chain is not built in " << kKit;
    const std::string guide = guideText();
    const std::vector<Rule> all = rules();
    // The refused ones, through Compile-Linux.
    const auto results = runAll<tz::testing::ProgramRun>(all.size(), [&](std::size_t i) {
        if (all[i].refusal.empty()) return tz::testing::ProgramRun{};
        TempDir dir;
        const std::string folder = dir / "Rule/";
        writeFile(folder + "Rule.tbp",
                  "// Tesvo Zorid v1.1.0 Project File\nMain=Rule\nRun=0\nName=Rule\nPlatform=" +
                      all[i].platform + "\nInc=true\n");
        writeFile(folder + "RuleX.bss", all[i].source);
        return runProgram(dir.path(), {kKit + "/Compile-Linux", folder + "Rule"});
    });
    std::vector<proptest::Program> accepted;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Rule& rule = all[i];
        EXPECT_NE(guide.find(rule.says), std::string::npos) << "the guide no longer says: " << rule.says;
        if (rule.refusal.empty()) {
            proptest::Program program;
            program.index = static_cast<int>(i);
            program.platform = rule.platform;
            program.source = rule.source;
            accepted.push_back(program);
            continue;
        }
        const tz::testing::ProgramRun& result = results[i];
        EXPECT_EQ(result.status, 1) << rule.says << "\n" << rule.source << result.output;
        EXPECT_NE(result.output.find(rule.refusal + "\n"), std::string::npos)
            << rule.says << "\n--- program ---\n"
            << rule.source << "--- expected ---\n"
            << rule.refusal << "\n--- output ---\n"
            << result.output;
    }

    // The accepted ones, through the compiler and their Java through the kit's javac, as Build runs it.
    proptest::CheckOptions options;
    options.kitDir = kKit;
    options.modelSource = std::string(TZ_TEST_DATA) + "/three_d/MODEL.java";
    const proptest::CheckReport report = proptest::checkPrograms(accepted, options);
    for (const std::string& refusal : report.refusals) {
        const int index = std::stoi(refusal.substr(1, refusal.find(':') - 1));
        ADD_FAILURE() << "refused, but the guide says it stands: " << all[index].says << "\n"
                      << all[index].source << refusal;
    }
    for (const proptest::Finding& finding : report.findings) ADD_FAILURE() << proptest::describe(finding);
    EXPECT_EQ(report.accepted, static_cast<int>(accepted.size()));
}

}  // namespace
