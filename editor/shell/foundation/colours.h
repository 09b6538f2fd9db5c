#pragma once
// The three signal colours of the editor's forms, one choice for every dialog: attention (an empty
// required field, a list with nothing found, a status line), accepted and failure (a location that
// passed or failed its test).
#include <QColor>

class QWidget;

namespace editor::colours {

inline const QColor attention{255, 140, 0};
inline const QColor accepted{200, 255, 200};
inline const QColor failure{255, 190, 190};

// The background of an entry field or list (the palette's Base role).
void setBackground(QWidget* widget, const QColor& colour);
// The colour of a label's or list's text.
void setTextColour(QWidget* widget, const QColor& colour);

}  // namespace editor::colours
