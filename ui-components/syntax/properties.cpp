#include "properties.h"

#include <QStringConverter>
#include <QStringList>

namespace ui::sc {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\f';
}

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

bool endsWithOddBackslashes(const QString& line) {
    qsizetype count = 0;
    for (qsizetype i = line.size() - 1; i >= 0 && line[i] == u'\\'; --i) ++count;
    return count % 2 == 1;
}

// Joins continued lines into logical lines; comment and blank lines are dropped.
QStringList logicalLines(const QString& text) {
    QStringList physical = text.split(QChar(u'\n'));
    for (QString& line : physical) {
        if (line.endsWith(u'\r')) line.chop(1);
    }
    // A lone CR also ends a line.
    QStringList split;
    for (const QString& line : physical) split.append(line.split(QChar(u'\r')));

    QStringList logical;
    QString pending;
    bool continuing = false;
    for (const QString& raw : split) {
        qsizetype start = 0;
        while (start < raw.size() && isBlank(raw[start])) ++start;
        const QString line = raw.mid(start);
        if (!continuing) {
            if (line.isEmpty() || line[0] == u'#' || line[0] == u'!') continue;
        }
        pending += line;
        continuing = endsWithOddBackslashes(pending);
        if (continuing) {
            pending.chop(1);
            continue;
        }
        logical.append(pending);
        pending.clear();
    }
    if (!pending.isEmpty()) logical.append(pending);
    return logical;
}

// Resolves the escapes of a key or a value; false on a malformed \u escape.
bool unescape(QStringView text, QString& out) {
    out.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            if (c != u'\\') out += c;
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
            case u't':
                out += u'\t';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u'f':
                out += u'\f';
                break;
            case u'u': {
                bool ok = false;
                const uint code = i + 4 < text.size() ? text.mid(i + 1, 4).toUInt(&ok, 16) : 0;
                if (!ok) return false;
                out += QChar(static_cast<char16_t>(code));
                i += 4;
                break;
            }
            default:
                out += next;
        }
    }
    return true;
}

}  // namespace

void PropertyList::setProperty(const QString& key, const QString& value) {
    for (auto& entry : entries_) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    entries_.append({key, value});
}

std::optional<QString> PropertyList::value(const QString& key) const {
    for (const auto& entry : entries_) {
        if (entry.first == key) return entry.second;
    }
    return std::nullopt;
}

PropertiesParse parseProperties(const QByteArray& bytes) {
    PropertiesParse parse;
    for (const QString& line : logicalLines(decodeText(bytes))) {
        qsizetype keyEnd = 0;
        while (keyEnd < line.size()) {
            const QChar c = line[keyEnd];
            if (c == u'\\') {
                keyEnd += 2;
                continue;
            }
            if (c == u'=' || c == u':' || isBlank(c)) break;
            ++keyEnd;
        }
        keyEnd = qMin(keyEnd, line.size());
        qsizetype valueStart = keyEnd;
        while (valueStart < line.size() && isBlank(line[valueStart])) ++valueStart;
        if (valueStart < line.size() && (line[valueStart] == u'=' || line[valueStart] == u':')) ++valueStart;
        while (valueStart < line.size() && isBlank(line[valueStart])) ++valueStart;

        QString key, value;
        if (!unescape(QStringView(line).left(keyEnd), key) ||
            !unescape(QStringView(line).mid(valueStart), value)) {
            parse.error = QStringLiteral("Malformed \\uxxxx encoding in: ") + line;
            return parse;
        }
        parse.properties.setProperty(key, value);
    }
    return parse;
}

}  // namespace ui::sc
