#include "style_model.h"

#include <algorithm>

#include "sc_predefined_token.h"

namespace ui::sc {
namespace {

const QString kTokenPrefix = QStringLiteral("token_");
const QString kIgnorePrefix = QStringLiteral("ignoreTokenMatch_");
const QString kMatchIni = QStringLiteral("_tokenMatchIni");
const QString kMatchEnd = QStringLiteral("_tokenMatchEnd");
const QString kColor = QStringLiteral("_color");
const QString kUnderline = QStringLiteral("_underline");
const QString kBorder = QStringLiteral("_border");

// Predefined lists may name other predefined lists; this bounds a list that names itself.
constexpr int kMaxExpansionDepth = 8;

QString written(QString token) {
    token.replace(QStringLiteral("_DD_"), QStringLiteral(":"));
    token.replace(QStringLiteral("_RC_"), QStringLiteral("\n"));
    return token;
}

bool isTrue(const QString& value) {
    return value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
}

struct InvalidToken {
    QString token;
};

class DescriptorParser {
public:
    explicit DescriptorParser(StyleModel& model) : model_(model) {}

    int defineClass(const QString& name) {
        if (name.isEmpty()) throw InvalidToken{name};
        int index = model_.classIndex(name);
        if (index >= 0) return index;
        model_.classes.append({name, {}});
        return static_cast<int>(model_.classes.size()) - 1;
    }

    void addList(int tokenClass, const QString& list, int depth = 0) {
        if (depth > kMaxExpansionDepth) throw InvalidToken{list};
        for (const QString& part : list.split(u':')) {
            const QString element = part.trimmed();
            if (element.isEmpty()) continue;
            if (std::optional<QString> predefined = ScPredefinedToken::predefinedToken(element)) {
                addList(tokenClass, *predefined, depth + 1);
                continue;
            }
            model_.members.push_back(member(tokenClass, element));
        }
    }

    void addMarks(int tokenClass, const QString& ini, const QString& end) {
        TokenMember delimited;
        delimited.kind = TokenMember::Delimited;
        delimited.tokenClass = tokenClass;
        delimited.multiLine = true;
        delimited.text = written(ini);
        delimited.end = written(end);
        if (delimited.text.isEmpty() || delimited.text.contains(u'\n')) throw InvalidToken{ini};
        if (delimited.end.isEmpty()) throw InvalidToken{end};
        if (delimited.end == u"\n") delimited.end.clear();
        model_.members.push_back(delimited);
    }

private:
    static TokenMember member(int tokenClass, const QString& element) {
        TokenMember m;
        m.tokenClass = tokenClass;
        if (element.startsWith(u'[')) {
            const bool multiLine = element.startsWith(u"[[");
            const QString close = multiLine ? QStringLiteral("]]") : QStringLiteral("]");
            const qsizetype open = multiLine ? 2 : 1;
            if (element.size() < open + close.size() || !element.endsWith(close)) throw InvalidToken{element};
            QString inner = element.mid(open, element.size() - open - close.size());
            m.kind = TokenMember::Delimited;
            m.multiLine = multiLine;
            if (inner.endsWith(u"}}")) {
                const qsizetype escapeAt = inner.lastIndexOf(u"{{");
                if (escapeAt < 0) throw InvalidToken{element};
                m.escape = written(inner.mid(escapeAt + 2, inner.size() - escapeAt - 4));
                inner.truncate(escapeAt);
            }
            const qsizetype separator = inner.indexOf(u';');
            if (separator <= 0 || separator == inner.size() - 1) throw InvalidToken{element};
            m.text = written(inner.left(separator));
            m.end = written(inner.mid(separator + 1));
            if (m.text.contains(u'\n') || m.escape.contains(u'\n')) throw InvalidToken{element};
            if (m.end == u"\n") m.end.clear();
            return m;
        }
        if (element.startsWith(u'(')) {
            if (element.size() < 3 || !element.endsWith(u')')) throw InvalidToken{element};
            m.kind = TokenMember::Run;
            for (const QString& piece : element.mid(1, element.size() - 2).split(u';')) {
                if (piece.isEmpty()) throw InvalidToken{element};
                m.pieces.append(written(piece));
            }
            std::stable_sort(m.pieces.begin(), m.pieces.end(),
                             [](const QString& a, const QString& b) { return a.size() > b.size(); });
            return m;
        }
        m.text = written(element);
        if (m.text.contains(u'\n')) throw InvalidToken{element};
        return m;
    }

    StyleModel& model_;
};

QString fold(const QString& text, bool ignoreCase) {
    return ignoreCase ? text.toCaseFolded() : text;
}

void index(StyleModel& model) {
    for (int i = 0; i < static_cast<int>(model.members.size()); ++i) {
        TokenMember& m = model.members[static_cast<std::size_t>(i)];
        if (m.kind == TokenMember::Run) {
            model.runs.append(i);
        } else {
            const QChar first = m.text.at(0);
            model.byFirstChar[model.ignoreCase ? first.toCaseFolded() : first].append(i);
        }
    }
}

}  // namespace

int StyleModel::classIndex(const QString& name) const {
    for (int i = 0; i < classes.size(); ++i) {
        if (classes[i].name == name) return i;
    }
    return -1;
}

std::optional<QColor> namedColour(const QString& name) {
    static const QList<QPair<QString, QColor>> colours = {
        {"white", QColor(255, 255, 255)}, {"lightGray", QColor(192, 192, 192)},
        {"gray", QColor(128, 128, 128)},  {"darkGray", QColor(64, 64, 64)},
        {"black", QColor(0, 0, 0)},       {"red", QColor(255, 0, 0)},
        {"pink", QColor(255, 175, 175)},  {"orange", QColor(255, 200, 0)},
        {"yellow", QColor(255, 255, 0)},  {"green", QColor(0, 255, 0)},
        {"magenta", QColor(255, 0, 255)}, {"cyan", QColor(0, 255, 255)},
        {"blue", QColor(0, 0, 255)},
    };
    for (const auto& [known, colour] : colours) {
        if (known.compare(name.trimmed(), Qt::CaseInsensitive) == 0) return colour;
    }
    return std::nullopt;
}

std::optional<QString> parseDescriptor(const PropertyList& descriptor, StyleModel& model) {
    StyleModel parsed;
    DescriptorParser parser(parsed);
    try {
        if (std::optional<QString> ignoreCase = descriptor.value(QStringLiteral("ignoreCase")))
            parsed.ignoreCase = isTrue(*ignoreCase);

        // Classes first, so that a style entry may stand before the class it styles.
        for (const auto& [key, value] : descriptor.entries()) {
            if (key.startsWith(kTokenPrefix)) {
                parser.addList(parser.defineClass(key.mid(kTokenPrefix.size())), value);
            } else if (key.endsWith(kMatchIni)) {
                const QString name = key.chopped(kMatchIni.size());
                const std::optional<QString> end = descriptor.value(name + kMatchEnd);
                if (!end) throw InvalidToken{value};
                parser.addMarks(parser.defineClass(name), value, *end);
            } else if (key.endsWith(kMatchEnd)) {
                if (!descriptor.value(key.chopped(kMatchEnd.size()) + kMatchIni)) throw InvalidToken{value};
            }
        }

        for (const auto& [key, value] : descriptor.entries()) {
            if (key.startsWith(kIgnorePrefix)) {
                if (value.trimmed().compare(u"false", Qt::CaseInsensitive) != 0)
                    parsed.ignored.insert(fold(written(key.mid(kIgnorePrefix.size())), parsed.ignoreCase));
                continue;
            }
            const QString* suffix = nullptr;
            for (const QString* attribute : {&kColor, &kUnderline, &kBorder}) {
                if (key.endsWith(*attribute)) suffix = attribute;
            }
            if (suffix == nullptr || key.startsWith(kTokenPrefix)) continue;
            const int tokenClass = parsed.classIndex(key.chopped(suffix->size()));
            if (tokenClass < 0)
                return QStringLiteral("Unknown token ") + key + QStringLiteral(" for color description");
            TokenStyle& style = parsed.classes[tokenClass].style;
            if (suffix == &kColor) {
                const std::optional<QColor> colour = namedColour(value);
                if (!colour) throw InvalidToken{value};
                style.color = *colour;
            } else if (suffix == &kUnderline) {
                style.underline = isTrue(value);
            } else {
                style.border = isTrue(value);
            }
        }
    } catch (const InvalidToken& invalid) {
        return QStringLiteral("Invalid token ") + invalid.token;
    }
    index(parsed);
    model = std::move(parsed);
    return std::nullopt;
}

}  // namespace ui::sc
