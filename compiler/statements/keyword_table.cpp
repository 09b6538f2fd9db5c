#include "statements/keyword_table.h"

#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {
namespace {

// A kept "#ENDIF" of a platform section has done its work in the source loader.
std::optional<std::string> endOfPlatformSection(Convertor&) {
    return std::string();
}

}  // namespace

const std::vector<KeywordEntry>& keywordTable() {
    using C = KeywordCondition;
    static const std::vector<KeywordEntry> table = {
        {"#ENDIF", C::Always, endOfPlatformSection},
        {"ENDTYPE", C::Always, endTypeStatement},
        // Program blocks.
        {"FUNCTION", C::Always, functionStatement},
        {"ENDFUNCTION", C::Always, endFunctionStatement},
        {"EXITFUNCTION", C::Always, exitFunctionStatement},
        {"TYPE", C::Always, typeStatement},
        {"CANVAS", C::Always, canvasStatement},
        {"ENDCANVAS", C::Always, endCanvasStatement},
        {"ACTION", C::Always, actionStatement},
        {"ENDACTION", C::Always, endActionStatement},
        // Conditions and loops.
        {"IF", C::Always, ifStatement},
        {"ELSEIF", C::Always, elseIfStatement},
        {"ELSE", C::Always, elseStatement},
        {"ENDIF", C::Always, endIfStatement},
        {"FOR", C::Always, forStatement},
        {"NEXT", C::Always, nextStatement},
        {"WHILE", C::Always, whileStatement},
        {"ENDWHILE", C::Always, endWhileStatement},
        // The error block, PRINT, END and BREAK.
        {"TRY", C::Always, tryStatement},
        {"CATCH", C::Always, catchStatement},
        {"ENDCATCH", C::Always, endCatchStatement},
        {"ENDTRY", C::Always, endTryStatement},
        {"PRINT", C::Always, printStatement},
        {"END", C::SingleToken, endStatement},
        {"BREAK", C::SingleToken, breakStatement},
        {"END", C::Always, endIfWrittenApart},
        {"", C::SpecialFunctionStop, nullptr},
    };
    return table;
}

const std::vector<StatementHandler>& lineHooks() {
    static const std::vector<StatementHandler> hooks = {handleVariables};
    return hooks;
}

const std::vector<StatementHandler>& closingBranch() {
    static const std::vector<StatementHandler> readings = {recordFieldAssignment, variableAssignment,
                                                           arrayElementAssignment, worldSlotAssignment,
                                                           functionCallStatement};
    return readings;
}

}  // namespace compiler
