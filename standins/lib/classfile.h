#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standins {

// What a CLDC phone's verifier needs to know of one class file.
struct ClassInfo {
    bool valid = false;
    std::string error;  // why the bytes are not a class file (when !valid)
    int major = 0;
    int minor = 0;
    std::string name;       // internal form, "Game/Space"
    std::string superName;  // empty for java/lang/Object
    // Methods whose code a CLDC verifier refuses: branches or handlers without a StackMap, jsr/ret,
    // or a Java SE StackMapTable in place of the StackMap. One text per method: "name(desc): reason".
    std::vector<std::string> unverifiable;
};

ClassInfo readClass(std::string_view bytes);

// The newest class-file version a CLDC phone takes (Java 1.4).
inline constexpr int kCldcMaxMajor = 48;

// Empty when the class is fit for a phone, else the reasons.
std::vector<std::string> preverifyProblems(const ClassInfo& info);

// The public face of one class file: what code compiled against it may use.
struct ApiMember {
    uint16_t access = 0;
    std::string name, descriptor;
    // A field's ConstantValue as the listing writes it (empty: none): an integer in decimal, a float or
    // double in its shortest exact form, a string quoted with escapes.
    std::string constant;
    std::vector<std::string> exceptions;  // a method's declared exceptions, internal names, in file order
};

struct ApiClass {
    bool valid = false;
    std::string error;
    uint16_t access = 0;
    std::string name, superName;
    std::vector<std::string> interfaces;
    std::vector<ApiMember> fields, methods;
};

ApiClass readApi(std::string_view bytes);

}  // namespace standins
