#include "property/property_check.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "commands.h"
#include "console.h"
#include "driver/messages.h"
#include "driver/text_file.h"
#include "file_copy.h"
#include "project.h"
#include "property/program_generator.h"
#include "run/compiler.h"
#include "runner.h"
#include "statements/convertor.h"
#include "test_helpers.h"

namespace proptest {
namespace {

namespace fs = std::filesystem;
using tz::testing::readFile;
using tz::testing::splitLines;
using tz::testing::writeFile;

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The reports of a fault inside the compiler: not messages about the user's program.
bool internalMessage(std::string_view key) {
    return key == "Error_Unknown_error" || key == "Error_Internal" || key == "Error_Internal_error" ||
           key == "Error_Internal_byte" || key == "Error_Compiler_error";
}

// The message-table texts a report line may start with: each row's last line (a row of several
// lines is printed whole and the statement number follows its last), the bare "Error"s left out.
std::vector<std::string> messageStarts() {
    std::vector<std::string> starts;
    for (const auto& row : compiler::Res::getContents()) {
        if (internalMessage(row.key)) continue;
        std::string text(row.text);
        std::size_t newline = text.rfind('\n');
        if (newline != std::string::npos) text = text.substr(newline + 1);
        if (text.size() > 6) starts.push_back(text);
    }
    // The texts the translators spell out where they raise them.
    for (const char* text : {"Array was not found in pool",
                             "Command does not take any arguments, or brackets missing on a command",
                             "Command requires one or more arguments",
                             "Could not find referenced function in pool",
                             "Could not find valid function return type in pool",
                             "Could not find variable in pool",
                             "Number of arguments is incorrect for command. Found ",
                             "Type is not recognised",
                             "Type variable is not a member of this type",
                             "Type variable is unknown",
                             "Variable does not belong to this type",
                             "Variable was not found in pool",
                             "An exception occurred in HandleType",
                             "If statement requires a THEN keyword at line: ",
                             "Error: #If statement incorrect at line ",
                             "Type name is invalid at line: ",
                             "Variable is being used out of it's visible scope",
                             "Array is being used out of it's visible scope",
                             "Error: Expecting array of type ",
                             "Error: Expecting type variable of type ",
                             "Error: Expecting type array of type ",
                             "Error: Expecting variable of type ",
                             "Type variable/array is not recognised",
                             "Variable name is illegal",
                             "Array name is illegal"})
        starts.emplace_back(text);
    return starts;
}

// A line that begins with a message text, or is one of the short ones whole ("Error" is the drawing
// statements' count message).
bool isMessage(const std::string& line) {
    static const std::vector<std::string> starts = messageStarts();
    if (line == compiler::res("Error")) return true;
    return std::any_of(starts.begin(), starts.end(),
                       [&](const std::string& s) { return startsWith(line, s); });
}

std::optional<std::string> numberFault(const std::string& digits, std::size_t lines,
                                       const std::string& line) {
    if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), ::isdigit))
        return "the line number is missing: " + line;
    unsigned long n = std::stoul(digits);
    if (n < 1 || n > lines) return "the line number is out of range: " + line;
    return std::nullopt;
}

// The line a report names, or 0: the last number after " at line " or "line: ".
int reportedLine(const std::string& line) {
    for (const char* form : {" at line ", "line: "}) {
        std::size_t at = line.rfind(form);
        if (at == std::string::npos) continue;
        const std::string digits = line.substr(at + std::string(form).size());
        if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), ::isdigit))
            return 0;
        return std::stoi(digits);
    }
    return 0;
}

// The line of a refusal that names the fault: the one with the statement number, or the last.
std::string messageLine(const std::string& output) {
    std::vector<std::string> lines = splitLines(output);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (line->find(" at line") != std::string::npos || line->find("line: ") != std::string::npos)
            return *line;
    return lines.empty() ? std::string() : lines.back();
}

struct Translated {
    int status = 1;
    std::string output;
    std::vector<std::string> files;  // what the run left in the project folder
    std::vector<std::string> java;
    std::vector<std::string> types;  // the record types among them: one javac run takes each name once
};

std::string projectName(const Program& p) {
    return "P" + std::to_string(p.index);
}

// One run of the compiler as Compile-Linux makes it, Build's start faked: the descriptor stays.
Translated translate(const Program& program, const std::string& folder, const std::string& installDir) {
    const std::string name = projectName(program);
    // The model class of the 3D objects is a Java include: the javac runs get the check's own source of it.
    tz::testing::writeProject(folder, program.source, program.platform, name, "Include=MODEL\n");
    writeFile(folder + "MODEL.java", "");

    // Build is where the Java goes: the stand-in keeps what it is handed, and the compiler cleans up
    // after it as after the real one.
    Translated t;
    const std::string built = folder + "built/";
    compiler::CompilerOptions options;
    options.installDir = installDir;
    options.makeTranslator = compiler::makeConvertor;
    options.runBuild = [&](const std::vector<std::string>&, const std::function<void(const std::string&)>&,
                           int) {
        fs::create_directories(built);
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".java" || entry.path().filename() == "MODEL.java") continue;
            fs::copy_file(entry.path(), built + entry.path().filename().string());
            t.java.push_back(built + entry.path().filename().string());
            if (entry.path().stem() != name) t.types.push_back(entry.path().stem());
        }
        compiler::ChildResult result;
        result.started = true;
        result.status = 0;
        return result;
    };
    std::ostringstream out;
    t.status = compiler::runCompiler({folder + name}, out, options);
    t.output = out.str();
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string file = entry.path().filename();
        if (file == name + ".tbp" || file == name + "X.bss" || file == "MODEL.java" || file == "built")
            continue;
        t.files.push_back(file);
    }
    return t;
}

// What Build gives javac for the program's main class, from the descriptor the run wrote: the boot
// class path of its command, and the support classes its feature flags copy.
struct ClassPaths {
    std::string boot;     // "" for the applet
    std::string support;  // the flag groups copied, as a key
    build::Project project;
};

std::optional<ClassPaths> classPaths(const std::string& folder, const std::string& name,
                                     const std::string& installDir, bool applet) {
    ClassPaths paths;
    if (applet) return paths;
    build::Project& project = paths.project;
    if (project.read(folder + name + ".tbx", installDir).status != build::Project::ReadStatus::Ok)
        return std::nullopt;
    std::optional<std::string> boot;
    for (const auto& argv : build::commandList(project)) {
        if (argv.size() > 2 && endsWith(argv[0], "/javac") && argv[1] == "-bootclasspath") boot = argv[2];
    }
    if (!boot) return std::nullopt;
    paths.boot = *boot;
    for (bool flag : {project.usesInclude(), project.usesSound(), project.usesMidi(), project.usesImage(),
                      project.usesVideo(), project.usesMappy()})
        paths.support += flag ? '1' : '0';
    return paths;
}

// A kit folder of the run's own: Config.cfg naming the real kit's tools (and this folder as the kit's, so
// they are not taken as a copied kit's), the kit's support classes, and a Build-Linux the faked start never
// runs.
std::string makeInstallDir(const std::string& root, const std::string& kit) {
    const std::string dir = root + "kit/";
    fs::create_directories(dir);
    writeFile(dir + "Config.cfg", kit + "/jdk/bin/\n" + kit + "/wtk/\n" + dir + "\n");
    writeFile(dir + "Build-Linux", "");
    fs::create_directory_symlink(kit + "/Include", dir + "Include");
    return dir;
}

// The support classes Build copies for one set of flags, as a class folder.
std::string makeSupportClassPath(const std::string& dir, build::Project project) {
    project.path = dir;
    // Build makes these folders before it copies.
    fs::create_directories(dir + "tmpclasses/Game");
    fs::create_directories(dir + "classes/Game");
    std::ostringstream ignored;
    build::Console console(ignored);
    if (!build::FileCopyManager::copyFiles(console, project))
        std::fprintf(stderr, "%s", ignored.str().c_str());
    return dir + "tmpclasses";
}

struct Batch {
    std::string boot;
    std::string support;
    std::vector<std::size_t> members;  // positions in the program list
    std::set<std::string> types;       // the record types of its members, each once
};

// Why two runs that must agree do not: `run` of a program changed from `base` in a way that keeps its
// meaning. Accepted, their Java is the same but for the class's name; refused, so is the message.
std::optional<std::string> sameTranslationFault(const Translated& run, int index, const Translated& base,
                                                int baseIndex) {
    if (run.status != base.status)
        return "translated otherwise than the program it was changed from (status " +
               std::to_string(run.status) + ", before " + std::to_string(base.status) + ")";
    if (run.status != 0) {
        if (messageLine(run.output) != messageLine(base.output))
            return "refused otherwise than the program it was changed from: " + messageLine(run.output) +
                   "\nbefore: " + messageLine(base.output);
        return std::nullopt;
    }
    const std::regex baseName("\\bP" + std::to_string(baseIndex) + "\\b");
    // The files by name: the class's own named as this run names it.
    const std::string name = "P" + std::to_string(index);
    auto files = [&](const Translated& t, bool rename) {
        std::map<std::string, std::string> texts;
        for (const auto& file : t.java) {
            std::string fileName = fs::path(file).filename().string(), text = readFile(file);
            if (rename) {
                fileName = std::regex_replace(fileName, baseName, name);
                text = std::regex_replace(text, baseName, name);
            }
            texts[fileName] = text;
        }
        return texts;
    };
    const auto before = files(base, true), after = files(run, false);
    for (const auto& [file, text] : after) {
        auto was = before.find(file);
        if (was == before.end()) return "its Java is not the same as before: " + file + " is new";
        if (was->second == text) continue;
        std::size_t at = 0;
        while (at < text.size() && at < was->second.size() && text[at] == was->second[at]) ++at;
        const std::size_t line = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
        return "its Java is not the same as before: " + file + " from\n" + text.substr(line, 200) +
               "\nbefore:\n" + was->second.substr(line, 200);
    }
    if (before.size() != after.size())
        return std::string("its Java is not the same as before: a file is missing");
    return std::nullopt;
}

}  // namespace

std::optional<std::string> refusalFault(const std::string& output, std::size_t sourceLines) {
    if (output.find("ERROR in ") != std::string::npos || output.find(".java (at line") != std::string::npos)
        return std::string("javac's messages reach the user");
    // The internal-error report names what failed first; the bare text is also a refusal of its own
    // (a CATCH of no known kind).
    if (output.find("Internal failure") != std::string::npos)
        return std::string("an internal compiler error");
    std::vector<std::string> lines = splitLines(output);
    if (lines.empty()) return std::string("no message at all");

    if (lines.back() == compiler::res("Error_detected")) {
        // The statement loop's report: the message with " at line N", its context lines, "**".
        if (lines.size() < 3 || lines[lines.size() - 2] != "**") return "the report is not closed by \"**\"";
        std::size_t i = lines.size() - 3;
        while (i > 0 && !lines[i].empty() && lines[i][0] == '\t') --i;
        const std::string& line = lines[i];
        static const std::regex atLine("^(.*) at line (\\d*)$");
        std::smatch m;
        if (!std::regex_match(line, m, atLine)) return "the report carries no line number: " + line;
        if (auto fault = numberFault(m[2], sourceLines, line)) return fault;
        const std::string message = m[1];
        for (const compiler::MessageKey key : std::initializer_list<compiler::MessageKey>{
                 "Error_Internal", "Error_Internal_error", "Error_Internal_byte", "Error_Compiler_error"})
            if (startsWith(message, compiler::res(key))) return "an internal compiler error: " + line;
        // CATCH of a kind other than IO is refused with the internal error's text, alone (the internal
        // error's report says what failed before it and asks for the source after it).
        if (!isMessage(message) && message != compiler::res("Error_Unknown_error"))
            return "not a message of the compiler: " + line;
        return std::nullopt;
    }

    // The pre-pass's verdict is the last line.
    const std::string& last = lines.back();
    if (last == "Structure Error") {
        if (lines.size() < 2 || !startsWith(lines[lines.size() - 2], compiler::res("Error_Your_have_not")))
            return std::string("\"Structure Error\" without the open block");
        return std::nullopt;
    }
    if (!isMessage(last)) return "not a message of the compiler: " + last;
    for (const char* form : {"line: ", " at line "}) {
        std::size_t at = last.rfind(form);
        if (at != std::string::npos)
            return numberFault(last.substr(at + std::string(form).size()), sourceLines, last);
    }
    return std::nullopt;
}

std::optional<std::string> plantedFault(const std::string& output, int status, int errorLine,
                                        const std::string& errorMessage) {
    if (errorLine <= 0) return std::nullopt;
    const std::string where = "the error planted on line " + std::to_string(errorLine);
    if (status == 0) return where + " was accepted";
    const std::string line = messageLine(output);
    const int reported = reportedLine(line);
    // The pass over the whole source reports its errors (the forms "at line: N") before any statement is
    // translated: a planted error of one pass is preceded only by errors of its own pass, or of the pass
    // over the whole source.
    const std::vector<std::string> lines = splitLines(output);
    const bool translated = !lines.empty() && lines.back() == compiler::res("Error_detected");
    const bool plantedInPass = endsWith(errorMessage, "line: ");
    if (plantedInPass && translated) return where + " is missed by the pass over the source: " + line;
    if (!plantedInPass && !translated) return std::nullopt;
    if (reported > errorLine) return where + " is reported later: " + line;
    if (startsWith(line, errorMessage) && reported != errorLine)
        return where + " is reported elsewhere: " + line;
    return std::nullopt;
}

Program generatedProgram(std::uint64_t seed, int index) {
    GeneratedProgram generated = generateProgram(seed, index);
    Program program;
    program.index = index;
    program.platform = generated.platform;
    program.source = generated.source;
    program.errorLine = generated.errorLine;
    program.errorMessage = generated.errorMessage;
    program.valid = generated.valid;
    return program;
}

std::optional<std::string> touchedLineFault(const std::string& output, int touchedLine) {
    if (touchedLine <= 0) return std::nullopt;
    const std::string line = messageLine(output);
    const int reported = reportedLine(line);
    if (reported > 0 && reported != touchedLine)
        return "the change to line " + std::to_string(touchedLine) + " is reported at another line: " + line;
    return std::nullopt;
}

std::string describe(const Finding& finding) {
    std::string text = "P" + std::to_string(finding.index) + " (" + finding.platform + "): " + finding.what +
                       "\n" + finding.details + "\n--- source ---\n";
    int n = 0;
    for (const auto& line : splitLines(finding.source)) text += std::to_string(++n) + ": " + line + "\n";
    return text;
}

CheckReport checkPrograms(const std::vector<Program>& programs, const CheckOptions& options) {
    CheckReport report;
    report.programs = static_cast<int>(programs.size());
    // Thousands of small projects: in memory where the system has a file system there.
    char shm[] = "/dev/shm/tz-property-XXXXXX";
    char tmp[] = "/tmp/tz-property-XXXXXX";
    const char* made = ::mkdtemp(shm);
    if (!made) made = ::mkdtemp(tmp);
    if (!made) {
        report.findings.push_back({0, "no scratch folder", "", "", ""});
        return report;
    }
    const std::string root = std::string(made) + "/";
    const std::string installDir = makeInstallDir(root, options.kitDir);

    auto folderOf = [&](const Program& p) { return root + "p" + std::to_string(p.index) + "/"; };
    auto addFinding = [&](const Program& p, std::string what, std::string details) {
        if (!p.note.empty()) details = p.note + "\n" + details;
        report.findings.push_back({p.index, std::move(what), std::move(details), p.platform, p.source});
    };

    std::map<std::string, Batch> groups;
    std::vector<Translated> runs(programs.size());
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const Program& p = programs[i];
        const std::string folder = folderOf(p);
        Translated& t = runs[i] = translate(p, folder, installDir);
        if (t.status != 0) {
            ++report.refused;
            report.refusals.push_back(projectName(p) + ": " + messageLine(t.output));
            if (t.status != 1)
                addFinding(p, "refused with exit status " + std::to_string(t.status), t.output);
            if (p.valid) addFinding(p, "a valid program refused: " + messageLine(t.output), t.output);
            if (auto fault = refusalFault(t.output, compiler::textLines(p.source).size()))
                addFinding(p, "refusal: " + *fault, t.output);
            if (auto fault = plantedFault(t.output, t.status, p.errorLine, p.errorMessage))
                addFinding(p, *fault, t.output);
            if (auto fault = touchedLineFault(t.output, p.touchedLine)) addFinding(p, *fault, t.output);
            if (!t.files.empty()) {
                std::string files;
                for (const auto& f : t.files) files += f + " ";
                addFinding(p, "a refusal left files behind: " + files, t.output);
            }
            continue;
        }
        ++report.accepted;
        if (t.output.find("Internal failure") != std::string::npos)
            addFinding(p, "internal failure", t.output);
        if (auto fault = plantedFault(t.output, t.status, p.errorLine, p.errorMessage))
            addFinding(p, *fault, t.output);
        auto paths = classPaths(folder, projectName(p), installDir, p.platform == "Applet");
        if (!paths) {
            addFinding(p, "accepted without a readable descriptor", t.output);
            continue;
        }
        Batch& group = groups[paths->boot + "|" + paths->support];
        if (group.members.empty() && !paths->boot.empty()) {
            group.boot = paths->boot;
            group.support =
                makeSupportClassPath(root + "support" + std::to_string(groups.size()) + "/", paths->project);
        }
        group.members.push_back(i);
    }

    // A program changed from another must be translated like it.
    std::map<int, std::size_t> positions;
    for (std::size_t i = 0; i < programs.size(); ++i) positions[programs[i].index] = i;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        auto base = positions.find(programs[i].sameAs);
        if (programs[i].sameAs < 0 || base == positions.end()) continue;
        if (auto fault = sameTranslationFault(runs[i], programs[i].index, runs[base->second],
                                              programs[base->second].index))
            addFinding(programs[i], *fault, runs[i].output);
    }

    // Batches of one class path each; every program keeps its own folder and class names, and the record
    // types of one batch have different names (programs changed from one share theirs).
    std::vector<Batch> batches;
    if (!options.compileJava) groups.clear();
    for (auto& [boot, group] : groups) {
        const std::size_t from = batches.size();
        for (std::size_t i : group.members) {
            const auto& types = runs[i].types;
            std::size_t b = from;
            for (; b < batches.size(); ++b) {
                if (batches[b].members.size() >= options.batchSize) continue;
                if (std::none_of(types.begin(), types.end(),
                                 [&](const auto& t) { return batches[b].types.count(t); }))
                    break;
            }
            if (b == batches.size()) batches.push_back(Batch{group.boot, group.support, {}, {}});
            batches[b].members.push_back(i);
            batches[b].types.insert(types.begin(), types.end());
        }
    }

    std::mutex mutex;
    // The classes of a batch through the kit's preverify, as Build runs it; a program its messages name
    // (by the class "Game.P<index>") is a finding, as is a failure that names none.
    auto preverifyBatch = [&](const Batch& batch, const std::string& classes, std::size_t b) {
        const std::string out = root + "preverified" + std::to_string(b);
        // Build preverifies the support classes with the program's (their package's members are no
        // library's).
        std::error_code copied;
        fs::copy(batch.support, classes, fs::copy_options::recursive | fs::copy_options::skip_existing,
                 copied);
        std::vector<std::string> lines;
        build::ProcessRunner runner;
        build::RunResult result = runner.run({options.kitDir + "/wtk/bin/preverify", "-classpath",
                                              batch.boot + ":" + batch.support, "-d", out, classes},
                                             "", [&](const std::string& line) { lines.push_back(line); });
        std::map<int, std::string> named;
        const std::regex program("Game[./]P(\\d+)\\b");
        for (const auto& line : lines) {
            std::smatch m;
            if (std::regex_search(line, m, program)) named[std::stoi(m[1])] += line + "\n";
        }
        std::lock_guard<std::mutex> lock(mutex);
        for (std::size_t i : batch.members) {
            auto found = named.find(programs[i].index);
            if (found != named.end())
                addFinding(programs[i], "accepted, but preverify rejects its classes", found->second);
        }
        if (!result.ok() && named.empty()) {
            std::string text;
            for (const auto& line : lines) text += line + "\n";
            addFinding(programs[batch.members.front()], "preverify failed on a batch with no program named",
                       text);
        }
    };
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t b = next++; b < batches.size(); b = next++) {
            const Batch& batch = batches[b];
            const std::string out = root + "classes" + std::to_string(b);
            fs::create_directories(out);
            const std::string javac = options.kitDir + "/jdk/bin/javac";
            std::vector<std::string> argv;
            if (batch.boot.empty()) {
                argv = {javac, "-d", out};
            } else {
                argv = {javac,         "-bootclasspath", batch.boot, "-d",      out,  "-classpath",
                        batch.support, "-target",        "1.4",      "-source", "1.4"};
                if (batch.boot.find("jsr184.jar") != std::string::npos) argv.push_back(options.modelSource);
            }
            for (std::size_t i : batch.members)
                for (const auto& file : runs[i].java) argv.push_back(file);
            std::vector<std::string> lines;
            build::ProcessRunner runner;
            build::RunResult result =
                runner.run(argv, "", [&](const std::string& line) { lines.push_back(line); });

            // ecj names each problem's file: "1. ERROR in /path/p17/P17.java (at line 5)".
            std::map<int, std::string> errors;
            const std::regex errorLine("^\\d+\\. ERROR in " + root + "p(\\d+)/.*");
            for (std::size_t l = 0; l < lines.size(); ++l) {
                std::smatch m;
                if (!std::regex_match(lines[l], m, errorLine)) continue;
                std::string& text = errors[std::stoi(m[1])];
                if (text.size() > 1500) continue;
                for (std::size_t k = l; k < lines.size() && k < l + 4; ++k) text += lines[k] + "\n";
            }
            if (result.ok() && options.preverify && !batch.boot.empty()) preverifyBatch(batch, out, b);
            std::lock_guard<std::mutex> lock(mutex);
            for (std::size_t i : batch.members) {
                auto found = errors.find(programs[i].index);
                if (found == errors.end()) continue;
                std::string java;
                for (const auto& file : runs[i].java) {
                    std::ifstream in(file);
                    java += "--- " + fs::path(file).filename().string() + " ---\n" +
                            std::string(std::istreambuf_iterator<char>(in), {});
                }
                addFinding(programs[i], "accepted, but javac rejects its Java", found->second + java);
            }
            if (!result.ok() && errors.empty()) {
                std::string text;
                for (const auto& line : lines) text += line + "\n";
                const Program& first = programs[batch.members.front()];
                addFinding(first, "javac failed on a batch with no program named", text);
            }
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < std::max(1, options.jobs); ++j) threads.emplace_back(worker);
    for (auto& t : threads) t.join();

    std::error_code ec;
    fs::remove_all(root, ec);
    std::sort(report.findings.begin(), report.findings.end(),
              [](const Finding& a, const Finding& b) { return a.index < b.index; });
    return report;
}

}  // namespace proptest
