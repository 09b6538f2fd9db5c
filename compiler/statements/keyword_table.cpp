#include "statements/keyword_table.h"

#include "statements/convertor.h"
#include "statements/media.h"

namespace compiler {
namespace {

// A kept "#ENDIF" of a platform section has done its work in the source loader.
std::optional<std::string> endOfPlatformSection(Convertor&) { return std::string(); }

}  // namespace

const std::vector<KeywordEntry>& keywordTable() {
    using C = KeywordCondition;
    static const std::vector<KeywordEntry> table = {
        {"#ENDIF", C::Always, endOfPlatformSection},
        {"", C::SpecialFunctionStop, nullptr},
        // Tile map, sound, MIDI, record store, network, serial port, Bluetooth and camera (after REPAINT).
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
    };
    return table;
}

const std::vector<StatementHandler>& lineHooks() {
    static const std::vector<StatementHandler> hooks = {};
    return hooks;
}

const std::vector<StatementHandler>& closingBranch() {
    static const std::vector<StatementHandler> readings = {};
    return readings;
}

}  // namespace compiler
