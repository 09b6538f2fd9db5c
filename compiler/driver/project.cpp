#include "driver/project.h"

#include "driver/console.h"
#include "driver/errors.h"
#include "driver/messages.h"
#include "driver/text_file.h"
#include "guard/outputs.h"
#include "kit/class_path.h"
#include "kit/config_file.h"
#include "kit/project_file.h"

namespace compiler {
namespace {

// A read failure of the project file, Config.cfg or the source: the report names the file and says why.
CompileException couldNotRead(const std::string& file, const std::string& reason) {
    return CompileException::wholeLines({res("Error_Could_not") + file + "\"", reason});
}

// The reader's own reason for a file that is there but cannot be read: "<file> (Is a FIFO, not a file)".
std::string reasonOr(const std::string& error, const std::string& otherwise) {
    return error.empty() ? otherwise : error;
}

void readConfig(Project& project, const ProjectSettings& settings) {
    std::string install = settings.installDir;
    if (!install.empty() && install.back() != '/') install += '/';
    const std::string config = install + "Config.cfg";
    if (!fileExists(config)) {
        std::string shown = install.size() > 1 ? install.substr(0, install.size() - 1) : install;
        throw CompileException::wholeLines(
            {shown, "Could not find Config.cfg. Run the Editor to generate this file"});
    }
    std::string error;
    std::optional<kit::Lines> lines = kit::readLines(config, &error);
    if (!lines) throw couldNotRead(config, reasonOr(error, "Config.cfg cannot be read."));
    kit::ConfigFile folders = kit::readConfigFile(*lines);
    if (auto fault = kit::configFault(folders, config)) throw CompileException(*fault);
    kit::relocate(folders, install);
    project.javaLocation = folders.javaLocation;
    project.j2meLocation = folders.j2meLocation;
    // Line 3 names the install folder; the folder the program runs from is the one that counts.
    project.tbLocation = install;
}

// Build joins the phone program's class paths from the project folder and the toolkit's lib/ folder.
void refuseClassPathBreakers(const Project& project) {
    if (!project.isJ2ME()) return;
    for (auto fault :
         {kit::classPathFault("The project folder", project.shown(project.path)),
          kit::classPathFault("The wireless toolkit folder", project.j2meLocation.value_or(""))}) {
        if (fault) throw CompileException(*fault);
    }
}

}  // namespace

void readProject(Project& project, const std::string& file, const ProjectSettings& settings,
                 Console& console) {
    auto slash = file.rfind('/');
    project.path = slash == std::string::npos ? "" : file.substr(0, slash + 1);

    const std::string shownFile = project.shown(file);
    std::string error;
    std::optional<kit::Lines> lines = kit::readLines(file, &error, shownFile);
    if (!lines) {
        // A file that is not there keeps the message it always had.
        if (!fileExists(file)) error.clear();
        throw couldNotRead(shownFile, reasonOr(error, "The project file does not exist or cannot be read."));
    }
    if (lines->size() > kit::ProjectFile::maxLines) {
        throw couldNotRead(shownFile, "The project file has more than " +
                                          std::to_string(kit::ProjectFile::maxLines) + " lines.");
    }
    const kit::ProjectFile values = kit::readProjectFile(*lines);
    if (!values.run) throw couldNotRead(shownFile, "The project file has no \"Run\" value.");
    std::optional<int> run = kit::parseDecimal(*values.run);
    if (!run)
        throw couldNotRead(shownFile, "The project file's \"Run\" value is not a number: " + *values.run);
    project.run = *run;
    project.main = values.main.value_or("");
    project.name = values.name.value_or("");
    if (!values.platform) throw couldNotRead(shownFile, "The project file has no \"Platform\" value.");
    project.platform = *values.platform;
    project.usesInclude = values.usesInclude;
    project.uses3D = values.uses3D;
    project.usesFloats = values.usesFloats;
    project.usesMM = values.usesMM;
    // The include files and class-path entries the editor lists travel on to Build in the descriptor.
    project.includes = values.includes;
    project.references = values.classPaths;

    if (project.platform == "J2ME") {
        throw CompileException("Cannot compile J2ME code, you need to use the build application");
    }
    if (project.platform == "PPC" && !settings.debug) {
        throw CompileException("Cannot compile PocketPC code, it is currently unsupported");
    }
    if (project.platform == "PC") {
        throw CompileException("Cannot compile PC code, it is currently unsupported");
    }

    readConfig(project, settings);
    refuseClassPathBreakers(project);
    (void)console;
}

void classifyIncludes(Project& project) {
    project.javaIncludes.clear();
    for (const std::string& include : project.includes) {
        const guard::IncludeKind kind = guard::includeKind(project.path, include);
        if (kind == guard::IncludeKind::JavaClass) {
            project.javaIncludes.push_back(include);
        } else if (kind == guard::IncludeKind::Missing) {
            const std::string folder = project.shown(project.path);
            throw CompileException(res("Error_Include_missing") + include + " (" + include + ".java or " +
                                   include + ".bss) in the project folder " +
                                   (folder.empty() ? "./" : folder));
        }
    }
}

std::vector<std::string> readSource(const Project& project, Console& console,
                                    std::vector<std::size_t>* lineNumbers) {
    const std::string file = project.sourceFile();
    const std::string shownFile = project.shown(file);
    if (!fileExists(file)) throw CompileException("Could not find source file " + shownFile);
    std::string error;
    auto lines = readTextLines(file, &error, shownFile);
    if (!lines) throw couldNotRead(shownFile, reasonOr(error, "The source file cannot be read."));
    return prepareSource(*lines, project.platform, console, lineNumbers);
}

namespace {

// Position just past the first word THEN outside string literals, or npos.
std::size_t thenEnd(const std::string& upper) {
    bool inString = false;
    for (std::size_t i = 0; i + 4 <= upper.size(); ++i) {
        char c = upper[i];
        if (c == '"') inString = !inString;
        if (inString || upper.compare(i, 4, "THEN") != 0) continue;
        bool startOk = i == 0 || upper[i - 1] == ' ' || upper[i - 1] == ')' || upper[i - 1] == '"';
        bool endOk = i + 4 == upper.size() || upper[i + 4] == ' ' || upper[i + 4] == ':';
        if (startOk && endOk) return i + 4;
    }
    return std::string::npos;
}

// The last blank-separated word of the line, outside literals, is THEN.
bool endsWithThenWord(const std::string& upper) {
    if (!endsWith(upper, "THEN")) return false;
    std::size_t at = upper.size() - 4;
    if (at != 0 && upper[at - 1] != ' ' && upper[at - 1] != ')' && upper[at - 1] != '"') return false;
    bool inString = false;
    for (std::size_t i = 0; i < at; ++i) {
        if (upper[i] == '"') inString = !inString;
    }
    return !inString;
}

// One-line IF: "IF <cond> THEN <stmts>" becomes "IF <cond> THEN : <stmts> : EndIf".
std::string rewriteOneLineIf(const std::string& line) {
    std::string upper = toUpperAscii(line);
    if (!startsWith(upper, "IF") || upper.size() < 3 || (upper[2] != ' ' && upper[2] != '(')) return line;
    if (endsWithThenWord(upper)) return line;
    std::size_t cut = thenEnd(upper);
    if (cut == std::string::npos) return line;
    return line.substr(0, cut) + " :" + line.substr(cut) + " : EndIf";
}

// Split at colons outside string literals; trailing empty parts dropped, an empty line gives one part.
std::vector<std::string> splitAtColons(const std::string& line) {
    std::vector<std::string> parts;
    std::string current;
    bool inString = false;
    for (char c : line) {
        if (c == '"') inString = !inString;
        if (c == ':' && !inString) {
            parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(std::move(current));
    if (line.empty()) return parts;
    while (!parts.empty() && parts.back().empty()) parts.pop_back();
    return parts;
}

// A tab between words is a blank; in a text it stays. A byte-order mark that starts a line (an include's,
// where the execution copy joins files) is skipped as at the start of the file.
std::string blankTabs(std::string_view line) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    std::string blanked(line);
    bool inString = false;
    for (char& c : blanked) {
        if (c == '"') inString = !inString;
        if (c == '\t' && !inString) c = ' ';
    }
    return blanked;
}

bool selects(const std::string& word, const std::string& platform) {
    return (word == "J2ME" && platform == "J2ME") || (word == "WEB" && platform == "Applet") ||
           (word == "WINDOWS" && platform == "PC") || (word == "CE" && platform == "PPC");
}

}  // namespace

std::vector<std::string> prepareSource(const std::vector<std::string>& physicalLines,
                                       const std::string& platform, Console& console,
                                       std::vector<std::size_t>* lineNumbers) {
    std::vector<std::string> statements;
    statements.reserve(physicalLines.size());
    if (lineNumbers) lineNumbers->clear();
    std::size_t number = 0;
    auto keep = [&](std::string statement) {
        statements.push_back(std::move(statement));
        if (lineNumbers) lineNumbers->push_back(number);
    };
    for (const std::string& physical : physicalLines) {
        ++number;
        std::string line = rewriteOneLineIf(trim(blankTabs(physical)));
        std::string upper = toUpperAscii(line);
        if (startsWith(upper, "REM") || startsWith(upper, "'")) {
            keep(line);
            continue;
        }
        bool include = true;
        bool add = true;
        std::vector<std::string> parts = splitAtColons(line);
        for (std::size_t position = 0; position < parts.size(); ++position) {
            std::string& part = parts[position];
            std::string partUpper = toUpperAscii(part);
            if (startsWith(partUpper, "#IF")) {
                std::vector<std::string> words = splitWords(part);
                include = false;
                for (std::size_t k = 1; k < words.size(); k += 2) {
                    if (selects(words[k], platform)) {
                        include = true;
                        add = false;
                    }
                    if (k + 1 < words.size() && toUpperAscii(words[k + 1]) != "OR") {
                        throw CompileException("Error: #If statement incorrect at line " +
                                               std::to_string(number));
                    }
                }
                // An #IF governs the statements after it on its own line only.
                if (position + 1 == parts.size())
                    console.line(res("Warning_If_governs") + std::to_string(number));
            } else if (startsWith(partUpper, "#ENDIF")) {
                include = true;
                add = true;
            }
            if (!include) continue;
            if (add) {
                keep(std::move(part));
            } else {
                add = true;
            }
        }
    }
    return statements;
}

}  // namespace compiler
