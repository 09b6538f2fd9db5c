// Program blocks: user functions and the PAUSE, END and ACTION handlers, record types (each in a Java
// file of its own), canvases and their PAINT, KEYPRESSED, POINTERDRAGGED and LOOP actions.

#include <charconv>
#include <cstdint>
#include <string>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/byte_emitter.h"
#include "expressions/returner.h"
#include "guard/outputs.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {
namespace {

bool isQuoted(const std::string& t) {
    return t.size() >= 2 && t.front() == '"' && t.back() == '"';
}

// Digits with one inner ".": a "#" literal.
bool isDecimal(const std::string& t) {
    std::size_t dot = t.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == t.size()) return false;
    if (t.find('.', dot + 1) != std::string::npos) return false;
    std::string digits = (t[0] == '-' ? t.substr(1) : t);
    for (char ch : digits) {
        if (ch != '.' && (ch < '0' || ch > '9')) return false;
    }
    return true;
}

std::string canvasNumber(Convertor& c, const std::string& canvas) {
    return std::to_string(Helpers(c.ctx).Canvas(canvas));
}

// The value a function gives back: one number, string literal, variable or argument of the function,
// read in the function's own scope. Its type must fit the function's return type (an integer may be
// returned from a "#" function), so the method compiles.
std::string returnedValue(Convertor& c, const std::string& function, bool special, std::string* bytes) {
    c.ctx.line.gPointer = 1;
    const std::string& value = c.token(1);
    Helpers helpers(c.ctx);
    std::string text;
    TypeCode type = TypeCodes::cVoid;
    ByteEmitter emitted;
    const TypeCode expected = special ? TypeCodes::cVoid : c.ctx.functions.getFunctionType(function);
    // A lone word that names a variable here is the variable, also where a built-in has its name (a call
    // takes its brackets).
    const Variable* variable = c.tokenCount() == 2 ? helpers.Variable(value) : nullptr;
    if (c.ctx.library.isReturner(value) && expected != Function::cVoid && !variable) {
        // A value built-in or a call, alone on the line after the word: its type decides as for the others.
        HandleReturner call(c.ctx);
        text = call.Returner();
        type = c.ctx.line.returnType;
        if (text.empty() || static_cast<std::size_t>(c.ctx.line.gPointer) + 1 != c.tokenCount())
            throw CompileException(res("Error_EndFunction_Single"));
        emitted.injectBytes(call.retByte());
    } else if (c.tokenCount() > 2 || (c.ctx.library.isReturner(value) && !variable)) {
        throw CompileException(res("Error_EndFunction_Single"));
    } else if (Helpers::Number(value) && value != "-") {
        text = value, type = TypeCodes::cInt;
        emitted.injectNum(value);
    } else if (isDecimal(value)) {
        text = value + "f", type = TypeCodes::cFloat;
        emitted.injectNum(value);
    } else if (const Variable* v = variable) {
        text = Helpers::FixVariable(value), type = v->getType();
        if (bytes) {
            emitted.injectTok(ByteCodes::variableS);
            emitted.injectCode(poolNumber(c, value));
            emitted.injectTok(ByteCodes::variableE);
        }
    } else if (isQuoted(value)) {
        text = value, type = TypeCodes::cString;
        emitted.injectStr(value);
    } else if (!special && c.ctx.functions.argExists(function, value)) {
        // Parameters are variables of the function, so this is reached only for one the lookup hides.
        if (bytes) noByteForm("ENDFUNCTION");
        const Function* f = c.ctx.functions.getFunction(function);
        for (int i = 0; i < f->argCount(); ++i) {
            if (f->getArg(i) == value) type = f->ArgTypes[static_cast<std::size_t>(i)];
        }
        text = Helpers::FixVariable(value);
    } else {
        throw CompileException(res("Error_EndFunction"));
    }
    if (type != expected && !(expected == TypeCodes::cFloat && type == TypeCodes::cInt)) {
        throw CompileException(res("Error_EndFunction_Type"));
    }
    if (bytes) *bytes = emitted.retByte();
    return text;
}

}  // namespace

std::optional<std::string> functionStatement(Convertor& c) {
    Library& library = c.ctx.library;
    if (!library.endFound) {
        // The main section's startApp ends here. On the phone it closes the writer's try block; in byte
        // tokens the main function's "FE" closes it, as WriteEnd would.
        if (!c.java()) {
            c.out.writeByte(ByteCodes::endFun);
        } else {
            c.out.Write(c.ctx.project.isApplet() ? "}"
                                                 : "}catch(Exception err) { err.printStackTrace(); } };");
        }
        library.endFound = true;
    }
    const std::string& name = c.token(1);
    if (!Helpers::javaName(name)) throw CompileException(res("Error_Expecting"));
    if (!c.defined.insert("FUNCTION " + name).second) throw CompileException(res("Error_Name_in_use") + name);
    Functions& functions = c.ctx.functions;
    if (const std::optional<OwnerKind> special = Functions::specialFunction(name)) {
        if (functions.CurrentKind != OwnerKind::Main) throw CompileException(res("Error_Already_in_a"));
        // They take no parameters (empty brackets at most): anything else would be dropped without a word.
        const bool emptyBrackets = c.tokenCount() == 4 && c.token(2) == "(" && c.token(3) == ")";
        if (c.tokenCount() > 2 && !emptyBrackets) throw CompileException(res("Error_Number_of"));
        c.out.beginFunction();  // its head is the writer's own line
        if (special == OwnerKind::Pause) c.out.WritePause();
        if (special == OwnerKind::End) c.out.WriteDestroy();
        if (special == OwnerKind::Action) c.out.WriteCommandAction();
        functions.enter(*special);
        return std::string();
    }
    if (functions.CurrentKind != OwnerKind::Main) throw CompileException(res("Error_Already_in_a"));
    if (!c.ctx.line.has(2) || c.token(2) != "(") throw CompileException(res("Error_A_should_follow"));
    functions.enter(OwnerKind::Function, name);
    std::string head = "private " + c.ctx.functions.getJavaFunctionType(name) + name + "(";
    // Byte tokens: "FF", the return type (DS, DI, DF, or XX for none), one code per parameter.
    std::string bytes(ByteCodes::funtionS);
    switch (c.ctx.functions.getFunctionType(name)) {
        case Function::cString:
            bytes += ByteCodes::dimStr;
            break;
        case Function::cInt:
            bytes += ByteCodes::dimInt;
            break;
        case Function::cFloat:
            bytes += ByteCodes::dimFlo;
            break;
        default:
            bytes += ByteCodes::nothing;
    }

    // "#" parameters are float, as every "#" value of a program. On every target the parameters are
    // variables of the function; in byte tokens each also takes a pool number, so the body can name it.
    int& p = c.ctx.line.gPointer;
    int parameters = 0;
    for (p = 3;; ++p) {
        if (!c.ctx.line.has(p)) throw CompileException(res("Closing_bracket"));
        const std::string& t = c.token(p);
        if (t == ")") break;
        if (t == ",") {
            head += ",";
            continue;
        }
        // A parameter is a local of the method: a second one of its name, or one that would hide a
        // variable or object the body can reach, would not mean what the program says.
        const std::string parameter = Helpers::FixVariable(t);
        if (!Helpers::javaName(parameter)) throw CompileException(res("Error_The_name_is_not"));
        if (!memberKinds(c, parameter).empty()) throw CompileException(res("Error_Variable_name"));
        if (t.back() == '#') {
            c.ctx.variables.add(parameter, TypeCodes::cFloat);
            head += "float " + parameter;
            bytes += ByteCodes::dimFlo;
        } else if (t.back() == '$') {
            c.ctx.variables.add(parameter, TypeCodes::cString);
            head += "String " + parameter;
            bytes += ByteCodes::dimStr;
        } else {
            c.ctx.variables.add(parameter, TypeCodes::cInt);
            head += "int " + parameter;
            bytes += ByteCodes::dimInt;
        }
        if (!c.java()) c.ctx.library.addByteVariable(parameter);
        // A Java method takes 255 words of parameters, the object's own among them.
        if (++parameters > 254) throw CompileException(res("Error_Too_many_arguments"));
    }
    c.ctx.objects.addName(name);
    c.TempHolder = head;
    if (!c.java()) {
        c.out.writeByte(bytes);
        return std::string("TBD");
    }
    c.out.beginFunction();
    return head + "){";
}

std::optional<std::string> endFunctionStatement(Convertor& c) {
    Functions& functions = c.ctx.functions;
    const std::string closed = functions.CurrentFunction;
    const bool special = functions.CurrentKind != OwnerKind::Function;
    if (!c.java()) {
        // "FE" closes the function; a user function's second "FE" (or the value between two) ends its
        // returning part.
        std::string bytes(ByteCodes::endFun);
        if (c.tokenCount() > 1) {
            std::string value;
            returnedValue(c, closed, special, &value);
            bytes += value + std::string(ByteCodes::endFun);
        } else if (!special) {
            bytes += ByteCodes::endFun;
        }
        functions.enter(OwnerKind::Main);
        c.out.writeByte(bytes);
        return std::string("TBD");
    }
    std::string text = "}";
    if (c.tokenCount() > 1) text = "return " + returnedValue(c, closed, special, nullptr) + "; }";
    functions.enter(OwnerKind::Main);
    c.out.endFunction();
    return text;
}

// Leaves the function at once. `if (true)` keeps any statement after it reachable for the Java compiler.
std::optional<std::string> exitFunctionStatement(Convertor& c) {
    const std::string& current = c.ctx.functions.CurrentFunction;
    const bool special = c.ctx.functions.CurrentKind != OwnerKind::Function;
    if (!c.java()) noByteForm("EXITFUNCTION");
    if (c.tokenCount() > 1) return "if (true) return " + returnedValue(c, current, special, nullptr) + ";";
    if (special) return std::string("if (true) return;");
    switch (c.ctx.functions.getFunctionType(current)) {
        case Function::cFloat:
        case Function::cInt:
            return std::string("if (true) return 0;");
        case Function::cString:
            return std::string("if (true) return \"\";");
        default:
            return std::string("if (true) return;");
    }
}

std::optional<std::string> typeStatement(Convertor& c) {
    const std::string& name = c.token(1);
    // Each type is a class of the program's package, beside the program's own class.
    if (!Helpers::javaName(name)) throw CompileException(res("Error_The_name_is_not"));
    if (c.ctx.types.isValid(name) || name == c.ctx.project.name)
        throw CompileException(res("Error_Name_in_use") + name);
    c.ctx.scope.CurrentType = name;
    c.ctx.types.add(name);
    if (!c.java()) {
        c.out.writeByte(ByteCodes::dimNTyp);
        return std::string("TBD");
    }
    c.closeType();
    const std::string path = c.ctx.project.path + name + ".java";
    // A Java file the compiler did not write (an include, a class the user put there) is never replaced.
    const std::string shown = c.ctx.project.shown(path);
    if (!guard::mayWriteSource(path)) throw CompileException(res("Error_Type_file_taken") + shown);
    c.typeW = std::make_unique<guard::WholeFile>(path);
    if (c.typeW->error() != 0) throw InternalFailure({res("File_Error_Cannot") + ": " + shown});
    c.ctx.typeFiles.push_back(name);
    c.writeType("package Game;");
    c.writeType("public class " + name + " { public " + name + "() { }");
    return std::string("// Type");
}

std::optional<std::string> endTypeStatement(Convertor& c) {
    c.ctx.scope.CurrentType.clear();
    if (!c.java()) {
        c.out.writeByte(ByteCodes::endType);
        return std::string("TBD");
    }
    if (c.typeW) {
        c.writeType("}");
        c.closeType();
    }
    return std::string();
}

std::optional<std::string> canvasStatement(Convertor& c) {
    if (c.ctx.functions.CurrentKind != OwnerKind::Main) throw CompileException(res("Error_A_Canvas_can"));
    if (!c.ctx.scope.CurrentCanvas.empty()) throw CompileException(res("Error_A_Canvas_cannot"));
    const std::string& name = c.token(1);
    if (!Helpers::javaName(name)) throw CompileException(res("Error_The_name_is_not"));
    // A name still free was never registered as a canvas: not this statement.
    if (Helpers(c.ctx).Name(name)) return std::nullopt;
    if (!c.defined.insert("CANVAS " + name).second) throw CompileException(res("Error_Name_in_use") + name);
    requireFreeMember(c, name, Member::Canvas, true);
    c.ctx.scope.CurrentCanvas = name;
    if (!c.java()) {
        c.out.writeByte(std::string(ByteCodes::CanvasS) + std::string(ByteCodes::nameS));
        c.out.Write(name);
        c.out.writeByte(std::string(ByteCodes::nameE) + std::string(ByteCodes::endData));
        return std::string("TBD");
    }
    c.out.Write(name + " = new TBCanvas() {");
    c.out.Write("protected void showNotify(){ startTimer(); repaint(); }");
    // A key held as the canvas goes stops repeating: its release goes to the next screen.
    c.out.Write("protected void hideNotify(){ timer" + canvasNumber(c, name) +
                ".cancel(); m_repeat.stopRepeat(); }");
    return std::string("// **");
}

std::optional<std::string> endCanvasStatement(Convertor& c) {
    c.ctx.library.CanvasPaint(false);
    c.ctx.scope.CurrentCanvas.clear();
    if (!c.hadLoop) throw CompileException(res("Error_A_canvas"));
    c.hadLoop = false;
    if (!c.java()) {
        c.out.writeByte(ByteCodes::endCanvas);
        return std::string("TBD");
    }
    return std::string("};");
}

std::optional<std::string> actionStatement(Convertor& c) {
    Scope& scope = c.ctx.scope;
    if (scope.CurrentCanvas.empty()) throw CompileException(res("Error_Actions_can"));
    if (!scope.CurrentAction.empty()) throw CompileException(res("Error_Actions_can_not"));
    const std::string& action = c.token(1);
    const bool free = Helpers(c.ctx).Name(action);
    c.ctx.debug.printDebug(free ? "true" : "false");
    if (!free) throw CompileException(res("Error_Expecting"));
    // Each action is a method of the canvas's class (LOOP its timer's): a second would be a second method
    // of one name.
    if ((action == "PAINT" || action == "KEYPRESSED" || action == "POINTERDRAGGED" || action == "LOOP") &&
        !c.defined.insert("ACTION " + scope.CurrentCanvas + " " + action).second) {
        throw CompileException(res("Error_Action_twice") + action);
    }

    if (action == "PAINT") {
        c.ctx.library.CanvasPaint(true);
        c.out.WriteCanvasPaint();
        scope.CurrentAction = "PAINT";
        return std::string();
    }
    if (action == "KEYPRESSED") {
        if (!c.ctx.library.GetCanvasPaint()) throw CompileException(res("Error_The_PAINT"));
        scope.CurrentAction = "KEYPRESSED";
        if (!c.java()) {
            c.out.writeByte(ByteCodes::actionKey);
            return std::string("TBD");
        }
        c.out.Write(
            "public void keyPressed(int keyCode) { LastKey = Math.abs((int) new Date().getTime()); "
            "m_repeat.startRepeat(keyCode); }");
        c.out.Write("public void keyReleased(int keyCode) { m_repeat.stopRepeat(); }");
        return std::string("public void performAction(int keyCode) {");
    }
    if (action == "POINTERDRAGGED") {
        if (!c.ctx.library.GetCanvasPaint()) throw CompileException(res("Error_The_PAINT"));
        if (!c.java()) noByteForm("ACTION POINTERDRAGGED");
        scope.CurrentAction = "POINTERDRAGGED";
        return std::string("public void pointerDragged(int POINTX, int POINTY) {");
    }
    if (action == "LOOP") {
        if (c.tokenCount() != 3) throw CompileException(res("Error_The_action_loop"));
        c.hadLoop = true;
        c.inLoop = true;
        // The rate becomes a timer period: a positive whole number of milliseconds ("-" or "0" would
        // not compile or would fail when the timer starts).
        const std::string& rate = c.token(2);
        if (!Helpers::Number(rate) || rate[0] == '-' || rate.find_first_not_of('0') == std::string::npos) {
            throw CompileException(res("Error_Loop_value"));
        }
        // The byte form carries the rate as a 32-bit number.
        std::int32_t milliseconds = 0;
        if (!c.java() &&
            std::from_chars(rate.data(), rate.data() + rate.size(), milliseconds).ec != std::errc()) {
            throw CompileException(res("Error_Loop_value"));
        }
        c.rateLoop = rate;
        scope.CurrentAction = "LOOP";
        if (!c.java()) {
            c.out.writeByte(ByteCodes::actionLoop);
            c.out.writeNumber(milliseconds);
            return std::string("TBD");
        }
        c.out.Write("private void startTimer() {");
        c.out.Write("timer" + canvasNumber(c, scope.CurrentCanvas) + " = new Timer();");
        c.out.Write("TimerTask updateTask = new TimerTask() {");
        return std::string("public void run() {");
    }
    throw CompileException(res("Error_Action_is"));
}

std::optional<std::string> endActionStatement(Convertor& c) {
    c.ctx.scope.CurrentAction.clear();
    if (!c.java()) {
        c.inLoop = false;
        c.out.writeByte(ByteCodes::endAction);
        return std::string("TBD");
    }
    if (c.inLoop) {
        c.inLoop = false;
        c.out.Write("} };");
        c.out.Write("long interval = " + c.rateLoop + ";");
        return "timer" + canvasNumber(c, c.ctx.scope.CurrentCanvas) +
               ".schedule(updateTask, interval,interval);}";
    }
    return std::string("}");
}

}  // namespace compiler
