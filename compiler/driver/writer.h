#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace compiler {

// The one output writer of a run. The Java writer writes the class text; the byte-token writer writes
// data.tbd. Both are driven in the same call order (header, lines, start/main when the main section
// begins, handler heads, end, close). Failures to open or write raise InternalFailure (driver/errors.h).
class InterfaceFileWrite {
public:
    virtual ~InterfaceFileWrite() = default;

    virtual void writeString(std::string_view text) = 0;
    virtual void writeOP(std::string_view code) = 0;  // exactly two characters
    virtual void writeNumber(std::int32_t number) = 0;
    virtual void writeByte(std::string_view bytes) = 0;
    virtual void WriteStart() = 0;
    virtual void WritePause() = 0;
    virtual void WriteMain() = 0;
    virtual void WriteLn() = 0;
    virtual void WriteHeader() = 0;
    virtual void WriteEnd() = 0;
    virtual void WriteDestroy() = 0;
    virtual void WriteCommandAction() = 0;
    virtual void WriteCanvasPaint() = 0;
    virtual void Write(std::string_view line) = 0;
    virtual void Close() = 0;

    // The locals a function's whole body sees, whatever block declares them: the line written after
    // beginFunction() is the function's head, and each declareLocal() goes after the head and the ones
    // before it, until endFunction(). Byte tokens have no such declarations.
    virtual void beginFunction() {}
    virtual void declareLocal(std::string_view declaration) { (void)declaration; }
    virtual void endFunction() {}
};

}  // namespace compiler
