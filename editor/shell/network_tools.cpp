#include "network_tools.h"

#include "ftp_window.h"
#include "update_check.h"

namespace editor {

void openFtpTool(QWidget* owner, References& references) {
    FTP window(owner, references);
    window.exec();
}

void openUpdateCheck(QWidget* owner) {
    Update wizard(owner);
    wizard.exec();
}

}  // namespace editor
