#pragma once
// The main window's entries of the network tools: each opens a new window, modal, and returns when the
// user has closed it.
class QWidget;

namespace editor {

class References;

// "FTP Tool": the FTP window.
void openFtpTool(QWidget* owner, References& references);
// "Update Tesvo Zorid": the update wizard.
void openUpdateCheck(QWidget* owner);

}  // namespace editor
