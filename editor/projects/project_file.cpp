#include "project_file.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

#include "error_dialogs.h"
#include "references.h"
#include "small_dialogs.h"
#include "text_files.h"

namespace editor {
namespace {

QString boolText(bool value) {
    return value ? "true" : "false";
}

QString platformLine(const References& references, const Targets& targets) {
    if (references.compiler == "J2ME") return "Platform=J2ME";
    if (targets.tb) return "Platform=TB";
    if (targets.j2me) return "Platform=J2ME";
    if (targets.pocketPc) return "Platform=PPC";
    if (targets.windows) return "Platform=PC";
    if (targets.applet) return "Platform=Applet";
    return {};
}

QString cldcLine(const References& references) {
    return references.uses3D || references.usesFloats ? "CLDC=11" : "CLDC=10";
}

bool writeLines(const QString& path, const QStringList& lines, QWidget* owner) {
    const std::optional<QString> failure = writeTextFile(path, lines.join('\n') + '\n');
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

Project::ValuePrompt& valuePrompt() {
    static Project::ValuePrompt prompt = showManualEntry;
    return prompt;
}

}  // namespace

QStringList projectFileLines(const References& references, int run, const Targets& targets) {
    QStringList lines{"// Tesvo Zorid v1.1.0 Project File", "Main=" + references.mainName};
    for (const QString& entry : references.includes) lines << "Include=" + entry;
    for (const QString& entry : references.references) lines << "Classpath=" + entry;
    lines << "Run=" + QString::number(run) << "Name=" + references.projectName;
    if (const QString platform = platformLine(references, targets); !platform.isEmpty()) lines << platform;
    lines << "3D=" + boolText(references.uses3D) << "Floats=" + boolText(references.usesFloats)
          << "Mappy=" + boolText(references.usesMappy) << "MM=" + boolText(references.usesMM)
          << "Inc=" + boolText(references.usesInclude) << cldcLine(references);
    return lines;
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
    auto named = [&](const char* supportClass) {
        return boolText(references.usesInclude &&
                        sources.contains(QRegularExpression(QString("\\b%1\\b").arg(supportClass))));
    };
    QStringList lines{"// Tesvo Zorid v1.0 Descriptor File",
                      "// This file is used with the Build application",
                      "Main=" + references.LoadedPath + References::sep + references.projectName + ".java"};
    for (int i = 0; i < references.includes.size(); ++i) {
        lines << QString("Include%1=%2").arg(i).arg(references.includes[i]);
    }
    for (int i = 0; i < references.references.size(); ++i) {
        lines << QString("ClassPath%1=%2").arg(i).arg(references.references[i]);
    }
    lines << "Run=" + QString::number(run) << "Name=" + references.projectName << "Platform=J2ME"
          << "3D=" + boolText(references.uses3D) << "Floats=" + boolText(references.usesFloats)
          << "Mappy=" + boolText(references.usesMappy)
          << "MM=" + boolText(references.usesMM)
          // No option asks for these groups: the program's own use of them does.
          << "Image=" + named("IncludeImage") << "Sound=" + named("IncludeSound")
          << "Midi=" + named("IncludeMidi") << "Video=" + named("IncludeVideo")
          << "Inc=" + boolText(references.usesInclude) << cldcLine(references)
          << "Path=" + references.LoadedPath;
    return lines;
}

bool writeDescriptor(References& references, QWidget* owner, const QString& path, int run,
                     const QString& sources) {
    std::printf("**\nWriting Project Descriptor File\n");
    std::fflush(stdout);
    return writeLines(path, descriptorLines(references, run, sources), owner);
}

std::optional<QString> takeConvertedOptions(References& references, const QString& descriptorPath) {
    QStringList lines = readTextFile(descriptorPath).text.split('\n');
    for (QString& line : lines) {
        if (line.endsWith('\r')) line.chop(1);
    }
    auto flag = [&lines](const QString& key) {
        for (const QString& line : lines) {
            if (line.startsWith(key + "="))
                return line.mid(key.size() + 1).compare("true", Qt::CaseInsensitive) == 0;
        }
        return false;
    };
    references.usesInclude = true;
    references.uses3D = flag("3D");
    references.usesFloats = flag("Floats");
    references.usesMappy = flag("Mappy");
    references.usesMM = flag("MM");
    for (int i = 0;; ++i) {
        const QString key = QString("Object%1=").arg(i);
        const auto line =
            std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(key); });
        if (line == lines.end()) break;
        const QString type = line->mid(key.size());
        if (references.includes.contains(type)) continue;
        if (std::optional<QString> refused = refuseProjectEntry(references, false)) return refused;
        references.includes << type;
    }
    return std::nullopt;
}

void Project::setValuePrompt(ValuePrompt prompt) {
    valuePrompt() = prompt ? std::move(prompt) : ValuePrompt(showManualEntry);
}

bool Project::read(const QString& path, References& references, QWidget* owner) {
    incPointer = 0;
    classPointer = 0;
    notTaken.clear();
    allLines.fill(QString());

    const TextRead file = readTextFile(path);
    QStringList lines = file.text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    std::optional<QString> failure = file.failure;
    if (!failure && lines.size() > maxLines) {
        failure = QString("The project file %1 has more than %2 lines").arg(path).arg(maxLines);
    }
    if (failure) {
        std::fprintf(stderr, "Read Project %s: %s\n", qPrintable(path), qPrintable(*failure));
        showError(owner, *failure, "Read Project");
        return false;
    }
    for (int i = 0; i < lines.size(); ++i) allLines[i] = lines[i];

    if (!askFor("Main", main, references, owner)) return false;
    if (!askFor("Name", name, references, owner)) return false;
    platform = getValue("Platform", owner).value_or("TB");
    for (auto [key, list] :
         {std::pair{"Include", &references.includes}, {"Classpath", &references.references}}) {
        int taken = 0;
        while (const std::optional<QString> value = getValue(key, owner)) {
            if (taken++ < maxListValues) {
                *list << *value;
            } else {
                notTaken << QString(key) + "=" + *value;
            }
        }
    }
    if (!notTaken.isEmpty()) {
        showWarning(
            owner,
            QString("A project holds at most %1 include files and %1 class-path entries; not taken: %2")
                .arg(maxListValues)
                .arg(notTaken.join(", ")),
            "Read Project");
    }
    uses3D = getFlag("3D");
    usesFloats = getFlag("Floats");
    usesMappy = getFlag("Mappy");
    usesMM = getFlag("MM");
    usesInclude = getFlag("Inc");
    return true;
}

bool Project::askFor(const QString& key, QString& value, References& references, QWidget* owner) {
    if (const std::optional<QString> found = getValue(key, owner, true)) {
        value = *found;
        return true;
    }
    value.clear();
    value = valuePrompt()(owner, key, references);
    return !value.isEmpty();
}

std::optional<QString> Project::getValue(const QString& key, QWidget* owner, bool required) {
    int* pointer = key == "Include" ? &incPointer : key == "Classpath" ? &classPointer : nullptr;
    for (int slot = 0; slot < maxLines; ++slot) {
        const QString& line = allLines[slot];
        if (line.isEmpty()) return std::nullopt;
        if (pointer && slot <= *pointer) continue;
        if (!line.startsWith(key)) continue;
        if (pointer) *pointer = slot;
        const qsizetype equals = line.indexOf('=');
        return equals < 0 ? line : line.mid(equals + 1);
    }
    if (required) showWarning(owner, "Could not read a value from the project file", "Read Project");
    return std::nullopt;
}

bool Project::getFlag(const QString& key) {
    for (const QString& line : allLines) {
        if (line.isEmpty()) return false;
        if (line.startsWith(key + "=")) return line.mid(key.size() + 1) == "true";
    }
    return false;
}

}  // namespace editor
