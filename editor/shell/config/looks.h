#pragma once
// The editor's looks: "2003" (blue gradients) and "XP" (silver and pale blue) are Qt's Fusion style with
// palettes of our own, which also fill the component library's defaults table (title-bar gradients, panel
// and button backgrounds). Any other word keeps the platform's style. A look applies from the start on:
// the main window is built after it is installed.
#include <QColor>
#include <QList>
#include <QPalette>
#include <QString>
#include <optional>

namespace editor::looks {

enum class Look { System, Office2003, OfficeXP };

// The look a word selects; the comparison is exact, so "xp" is the system look.
Look lookFor(const QString& word);

struct DefaultColour {
    const char* key;
    QColor colour;
};

// The palette and the defaults-table colours of an Office look; the system look has none of its own.
QPalette palette(Look look);
QList<DefaultColour> defaultColours(Look look);

// Installs an Office look. When the style cannot be made nothing changes and the result is false.
bool install(Look look);

// What the start-up does with the look word: no value changes nothing, a look that fails to install leaves
// the current one, silently.
void selectLook(const std::optional<QString>& word);

}  // namespace editor::looks
