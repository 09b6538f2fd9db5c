#include "text_files.h"

#include <QFile>
#include <QSaveFile>
#include <cstring>

#include "framework_toolkit.h"
#include "guard/outputs.h"

namespace editor {

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
    const QByteArray bytes = text.toUtf8();
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

}  // namespace editor
