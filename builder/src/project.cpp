#include "project.h"

#include "kit/class_path.h"
#include "kit/config_file.h"
#include "kit/descriptor.h"
#include "kit/text_lines.h"
#include "text_file.h"

namespace build {

std::string orNull(const std::optional<std::string>& value) {
    return value ? *value : "null";
}

std::optional<int> parseDecimal(std::string_view text) {
    return kit::parseDecimal(text);
}

std::optional<std::string> Project::getValue(std::string_view key) const {
    return kit::valueOf(allLines, key);
}

bool Project::flag(std::string_view key) const {
    return kit::isOn(getValue(key));
}

std::string Project::getClassPath() const {
    std::string text;
    for (const auto& entry : classPaths) text += entry + ":";
    return text;
}

Project::ReadResult Project::read(const std::string& descriptorPath, const std::string& installDir) {
    size_t slash = descriptorPath.rfind('/');
    path = slash == std::string::npos ? std::string() : descriptorPath.substr(0, slash + 1);

    std::string error;
    auto lines = kit::readLines(descriptorPath, &error, shown(descriptorPath));
    if (!lines) return {ReadStatus::Failed, error};
    allLines = std::move(*lines);
    const kit::Descriptor descriptor = kit::readDescriptor(allLines);

    if (!descriptor.run) return {ReadStatus::Failed, "Cannot parse null string"};
    auto runValue = parseDecimal(*descriptor.run);
    if (!runValue) return {ReadStatus::Failed, "For input string: \"" + *descriptor.run + "\""};
    run = *runValue;

    file = descriptor.main;
    name = descriptor.name;
    platform = descriptor.platform;
    includes = descriptor.includes;
    classPaths = descriptor.classPaths;
    objects = descriptor.objects;

    std::string configPath = installDir + "/Config.cfg";
    if (!exists(configPath)) return {ReadStatus::Refused, std::string(kMissingConfig)};
    // A FIFO or device in its place is named by the reader before anything would block on it.
    auto config = kit::readLines(configPath, &error);
    if (!config) return {ReadStatus::Failed, error};
    kit::ConfigFile folders = kit::readConfigFile(*config);
    if (auto fault = kit::configFault(folders, configPath)) return {ReadStatus::Refused, *fault};
    kit::relocate(folders, installDir);
    javaLocation = folders.javaLocation;
    j2meLocation = folders.j2meLocation;
    tbLocation = folders.tbLocation;

    // The phone build joins its class paths from the project folder and the toolkit's lib/ folder.
    if (platform == "J2ME") {
        for (auto fault : {kit::classPathFault("The project folder", shown(path)),
                           kit::classPathFault("The wireless toolkit folder", *j2meLocation)}) {
            if (fault) return {ReadStatus::Refused, *fault};
        }
    }
    return {};
}

}  // namespace build
