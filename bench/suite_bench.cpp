// suite_bench: the example game from source to suite, what a user waits for at every F4, against one plain
// compile of the game's main class by the distribution's ecj, measured side by side.
//
//   suite_bench [--runs 7] [--example DIR] [--kit DIR]
//
// --kit measures another kit folder (one built from an earlier commit, say) in place of this build's.
// Side by side: each round runs the kit's Compile-Linux on a copy of the example (it translates, starts
// Build-Linux, which runs javac, preverify and jar) and then the distribution's ecj with the arguments the
// kit's javac passes it for the main compile (what the kit ran before its tools started warm); fastest and
// median of each, and their ratio.
// Steps: the same build in a kit folder of its own whose Build-Linux and Java tools are this program in
// front of the kit's own ones, noting when each started and ended; the median of each step and its share
// of the whole. The stand-ins cost a program start each, so these builds take a little longer.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "kit/process.h"
#include "kit/program_folder.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;
using Argv = std::vector<std::string>;

constexpr const char* kLogVariable = "TZ_SUITE_BENCH_LOG";
constexpr const char* kKitVariable = "TZ_SUITE_BENCH_KIT";
constexpr char kFieldEnd = '\x1f';

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

using tz::testing::readFile;
using tz::testing::writeFile;

// Runs argv with `extraEnv` added, its output to `log` (nullptr: inherited); the exit status, or -1.
int runProgram(const Argv& argv, const std::vector<std::string>& extraEnv, const char* log) {
    kit::Command command;
    command.argv = argv;
    command.environment = extraEnv;
    if (log) {
        command.input = kit::Stream::Null;
        command.output = kit::Stream::File;
        command.file = log;
        command.errors = kit::Stream::Output;
    }
    const kit::Exit exit = kit::run(command);
    if (!exit.started()) return -1;
    return exit.signal != 0 ? 128 + exit.signal : exit.status;
}

// ---------------------------------------------------------------------------------------------------
// The stand-in: started as javac, jar, preverify or Build-Linux from the bench's kit folder, it runs the
// real program with the same arguments and streams and appends "name, start, end, arguments" to the log.

int standIn(const std::string& name, int argc, char** argv) {
    const char* log = std::getenv(kLogVariable);
    const char* kit = std::getenv(kKitVariable);
    if (!log || !kit) {
        std::cerr << "suite_bench: " << name << " stand-in started without " << kLogVariable << "\n";
        return 1;
    }
    fs::path real = name == "Build-Linux" ? fs::path(argv[0]).parent_path() / "build/Build-Linux"
                    : name == "preverify" ? fs::path(kit) / "wtk/bin/preverify"
                                          : fs::path(kit) / "jdk/bin" / name;
    Argv args = {real.string()};
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    long long start = nowNs();
    int status = runProgram(args, {}, nullptr);
    long long end = nowNs();
    std::string line = name + kFieldEnd + std::to_string(start) + kFieldEnd + std::to_string(end);
    for (int i = 1; i < argc; ++i) line += kFieldEnd + std::string(argv[i]);
    line += "\n";
    int fd = ::open(log, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
        ssize_t written = ::write(fd, line.data(), line.size());
        (void)written;
        ::close(fd);
    }
    return status < 0 ? 127 : status;
}

struct Call {
    std::string name;
    long long start = 0, end = 0;
    Argv args;
};

std::vector<Call> readCalls(const fs::path& log) {
    std::vector<Call> calls;
    std::istringstream in(readFile(log));
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::string field;
        for (char c : line + kFieldEnd) {
            if (c == kFieldEnd) {
                fields.push_back(field);
                field.clear();
            } else {
                field += c;
            }
        }
        if (fields.size() < 3) continue;
        Call call{fields[0], std::stoll(fields[1]), std::stoll(fields[2]), {}};
        call.args.assign(fields.begin() + 3, fields.end());
        calls.push_back(call);
    }
    std::sort(calls.begin(), calls.end(), [](const Call& a, const Call& b) { return a.start < b.start; });
    return calls;
}

// ---------------------------------------------------------------------------------------------------
// The bench.

struct Stats {
    double fastest = 0, median = 0;
};

Stats stats(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    if (values.empty()) return {};
    size_t n = values.size();
    double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {values.front(), median};
}

// The kit folder of the step runs: copies of Compile-Linux and Build-Linux (each finds Config.cfg beside
// itself), this program as Build-Linux, javac, jar and preverify, and the kit's API jars.
void layOutStandInKit(const fs::path& kit, const fs::path& realKit, const fs::path& self) {
    fs::create_directories(kit / "build");
    fs::create_directories(kit / "jdk/bin");
    fs::create_directories(kit / "wtk/bin");
    fs::copy_file(realKit / "Compile-Linux", kit / "Compile-Linux", fs::copy_options::overwrite_existing);
    fs::copy_file(realKit / "Build-Linux", kit / "build/Build-Linux", fs::copy_options::overwrite_existing);
    for (const char* tool : {"Build-Linux", "jdk/bin/javac", "jdk/bin/jar", "wtk/bin/preverify"})
        fs::create_symlink(self, kit / tool);
    fs::create_directory_symlink(realKit / "wtk/lib", kit / "wtk/lib");
    fs::create_directory_symlink(realKit / "Include", kit / "build/Include");
    // Line 3 names the folder of each program, so the stand-in tools count as tools chosen elsewhere.
    const std::string tools = (kit / "jdk/bin/").string() + "\n" + (kit / "wtk/").string() + "\n";
    writeFile(kit / "Config.cfg", tools + (kit / "").string() + "\n");
    writeFile(kit / "build/Config.cfg", tools + (kit / "build/").string() + "\n");
}

bool copyExample(const fs::path& example, const fs::path& project) {
    fs::create_directories(project);
    for (const auto& entry : fs::directory_iterator(example)) {
        std::string extension = entry.path().extension().string();
        if (extension == ".tbp" || extension == ".bss" || extension == ".png" || extension == ".wav" ||
            extension == ".mid" || extension == ".fmp")
            fs::copy_file(entry.path(), project / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    }
    return true;
}

std::string projectName(const fs::path& example) {
    for (const auto& entry : fs::directory_iterator(example))
        if (entry.path().extension() == ".tbp") return entry.path().stem().string();
    return "";
}

// A step's label: the tool and what it works on.
std::string stepLabel(const Call& call) {
    if (call.name == "javac") {
        for (const auto& arg : call.args)
            if (arg.ends_with(".java")) return "javac " + fs::path(arg).filename().string();
    }
    if (call.name == "jar" && !call.args.empty()) return "jar " + call.args.front();
    return call.name;
}

int bench(const fs::path& self, const fs::path& realKit, const fs::path& example, int runs) {
    const std::string name = projectName(example);
    if (name.empty() || !fs::exists(realKit / "Compile-Linux")) {
        std::cerr << "suite_bench: no project in " << example << " or no Compile-Linux in " << realKit
                  << "\n";
        return 1;
    }
    char pattern[] = "/tmp/tz-suite-bench-XXXXXX";
    const fs::path work = ::mkdtemp(pattern);
    const fs::path standInKit = work / "kit", log = work / "output.log", calls = work / "calls.log";
    layOutStandInKit(standInKit, realKit, self);
    const std::vector<std::string> standInEnv = {std::string(kLogVariable) + "=" + calls.string(),
                                                 std::string(kKitVariable) + "=" + realKit.string()};
    auto failed = [&](const std::string& what) {
        std::cerr << "suite_bench: " << what << " failed:\n" << readFile(log);
        fs::remove_all(work);
        return 1;
    };

    // The main compile's arguments, from a build that keeps its Java for ecj to compile again.
    const fs::path reference = work / "reference";
    copyExample(example, reference);
    std::vector<std::string> keepJava = standInEnv;
    keepJava.push_back("TZ_KEEP_JAVA=1");
    if (runProgram({(standInKit / "Compile-Linux").string(), (reference / name).string()}, keepJava,
                   log.c_str()) != 0)
        return failed("the first build");
    Argv ecj = {TZ_ECJ, "-nowarn", "-encoding", "UTF-8"};
    for (const Call& call : readCalls(calls))
        if (call.name == "javac" && stepLabel(call) == "javac " + name + ".java")
            ecj.insert(ecj.end(), call.args.begin(), call.args.end());
    if (ecj.size() == 4) return failed("finding the main compile in the first build");

    // The steps, through the stand-ins.
    const fs::path stepsProject = work / "steps";
    copyExample(example, stepsProject);
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> steps;
    std::vector<double> stepTotals;
    for (int run = 0; run < runs; ++run) {
        fs::remove(calls);
        long long start = nowNs();
        int status = runProgram({(standInKit / "Compile-Linux").string(), (stepsProject / name).string()},
                                standInEnv, log.c_str());
        long long end = nowNs();
        if (status != 0) return failed("a build through the stand-ins");
        std::vector<Call> made = readCalls(calls);
        auto build =
            std::find_if(made.begin(), made.end(), [](const Call& c) { return c.name == "Build-Linux"; });
        if (build == made.end()) return failed("finding Build-Linux's run");
        std::map<std::string, double> times;
        std::vector<std::string> labels;
        auto note = [&](const std::string& label, double ms) {
            if (!times.count(label)) labels.push_back(label);
            times[label] += ms;
        };
        note("compile (Compile-Linux's translation)",
             static_cast<double>((build->start - start) + (end - build->end)) / 1e6);
        double tools = 0;
        for (const Call& call : made) {
            if (call.name == "Build-Linux") continue;
            double ms = static_cast<double>(call.end - call.start) / 1e6;
            note(stepLabel(call), ms);
            tools += ms;
        }
        note("Build-Linux's own work", static_cast<double>(build->end - build->start) / 1e6 - tools);
        if (order.empty()) order = labels;
        for (const auto& [label, ms] : times) steps[label].push_back(ms);
        stepTotals.push_back(static_cast<double>(end - start) / 1e6);
    }

    // Side by side: the whole road, then the plain compile, in turns.
    const fs::path project = work / "project";
    copyExample(example, project);
    std::vector<double> whole, plain;
    for (int run = 0; run < runs; ++run) {
        long long start = nowNs();
        int status =
            runProgram({(realKit / "Compile-Linux").string(), (project / name).string()}, {}, log.c_str());
        whole.push_back(static_cast<double>(nowNs() - start) / 1e9);
        if (status != 0 || !fs::exists(project / (name + ".jar"))) return failed("Compile-Linux");
        start = nowNs();
        status = runProgram(ecj, {}, log.c_str());
        plain.push_back(static_cast<double>(nowNs() - start) / 1e9);
        if (status != 0) return failed("ecj");
    }

    double load[3] = {0, 0, 0};
    ::getloadavg(load, 3);
    Stats w = stats(whole), p = stats(plain);
    std::printf("%s from source to suite, %d runs each, side by side (load average %.2f %.2f %.2f)\n",
                name.c_str(), runs, load[0], load[1], load[2]);
    std::printf("  %-40s %9s %9s\n", "", "fastest", "median");
    std::printf("  %-40s %7.3f s %7.3f s\n", "Compile-Linux, source to suite", w.fastest, w.median);
    std::printf("  %-40s %7.3f s %7.3f s\n", ("ecj, " + name + ".java alone").c_str(), p.fastest, p.median);
    std::printf("  %-40s %9.2f %9.2f   (goal: at most 1.3)\n", "ratio", w.fastest / p.fastest,
                w.median / p.median);

    Stats total = stats(stepTotals);
    std::printf("\nSteps of one build (median of %d, through stand-ins; whole build %.0f ms):\n", runs,
                total.median);
    for (const auto& label : order) {
        double ms = stats(steps[label]).median;
        std::printf("  %-40s %7.0f ms %5.1f %%\n", label.c_str(), ms, 100.0 * ms / total.median);
    }
    fs::remove_all(work);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string invokedAs = fs::path(argv[0]).filename().string();
    if (invokedAs == "javac" || invokedAs == "jar" || invokedAs == "preverify" || invokedAs == "Build-Linux")
        return standIn(invokedAs, argc, argv);

    int runs = 7;
    fs::path example = fs::path(TZ_EXAMPLES_DIR) / "Skyward";
    fs::path kit = TZ_KIT_DIR;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--example" && i + 1 < argc) {
            example = fs::absolute(argv[++i]);
        } else if (arg == "--kit" && i + 1 < argc) {
            kit = fs::absolute(argv[++i]);
        } else {
            std::cerr << "usage: suite_bench [--runs N] [--example DIR] [--kit DIR]\n";
            return 1;
        }
    }
    const fs::path self = kit::programPath();
    if (self.empty()) {
        std::cerr << "suite_bench: cannot find its own program\n";
        return 1;
    }
    return bench(self, kit, example, runs);
}
