// Golden tables of the widget, image, sprite and drawing statements: source line -> exact Java text per
// target, exact errors, writer calls and warnings.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/messages.h"
#include "driver/token_line.h"
#include "recording_writer.h"
#include "registry_fixture.h"
#include "statements/convertor.h"
#include "test_helpers.h"

namespace compiler {
namespace {

// One translator over a program that has declared, before the main section, the images SHIP and TILESET,
// the image array TILES, the sprite HERO, the sprite array ENEMIES, the canvas MENU, the form MAINFORM,
// the button OK, the text box NAMEBOX, the list CHOICES and the variables X, SCORE (integer) and NAME$.
struct ScreenRun {
    explicit ScreenRun(const std::string& platform, const std::string& section = "MAIN") : ctx(out, false) {
        ctx.project.platform = platform;
        ctx.project.name = "Game";
        ctx.library.instantiate();
        for (const char* image : {"SHIP", "TILESET"}) ctx.objects.addImage(image);
        ctx.objects.addImageArray("TILES");
        ctx.objects.addSprite("HERO");
        ctx.objects.addSpriteArray("ENEMIES");
        ctx.objects.addCanvas("MENU");
        ctx.objects.addForm("MAINFORM");
        ctx.objects.addButton("OK");
        ctx.objects.addTextbox("NAMEBOX");
        ctx.objects.addList("CHOICES");
        convertor = makeConvertor(ctx, writer);
        ctx.variables.add("X", TypeCodes::cInt);
        ctx.variables.add("SCORE", TypeCodes::cInt);
        ctx.variables.add("NAME", TypeCodes::cString);
        enterOwner(ctx.functions, section);
    }

    std::string translate(const std::string& statement) {
        std::vector<std::string> tokens = tokenize(statement);
        return convertor->GetJava(tokens, static_cast<int>(tokens.size()));
    }

    // The first line of the refusal, or "" when the line translated.
    std::string refusal(const std::string& statement) {
        try {
            translate(statement);
        } catch (const CompileException& e) {
            return e.problems().front();
        }
        return "";
    }

    std::ostringstream out;
    Context ctx;
    RecordingWriter writer;
    std::unique_ptr<StatementTranslator> convertor;
};

struct TextRow {
    const char* platform;
    const char* line;
    std::string java;
};

struct ErrorRow {
    const char* platform;
    const char* line;
    std::string error;
};

void expectTexts(const std::vector<TextRow>& rows, const std::string& section = "MAIN") {
    for (const TextRow& row : rows) {
        ScreenRun run(row.platform, section);
        try {
            EXPECT_EQ(run.translate(row.line), row.java) << row.platform << ": " << row.line;
        } catch (const CompileException& e) {
            ADD_FAILURE() << row.platform << ": " << row.line << " refused: " << e.problems().front();
        }
        EXPECT_TRUE(run.writer.calls.empty()) << row.line;
        EXPECT_EQ(run.out.str(), "") << row.line;
    }
}

void expectErrors(const std::vector<ErrorRow>& rows, const std::string& section = "MAIN") {
    for (const ErrorRow& row : rows) {
        ScreenRun run(row.platform, section);
        EXPECT_EQ(run.refusal(row.line), row.error) << row.platform << ": " << row.line;
    }
}

const char* const kPhone = "TB";
const char* const kApplet = "Applet";
// A function of the program: drawing statements stand there (a PAINT action may call it).
const char* const kFunction = "DRAWER";

TEST(FormStatements, DeclarationsGiveFieldsAndRegisterTheirNames) {
    expectTexts(
        {
            {kPhone, "button Back, \"Back\", 2", "Command BACK = new Command(\"Back\",Command.SCREEN,2);"},
            {kPhone, "BUTTON GO, NAME$, X + 1", "Command GO = new Command(NAME,Command.SCREEN,X + 1);"},
            {kPhone, "FORM F1, \"Title\"", "Form F1 = new Form(\"Title\");"},
            {kPhone, "TEXTBOX T1, \"Name\", \"Bob\", 20, 0",
             "TextField T1 = new TextField(\"Name\",\"Bob\",20,TextField.ANY);"},
            {kPhone, "TEXTBOX T1, \"Mail\", \"\", 40, 1",
             "TextField T1 = new TextField(\"Mail\",\"\",40,TextField.EMAILADDR);"},
            {kPhone, "TEXTBOX T1, \"Age\", \"\", 3, 2",
             "TextField T1 = new TextField(\"Age\",\"\",3,TextField.NUMERIC);"},
            {kPhone, "TEXTBOX T1, \"Pin\", \"\", 4, 3",
             "TextField T1 = new TextField(\"Pin\",\"\",4,TextField.PASSWORD);"},
            {kPhone, "TEXTBOX T1, \"Tel\", \"\", 12, 4",
             "TextField T1 = new TextField(\"Tel\",\"\",12,TextField.PHONENUMBER);"},
            {kPhone, "TEXTBOX T1, \"Web\", \"\", 60, 5",
             "TextField T1 = new TextField(\"Web\",\"\",60,TextField.URL);"},
            {kPhone, "LABEL L1, \"A\", \"B\"", "StringItem L1 = new StringItem(\"A\",\"B\");"},
            {kPhone, "LIST L1, \"Pick\", 0", "List L1 = new List(\"Pick\",Choice.EXCLUSIVE);"},
            {kPhone, "LIST L1, \"Pick\", 1", "List L1 = new List(\"Pick\",Choice.IMPLICIT);"},
            {kPhone, "LIST L1, \"Pick\", 2", "List L1 = new List(\"Pick\",Choice.MULTIPLE);"},
        },
        "GLOBAL");

    ScreenRun run(kPhone, "GLOBAL");
    run.translate("BUTTON B2, \"Fire\", 1");
    run.translate("FORM F2, \"Main\"");
    run.translate("TEXTBOX T2, \"a\", \"b\", 5, 0");
    run.translate("LABEL L2, \"a\", \"b\"");
    run.translate("LIST L3, \"a\", 1");
    const Objects& objects = run.ctx.objects;
    EXPECT_EQ(objects.Buttons.indexOf("B2"), 1);
    EXPECT_EQ(objects.Forms.indexOf("F2"), 1);
    EXPECT_EQ(objects.Textboxes.indexOf("T2"), 1);
    EXPECT_EQ(objects.Labels.indexOf("L2"), 0);
    EXPECT_EQ(objects.Lists.indexOf("L3"), 1);
    EXPECT_EQ(run.ctx.functions.CurrentFunction, "GLOBAL");  // declaration keywords keep the section open
}

TEST(FormStatements, DeclarationRefusals) {
    const std::string target = res("Error_This_command_is");
    expectErrors(
        {
            {kApplet, "BUTTON B, \"Back\", 2", target},
            {kApplet, "FORM F1, \"T\"", target},
            {kApplet, "TEXTBOX T1, \"a\", \"b\", 5, 0", target},
            {kApplet, "LABEL L1, \"a\", \"b\"", target},
            {kApplet, "LIST L1, \"a\", 0", target},
            {kPhone, "FORM F1", res("Error_Form_requires")},
            {kPhone, "FORM F1, \"a\", \"b\"", res("Error_Form_requires")},
            {kPhone, "FORM , \"a\"", res("Error_Form_requires")},
            {kPhone, "TEXTBOX T1, \"a\", \"b\", 5", res("Error_TextBox")},
            {kPhone, "TEXTBOX T1, \"a\", \"b\", 5 + 1, 0", res("Error_Textbox_expects")},
            {kPhone, "TEXTBOX T1, \"a\", \"b\", 5, 6", res("Error_Contraint_must")},
            {kPhone, "TEXTBOX T1, \"a\", \"b\", 5, X", res("Error_Contraint_must")},
            {kPhone, "LABEL L1, \"a\"", res("Error_Label_requires")},
            {kPhone, "LIST L1, \"a\"", res("Error_List_requires")},
            {kPhone, "LIST L1, \"a\" + NAME$, 1", res("Error_List_expects")},
            {kPhone, "LIST L1, \"a\", 3", res("Error_List_Type")},
            {kPhone, "BUTTON B, \"Back\"", res("Error_Number_of")},
            {kPhone, "BUTTON B, , 2", res("Error_Number_of")},
            {kPhone, "BUTTON B, \"a\", NAME$", res("Error_Expecting_I")},
        },
        "GLOBAL");
    // Widgets are fields: after the main section has opened they are refused.
    expectErrors({
        {kPhone, "BUTTON B, \"Back\", 2", res("Error_Buttons_must_be")},
        {kPhone, "FORM F1, \"T\"", res("Error_Forms_must_be")},
        {kPhone, "TEXTBOX T1, \"a\", \"b\", 5, 0", res("Error_Textboxes_must")},
        {kPhone, "LABEL L1, \"a\", \"b\"", res("Error_Labels_must_be")},
        {kPhone, "LIST L1, \"a\", 0", res("Error_Lists_must_be")},
        {kApplet, "BUTTON B, \"Back\", 2", res("Error_This_command_is")},  // the target comes first
    });
}

TEST(FormStatements, WidgetsInUse) {
    expectTexts({
        {kPhone, "BUTTON.SHOW MAINFORM, OK", "MAINFORM.addCommand(OK);"},
        {kPhone, "button.show menu, ok", "MENU.addCommand(OK);"},
        {kPhone, "BUTTON.HIDE MENU, OK", "MENU.removeCommand(OK);"},
        {kPhone, "LIST.APPEND CHOICES, \"Red\"", "CHOICES.append(\"Red\" ,null);"},
        {kPhone, "LIST.APPEND CHOICES, NAME$", "CHOICES.append(NAME ,null);"},
        {kPhone, "TEXTBOX.SHOW MAINFORM, NAMEBOX", "MAINFORM.append(NAMEBOX);"},
        {kPhone, "FORM.REMOVE MAINFORM, 2", "MAINFORM.delete(2);"},
        {kPhone, "ALERT \"Hi\", \"There\", SHIP, 3000",
         "alert = new Alert(\"Hi\",\"There\",SHIP,AlertType.INFO); alert.setTimeout(3000); "
         "Display.getDisplay(this).setCurrent(alert);"},
        {kPhone, "ALERT \"Hi\", NAME$, NULL, X * 2",
         "alert = new Alert(\"Hi\",NAME,null,AlertType.INFO); alert.setTimeout(X * 2); "
         "Display.getDisplay(this).setCurrent(alert);"},
        {kPhone, "SETDISPLAY MAINFORM", "display.setCurrent(MAINFORM);"},
        {kPhone, "SETDISPLAY MENU", "display.setCurrent(MENU);"},
        {kApplet, "SETDISPLAY MENU", "MainPanel.removeAll(); MainPanel.add(MENU); MainPanel.validate();"},
        {kPhone, "LISTENER MAINFORM", "MAINFORM.setCommandListener(this);"},
        {kPhone, "LISTENER MENU", "MENU.setCommandListener(this);"},
    });

    // Inside a canvas the actions are methods of an inner class: the program object is named in full.
    ScreenRun run(kPhone);
    run.ctx.scope.CurrentCanvas = "MENU";
    run.ctx.scope.CurrentAction = "KEYPRESSED";
    EXPECT_EQ(run.translate("LISTENER MENU"), "MENU.setCommandListener(Game.this);");
    EXPECT_EQ(run.translate("ALERT \"a\", \"b\", NULL, 10"),
              "alert = new Alert(\"a\",\"b\",null,AlertType.INFO); alert.setTimeout(10); "
              "Display.getDisplay(Game.this).setCurrent(alert);");
    EXPECT_EQ(run.translate("REPAINT"), "repaint();");
}

TEST(FormStatements, WidgetRefusals) {
    expectErrors({
        {kPhone, "BUTTON.SHOW MAINFORM OK", res("Error_Button_Show")},
        {kPhone, "BUTTON.SHOW SHIP, OK", res("Error_Button_Canvas")},
        {kPhone, "BUTTON.SHOW MAINFORM, SHIP", res("Error_Button_Name")},
        {kPhone, "BUTTON.HIDE MAINFORM, OK, OK", res("Error_Button_Hide")},
        {kPhone, "BUTTON.HIDE NAMEBOX, OK", res("Error_Canvas_or_Form")},
        {kPhone, "BUTTON.HIDE MENU, MENU", res("Error_Button_name_is")},
        {kPhone, "LIST.APPEND MAINFORM, \"a\"", res("Error_List_Append")},
        {kPhone, "LIST.APPEND CHOICES, \"a\" + \"b\"", res("Error_List_Append")},
        {kPhone, "LIST.APPEND CHOICES, X", res("Error_Expecting")},
        {kPhone, "LIST.APPEND UNKNOWN, \"a\"", res("Error_Expecting_name")},
        {kPhone, "TEXTBOX.SHOW MAINFORM", res("Error_Textbox_Show")},
        {kPhone, "TEXTBOX.SHOW MENU, NAMEBOX", res("Error_Form_is_invalid")},
        {kPhone, "TEXTBOX.SHOW MAINFORM, CHOICES", res("Error_Textbox_Name")},
        {kPhone, "FORM.REMOVE MAINFORM, X", res("Error_Form_Remove")},
        {kPhone, "FORM.REMOVE MENU, 1", res("Error_Form_Remove")},
        {kPhone, "FORM.REMOVE MAINFORM, -", res("Error_Form_Remove")},
        {kPhone, "ALERT \"a\", \"b\", SHIP", res("Error_Alert_requires")},
        {kPhone, "ALERT \"a\", \"b\", TILES, 5", res("Error_Image_name_is")},
        {kApplet, "ALERT \"a\", \"b\", NULL, 5", res("Error_This_command_is")},
        {kPhone, "SETDISPLAY", res("Error_SetDisplay")},
        {kPhone, "SETDISPLAY MAINFORM, MENU", res("Error_SetDisplay")},
        {kPhone, "SETDISPLAY NAMEBOX", res("Error_SetDisplay")},
        {kPhone, "LISTENER", res("Error_Listener")},
        {kPhone, "LISTENER CHOICES", res("Error_Listener_cannot")},
        {kApplet, "LISTENER MENU", res("Error_A_canvas_cannot")},
    });
    // REPAINT is a keyword only inside a canvas action; elsewhere it is no statement of its own.
    ScreenRun run(kPhone);
    EXPECT_EQ(run.refusal("REPAINT"), res("Error_The_error"));
}

TEST(ImageStatements, Texts) {
    const std::string wrap =
        " }catch(IOException imageError){ throw new RuntimeException(imageError.getMessage()); }";
    expectTexts({
        {kPhone, "IMAGE.ARRAY TILES, \"/t.png\", 4",
         "TILES = new Image[4];for(GameTemp=0;GameTemp<4;GameTemp++){ try{ TILES[GameTemp] = "
         "Image.createImage(\"/t.png\");" +
             wrap + " }"},
        {kApplet, "IMAGE.ARRAY TILES, NAME$, X",
         "TILES = new Image[X];for(GameTemp=0;GameTemp<X;GameTemp++){ try{ TILES[GameTemp] = "
         "readImage(NAME);" +
             wrap + " }"},
        // A literal keeps every character.
        {kPhone, "IMAGE.ARRAY TILES, \"floor_tiles.png\", 2",
         "TILES = new Image[2];for(GameTemp=0;GameTemp<2;GameTemp++){ try{ TILES[GameTemp] = "
         "Image.createImage(\"floor_tiles.png\");" +
             wrap + " }"},
        {kPhone, "LAYER 10, 8, TILESET, 16, 16", "tiles = new TiledLayer(10,8,TILESET,16,16);"},
        {kPhone, "LAYER.FILLCELL 0, 0, 10, 8, X + 1", "tiles.fillCells(0,0,10,8,X + 1);"},
        {kPhone, "LAYER.UPDATE", "layers.append(tiles)"},
        {kPhone, "SPRITE HERO, SHIP", "HERO = new Sprite(SHIP);"},
        {kPhone, "SPRITE.ANIMATION HERO, SHIP, 16, 24", "HERO = new Sprite(SHIP,16,24);"},
        {kPhone, "SPRITE.ARRAY ENEMIES, SHIP, 5",
         "ENEMIES = new Sprite[5];for(GameTemp=0;GameTemp<5;GameTemp++){ ENEMIES[GameTemp] = new "
         "Sprite(SHIP); }"},
        {kPhone, "SPRITE.MOVE HERO, 1, -2", "HERO.move(1,-2);"},
        {kPhone, "SPRITE.MOVE ENEMIES, X, 0, SCORE", "ENEMIES[SCORE].move(X,0);"},
        {kPhone, "SPRITE.POSITION HERO, 10, 20", "HERO.setPosition(10,20);"},
        {kPhone, "SPRITE.POSITION ENEMIES, 10, 20, 3", "ENEMIES[3].setPosition(10,20);"},
        // Arguments are found by the commas outside brackets.
        {kPhone, "SPRITE.POSITION ENEMIES, MAX(1, 2), 3, SCORE",
         "ENEMIES[SCORE].setPosition(Math.max(1,2),3);"},
        {kPhone, "SPRITE.MOVE ENEMIES, MIN(1, 2), 0, X", "ENEMIES[X].move(Math.min(1,2),0);"},
        {kPhone, "SPRITE.SETFRAME ENEMIES, LEN(NAME$), MAX(X, 1)",
         "ENEMIES[Math.max(X,1)].setFrame(String.valueOf(NAME).length());"},
        // Decimal literals reach the Java without leading zeros.
        {kPhone, "SPRITE.SETFRAME HERO, 010", "HERO.setFrame(10);"},
        {kPhone, "SPRITE.ROTATION HERO, 090", "HERO.setTransform(5);"},
        {kPhone, "SPRITE.SEQUENCE HERO, 01, 08, 0", "HERO.setFrameSequence(new int[] {1,8,0,});"},
        {kPhone, "SPRITE.ROTATION HERO, 0", "HERO.setTransform(0);"},
        {kPhone, "SPRITE.ROTATION HERO, 90", "HERO.setTransform(5);"},
        {kPhone, "SPRITE.ROTATION HERO, 180", "HERO.setTransform(3);"},
        {kPhone, "SPRITE.ROTATION ENEMIES, 270, 1", "ENEMIES[1].setTransform(6);"},
        {kPhone, "SPRITE.MIRROR HERO, 0", "HERO.setTransform(2);"},
        {kPhone, "SPRITE.MIRROR HERO, 90", "HERO.setTransform(7);"},
        {kPhone, "SPRITE.MIRROR HERO, 180", "HERO.setTransform(1);"},
        {kPhone, "SPRITE.MIRROR ENEMIES, 270, X", "ENEMIES[X].setTransform(4);"},
        {kPhone, "SPRITE.SEQUENCE HERO, 1, 2, 3", "HERO.setFrameSequence(new int[] {1,2,3,});"},
        {kPhone, "SPRITE.SEQUENCE ENEMIES, 2, 0, 1", "ENEMIES[2].setFrameSequence(new int[] {0,1,});"},
        {kPhone, "SPRITE.SEQUENCE ENEMIES, X + 1, 4", "ENEMIES[X + 1].setFrameSequence(new int[] {4,});"},
        {kPhone, "SPRITE.NEXT HERO", "HERO.nextFrame();"},
        {kPhone, "SPRITE.NEXT ENEMIES, 0", "ENEMIES[0].nextFrame();"},
        {kPhone, "SPRITE.PREVIOUS HERO", "HERO.prevFrame();"},
        {kPhone, "SPRITE.PREVIOUS ENEMIES, SCORE", "ENEMIES[SCORE].prevFrame();"},
        {kPhone, "SPRITE.SETFRAME HERO, 2", "HERO.setFrame(2);"},
        {kPhone, "SPRITE.SETFRAME ENEMIES, 2, 4", "ENEMIES[4].setFrame(2);"},
        {kPhone, "MEM.FLUSH", "Runtime.getRuntime().gc();"},
        {kApplet, "MEM.FLUSH", "Runtime.getRuntime().gc();"},
    });
}

// An image load inside the TRY part is left to the program's CATCH IO; anywhere else a failure becomes
// unchecked, so a function or an applet method that holds the load still compiles.
TEST(ImageStatements, LoadsFollowTheErrorBlock) {
    const std::string wrapStart = "try{ ";
    const std::string wrapEnd =
        " }catch(IOException imageError){ throw new RuntimeException(imageError.getMessage()); }";
    for (const char* platform : {kPhone, kApplet}) {
        const std::string load = std::string(platform) == kPhone ? "SHIP = Image.createImage(\"/ship.png\");"
                                                                 : "SHIP = readImage(\"/ship.png\");";
        ScreenRun run(platform);
        auto& c = static_cast<Convertor&>(*run.convertor);
        c.InError = true;
        c.FirstCatch = true;
        EXPECT_EQ(run.translate("IMAGE SHIP, \"/ship.png\""), load);
        EXPECT_EQ(run.translate("IMAGE.ARRAY TILES, \"/ship.png\", 2"),
                  "TILES = new Image[2];for(GameTemp=0;GameTemp<2;GameTemp++){ TILES[GameTemp]" +
                      load.substr(4) + " }");
        c.FirstCatch = false;  // in the CATCH part
        EXPECT_EQ(run.translate("IMAGE SHIP, \"/ship.png\""), wrapStart + load + wrapEnd);
    }
}

TEST(ImageStatements, Refusals) {
    const std::string target = res("Error_This_command_is");
    expectErrors({
        {kPhone, "IMAGE SHIP", res("Error_Image_requires")},
        {kPhone, "IMAGE SHIP, \"a\", \"b\"", res("Error_Image_requires")},
        {kPhone, "IMAGE.ARRAY TILES, \"a\"", res("Error_Image_Array")},
        {kPhone, "LAYER 10, 8, TILESET, 16", res("Error_Layer_requires")},
        {kPhone, "LAYER 10, 8, TILES, 16, 16", res("Error_Image_name_is")},
        {kApplet, "LAYER 10, 8, TILESET, 16, 16", target},
        {kPhone, "LAYER.FILLCELL 0, 0, 10, 8", res("Error_Layer_FillCell")},
        {kPhone, "LAYER.FILLCELL 0, 0, 10, 8, TILESET", res("Error_Expecting_I")},
        {kApplet, "LAYER.FILLCELL 0, 0, 10, 8, 1", target},
        {kApplet, "LAYER.UPDATE", target},
        {kPhone, "SPRITE HERO", res("Error_Sprite_requires")},
        {kApplet, "SPRITE HERO, SHIP", target},
        {kApplet, "SPRITE HERO", res("Error_Sprite_requires")},  // the count comes first
        {kPhone, "SPRITE HERO, TILES", res("Error_Image_name_is")},
        {kPhone, "SPRITE.ANIMATION HERO, SHIP, 16", res("Error_Sprite")},
        {kApplet, "SPRITE.ANIMATION HERO, SHIP, 16, 16", target},
        {kPhone, "SPRITE.ARRAY ENEMIES, SHIP", res("Error_Sprite_Array")},
        {kApplet, "SPRITE.ARRAY ENEMIES, SHIP, 2", target},
        {kPhone, "SPRITE.MOVE HERO, 1", res("Error_Sprite_Move")},
        {kPhone, "SPRITE.MOVE HERO, 1, 2, 3", res("Error_Sprite_Move")},
        {kPhone, "SPRITE.MOVE ENEMIES, 1, 2", res("Error_Sprite_Move")},
        {kPhone, "SPRITE.MOVE SHIP, 1, 2", res("Error_Sprite_name_is")},
        {kApplet, "SPRITE.MOVE HERO, 1, 2", target},
        {kPhone, "SPRITE.POSITION HERO, 1", res("Error_Sprite_Position")},
        {kPhone, "SPRITE.POSITION ENEMIES, 1, 2", res("Error_Sprite_Position")},
        {kPhone, "SPRITE.ROTATION HERO", res("Error_Sprite_Rotation")},
        {kPhone, "SPRITE.ROTATION HERO, 45", res("Error_Rotation_value")},
        {kPhone, "SPRITE.ROTATION HERO, X", res("Error_Rotation_value")},
        {kPhone, "SPRITE.ROTATION HERO, 90 + 0", res("Error_Rotation_value")},
        {kPhone, "SPRITE.MIRROR HERO, 45", res("Error_Rotation_value")},
        {kPhone, "SPRITE.MIRROR ENEMIES, 90", res("Error_Sprite_Mirror")},
        {kPhone, "SPRITE.SEQUENCE HERO, 1, X", res("Error_Integer")},
        {kPhone, "SPRITE.SEQUENCE HERO, 1 2", res("Error_Integer")},
        {kPhone, "SPRITE.SEQUENCE HERO, 1,", res("Error_Integer")},
        {kPhone, "SPRITE.SEQUENCE ENEMIES, 1, -, 2", res("Error_Integer")},
        {kApplet, "SPRITE.SEQUENCE HERO, 1", target},
        {kPhone, "SPRITE.NEXT", res("Error_Sprite_Next")},
        {kPhone, "SPRITE.NEXT ENEMIES", res("Error_Sprite_Next")},
        {kPhone, "SPRITE.PREVIOUS HERO, 1", res("Error_Sprite_Previous")},
        {kPhone, "SPRITE.SETFRAME HERO", res("Error_Sprite_SetFrame")},
        {kPhone, "SPRITE.SETFRAME HERO, NAME$", res("Error_Expecting_I")},
    });
}

TEST(DrawingStatements, Texts) {
    const std::string anchor = ",Graphics.TOP | Graphics.LEFT);";
    expectTexts(
        {
            {kPhone, "SETCLIP 0, 0, 100, X", "g.setClip(0,0,100,X);"},
            {kApplet, "SETCLIP 0, 0, 100, X", "g.setClip(0,0,100,X);"},
            {kPhone, "SETCOLOR 255, 0, SCORE / 2", "g.setColor(255,0,SCORE / 2);"},
            {kApplet, "SETCOLOR 255, 0, 0", "g.setColor(new Color(255,0,0));"},
            {kPhone, "SETGREY 128", "g.setGrayScale(128);"},
            {kPhone, "DRAWLINE 0, 0, 10, 10", "g.drawLine(0,0,10,10);"},
            {kPhone, "DRAWRECTANGLE 1, 2, 3, 4", "g.drawRect(1,2,3,4);"},
            {kPhone, "DRAWFILLEDRECTANGLE 1, 2, 3, 4", "g.fillRect(1,2,3,4);"},
            {kPhone, "DRAWROUNDRECTANGLE 1, 2, 3, 4, 5, 6", "g.drawRoundRect(1,2,3,4,5,6);"},
            {kApplet, "DRAWROUNDFILLEDRECTANGLE 1, 2, 3, 4, 5, 6", "g.fillRoundRect(1,2,3,4,5,6);"},
            {kPhone, "DRAWARC 1, 2, 3, 4, 0, 90", "g.drawArc(1,2,3,4,0,90);"},
            {kApplet, "DRAWFILLEDARC 1, 2, 3, 4, 0, 360", "g.fillArc(1,2,3,4,0,360);"},
            {kPhone, "SETPOINT X, 5", "g.translate(X,5);"},
            {kPhone, "DRAWSTYLE DOTTED", "g.setStrokeStyle(Graphics.DOTTED);"},
            {kPhone, "drawstyle solid", "g.setStrokeStyle(Graphics.SOLID);"},
            {kApplet, "DRAWSTYLE SOLID", "((Graphics2D) g).setStroke(new BasicStroke());"},
            {kApplet, "DRAWSTYLE DOTTED",
             "((Graphics2D) g).setStroke(new BasicStroke(1.0f, BasicStroke.CAP_BUTT, BasicStroke.JOIN_MITER, "
             "1.0f, "
             "new float[] {1.0f, 1.0f}, 0.0f));"},
            {kPhone, "IMAGE.DRAW SHIP, 10, X + 2", "g.drawImage(SHIP,10,X + 2" + anchor},
            {kApplet, "IMAGE.DRAW SHIP, 10, 20", "g.drawImage(SHIP,10,20,this);"},
            {kPhone, "IMAGE.DRAWARRAY TILES, 0, 16, X", "g.drawImage(TILES[X],0,16" + anchor},
            {kApplet, "IMAGE.DRAWARRAY TILES, 0, 16, 1", "g.drawImage(TILES[1],0,16,this);"},
            {kPhone, "SPRITE.DRAW HERO", "HERO.paint(g);"},
            {kPhone, "SPRITE.DRAWARRAY ENEMIES, 3", "ENEMIES[3].paint(g);"},
            {kPhone, "SPRITE.DRAWARRAY ENEMIES, SCORE", "ENEMIES[SCORE].paint(g);"},
            {kPhone, "DRAWTEXT \"Score\", 0, 0", "g.drawString(\"Score\",0,0" + anchor},
            {kApplet, "DRAWTEXT NAME$, 0, 10", "g.drawString(NAME,0,10);"},
            {kPhone, "LAYER.PAINT 0, 0", "layers.paint(g,0,0);"},
            {kPhone, "FONT SYSTEM, BOLD, LARGE",
             "g.setFont(Font.getFont(Font.FACE_SYSTEM,Font.STYLE_BOLD,Font.SIZE_LARGE));"},
            {kPhone, "FONT MONO, ITALIC, SMALL",
             "g.setFont(Font.getFont(Font.FACE_MONOSPACE,Font.STYLE_ITALIC,Font.SIZE_SMALL));"},
            {kPhone, "FONT PROP, UNDERLINED, MEDIUM",
             "g.setFont(Font.getFont(Font.FACE_PROPORTIONAL,Font.STYLE_UNDERLINED,Font.SIZE_MEDIUM));"},
            {kApplet, "FONT MONO, BOLD, LARGE", "g.setFont(new Font(\"Monospaced\",Font.BOLD,16));"},
            {kApplet, "FONT PROP, ITALIC, SMALL", "g.setFont(new Font(\"SansSerif\",Font.ITALIC,10));"},
            {kApplet, "FONT SYSTEM, PLAIN, MEDIUM", "g.setFont(new Font(\"Dialog\",Font.PLAIN,12));"},
        },
        kFunction);
}

TEST(DrawingStatements, ClsWritesThreeLinesAndRestoresTheColour) {
    struct Row {
        const char* platform;
        bool inCanvas;
        std::vector<std::string> written;
        std::string returned;
    } rows[] = {
        {kPhone,
         true,
         {"Write:GameTemp = g.getColor();", "Write:g.setColor(255, 255, 255);",
          "Write:g.fillRect(0, 0, getWidth(), getHeight());"},
         "g.setColor(GameTemp);"},
        {kPhone,
         false,
         {"Write:GameTemp = g.getColor();", "Write:g.setColor(255, 255, 255);",
          "Write:g.fillRect(0, 0, display.getCurrent().getWidth(), display.getCurrent().getHeight());"},
         "g.setColor(GameTemp);"},
        {kApplet,
         false,
         {"Write:ColorTemp = g.getColor();", "Write:g.setColor(new Color(255, 255, 255));",
          "Write:g.fillRect(0, 0, getWidth(), getHeight());"},
         "g.setColor(ColorTemp);"},
    };
    for (const Row& row : rows) {
        ScreenRun run(row.platform, row.inCanvas ? "MAIN" : kFunction);
        if (row.inCanvas) {
            run.ctx.scope.CurrentCanvas = "MENU";
            run.ctx.scope.CurrentAction = "PAINT";
        }
        EXPECT_EQ(run.translate("CLS"), row.returned);
        EXPECT_EQ(run.writer.calls, row.written);
    }
}

TEST(DrawingStatements, AppletWarnings) {
    ScreenRun grey(kApplet, kFunction);
    EXPECT_EQ(grey.translate("SETGREY 100"), "// SetGrey is not supported on this platform");
    EXPECT_EQ(grey.out.str(), res("Warning_This_command_is") + "\n");

    ScreenRun font(kApplet, kFunction);
    EXPECT_EQ(font.translate("FONT SYSTEM, UNDERLINED, SMALL"),
              "g.setFont(new Font(\"Dialog\",Font.PLAIN,10));");
    EXPECT_EQ(font.out.str(), res("Warning_This_command_is_replaced") + "\n");
}

TEST(DrawingStatements, Refusals) {
    const std::string target = res("Error_This_command_is");
    expectErrors(
        {
            // Count messages are raised, never returned as the line's text.
            {kPhone, "SETCLIP 0, 0, 100", res("Error_SetClip")},
            {kPhone, "DRAWLINE 0, 0, 10", res("Error_DrawLine")},
            {kPhone, "DRAWRECTANGLE 0, 0, 10, 10, 1", res("Error_DrawRectangle")},
            {kPhone, "IMAGE.DRAWARRAY TILES, 0, 0", res("Error_Image_DrawArray")},
            {kPhone, "SETCOLOR 1, 2", res("Error_SetColor")},
            {kPhone, "SETCOLOR 1, , 2", res("Error_SetColor")},
            {kPhone, "SETGREY", res("Error_SetGrey")},
            {kPhone, "DRAWFILLEDRECTANGLE 1, 2, 3", res("Error")},
            {kPhone, "DRAWROUNDRECTANGLE 1, 2, 3, 4", res("Error")},
            {kPhone, "DRAWROUNDFILLEDRECTANGLE 1, 2, 3, 4, 5", res("Error")},
            {kPhone, "DRAWARC 1, 2, 3, 4, 5", res("Error_DrawArc")},
            {kPhone, "DRAWFILLEDARC 1, 2, 3, 4, 5", res("Error_DrawFilledArc")},
            {kPhone, "SETPOINT 1", res("Error_SetPoint")},
            {kPhone, "DRAWLINE 0, 0, 10, NAME$", res("Error_Expecting_I")},
            {kPhone, "DRAWSTYLE", res("Error_DrawStyle")},
            {kPhone, "DRAWSTYLE DASHED", res("Error_DrawStyle_only")},
            {kPhone, "IMAGE.DRAW SHIP, 1", res("Error_Image_Draw")},
            {kPhone, "IMAGE.DRAW TILES, 1, 2", res("Error_Image_name")},
            {kPhone, "IMAGE.DRAW HERO, 1, 2", res("Error_Image_name")},
            {kPhone, "IMAGE.DRAWARRAY SHIP, 0, 0, 1", res("Error_Image_name")},
            {kPhone, "SPRITE.DRAW", res("Error_Sprite_Draw")},
            {kPhone, "SPRITE.DRAW ENEMIES", res("Error_Sprite_name")},
            {kApplet, "SPRITE.DRAW HERO", target},
            {kPhone, "SPRITE.DRAWARRAY ENEMIES", res("Error_Sprite")},
            {kPhone, "SPRITE.DRAWARRAY HERO, 1", res("Error_Sprite_name")},
            {kPhone, "SPRITE.DRAWARRAY ENEMIES, NAME$", res("Error_Sprite_position")},
            {kPhone, "SPRITE.DRAWARRAY ENEMIES, X + 1", res("Error_Sprite_position")},
            {kApplet, "SPRITE.DRAWARRAY ENEMIES, 1", target},
            {kPhone, "DRAWTEXT \"a\", 1", res("Error_DrawText")},
            {kPhone, "LAYER.PAINT 0", res("Error_Layer_Paint")},
            {kApplet, "LAYER.PAINT 0, 0", target},
            {kPhone, "FONT BIG, BOLD, LARGE", res("Error_Font_face")},
            {kPhone, "FONT MONO, HEAVY, LARGE", res("Error_Font_style")},
            {kPhone, "FONT MONO, BOLD, HUGE", res("Error_Font_size")},
            // Arguments short of the statement's or beyond them are refused, never read past or dropped.
            {kPhone, "FONT SYSTEM, BOLD", res("Error_Number_of")},
            {kPhone, "FONT", res("Error_Number_of")},
            {kPhone, "FONT MONO, BOLD, LARGE, 2", res("Error_Number_of")},
            {kPhone, "CLS 1", res("Error_Number_of")},
            {kPhone, "SETCOLOR 1, 2, 3, 4", res("Error_SetColor")},
        },
        kFunction);
}

// The Graphics the statements draw with is the one a PAINT action is handed: in the main section it is
// null, in the other actions and the special functions there is none to draw with.
TEST(DrawingStatements, StandInPaintActionsAndFunctionsOnly) {
    struct Place {
        const char* function;
        const char* canvas;
        const char* action;
        bool draws;
    };
    const Place places[] = {{"MAIN", "", "", false},
                            {"MAIN", "MENU", "PAINT", true},
                            {"MAIN", "MENU", "KEYPRESSED", false},
                            {"MAIN", "MENU", "LOOP", false},
                            {"MAIN", "MENU", "POINTERDRAGGED", false},
                            {kFunction, "", "", true},
                            {"ACTION", "", "", false},
                            {"PAUSE", "", "", false},
                            {"END", "", "", false}};
    const char* const lines[] = {"CLS",
                                 "SETCLIP 0, 0, 1, 1",
                                 "SETCOLOR 1, 2, 3",
                                 "SETGREY 1",
                                 "DRAWLINE 0, 0, 1, 1",
                                 "DRAWRECTANGLE 0, 0, 1, 1",
                                 "DRAWFILLEDRECTANGLE 0, 0, 1, 1",
                                 "DRAWROUNDRECTANGLE 0, 0, 1, 1, 2, 2",
                                 "DRAWROUNDFILLEDRECTANGLE 0, 0, 1, 1, 2, 2",
                                 "DRAWARC 0, 0, 1, 1, 0, 90",
                                 "DRAWFILLEDARC 0, 0, 1, 1, 0, 90",
                                 "SETPOINT 1, 1",
                                 "DRAWSTYLE DOTTED",
                                 "IMAGE.DRAW SHIP, 0, 0",
                                 "IMAGE.DRAWARRAY TILES, 0, 0, 1",
                                 "SPRITE.DRAW HERO",
                                 "SPRITE.DRAWARRAY ENEMIES, 1",
                                 "DRAWTEXT \"a\", 0, 0",
                                 "LAYER.PAINT 0, 0",
                                 "FONT SYSTEM, BOLD, LARGE"};
    for (const Place& place : places) {
        for (const char* line : lines) {
            ScreenRun run(kPhone, place.function);
            run.ctx.scope.CurrentCanvas = place.canvas;
            run.ctx.scope.CurrentAction = place.action;
            EXPECT_EQ(run.refusal(line), place.draws ? "" : res("Error_Drawing_place"))
                << line << " in " << place.function << " " << place.action;
        }
    }
    // The applet draws the same way; the byte-token targets keep their own drawing statements.
    ScreenRun applet(kApplet);
    EXPECT_EQ(applet.refusal("DRAWTEXT \"a\", 0, 0"), res("Error_Drawing_place"));
    ScreenRun bytes("PPC");
    EXPECT_EQ(bytes.refusal("DRAWTEXT \"a\", 0, 0"), "");
}

}  // namespace
}  // namespace compiler
