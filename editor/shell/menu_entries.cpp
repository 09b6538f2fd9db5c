#include "menu_entries.h"

#include "references.h"

namespace editor {

void printSelectedTab(Editor&) {}

void goToLine(Editor&, int) {}

void openProjectProperties(Editor&) {}

std::optional<QString> refusedReference(const References& references) {
    // The project file holds at most ten class-path entries.
    if (references.references.size() >= 10) return QString("A project can hold at most 10 references");
    return std::nullopt;
}

}  // namespace editor
