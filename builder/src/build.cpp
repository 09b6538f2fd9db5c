#include "build.h"

#include <sys/stat.h>

#include <algorithm>
#include <exception>
#include <filesystem>

#include "commands.h"
#include "file_copy.h"
#include "messages.h"
#include "resources.h"
#include "text_file.h"
#include "watchdog.h"
#include "writers.h"

namespace build {
namespace {

// A phone project whose name is a plain file name, so that its suite lies in the project folder.
bool namesASuiteOfItsFolder(const Project& project) {
    const std::optional<std::string>& name = project.name;
    return project.platform == "J2ME" && name && !name->empty() && *name != "." && *name != ".." &&
           name->find('/') == std::string::npos;
}

}  // namespace

int Build::main(const std::vector<std::string>& args) {
    try {
        return run(args);
    } catch (const std::exception& failure) {
        console_.line(res("Error_Unknown_error"));
        console_.line(failure.what());
    } catch (...) {
        console_.line(res("Error_Unknown_error"));
    }
    return kFailure;
}

int Build::run(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        console_.line(res("Error_The_number_of"));
        return kFailure;
    }
    console_.line(res("Welcome_to_the_Tesvo"));
    console_.line(res("Public_Release"));
    console_.line(res("This_program_is"));
    console_.line(kSeparatorLine);

    std::string descriptor = args[0] + ".tbx";
    auto read = project_.read(descriptor, settings_.installDir);
    if (read.status == Project::ReadStatus::Refused) {
        console_.line(read.message);
        // No tool ran: the suite of an earlier build would pass for this one.
        if (namesASuiteOfItsFolder(project_)) {
            deleteIfExists(project_.path + *project_.name + ".jar");
            deleteIfExists(project_.path + *project_.name + ".jad");
        }
        return kFailure;
    }
    if (read.status == Project::ReadStatus::Failed) {
        console_.line(read.message);
        console_.line(res("Error_Could_not") + descriptor + "\"");
        return kFailure;
    }

    const auto& platform = project_.platform;
    if (platform == "J2ME") return buildJ2ME();
    if (platform == "PPC") return buildPC();
    if (platform == "Applet") return buildApplet();
    if (platform == "PC") return buildPC();
    console_.line(res("Build_Error_Unknown") + orNull(platform));
    return kFailure;
}

void Build::cleanUp(bool descriptor) {
    const std::string& path = project_.path;
    std::string name = orNull(project_.name);
    deleteIfExists(path + "MANIFEST.MF");
    deleteIfExists(path + "CBuild.bat");
    if (descriptor) deleteIfExists(path + name + ".tbx");
}

RunResult Build::runRelayed(const std::vector<std::string>& argv) {
    RunResult result = runner_.run(argv, {}, [this](const std::string& line) { console_.line(line); });
    if (!result.started && !result.cancelled) console_.line(result.error);
    return result;
}

int Build::writeFailure(const std::string& description) {
    console_.line(res("Error_Cannot_write"));
    console_.line(description);
    return kFailure;
}

bool Build::sortIncludes() {
    const std::string& path = project_.path;
    std::vector<std::string> classes;
    for (const auto& include : project_.includes) {
        if (isRegularFile(path + include + ".java")) {
            classes.push_back(include);
        } else if (!isRegularFile(path + include + ".bss")) {
            console_.line(std::string(kMissingInclude) + include + " (" + include + ".java or " + include +
                          ".bss) in the project folder " + (path.empty() ? "./" : path));
            return false;
        }
    }
    project_.includes = std::move(classes);
    return true;
}

int Build::buildPC() {
    console_.line(kSeparatorLine);
    console_.line(res("Copying_Support_Files"));
    if (!FileCopyManager::copyFiles(console_, project_)) return kFailure;
    console_.line(kSeparatorLine);
    console_.line(res("Program_compiled"));
    if (project_.run != 1) return kSuccess;

    console_.line(kSeparatorLine);
    console_.line(res("Executing_Application"));
    // The runtime by the name it was copied under; a path with a "/" is never looked up on PATH.
    std::string program = project_.path + orNull(project_.name) + ".exe";
    if (program.find('/') == std::string::npos) program = "./" + program;
    RunResult result = runRelayed({program});
    console_.line(res("Executing_Finished"));
    return result.ok() ? kSuccess : kFailure;
}

int Build::buildApplet() {
    const std::string& path = project_.path;
    std::string name = orNull(project_.name);
    if (!sortIncludes()) return kFailure;
    // Compiled against the JDK's own class library into the project folder: the class lands in Game/.
    // The record types and include files the program uses are compiled with it.
    std::vector<std::string> argv = {orNull(project_.javaLocation) + "javac", "-d", path.empty() ? "." : path,
                                     path + name + ".java"};
    for (const auto& object : project_.objects) argv.push_back(path + object + ".java");
    for (const auto& include : project_.includes) argv.push_back(path + include + ".java");
    RunResult compiled = runRelayed(argv);
    if (!compiled.ok()) {
        console_.line(kInternalError);
        return kFailure;
    }
    if (auto failure = HTML::writeHTML(path, name)) return writeFailure(*failure);
    return kSuccess;
}

std::vector<std::string> Build::resourcesToPack() {
    const std::string& path = project_.path;
    std::vector<std::string> sources{path + orNull(project_.name) + ".java"};
    for (const auto& include : project_.includes) sources.push_back(path + include + ".java");
    for (const auto& object : project_.objects) sources.push_back(path + object + ".java");

    std::vector<std::string> files, missing;
    for (const auto& source : sources) {
        std::string ignored;
        auto text = readText(source, ignored);
        if (!text) continue;  // javac will say so
        for (const auto& name : loadedResources(*text)) {
            auto file = resourceFile(name);
            if (!file) continue;
            auto& list = insideProject(*file) && isRegularFile(path + *file) ? files : missing;
            if (std::find(list.begin(), list.end(), *file) == list.end()) list.push_back(*file);
        }
    }
    for (const auto& file : missing) console_.line(std::string(kMissingResource) + "\"" + path + file + "\"");
    return files;
}

int Build::buildJ2ME() {
    const std::string& path = project_.path;
    std::string name = orNull(project_.name);
    std::string jar = path + name + ".jar";
    std::string jad = path + name + ".jad";
    // A failed build leaves no suite: neither a half-written jar nor the jar and JAD of an earlier build,
    // which would pass for the result of this one (a jar without its JAD is no suite a phone installs),
    // nor its manifest and build script.
    deleteIfExists(jar);
    deleteIfExists(jad);
    auto failed = [&] {
        cleanUp(false);
        deleteIfExists(jar);
        deleteIfExists(jad);
        return kFailure;
    };
    if (!sortIncludes()) return failed();

    Watchdog watchdog(settings_.timeout, [this] {
        runner_.cancel();
        console_.line(kTimedOutLine);
        console_.line(kContactLine);
    });
    watchdog.start();

    if (!Manifest::write(console_, path, name, compiledAgainstCldc11(project_))) return failed();

    console_.line(kSeparatorLine);
    console_.line(res("Preparing_Directories"));
    // Emptied first: classes of an earlier build must never reach the jar.
    for (const char* folder : {"tmpclasses", "classes"}) {
        std::error_code error;
        std::filesystem::path directory = path + folder;
        std::filesystem::remove_all(directory, error);
        if (!error) std::filesystem::create_directories(directory / "Game", error);
        if (error) {
            writeFailure(directory.string() + " (" + error.message() + ")");
            return failed();
        }
    }
    if (watchdog.expired()) return failed();

    console_.line(kSeparatorLine);
    console_.line(res("Copying_Support_Files"));
    if (!FileCopyManager::copyFiles(console_, project_)) return failed();
    if (watchdog.expired()) return failed();

    console_.line(kSeparatorLine);
    console_.line(res("Determing_Compilation"));
    auto resources = resourcesToPack();
    for (const auto& [file, lines] : {std::pair{"CBuild.bat", cbuildScript(project_, resources)},
                                      std::pair{"RunGame.bat", runGameScript(project_)}}) {
        if (auto failure = writeLines(path + file, lines, 0755)) {
            writeFailure(*failure);
            return failed();
        }
    }
    auto commands = commandList(project_);

    console_.line(kSeparatorLine);
    console_.line(res("Compiling"));
    console_.line(kSeparatorLine);
    for (const auto& command : commands) {
        RunResult result = runRelayed(command);
        if (watchdog.expired()) return failed();
        if (!result.ok()) {
            console_.line(kInternalError);
            return failed();
        }
    }

    cleanUp(false);
    struct stat jarInfo;
    if (::stat(jar.c_str(), &jarInfo) != 0 || !S_ISREG(jarInfo.st_mode)) {
        console_.line(kInternalError);
        return failed();
    }
    if (!JAD::write(console_, path, name, jarInfo.st_size)) return failed();
    watchdog.setDone();
    if (watchdog.expired()) return failed();  // timed out while the JAD was written
    console_.line(kSeparatorLine);
    console_.line(res("Program_compiled"));

    if (project_.run != 1) return kSuccess;
    console_.line(kSeparatorLine);
    console_.line(res("Executing_Emulator"));
    RunResult emulator = runRelayed(emulatorCommand(project_));
    console_.line(res("Executing_Finished"));
    return emulator.ok() ? kSuccess : kFailure;
}

}  // namespace build
