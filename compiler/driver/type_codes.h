#pragma once

namespace compiler {

// The type code of a value, a variable, an array or a function's result. The numbers are the ones the
// registries' records carry (the debug trace prints them); inside a record type the four plain codes
// move up by 1000, so a field's code tells the field from a variable of the same kind.
struct TypeCodes {
    enum Code : int {
        cVoid = 0,        // a function's result: none
        cFloat = 1,       // "#"
        cInt = 2,         // no suffix
        cString = 3,      // "$"
        cBoolean = 4,     // BOOLEAN
        cType = 5,        // "%", a value of a user record type
        cSpecial = 1000,  // a system variable: C, POINTX, POINTY
        ctFloat = 1001,
        ctInt = 1002,
        ctString = 1003,
        ctBoolean = 1004,
    };

    // Inside a record type the four plain codes move up by 1000; any other code is kept.
    static constexpr Code fieldCode(Code type) {
        return type >= cFloat && type <= cBoolean ? static_cast<Code>(type + 1000) : type;
    }
    static constexpr bool isFieldCode(Code type) { return type >= ctFloat && type <= ctBoolean; }
    // A field's plain code (1003 gives 3); any other code is kept.
    static constexpr Code plainCode(Code type) {
        return isFieldCode(type) ? static_cast<Code>(type - 1000) : type;
    }
};
using TypeCode = TypeCodes::Code;

}  // namespace compiler
