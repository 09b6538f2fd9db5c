#pragma once

#include <array>
#include <string_view>

// Vocabulary of the byte-token stream (data.tbd): every code is two printable ASCII bytes. Literal values
// travel between framing codes (strS text strE, numS digits numE). Some constants share a value on
// purpose (DB, EA, FF, FV, FW, GS, GX, IF, PR): a reader tells them apart only by their position in the
// stream, so 124 constants hold 111 distinct values. onlyBoolean ("TB") equals the magic that opens
// data.tbd. The order below is the vocabulary's own order.
namespace compiler::ByteCodes {

inline constexpr std::string_view endLine = "EL";
inline constexpr std::string_view endRet = "ER";
inline constexpr std::string_view endArg = "EA";
inline constexpr std::string_view endFun = "FE";
inline constexpr std::string_view endData = "ED";
inline constexpr std::string_view funtionS = "FF";
inline constexpr std::string_view functionMS = "FS";
inline constexpr std::string_view functionC = "FC";
inline constexpr std::string_view functionD = "FD";
inline constexpr std::string_view funcVS = "FV";
inline constexpr std::string_view funcVE = "FW";
inline constexpr std::string_view add = "++";
inline constexpr std::string_view sub = "--";
inline constexpr std::string_view mult = "**";
inline constexpr std::string_view div = "//";
inline constexpr std::string_view equal = "==";
inline constexpr std::string_view notEqual = "<>";
inline constexpr std::string_view less = "<<";
inline constexpr std::string_view lessEqual = "<=";
inline constexpr std::string_view more = ">>";
inline constexpr std::string_view moreEqual = ">=";
// `and` and `or` are C++ operator tokens, hence the trailing underscore.
inline constexpr std::string_view and_ = "&&";
inline constexpr std::string_view or_ = "||";
inline constexpr std::string_view com = ",,";
inline constexpr std::string_view sqS = "[[";
inline constexpr std::string_view sqE = "]]";
inline constexpr std::string_view nothing = "XX";
inline constexpr std::string_view dimBool = "DB";
inline constexpr std::string_view dimInt = "DI";
inline constexpr std::string_view dimStr = "DS";
inline constexpr std::string_view dimFlo = "DF";
inline constexpr std::string_view dimTyp = "DT";
inline constexpr std::string_view dimNTyp = "DN";
inline constexpr std::string_view endType = "DM";
inline constexpr std::string_view dimImage = "DX";
inline constexpr std::string_view dimSprite = "DY";
inline constexpr std::string_view dimBoolA = "BA";
inline constexpr std::string_view dimIntA = "IA";
inline constexpr std::string_view dimStrA = "SA";
inline constexpr std::string_view dimFloA = "FA";
inline constexpr std::string_view dimTypA = "TA";
inline constexpr std::string_view variableS = "VS";
inline constexpr std::string_view variableE = "VE";
inline constexpr std::string_view arrayS = "AS";
inline constexpr std::string_view arrayE = "AE";
inline constexpr std::string_view arrayC = "AC";
inline constexpr std::string_view onlyString = "OS";
inline constexpr std::string_view onlyInt = "OI";
inline constexpr std::string_view onlyBoolean = "TB";
inline constexpr std::string_view onlyButton = "OC";
inline constexpr std::string_view boolT = "TT";
inline constexpr std::string_view boolF = "FF";
inline constexpr std::string_view typeS = "TV";
inline constexpr std::string_view typeE = "TW";
inline constexpr std::string_view typeAS = "TX";
inline constexpr std::string_view typeAE = "TY";
inline constexpr std::string_view numS = "NS";
inline constexpr std::string_view numE = "NE";
inline constexpr std::string_view strS = "SS";
inline constexpr std::string_view strE = "SE";
inline constexpr std::string_view nameS = "NX";
inline constexpr std::string_view nameE = "NY";
inline constexpr std::string_view imageS = "IS";
inline constexpr std::string_view imageE = "IE";
inline constexpr std::string_view spriteS = "SX";
inline constexpr std::string_view spriteE = "SY";
inline constexpr std::string_view forS = "FX";
inline constexpr std::string_view forE = "FY";
inline constexpr std::string_view funcS = "FV";
inline constexpr std::string_view funcE = "FW";
inline constexpr std::string_view actionPaint = "AP";
inline constexpr std::string_view actionLoop = "AL";
inline constexpr std::string_view actionKey = "AK";
inline constexpr std::string_view endAction = "EA";
inline constexpr std::string_view CanvasS = "CS";
inline constexpr std::string_view endCanvas = "EC";
inline constexpr std::string_view repaint = "CR";
inline constexpr std::string_view drawText = "CT";
inline constexpr std::string_view cls = "CC";
inline constexpr std::string_view setClip = "SC";
inline constexpr std::string_view setColor = "SO";
inline constexpr std::string_view setGrey = "SG";
inline constexpr std::string_view setPoint = "SP";
inline constexpr std::string_view setDrawDotted = "SV";
inline constexpr std::string_view setDrawSolid = "SW";
inline constexpr std::string_view drawLine = "DL";
inline constexpr std::string_view drawRect = "DR";
inline constexpr std::string_view drawFillRect = "DZ";
inline constexpr std::string_view drawArc = "DA";
inline constexpr std::string_view drawFillArc = "DB";
inline constexpr std::string_view drawImage = "IP";
inline constexpr std::string_view drawSprite = "VP";
inline constexpr std::string_view setDisplay = "SD";
inline constexpr std::string_view setListener = "SL";
inline constexpr std::string_view formButton = "FB";
inline constexpr std::string_view guiButton = "GB";
inline constexpr std::string_view guiTextbox = "GT";
inline constexpr std::string_view guiLabel = "GL";
inline constexpr std::string_view guiList = "GM";
inline constexpr std::string_view guiButtonS = "GS";
inline constexpr std::string_view guiButtonH = "GX";
inline constexpr std::string_view guiTextboxS = "GS";
inline constexpr std::string_view guiTextboxH = "GX";
inline constexpr std::string_view guiLabelS = "GS";
inline constexpr std::string_view guiLabelH = "GX";
inline constexpr std::string_view guiListS = "GS";
inline constexpr std::string_view guiListH = "GX";
inline constexpr std::string_view toString = "TS";
inline constexpr std::string_view toInt = "TI";
inline constexpr std::string_view toLower = "TL";
inline constexpr std::string_view toUpper = "TU";
inline constexpr std::string_view changeE = "TE";
inline constexpr std::string_view retSC = "RC";
inline constexpr std::string_view retTime = "RT";
inline constexpr std::string_view retE = "RE";
inline constexpr std::string_view ifS = "IF";
inline constexpr std::string_view ifThen = "IT";
inline constexpr std::string_view ifElseS = "IX";
inline constexpr std::string_view ifElseIfS = "IF";
inline constexpr std::string_view ifE = "IZ";
inline constexpr std::string_view whileS = "WS";
inline constexpr std::string_view whileE = "WE";
inline constexpr std::string_view print = "PR";
inline constexpr std::string_view setFont = "PR";

struct NamedCode {
    std::string_view name;
    std::string_view code;
};

// Every constant with its vocabulary name, in the order above.
inline constexpr std::array<NamedCode, 124> all = {
    NamedCode{"endLine", endLine},
    NamedCode{"endRet", endRet},
    NamedCode{"endArg", endArg},
    NamedCode{"endFun", endFun},
    NamedCode{"endData", endData},
    NamedCode{"funtionS", funtionS},
    NamedCode{"functionMS", functionMS},
    NamedCode{"functionC", functionC},
    NamedCode{"functionD", functionD},
    NamedCode{"funcVS", funcVS},
    NamedCode{"funcVE", funcVE},
    NamedCode{"add", add},
    NamedCode{"sub", sub},
    NamedCode{"mult", mult},
    NamedCode{"div", div},
    NamedCode{"equal", equal},
    NamedCode{"notEqual", notEqual},
    NamedCode{"less", less},
    NamedCode{"lessEqual", lessEqual},
    NamedCode{"more", more},
    NamedCode{"moreEqual", moreEqual},
    NamedCode{"and", and_},
    NamedCode{"or", or_},
    NamedCode{"com", com},
    NamedCode{"sqS", sqS},
    NamedCode{"sqE", sqE},
    NamedCode{"nothing", nothing},
    NamedCode{"dimBool", dimBool},
    NamedCode{"dimInt", dimInt},
    NamedCode{"dimStr", dimStr},
    NamedCode{"dimFlo", dimFlo},
    NamedCode{"dimTyp", dimTyp},
    NamedCode{"dimNTyp", dimNTyp},
    NamedCode{"endType", endType},
    NamedCode{"dimImage", dimImage},
    NamedCode{"dimSprite", dimSprite},
    NamedCode{"dimBoolA", dimBoolA},
    NamedCode{"dimIntA", dimIntA},
    NamedCode{"dimStrA", dimStrA},
    NamedCode{"dimFloA", dimFloA},
    NamedCode{"dimTypA", dimTypA},
    NamedCode{"variableS", variableS},
    NamedCode{"variableE", variableE},
    NamedCode{"arrayS", arrayS},
    NamedCode{"arrayE", arrayE},
    NamedCode{"arrayC", arrayC},
    NamedCode{"onlyString", onlyString},
    NamedCode{"onlyInt", onlyInt},
    NamedCode{"onlyBoolean", onlyBoolean},
    NamedCode{"onlyButton", onlyButton},
    NamedCode{"boolT", boolT},
    NamedCode{"boolF", boolF},
    NamedCode{"typeS", typeS},
    NamedCode{"typeE", typeE},
    NamedCode{"typeAS", typeAS},
    NamedCode{"typeAE", typeAE},
    NamedCode{"numS", numS},
    NamedCode{"numE", numE},
    NamedCode{"strS", strS},
    NamedCode{"strE", strE},
    NamedCode{"nameS", nameS},
    NamedCode{"nameE", nameE},
    NamedCode{"imageS", imageS},
    NamedCode{"imageE", imageE},
    NamedCode{"spriteS", spriteS},
    NamedCode{"spriteE", spriteE},
    NamedCode{"forS", forS},
    NamedCode{"forE", forE},
    NamedCode{"funcS", funcS},
    NamedCode{"funcE", funcE},
    NamedCode{"actionPaint", actionPaint},
    NamedCode{"actionLoop", actionLoop},
    NamedCode{"actionKey", actionKey},
    NamedCode{"endAction", endAction},
    NamedCode{"CanvasS", CanvasS},
    NamedCode{"endCanvas", endCanvas},
    NamedCode{"repaint", repaint},
    NamedCode{"drawText", drawText},
    NamedCode{"cls", cls},
    NamedCode{"setClip", setClip},
    NamedCode{"setColor", setColor},
    NamedCode{"setGrey", setGrey},
    NamedCode{"setPoint", setPoint},
    NamedCode{"setDrawDotted", setDrawDotted},
    NamedCode{"setDrawSolid", setDrawSolid},
    NamedCode{"drawLine", drawLine},
    NamedCode{"drawRect", drawRect},
    NamedCode{"drawFillRect", drawFillRect},
    NamedCode{"drawArc", drawArc},
    NamedCode{"drawFillArc", drawFillArc},
    NamedCode{"drawImage", drawImage},
    NamedCode{"drawSprite", drawSprite},
    NamedCode{"setDisplay", setDisplay},
    NamedCode{"setListener", setListener},
    NamedCode{"formButton", formButton},
    NamedCode{"guiButton", guiButton},
    NamedCode{"guiTextbox", guiTextbox},
    NamedCode{"guiLabel", guiLabel},
    NamedCode{"guiList", guiList},
    NamedCode{"guiButtonS", guiButtonS},
    NamedCode{"guiButtonH", guiButtonH},
    NamedCode{"guiTextboxS", guiTextboxS},
    NamedCode{"guiTextboxH", guiTextboxH},
    NamedCode{"guiLabelS", guiLabelS},
    NamedCode{"guiLabelH", guiLabelH},
    NamedCode{"guiListS", guiListS},
    NamedCode{"guiListH", guiListH},
    NamedCode{"toString", toString},
    NamedCode{"toInt", toInt},
    NamedCode{"toLower", toLower},
    NamedCode{"toUpper", toUpper},
    NamedCode{"changeE", changeE},
    NamedCode{"retSC", retSC},
    NamedCode{"retTime", retTime},
    NamedCode{"retE", retE},
    NamedCode{"ifS", ifS},
    NamedCode{"ifThen", ifThen},
    NamedCode{"ifElseS", ifElseS},
    NamedCode{"ifElseIfS", ifElseIfS},
    NamedCode{"ifE", ifE},
    NamedCode{"whileS", whileS},
    NamedCode{"whileE", whileE},
    NamedCode{"print", print},
    NamedCode{"setFont", setFont},
};

}  // namespace compiler::ByteCodes
