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

enum class Section { Main, Function, Action };

struct Scope {
    Section section = Section::Main;
    std::string action;  // PAINT, KEYPRESSED, POINTERDRAGGED or LOOP inside a canvas
    std::vector<Var> locals;
    const Function* function = nullptr;
    int loops = 0;
    int depth = 0;
};

// Names shared by every kind of object, so that programs reuse them across kinds.
const char* const kNames[] = {"A",     "B",      "N",     "X",     "Y",     "K",     "M",      "SCORE",
                              "LIVES", "COUNT",  "MSG",   "NAME",  "SPEED", "HERO",  "GO",     "MENU",
                              "BOX",   "PIC",    "SHIP",  "TILE",  "GRID",  "BALL",  "V",      "W",
                              "Z",     "INFO",   "PICK",  "SCR",   "PLAY",  "ROCKS", "ENEMY",  "SUN",
                              "EYE",   "WORLDS", "FIELD", "TOTAL", "LEVEL", "ITEMS", "RUNNER", "STEP"};
const char* const kForNames[] = {"I", "J", "II"};
const char* const kIntLiterals[] = {"0",   "1",  "2",  "3",   "7",   "10", "42", "100",
                                    "010", "08", "09", "007", "255", "16", "-1", "-20"};
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
        emit("REM generated program " + std::to_string(index_) + (faulty_ ? ", with faults" : ""));
        declarations();
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

    // A fresh program-wide name; a faulty program sometimes takes one already in use.
    std::string freshName() {
        if (bad() && !used_.empty()) return *std::next(used_.begin(), pick(static_cast<int>(used_.size())));
        for (int tries = 0; tries < 20; ++tries) {
            std::string name = any(kNames);
            if (!used_.count(name) && !paramNames_.count(name)) {
                used_.insert(name);
                return name;
            }
        }
        std::string name = "G" + std::to_string(used_.size());
        used_.insert(name);
        return name;
    }

    Kind anyValueKind() {
        int r = pick(10);
        return r < 5 ? Kind::Int : r < 8 ? Kind::String : Kind::Float;
    }

    // --- declarations ------------------------------------------------------------------------------
    void declarations() {
        int types = pick(3);
        for (int t = 0; t < types; ++t) recordType(t);
        int count = between(1, 6);
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
            Var field{any(kNames), anyValueKind()};
            if (chance(0.15)) field.kind = Kind::Boolean;
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
        if (v.kind == Kind::String)
            return any(std::vector<std::string>{r, "LEFT(" + r + ", 1)", "UPPER(" + r + ")"});
        if (v.kind == Kind::Float) return r + " + 1.5";
        return any(std::vector<std::string>{"LEN(STR$(" + r + "))", r + " + 1", "ABS(" + r + ")"});
    }

    std::string constant(Kind kind) {
        if (kind == Kind::String) return any(kStrings);
        if (kind == Kind::Float) return any({"2.5", "0.5", "1", "10.25"});
        if (bad()) return "2147483648";
        return any(kIntLiterals);
    }
    template <std::size_t N>
    std::string any(const char* const (&items)[N]) {
        return items[pick(static_cast<int>(N))];
    }
    std::string any(std::initializer_list<const char*> items) {
        return *(items.begin() + pick(static_cast<int>(items.size())));
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
        int r = pick(5);
        std::string name = freshName();
        if (applet_) {
            // The applet has forms only through its canvas; a widget there is a fault.
            if (!faulty_) {
                scalarDeclaration();
                return;
            }
        }
        switch (r) {
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
        int r = pick(3);
        std::string name = freshName();
        if (r == 0) {
            emit("LIGHT " + name);
            lights_.push_back(name);
        } else if (r == 1) {
            emit("CAMERA " + name);
            lights_.push_back(name);  // a camera takes a rotation like a light
        } else {
            Array w{name, Kind::Int, sizes()};
            emit("WORLD " + name + " " + sizeText(w.sizes));
            worlds_.push_back(w);
        }
    }

    // --- functions ---------------------------------------------------------------------------------
    void planFunctions() {
        int count = pick(3);
        for (int i = 0; i < count; ++i) {
            Function f;
            f.name = freshName();
            int params = pick(3);
            std::set<std::string> names;
            for (int p = 0; p < params; ++p) {
                Var v{any(kNames), anyValueKind()};
                if ((names.count(v.name) || used_.count(v.name)) && !bad()) continue;
                names.insert(v.name);
                paramNames_.insert(v.name);
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
            s.section = Section::Function;
            s.function = &f;
            s.locals = f.params;
            int dims = pick(3);
            for (int i = 0; i < dims; ++i) {
                Var v{any(kNames), anyValueKind()};
                bool clash =
                    used_.count(v.name) || std::any_of(s.locals.begin(), s.locals.end(),
                                                       [&](const Var& l) { return l.name == v.name; });
                if (clash && !bad()) continue;
                if (bad())
                    emit("DIM " + v.ref() + " = " + selfRead(v));
                else
                    emit("DIM " + v.ref() + (chance(0.5) ? " = " + constant(v.kind) : ""));
                s.locals.push_back(v);
            }
            block(s, between(1, 3));
            if (f.returns && !bad())
                close("ENDFUNCTION " + endValue(s, *f.returns));
            else
                close("ENDFUNCTION");
        }
        if (chance(0.2)) {
            open("FUNCTION PAUSE");
            Scope s;
            s.section = Section::Function;
            block(s, 1);
            close("ENDFUNCTION");
        }
        if (chance(0.15)) {
            open("FUNCTION END");
            emit("END");
            close("ENDFUNCTION");
        }
    }

    // ENDFUNCTION takes one value: a number, a string or a variable.
    std::string endValue(Scope& s, Kind kind) {
        std::vector<std::string> names;
        for (const Var& v : visible(s))
            if (v.kind == kind) names.push_back(v.ref());
        if (!names.empty() && chance(0.6)) return any(names);
        if (chance(0.1)) return kind == Kind::String ? "UPPER(\"x\")" : "ABS(3)";
        return constant(kind);
    }

    // --- the main section ------------------------------------------------------------------------
    void mainSection() {
        Scope s;
        if (chance(0.6)) imageBlock();
        if ((!images_.empty() && phone()) ? chance(0.8) : faulty_ && chance(0.2)) spriteSetup();
        int canvases = chance(0.5) ? 1 : chance(0.2) ? 2 : 0;
        for (int i = 0; i < canvases; ++i) canvas();
        if (phone() && chance(0.25)) threeD();
        block(s, between(2, 7));
        if (!forms_.empty() && chance(0.5)) emit("SETDISPLAY " + any(forms_));
        if (!canvases_.empty() && chance(0.6)) emit("SETDISPLAY " + any(canvases_));
        if (!canvases_.empty() && phone() && chance(0.3)) emit("LISTENER " + any(canvases_));
        if (!forms_.empty() && chance(0.3)) emit("LISTENER " + any(forms_));
    }

    void imageBlock() {
        open("TRY");
        int count = between(1, 3);
        for (int i = 0; i < count; ++i) {
            std::string name = freshName();
            if (chance(0.3)) {
                emit("IMAGE.ARRAY " + name + ", \"/tile_" + std::to_string(i) + ".png\", " +
                     std::to_string(between(1, 4)));
                imageArrays_.push_back(name);
            } else {
                emit("IMAGE " + name + ", \"/pic_" + std::to_string(i) + ".png\"");
                images_.push_back(name);
            }
        }
        close("CATCH IO");
        ++indent_;
        emit("PRINT \"no_images\"");
        close("ENDCATCH");
        emit("ENDTRY");
    }

    std::string imageArgument() {
        if (images_.empty() || bad()) return "NULL";
        return any(images_);
    }

    void spriteSetup() {
        int count = between(1, 3);
        for (int i = 0; i < count; ++i) {
            std::string name = freshName();
            int r = pick(3);
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
        std::string name = freshName();
        canvases_.push_back(name);
        open("CANVAS " + name);
        std::vector<std::string> actions{"PAINT"};
        if (chance(0.6)) actions.push_back("KEYPRESSED");
        if (chance(0.3)) actions.push_back("POINTERDRAGGED");
        actions.push_back("LOOP");
        if (faulty_ && chance(0.2)) std::shuffle(actions.begin(), actions.end(), rng_);
        for (const std::string& action : actions) {
            if (action == "LOOP")
                open("ACTION LOOP " + any({"50", "100", "020", "1"}));
            else
                open("ACTION " + action);
            Scope s;
            s.section = Section::Action;
            s.action = action;
            block(s, between(1, action == "PAINT" ? 5 : 3));
            close("ENDACTION");
        }
        close("ENDCANVAS");
    }

    void threeD() {
        emit("3D.START");
        if (chance(0.7)) {
            std::string name = freshName();
            if (chance(0.7)) {
                emit("OBJECT " + name + ", MODEL");
                objects_.push_back(name);
            } else {
                emit("OBJECT.ARRAY " + name + ", MODEL, " + std::to_string(between(1, 3)));
            }
        }
        if (!worlds_.empty() && !objects_.empty()) emit(worldSlot(any(worlds_)) + " = " + any(objects_));
        int count = between(1, 4);
        for (int i = 0; i < count; ++i) {
            switch (pick(8)) {
                case 0:
                    emit("3D.SETVIEWPORT 0, 0, " + intExpr(Scope{}, 1) + ", 208");
                    break;
                case 1:
                    emit("3D.CLEAR");
                    break;
                case 2:
                    emit("3D.SETBACKGROUNDCOLOR " + intExpr(Scope{}, 1));
                    break;
                case 3:
                    if (!lights_.empty()) emit("3D.SETCAMERAROTATION " + any(lights_) + ", 1, 2.5, 3");
                    break;
                case 4:
                    if (!lights_.empty()) emit("3D.SETLIGHTCOLOR " + any(lights_) + ", 16777215");
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

    // Drawing stands in a PAINT action and in the functions of the program, which PAINT may call.
    static bool drawingPlace(const Scope& s) {
        return (s.section == Section::Action && s.action == "PAINT") || s.function != nullptr;
    }

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
        const bool paint = s.section == Section::Action && s.action == "PAINT";
        const bool drawing = drawingPlace(s);
        if (!faulty_ && plantedLine_ == 0 && !drawing && chance(0.04)) {
            plantError(s);
            return;
        }
        for (int tries = 0; tries < 8; ++tries) {
            int r = pick(21);
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
                emit(call(s, any(functions_)));
            } else if (r == 11 && s.function && chance(0.5)) {
                exitFunction(s);
            } else if (r == 12 && (drawing || bad())) {
                drawingStatement(s);
            } else if (r == 13 && phone() && (s.section != Section::Action || bad())) {
                mediaStatement(s);
            } else if (r == 14 && phone() && (!sprites_.empty() || !spriteArrays_.empty() || layer_)) {
                spriteStatement(s);
            } else if (r == 15 && phone()) {
                formStatement(s);
            } else if (r == 16 && (s.section == Section::Action || bad())) {
                emit("REPAINT");
            } else if (r == 17 && (paint || bad()) && phone()) {
                mappyStatement(s);
            } else if (r == 18 && s.depth < 2 && s.section != Section::Action && phone()) {
                tryBlock(s);
            } else if (r == 19 && (phone() || bad()) && chance(0.1)) {
                emit("END");
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
        block(s, count);
        if (loop) --s.loops;
        --s.depth;
    }

    void ifBlock(Scope& s) {
        open("IF " + condition(s) + " THEN");
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
        close("ENDIF");
    }

    void forBlock(Scope& s) {
        std::string name = bad() ? any(kNames) : any(kForNames);
        if (std::find(forVars_.begin(), forVars_.end(), name) != forVars_.end() && !bad()) {
            assignment(s);
            return;
        }
        std::string step;
        if (chance(0.3)) step = std::string(chance(0.5) ? " INC " : " DEC ") + any({"1", "2", "01"});
        open("FOR " + name + " = " + intExpr(s, 1) + " TO " + intExpr(s, 1) + step);
        forVars_.push_back(name);
        nested(s, between(1, 3), true);
        forVars_.pop_back();
        close("NEXT");
    }

    void whileBlock(Scope& s) {
        open("WHILE " + condition(s));
        nested(s, between(1, 3), true);
        close("ENDWHILE");
    }

    void tryBlock(Scope& s) {
        open("TRY");
        // CATCH IO needs a statement that can fail on a file in its TRY.
        std::string name = freshName();
        emit("IMAGE " + name + ", \"/extra_" + std::to_string(lines_.size()) + ".png\"");
        images_.push_back(name);
        nested(s, 1, false);
        close("CATCH IO");
        ++indent_;
        nested(s, 1, false);
        close("ENDCATCH");
        emit("ENDTRY");
    }

    void exitFunction(Scope& s) {
        if (s.function->returns && !bad())
            emit("EXITFUNCTION " + endValue(s, *s.function->returns));
        else
            emit("EXITFUNCTION");
    }

    std::vector<Var> visible(const Scope& s) const {
        std::vector<Var> vars = globals_;
        vars.insert(vars.end(), s.locals.begin(), s.locals.end());
        for (const std::string& f : forVars_) vars.push_back({f, Kind::Int});
        return vars;
    }

    void assignment(Scope& s) {
        Kind kind = anyValueKind();
        if (chance(0.1)) kind = Kind::Boolean;
        std::string target = lvalue(s, kind);
        if (target.empty()) {
            emit("PRINT " + valueExpr(s, Kind::String, 1));
            return;
        }
        if (kind == Kind::Boolean)
            emit(target + " = " + std::string(bad() ? "1" : chance(0.5) ? "TRUE" : "FALSE"));
        else
            emit(target + " = " + valueExpr(s, bad() ? anyValueKind() : kind, 3));
    }

    // Something of `kind` that can be assigned: a variable, an array element or a record field.
    std::string lvalue(Scope& s, Kind kind) {
        std::vector<std::function<std::string()>> ways;
        for (const Var& v : visible(s))
            if (v.kind == kind) ways.push_back([v] { return v.ref(); });
        for (const Array& a : arrays_)
            if (a.kind == kind) ways.push_back([this, &s, a] { return element(s, a); });
        for (const Record& r : records_)
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

    // --- expressions -------------------------------------------------------------------------------
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

    // One of the program's values of `kind`, or nothing.
    std::string reference(Scope& s, Kind kind, int depth) {
        std::vector<std::function<std::string()>> ways;
        for (const Var& v : visible(s))
            if (v.kind == kind) ways.push_back([v] { return v.ref(); });
        for (const Array& a : arrays_)
            if (a.kind == kind) ways.push_back([this, &s, a, depth] { return element(s, a, depth); });
        for (const Record& r : records_)
            for (const Var& f : r.type->fields)
                if (f.kind == kind) ways.push_back([this, &s, r, f, depth] { return field(s, r, f, depth); });
        if (depth > 0)
            for (const Function& f : functions_)
                if (f.returns == kind) ways.push_back([this, &s, f, depth] { return call(s, f, depth); });
        if (ways.empty()) return "";
        return any(ways)();
    }

    std::string intExpr(Scope s, int depth) {
        if (bad()) return any({"\"text\"", "UNKNOWN", "3 4", "(1", "2147483648", "1 +"});
        int r = pick(depth > 0 ? 12 : 4);
        if (r < 2) return any(kIntLiterals);
        if (r < 4) {
            std::string ref = reference(s, Kind::Int, depth);
            return ref.empty() ? any(kIntLiterals) : ref;
        }
        switch (r) {
            case 4:
            case 5:
                return intExpr(s, depth - 1) + " " + any({"+", "-", "*", "/"}) + " " + intExpr(s, depth - 1);
            case 6:
                return "(" + intExpr(s, depth - 1) + ")";
            case 7:
                return std::string(any({"MAX", "MIN", "RND"})) + "(" + intExpr(s, depth - 1) + ", " +
                       intExpr(s, depth - 1) + ")";
            case 8:
                return std::string(any({"LEN", "ASC"})) + "(" + stringExpr(s, depth - 1) + ")";
            case 9:
                return chance(0.5)
                           ? "ABS(" + intExpr(s, depth - 1) + ")"
                           : "INDEX(" + stringExpr(s, depth - 1) + ", " + stringExpr(s, depth - 1) + ")";
            case 10:
                return chance(0.5) ? "INT(" + stringExpr(s, depth - 1) + ")" : "TIMER()";
            default:
                if (s.section == Section::Action && s.action == "POINTERDRAGGED")
                    return any({"POINTX", "POINTY"});
                if (!sprites_.empty() && phone())
                    return std::string(any({"SPRITE.POSX", "SPRITE.POSY", "SPRITE.WIDTH", "SPRITE.FRAME"})) +
                           "(" + any(sprites_) + ")";
                if (!images_.empty())
                    return std::string(any({"IMAGE.WIDTH", "IMAGE.HEIGHT"})) + "(" + any(images_) + ")";
                if (!lists_.empty()) return "LIST.GETVALUE(" + any(lists_) + ")";
                return any(kIntLiterals);
        }
    }

    std::string floatExpr(Scope& s, int depth) {
        int r = pick(depth > 0 ? 5 : 2);
        if (r == 0) return any({"2.5", "0.5", "1.0", "3"});
        if (r == 1) {
            std::string ref = reference(s, Kind::Float, depth);
            return ref.empty() ? "1.5" : ref;
        }
        if (r == 4) return "(" + floatExpr(s, depth - 1) + ")";
        return floatExpr(s, depth - 1) + " " + any({"+", "-", "*"}) + " " + floatExpr(s, depth - 1);
    }

    std::string stringExpr(Scope& s, int depth) {
        int r = pick(depth > 0 ? 9 : 2);
        if (r == 0) return any(kStrings);
        if (r == 1) {
            std::string ref = reference(s, Kind::String, depth);
            return ref.empty() ? any(kStrings) : ref;
        }
        switch (r) {
            case 2:
            case 3:
                return stringExpr(s, depth - 1) + " + " + stringExpr(s, depth - 1);
            case 4:
                return "STR$(" + intExpr(s, depth - 1) + ")";
            case 5:
                return std::string(any({"UPPER", "LOWER", "TRIM"})) + "(" + stringExpr(s, depth - 1) + ")";
            case 6:
                return std::string(any({"LEFT", "RIGHT"})) + "(" + stringExpr(s, depth - 1) + ", " +
                       intExpr(s, depth - 1) + ")";
            case 7:
                return "MID(" + stringExpr(s, depth - 1) + ", " + intExpr(s, depth - 1) + ", " +
                       intExpr(s, depth - 1) + ")";
            default:
                if (!textboxes_.empty() && phone()) return "TEXTBOX.GETVALUE(" + any(textboxes_) + ")";
                return "STR$(" + intExpr(s, 0) + ")";
        }
    }

    // The left side of a comparison is one value: a name, a literal or a built-in's result.
    std::string comparison(Scope& s) {
        int r = pick(10);
        if (s.section == Section::Action && s.action == "KEYPRESSED" && r == 0)
            return "GETKEY() = " +
                   std::string(any({"UPKEY()", "DOWNKEY()", "LEFTKEY()", "RIGHTKEY()", "STARKEY()"}));
        if (r < 6) {
            std::string left = reference(s, Kind::Int, 0);
            if (left.empty() || bad()) left = std::to_string(pick(100));
            return left + " " + any({"=", "<>", "<", ">", "<=", ">="}) + " " + intExpr(s, 1);
        }
        if (r < 8) {
            std::string left = reference(s, Kind::String, 0);
            if (left.empty() || bad()) left = any(kStrings);
            return left + " " + any({"=", "<>"}) + " " + stringExpr(s, 1);
        }
        std::string flag = reference(s, Kind::Boolean, 1);
        if (flag.empty()) return "1 = 1";
        return flag + " = " + (chance(0.5) ? "TRUE" : "FALSE");
    }

    std::string condition(Scope& s) {
        std::string text = comparison(s);
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
                    emit("SPRITE.DRAWARRAY " + any(spriteArrays_) + ", " + ints(s, 1));
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
                emit("SOUND.LOAD \"shot_1.wav\", " + ints(s, 1));
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
        std::string name = any(all);
        bool array = std::find(spriteArrays_.begin(), spriteArrays_.end(), name) != spriteArrays_.end();
        std::string index = array ? ", " + intExpr(s, 1) : "";
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
                emit("SPRITE.SEQUENCE " + name + ", 0, 1" + index);
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
                    emit("PRINT STR$(SPRITE.COLLISION(" + sprites_[0] + ", " + sprites_[1] + "))");
                break;
            default:
                if (!array) emit("PRINT STR$(SPRITE.POSX(" + name + "))");
                break;
        }
    }

    void formStatement(Scope& s) {
        switch (pick(7)) {
            case 0:
                if (!forms_.empty() && !buttons_.empty())
                    emit(std::string(chance(0.5) ? "BUTTON.SHOW " : "BUTTON.HIDE ") + any(forms_) + ", " +
                         any(buttons_));
                break;
            case 1:
                if (!lists_.empty()) emit("LIST.APPEND " + any(lists_) + ", " + stringExpr(s, 1));
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
                     (images_.empty() ? "NULL" : any(images_)) + ", " + intExpr(s, 1));
                break;
            default:
                if (!forms_.empty()) emit("SETDISPLAY " + any(forms_));
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
    int indent_ = 0;
    std::vector<std::string> lines_;
    std::set<std::string> used_;
    std::set<std::string> paramNames_;  // kept free of program-wide names, as a local may not shadow one
    std::vector<Var> globals_;
    std::vector<Array> arrays_;
    std::vector<RecordType> types_;
    std::vector<Record> records_;
    std::vector<Function> functions_;
    std::vector<std::string> buttons_, forms_, textboxes_, lists_, lights_, canvases_;
    std::vector<std::string> images_, imageArrays_, sprites_, spriteArrays_, objects_;
    std::vector<Array> worlds_;
    std::vector<std::string> forVars_;
    bool layer_ = false;
    int plantedLine_ = 0;  // the line of the planted error, from 1; 0 while none is planted
    std::string plantedMessage_;
};

}  // namespace

GeneratedProgram generateProgram(std::uint64_t seed, int index) {
    return Generator(seed, index).run();
}

}  // namespace proptest
