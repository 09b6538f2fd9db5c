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

// What the build program knows about the project: the build descriptor `<name>.tbx` and the three tool
// folders of Config.cfg. Filled once by read(), then only queried.
class Project {
public:
    enum class ReadStatus { Ok, MissingConfig, Failed };
    struct ReadResult {
        ReadStatus status = ReadStatus::Ok;
        std::string message;  // the failure's own text for Failed
    };

    // Reads the descriptor at `descriptorPath`, then `<installDir>/Config.cfg`.
    ReadResult read(const std::string& descriptorPath, const std::string& installDir);

    // The value of the first line that begins with `key` directly followed by "=" or by the line's end:
    // the text after the first "=", or the whole line when it has none.
    static std::optional<std::string> lookup(const std::vector<std::string>& lines, std::string_view key);
    std::optional<std::string> getValue(std::string_view key) const { return lookup(allLines, key); }

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
    // A flag is true only when its value is "true" in any case.
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
    std::string path;  // the descriptor's directory with its trailing "/", or empty
    int run = 0;
};

}  // namespace build
