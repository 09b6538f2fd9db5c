#include "kit/project_file.h"

namespace kit {
ProjectFile readProjectFile(const Lines& lines) {
    ProjectFile project;
    project.main = valueOf(lines, "Main");
    project.includes = valuesOf(lines, "Include");
    project.classPaths = valuesOf(lines, "Classpath");
    project.run = valueOf(lines, "Run");
    project.name = valueOf(lines, "Name");
    project.platform = valueOf(lines, "Platform");
    project.uses3D = isOn(valueOf(lines, "3D"));
    project.usesFloats = isOn(valueOf(lines, "Floats"));
    project.usesMappy = isOn(valueOf(lines, "Mappy"));
    project.usesMM = isOn(valueOf(lines, "MM"));
    project.usesInclude = isOn(valueOf(lines, "Inc"));
    return project;
}

Lines projectFileLines(const ProjectFile& project) {
    Lines lines{kProjectFileHeader, "Main=" + project.main.value_or("")};
    for (const std::string& include : project.includes) lines.push_back("Include=" + include);
    for (const std::string& entry : project.classPaths) lines.push_back("Classpath=" + entry);
    lines.push_back("Run=" + project.run.value_or("0"));
    lines.push_back("Name=" + project.name.value_or(""));
    if (project.platform) lines.push_back("Platform=" + *project.platform);
    lines.push_back("3D=" + switchText(project.uses3D));
    lines.push_back("Floats=" + switchText(project.usesFloats));
    lines.push_back("Mappy=" + switchText(project.usesMappy));
    lines.push_back("MM=" + switchText(project.usesMM));
    lines.push_back("Inc=" + switchText(project.usesInclude));
    lines.push_back(project.uses3D || project.usesFloats ? "CLDC=11" : "CLDC=10");
    return lines;
}

}  // namespace kit
