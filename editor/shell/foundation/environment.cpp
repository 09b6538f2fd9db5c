#include "environment.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <filesystem>
#include <system_error>

#include "error_dialogs.h"
#include "kit/program_folder.h"
#include "services.h"

namespace editor {
namespace {

QString programFolder() {
    const std::string folder = kit::programFolder();
    if (!folder.empty()) return QString::fromStdString(folder);
    std::error_code failed;
    return QString::fromStdString(std::filesystem::current_path(failed).string());
}

class StandardDesktop : public DesktopOpener {
public:
    bool open(const QUrl& target) override { return QDesktopServices::openUrl(target); }
};

class StandardExit : public ProgramExit {
public:
    void exit(int status) override {
        requested = status;
        QCoreApplication::exit(status);
    }
    std::optional<int> requested;
};

StandardExit& standardExit() {
    static StandardExit standard;
    return standard;
}

}  // namespace

QString productPage() {
    return QString(makerSite) + "/TesvoZorid.asp";
}
QString javaPage() {
    return QString(makerSite) + "/Prerequisites/Java.htm";
}
QString j2mePage() {
    return QString(makerSite) + "/Prerequisites/J2ME.htm";
}

QString kitFolder() {
    const Services* services = Services::current();
    if (services && !services->parts().kitFolder.isEmpty()) return services->parts().kitFolder;
    static const QString folder = programFolder();
    return folder;
}

DesktopOpener& desktop() {
    static StandardDesktop standard;
    const Services* services = Services::current();
    return services && services->parts().desktop ? *services->parts().desktop : standard;
}

ProgramExit& programExit() {
    const Services* services = Services::current();
    return services && services->parts().exit ? *services->parts().exit : standardExit();
}

std::optional<int> requestedExit() {
    return standardExit().requested;
}

void openAddress(const QString& address, const QString& operation) {
    if (!desktop().open(QUrl(address))) showError(nullptr, "Could not open " + address, operation);
}

void openLocalFile(const QString& path, const QString& operation) {
    if (!desktop().open(QUrl::fromLocalFile(path))) showError(nullptr, "Could not open " + path, operation);
}

void exitProgram() {
    programExit().exit(0);
}

}  // namespace editor
