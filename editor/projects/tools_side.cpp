#include "tools_side.h"

#include "j2me_compile.h"
#include "j2me_panel.h"
#include "main_window.h"
#include "tools_entries.h"
#include "type_creator.h"

namespace editor {

ToolsSide::ToolsSide() = default;

ToolsSide::~ToolsSide() = default;

QWidget* ToolsSide::newOptionsPanel(References& references) {
    panel_ = new J2MEPanel(references);
    return panel_;
}

void ToolsSide::enableOptions(bool java) {
    if (panel_) panel_->enableOptions(java);
}

void ToolsSide::clearOptions() {
    if (panel_) panel_->clearOptions();
}

void ToolsSide::showOptions() {
    if (panel_) panel_->showOptions();
}

void ToolsSide::openJ2MESettings(Editor& window) {
    J2MECompile(&window, window.references()).exec();
}

void ToolsSide::openTypeCreator(Editor& window) {
    TypeCreator(&window, window).exec();
}

void ToolsSide::openFtpTool(Editor& window) {
    editor::openFtpTool(window);
}

void ToolsSide::openUpdateCheck(Editor& window) {
    editor::openUpdateCheck(window);
}

}  // namespace editor
