#include "ui_defaults.h"

#include <QApplication>
#include <QHash>
#include <QPalette>
#include <variant>

namespace ui {
namespace {

struct Table {
    QHash<QString, QColor> colors;
    QHash<QString, QFont> fonts;
};

Table& table() {
    static Table values;
    return values;
}

// A fall-back is a palette role, a fixed colour or another key (followed in turn).
using Fallback = std::variant<QPalette::ColorRole, QColor, const char*>;

struct FallbackRow {
    const char* key;
    Fallback fallback;
};

const FallbackRow fallbacks[] = {
    {"Panel.background", QPalette::Window},
    {"button.background", QPalette::Button},
    {"tarnwell.innerwindow.gradient.startColor", QPalette::Mid},
    {"tarnwell.innerwindow.gradient.stopColor", "Panel.background"},
    {"tarnwell.innerwindow.gradient.selectedStartColor", QColor(0, 0, 128)},
    {"tarnwell.innerwindow.gradient.selectedStopColor", "Panel.background"},
    {"tarnwell.innerwindow.titleColor", QPalette::WindowText},
};

}  // namespace

QColor defaultColor(const QString& key) {
    QString current = key;
    // The fall-back chains are short and acyclic; the bound only guards the table against a slip.
    for (int step = 0; step < 8; ++step) {
        auto set = table().colors.constFind(current);
        if (set != table().colors.constEnd()) return *set;
        const FallbackRow* row = nullptr;
        for (const FallbackRow& candidate : fallbacks) {
            if (current == QLatin1String(candidate.key)) row = &candidate;
        }
        if (!row) return {};
        if (auto* role = std::get_if<QPalette::ColorRole>(&row->fallback)) {
            return QApplication::palette().color(*role);
        }
        if (auto* color = std::get_if<QColor>(&row->fallback)) return *color;
        current = QString::fromLatin1(std::get<const char*>(row->fallback));
    }
    return {};
}

bool hasDefaultColor(const QString& key) {
    return table().colors.contains(key);
}

void setDefaultColor(const QString& key, const QColor& color) {
    if (color.isValid()) {
        table().colors.insert(key, color);
    } else {
        table().colors.remove(key);
    }
}

QFont defaultFont(const QString& key) {
    return table().fonts.value(key, QApplication::font());
}

bool hasDefaultFont(const QString& key) {
    return table().fonts.contains(key);
}

void setDefaultFont(const QString& key, const QFont& font) {
    table().fonts.insert(key, font);
}

void clearDefaults() {
    table().colors.clear();
    table().fonts.clear();
}

}  // namespace ui
