#pragma once

#include <sys/types.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "kit/process.h"
#include "temp_dir.h"

#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QString>
#endif

// What every test binary shares: whole files, lines, folders, running a program, the copies of the kit and
// of an example project a test works on.
namespace tz::testing {

// The whole file; the empty text when there is none.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the whole file, making its folders first.
inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

#ifdef QT_CORE_LIB
// The same for the Qt tests' paths and bytes.
inline QByteArray readFile(const QString& path) {
    return QByteArray::fromStdString(readFile(std::filesystem::path(path.toStdString())));
}
inline void writeFile(const QString& path, const QByteArray& bytes) {
    writeFile(std::filesystem::path(path.toStdString()), bytes.toStdString());
}
#endif

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The names of the entries of a folder, sorted.
inline std::vector<std::string> listDir(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A word a shell script of a test takes as it is.
inline std::string shellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// How a program a test ran ended and what it printed.
struct ProgramRun {
    int status = -1;     // the exit status; 128 + the signal that ended it; -1 when it did not start
    std::string output;  // standard output, with standard error unless the run keeps them apart
    std::string errors;  // standard error, when kept apart
};

enum class Errors { WithOutput, Apart };

// Runs a program to its end through the kit's own way of starting one (kit/process.h): an argv list, no
// shell, argv[0] looked up in PATH when it holds no "/", in the working folder `workDir` ("" keeps the
// test's), with the environment entries "NAME=value" added, standard input empty.
inline ProgramRun runProgram(const std::string& workDir, const std::vector<std::string>& argv,
                             const std::vector<std::string>& environment = {},
                             Errors errors = Errors::WithOutput) {
    ProgramRun run;
    kit::Command command;
    command.argv = argv;
    command.searchPath = true;
    command.workDir = workDir;
    command.environment = environment;
    command.input = kit::Stream::Null;
    command.output = kit::Stream::Bytes;
    command.onBytes = [&](std::string_view bytes) { run.output.append(bytes); };
    command.errors = kit::Stream::Output;
    // One sink takes the piped bytes: standard error kept apart goes to a file of its own.
    std::optional<TempDir> streams;
    if (errors == Errors::Apart) {
        streams.emplace("tz-run-");
        command.errors = kit::Stream::File;
        command.file = *streams / "errors";
    }
    const kit::Exit exit = kit::run(command);
    if (exit.started()) run.status = exit.signal ? 128 + exit.signal : exit.status;
    if (errors == Errors::Apart) run.errors = readFile(command.file);
    return run;
}

// True once the process has ended; a killed process whose parent has not reaped it yet counts as ended.
inline bool processGone(pid_t pid) {
    std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    if (stat.empty()) return true;
    size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

// A bundled example project (`example` is its folder, which holds `<folder name>.tbp`) copied into `to`,
// as a user's fresh project: the project file, its sources (the main source, the execution copy, each
// include's `.bss` or `.java`) and the media it loads, subfolders kept. Nothing an earlier compile or build
// left in the example (a suite, class folders, the descriptor, scripts) comes along, so a test's build
// starts from the sources alone whatever the user ran in the source tree before. False when the project
// file is missing or a copy fails.
inline bool copyExampleProject(const std::filesystem::path& example, const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    const std::string base = example.filename().string();
    const std::string project = readFile(example / (base + ".tbp"));
    if (project.empty()) return false;
    std::vector<std::string> names = {base + ".tbp", base + "X.bss"};
    for (const std::string& line : splitLines(project)) {
        std::string value = line.substr(line.find('=') + 1);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        if (line.starts_with("Main=")) names.push_back(value + ".bss");
        if (line.starts_with("Include=")) {
            names.push_back(value + ".bss");
            names.push_back(value + ".java");
        }
    }
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(example, error); !error && entry != fs::end(entry);
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (entry->is_directory() && (name == "classes" || name == "tmpclasses")) {
            entry.disable_recursion_pending();
            continue;
        }
        std::string extension = entry->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        static const std::vector<std::string> kMedia = {".png", ".jpg",  ".gif", ".wav",
                                                        ".mid", ".midi", ".fmp", ".m3g"};
        if (entry->is_regular_file() && std::find(kMedia.begin(), kMedia.end(), extension) != kMedia.end())
            names.push_back(fs::relative(entry->path(), example).string());
    }
    if (error) return false;
    fs::create_directories(to, error);
    for (const std::string& name : names) {
        if (!fs::is_regular_file(example / name)) continue;
        fs::create_directories((to / name).parent_path(), error);
        fs::copy_file(example / name, to / name, fs::copy_options::overwrite_existing, error);
        if (error) return false;
    }
    return fs::is_regular_file(to / (base + ".tbp"));
}

// The project file of a project `name` for `platform`, with `lines` after its own ("Include=..." say), and
// its execution copy `<name>X.bss` holding `source`, in `folder`: a project as the editor leaves it for a
// compile.
inline void writeProject(const std::filesystem::path& folder, const std::string& source,
                         const std::string& platform = "TB", const std::string& name = "Game",
                         const std::string& lines = "") {
    writeFile(folder / (name + ".tbp"), "// Tesvo Zorid v1.1.0 Project File\nMain=" + name +
                                            "\nRun=0\nName=" + name + "\nPlatform=" + platform +
                                            "\nInc=true\n" + lines);
    writeFile(folder / (name + "X.bss"), source);
}

// The Config.cfg of the kit folder `kit` that names the kit's own tools ("jdk/bin/" and "wtk/" in it) and the
// kit itself; `look`, when given, is a fourth line.
inline void writeKitConfig(const std::filesystem::path& kit,
                           const std::optional<std::string>& look = std::nullopt) {
    const std::string folder = kit.string() + "/";
    writeFile(kit / "Config.cfg",
              folder + "jdk/bin/\n" + folder + "wtk/\n" + folder + "\n" + (look ? *look + "\n" : ""));
}

// The kit built in `kit` copied into `to` (links as links), but the editor's program, with a Config.cfg of
// its own whose three folders are the copy's: a test runs the copy's programs and tools, never writes into
// the kit a user runs, nor depends on what its Config.cfg holds. `look`, when given, is a fourth line.
// False when a copy fails.
inline bool copyKit(const std::filesystem::path& kit, const std::filesystem::path& to,
                    const std::optional<std::string>& look = std::nullopt) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(to, error);
    for (const fs::directory_entry& entry : fs::directory_iterator(kit, error)) {
        if (entry.path().filename() == "Editor-Linux") continue;
        fs::copy(entry.path(), to / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
        if (error) return false;
    }
    if (error) return false;
    writeKitConfig(to, look);
    return true;
}

}  // namespace tz::testing
