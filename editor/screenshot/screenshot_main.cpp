// Writes a picture of the editor's main window as a user first sees it: the editor started in a copy of
// the kit whose Config.cfg names the copy's own tools (so no wizard), rendered once it has settled. Run
// it under a display:
//     xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/editor_screenshot [picture.png]
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "environment.h"
#include "main_window.h"
#include "references.h"
#include "tools_side.h"
#include "tree_file_browser.h"

namespace {

bool relocateKit(const QString& kit) {
    if (QProcess::execute("cp", {"-a", TZ_KIT_DIR, kit}) != 0) return false;
    QFile config(kit + "/Config.cfg");
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    config.write((kit + "/jdk/bin/\n" + kit + "/wtk/\n" + kit + "/\n").toUtf8());
    return config.error() == QFileDevice::NoError;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString picture = argc > 1 ? QString::fromLocal8Bit(argv[1]) : TZ_SCREENSHOT_DIR "/main-window.png";
    QTemporaryDir dir;
    const QString kit = dir.filePath("kit");
    if (!dir.isValid() || !relocateKit(kit)) {
        std::fprintf(stderr, "Could not copy the kit from %s\n", TZ_KIT_DIR);
        return 1;
    }
    editor::setKitFolder(kit);
    // The project tree opens on the folder that holds the kit copy.
    ui::treefilebrowser::setHomeFolder(dir.path());

    editor::References references;
    editor::ToolsSide tools;
    editor::Editor window(references);
    // The tree reads its folders on a thread of its own; give it and the layout time to settle.
    QDeadlineTimer settled(1500);
    while (!settled.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    QDir().mkpath(QFileInfo(picture).path());
    if (!window.grab().save(picture)) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(picture));
        return 1;
    }
    std::printf("%s\n", qPrintable(picture));
    return 0;
}
