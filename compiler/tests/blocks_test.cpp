#include <gtest/gtest.h>

#include "driver/messages.h"
#include "statement_fixture.h"

namespace compiler {
namespace {

using testing_statements::problemsOf;
using testing_statements::Program;

const char* kCatchLine = "}catch(Exception err) { err.printStackTrace(); } };";

TEST(Blocks, FunctionsOnThePhone) {
    Program program("TB");
    auto texts = program.texts(
        "PRINT \"start\"\n"
        "FUNCTION ADD(A, B$, D#)\n"
        "DIM R = 1\n"
        "ENDFUNCTION R\n"
        "FUNCTION NAME()\n"
        "ENDFUNCTION \"Zed\"\n"
        "FUNCTION ECHO(T$)\n"
        "ENDFUNCTION T$\n"
        "FUNCTION SCALE(F#)\n"
        "ENDFUNCTION F#\n"
        "FUNCTION FIVE()\n"
        "ENDFUNCTION 5\n"
        "FUNCTION NOTHING()\n"
        "EXITFUNCTION\n"
        "ENDFUNCTION\n"
        "FUNCTION EARLY()\n"
        "EXITFUNCTION 3\n"
        "ENDFUNCTION 4\n"
        "FUNCTION BELOW()\n"
        "EXITFUNCTION -3\n"
        "ENDFUNCTION - 4\n"
        "FUNCTION PAUSE\n"
        "ENDFUNCTION");
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "System.out.println(\"start\");",
                         "private int ADD(int A,String B,float D){",
                         "int R = 1;",
                         "return R; }",
                         "private String NAME(){",
                         "return \"Zed\"; }",
                         "private String ECHO(String T){",
                         "return T; }",
                         "private float SCALE(float F){",
                         "return F; }",
                         "private int FIVE(){",
                         "return 5; }",
                         "private void NOTHING(){",
                         "if (true) return;",
                         "}",
                         "private int EARLY(){",
                         "if (true) return 3;",
                         "return 4; }",
                         "private int BELOW(){",
                         "if (true) return -3;",
                         "return -4; }",
                         "",
                         "}",
                     }));
    // The first FUNCTION closes startApp's try block, once.
    EXPECT_EQ(program.written(), std::vector<std::string>{kCatchLine});
    EXPECT_EQ(program.writer.calls.back(), "WritePause");
    EXPECT_EQ(program.ctx.functions.CurrentFunction, "MAIN");
    EXPECT_TRUE(program.ctx.library.endFound);
    int a = program.ctx.variables.find("A");
    EXPECT_EQ(program.ctx.variables.at(a).owner, "ADD");
    EXPECT_EQ(program.ctx.variables.getType(program.ctx.variables.find("D")), 1);
}

TEST(Blocks, AppletStartAppHasNoTryToClose) {
    Program program("Applet");
    auto texts = program.texts("FUNCTION END\nENDFUNCTION\nFUNCTION ACTION\nENDFUNCTION");
    EXPECT_EQ(texts, (std::vector<std::string>{"", "}", "", "}"}));
    EXPECT_EQ(program.writer.calls, (std::vector<std::string>{"WriteStart", "WriteMain", "Write:}",
                                                              "WriteDestroy", "WriteCommandAction"}));
}

TEST(Blocks, CanvasWithItsActions) {
    Program program("TB");
    auto texts = program.texts(
        "CANVAS FIRST\nACTION LOOP 10\nENDACTION\nENDCANVAS\n"
        "CANVAS GAME\n"
        "ACTION PAINT\nENDACTION\n"
        "ACTION KEYPRESSED\nENDACTION\n"
        "ACTION POINTERDRAGGED\nENDACTION\n"
        "ACTION LOOP 40\nENDACTION\n"
        "ENDCANVAS");
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "// **", "public void run() {", "timer0.schedule(updateTask, interval,interval);}",
                         "};", "// **", "", "}", "public void performAction(int keyCode) {", "}",
                         "public void pointerDragged(int POINTX, int POINTY) {", "}", "public void run() {",
                         "timer1.schedule(updateTask, interval,interval);}", "};"}));
    auto written = program.written();
    ASSERT_EQ(written.size(), 18u);
    EXPECT_EQ(std::vector<std::string>(written.begin() + 8, written.end()),
              (std::vector<std::string>{
                  "GAME = new TBCanvas() {",
                  "protected void showNotify(){ startTimer(); repaint(); }",
                  "protected void hideNotify(){ timer1.cancel(); m_repeat.stopRepeat(); }",
                  "public void keyPressed(int keyCode) { LastKey = Math.abs((int) new Date().getTime()); "
                  "m_repeat.startRepeat(keyCode); }",
                  "public void keyReleased(int keyCode) { m_repeat.stopRepeat(); }",
                  "private void startTimer() {",
                  "timer1 = new Timer();",
                  "TimerTask updateTask = new TimerTask() {",
                  "} };",
                  "long interval = 40;",
              }));
    EXPECT_TRUE(program.ctx.scope.CurrentCanvas.empty());
    EXPECT_FALSE(program.ctx.library.GetCanvasPaint());
}

TEST(Blocks, Refusals) {
    struct ErrorRow {
        const char* program;
        std::vector<std::string> problems;
    };
    const ErrorRow rows[] = {
        {"FUNCTION F()\nFUNCTION PAUSE", {res("Error_Already_in_a")}},
        {"FUNCTION F", {res("Error_A_should_follow")}},
        {"FUNCTION F()\nENDFUNCTION X + 1", {res("Error_EndFunction_Single")}},
        {"FUNCTION F()\nENDFUNCTION LEN(\"A\")", {res("Error_EndFunction_Single")}},
        {"FUNCTION F()\nENDFUNCTION ?", {res("Error_EndFunction")}},
        {"FUNCTION PAUSE\nENDFUNCTION 5", {res("Error_EndFunction_Type")}},
        {"FUNCTION F()\nBOOLEAN B\nENDFUNCTION B", {res("Error_EndFunction_Type")}},
        {"FUNCTION F()\nCANVAS CV", {res("Error_A_Canvas_can")}},
        {"CANVAS A\nENDCANVAS", {res("Error_A_canvas")}},
        {"ACTION PAINT", {res("Error_Actions_can")}},
        {"CANVAS A\nACTION PAINT\nACTION LOOP 4", {res("Error_Actions_can_not")}},
        {"CANVAS A\nACTION KEYPRESSED", {res("Error_The_PAINT")}},
        {"CANVAS A\nACTION POINTERDRAGGED", {res("Error_The_PAINT")}},
        {"CANVAS A\nACTION LOOP", {res("Error_The_action_loop")}},
        {"CANVAS A\nACTION LOOP 4 5", {res("Error_The_action_loop")}},
        {"CANVAS A\nACTION LOOP FAST", {res("Error_Loop_value")}},
        {"CANVAS A\nACTION LOOP 0", {res("Error_Loop_value")}},
        {"CANVAS A\nACTION JUMP", {res("Error_Action_is")}},
    };
    for (const ErrorRow& row : rows) {
        Program program("TB");
        EXPECT_EQ(problemsOf(program, row.program), row.problems) << row.program;
    }
}

TEST(Blocks, ParameterListMustClose) {
    // The pre-pass refuses the unbalanced line first; the translator stops on its own too.
    Program program("TB");
    program.load({"FUNCTION F()"});
    program.translate("PRINT \"a\"");
    try {
        program.translate("FUNCTION F ( A");
        FAIL();
    } catch (const CompileException& e) {
        EXPECT_EQ(e.problems(), std::vector<std::string>{res("Closing_bracket")});
    }
}

TEST(Blocks, TypeFileThatCannotBeWrittenEndsTheRun) {
    Program program("TB");
    tz::testing::writeFile(program.dir / "plain", "x");
    program.ctx.project.path = program.dir / "plain/";  // a folder under a regular file
    program.load({"TYPE POINT", "ENDTYPE"});
    try {
        program.translate("TYPE POINT");
        FAIL();
    } catch (const InternalFailure& failure) {
        EXPECT_EQ(failure.lines(), std::vector<std::string>{res("File_Error_Cannot") + ": " +
                                                            program.dir / "plain/POINT.java"});
    }
}

TEST(Blocks, EndFunctionReadsTheFunctionsOwnScope) {
    Program program("TB");
    auto texts =
        program.run("FUNCTION F(N)\nDIM T = 2\nENDFUNCTION N\nFUNCTION G()\nDIM T = 3\nENDFUNCTION T");
    EXPECT_EQ(texts[2], "return N; }");
    EXPECT_EQ(texts[5], "return T; }");
}

}  // namespace
}  // namespace compiler
