#include "colouring.h"

namespace ui::sc {
namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

class LineScanner {
public:
    LineScanner(const StyleModel& model, QStringView line)
        : model_(model), line_(line), cs_(model.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) {}

    bool startsAt(qsizetype at, const QString& text) const { return line_.mid(at).startsWith(text, cs_); }

    bool standsWhole(qsizetype at, qsizetype length) const {
        if (isWordChar(line_[at]) && at > 0 && isWordChar(line_[at - 1])) return false;
        const qsizetype after = at + length;
        return !(isWordChar(line_[after - 1]) && after < line_.size() && isWordChar(line_[after]));
    }

    // Where a delimited token that is open at `from` ends, or -1 when it runs past the line.
    qsizetype delimitedEnd(const TokenMember& m, qsizetype from) const {
        if (m.end.isEmpty()) return line_.size();
        for (qsizetype at = from; at < line_.size(); ++at) {
            if (!m.escape.isEmpty() && startsAt(at, m.escape)) {
                at += m.escape.size();
                continue;
            }
            if (startsAt(at, m.end)) return at + m.end.size();
        }
        return m.multiLine ? -1 : line_.size();
    }

    // The length of the member's match at `at`, 0 for none; `open` tells a token running past the line.
    qsizetype matchAt(const TokenMember& m, qsizetype at, bool& open) const {
        open = false;
        if (m.kind == TokenMember::Run) {
            if (isWordChar(line_[at]) && at > 0 && isWordChar(line_[at - 1])) return 0;
            qsizetype end = at;
            for (bool grown = true; grown && end < line_.size();) {
                grown = false;
                for (const QString& piece : m.pieces) {
                    if (startsAt(end, piece)) {
                        end += piece.size();
                        grown = true;
                        break;
                    }
                }
            }
            return end - at;
        }
        if (!startsAt(at, m.text) || !standsWhole(at, m.text.size())) return 0;
        if (m.kind == TokenMember::Word) return m.text.size();
        const qsizetype end = delimitedEnd(m, at + m.text.size());
        open = end < 0;
        return (open ? line_.size() : end) - at;
    }

    bool isIgnored(qsizetype at, qsizetype length) const {
        if (model_.ignored.isEmpty()) return false;
        const QString text = line_.mid(at, length).toString();
        return model_.ignored.contains(model_.ignoreCase ? text.toCaseFolded() : text);
    }

    QStringView line() const { return line_; }
    const StyleModel& model() const { return model_; }

private:
    const StyleModel& model_;
    QStringView line_;
    Qt::CaseSensitivity cs_;
};

}  // namespace

ColouredLine colourLine(const StyleModel& model, QStringView line, int state) {
    ColouredLine result;
    LineScanner scanner(model, line);
    qsizetype at = 0;

    if (state >= 0 && state < static_cast<int>(model.members.size())) {
        const TokenMember& open = model.members[static_cast<std::size_t>(state)];
        if (open.kind == TokenMember::Delimited && open.multiLine) {
            const qsizetype end = scanner.delimitedEnd(open, 0);
            const qsizetype length = end < 0 ? line.size() : end;
            if (length > 0) result.runs.push_back({0, static_cast<int>(length), open.tokenClass});
            if (end < 0) {
                result.state = state;
                return result;
            }
            at = end;
        }
    }

    while (at < line.size()) {
        int best = -1;
        qsizetype bestLength = 0;
        bool bestOpen = false;
        auto consider = [&](int index) {
            bool open = false;
            const qsizetype length =
                scanner.matchAt(model.members[static_cast<std::size_t>(index)], at, open);
            if (length == 0 || (length < bestLength) || (length == bestLength && index > best)) return;
            if (scanner.isIgnored(at, length)) return;
            best = index;
            bestLength = length;
            bestOpen = open;
        };
        const QChar c = line[at];
        const auto candidates = model.byFirstChar.constFind(model.ignoreCase ? c.toCaseFolded() : c);
        if (candidates != model.byFirstChar.constEnd()) {
            for (int index : *candidates) consider(index);
        }
        for (int index : model.runs) consider(index);

        if (best < 0) {
            ++at;
            if (isWordChar(c)) {
                while (at < line.size() && isWordChar(line[at])) ++at;
            }
            continue;
        }
        const int tokenClass = model.members[static_cast<std::size_t>(best)].tokenClass;
        result.runs.push_back({static_cast<int>(at), static_cast<int>(bestLength), tokenClass});
        at += bestLength;
        if (bestOpen) result.state = best;
    }
    return result;
}

}  // namespace ui::sc
