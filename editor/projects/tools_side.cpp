#include "tools_side.h"

#include <QCheckBox>

#include "j2me_compile.h"
#include "j2me_panel.h"
#include "main_window.h"
#include "tools_entries.h"
#include "type_creator.h"

namespace editor {
namespace {

// The panel's boxes are class-wide: the one panel the window made, or none once it is gone.
QList<QCheckBox*> optionBoxes() {
    QList<QCheckBox*> boxes;
    for (QCheckBox* box :
         {J2MEPanel::checkbox1.data(), J2MEPanel::checkbox2.data(), J2MEPanel::checkbox3.data(),
          J2MEPanel::checkbox4.data(), J2MEPanel::checkbox5.data()}) {
        if (box) boxes << box;
    }
    return boxes;
}

}  // namespace

ToolsSide::ToolsSide() {
    setProjectTools(this);
}

ToolsSide::~ToolsSide() {
    if (projectTools() == this) setProjectTools(nullptr);
}

QWidget* ToolsSide::newOptionsPanel(References& references) {
    return new J2MEPanel(references);
}

void ToolsSide::enableOptions(bool java) {
    for (QCheckBox* box : optionBoxes()) box->setEnabled(java);
}

void ToolsSide::clearOptions() {
    for (QCheckBox* box : optionBoxes()) box->setChecked(false);
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
