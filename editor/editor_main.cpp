// Editor-Linux: the editor's main window over the shell library; the arguments are not used.
#include <QApplication>

#include "main_window.h"
#include "references.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("Tesvo Zorid Editor");
    editor::References references;
    editor::Editor window(references);
    return application.exec();
}
