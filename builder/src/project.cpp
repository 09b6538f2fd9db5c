#include "project.h"

#include <cctype>
#include <climits>

#include "text_file.h"

namespace build {

std::string orNull(const std::optional<std::string>& value) {
    return value ? *value : "null";
}

std::optional<int> parseDecimal(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::string> Project::lookup(const std::vector<std::string>& lines, std::string_view key) {
    for (const auto& line : lines) {
        if (line.compare(0, key.size(), key) != 0) continue;
        if (line.size() != key.size() && line[key.size()] != '=') continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) return line;
        return line.substr(equals + 1);
    }
    return std::nullopt;
}

bool Project::flag(std::string_view key) const {
    auto value = getValue(key);
    if (!value || value->size() != 4) return false;
    static constexpr std::string_view word = "true";
    for (size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>((*value)[i])) != word[i]) return false;
    return true;
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
    auto lines = readLines(descriptorPath, error);
    if (!lines) return {ReadStatus::Failed, error};
    allLines = std::move(*lines);

    auto runText = getValue("Run");
    if (!runText) return {ReadStatus::Failed, "Cannot parse null string"};
    auto runValue = parseDecimal(*runText);
    if (!runValue) return {ReadStatus::Failed, "For input string: \"" + *runText + "\""};
    run = *runValue;

    file = getValue("Main");
    name = getValue("Name");
    platform = getValue("Platform");

    // Each list runs from index 0 up to its first missing index; a gap ends it.
    auto readList = [this](std::string_view key, std::vector<std::string>& list) {
        for (size_t i = 0;; ++i) {
            auto value = getValue(std::string(key) + std::to_string(i));
            if (!value) break;
            list.push_back(*value);
        }
    };
    readList("Include", includes);
    readList("ClassPath", classPaths);
    readList("Object", objects);

    std::string configPath = installDir + "/Config.cfg";
    if (!exists(configPath)) return {ReadStatus::MissingConfig, {}};
    auto config = readLines(configPath, error);
    if (!config) return {ReadStatus::Failed, error};
    if (config->size() > 0) javaLocation = (*config)[0];
    if (config->size() > 1) j2meLocation = (*config)[1];
    if (config->size() > 2) tbLocation = (*config)[2];
    return {};
}

}  // namespace build
