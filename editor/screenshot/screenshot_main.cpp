// Writes a picture of the editor's main window: the editor started in a copy of the kit whose Config.cfg
// names the copy's own tools (so no wizard), rendered once it has settled. With --project, a copy of that
// project is opened and compiled first, as a user would with F4. Run it under a display:
//     testing/with-display.sh build/bin/editor_screenshot [--project X.tbp] [picture.png]
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "environment.h"
#include "main_window.h"
#include "project_side.h"
#include "references.h"
#include "services.h"
#include "test_helpers.h"
#include "tools_side.h"

// Lets the window's events run for `milliseconds`, or until `done` holds.
template <typename Done>
void settle(int milliseconds, Done done) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired() && !done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    QString project;
    if (arguments.size() >= 2 && arguments.first() == "--project") {
        project = QFileInfo(arguments[1]).absoluteFilePath();
        arguments = arguments.mid(2);
    }
    const QString picture = arguments.isEmpty() ? TZ_SCREENSHOT_DIR "/main-window.png" : arguments.first();
    QTemporaryDir dir;
    const QString kit = dir.filePath("kit");
    if (!dir.isValid() || !tz::testing::copyKit(TZ_KIT_DIR, kit.toStdString())) {
        std::fprintf(stderr, "Could not copy the kit from %s\n", TZ_KIT_DIR);
        return 1;
    }
    // The project tree opens on the folder that holds the kit copy, or on a home holding the project.
    const QString home = dir.filePath("home");
    if (!project.isEmpty()) QDir().mkpath(home);
    const editor::Services services({.kitFolder = kit, .homeFolder = project.isEmpty() ? dir.path() : home});

    editor::References references;
    editor::ToolsSide tools;
    editor::ProjectSide projects(tools);
    editor::Editor window(services, references, &projects, &tools);
    if (!project.isEmpty()) {
        // The project's own folder is left as it is: a copy of its sources and media gets the build's files.
        const QFileInfo file(project);
        const QString copy = home + "/" + file.dir().dirName();
        if (!tz::testing::copyExampleProject(file.absolutePath().toStdString(), copy.toStdString())) {
            std::fprintf(stderr, "Could not copy the project %s\n", qPrintable(project));
            return 1;
        }
        window.loadProject(copy + "/" + file.fileName());
        window.Build(0);
        settle(120000, [&projects] { return !projects.launcher().busy(); });
    }
    // The tree reads its folders on a thread of its own; give it and the layout time to settle.
    settle(1500, [] { return false; });

    QDir().mkpath(QFileInfo(picture).path());
    if (!window.grab().save(picture)) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(picture));
        return 1;
    }
    std::printf("%s\n", qPrintable(picture));
    return 0;
}
