#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"

extern char** environ;

namespace standins::test {

namespace fs = std::filesystem;

inline const fs::path kKit = TZ_KIT_DIR;
inline const fs::path kData = TZ_TEST_DATA;
inline const std::string kJavac = (kKit / "jdk/bin/javac").string();
inline const std::string kJar = (kKit / "jdk/bin/jar").string();
inline const std::string kPreverify = (kKit / "wtk/bin/preverify").string();
inline const std::string kEmulator = (kKit / "wtk/bin/emulator").string();
inline const std::string kToolHost = (kKit / "jdk/bin/tool-host").string();
inline std::string lib(const std::string& jar) {
    return (kKit / "wtk/lib" / jar).string();
}

// A fresh folder whose name holds a blank, removed at the end of the test.
class TempDir : public tz::testing::TempDir {
public:
    TempDir() : tz::testing::TempDir("tz standins ") {}
};

struct ToolRun {
    int status = -1;
    std::string out, err;
};

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a program without a shell; its two streams are kept apart.
inline ToolRun run(const std::vector<std::string>& argv) {
    TempDir streams;
    std::string outPath = streams / "out", errPath = streams / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ToolRun result;
    pid_t pid;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

// The phone compile exactly as Build writes it: ";"-separated lists that end in ";".
inline ToolRun compileForPhone(const std::string& outDir, const std::vector<std::string>& sources,
                               const std::string& cldc = "cldcapi10.jar") {
    std::vector<std::string> argv = {kJavac, "-bootclasspath", lib("midpapi20.jar") + ";" + lib(cldc) + ";",
                                     "-d",   outDir,           "-classpath",
                                     outDir};
    argv.insert(argv.end(), sources.begin(), sources.end());
    argv.insert(argv.end(), {"-target", "1.4", "-source", "1.4"});
    return run(argv);
}

}  // namespace standins::test
