#include "file_copy.h"

#include <dirent.h>

#include <algorithm>

#include "guard/file_copy.h"
#include "kit/support_classes.h"
#include "messages.h"

namespace build {

std::optional<std::string> FileCopy::copy(Console& console, const std::string& from, const std::string& to,
                                          const std::string& shownTo) {
    guard::CopyRules rules;
    rules.shownTo = shownTo;
    rules.print = [&](const std::string& line) { console.line(line); };
    rules.closeFailed = res("FileCopy_Could_not");
    return guard::copyFile(from, to, rules);
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
        const std::string runtime = project.path + orNull(project.name) + ".exe";
        auto failure = FileCopy::copy(console, kit + "VM/Tesvo Zorid.exe", runtime, project.shown(runtime));
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
            const std::string to = tmpclasses + name + ".class";
            if (auto failure = FileCopy::copy(console, includeDir + name + ".inc", to, project.shown(to)))
                return report(*failure);
        }
    }
    if (project.usesMappy()) {
        for (auto name : kit::mapClassNames()) {
            std::string from = includeDir + std::string(name) + ".inc";
            for (const auto& folder : {tmpclasses, classes}) {
                const std::string to = folder + std::string(name) + ".class";
                if (auto failure = FileCopy::copy(console, from, to, project.shown(to)))
                    return report(*failure);
            }
        }
    }
    return true;
}

}  // namespace build
