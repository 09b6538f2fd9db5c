#include "properties.h"

#include <QStringList>

#include "kit/text_lines.h"

namespace ui::sc {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\f';
}

bool endsWithOddBackslashes(const QString& line) {
    qsizetype count = 0;
    for (qsizetype i = line.size() - 1; i >= 0 && line[i] == u'\\'; --i) ++count;
    return count % 2 == 1;
}

// The file's lines as the kit reads text (kit/text_lines.h), continued lines joined into logical lines;
// comment and blank lines are dropped.
QStringList logicalLines(const QByteArray& bytes) {
    QStringList split;
    for (const std::string& line :
         kit::utf8Lines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        split << QString::fromStdString(line);

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
    for (const QString& line : logicalLines(bytes)) {
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
