#include "driver/prepass.h"

#include "driver/blocks.h"
#include "driver/comments.h"
#include "driver/context.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/text_file.h"

namespace compiler {
namespace {

// The first problem the pass finds, which ends it; none while the source passes.
using Problem = std::optional<std::string>;

std::vector<std::string> splitRuns(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    if (!text.empty() && text[0] == ' ') tokens.emplace_back();
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) break;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

std::string spaceOut(const std::string& text) {
    std::string spaced;
    spaced.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '(' || c == ')' || c == '+' || c == '-' || c == '/' || c == ',') {
            spaced += ' ';
            spaced += c;
            spaced += ' ';
        } else {
            spaced += c;
        }
    }
    return spaced;
}

// The words of a line between runs of blanks; a text in quotes is one word, blanks and all.
std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    bool inString = false, inWord = false;
    for (char c : line) {
        if (c == '"') inString = !inString;
        if (c == ' ' && !inString) {
            inWord = false;
            continue;
        }
        if (!inWord) words.emplace_back();
        inWord = true;
        words.back() += c;
    }
    return words;
}

// The words of an ENDFUNCTION or EXITFUNCTION line: its value is one word, a negative number too (the
// spacing has split its sign off).
std::vector<std::string> valueWords(const std::string& line) {
    std::vector<std::string> words = wordsOf(line);
    if (words.size() == 3 && words[1] == "-" && !words[2].empty() && words[2][0] >= '0' &&
        words[2][0] <= '9') {
        words[1] += words[2];
        words.pop_back();
    }
    return words;
}

bool bracketsBalance(const std::string& text) {
    long open = 0, close = 0;
    bool inString = false;
    for (char c : text) {
        if (c == '"') inString = !inString;
        if (inString) continue;
        if (c == '(') ++open;
        if (c == ')') ++close;
    }
    return open == close;
}

constexpr std::size_t kMaxBlockDepth = 100;

bool isOneOf(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* w : words) {
        if (word == w) return true;
    }
    return false;
}

// One pass over the source: the open blocks and the section flags.
class Pass {
public:
    Pass(Context& ctx) : ctx_(ctx) {}

    Problem entry(const std::string& raw, long n);
    Problem finish();

private:
    std::string at(const std::vector<std::string>& tokens, std::size_t i) const {
        return i < tokens.size() ? tokens[i] : std::string();
    }
    Problem push(BlockKind block, long n) {
        // The Java of every open block nests one level deeper; the tools have a depth they go no further.
        if (stack_.size() >= kMaxBlockDepth) return res("Error_Nested_blocks") + std::to_string(n);
        stack_.push_back(block);
        return std::nullopt;
    }
    Problem pop(BlockKind expected, const std::string& strayKey, long n);
    Problem function(const std::vector<std::string>& tokens, long n);
    Problem endFunction(const std::string& line, long n);
    Problem blocks(const std::string& line, const std::vector<std::string>& tokens, long n);
    Problem objectsAndFeatures(const std::vector<std::string>& tokens);
    void warnOnce(bool (Library::*isOn)() const, void (Library::*setOn)());

    Context& ctx_;
    std::vector<BlockKind> stack_;
    CommentFilter comments_;
    bool inFunction_ = false, inType_ = false, inAction_ = false, inCanvas_ = false, inTry_ = false;
    bool fileUse_ = false;
    bool returnsValue_ = false;
    std::string exitValue_;  // the value of the function's first EXITFUNCTION with one
    std::string functionName_;
};

Problem Pass::pop(BlockKind expected, const std::string& strayText, long n) {
    if (stack_.empty()) return strayText + std::to_string(n);
    const BlockKind top = stack_.back();
    stack_.pop_back();
    if (top != expected)
        return res("Error_Incorrect") + std::string(blockName(top)) + " at line: " + std::to_string(n);
    return std::nullopt;
}

Problem Pass::function(const std::vector<std::string>& tokens, long n) {
    const std::string number = std::to_string(n);
    if (inFunction_ || inType_) return res("Cannot_create_new") + number;
    if (Problem problem = push(BlockKind::Function, n)) return problem;
    const std::string name = at(tokens, 1);
    if (const std::optional<OwnerKind> special = Functions::specialFunction(name)) {
        if (special == OwnerKind::Pause) ctx_.library.setPauseFunc();
        if (special == OwnerKind::Action) ctx_.library.setCommandFunc();
        if (special == OwnerKind::End) ctx_.library.setEndFunc();
        functionName_.clear();
    } else {
        if (name.empty()) return res("Error_Function_Name") + number;
        if (Problem problem = Functions::refusal(name)) return *problem + " at line: " + number;
        ctx_.functions.addFunction(name);
        ctx_.library.addReturner(name);
        functionName_ = name;
        if (tokens.size() > 4) {
            Function& fn = ctx_.functions.getLastFunction();
            for (std::size_t i = 3; i < tokens.size(); i += 2) {
                const std::string& arg = tokens[i];
                if (!Preverify::Name(Preverify::FixVariable(arg)))
                    return res("Error_Function") + " at line: " + number;
                if (endsWith(arg, "#")) {
                    fn.addArg(TypeCodes::cFloat, arg.substr(0, arg.size() - 1));
                } else if (endsWith(arg, "$")) {
                    fn.addArg(TypeCodes::cString, arg.substr(0, arg.size() - 1));
                } else {
                    fn.addArg(TypeCodes::cInt, arg);
                }
                const std::string next = at(tokens, i + 1);
                if (next == ")") break;
                if (next != ",") return res("Error_Expecting_or_at") + number;
            }
        }
    }
    inFunction_ = true;
    return std::nullopt;
}

Problem Pass::endFunction(const std::string& line, long n) {
    if (!inFunction_) return res("EndFunction_used") + std::to_string(n);
    if (Problem problem = pop(BlockKind::Function, res("EndFunction_used"), n)) return problem;
    if (functionName_.empty()) {
        inFunction_ = false;
        return std::nullopt;
    }
    std::vector<std::string> words = valueWords(line);
    Function& fn = ctx_.functions.getLastFunction();
    if (words.size() > 2 && !returnsValue_) {
        // A value of several words (a call, a sum) would make a function of no value, whose calls are
        // then refused far from here: refused where it stands.
        return res("Error_EndFunction_Single") + " at line: " + std::to_string(n);
    }
    if (words.size() != 2 && !returnsValue_) {
        fn.setType(TypeCodes::cVoid);
    } else {
        if (words.size() < 2) return res("Error_EndFunction_Value") + std::to_string(n);
        // A value of several words takes its kind from the EXITFUNCTION's one word.
        const std::string& value = words.size() == 2 ? words[1] : exitValue_;
        if (endsWith(value, "#")) {
            fn.setType(TypeCodes::cFloat);
        } else if (endsWith(value, "$") ||
                   (value.size() >= 2 && value.front() == '"' && value.back() == '"')) {
            fn.setType(TypeCodes::cString);
        } else {
            fn.setType(TypeCodes::cInt);
        }
    }
    inFunction_ = false;
    returnsValue_ = false;
    return std::nullopt;
}

Problem Pass::objectsAndFeatures(const std::vector<std::string>& tokens) {
    const std::string first = tokens[0];
    Library& lib = ctx_.library;
    if (first == "IMAGE") {
        // Loading an image throws IOException in the generated Java only; byte tokens have no TRY.
        if (!inTry_ && ctx_.project.isJava()) return res("Error_Image_loading");
        ctx_.objects.addImage(at(tokens, 1));
        fileUse_ = true;
    }
    if (first == "SPRITE" || first == "SPRITE.ANIMATION") ctx_.objects.addSprite(at(tokens, 1));
    if (first == "IMAGE.ARRAY") {
        ctx_.objects.addImageArray(at(tokens, 1));
        // It loads images as IMAGE does; in a TRY its failure goes to CATCH IO.
        if (inTry_) fileUse_ = true;
    }
    if (first == "SPRITE.ARRAY") ctx_.objects.addSpriteArray(at(tokens, 1));
    // 3D objects are fields of the program too, declared before the main section opens.
    if (first == "OBJECT") ctx_.objects.addObject(at(tokens, 1), at(tokens, 3));
    if (first == "OBJECT.ARRAY") ctx_.objects.addObjectArray(at(tokens, 1), at(tokens, 3));

    // Feature words may stand anywhere in a line (VIDEO.HASCAMERA inside an expression), and the class
    // header that needs them is written before the first statement is translated.
    for (const std::string& word : tokens) {
        if (word.find('.') == std::string::npos) continue;  // every feature word has a dot
        // Every map word needs the viewer field, not only the statement that loads a map.
        if (isOneOf(word, {"MAPPY.LOAD", "MAPPY.DRAW", "MAPPY.SETX", "MAPPY.SETY", "MAPPY.BLOCKFLAG",
                           "MAPPY.BLOCKIMAGE"})) {
            lib.setMappy();
        }
        if (isOneOf(word, {"SOUND.LOAD", "SOUND.PLAY", "SOUND.DELETE", "SOUND.LOOP", "SOUND.STOP"})) {
            lib.usesSound = true;
        }
        if (isOneOf(word, {"MIDI.LOAD", "MIDI.PLAY", "MIDI.LOOP", "MIDI.DELETE", "MIDI.STOP"}))
            lib.usesMidi = true;
        if (isOneOf(word, {"NET.IMAGE", "NET.LOADIMAGE"})) lib.usesImage = true;
        if (isOneOf(word, {"VIDEO.HASCAMERA", "VIDEO.CAPTURE", "VIDEO.START", "VIDEO.END", "VIDEO.SHOW",
                           "VIDEO.HIDE", "VIDEO.IMAGE"})) {
            lib.usesVideo = true;
        }
    }
    return std::nullopt;
}

void Pass::warnOnce(bool (Library::*isOn)() const, void (Library::*setOn)()) {
    if ((ctx_.library.*isOn)()) return;
    (ctx_.library.*setOn)();
    ctx_.console.line(res("Warning_You_are_using"));
}

// The blocks a line opens or closes, in the order the checks are made.
Problem Pass::blocks(const std::string& line, const std::vector<std::string>& tokens, long n) {
    const std::string number = std::to_string(n);
    const std::string first = at(tokens, 0);
    const std::string second = at(tokens, 1);

    if (first == "FUNCTION") {
        if (Problem problem = function(tokens, n)) return problem;
    }
    if (first == "EXITFUNCTION") {
        if (!inFunction_) return res("Cannot_create_new") + number;
        const std::vector<std::string> words = valueWords(line);
        if (words.size() == 2 && !returnsValue_) {
            returnsValue_ = true;
            exitValue_ = words[1];
        }
    }
    if (first == "ENDFUNCTION") {
        if (Problem problem = endFunction(line, n)) return problem;
    }
    if (first == "TYPE" && tokens.size() > 1) {
        if (inType_) return res("Cannot_create_new") + number;
        if (!Preverify::Name(second)) return "Type name is invalid at line: " + number;
        if (Problem problem = push(BlockKind::Type, n)) return problem;
        inType_ = true;
    }
    if (first == "ENDTYPE") {
        if (!inType_) return res("EndType_used_without") + number;
        if (Problem problem = pop(BlockKind::Type, res("EndType_used_without"), n)) return problem;
        inType_ = false;
    }
    if (first == "ACTION" && tokens.size() > 1) {
        if (inAction_) return res("Cannot_create_new") + number;
        if (Problem problem = push(BlockKind::Action, n)) return problem;
        inAction_ = true;
    }
    if (first == "ENDACTION") {
        if (!inAction_) return res("EndAction_used") + number;
        if (Problem problem = pop(BlockKind::Action, res("EndAction_used"), n)) return problem;
        inAction_ = false;
    }
    if (first == "CANVAS") {
        if (inCanvas_) return res("Cannot_create_new") + number;
        if (Problem problem = push(BlockKind::Canvas, n)) return problem;
        ctx_.objects.addCanvas(second);
        inCanvas_ = true;
    }
    if (first == "ENDCANVAS") {
        if (!inCanvas_) return res("EndCanvas_used") + number;
        if (Problem problem = pop(BlockKind::Canvas, res("EndCanvas_used"), n)) return problem;
        inCanvas_ = false;
    }
    if (first == "IF" && tokens.size() > 1) {
        if (Problem problem = push(BlockKind::If, n)) return problem;
        if (!endsWith(line, "THEN")) return "If statement requires a THEN keyword at line: " + number;
    }
    if (first == "ENDIF" || (first == "END" && second == "IF")) {
        if (Problem problem = pop(BlockKind::If, res("EndIf_used"), n)) return problem;
    }
    if (first == "FOR" && tokens.size() > 1) {
        if (Problem problem = push(BlockKind::For, n)) return problem;
        // The variable is the word after FOR, however many blanks stand before it.
        const std::size_t start = line.find_first_not_of(' ', 3);
        long end = start == std::string::npos ? -1 : Preverify::find(line, '=', start);
        if (end <= static_cast<long>(start)) return res("Error_For_Variable") + number;
        const std::string variable = line.substr(start, static_cast<std::size_t>(end) - start);
        // Loop variables are declared before the first statement is translated; a name the variable
        // registry refuses is refused here, where its FOR stands.
        if (!Helpers::allowedVarName(variable)) return "Variable name is illegal at line " + number;
        if (!ctx_.library.addForVariable(variable)) return res("Error_Too_many_FOR") + number;
    }
    if (first == "NEXT") {
        if (Problem problem = pop(BlockKind::For, res("Next_used"), n)) return problem;
    }
    if (first == "WHILE") {
        if (Problem problem = push(BlockKind::While, n)) return problem;
    }
    if (first == "ENDWHILE") {
        if (Problem problem = pop(BlockKind::While, res("EndWhile_used"), n)) return problem;
    }
    if (first == "TRY") {
        if (Problem problem = push(BlockKind::Try, n)) return problem;
        inTry_ = true;
    }
    if (first == "ENDTRY") {
        if (Problem problem = pop(BlockKind::Try, res("EndTry_used"), n)) return problem;
        inTry_ = false;
        fileUse_ = false;
    }
    if (first == "CATCH") {
        if (second == "IO" && !fileUse_) return res("Error_File_error_is") + number;
        if (Problem problem = push(BlockKind::Catch, n)) return problem;
    }
    if (first == "ENDCATCH") {
        if (Problem problem = pop(BlockKind::Catch, res("EndCatch_used"), n)) return problem;
    }
    return std::nullopt;
}

Problem Pass::entry(const std::string& raw, long n) {
    const std::string upper = trim(toUpperAscii(trim(raw)));
    if (comments_.next(upper) != CommentFilter::Kind::Code) return std::nullopt;

    const std::string line = spaceOut(upper);
    if (!bracketsBalance(line)) {
        ctx_.console.line(line);
        return res("Error_Bracket") + std::to_string(n);
    }
    const std::vector<std::string> tokens = splitRuns(line);
    if (Problem problem = blocks(line, tokens, n)) return problem;
    if (!tokens.empty()) {
        if (Problem problem = objectsAndFeatures(tokens)) return problem;
    }

    const std::string first = at(tokens, 0);
    if (first == "DIM" && line.find('#') != std::string::npos)
        warnOnce(&Library::usesFloats, &Library::setFloat);
    if (ctx_.library.isM3G(first)) warnOnce(&Library::uses3D, &Library::set3D);
    if (ctx_.library.isMM(first)) warnOnce(&Library::usesMM, &Library::setMM);
    return std::nullopt;
}

Problem Pass::finish() {
    if (stack_.empty()) return std::nullopt;
    ctx_.console.line(res("Error_Your_have_not") + std::string(blockName(stack_.back())));
    return "Structure Error";
}

}  // namespace

bool Preverify::Name(std::string_view text) {
    for (char c : text) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    }
    return true;
}

std::string Preverify::FixVariable(const std::string& text) {
    if (endsWith(text, "$") || endsWith(text, "#")) return text.substr(0, text.size() - 1);
    return text;
}

long Preverify::find(std::string_view text, char c, std::size_t start) {
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == c || text[i] == ' ') return static_cast<long>(i);
    }
    return -1;
}

std::optional<std::string> Preverify::operator()(const std::vector<std::string>& lines) {
    Console& console = ctx_.console;
    console.line("**");
    std::string home = ctx_.project.tbLocation;
    if (home.size() > 1 && home.back() == '/') home.pop_back();
    console.line(res("Home_") + home);
    console.line("Java: " + ctx_.project.javaLocation.value_or(""));
    console.line("**");
    console.line(res("Preverifying_code"));

    Pass pass(ctx_);
    // Messages name the line of the source file the statement stands on.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Problem problem = pass.entry(lines[i], static_cast<long>(ctx_.sourceLine(i + 1)))) return problem;
    }
    return pass.finish();
}

}  // namespace compiler
