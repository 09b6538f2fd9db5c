#include "statements/keyword_table.h"

#include "statements/convertor.h"
#include "statements/screen_statements.h"

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
        // Widgets: declaration keywords (LIGHT and CAMERA follow them).
        {"BUTTON", C::Always, buttonStatement},
        {"FORM", C::Always, formStatement},
        {"TEXTBOX", C::Always, textboxStatement},
        {"LABEL", C::Always, labelStatement},
        {"LIST", C::Always, listStatement},
        // Widgets in use.
        {"BUTTON.SHOW", C::Always, buttonShowStatement},
        {"BUTTON.HIDE", C::Always, buttonHideStatement},
        {"LIST.APPEND", C::Always, listAppendStatement},
        {"TEXTBOX.SHOW", C::Always, textboxShowStatement},
        {"FORM.REMOVE", C::Always, formRemoveStatement},
        {"ALERT", C::Always, alertStatement},
        {"SETDISPLAY", C::Always, setDisplayStatement},
        {"LISTENER", C::Always, listenerStatement},
        {"", C::SpecialFunctionStop, nullptr},
        {"REPAINT", C::InCanvasAction, repaintStatement},
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
