#include "statements/keyword_table.h"

#include "statements/convertor.h"
#include "statements/families.h"
#include "statements/media.h"
#include "statements/screen_statements.h"
#include "statements/three_d.h"
#include "statements/worlds.h"

namespace compiler {
namespace {

// A kept "#ENDIF" of a platform section has done its work in the source loader.
std::optional<std::string> endOfPlatformSection(Convertor&) {
    return std::string();
}

}  // namespace

const std::vector<KeywordEntry>& keywordTable() {
    using C = KeywordCondition;
    static const std::vector<KeywordEntry> table = {
        {"#ENDIF", C::Always, endOfPlatformSection},
        {"ENDTYPE", C::Always, endTypeStatement},
        // Widgets, lights and cameras.
        {"BUTTON", C::Always, buttonStatement},
        {"FORM", C::Always, formStatement},
        {"TEXTBOX", C::Always, textboxStatement},
        {"LABEL", C::Always, labelStatement},
        {"LIST", C::Always, listStatement},
        {"LIGHT", C::Always, lightStatement},
        {"CAMERA", C::Always, cameraStatement},
        // Program blocks.
        {"FUNCTION", C::Always, functionStatement},
        {"ENDFUNCTION", C::Always, endFunctionStatement},
        {"EXITFUNCTION", C::Always, exitFunctionStatement},
        {"TYPE", C::Always, typeStatement},
        {"CANVAS", C::Always, canvasStatement},
        {"ENDCANVAS", C::Always, endCanvasStatement},
        {"ACTION", C::Always, actionStatement},
        {"ENDACTION", C::Always, endActionStatement},
        // Conditions and loops.
        {"IF", C::Always, ifStatement},
        {"ELSEIF", C::Always, elseIfStatement},
        {"ELSE", C::Always, elseStatement},
        {"ENDIF", C::Always, endIfStatement},
        {"FOR", C::Always, forStatement},
        {"NEXT", C::Always, nextStatement},
        {"WHILE", C::Always, whileStatement},
        {"ENDWHILE", C::Always, endWhileStatement},
        // Widgets in use.
        {"BUTTON.SHOW", C::Always, buttonShowStatement},
        {"BUTTON.HIDE", C::Always, buttonHideStatement},
        {"LIST.APPEND", C::Always, listAppendStatement},
        {"TEXTBOX.SHOW", C::Always, textboxShowStatement},
        {"FORM.REMOVE", C::Always, formRemoveStatement},
        {"ALERT", C::Always, alertStatement},
        // The error block, PRINT, END and BREAK.
        {"TRY", C::Always, tryStatement},
        {"CATCH", C::Always, catchStatement},
        {"ENDCATCH", C::Always, endCatchStatement},
        {"ENDTRY", C::Always, endTryStatement},
        {"PRINT", C::Always, printStatement},
        {"END", C::SingleToken, endStatement},
        {"BREAK", C::SingleToken, breakStatement},
        {"END", C::Always, endIfWrittenApart},
        // Showing and listening.
        {"SETDISPLAY", C::Always, setDisplayStatement},
        {"LISTENER", C::Always, listenerStatement},
        {"", C::SpecialFunctionStop, nullptr},
        {"REPAINT", C::InCanvasAction, repaintStatement},
        // Tile map, sound, MIDI, record store, network, serial port, Bluetooth and camera.
        {"MAPPY.LOAD", C::InPaintAction, mappyLoadStatement},
        {"MAPPY.DRAW", C::InPaintAction, mappyDrawStatement},
        {"MAPPY.SETX", C::InPaintAction, mappySetXStatement},
        {"MAPPY.SETY", C::InPaintAction, mappySetYStatement},
        {"SOUND.LOAD", C::NotInActionFunction, soundLoadStatement},
        {"SOUND.DELETE", C::NotInActionFunction, soundDeleteStatement},
        {"MIDI.LOAD", C::NotInActionFunction, midiLoadStatement},
        {"MIDI.DELETE", C::NotInActionFunction, midiDeleteStatement},
        {"FILE", C::NotInActionFunction, fileStatement},
        {"FILE.CLOSE", C::NotInActionFunction, fileCloseStatement},
        {"FILE.DELETE", C::NotInActionFunction, fileDeleteStatement},
        {"FILE.WRITE", C::NotInActionFunction, fileWriteStatement},
        {"SERVER.SEND", C::NotInActionFunction, serverSendStatement},
        {"SERVER.DISCONNECT", C::NotInActionFunction, serverDisconnectStatement},
        {"NET.SEND", C::NotInActionFunction, netSendStatement},
        {"NET.IMAGE", C::NotInActionFunction, netImageStatement},
        {"NET.LOADIMAGE", C::NotInActionFunction, netLoadImageStatement},
        {"NET.DOWNLOAD", C::NotInActionFunction, netDownloadStatement},
        {"COMM.SEND", C::NotInActionFunction, commSendStatement},
        {"BLUE.START", C::NotInActionFunction, blueStartStatement},
        {"BLUE.DISCOVER", C::NotInActionFunction, blueDiscoverStatement},
        {"VIDEO.START", C::NotInActionFunction, videoStartStatement},
        {"VIDEO.END", C::NotInActionFunction, videoEndStatement},
        {"VIDEO.SHOW", C::NotInActionFunction, videoShowStatement},
        {"VIDEO.HIDE", C::NotInActionFunction, videoHideStatement},
        {"VIDEO.IMAGE", C::NotInActionFunction, videoImageStatement},
        {"SOUND.PLAY", C::NotInActionFunction, soundPlayStatement},
        {"SOUND.LOOP", C::NotInActionFunction, soundLoopStatement},
        {"SOUND.STOP", C::NotInActionFunction, soundStopStatement},
        {"MIDI.PLAY", C::NotInActionFunction, midiPlayStatement},
        {"MIDI.LOOP", C::NotInActionFunction, midiLoopStatement},
        {"MIDI.STOP", C::NotInActionFunction, midiStopStatement},
        // Images, the tile layer and sprites.
        {"IMAGE", C::Always, imageStatement},
        {"IMAGE.ARRAY", C::Always, imageArrayStatement},
        {"LAYER", C::Always, layerStatement},
        {"LAYER.FILLCELL", C::Always, layerFillCellStatement},
        {"LAYER.UPDATE", C::Always, layerUpdateStatement},
        {"SPRITE", C::Always, spriteStatement},
        {"SPRITE.ANIMATION", C::Always, spriteAnimationStatement},
        {"SPRITE.ARRAY", C::Always, spriteArrayStatement},
        {"SPRITE.MOVE", C::Always, spriteMoveStatement},
        {"SPRITE.POSITION", C::Always, spritePositionStatement},
        {"SPRITE.ROTATION", C::Always, spriteRotationStatement},
        {"SPRITE.MIRROR", C::Always, spriteMirrorStatement},
        {"SPRITE.SEQUENCE", C::Always, spriteSequenceStatement},
        {"SPRITE.NEXT", C::Always, spriteNextStatement},
        {"SPRITE.PREVIOUS", C::Always, spritePreviousStatement},
        {"SPRITE.SETFRAME", C::Always, spriteSetFrameStatement},
        {"MEM.FLUSH", C::Always, memFlushStatement},
        // Drawing.
        {"SETCLIP", C::Always, setClipStatement},
        {"CLS", C::Always, clsStatement},
        {"SETCOLOR", C::Always, setColorStatement},
        {"SETGREY", C::Always, setGreyStatement},
        {"DRAWLINE", C::Always, drawLineStatement},
        {"DRAWRECTANGLE", C::Always, drawRectangleStatement},
        {"DRAWFILLEDRECTANGLE", C::Always, drawFilledRectangleStatement},
        {"DRAWROUNDRECTANGLE", C::Always, drawRoundRectangleStatement},
        {"DRAWROUNDFILLEDRECTANGLE", C::Always, drawRoundFilledRectangleStatement},
        {"DRAWARC", C::Always, drawArcStatement},
        {"DRAWFILLEDARC", C::Always, drawFilledArcStatement},
        {"SETPOINT", C::Always, setPointStatement},
        {"DRAWSTYLE", C::Always, drawStyleStatement},
        {"IMAGE.DRAW", C::Always, imageDrawStatement},
        {"IMAGE.DRAWARRAY", C::Always, imageDrawArrayStatement},
        {"SPRITE.DRAW", C::Always, spriteDrawStatement},
        {"SPRITE.DRAWARRAY", C::Always, spriteDrawArrayStatement},
        {"DRAWTEXT", C::Always, drawTextStatement},
        {"LAYER.PAINT", C::Always, layerPaintStatement},
        {"FONT", C::Always, fontStatement},
        {"OBJECT", C::Always, objectStatement},
        {"OBJECT.ARRAY", C::Always, objectArrayStatement},
        {"3D.START", C::Always, start3D},
        {"3D.END", C::Always, end3D},
        {"3D.RENDER", C::Always, render3D},
        {"3D.SETCAMERAROTATION", C::Always, setCameraRotation3D},
        {"3D.SETVIEWPORT", C::Always, setViewport3D},
        {"3D.CLEAR", C::Always, clear3D},
        {"3D.RESETLIGHTS", C::Always, resetLights3D},
        {"3D.SETLIGHTCOLOR", C::Always, setLightColor3D},
        {"3D.PREPARETEXTURE", C::Always, prepareTexture3D},
        {"3D.SETBACKGROUNDCOLOR", C::Always, setBackgroundColor3D},
        {"3D.SETBACKGROUNDIMAGE", C::Always, setBackgroundImage3D},
        {"3D.FOG", C::Always, fog3D},
        {"3D.FOGOFF", C::Always, fogOff3D},
    };
    return table;
}

const std::vector<StatementHandler>& lineHooks() {
    static const std::vector<StatementHandler> hooks = {handleVariables, handleWorlds};
    return hooks;
}

const std::vector<StatementHandler>& closingBranch() {
    static const std::vector<StatementHandler> readings = {recordFieldAssignment, variableAssignment,
                                                           arrayElementAssignment, assignWorldSlot,
                                                           functionCallStatement};
    return readings;
}

}  // namespace compiler
