#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/variables.h"

namespace compiler {

struct Context;

// How a translator resolves a name from a source line against the registries of the run. Holds no state
// of its own; make one wherever it is needed.
class Helpers {
public:
    explicit Helpers(Context& ctx) : ctx_(ctx) {}

    // Position of the name, upper-cased, in its kind's list, or -1. First entry wins.
    int Object(const std::string& name) const;
    int Camera(const std::string& name) const;
    int Light(const std::string& name) const;
    int SpriteArray(const std::string& name) const;
    int Sprite(const std::string& name) const;
    int ImageArray(const std::string& name) const;
    int Image(const std::string& name) const;
    int Canvas(const std::string& name) const;  // the debug option traces each canvas examined
    int List(const std::string& name) const;
    int Form(const std::string& name) const;
    int TextBox(const std::string& name) const;
    int Button(const std::string& name) const;
    int World(const std::string& name) const;

    // The variable the name denotes here (suffix dropped, upper-cased): the first visible entry. Only
    // hidden entries: CompileException with the variable scope text and "in Variable". None: nullptr.
    const compiler::Variable* Variable(const std::string& name) const;
    // The same without the scope error: nullptr when no entry of that name is visible here. The
    // "name already a variable" checks of declarations use it, so another function's locals do not count.
    const compiler::Variable* visibleVariable(const std::string& name) const;
    // Variable(name) for the name at the line's pointer, where a value stands: the name followed by "[" is an
    // array's element, also where the name is the language's own (POINTX and POINTY in POINTERDRAGGED).
    const compiler::Variable* valueVariable(const std::string& name) const;
    // Type code of Variable(name); nullptr raises "Variable was not found in pool". Adds "in Variable Type".
    TypeCode VariableType(const std::string& name) const;
    // As Variable, on the arrays; the name loses one suffix but is not upper-cased. The debug option
    // traces "Looking at array " and each array examined. Context word "in Array".
    const compiler::Array* Array(const std::string& name) const;
    const compiler::Array* visibleArray(const std::string& name) const;
    // Context word "in Array Type"; nullptr raises "Array was not found in pool".
    TypeCode ArrayType(const std::string& name) const;

    // ASCII letters and digits only; the empty name passes.
    static bool validName(std::string_view name);
    // ASCII letters and digits, beginning with a letter: a name the generated Java can carry.
    static bool javaName(std::string_view name);
    // Whether the name may be given to something new: a Java name, no object or function of that name,
    // no variable or array of that name visible here.
    bool Name(const std::string& name) const;
    // False exactly for "C", "PointX" and "PointY" (case-sensitive).
    static bool allowedVarName(std::string_view name);
    // The names the generated Java declares itself around the statement being translated, which a program's
    // own name of that spelling would be hidden by there: the command handler's parameter C (FUNCTION
    // ACTION); in a canvas, the constants its class inherits (the phone's keys UP ... FIRE, an applet
    // Component's image-observer flags WIDTH ... ABORT) and, in POINTERDRAGGED, the parameters POINTX and
    // POINTY. None outside the Java targets.
    std::vector<std::string> hiddenNames() const;
    // A name written as the generated Java's own where it stands (the command handler's C, the pointer's
    // POINTX and POINTY): marked, so that the writer leaves it bare where it qualifies the program's names
    // of that spelling. The writer drops the mark.
    static std::string ownName(const std::string& name);
    static constexpr char kOwnNameMark = '\x02';

    // Drops one trailing "$", "#" or "%".
    static std::string FixVariable(const std::string& name);
    // The run of "(" and ")" tokens from `gPointer` up to (not including) `end`, joined.
    static std::string Bracket(const std::vector<std::string>& tokens, int gPointer, int end);
    // An optional "-" followed by digits only ("-" alone counts); "" is no number.
    static bool Number(std::string_view text);
    // The text when it holds only digits and "."; otherwise the message Error.
    static std::string Float(const std::string& text);
    // Holds both "%" and "." (a record field reference).
    static bool correctType(std::string_view text);

    static std::string toUpper(std::string_view text);

private:
    void traceArrays(int stop) const;

    Context& ctx_;
};

}  // namespace compiler
