#include "expressions/type_access.h"

#include <stdexcept>
#include <vector>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "expressions/array_access.h"

namespace compiler {
namespace {

std::vector<std::string> splitAtDots(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == '.') {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

// Position of the first record field (a field code) named `name` in `table`, or -1.
// `recordType`: the TYPE the record was declared from; only its own fields belong to it ("" when the record's
// declaration did not say, and then the first field of any type).
template <class Table>
int firstField(const Table& table, const std::string& name, const std::string& recordType) {
    if (!recordType.empty()) {
        int i = table.findOwned(name, Owner{OwnerKind::Type, recordType});
        return i >= 0 && TypeCodes::isFieldCode(table.getType(i)) ? i : -1;
    }
    for (int i = 0; i < table.getCount(); ++i) {
        if (table.getName(i) == name && TypeCodes::isFieldCode(table.getType(i))) return i;
    }
    return -1;
}

// A record's name with its one suffix taken off: a second ("P%%") would reach the Java.
bool plainName(const std::string& name) {
    return Helpers::FixVariable(name) == name;
}

}  // namespace

std::string HandleType::translate() {
    try {
        const std::string t = ctx_.line.current();
        ctx_.debug.printDebug("Type received: " + t);
        std::string text = t.find('.') != std::string::npos ? recordField(t) : recordArrayElement(t);
        ctx_.debug.printDebug("Type returning " + text);
        return text;
    } catch (CompileException& e) {
        e.addError("in Handle Type");
        throw;
    } catch (const InternalFailure&) {
        throw;
    } catch (const std::exception&) {
        // Any other fault inside the reference refuses it with a message of its own.
        throw CompileException("An exception occurred in HandleType");
    }
}

// P%.X or P%.A [ I ]: one token holds the record variable and its member.
std::string HandleType::recordField(const std::string& token) {
    const std::vector<std::string> pieces = splitAtDots(token);
    const std::string record = Helpers::FixVariable(pieces[0]);
    const std::string field = Helpers::FixVariable(pieces[1]);
    ctx_.debug.printDebug("Type name: " + record + " variable: " + field);
    const Variable* v = Helpers(ctx_).Variable(record);
    if (!v || v->getType() != TypeCodes::cType || !plainName(record))
        throw CompileException("Type is not recognised");
    // Records hold no records, so a second dot names nothing.
    if (pieces.size() != 2) throw CompileException("Type variable is not a member of this type");
    bytes_.injectTok(ByteCodes::typeS);
    bytes_.injectCode(std::to_string(ctx_.variables.findVisible(record)));
    bytes_.injectTok(ByteCodes::typeE);
    return member(record, field, v->recordType, "Type variable is not a member of this type");
}

// P% [ I ] .X: an element of an array of records, then the member token.
std::string HandleType::recordArrayElement(const std::string& token) {
    LineState& line = ctx_.line;
    const std::string record = Helpers::FixVariable(token);
    ctx_.debug.printDebug("Type name: " + record);
    const Array* a = Helpers(ctx_).Array(record);
    if (!a || a->getType() != TypeCodes::cType || !plainName(record))
        throw CompileException("Type is not recognised");
    arrayNumber(ctx_.arrays.findVisible(record));
    ++line.gPointer;
    std::string text = record + index(a->dimensions);
    ++line.gPointer;
    const char* notFound = "Type variable/array is not recognised in type array";
    if (!line.has(line.gPointer) || line.current().empty() || line.current().front() != '.') {
        throw CompileException(notFound);
    }
    const std::string field = Helpers::FixVariable(line.current().substr(1));
    ctx_.debug.printDebug("Type Variable: " + field + " (" + std::to_string(line.gPointer) + ")");
    return member(text, field, a->recordType, notFound);
}

// Members are the fields that TYPE blocks declared; a variable or array of the program that merely has
// the member's name does not belong to the record.
std::string HandleType::member(std::string text, const std::string& field, const std::string& recordType,
                               const std::string& notFound) {
    LineState& line = ctx_.line;
    if (int i = firstField(ctx_.variables, field, recordType); i >= 0) {
        line.returnType = ctx_.variables.getType(i);
        ctx_.debug.printDebug("Return type " + std::to_string(line.returnType));
        bytes_.injectTok(ByteCodes::variableS);
        bytes_.injectCode(std::to_string(i));
        bytes_.injectTok(ByteCodes::variableE);
        return text + "." + field;
    }
    if (int i = firstField(ctx_.arrays, field, recordType); i >= 0) {
        arrayNumber(i);
        ++line.gPointer;
        text += "." + field + index(ctx_.arrays.at(i).dimensions);
        line.returnType = ctx_.arrays.getType(i);
        return text;
    }
    if (ctx_.variables.find(field) >= 0 || ctx_.arrays.find(field) >= 0) {
        throw CompileException("Variable does not belong to this type");
    }
    throw CompileException(notFound);
}

// An array of records or an array field: which array, before its index.
void HandleType::arrayNumber(int number) {
    bytes_.injectTok(ByteCodes::arrayS);
    bytes_.injectCode(std::to_string(number));
    bytes_.injectTok(ByteCodes::arrayE);
}

// Indexes are read in the scope of the statement, so its integer variables are visible there.
std::string HandleType::index(int dimensions) {
    HandleArray array(ctx_);
    std::string text = array.translate(dimensions);
    bytes_.injectBytes(array.retByte());
    return text;
}

}  // namespace compiler
