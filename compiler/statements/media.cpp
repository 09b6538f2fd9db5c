// Map, sound, MIDI, record-store, network, serial, Bluetooth and camera statements.
#include "statements/media.h"

#include <string_view>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/arguments.h"
#include "statements/convertor.h"

namespace compiler {
namespace {

enum class Feature { None, Sound, Midi, Image, Video };

void raise(Context& ctx, Feature feature) {
    Library& lib = ctx.library;
    switch (feature) {
        case Feature::None:
            break;
        case Feature::Sound:
            lib.usesSound = true;
            break;
        case Feature::Midi:
            lib.usesMidi = true;
            break;
        case Feature::Image:
            lib.usesImage = true;
            break;
        case Feature::Video:
            lib.usesVideo = true;
            break;
    }
}

// The applet carries none of the support objects these statements call.
void phoneOnly(const Convertor& c) {
    if (c.ctx.project.isApplet()) throw CompileException(res("Error_This_command_is"));
}

// Exactly `count` arguments after the keyword, none of them empty. checkCommand alone counts a bare
// keyword as one argument and lets "A," through, which would give calls such as "f()" or "f(A,)".
void requireArguments(const Convertor& c, int count, const std::string& message) {
    if (!c.checkCommand(count, 1)) throw CompileException(message);
    int depth = 0;
    bool empty = true;
    for (std::size_t i = 1; i < c.tokenCount(); ++i) {
        const std::string& t = c.token(static_cast<long>(i));
        if (t == "," && depth == 0) {
            if (empty) throw CompileException(message);
            empty = true;
            continue;
        }
        if (t == "(" || t == "[") ++depth;
        if (t == ")" || t == "]") --depth;
        empty = false;
    }
    if (empty) throw CompileException(message);
}

// HA(pattern, argNo): the argument list from token 1, read from argument `argNo` on.
std::string arguments(Convertor& c, std::string_view pattern, int argNo = 1) {
    return newArguments(c.ctx)->HandleArguments(pattern, 1, argNo);
}

// The byte-token targets have no form of these statements: the line writes nothing and its arguments are
// not translated. A byte form belongs here.
std::string byteTokenForm(Convertor&) {
    return std::string();
}

// before + HA(pattern) + after, for a statement of `count` arguments whose count error is `message`.
std::optional<std::string> call(Convertor& c, Feature feature, int count, std::string_view pattern,
                                const std::string& message, std::string_view before, std::string_view after) {
    phoneOnly(c);
    raise(c.ctx, feature);
    requireArguments(c, count, message);
    if (!c.java()) return byteTokenForm(c);
    return std::string(before) + arguments(c, pattern) + std::string(after);
}

// A statement without arguments (the dispatcher refuses anything after its keyword).
std::optional<std::string> fixed(Convertor& c, Feature feature, std::string_view text) {
    phoneOnly(c);
    raise(c.ctx, feature);
    if (!c.java()) return byteTokenForm(c);
    return std::string(text);
}

// FILE and FILE.DELETE: the record store's name.
std::optional<std::string> recordStore(Convertor& c, const std::string& message, std::string_view before) {
    phoneOnly(c);
    requireArguments(c, 1, message);
    if (!c.java()) return byteTokenForm(c);
    std::string name = arguments(c, "S");
    if (name.rfind("Error:", 0) == 0) throw CompileException(res("Error_Filename_is"));
    return std::string(before) + name + ");";
}

// N = an image of the program, filled by the statement; registered before the text is built.
std::string imageToFill(Convertor& c) {
    std::string name = arguments(c, "i");
    // "i" also takes NULL, which cannot be assigned to.
    if (name == "null") throw CompileException(res("Error_Image_name_is"));
    c.ctx.objects.addImage(name);
    return name;
}

std::optional<std::string> netImage(Convertor& c, const std::string& message, std::string_view method) {
    phoneOnly(c);
    raise(c.ctx, Feature::Image);
    requireArguments(c, 2, message);
    if (!c.java()) return byteTokenForm(c);
    std::string name = imageToFill(c);
    return name + "= incImage." + std::string(method) + "(" + arguments(c, "S", 2) + ");";
}

// videoControl is set by VIDEO.START only, and only on a phone with a camera; until then the other video
// statements leave it alone.
std::optional<std::string> videoVisibility(Convertor& c, std::string_view rest) {
    return fixed(c, Feature::Video, "if (videoControl != null) " + std::string(rest));
}

}  // namespace

// --- Tile map

std::optional<std::string> mappyLoadStatement(Convertor& c) {
    phoneOnly(c);
    requireArguments(c, 1, res("Error_Mappy_Load"));
    c.ctx.library.setMappy();
    if (!c.java()) return byteTokenForm(c);
    const std::string file = arguments(c, "S");
    c.out.Write("try {");
    // Build packs the map files at the jar's root, where a bare getClass().getResourceAsStream(name) would
    // not look (it reads a relative name inside the class's package); Include.resource reads from the root.
    c.out.Write("InputStream inputStream = Include.resource(this, " + file + ");");
    c.out.Write("Map map = JavaMappy.loadMap(inputStream);");
    c.out.Write("m_mapViewer = JavaMappy.createMapViewer(map, null, getWidth(), getHeight());");
    c.out.Write("inputStream.close();");
    c.out.Write("m_mapViewer.setX(0); m_mapViewer.setY(0);");
    // Named apart from the "e" of a CATCH IO the statement may stand in: Java takes no second of one name.
    return std::string("} catch (Exception mapError){ mapError.printStackTrace(); }");
}

std::optional<std::string> mappyDrawStatement(Convertor& c) {
    c.ctx.library.setMappy();
    return fixed(c, Feature::None, "m_mapViewer.updateAnimBlocks(); m_mapViewer.draw(b, false);");
}

namespace {

// MAPPY.SETX and MAPPY.SETY: one value.
std::optional<std::string> mappyPosition(Convertor& c, std::string_view method) {
    phoneOnly(c);
    c.ctx.library.setMappy();
    requireArguments(c, 1, res("Error_Number_of"));
    if (!c.java()) return byteTokenForm(c);
    const std::string value = arguments(c, "I");
    if (value.empty()) throw CompileException(res("Error_Number_of"));
    return "m_mapViewer." + std::string(method) + "(" + value + ");";
}

}  // namespace

std::optional<std::string> mappySetXStatement(Convertor& c) {
    return mappyPosition(c, "setX");
}
std::optional<std::string> mappySetYStatement(Convertor& c) {
    return mappyPosition(c, "setY");
}

// --- Sound and MIDI

std::optional<std::string> soundLoadStatement(Convertor& c) {
    return call(c, Feature::Sound, 2, "S,I", res("Error_Sound_requires"), "incSound.LoadSound(", ");");
}

std::optional<std::string> soundDeleteStatement(Convertor& c) {
    return call(c, Feature::Sound, 1, "I", res("Error_Sound_Delete"), "incSound.DeleteSound(", ");");
}

std::optional<std::string> soundPlayStatement(Convertor& c) {
    return call(c, Feature::Sound, 1, "I", res("Error_Sound_Play"), "incSound.PlaySound(", ");");
}

std::optional<std::string> soundLoopStatement(Convertor& c) {
    return call(c, Feature::Sound, 2, "I,I", res("Error_Sound_Loop"), "incSound.LoopSound(", ");");
}

std::optional<std::string> soundStopStatement(Convertor& c) {
    return call(c, Feature::Sound, 1, "I", res("Error_Sound_Stop"), "incSound.StopSound(", ");");
}

std::optional<std::string> midiLoadStatement(Convertor& c) {
    return call(c, Feature::Midi, 1, "S", res("Error_Midi_requires"), "incMidi.LoadMidi(", ");");
}

std::optional<std::string> midiDeleteStatement(Convertor& c) {
    return fixed(c, Feature::Midi, "incMidi.DeleteMidi();");
}

std::optional<std::string> midiPlayStatement(Convertor& c) {
    return fixed(c, Feature::Midi, "incMidi.PlayMidi();");
}

std::optional<std::string> midiLoopStatement(Convertor& c) {
    return call(c, Feature::Midi, 1, "I", res("Error_Midi_Loop"), "incMidi.LoopMidi(", ");");
}

std::optional<std::string> midiStopStatement(Convertor& c) {
    return fixed(c, Feature::Midi, "incMidi.StopMidi();");
}

// --- Record store

std::optional<std::string> fileStatement(Convertor& c) {
    return recordStore(c, res("Error_File_requires"), "inc.openRMS(");
}

std::optional<std::string> fileCloseStatement(Convertor& c) {
    return fixed(c, Feature::None, "inc.closeRMS();");
}

std::optional<std::string> fileDeleteStatement(Convertor& c) {
    return recordStore(c, res("Error_File_Delete"), "inc.deleteRMS(");
}

std::optional<std::string> fileWriteStatement(Convertor& c) {
    c.ctx.line.gPointer = 1;
    return call(c, Feature::None, 1, "S", res("Error_File_Write"), "inc.writeRMS(", ");");
}

// --- Network, serial port and Bluetooth

std::optional<std::string> serverSendStatement(Convertor& c) {
    return call(c, Feature::None, 1, "S", res("Error_Server_Send"), "inc.serverSend(", ");");
}

// Ends without ";": the main program adds it.
std::optional<std::string> serverDisconnectStatement(Convertor& c) {
    return fixed(c, Feature::None, "inc.serverDisconnect()");
}

// The language names NET.SEND but gives it nothing to do.
std::optional<std::string> netSendStatement(Convertor&) {
    throw CompileException(res("Error_This_command_is"));
}

std::optional<std::string> netImageStatement(Convertor& c) {
    return netImage(c, res("Error_Net_Image"), "getImageFromInternet");
}

std::optional<std::string> netLoadImageStatement(Convertor& c) {
    return netImage(c, res("Error_Net_LoadImage"), "getImageFromInternetFile");
}

std::optional<std::string> netDownloadStatement(Convertor& c) {
    return call(c, Feature::None, 2, "S,S", res("Error_Net_Download"), "inc.getFileFromInternet(", ");");
}

std::optional<std::string> commSendStatement(Convertor& c) {
    return call(c, Feature::None, 2, "I,S", res("Error_Comm_Send"), "inc.sendStringPort(", ");");
}

std::optional<std::string> blueStartStatement(Convertor& c) {
    return call(c, Feature::None, 3, "S,I,B", res("Error_Listener"), "inc.startBluetooth(", ");");
}

// Ends without ";": the main program adds it.
std::optional<std::string> blueDiscoverStatement(Convertor& c) {
    return fixed(c, Feature::None, "inc.discoverDevices()");
}

// --- Camera

// The camera's picture goes to the canvas the statement stands in. Inside LOOP the code runs in the
// canvas's timer task, so the canvas is named by its field; outside a canvas it is the screen on display.
std::optional<std::string> videoStartStatement(Convertor& c) {
    const Scope& scope = c.ctx.scope;
    std::string screen = "this";
    std::string width = "getWidth()";
    std::string height = "getHeight()";
    if (scope.CurrentCanvas.empty()) {
        screen = "display.getCurrent()";
        width = screen + ".getWidth()";
        height = screen + ".getHeight()";
    } else if (scope.CurrentAction == "LOOP") {
        screen = scope.CurrentCanvas;
    }
    // inc.StartCamera() opens the camera and hands out its video control, which the later video statements
    // use; it is kept in videoControl before the display mode is set.
    return fixed(c, Feature::Video,
                 "if(incVideo.HasCamera() == true) { videoControl = (VideoControl) inc.StartCamera(); "
                 "videoControl.initDisplayMode(VideoControl.USE_DIRECT_VIDEO, " +
                     screen + "); try { videoControl.setDisplayLocation(2, 2); videoControl.setDisplaySize(" +
                     width + " - 4, " + height +
                     " - 4); } catch (MediaException me) { try { videoControl.setDisplayFullScreen(true); } "
                     "catch (MediaException me2) {} } }");
}

std::optional<std::string> videoEndStatement(Convertor& c) {
    return videoVisibility(c, "videoControl.setVisible(false); inc.CloseCamera();");
}

std::optional<std::string> videoShowStatement(Convertor& c) {
    return videoVisibility(c, "videoControl.setVisible(true);");
}

std::optional<std::string> videoHideStatement(Convertor& c) {
    return videoVisibility(c, "videoControl.setVisible(false);");
}

std::optional<std::string> videoImageStatement(Convertor& c) {
    phoneOnly(c);
    raise(c.ctx, Feature::Video);
    requireArguments(c, 1, res("Error_Video_Image"));
    if (!c.java()) return byteTokenForm(c);
    return imageToFill(c) + "= incVideo.capturedImage;";
}

}  // namespace compiler
