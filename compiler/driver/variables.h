#pragma once

#include <deque>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "driver/owners.h"
#include "driver/type_codes.h"

namespace compiler {

class Functions;
class Objects;

// The statement translator's block state that decides which declarations a name can reach.
struct Scope {
    // Record type being defined; while a field reference resolves, the record variable's name; "" outside.
    std::string CurrentType;
    std::string CurrentCanvas;  // canvas being defined, "" outside
    std::string CurrentAction;  // "PAINT", "KEYPRESSED", "POINTERDRAGGED" or "LOOP" while open, "" outside
};

struct Symbol : TypeCodes {
    std::string owner;  // "GLOBAL", "MAIN", "PAUSE", "END", "ACTION", a function, a record type or "SYSTEM"
    OwnerKind ownerKind = OwnerKind::System;
    std::string name;  // without its suffix
    TypeCode type = cVoid;
    int dimensions = 0;      // arrays: how many indexes an element takes
    std::string recordType;  // records ("%"): the TYPE they were declared from

    TypeCode getType() const { return type; }
    const std::string& getOwner() const { return owner; }
    Owner ownedBy() const { return {ownerKind, owner}; }
    const std::string& getName() const { return name; }
};

// A scalar variable, a function parameter, a record field or a system variable.
struct Variable : Symbol {};
// An array variable or an array field of a record type. The element counts live in the output only.
struct Array : Symbol {};

// An ordered list of symbols that only grows, first match wins. Beside the list, each name keeps the
// positions every scope rule asks for, so a lookup never walks the list.
template <class Record>
class SymbolTable {
public:
    int getCount() const { return static_cast<int>(records_.size()); }
    // Callers pass positions from 0 to getCount() - 1; anything else throws std::out_of_range.
    const Record& at(int index) const { return records_.at(static_cast<std::size_t>(index)); }
    const std::string& getName(int index) const { return at(index).name; }
    TypeCode getType(int index) const { return at(index).type; }
    // The shape the declaration gave the entry at `index`.
    void describe(int index, int dimensions, const std::string& recordType) {
        Record& r = records_.at(static_cast<std::size_t>(index));
        r.dimensions = dimensions;
        r.recordType = recordType;
    }

    // First entry named `name`, any owner, or -1.
    int find(const std::string& name) const {
        const Entries* e = entries(name);
        return e ? e->first : -1;
    }
    // First entry named `name` owned by `owner` (system variables excluded), or -1.
    int findOwned(const std::string& name, const Owner& owner) const {
        const Entries* e = entries(name);
        return e ? firstOwnedBy(*e, owner) : -1;
    }

protected:
    struct Entries {
        int first = -1;
        int firstField = -1;                                // first non-system entry with a field code
        std::unordered_map<std::string, int> firstByOwner;  // by Owner::key()
        std::vector<int> system;                            // system variables of this name, in order
    };

    static int firstOwnedBy(const Entries& e, const Owner& owner) {
        auto it = e.firstByOwner.find(owner.key());
        return it == e.firstByOwner.end() ? -1 : it->second;
    }

    const Entries* entries(const std::string& name) const {
        auto it = byName_.find(name);
        return it == byName_.end() ? nullptr : &it->second;
    }

    // `system`: the entry follows the system-variable rule instead of owner and field code.
    int append(Record record, bool system) {
        int index = getCount();
        Entries& e = byName_[record.name];
        if (e.first < 0) e.first = index;
        if (system) {
            e.system.push_back(index);
        } else {
            e.firstByOwner.try_emplace(record.ownedBy().key(), index);
            if (e.firstField < 0 && TypeCodes::isFieldCode(record.type)) e.firstField = index;
        }
        records_.push_back(std::move(record));  // a deque: records handed out stay where they are
        return index;
    }

    std::deque<Record> records_;
    std::unordered_map<std::string, Entries> byName_;
};

// The variable registry ("vars").
class Variables : public SymbolTable<Variable> {
public:
    Variables(const Scope& scope, const Functions& functions, Objects& objects)
        : scope_(scope), functions_(functions), objects_(objects) {}

    // Builds a record by the construction rule and appends it: inside a record type the owner is the type
    // and the code its field code, elsewhere the owner is the current function. Unless the current
    // function is "SYSTEM" the name must pass Helpers::allowedVarName, else CompileException "Variable
    // name is illegal" and nothing is recorded. The name joins the list of declared names. Returns the
    // new position.
    int add(const std::string& name, TypeCode type);
    // "C", "POINTX", "POINTY": code cSpecial, owner "SYSTEM".
    void addSystemVars();

    const Variable& getVariable(int index) const { return at(index); }
    // Whether the entry at `index` is visible at this point of the translation.
    bool isValid(int index) const;
    // Position of the first visible entry named `name`, or -1. Hidden entries are skipped, so a later
    // visible entry wins over an earlier hidden one.
    int findVisible(const std::string& name) const;
    // Position of the entry named `name`: the first visible one, else the first of any scope. No entry:
    // CompileException "Could not find variable in pool".
    int getIndex(const std::string& name) const;
    // Whether `owner` has declared a variable `name` (any code, system variables included).
    bool owns(const Owner& owner, const std::string& name) const;

private:
    bool isValid(const Variable& v) const;

    const Scope& scope_;
    const Functions& functions_;
    Objects& objects_;
};

// The array registry ("ars"). Arrays do not join the list of declared names.
class Arrays : public SymbolTable<Array> {
public:
    Arrays(const Scope& scope, const Functions& functions) : scope_(scope), functions_(functions) {}

    // The construction rule of Variables::add; a refused name gives "Array name is illegal".
    int add(const std::string& name, TypeCode type);

    const Array& getArray(int index) const { return at(index); }
    // Global arrays, the current function's own, and inside a record type every field array.
    bool isValid(int index) const;
    int findVisible(const std::string& name) const;

private:
    const Scope& scope_;
    const Functions& functions_;
};

struct Type {
    std::string name;
};

// The record types declared with TYPE, in order; repeats are kept.
class Types {
public:
    void add(const std::string& name) {
        types_.push_back(Type{name});
        names_.insert(name);
    }
    // Exact, case-sensitive.
    bool isValid(const std::string& name) const { return names_.count(name) > 0; }
    const std::string& getName(int index) const { return types_.at(static_cast<std::size_t>(index)).name; }
    int getCount() const { return static_cast<int>(types_.size()); }

private:
    std::vector<Type> types_;
    std::unordered_set<std::string> names_;
};

}  // namespace compiler
