#pragma once

#include <string>

namespace compiler {

// What a declaration belongs to, and which part of the program the translator is in. The kind decides;
// the name is the text the records and messages give ("SYSTEM", "GLOBAL", "MAIN", "PAUSE", "END",
// "ACTION", a user function's or a record type's name), so a function named MAIN is no main section.
enum class OwnerKind {
    System,  // "SYSTEM": the system variables, made before the program is read
    Global,  // "GLOBAL": the declarations before the main section, visible everywhere
    Main,    // "MAIN": the main section
    Pause,   // "PAUSE", "END", "ACTION": the special functions
    End,
    Action,
    Function,  // a user function, by its name
    Type,      // a record type, by its name: its fields
};

// The text of a kind that has a word of its own ("SYSTEM" ... "ACTION"); "" for a function and a record
// type, which go by their names.
constexpr const char* ownerWord(OwnerKind kind) {
    constexpr const char* kWords[] = {"SYSTEM", "GLOBAL", "MAIN", "PAUSE",
                                      "END",    "ACTION", "",     ""};  // enum order
    return kWords[static_cast<int>(kind)];
}

struct Owner {
    OwnerKind kind = OwnerKind::System;
    std::string name = "SYSTEM";

    bool operator==(const Owner&) const = default;
    // One string per owner, for an index: owners of two kinds never share one.
    std::string key() const { return static_cast<char>('0' + static_cast<int>(kind)) + name; }
};

}  // namespace compiler
