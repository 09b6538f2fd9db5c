#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/lookups.h"
#include "expressions/argument_reader.h"
#include "expressions/arguments.h"

namespace compiler {

// The Java form of the argument translator. Reads the shared token line (ctx.line) from its pointer on,
// one pattern character per argument:
//   "S" string, "I" integer, "F" float expression (every token up to the next comma token);
//   "b" boolean, "i" image (or NULL), "s" sprite or sprite array: exactly one token;
//   "N" new name, "n" existing object name, "H" colour digits, "B" button;
//   "," one comma token.
// Brackets pass through as they stand; a ")" is taken only while this object has passed at least as many
// "(" as ")", so the closing bracket of a call that began before the translator was made ends the list.
//
// Library::isComparator is consumed when a list starts: the list it was set for may stop quietly at the
// first token that fits no argument (the operator of a comparison), and no later or nested list sees it.
class JavaHandleArguments : public InterfaceArguments, public ArgumentReader {
public:
    explicit JavaHandleArguments(Context& ctx);

    std::optional<std::string> retByte() override { return std::nullopt; }
    std::string HandleArguments(std::string_view pattern, int start, int argNo) override;

private:
    std::string translate(std::string_view pattern, int start, int argNo);
    // Appends the bracket run at the pointer and steps over it; returns the run.
    std::string passBrackets(std::string& result);
    // Reads until the next comma token. False when the list stopped early (comparator stop or an
    // enclosing call's ")"), in which case the rest of the pattern is not read.
    // `leading`: the brackets passed before the argument's first piece.
    bool expression(char letter, const std::string& leading, std::string& result);
    std::optional<std::string> stringPiece(const std::string& t);
    std::optional<std::string> integerPiece(const std::string& t);
    std::optional<std::string> floatPiece(const std::string& t);
    bool boolean(std::string& result);
    void name(std::string& result);
    void objectName(std::string& result);
    void colour(std::string& result);
    void button(std::string& result);
    void image(std::string& result);
    void sprite(std::string& result);

    // A record field ("P%.X"), a record array ("P%") or an array at the current token, whose values must be
    // of `type`; nullopt when the token is none of these.
    std::optional<std::string> reference(const std::string& t, int type, const char* fieldMismatch,
                                         const char* recordArrayMismatch, const std::string& arrayMismatch);
    // A record field at the current token; its returnType must be `expected`, else `mismatch`.
    std::string recordField(int expected, const char* mismatch);
    // The array named at the current token with its index, from the "[" after it; the index must give one
    // element of an array of `dimensions`.
    std::string arrayIndex(int dimensions);
    // A value built-in or conversion at the current token; nullopt when the word gives no value here.
    std::optional<std::string> returner();
    std::optional<std::string> changer();

    bool comparator_ = false;
};

}  // namespace compiler
