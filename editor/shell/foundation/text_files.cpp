#include "text_files.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace editor {

QString decodeText(const QByteArray& content) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(content);
    if (utf8.hasError()) return QString::fromLatin1(content);
    return text;
}

TextRead readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return {{}, file.errorString()};
    QString text = decodeText(content);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return {text, std::nullopt};
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
