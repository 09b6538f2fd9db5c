#pragma once

#include <optional>
#include <string>

namespace compiler {

class Convertor;

// WORLD name [ size , size ... ]: declares an array of 3D worlds. A line hook, offered every line after the
// declarations: nullopt when the line is no WORLD line, else its Java text ("World[][] W = new
// World[3][4];"). Before the main section the text is a field of the program class (WORLD does not open that
// section).
std::optional<std::string> handleWorlds(Convertor& c);

// The closing branch's world-slot reading, "W [ i ] = NODE": nullopt when token 0 names no world, else the
// Java that adds NODE (a 3D object, a camera or a light) to the world in slot W[i]. The index must give one
// world of W (as many indexes as W has dimensions), else CompileException ("Error: Object is not valid").
std::optional<std::string> assignWorldSlot(Convertor& c);

// The index of the world named at token `at`, read from the "[" that follows it: "[1][J]", with as many
// indexes as the world's declaration; gPointer ends on its "]". No world there, or an index that does not
// give one world, raises CompileException with `failure`.
std::string worldIndex(Convertor& c, int at, const std::string& failure);

}  // namespace compiler
