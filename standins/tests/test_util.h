#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "test_helpers.h"

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

using ToolRun = tz::testing::ProgramRun;
using tz::testing::readFile;
using tz::testing::writeFile;

// Runs a tool to its end, its two streams kept apart.
inline ToolRun run(const std::vector<std::string>& argv) {
    return tz::testing::runProgram({}, argv, {}, tz::testing::Errors::Apart);
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
