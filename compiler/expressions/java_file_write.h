#pragma once
#include <fstream>
#include <string>
#include "expressions/writer.h"
namespace compiler {
struct Context;
class JavaFileWrite : public InterfaceFileWrite {
public:
    JavaFileWrite(Context& ctx, const std::string& filePath, const std::string& className);
    void writeString(std::string_view) override {}
    void writeOP(std::string_view) override {}
    void writeNumber(std::int32_t) override {}
    void writeByte(std::string_view) override {}
    void WriteStart() override {}
    void WritePause() override {}
    void WriteMain() override {}
    void WriteLn() override { out_ << "\n"; }
    void WriteHeader() override { out_ << "package Game;\n"; }
    void WriteEnd() override { out_ << "}\n"; }
    void WriteDestroy() override {}
    void WriteCommandAction() override {}
    void WriteCanvasPaint() override {}
    void Write(std::string_view line) override { out_ << line << "\n"; }
    void Close() override { out_.close(); }
private:
    std::ofstream out_;
};
}
