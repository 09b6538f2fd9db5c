#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace build {

// An absent value joins into a text as "null", as the build program always printed it.
std::string orNull(const std::optional<std::string>& value);

// Integer.parseInt rules: optional sign, decimal digits only, within 32 bits.
std::optional<int> parseDecimal(std::string_view text);

// The line of the refusal of a missing Config.cfg.
inline constexpr std::string_view kMissingConfig =
    "Could not find Config.cfg. Run the Editor to generate this file";

// What the build program knows about the project: the build descriptor `<name>.tbx` and the three tool
// folders of Config.cfg, both read by kit_common. Filled once by read(), then only queried.
class Project {
public:
    enum class ReadStatus { Ok, Refused, Failed };
    struct ReadResult {
        ReadStatus status = ReadStatus::Ok;
        // Failed: the failure's own text. Refused: the one line that says why no tool can run (Config.cfg
        // missing or unusable, a folder that cannot stand in a class path).
        std::string message;
    };

    // Reads the descriptor at `descriptorPath`, then `<installDir>/Config.cfg`, whose lines inside the kit
    // folder it records are taken inside `installDir` when that is another folder (a copied kit).
    ReadResult read(const std::string& descriptorPath, const std::string& installDir);

    // A path the build opens (`path` + a file name) as the user names it.
    std::string shown(const std::string& opened) const { return inFolder ? shownPath + opened : opened; }

    // The value of the first line that holds `key` (kit/key_value_lines.h).
    std::optional<std::string> getValue(std::string_view key) const;

    // Every class-path entry followed by ":" (the empty text for none).
    std::string getClassPath() const;
    std::optional<std::string> CLDCVersion() const { return getValue("CLDC"); }

    bool uses3D() const { return flag("3D"); }
    bool usesFloats() const { return flag("Floats"); }
    bool usesImage() const { return flag("Image"); }
    bool usesInclude() const { return flag("Inc"); }
    bool usesMM() const { return flag("MM"); }
    bool usesMappy() const { return flag("Mappy"); }
    bool usesMidi() const { return flag("Midi"); }
    bool usesSound() const { return flag("Sound"); }
    bool usesVideo() const { return flag("Video"); }
    // A flag is true only when its value is "true" in any case; looked up anew at each call.
    bool flag(std::string_view key) const;

    std::vector<std::string> allLines;
    std::vector<std::string> classPaths;
    std::vector<std::string> objects;
    std::vector<std::string> includes;
    std::optional<std::string> javaLocation;  // Config.cfg line 1: the Java SDK tool folder
    std::optional<std::string> j2meLocation;  // line 2: the wireless toolkit root
    std::optional<std::string> tbLocation;    // line 3: the kit's install folder
    std::optional<std::string> file;          // Main
    std::optional<std::string> platform;
    std::optional<std::string> name;
    // Where the build opens the project's files: "" while it works inside the project folder (its working
    // folder: the tools take the files by names relative to it), else the descriptor's directory with its
    // trailing "/", or empty.
    std::string path;
    // The project folder as the argument named it, with its trailing "/", and whether the build works
    // inside it: messages name files by it.
    std::string shownPath;
    bool inFolder = false;
    int run = 0;
};

}  // namespace build
