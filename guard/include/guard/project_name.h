#pragma once
// What a project may be named, told alike by the compiler, Build and the editor (which asks before it
// gives a project a name the compile would refuse).
#include <optional>
#include <string>
#include <string_view>

namespace guard {

// The refusals of a project name, each followed by the name.
inline constexpr std::string_view kNotAFileName =
    "Error: The project name must be a file name in the project folder: ";
inline constexpr std::string_view kNotAClassName =
    "Error: The project name cannot be the name of the program's Java class: ";

// Whether `name` can be the generated class's name: a Java name that is no keyword, no support class of
// the kit (they share the package) and no class the generated code names, which it would hide.
bool isClassName(std::string_view name);

// The refusal a compile gives the project name `name`: it must be a file name (isFileName) and, where the
// program is a Java class (the phone and applet targets, a Java project), a class name. Nothing when the
// name is accepted.
std::optional<std::string> refuseProjectName(std::string_view name, bool javaClass);

}  // namespace guard
