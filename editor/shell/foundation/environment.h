#pragma once
// Where the editor meets the desktop: the kit folder, opening addresses and files with the desktop's
// default program, and ending the program. Each comes from the Services in force (services.h); tests
// give recorders (editor/testing/).
#include <QString>
#include <QUrl>
#include <optional>

namespace editor {

inline constexpr char version[] = "1.1.0";
inline constexpr char supportAddress[] = "support@tesvozorid.example";
inline constexpr char makerSite[] = "http://www.tesvozorid.example";

// The maker's pages: the product page (About, update check) and the two download pages of the first-run
// wizard.
QString productPage();
QString javaPage();
QString j2mePage();

// The folder that holds the running program, without a closing "/": the install folder of the kit, where
// Config.cfg, the templates and the documentation live, whatever directory the editor was started from.
QString kitFolder();

// Opens web pages, the help file and images with the desktop's default program, without waiting.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // False when nothing could be started.
    virtual bool open(const QUrl& target) = 0;
};

DesktopOpener& desktop();

// Ends the editor: Exit and the first-run wizard's Exit end it with status 0. The standard one asks the
// event loop to end, so the program returns from main and every owner ends what it holds (a running build
// included); the caller goes on until control is back in the loop.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void exit(int status) = 0;
};

ProgramExit& programExit();
// The status the standard exit was asked to end with, if it was: asked before the main event loop runs
// (the first-run wizard's Exit at start-up), the program must not start the loop.
std::optional<int> requestedExit();

// Shorthands for the callers. When the desktop cannot open the target, the Error dialog says "Could not
// open <target>", with the operation that asked as its detail.
void openAddress(const QString& address, const QString& operation);
void openLocalFile(const QString& path, const QString& operation);
void exitProgram();

}  // namespace editor
