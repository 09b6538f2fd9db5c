#include "statements/keyword_table.h"

#include "statements/convertor.h"

namespace compiler {
namespace {

// A kept "#ENDIF" of a platform section has done its work in the source loader.
std::optional<std::string> endOfPlatformSection(Convertor&) { return std::string(); }

}  // namespace

const std::vector<KeywordEntry>& keywordTable() {
    using C = KeywordCondition;
    static const std::vector<KeywordEntry> table = {
        {"#ENDIF", C::Always, endOfPlatformSection},
        {"", C::SpecialFunctionStop, nullptr},
    };
    return table;
}

const std::vector<StatementHandler>& lineHooks() {
    static const std::vector<StatementHandler> hooks = {};
    return hooks;
}

const std::vector<StatementHandler>& closingBranch() {
    static const std::vector<StatementHandler> readings = {};
    return readings;
}

}  // namespace compiler
