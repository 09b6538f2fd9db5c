#pragma once

#include <string>

#include "expressions/byte_emitter.h"

namespace compiler {

struct Context;

// Translates a reference to a field of a record-type variable that starts at ctx.line.gPointer:
//   P%.X          a field of a record variable        -> "P.X"
//   P%.A [ I ]    an array field                      -> "P.A[I]"
//   P% [ I ] .X   a field of an element of a record array -> "P[I].X"   (and P% [ I ] .A [ J ])
// Returns the Java text, leaves the field's type code (1001 float, 1002 integer, 1003 string, 1004
// boolean) in ctx.line.returnType and gPointer on the last token of the reference (the field token, or
// the "]" of an index). Indexes are translated in the caller's scope, so its variables are visible.
// Errors carry "in Handle Type". One object per reference.
//
// Byte tokens: a record variable "TV" its position among the variables "TW"; an array of records or an
// array field "AS" its position among the arrays "AE", then the index's tokens; a field "VS" its
// position among the variables "VE".
class HandleType {
public:
    explicit HandleType(Context& ctx) : ctx_(ctx) {}

    std::string translate();
    // The byte tokens of the reference; empty for the Java form.
    std::string retByte() const { return bytes_.retByte(); }

private:
    std::string recordField(const std::string& token);
    std::string recordArrayElement(const std::string& token);
    // The member `member` of the record named `record`, whose text so far is `text`.
    std::string member(std::string text, const std::string& field, const std::string& recordType,
                       const std::string& notFound);
    std::string index(int dimensions);
    void arrayNumber(int number);

    Context& ctx_;
    ByteEmitter bytes_;
};

}  // namespace compiler
