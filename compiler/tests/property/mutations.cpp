#include "property/mutations.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <regex>
#include <set>

#include "test_helpers.h"

namespace proptest {
namespace {

namespace fs = std::filesystem;

using tz::testing::readFile;
using tz::testing::splitLines;

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

// The first word of a line, upper-cased: up to a blank, a bracket or an operator.
std::string firstWord(const std::string& line) {
    std::size_t b = line.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    std::size_t e = line.find_first_of(" \t([=,:+-*/<>\"", b);
    return upper(line.substr(b, e == std::string::npos ? std::string::npos : e - b));
}

bool isComment(const std::string& word) {
    return word.rfind("REM", 0) == 0 || (!word.empty() && word[0] == '\'');
}

// Words whose lines open or close a block, declare a name or feed the pass over the whole source: a
// change there makes other lines right or wrong too.
bool shapesOtherLines(const std::string& word) {
    static const std::string words =
        " IF ELSEIF ELSE ENDIF END FOR NEXT WHILE ENDWHILE TRY CATCH ENDCATCH ENDTRY FUNCTION ENDFUNCTION"
        " EXITFUNCTION TYPE ENDTYPE CANVAS ENDCANVAS ACTION ENDACTION DIM BOOLEAN FORM BUTTON TEXTBOX LABEL "
        "LIST"
        " IMAGE IMAGE.ARRAY SPRITE SPRITE.ARRAY SPRITE.ANIMATION OBJECT OBJECT.ARRAY CAMERA LIGHT WORLD LAYER"
        " MAPPY.LOAD 3D.START 3D.END SETDISPLAY ";
    return words.find(" " + word + " ") != std::string::npos || isComment(word) ||
           (!word.empty() && word[0] == '#');
}

// The lines inside a REMSTART ... REMEND block, which are comments whatever they hold.
std::vector<bool> commentBlock(const std::vector<std::string>& lines) {
    std::vector<bool> inside(lines.size(), false);
    bool block = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string word = firstWord(lines[i]);
        if (word.rfind("REMSTART", 0) == 0) block = true;
        inside[i] = block;
        if (word.rfind("REMEND", 0) == 0) block = false;
    }
    return inside;
}

// The pieces of a line: a text in quotes (to the end when it is not closed), a word, or one other
// character. Blanks are no pieces.
struct Piece {
    std::size_t at, size;
};

std::vector<Piece> pieces(const std::string& line) {
    static const std::regex piece(R"("[^"]*"?|[A-Za-z0-9_.$#%]+|[^\s])");
    std::vector<Piece> found;
    for (std::sregex_iterator m(line.begin(), line.end(), piece), end; m != end; ++m)
        found.push_back({static_cast<std::size_t>(m->position()), static_cast<std::size_t>(m->length())});
    return found;
}

bool isBlockOpener(const std::string& line) {
    const std::string word = firstWord(line);
    if (word == "IF") {  // a one-line IF opens nothing
        std::string text = upper(line);
        text.erase(text.find_last_not_of(" \t") + 1);
        return text.ends_with("THEN");
    }
    return word == "ACTION" || word == "FUNCTION" || word == "FOR" || word == "WHILE" || word == "TRY" ||
           word == "CANVAS" || word == "TYPE";
}

bool isBlockCloser(const std::string& line) {
    const std::string word = firstWord(line);
    return word == "ENDACTION" || word == "ENDFUNCTION" || word == "NEXT" || word == "ENDWHILE" ||
           word == "ENDTRY" || word == "ENDCANVAS" || word == "ENDTYPE" || word == "ENDIF";
}

class Mutator {
public:
    Mutator(const std::string& source, const std::string& platform, std::uint64_t seed, int index)
        : original_(source),
          platform_(platform),
          lines_(splitLines(source)),
          comments_(commentBlock(lines_)),
          rng_(seed * 0x9E3779B97F4A7C15ULL + index) {}

    Mutant run();

private:
    std::size_t pick(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }
    bool chance(int percent) { return static_cast<int>(pick(100)) < percent; }
    // A line of code (not empty, not a comment), or nullopt when there is none.
    std::optional<std::size_t> codeLine(const std::function<bool(const std::string&)>& also = {}) {
        std::vector<std::size_t> candidates;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string word = firstWord(lines_[i]);
            if (word.empty() || comments_[i] || isComment(word)) continue;
            if (also && !also(lines_[i])) continue;
            candidates.push_back(i);
        }
        if (candidates.empty()) return std::nullopt;
        return candidates[pick(candidates.size())];
    }
    // The mutant of a change to line `i` alone: it names the line when the line stays one that shapes no
    // other before and after.
    Mutant oneLine(std::string kind, std::size_t i, const std::string& before) {
        Mutant m{std::move(kind), joinLines(lines_), 0, false};
        if (!shapesOtherLines(firstWord(before)) && !shapesOtherLines(firstWord(lines_[i])) &&
            firstWord(lines_[i]) != "" && !comments_[i])
            m.touchedLine = static_cast<int>(i) + 1;
        return m;
    }

    std::optional<Mutant> deleteLine();
    std::optional<Mutant> duplicateLine();
    std::optional<Mutant> duplicateBlock();
    std::optional<Mutant> misspellKeyword();
    std::optional<Mutant> dropPiece(const std::string& kind, const std::function<bool(char)>& which);
    std::optional<Mutant> addPiece(const std::string& kind, const std::vector<std::string>& choices);
    std::optional<Mutant> addBackslash();
    std::optional<Mutant> swapLines();
    std::optional<Mutant> renameDeclaration();
    std::optional<Mutant> hiddenName(const std::pair<std::size_t, Piece>& declaration);
    std::optional<Mutant> moveStatement();
    Mutant sameMeaning();

    std::string original_;
    std::string platform_;
    std::vector<std::string> lines_;
    std::vector<bool> comments_;
    std::mt19937_64 rng_;
};

std::optional<Mutant> Mutator::deleteLine() {
    auto i = codeLine();
    if (!i) return std::nullopt;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*i));
    return Mutant{"deleted line " + std::to_string(*i + 1), joinLines(lines_), 0, false};
}

std::optional<Mutant> Mutator::duplicateLine() {
    auto i = codeLine();
    if (!i) return std::nullopt;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*i), lines_[*i]);
    return Mutant{"duplicated line " + std::to_string(*i + 1), joinLines(lines_), 0, false};
}

// A block from its opener to the line that closes it, written twice; or the opener alone.
std::optional<Mutant> Mutator::duplicateBlock() {
    auto i = codeLine(isBlockOpener);
    if (!i) return std::nullopt;
    std::size_t end = *i;
    if (chance(75)) {
        int depth = 0;
        for (std::size_t k = *i; k < lines_.size(); ++k) {
            if (comments_[k]) continue;
            if (isBlockOpener(lines_[k])) ++depth;
            if (isBlockCloser(lines_[k]) && --depth == 0) {
                end = k;
                break;
            }
        }
    }
    std::vector<std::string> block(lines_.begin() + static_cast<std::ptrdiff_t>(*i),
                                   lines_.begin() + static_cast<std::ptrdiff_t>(end) + 1);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end) + 1, block.begin(), block.end());
    return Mutant{
        (end == *i ? "duplicated block opener " : "duplicated block from line ") + std::to_string(*i + 1),
        joinLines(lines_), 0, false};
}

std::optional<Mutant> Mutator::misspellKeyword() {
    auto i = codeLine([](const std::string& line) { return firstWord(line).size() > 1; });
    if (!i) return std::nullopt;
    const std::string before = lines_[*i];
    const std::size_t at = before.find_first_not_of(" \t");
    std::string word = before.substr(at, firstWord(before).size());
    const std::size_t k = pick(word.size());
    const char letter = static_cast<char>('A' + pick(26));
    switch (pick(4)) {
        case 0:
            word.erase(k, 1);
            break;
        case 1:
            word.insert(k, 1, word[k]);
            break;
        case 2:
            if (k + 1 < word.size())
                std::swap(word[k], word[k + 1]);
            else
                word += letter;
            break;
        default:
            word[k] = letter;
    }
    lines_[*i] = before.substr(0, at) + word + before.substr(at + firstWord(before).size());
    if (lines_[*i] == before) return std::nullopt;
    return oneLine("misspelt keyword on line " + std::to_string(*i + 1), *i, before);
}

std::optional<Mutant> Mutator::dropPiece(const std::string& kind, const std::function<bool(char)>& which) {
    std::vector<std::pair<std::size_t, Piece>> found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (comments_[i] || isComment(firstWord(lines_[i]))) continue;
        if (kind == "quote") {
            for (std::size_t c = 0; c < lines_[i].size(); ++c)
                if (lines_[i][c] == '"') found.push_back({i, {c, 1}});
            continue;
        }
        for (const Piece& p : pieces(lines_[i]))
            if (!which || (p.size == 1 && which(lines_[i][p.at]))) found.push_back({i, p});
    }
    if (found.empty()) return std::nullopt;
    auto [i, p] = found[pick(found.size())];
    const std::string before = lines_[i];
    lines_[i].erase(p.at, p.size);
    return oneLine("dropped " + kind + " on line " + std::to_string(i + 1), i, before);
}

std::optional<Mutant> Mutator::addPiece(const std::string& kind, const std::vector<std::string>& choices) {
    auto i = codeLine();
    if (!i) return std::nullopt;
    const std::string before = lines_[*i];
    std::vector<std::size_t> places{before.size()};
    for (const Piece& p : pieces(before)) places.push_back(p.at), places.push_back(p.at + p.size);
    const std::size_t at = places[pick(places.size())];
    std::string added = choices[pick(choices.size())];
    if (added.empty()) {  // a piece of the program itself
        auto j = codeLine();
        auto found = pieces(lines_[*j]);
        const Piece p = found[pick(found.size())];
        added = lines_[*j].substr(p.at, p.size);
    }
    lines_[*i].insert(at, chance(50) ? " " + added + " " : added);
    return oneLine("added " + kind + " on line " + std::to_string(*i + 1), *i, before);
}

// A backslash in a text, before its closing quote most often.
std::optional<Mutant> Mutator::addBackslash() {
    auto i = codeLine([](const std::string& line) { return line.find('"') != std::string::npos; });
    if (!i) return std::nullopt;
    const std::string before = lines_[*i];
    std::vector<std::size_t> quotes;
    for (std::size_t c = 0; c < before.size(); ++c)
        if (before[c] == '"') quotes.push_back(c);
    const std::size_t at = chance(60) ? quotes[pick(quotes.size())] : pick(before.size() + 1);
    lines_[*i].insert(at, chance(80) ? "\\" : "\\u");
    return oneLine("added backslash on line " + std::to_string(*i + 1), *i, before);
}

std::optional<Mutant> Mutator::swapLines() {
    auto i = codeLine();
    if (!i) return std::nullopt;
    std::size_t j = pick(lines_.size());
    if (chance(60)) j = *i + 1 < lines_.size() ? *i + 1 : *i - (*i > 0 ? 1 : 0);
    if (j == *i) return std::nullopt;
    std::swap(lines_[*i], lines_[j]);
    return Mutant{"swapped lines " + std::to_string(*i + 1) + " and " + std::to_string(j + 1),
                  joinLines(lines_), 0, false};
}

// A declared name given to another declaration.
std::optional<Mutant> Mutator::renameDeclaration() {
    static const std::set<std::string> declaring = {"DIM",    "BOOLEAN",      "FUNCTION", "TYPE",
                                                    "CANVAS", "FORM",         "BUTTON",   "TEXTBOX",
                                                    "LABEL",  "LIST",         "IMAGE",    "IMAGE.ARRAY",
                                                    "SPRITE", "SPRITE.ARRAY", "OBJECT",   "OBJECT.ARRAY",
                                                    "CAMERA", "LIGHT",        "WORLD",    "SPRITE.ANIMATION"};
    std::vector<std::pair<std::size_t, Piece>> names;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (comments_[i] || !declaring.count(firstWord(lines_[i]))) continue;
        auto found = pieces(lines_[i]);
        if (found.size() > 1 && std::isalpha(static_cast<unsigned char>(lines_[i][found[1].at])))
            names.push_back({i, found[1]});
    }
    if (!names.empty() && chance(25)) return hiddenName(names[pick(names.size())]);
    if (names.size() < 2) return std::nullopt;
    auto [i, p] = names[pick(names.size())];
    auto [j, q] = names[pick(names.size())];
    const std::string other = lines_[j].substr(q.at, q.size);
    if (other == lines_[i].substr(p.at, p.size)) return std::nullopt;
    lines_[i].replace(p.at, p.size, other);
    return Mutant{"renamed the declaration on line " + std::to_string(i + 1) + " to " + other,
                  joinLines(lines_), 0, false};
}

// A declared name, wherever it stands, changed to one the generated Java also declares where the program's
// statements stand (a canvas's constants, the command handler's C, the pointer's POINTX and POINTY). The
// program keeps its meaning, but a variable named C, which the compiler refuses at its declaration or
// before; where the new name meets a name of the program or the language's own C or pointer, it may be
// refused, by the compiler's own message.
std::optional<Mutant> Mutator::hiddenName(const std::pair<std::size_t, Piece>& declaration) {
    static const std::vector<std::string> everywhere = {"C", "POINTX", "POINTY"};
    static const std::vector<std::string> phone = {"UP", "DOWN", "LEFT", "RIGHT", "FIRE"};
    static const std::vector<std::string> applet = {"WIDTH",     "HEIGHT",  "PROPERTIES", "SOMEBITS",
                                                    "FRAMEBITS", "ALLBITS", "ERROR",      "ABORT"};
    const std::vector<std::string>& canvas = platform_ == "Applet" ? applet : phone;
    const std::string hidden = chance(30) ? everywhere[pick(everywhere.size())] : canvas[pick(canvas.size())];
    const auto [line, piece] = declaration;
    std::string name = upper(lines_[line].substr(piece.at, piece.size));
    name.erase(name.find_last_not_of("$#%") + 1);
    if (name.empty() || name.find('.') != std::string::npos) return std::nullopt;
    // Each part of a word between dots, its suffix aside, is the name where it stands first or after a
    // record (P%.X); texts in quotes stay.
    for (std::string& text : lines_) {
        auto found = pieces(text);
        for (auto p = found.rbegin(); p != found.rend(); ++p) {
            if (text[p->at] == '"') continue;
            std::string word = text.substr(p->at, p->size);
            for (std::size_t start = 0, dot; start <= word.size(); start = dot + 1) {
                dot = std::min(word.find('.', start), word.size());
                std::size_t end = dot;
                while (end > start && std::string_view("$#%").find(word[end - 1]) != std::string_view::npos)
                    --end;
                const bool record = start == 0 || start == 1 || word[start - 2] == '%';
                if (record && upper(word.substr(start, end - start)) == name) {
                    word.replace(start, end - start, hidden);
                    dot = start + hidden.size() + (dot - end);
                }
            }
            text.replace(p->at, p->size, word);
        }
    }
    const std::string kind = firstWord(lines_[line]);
    Mutant m{"renamed " + name + " to " + hidden, joinLines(lines_), 0, false};
    if (hidden == "C" && (kind == "DIM" || kind == "BOOLEAN")) m.refusedBy = static_cast<int>(line) + 1;
    return m;
}

// A statement taken from its place into another section or block.
std::optional<Mutant> Mutator::moveStatement() {
    auto i = codeLine();
    if (!i || lines_.size() < 2) return std::nullopt;
    const std::string line = lines_[*i];
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*i));
    const std::size_t to = pick(lines_.size() + 1);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(to), line);
    return Mutant{"moved line " + std::to_string(*i + 1) + " to line " + std::to_string(to + 1),
                  joinLines(lines_), 0, false};
}

// Tabs for blanks and around words, other line ends, a byte-order mark: none changes what the program says.
Mutant Mutator::sameMeaning() {
    std::string kinds;
    const bool tabs = chance(60), ends = chance(50), mark = chance(40) || (!tabs && !ends);
    if (tabs) {
        kinds += "tabs ";
        for (std::string& line : lines_) {
            std::string changed;
            bool inString = false;
            for (char c : line) {
                if (c == '"') inString = !inString;
                if (c == ' ' && !inString && chance(40)) {
                    changed += chance(50) ? "\t" : " \t";
                } else {
                    changed += c;
                }
            }
            if (chance(20)) changed = "\t" + changed;
            line = changed;
        }
    }
    std::string text = joinLines(lines_);
    if (ends) {
        const int which = static_cast<int>(pick(3));
        kinds += which == 0 ? "CR LF " : which == 1 ? "CR " : "mixed line ends ";
        std::string changed;
        for (char c : text) {
            if (c != '\n') {
                changed += c;
                continue;
            }
            int end = which == 2 ? static_cast<int>(pick(3)) : which;
            // A lone CR then a lone LF would be one CR LF: one line end, not two.
            if (end == 2 && !changed.empty() && changed.back() == '\r') end = 0;
            changed += end == 0 ? "\r\n" : end == 1 ? "\r" : "\n";
        }
        text = changed;
    }
    if (mark) {
        kinds += "byte-order mark ";
        text = "\xEF\xBB\xBF" + text;
    }
    kinds.pop_back();
    return Mutant{kinds, text, 0, true};
}

Mutant Mutator::run() {
    static const std::vector<std::string> anyPiece = {"",  "",      "",    "X",    "1",    "+",  "-", "*",
                                                      "=", "\"x\"", ",",   "TRUE", "THEN", "TO", "(", ")",
                                                      "[", "]",     "3.5", "$",    "#",    "%",  ":", "A$"};
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::optional<Mutant> m;
        switch (pick(15)) {
            case 0:
                m = deleteLine();
                break;
            case 1:
                m = duplicateLine();
                break;
            case 2:
                m = duplicateBlock();
                break;
            case 3:
                m = misspellKeyword();
                break;
            case 4:
                m = dropPiece("token", {});
                break;
            case 5:
                m = addPiece("token", anyPiece);
                break;
            case 6:
                m = dropPiece("bracket", [](char c) { return c == '(' || c == ')' || c == '[' || c == ']'; });
                break;
            case 7:
                m = addPiece("bracket", {"(", ")", "[", "]"});
                break;
            case 8:
                m = dropPiece("quote", {});
                break;
            case 9:
                m = addPiece("quote", {"\""});
                break;
            case 10:
                m = addBackslash();
                break;
            case 11:
                m = swapLines();
                break;
            case 12:
                m = renameDeclaration();
                break;
            case 13:
                m = moveStatement();
                break;
            default:
                return sameMeaning();
        }
        if (m && m->source != original_) return *m;
    }
    return sameMeaning();
}

}  // namespace

std::vector<CorpusProgram> corpus(const std::string& root) {
    std::vector<CorpusProgram> programs;
    // The guide's examples: "```bss" and "```bss applet" blocks; "```bss refused" ones are mistakes.
    const std::vector<std::string> guide = splitLines(readFile(root + "/docs/language.md"));
    for (std::size_t i = 0; i < guide.size(); ++i) {
        if (guide[i] != "```bss" && guide[i] != "```bss applet") continue;
        CorpusProgram p{"docs/language.md line " + std::to_string(i + 1),
                        guide[i] == "```bss" ? "TB" : "Applet", ""};
        for (++i; i < guide.size() && guide[i] != "```"; ++i) p.source += guide[i] + "\n";
        programs.push_back(std::move(p));
    }
    std::vector<fs::path> files;
    for (const char* folder : {"/examples", "/compiler/tests/data"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root + folder)) {
            const std::string name = entry.path().filename();
            if (entry.path().extension() != ".bss") continue;
            // An example's editor source and its execution copy are one program.
            if (std::string(folder) == "/examples" && !name.ends_with("X.bss")) continue;
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        const std::string name = file.filename();
        programs.push_back({fs::relative(file, root).string(),
                            name.find("applet") != std::string::npos ? "Applet" : "TB", readFile(file)});
    }
    return programs;
}

Mutant mutate(const std::string& source, const std::string& platform, std::uint64_t seed, int index) {
    return Mutator(source, platform, seed, index).run();
}

std::vector<Program> mutantPrograms(const std::vector<CorpusProgram>& bases, std::uint64_t seed, int first,
                                    int count) {
    // Bases take the indexes after the mutants', so a mutant's index is its number in the run.
    const int baseIndex = 10000000;
    std::vector<Program> programs;
    for (std::size_t b = 0; b < bases.size(); ++b)
        programs.push_back({baseIndex + static_cast<int>(b), bases[b].platform, bases[b].source, 0, "", 0, -1,
                            bases[b].origin});
    for (int i = first; i < first + count; ++i) {
        const std::size_t b = static_cast<std::size_t>(i) % bases.size();
        Mutant m = mutate(bases[b].source, bases[b].platform, seed, i);
        // A planted message no refusal starts with: refused at the line or before, whatever the message.
        programs.push_back({i, bases[b].platform, m.source, m.refusedBy, m.refusedBy ? "\n" : "",
                            m.touchedLine, m.sameMeaning ? baseIndex + static_cast<int>(b) : -1,
                            bases[b].origin + ", mutant: " + m.kind});
    }
    return programs;
}

}  // namespace proptest
