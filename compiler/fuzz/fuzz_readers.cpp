// Fuzzes the readers of the files users and programs hand over: the project file (compiler) and the
// build descriptor with Config.cfg (Build). The first byte picks the reader.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "driver/context.h"
#include "driver/project.h"
#include "project.h"

namespace {

const std::string& scratchFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/tz-fuzz-readers-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        return std::string(made ? made : "/tmp") + "/";
    }();
    return folder;
}

void writeFile(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string& folder = scratchFolder();
    if (data[0] & 1) {
        writeFile(folder + "Config.cfg", folder + "jdk/bin/\n" + folder + "wtk/\n" + folder + "\n");
        writeFile(folder + "Game.tbp", text);
        std::ostringstream out;
        compiler::Context ctx(out, false);
        try {
            compiler::readProject(ctx.project, folder + "Game.tbp", {folder, false}, ctx.console);
        } catch (const compiler::RunAbort&) {
        }
    } else {
        // The descriptor and Config.cfg share the input: the first NUL byte divides them.
        std::size_t cut = text.find('\0');
        writeFile(folder + "Game.tbx", text.substr(0, cut));
        writeFile(folder + "Config.cfg", cut == std::string::npos ? "" : text.substr(cut + 1));
        build::Project project;
        (void)project.read(folder + "Game.tbx", folder);
    }
    return 0;
}
