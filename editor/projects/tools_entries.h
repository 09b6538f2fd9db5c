#pragma once
// The network tools of the Tools menu, opened by "FTP Tool" and "Update Tesvo Zorid": each opens a new
// modal window owned by the main window and returns when the user has closed it.
namespace editor {

class Editor;

void openFtpTool(Editor& editor);
void openUpdateCheck(Editor& editor);

}  // namespace editor
