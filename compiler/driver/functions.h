#pragma once

#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "driver/owners.h"
#include "driver/type_codes.h"

namespace compiler {

class Debug;
class Objects;
class Variables;

// One user function: name as written on its FUNCTION line, return code (cVoid, cFloat, cInt or cString),
// argument codes and names.
struct Function : TypeCodes {
    std::string name;
    TypeCode returnType = cVoid;
    std::vector<TypeCode> ArgTypes;
    std::vector<std::string> ArgNames;

    // Whether the variable registry holds a variable `varName` owned by this function.
    bool varExists(const Variables& vars, const std::string& varName) const;
    void setType(TypeCode code) { returnType = code; }
    TypeCode getType() const { return returnType; }
    // Argument pattern: "F," for float, "I," for int, "S," for string (nothing for other codes), joined,
    // without the final comma; "" without arguments.
    std::string getArgs() const;
    const std::string& getArg(int index) const { return ArgNames.at(static_cast<std::size_t>(index)); }
    bool argExists(const std::string& argName) const;
    int argCount() const { return static_cast<int>(ArgNames.size()); }
    void addArg(TypeCode code, const std::string& argName) {
        ArgTypes.push_back(code);
        ArgNames.push_back(argName);
    }
};

// The user functions of the program, in the order of their FUNCTION lines (a function's position is its
// number), and the section or function the translator is in.
//
// Lookups by name drop one trailing "$", "#" or "%" from the query first. Operations that need a record
// and find none throw std::logic_error: callers only ask for functions that isFunction accepted.
class Functions {
public:
    Functions(Objects& objects, const Variables& vars, const Debug& debug)
        : objects_(objects), vars_(vars), debug_(debug) {}

    // The part of the program the translator is in, and its text: "SYSTEM" while the system variables
    // are made, "GLOBAL" in the declaration section, "MAIN" in the main section, "PAUSE", "END",
    // "ACTION" in the special functions, else the user function's name. Both are set by enter().
    OwnerKind CurrentKind = OwnerKind::System;
    std::string CurrentFunction = "SYSTEM";
    // `function`: the user function's name (OwnerKind::Function); the other kinds take their word.
    void enter(OwnerKind kind, const std::string& function = "");
    Owner current() const { return {CurrentKind, CurrentFunction}; }
    // The special function FUNCTION `name` opens (PAUSE, END, ACTION), or nothing.
    static std::optional<OwnerKind> specialFunction(const std::string& name);

    // Why `name` cannot name a function, or nothing: one that ends in "$", "#" or "%" could never be
    // found again (Error_Function_Suffix).
    static std::optional<std::string> refusal(const std::string& name);
    // Makes a function record, registers its name among the declared names and appends it; a name
    // refusal() names is refused with CompileException. The record stays valid for the whole run.
    Function& addFunction(const std::string& name);
    Function& getLastFunction();

    int getCount() const { return static_cast<int>(functions_.size()); }
    const Function& getFunction(int index) const { return functions_.at(static_cast<std::size_t>(index)); }
    const std::string& getName(int index) const { return getFunction(index).name; }
    // Exact name, no suffix removed.
    bool isFunction(const std::string& name) const { return firstByName_.count(name) > 0; }
    // First function named `name` less one suffix, or nullptr.
    const Function* getFunction(const std::string& name) const;

    TypeCode getType(const std::string& name) const { return record(name).getType(); }
    TypeCode getFunctionType(const std::string& name) const { return getType(name); }
    // "void ", "float ", "int " or "String " (with the blank); another code: CompileException "Could not
    // find valid function return type in pool".
    std::string getJavaFunctionType(const std::string& name) const;
    // The argument pattern; the debug option prints `name` first.
    std::string getArguments(const std::string& name) const;
    // `tokens` are the raw tokens between the call's brackets. Fewer top-level arguments than the
    // function takes: CompileException Length_does_not_match. More are left to the argument translator.
    bool checkFunction(const std::string& name, const std::vector<std::string>& tokens) const;
    // Position of the function; none: CompileException "Could not find referenced function in pool".
    int getFuncID(const std::string& name) const;
    // False when there is no such function (ENDFUNCTION inside PAUSE, END or ACTION asks this too).
    bool argExists(const std::string& functionName, const std::string& argName) const;
    // Whether the current function has an argument named exactly `name`.
    bool isFuncArg(const std::string& name) const;
    // Whether the current function has declared a variable `name` (suffix removed).
    bool isFuncVar(const std::string& name) const;

private:
    const Function& record(const std::string& name) const;

    Objects& objects_;
    const Variables& vars_;
    const Debug& debug_;
    std::deque<Function> functions_;
    std::unordered_map<std::string, int> firstByName_;
};

}  // namespace compiler
