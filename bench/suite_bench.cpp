// suite_bench: the example game from source to suite, what a user waits for at every F4, against one plain
// compile of the game's main class by the distribution's ecj, measured side by side.
//
//   suite_bench [--runs 7] [--example DIR] [--kit DIR] [--against DIR]
//
// --kit measures another kit folder (one built from an earlier commit, say) in place of this build's;
// --against measures a second kit's road in the same rounds, so that two kits compare on a busy machine.
// Side by side: each round runs the kit's Compile-Linux on a copy of the example (it translates, starts
// Build-Linux, which runs javac, preverify and jar) and then the distribution's ecj with the arguments the
// kit's javac passes it for the main compile (what the kit ran before its tools started warm); fastest and
// median of each, and their ratio.
// Steps: the same build in a kit folder of its own whose Build-Linux and tools are this program in front of
// the kit's own ones, noting when each started and ended; the median of each step and its share of the
// whole. The stand-ins cost a program start each, so these builds take a little longer. Where the kit has
// its tool host, the kit's javac and preverify stand as they are, so that their rows go to the host, and
// this program stands in front of the host: it passes the rows and their replies on and notes when the
// host was ready and when each row began and ended.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
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
#include <tuple>
#include <vector>

#include "kit/process.h"
#include "kit/program_folder.h"
#include "test_helpers.h"
#include "tool_host.h"

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

// Runs argv with `extraEnv` added in `workDir` ("": this process's), its output to `log` (nullptr:
// inherited); the exit status, or -1.
int runProgram(const Argv& argv, const std::vector<std::string>& extraEnv, const char* log,
               const std::string& workDir = "") {
    kit::Command command;
    command.argv = argv;
    command.environment = extraEnv;
    command.workDir = workDir;
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
// What the stand-ins note: "name, start, end, arguments", a line each, appended to the log.

struct Call {
    std::string name;
    long long start = 0, end = 0;
    Argv args;
};

void appendCall(const Call& call) {
    const char* log = std::getenv(kLogVariable);
    if (!log) return;
    std::string line =
        call.name + kFieldEnd + std::to_string(call.start) + kFieldEnd + std::to_string(call.end);
    for (const auto& arg : call.args) line += kFieldEnd + arg;
    line += "\n";
    int fd = ::open(log, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
        ssize_t written = ::write(fd, line.data(), line.size());
        (void)written;
        ::close(fd);
    }
}

bool sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

uint32_t number(std::string_view bytes) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// The rows whole in `pending` (build::encodeRow's form), taken from it.
std::vector<Argv> takeRows(std::string& pending) {
    std::vector<Argv> rows;
    for (;;) {
        if (pending.size() < 4) break;
        size_t at = 4;
        Argv row;
        bool whole = true;
        for (uint32_t word = 0, count = number(pending); word < count; ++word) {
            if (pending.size() < at + 4 || pending.size() < at + 4 + number(pending.substr(at, 4))) {
                whole = false;
                break;
            }
            const uint32_t length = number(pending.substr(at, 4));
            row.push_back(pending.substr(at + 4, length));
            at += 4 + length;
        }
        if (!whole) break;
        rows.push_back(row);
        pending.erase(0, at);
    }
    return rows;
}

// The stand-in: started as javac, jar, preverify or Build-Linux from the bench's kit folder, it runs the
// real program with the same arguments and streams and notes its call.

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
    appendCall({name, start, end, Argv(args.begin() + 1, args.end())});
    return status < 0 ? 127 : status;
}

// The stand-in of the tool host: starts the kit's host on a socket of its own and passes the rows and the
// replies on, noting when the host was ready ("tool-host", from this program's start) and each row ("javac"
// or "preverify" with its arguments, from its request, or the host's being ready, to its end). Build kills
// it with the host, so each is noted as soon as it is known.
int hostStandIn(int argc, char** argv) {
    const char* kit = std::getenv(kKitVariable);
    if (!kit || !std::getenv(kLogVariable)) {
        std::cerr << "suite_bench: tool-host stand-in started without " << kLogVariable << "\n";
        return 1;
    }
    const long long start = nowNs();
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return 3;
    kit::Command command;
    command.argv = {(fs::path(kit) / "jdk/bin/tool-host").string()};
    for (int i = 1; i < argc; ++i) command.argv.emplace_back(argv[i]);
    command.handOn = ends[1];
    command.handOnAs = STDIN_FILENO;
    kit::Child host;
    if (host.start(command) != 0) return 3;
    ::close(ends[1]);

    std::string requests;
    std::vector<Call> running;
    long long ready = 0;
    build::ReplyReader replies({[&] {
                                    ready = nowNs();
                                    appendCall({"tool-host", start, ready, {}});
                                    // A row sent before the host was ready begins now.
                                    for (Call& call : running) call.start = std::max(call.start, ready);
                                },
                                nullptr,
                                [&](int) {
                                    if (running.empty()) return;
                                    Call call = running.front();
                                    running.erase(running.begin());
                                    call.end = nowNs();
                                    appendCall(call);
                                }});
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {ends[0], POLLIN, 0}};
    char buffer[65536];
    for (bool open = true; open;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2 && open; ++i) {
            if (fds[i].revents == 0) continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0 || !sendAll(fds[1 - i].fd, std::string_view(buffer, static_cast<size_t>(n)))) {
                open = false;
                break;
            }
            if (i == 0) {
                requests.append(buffer, static_cast<size_t>(n));
                for (Argv row : takeRows(requests)) {
                    const std::string tool = row.front();
                    row.erase(row.begin());
                    running.push_back({tool, std::max(nowNs(), ready), 0, row});
                }
            } else {
                replies.feed(std::string_view(buffer, static_cast<size_t>(n)));
            }
        }
    }
    ::close(ends[0]);
    const kit::Exit exit = host.wait();
    return exit.status < 0 ? 1 : exit.status;
}

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
// itself), this program as Build-Linux, jar and the tool host (where the kit has one; else as javac and
// preverify, which are the kit's own otherwise), and the kit's API jars.
void layOutStandInKit(const fs::path& kit, const fs::path& realKit, const fs::path& self) {
    const bool host = fs::exists(realKit / "jdk/bin/tool-host");
    fs::create_directories(kit / "build/jdk/bin");
    fs::create_directories(kit / "jdk/bin");
    fs::create_directories(kit / "wtk/bin");
    fs::copy_file(realKit / "Compile-Linux", kit / "Compile-Linux", fs::copy_options::overwrite_existing);
    fs::copy_file(realKit / "Build-Linux", kit / "build/Build-Linux", fs::copy_options::overwrite_existing);
    for (const char* tool : {"Build-Linux", "jdk/bin/jar"}) fs::create_symlink(self, kit / tool);
    for (const char* tool : {"jdk/bin/javac", "wtk/bin/preverify"})
        fs::create_symlink(host ? realKit / tool : self, kit / tool);
    // Build finds the host in its own kit folder.
    if (host) fs::create_symlink(self, kit / "build/jdk/bin/tool-host");
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

int bench(const fs::path& self, const fs::path& realKit, const fs::path& against, const fs::path& example,
          int runs) {
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
        // The host: from its start to the end of its last row, its start and rows within that.
        auto host =
            std::find_if(made.begin(), made.end(), [](const Call& c) { return c.name == "tool-host"; });
        if (host != made.end()) {
            long long last = host->end;
            for (const Call& call : made)
                if (call.name == "javac" || call.name == "preverify") last = std::max(last, call.end);
            const double span = static_cast<double>(last - host->start) / 1e6;
            note("tool host, from its start to its last row", span);
            note("  its start, until ready for rows", static_cast<double>(host->end - host->start) / 1e6);
            tools += span;
        }
        for (const Call& call : made) {
            if (call.name == "Build-Linux" || call.name == "tool-host") continue;
            double ms = static_cast<double>(call.end - call.start) / 1e6;
            const bool row = host != made.end() && (call.name == "javac" || call.name == "preverify");
            note((row ? "  " : "") + stepLabel(call), ms);
            if (!row) tools += ms;
        }
        note("Build-Linux's own work", static_cast<double>(build->end - build->start) / 1e6 - tools);
        if (order.empty()) order = labels;
        for (const auto& [label, ms] : times) steps[label].push_back(ms);
        stepTotals.push_back(static_cast<double>(end - start) / 1e6);
    }

    // Side by side: the whole road (and the other kit's), then the plain compile, in turns.
    const fs::path project = work / "project", otherProject = work / "against";
    copyExample(example, project);
    copyExample(example, otherProject);
    std::vector<double> whole, other, plain;
    for (int run = 0; run < runs; ++run) {
        for (const auto& [kit, folder, times] :
             {std::tuple{realKit, project, &whole}, std::tuple{against, otherProject, &other}}) {
            if (kit.empty()) continue;
            long long start = nowNs();
            int status =
                runProgram({(kit / "Compile-Linux").string(), (folder / name).string()}, {}, log.c_str());
            times->push_back(static_cast<double>(nowNs() - start) / 1e9);
            if (status != 0 || !fs::exists(folder / (name + ".jar")))
                return failed((kit / "Compile-Linux").string());
        }
        long long start = nowNs();
        // The tools take the project's files by names relative to its folder.
        const int status = runProgram(ecj, {}, log.c_str(), reference.string());
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
    std::printf("  %-40s %9.2f %9.2f   (goal: at most 0.7)\n", "ratio", w.fastest / p.fastest,
                w.median / p.median);
    if (!against.empty()) {
        Stats o = stats(other);
        std::printf("  %-40s %7.3f s %7.3f s\n", "the same with the kit of --against", o.fastest, o.median);
        std::printf("  %-40s %9.2f %9.2f\n", "this kit's road against that one's", w.fastest / o.fastest,
                    w.median / o.median);
    }

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
    if (invokedAs == "tool-host") return hostStandIn(argc, argv);

    int runs = 7;
    fs::path example = fs::path(TZ_EXAMPLES_DIR) / "Skyward";
    fs::path kit = TZ_KIT_DIR, against;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--example" && i + 1 < argc) {
            example = fs::absolute(argv[++i]);
        } else if (arg == "--kit" && i + 1 < argc) {
            kit = fs::absolute(argv[++i]);
        } else if (arg == "--against" && i + 1 < argc) {
            against = fs::absolute(argv[++i]);
        } else {
            std::cerr << "usage: suite_bench [--runs N] [--example DIR] [--kit DIR] [--against DIR]\n";
            return 1;
        }
    }
    const fs::path self = kit::programPath();
    if (self.empty()) {
        std::cerr << "suite_bench: cannot find its own program\n";
        return 1;
    }
    return bench(self, kit, against, example, runs);
}
