#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standins {

// "Name: value" attributes of a JAD or a jar manifest, in file order. A line that begins with one blank
// continues the previous value (manifest form); CR LF and LF line ends are both read.
class Attributes {
public:
    static Attributes parse(std::string_view text);

    std::optional<std::string> get(std::string_view name) const;
    // The MIDlet-1, MIDlet-2, ... values up to the first missing number.
    std::vector<std::string> midlets() const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// One MIDlet-<n> value "label, icon, class" split at its commas and trimmed.
struct MidletEntry {
    std::string label, icon, className;
};
std::optional<MidletEntry> parseMidletEntry(std::string_view value);

// The entries of a jar, by name. Empty optional when the file cannot be read as a zip archive.
std::optional<std::map<std::string, std::string>> readJar(const std::filesystem::path& jar);

struct SuiteCheck {
    std::vector<std::string> found;     // what the check saw, one line each
    std::vector<std::string> problems;  // why a phone would refuse the suite; empty when it would install
};

// Checks a MIDlet suite as a phone checks it before installing: the JAD's jar size and MIDlet entries
// against the jar, the manifest's MIDlet classes, and that every class is preverified. `jar` empty: the
// JAD's MIDlet-Jar-URL, taken relative to the JAD's folder.
SuiteCheck checkSuite(const std::filesystem::path& jad, const std::filesystem::path& jar);

}  // namespace standins
