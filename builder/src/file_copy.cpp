#include "file_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "guard/whole_file.h"
#include "messages.h"
#include "text_file.h"

namespace build {

std::string FileCopy::parent(const std::string& file) {
    size_t slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return file.substr(0, slash);
}

std::optional<std::string> FileCopy::copy(Console& console, const std::string& from, const std::string& to) {
    struct stat source;
    if (::stat(from.c_str(), &source) != 0 || !S_ISREG(source.st_mode)) {
        console.line("No such source file: " + from);
        return "FileCopy: No such source file: " + from;
    }
    if (::access(from.c_str(), R_OK) != 0) {
        console.line("Source file " + from + " is unreadable");
        return "FileCopy: Source file " + from + " is unreadable: " + from;
    }
    struct stat destination;
    if (::stat(to.c_str(), &destination) == 0) {
        if (!S_ISREG(destination.st_mode)) return "FileCopy: Destination is not a file: " + to;
        if (::access(to.c_str(), W_OK) != 0)
            return "FileCopy: Destination " + to + " file is unwriteable: " + to;
    } else {
        std::string directory = parent(to);
        if (!exists(directory)) return "FileCopy: Destination directory doesn't exist: " + to;
        if (::access(directory.c_str(), W_OK) != 0)
            return "FileCopy: Destination directory is unwriteable: " + to;
    }

    auto failed = [&](int error) {
        return "FileCopy: Could not copy " + from + " to " + describeErrno(to, error);
    };
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return failed(errno);
    // Written beside the destination and renamed over it: a link there is replaced, not written through.
    guard::WholeFile out(to, source.st_mode & 07777);
    if (out.error() != 0) {
        ::close(in);
        return failed(out.error());
    }

    std::optional<std::string> failure;
    char buffer[1024];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failure = failed(errno);
            break;
        }
        if (n == 0) break;
        if (!out.write(std::string_view(buffer, static_cast<size_t>(n)))) {
            failure = failed(out.error());
            break;
        }
    }
    if (::close(in) != 0) console.line(res("FileCopy_Could_not"));
    if (failure) return failure;
    if (!out.commit()) {
        console.line(res("FileCopy_Could_not"));
        return failed(out.error());
    }
    // The permission bits of the source, whatever the umask took away: a copied program stays runnable.
    ::chmod(to.c_str(), source.st_mode & 07777);
    return std::nullopt;
}

const std::vector<std::string_view>& mappyClassNames() {
    static const std::vector<std::string_view> names = {
        "AnimBlock",
        "AnimBlocks",
        "Block",
        "Blocks",
        "ChunkLoader$1",
        "ChunkLoader$DefaultChunkLoader",
        "ChunkLoader",
        "ChunkLoaderANDT",
        "ChunkLoaderATHR",
        "ChunkLoaderBGFX",
        "ChunkLoaderBKDT",
        "ChunkLoaderBODY",
        "ChunkLoaderCMAP",
        "ChunkLoaderBKDT",
        "ChunkLoaderFORM",
        "ChunkLoaderLYR1",
        "ChunkLoaderLYR2",
        "ChunkLoaderLYR3",
        "ChunkLoaderLYR4",
        "ChunkLoaderLYR5",
        "ChunkLoaderLYR6",
        "ChunkLoaderLYR7",
        "ChunkLoaderMPHD",
        "ChunkLoadException",
        "ColourMap$Colour",
        "ColourMap",
        "ImageData",
        "J2MERenderer",
        "JavaMappy",
        "JavaMappyException",
        "Layer",
        "Layers",
        "LayerViewer",
        "List",
        "Logger$1",
        "Map",
        "MapHeader",
        "MapViewer",
        "MIDP10Renderer",
        "PixelData",
        "Renderer",
    };
    return names;
}

namespace {

// The group's class first, then its inner-class files (X$*.inc) in name order: their names depend on
// the Java compiler that built the support classes, so they are found, not listed.
std::vector<std::string> groupClassNames(const std::string& includeDir, const std::string& group) {
    std::vector<std::string> names{group};
    std::vector<std::string> inner;
    if (DIR* dir = ::opendir(includeDir.c_str())) {
        std::string prefix = group + "$";
        while (dirent* entry = ::readdir(dir)) {
            std::string file = entry->d_name;
            if (file.size() > prefix.size() + 4 && file.compare(0, prefix.size(), prefix) == 0 &&
                file.compare(file.size() - 4, 4, ".inc") == 0)
                inner.push_back(file.substr(0, file.size() - 4));
        }
        ::closedir(dir);
    }
    std::sort(inner.begin(), inner.end());
    names.insert(names.end(), inner.begin(), inner.end());
    return names;
}

}  // namespace

bool FileCopyManager::copyFiles(Console& console, const Project& project) {
    auto report = [&](const std::string& failure) {
        console.line(res("Error_Could_not_copy"));
        console.line(failure);
        return false;
    };
    std::string kit = orNull(project.tbLocation);
    if (project.platform != "J2ME") {
        auto failure =
            FileCopy::copy(console, kit + "VM/Tesvo Zorid.exe", project.path + orNull(project.name) + ".exe");
        return failure ? report(*failure) : true;
    }

    std::string includeDir = kit + "Include/";
    std::string tmpclasses = project.path + "tmpclasses/Game/";
    std::string classes = project.path + "classes/Game/";
    const std::pair<bool, const char*> groups[] = {
        {project.usesInclude(), "Include"},    {project.usesSound(), "IncludeSound"},
        {project.usesMidi(), "IncludeMidi"},   {project.usesImage(), "IncludeImage"},
        {project.usesVideo(), "IncludeVideo"},
    };
    for (const auto& [enabled, group] : groups) {
        if (!enabled) continue;
        for (const auto& name : groupClassNames(includeDir, group)) {
            if (auto failure =
                    FileCopy::copy(console, includeDir + name + ".inc", tmpclasses + name + ".class"))
                return report(*failure);
        }
    }
    if (project.usesMappy()) {
        for (auto name : mappyClassNames()) {
            std::string from = includeDir + std::string(name) + ".inc";
            for (const auto& to : {tmpclasses, classes})
                if (auto failure = FileCopy::copy(console, from, to + std::string(name) + ".class"))
                    return report(*failure);
        }
    }
    return true;
}

}  // namespace build
