#pragma once
// The project side's tools, the main window's project tools: the J2ME options panel, J2ME Settings, the
// type creator, the FTP tool and the update check. The program makes it before the main window, which
// asks for the panel while it builds its layout and owns it; the tools keep a guarded pointer to it.
#include <QPointer>

#include "project_roads.h"

namespace editor {

class J2MEPanel;

class ToolsSide : public ProjectTools {
public:
    ToolsSide();
    ~ToolsSide() override;
    ToolsSide(const ToolsSide&) = delete;
    ToolsSide& operator=(const ToolsSide&) = delete;

    QWidget* newOptionsPanel(References& references) override;
    void enableOptions(bool java) override;
    void clearOptions() override;
    // The panel's boxes tick as the project's flags are set (after a load or a conversion).
    void showOptions();
    void openJ2MESettings(Editor& window) override;
    void openTypeCreator(Editor& window) override;
    void openFtpTool(Editor& window) override;
    void openUpdateCheck(Editor& window) override;

private:
    // The last panel made, while its window lives.
    QPointer<J2MEPanel> panel_;
};

}  // namespace editor
