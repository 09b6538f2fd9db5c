#include "run/compiler.h"

#include <unistd.h>

#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>

#include "driver/byte_codes.h"
#include "driver/comments.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "driver/prepass.h"
#include "driver/text_file.h"
#include "driver/token_line.h"
#include "driver/writer.h"
#include "expressions/descriptor.h"
#include "expressions/java_file_write.h"
#include "expressions/net_file_write.h"
#include "guard/folder_lock.h"
#include "guard/outputs.h"
#include "guard/stop.h"
#include "guard/whole_file.h"
#include "guard/working_folder.h"
#include "kit/project_file.h"
#include "kit/text_lines.h"
#include "run/build_report.h"

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

// The folder of a project file, with its trailing "/" ("" for the working folder).
std::string folderOf(const std::string& file) {
    const auto slash = file.rfind('/');
    return slash == std::string::npos ? "" : file.substr(0, slash + 1);
}

// What ended a step of the run early, once reported: a refusal of the user's program, an internal failure
// with its own lines, or any other exception (a fault of the compiler).
enum class Failure { None, Refusal, Internal, Fault };

// One run of the compiler: the order of work of the compiler's main program, under the project folder's
// lock, removing on every road that ends without a whole suite what the run generated and the suite of an
// earlier build.
class CompileRun {
public:
    CompileRun(std::ostream& out, const std::vector<std::string>& args, const CompilerOptions& options)
        : ctx_(out, options.debug), args_(args), options_(options) {}

    int run();

private:
    // The one place where the run's exceptions are caught: runs one step of the order of work and reports
    // what ended it early. A refusal met while a statement was translated names that statement's line.
    // How the run goes on after a failure is each step's own (see translate()).
    Failure attempt(const std::function<void()>& step);
    int compile();
    // The project file, Config.cfg and the source, read and checked before anything is written.
    std::vector<std::string> loadProject();
    int translate(const std::vector<std::string>& lines);
    // Makes the run's writer and its statement translator, and writes the output's header.
    std::unique_ptr<StatementTranslator> startOutput();
    // Writes the descriptor and runs Build-Linux on the project, echoing what it prints. The compiler
    // succeeds when Build does.
    int handOver();
    // Removes what this run generated: its Java sources unless they are to be kept, the manifest and build
    // script of the Build it started, and after a failure the descriptor and data.tbd.
    void cleanUp(bool failed);
    // A refused or failed compile keeps no suite of an earlier build, nor that build's descriptor and work:
    // the user would run the old program for the new one.
    void removeEarlierSuite();

    Context ctx_;
    const std::vector<std::string>& args_;
    const CompilerOptions& options_;
    std::string projectFile_;  // as the argument names it
    std::string openedFile_;   // as the run opens it: inside the project folder once it works there
    guard::FolderLock lock_;
    std::unique_ptr<InterfaceFileWrite> writer_;
    // The run may change the project folder: it holds the lock, or the folder is not there. No more once a
    // Build under its lock has left the folder to the next run (a game that plays on).
    bool inFolder_ = false;
    bool wroteTokens_ = false;
    bool buildStarted_ = false;
};

Failure CompileRun::attempt(const std::function<void()>& step) {
    Console& console = ctx_.console;
    try {
        step();
        return Failure::None;
    } catch (const CompileException& refusal) {
        // ctx_.statement still names the statement the loop was translating (0 outside the loop).
        const std::size_t n = ctx_.statement;
        refusal.printError(console, n > 0 ? " at line " + std::to_string(ctx_.sourceLine(n)) : "");
        return Failure::Refusal;
    } catch (const InternalFailure& failure) {
        printLines(console, failure.lines());
        return Failure::Internal;
    } catch (const std::exception& fault) {
        const std::size_t n = ctx_.statement;
        reportInternalError(console, fault.what(), n > 0 ? ctx_.sourceLine(n) : 0);
        return Failure::Fault;
    }
}

int CompileRun::run() {
    int status = 1;
    // Whatever escapes the steps below is reported too, and ends the run with status 1.
    if (attempt([&] { status = compile(); }) != Failure::None) status = 1;
    // Its own writes failed for it: the cause, in a line of the kit's own (a Build says so itself).
    if (status != 0 && inFolder_ && !buildStarted_ && ctx_.project.inFolder && guard::workingFolderDeleted())
        ctx_.console.line(guard::folderDeletedLine(ctx_.project.shownPath));
    if (status != 0 && inFolder_) removeEarlierSuite();
    if (const int signal = guard::stopSignal())
        ctx_.console.line(res("Compilation_stopped") + guard::describeSignal(signal));
    lock_.release();
    return status;
}

int CompileRun::handOver() {
    Console& console = ctx_.console;
    const Project& project = ctx_.project;
    const std::string base = project.basePath();
    if (attempt([&] { writeDescriptor(ctx_, base + ".tbx"); }) != Failure::None) {
        cleanUp(true);
        return 1;
    }
    console.line("");
    console.line("");

    const std::string command = project.tbLocation + "Build-Linux";
    if (!fileExists(command)) {
        console.line("Could not find " + command + ", please reinstall Tesvo Zorid");
        cleanUp(true);
        return 1;
    }
    if (outputLost(console) || guard::stopRequested()) {
        cleanUp(true);
        return 1;
    }
    buildStarted_ = true;
    BuildReport report(ctx_);
    // Build runs in the project folder this run works in, under its lock; its argument names the project
    // as the user did, for its messages.
    ChildResult result = options_.runBuild(
        {command, project.shown(base)}, [&](const std::string& line) { report.line(line); }, lock_.fd());
    report.finish();
    if (result.signal != 0) console.line(res("Error_Build_signal") + guard::describeSignal(result.signal));
    const bool built =
        result.started && result.status == 0 && !outputLost(console) && !guard::stopRequested();
    // A Build that left the folder to the next run (its suite whole, its game playing) took this run's
    // work with it: nothing here is this run's to touch any more.
    if (!lock_.holdsFolder() && lock_.fd() >= 0) {
        inFolder_ = false;
        return built ? 0 : 1;
    }
    // A Build killed outright had no chance to clear its work.
    if (result.signal != 0 && project.isJ2ME()) {
        guard::removeBuildWork(project.path);
        guard::removePartials(project.path);
    }
    cleanUp(!built);
    if (!result.started) {
        reportInternalError(console, "cannot start " + command + ": " + result.error);
        return 1;
    }
    return built ? 0 : 1;
}

void CompileRun::cleanUp(bool failed) {
    if (ctx_.debug.enabled()) return;
    const Project& p = ctx_.project;
    // A stopped run keeps none of its Java, asked to or not: the editor's Convert opens it only after a
    // whole run.
    if (!options_.keepJava || guard::stopRequested()) {
        // Only what carries the compiler's mark: a Java file of the user's is never deleted.
        std::vector<std::string> sources{p.path + p.name + ".java"};
        // Whatever the includes are named: a converted project's own classes no longer carry the mark.
        for (const auto& type : ctx_.typeFiles) sources.push_back(p.path + type + ".java");
        for (const auto& source : sources) {
            if (guard::isGeneratedSource(source)) ::unlink(source.c_str());
        }
    }
    if (buildStarted_ && p.isJ2ME()) {
        ::unlink((p.path + "MANIFEST.MF").c_str());
        ::unlink((p.path + "CBuild.bat").c_str());
    }
    if (failed) {
        ::unlink((p.path + p.name + ".tbx").c_str());
        if (wroteTokens_) ::unlink((p.path + "data.tbd").c_str());
    }
}

void CompileRun::removeEarlierSuite() {
    Project& p = ctx_.project;
    // Only a project that is there has a suite; a project file that could not be read all through still
    // names it, or is named after it.
    if (!fileExists(openedFile_)) return;
    const kit::ProjectFile values = kit::readProjectFile(kit::readLines(openedFile_).value_or(kit::Lines{}));
    std::string name = p.name;
    if (name.empty()) {
        const std::string file = openedFile_.substr(p.path.size());
        name = values.name.value_or(file.substr(0, file.size() - 4));
    }
    const std::optional<std::string> platform = p.platform.empty() ? values.platform : p.platform;
    // The suites of a Java project and the Windows runtime are no compile's.
    if (platform == "J2ME" || platform == "PC" || platform == "PPC") return;
    // A name that cannot be the class's never had a suite built.
    if (!guard::isFileName(name) || !JavaFileWrite::usableClassName(name)) return;
    ::unlink((p.path + name + ".tbx").c_str());
    if (platform != "Applet") guard::removePhoneSuite(p.path, name);
    // The manifest, scripts and class folders are a phone build's only where the project says it is one.
    if (platform == "TB") guard::removeBuildWork(p.path);
    if (platform != "TB") guard::removeAppletOutputs(p.path, name);
}

}  // namespace

bool translateStatements(Context& ctx, const std::vector<std::string>& lines, InterfaceFileWrite& writer,
                         StatementTranslator& translator) {
    CommentFilter comments;
    const bool java = ctx.project.isJava();
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        if (guard::stopRequested()) {
            ctx.statement = 0;
            return false;
        }
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
    return true;
}

int runCompiler(const std::vector<std::string>& args, std::ostream& out, const CompilerOptions& options) {
    return CompileRun(out, args, options).run();
}

namespace {

int CompileRun::compile() {
    Console& console = ctx_.console;

    if (args_.size() != 1) {
        console.line(res("Error_The_number_of"));
        console.line(res("This_could_be_caused"));
        console.line(res("1You_have_installed"));
        console.line(res("2You_have_not"));
        return 1;
    }
    projectFile_ = args_[0];
    if (!endsWith(projectFile_, ".tbp")) projectFile_ += ".tbp";

    // One compile or build in a project folder at a time: all that follows runs under the lock, inside the
    // folder it locked.
    const std::string folder = folderOf(projectFile_);
    const auto outcome = lock_.take(folder, [&] { console.line(res("Waiting_for_lock")); });
    if (outcome == guard::FolderLock::Outcome::Stopped) return 1;
    // Without the lock another run may be at work in the folder: nothing there is touched.
    if (outcome == guard::FolderLock::Outcome::Unavailable) {
        console.line(lock_.unavailableLine());
        return 1;
    }
    inFolder_ = true;
    Project& project = ctx_.project;
    project.shownPath = folder;
    project.inFolder = outcome == guard::FolderLock::Outcome::Taken;
    openedFile_ = project.inFolder ? projectFile_.substr(folder.size()) : projectFile_;

    std::vector<std::string> lines;
    if (attempt([&] { lines = loadProject(); }) != Failure::None) return 1;
    if (guard::stopRequested()) return 1;
    return translate(lines);
}

std::vector<std::string> CompileRun::loadProject() {
    Project& project = ctx_.project;
    readProject(project, openedFile_, ProjectSettings{options_.installDir, options_.debug}, ctx_.console);
    // The name names every file the run writes: they stay inside the project folder.
    if (!guard::isFileName(project.name)) throw CompileException(res("Error_Project_name") + project.name);
    // Build's Java tools run in the project folder: one they cannot work in is refused now, before
    // anything is translated.
    if (project.isJava() && project.inFolder) {
        if (auto fault = guard::toolFolderFault(project.shownPath)) throw CompileException(*fault);
    }
    std::vector<std::string> lines = readSource(project, ctx_.console, &ctx_.statementLines);
    classifyIncludes(project);
    // A Java include is a class of the program's package beside the kit's own and the generated class.
    for (const auto& include : project.javaIncludes) {
        if (!JavaFileWrite::usableClassName(include))
            throw CompileException(res("Error_Include_class_name") + include);
    }
    if (project.isJava()) {
        // The project's name is the name of the generated class.
        if (!JavaFileWrite::usableClassName(project.name))
            throw CompileException(res("Error_Class_name") + project.name);
        const std::string java = project.path + project.name + ".java";
        if (!guard::mayWriteSource(java))
            throw CompileException(res("Error_Java_file_taken") + project.shown(java));
    }
    ctx_.library.instantiate();
    return lines;
}

std::unique_ptr<StatementTranslator> CompileRun::startOutput() {
    const Project& project = ctx_.project;
    if (project.isJava()) {
        writer_ = std::make_unique<JavaFileWrite>(ctx_, project.path + project.name + ".java", project.name);
    } else {
        wroteTokens_ = true;
        writer_ = std::make_unique<NetFileWrite>(ctx_, project.path + "data.tbd");
    }
    if (!options_.makeTranslator) throw std::logic_error("no statement translator");
    std::unique_ptr<StatementTranslator> translator = options_.makeTranslator(ctx_, *writer_);
    ctx_.console.line(res("Preverification_is"));
    ctx_.console.line("**");
    writer_->WriteHeader();
    return translator;
}

int CompileRun::translate(const std::vector<std::string>& lines) {
    Console& console = ctx_.console;
    console.line(res("Welcome_to_the_Tesvo"));
    console.line(res("Public_Release"));
    console.line(res("This_program_is"));
    console.line("**");

    std::optional<std::string> problem;
    Failure failure = attempt([&] { problem = Preverify(ctx_)(lines); });
    if (failure == Failure::None && problem) {
        console.line(*problem);
        return 1;
    }
    bool stopped = false;
    if (failure == Failure::None) {
        failure = attempt([&] {
            std::unique_ptr<StatementTranslator> translator = startOutput();
            stopped = !translateStatements(ctx_, lines, *writer_, *translator);
        });
    }
    // A stop signal, or a failure that leaves the output unwritable or the run without its pools: the
    // output is dropped unfinished (a dropped writer leaves no file).
    if (stopped || failure == Failure::Internal) {
        writer_.reset();
        cleanUp(true);
        return 1;
    }
    // The output ends as a complete file even after a refusal, and a failure there is reported too; its
    // end belongs to no statement.
    bool failed = failure != Failure::None;
    ctx_.statement = 0;
    if (writer_ && attempt([&] {
                       writer_->WriteEnd();
                       writer_->Close();
                   }) != Failure::None) {
        failed = true;
    }
    writer_.reset();
    if (failed || outputLost(console)) {
        console.line("**");
        console.line(res("Error_detected"));
        // The Java of a failed run is what a user who asked to keep it needs most.
        cleanUp(true);
        return 1;
    }
    return handOver();
}

}  // namespace
}  // namespace compiler
