#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/lookups.h"
#include "expressions/argument_reader.h"
#include "expressions/arguments.h"
#include "expressions/byte_emitter.h"

namespace compiler {

// The byte-token form of the argument translator. It reads the same patterns and tokens as the Java form,
// makes the same checks and raises the same errors, but appends byte tokens to its own list (retByte)
// instead of building text. Each argument ends with "ED", except one that ends with an array reference,
// whose "AC" closes it; commas and brackets leave no tokens. Pieces:
//   literal "SS" text (quotes included) "SE"   number "NS" digits "NE"   variable "VS" pool number "VE"
//   array "AS" array number "AE" "ED" index "AC"   record field: the field reference's tokens
//   operators ++ -- ** //   TRUE/FALSE "TT"/"FF"   names "NX" name "NY"   image "IS" name "IE"
//   sprite "SX" name "SY"   colour "NS" digits "NE"   value built-ins and conversions: their own tokens.
// An array's number is its position among the program's arrays, in declaration order.
//
// HandleArguments returns "TBD" when the call translated anything and "" when every argument it read was
// empty, so callers test for a missing value as they do with the Java form. The bracket counters live as
// long as the object: a ")" that closes a call begun before the object was made ends the list.
class NetHandleArguments : public InterfaceArguments, public ArgumentReader {
public:
    explicit NetHandleArguments(Context& ctx);

    std::optional<std::string> retByte() override { return bytes_.retByte(); }
    std::string HandleArguments(std::string_view pattern, int start, int argNo) override;

private:
    void translate(std::string_view pattern, int start, int argNo);
    // Steps over the bracket run at the pointer; returns the run.
    std::string passBrackets();
    // The end of one pattern character: "ED", or nothing once after an array reference.
    void endArgument();
    // `leading`: the brackets passed before the argument's first piece.
    bool expression(char letter, const std::string& leading);
    bool stringPiece(const std::string& t);
    bool integerPiece(const std::string& t);
    bool floatPiece(const std::string& t);
    bool signedNumber(const std::string& t);
    bool boolean();
    void names(char letter);
    void image();
    void sprite();

    // A record field ("P%.X"), a record array ("P%") or an array at the current token, whose values must be
    // of `type`; false when the token is none of these.
    bool reference(const std::string& t, int type, const char* fieldMismatch, const char* recordArrayMismatch,
                   const std::string& arrayMismatch);
    void recordField(int expected, const char* mismatch);
    void arrayReference();
    // A value built-in or conversion at the current token whose type must be one of `types`.
    bool returner(std::initializer_list<int> types, const std::string& mismatch);
    bool changer(std::initializer_list<int> types, const std::string& mismatch);
    void variable(const std::string& t);

    ByteEmitter bytes_;
    bool comparator_ = false;
    bool comma_ = false;
    bool translated_ = false;
    bool operandDue_ = true;  // at the start of an argument or after an operator
};

}  // namespace compiler
