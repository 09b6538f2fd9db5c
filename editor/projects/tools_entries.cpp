#include "tools_entries.h"

#include "ftp_window.h"
#include "main_window.h"
#include "update_check.h"

namespace editor {

void openFtpTool(Editor& editor) {
    FTP window(&editor, editor.references());
    window.exec();
}

void openUpdateCheck(Editor& editor) {
    Update wizard(&editor);
    wizard.exec();
}

}  // namespace editor
