#pragma once
// The source formatter behind Tools, Source, Format: every line trimmed and indented again by one TAB per
// block level, blocks known by a line's first word in the project's language.
#include <QString>

namespace editor {

// `language` is the project's `compiler` word: "TB" or "J2ME"; any other word opens and closes no block.
// Lines end at LF, CR LF or a lone CR and are joined with "\n"; a text that ended with a line end still
// does, one that did not gains none. Formatting a formatted text changes nothing.
QString formatSource(const QString& text, const QString& language);

}  // namespace editor
