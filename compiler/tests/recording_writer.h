#pragma once

#include <string>
#include <vector>

#include "driver/writer.h"

namespace compiler {

// Records every writer call as one line: "Write:<text>", "WriteStart", "byte:<bytes>", ...
class RecordingWriter : public InterfaceFileWrite {
public:
    std::vector<std::string> calls;

    void writeString(std::string_view text) override { calls.push_back("string:" + std::string(text)); }
    void writeOP(std::string_view code) override { calls.push_back("op:" + std::string(code)); }
    void writeNumber(std::int32_t number) override { calls.push_back("number:" + std::to_string(number)); }
    void writeByte(std::string_view bytes) override { calls.push_back("byte:" + std::string(bytes)); }
    void WriteStart() override { calls.push_back("WriteStart"); }
    void WritePause() override { calls.push_back("WritePause"); }
    void WriteMain() override { calls.push_back("WriteMain"); }
    void WriteLn() override { calls.push_back("WriteLn"); }
    void WriteHeader() override { calls.push_back("WriteHeader"); }
    void WriteEnd() override { calls.push_back("WriteEnd"); }
    void WriteDestroy() override { calls.push_back("WriteDestroy"); }
    void WriteCommandAction() override { calls.push_back("WriteCommandAction"); }
    void WriteCanvasPaint() override { calls.push_back("WriteCanvasPaint"); }
    void Write(std::string_view line) override { calls.push_back("Write:" + std::string(line)); }
    void Close() override { calls.push_back("Close"); }
    // A function's beginning and end only frame its locals.
    void declareLocal(std::string_view text) override { calls.push_back("local:" + std::string(text)); }
};

}  // namespace compiler
