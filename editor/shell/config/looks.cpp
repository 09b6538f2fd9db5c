#include "looks.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "ui_defaults.h"

namespace editor::looks {
namespace {

struct Colours {
    QColor window, base, alternateBase, button, text, highlight, highlightedText, mid, dark;
    QColor titleStart, titleStop, selectedStart, selectedStop;
};

// The title bars leave their text colour to the palette (WindowText, HighlightedText when selected), so
// each gradient is chosen to carry that text.
const Colours office2003{
    {227, 239, 255}, {255, 255, 255}, {238, 245, 255}, {195, 218, 249}, {0, 0, 0},
    {49, 106, 197},  {255, 255, 255}, {158, 190, 245}, {89, 135, 214},  {158, 190, 245},
    {227, 239, 255}, {0, 45, 150},    {89, 135, 214},
};

const Colours officeXP{
    {236, 236, 241}, {255, 255, 255}, {246, 246, 249}, {224, 224, 232}, {0, 0, 0},
    {193, 210, 238}, {0, 0, 0},       {196, 196, 206}, {150, 150, 164}, {210, 210, 222},
    {246, 246, 249}, {193, 210, 238}, {236, 241, 251},
};

const Colours& coloursOf(Look look) {
    return look == Look::Office2003 ? office2003 : officeXP;
}

}  // namespace

Look lookFor(const QString& word) {
    if (word == QLatin1String("2003")) return Look::Office2003;
    if (word == QLatin1String("XP")) return Look::OfficeXP;
    return Look::System;
}

QPalette palette(Look look) {
    if (look == Look::System) return QApplication::style()->standardPalette();
    const Colours& c = coloursOf(look);
    QPalette palette(c.button, c.window);
    palette.setColor(QPalette::Base, c.base);
    palette.setColor(QPalette::AlternateBase, c.alternateBase);
    palette.setColor(QPalette::WindowText, c.text);
    palette.setColor(QPalette::Text, c.text);
    palette.setColor(QPalette::ButtonText, c.text);
    palette.setColor(QPalette::Highlight, c.highlight);
    palette.setColor(QPalette::HighlightedText, c.highlightedText);
    palette.setColor(QPalette::Mid, c.mid);
    palette.setColor(QPalette::Dark, c.dark);
    palette.setColor(QPalette::ToolTipBase, c.base);
    palette.setColor(QPalette::ToolTipText, c.text);
    const QColor muted = c.dark;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, muted);
    }
    return palette;
}

QList<DefaultColour> defaultColours(Look look) {
    if (look == Look::System) return {};
    const Colours& c = coloursOf(look);
    return {
        {"Panel.background", c.window},
        {"button.background", c.button},
        {"tarnwell.innerwindow.gradient.startColor", c.titleStart},
        {"tarnwell.innerwindow.gradient.stopColor", c.titleStop},
        {"tarnwell.innerwindow.gradient.selectedStartColor", c.selectedStart},
        {"tarnwell.innerwindow.gradient.selectedStopColor", c.selectedStop},
    };
}

bool install(Look look) {
    if (look == Look::System) return true;
    QStyle* fusion = QStyleFactory::create("Fusion");
    if (!fusion) return false;
    QApplication::setStyle(fusion);
    QApplication::setPalette(palette(look));
    for (const DefaultColour& entry : defaultColours(look)) ui::setDefaultColor(entry.key, entry.colour);
    return true;
}

void selectLook(const std::optional<QString>& word) {
    if (!word) return;
    install(lookFor(*word));
}

}  // namespace editor::looks
