#include "statements/convertor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/argument_reader.h"
#include "guard/outputs.h"
#include "statements/families.h"
#include "statements/keyword_table.h"

namespace compiler {
namespace {

bool startsWithQuote(const std::string& token) {
    return !token.empty() && token[0] == '"';
}

void upperCaseWords(std::vector<std::string>& tokens, std::size_t count) {
    for (std::size_t i = 0; i < count && i < tokens.size(); ++i) {
        if (startsWithQuote(tokens[i])) continue;
        for (char& c : tokens[i]) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
    }
}

// The map, sound, file, network and video statements drive the phone's support classes and have no byte
// tokens at all: refused by name on those targets wherever they stand.
bool supportClassStatement(const std::string& keyword) {
    static const std::unordered_set<std::string> keywords = {
        "MAPPY.LOAD",  "MAPPY.DRAW",        "MAPPY.SETX",    "MAPPY.SETY",  "SOUND.LOAD",    "SOUND.DELETE",
        "MIDI.LOAD",   "MIDI.DELETE",       "FILE",          "FILE.CLOSE",  "FILE.DELETE",   "FILE.WRITE",
        "SERVER.SEND", "SERVER.DISCONNECT", "NET.SEND",      "NET.IMAGE",   "NET.LOADIMAGE", "NET.DOWNLOAD",
        "COMM.SEND",   "BLUE.START",        "BLUE.DISCOVER", "VIDEO.START", "VIDEO.END",     "VIDEO.SHOW",
        "VIDEO.HIDE",  "VIDEO.IMAGE",       "SOUND.PLAY",    "SOUND.LOOP",  "SOUND.STOP",    "MIDI.PLAY",
        "MIDI.LOOP",   "MIDI.STOP"};
    return keywords.count(keyword) != 0;
}

// The value after ENDFUNCTION or EXITFUNCTION is one word, and a negative number is one value: the line's
// spacing has split its sign off, as it does everywhere but after "=".
void joinNegativeValue(std::vector<std::string>& tokens, std::size_t& count) {
    if (count != 3 || (tokens[0] != "ENDFUNCTION" && tokens[0] != "EXITFUNCTION") || tokens[1] != "-" ||
        tokens[2].empty() || tokens[2][0] < '0' || tokens[2][0] > '9')
        return;
    tokens[1] += tokens[2];
    tokens.erase(tokens.begin() + 2);
    count = 2;
}

// Decimal literals reach the Java as decimals: without leading zeros ("010" would be octal in Java, "08"
// would not compile), and only within the range the Java type holds.
void normaliseNumber(std::string& t) {
    if (Helpers::Number(t) && t != "-") {
        const bool negative = t.front() == '-';
        std::size_t first = negative ? 1 : 0;
        std::size_t digits = t.find_first_not_of('0', first);
        std::string magnitude = digits == std::string::npos ? "0" : t.substr(digits);
        // Java takes 2147483648 only as the operand of a minus, which a joined "-2147483648" is.
        const std::string_view limit = negative ? "2147483648" : "2147483647";
        if (magnitude.size() > limit.size() || (magnitude.size() == limit.size() && magnitude > limit))
            throw CompileException(res("Error_Number_range") + t);
        t = (negative && magnitude != "0" ? "-" : "") + magnitude;
        return;
    }
    if (tokens::isDecimal(t)) {
        // A float literal that is too large, or that is not zero but rounds to zero, does not compile.
        const float value = std::strtof(t.c_str(), nullptr);
        const bool zeroWritten = t.find_first_of("123456789") == std::string::npos;
        if (std::isinf(value) || (value == 0.0f && !zeroWritten))
            throw CompileException(res("Error_Float_range") + t);
    }
}

// A string literal as Java must read it. Java takes a backslash in a literal as the start of an escape,
// and decodes "\u" escapes before it reads literals at all. Its escapes \n \t \r \b \f \' and \\ stay as
// written, as programs rely on them; every other backslash (the one before the closing quote and the one
// of "\u" too) is doubled, so the Java string holds the backslash the source has.
std::string javaLiteral(const std::string& literal) {
    std::string java;
    java.reserve(literal.size() + 4);
    for (std::size_t i = 0; i < literal.size(); ++i) {
        const char c = literal[i];
        java += c;
        if (c != '\\') continue;
        const char next = i + 1 < literal.size() ? literal[i + 1] : '\0';
        if (next == 'n' || next == 't' || next == 'r' || next == 'b' || next == 'f' || next == '\'' ||
            next == '\\') {
            java += next;
            ++i;
        } else {
            java += '\\';
        }
    }
    return java;
}

// The bytes of a literal's string in a Java class file (modified UTF-8: NUL takes two bytes, a character
// beyond U+FFFF six), after the escapes javaLiteral keeps.
std::size_t javaStringBytes(const std::string& literal) {
    std::size_t bytes = 0;
    const std::size_t end = literal.size() > 1 && literal.back() == '"' ? literal.size() - 1 : literal.size();
    for (std::size_t i = 1; i < end;) {
        const auto c = static_cast<unsigned char>(literal[i]);
        if (c == '\\' && i + 1 < end &&
            std::string_view("ntrbf'\\").find(literal[i + 1]) != std::string_view::npos) {
            bytes += 1, i += 2;
        } else if (c >= 0xF0) {
            bytes += 6, i += 4;
        } else {
            bytes += c == 0 ? 2 : 1;
            ++i;
        }
    }
    return bytes;
}

// What the Java platform cannot hold, refused where the user wrote it: a text of 64 KB or more (also as a run
// of texts and numbers joined by "+", which javac folds into one), a name longer than the class files and the
// file system take, brackets or a statement so deep or long that javac runs out of stack.
void checkLimits(std::span<const std::string> tokens) {
    constexpr std::size_t kMaxTokens = 2000, kMaxDepth = 100, kMaxName = 200, kMaxText = 65534;
    if (tokens.size() > kMaxTokens) throw CompileException(res("Error_Statement_long"));
    std::size_t depth = 0, run = 0;
    for (const std::string& t : tokens) {
        if (t == "(" || t == "[") {
            if (++depth > kMaxDepth) throw CompileException(res("Error_Nested_brackets"));
        } else if ((t == ")" || t == "]") && depth > 0) {
            --depth;
        }
        const bool number = Helpers::Number(t) || tokens::isDecimal(t);
        if (startsWithQuote(t)) {
            run += javaStringBytes(t);
        } else if (number) {
            run += t.size();
        } else if (t != "+" && t != "(" && t != ")") {
            run = 0;
        }
        if (run > kMaxText) throw CompileException(res("Error_Text_long"));
        // A record's field (P%.X) is two names, each declared and measured alone, without its suffix.
        if (!startsWithQuote(t) && !number) {
            for (std::size_t start = 0, dot; start <= t.size(); start = dot + 1) {
                dot = std::min(t.find('.', start), t.size());
                const bool suffix =
                    dot > start && std::string_view("$#%").find(t[dot - 1]) != std::string_view::npos;
                if (dot - start - (suffix ? 1 : 0) > kMaxName) throw CompileException(res("Error_Name_long"));
            }
        }
    }
}

// A text ends at its second double quote (a backslash before it changes nothing): a token that holds a
// quote anywhere else is values glued together, which Java would read otherwise or not at all.
void checkQuotes(const std::string& t) {
    const std::size_t quote = t.find('"', 1);
    if (t.find('"') == std::string::npos ||
        (t[0] == '"' && (quote == std::string::npos || quote + 1 == t.size())))
        return;
    if (quote != std::string::npos && quote + 1 < t.size() && t[quote - 1] == '\\')
        throw CompileException(res("Error_Text_quote"));
    throw CompileException(res("Error_Expecting_operator"));
}

// A comma with no value on one side: right after the keyword, an opening bracket, "=" or another comma, or
// before a closing bracket, another comma or the end. No statement has an empty argument, and its Java would
// not compile.
bool missingValue(std::span<const std::string> tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] != ",") continue;
        if (i <= 1 || i + 1 == tokens.size()) return true;
        const std::string& before = tokens[i - 1];
        const std::string& after = tokens[i + 1];
        if (before == "(" || before == "[" || before == "=" || after == "," || after == ")" || after == "]")
            return true;
    }
    return false;
}

// Statements that take nothing after their keyword: anything there would be dropped without a word.
bool takesNoArguments(const std::string& keyword) {
    static const std::unordered_set<std::string_view> keywords = {
        "ELSE",        "ENDIF",     "ENDWHILE",       "TRY",          "ENDCATCH",          "ENDTRY",
        "ENDCANVAS",   "ENDACTION", "ENDTYPE",        "LAYER.UPDATE", "MEM.FLUSH",         "3D.START",
        "3D.END",      "3D.CLEAR",  "3D.RESETLIGHTS", "3D.FOGOFF",    "REPAINT",           "CLS",
        "MIDI.PLAY",   "MIDI.STOP", "MIDI.DELETE",    "FILE.CLOSE",   "SERVER.DISCONNECT", "BLUE.DISCOVER",
        "VIDEO.START", "VIDEO.END", "VIDEO.SHOW",     "VIDEO.HIDE",   "MAPPY.DRAW"};
    return keywords.count(keyword) != 0;
}

bool oneOf(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* w : words) {
        if (word == w) return true;
    }
    return false;
}

// The paint statements draw with the Graphics the phone hands the PAINT action; anywhere else there is
// none to draw with (in the main section it is null).
bool drawsOnTheScreen(const std::string& keyword) {
    return oneOf(keyword, {"SETCLIP",
                           "CLS",
                           "SETCOLOR",
                           "SETGREY",
                           "DRAWLINE",
                           "DRAWRECTANGLE",
                           "DRAWFILLEDRECTANGLE",
                           "DRAWROUNDRECTANGLE",
                           "DRAWROUNDFILLEDRECTANGLE",
                           "DRAWARC",
                           "DRAWFILLEDARC",
                           "SETPOINT",
                           "DRAWSTYLE",
                           "IMAGE.DRAW",
                           "IMAGE.DRAWARRAY",
                           "SPRITE.DRAW",
                           "SPRITE.DRAWARRAY",
                           "DRAWTEXT",
                           "LAYER.PAINT",
                           "FONT"});
}

}  // namespace

Convertor::Convertor(Context& context, InterfaceFileWrite& writer) : ctx(context), out(writer) {
    ctx.variables.addSystemVars();
    ctx.functions.enter(OwnerKind::Global);
    for (int i = 0; i < ctx.library.getForVariableNumber(); ++i) {
        ctx.variables.add(ctx.library.getForVariableName(i), TypeCodes::cInt);
    }
}

bool Convertor::java() const {
    return ctx.project.isJava();
}

void Convertor::writeType(const std::string& line) {
    if (!typeW || !typeW->write(line + "\n")) throw InternalFailure({res("File_Error_Cannot")});
}

void Convertor::closeType() {
    if (!typeW) return;
    writeType(std::string(guard::kGeneratedMarker));
    const bool placed = typeW->commit();
    typeW.reset();
    if (!placed) throw InternalFailure({res("File_Error_Cannot")});
}

const std::string& Convertor::token(long index) const {
    return ctx.line.token(index);
}
std::size_t Convertor::tokenCount() const {
    return ctx.line.size();
}

bool Convertor::checkCommand(int expected, std::size_t start) const {
    int count = 1;
    int depth = 0;
    const auto& tokens = ctx.line.Tokens;
    for (std::size_t i = start; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "(" || t == "[")
            ++depth;
        else if (t == ")" || t == "]")
            --depth;
        else if (t == "," && depth == 0)
            ++count;
    }
    return expected == count;
}

void Convertor::syntaxError() {
    const auto& tokens = ctx.line.Tokens;
    ctx.console.line(res("Error_Syntax_or") + (tokens.empty() ? std::string() : tokens[0]) + ".");
    ctx.console.line(res("Error_Some_keywords"));
    throw CompileException(res("Error_The_error"));
}

std::string Convertor::GetJava(std::vector<std::string>& tokens, int count) {
    std::size_t n = count < 0 ? 0 : std::min(static_cast<std::size_t>(count), tokens.size());
    // String literals stay exactly as written, "_" included; the Java gets them with their backslashes.
    upperCaseWords(tokens, n);
    joinNegativeValue(tokens, n);
    const std::span<const std::string> words(tokens.data(), n);
    for (const std::string& t : words) checkQuotes(t);
    checkLimits(words);
    for (std::size_t i = 0; i < n; ++i) {
        if (!startsWithQuote(tokens[i]))
            normaliseNumber(tokens[i]);
        else if (java())
            tokens[i] = javaLiteral(tokens[i]);
    }
    LineState& line = ctx.line;
    line.Tokens.assign(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(n));
    line.returnType = TypeCodes::cVoid;
    line.gPointer = 0;

    Temp.clear();
    if (ctx.debug.enabled()) {
        for (const auto& t : line.Tokens) Temp += t + " ";
        ctx.debug.printDebug(res("Compiler_Received_") + Temp);
    }

    const std::string first = line.Tokens.empty() ? std::string() : line.Tokens[0];
    if (ctx.functions.CurrentKind == OwnerKind::Global && first != "#ENDIF" && !ctx.library.isStart(first)) {
        ctx.console.line("Switching to command mode");
        ctx.console.line(
            "All variables from this point will become local and therefore inaccessible to other functions");
        out.WriteStart();
        out.WriteMain();
        ctx.functions.enter(OwnerKind::Main);
    }

    // A line that starts with a bracket, an operator or a comma has no first word: nothing can read it.
    if (first.empty()) syntaxError();

    checkPlacement(first);
    // Where the line begins decides which names its Java would hide: the head of an action or of FUNCTION
    // ACTION declares them for the lines after it.
    line.hiddenNames = Helpers(ctx).hiddenNames();
    std::string text = translateLine(first);
    // Where a statement's own reading let an empty argument pass, it is refused here (its own messages,
    // where it has them, come first).
    if (missingValue(words)) throw CompileException(res("Error_Expecting_value"));
    trackBlocks(first);
    return text;
}

std::string Convertor::translateLine(const std::string& first) {
    for (StatementHandler hook : lineHooks()) {
        if (auto text = hook(*this)) return *text;
    }

    if (!java() && supportClassStatement(first)) noByteForm(first);
    if (auto text = keywordChain(first)) return *text;
    for (StatementHandler reading : closingBranch()) {
        if (auto text = reading(*this)) return *text;
    }
    syntaxError();
}

void Convertor::checkPlacement(const std::string& first) {
    const Scope& scope = ctx.scope;
    // A function may draw: a PAINT action may call it.
    if (java() && drawsOnTheScreen(first)) {
        const bool paint = !scope.CurrentCanvas.empty() && scope.CurrentAction == "PAINT";
        const bool userFunction = ctx.functions.CurrentKind == OwnerKind::Function;
        if (!paint && !userFunction) throw CompileException(res("Error_Drawing_place"));
    }
    if (ctx.line.size() > 1 && takesNoArguments(first)) throw CompileException(res("Error_Number_of"));
    // NEXT may name its loop's variable, and nothing else.
    if (first == "NEXT" && ctx.line.size() > 1 &&
        (ctx.line.size() != 2 || blocks.empty() || blocks.back().variable != ctx.line.Tokens[1])) {
        throw CompileException(res("Error_Number_of"));
    }
    const bool inType = !scope.CurrentType.empty();
    // Record types live in files of their own: their lines may stand anywhere.
    const bool typeLine = first == "#ENDIF" || first == "TYPE" || first == "ENDTYPE" ||
                          (inType && (first == "DIM" || first == "BOOLEAN"));
    const bool inMain = ctx.functions.CurrentKind == OwnerKind::Main;
    if (first == "FUNCTION" && inMain && !scope.CurrentCanvas.empty())
        throw CompileException(res("Error_Function_in_canvas"));
    if (java()) {
        // After the first function the main program's method is closed: only functions follow it.
        if (ctx.library.endFound && inMain && !typeLine && first != "FUNCTION")
            throw CompileException(res("Error_Main_after_functions"));
        // A canvas is a class: its statements are the bodies of its actions.
        if (!scope.CurrentCanvas.empty() && scope.CurrentAction.empty() && !typeLine && first != "ACTION" &&
            first != "ENDCANVAS") {
            throw CompileException(res("Error_Canvas_statement"));
        }
    }
    if (first == "FUNCTION" && inMain && !blocks.empty()) throw CompileException(res("Error_Function_place"));
    if (first == "ELSE" || first == "ELSEIF") {
        if (blocks.empty() || blocks.back().kind != BlockKind::If)
            throw CompileException(res("Error_Else_place"));
        if (blocks.back().elseSeen) throw CompileException(res("Error_Else_twice"));
    }
    if (first == "BREAK" && ctx.line.size() == 1) {
        for (auto block = blocks.rbegin();; ++block) {
            if (block == blocks.rend() || block->kind == BlockKind::Function ||
                block->kind == BlockKind::Canvas || block->kind == BlockKind::Action)
                throw CompileException(res("Error_Break_place"));
            if (block->kind == BlockKind::For || block->kind == BlockKind::While) break;
        }
    }
}

// Follows the blocks the translated line opened or closed; the pre-pass has already paired them.
void Convertor::trackBlocks(const std::string& first) {
    static const std::pair<const char*, BlockKind> opening[] = {
        {"IF", BlockKind::If},         {"FOR", BlockKind::For},      {"WHILE", BlockKind::While},
        {"TRY", BlockKind::Try},       {"CATCH", BlockKind::Catch},  {"FUNCTION", BlockKind::Function},
        {"CANVAS", BlockKind::Canvas}, {"ACTION", BlockKind::Action}};
    for (const auto& [word, kind] : opening) {
        if (first == word) {
            blocks.push_back(Block{kind, false, first == "FOR" ? ctx.line.Tokens[1] : std::string()});
            return;
        }
    }
    const bool endIf = first == "ENDIF" || (first == "END" && ctx.line.size() == 2);
    if ((endIf ||
         oneOf(first, {"NEXT", "ENDWHILE", "ENDTRY", "ENDCATCH", "ENDFUNCTION", "ENDCANVAS", "ENDACTION"})) &&
        !blocks.empty()) {
        blocks.pop_back();
    } else if (first == "ELSE" && !blocks.empty()) {
        blocks.back().elseSeen = true;
    }
}

namespace {

// The table walked in order, visiting only the entries of one keyword: the positions of each keyword's
// entries, and the position of the stop entry, which ends the walk inside the PAUSE and END functions.
struct KeywordIndex {
    std::unordered_map<std::string_view, std::vector<std::size_t>> positions;
    std::size_t stop = 0;

    KeywordIndex() {
        const auto& table = keywordTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i].condition == KeywordCondition::SpecialFunctionStop)
                stop = i;
            else
                positions[table[i].keyword].push_back(i);
        }
    }
};

}  // namespace

std::optional<std::string> Convertor::keywordChain(const std::string& first) {
    static const KeywordIndex index;
    auto found = index.positions.find(first);
    if (found == index.positions.end()) return std::nullopt;
    const OwnerKind section = ctx.functions.CurrentKind;
    const auto& table = keywordTable();
    for (std::size_t position : found->second) {
        const KeywordEntry& entry = table[position];
        if (position > index.stop && (section == OwnerKind::Pause || section == OwnerKind::End))
            return std::nullopt;
        switch (entry.condition) {
            case KeywordCondition::Always:
                break;
            case KeywordCondition::SingleToken:
                if (ctx.line.size() != 1) continue;
                break;
            case KeywordCondition::SpecialFunctionStop:
                continue;
            case KeywordCondition::InCanvasAction:
                if (ctx.scope.CurrentCanvas.empty() || ctx.scope.CurrentAction.empty()) continue;
                break;
            case KeywordCondition::InPaintAction:
                if (ctx.scope.CurrentCanvas.empty() || ctx.scope.CurrentAction != "PAINT") continue;
                break;
            case KeywordCondition::NotInActionFunction:
                if (section == OwnerKind::Action) continue;
                break;
        }
        if (auto text = entry.handler(*this)) return text;
    }
    return std::nullopt;
}

std::unique_ptr<StatementTranslator> makeConvertor(Context& ctx, InterfaceFileWrite& out) {
    return std::make_unique<Convertor>(ctx, out);
}

}  // namespace compiler
