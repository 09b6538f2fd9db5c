#include "driver/functions.h"

#include <stdexcept>

#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/objects.h"
#include "driver/variables.h"

namespace compiler {

bool Function::varExists(const Variables& vars, const std::string& varName) const {
    return vars.owns(Owner{OwnerKind::Function, name}, varName);
}

std::string Function::getArgs() const {
    std::string pattern;
    for (TypeCode code : ArgTypes) {
        if (code == cFloat) pattern += "F,";
        if (code == cInt) pattern += "I,";
        if (code == cString) pattern += "S,";
    }
    if (!pattern.empty()) pattern.pop_back();
    return pattern;
}

bool Function::argExists(const std::string& argName) const {
    for (const std::string& arg : ArgNames) {
        if (arg == argName) return true;
    }
    return false;
}

std::optional<std::string> Functions::refusal(const std::string& name) {
    if (Helpers::FixVariable(name) != name) return res("Error_Function_Suffix");
    return std::nullopt;
}

Function& Functions::addFunction(const std::string& name) {
    if (auto problem = refusal(name)) throw CompileException(*problem);
    objects_.addName(name);
    firstByName_.try_emplace(name, getCount());
    functions_.push_back(Function{{}, name, Function::cVoid, {}, {}});
    return functions_.back();
}

Function& Functions::getLastFunction() {
    if (functions_.empty()) throw std::logic_error("No function has been registered");
    return functions_.back();
}

const Function* Functions::getFunction(const std::string& name) const {
    auto it = firstByName_.find(Helpers::FixVariable(name));
    return it == firstByName_.end() ? nullptr : &functions_[static_cast<std::size_t>(it->second)];
}

const Function& Functions::record(const std::string& name) const {
    const Function* f = getFunction(name);
    if (!f) throw std::logic_error("Could not find function " + name + " in pool");
    return *f;
}

std::string Functions::getJavaFunctionType(const std::string& name) const {
    switch (record(Helpers::FixVariable(name)).getType()) {
        case Function::cVoid:
            return "void ";
        case Function::cFloat:
            return "float ";
        case Function::cInt:
            return "int ";
        case Function::cString:
            return "String ";
        default:
            throw CompileException("Could not find valid function return type in pool");
    }
}

std::string Functions::getArguments(const std::string& name) const {
    debug_.printDebug(name);
    return record(name).getArgs();
}

bool Functions::checkFunction(const std::string& name, const std::vector<std::string>& tokens) const {
    const Function& f = record(name);
    int arguments = 0;
    if (!tokens.empty()) {
        arguments = 1;
        int depth = 0;
        for (const std::string& t : tokens) {
            if (t == "(" || t == "[") ++depth;
            if (t == ")" || t == "]") --depth;
            if (t == "," && depth == 0) ++arguments;
        }
    }
    if (arguments < f.argCount()) throw CompileException(res("Length_does_not_match"));
    return true;
}

int Functions::getFuncID(const std::string& name) const {
    auto it = firstByName_.find(Helpers::FixVariable(name));
    if (it == firstByName_.end()) throw CompileException("Could not find referenced function in pool");
    return it->second;
}

bool Functions::argExists(const std::string& functionName, const std::string& argName) const {
    const Function* f = getFunction(functionName);
    return f && f->argExists(argName);
}

void Functions::enter(OwnerKind kind, const std::string& function) {
    CurrentKind = kind;
    CurrentFunction = kind == OwnerKind::Function ? function : ownerWord(kind);
}

std::optional<OwnerKind> Functions::specialFunction(const std::string& name) {
    if (name == "PAUSE") return OwnerKind::Pause;
    if (name == "END") return OwnerKind::End;
    if (name == "ACTION") return OwnerKind::Action;
    return std::nullopt;
}

bool Functions::isFuncArg(const std::string& name) const {
    if (CurrentKind != OwnerKind::Function) return false;
    const Function* f = getFunction(CurrentFunction);
    return f && f->argExists(name);
}

bool Functions::isFuncVar(const std::string& name) const {
    std::string stripped = Helpers::FixVariable(name);
    if (CurrentKind != OwnerKind::Function) return false;
    const Function* f = getFunction(CurrentFunction);
    return f && f->varExists(vars_, stripped);
}

}  // namespace compiler
