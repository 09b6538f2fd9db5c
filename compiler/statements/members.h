#pragma once

#include <string>
#include <vector>

namespace compiler {

class Convertor;

// The members of the generated class that a name can stand for: the program's objects, and the variables
// and arrays visible where the name stands. Two of them of one name would not compile, or one would hide
// the other.
enum class Member {
    None,
    Variable,
    Array,
    Image,
    ImageArray,
    Sprite,
    SpriteArray,
    Canvas,
    Widget,
    Light,
    Camera,
    World,
    Object,
    ObjectArray
};
std::vector<Member> memberKinds(Convertor& c, const std::string& name);
// Refuses a new `kind` of the name (Error_Name_in_use) when it stands for another member already, or for
// one of the same kind that is declared only once (`repeatable` false).
void requireFreeMember(Convertor& c, const std::string& name, Member kind, bool repeatable);

}  // namespace compiler
