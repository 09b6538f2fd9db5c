// The kit's preverify: the wireless toolkit's command line, real CLDC preverification by ProGuard.
//   preverify [-classpath LIST] [-d OUTDIR] INPUT...
// LIST holds the library jars and folders, separated by ":" or ";". Each INPUT is a folder of classes
// (written into OUTDIR) or a jar or zip (written as OUTDIR/<its name>). OUTDIR defaults to "output".
// Nothing is shrunk, optimised or renamed; a class that the inputs reference and neither they nor the
// library hold is an error, as on the phone. Quiet on success; errors on stderr and exit 1 on failure.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "kit/process.h"
#include "warm_jvm.h"

namespace fs = std::filesystem;

namespace {

// Build-Linux runs this program's rows in the kit's tool host (tool_host.cpp, host/PreverifyRow.java,
// which does what this program does) when it finds this mark in the program's file
// (builder/src/tool_host.h).
[[gnu::used]] const char kToolHostMark[] = "tz-tool-host-row:preverify";

constexpr const char* kUsage =
    "Usage: preverify [-classpath <list>] [-d <output folder>] <class folder or jar>...";

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> entries;
    std::string entry;
    for (char c : list) {
        if (c == ':' || c == ';') {
            if (!entry.empty()) entries.push_back(entry);
            entry.clear();
        } else {
            entry += c;
        }
    }
    if (!entry.empty()) entries.push_back(entry);
    return entries;
}

fs::path canonicalPath(const fs::path& path) {
    std::error_code ec;
    fs::path result = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : result;
}

// A file name in ProGuard's configuration: absolute (ProGuard takes relative names from the configuration
// file's folder) and quoted, so that blanks, commas and brackets stay part of it. A relative name goes
// through the working folder's link in /proc, so that the folder's own path, whatever bytes it holds and
// however long it is, never reaches the configuration.
bool quoteName(const fs::path& path, std::string& out) {
    std::string name = path.is_absolute() ? path.lexically_normal().string()
                                          : "/proc/self/cwd/" + path.lexically_normal().string();
    if (name.find('<') != std::string::npos) return false;  // ProGuard reads <...> as a system property
    char quote = name.find('\'') == std::string::npos ? '\'' : '"';
    if (name.find(quote) != std::string::npos) return false;
    out = quote + name + quote;
    return true;
}

bool isProgressLine(const std::string& line) {
    static const char* const kPrefixes[] = {
        "ProGuard, version",   "Reading ",       "Preverifying", "Preparing output",
        "  Copying resources", "Writing output", "Initializing", "Ignoring unused library classes",
        "  Original number",   "  Final number", "Printing",     "Inlining subroutines"};
    if (line.empty()) return true;
    for (const char* prefix : kPrefixes) {
        if (line.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

// ProGuard's advice on how to silence its warnings does not apply here: missing classes are errors.
bool isAdviceLine(const std::string& line) {
    return line.rfind("Warning:", 0) != 0 && line.rfind("Error:", 0) != 0 && !line.empty() &&
           (line[0] == ' ' || line[0] == '\t' || line[0] == '(');
}

// ProGuard's command: on the kit's JVM started warm (warm_jvm.h), else on the distribution's java.
std::vector<std::string> proguardCommand(const std::string& configPath) {
    std::vector<std::string> argv;
    if (access(TZ_TOOL_JAVA, X_OK) == 0)
        argv = standins::warmJvm(TZ_TOOL_JAVA, "preverify");
    else
        argv = {TZ_JAVA, "-XX:TieredStopAtLevel=1", "-XX:+UseSerialGC"};
    argv.insert(argv.end(), {"-jar", TZ_PROGUARD_JAR, "@" + configPath});
    return argv;
}

int fail(const std::string& message) {
    std::cerr << "preverify: " << message << "\n";
    return 1;
}

int run(int argc, char** argv) {
    std::vector<std::string> classpath;
    fs::path output = "output";
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-classpath" || arg == "-cp" || arg == "-d") {
            if (i + 1 >= argc) return fail("missing value after " + arg + "\n" + kUsage);
            std::string value = argv[++i];
            if (arg == "-d") {
                output = value;
            } else {
                for (auto& entry : splitList(value)) classpath.push_back(entry);
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return fail("unknown option " + arg + "\n" + kUsage);
        } else {
            inputs.emplace_back(arg);
        }
    }
    if (inputs.empty()) return fail(std::string("no input given\n") + kUsage);

    std::string config =
        "-microedition\n-dontshrink\n-dontoptimize\n-dontobfuscate\n-dontnote\n"
        "-forceprocessing\n-keepattributes\n";
    std::vector<fs::path> inputPaths;
    for (const auto& input : inputs) {
        std::error_code ec;
        bool folder = fs::is_directory(input, ec);
        if (!folder && !fs::is_regular_file(input, ec)) return fail("cannot find " + input.string());
        std::string in, out;
        fs::path target = folder ? output : output / input.filename();
        if (!quoteName(input, in) || !quoteName(target, out)) {
            return fail("cannot pass the file name " + input.string() + " on");
        }
        config += "-injars " + in + "\n-outjars " + out + "\n";
        inputPaths.push_back(canonicalPath(input));
    }
    for (const auto& entry : classpath) {
        std::error_code ec;
        if (!fs::exists(entry, ec)) continue;  // as the toolkit: a missing entry adds nothing
        fs::path path = canonicalPath(entry);
        bool isInput = false;
        for (const auto& input : inputPaths) isInput = isInput || input == path;
        if (isInput) continue;  // the inputs themselves are program classes, not library classes
        std::string name;
        if (!quoteName(entry, name)) return fail("cannot pass the file name " + entry + " on");
        config += "-libraryjars " + name + "\n";
    }

    // The configuration lives in memory and reaches ProGuard as an inherited descriptor: no temporary
    // file outlives a preverify that is killed (a build's watchdog ends it with its whole process group).
    int fd = memfd_create("preverify-configuration", 0);
    if (fd < 0) return fail("cannot hold the configuration");
    for (size_t written = 0; written < config.size();) {
        ssize_t n = write(fd, config.data() + written, config.size() - written);
        if (n <= 0) {
            close(fd);
            return fail("cannot hold the configuration");
        }
        written += static_cast<size_t>(n);
    }
    std::error_code ec;
    fs::create_directories(output, ec);

    // ProGuard's two streams, interleaved as it wrote them.
    std::string printed;
    kit::Command command;
    command.argv = proguardCommand("/dev/fd/" + std::to_string(fd));
    command.searchPath = true;
    command.output = kit::Stream::Bytes;
    command.errors = kit::Stream::Output;
    command.onBytes = [&](std::string_view bytes) { printed.append(bytes); };
    const kit::Exit exit = kit::run(command);
    close(fd);
    if (!exit.started()) return fail("cannot start " + command.argv.front());
    if (exit.status == 0) return 0;

    std::string relayed;
    size_t pos = 0;
    while (pos < printed.size()) {
        size_t end = printed.find('\n', pos);
        if (end == std::string::npos) end = printed.size();
        std::string line = printed.substr(pos, end - pos);
        pos = end + 1;
        if (!isProgressLine(line) && !isAdviceLine(line)) relayed += line + "\n";
    }
    std::cerr << (relayed.empty() ? printed : relayed);
    return fail("preverification failed");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        return fail(e.what());
    } catch (...) {
        return fail("internal error");
    }
}
