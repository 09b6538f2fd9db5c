#pragma once
// The panel's search engine, free of widgets: one search step over a text.
#include <QString>

namespace ui::findreplace {

struct SearchOptions {
    bool caseSensitive = false;
    bool wholeWord = false;
    bool regularExpressions = false;
    bool backward = false;
    bool wrap = false;
};

struct TextRange {
    int start = -1;
    int end = -1;
    bool isValid() const { return start >= 0; }
    bool operator==(const TextRange&) const = default;
};

// The match nearest to `from` within [scopeStart, scopeEnd]: forward, the first that starts at or after
// `from`; backward, the last that ends at or before it; with wrap, the search goes round the scope once.
// A regular expression sees the whole text up to the scope's end, "^" and "$" matching at line ends.
// An empty needle or an invalid expression finds nothing.
TextRange findMatch(const QString& text, const QString& needle, const SearchOptions& options, int from,
                    int scopeStart, int scopeEnd);

}  // namespace ui::findreplace
