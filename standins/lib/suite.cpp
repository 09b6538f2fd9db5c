#include "suite.h"

#include <zip.h>

#include <charconv>
#include <memory>

#include "classfile.h"
#include "kit/text_lines.h"

namespace standins {
namespace {

std::string trim(std::string_view text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(begin, end - begin + 1));
}

// "Game.Space" -> "Game/Space.class"
std::string classEntry(const std::string& className) {
    std::string entry = className;
    for (char& c : entry) {
        if (c == '.') c = '/';
    }
    return entry + ".class";
}

}  // namespace

Attributes Attributes::parse(std::string_view text) {
    Attributes result;
    for (const std::string& line : kit::splitLines(text)) {
        if (line.empty()) continue;
        if (line.front() == ' ' && !result.entries_.empty()) {
            result.entries_.back().second += line.substr(1);
            continue;
        }
        size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        result.entries_.emplace_back(trim(line.substr(0, colon)), trim(line.substr(colon + 1)));
    }
    return result;
}

std::optional<std::string> Attributes::get(std::string_view name) const {
    for (const auto& [key, value] : entries_) {
        if (key == name) return value;
    }
    return std::nullopt;
}

std::vector<std::string> Attributes::midlets() const {
    std::vector<std::string> values;
    for (int n = 1;; ++n) {
        auto value = get("MIDlet-" + std::to_string(n));
        if (!value) break;
        values.push_back(*value);
    }
    return values;
}

std::optional<MidletEntry> parseMidletEntry(std::string_view value) {
    size_t first = value.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    size_t second = value.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    return MidletEntry{trim(value.substr(0, first)), trim(value.substr(first + 1, second - first - 1)),
                       trim(value.substr(second + 1))};
}

std::optional<std::map<std::string, std::string>> readJar(const std::filesystem::path& jar) {
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(jar.c_str(), ZIP_RDONLY, &error),
                                                           &zip_discard);
    if (!archive) return std::nullopt;
    std::map<std::string, std::string> entries;
    zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
            return std::nullopt;
        std::string name = stat.name;
        if (!name.empty() && name.back() == '/') continue;
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(archive.get(), i, 0),
                                                                &zip_fclose);
        if (!file) return std::nullopt;
        std::string data;
        char buffer[8192];
        zip_int64_t n;
        while ((n = zip_fread(file.get(), buffer, sizeof buffer)) > 0)
            data.append(buffer, static_cast<size_t>(n));
        if (n < 0) return std::nullopt;
        entries[name] = std::move(data);
    }
    return entries;
}

SuiteCheck checkSuite(const std::filesystem::path& jad, const std::filesystem::path& jarGiven) {
    SuiteCheck check;
    auto& problems = check.problems;

    auto jadText = kit::readFile(jad.string());
    if (!jadText) {
        problems.push_back("cannot read the descriptor " + jad.string());
        return check;
    }
    check.found.push_back("Descriptor: " + jad.string());
    Attributes descriptor = Attributes::parse(*jadText);
    for (const char* required :
         {"MIDlet-Name", "MIDlet-Version", "MIDlet-Vendor", "MIDlet-Jar-URL", "MIDlet-Jar-Size"}) {
        if (!descriptor.get(required)) problems.push_back(std::string("the descriptor has no ") + required);
    }

    std::filesystem::path jar = jarGiven;
    if (jar.empty()) {
        auto url = descriptor.get("MIDlet-Jar-URL");
        if (!url) return check;
        jar = jad.parent_path() / *url;
    }
    std::error_code ec;
    auto size = std::filesystem::file_size(jar, ec);
    if (ec) {
        problems.push_back("cannot read the jar " + jar.string());
        return check;
    }
    check.found.push_back("Jar: " + jar.string() + " (" + std::to_string(size) + " bytes)");
    if (auto declared = descriptor.get("MIDlet-Jar-Size")) {
        unsigned long long value = 0;
        auto [end, error] = std::from_chars(declared->data(), declared->data() + declared->size(), value);
        if (error != std::errc() || end != declared->data() + declared->size() || declared->empty()) {
            problems.push_back("MIDlet-Jar-Size \"" + *declared + "\" is not a number");
        } else if (value != size) {
            problems.push_back("MIDlet-Jar-Size is " + *declared + " but the jar holds " +
                               std::to_string(size) + " bytes");
        }
    }

    auto entries = readJar(jar);
    if (!entries) {
        problems.push_back("the jar " + jar.string() + " is not a readable zip archive");
        return check;
    }
    auto manifestEntry = entries->find("META-INF/MANIFEST.MF");
    if (manifestEntry == entries->end()) {
        problems.push_back("the jar has no META-INF/MANIFEST.MF");
        return check;
    }
    Attributes manifest = Attributes::parse(manifestEntry->second);

    for (const char* key : {"MIDlet-Name", "MIDlet-Version", "MIDlet-Vendor"}) {
        auto inManifest = manifest.get(key);
        auto inDescriptor = descriptor.get(key);
        if (!inManifest) {
            problems.push_back(std::string("the manifest has no ") + key);
        } else if (inDescriptor && *inDescriptor != *inManifest) {
            problems.push_back(std::string(key) + " differs: \"" + *inDescriptor +
                               "\" in the descriptor, \"" + *inManifest + "\" in the manifest");
        }
    }
    for (const char* key : {"MicroEdition-Profile", "MicroEdition-Configuration"}) {
        if (!manifest.get(key) && !descriptor.get(key))
            problems.push_back(std::string("no ") + key + " given");
    }
    if (auto name = manifest.get("MIDlet-Name")) {
        check.found.push_back("MIDlet suite: " + *name + " " + manifest.get("MIDlet-Version").value_or("") +
                              " by " + manifest.get("MIDlet-Vendor").value_or(""));
    }

    std::vector<std::string> midlets = manifest.midlets();
    std::vector<std::string> jadMidlets = descriptor.midlets();
    if (midlets.empty()) midlets = jadMidlets;
    if (midlets.empty())
        problems.push_back("neither the manifest nor the descriptor names a MIDlet (MIDlet-1)");
    for (size_t i = 0; i < midlets.size(); ++i) {
        std::string key = "MIDlet-" + std::to_string(i + 1);
        auto entry = parseMidletEntry(midlets[i]);
        if (!entry || entry->className.empty()) {
            problems.push_back(key + " \"" + midlets[i] + "\" does not read as \"label, icon, class\"");
            continue;
        }
        check.found.push_back(key + ": " + entry->label + ", class " + entry->className);
        if (i < jadMidlets.size()) {
            auto other = parseMidletEntry(jadMidlets[i]);
            if (!other || other->label != entry->label || other->icon != entry->icon ||
                other->className != entry->className) {
                problems.push_back(key + " differs: \"" + jadMidlets[i] + "\" in the descriptor, \"" +
                                   midlets[i] + "\" in the manifest");
            }
        }
        // Follow the superclasses inside the jar: a MIDlet class must end at the profile's MIDlet.
        std::string current = classEntry(entry->className);
        if (!entries->count(current)) {
            problems.push_back("the jar lacks the class " + entry->className + " that " + key + " names");
            continue;
        }
        for (int depth = 0;; ++depth) {
            auto it = entries->find(current);
            if (it == entries->end() || depth > 64) {
                problems.push_back(entry->className +
                                   " is not a MIDlet (it does not extend javax.microedition.midlet.MIDlet)");
                break;
            }
            ClassInfo info = readClass(it->second);
            if (info.superName == "javax/microedition/midlet/MIDlet") break;
            if (!info.valid || info.superName.empty()) {
                problems.push_back(entry->className +
                                   " is not a MIDlet (it does not extend javax.microedition.midlet.MIDlet)");
                break;
            }
            current = info.superName + ".class";
        }
    }
    if (jadMidlets.size() > midlets.size()) {
        problems.push_back("the descriptor names " + std::to_string(jadMidlets.size()) +
                           " MIDlets, the manifest " + std::to_string(midlets.size()));
    }

    size_t classes = 0, refused = 0;
    for (const auto& [name, data] : *entries) {
        if (name.size() < 6 || name.compare(name.size() - 6, 6, ".class") != 0) continue;
        ++classes;
        auto classProblems = preverifyProblems(readClass(data));
        if (!classProblems.empty()) ++refused;
        for (const auto& problem : classProblems) problems.push_back(name + ": " + problem);
    }
    check.found.push_back(
        "Classes: " + std::to_string(classes) +
        (refused == 0 ? ", all preverified" : ", " + std::to_string(refused) + " not fit for a phone"));
    return check;
}

}  // namespace standins
