#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace compiler {

// Collects the byte tokens of one translator object. The list only grows; a caller that needs a fresh
// list makes a new emitter. Nesting is plain concatenation: the outer emitter injects the inner one's
// retByte().
class ByteEmitter {
public:
    // A code of ByteCodes, or the collected bytes of a nested translator.
    void injectTok(std::string_view code) { bytes_.append(code); }
    void injectBytes(std::string_view bytes) { bytes_.append(bytes); }
    // strS, the text's bytes (UTF-8, as held), strE.
    void injectStr(std::string_view text);
    // numS, the number as written in the source, numE.
    void injectNum(std::string_view digits);
    // numS, the value in decimal, numE.
    void injectNum(std::int32_t value);
    // Raw bytes without framing.
    void injectCode(std::string_view text) { bytes_.append(text); }

    // A copy of the bytes so far; the list itself is left as it is.
    std::string retByte() const { return bytes_; }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace compiler
