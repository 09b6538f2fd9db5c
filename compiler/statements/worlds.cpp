#include "statements/worlds.h"

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/array_access.h"
#include "statements/convertor.h"
#include "statements/families.h"
#include "statements/members.h"
#include "statements/three_d.h"

namespace compiler {
namespace {

// A world size: an integer literal, an optional "-" and at least one digit.
bool sizeLiteral(const std::string& t) {
    return Helpers::Number(t) && t != "-";
}

// A name Java accepts that names nothing yet.
bool freshWorldName(Convertor& c, const std::string& name) {
    return Helpers(c.ctx).Name(name) && memberKinds(c, name).empty();
}

}  // namespace

std::optional<std::string> handleWorlds(Convertor& c) {
    if (c.tokenCount() == 0 || c.token(0) != "WORLD") return std::nullopt;
    requirePhoneTarget(c);
    const std::size_t n = c.tokenCount();
    if (n < 4 || c.token(2) != "[") throw CompileException(res("Error_World_requires"));
    const std::string& name = c.token(1);
    if (!freshWorldName(c, name)) throw CompileException(res("Error_World_name_is"));

    std::string sizes;
    int dimensions = 0;
    std::size_t i = 3;
    for (;;) {
        if (i >= n) throw CompileException(res("Error_World_requires"));  // "[" or "," ends the line
        if (!sizeLiteral(c.token(i))) throw CompileException(res("Error_Array_size_must"));
        sizes += "[" + c.token(i) + "]";
        ++dimensions;
        if (i + 1 < n && c.token(i + 1) == ",") {
            i += 2;
            continue;
        }
        break;
    }
    if (i + 1 >= n) throw CompileException(res("Error_Expecting_"));
    if (c.token(i + 1) != "]" || i + 2 != n) throw CompileException(res("Error_World_requires"));

    // A world is a field of the program, or a local of a function as a DIM there is; in the main program
    // it would be a local of its method, which the canvases, classes of their own, cannot reach.
    const Functions& functions = c.ctx.functions;
    if (functions.CurrentKind != OwnerKind::Global && functions.CurrentKind != OwnerKind::Function)
        throw CompileException(res("Error_World_place"));
    c.ctx.worlds.add(name);
    c.ctx.worldDimensions.push_back(dimensions);
    c.ctx.worldOwners.push_back(functions.current());
    std::string type = "World";
    for (int d = 0; d < dimensions; ++d) type += "[]";
    // Every slot holds a world from the start, cleared with the program's background. A bare block is both
    // an instance initializer (declaration section) and a statement block (inside a function).
    std::string loops, index;
    for (int d = 0; d < dimensions; ++d) {
        const std::string v = "tz_w" + std::to_string(d);
        loops += "for (int " + v + " = 0; " + v + " < " + name + index + ".length; " + v + "++) ";
        index += "[" + v + "]";
    }
    const std::string made = "new World" + sizes;
    return localDeclaration(c, type, name, made, made,
                            " { " + loops + "{ " + name + index + " = new World(); " + name + index +
                                ".setBackground(background); } }");
}

std::string worldIndex(Convertor& c, int at, const std::string& failure) {
    const int world = Helpers(c.ctx).World(c.token(at));
    if (world < 0 || !c.ctx.line.has(at + 1) || c.token(at + 1) != "[") throw CompileException(failure);
    c.ctx.line.gPointer = at + 1;
    std::string index;
    try {
        index = HandleArray(c.ctx).translate();
    } catch (const CompileException& e) {
        // An empty index names no world: the statement's own message says what it needs.
        if (e.problems().front() == res("Error_Array_dimensions")) throw CompileException(failure);
        throw;
    }
    // Each index must hold something, and their number must match the declaration: anything else is
    // not one World, and javac would refuse it.
    int dimensions = 0;
    for (std::size_t p = index.find('['); p != std::string::npos; p = index.find('[', p + 1)) {
        if (index.compare(p, 2, "[]") == 0) throw CompileException(failure);
        ++dimensions;
    }
    if (dimensions != c.ctx.worldDimensions.at(static_cast<std::size_t>(world)))
        throw CompileException(failure);
    return index;
}

// The node joins the slot's world (leaving the group it was in); a camera becomes the world's active camera.
// Putting a node where it already is changes nothing, so the statement may stand in a loop.
std::optional<std::string> assignWorldSlot(Convertor& c) {
    if (c.tokenCount() == 0 || Helpers(c.ctx).World(c.token(0)) < 0) return std::nullopt;
    const std::string failure = res("Error_Object_is_not");
    const std::string slot = c.token(0) + worldIndex(c, 0, failure);
    const int equals = c.ctx.line.gPointer + 1;
    c.ctx.line.gPointer += 2;
    if (!c.ctx.line.has(equals) || c.token(equals) != "=" ||
        c.tokenCount() != static_cast<std::size_t>(equals) + 2)
        throw CompileException(failure);
    const std::string& node = c.token(equals + 1);
    Helpers helpers(c.ctx);
    const bool camera = helpers.Camera(node) >= 0;
    if (helpers.Object(node) < 0 && !camera && helpers.Light(node) < 0) throw CompileException(failure);
    return "if (" + node + ".getParent() != " + slot + ") { if (" + node + ".getParent() != null) ((Group) " +
           node + ".getParent()).removeChild(" + node + "); " + slot + ".addChild(" + node + "); }" +
           (camera ? " " + slot + ".setActiveCamera(" + node + ");" : "");
}

}  // namespace compiler
