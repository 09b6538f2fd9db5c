#include "driver/variables.h"

#include "driver/errors.h"
#include "driver/functions.h"
#include "driver/lookups.h"
#include "driver/objects.h"

namespace compiler {
namespace {

const Owner kGlobal{OwnerKind::Global, "GLOBAL"};

// The construction rule shared by variables and arrays.
template <class Record>
Record build(const Scope& scope, const Functions& functions, const std::string& name, TypeCode type,
             const char* illegal) {
    Record record;
    if (scope.CurrentType.empty()) {
        record.ownerKind = functions.CurrentKind;
        record.owner = functions.CurrentFunction;
        record.type = type;
    } else {
        record.ownerKind = OwnerKind::Type;
        record.owner = scope.CurrentType;
        record.type = TypeCodes::fieldCode(type);
    }
    // The system variables are made under "SYSTEM", the one state that may use the reserved names.
    if (functions.CurrentKind != OwnerKind::System && !Helpers::allowedVarName(name))
        throw CompileException(illegal);
    record.name = name;
    return record;
}

// Keeps the smallest position seen.
void earliest(int& best, int candidate) {
    if (candidate >= 0 && (best < 0 || candidate < best)) best = candidate;
}

}  // namespace

int Variables::add(const std::string& name, TypeCode type) {
    Variable record = build<Variable>(scope_, functions_, name, type, "Variable name is illegal");
    bool system = record.type == TypeCodes::cSpecial;
    int index = append(std::move(record), system);
    objects_.addName(name);
    return index;
}

void Variables::addSystemVars() {
    for (const char* name : {"C", "POINTX", "POINTY"}) {
        Variable record;
        record.owner = "SYSTEM";
        record.name = name;
        record.type = TypeCodes::cSpecial;
        append(std::move(record), true);
        objects_.addName(name);
    }
}

bool Variables::isValid(const Variable& v) const {
    if (v.type == TypeCodes::cSpecial) {
        if (v.name == "C") return functions_.CurrentKind == OwnerKind::Action;
        if (v.name == "POINTX" || v.name == "POINTY") return scope_.CurrentAction == "POINTERDRAGGED";
        return false;
    }
    // Inside a record type only fields are visible, those of every type.
    if (!scope_.CurrentType.empty()) return TypeCodes::isFieldCode(v.type);
    return v.ownerKind == OwnerKind::Global || v.ownedBy() == functions_.current();
}

bool Variables::isValid(int index) const {
    return isValid(at(index));
}

int Variables::findVisible(const std::string& name) const {
    const Entries* e = entries(name);
    if (!e) return -1;
    int best = -1;
    for (int i : e->system) {
        if (isValid(at(i))) {
            earliest(best, i);
            break;
        }
    }
    if (!scope_.CurrentType.empty()) {
        earliest(best, e->firstField);
    } else {
        earliest(best, firstOwnedBy(*e, kGlobal));
        earliest(best, firstOwnedBy(*e, functions_.current()));
    }
    return best;
}

int Variables::getIndex(const std::string& name) const {
    int index = findVisible(name);
    if (index < 0) index = find(name);
    if (index < 0) throw CompileException("Could not find variable in pool");
    return index;
}

bool Variables::owns(const Owner& owner, const std::string& name) const {
    if (findOwned(name, owner) >= 0) return true;
    const Entries* e = entries(name);
    if (!e) return false;
    for (int i : e->system) {
        if (at(i).ownedBy() == owner) return true;
    }
    return false;
}

int Arrays::add(const std::string& name, TypeCode type) {
    return append(build<Array>(scope_, functions_, name, type, "Array name is illegal"), false);
}

bool Arrays::isValid(int index) const {
    const Array& a = at(index);
    if (a.ownerKind == OwnerKind::Global || a.ownedBy() == functions_.current()) return true;
    // Unlike variables, global arrays stay visible inside a record type.
    return !scope_.CurrentType.empty() && TypeCodes::isFieldCode(a.type);
}

int Arrays::findVisible(const std::string& name) const {
    const Entries* e = entries(name);
    if (!e) return -1;
    int best = -1;
    earliest(best, firstOwnedBy(*e, kGlobal));
    earliest(best, firstOwnedBy(*e, functions_.current()));
    if (!scope_.CurrentType.empty()) earliest(best, e->firstField);
    return best;
}

}  // namespace compiler
