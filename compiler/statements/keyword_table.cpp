#include "statements/keyword_table.h"

#include "statements/convertor.h"
#include "statements/three_d.h"
#include "statements/worlds.h"

namespace compiler {
namespace {

// A kept "#ENDIF" of a platform section has done its work in the source loader.
std::optional<std::string> endOfPlatformSection(Convertor&) { return std::string(); }

}  // namespace

const std::vector<KeywordEntry>& keywordTable() {
    using C = KeywordCondition;
    static const std::vector<KeywordEntry> table = {
        {"#ENDIF", C::Always, endOfPlatformSection},
        {"LIGHT", C::Always, lightStatement},
        {"CAMERA", C::Always, cameraStatement},
        {"", C::SpecialFunctionStop, nullptr},
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
    static const std::vector<StatementHandler> hooks = {handleWorlds};
    return hooks;
}

const std::vector<StatementHandler>& closingBranch() {
    static const std::vector<StatementHandler> readings = {assignWorldSlot};
    return readings;
}

}  // namespace compiler
