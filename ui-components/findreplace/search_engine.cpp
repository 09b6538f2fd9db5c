#include "search_engine.h"

#include <QRegularExpression>

namespace ui::findreplace {
namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

class Matcher {
public:
    Matcher(const QString& text, const QString& needle, const SearchOptions& options, int scopeStart,
            int scopeEnd)
        : text_(text), subject_(text.left(scopeEnd)), scopeStart_(scopeStart), wholeWord_(options.wholeWord) {
        QRegularExpression::PatternOptions patternOptions = QRegularExpression::MultilineOption;
        if (!options.caseSensitive) patternOptions |= QRegularExpression::CaseInsensitiveOption;
        expression_.setPattern(options.regularExpressions ? needle : QRegularExpression::escape(needle));
        expression_.setPatternOptions(patternOptions);
        usable_ = !needle.isEmpty() && expression_.isValid();
    }

    // The first acceptable match that starts at or after `from`.
    TextRange next(int from) const {
        if (!usable_) return {};
        for (int at = qMax(from, scopeStart_); at <= subject_.size();) {
            const QRegularExpressionMatch match = expression_.match(subject_, at);
            if (!match.hasMatch()) return {};
            const TextRange found{static_cast<int>(match.capturedStart()),
                                  static_cast<int>(match.capturedEnd())};
            if (!wholeWord_ || isWhole(found)) return found;
            at = found.start + 1;
        }
        return {};
    }

    // The last match that ends at or before `limit`.
    TextRange last(int limit) const {
        TextRange best;
        for (TextRange found = next(scopeStart_); found.isValid() && found.end <= limit;
             found = next(found.end > found.start ? found.end : found.start + 1)) {
            best = found;
        }
        return best;
    }

private:
    bool isWhole(const TextRange& range) const {
        const bool before = range.start > 0 && isWordChar(text_[range.start - 1]);
        const bool after = range.end < text_.size() && isWordChar(text_[range.end]);
        return !before && !after;
    }

    const QString& text_;
    QString subject_;  // the text up to the scope's end
    int scopeStart_;
    bool wholeWord_;
    QRegularExpression expression_;
    bool usable_ = false;
};

}  // namespace

TextRange findMatch(const QString& text, const QString& needle, const SearchOptions& options, int from,
                    int scopeStart, int scopeEnd) {
    scopeEnd = qBound(0, scopeEnd, static_cast<int>(text.size()));
    scopeStart = qBound(0, scopeStart, scopeEnd);
    const Matcher matcher(text, needle, options, scopeStart, scopeEnd);
    if (!options.backward) {
        if (from > scopeEnd) return options.wrap ? matcher.next(scopeStart) : TextRange{};
        const TextRange found = matcher.next(from);
        return found.isValid() || !options.wrap ? found : matcher.next(scopeStart);
    }
    if (from < scopeStart) return options.wrap ? matcher.last(scopeEnd) : TextRange{};
    const TextRange found = matcher.last(from);
    return found.isValid() || !options.wrap ? found : matcher.last(scopeEnd);
}

}  // namespace ui::findreplace
