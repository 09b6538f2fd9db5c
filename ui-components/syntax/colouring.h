#pragma once
// The colouring of one line: a pure function of the rules, the line and the state the line before left.
#include <QStringView>
#include <vector>

#include "style_model.h"

namespace ui::sc {

// No token open across the line break; otherwise the index of the open multi-line member.
constexpr int kNoOpenToken = -1;

struct ColouredRun {
    int start = 0;
    int length = 0;
    int tokenClass = 0;
    bool operator==(const ColouredRun&) const = default;
};

struct ColouredLine {
    std::vector<ColouredRun> runs;
    int state = kNoOpenToken;  // what the next line starts in
};

// At each place the longest match of any member wins, the first declared among equals; a word or mark
// that begins or ends with a letter, digit, "_" or "$" matches only where it stands whole.
ColouredLine colourLine(const StyleModel& model, QStringView line, int state);

}  // namespace ui::sc
