#include "text_files.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <vector>

#include "framework_toolkit.h"
#include "guard/outputs.h"

namespace editor {
namespace {

const QByteArray byteOrderMark = "\xEF\xBB\xBF";

// Characters a text document keeps as something else (a paragraph mark, a frame's marks): a file that
// holds one would not be written back as it was read.
bool documentKeeps(QChar c) {
    return c != QChar::ParagraphSeparator && c.unicode() != 0xFDD0 && c.unicode() != 0xFDD1;
}

QByteArray mostCommon(const QList<QByteArray>& ends) {
    QByteArray common = "\n";
    qsizetype best = 0;
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const qsizetype count = ends.count(QByteArray(end));
        if (count > best) {
            best = count;
            common = end;
        }
    }
    return common;
}

// The pairs (line of `a`, line of `b`) of a longest common subsequence of two lists of line numbers, in
// order: Myers' O(ND) difference. Past `maxEdits` differences it gives up and matches nothing.
std::vector<std::pair<int, int>> commonLines(const std::vector<int>& a, const std::vector<int>& b,
                                             int maxEdits) {
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    const int most = std::min(n + m, maxEdits);
    const int offset = most + 1;
    std::vector<int> v(static_cast<std::size_t>(2 * most + 3), 0);
    std::vector<std::vector<int>> trace;
    const auto at = [offset](std::vector<int>& row, int k) -> int& {
        return row[static_cast<std::size_t>(k + offset)];
    };
    for (int d = 0; d <= most; ++d) {
        trace.push_back(v);
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && at(v, k - 1) < at(v, k + 1))) ? at(v, k + 1) : at(v, k - 1) + 1;
            int y = x - k;
            while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)]) {
                ++x;
                ++y;
            }
            at(v, k) = x;
            if (x < n || y < m) continue;
            // Back from the end: each step's snake is a run of matched lines.
            std::vector<std::pair<int, int>> matched;
            for (int step = d; step >= 0; --step) {
                std::vector<int>& before = trace[static_cast<std::size_t>(step)];
                const int kk = x - y;
                const int previousK = (kk == -step || (kk != step && at(before, kk - 1) < at(before, kk + 1)))
                                          ? kk + 1
                                          : kk - 1;
                const int previousX = at(before, previousK);
                const int previousY = previousX - previousK;
                while (x > previousX && y > previousY) {
                    --x;
                    --y;
                    matched.emplace_back(x, y);
                }
                x = previousX;
                y = previousY;
            }
            std::reverse(matched.begin(), matched.end());
            return matched;
        }
    }
    return {};
}

// The end each of `lines` is written with (see encodeUserText).
QList<QByteArray> lineEndsFor(const QStringList& lines, const TextForm& form) {
    const qsizetype count = lines.size();
    if (form.endedLines.isEmpty()) return QList<QByteArray>(count, form.lineEnd);
    const QStringList& old = form.endedLines;
    QList<QByteArray> ends(count);
    // Lines alike at the start and at the end need no search.
    qsizetype prefix = 0;
    while (prefix < count && prefix < old.size() && lines[prefix] == old[prefix]) {
        ends[prefix] = form.lineEnds[prefix];
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < count - prefix && suffix < old.size() - prefix &&
           lines[count - 1 - suffix] == old[old.size() - 1 - suffix]) {
        ends[count - 1 - suffix] = form.lineEnds[old.size() - 1 - suffix];
        ++suffix;
    }
    QHash<QString, int> numbers;
    const auto numbered = [&numbers](const QStringList& list, qsizetype from, qsizetype to) {
        std::vector<int> result;
        for (qsizetype i = from; i < to; ++i) {
            auto found = numbers.constFind(list[i]);
            if (found == numbers.cend()) found = numbers.insert(list[i], static_cast<int>(numbers.size()));
            result.push_back(found.value());
        }
        return result;
    };
    const std::vector<int> oldMiddle = numbered(old, prefix, old.size() - suffix);
    const std::vector<int> newMiddle = numbered(lines, prefix, count - suffix);
    std::vector<std::pair<int, int>> matched = commonLines(oldMiddle, newMiddle, 500);
    for (auto& [o, n] : matched) {
        o += static_cast<int>(prefix);
        n += static_cast<int>(prefix);
    }
    matched.emplace_back(static_cast<int>(old.size() - suffix), static_cast<int>(count - suffix));
    qsizetype oldAt = prefix;
    qsizetype newAt = prefix;
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const auto [oldMatch, newMatch] = matched[i];
        // Between two matched lines: the new lines take the ends of the old ones they replace, in order,
        // the last old end for any beyond; an insertion takes the end of the line before it.
        const qsizetype replaced = oldMatch - oldAt;
        for (qsizetype t = 0; t < newMatch - newAt; ++t) {
            const qsizetype line = newAt + t;
            if (replaced > 0) {
                ends[line] = form.lineEnds[oldAt + std::min(t, replaced - 1)];
            } else if (line > 0) {
                ends[line] = ends[line - 1];
            } else {
                ends[line] = oldAt < old.size() ? form.lineEnds[oldAt] : form.lineEnd;
            }
        }
        if (i + 1 < matched.size()) ends[newMatch] = form.lineEnds[oldMatch];
        oldAt = oldMatch + 1;
        newAt = newMatch + 1;
    }
    return ends;
}

// The form whose lines are `lines` with `ends`: all alike, only the end is kept.
void takeLines(TextForm& form, const QStringList& lines, const QList<QByteArray>& ends) {
    const bool alike =
        std::all_of(ends.begin(), ends.end(), [&](const QByteArray& end) { return end == ends.first(); });
    if (ends.isEmpty() || alike) {
        if (!ends.isEmpty()) form.lineEnd = ends.first();
        form.endedLines.clear();
        form.lineEnds.clear();
        return;
    }
    form.lineEnd = mostCommon(ends);
    form.endedLines = lines;
    form.lineEnds = ends;
}

}  // namespace

QString decodeText(const QByteArray& content) {
    return ui::framework::toolkit::decodeText(content, QString());
}

TextRead readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return {{}, file.errorString()};
    const std::string text =
        kit::withLineFeeds(std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    return {decodeText(QByteArray::fromStdString(text)), std::nullopt};
}

std::optional<QString> handOverJava(const QString& path) {
    const int error = guard::handOverSource(QFile::encodeName(path).toStdString());
    if (error == 0) return std::nullopt;
    return QString::fromLocal8Bit(std::strerror(error));
}

kit::Lines fileLines(const QByteArray& content) {
    return kit::utf8Lines(std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
}

QStringList toStringList(const kit::Lines& lines) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) list << QString::fromStdString(line);
    return list;
}

kit::Lines toLines(const QStringList& lines) {
    kit::Lines converted;
    converted.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines) converted.push_back(line.toStdString());
    return converted;
}

std::optional<std::string> toStd(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    return text->toStdString();
}

std::optional<QString> toQString(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return QString::fromStdString(*text);
}

std::optional<QString> writeTextFile(const QString& path, const QString& text) {
    return writeFileBytes(path, text.toUtf8());
}

std::optional<QString> writeFileBytes(const QString& path, const QByteArray& bytes) {
    // Buffered, a short write (a full disk, a size limit) would count as written and the shortened file
    // would be committed; unbuffered, each shortfall shows and the next write says why.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            const QString failure = file.errorString();
            file.cancelWriting();
            return failure;
        }
        written += count;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

UserText decodeUserText(const QByteArray& bytes) {
    UserText read;
    read.stamp = stampOf(bytes);
    if (bytes.contains('\0')) {
        read.failure = QStringLiteral("it holds a NUL byte: it is no text");
        return read;
    }
    QByteArrayView rest(bytes);
    read.form.byteOrderMark = rest.startsWith(byteOrderMark);
    if (read.form.byteOrderMark) rest = rest.sliced(byteOrderMark.size());
    const bool utf8 = kit::isValidUtf8(std::string_view(rest.data(), static_cast<std::size_t>(rest.size())));
    read.form.encoding = utf8 ? TextForm::Encoding::Utf8 : TextForm::Encoding::Latin1;
    const auto decoded = [utf8](QByteArrayView line) {
        return utf8 ? QString::fromUtf8(line) : QString::fromLatin1(line);
    };
    QStringList lines;
    QList<QByteArray> ends;
    qsizetype start = 0;
    while (start < rest.size()) {
        qsizetype end = start;
        while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
        const QString line = decoded(rest.sliced(start, end - start));
        read.text += line;
        if (end == rest.size()) break;
        const qsizetype width = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n' ? 2 : 1;
        lines << line;
        ends << rest.sliced(end, width).toByteArray();
        read.text += '\n';
        start = end + width;
    }
    takeLines(read.form, lines, ends);
    if (!std::all_of(read.text.begin(), read.text.end(), documentKeeps)) {
        read.failure = QStringLiteral("it holds a character the editor cannot keep as it is");
    } else if (encodeUserText(read.text, read.form).bytes != bytes) {
        read.failure = QStringLiteral("its bytes would not be written back as they are");
    }
    return read;
}

UserText readUserFile(const QString& path) {
    QFile file(path);
    UserText read;
    if (!file.open(QIODevice::ReadOnly)) {
        read.failure = file.errorString();
        return read;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.failure = file.errorString();
        return read;
    }
    return decodeUserText(content);
}

EncodedText encodeUserText(const QString& text, const TextForm& form) {
    QStringList lines = text.split('\n');
    const QString last = lines.takeLast();
    const QList<QByteArray> ends = lineEndsFor(lines, form);
    EncodedText encoded;
    encoded.form = form;
    if (form.encoding == TextForm::Encoding::Latin1) {
        encoded.fits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
        if (!encoded.fits) encoded.form.encoding = TextForm::Encoding::Utf8;
    }
    const bool latin1 = encoded.form.encoding == TextForm::Encoding::Latin1;
    const auto bytesOf = [latin1](const QString& line) { return latin1 ? line.toLatin1() : line.toUtf8(); };
    if (form.byteOrderMark) encoded.bytes += byteOrderMark;
    for (qsizetype i = 0; i < lines.size(); ++i) encoded.bytes += bytesOf(lines[i]) + ends[i];
    encoded.bytes += bytesOf(last);
    takeLines(encoded.form, lines, ends);
    return encoded;
}

QByteArray stampOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::optional<QByteArray> fileStamp(const QString& path) {
    QFile file(path);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return QByteArray();
    return stampOf(content);
}

}  // namespace editor
