#include "driver/byte_codes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "expressions/byte_emitter.h"

namespace compiler {
namespace {

TEST(ByteCodes, EveryCodeIsTwoPrintableAsciiBytes) {
    std::set<std::string_view> names;
    for (const auto& [name, code] : ByteCodes::all) {
        EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
        ASSERT_EQ(code.size(), 2u) << name;
        for (char c : code) EXPECT_TRUE(c > 0x20 && c < 0x7F) << name;
    }
}

// A reader tells codes of one value apart only by where they stand: a new code that takes the value of
// another is a fault unless it joins one of these groups on purpose.
TEST(ByteCodes, OnlyTheDocumentedGroupsShareAValue) {
    std::map<std::string_view, std::set<std::string_view>> byCode;
    for (const auto& [name, code] : ByteCodes::all) byCode[code].insert(name);
    const std::map<std::string_view, std::set<std::string_view>> shared = {
        {"DB", {"dimBool", "drawFillArc"}},
        {"EA", {"endArg", "endAction"}},
        {"FF", {"funtionS", "boolF"}},
        {"FV", {"funcVS", "funcS"}},
        {"FW", {"funcVE", "funcE"}},
        {"GS", {"guiButtonS", "guiTextboxS", "guiLabelS", "guiListS"}},
        {"GX", {"guiButtonH", "guiTextboxH", "guiLabelH", "guiListH"}},
        {"IF", {"ifS", "ifElseIfS"}},
        {"PR", {"print", "setFont"}},
    };
    for (const auto& [code, names] : byCode) {
        const auto group = shared.find(code);
        if (group != shared.end()) {
            EXPECT_EQ(names, group->second) << code;
        } else {
            EXPECT_EQ(names.size(), 1u) << code << " is taken by " << *names.begin() << " and another";
        }
    }
}

TEST(ByteEmitter, FramesLiteralsAndConcatenatesNestedTokens) {
    struct Row {
        const char* what;
        void (*emit)(ByteEmitter&);
        std::string expected;
    };
    const Row rows[] = {
        {"nothing emitted", [](ByteEmitter&) {}, ""},
        {"empty string", [](ByteEmitter& e) { e.injectStr(""); }, "SSSE"},
        {"string", [](ByteEmitter& e) { e.injectStr("Hi \"x\""); }, "SSHi \"x\"SE"},
        {"negative integer", [](ByteEmitter& e) { e.injectNum(-12); }, "NS-12NE"},
        {"number as written", [](ByteEmitter& e) { e.injectNum("007.50"); }, "NS007.50NE"},
        {"code and raw text",
         [](ByteEmitter& e) {
             e.injectTok(ByteCodes::variableS);
             e.injectCode("3");
             e.injectTok(ByteCodes::variableE);
         },
         "VS3VE"},
    };
    for (const Row& row : rows) {
        ByteEmitter emitter;
        row.emit(emitter);
        EXPECT_EQ(emitter.retByte(), row.expected) << row.what;
    }

    ByteEmitter inner;
    inner.injectNum(5);
    inner.injectTok(ByteCodes::add);
    ByteEmitter outer;
    outer.injectTok(ByteCodes::sqS);
    outer.injectTok(inner.retByte());
    outer.injectBytes(inner.retByte());
    outer.injectTok(ByteCodes::endData);
    EXPECT_EQ(outer.retByte(), "[[NS5NE++NS5NE++ED");
    EXPECT_EQ(inner.retByte(), "NS5NE++");
    EXPECT_EQ(inner.retByte(), inner.bytes());
}

}  // namespace
}  // namespace compiler
