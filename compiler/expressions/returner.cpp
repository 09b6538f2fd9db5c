#include "expressions/returner.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/nested_values.h"

namespace compiler {
namespace {

constexpr TypeCode kInt = TypeCodes::cInt;
constexpr TypeCode kString = TypeCodes::cString;
constexpr TypeCode kBoolean = TypeCodes::cBoolean;

// Built-ins without arguments whose text is fixed.
struct FixedValue {
    std::string_view word;
    std::string_view text;
    TypeCode type;
};

// The runtime gives longs for the memory sizes; the language's integers are int.
constexpr FixedValue kFixedValues[] = {
    {"TIMER", "(int) new Date().getTime()", kInt},
    {"LASTKEY", "(LastKey - Math.abs((int) new Date().getTime()))", kInt},
    {"SERVER.RECEIVE", "inc.serverReceive()", kString},
    {"COMM.GETAVAILABLE", "inc.availablePorts()", kInt},
    {"VIDEO.HASCAMERA", "incVideo.HasCamera()", kBoolean},
    {"VIDEO.CAPTURE", "incVideo.CaptureCamera()", kBoolean},
    {"MEM.FREE", "((int) Runtime.getRuntime().freeMemory())", kInt},
    {"MEM.TOTAL", "((int) Runtime.getRuntime().totalMemory())", kInt},
    // A typed null: it can stand wherever a string can, and no overload of println or valueOf is
    // ambiguous for it.
    {"NULL", "((String) null)", kString},
};

// Key words of a KEYPRESSED action: the key code parameter and the game-action codes.
constexpr FixedValue kKeyValues[] = {
    {"GETKEY", "keyCode", kInt}, {"UPKEY", "-1", kInt},    {"DOWNKEY", "-2", kInt},
    {"LEFTKEY", "-3", kInt},     {"RIGHTKEY", "-4", kInt}, {"SELECTKEY", "-5", kInt},
    {"CLEARKEY", "-8", kInt},    {"STARKEY", "42", kInt},  {"POUNDKEY", "35", kInt},
};

// Words whose Java needs the phone profile or the phone's support objects (inc, incVideo, the map
// viewer, lcdui widgets and sprites); the applet class has none of them.
bool phoneOnly(const std::string& word) {
    static const std::vector<std::string_view> words = {
        "TEXTBOX.GETVALUE",  "LIST.GETVALUE",   "LIST.SELECTED",  "FILE.READ",       "FILE.EXIST",
        "SPRITE.WIDTH",      "SPRITE.HEIGHT",   "SPRITE.POSX",    "SPRITE.POSY",     "SPRITE.FRAME",
        "SPRITE.COLLISION",  "SERVER.CONNECT",  "SERVER.RECEIVE", "NET.GETTEXT",     "NET.GETDATA",
        "COMM.GETAVAILABLE", "COMM.GETPORT",    "COMM.GETSTRING", "VIDEO.HASCAMERA", "VIDEO.CAPTURE",
        "MAPPY.BLOCKFLAG",   "MAPPY.BLOCKIMAGE"};
    for (std::string_view w : words) {
        if (w == word) return true;
    }
    return false;
}

// Parenthesised unless the text is one name or one unsigned number, so it keeps its value next to
// another operator. A blank is no sign of an operator: subtraction is written without blanks ("X-1").
std::string grouped(const std::string& text) {
    const bool oneOperand = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    });
    return oneOperand ? text : "(" + text + ")";
}

}  // namespace

std::string userFunctionArguments(Context& ctx, const std::string& function,
                                  const std::vector<std::string>& args, std::string* bytes) {
    const std::string pattern = ctx.functions.getArguments(function);
    if (pattern.empty()) {
        if (!args.empty()) throw CompileException(res("Error_Function"));
        return "";
    }
    if (!ctx.functions.checkFunction(function, args)) throw CompileException(res("Error_Function"));
    ctx.debug.printString(args);
    // The arguments are translated as a line of their own; the statement's line comes back after.
    LineState& line = ctx.line;
    struct Restore {
        LineState& line;
        std::vector<std::string> tokens;
        ~Restore() { line.Tokens = std::move(tokens); }
    } restore{line, std::exchange(line.Tokens, args)};
    line.gPointer = 0;
    std::unique_ptr<InterfaceArguments> arguments = newArguments(ctx);
    std::string text = arguments->HandleArguments(pattern, 0, 0);
    if (bytes) *bytes = arguments->retByte().value_or("");
    // Arguments the pattern does not take would otherwise vanish from the call.
    if (line.gPointer < static_cast<int>(args.size())) throw CompileException(res("Error_Function"));
    return text;
}

void checkBrackets(const LineState& line, int required) {
    const int p = line.gPointer;
    auto is = [&line](int i, const char* text) { return line.has(i) && line.token(i) == text; };
    if (required <= 0) {
        if (!is(p + 1, "(") || !is(p + 2, ")")) {
            throw CompileException("Command does not take any arguments, or brackets missing on a command");
        }
        return;
    }
    if (!is(p + 1, "(") || !line.has(p + 2) || line.token(p + 2) == ")") {
        throw CompileException("Command requires one or more arguments");
    }
    int count = 1;
    int depth = 0;
    // Commas inside an index or a nested call belong to it.
    for (int i = p; line.has(i); ++i) {
        const std::string& t = line.token(i);
        if (t == "(" || t == "[") {
            ++depth;
        } else if (t == ",") {
            if (depth == 1) ++count;
        } else if (t == ")" || t == "]") {
            if (depth <= 1) break;
            --depth;
        }
    }
    if (count != required) {
        throw CompileException("Number of arguments is incorrect for command. Found " +
                               std::to_string(count) + " Required " + std::to_string(required));
    }
}

std::string HandleReturner::Returner() {
    // A comparison side that begins with a built-in is this call; its arguments are lists of their own.
    ctx_.library.isComparator = false;
    try {
        const std::string word = ctx_.line.current();
        std::string text = translate(word);
        if (text.empty() || ctx_.project.isJava()) return text;
        // Only user functions, TIMER and SPRITE.COLLISION have tokens; any other value would vanish.
        if (bytes_.bytes().empty()) throw CompileException(res("Error_No_byte_form") + word);
        return "TBD";
    } catch (CompileException& e) {
        e.addError("in Returner");
        throw;
    }
}

std::string HandleReturner::translate(const std::string& word) {
    if (ctx_.functions.isFunction(word)) return userFunction(word);
    std::string text = builtIn(word);
    if (text.empty()) text = canvasWord(word);
    return text;
}

std::string HandleReturner::typed(std::string text, TypeCode type) {
    ctx_.line.returnType = type;
    return text;
}

std::string HandleReturner::argument(char letter, std::string* bytes) {
    std::unique_ptr<InterfaceArguments> arguments = newArguments(ctx_);
    std::string text = arguments->HandleArguments(std::string(1, letter), ctx_.line.gPointer, 0);
    if (text.empty()) throw CompileException(res("Error_Number_of"));
    if (bytes) *bytes = arguments->retByte().value_or("");
    return text;
}

void HandleReturner::comma() {
    LineState& line = ctx_.line;
    if (!line.has(line.gPointer) || line.current() != ",") throw CompileException(res("Error_Number_of"));
    ++line.gPointer;
}

// Every form ends on its own ")", which the caller steps over.
void HandleReturner::closing() {
    const LineState& line = ctx_.line;
    if (!line.has(line.gPointer) || line.current() != ")") throw CompileException(res("Error_Expecting_in"));
}

// The call ends at the ")" that matches its own "(", so F ( A ) + G ( B ) is two calls.
std::string HandleReturner::userFunction(const std::string& word) {
    ctx_.debug.printDebug("In Function");
    bytes_.injectTok(ByteCodes::functionC);
    LineState& line = ctx_.line;
    const int open = line.gPointer + 1;
    if (!line.has(open) || line.token(open) != "(") throw CompileException(res("Error_Expecting_in"));
    int close = -1;
    int depth = 0;
    for (int i = open; line.has(i); ++i) {
        const std::string& t = line.token(i);
        if (t == "(") ++depth;
        if (t == ")" && --depth == 0) {
            close = i;
            break;
        }
    }
    if (close < 0) throw CompileException(res("Error_Expecting_in"));

    std::vector<std::string> args(line.Tokens.begin() + open + 1, line.Tokens.begin() + close);
    std::string argumentBytes;
    std::string text = userFunctionArguments(ctx_, word, args, &argumentBytes);
    line.gPointer = close;
    line.returnType = ctx_.functions.getType(word);
    // The function's number, then its arguments.
    bytes_.injectNum(ctx_.functions.getFuncID(word));
    bytes_.injectTok(ByteCodes::endData);
    bytes_.injectBytes(argumentBytes);
    bytes_.injectTok(ByteCodes::functionD);
    text = word + "(" + text + ")";
    ctx_.debug.printDebug(text);
    return text;
}

std::string HandleReturner::builtIn(const std::string& word) {
    LineState& line = ctx_.line;
    const Helpers helpers(ctx_);
    if (phoneOnly(word) && ctx_.project.isApplet()) throw CompileException(res("Error_This_command_is"));

    for (const FixedValue& value : kFixedValues) {
        if (word != value.word) continue;
        checkBrackets(line, 0);
        line.gPointer += 2;
        if (word == "TIMER" && !ctx_.project.isJava()) {
            bytes_.injectTok(ByteCodes::retTime);
            bytes_.injectTok(ByteCodes::retE);
        }
        if (word == "VIDEO.HASCAMERA" || word == "VIDEO.CAPTURE") ctx_.library.usesVideo = true;
        return typed(std::string(value.text), value.type);
    }

    if (word == "SPRITE.COLLISION") return spriteCollision();
    if (word == "SPRITE.POSX") return spritePosition(".getX()", res("Error_Sprite_PosX"));
    if (word == "SPRITE.POSY") return spritePosition(".getY()", res("Error_Sprite_PosY"));

    // The forms that name an object: N is the token after "(".
    struct NamedValue {
        std::string_view word;
        const char* getter;
        TypeCode type;
        int (Helpers::*lookup)(const std::string&) const;
        const std::string& message;
    };
    const bool applet = ctx_.project.isApplet();
    const NamedValue named[] = {
        {"TEXTBOX.GETVALUE", ".getString()", kString, &Helpers::TextBox, res("Error_Textbox")},
        {"LIST.GETVALUE", ".getSelectedIndex()", kInt, &Helpers::List, res("Error_List_GetValue")},
        // The applet's images are AWT images, whose sizes take an observer.
        {"IMAGE.WIDTH", applet ? ".getWidth(null)" : ".getWidth()", kInt, &Helpers::Image,
         res("Error_Image_Width")},
        {"IMAGE.HEIGHT", applet ? ".getHeight(null)" : ".getHeight()", kInt, &Helpers::Image,
         res("Error_Image_Height")},
        {"SPRITE.WIDTH", ".getWidth()", kInt, &Helpers::Sprite, res("Error_Sprite_Width")},
        {"SPRITE.HEIGHT", ".getHeight()", kInt, &Helpers::Sprite, res("Error_Sprite_Height")},
        {"SPRITE.FRAME", ".getFrame()", kInt, &Helpers::Sprite, res("Error_Sprite_Frame")},
    };
    for (const NamedValue& value : named) {
        if (word != value.word) continue;
        checkBrackets(line, 1);
        line.gPointer += 2;
        const std::string name = line.current();
        line.gPointer += 1;
        // The name is the whole argument: anything after it would be lost from the text.
        if ((helpers.*value.lookup)(name) < 0 || !line.has(line.gPointer) || line.current() != ")") {
            throw CompileException(value.message);
        }
        return typed(name + value.getter, value.type);
    }

    if (word == "LIST.SELECTED") {
        checkBrackets(line, 2);
        line.gPointer += 2;
        const std::string name = line.current();
        if (helpers.List(name) < 0) throw CompileException(res("Error_List_Selected"));
        line.gPointer += 1;
        comma();
        std::string a = argument('I');
        closing();
        return typed(name + ".isSelected(" + a + ")", kBoolean);
    }

    // The forms whose arguments are all expressions.
    struct Call {
        std::string_view word;
        std::string_view pattern;
    };
    static const Call calls[] = {
        {"RND", "II"},         {"LEN", "S"},
        {"ASC", "S"},          {"TRIM", "S"},
        {"INDEX", "SS"},       {"LEFT", "SI"},
        {"RIGHT", "SI"},       {"MID", "SII"},
        {"FILE.READ", "I"},    {"FILE.EXIST", "S"},
        {"ABS", "I"},          {"MIN", "II"},
        {"MAX", "II"},         {"SERVER.CONNECT", "SI"},
        {"NET.GETTEXT", "S"},  {"NET.GETDATA", "S"},
        {"COMM.GETPORT", "I"}, {"COMM.GETSTRING", "I"},
    };
    for (const Call& call : calls) {
        if (word != call.word) continue;
        if (word == "FILE.READ") ctx_.debug.printDebug("File.Read");
        checkBrackets(line, static_cast<int>(call.pattern.size()));
        line.gPointer += 2;
        std::vector<std::string> a;
        for (char letter : call.pattern) {
            if (!a.empty()) comma();
            a.push_back(argument(letter));
        }
        closing();

        if (word == "RND") {
            // min + |random| % (max + 1 - min): from min to max inclusive, a negative min included.
            std::string t = "(" + a[0] + " + ( Math.abs( generator.nextInt() ) %((" + a[1] + "+1)-" +
                            grouped(a[0]) + ")))";
            return typed(t, kInt);
        }
        if (word == "LEN") return typed("String.valueOf(" + a[0] + ").length()", kInt);
        if (word == "ASC") return typed("(int)String.valueOf(" + a[0] + ").charAt(0)", kInt);
        if (word == "TRIM") return typed("String.valueOf(" + a[0] + ").trim()", kString);
        if (word == "INDEX") return typed("String.valueOf(" + a[0] + ")" + ".indexOf(" + a[1] + ")", kInt);
        if (word == "LEFT")
            return typed("String.valueOf(" + a[0] + ")" + ".substring(" + "0," + a[1] + ")", kString);
        if (word == "RIGHT") {
            const std::string v = "String.valueOf(" + a[0] + ")";
            return typed(v + ".substring(" + v + ".length() - " + grouped(a[1]) + "," + v + ".length())",
                         kString);
        }
        if (word == "MID") {
            return typed("String.valueOf(" + a[0] + ").substring(" + a[1] + "," + a[2] + ")", kString);
        }
        if (word == "FILE.READ") return typed("inc.readRMS(" + a[0] + ")", kString);
        if (word == "FILE.EXIST") return typed("inc.existRms(" + a[0] + ")", kBoolean);
        if (word == "ABS") return typed("Math.abs(" + a[0] + ")", kInt);
        if (word == "MIN") return typed("Math.min(" + a[0] + "," + a[1] + ")", kInt);
        if (word == "MAX") return typed("Math.max(" + a[0] + "," + a[1] + ")", kInt);
        if (word == "SERVER.CONNECT") return typed("inc.serverConnect(" + a[0] + "," + a[1] + ")", kBoolean);
        if (word == "NET.GETTEXT") return typed("inc.getTextFromInternet(" + a[0] + ")", kString);
        if (word == "NET.GETDATA") return typed("inc.getDataFromInternet(" + a[0] + ")", kString);
        if (word == "COMM.GETPORT") return typed("inc.getPort(" + a[0] + ")", kString);
        return typed("inc.getStringPort(" + a[0] + ")", kString);  // COMM.GETSTRING
    }
    return "";
}

std::string HandleReturner::canvasWord(const std::string& word) {
    const Scope& scope = ctx_.scope;
    LineState& line = ctx_.line;
    if (scope.CurrentCanvas.empty()) return "";
    if (word == "WIDTH" || word == "HEIGHT") {
        checkBrackets(line, 0);
        line.gPointer += 2;
        return typed(word == "WIDTH" ? "getWidth()" : "getHeight()", kInt);
    }
    if (scope.CurrentAction == "PAINT" && (word == "MAPPY.BLOCKFLAG" || word == "MAPPY.BLOCKIMAGE")) {
        checkBrackets(line, 4);
        line.gPointer += 2;
        std::string text =
            word == "MAPPY.BLOCKFLAG" ? "m_mapViewer.getBlockFlag(" : "m_mapViewer.getBlockImage(";
        for (int i = 0; i < 4; ++i) {
            if (i > 0) {
                comma();
                text += ",";
            }
            text += argument('I');
        }
        closing();
        return typed(text + ")", kInt);
    }
    if (scope.CurrentAction == "KEYPRESSED") {
        for (const FixedValue& value : kKeyValues) {
            if (word != value.word) continue;
            checkBrackets(line, 0);
            line.gPointer += 2;
            return typed(std::string(value.text), value.type);
        }
    }
    return "";
}

// SPRITE.COLLISION ( s1 [ , i1 ] , s2 [ , i2 ] , pixel-level ): a sprite array is followed by its index
// as an argument of its own.
std::string HandleReturner::spriteCollision() {
    LineState& line = ctx_.line;
    const Helpers helpers(ctx_);
    if (!line.has(line.gPointer + 1) || line.token(line.gPointer + 1) != "(") {
        throw CompileException(res("Error_Expecting_Comma"));
    }
    line.gPointer += 2;
    std::string first, firstIndex, second, secondIndex, pixel;
    const std::string s1 = argument('s', &first);
    comma();
    std::string x;
    if (helpers.SpriteArray(s1) >= 0) {
        ctx_.debug.printDebug("Returner > Sprite.Collision > Array > " + s1);
        x = s1 + "[" + argument('I', &firstIndex) + "].collidesWith(";
        comma();
    } else {
        x = s1 + ".collidesWith(";
    }
    ctx_.debug.printDebug("Returner > Sprite.Collision > Second Sprite > " + x);
    ctx_.debug.printDebug("Returner > Sprite.Collision > Second Sprite > " +
                          (line.has(line.gPointer) ? line.current() : std::string()));
    const std::string s2 = argument('s', &second);
    comma();
    if (helpers.SpriteArray(s2) >= 0) {
        x += s2 + "[" + argument('I', &secondIndex) + "],";
        comma();
    } else {
        x += s2 + ",";
    }
    ctx_.debug.printDebug("Returner > Sprite.Collision > Boolean > " + x);
    ctx_.debug.printDebug("Returner > Sprite.Collision > Boolean > " +
                          (line.has(line.gPointer) ? line.current() : std::string()));
    const std::string p = argument('b', &pixel);
    closing();
    if (!ctx_.project.isJava()) {
        // Sprite-array elements carry their index in "[[" ... "]]".
        bytes_.injectTok(ByteCodes::retSC);
        bytes_.injectBytes(first);
        if (!firstIndex.empty())
            bytes_.injectBytes(std::string(ByteCodes::sqS) + firstIndex + std::string(ByteCodes::sqE));
        bytes_.injectBytes(second);
        if (!secondIndex.empty())
            bytes_.injectBytes(std::string(ByteCodes::sqS) + secondIndex + std::string(ByteCodes::sqE));
        bytes_.injectBytes(pixel);
        bytes_.injectTok(ByteCodes::retE);
    }
    return typed(x + p + ")", kBoolean);
}

// SPRITE.POSX ( sprite ) or, for a sprite array, SPRITE.POSX ( array , index ).
std::string HandleReturner::spritePosition(const char* getter, const std::string& message) {
    LineState& line = ctx_.line;
    const Helpers helpers(ctx_);
    if (!line.has(line.gPointer + 1) || line.token(line.gPointer + 1) != "(") {
        throw CompileException(res("Error_Expecting_Comma"));
    }
    line.gPointer += 2;
    if (!line.has(line.gPointer)) throw CompileException(message);
    const std::string name = line.current();
    const bool single = helpers.Sprite(name) >= 0;
    const bool array = !single && helpers.SpriteArray(name) >= 0;
    if (!single && !array) throw CompileException(message);
    line.gPointer += 1;
    if (single) {
        if (!line.has(line.gPointer) || line.current() != ")") throw CompileException(message);
        return typed(name + getter, kInt);
    }
    if (!line.has(line.gPointer) || line.current() != ",") throw CompileException(message);
    comma();
    std::string index = argument('I');
    closing();
    return typed(name + "[" + index + "]" + getter, kInt);
}

}  // namespace compiler
