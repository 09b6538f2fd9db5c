#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "expressions/argument_reader.h"

namespace compiler {

struct Context;

// Reads an argument list from the shared token line (ctx.line) against a pattern such as "S,I,I" and
// returns its target form. The Java form returns the Java text; the byte form writes nothing itself and
// hands its tokens over through retByte(). One object per line or per nested translation: its bracket
// counters cover that span only. Both forms read the list one way (ArgumentReader).
class InterfaceArguments {
public:
    virtual ~InterfaceArguments() = default;
    // The byte tokens collected by the last HandleArguments; nullopt for the Java form.
    virtual std::optional<std::string> retByte() = 0;
    // `start`: index where the list begins; `argNo` >= 1 reads from that argument of the list, 0 from
    // ctx.line.gPointer as the caller set it. Raises CompileException ("in Arguments" added).
    virtual std::string HandleArguments(std::string_view pattern, int start, int argNo) = 0;
};

// The Java form: HandleArguments returns the list's Java text.
class JavaHandleArguments : public InterfaceArguments, public ArgumentReader {
public:
    explicit JavaHandleArguments(Context& ctx) : ArgumentReader(ctx, Form::Java) {}

    std::optional<std::string> retByte() override { return std::nullopt; }
    std::string HandleArguments(std::string_view pattern, int start, int argNo) override;
};

// The byte-token form: the tokens of every list read so far in retByte(). HandleArguments returns "TBD"
// when the call translated anything and "" when every argument it read was empty, so callers test for a
// missing value as they do with the Java form.
class NetHandleArguments : public InterfaceArguments, public ArgumentReader {
public:
    explicit NetHandleArguments(Context& ctx) : ArgumentReader(ctx, Form::Bytes) {}

    std::optional<std::string> retByte() override { return bytes_.retByte(); }
    std::string HandleArguments(std::string_view pattern, int start, int argNo) override;
};

// The argument translator for the run's target: the Java form on the phone and applet targets, the
// byte-token form otherwise.
std::unique_ptr<InterfaceArguments> newArguments(Context& ctx);

}  // namespace compiler
