#pragma once
// The network tools of the Tools menu, opened by "FTP Tool" and "Update Tesvo Zorid". Until their
// windows are part of the editor, choosing them does nothing.
namespace editor {

class Editor;

void openFtpTool(Editor& editor);
void openUpdateCheck(Editor& editor);

}  // namespace editor
