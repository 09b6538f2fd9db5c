#include "classfile.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

namespace standins {
namespace {

struct Truncated : std::runtime_error {
    Truncated() : std::runtime_error("truncated") {}
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    uint8_t u1() {
        need(1);
        return static_cast<uint8_t>(bytes_[pos_++]);
    }
    uint16_t u2() {
        uint16_t high = u1();
        return static_cast<uint16_t>(high << 8 | u1());
    }
    uint32_t u4() {
        uint32_t high = u2();
        return high << 16 | u2();
    }
    std::string_view take(size_t n) {
        need(n);
        auto piece = bytes_.substr(pos_, n);
        pos_ += n;
        return piece;
    }
    void skip(size_t n) { take(n); }

private:
    void need(size_t n) const {
        if (bytes_.size() - pos_ < n) throw Truncated();
    }
    std::string_view bytes_;
    size_t pos_ = 0;
};

// Byte length of the instruction at `pc`, or 0 for an opcode the JVM does not define.
size_t instructionLength(std::string_view code, size_t pc) {
    auto byte = [&](size_t at) -> uint32_t {
        if (at >= code.size()) throw Truncated();
        return static_cast<uint8_t>(code[at]);
    };
    auto s4 = [&](size_t at) -> int32_t {
        return static_cast<int32_t>(byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3));
    };
    uint32_t op = byte(pc);
    if (op <= 0x0f) return 1;
    switch (op) {
        case 0x10:
            return 2;
        case 0x11:
            return 3;
        case 0x12:
            return 2;
        case 0x13:
        case 0x14:
            return 3;
        case 0x84:
            return 3;
        case 0xa9:
            return 2;
        case 0xaa: {  // tableswitch: padding to a 4-byte boundary, default, low, high, offsets
            size_t at = (pc + 4) & ~size_t{3};
            int64_t count = int64_t{s4(at + 8)} - s4(at + 4) + 1;
            if (count < 0 || count > 65536) throw Truncated();
            return at + 12 + static_cast<size_t>(count) * 4 - pc;
        }
        case 0xab: {  // lookupswitch: padding, default, pair count, pairs
            size_t at = (pc + 4) & ~size_t{3};
            int64_t pairs = s4(at + 4);
            if (pairs < 0 || pairs > 65536) throw Truncated();
            return at + 8 + static_cast<size_t>(pairs) * 8 - pc;
        }
        case 0xb9:
        case 0xba:
            return 5;
        case 0xbc:
            return 2;
        case 0xc4:
            return byte(pc + 1) == 0x84 ? 6 : 4;  // wide
        case 0xc5:
            return 4;
        case 0xc8:
        case 0xc9:
            return 5;
        default:
            break;
    }
    if (op >= 0x15 && op <= 0x19) return 2;
    if (op >= 0x1a && op <= 0x35) return 1;
    if (op >= 0x36 && op <= 0x3a) return 2;
    if (op >= 0x3b && op <= 0x83) return 1;
    if (op >= 0x85 && op <= 0x98) return 1;
    if (op >= 0x99 && op <= 0xa8) return 3;
    if (op >= 0xac && op <= 0xb1) return 1;
    if (op >= 0xb2 && op <= 0xb8) return 3;
    if (op == 0xbb || op == 0xbd || op == 0xc0 || op == 0xc1 || op == 0xc6 || op == 0xc7) return 3;
    if (op == 0xbe || op == 0xbf || op == 0xc2 || op == 0xc3) return 1;
    return 0;
}

struct CodeShape {
    bool branches = false;     // any jump or switch: the verifier then needs frames
    bool subroutines = false;  // jsr, jsr_w or ret
    bool invalid = false;
};

CodeShape scanCode(std::string_view code) {
    CodeShape shape;
    size_t pc = 0;
    while (pc < code.size()) {
        uint8_t op = static_cast<uint8_t>(code[pc]);
        size_t length = instructionLength(code, pc);
        if (length == 0 || length > code.size() - pc) {
            shape.invalid = true;
            break;
        }
        if (op == 0xa8 || op == 0xa9 || op == 0xc9 ||
            (op == 0xc4 && static_cast<uint8_t>(code[pc + 1]) == 0xa9)) {
            shape.subroutines = true;
        } else if ((op >= 0x99 && op <= 0xa7) || op == 0xaa || op == 0xab || op == 0xc6 || op == 0xc7 ||
                   op == 0xc8) {
            shape.branches = true;
        }
        pc += length;
    }
    return shape;
}

// The constant pool as the readers need it: texts, class names and the values of constants.
struct ConstantPool {
    std::vector<uint8_t> tags;
    std::vector<std::string_view> utf8;
    std::vector<uint16_t> refIndex;  // Class and String entries: the index of their text
    std::vector<uint64_t> bits;      // Integer, Float (low 32 bits), Long, Double: the raw value

    std::string text(uint16_t index) const {
        return index < utf8.size() ? std::string(utf8[index]) : std::string();
    }
    std::string className(uint16_t index) const {
        return index < refIndex.size() && tags[index] == 7 ? text(refIndex[index]) : std::string();
    }
};

// Reads the constant pool; an empty optional (with `error` set) for a tag the JVM does not define.
std::optional<ConstantPool> readPool(Reader& in, std::string& error) {
    uint16_t count = in.u2();
    ConstantPool pool;
    pool.tags.assign(count, 0);
    pool.utf8.assign(count, {});
    pool.refIndex.assign(count, 0);
    pool.bits.assign(count, 0);
    for (uint16_t i = 1; i < count; ++i) {
        uint8_t tag = in.u1();
        pool.tags[i] = tag;
        switch (tag) {
            case 1:
                pool.utf8[i] = in.take(in.u2());
                break;
            case 7:
            case 8:
                pool.refIndex[i] = in.u2();
                break;
            case 16:
            case 19:
            case 20:
                in.skip(2);
                break;
            case 15:
                in.skip(3);
                break;
            case 3:
            case 4:
                pool.bits[i] = in.u4();
                break;
            case 9:
            case 10:
            case 11:
            case 12:
            case 17:
            case 18:
                in.skip(4);
                break;
            case 5:
            case 6: {
                uint64_t high = in.u4();
                pool.bits[i] = high << 32 | in.u4();
                ++i;  // eight-byte constants take two slots
                break;
            }
            default:
                error = "unknown constant-pool tag " + std::to_string(tag);
                return std::nullopt;
        }
    }
    return pool;
}

template <typename Float>
std::string floatText(Float value, char suffix) {
    if (value != value) return std::string("NaN") + suffix;
    if (value == std::numeric_limits<Float>::infinity()) return std::string("Infinity") + suffix;
    if (value == -std::numeric_limits<Float>::infinity()) return std::string("-Infinity") + suffix;
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end) + suffix;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;  // modified UTF-8 beyond ASCII is kept as it stands
        }
    }
    return out + "\"";
}

// A ConstantValue entry in the listing's form; the field's descriptor tells a char or boolean from an int.
std::string constantText(const ConstantPool& pool, uint16_t index) {
    if (index == 0 || index >= pool.tags.size()) return "?";
    uint64_t bits = pool.bits[index];
    switch (pool.tags[index]) {
        case 3:
            return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(bits)));
        case 5:
            return std::to_string(static_cast<int64_t>(bits)) + "L";
        case 4: {
            auto raw = static_cast<uint32_t>(bits);
            float value;
            std::memcpy(&value, &raw, sizeof value);
            return floatText(value, 'f');
        }
        case 6: {
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return floatText(value, 'd');
        }
        case 8:
            return quoted(pool.text(pool.refIndex[index]));
        default:
            return "?";
    }
}

}  // namespace

ApiClass readApi(std::string_view bytes) {
    ApiClass api;
    try {
        Reader in(bytes);
        if (in.u4() != 0xCAFEBABE) {
            api.error = "not a class file (no CAFEBABE magic)";
            return api;
        }
        in.skip(4);  // version
        auto pool = readPool(in, api.error);
        if (!pool) return api;
        api.access = in.u2();
        api.name = pool->className(in.u2());
        api.superName = pool->className(in.u2());
        for (uint16_t n = in.u2(); n > 0; --n) api.interfaces.push_back(pool->className(in.u2()));

        auto readMembers = [&](std::vector<ApiMember>& members) {
            for (uint16_t n = in.u2(); n > 0; --n) {
                ApiMember member;
                member.access = in.u2();
                member.name = pool->text(in.u2());
                member.descriptor = pool->text(in.u2());
                for (uint16_t a = in.u2(); a > 0; --a) {
                    std::string attribute = pool->text(in.u2());
                    Reader body(in.take(in.u4()));
                    if (attribute == "ConstantValue") {
                        member.constant = constantText(*pool, body.u2());
                    } else if (attribute == "Exceptions") {
                        for (uint16_t e = body.u2(); e > 0; --e)
                            member.exceptions.push_back(pool->className(body.u2()));
                    }
                }
                members.push_back(std::move(member));
            }
        };
        readMembers(api.fields);
        readMembers(api.methods);
        api.valid = true;
    } catch (const Truncated&) {
        api.error = "truncated class file";
    }
    return api;
}

ClassInfo readClass(std::string_view bytes) {
    ClassInfo info;
    try {
        Reader in(bytes);
        if (in.u4() != 0xCAFEBABE) {
            info.error = "not a class file (no CAFEBABE magic)";
            return info;
        }
        info.minor = in.u2();
        info.major = in.u2();

        auto pool = readPool(in, info.error);
        if (!pool) return info;
        auto text = [&](uint16_t index) { return pool->text(index); };
        auto className = [&](uint16_t index) { return pool->className(index); };

        in.skip(2);  // access flags
        info.name = className(in.u2());
        info.superName = className(in.u2());
        in.skip(size_t{in.u2()} * 2);

        auto skipAttributes = [&] {
            for (uint16_t n = in.u2(); n > 0; --n) {
                in.skip(2);
                in.skip(in.u4());
            }
        };
        for (uint16_t n = in.u2(); n > 0; --n) {  // fields
            in.skip(6);
            skipAttributes();
        }
        for (uint16_t n = in.u2(); n > 0; --n) {  // methods
            in.skip(2);
            std::string method = text(in.u2());
            method += text(in.u2());
            for (uint16_t a = in.u2(); a > 0; --a) {
                std::string attribute = text(in.u2());
                std::string_view body = in.take(in.u4());
                if (attribute != "Code") continue;

                Reader code(body);
                code.skip(4);  // max_stack, max_locals
                CodeShape shape = scanCode(code.take(code.u4()));
                uint16_t handlers = code.u2();
                code.skip(size_t{handlers} * 8);
                bool stackMap = false, stackMapTable = false;
                for (uint16_t c = code.u2(); c > 0; --c) {
                    std::string inner = text(code.u2());
                    code.skip(code.u4());
                    stackMap = stackMap || inner == "StackMap";
                    stackMapTable = stackMapTable || inner == "StackMapTable";
                }
                if (shape.invalid) {
                    info.unverifiable.push_back(method + ": undefined opcode in its code");
                } else if (shape.subroutines) {
                    info.unverifiable.push_back(method + ": jsr/ret subroutines left in its code");
                } else if ((shape.branches || handlers > 0) && !stackMap) {
                    info.unverifiable.push_back(
                        method + (stackMapTable ? ": a Java SE StackMapTable instead of a StackMap"
                                                : ": branches without a StackMap"));
                }
            }
        }
        skipAttributes();
        info.valid = true;
    } catch (const Truncated&) {
        info.error = "truncated class file";
    }
    return info;
}

std::vector<std::string> preverifyProblems(const ClassInfo& info) {
    if (!info.valid) return {info.error};
    std::vector<std::string> problems;
    if (info.major > kCldcMaxMajor) {
        problems.push_back("class file version " + std::to_string(info.major) + "." +
                           std::to_string(info.minor) + " is newer than a CLDC phone takes (" +
                           std::to_string(kCldcMaxMajor) + ".0)");
    }
    for (const auto& method : info.unverifiable) problems.push_back("not preverified: " + method);
    return problems;
}

}  // namespace standins
