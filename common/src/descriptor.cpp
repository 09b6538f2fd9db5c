#include "kit/descriptor.h"

namespace kit {

Descriptor readDescriptor(const Lines& lines) {
    Descriptor d;
    d.main = valueOf(lines, "Main");
    d.includes = numberedValuesOf(lines, "Include");
    d.classPaths = numberedValuesOf(lines, "ClassPath");
    d.objects = numberedValuesOf(lines, "Object");
    d.run = valueOf(lines, "Run");
    d.name = valueOf(lines, "Name");
    d.platform = valueOf(lines, "Platform");
    d.uses3D = isOn(valueOf(lines, "3D"));
    d.usesFloats = isOn(valueOf(lines, "Floats"));
    d.usesMappy = isOn(valueOf(lines, "Mappy"));
    d.usesMM = isOn(valueOf(lines, "MM"));
    d.usesImage = isOn(valueOf(lines, "Image"));
    d.usesSound = isOn(valueOf(lines, "Sound"));
    d.usesMidi = isOn(valueOf(lines, "Midi"));
    d.usesVideo = isOn(valueOf(lines, "Video"));
    d.usesInclude = isOn(valueOf(lines, "Inc"));
    d.cldc = valueOf(lines, "CLDC");
    d.path = valueOf(lines, "Path");
    return d;
}

Lines descriptorLines(const Descriptor& d) {
    Lines lines = d.comments;
    auto line = [&](const char* key, const std::optional<std::string>& value) {
        if (value) lines.push_back(key + ("=" + *value));
    };
    auto list = [&](const char* key, const std::vector<std::string>& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            lines.push_back(key + std::to_string(i) + "=" + values[i]);
    };
    line("Main", d.main);
    list("Include", d.includes);
    list("ClassPath", d.classPaths);
    list("Object", d.objects);
    line("Run", d.run);
    line("Name", d.name);
    line("Platform", d.platform);
    const std::pair<const char*, bool> switches[] = {
        {"3D", d.uses3D},     {"Floats", d.usesFloats}, {"Mappy", d.usesMappy},
        {"MM", d.usesMM},     {"Image", d.usesImage},   {"Sound", d.usesSound},
        {"Midi", d.usesMidi}, {"Video", d.usesVideo},   {"Inc", d.usesInclude},
    };
    for (const auto& [key, on] : switches) line(key, switchText(on));
    line("CLDC", d.cldc);
    line("Path", d.path);
    return lines;
}

}  // namespace kit
