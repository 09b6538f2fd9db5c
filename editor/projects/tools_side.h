#pragma once
// The project side's tools, installed as the main window's project tools while it lives: the J2ME
// options panel, J2ME Settings, the type creator, the FTP tool and the update check. The program makes
// it before the main window, which asks for the panel while it builds its layout.
#include "project_roads.h"

namespace editor {

class ToolsSide : public ProjectTools {
public:
    ToolsSide();
    ~ToolsSide() override;
    ToolsSide(const ToolsSide&) = delete;
    ToolsSide& operator=(const ToolsSide&) = delete;

    QWidget* newOptionsPanel(References& references) override;
    void enableOptions(bool java) override;
    void clearOptions() override;
    void openJ2MESettings(Editor& window) override;
    void openTypeCreator(Editor& window) override;
    void openFtpTool(Editor& window) override;
    void openUpdateCheck(Editor& window) override;
};

}  // namespace editor
