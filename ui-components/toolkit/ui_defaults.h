#pragma once
// The looks' colours and fonts by key, read by the components (title bars, status bar, browsers) and
// filled by the editor's looks. A key the looks leave unset falls back to the application's palette, to a
// fixed colour or to another key, as the components expect.
#include <QColor>
#include <QFont>
#include <QString>

namespace ui {

// The set colour, else the key's fall-back; an invalid QColor for a key without either.
QColor defaultColor(const QString& key);
// True when the looks set the key (a fall-back does not count).
bool hasDefaultColor(const QString& key);
// An invalid colour unsets the key.
void setDefaultColor(const QString& key, const QColor& color);

// The set font, else the application's font.
QFont defaultFont(const QString& key);
bool hasDefaultFont(const QString& key);
void setDefaultFont(const QString& key, const QFont& font);

// Forgets every colour and font the looks set.
void clearDefaults();

}  // namespace ui
