#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "driver/writer.h"
#include "expressions/buffered_output.h"

namespace compiler {

struct Context;

// Writes data.tbd, the byte-token form of the program: the marker "TB", the statements' two-letter codes
// in call order (each translated line closed by "EL"), the closing codes of WriteEnd and the end marker
// "tb". Text travels as "SS" text "SE", numbers as "NS" decimal digits "NE"; there are no length prefixes.
//
// Output is buffered and written with plain write(2) calls, so every failure is seen: a file that cannot
// be created, a failed write or a failed close raises InternalFailure whose first line is the message-table
// text and whose second names the file and the system's reason. After a failure the writer is dead and
// further calls do nothing; the run is ending.
class NetFileWrite : public InterfaceFileWrite {
public:
    // Creates or truncates `filePath`.
    NetFileWrite(Context& ctx, const std::string& filePath);
    // Keeps the bytes in memory instead of a file (see written()); for tests and tools.
    explicit NetFileWrite(Context& ctx);
    NetFileWrite(const NetFileWrite&) = delete;
    NetFileWrite& operator=(const NetFileWrite&) = delete;

    // Everything written so far (memory mode only; a file's bytes are in the file).
    const std::string& written() const { return out_.held(); }

    void writeString(std::string_view text) override;
    void writeOP(std::string_view code) override;
    void writeNumber(std::int32_t number) override;
    void writeByte(std::string_view bytes) override;
    void WriteStart() override;
    void WritePause() override;
    void WriteMain() override;
    void WriteLn() override {}
    void WriteHeader() override;
    void WriteEnd() override;
    void WriteDestroy() override;
    void WriteCommandAction() override;
    void WriteCanvasPaint() override;
    void Write(std::string_view text) override;
    void Close() override;

private:
    void put(std::string_view bytes);

    Context& ctx_;
    BufferedOutput out_;
    bool startWritten_ = false;
    bool mainWritten_ = false;
};

}  // namespace compiler
