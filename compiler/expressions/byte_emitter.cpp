#include "expressions/byte_emitter.h"

#include "driver/byte_codes.h"

namespace compiler {

void ByteEmitter::injectStr(std::string_view text) {
    bytes_.append(ByteCodes::strS);
    bytes_.append(text);
    bytes_.append(ByteCodes::strE);
}

void ByteEmitter::injectNum(std::string_view digits) {
    bytes_.append(ByteCodes::numS);
    bytes_.append(digits);
    bytes_.append(ByteCodes::numE);
}

void ByteEmitter::injectNum(std::int32_t value) {
    injectNum(std::to_string(value));
}

}  // namespace compiler
