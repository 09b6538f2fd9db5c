#include "driver/library.h"

#include <algorithm>

#include "driver/byte_codes.h"
#include "driver/errors.h"
#include "driver/writer.h"

namespace compiler {
namespace {

std::string upperAscii(std::string_view word) {
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return upper;
}

void fill(std::vector<std::string>& list, std::unordered_set<std::string>& set,
          std::initializer_list<const char*> words) {
    for (const char* w : words) {
        list.emplace_back(w);
        set.emplace(w);
    }
}

}  // namespace

void Library::instantiate() {
    fill(returners_, returnerSet_,
         {"TIMER",
          "LASTKEY",
          "RND",
          "TEXTBOX.GETVALUE",
          "LIST.GETVALUE",
          "LIST.SELECTED",
          "LEN",
          "ASC",
          "LEFT",
          "RIGHT",
          "MID",
          "TRIM",
          "INDEX",
          "FILE.READ",
          "FILE.EXIST",
          "IMAGE.WIDTH",
          "IMAGE.HEIGHT",
          "SPRITE.WIDTH",
          "SPRITE.HEIGHT",
          "SPRITE.POSX",
          "SPRITE.POSY",
          "SPRITE.FRAME",
          "SPRITE.COLLISION",
          "NET.GETTEXT",
          "NET.GETDATA",
          "ABS",
          "MIN",
          "MAX",
          "COMM.GETAVAILABLE",
          "COMM.GETPORT",
          "COMM.GETSTRING",
          "SERVER.CONNECT",
          "SERVER.RECEIVE",
          "VIDEO.HASCAMERA",
          "VIDEO.CAPTURE",
          "MEM.FREE",
          "MEM.TOTAL",
          "NULL",
          "WIDTH",
          "HEIGHT",
          "GETKEY",
          "UPKEY",
          "DOWNKEY",
          "LEFTKEY",
          "RIGHTKEY",
          "SELECTKEY",
          "CLEARKEY",
          "STARKEY",
          "POUNDKEY",
          "MAPPY.BLOCKFLAG",
          "MAPPY.BLOCKIMAGE"});
    fill(changers_, changerSet_, {"STR$", "INT", "UPPER", "LOWER"});
    // WORLD declares a field of the program class when it stands before the main section, so it must not
    // open that section.
    fill(creators_, creatorSet_,
         {"DIM", "IMAGE", "CAMERA", "BOOLEAN", "BUTTON", "TYPE", "ENDTYPE", "FORM", "TEXTBOX", "LABEL",
          "LIST", "LIGHT", "WORLD"});
    // Every 3D statement word, declarations included, so that any of them brings in the 3D API.
    fill(m3g_, m3gSet_,
         {"OBJECT", "OBJECT.ARRAY", "CAMERA", "LIGHT", "WORLD", "3D.START", "3D.END", "3D.RENDER", "3D.FOG",
          "3D.FOGOFF", "3D.SETCAMERAROTATION", "3D.SETVIEWPORT", "3D.CLEAR", "3D.RESETLIGHTS",
          "3D.SETLIGHTCOLOR", "3D.PREPARETEXTURE", "3D.SETBACKGROUNDCOLOR", "3D.SETBACKGROUNDIMAGE"});
    fill(mm_, mmSet_, {"VIDEO.START", "VIDEO.END", "VIDEO.SHOW", "VIDEO.HIDE", "VIDEO.IMAGE"});
}

bool Library::isReturner(std::string_view word) const {
    return returnerSet_.count(upperAscii(word)) != 0;
}
bool Library::isChanger(std::string_view word) const {
    return changerSet_.count(upperAscii(word)) != 0;
}
bool Library::isStart(std::string_view word) const {
    return creatorSet_.count(std::string(word)) != 0;
}
bool Library::isM3G(std::string_view word) const {
    return m3gSet_.count(std::string(word)) != 0;
}
bool Library::isMM(std::string_view word) const {
    return mmSet_.count(std::string(word)) != 0;
}

void Library::addReturner(const std::string& word) {
    returners_.push_back(word);
    returnerSet_.insert(word);
}

bool Library::addForVariable(const std::string& name) {
    if (forVariableSet_.count(name)) return true;
    if (static_cast<int>(forVariables_.size()) >= kMaxForVariables) return false;
    forVariables_.push_back(name);
    forVariableSet_.insert(name);
    addByteVariable(name);
    return true;
}

std::string Library::getForVariable() const {
    if (forVariables_.empty()) return "";
    std::string text = "int ";
    for (std::size_t i = 0; i < forVariables_.size(); ++i) {
        if (i) text += ',';
        text += forVariables_[i];
    }
    return text + ";";
}

void Library::getForVariableByte(InterfaceFileWrite& writer) const {
    for (std::size_t i = 0; i < forVariables_.size(); ++i) {
        writer.writeByte(ByteCodes::dimInt);
        writer.writeByte(ByteCodes::endLine);
    }
}

void Library::addByteVariable(const std::string& name) {
    byteNaFirst_.try_emplace(name, static_cast<int>(byteNa_.size()));
    byteNa_.emplace_back(name, std::to_string(byteNu_));
    ++byteNu_;
}

int Library::getByteNa(const std::string& name, const Debug& debug) const {
    if (debug.enabled()) {
        for (std::size_t i = 0; i < byteNa_.size(); ++i) {
            debug.printDebug(">> " + byteNa_[i].first);
            if (byteNa_[i].first == name) return static_cast<int>(i);
        }
    } else if (auto it = byteNaFirst_.find(name); it != byteNaFirst_.end()) {
        return it->second;
    }
    throw InternalFailure({"Internal Error: Could not find " + name + " in variable pool"});
}

int Library::getByteNaArr(const std::string& name, const Debug& debug) const {
    debug.printDebug(":)");
    if (auto it = byteNaFirst_.find(name); it != byteNaFirst_.end()) return it->second;
    throw InternalFailure({"Internal Error: Could not find " + name + " in array pool"});
}

}  // namespace compiler
