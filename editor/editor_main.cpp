// Editor-Linux: the editor's main window with its project side; the arguments are not used.
#include <QApplication>

#include "environment.h"
#include "main_window.h"
#include "project_side.h"
#include "references.h"
#include "services.h"
#include "tools_side.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("Tesvo Zorid Editor");
    // The services the editor meets the world through, the standard ones, for the whole run.
    const editor::Services services;
    editor::References references;
    // The project side before the window it serves, which takes the options panel from the tools while it
    // builds its layout. Going after the window, the project side ends a build still running.
    editor::ToolsSide tools;
    editor::ProjectSide projects(tools);
    editor::Editor window(services, references, &projects, &tools);
    // The first-run wizard's Exit ended the editor before its loop began.
    if (const std::optional<int> status = editor::requestedExit()) return *status;
    return application.exec();
}
