#include "driver/lookups.h"

#include <algorithm>
#include <cctype>

#include "driver/context.h"
#include "driver/messages.h"

namespace compiler {
namespace {

const char* const kVariableScope =
    "Variable is being used out of it's visible scope, make the variable global to use the variable here";
const char* const kArrayScope =
    "Array is being used out of it's visible scope, make the array global to use the array here";

bool isAsciiLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether `name` stands in the list of declared names for something other than a variable.
bool declaredAsObjectOrFunction(const Context& ctx, const std::string& name) {
    const Objects& o = ctx.objects;
    for (const NameList* kind :
         {&o.Sprites, &o.SpriteArray, &o.ObjectNames, &o.ObjectArray, &o.Images, &o.ImageArray, &o.Cameras,
          &o.Lights, &o.Lists, &o.Labels, &o.Textboxes, &o.Buttons, &o.Forms, &o.Canvas}) {
        if (kind->indexOf(name) >= 0) return true;
    }
    return ctx.functions.isFunction(name);
}

}  // namespace

std::string Helpers::toUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

int Helpers::Object(const std::string& name) const {
    return ctx_.objects.ObjectNames.indexOf(toUpper(name));
}
int Helpers::Camera(const std::string& name) const {
    return ctx_.objects.Cameras.indexOf(toUpper(name));
}
int Helpers::Light(const std::string& name) const {
    return ctx_.objects.Lights.indexOf(toUpper(name));
}
int Helpers::SpriteArray(const std::string& name) const {
    return ctx_.objects.SpriteArray.indexOf(toUpper(name));
}
int Helpers::Sprite(const std::string& name) const {
    return ctx_.objects.Sprites.indexOf(toUpper(name));
}
int Helpers::ImageArray(const std::string& name) const {
    return ctx_.objects.ImageArray.indexOf(toUpper(name));
}
int Helpers::Image(const std::string& name) const {
    return ctx_.objects.Images.indexOf(toUpper(name));
}
int Helpers::List(const std::string& name) const {
    return ctx_.objects.Lists.indexOf(toUpper(name));
}
int Helpers::Form(const std::string& name) const {
    return ctx_.objects.Forms.indexOf(toUpper(name));
}
int Helpers::TextBox(const std::string& name) const {
    return ctx_.objects.Textboxes.indexOf(toUpper(name));
}
int Helpers::Button(const std::string& name) const {
    return ctx_.objects.Buttons.indexOf(toUpper(name));
}
int Helpers::World(const std::string& name) const {
    // A world declared in a function is a local of its method, seen only there.
    const int index = ctx_.worlds.indexOf(toUpper(name));
    if (index < 0 || static_cast<std::size_t>(index) >= ctx_.worldOwners.size()) return index;
    const Owner& owner = ctx_.worldOwners[static_cast<std::size_t>(index)];
    return owner.kind == OwnerKind::Global || owner == ctx_.functions.current() ? index : -1;
}

int Helpers::Canvas(const std::string& name) const {
    int index = ctx_.objects.Canvas.indexOf(toUpper(name));
    if (ctx_.debug.enabled()) {
        // The trace names every canvas a scan from the start would have looked at.
        int stop = index >= 0 ? index : ctx_.objects.getCanvasCount() - 1;
        for (int i = 0; i <= stop; ++i) ctx_.debug.printDebug(ctx_.objects.getCanvasName(i));
    }
    return index;
}

const compiler::Variable* Helpers::visibleVariable(const std::string& name) const {
    int index = ctx_.variables.findVisible(toUpper(FixVariable(name)));
    return index >= 0 ? &ctx_.variables.getVariable(index) : nullptr;
}

const compiler::Variable* Helpers::Variable(const std::string& name) const {
    if (const compiler::Variable* v = visibleVariable(name)) return v;
    const std::string key = toUpper(FixVariable(name));
    if (ctx_.variables.find(key) >= 0) {
        // A variable out of sight stands aside for a thing of that name here (the language's own C, POINTX
        // and POINTY everywhere but their place, another function's local, a record's field): only a name
        // that is nothing here reads as a variable used out of its place.
        const bool other = declaredAsObjectOrFunction(ctx_, key) || World(key) >= 0 ||
                           ctx_.arrays.findVisible(FixVariable(name)) >= 0 || ctx_.library.isReturner(key) ||
                           ctx_.library.isChanger(name);
        if (!other) throw CompileException(kVariableScope).addError("in Variable");
    }
    return nullptr;
}

const compiler::Variable* Helpers::valueVariable(const std::string& name) const {
    const compiler::Variable* v = Variable(name);
    const LineState& line = ctx_.line;
    if (v && v->getType() == TypeCodes::cSpecial && line.has(line.gPointer + 1) &&
        line.token(line.gPointer + 1) == "[")
        return nullptr;
    return v;
}

TypeCode Helpers::VariableType(const std::string& name) const {
    try {
        const compiler::Variable* v = Variable(name);
        if (!v) throw CompileException("Variable was not found in pool");
        return v->getType();
    } catch (CompileException& e) {
        e.addError("in Variable Type");
        throw;
    }
}

void Helpers::traceArrays(int stop) const {
    if (!ctx_.debug.enabled()) return;
    if (stop < 0) stop = ctx_.arrays.getCount() - 1;
    for (int i = 0; i <= stop; ++i) ctx_.debug.printDebug("Looking at array " + ctx_.arrays.getName(i));
}

const compiler::Array* Helpers::visibleArray(const std::string& name) const {
    int index = ctx_.arrays.findVisible(FixVariable(name));
    return index >= 0 ? &ctx_.arrays.getArray(index) : nullptr;
}

const compiler::Array* Helpers::Array(const std::string& name) const {
    std::string key = FixVariable(name);
    int index = ctx_.arrays.findVisible(key);
    traceArrays(index);
    if (index >= 0) return &ctx_.arrays.getArray(index);
    if (ctx_.arrays.find(key) >= 0) throw CompileException(kArrayScope).addError("in Array");
    return nullptr;
}

TypeCode Helpers::ArrayType(const std::string& name) const {
    try {
        const compiler::Array* a = Array(name);
        if (!a) throw CompileException("Array was not found in pool");
        return a->getType();
    } catch (CompileException& e) {
        e.addError("in Array Type");
        throw;
    }
}

bool Helpers::validName(std::string_view name) {
    return std::all_of(name.begin(), name.end(), isAsciiLetterOrDigit);
}

bool Helpers::javaName(std::string_view name) {
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name.front())) && validName(name);
}

bool Helpers::Name(const std::string& name) const {
    // Every new name becomes a Java name, which cannot begin with a digit.
    if (!javaName(name)) return false;
    // Variables only block the names they can be reached by here: a local of another function, or of the
    // main section inside a function, leaves the name free for a declaration of its own.
    if (ctx_.objects.Names.indexOf(name) >= 0) {
        bool onlyHiddenVariables = ctx_.variables.find(name) >= 0 && ctx_.variables.findVisible(name) < 0 &&
                                   !declaredAsObjectOrFunction(ctx_, name);
        if (!onlyHiddenVariables) return false;
    }
    if (ctx_.variables.findVisible(toUpper(FixVariable(name))) >= 0) return false;
    // A world is an array field the name list does not hold.
    if (ctx_.worlds.indexOf(name) >= 0) return false;
    int array = ctx_.arrays.findVisible(FixVariable(name));
    traceArrays(array);
    return array < 0;
}

bool Helpers::allowedVarName(std::string_view name) {
    return name != "C" && name != "PointX" && name != "PointY";
}

std::vector<std::string> Helpers::hiddenNames() const {
    // Only names of letters and digits can be a program's: Canvas's GAME_A or KEY_NUM0 and Component's
    // *_ALIGNMENT never meet one.
    static const char* const phoneCanvas[] = {"UP", "DOWN", "LEFT", "RIGHT", "FIRE"};
    static const char* const appletCanvas[] = {"WIDTH",     "HEIGHT",  "PROPERTIES", "SOMEBITS",
                                               "FRAMEBITS", "ALLBITS", "ERROR",      "ABORT"};
    std::vector<std::string> names;
    if (!ctx_.project.isJava()) return names;
    if (ctx_.functions.CurrentKind == OwnerKind::Action) names.emplace_back("C");
    if (!ctx_.scope.CurrentCanvas.empty()) {
        if (ctx_.project.isJ2ME())
            names.insert(names.end(), std::begin(phoneCanvas), std::end(phoneCanvas));
        else
            names.insert(names.end(), std::begin(appletCanvas), std::end(appletCanvas));
        if (ctx_.scope.CurrentAction == "POINTERDRAGGED") names.insert(names.end(), {"POINTX", "POINTY"});
    }
    return names;
}

std::string Helpers::ownName(const std::string& name) {
    return kOwnNameMark + name;
}

std::string Helpers::FixVariable(const std::string& name) {
    if (!name.empty() && (name.back() == '$' || name.back() == '#' || name.back() == '%')) {
        return name.substr(0, name.size() - 1);
    }
    return name;
}

std::string Helpers::Bracket(const std::vector<std::string>& tokens, int gPointer, int end) {
    std::string run;
    int last = std::min(end, static_cast<int>(tokens.size()));
    for (int i = std::max(gPointer, 0); i < last; ++i) {
        const std::string& t = tokens[static_cast<std::size_t>(i)];
        if (t != "(" && t != ")") break;
        run += t;
    }
    return run;
}

bool Helpers::Number(std::string_view text) {
    if (text.empty()) return false;
    std::string_view digits = text.front() == '-' ? text.substr(1) : text;
    return std::all_of(digits.begin(), digits.end(), isDigit);
}

std::string Helpers::Float(const std::string& text) {
    bool plain = std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || c == '.'; });
    return plain ? text : res("Error");
}

bool Helpers::correctType(std::string_view text) {
    return text.find('%') != std::string_view::npos && text.find('.') != std::string_view::npos;
}

}  // namespace compiler
