#include "api_listing.h"

#include <algorithm>
#include <vector>

namespace standins {
namespace {

constexpr uint16_t kPublic = 0x0001, kPrivate = 0x0002, kProtected = 0x0004, kStatic = 0x0008,
                   kFinal = 0x0010, kInterface = 0x0200, kAbstract = 0x0400, kSynthetic = 0x1000;

// Only the modifiers a caller or a subclass can tell apart; synchronized, native, volatile and the like are
// the implementation's business.
std::string modifiers(uint16_t access, bool withAbstract) {
    std::string text;
    auto add = [&](uint16_t flag, const char* word) {
        if (access & flag) text += std::string(" ") + word;
    };
    add(kPublic, "public");
    add(kProtected, "protected");
    add(kStatic, "static");
    add(kFinal, "final");
    if (withAbstract) add(kAbstract, "abstract");
    return text;
}

bool visible(uint16_t access) {
    return (access & (kPublic | kProtected)) != 0 && (access & (kPrivate | kSynthetic)) == 0;
}

}  // namespace

std::string apiLines(const ApiClass& api) {
    if (!visible(api.access)) return {};
    bool isInterface = (api.access & kInterface) != 0;
    std::string out =
        (isInterface ? "interface " : "class ") + api.name + modifiers(api.access, !isInterface);
    if (!isInterface && !api.superName.empty()) out += " extends " + api.superName;
    std::vector<std::string> interfaces = api.interfaces;
    std::sort(interfaces.begin(), interfaces.end());
    if (!interfaces.empty()) out += isInterface ? " extends" : " implements";
    for (const auto& name : interfaces) out += " " + name;
    out += "\n";

    auto memberLines = [](const std::vector<ApiMember>& members, const char* kind) {
        std::vector<std::string> lines;
        for (const auto& member : members) {
            if (!visible(member.access) || member.name == "<clinit>") continue;
            std::string line = std::string("  ") + kind + " " + member.name + " " + member.descriptor +
                               modifiers(member.access, true);
            if (!member.constant.empty()) line += " = " + member.constant;
            std::vector<std::string> exceptions = member.exceptions;
            std::sort(exceptions.begin(), exceptions.end());
            if (!exceptions.empty()) line += " throws";
            for (const auto& name : exceptions) line += " " + name;
            lines.push_back(line + "\n");
        }
        std::sort(lines.begin(), lines.end());
        std::string text;
        for (const auto& line : lines) text += line;
        return text;
    };
    return out + memberLines(api.fields, "field") + memberLines(api.methods, "method");
}

std::string apiListing(const std::map<std::string, std::string>& jarEntries) {
    std::vector<std::pair<std::string, std::string>> classes;  // (class name, its lines)
    std::string problems;
    for (const auto& [entry, bytes] : jarEntries) {
        if (entry.size() < 6 || entry.compare(entry.size() - 6, 6, ".class") != 0) continue;
        ApiClass api = readApi(bytes);
        if (!api.valid) {
            problems += "unreadable " + entry + ": " + api.error + "\n";
            continue;
        }
        std::string lines = apiLines(api);
        if (!lines.empty()) classes.emplace_back(api.name, std::move(lines));
    }
    std::sort(classes.begin(), classes.end());
    std::string out = problems;
    for (const auto& [name, lines] : classes) out += lines;
    return out;
}

}  // namespace standins
