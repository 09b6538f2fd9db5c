#pragma once
// Descriptors from text and coloured lines as text, for golden tables.
#include <QStringList>

#include "colouring.h"
#include "properties.h"
#include "style_model.h"

namespace ui::sc::testing {

inline PropertyList descriptorText(const char* text) {
    return parseProperties(QByteArray(text)).properties;
}

// Each line's runs as "[text]CLASS", lines separated by " | "; the state carries from line to line.
inline QString render(const StyleModel& model, const QStringList& lines) {
    QStringList shown;
    int state = kNoOpenToken;
    for (const QString& line : lines) {
        const ColouredLine coloured = colourLine(model, line, state);
        QStringList runs;
        for (const ColouredRun& run : coloured.runs)
            runs << u'[' + line.mid(run.start, run.length) + u']' + model.classes[run.tokenClass].name;
        shown << runs.join(u' ');
        state = coloured.state;
    }
    return shown.join(QStringLiteral(" | "));
}

}  // namespace ui::sc::testing
