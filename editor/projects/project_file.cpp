#include "project_file.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

#include "error_dialogs.h"
#include "kit/descriptor.h"
#include "kit/project_file.h"
#include "references.h"
#include "services.h"
#include "small_dialogs.h"
#include "text_files.h"

namespace editor {
namespace {

std::optional<std::string> platformWord(const References& references, const Targets& targets) {
    if (references.compiler == "J2ME") return "J2ME";
    if (targets.tb) return "TB";
    if (targets.j2me) return "J2ME";
    if (targets.pocketPc) return "PPC";
    if (targets.windows) return "PC";
    if (targets.applet) return "Applet";
    return std::nullopt;
}

bool writeLines(const QString& path, const QStringList& lines, QWidget* owner) {
    const std::optional<QString> failure =
        writeTextFile(path, QString::fromStdString(kit::joinLines(toLines(lines))));
    if (!failure) return true;
    std::fprintf(stderr, "Write Project %s: %s\n", qPrintable(path), qPrintable(*failure));
    showError(owner, *failure, "Write Project");
    return false;
}

QString showManualEntry(QWidget* owner, const QString& key, References& references) {
    ManualEntry entry(owner, key, references);
    entry.exec();
    return references.fixed;
}

// The manual entry of the Services in force, else the prompt.
QString askValue(QWidget* owner, const QString& key, References& references) {
    const Services* services = Services::current();
    if (services && services->parts().manualEntry)
        return services->parts().manualEntry(owner, key, references);
    return showManualEntry(owner, key, references);
}

kit::Descriptor readDescriptorFile(const QString& path) {
    QFile file(path);
    return kit::readDescriptor(fileLines(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()));
}

}  // namespace

QStringList projectFileLines(const References& references, int run, const Targets& targets) {
    kit::ProjectFile project;
    project.main = references.mainName.toStdString();
    project.includes = toLines(references.includes);
    project.classPaths = toLines(references.references);
    project.run = std::to_string(run);
    project.name = references.projectName.toStdString();
    project.platform = platformWord(references, targets);
    project.uses3D = references.uses3D;
    project.usesFloats = references.usesFloats;
    project.usesMappy = references.usesMappy;
    project.usesMM = references.usesMM;
    project.usesInclude = references.usesInclude;
    return toStringList(kit::projectFileLines(project));
}

bool writeProject(References& references, QWidget* owner, int run, const Targets& targets) {
    return writeLines(references.LoadedPath + references.projectName + ".tbp",
                      projectFileLines(references, run, targets), owner);
}

std::optional<QString> refuseProjectEntry(const References& references, bool classPath) {
    const QStringList& list = classPath ? references.references : references.includes;
    if (list.size() >= Project::maxListValues) {
        return QString("A project holds at most %1 %2")
            .arg(Project::maxListValues)
            .arg(classPath ? "class-path entries" : "include files");
    }
    // The header, Main, Run, Name, Platform, five options and CLDC, then one line per entry.
    const int lines = 11 + references.includes.size() + references.references.size();
    if (lines >= Project::maxLines) {
        return QString("A project file holds at most %1 lines: remove an include or class-path entry first")
            .arg(Project::maxLines);
    }
    return std::nullopt;
}

QStringList descriptorLines(const References& references, int run, const QString& sources) {
    // No option asks for the media groups: the program's own use of them does.
    auto named = [&](const char* supportClass) {
        return references.usesInclude &&
               sources.contains(QRegularExpression(QString("\\b%1\\b").arg(supportClass)));
    };
    kit::Descriptor d;
    d.comments = {"// Tesvo Zorid v1.0 Descriptor File", "// This file is used with the Build application"};
    d.main = (references.LoadedPath + References::sep + references.projectName + ".java").toStdString();
    d.includes = toLines(references.includes);
    d.classPaths = toLines(references.references);
    d.run = std::to_string(run);
    d.name = references.projectName.toStdString();
    d.platform = "J2ME";
    d.uses3D = references.uses3D;
    d.usesFloats = references.usesFloats;
    d.usesMappy = references.usesMappy;
    d.usesMM = references.usesMM;
    d.usesImage = named("IncludeImage");
    d.usesSound = named("IncludeSound");
    d.usesMidi = named("IncludeMidi");
    d.usesVideo = named("IncludeVideo");
    d.usesInclude = references.usesInclude;
    d.cldc = references.uses3D || references.usesFloats ? "11" : "10";
    d.path = references.LoadedPath.toStdString();
    return toStringList(kit::descriptorLines(d));
}

bool writeDescriptor(References& references, QWidget* owner, const QString& path, int run,
                     const QString& sources) {
    std::printf("**\nWriting Project Descriptor File\n");
    std::fflush(stdout);
    return writeLines(path, descriptorLines(references, run, sources), owner);
}

std::optional<QString> takeConvertedOptions(References& references, const QString& descriptorPath) {
    const kit::Descriptor descriptor = readDescriptorFile(descriptorPath);
    references.usesInclude = true;
    references.uses3D = descriptor.uses3D;
    references.usesFloats = descriptor.usesFloats;
    references.usesMappy = descriptor.usesMappy;
    references.usesMM = descriptor.usesMM;
    for (const std::string& object : descriptor.objects) {
        const QString type = QString::fromStdString(object);
        if (references.includes.contains(type)) continue;
        if (std::optional<QString> refused = refuseProjectEntry(references, false)) return refused;
        references.includes << type;
    }
    return std::nullopt;
}

QStringList convertedSources(const References& references, const QString& descriptorPath) {
    QStringList sources{references.LoadedPath + references.projectName + ".java"};
    for (const std::string& object : readDescriptorFile(descriptorPath).objects) {
        const QString type = QString::fromStdString(object);
        // The compiler writes record types into the project folder only.
        if (!type.contains('/')) sources << references.LoadedPath + type + ".java";
    }
    return sources;
}

namespace {

// The value found, else the one entered. Only a key missing from a full file (all 25 lines) is warned
// about first.
bool askFor(const QString& key, const std::optional<std::string>& found, QString& value, bool full,
            References& references, QWidget* owner) {
    if (found) {
        value = QString::fromStdString(*found);
        return true;
    }
    if (full) showWarning(owner, "Could not read a value from the project file", "Read Project");
    value = askValue(owner, key, references);
    return !value.isEmpty();
}

}  // namespace

std::optional<Project> Project::read(const QString& path, References& references, QWidget* owner) {
    QFile file(path);
    std::optional<QString> failure;
    QByteArray content;
    if (!file.open(QIODevice::ReadOnly)) {
        failure = file.errorString();
    } else {
        content = file.readAll();
        if (file.error() != QFileDevice::NoError) failure = file.errorString();
    }
    const kit::Lines lines = fileLines(content);
    if (!failure && lines.size() > kit::ProjectFile::maxLines) {
        failure = QString("The project file %1 has more than %2 lines").arg(path).arg(maxLines);
    }
    if (failure) {
        std::fprintf(stderr, "Read Project %s: %s\n", qPrintable(path), qPrintable(*failure));
        showError(owner, *failure, "Read Project");
        return std::nullopt;
    }
    const kit::ProjectFile read = kit::readProjectFile(lines);
    // A key missing from a file the reader could not hold more of is the one case worth a word.
    const bool full = lines.size() == kit::ProjectFile::maxLines;

    Project project;
    if (!askFor("Main", read.main, project.main, full, references, owner)) return std::nullopt;
    if (!askFor("Name", read.name, project.name, full, references, owner)) return std::nullopt;
    project.platform = toQString(read.platform).value_or("TB");
    for (auto [key, values, list] : {std::tuple{"Include", &read.includes, &references.includes},
                                     {"Classpath", &read.classPaths, &references.references}}) {
        int taken = 0;
        for (const std::string& value : *values) {
            if (taken++ < maxListValues) {
                *list << QString::fromStdString(value);
            } else {
                project.notTaken << QString(key) + "=" + QString::fromStdString(value);
            }
        }
    }
    if (!project.notTaken.isEmpty()) {
        showWarning(
            owner,
            QString("A project holds at most %1 include files and %1 class-path entries; not taken: %2")
                .arg(maxListValues)
                .arg(project.notTaken.join(", ")),
            "Read Project");
    }
    project.uses3D = read.uses3D;
    project.usesFloats = read.usesFloats;
    project.usesMappy = read.usesMappy;
    project.usesMM = read.usesMM;
    project.usesInclude = read.usesInclude;
    return project;
}

}  // namespace editor
