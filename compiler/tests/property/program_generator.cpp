#include "property/program_generator.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <vector>

namespace proptest {
namespace {

enum class Kind { Int, Float, String, Boolean };

std::string suffix(Kind kind) {
    if (kind == Kind::Float) return "#";
    if (kind == Kind::String) return "$";
    return "";
}

struct Var {
    std::string name;  // without its suffix
    Kind kind;
    std::string ref() const { return name + suffix(kind); }
};

struct Array {
    std::string name;
    Kind kind;
    std::vector<int> sizes;  // one or two dimensions
};

struct RecordType {
    std::string name;
    std::vector<Var> fields;
};

struct Record {
    std::string name;
    const RecordType* type;
    std::vector<int> sizes;  // empty for one record
};

struct Function {
    std::string name;
    std::vector<Var> params;
    std::optional<Kind> returns;
};

// Where a statement stands: the sections of the guide's table of places.
enum class Place { Main, Function, Pause, End, ActionFunction, Paint, KeyPressed, PointerDragged, Loop };

bool canvasAction(Place p) {
    return p == Place::Paint || p == Place::KeyPressed || p == Place::PointerDragged || p == Place::Loop;
}

struct Scope {
    Place place = Place::Main;
    std::vector<Var> locals;
    std::vector<Array> arrays;           // the function's own
    const Function* function = nullptr;  // a function of the program's own
    int loops = 0;
    int depth = 0;
    bool inTry = false;  // a TRY holds no TRY of its own
};

// The names a program gives, drawn from the whole space the language allows: plain words, single
// letters, the names of built-ins and of statements, the names the game's own code uses (a canvas's
// constants, C, POINTX, POINTY) and long names.
const char* const kNames[] = {"A",     "B",      "N",     "X",     "Y",     "K",     "M",      "SCORE",
                              "LIVES", "COUNT",  "MSG",   "NAME",  "SPEED", "HERO",  "GO",     "MENU",
                              "BOX",   "PIC",    "SHIP",  "TILE",  "GRID",  "BALL",  "V",      "W",
                              "Z",     "INFO",   "PICK",  "SCR",   "PLAY",  "ROCKS", "ENEMY",  "SUN",
                              "EYE",   "WORLDS", "FIELD", "TOTAL", "LEVEL", "ITEMS", "RUNNER", "STEP"};
const char* const kBuiltinNames[] = {"LEN",      "ASC",     "TRIM",     "INDEX",   "LEFT",     "RIGHT",
                                     "MID",      "RND",     "ABS",      "MIN",     "MAX",      "TIMER",
                                     "INT",      "UPPER",   "LOWER",    "STR",     "WIDTH",    "HEIGHT",
                                     "GETKEY",   "UPKEY",   "DOWNKEY",  "LEFTKEY", "RIGHTKEY", "SELECTKEY",
                                     "CLEARKEY", "STARKEY", "POUNDKEY", "LASTKEY"};
// Words a line may begin with: a name of these is read, never written at a line's start.
const char* const kStatementNames[] = {
    "PRINT",  "CLS",   "REPAINT",  "SETCOLOR",   "DRAWTEXT", "FONT",    "LAYER",  "FILE",  "ALERT",  "LIST",
    "SPRITE", "IMAGE", "BUTTON",   "FORM",       "LABEL",    "LIGHT",   "CAMERA", "WORLD", "OBJECT", "BREAK",
    "ELSE",   "TRY",   "SETPOINT", "DIM",        "TYPE",     "CANVAS",  "ENDIF",  "NEXT",  "WHILE",  "IF",
    "FOR",    "CATCH", "BOOLEAN",  "SETDISPLAY", "LISTENER", "TEXTBOX", "END"};
const char* const kHiddenNames[] = {"UP",     "DOWN",       "LEFT",     "RIGHT",     "FIRE",    "WIDTH",
                                    "HEIGHT", "PROPERTIES", "SOMEBITS", "FRAMEBITS", "ALLBITS", "ERROR",
                                    "ABORT",  "POINTX",     "POINTY",   "C"};
const char* const kIntLiterals[] = {"0",   "1",  "2",  "3",   "7",   "10", "42", "100",
                                    "010", "08", "09", "007", "255", "16", "-1", "-20"};
const char* const kFloatLiterals[] = {"2.5", "0.5", "1", "10.25", "-2.5", "-1"};
// Backslashes too: Java's own escapes, others, a backslash before the closing quote, and "\u" escapes
// that javac would decode before it reads the literal.
const char* const kStrings[] = {"\"\"",
                                "\"Hi\"",
                                "\"Ace_99\"",
                                "\"floor_tiles.png\"",
                                "\"a b\"",
                                "\"Score: \"",
                                "\"x\"",
                                "\"http://example.org/a_b.txt\"",
                                "\"C:\\games\\new\\top\"",
                                "\"dir\\\"",
                                "\"\\u0041BC\"",
                                "\"\\u0022\"",
                                "\"a\\\\b\\tc\\'d\"",
                                "\"\\x\\q\\\\\\\""};
// Lines a user gets wrong; dropped into faulty programs anywhere.
const char* const kBadLines[] = {"BREAK",
                                 "ELSE",
                                 "ELSEIF N = 1 THEN",
                                 "ENDIF",
                                 "NEXT",
                                 "ENDWHILE",
                                 "DIM 9A",
                                 "FOR 5 = 1 TO 3",
                                 "N = 3 4",
                                 "PRINT \"a\", \"b\"",
                                 "FUNCTION F2()",
                                 "ENDFUNCTION",
                                 "EXITFUNCTION 1",
                                 "ACTION PAINT",
                                 "CANVAS Q",
                                 "ENDCANVAS",
                                 "ENDACTION",
                                 "DIM BIG = 99999999999",
                                 "REPAINT",
                                 "MAPPY.DRAW",
                                 "SOUND.PLAY 1",
                                 "CATCH",
                                 "CATCH IO",
                                 "ENDTRY",
                                 "TRY",
                                 "SPRITE S9, NULL",
                                 "SPRITE.SEQUENCE HERO",
                                 "BUTTON B9, \"x\", 1, 2",
                                 "DIM M2[2, 2]",
                                 "M2[1] = 1",
                                 "A[1, 2] = 3",
                                 "A[] = 1",
                                 "X = MAX(1, 2) MIN(3, 4)",
                                 "STR$(M[1, 2])",
                                 "END 1",
                                 "TYPE",
                                 "ENDTYPE",
                                 "DIM",
                                 "X =",
                                 "= 1",
                                 "PRINT",
                                 "IF THEN",
                                 "FOR I = 1 TO",
                                 "WHILE",
                                 "3D.RENDER NOWORLD",
                                 "FONT SYSTEM",
                                 "DRAWSTYLE DASHED",
                                 "SPRITE.ROTATION HERO, 45",
                                 "LIST L9, \"x\", 7",
                                 "TEXTBOX T9, \"a\", \"b\", 4, 9",
                                 "DIM K9$ = K9$",
                                 "DIM K8 = LEN(STR$(K8))",
                                 "DIM K7$ = MID(K7$, 0, 1)"};

class Generator {
public:
    Generator(std::uint64_t seed, int index)
        : rng_(seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index) * 0xBF58476D1CE4E5B9ull + 1),
          index_(index) {}

    GeneratedProgram run() {
        applet_ = chance(0.25);
        faulty_ = chance(0.45);
        // Some programs draw their names mostly from the names the game's own code uses.
        hiddenBias_ = chance(0.3);
        emit("REM generated program " + std::to_string(index_) + (faulty_ ? ", with faults" : ""));
        declarations();
        // The counters are integers of the whole program from its first line: planned before any statement,
        // as a built-in their name hides is not used anywhere.
        for (int i = between(1, 3); i > 0; --i) forNames_.push_back(freshName());
        planFunctions();
        mainSection();
        functions();
        if (faulty_) mutate();
        GeneratedProgram program;
        program.platform = applet_ ? "Applet" : "TB";
        for (const auto& line : lines_) program.source += line + "\n";
        if (!faulty_) {
            program.errorLine = plantedLine_;
            program.errorMessage = plantedMessage_;
            program.valid = plantedLine_ == 0;
        }
        return program;
    }

private:
    // --- chance ------------------------------------------------------------------------------------
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int between(int lo, int hi) { return lo + pick(hi - lo + 1); }
    template <typename T>
    const T& any(const std::vector<T>& items) {
        return items[pick(static_cast<int>(items.size()))];
    }
    template <std::size_t N>
    std::string any(const char* const (&items)[N]) {
        return items[pick(static_cast<int>(N))];
    }
    std::string any(std::initializer_list<const char*> items) {
        return *(items.begin() + pick(static_cast<int>(items.size())));
    }
    // A local fault in a faulty program.
    bool bad() { return faulty_ && chance(0.03); }
    bool phone() const { return !applet_; }

    void emit(const std::string& line) {
        lines_.push_back(std::string(static_cast<std::size_t>(indent_ * 2), ' ') + line);
    }
    void open(const std::string& line) {
        emit(line);
        ++indent_;
    }
    void close(const std::string& line) {
        --indent_;
        emit(line);
    }

    // --- names -------------------------------------------------------------------------------------
    enum class Role { Variable, Object, Function, Canvas, Field };

    static bool among(const std::string& word, std::initializer_list<const char*> words) {
        return std::find(words.begin(), words.end(), word) != words.end();
    }
    template <std::size_t N>
    static bool among(const std::string& word, const char* const (&words)[N]) {
        return std::find(std::begin(words), std::end(words), word) != std::end(words);
    }
    // A word a line may begin with: a variable of that name (without a suffix) is never written.
    static bool statementWord(const std::string& name) { return among(name, kStatementNames); }

    // A name from the whole space: plain, one letter, a built-in's, a statement's, one the game's code
    // uses, or long. C names no variable or array; the special functions' words name no function.
    std::string candidate(Role role) {
        const int r = pick(100);
        std::string name;
        if (hiddenBias_ ? r < 45 : r < 10) {
            name = any(kHiddenNames);
        } else if (r < 55) {
            name = any(kNames);
        } else if (r < 68) {
            name = std::string(1, static_cast<char>('A' + pick(26)));
        } else if (r < 80) {
            name = any(kBuiltinNames);
        } else if (r < 92) {
            name = any(kStatementNames);
        } else {
            name = "L";
            for (int n = between(30, 199); n > 0; --n) name += static_cast<char>('A' + pick(26));
        }
        const bool variable = role == Role::Variable || role == Role::Field;
        if (variable && name == "C") return "";
        if (role == Role::Function && among(name, {"END", "PAUSE", "ACTION"})) return "";
        return name;
    }

    // A fresh program-wide name; a faulty program sometimes takes one already in use.
    std::string freshName(Role role = Role::Variable) {
        if (bad() && !used_.empty()) return *std::next(used_.begin(), pick(static_cast<int>(used_.size())));
        for (int tries = 0; tries < 30; ++tries) {
            std::string name = candidate(role);
            if (name.empty() || used_.count(name) || paramNames_.count(name) || localNames_.count(name))
                continue;
            used_.insert(name);
            if (role != Role::Object && role != Role::Canvas) hidesBuiltin_.insert(name);
            return name;
        }
        std::string name = "G" + std::to_string(used_.size());
        used_.insert(name);
        return name;
    }

    // A built-in of that name can be used: no variable, array, record or function of the program has it.
    bool builtin(const std::string& word) const { return !hidesBuiltin_.count(word); }

    Kind anyValueKind() {
        int r = pick(10);
        return r < 5 ? Kind::Int : r < 8 ? Kind::String : Kind::Float;
    }

    // --- declarations ------------------------------------------------------------------------------
    void declarations() {
        int types = pick(3);
        for (int t = 0; t < types; ++t) recordType(t);
        int count = between(1, 7);
        for (int i = 0; i < count; ++i) {
            int r = pick(12);
            if (r < 4)
                scalarDeclaration();
            else if (r < 6)
                arrayDeclaration();
            else if (r < 8 && !types_.empty())
                recordDeclaration();
            else if (r < 10)
                widgetDeclaration();
            else if (phone())
                threeDDeclaration();
        }
    }

    void recordType(int t) {
        RecordType type;
        // Type names are letters only: the index written in letters.
        type.name = "R";
        for (int n = index_; n > 0; n /= 26) type.name += static_cast<char>('A' + n % 26);
        type.name += static_cast<char>('X' + t);
        open("TYPE " + type.name);
        std::set<std::string> names;
        int fields = between(1, 4);
        for (int f = 0; f < fields; ++f) {
            // A field is a name of its record's own: it may be any name but C.
            Var field{candidate(Role::Field), anyValueKind()};
            if (field.name.empty()) field.name = any(kNames);
            if (chance(0.2)) field.kind = Kind::Boolean;
            if (names.count(field.name) && !bad()) continue;
            names.insert(field.name);
            type.fields.push_back(field);
            if (field.kind == Kind::Boolean)
                emit("BOOLEAN " + field.name + (chance(0.5) ? " = TRUE" : ""));
            else
                emit("DIM " + field.ref());
        }
        if (type.fields.empty()) {
            type.fields.push_back({"X", Kind::Int});
            emit("DIM X");
        }
        close("ENDTYPE");
        types_.push_back(type);
        if (bad()) emit("TYPE " + type.name), emit("DIM X"), emit("ENDTYPE");
    }

    void scalarDeclaration() {
        Var v{freshName(), anyValueKind()};
        if (chance(0.2)) v.kind = Kind::Boolean;
        if (v.kind == Kind::Boolean) {
            emit("BOOLEAN " + v.name + (chance(0.5) ? (chance(0.5) ? " = TRUE" : " = FALSE") : ""));
        } else if (bad()) {
            emit("DIM " + v.ref() + " = " + selfRead(v));
        } else if (chance(0.5)) {
            emit("DIM " + v.ref() + " = " + constant(v.kind));
        } else {
            emit("DIM " + v.ref());
        }
        globals_.push_back(v);
    }

    // A first value that reads the variable being declared: no value exists yet to read.
    std::string selfRead(const Var& v) {
        const std::string r = v.ref();
        if (v.kind == Kind::String) return any(std::vector<std::string>{r, "UPPER(" + r + ")"});
        if (v.kind == Kind::Float) return r + " + 1.5";
        return any(std::vector<std::string>{r + " + 1", "ABS(" + r + ")"});
    }

    std::string constant(Kind kind) {
        if (kind == Kind::String) return any(kStrings);
        if (kind == Kind::Float) return any(kFloatLiterals);
        if (kind == Kind::Boolean) return chance(0.5) ? "TRUE" : "FALSE";
        if (bad()) return "2147483648";
        return any(kIntLiterals);
    }

    std::vector<int> sizes() {
        std::vector<int> s{between(2, 6)};
        if (chance(0.35)) s.push_back(between(2, 4));
        return s;
    }
    std::string sizeText(const std::vector<int>& s) {
        std::string text = "[";
        for (std::size_t i = 0; i < s.size(); ++i) text += (i ? ", " : "") + std::to_string(s[i]);
        return text + "]";
    }

    void arrayDeclaration() {
        Array a{freshName(), anyValueKind(), sizes()};
        emit("DIM " + a.name + suffix(a.kind) + sizeText(a.sizes));
        arrays_.push_back(a);
    }

    void recordDeclaration() {
        Record r{freshName(), &any(types_), {}};
        if (chance(0.4)) r.sizes = sizes();
        emit("DIM " + r.name + "%" + (r.sizes.empty() ? "" : sizeText(r.sizes)) + " = " + r.type->name);
        records_.push_back(r);
    }

    void widgetDeclaration() {
        if (applet_ && !faulty_) {
            // The applet has no widgets; a widget there is a fault.
            scalarDeclaration();
            return;
        }
        const std::string name = freshName(Role::Object);
        switch (pick(5)) {
            case 0:
                emit("BUTTON " + name + ", " + any(kStrings) + ", " + std::to_string(between(1, 3)));
                buttons_.push_back(name);
                break;
            case 1:
                emit("FORM " + name + ", " + any(kStrings));
                forms_.push_back(name);
                break;
            case 2:
                emit("TEXTBOX " + name + ", " + any(kStrings) + ", " + any(kStrings) + ", " +
                     std::to_string(between(1, 30)) + ", " + std::to_string(pick(6)));
                textboxes_.push_back(name);
                break;
            case 3:
                emit("LABEL " + name + ", " + any(kStrings) + ", " + any(kStrings));
                break;
            default:
                emit("LIST " + name + ", " + any(kStrings) + ", " + std::to_string(pick(3)));
                lists_.push_back(name);
                break;
        }
    }

    void threeDDeclaration() {
        const std::string name = freshName(Role::Object);
        const int r = pick(3);
        if (r == 0) {
            emit("LIGHT " + name);
            lights_.push_back(name);
        } else if (r == 1) {
            emit("CAMERA " + name);
            cameras_.push_back(name);
        } else {
            Array w{name, Kind::Int, sizes()};
            emit("WORLD " + name + " " + sizeText(w.sizes));
            worlds_.push_back(w);
        }
    }

    // --- functions ---------------------------------------------------------------------------------
    void planFunctions() {
        int count = pick(4);
        for (int i = 0; i < count; ++i) {
            Function f;
            f.name = freshName(Role::Function);
            int params = pick(3);
            std::set<std::string> names;
            for (int p = 0; p < params; ++p) {
                // A parameter's name is letters only, and no global's.
                Var v{candidate(Role::Variable), anyValueKind()};
                if (v.name.empty() || v.name.size() > 40) v.name = any(kNames);
                if ((names.count(v.name) || used_.count(v.name)) && !bad()) continue;
                names.insert(v.name);
                paramNames_.insert(v.name);
                hidesBuiltin_.insert(v.name);
                f.params.push_back(v);
            }
            if (chance(0.6)) f.returns = anyValueKind();
            functions_.push_back(f);
        }
    }

    void functions() {
        for (const Function& f : functions_) {
            std::string params;
            for (const Var& p : f.params) params += (params.empty() ? "" : ", ") + p.ref();
            open("FUNCTION " + f.name + "(" + params + ")");
            Scope s;
            s.place = Place::Function;
            s.function = &f;
            s.locals = f.params;
            // A function gives a float from a float variable: a number written out makes it an integer's.
            if (f.returns == Kind::Float && std::none_of(f.params.begin(), f.params.end(), [](const Var& p) {
                    return p.kind == Kind::Float;
                })) {
                Var r{"F" + std::to_string(localNames_.size()), Kind::Float};
                localNames_.insert(r.name);
                emit("DIM " + r.ref() + " = " + floatExpr(s, 1));
                s.locals.push_back(r);
            }
            int dims = pick(3);
            for (int i = 0; i < dims; ++i) localDeclaration(s);
            if (phone() && !worlds_.empty() && chance(0.1)) {
                Array w{freshName(Role::Object), Kind::Int, {between(1, 3)}};
                emit("WORLD " + w.name + " " + sizeText(w.sizes));
                if (!objects_.empty() && !statementWord(w.name)) emit(worldSlot(w) + " = " + any(objects_));
            }
            block(s, between(1, 3));
            if (f.returns && !bad())
                close("ENDFUNCTION " + endValue(s, *f.returns));
            else
                close("ENDFUNCTION");
        }
        if (chance(0.25)) specialFunction("PAUSE", Place::Pause);
        if (chance(0.25)) specialFunction("ACTION", Place::ActionFunction);
        if (chance(0.15)) specialFunction("END", Place::End);
    }

    // A local of the function: DIM, an array, or a flag.
    void localDeclaration(Scope& s) {
        Var v{candidate(Role::Variable), anyValueKind()};
        if (v.name.empty()) return;
        bool clash =
            used_.count(v.name) || paramNames_.count(v.name) ||
            std::any_of(s.locals.begin(), s.locals.end(), [&](const Var& l) { return l.name == v.name; }) ||
            std::any_of(s.arrays.begin(), s.arrays.end(), [&](const Array& a) { return a.name == v.name; });
        if (clash && !bad()) return;
        hidesBuiltin_.insert(v.name);
        localNames_.insert(v.name);
        const int r = pick(5);
        if (r == 0) {
            Array a{v.name, v.kind, sizes()};
            emit("DIM " + a.name + suffix(a.kind) + sizeText(a.sizes));
            s.arrays.push_back(a);
            return;
        }
        if (r == 1) {
            v.kind = Kind::Boolean;
            emit("BOOLEAN " + v.name + (chance(0.5) ? " = TRUE" : ""));
        } else if (bad()) {
            emit("DIM " + v.ref() + " = " + selfRead(v));
        } else {
            emit("DIM " + v.ref() + (chance(0.5) ? " = " + valueExpr(s, v.kind, 1) : ""));
        }
        s.locals.push_back(v);
    }

    void specialFunction(const std::string& word, Place place) {
        open("FUNCTION " + word);
        Scope s;
        s.place = place;
        if (chance(0.4)) {
            // A flag of the function's own.
            Var v{candidate(Role::Variable), Kind::Boolean};
            if (!v.name.empty() && !used_.count(v.name) && !paramNames_.count(v.name)) {
                hidesBuiltin_.insert(v.name);
                localNames_.insert(v.name);
                emit("BOOLEAN " + v.name + (chance(0.5) ? " = TRUE" : ""));
                s.locals.push_back(v);
            }
        }
        if (place == Place::ActionFunction && !buttons_.empty()) {
            open("IF C = " + any(buttons_) + " THEN");
            block(s, 1);
            --indent_;
            open("ELSEIF C <> " + any(buttons_) + " THEN");
            block(s, 1);
            close("ENDIF");
        }
        block(s, between(1, 2));
        if (place == Place::End && phone()) emit("END");
        close("ENDFUNCTION");
    }

    // ENDFUNCTION takes one value: a number (a negative one too), a text or a variable of its kind.
    std::string endValue(Scope& s, Kind kind) {
        std::vector<std::string> names;
        for (const Var& v : visible(s))
            if (v.kind == kind) names.push_back(v.ref());
        if (!names.empty() && chance(0.6)) return any(names);
        // A float function gives a float variable: a number written out makes an integer function.
        if (kind == Kind::Float) {
            if (!names.empty()) return any(names);
            return "";
        }
        return constant(kind);
    }

    // --- the main section ------------------------------------------------------------------------
    void mainSection() {
        Scope s;
        if (chance(0.6)) imageBlock(s);
        if ((!images_.empty() && phone()) ? chance(0.8) : faulty_ && chance(0.2)) spriteSetup();
        if (phone() && chance(0.3)) {
            // 3D objects, put into the worlds wherever statements stand.
            for (int i = between(1, 2); i > 0; --i) {
                const std::string name = freshName(Role::Object);
                if (chance(0.7)) {
                    emit("OBJECT " + name + ", MODEL");
                    objects_.push_back(name);
                } else {
                    emit("OBJECT.ARRAY " + name + ", MODEL, " + std::to_string(between(1, 3)));
                }
            }
        }
        int canvases = chance(0.5) ? 1 : chance(0.3) ? 2 : 0;
        for (int i = 0; i < canvases; ++i) canvas();
        if (phone() && chance(0.25)) threeD(s);
        block(s, between(2, 7));
        if (!forms_.empty() && chance(0.5)) emit("SETDISPLAY " + any(forms_));
        if (!canvases_.empty() && chance(0.6)) emit("SETDISPLAY " + any(canvases_));
        if (!canvases_.empty() && phone() && chance(0.3)) emit("LISTENER " + any(canvases_));
        if (!forms_.empty() && phone() && chance(0.5)) emit("LISTENER " + any(forms_));
    }

    // A TRY that loads images, wherever a TRY stands.
    void imageBlock(Scope& s) {
        open("TRY");
        for (int i = between(1, 3); i > 0; --i) {
            const std::string name = freshName(Role::Object);
            const std::string file = "\"/img_" + std::to_string(lines_.size()) + ".png\"";
            if (chance(0.3)) {
                emit("IMAGE.ARRAY " + name + ", " + file + ", " + std::to_string(between(1, 4)));
                imageArrays_.push_back(name);
            } else {
                emit("IMAGE " + name + ", " + file);
                images_.push_back(name);
            }
        }
        // The statements of the block are the scope's own: a DIM there is a local of the function.
        const bool nestedTry = s.inTry;
        const bool room = s.depth < 2;
        s.inTry = true;
        ++s.depth;
        if (room && chance(0.5)) block(s, 1);
        close("CATCH IO");
        ++indent_;
        if (room && chance(0.5))
            block(s, 1);
        else
            emit("PRINT \"no_images\"");
        close("ENDCATCH");
        emit("ENDTRY");
        --s.depth;
        s.inTry = nestedTry;
    }

    std::string imageArgument() {
        if (images_.empty() || bad()) return "NULL";
        return any(images_);
    }

    void spriteSetup() {
        for (int i = between(1, 3); i > 0; --i) {
            const std::string name = freshName(Role::Object);
            const int r = pick(3);
            if (r == 0) {
                emit("SPRITE " + name + ", " + imageArgument());
                sprites_.push_back(name);
            } else if (r == 1) {
                emit("SPRITE.ANIMATION " + name + ", " + imageArgument() + ", 16, 16");
                sprites_.push_back(name);
            } else {
                emit("SPRITE.ARRAY " + name + ", " + imageArgument() + ", " + std::to_string(between(2, 5)));
                spriteArrays_.push_back(name);
            }
        }
        if (chance(0.5)) {
            emit("LAYER " + std::to_string(between(2, 10)) + ", " + std::to_string(between(2, 10)) + ", " +
                 imageArgument() + ", 16, 16");
            layer_ = true;
        }
    }

    void canvas() {
        const std::string name = freshName(Role::Canvas);
        canvases_.push_back(name);
        open("CANVAS " + name);
        std::vector<std::pair<std::string, Place>> actions{{"PAINT", Place::Paint}};
        if (chance(0.6)) actions.push_back({"KEYPRESSED", Place::KeyPressed});
        if (chance(0.4)) actions.push_back({"POINTERDRAGGED", Place::PointerDragged});
        actions.insert(actions.begin() + pick(static_cast<int>(actions.size()) + 1), {"LOOP", Place::Loop});
        if (faulty_ && chance(0.2)) std::shuffle(actions.begin(), actions.end(), rng_);
        for (const auto& [action, place] : actions) {
            if (place == Place::Loop)
                open("ACTION LOOP " + any({"50", "100", "020", "1"}));
            else
                open("ACTION " + action);
            Scope s;
            s.place = place;
            block(s, between(1, place == Place::Paint ? 5 : 3));
            if (chance(0.3)) emit("REPAINT");
            close("ENDACTION");
        }
        close("ENDCANVAS");
    }

    // The 3D statements, between 3D.START and 3D.END.
    void threeD(Scope& s) {
        emit("3D.START");
        if (!worlds_.empty() && !objects_.empty() && !statementWord(worlds_[0].name))
            emit(worldSlot(worlds_[0]) + " = " + any(objects_));
        for (int i = between(1, 4); i > 0; --i) {
            switch (pick(8)) {
                case 0:
                    emit("3D.SETVIEWPORT " + ints(s, 4));
                    break;
                case 1:
                    emit("3D.CLEAR");
                    break;
                case 2:
                    emit("3D.SETBACKGROUNDCOLOR " + colour());
                    break;
                case 3:
                    if (!cameras_.empty())
                        emit("3D.SETCAMERAROTATION " + any(cameras_) + ", " + floatExpr(s, 1) + ", " +
                             floatExpr(s, 1) + ", " + floatExpr(s, 1));
                    break;
                case 4:
                    if (!lights_.empty()) emit("3D.SETLIGHTCOLOR " + any(lights_) + ", " + colour());
                    break;
                case 5:
                    emit(chance(0.5) ? "3D.FOG LINEAR" : "3D.FOGOFF");
                    break;
                case 6:
                    emit("3D.RESETLIGHTS");
                    break;
                default:
                    if (!worlds_.empty()) emit("3D.RENDER " + worldSlot(any(worlds_)));
                    break;
            }
        }
        emit("3D.END");
    }

    // A colour is written out in decimal digits.
    std::string colour() { return any({"0", "255", "16777215", "65280", "08"}); }

    std::string worldSlot(const Array& world) {
        std::string text = world.name + "[";
        for (std::size_t i = 0; i < world.sizes.size(); ++i)
            text += (i ? ", " : "") + std::to_string(pick(world.sizes[i]));
        return text + "]";
    }

    // --- statements --------------------------------------------------------------------------------
    void block(Scope& s, int count) {
        for (int i = 0; i < count; ++i) statement(s);
    }

    static bool drawingPlace(const Scope& s) { return s.place == Place::Paint || s.place == Place::Function; }
    // Sound, files, network and the camera: the main section, functions and canvas actions.
    static bool mediaPlace(const Scope& s) {
        return s.place == Place::Main || s.place == Place::Function || canvasAction(s.place);
    }
    // Images, sprites, the tile layer and 3D: FUNCTION ACTION too.
    static bool objectPlace(const Scope& s) { return mediaPlace(s) || s.place == Place::ActionFunction; }
    static bool special(const Scope& s) { return s.place == Place::Pause || s.place == Place::End; }

    // One statement that takes one line, written into a text instead of the program: an assignment, a
    // PRINT, or where drawing may stand, a drawing statement.
    std::string simpleStatement(Scope& s) {
        const std::size_t mark = lines_.size();
        if (drawingPlace(s) && chance(0.3))
            drawingStatement(s);
        else if (chance(0.7))
            assignment(s);
        else
            emit("PRINT " + stringExpr(s, 1));
        if (lines_.size() != mark + 1) {
            lines_.resize(mark);
            return "PRINT \"one\"";
        }
        std::string text = lines_.back();
        lines_.pop_back();
        return text.substr(text.find_first_not_of(' '));
    }

    // A one-line IF, or statements joined by ":" on one line.
    void shortLine(Scope& s) {
        if (chance(0.5)) {
            emit("IF " + condition(s) + " THEN " + simpleStatement(s));
        } else {
            std::string text = simpleStatement(s);
            for (int i = between(1, 2); i > 0; --i) text += " : " + simpleStatement(s);
            emit(text);
        }
    }

    // The one error of a program written to be valid: a drawing statement where nothing is drawn, after
    // a few short lines, alone or as part of a short line; or a type closed that was never opened.
    void plantError(Scope& s) {
        for (int i = pick(3); i > 0; --i) shortLine(s);
        if (chance(0.25)) {
            // Found by the pass over the whole source, before any statement is translated.
            emit("ENDTYPE");
            plantedMessage_ = "EndType used without Type at line: ";
        } else {
            std::string draw = any({"CLS", "DRAWTEXT \"hi\", 0, 0", "SETCOLOR 1, 2, 3", "DRAWLINE 0, 0, 5, 5",
                                    "FONT SYSTEM, BOLD, LARGE", "SETPOINT 2, 2"});
            int r = pick(3);
            if (r == 0) draw = "IF " + condition(s) + " THEN " + draw;
            if (r == 1) draw = simpleStatement(s) + " : " + draw;
            emit(draw);
            plantedMessage_ = "Error: Drawing commands can only be used in a PAINT action or a function";
        }
        plantedLine_ = static_cast<int>(lines_.size());
    }

    void statement(Scope& s) {
        const bool drawing = drawingPlace(s);
        const bool canPlant =
            s.place == Place::Main || s.place == Place::Loop || s.place == Place::KeyPressed;
        if (!faulty_ && plantedLine_ == 0 && canPlant && chance(0.02)) {
            plantError(s);
            return;
        }
        for (int tries = 0; tries < 8; ++tries) {
            const int r = pick(24);
            if (r == 20) {
                shortLine(s);
            } else if (r < 5) {
                assignment(s);
            } else if (r == 5) {
                emit("PRINT " + stringExpr(s, 2));
            } else if (r == 6 && s.depth < 3) {
                ifBlock(s);
            } else if (r == 7 && s.depth < 3) {
                forBlock(s);
            } else if (r == 8 && s.depth < 3) {
                whileBlock(s);
            } else if (r == 9 && (s.loops > 0 || bad())) {
                emit("BREAK");
            } else if (r == 10 && !functions_.empty()) {
                const Function& f = any(functions_);
                if (statementWord(f.name) && !bad()) continue;
                emit(call(s, f));
            } else if (r == 11 && s.function && chance(0.5)) {
                exitFunction(s);
            } else if (r == 12 && (drawing || bad())) {
                drawingStatement(s);
            } else if (r == 13 && phone() && (mediaPlace(s) || bad())) {
                mediaStatement(s);
            } else if (r == 14 && phone() && objectPlace(s) &&
                       (!sprites_.empty() || !spriteArrays_.empty() || layer_)) {
                spriteStatement(s);
            } else if (r == 15 && (phone() || !canvases_.empty())) {
                formStatement(s);
            } else if (r == 16 && (canvasAction(s.place) || bad())) {
                emit("REPAINT");
            } else if (r == 17 && (s.place == Place::Paint || bad()) && phone()) {
                mappyStatement(s);
            } else if (r == 18 && s.depth < 2 && !s.inTry && objectPlace(s)) {
                imageBlock(s);
            } else if (r == 19 && (phone() || bad()) && chance(0.1)) {
                emit("END");
            } else if (r == 21 && phone() && objectPlace(s) && chance(0.5)) {
                threeD(s);
            } else if (r == 22 && s.place == Place::Function && s.depth > 0) {
                localDeclaration(s);
            } else if (r == 23 && phone() && objectPlace(s) && !worlds_.empty() && !objects_.empty()) {
                const Array& world = any(worlds_);
                if (statementWord(world.name)) continue;
                emit(worldSlot(world) + " = " + any(objects_));
            } else {
                continue;
            }
            return;
        }
        assignment(s);
    }

    void nested(Scope& s, int count, bool loop) {
        ++s.depth;
        if (loop) ++s.loops;
        // A DIM in a block is a local of the whole function: it stays visible after the block.
        block(s, count);
        if (loop) --s.loops;
        --s.depth;
    }

    void ifBlock(Scope& s) {
        // The condition may stand in brackets.
        const std::string cond = condition(s);
        open("IF " + (chance(0.15) ? "(" + cond + ")" : cond) + " THEN");
        nested(s, between(1, 3), false);
        int elseIfs = chance(0.3) ? between(1, 2) : 0;
        for (int i = 0; i < elseIfs; ++i) {
            --indent_;
            open("ELSEIF " + condition(s) + " THEN");
            nested(s, between(1, 2), false);
        }
        if (chance(0.4)) {
            --indent_;
            open("ELSE");
            nested(s, between(1, 2), false);
            if (bad()) {
                --indent_;
                open("ELSE");
            }
        }
        close(chance(0.2) ? "END IF" : "ENDIF");
    }

    // A counter: any name a variable may have, counted by one integer of the whole program.
    void forBlock(Scope& s) {
        const std::string name = bad() ? any(kNames) : any(forNames_);
        if (std::find(forVars_.begin(), forVars_.end(), name) != forVars_.end() ||
            ((name == "POINTX" || name == "POINTY") && s.place == Place::PointerDragged)) {
            assignment(s);
            return;
        }
        std::string step;
        if (chance(0.3)) step = std::string(chance(0.5) ? " INC " : " DEC ") + any({"1", "2", "01"});
        open("FOR " + name + " = " + intExpr(s, 1) + " TO " + intExpr(s, 1) + step);
        forVars_.push_back(name);
        nested(s, between(1, 3), true);
        forVars_.pop_back();
        close(chance(0.3) ? "NEXT " + name : "NEXT");
    }

    void whileBlock(Scope& s) {
        open("WHILE " + condition(s));
        nested(s, between(1, 3), true);
        close("ENDWHILE");
    }

    void exitFunction(Scope& s) {
        if (s.function->returns && !bad()) {
            const std::string value = endValue(s, *s.function->returns);
            emit(value.empty() ? "EXITFUNCTION" : "EXITFUNCTION " + value);
        } else if (!s.function->returns) {
            emit("EXITFUNCTION");
        }
    }

    // --- values ------------------------------------------------------------------------------------
    // The variables a statement here may read: the globals, the function's own, the open counters. In
    // POINTERDRAGGED POINTX and POINTY are the pointer, never a variable of the program.
    std::vector<Var> visible(const Scope& s) const {
        std::vector<Var> vars = globals_;
        vars.insert(vars.end(), s.locals.begin(), s.locals.end());
        for (const std::string& f : forVars_) vars.push_back({f, Kind::Int});
        if (s.place == Place::PointerDragged)
            vars.erase(std::remove_if(vars.begin(), vars.end(),
                                      [](const Var& v) { return v.name == "POINTX" || v.name == "POINTY"; }),
                       vars.end());
        return vars;
    }

    // The records a statement here may read: in POINTERDRAGGED POINTX and POINTY are the pointer's.
    std::vector<Record> recordsHere(const Scope& s) const {
        std::vector<Record> all;
        for (const Record& r : records_)
            if (s.place != Place::PointerDragged || (r.name != "POINTX" && r.name != "POINTY"))
                all.push_back(r);
        return all;
    }

    std::vector<Array> arraysHere(const Scope& s) const {
        std::vector<Array> all = arrays_;
        all.insert(all.end(), s.arrays.begin(), s.arrays.end());
        return all;
    }

    // A function of the program whose value may be read here: not one named like the language's own C
    // (FUNCTION ACTION) or pointer (POINTERDRAGGED), which the name means there.
    bool callable(const Scope& s, const Function& f) const {
        if (s.place == Place::ActionFunction && f.name == "C") return false;
        if (s.place == Place::PointerDragged && (f.name == "POINTX" || f.name == "POINTY")) return false;
        return true;
    }

    void assignment(Scope& s) {
        Kind kind = anyValueKind();
        if (chance(0.15)) kind = Kind::Boolean;
        std::string target = lvalue(s, kind);
        if (target.empty()) {
            emit("PRINT " + stringExpr(s, 1));
            return;
        }
        if (kind == Kind::Boolean)
            emit(target + " = " +
                 (bad() ? std::string("1") : flagValue(s, target.find('%') == std::string::npos)));
        else
            emit(target + " = " + valueExpr(s, bad() ? anyValueKind() : kind, 3));
    }

    // A flag as a value: its name, now and then with a suffix, which names the flag all the same.
    std::string flagName(const Var& v) { return v.name + (chance(0.2) ? any({"$", "#"}) : ""); }

    // What a flag takes: TRUE, FALSE, another flag, and (for a flag variable) a built-in that gives one.
    std::string flagValue(Scope& s, bool builtins) {
        std::vector<std::string> flags{"TRUE", "FALSE"};
        for (const Var& v : visible(s))
            if (v.kind == Kind::Boolean) flags.push_back(flagName(v));
        if (builtins && chance(0.3)) {
            std::string b = flagBuiltin(s);
            if (!b.empty()) return b;
        }
        return any(flags);
    }

    // A built-in that gives a flag, or "".
    std::string flagBuiltin(Scope& s) {
        std::vector<std::string> ways;
        if (phone()) {
            if (!lists_.empty()) ways.push_back("LIST.SELECTED(" + any(lists_) + ", " + intExpr(s, 0) + ")");
            ways.push_back("FILE.EXIST(" + stringExpr(s, 0) + ")");
            if (!sprites_.empty())
                ways.push_back("SPRITE.COLLISION(" + any(sprites_) + ", " + any(sprites_) + ", " +
                               any({"TRUE", "FALSE"}) + ")");
        }
        if (ways.empty()) return "";
        return any(ways);
    }

    // Something of `kind` that can be assigned: a variable, an array element or a record field. A line
    // that begins with a statement's word is that statement: such a name without a suffix is only read.
    std::string lvalue(Scope& s, Kind kind) {
        std::vector<std::function<std::string()>> ways;
        for (const Var& v : visible(s))
            if (v.kind == kind && !(statementWord(v.name) && suffix(v.kind).empty()))
                ways.push_back([v] { return v.ref(); });
        for (const Array& a : arraysHere(s))
            if (a.kind == kind && !(statementWord(a.name) && suffix(a.kind).empty()))
                ways.push_back([this, &s, a] { return element(s, a); });
        for (const Record& r : recordsHere(s))
            for (const Var& f : r.type->fields)
                if (f.kind == kind) ways.push_back([this, &s, r, f] { return field(s, r, f); });
        if (ways.empty()) return "";
        return any(ways)();
    }

    std::string indexText(Scope& s, const std::vector<int>& sizes, int depth = 1) {
        std::vector<int> dims = sizes;
        if (bad()) dims.resize(dims.size() == 1 ? 2 : 1, 1);
        std::string text = "[";
        for (std::size_t i = 0; i < dims.size(); ++i) {
            text += i ? ", " : "";
            // An index is a number or a name; a faulty program tries anything.
            std::vector<std::string> names;
            for (const Var& v : visible(s))
                if (v.kind == Kind::Int) names.push_back(v.ref());
            if (faulty_ && depth > 0 && chance(0.3))
                text += intExpr(s, depth - 1);
            else if (names.empty() || chance(0.6))
                text += std::to_string(pick(dims[i]));
            else
                text += any(names);
        }
        return text + "]";
    }

    std::string element(Scope& s, const Array& a, int depth = 1) {
        return a.name + suffix(a.kind) + indexText(s, a.sizes, depth);
    }

    std::string field(Scope& s, const Record& r, const Var& f, int depth = 1) {
        std::string name = bad() ? "NOFIELD" : f.ref();
        return r.name + "%" + (r.sizes.empty() ? "" : indexText(s, r.sizes, depth)) + "." + name;
    }

    std::string call(Scope& s, const Function& f, int depth = 2) {
        std::string args;
        std::size_t count = f.params.size();
        if (bad()) count = count == 0 ? 1 : count - 1;
        for (std::size_t i = 0; i < count; ++i) {
            Kind kind = i < f.params.size() ? f.params[i].kind : Kind::Int;
            args += (i ? ", " : "") + valueExpr(s, kind, std::max(0, depth - 1));
        }
        return f.name + "(" + args + ")";
    }

    std::string valueExpr(Scope& s, Kind kind, int depth) {
        switch (kind) {
            case Kind::Int:
                return intExpr(s, depth);
            case Kind::Float:
                return floatExpr(s, depth);
            case Kind::String:
                return stringExpr(s, depth);
            case Kind::Boolean:
                return chance(0.5) ? "TRUE" : "FALSE";
        }
        return "0";
    }

    // One of the program's values of `kind` (a variable, an element, a field, a function's value), or "".
    std::string reference(Scope& s, Kind kind, int depth) {
        std::vector<std::function<std::string()>> ways;
        for (const Var& v : visible(s))
            if (v.kind == kind) ways.push_back([v] { return v.ref(); });
        for (const Array& a : arraysHere(s))
            if (a.kind == kind) ways.push_back([this, &s, a, depth] { return element(s, a, depth); });
        for (const Record& r : recordsHere(s))
            for (const Var& f : r.type->fields)
                if (f.kind == kind) ways.push_back([this, &s, r, f, depth] { return field(s, r, f, depth); });
        if (depth > 0)
            for (const Function& f : functions_)
                if (f.returns == kind && callable(s, f))
                    ways.push_back([this, &s, f, depth] { return call(s, f, depth); });
        if (ways.empty()) return "";
        return any(ways)();
    }

    std::string intLiteral() { return any(kIntLiterals); }

    std::string intExpr(Scope s, int depth) {
        if (bad()) return any({"\"text\"", "UNKNOWN", "3 4", "(1", "2147483648", "1 +"});
        const int r = pick(depth > 0 ? 13 : 4);
        if (r < 2) return intLiteral();
        if (r < 4) {
            std::string ref = reference(s, Kind::Int, depth);
            return ref.empty() ? intLiteral() : ref;
        }
        std::vector<std::string> ways;
        switch (r) {
            case 4:
            case 5:
                return intExpr(s, depth - 1) + " " + any({"+", "-", "*", "/"}) + " " + intExpr(s, depth - 1);
            case 6:
                return "(" + intExpr(s, depth - 1) + ")";
            case 7:
                for (const char* b : {"MAX", "MIN", "RND"})
                    if (builtin(b)) ways.push_back(b);
                if (ways.empty()) return intLiteral();
                return any(ways) + "(" + intExpr(s, depth - 1) + ", " + intExpr(s, depth - 1) + ")";
            case 8:
                for (const char* b : {"LEN", "ASC"})
                    if (builtin(b)) ways.push_back(b);
                if (ways.empty()) return intLiteral();
                return any(ways) + "(" + stringExpr(s, depth - 1) + ")";
            case 9:
                if (chance(0.5) && builtin("ABS")) return "ABS(" + intExpr(s, depth - 1) + ")";
                if (!builtin("INDEX")) return intLiteral();
                return "INDEX(" + stringExpr(s, depth - 1) + ", " + stringExpr(s, depth - 1) + ")";
            case 10:
                if (chance(0.5) && builtin("INT") && builtin("STR"))
                    return "INT(STR$(" + intExpr(s, depth - 1) + "))";
                return builtin("TIMER") ? "TIMER()" : intLiteral();
            case 11:
                return placeValue(s);
            default:
                return objectValue(s);
        }
    }

    // A value known only where the statement stands: the key, the screen's size, the pointer, a map
    // block.
    std::string placeValue(Scope& s) {
        std::vector<std::string> ways;
        if (s.place == Place::KeyPressed) {
            for (const char* b : {"GETKEY", "UPKEY", "DOWNKEY", "LEFTKEY", "RIGHTKEY", "SELECTKEY",
                                  "CLEARKEY", "STARKEY", "POUNDKEY"})
                if (builtin(b)) ways.push_back(std::string(b) + "()");
        }
        if (canvasAction(s.place))
            for (const char* b : {"WIDTH", "HEIGHT"})
                if (builtin(b)) ways.push_back(std::string(b) + "()");
        if (s.place == Place::PointerDragged) ways.insert(ways.end(), {"POINTX", "POINTY"});
        if (s.place == Place::Paint && phone())
            ways.push_back(std::string(any({"MAPPY.BLOCKFLAG", "MAPPY.BLOCKIMAGE"})) + "(" + ints(s, 4) +
                           ")");
        if (ways.empty()) return intLiteral();
        return any(ways);
    }

    // An integer an object of the program gives.
    std::string objectValue(Scope& s) {
        std::vector<std::string> ways;
        if (phone()) {
            for (const std::string& sp : sprites_)
                ways.push_back(std::string(any({"SPRITE.POSX", "SPRITE.POSY", "SPRITE.WIDTH", "SPRITE.HEIGHT",
                                                "SPRITE.FRAME"})) +
                               "(" + sp + ")");
            for (const std::string& sp : spriteArrays_)
                ways.push_back(std::string(any({"SPRITE.POSX", "SPRITE.POSY"})) + "(" + sp + ", " +
                               intExpr(s, 0) + ")");
            for (const std::string& l : lists_) ways.push_back("LIST.GETVALUE(" + l + ")");
            ways.push_back(std::string(any({"MEM.FREE", "MEM.TOTAL", "COMM.GETAVAILABLE"})) + "()");
        }
        for (const std::string& i : images_)
            ways.push_back(std::string(any({"IMAGE.WIDTH", "IMAGE.HEIGHT"})) + "(" + i + ")");
        if (ways.empty()) return intLiteral();
        return any(ways);
    }

    std::string floatExpr(Scope& s, int depth) {
        int r = pick(depth > 0 ? 5 : 2);
        if (r == 0) return any(kFloatLiterals);
        if (r == 1) {
            std::string ref = reference(s, Kind::Float, depth);
            return ref.empty() ? "1.5" : ref;
        }
        if (r == 4) return "(" + floatExpr(s, depth - 1) + ")";
        return floatExpr(s, depth - 1) + " " + any({"+", "-", "*"}) + " " + floatExpr(s, depth - 1);
    }

    std::string stringExpr(Scope& s, int depth) {
        int r = pick(depth > 0 ? 10 : 2);
        if (r == 0) return any(kStrings);
        if (r == 1) {
            std::string ref = reference(s, Kind::String, depth);
            return ref.empty() ? any(kStrings) : ref;
        }
        std::vector<std::string> ways;
        switch (r) {
            case 2:
            case 3:
                return stringExpr(s, depth - 1) + " + " + stringExpr(s, depth - 1);
            case 4:
                return builtin("STR") ? "STR$(" + intExpr(s, depth - 1) + ")" : any(kStrings);
            case 5:
                for (const char* b : {"UPPER", "LOWER", "TRIM"})
                    if (builtin(b)) ways.push_back(b);
                if (ways.empty()) return any(kStrings);
                return any(ways) + "(" + stringExpr(s, depth - 1) + ")";
            case 6:
                for (const char* b : {"LEFT", "RIGHT"})
                    if (builtin(b)) ways.push_back(b);
                if (ways.empty()) return any(kStrings);
                return any(ways) + "(" + stringExpr(s, depth - 1) + ", " + intExpr(s, depth - 1) + ")";
            case 7:
                if (!builtin("MID")) return any(kStrings);
                return "MID(" + stringExpr(s, depth - 1) + ", " + intExpr(s, depth - 1) + ", " +
                       intExpr(s, depth - 1) + ")";
            case 8:
                if (phone() && !textboxes_.empty()) return "TEXTBOX.GETVALUE(" + any(textboxes_) + ")";
                if (phone()) return any({"FILE.READ(1)", "SERVER.RECEIVE()", "COMM.GETPORT(0)"});
                return any(kStrings);
            default:
                return builtin("STR") ? "STR$(" + intExpr(s, 0) + ")" : any(kStrings);
        }
    }

    // The left side of a comparison of `kind`: one that begins with a variable or an element (of an
    // array, or a field of an element of an array of records) takes the arithmetic up to the comparison
    // sign; any other (a number, a built-in, a record's field, a function's value) is one value.
    std::string leftSide(Scope& s, Kind kind) {
        std::vector<std::string> sums;
        for (const Var& v : visible(s))
            if (v.kind == kind) sums.push_back(v.ref());
        for (const Array& a : arraysHere(s))
            if (a.kind == kind) sums.push_back(element(s, a, 0));
        for (const Record& r : recordsHere(s))
            for (const Var& f : r.type->fields)
                if (f.kind == kind && !r.sizes.empty()) sums.push_back(field(s, r, f, 0));
        if (!sums.empty() && chance(0.6)) {
            std::string left = any(sums);
            if (kind != Kind::Boolean && chance(0.3))
                left += kind == Kind::String
                            ? " + " + stringExpr(s, 0)
                            : " " + std::string(any({"+", "-", "*"})) + " " + valueExpr(s, kind, 0);
            return left;
        }
        std::vector<std::string> single;
        for (const Record& r : recordsHere(s))
            for (const Var& f : r.type->fields)
                if (f.kind == kind && r.sizes.empty()) single.push_back(field(s, r, f, 0));
        for (const Function& f : functions_)
            if (f.returns == kind && callable(s, f)) single.push_back(call(s, f, 1));
        if (kind == Kind::Int) {
            single.push_back(any({"7", "-1", "0", "-20"}));
            single.push_back(placeValue(s));
            single.push_back(objectValue(s));
            if (builtin("ABS")) single.push_back("ABS(" + intExpr(s, 0) + ")");
        }
        if (kind == Kind::Float) single.push_back(any({"2.5", "-2.5"}));
        if (kind == Kind::String) {
            if (builtin("STR")) single.push_back("STR$(" + intExpr(s, 0) + ")");
            if (builtin("UPPER")) single.push_back("UPPER(" + stringExpr(s, 0) + ")");
        }
        if (kind == Kind::Boolean) {
            std::string b = flagBuiltin(s);
            if (!b.empty()) single.push_back(b);
        }
        if (single.empty()) return sums.empty() ? "" : any(sums);
        return any(single);
    }

    std::string comparison(Scope& s) {
        if (s.place == Place::ActionFunction && !buttons_.empty() && chance(0.3))
            return "C " + std::string(any({"=", "<>"})) + " " + any(buttons_);
        const int r = pick(10);
        if (r < 5) {
            std::string left = leftSide(s, Kind::Int);
            if (left.empty() || bad()) left = std::to_string(pick(100));
            return left + " " + any({"=", "<>", "<", ">", "<=", ">="}) + " " + intExpr(s, 1);
        }
        if (r < 6) {
            std::string left = leftSide(s, Kind::Float);
            if (!left.empty())
                return left + " " + any({"=", "<>", "<", ">", "<=", ">="}) + " " + floatExpr(s, 1);
        }
        if (r < 8) {
            std::string left = leftSide(s, Kind::String);
            if (!left.empty() && !bad()) return left + " " + any({"=", "<>"}) + " " + stringExpr(s, 1);
        }
        std::string left = leftSide(s, Kind::Boolean);
        if (left.empty()) return "1 = 1";
        std::vector<std::string> right{"TRUE", "FALSE"};
        for (const Var& v : visible(s))
            if (v.kind == Kind::Boolean) right.push_back(flagName(v));
        return left + " " + any({"=", "<>"}) + " " + any(right);
    }

    std::string condition(Scope& s) {
        std::string text = comparison(s);
        if (chance(0.1)) text = "(" + text + ")";
        if (chance(0.3)) text += std::string(chance(0.5) ? " AND " : " OR ") + comparison(s);
        return text;
    }

    // --- families ----------------------------------------------------------------------------------
    // `count` integer arguments, one sometimes missing or extra in a faulty program.
    std::string ints(Scope& s, int count) {
        if (bad()) count += chance(0.5) ? -1 : 1;
        std::string text;
        for (int i = 0; i < count; ++i) text += (i ? ", " : "") + intExpr(s, 1);
        return text;
    }

    // An index that must be one word: a number or an integer variable.
    std::string indexWord(Scope& s, int size) {
        std::vector<std::string> names;
        for (const Var& v : visible(s))
            if (v.kind == Kind::Int) names.push_back(v.name);
        if (names.empty() || chance(0.5)) return std::to_string(pick(size));
        return any(names);
    }

    void drawingStatement(Scope& s) {
        switch (pick(16)) {
            case 0:
                emit("CLS");
                break;
            case 1:
                emit("SETCOLOR " + ints(s, 3));
                break;
            case 2:
                emit("SETGREY " + ints(s, 1));
                break;
            case 3:
                emit(std::string(any({"DRAWLINE ", "DRAWRECTANGLE ", "DRAWFILLEDRECTANGLE ", "SETCLIP "})) +
                     ints(s, 4));
                break;
            case 4:
                emit(std::string(any({"DRAWROUNDRECTANGLE ", "DRAWROUNDFILLEDRECTANGLE ", "DRAWARC ",
                                      "DRAWFILLEDARC "})) +
                     ints(s, 6));
                break;
            case 5:
                emit("SETPOINT " + ints(s, 2));
                break;
            case 6:
                emit(std::string("DRAWSTYLE ") + any({"DOTTED", "SOLID"}));
                break;
            case 7:
            case 8:
                emit("DRAWTEXT " + stringExpr(s, 2) + ", " + ints(s, 2));
                break;
            case 9:
                emit(std::string("FONT ") + any({"SYSTEM", "MONO", "PROP"}) + ", " +
                     any({"BOLD", "ITALIC", "UNDERLINED", "PLAIN"}) + ", " +
                     any({"SMALL", "MEDIUM", "LARGE"}));
                break;
            case 10:
                if (!images_.empty()) emit("IMAGE.DRAW " + any(images_) + ", " + ints(s, 2));
                break;
            case 11:
                if (!imageArrays_.empty()) emit("IMAGE.DRAWARRAY " + any(imageArrays_) + ", " + ints(s, 3));
                break;
            case 12:
                if (!sprites_.empty() && phone()) emit("SPRITE.DRAW " + any(sprites_));
                break;
            case 13:
                if (!spriteArrays_.empty() && phone())
                    emit("SPRITE.DRAWARRAY " + any(spriteArrays_) + ", " + indexWord(s, 2));
                break;
            case 14:
                if (layer_) emit("LAYER.PAINT " + ints(s, 2));
                break;
            default:
                emit("DRAWTEXT " + stringExpr(s, 1) + ", 0, 0");
                break;
        }
    }

    void mappyStatement(Scope& s) {
        switch (pick(4)) {
            case 0:
                emit("MAPPY.LOAD \"level_1.fmp\"");
                break;
            case 1:
                emit("MAPPY.SETX " + intExpr(s, 1));
                break;
            case 2:
                emit("MAPPY.SETY " + intExpr(s, 1));
                break;
            default:
                emit("MAPPY.DRAW");
                break;
        }
    }

    void mediaStatement(Scope& s) {
        switch (pick(18)) {
            case 0:
                emit("SOUND.LOAD " + std::string(any({"\"shot_1.wav\"", "\"/shot_2.wav\""})) + ", " +
                     ints(s, 1));
                break;
            case 1:
                emit(std::string(any({"SOUND.PLAY ", "SOUND.STOP ", "SOUND.DELETE "})) + ints(s, 1));
                break;
            case 2:
                emit("SOUND.LOOP " + ints(s, 2));
                break;
            case 3:
                emit("MIDI.LOAD \"tune_a.mid\"");
                break;
            case 4:
                emit(std::string(any({"MIDI.PLAY", "MIDI.STOP", "MIDI.DELETE"})));
                break;
            case 5:
                emit("MIDI.LOOP " + ints(s, 1));
                break;
            case 6:
                emit("FILE " + stringExpr(s, 1));
                break;
            case 7:
                emit("FILE.WRITE " + stringExpr(s, 2));
                break;
            case 8:
                emit(chance(0.5) ? "FILE.CLOSE" : "FILE.DELETE " + stringExpr(s, 1));
                break;
            case 9:
                emit("SERVER.SEND " + stringExpr(s, 1));
                break;
            case 10:
                emit("SERVER.DISCONNECT");
                break;
            case 11:
                emit("NET.DOWNLOAD " + stringExpr(s, 1) + ", " + stringExpr(s, 1));
                break;
            case 12:
                emit("COMM.SEND " + intExpr(s, 1) + ", " + stringExpr(s, 1));
                break;
            case 13:
                emit("BLUE.DISCOVER");
                break;
            case 14:
                emit(std::string(any({"VIDEO.START", "VIDEO.END", "VIDEO.SHOW", "VIDEO.HIDE"})));
                break;
            case 15:
                if (!images_.empty()) emit("VIDEO.IMAGE " + any(images_));
                break;
            case 16:
                if (!images_.empty())
                    emit(std::string(any({"NET.IMAGE ", "NET.LOADIMAGE "})) + any(images_) + ", " +
                         stringExpr(s, 1));
                break;
            default:
                if (!buttons_.empty()) emit("BLUE.START \"game\", 4660, " + any(buttons_));
                break;
        }
    }

    void spriteStatement(Scope& s) {
        std::vector<std::string> all = sprites_;
        all.insert(all.end(), spriteArrays_.begin(), spriteArrays_.end());
        if (all.empty() || (layer_ && chance(0.2))) {
            if (layer_) emit(chance(0.5) ? "LAYER.UPDATE" : "LAYER.FILLCELL " + ints(s, 5));
            return;
        }
        const std::string name = any(all);
        const bool array = std::find(spriteArrays_.begin(), spriteArrays_.end(), name) != spriteArrays_.end();
        const std::string index = array ? ", " + intExpr(s, 1) : "";
        switch (pick(9)) {
            case 0:
                emit("SPRITE.MOVE " + name + ", " + ints(s, 2) + index);
                break;
            case 1:
                emit("SPRITE.POSITION " + name + ", " + ints(s, 2) + index);
                break;
            case 2:
                emit(std::string(chance(0.5) ? "SPRITE.ROTATION " : "SPRITE.MIRROR ") + name + ", " +
                     any({"0", "90", "180", "270"}) + index);
                break;
            case 3:
                emit("SPRITE.SEQUENCE " + name + index + ", 0, 1");
                break;
            case 4:
                emit(std::string(chance(0.5) ? "SPRITE.NEXT " : "SPRITE.PREVIOUS ") + name + index);
                break;
            case 5:
                emit("SPRITE.SETFRAME " + name + ", " + intExpr(s, 1) + index);
                break;
            case 6:
                emit("MEM.FLUSH");
                break;
            case 7:
                if (!array && sprites_.size() > 1)
                    emit("IF SPRITE.COLLISION(" + sprites_[0] + ", " + sprites_[1] + ", " +
                         any({"TRUE", "FALSE"}) + ") = TRUE THEN PRINT \"hit\"");
                break;
            default:
                if (!array && builtin("STR")) emit("PRINT STR$(SPRITE.POSX(" + name + "))");
                break;
        }
    }

    // Forms and widgets stand wherever statements do, FUNCTION PAUSE and END too; an applet shows its
    // canvases only.
    void formStatement(Scope& s) {
        if (!phone()) {
            if (!canvases_.empty()) emit("SETDISPLAY " + any(canvases_));
            return;
        }
        switch (pick(8)) {
            case 0:
                if (!forms_.empty() && !buttons_.empty())
                    emit(std::string(chance(0.5) ? "BUTTON.SHOW " : "BUTTON.HIDE ") + any(forms_) + ", " +
                         any(buttons_));
                break;
            case 1:
                // The text is one word: a text in quotes or a text variable.
                if (!lists_.empty()) {
                    std::vector<std::string> texts{any(kStrings)};
                    for (const Var& v : visible(s))
                        if (v.kind == Kind::String) texts.push_back(v.ref());
                    emit("LIST.APPEND " + any(lists_) + ", " + any(texts));
                }
                break;
            case 2:
                if (!forms_.empty() && !textboxes_.empty())
                    emit("TEXTBOX.SHOW " + any(forms_) + ", " + any(textboxes_));
                break;
            case 3:
                if (!forms_.empty()) emit("FORM.REMOVE " + any(forms_) + ", " + any({"0", "1", "00"}));
                break;
            case 4:
            case 5:
                emit("ALERT " + stringExpr(s, 1) + ", " + stringExpr(s, 1) + ", " +
                     (images_.empty() || chance(0.3) ? "NULL" : any(images_)) + ", " + intExpr(s, 1));
                break;
            case 6:
                if (!canvases_.empty() || !forms_.empty())
                    emit("LISTENER " + any(chance(0.5) && !forms_.empty() ? forms_
                                           : canvases_.empty()            ? forms_
                                                                          : canvases_));
                break;
            default:
                if (!forms_.empty() || !canvases_.empty())
                    emit("SETDISPLAY " + any(chance(0.5) && !forms_.empty() ? forms_
                                             : canvases_.empty()            ? forms_
                                                                            : canvases_));
                break;
        }
    }

    // --- faults of a whole program -----------------------------------------------------------------
    void mutate() {
        int count = between(1, 2);
        for (int i = 0; i < count && !lines_.empty(); ++i) {
            std::size_t at = static_cast<std::size_t>(pick(static_cast<int>(lines_.size())));
            switch (pick(5)) {
                case 0:
                    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), lines_[at]);
                    break;
                case 1:
                    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
                    break;
                case 2:
                    if (at + 1 < lines_.size()) std::swap(lines_[at], lines_[at + 1]);
                    break;
                default:
                    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), any(kBadLines));
                    break;
            }
        }
    }

    std::mt19937_64 rng_;
    int index_;
    bool applet_ = false;
    bool faulty_ = false;
    bool hiddenBias_ = false;
    int indent_ = 0;
    std::vector<std::string> lines_;
    std::set<std::string> used_;          // names of the whole program: globals, objects, functions, counters
    std::set<std::string> paramNames_;    // kept free of program-wide names, as a local may not shadow one
    std::set<std::string> localNames_;    // the functions' locals, likewise
    std::set<std::string> hidesBuiltin_;  // names that hide a built-in of theirs where they are seen
    std::vector<Var> globals_;
    std::vector<Array> arrays_;
    std::vector<RecordType> types_;
    std::vector<Record> records_;
    std::vector<Function> functions_;
    std::vector<std::string> buttons_, forms_, textboxes_, lists_, lights_, cameras_, canvases_;
    std::vector<std::string> images_, imageArrays_, sprites_, spriteArrays_, objects_;
    std::vector<Array> worlds_;
    std::vector<std::string> forVars_;   // the counters of the loops open here
    std::vector<std::string> forNames_;  // every counter of the program
    bool layer_ = false;
    int plantedLine_ = 0;  // the line of the planted error, from 1; 0 while none is planted
    std::string plantedMessage_;
};

}  // namespace

GeneratedProgram generateProgram(std::uint64_t seed, int index) {
    return Generator(seed, index).run();
}

}  // namespace proptest
