// DIM and BOOLEAN: Java field or local declarations, registered in the variable and array lists.
// Inside TYPE ... ENDTYPE the declarations become public fields of the record type's own file.

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {
namespace {

bool endsWith(const std::string& text, char c) {
    return !text.empty() && text.back() == c;
}

bool insideType(const Convertor& c) {
    return !c.ctx.scope.CurrentType.empty();
}

// Inside a type a declaration is a field in the type's own file, and the line gives the empty text.
std::string field(Convertor& c, const std::string& text) {
    c.writeType(text);
    return "";
}

std::string booleanDeclaration(Convertor& c) {
    const std::string& name = c.token(1);
    Helpers helpers(c.ctx);
    // A field is a name of its record type's own, as a DIM's there is: only the type's fields count.
    const Owner type{OwnerKind::Type, c.ctx.scope.CurrentType};
    const bool free = insideType(c) ? Helpers::javaName(name) && c.ctx.variables.findOwned(name, type) < 0 &&
                                          c.ctx.arrays.findOwned(name, type) < 0
                                    : helpers.Name(name);
    if (!free) throw CompileException(res("Error_The_name_is_not"));
    bool value = false;
    if (c.tokenCount() == 4) {
        const std::string& word = c.token(3);
        if (word == "TRUE") {
            value = true;
        } else if (word != "FALSE") {
            throw CompileException(res("Error_Booleans_can"));
        }
    }
    c.ctx.variables.add(name,
                        TypeCodes::cBoolean);  // a field of a type gets ctBoolean by the construction rule
    if (!c.java()) {
        // Booleans take a pool number like every other variable, so conditions and assignments can name
        // them.
        c.ctx.library.addByteVariable(name);
        c.out.writeByte(std::string(ByteCodes::dimBool) +
                        std::string(value ? ByteCodes::boolT : ByteCodes::boolF));
        return "TBD";
    }
    if (insideType(c))
        return field(c, std::string("boolean ") + name + " = " + (value ? "true" : "false") + ";");
    return localDeclaration(c, "boolean", name, "false", value ? "true" : "false");
}

// A name may be declared where nothing of that name is visible: outside a record type the declaration
// becomes a member of the program's class (a field, or a local that would hide one), beside its objects.
// Inside a record type only the type's own fields count: two types may share a field name.
void checkNewVariable(Convertor& c, const std::string& name) {
    if (!Helpers::javaName(name)) throw CompileException(res("Error_The_name_is_not"));
    if (insideType(c)) {
        const Owner type{OwnerKind::Type, c.ctx.scope.CurrentType};
        if (c.ctx.variables.findOwned(name, type) >= 0 || c.ctx.arrays.findOwned(name, type) >= 0)
            throw CompileException(res("Error_Variable_name"));
        return;
    }
    if (!memberKinds(c, name).empty()) throw CompileException(res("Error_Variable_name"));
}

// The array code, the number of dimensions and each size, each number followed by "ED". Arrays take a
// declaration number but no pool entry: they are numbered among the arrays.
std::string arrayBytes(Convertor& c, std::string_view code, const std::vector<std::string>& sizes) {
    std::vector<std::int32_t> numbers;
    for (const std::string& size : sizes) {
        std::int32_t n = 0;
        auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), n);
        if (error != std::errc() || end != size.data() + size.size()) {
            throw CompileException(res("Error_Array_size_must"));
        }
        numbers.push_back(n);
    }
    c.out.writeByte(code);
    c.out.writeNumber(static_cast<std::int32_t>(numbers.size()));
    c.out.writeByte(ByteCodes::endData);
    for (std::int32_t n : numbers) {
        c.out.writeNumber(n);
        c.out.writeByte(ByteCodes::endData);
    }
    c.ctx.library.countByteDeclaration();
    return "TBD";
}

std::string arrayDeclaration(Convertor& c) {
    const std::string& word = c.token(1);
    const std::string name = Helpers::FixVariable(word);
    std::vector<std::string> sizes;
    std::size_t i = 3;
    for (;;) {
        if (!c.ctx.line.has(static_cast<long>(i))) throw CompileException(res("Error_Expecting_"));
        const std::string& size = c.token(static_cast<long>(i));
        // A size is a count: a negative one fails when the array is made.
        if (!Helpers::Number(size) || size.front() == '-')
            throw CompileException(res("Error_Array_size_must"));
        sizes.push_back(size);
        if (sizes.size() > 255) throw CompileException(res("Error_Too_many_dimensions"));
        if (!c.ctx.line.has(static_cast<long>(i + 1)) || c.token(static_cast<long>(i + 1)) != ",") break;
        i += 2;
        if (!c.ctx.line.has(static_cast<long>(i))) throw CompileException(res("Error_Expecting_"));
    }
    // The sizes end with "]", and only a record array's "= TYPE" follows it.
    const std::size_t closing = i + 1;
    if (!c.ctx.line.has(static_cast<long>(closing)) || c.token(static_cast<long>(closing)) != "]")
        throw CompileException(res("Error_Expecting_"));
    const bool records = endsWith(word, '%');
    if (!records && c.tokenCount() != closing + 1)
        throw CompileException(res("Error_Unknown_symbol_") + c.token(static_cast<long>(closing + 1)) + "\"");
    checkNewVariable(c, name);
    std::string dims, brackets;
    for (const std::string& size : sizes) {
        dims += "[" + size + "]";
        brackets += "[]";
    }
    const int dimensions = static_cast<int>(sizes.size());

    if (records) {
        if (insideType(c)) throw CompileException(res("Error_Cannot_create"));
        if (c.tokenCount() != closing + 3 || c.token(static_cast<long>(closing + 1)) != "=")
            throw CompileException(res("Error_A_type_array"));
        const std::string& type = c.token(static_cast<long>(closing + 2));
        if (!c.ctx.types.isValid(type)) throw CompileException(res("Error_Type_is_unknown"));
        c.ctx.arrays.describe(c.ctx.arrays.add(name, TypeCodes::cType), dimensions, type);
        if (!c.java()) return arrayBytes(c, ByteCodes::dimTypA, sizes);
        // Every element gets its record, so field access works at run time. A bare block is both an
        // instance initializer (declaration section) and a statement block (inside a function).
        std::string loops, index;
        for (std::size_t d = 0; d < sizes.size(); ++d) {
            std::string v = "tz_i" + std::to_string(d);
            loops += "for (int " + v + " = 0; " + v + " < " + sizes[d] + "; " + v + "++) ";
            index += "[" + v + "]";
        }
        const std::string made = "new " + type + dims;
        return localDeclaration(c, type + brackets, name, made, made,
                                " { " + loops + name + index + " = new " + type + "(); }");
    }

    std::string java;
    TypeCode code = TypeCodes::cInt;
    std::string_view byteCode = ByteCodes::dimIntA;
    if (endsWith(word, '$')) {
        java = "String";
        code = TypeCodes::cString;
        byteCode = ByteCodes::dimStrA;
    } else if (endsWith(word, '#')) {
        java = "float";
        code = TypeCodes::cFloat;
        byteCode = ByteCodes::dimFloA;
    } else {
        java = "int";
    }
    c.ctx.arrays.describe(c.ctx.arrays.add(name, code), dimensions, "");
    if (!c.java()) return arrayBytes(c, byteCode, sizes);
    const std::string made = "new " + java + dims;
    if (insideType(c)) return field(c, "public " + java + brackets + " " + name + " = " + made + ";");
    return localDeclaration(c, java + brackets, name, made, made);
}

std::string scalarDeclaration(Convertor& c) {
    const std::string& word = c.token(1);
    const std::string name = Helpers::FixVariable(word);
    const bool withValue = c.tokenCount() >= 3;
    if (withValue && c.token(2) != "=")
        throw CompileException(res("Error_Unknown_symbol_") + c.token(2) + "\"");

    if (endsWith(word, '%')) {
        checkNewVariable(c, name);
        if (insideType(c)) throw CompileException(res("Error_Cannot_create"));
        if (c.tokenCount() < 4) throw CompileException(res("Error_A_type_variable"));
        const std::string& type = c.token(3);
        if (!c.ctx.types.isValid(type)) throw CompileException(res("Error_Type_is_unknown"));
        if (c.tokenCount() > 4) throw CompileException(res("Error_Unknown_symbol_") + c.token(4) + "\"");
        c.ctx.variables.describe(c.ctx.variables.add(name, TypeCodes::cType), 0, type);
        if (!c.java()) {
            c.ctx.library.addByteVariable(name);
            c.out.writeByte(std::string(ByteCodes::dimTyp) + std::string(ByteCodes::endData));
            return "TBD";
        }
        const std::string made = "new " + type + "()";
        return localDeclaration(c, type, name, made, made);
    }

    std::string java, pattern, initial;
    std::string_view byteCode;
    TypeCode code;
    if (endsWith(word, '#')) {
        java = "float", pattern = "F", initial = "0", code = TypeCodes::cFloat, byteCode = ByteCodes::dimFlo;
    } else if (endsWith(word, '$')) {
        java = "String", pattern = "S", initial = "\"\"", code = TypeCodes::cString,
        byteCode = ByteCodes::dimStr;
    } else {
        java = "int", pattern = "I", initial = "0", code = TypeCodes::cInt, byteCode = ByteCodes::dimInt;
    }
    checkNewVariable(c, name);
    // The first value is read before the name is declared: a value that reads the variable itself reads
    // an undeclared name, refused as any other is (the Java would read a field before it is defined).
    std::string value = initial;
    std::string valueBytes;
    if (withValue) {
        c.ctx.line.gPointer = 3;
        value = translateValue(c, pattern, 3, &valueBytes);
    }
    c.ctx.variables.add(name, code);
    if (!c.java()) c.ctx.library.addByteVariable(name);
    if (!c.java()) {
        // The declaration code and the initial value's tokens; an integer field of a record type without
        // one starts at 0. A float field has the same form as a float variable.
        std::string bytes = std::string(byteCode) + valueBytes;
        if (!withValue && code == TypeCodes::cInt && insideType(c)) {
            bytes += std::string(ByteCodes::numS) + "0" + std::string(ByteCodes::numE) +
                     std::string(ByteCodes::endData);
        }
        c.out.writeByte(bytes);
        return "TBD";
    }
    if (insideType(c)) return field(c, "public " + java + " " + name + " = " + value + ";");
    return localDeclaration(c, java, name, initial, value);
}

}  // namespace

// A function's variable is a local of its method, also one a DIM in a block declares: the lines after the
// block use it. It is declared at the top of the method with the value a DIM without one gives, and the
// DIM assigns its first value where it stands, as often as that line runs.
std::string localDeclaration(Convertor& c, const std::string& type, const std::string& name,
                             const std::string& initial, const std::string& value, const std::string& rest) {
    const bool inBlock = c.java() && !insideType(c) && c.blocks.size() > 1 &&
                         c.blocks.front().kind == BlockKind::Function &&
                         c.ctx.functions.CurrentKind != OwnerKind::Main;
    if (!inBlock) return type + " " + name + " = " + value + ";" + rest;
    c.out.declareLocal(type + " " + name + " = " + initial + ";" + rest);
    return name + " = " + value + ";" + rest;
}

std::optional<std::string> handleVariables(Convertor& c) {
    if (c.tokenCount() == 0) return std::nullopt;
    const std::string& first = c.token(0);
    if (first != "BOOLEAN" && first != "DIM") return std::nullopt;
    try {
        const OwnerKind section = c.ctx.functions.CurrentKind;
        if (first == "BOOLEAN") {
            // In the main section it would be a local of the method whose canvases are inner classes,
            // which cannot assign it: the main section keeps to the globals, as for DIM.
            if (section == OwnerKind::Main && !insideType(c))
                throw CompileException(res("Error_Dim_statements"));
            return booleanDeclaration(c);
        }
        // The main section and the special functions are methods whose locals the canvases cannot reach.
        if (section != OwnerKind::Global && section != OwnerKind::Function && !insideType(c)) {
            throw CompileException(res("Error_Dim_statements"));
        }
        if (c.tokenCount() > 2 && c.token(2) == "[") return arrayDeclaration(c);
        return scalarDeclaration(c);
    } catch (CompileException& e) {
        e.addError("in Dim Statement");
        throw;
    }
}

}  // namespace compiler
