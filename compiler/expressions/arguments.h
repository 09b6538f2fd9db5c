#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace compiler {

struct Context;

// Reads an argument list from the shared token line (ctx.line) against a pattern such as "S,I,I" and
// returns its target form. The Java form returns the Java text; the byte form writes nothing itself and
// hands its tokens over through retByte(). One object per line or per nested translation: its bracket
// counters cover that span only.
class InterfaceArguments {
public:
    virtual ~InterfaceArguments() = default;
    // The byte tokens collected by the last HandleArguments; nullopt for the Java form.
    virtual std::optional<std::string> retByte() = 0;
    // `start`: index where the list begins; `argNo` >= 1 reads from that argument of the list, 0 from
    // ctx.line.gPointer as the caller set it. Raises CompileException ("in Arguments" added).
    virtual std::string HandleArguments(std::string_view pattern, int start, int argNo) = 0;
};

// The argument translator for the run's target: the Java form on the phone and applet targets, the
// byte-token form otherwise.
std::unique_ptr<InterfaceArguments> newArguments(Context& ctx);

}  // namespace compiler
