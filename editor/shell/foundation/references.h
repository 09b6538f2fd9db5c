#pragma once
// The editor's context: one per process, passed by reference to whatever needs the project, the
// configuration or the last manual entry. Plain data with the defaults of a fresh start.
#include <QString>
#include <QStringList>
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

    // The project: set by the loading road and Save to a new place, changed by Project Settings, the
    // language switch and Add to project (editor/projects/), cleared when the project is closed.
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
    // The J2ME options, the panel's boxes (projects/j2me_panel.h).
    bool uses3D = false;
    bool usesFloats = false;
    bool usesInclude = false;
    bool usesMM = false;
    bool usesMappy = false;
    QString fixed;  // the last manual entry; empty when it was cancelled

    // The tab slots of the main window's sources (shell/window/source_tabs.cpp).
    int mainScreen = -1;     // the main source's; 0 after a load or a reset
    int currentScreen = -1;  // the selected tab's, or the slot taken last; -1 when none was free
    int backupLevel = 0;     // the digit of the next backups, 0 to 9; 0 after a load

    // The configuration, one field per line of Config.cfg: read and written by the start-up
    // (config/start_up.h), set by the first-run wizard and the look commands. Each starts as the empty
    // text; a file too short for a line leaves its field without a value, which is written back as "null".
    std::optional<QString> JavaLocation = QString("");
    std::optional<QString> MobileLocation = QString("");
    std::optional<QString> TesvoZoridLocation = QString("");
    std::optional<QString> lookAndFeel = QString("");

    std::optional<QString> classStart;  // J2ME Settings: the class a Java project starts; none until set
    std::optional<QString> proxyHost;   // the FTP tool's proxy: none until its settings are confirmed
    std::optional<QString> proxyPort;
};

}  // namespace editor
