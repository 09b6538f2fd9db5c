#include "expressions/net_file_write.h"

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/messages.h"

namespace compiler {
namespace {

// Codes the writer adds on its own that have no name in the vocabulary.
constexpr std::string_view kFileMarker = "TB";
constexpr std::string_view kEndMarker = "tb";
constexpr std::string_view kPause = "FP";
constexpr std::string_view kMain = "FM";

}  // namespace

NetFileWrite::NetFileWrite(Context& ctx, const std::string& filePath)
    : ctx_(ctx),
      out_(filePath, res("Error_Cannot_write"), res("Error_Cannot_close"), ctx.project.shown(filePath)) {}

NetFileWrite::NetFileWrite(Context& ctx) : ctx_(ctx) {}

void NetFileWrite::put(std::string_view bytes) {
    out_.put(bytes);
}

void NetFileWrite::writeString(std::string_view text) {
    put(ByteCodes::strS);
    put(text);
    put(ByteCodes::strE);
}

void NetFileWrite::writeOP(std::string_view code) {
    if (code.size() != 2) throw InternalFailure({res("Error_Internal_byte")});
    put(code);
}

void NetFileWrite::writeNumber(std::int32_t number) {
    put(ByteCodes::numS);
    put(std::to_string(number));
    put(ByteCodes::numE);
}

void NetFileWrite::writeByte(std::string_view bytes) {
    put(bytes);
}

void NetFileWrite::Write(std::string_view text) {
    put(text);
}

// One "DI" "EL" per FOR-loop counter (the counters carry no names), then the head of the main function.
void NetFileWrite::WriteStart() {
    startWritten_ = true;
    ctx_.library.getForVariableByte(*this);
    put(ByteCodes::functionMS);
    put(ByteCodes::endFun);
}

void NetFileWrite::WriteMain() {
    mainWritten_ = true;
    put(kMain);
}

void NetFileWrite::WritePause() {
    put(kPause);
}

void NetFileWrite::WriteHeader() {
    put(kFileMarker);
}

void NetFileWrite::WriteDestroy() {
    put(ByteCodes::functionD);
}

void NetFileWrite::WriteCommandAction() {
    put(ByteCodes::functionC);
}

void NetFileWrite::WriteCanvasPaint() {
    put(ByteCodes::actionPaint);
}

// Closes the main function unless a FUNCTION line did, and writes every handler the program left out,
// each closed by "FE".
void NetFileWrite::WriteEnd() {
    const Library& lib = ctx_.library;
    // A program that never left its declarations still gets its main function.
    if (!startWritten_) WriteStart();
    if (!mainWritten_) WriteMain();
    if (!lib.endFound) put(ByteCodes::endFun);
    if (!lib.getPauseFunc()) {
        WritePause();
        put(ByteCodes::endFun);
    }
    if (!lib.getCommandFunc()) {
        WriteCommandAction();
        put(ByteCodes::endFun);
    }
    if (!lib.getEndFunc()) {
        WriteDestroy();
        put(ByteCodes::endFun);
    }
}

void NetFileWrite::Close() {
    put(kEndMarker);
    out_.close();
}

}  // namespace compiler
