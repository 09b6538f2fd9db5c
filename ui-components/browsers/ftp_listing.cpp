#include "ftp_listing.h"

#include <QList>
#include <QRegularExpression>
#include <optional>

#include "framework_toolkit.h"

namespace ui::ftpbrowser {
namespace {

// Server names are UTF-8 as a rule; bytes that are not are kept one character each.
QString decode(const QByteArray& line) {
    return framework::toolkit::decodeText(line, QString());
}

int monthNumber(const QString& word) {
    static const QStringList months = {"jan", "feb", "mar", "apr", "may", "jun",
                                       "jul", "aug", "sep", "oct", "nov", "dec"};
    return int(months.indexOf(word.toLower())) + 1;  // 0 for no month
}

struct Token {
    QString text;
    qsizetype end;  // index just past the token in the line
};

QList<Token> tokens(const QString& line, int count) {
    QList<Token> found;
    qsizetype at = 0;
    while (found.size() < count) {
        while (at < line.size() && line[at] == ' ') ++at;
        if (at >= line.size()) break;
        const qsizetype start = at;
        while (at < line.size() && line[at] != ' ') ++at;
        found.append({line.mid(start, at - start), at});
    }
    return found;
}

std::optional<FTPFile> parseUnix(const QString& line, const QDateTime& now) {
    static const QRegularExpression mode(QStringLiteral("^[-dlbcps][-rwxsStTlL]{9}[+@.]?$"));
    static const QRegularExpression clock(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    static const QRegularExpression year(QStringLiteral("^\\d{4}$"));
    const QList<Token> fields = tokens(line, 9);
    if (fields.size() < 6 || !mode.match(fields[0].text).hasMatch()) return std::nullopt;
    // Owner and group vary in number (some servers leave the group out): find the date by its month,
    // after the size.
    for (int m = 3; m + 2 < fields.size(); ++m) {
        const int month = monthNumber(fields[m].text);
        bool dayOk = false, sizeOk = false;
        const int day = fields[m + 1].text.toInt(&dayOk);
        const qint64 size = fields[m - 1].text.toLongLong(&sizeOk);
        if (month == 0 || !dayOk || !sizeOk || day < 1 || day > 31) continue;
        const QString& when = fields[m + 2].text;
        QDateTime date;
        if (const QRegularExpressionMatch time = clock.match(when); time.hasMatch()) {
            const QTime at(time.captured(1).toInt(), time.captured(2).toInt());
            const QDateTime reference = now.toUTC();
            date = QDateTime(QDate(reference.date().year(), month, day), at, Qt::UTC);
            // Listed with a time means within the last months; a day ahead allows for time zones.
            if (date.isValid() && date > reference.addDays(1)) date = date.addYears(-1);
        } else if (year.match(when).hasMatch()) {
            date = QDateTime(QDate(when.toInt(), month, day), QTime(0, 0), Qt::UTC);
        } else {
            continue;
        }
        const qsizetype nameStart = fields[m + 2].end + 1;
        if (nameStart > line.size()) return std::nullopt;
        FTPFile file;
        file.name = line.mid(nameStart);
        file.directory = fields[0].text.startsWith('d');
        file.link = fields[0].text.startsWith('l');
        if (file.link) {
            const qsizetype arrow = file.name.indexOf(QStringLiteral(" -> "));
            if (arrow > 0) file.name.truncate(arrow);
        }
        file.size = size;
        file.lastModified = date;
        return file;
    }
    return std::nullopt;
}

std::optional<FTPFile> parseDos(const QString& line) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{2})-(\\d{2})-(\\d{2}|\\d{4})\\s+(\\d{1,2}):(\\d{2})\\s*([AaPp][Mm])?\\s+(<DIR>|"
                       "[\\d,]+)\\s+(.+)$"));
    const QRegularExpressionMatch match = form.match(line);
    if (!match.hasMatch()) return std::nullopt;
    int year = match.captured(3).toInt();
    if (match.captured(3).size() == 2) year += year < 70 ? 2000 : 1900;
    int hour = match.captured(4).toInt();
    const QString half = match.captured(6).toUpper();
    if (half == QLatin1String("PM") && hour < 12) hour += 12;
    if (half == QLatin1String("AM") && hour == 12) hour = 0;
    FTPFile file;
    file.name = match.captured(8);
    file.directory = match.captured(7) == QLatin1String("<DIR>");
    if (!file.directory) file.size = match.captured(7).remove(',').toLongLong();
    file.lastModified = QDateTime(QDate(year, match.captured(1).toInt(), match.captured(2).toInt()),
                                  QTime(hour, match.captured(5).toInt()), Qt::UTC);
    return file;
}

}  // namespace

std::vector<FTPFile> parseListing(const QByteArray& listing, const QDateTime& now) {
    std::vector<FTPFile> files;
    for (QByteArray raw : listing.split('\n')) {
        if (raw.endsWith('\r')) raw.chop(1);
        const QString line = decode(raw);
        std::optional<FTPFile> file = parseUnix(line, now);
        if (!file) file = parseDos(line);
        if (!file || file->name.isEmpty() || file->name == QLatin1String(".") ||
            file->name == QLatin1String(".."))
            continue;
        files.push_back(std::move(*file));
    }
    return files;
}

}  // namespace ui::ftpbrowser
