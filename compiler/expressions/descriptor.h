#pragma once

#include <string>

namespace compiler {

struct Context;

// Writes the build descriptor <project><name>.tbx that Build-Linux reads: numbered Include, ClassPath and
// Object lists, the platform word and the feature switches the program needs. A file that cannot be
// written ends the run (InternalFailure).
void writeDescriptor(Context& ctx, const std::string& file);

// The descriptor's text, line by line.
std::string descriptorText(const Context& ctx);

}  // namespace compiler
