// Fuzzes the readers of the files users and programs hand over: kit_common's readers of the project file,
// the build descriptor and Config.cfg in memory, with what must hold of each (what a writer writes of a read
// file reads back the same; a copied kit's folders stay usable), and the programs' own readings of the files
// on disk: the compiler's of the project file, Build's of the descriptor with Config.cfg. The first byte
// picks the file on disk.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "driver/context.h"
#include "driver/project.h"
#include "kit/class_path.h"
#include "kit/config_file.h"
#include "kit/descriptor.h"
#include "kit/project_file.h"
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

void require(bool holds) {
    if (!holds) std::abort();
}

void checkFormats(const std::string& text) {
    const kit::Lines lines = kit::splitLines(text);
    for (const std::string& line : lines) require(line.find_first_of("\r\n") == std::string::npos);
    (void)kit::utf8Lines(text);

    kit::ProjectFile project = kit::readProjectFile(lines);
    if (!project.main) project.main = "";
    if (!project.name) project.name = "";
    if (!project.run) project.run = "0";
    require(kit::readProjectFile(kit::splitLines(kit::joinLines(kit::projectFileLines(project)))) == project);

    const kit::Descriptor descriptor = kit::readDescriptor(lines);
    require(kit::readDescriptor(kit::splitLines(kit::joinLines(kit::descriptorLines(descriptor)))) ==
            descriptor);

    kit::ConfigFile config = kit::readConfigFile(lines);
    const bool usable = !kit::configFault(config, "Config.cfg");
    const bool moved = kit::relocate(config, "/kit/");
    require(usable == !kit::configFault(config, "Config.cfg"));
    require(!moved || *config.tbLocation == "/kit/");
    require(!kit::relocate(config, "/kit/"));
    for (const auto& folder : {config.javaLocation, config.j2meLocation, config.tbLocation})
        require(kit::classPathFault("The folder", folder.value_or("")).has_value() ==
                kit::classPathSeparatorIn(folder.value_or("")).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    checkFormats(text);
    const std::string& folder = scratchFolder();
    if (data[0] & 1) {
        writeFile(folder + "Config.cfg", folder + "jdk/bin/\n" + folder + "wtk/\n" + folder + "\n");
        writeFile(folder + "Game.tbp", text);
        std::ostringstream out;
        compiler::Context ctx(out, false);
        try {
            compiler::readProject(ctx.project, folder + "Game.tbp", {folder, false}, ctx.console);
        } catch (const compiler::CompileException&) {
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
