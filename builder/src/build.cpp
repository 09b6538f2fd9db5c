#include "build.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <filesystem>

#include "class_files.h"
#include "commands.h"
#include "file_copy.h"
#include "guard/outputs.h"
#include "guard/stop.h"
#include "guard/whole_file.h"
#include "guard/working_folder.h"
#include "messages.h"
#include "resources.h"
#include "text_file.h"
#include "writers.h"

namespace build {
namespace {

// A phone project whose name is a plain file name, so that its suite lies in the project folder.
bool namesASuiteOfItsFolder(const Project& project) {
    const std::optional<std::string>& name = project.name;
    return project.platform == "J2ME" && name && guard::isFileName(*name);
}

// A Java platform, whose tools run in the project folder.
bool runsJavaTools(const Project& project) {
    return project.platform == "J2ME" || project.platform == "Applet";
}

// Why a library jar of the toolkit cannot be read by the tools, or nothing: a zip file starts "PK".
std::optional<std::string> libraryFault(const std::string& jar) {
    const int fd = ::open(jar.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) ::close(fd);
        return "is missing";
    }
    char start[2] = {};
    const ssize_t n = ::read(fd, start, sizeof start);
    ::close(fd);
    if (info.st_size == 0) return "is empty";
    if (n != 2 || start[0] != 'P' || start[1] != 'K') return "is not a jar";
    return std::nullopt;
}

}  // namespace

bool Settings::workingDiskFull() {
    struct statvfs disk {};
    if (::statvfs(".", &disk) != 0) return false;
    // Root may still write into the blocks kept for it.
    return (::geteuid() == 0 ? disk.f_bfree : disk.f_bavail) == 0;
}

int Build::main(const std::vector<std::string>& args) {
    int status = kFailure;
    try {
        status = run(args);
    } catch (const std::exception& failure) {
        console_.line(res("Error_Unknown_error"));
        console_.line(failure.what());
    } catch (...) {
        console_.line(res("Error_Unknown_error"));
    }
    runner_.finish();
    if (guard::stopRequested()) {
        if (startedByCompile_ && guard::callerGone() && !folderLeft_) removeStarterOutputs();
        if (const int signal = guard::stopSignal())
            console_.line(std::string(kStoppedBySignal) + guard::describeSignal(signal));
        status = kFailure;
    }
    lock_.release();
    return status;
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

    // One compile or build in a project folder at a time, and the wait before the watchdog's count. From
    // here on the build works inside the folder it locked (or, started by Compile-Linux, the one its
    // starter works in): the argument names it for the messages.
    const std::string& base = args[0];
    const size_t slash = base.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : base.substr(0, slash + 1);
    const auto outcome = lock_.take(folder, [this] { console_.line(kWaitingLine); });
    if (outcome == guard::FolderLock::Outcome::Stopped) return kFailure;
    if (outcome == guard::FolderLock::Outcome::Unavailable) {
        console_.line(lock_.unavailableLine());
        return kFailure;
    }
    startedByCompile_ = outcome == guard::FolderLock::Outcome::Inherited;
    project_.shownPath = folder;
    project_.inFolder = outcome == guard::FolderLock::Outcome::Taken || startedByCompile_;

    const std::string descriptor = (project_.inFolder ? "" : folder) + base.substr(folder.size()) + ".tbx";
    auto read = project_.read(descriptor, settings_.installDir);
    auto removeEarlierSuite = [&] {
        // No tool ran: the suite of an earlier build would pass for this one.
        if (namesASuiteOfItsFolder(project_)) guard::removePhoneSuite(project_.path, *project_.name);
    };
    if (read.status == Project::ReadStatus::Refused) {
        console_.line(read.message);
        removeEarlierSuite();
        return kFailure;
    }
    if (read.status == Project::ReadStatus::Failed) {
        console_.line(read.message);
        console_.line(res("Error_Could_not") + project_.shown(descriptor) + "\"");
        return kFailure;
    }
    // The name names every file the build writes: they stay inside the project folder.
    if (!project_.name || !guard::isFileName(*project_.name)) {
        console_.line(std::string(kInvalidName) + project_.name.value_or(""));
        return kFailure;
    }
    // The Java tools run in the project folder: one they cannot work in is refused before any of them.
    if (runsJavaTools(project_) && project_.inFolder) {
        if (auto fault = guard::toolFolderFault(project_.shownPath)) {
            console_.line(*fault);
            removeEarlierSuite();
            return kFailure;
        }
    }

    Watchdog watchdog(settings_.timeout, [this] {
        runner_.cancel();
        console_.line(kTimedOutLine);
        console_.line(kContactLine);
        console_.line(std::string(kTimedOutStep) + currentStep());
    });
    watchdog_ = &watchdog;
    watchdog.start();
    const int status = dispatch();
    watchdog.setDone();
    watchdog_ = nullptr;
    return status;
}

int Build::dispatch() {
    const auto& platform = project_.platform;
    if (platform == "J2ME") return buildJ2ME();
    if (platform == "PPC") return buildPC();
    if (platform == "Applet") return buildApplet();
    if (platform == "PC") return buildPC();
    console_.line(res("Build_Error_Unknown") + platform.value_or(""));
    return kFailure;
}

void Build::cleanUp(bool descriptor) {
    const std::string& path = project_.path;
    std::string name = orNull(project_.name);
    deleteIfExists(path + "MANIFEST.MF");
    deleteIfExists(path + "CBuild.bat");
    if (descriptor) deleteIfExists(path + name + ".tbx");
}

void Build::step(std::string_view name) {
    std::lock_guard lock(stepMutex_);
    step_ = name;
}

std::string Build::currentStep() {
    std::lock_guard lock(stepMutex_);
    return step_;
}

bool Build::finishWatch() {
    if (!watchdog_) return true;
    watchdog_->setDone();
    return !watchdog_->expired();
}

bool Build::stopping() {
    return (watchdog_ && watchdog_->expired()) || guard::stopRequested();
}

void Build::removeStarterSources() {
    const std::string& path = project_.path;
    if (settings_.keepSources || !project_.name || !guard::isFileName(*project_.name)) return;
    std::vector<std::string> sources{path + *project_.name + ".java"};
    for (const auto& object : project_.objects)
        if (guard::isFileName(object)) sources.push_back(path + object + ".java");
    // Only what carries the compiler's mark: in a Java project <name>.java is the user's own.
    for (const auto& source : sources)
        if (guard::isGeneratedSource(source)) deleteIfExists(source);
}

void Build::removeStarterOutputs() {
    if (!project_.name || !guard::isFileName(*project_.name)) return;
    removeStarterSources();
    deleteIfExists(project_.path + *project_.name + ".tbx");
    lock_.adopt();
}

bool Build::toolkitComplete() {
    const std::string toolkit = orNull(project_.j2meLocation);
    struct stat info {};
    if (::stat(toolkit.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        console_.line(std::string(kToolkitMissing) + toolkit + std::string(kToolkitMissingEnd));
        return false;
    }
    for (const std::string& jar : libraryJars(project_)) {
        if (auto fault = libraryFault(jar)) {
            console_.line(std::string(kLibraryLine) + jar + " " + *fault);
            return false;
        }
    }
    return true;
}

void Build::noteBuildFolders() {
    buildFolders_.clear();
    for (const char* folder : {"tmpclasses", "tmpclasses/Game", "classes", "classes/Game"}) {
        struct stat info {};
        const std::string path = project_.path + folder;
        if (::lstat(path.c_str(), &info) == 0) buildFolders_.push_back({path, info.st_dev, info.st_ino});
    }
}

std::optional<std::string> Build::buildFolderFault() const {
    for (const FolderId& noted : buildFolders_) {
        struct stat info {};
        if (::lstat(noted.folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_dev != noted.device || info.st_ino != noted.inode)
            return std::string(kFolderReplaced) + project_.shown(noted.folder) +
                   std::string(kFolderReplacedEnd);
    }
    return std::nullopt;
}

bool Build::toolSucceeded(const RunResult& result) {
    if (stopping()) return false;
    // Nothing more can be made in a folder that is gone; the tool's own text would not say why.
    if (project_.inFolder && guard::workingFolderDeleted()) {
        console_.line(guard::folderDeletedLine(project_.shownPath));
        return false;
    }
    if (auto fault = buildFolderFault()) {
        console_.line(*fault);
        return false;
    }
    if (result.ok()) return true;
    if (result.started && settings_.diskFull && settings_.diskFull())
        console_.line(std::string(kDiskFull) + (project_.shownPath.empty() ? "./" : project_.shownPath));
    console_.line(kInternalError);
    return false;
}

void Build::removeAppletWork() {
    const std::string& path = project_.path;
    guard::removeAppletOutputs(path, orNull(project_.name));
    for (const auto& object : project_.objects) guard::removeAppletClasses(path, object);
    for (const auto& include : project_.includes) guard::removeAppletClasses(path, include);
    // The package folder the build made goes once nothing else is in it; a link swapped in its place goes
    // as a link.
    guard::removeEmptyClassFolder(path);
    guard::removeLinkAt(path + "Game");
    guard::removePartials(path);
}

RunResult Build::runRelayed(const std::vector<std::string>& argv, const LineSink& observe) {
    step(toolName(argv));
    // A tool started in a folder that is gone would fail on its own terms, a Java stack trace among them;
    // the road says why (toolSucceeded).
    if (project_.inFolder && !folderLeft_ && guard::workingFolderDeleted()) {
        RunResult result;
        result.cancelled = true;
        return result;
    }
    RunResult result = runner_.run(argv, {}, [&](const std::string& line) {
        if (observe) observe(line);
        console_.line(line);
    });
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
        const guard::IncludeKind kind = guard::includeKind(path, include);
        if (kind == guard::IncludeKind::JavaClass) {
            classes.push_back(include);
        } else if (kind == guard::IncludeKind::Missing) {
            const std::string folder = project_.shown(path);
            console_.line(std::string(kMissingInclude) + include + " (" + include + ".java or " + include +
                          ".bss) in the project folder " + (folder.empty() ? "./" : folder));
            return false;
        }
    }
    project_.includes = std::move(classes);
    return true;
}

int Build::buildPC() {
    console_.line(kSeparatorLine);
    console_.line(res("Copying_Support_Files"));
    step(res("Copying_Support_Files"));
    if (!FileCopyManager::copyFiles(console_, project_)) return kFailure;
    if (!finishWatch() || stopping()) return kFailure;
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
    // The class and page of an earlier build go first: a failure leaves neither, and a javac that ends
    // well without writing the class is seen.
    guard::removeAppletOutputs(path, name);
    auto failed = [&] {
        removeAppletWork();
        return kFailure;
    };
    if (!sortIncludes()) return failed();
    // Compiled against the JDK's own class library into the project folder: the class lands in Game/,
    // which javac makes in the project folder where a link stood.
    guard::removeLinkAt(path + "Game");
    // The record types and include files the program uses are compiled with it.
    std::vector<std::string> argv = {orNull(project_.javaLocation) + "javac", "-d", path.empty() ? "." : path,
                                     toolPath(path, name + ".java")};
    for (const auto& object : project_.objects) argv.push_back(toolPath(path, object + ".java"));
    for (const auto& include : project_.includes) argv.push_back(toolPath(path, include + ".java"));
    const ClassFolderState before = classFolderState(path + "Game/");
    bool failureLine = false;
    RunResult compiled = runRelayed(
        argv, [&](const std::string& line) { failureLine = failureLine || isCompilerFailureLine(line); });
    if (failureLine && compiled.exitStatus == 0) compiled.exitStatus = 1;
    if (!toolSucceeded(compiled)) return failed();
    // javac made the package folder: a link in its place since is no folder of this build.
    struct stat info {};
    if (::lstat((path + "Game").c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        console_.line(std::string(kFolderReplaced) + project_.shown(path + "Game") +
                      std::string(kFolderReplacedEnd));
        return failed();
    }
    const std::string mainClass = path + "Game/" + name + ".class";
    if (!isRegularFile(mainClass)) {
        console_.line("Error: " + toolName(argv) + std::string(kNoOutput) + project_.shown(mainClass));
        console_.line(kInternalError);
        return failed();
    }
    if (auto fault = classFolderFault(path + "Game/", project_.shown(path + "Game/"), before)) {
        console_.line(*fault);
        console_.line(kInternalError);
        return failed();
    }
    if (auto failure = HTML::writeHTML(path, name)) {
        writeFailure(project_.shown(*failure));
        return failed();
    }
    if (!finishWatch() || stopping()) return failed();
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
    for (const auto& file : missing)
        console_.line(std::string(kMissingResource) + "\"" + project_.shown(path + file) + "\"");
    return files;
}

int Build::buildJ2ME() {
    const std::string& path = project_.path;
    std::string name = orNull(project_.name);
    std::string jar = path + name + ".jar";
    // A failed build leaves no suite: neither a half-written jar nor the jar and JAD of an earlier build,
    // which would pass for the result of this one (a jar without its JAD is no suite a phone installs),
    // nor its manifest, scripts and class folders, nor a partial file of a tool it ended.
    guard::removePhoneSuite(path, name);
    auto failed = [&] {
        // Nothing the rows started writes while the build's work goes.
        runner_.finish();
        cleanUp(false);
        guard::removeBuildWork(path);
        guard::removePhoneSuite(path, name);
        guard::removePartials(path);
        return kFailure;
    };
    if (!sortIncludes()) return failed();
    // What the tools would only report by a stack trace of their own.
    if (!toolkitComplete()) return failed();
    const auto commands = commandList(project_);
    const auto outputs = commandOutputs(project_);
    runner_.prepare(commands);

    step(res("Writing_Manifest_File"));
    if (!Manifest::write(console_, path, name, compiledAgainstCldc11(project_))) return failed();

    console_.line(kSeparatorLine);
    console_.line(res("Preparing_Directories"));
    step(res("Preparing_Directories"));
    // Emptied first: classes of an earlier build must never reach the jar.
    for (const char* folder : {"tmpclasses", "classes"}) {
        std::error_code error;
        std::filesystem::path directory = path + folder;
        std::filesystem::remove_all(directory, error);
        if (!error) std::filesystem::create_directories(directory / "Game", error);
        if (error) {
            writeFailure(project_.shown(directory.string()) + " (" + error.message() + ")");
            return failed();
        }
    }
    noteBuildFolders();
    if (stopping()) return failed();

    console_.line(kSeparatorLine);
    console_.line(res("Copying_Support_Files"));
    step(res("Copying_Support_Files"));
    if (!FileCopyManager::copyFiles(console_, project_)) return failed();
    if (stopping()) return failed();

    console_.line(kSeparatorLine);
    console_.line(res("Determing_Compilation"));
    step(res("Determing_Compilation"));
    auto resources = resourcesToPack();
    for (const auto& [file, lines] : {std::pair{"CBuild.bat", cbuildScript(project_, resources)},
                                      std::pair{"RunGame.bat", runGameScript(project_)}}) {
        if (auto failure = writeLines(path + file, lines, 0755)) {
            writeFailure(project_.shown(*failure));
            return failed();
        }
    }
    const size_t compiles = project_.includes.size() + project_.objects.size() + 1;

    console_.line(kSeparatorLine);
    console_.line(res("Compiling"));
    console_.line(kSeparatorLine);
    for (size_t i = 0; i < commands.size(); ++i) {
        bool failureLine = false;
        const ClassFolderState before = classFolderState(path + "tmpclasses/Game/");
        RunResult result = runRelayed(commands[i], [&](const std::string& line) {
            failureLine = failureLine || (i < compiles && isCompilerFailureLine(line));
        });
        // javac may end well having written nothing of a class: it said so, or left it cut short.
        if (failureLine && result.exitStatus == 0) result.exitStatus = 1;
        if (!toolSucceeded(result)) return failed();
        // A tool that ends well without writing what it is for has failed all the same.
        if (!outputs[i].empty() && !isRegularFile(outputs[i])) {
            console_.line("Error: " + toolName(commands[i]) + std::string(kNoOutput) +
                          project_.shown(outputs[i]));
            console_.line(kInternalError);
            return failed();
        }
        if (i < compiles) {
            if (auto fault = classFolderFault(path + "tmpclasses/Game/",
                                              project_.shown(path + "tmpclasses/Game/"), before)) {
                console_.line(*fault);
                console_.line(kInternalError);
                return failed();
            }
        }
    }

    runner_.finish();
    cleanUp(false);
    struct stat jarInfo;
    if (::stat(jar.c_str(), &jarInfo) != 0 || !S_ISREG(jarInfo.st_mode)) {
        console_.line(kInternalError);
        return failed();
    }
    step(res("Writing_JAD_File"));
    if (!JAD::write(console_, path, name, jarInfo.st_size)) return failed();
    // Timed out or stopped while the JAD was written: no suite.
    if (!finishWatch() || stopping()) return failed();
    console_.line(kSeparatorLine);
    console_.line(res("Program_compiled"));

    if (project_.run != 1) return kSuccess;
    // The suite is whole and stays, whatever ends the game. The folder goes to the next run before the
    // game starts, left as a whole build leaves it (the compiler's Java goes first, unless it is kept), so
    // that a compile started while the game plays need not wait.
    if (startedByCompile_) removeStarterSources();
    lock_.letGo();
    folderLeft_ = true;
    console_.line(kSeparatorLine);
    console_.line(res("Executing_Emulator"));
    RunResult emulator = runRelayed(emulatorCommand(project_, path));
    console_.line(res("Executing_Finished"));
    return emulator.ok() ? kSuccess : kFailure;
}

}  // namespace build
