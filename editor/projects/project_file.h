#pragma once
// The project file `<LoadedPath><projectName>.tbp` (its writer and the editor's reader, which the compiler
// program's reader matches line for line) and the build descriptor `<name>.tbx` of a Java project.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "kit/project_file.h"
#include "project_roads.h"

class QWidget;

namespace editor {

class References;

// The lines of the project file, in writing order. A Java project (compiler "J2ME") writes
// "Platform=J2ME" whatever the targets; the applet target writes the compiler's word "Applet".
QStringList projectFileLines(const References& references, int run, const Targets& targets);

// Writes the project file. A failure is shown with Error "Write Project" and leaves the old file whole;
// the result says whether the file was written.
bool writeProject(References& references, QWidget* owner, int run, const Targets& targets);

// A project file is read back only while it has at most 25 lines and 10 entries in each list: the text
// that refuses one more include (or class-path entry), nothing while it still fits.
std::optional<QString> refuseProjectEntry(const References& references, bool classPath);

// The descriptor the build program reads for a Java project, with the options of the J2ME panel. With the
// kit's API on, the support classes of images, sound, MIDI and video go with it when `sources` (the
// project's Java) names them, as a converted project's does.
QStringList descriptorLines(const References& references, int run, const QString& sources = {});
bool writeDescriptor(References& references, QWidget* owner, const QString& path, int run,
                     const QString& sources = {});

// A converted project keeps what its Java needs to build: the kit's API, the 3D, float, map and media
// libraries as the compiler's descriptor `descriptorPath` of the conversion says the translation used them,
// and the record-type classes it wrote, as Java includes. What does not fit the project file: its refusal.
std::optional<QString> takeConvertedOptions(References& references, const QString& descriptorPath);
// The Java a conversion wrote, as its descriptor `descriptorPath` names it: `<projectName>.java` and each
// record type's source, in the project folder.
QStringList convertedSources(const References& references, const QString& descriptorPath);

// A project file as the editor reads it, over kit_common's reader (kit/project_file.h), which
// Compile-Linux reads them with too: a value the loading road applies to the window's project.
struct Project {
    static constexpr int maxLines = static_cast<int>(kit::ProjectFile::maxLines);
    static constexpr int maxListValues = 10;

    // Reads the file at `path` and appends its includes and class-path entries to the references'
    // lists. Nothing when the file could not be read (shown with Error "Read Project") or a missing
    // "Main" or "Name" was not entered: the load must not go on with such values.
    static std::optional<Project> read(const QString& path, References& references, QWidget* owner);

    QString main;
    QString name;
    QString platform;
    // The "Include=" and "Classpath=" lines past the first 10 of their kind: not taken, and named in a
    // Warning.
    QStringList notTaken;
    // The J2ME options as written.
    bool uses3D = false;
    bool usesFloats = false;
    bool usesMappy = false;
    bool usesMM = false;
    bool usesInclude = false;
};

}  // namespace editor
