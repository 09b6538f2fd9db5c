#include "driver/compiler.h"

#include <unistd.h>

#include <algorithm>
#include <exception>

#include "driver/build_report.h"
#include "driver/comments.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/line_state.h"
#include "driver/messages.h"
#include "driver/prepass.h"
#include "driver/text_file.h"
#include "driver/token_line.h"
#include "expressions/byte_codes.h"
#include "expressions/descriptor.h"
#include "expressions/java_file_write.h"
#include "expressions/net_file_write.h"
#include "expressions/writer.h"

namespace compiler {
namespace {

void printLines(Console& console, const std::vector<std::string>& lines) {
    for (const auto& line : lines) console.line(line);
}

// A comment line for the Java. javac decodes "\u" escapes in comments too ("\u000a" would end the comment
// and make code of the rest); with every backslash doubled, none starts one.
std::string javaComment(const std::string& line) {
    std::string comment = "// ";
    for (char c : line) {
        comment += c;
        if (c == '\\') comment += c;
    }
    return comment;
}

// In place of a stack trace, one line saying what failed, then the internal-error report, which names the
// line of the statement being translated when there is one.
void reportInternalError(Console& console, const std::string& what, std::size_t statement = 0) {
    if (!what.empty()) console.line("Internal failure: " + what);
    console.line(res("Error_Unknown_error") + (statement > 0 ? " at line " + std::to_string(statement) : ""));
    console.line(res("Please_send_a_copy_of"));
}

// Standard output closed under us (a pipe whose reader left): nobody sees the run, so it ends as a failure
// and leaves nothing behind.
bool outputLost(Console& console) {
    return !console.stream();
}

// Writes the descriptor and runs Build-Linux on the project, echoing what it prints. The compiler
// succeeds when Build does.
int handOver(Context& ctx, const CompilerOptions& options) {
    Console& console = ctx.console;
    const std::string base = ctx.project.basePath();
    try {
        writeDescriptor(ctx, base + ".tbx");
    } catch (const RunAbort& abort) {
        printLines(console, abort.lines);
        cleanUp(ctx, true, options.keepJava);
        return 1;
    }
    console.line("");
    console.line("");

    const std::string command = ctx.project.tbLocation + "Build-Linux";
    if (!fileExists(command)) {
        console.line("Could not find " + command + ", please reinstall Tesvo Zorid");
        cleanUp(ctx, true, options.keepJava);
        return 1;
    }
    if (outputLost(console)) {
        cleanUp(ctx, true, options.keepJava);
        return 1;
    }
    BuildReport report(ctx);
    ChildResult result =
        options.runBuild({command, base}, [&](const std::string& line) { report.line(line); });
    report.finish();
    if (outputLost(console)) {
        cleanUp(ctx, true, options.keepJava);
        return 1;
    }
    cleanUp(ctx, false, options.keepJava);
    if (!result.started) {
        reportInternalError(console, "cannot start " + command + ": " + result.error);
        return 1;
    }
    return result.status == 0 ? 0 : 1;
}

// A refused phone project keeps no suite of an earlier run: the user would run the old program for the
// new one. A name that cannot be the class's never had a suite built.
void removeStaleSuite(const Project& project) {
    if (!project.isJ2ME() || !JavaFileWrite::usableClassName(project.name)) return;
    ::unlink((project.basePath() + ".jar").c_str());
    ::unlink((project.basePath() + ".jad").c_str());
}

int compile(Context& ctx, const std::vector<std::string>& args, const CompilerOptions& options);

}  // namespace

void translateStatements(Context& ctx, const std::vector<std::string>& lines, InterfaceFileWrite& writer,
                         StatementTranslator& translator, std::size_t& n) {
    CommentFilter comments;
    const bool java = ctx.project.isJava();
    for (n = 1; n <= lines.size(); ++n) {
        ctx.statement = n;
        std::string line = trim(lines[n - 1]);
        if (!line.empty()) {
            CommentFilter::Kind kind = comments.next(toUpperAscii(line));
            if (kind == CommentFilter::Kind::CommentLine) {
                // Comment lines are Java comments: they have no place among byte tokens.
                if (ctx.debug.enabled() && java) writer.Write(javaComment(line));
            } else if (kind == CommentFilter::Kind::Code) {
                std::vector<std::string> tokens = tokenize(line);
                std::string s = translator.GetJava(tokens, static_cast<int>(tokens.size()));
                if (!s.empty() && !endsWith(s, ";") && !endsWith(s, "{") && !endsWith(s, "}")) {
                    ctx.debug.printDebug("Fixer>>>>>Standing in for a command" + s);
                    s += ";";
                }
                ctx.debug.printDebug("Got: " + s);
                if (!ErrorHandler::bracketCheck(s)) throw CompileException(res("Error_Internal"));
                if (java) {
                    writer.Write(s);
                } else {
                    // A branch that wrote no tokens and gave Java text has no byte form; its line would
                    // vanish from data.tbd without a word.
                    if (s != "TBD;" && !s.empty()) {
                        throw CompileException(res("Error_No_byte_form") + (tokens.empty() ? "" : tokens[0]));
                    }
                    writer.writeByte(ByteCodes::endLine);
                }
            }
        }
        writer.WriteLn();
    }
    ctx.statement = 0;
}

void cleanUp(const Context& ctx, bool all, bool keepJava) {
    if (ctx.debug.enabled()) return;
    const Project& p = ctx.project;
    if (!keepJava) {
        ::unlink((p.path + p.name + ".java").c_str());
        // A record type's source that the project names among its includes (a converted project's) is
        // the project's own class.
        for (const auto& type : ctx.typeFiles) {
            if (std::find(p.includes.begin(), p.includes.end(), type) == p.includes.end())
                ::unlink((p.path + type + ".java").c_str());
        }
    }
    ::unlink((p.path + "MANIFEST.MF").c_str());
    ::unlink((p.path + "CBuild.bat").c_str());
    if (all) ::unlink((p.path + p.name + ".tbx").c_str());
}

int runCompiler(const std::vector<std::string>& args, std::ostream& out, const CompilerOptions& options) {
    Context ctx(out, options.debug);
    const int status = compile(ctx, args, options);
    if (status != 0) removeStaleSuite(ctx.project);
    return status;
}

namespace {

int compile(Context& ctx, const std::vector<std::string>& args, const CompilerOptions& options) {
    Console& console = ctx.console;

    if (args.size() != 1) {
        console.line(res("Error_The_number_of"));
        console.line(res("This_could_be_caused"));
        console.line(res("1You_have_installed"));
        console.line(res("2You_have_not"));
        return 1;
    }

    std::vector<std::string> lines;
    try {
        std::string file = args[0];
        if (!endsWith(file, ".tbp")) file += ".tbp";
        readProject(ctx.project, file, ProjectSettings{options.installDir, options.debug}, console);
        lines = readSource(ctx.project, console, &ctx.statementLines);
        classifyIncludes(ctx.project);
        // The project's name is the name of the generated class.
        if (ctx.project.isJava() && !JavaFileWrite::usableClassName(ctx.project.name))
            throw RunAbort{{res("Error_Class_name") + ctx.project.name}, 1};
        ctx.library.instantiate();
    } catch (const RunAbort& abort) {
        printLines(console, abort.lines);
        return abort.status;
    } catch (const std::exception& e) {
        reportInternalError(console, e.what());
        return 1;
    }

    console.line(res("Welcome_to_the_Tesvo"));
    console.line(res("Public_Release"));
    console.line(res("This_program_is"));
    console.line("**");

    std::unique_ptr<InterfaceFileWrite> writer;
    bool error = false;
    int status = 1;
    // Ends the output as a complete file even after an error; a failure there is reported, not hidden.
    auto finishOutput = [&]() {
        if (!writer) return;
        try {
            writer->WriteEnd();
            writer->Close();
        } catch (const RunAbort& abort) {
            printLines(console, abort.lines);
            error = true;
        } catch (const std::exception& e) {
            reportInternalError(console, e.what());
            error = true;
        }
        writer.reset();
    };

    std::size_t n = 0;
    try {
        std::string verdict = Preverify(ctx)(lines);
        if (verdict != "Done") {
            console.line(verdict);
            return 1;
        }
        if (ctx.project.isJava()) {
            writer = std::make_unique<JavaFileWrite>(ctx, ctx.project.path + ctx.project.name + ".java",
                                                     ctx.project.name);
        } else {
            writer = std::make_unique<NetFileWrite>(ctx, ctx.project.path + "data.tbd");
        }
        ctx.saver = writer.get();
        if (!options.makeTranslator) throw std::logic_error("no statement translator");
        std::unique_ptr<StatementTranslator> translator = options.makeTranslator(ctx, *writer);

        console.line(res("Preverification_is"));
        console.line("**");
        writer->WriteHeader();

        translateStatements(ctx, lines, *writer, *translator, n);
    } catch (const CompileException& e) {
        e.printError(console, " at line " + std::to_string(ctx.sourceLine(n)));
        error = true;
    } catch (const TokenOverrun&) {
        // A statement that ends before its keyword's arguments do ("DIM", "MIDI.LOOP") is the user's
        // to mend, not a fault of the compiler.
        console.line(res("Error_Number_of") + " at line " + std::to_string(ctx.sourceLine(n)));
        error = true;
    } catch (const RunAbort& abort) {
        printLines(console, abort.lines);
        status = abort.status;
        writer.reset();  // an aborted writer is not finished
        cleanUp(ctx, true, options.keepJava);
        return status;
    } catch (const std::exception& e) {
        reportInternalError(console, e.what(), n > 0 ? ctx.sourceLine(n) : 0);
        error = true;
    }

    finishOutput();
    if (error || outputLost(console)) {
        console.line("**");
        console.line(res("Error_detected"));
        // The Java of a failed run is what a user who asked to keep it needs most.
        cleanUp(ctx, true, options.keepJava);
        return 1;
    }
    return handOver(ctx, options);
}

}  // namespace
}  // namespace compiler
