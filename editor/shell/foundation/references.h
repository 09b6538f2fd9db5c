#pragma once
// The editor's context: one per process, passed by reference to whatever needs the project, the
// configuration or the last manual entry. Plain data with the defaults of a fresh start.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace editor {

class References {
public:
    // The folders default to the kit folder (environment.h) as it is when the context is made.
    References();

    static constexpr QChar sep{u'/'};

    // The file name of `path` (after its last "/") cut before its first "."; nothing when that name
    // holds no ".", so callers can tell "no name" from the empty name of ".bss".
    static std::optional<QString> getFileFromPath(const QString& path);
    // An entry of `includes` equals the cut name of `path` (case-sensitive).
    bool longIncludeExists(const QString& path) const;

    // The project.
    QString editorPath;  // the kit folder + sep: the compiler and build programs are started from it
    QString LoadedPath;  // the project folder, always ending with sep
    QString projectName;
    QString projectCompany;  // shown in the project settings, never written to the project file
    QString mainName;        // main source without extension
    // The main source's name in the kit's language while a switch to Java has named it after the project.
    std::optional<QString> kitMainName;
    QString fileExt = ".bss";
    QStringList includes;     // include sources without extension, in order
    QStringList references;   // class-path entries, in order
    QString compiler = "TB";  // the platform word of the project file
    bool saved = false;       // the project has a location on disk
    bool uses3D = false;
    bool usesFloats = false;
    bool usesInclude = false;
    bool usesMM = false;
    bool usesMappy = false;
    QString fixed;  // the last manual entry; empty when it was cancelled
    // The main window's question before the editor ends ("Save changes?" while a tab is changed), set
    // while the window lives; false keeps the editor. The configuration's dialogs ask it without the window.
    std::function<bool()> mayEnd;
    int mainScreen = -1;
    int currentScreen = -1;
    int backupLevel = 0;

    // The configuration, one field per line of Config.cfg. Each starts as the empty text; a file too
    // short for a line leaves its field without a value, which is written back as "null".
    std::optional<QString> JavaLocation = QString("");
    std::optional<QString> MobileLocation = QString("");
    std::optional<QString> TesvoZoridLocation = QString("");
    std::optional<QString> lookAndFeel = QString("");

    std::optional<QString> classStart;  // the class a Java project starts; no value until it is set
    std::optional<QString> proxyHost;   // no value until the proxy settings are confirmed
    std::optional<QString> proxyPort;
};

}  // namespace editor
