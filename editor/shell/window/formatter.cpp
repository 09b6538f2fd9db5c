#include "formatter.h"

#include <QStringList>
#include <array>
#include <span>

namespace editor {
namespace {

// Tested in this order; a word matches the start of the upper-cased line, whatever follows it.
constexpr std::array<const char*, 6> tbClosing{"ENDFUNCTION", "ENDACTION", "ENDIF",
                                               "ENDCANVAS",   "NEXT",      "REMEND"};
constexpr std::array<const char*, 6> tbOpening{"FUNCTION", "ACTION", "IF", "CANVAS", "FOR", "REMSTART"};
constexpr std::array<const char*, 1> javaClosing{"}"};
constexpr std::array<const char*, 1> javaOpening{"{"};

struct BlockWords {
    std::span<const char* const> closing;
    std::span<const char* const> opening;
};

BlockWords wordsFor(const QString& language) {
    if (language == "TB") return {tbClosing, tbOpening};
    if (language == "J2ME") return {javaClosing, javaOpening};
    return {};
}

bool startsWithAny(const QString& upper, std::span<const char* const> words) {
    for (const char* word : words) {
        if (upper.startsWith(QLatin1String(word))) return true;
    }
    return false;
}

// Space and the control characters, not Unicode's wider idea of white space.
QString trimControls(const QString& line) {
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && line[first].unicode() <= 32) ++first;
    while (last > first && line[last - 1].unicode() <= 32) --last;
    return line.mid(first, last - first);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}

}  // namespace

QString formatSource(const QString& text, const QString& language) {
    const BlockWords words = wordsFor(language);
    QStringList lines = splitLines(text);
    // The empty piece after a closing line end is no line of its own: it only says the text ended so.
    const bool endsWithLineEnd = lines.size() > 1 && lines.last().isEmpty();
    if (endsWithLineEnd) lines.removeLast();

    QString result;
    result.reserve(text.size() + text.size() / 4);
    int level = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = trimControls(lines[i]);
        const QString upper = line.toUpper();
        if (level > 0 && startsWithAny(upper, words.closing)) --level;
        result += QString(level, u'\t');
        if (startsWithAny(upper, words.opening)) ++level;
        result += line;
        if (i + 1 < lines.size() || endsWithLineEnd) result += u'\n';
    }
    return result;
}

}  // namespace editor
