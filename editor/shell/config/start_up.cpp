#include "start_up.h"

#include "config_file.h"
#include "looks.h"
#include "new_install.h"
#include "references.h"

namespace editor {

bool initConfig(References& references) {
    // The kit folder is known whether or not the file is there; the templates and syntax descriptors
    // are found under it from this start on.
    references.TesvoZoridLocation = installFolder();
    readConfig(references);
    if (!javaToolFound(references.JavaLocation) || !toolkitFound(references.MobileLocation)) {
        if (runFirstRunWizard(references) == NewInstall::Outcome::Exited) return false;
    }
    writeConfig(references);
    looks::selectLook(references.lookAndFeel);
    return true;
}

bool writeConfig(References& references) {
    const std::optional<QString> failure = saveConfigFile(
        {references.JavaLocation, references.MobileLocation, installFolder(), references.lookAndFeel});
    if (failure) reportSaveFailure(*failure);
    return !failure;
}

}  // namespace editor
