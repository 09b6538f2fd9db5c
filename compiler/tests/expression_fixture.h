#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/token_line.h"

namespace compiler {

// A run in the main section of a phone program with a few declarations of every kind:
//   X integer, A$ string, F# float, B boolean, P% record of POINT, G global integer (declared before
//   the main section), arrays ARR integer, NAMES$ string, FS# float, PTS% of POINT, ROW integer (declared
//   with one dimension);
//   POINT's fields PX (integer), NAME$ (string), W# (float), ON (boolean), VALS[] (integer array);
//   images IMG, sprites SPR, sprite array SPRS, button BTN, text box TB1, list LST;
//   functions ADD(I,I) int, GREET(S) string, NOW() int, HALF(F) float, STOP() void.
class ExpressionTest : public ::testing::Test {
protected:
    ExpressionTest() : ctx(out, false) {
        ctx.project.platform = "TB";
        ctx.library.instantiate();
        ctx.variables.addSystemVars();
        ctx.functions.enter(OwnerKind::Global);
        ctx.variables.add("G", TypeCodes::cInt);
        ctx.scope.CurrentType = "POINT";
        ctx.types.add("POINT");
        ctx.variables.add("PX", TypeCodes::cInt);
        ctx.variables.add("NAME", TypeCodes::cString);
        ctx.variables.add("W", TypeCodes::cFloat);
        ctx.variables.add("ON", TypeCodes::cBoolean);
        ctx.arrays.add("VALS", TypeCodes::cInt);
        ctx.scope.CurrentType = "";
        ctx.functions.enter(OwnerKind::Main);
        ctx.variables.add("X", TypeCodes::cInt);
        ctx.variables.add("A", TypeCodes::cString);
        ctx.variables.add("F", TypeCodes::cFloat);
        ctx.variables.add("B", TypeCodes::cBoolean);
        ctx.variables.add("P", TypeCodes::cType);
        ctx.arrays.add("ARR", TypeCodes::cInt);
        ctx.arrays.add("NAMES", TypeCodes::cString);
        ctx.arrays.add("FS", TypeCodes::cFloat);
        ctx.arrays.add("PTS", TypeCodes::cType);
        ctx.arrays.describe(ctx.arrays.add("ROW", TypeCodes::cInt), 1, "");
        ctx.objects.addImage("IMG");
        ctx.objects.addSprite("SPR");
        ctx.objects.addSpriteArray("SPRS");
        ctx.objects.addButton("BTN");
        ctx.objects.addTextbox("TB1");
        ctx.objects.addList("LST");
        function("ADD", TypeCodes::cInt, {TypeCodes::cInt, TypeCodes::cInt});
        function("GREET", TypeCodes::cString, {TypeCodes::cString});
        function("NOW", TypeCodes::cInt, {});
        function("HALF", TypeCodes::cFloat, {TypeCodes::cFloat});
        function("STOP", TypeCodes::cVoid, {});
    }

    void function(const std::string& name, TypeCode type, const std::vector<TypeCode>& args) {
        Function& f = ctx.functions.addFunction(name);
        f.setType(type);
        for (std::size_t i = 0; i < args.size(); ++i) f.addArg(args[i], "ARG" + std::to_string(i));
        ctx.library.addReturner(name);
    }

    // Tokenises the statement and upper-cases it outside string literals, as the dispatcher does.
    void line(const std::string& statement, int pointer = 0) {
        std::vector<std::string> tokens = tokenize(statement);
        for (std::string& t : tokens) {
            if (!t.empty() && t[0] == '"') continue;
            for (char& c : t) {
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            }
        }
        ctx.line.Tokens = tokens;
        ctx.line.gPointer = pointer;
        ctx.line.returnType = TypeCodes::cVoid;
    }

    // The lines of the CompileException that `action` raises; {"no error"} when it returns.
    static std::vector<std::string> problemsOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const CompileException& e) {
            return e.problems();
        }
        return {"no error"};
    }

    std::ostringstream out;
    Context ctx;
};

}  // namespace compiler
