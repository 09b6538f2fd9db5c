#pragma once

#include <optional>
#include <string>

namespace compiler {

class Convertor;

// The map, sound, MIDI, record-store, network, serial, Bluetooth and camera statements. Each drives a
// support object of the phone program (m_mapViewer, incSound, incMidi, inc, incImage, incVideo and
// videoControl), so the applet target refuses them; a byte-token build writes nothing for them.

// Tile map: recognised only in a canvas's PAINT action.
std::optional<std::string> mappyLoadStatement(Convertor& c);
std::optional<std::string> mappyDrawStatement(Convertor& c);
std::optional<std::string> mappySetXStatement(Convertor& c);
std::optional<std::string> mappySetYStatement(Convertor& c);

// Recognised outside FUNCTION ACTION.
std::optional<std::string> soundLoadStatement(Convertor& c);
std::optional<std::string> soundDeleteStatement(Convertor& c);
std::optional<std::string> midiLoadStatement(Convertor& c);
std::optional<std::string> midiDeleteStatement(Convertor& c);
std::optional<std::string> fileStatement(Convertor& c);
std::optional<std::string> fileCloseStatement(Convertor& c);
std::optional<std::string> fileDeleteStatement(Convertor& c);
std::optional<std::string> fileWriteStatement(Convertor& c);
std::optional<std::string> serverSendStatement(Convertor& c);
std::optional<std::string> serverDisconnectStatement(Convertor& c);
std::optional<std::string> netSendStatement(Convertor& c);
std::optional<std::string> netImageStatement(Convertor& c);
std::optional<std::string> netLoadImageStatement(Convertor& c);
std::optional<std::string> netDownloadStatement(Convertor& c);
std::optional<std::string> commSendStatement(Convertor& c);
std::optional<std::string> blueStartStatement(Convertor& c);
std::optional<std::string> blueDiscoverStatement(Convertor& c);
std::optional<std::string> videoStartStatement(Convertor& c);
std::optional<std::string> videoEndStatement(Convertor& c);
std::optional<std::string> videoShowStatement(Convertor& c);
std::optional<std::string> videoHideStatement(Convertor& c);
std::optional<std::string> videoImageStatement(Convertor& c);
std::optional<std::string> soundPlayStatement(Convertor& c);
std::optional<std::string> soundLoopStatement(Convertor& c);
std::optional<std::string> soundStopStatement(Convertor& c);
std::optional<std::string> midiPlayStatement(Convertor& c);
std::optional<std::string> midiLoopStatement(Convertor& c);
std::optional<std::string> midiStopStatement(Convertor& c);

}  // namespace compiler
