#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/prepass.h"
#include "expressions/net_file_write.h"
#include "run/compiler.h"
#include "statements/convertor.h"
#include "test_helpers.h"

namespace compiler::testing_bytes {

// A program on a byte-token target, translated by the driver's own statement loop into an in-memory
// data.tbd. The pre-pass sees the whole source first, so later lines (an ENDFUNCTION that gives the
// function its type) count even when only earlier ones are translated.
class ByteProgram {
public:
    explicit ByteProgram(const std::string& platform = "PPC") : ctx(out, false), writer(ctx) {
        ctx.project.platform = platform;
        ctx.project.path = dir.path() + "/";
        ctx.project.name = "Game";
        ctx.library.instantiate();
    }

    // The bytes that statement `index` (0-based) of `source` adds after the statements before it.
    std::string statementBytes(const std::string& source, std::size_t index) {
        std::vector<std::string> lines = tz::testing::splitLines(source);
        Preverify prepass(ctx);
        prepass(lines);
        convertor = makeConvertor(ctx, writer);
        translateStatements(ctx, {lines.begin(), lines.begin() + static_cast<long>(index)}, writer,
                            *convertor);
        const std::size_t mark = writer.written().size();
        translateStatements(ctx, {lines[index]}, writer, *convertor);
        return writer.written().substr(mark);
    }

    // As statementBytes, but a refusal gives "error: " and its first line.
    std::string bytesOrError(const std::string& source, std::size_t index) {
        try {
            return statementBytes(source, index);
        } catch (const CompileException& e) {
            return "error: " + e.problems().front();
        }
    }

    tz::testing::TempDir dir;
    std::ostringstream out;
    Context ctx;
    NetFileWrite writer;
    std::unique_ptr<StatementTranslator> convertor;
};

}  // namespace compiler::testing_bytes
