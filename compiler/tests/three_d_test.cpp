// The 3D statements and worlds: statement -> lines written and Java text returned; refusals by exact text.
#include <gtest/gtest.h>

#include <sstream>

#include "driver/context.h"
#include "driver/messages.h"
#include "driver/prepass.h"
#include "driver/token_line.h"
#include "recording_writer.h"
#include "statements/convertor.h"
#include "test_helpers.h"

namespace compiler {
namespace {

class ThreeDTest : public ::testing::Test {
protected:
    void start(const std::string& platform) {
        ctx.project.platform = platform;
        ctx.project.javaIncludes = {"MODEL", "OTHER", "MODEL2"};
        ctx.library.instantiate();
        ctx.objects.addImage("PIC");
        convertor = makeConvertor(ctx, writer);
        ctx.variables.add("N", TypeCodes::cInt);
        ctx.variables.add("F", TypeCodes::cFloat);
    }

    std::string translate(const std::string& statement) {
        std::vector<std::string> tokens = tokenize(statement);
        return convertor->GetJava(tokens, static_cast<int>(tokens.size()));
    }

    // The first line of the refusal, or "" when the statement was taken.
    std::string refusal(const std::string& statement) {
        try {
            translate(statement);
        } catch (const CompileException& e) {
            return e.problems().front();
        }
        return "";
    }

    // The declarations every row may use, then the main section.
    void declareAndOpenMain() {
        for (const char* line : {"LIGHT L1", "CAMERA C1", "WORLD W [ 2 ]", "WORLD GRID [ 2 , 3 ]"})
            translate(line);
        translate("OBJECT SHIP , MODEL");
        writer.calls.clear();
    }

    // Lines written through Write since the last call, then the returned text.
    std::vector<std::string> output(const std::string& statement) {
        writer.calls.clear();
        std::string text = translate(statement);
        std::vector<std::string> lines;
        for (const auto& call : writer.calls) lines.push_back(call);
        lines.push_back(text);
        return lines;
    }

    std::ostringstream out;
    Context ctx{out, false};
    RecordingWriter writer;
    std::unique_ptr<StatementTranslator> convertor;
};

TEST_F(ThreeDTest, DeclarationsStayFieldsOfTheProgramClass) {
    start("TB");
    EXPECT_EQ(translate("light l1"), "Light L1 = new Light()");
    EXPECT_EQ(translate("CAMERA C1"), "Camera C1 = new Camera()");
    EXPECT_EQ(translate("WORLD W [ 2 ]"),
              "World[] W = new World[2]; { for (int tz_w0 = 0; tz_w0 < W.length; tz_w0++) { W[tz_w0] = new "
              "World(); W[tz_w0].setBackground(background); } }");
    EXPECT_EQ(translate("WORLD GRID [ 3 , 4 ]"),
              "World[][] GRID = new World[3][4]; { for (int tz_w0 = 0; tz_w0 < GRID.length; tz_w0++) for "
              "(int tz_w1 = 0; tz_w1 < GRID[tz_w0].length; tz_w1++) { GRID[tz_w0][tz_w1] = new World(); "
              "GRID[tz_w0][tz_w1].setBackground(background); } }");
    EXPECT_TRUE(writer.calls.empty());  // none of them opened the main section
    EXPECT_EQ(ctx.functions.CurrentFunction, "GLOBAL");
    EXPECT_EQ(ctx.objects.getLightName(0), "L1");
    EXPECT_EQ(ctx.objects.getCameraName(0), "C1");
    EXPECT_EQ(ctx.worlds.names(), (std::vector<std::string>{"W", "GRID"}));
    EXPECT_EQ(ctx.worldDimensions, (std::vector<int>{1, 2}));

    EXPECT_EQ(refusal("LIGHT"), res("Error_Light_Name"));
    EXPECT_EQ(refusal("CAMERA C2 , C3"), res("Error_Camera_Name"));
    translate("3D.START");
    EXPECT_EQ(refusal("LIGHT L2"), res("Error_Lights_must_be"));
    EXPECT_EQ(refusal("CAMERA C2"), res("Error_Cameras_must_be"));
    // In the main program a world would be a local its canvases cannot reach.
    EXPECT_EQ(refusal("WORLD LOCAL [ 1 ]"), res("Error_World_place"));
}

TEST_F(ThreeDTest, StatementsGiveTheirJava) {
    start("TB");
    declareAndOpenMain();
    struct Row {
        const char* statement;
        std::vector<std::string> lines;  // "Write:" lines, then the returned text
    } rows[] = {
        // Objects are fields of the program: the statements fill them.
        {"OBJECT ROCK , MODEL", {"{ MODEL ROCKa = new MODEL(); ROCK = MODEL.getObject(); }"}},
        {"OBJECT SHIP , OTHER", {"{ OTHER SHIPa = new OTHER(); SHIP = OTHER.getObject(); }"}},
        {"OBJECT.ARRAY ROCKS , MODEL , N + 1",
         {"ROCKS = new Mesh[N + 1];for(GameTemp=0;GameTemp<ROCKS.length;GameTemp++){ ROCKS[GameTemp] = "
          "(Mesh)MODEL.getObject().duplicate(); }"}},
        {"3d.start", {"g3d.bindTarget(g);"}},
        {"3D.END", {"g3d.releaseTarget();"}},
        {"3D.RENDER W [ 1 ]", {"g3d.render(W[1]);"}},
        {"3D.RENDER GRID [ N - 1 , 2 ]", {"g3d.render(GRID[N-1][2]);"}},
        // A rotation sets the orientation, whatever it was, and leaves the position.
        {"3D.SETCAMERAROTATION L1 , 1 , F# , 2.5",
         {"L1.setOrientation(1, 1, 0, 0); L1.postRotate(F, 0, 1, 0); L1.postRotate(2.5f, 0, 0, 1);"}},
        {"3D.SETCAMERAROTATION C1 , 0 , 90 , 45",
         {"C1.setOrientation(0, 1, 0, 0); C1.postRotate(90, 0, 1, 0); C1.postRotate(45, 0, 0, 1);"}},
        {"3D.SETVIEWPORT 0 , 0 , N , 208", {"g3d.setViewport(0,0,N,208);"}},
        // Cleared with the colour set last.
        {"3D.CLEAR", {"g3d.clear(background);"}},
        {"3D.RESETLIGHTS", {"g3d.resetLights();"}},
        {"3D.SETLIGHTCOLOR L1 , 16711680", {"L1.setColor(16711680);"}},
        {"3D.PREPARETEXTURE PIC",
         {"Write:image2D = new Image2D( image2D.RGB, PIC);", "texture2D = new Texture2D( image2D );"}},
        {"3D.SETBACKGROUNDCOLOR 255", {"background.setColor(255);"}},
        {"3D.SETBACKGROUNDIMAGE PIC",
         {"Write:{ Image2D bgImage2D = new Image2D(image2D.RGB,PIC);", "background.setImage(bgImage2D); }"}},
        {"3D.FOG LINEAR", {"fog = new Fog(); fog.setMode(Fog.LINEAR);"}},
        {"3D.FOGOFF", {"fog = null;"}},
        {"W [ 0 ] = SHIP",
         {"if (SHIP.getParent() != W[0]) { if (SHIP.getParent() != null) ((Group) SHIP.getParent())"
          ".removeChild(SHIP); W[0].addChild(SHIP); }"}},
        {"GRID [ 1 , N ] = L1",
         {"if (L1.getParent() != GRID[1][N]) { if (L1.getParent() != null) ((Group) L1.getParent())"
          ".removeChild(L1); GRID[1][N].addChild(L1); }"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(output(row.statement), row.lines) << row.statement;
    }
    EXPECT_EQ(ctx.objects.getObjectName(1), "ROCK");
    EXPECT_EQ(ctx.objects.getObjectCompilesName(1), "MODEL");
    EXPECT_EQ(ctx.objects.getObjectArrayName(0), "ROCKS");
    EXPECT_EQ(ctx.objects.getObjectArrayCompilesName(0), "MODEL");
}

TEST_F(ThreeDTest, RefusalsAreCompileErrors) {
    start("TB");
    declareAndOpenMain();
    struct Row {
        const char* statement;
        std::string message;
    } rows[] = {
        {"OBJECT ROCK", res("Error_Object_requires")},
        {"OBJECT ROCK , MODEL , 2", res("Error_Object_requires")},
        {"OBJECT ROCK , ", res("Error_Object_requires")},
        {"OBJECT ROCK MODEL , X", res("Error_Object_requires")},
        {"OBJECT L1 , MODEL2", res("Error_Name_in_use") + "L1"},
        {"OBJECT 9LIVES , MODEL", res("Error_Object_name_is")},
        {"OBJECT ROCK , SHIP", res("Error_Object_model_is")},
        {"OBJECT ROCK , N", res("Error_Object_model_is")},
        {"OBJECT.ARRAY ROCKS , MODEL", res("Error_Image_Array")},
        {"OBJECT.ARRAY ROCKS MODEL , X , 2", res("Error_Image_Array")},
        {"OBJECT.ARRAY SHIP , MODEL , 2", res("Error_Name_in_use") + "SHIP"},
        // The model class must be a Java class among the includes, named as the statement names it.
        {"OBJECT ROCK , NOMODEL", res("Error_No_model_class") + "NOMODEL in the project's includes"},
        {"OBJECT ROCK , MODEL3", res("Error_No_model_class") + "MODEL3 in the project's includes"},
        {"OBJECT.ARRAY ROCKS , NOMODEL , 2",
         res("Error_No_model_class") + "NOMODEL in the project's includes"},
        {"3D.RENDER", res("Error_3D_Render")},
        {"3D.RENDER SHIP [ 1 ]", res("Error_3D_Render")},
        {"3D.RENDER W", res("Error_3D_Render")},
        {"3D.RENDER W , W [ 1 ]", res("Error_3D_Render")},
        {"3D.RENDER W [ 1 ] X", res("Error_3D_Render")},
        {"3D.RENDER W [ ]", res("Error_3D_Render")},
        {"3D.RENDER GRID [ 1 ]", res("Error_3D_Render")},
        {"3D.RENDER W [ 1 , 1 ]", res("Error_3D_Render")},
        {"3D.RENDER W [ F ]", res("Error_Unknown_Value")},
        {"3D.RENDER W [ 1", res("Error_Expecting_")},
        {"3D.SETCAMERAROTATION L1 , 1 , 2", res("Error_3D")},
        {"3D.SETCAMERAROTATION SHIP , 1 , 2 , 3", res("Error_Expecting")},
        {"3D.SETVIEWPORT 1 , 2", res("Error_3D_SetViewport")},
        {"3D.SETLIGHTCOLOR L1", res("Error_3D")},
        {"3D.SETLIGHTCOLOR SHIP , 1", res("Error_Expecting_Light")},
        {"3D.PREPARETEXTURE", res("Error_3D")},
        {"3D.PREPARETEXTURE PIC , PIC", res("Error_3D")},
        {"3D.SETBACKGROUNDCOLOR", res("Error_3D")},
        {"3D.SETBACKGROUNDIMAGE PIC , 1", res("Error_3D")},
        {"3D.FOG", res("Error_Fog_requires")},
        {"3D.FOG EXPONENTIAL", res("Error_Fog_requires")},
        {"3D.FOG LINEAR , 1", res("Error_Fog_requires")},
        {"WORLD", res("Error_World_requires")},
        {"WORLD V", res("Error_World_requires")},
        {"WORLD V 2", res("Error_World_requires")},
        {"WORLD V [", res("Error_World_requires")},
        {"WORLD V [ 2 ,", res("Error_World_requires")},
        {"WORLD V [ 2 , ]", res("Error_Array_size_must")},
        {"WORLD V [ N ]", res("Error_Array_size_must")},
        {"WORLD V [ - ]", res("Error_Array_size_must")},
        {"WORLD V [ 2", res("Error_Expecting_")},
        {"WORLD V [ 2 3 ]", res("Error_World_requires")},
        {"WORLD V [ 2 ] X", res("Error_World_requires")},
        {"WORLD W [ 2 ]", res("Error_World_name_is")},
        {"WORLD SHIP [ 2 ]", res("Error_World_name_is")},
        {"WORLD 2 [ 2 ]", res("Error_World_name_is")},
        {"W [ 0 ] = NOTHING", res("Error_Object_is_not")},
        {"W [ 0 ] = SHIP , SHIP", res("Error_Object_is_not")},
        {"W [ 0 ] SHIP", res("Error_Object_is_not")},
        {"W [ 0 ] =", res("Error_Object_is_not")},
        {"W = SHIP", res("Error_Object_is_not")},
        {"GRID [ 0 ] = SHIP", res("Error_Object_is_not")},
    };
    for (const Row& row : rows) {
        const std::size_t worlds = ctx.worlds.names().size();
        EXPECT_EQ(refusal(row.statement), row.message) << row.statement;
        EXPECT_EQ(ctx.worlds.names().size(), worlds) << row.statement;
    }
    EXPECT_EQ(ctx.objects.getObjectCount(), 1);
    EXPECT_EQ(ctx.objects.getObjectArrayCount(), 0);
}

TEST_F(ThreeDTest, AppletRefusesEveryStatement) {
    start("Applet");
    for (const char* statement : {"LIGHT L1", "CAMERA C1", "WORLD W [ 2 ]"}) {
        EXPECT_EQ(refusal(statement), res("Error_This_command_is")) << statement;
    }
    for (const char* statement :
         {"OBJECT SHIP , MODEL", "OBJECT.ARRAY S , MODEL , 2", "3D.START", "3D.END", "3D.RENDER W [ 0 ]",
          "3D.SETCAMERAROTATION L , 1 , 2 , 3", "3D.SETVIEWPORT 0 , 0 , 1 , 1", "3D.CLEAR", "3D.RESETLIGHTS",
          "3D.SETLIGHTCOLOR L , 1", "3D.PREPARETEXTURE PIC", "3D.SETBACKGROUNDCOLOR 1",
          "3D.SETBACKGROUNDIMAGE PIC", "3D.FOG LINEAR", "3D.FOGOFF"}) {
        EXPECT_EQ(refusal(statement), res("Error_This_command_is")) << statement;
    }
    EXPECT_EQ(ctx.worlds.count(), 0);
    EXPECT_EQ(ctx.objects.getObjectCount(), 0);
}

TEST_F(ThreeDTest, InsidePauseTheStatementsAreNoKeywords) {
    start("TB");
    declareAndOpenMain();
    ctx.functions.enter(OwnerKind::Pause);
    EXPECT_EQ(refusal("3D.CLEAR"), res("Error_The_error"));
    EXPECT_EQ(refusal("OBJECT ROCK , MODEL"), res("Error_The_error"));
}

// Any 3D word, declarations and the fog-off statement included, makes a 3D program.
TEST(ThreeDWords, EveryStatementWordRaisesTheFlag) {
    for (const char* first : {"LIGHT L", "CAMERA C", "WORLD W [ 1 ]", "3D.FOGOFF", "3D.CLEAR", "OBJECT A , B",
                              "3D.SETBACKGROUNDIMAGE P", "3D.RENDER W [ 0 ]"}) {
        std::ostringstream out;
        Context ctx(out, false);
        ctx.project.platform = "TB";
        ctx.library.instantiate();
        EXPECT_EQ(Preverify(ctx)({first}), std::nullopt);
        EXPECT_TRUE(ctx.library.uses3D()) << first;
    }
    std::ostringstream out;
    Context ctx(out, false);
    ctx.library.instantiate();
    EXPECT_FALSE(ctx.library.isM3G("3D.FOG.OFF"));
    EXPECT_TRUE(ctx.library.isStart("WORLD"));
}

}  // namespace
}  // namespace compiler
