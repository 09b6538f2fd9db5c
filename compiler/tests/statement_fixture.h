#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/prepass.h"
#include "driver/token_line.h"
#include "recording_writer.h"
#include "statements/convertor.h"
#include "test_helpers.h"

namespace compiler::testing_statements {

// One program translated statement by statement as the driver does it, after the pre-pass, with a
// recording writer. Blocks need not be closed: the pre-pass has registered everything before it
// reports a missing end.
class Program {
public:
    explicit Program(const std::string& platform) : ctx(out, false) {
        ctx.project.platform = platform;
        ctx.project.path = dir.path() + "/";
        ctx.project.name = "Game";
        ctx.project.tbLocation = "/kit/";
        ctx.library.instantiate();
    }

    // Pre-pass over the statements, then the translator. Returns the pre-pass's problem, if any.
    std::optional<std::string> load(const std::vector<std::string>& statements) {
        std::optional<std::string> problem = Preverify(ctx)(statements);
        convertor = makeConvertor(ctx, writer);
        out.str("");
        return problem;
    }

    std::string translate(const std::string& statement) {
        std::vector<std::string> tokens = tokenize(statement);
        return convertor->GetJava(tokens, static_cast<int>(tokens.size()));
    }

    // Loads the whole program and translates it; returns the text of each statement.
    std::vector<std::string> run(const std::string& source) {
        std::vector<std::string> statements = tz::testing::splitLines(source);
        load(statements);
        std::vector<std::string> texts;
        for (const std::string& s : statements) texts.push_back(translate(s));
        return texts;
    }

    // As run, but a refusal becomes the last text: "error: " and its lines joined by " / ".
    std::vector<std::string> texts(const std::string& source) {
        try {
            return run(source);
        } catch (const CompileException& e) {
            std::string joined = "error:";
            for (const std::string& line : e.problems()) joined += " / " + line;
            return {joined};
        }
    }

    // The writer calls made with Write, in order, without the main-section opening.
    std::vector<std::string> written() const {
        std::vector<std::string> lines;
        for (const std::string& call : writer.calls) {
            if (call.rfind("Write:", 0) == 0) lines.push_back(call.substr(6));
        }
        return lines;
    }

    tz::testing::TempDir dir;
    std::ostringstream out;
    Context ctx;
    RecordingWriter writer;
    std::unique_ptr<StatementTranslator> convertor;
};

// The lines of a CompileException as the driver would print them after the statement number.
inline std::vector<std::string> problemsOf(Program& program, const std::string& source) {
    try {
        program.run(source);
    } catch (const CompileException& e) {
        return e.problems();
    }
    return {"(no error)"};
}

}  // namespace compiler::testing_statements
