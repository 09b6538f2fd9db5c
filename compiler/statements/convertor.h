#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "driver/blocks.h"
#include "driver/translator.h"
#include "guard/whole_file.h"

namespace compiler {

struct Context;
class InterfaceFileWrite;

// The statement translator: normalises each token line, opens the main section, offers the line to
// the declaration and world hooks, then to the keyword table, and finally to the closing branch.
class Convertor : public StatementTranslator {
public:
    Convertor(Context& ctx, InterfaceFileWrite& out);

    std::string GetJava(std::vector<std::string>& tokens, int count) override;

    // Bounds-checked token access (LineState::token): a read past the end refuses the statement.
    const std::string& token(long index) const;
    std::size_t tokenCount() const;
    // Number of top-level, comma-separated arguments from `start` to the end of the line equals `expected`.
    bool checkCommand(int expected, std::size_t start) const;
    // The closing branch's last step: prints the two lines and raises the syntax error.
    [[noreturn]] void syntaxError();

    // The phone or applet target: the branches build Java text; elsewhere they write byte tokens.
    bool java() const;
    // One line of the open record type's own Java file (TYPE ... ENDTYPE).
    void writeType(const std::string& line);
    // Marks the open record type's file as generated and puts it in its place.
    void closeType();

    Context& ctx;
    InterfaceFileWrite& out;

    // Block and scratch state carried from line to line.
    std::string Temp;            // scratch text of one statement (the line's tokens for the trace, a part)
    std::string TempHolder;      // the statement's Java text as a branch builds it, before its ";"
    std::string rateLoop = "0";  // the open LOOP action's period in milliseconds, as written
    bool InError = false;        // inside TRY ... ENDTRY
    bool FirstCatch = false;     // the open TRY has had no CATCH yet
    bool hadLoop = false;        // the open canvas has a LOOP action
    bool inLoop = false;         // inside ACTION LOOP ... ENDACTION
    std::unique_ptr<guard::WholeFile> typeW;  // the record type being defined, open from TYPE to ENDTYPE

    // The blocks open at the line being translated, innermost last (no Type: a record type's lines stand
    // in a file of their own). An If remembers whether its ELSE came, a For its counter.
    struct Block {
        BlockKind kind;
        bool elseSeen = false;
        std::string variable;  // a FOR loop's counter
    };
    std::vector<Block> blocks;
    // Functions, canvases, their actions and record types translated so far: each is defined once.
    std::unordered_set<std::string> defined;

private:
    std::string translateLine(const std::string& first);
    std::optional<std::string> keywordChain(const std::string& first);
    // Refuses a statement where the Java it gives could not stand.
    void checkPlacement(const std::string& first);
    void trackBlocks(const std::string& first);
};

std::unique_ptr<StatementTranslator> makeConvertor(Context& ctx, InterfaceFileWrite& out);

}  // namespace compiler
