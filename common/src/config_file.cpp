#include "kit/config_file.h"

namespace kit {
namespace {

std::optional<std::string> line(const Lines& lines, std::size_t index) {
    if (index < lines.size()) return lines[index];
    return std::nullopt;
}

}  // namespace

ConfigFile readConfigFile(const Lines& lines) {
    return {line(lines, 0), line(lines, 1), line(lines, 2), line(lines, 3)};
}

Lines configFileLines(const ConfigFile& config) {
    return {config.javaLocation.value_or("null"), config.j2meLocation.value_or("null"),
            config.tbLocation.value_or("null"), config.lookAndFeel.value_or("null")};
}

bool isAbsoluteFolder(std::string_view text) {
    return text.starts_with('/') && text.ends_with('/');
}

std::optional<std::string> configFault(const ConfigFile& config, const std::string& configPath) {
    const std::pair<const std::optional<std::string>*, const char*> folders[] = {
        {&config.javaLocation, "the Java tool folder"},
        {&config.j2meLocation, "the wireless toolkit folder"},
        {&config.tbLocation, "the kit folder"},
    };
    for (std::size_t i = 0; i < std::size(folders); ++i) {
        const auto& [value, what] = folders[i];
        const std::string named =
            "Error: Line " + std::to_string(i + 1) + " of " + configPath + " (" + what + ")";
        if (!*value) return named + " is missing. Run the Editor to write the file again";
        if (!isAbsoluteFolder(**value)) {
            return named + " is not an absolute folder ending in \"/\": \"" + **value + "\"";
        }
    }
    return std::nullopt;
}

bool relocate(ConfigFile& config, std::string_view runningKit) {
    if (!config.tbLocation || !isAbsoluteFolder(*config.tbLocation) || *config.tbLocation == "/")
        return false;
    std::string running(runningKit);
    if (!running.ends_with('/')) running += '/';
    const std::string recorded = *config.tbLocation;
    if (recorded == running || !running.starts_with('/')) return false;
    bool changed = false;
    for (std::optional<std::string>* folder :
         {&config.javaLocation, &config.j2meLocation, &config.tbLocation}) {
        if (*folder && (*folder)->starts_with(recorded)) {
            **folder = running + (*folder)->substr(recorded.size());
            changed = true;
        }
    }
    return changed;
}

}  // namespace kit
