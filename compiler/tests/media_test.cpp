// The map, sound, MIDI, record-store, network, serial, Bluetooth and camera statements: statement -> lines
// written and Java text returned, per target and block; refusals by exact text; the flags they raise.
#include <gtest/gtest.h>

#include <sstream>

#include "driver/context.h"
#include "driver/messages.h"
#include "driver/prepass.h"
#include "driver/token_line.h"
#include "recording_writer.h"
#include "statements/convertor.h"

namespace compiler {
namespace {

// Where a statement stands: the main program, a canvas action, or a special function.
enum class Place { Main, Paint, KeyPressed, Loop, ActionFunction, PauseFunction };

class MediaTest : public ::testing::Test {
protected:
    void start(const std::string& platform) {
        ctx.project.platform = platform;
        ctx.library.instantiate();
        ctx.objects.addImage("PIC");
        ctx.objects.addButton("OK");
        convertor = makeConvertor(ctx, writer);
        ctx.variables.add("N", TypeCodes::cInt);
        ctx.variables.add("T", TypeCodes::cString);
    }

    void enter(Place place) {
        Scope& scope = ctx.scope;
        scope.CurrentCanvas.clear();
        scope.CurrentAction.clear();
        ctx.functions.enter(OwnerKind::Main);
        switch (place) {
            case Place::Main:
                break;
            case Place::Paint:
            case Place::KeyPressed:
            case Place::Loop:
                scope.CurrentCanvas = "SCR";
                scope.CurrentAction = place == Place::Paint  ? "PAINT"
                                      : place == Place::Loop ? "LOOP"
                                                             : "KEYPRESSED";
                break;
            case Place::ActionFunction:
                ctx.functions.enter(OwnerKind::Action);
                break;
            case Place::PauseFunction:
                ctx.functions.enter(OwnerKind::Pause);
                break;
        }
    }

    // Lines written through Write, then the returned text.
    std::vector<std::string> output(const std::string& statement) {
        writer.calls.clear();
        std::vector<std::string> tokens = tokenize(statement);
        std::string text = convertor->GetJava(tokens, static_cast<int>(tokens.size()));
        std::vector<std::string> lines;
        for (const auto& call : writer.calls) lines.push_back(call);
        lines.push_back(text);
        return lines;
    }

    // The first line of the refusal, or "(taken)".
    std::string refusal(const std::string& statement) {
        try {
            output(statement);
        } catch (const CompileException& e) {
            return e.problems().front();
        }
        return "(taken)";
    }

    std::ostringstream out;
    Context ctx{out, false};
    RecordingWriter writer;
    std::unique_ptr<StatementTranslator> convertor;
};

const std::string kVideoStart =
    "if(incVideo.HasCamera() == true) { videoControl = (VideoControl) inc.StartCamera(); "
    "videoControl.initDisplayMode(VideoControl.USE_DIRECT_VIDEO, this); try { "
    "videoControl.setDisplayLocation(2, "
    "2); videoControl.setDisplaySize(getWidth() - 4, getHeight() - 4); } catch (MediaException me) { try { "
    "videoControl.setDisplayFullScreen(true); } catch (MediaException me2) {} } }";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST_F(MediaTest, PhoneTexts) {
    start("TB");
    output("DIM FIRST");  // the declaration section stays open; the rows start in the main section
    struct Row {
        Place place;
        const char* statement;
        std::vector<std::string> lines;
    };
    const std::string mapLoad = "} catch (Exception mapError){ mapError.printStackTrace(); }";
    const std::vector<Row> rows = {
        {Place::Paint,
         "MAPPY.LOAD \"level1.fmp\"",
         {"Write:try {", "Write:InputStream inputStream = Include.resource(this, \"level1.fmp\");",
          "Write:Map map = JavaMappy.loadMap(inputStream);",
          "Write:m_mapViewer = JavaMappy.createMapViewer(map, null, getWidth(), getHeight());",
          "Write:inputStream.close();", "Write:m_mapViewer.setX(0); m_mapViewer.setY(0);", mapLoad}},
        {Place::Paint, "mappy.draw", {"m_mapViewer.updateAnimBlocks(); m_mapViewer.draw(b, false);"}},
        {Place::Paint, "MAPPY.SETX N * 2", {"m_mapViewer.setX(N * 2);"}},
        {Place::Paint, "MAPPY.SETY 0", {"m_mapViewer.setY(0);"}},
        {Place::Main, "SOUND.LOAD \"shot.wav\", 1", {"incSound.LoadSound(\"shot.wav\",1);"}},
        {Place::Main, "SOUND.DELETE N", {"incSound.DeleteSound(N);"}},
        {Place::Main, "MIDI.LOAD \"tune.mid\"", {"incMidi.LoadMidi(\"tune.mid\");"}},
        {Place::Main, "MIDI.DELETE", {"incMidi.DeleteMidi();"}},
        {Place::Main, "FILE \"scores\"", {"inc.openRMS(\"scores\");"}},
        {Place::Main, "FILE.CLOSE", {"inc.closeRMS();"}},
        {Place::Main, "FILE.DELETE T$", {"inc.deleteRMS(T);"}},
        {Place::Main, "FILE.WRITE \"best\" + T$", {"inc.writeRMS(\"best\" + T);"}},
        {Place::Main, "SERVER.SEND \"hello_there\"", {"inc.serverSend(\"hello_there\");"}},
        {Place::Main, "SERVER.DISCONNECT", {"inc.serverDisconnect()"}},
        {Place::Main,
         "NET.IMAGE PIC, \"http://x/a.png\"",
         {"PIC= incImage.getImageFromInternet(\"http://x/a.png\");"}},
        {Place::Main, "NET.LOADIMAGE pic, T$", {"PIC= incImage.getImageFromInternetFile(T);"}},
        {Place::Main,
         "NET.DOWNLOAD \"http://x/f\", \"f\"",
         {"inc.getFileFromInternet(\"http://x/f\",\"f\");"}},
        {Place::Main, "COMM.SEND 0, \"AT\"", {"inc.sendStringPort(0,\"AT\");"}},
        {Place::Main, "BLUE.START \"game\", 4660, OK", {"inc.startBluetooth(\"game\",4660,OK);"}},
        {Place::Main, "BLUE.DISCOVER", {"inc.discoverDevices()"}},
        {Place::Paint, "VIDEO.START", {kVideoStart}},
        {Place::KeyPressed, "VIDEO.START", {kVideoStart}},
        // LOOP runs in the canvas's timer task: the canvas is named by its field.
        {Place::Loop, "VIDEO.START", {replaced(kVideoStart, "VIDEO, this)", "VIDEO, SCR)")}},
        // Outside a canvas the picture goes to the screen on display.
        {Place::Main,
         "VIDEO.START",
         {replaced(replaced(replaced(kVideoStart, "VIDEO, this)", "VIDEO, display.getCurrent())"),
                            "getWidth()", "display.getCurrent().getWidth()"),
                   "getHeight()", "display.getCurrent().getHeight()")}},
        {Place::Main,
         "VIDEO.END",
         {"if (videoControl != null) videoControl.setVisible(false); inc.CloseCamera();"}},
        {Place::Main, "VIDEO.SHOW", {"if (videoControl != null) videoControl.setVisible(true);"}},
        {Place::Main, "VIDEO.HIDE", {"if (videoControl != null) videoControl.setVisible(false);"}},
        {Place::Main, "VIDEO.IMAGE PIC", {"PIC= incVideo.capturedImage;"}},
        {Place::Main, "SOUND.PLAY 1", {"incSound.PlaySound(1);"}},
        {Place::Main, "SOUND.LOOP 1, N + 1", {"incSound.LoopSound(1,N + 1);"}},
        {Place::Main, "SOUND.STOP 1", {"incSound.StopSound(1);"}},
        {Place::Main, "MIDI.PLAY", {"incMidi.PlayMidi();"}},
        {Place::Main, "MIDI.LOOP 3", {"incMidi.LoopMidi(3);"}},
        {Place::Main, "MIDI.STOP", {"incMidi.StopMidi();"}},
        // Inside a user function and inside a canvas action the same texts hold.
        {Place::KeyPressed, "SOUND.PLAY 2", {"incSound.PlaySound(2);"}},
        {Place::Loop, "FILE.CLOSE", {"inc.closeRMS();"}},
    };
    for (const Row& row : rows) {
        enter(row.place);
        EXPECT_EQ(output(row.statement), row.lines) << row.statement;
    }
    EXPECT_EQ(ctx.objects.Images.indexOf("PIC"), 0);
}

TEST_F(MediaTest, FlagsRaisedByUse) {
    start("TB");
    output("DIM FIRST");
    struct Row {
        const char* statement;
        bool Library::*flag;
    };
    for (const Row& row :
         {Row{"SOUND.STOP 1", &Library::usesSound}, Row{"MIDI.STOP", &Library::usesMidi},
          Row{"NET.IMAGE PIC, \"u\"", &Library::usesImage}, Row{"VIDEO.HIDE", &Library::usesVideo}}) {
        ctx.library.usesSound = ctx.library.usesMidi = ctx.library.usesImage = ctx.library.usesVideo = false;
        enter(Place::Main);
        output(row.statement);
        EXPECT_TRUE(ctx.library.*(row.flag)) << row.statement;
        EXPECT_EQ(
            ctx.library.usesSound + ctx.library.usesMidi + ctx.library.usesImage + ctx.library.usesVideo, 1)
            << row.statement;
    }
    EXPECT_FALSE(ctx.library.usesMappy());
    enter(Place::Paint);
    output("MAPPY.DRAW");
    EXPECT_TRUE(ctx.library.usesMappy());
}

TEST_F(MediaTest, PhoneRefusals) {
    start("TB");
    output("DIM FIRST");
    enter(Place::Main);
    struct Row {
        Place place;
        const char* statement;
        std::string problem;
    };
    const std::vector<Row> rows = {
        {Place::Paint, "MAPPY.LOAD", res("Error_Mappy_Load")},
        {Place::Paint, "MAPPY.LOAD \"a\", \"b\"", res("Error_Mappy_Load")},
        {Place::Paint, "MAPPY.SETX", res("Error_Number_of")},
        {Place::Main, "SOUND.LOAD \"shot.wav\"", res("Error_Sound_requires")},
        {Place::Main, "SOUND.LOAD \"shot.wav\",", res("Error_Sound_requires")},
        {Place::Main, "SOUND.LOAD , 1", res("Error_Sound_requires")},
        {Place::Main, "SOUND.DELETE", res("Error_Sound_Delete")},
        {Place::Main, "MIDI.LOAD \"a\", 1", res("Error_Midi_requires")},
        {Place::Main, "FILE", res("Error_File_requires")},
        {Place::Main, "FILE.DELETE \"a\", \"b\"", res("Error_File_Delete")},
        {Place::Main, "FILE.WRITE", res("Error_File_Write")},
        {Place::Main, "SERVER.SEND", res("Error_Server_Send")},
        {Place::Main, "NET.IMAGE PIC", res("Error_Net_Image")},
        {Place::Main, "NET.LOADIMAGE PIC", res("Error_Net_LoadImage")},
        {Place::Main, "NET.DOWNLOAD \"u\"", res("Error_Net_Download")},
        {Place::Main, "COMM.SEND \"AT\"", res("Error_Comm_Send")},
        {Place::Main, "BLUE.START \"game\", 1", res("Error_Listener")},
        {Place::Main, "VIDEO.IMAGE", res("Error_Video_Image")},
        {Place::Main, "SOUND.PLAY 1, 2", res("Error_Sound_Play")},
        {Place::Main, "SOUND.LOOP 1", res("Error_Sound_Loop")},
        {Place::Main, "SOUND.STOP", res("Error_Sound_Stop")},
        {Place::Main, "MIDI.LOOP", res("Error_Midi_Loop")},
        // Commas inside brackets belong to the inner call.
        {Place::Main, "SOUND.PLAY MAX(1, 2)", "(taken)"},
        // Arguments the list refuses keep its message.
        {Place::Main, "NET.IMAGE NOPIC, \"u\"", res("Error_Image_name_is")},
        {Place::Main, "NET.IMAGE NULL, \"u\"", res("Error_Image_name_is")},
        {Place::Main, "VIDEO.IMAGE NULL", res("Error_Image_name_is")},
        {Place::Main, "BLUE.START \"game\", 1, NOBUTTON", res("Error_Button_name_is")},
        // NET.SEND has nothing to send.
        {Place::Main, "NET.SEND \"x\"", res("Error_This_command_is")},
        // Not recognised here: the closing branch's syntax error.
        {Place::Main, "MAPPY.DRAW", res("Error_The_error")},
        {Place::KeyPressed, "MAPPY.DRAW", res("Error_The_error")},
        {Place::ActionFunction, "SOUND.PLAY 1", res("Error_The_error")},
        {Place::ActionFunction, "NET.SEND \"x\"", res("Error_The_error")},
        {Place::PauseFunction, "MIDI.STOP", res("Error_The_error")},
    };
    for (const Row& row : rows) {
        enter(row.place);
        EXPECT_EQ(refusal(row.statement), row.problem) << row.statement;
    }
}

TEST_F(MediaTest, AppletRefusesEveryStatement) {
    start("Applet");
    output("DIM FIRST");
    for (const char* statement : {"MAPPY.LOAD \"a\"",
                                  "MAPPY.DRAW",
                                  "MAPPY.SETX 1",
                                  "MAPPY.SETY 1",
                                  "SOUND.LOAD \"a\", 1",
                                  "SOUND.DELETE 1",
                                  "MIDI.LOAD \"a\"",
                                  "MIDI.DELETE",
                                  "FILE \"a\"",
                                  "FILE.CLOSE",
                                  "FILE.DELETE \"a\"",
                                  "FILE.WRITE \"a\"",
                                  "SERVER.SEND \"a\"",
                                  "SERVER.DISCONNECT",
                                  "NET.SEND \"a\"",
                                  "NET.IMAGE PIC, \"a\"",
                                  "NET.LOADIMAGE PIC, \"a\"",
                                  "NET.DOWNLOAD \"a\", \"b\"",
                                  "COMM.SEND 1, \"a\"",
                                  "BLUE.START \"a\", 1, OK",
                                  "BLUE.DISCOVER",
                                  "VIDEO.START",
                                  "VIDEO.END",
                                  "VIDEO.SHOW",
                                  "VIDEO.HIDE",
                                  "VIDEO.IMAGE PIC",
                                  "SOUND.PLAY 1",
                                  "SOUND.LOOP 1, 2",
                                  "SOUND.STOP 1",
                                  "MIDI.PLAY",
                                  "MIDI.LOOP 1",
                                  "MIDI.STOP"}) {
        enter(std::string(statement).rfind("MAPPY", 0) == 0 ? Place::Paint : Place::Main);
        EXPECT_EQ(refusal(statement), res("Error_This_command_is")) << statement;
    }
    EXPECT_FALSE(ctx.library.usesSound || ctx.library.usesMidi || ctx.library.usesImage ||
                 ctx.library.usesVideo);
}

// The byte-token targets have no form of these statements: each is refused by name, wherever it stands,
// and nothing reaches the writer.
TEST_F(MediaTest, ByteTokenTargetRefusesEveryStatement) {
    start("PPC");
    ctx.functions.enter(OwnerKind::Main);
    enter(Place::Paint);
    EXPECT_EQ(refusal("MAPPY.LOAD \"a\""), res("Error_No_byte_form") + "MAPPY.LOAD");
    enter(Place::Main);
    EXPECT_EQ(refusal("SOUND.LOAD \"a\", 1"), res("Error_No_byte_form") + "SOUND.LOAD");
    EXPECT_EQ(refusal("VIDEO.START"), res("Error_No_byte_form") + "VIDEO.START");
    EXPECT_EQ(refusal("SOUND.LOAD \"a\""), res("Error_No_byte_form") + "SOUND.LOAD");
    EXPECT_TRUE(writer.calls.empty());
}

// The class header is written before the first statement: the pre-pass raises every flag these
// statements need, wherever the word stands in the line.
TEST(MediaPrepass, EveryFeatureWordRaisesItsFlag) {
    struct Row {
        const char* line;
        bool sound, midi, image, video, mappy;
    };
    for (const Row& row : {
             Row{"SOUND.PLAY 1", true, false, false, false, false},
             Row{"MIDI.DELETE", false, true, false, false, false},
             Row{"NET.LOADIMAGE PIC, \"a\"", false, false, true, false, false},
             Row{"VIDEO.END", false, false, false, true, false},
             Row{"VIDEO.SHOW", false, false, false, true, false},
             Row{"VIDEO.HIDE", false, false, false, true, false},
             Row{"MAPPY.DRAW", false, false, false, false, true},
             Row{"MAPPY.SETY 2", false, false, false, false, true},
             Row{"N = MAPPY.BLOCKFLAG(0, 1, 2, 3)", false, false, false, false, true},
             Row{"IF VIDEO.HASCAMERA() THEN", false, false, false, true, false},
             Row{"FILE \"scores\"", false, false, false, false, false},
         }) {
        std::ostringstream out;
        Context ctx(out, false);
        ctx.library.instantiate();
        Preverify prepass(ctx);
        prepass(std::vector<std::string>{row.line});
        EXPECT_EQ(ctx.library.usesSound, row.sound) << row.line;
        EXPECT_EQ(ctx.library.usesMidi, row.midi) << row.line;
        EXPECT_EQ(ctx.library.usesImage, row.image) << row.line;
        EXPECT_EQ(ctx.library.usesVideo, row.video) << row.line;
        EXPECT_EQ(ctx.library.usesMappy(), row.mappy) << row.line;
    }
}

}  // namespace
}  // namespace compiler
