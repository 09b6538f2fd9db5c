#include "help.h"

#include <QUrl>

#include "environment.h"
#include "files.h"
#include "prompter.h"

namespace editor {

Help::Help() {
    setObjectName("panel");
}

QString Help::page() {
    return kitFolder() + "/Documentation/index.html";
}

void Help::go() {
    const QString path = page();
    const FileStatus status = files().status(path);
    if (!status.isFile || !status.readable) {
        ui::prompter().inform(this, "Help", "Help files not found");
        return;
    }
    setSource(QUrl::fromLocalFile(path));
}

}  // namespace editor
