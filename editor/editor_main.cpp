// Editor-Linux: the editor's main window with its project side; the arguments are not used.
#include <QApplication>

#include "main_window.h"
#include "project_side.h"
#include "references.h"
#include "tools_side.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("Tesvo Zorid Editor");
    editor::References references;
    // The tools first: the window takes the options panel from them while it builds its layout.
    editor::ToolsSide tools;
    editor::Editor window(references);
    editor::ProjectSide projects(window);
    return application.exec();
}
