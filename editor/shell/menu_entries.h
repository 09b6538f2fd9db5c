#pragma once
// Menu commands whose work belongs to other parts of the main window (printing, going to a line, the
// project settings, the project file's limits), gathered here so that each menu entry calls one function.
#include <QString>
#include <optional>

namespace editor {

class Editor;
class References;

void printSelectedTab(Editor& editor);
void goToLine(Editor& editor, int line);
void openProjectProperties(Editor& editor);
// Why one more class-path entry would not fit the project file; nothing when it fits.
std::optional<QString> refusedReference(const References& references);

}  // namespace editor
