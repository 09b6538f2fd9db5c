#include "services.h"

#include <QtGlobal>

#include "ui_toolkit.h"

namespace editor {
namespace {

const Services* inForce = nullptr;

}  // namespace

Services::Services() : Services(Parts{}) {}

Services::Services(Parts parts) : parts_(std::move(parts)), previous_(inForce) {
    while (parts_.kitFolder.size() > 1 && parts_.kitFolder.endsWith('/')) parts_.kitFolder.chop(1);
    if (previous_) {
        const Parts& before = previous_->parts();
        if (parts_.kitFolder.isEmpty()) parts_.kitFolder = before.kitFolder;
        if (parts_.scanRoot.isEmpty()) parts_.scanRoot = before.scanRoot;
        if (parts_.homeFolder.isEmpty()) parts_.homeFolder = before.homeFolder;
        if (!parts_.desktop) parts_.desktop = before.desktop;
        if (!parts_.exit) parts_.exit = before.exit;
        if (!parts_.files) parts_.files = before.files;
        if (!parts_.reports) parts_.reports = before.reports;
        if (!parts_.printDialogs) parts_.printDialogs = before.printDialogs;
        if (!parts_.manualEntry) parts_.manualEntry = before.manualEntry;
    }
    inForce = this;
    // The component library finds its images in the same folder.
    ui::toolkit::Toolkit::setKitFolder(parts_.kitFolder);
}

Services::~Services() {
    Q_ASSERT(inForce == this);
    inForce = previous_;
    ui::toolkit::Toolkit::setKitFolder(previous_ ? previous_->parts().kitFolder : QString());
}

const Services* Services::current() {
    return inForce;
}

}  // namespace editor
