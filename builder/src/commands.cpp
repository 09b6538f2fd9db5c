#include "commands.h"

#include <algorithm>
#include <iterator>

#include "messages.h"

namespace build {

std::string shellQuote(std::string_view word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

namespace {

struct Places {
    explicit Places(const Project& project)
        : J(orNull(project.javaLocation)),
          W(orNull(project.j2meLocation)),
          P(project.path),
          N(orNull(project.name)),
          lib(W + "lib/"),
          CP(project.getClassPath()) {}
    std::string J, W, P, N, lib, CP;
};

bool mainUsesCldc11(const Project& project) {
    return project.uses3D() || project.usesFloats();
}

// The libraries of the main compile and the preverifier, in their fixed order. MIDP 2.0 carries a
// subset of the media API's classes: the media API comes first, so its whole classes are the ones seen.
std::vector<std::string> libraries(const Project& project, const std::string& lib, const std::string& cldc) {
    std::vector<std::string> libraries;
    if (project.usesMM()) libraries.push_back(lib + "mmapi.jar");
    libraries.push_back(lib + "midpapi20.jar");
    libraries.push_back(cldc);
    if (project.uses3D()) libraries.push_back(lib + "jsr184.jar");
    return libraries;
}

std::string joinPath(const std::vector<std::string>& entries) {
    std::string text;
    for (const auto& entry : entries) text += (text.empty() ? "" : ":") + entry;
    return text;
}

Argv javac(const Places& at, const std::string& bootClassPath, const std::string& classPath,
           const std::string& source) {
    // The tools run inside the project folder: its files go by names relative to it.
    return {at.J + "javac", "-bootclasspath", bootClassPath, "-d",  at.P + "tmpclasses", "-classpath",
            classPath,      source,           "-target",     "1.4", "-source",           "1.4"};
}

}  // namespace

std::string cldcVersion(const Project& project) {
    if (auto value = project.CLDCVersion()) return *value;
    return mainUsesCldc11(project) ? "11" : "10";
}

bool compiledAgainstCldc11(const Project& project) {
    bool listCompiles = !project.includes.empty() || !project.objects.empty();
    return mainUsesCldc11(project) || (listCompiles && cldcVersion(project) == "11");
}

std::vector<Argv> commandList(const Project& project) {
    Places at(project);
    std::string cldc = at.lib + "cldcapi" + cldcVersion(project) + ".jar";
    std::string midp = at.lib + "midpapi20.jar";
    std::string tmpclasses = at.P + "tmpclasses";
    std::vector<Argv> commands;
    // An include is part of the program (a media helper, a model class for the 3D statements): it gets
    // the media and 3D libraries of the main compile, with the descriptor's CLDC library.
    const std::string includeBoot = joinPath(libraries(project, at.lib, cldc));
    for (const auto& include : project.includes)
        commands.push_back(javac(at, includeBoot, at.CP + tmpclasses, toolPath(at.P, include + ".java")));
    // Object sources are record types: they need no project class path, but may use the 3D types.
    for (const auto& object : project.objects)
        commands.push_back(javac(at, midp + ":" + cldc + ":" + at.lib + "jsr184.jar", tmpclasses,
                                 toolPath(at.P, object + ".java")));

    std::vector<std::string> boot =
        libraries(project, at.lib, at.lib + (mainUsesCldc11(project) ? "cldcapi11.jar" : "cldcapi10.jar"));
    commands.push_back(javac(at, joinPath(boot), at.CP + tmpclasses, toolPath(at.P, at.N + ".java")));

    boot.push_back(tmpclasses);
    commands.push_back(
        {at.W + "bin/preverify", "-classpath", at.CP + joinPath(boot), "-d", at.P + "classes", tmpclasses});
    commands.push_back({at.J + "jar", "cmf", at.P + "MANIFEST.MF", toolPath(at.P, at.N + ".jar"), "-C",
                        at.P + "classes", "."});
    commands.push_back({"/bin/sh", at.P + "CBuild.bat"});
    return commands;
}

std::vector<std::string> commandOutputs(const Project& project) {
    Places at(project);
    std::vector<std::string> outputs(project.includes.size());
    for (const auto& object : project.objects)
        outputs.push_back(at.P + "tmpclasses/Game/" + object + ".class");
    outputs.push_back(at.P + "tmpclasses/Game/" + at.N + ".class");
    outputs.push_back(at.P + "classes/Game/" + at.N + ".class");
    outputs.push_back(at.P + at.N + ".jar");
    outputs.push_back("");
    return outputs;
}

std::string toolPath(const std::string& path, const std::string& file) {
    return path.empty() && file.starts_with('-') ? "./" + file : path + file;
}

std::vector<std::string> libraryJars(const Project& project) {
    Places at(project);
    std::vector<std::string> jars;
    auto add = [&](const std::vector<std::string>& more) {
        for (const auto& jar : more)
            if (std::find(jars.begin(), jars.end(), jar) == jars.end()) jars.push_back(jar);
    };
    const std::string cldc = at.lib + "cldcapi" + cldcVersion(project) + ".jar";
    if (!project.includes.empty()) add(libraries(project, at.lib, cldc));
    if (!project.objects.empty()) add({at.lib + "midpapi20.jar", cldc, at.lib + "jsr184.jar"});
    add(libraries(project, at.lib, at.lib + (mainUsesCldc11(project) ? "cldcapi11.jar" : "cldcapi10.jar")));
    return jars;
}

bool isCompilerFailureLine(std::string_view line) {
    // The kit's javac (the Eclipse compiler) on a class file it could not write, a full disk say.
    return line.starts_with("No .class file created for file");
}

std::string toolName(const Argv& argv) {
    if (argv.empty()) return {};
    const std::string& program = argv.size() > 1 && argv[0] == "/bin/sh" ? argv[1] : argv[0];
    const size_t slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

namespace {

// The files the build script adds by pattern "*<extension>" from the project folder.
constexpr std::string_view kImageFiles[] = {".png"};
constexpr std::string_view kSoundFiles[] = {".wav", ".mid", ".midi"};
constexpr std::string_view kMapFiles[] = {".fmp"};

// Whether a pattern of the script takes the file: a glob matches no folder and no leading dot.
bool matchedByPattern(const Project& project, std::string_view file) {
    if (file.empty() || file[0] == '.' || file.find('/') != std::string_view::npos) return false;
    auto matches = [&](auto& extensions) {
        return std::any_of(std::begin(extensions), std::end(extensions), [&](std::string_view extension) {
            return file.size() > extension.size() && file.ends_with(extension);
        });
    };
    return matches(kImageFiles) || matches(kSoundFiles) || (project.usesMappy() && matches(kMapFiles));
}

}  // namespace

std::vector<std::string> cbuildScript(const Project& project, const std::vector<std::string>& namedFiles) {
    Places at(project);
    const std::string jar = shellQuote(at.J + "jar") + " uf " + shellQuote(at.N + ".jar");
    std::vector<std::string> lines{"#!/bin/sh", "set -e", "cd " + shellQuote(at.P.empty() ? "." : at.P)};
    auto add = [&](auto& extensions) {
        for (std::string_view extension : extensions)
            lines.push_back("set -- *" + std::string(extension) + "; if [ -e \"$1\" ]; then " + jar +
                            " \"$@\"; fi");
    };
    lines.push_back(res("echo_Adding_Image"));
    lines.push_back("echo '**'");
    add(kImageFiles);
    lines.push_back(res("echo_Adding_Sound"));
    add(kSoundFiles);
    if (project.usesMappy()) {
        lines.push_back("echo '**'");
        lines.push_back(res("echo_Adding_mappy"));
        add(kMapFiles);
    }
    std::string named;
    for (const auto& file : namedFiles)
        if (!matchedByPattern(project, file)) named += " " + shellQuote(file);
    if (!named.empty()) lines.push_back(jar + named);
    return lines;
}

Argv emulatorCommand(const Project& project, const std::string& folder) {
    Places at(project);
    return {at.W + "bin/emulator", "-classpath", toolPath(folder, at.N + ".jar"),
            "-Xdescriptor:" + folder + at.N + ".jad"};
}

std::vector<std::string> runGameScript(const Project& project) {
    std::string command;
    for (const auto& word : emulatorCommand(project, project.shown(project.path)))
        command += (command.empty() ? "" : " ") + shellQuote(word);
    return {
        "#!/bin/sh",
        command,
        "printf 'Press Enter to continue . . . '; read -r key",
    };
}

}  // namespace build
