#pragma once
// The colouring rules a descriptor yields, and the parser that builds them.
//
// Descriptor keys:
//   ignoreCase=true            words and marks match in any case
//   token_<CLASS>=<list>       defines a token class; <list> holds members separated by ":"
//   <CLASS>_tokenMatchIni=<mark>, <CLASS>_tokenMatchEnd=<mark>
//                              a token of CLASS from the first mark to the second, across lines
//   <CLASS>_color=<name>       one of the thirteen colour names; <CLASS>_underline=true; <CLASS>_border=true
//   ignoreTokenMatch_<token>=true   that text is never coloured as a token of any class
// Members of a list:
//   WORD                       the word or symbol itself (a word only where it stands whole)
//   (a;b;c)                    a run of any of the pieces, as digits make a number
//   [ini;end] or [ini;end{{esc}}]    from ini to end on one line; end "_RC_" is the line's end;
//                              esc before a character keeps it from ending the token
//   [[ini;end]] or [[ini;end{{esc}}]]  the same across lines
//   a predefined name          the list that ScPredefinedToken holds under it
// "_DD_" writes a colon and "_RC_" a line break, in keys and lists alike.
#include <QColor>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "properties.h"

namespace ui::sc {

struct TokenStyle {
    QColor color;  // invalid: the text's own colour
    bool underline = false;
    bool border = false;
    bool operator==(const TokenStyle&) const = default;
};

struct TokenClass {
    QString name;
    TokenStyle style;
};

struct TokenMember {
    enum Kind { Word, Run, Delimited };
    Kind kind = Word;
    int tokenClass = 0;
    QString text;        // the word, or the start mark of a delimited token
    QStringList pieces;  // Run: longest first
    QString end;         // Delimited: the end mark; empty for the line's end
    QString escape;      // Delimited: may be empty
    bool multiLine = false;
};

struct StyleModel {
    bool ignoreCase = false;
    QList<TokenClass> classes;
    std::vector<TokenMember> members;  // declaration order breaks ties between matches of one length
    QSet<QString> ignored;             // case-folded when ignoreCase

    // Indexes into `members` by the (folded) first character of a word or start mark, and the runs.
    QHash<QChar, QList<int>> byFirstChar;
    QList<int> runs;

    bool isEmpty() const { return members.empty(); }
    int classIndex(const QString& name) const;
};

// Parses a descriptor. On failure the message is one of "Unknown token <key> for color description"
// (a style entry for a class no key defines) and "Invalid token <token>" (a malformed list, mark or
// colour), and `model` is left as it was.
std::optional<QString> parseDescriptor(const PropertyList& descriptor, StyleModel& model);

// The thirteen colour names of the toolkit, by name in any case.
std::optional<QColor> namedColour(const QString& name);

}  // namespace ui::sc
