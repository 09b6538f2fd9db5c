#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace compiler {

class Convertor;
class InterfaceArguments;

// The statements that build the screen: widgets (forms.cpp; LIGHT and CAMERA, declared with them,
// belong to the 3D family), images, the tile layer and sprites (images.cpp), and drawing through the
// paint routine's `g` (drawing.cpp). Each returns the line's text; a refusal raises CompileException.

// forms.cpp
std::optional<std::string> buttonStatement(Convertor& c);
std::optional<std::string> formStatement(Convertor& c);
std::optional<std::string> textboxStatement(Convertor& c);
std::optional<std::string> labelStatement(Convertor& c);
std::optional<std::string> listStatement(Convertor& c);
std::optional<std::string> buttonShowStatement(Convertor& c);
std::optional<std::string> buttonHideStatement(Convertor& c);
std::optional<std::string> listAppendStatement(Convertor& c);
std::optional<std::string> textboxShowStatement(Convertor& c);
std::optional<std::string> formRemoveStatement(Convertor& c);
std::optional<std::string> alertStatement(Convertor& c);
std::optional<std::string> setDisplayStatement(Convertor& c);
std::optional<std::string> listenerStatement(Convertor& c);
std::optional<std::string> repaintStatement(Convertor& c);

// images.cpp
std::optional<std::string> imageStatement(Convertor& c);
std::optional<std::string> imageArrayStatement(Convertor& c);
std::optional<std::string> layerStatement(Convertor& c);
std::optional<std::string> layerFillCellStatement(Convertor& c);
std::optional<std::string> layerUpdateStatement(Convertor& c);
std::optional<std::string> spriteStatement(Convertor& c);
std::optional<std::string> spriteAnimationStatement(Convertor& c);
std::optional<std::string> spriteArrayStatement(Convertor& c);
std::optional<std::string> spriteMoveStatement(Convertor& c);
std::optional<std::string> spritePositionStatement(Convertor& c);
std::optional<std::string> spriteRotationStatement(Convertor& c);
std::optional<std::string> spriteMirrorStatement(Convertor& c);
std::optional<std::string> spriteSequenceStatement(Convertor& c);
std::optional<std::string> spriteNextStatement(Convertor& c);
std::optional<std::string> spritePreviousStatement(Convertor& c);
std::optional<std::string> spriteSetFrameStatement(Convertor& c);
std::optional<std::string> memFlushStatement(Convertor& c);

// drawing.cpp
std::optional<std::string> setClipStatement(Convertor& c);
std::optional<std::string> clsStatement(Convertor& c);
std::optional<std::string> setColorStatement(Convertor& c);
std::optional<std::string> setGreyStatement(Convertor& c);
std::optional<std::string> drawLineStatement(Convertor& c);
std::optional<std::string> drawRectangleStatement(Convertor& c);
std::optional<std::string> drawFilledRectangleStatement(Convertor& c);
std::optional<std::string> drawRoundRectangleStatement(Convertor& c);
std::optional<std::string> drawRoundFilledRectangleStatement(Convertor& c);
std::optional<std::string> drawArcStatement(Convertor& c);
std::optional<std::string> drawFilledArcStatement(Convertor& c);
std::optional<std::string> setPointStatement(Convertor& c);
std::optional<std::string> drawStyleStatement(Convertor& c);
std::optional<std::string> imageDrawStatement(Convertor& c);
std::optional<std::string> imageDrawArrayStatement(Convertor& c);
std::optional<std::string> spriteDrawStatement(Convertor& c);
std::optional<std::string> spriteDrawArrayStatement(Convertor& c);
std::optional<std::string> drawTextStatement(Convertor& c);
std::optional<std::string> layerPaintStatement(Convertor& c);
std::optional<std::string> fontStatement(Convertor& c);

namespace screen {

// The line holds exactly `count` top-level arguments after the keyword and none of them is empty
// (no leading, trailing or doubled comma): what an argument slot of the Java call needs.
bool hasArguments(const Convertor& c, int count);
// The target refusal of the dispatcher.
[[noreturn]] void notOnThisTarget();
// A statement the byte-token targets cannot carry: refused by name (Error_No_byte_form), never dropped
// from data.tbd silently.
[[noreturn]] void noByteForm(std::string_view statement);
// `code` "NX" name "NY" "ED": a statement on one named object in byte tokens.
std::string nameFrame(std::string_view code, const std::string& name);
// The byte tokens an argument translator collected.
std::string bytesOf(InterfaceArguments& arguments);
// How the generated code names the MIDlet or applet object: "this" in its own methods, the qualified
// form inside a canvas, whose actions are methods of an inner class.
std::string programObject(const Convertor& c);
// A literal count or index word: digits only, with an optional leading "-".
bool isNumberWord(const std::string& token);

}  // namespace screen
}  // namespace compiler
