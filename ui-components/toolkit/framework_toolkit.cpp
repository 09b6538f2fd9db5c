#include "framework_toolkit.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>
#include <array>

#include "kit/program_folder.h"
#include "ui_toolkit.h"
#include "url_reader.h"

namespace ui::framework::toolkit {
namespace {

enum class Encoding {
    Default,
    Ascii,
    Cp1252,
    Latin1,
    UnicodeBig,
    UnicodeBigUnmarked,
    UnicodeLittle,
    UnicodeLittleUnmarked,
    Utf8,
    Utf16
};

// In the order of Toolkit::FILE_ENCODING.
constexpr std::array kEncodings = {Encoding::Default,       Encoding::Ascii,
                                   Encoding::Cp1252,        Encoding::Latin1,
                                   Encoding::UnicodeBig,    Encoding::UnicodeBigUnmarked,
                                   Encoding::UnicodeLittle, Encoding::UnicodeLittleUnmarked,
                                   Encoding::Utf8,          Encoding::Utf16};

Encoding encodingNamed(const QString& name) {
    if (name.isEmpty()) return Encoding::Default;
    for (qsizetype i = 0; i < Toolkit::FILE_ENCODING.size(); ++i) {
        if (Toolkit::FILE_ENCODING[i].compare(name, Qt::CaseInsensitive) == 0) return kEncodings[size_t(i)];
    }
    throw IOException(QStringLiteral("Unsupported encoding: ") + name);
}

constexpr char16_t kReplacement = 0xFFFD;

// windows-1252 at 0x80..0x9F; 0 where the code page defines no character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString decodeSingleByte(const QByteArray& bytes, Encoding encoding) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = uchar(byte);
        if (code < 0x80 || (encoding == Encoding::Latin1) || (encoding == Encoding::Cp1252 && code >= 0xA0)) {
            text.append(QChar(code));
        } else if (encoding == Encoding::Cp1252 && kCp1252High[code - 0x80] != 0) {
            text.append(QChar(kCp1252High[code - 0x80]));
        } else {
            text.append(QChar(kReplacement));
        }
    }
    return text;
}

QByteArray encodeSingleByte(const QString& text, Encoding encoding) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // A surrogate pair is one character: one "?".
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        char byte = '?';
        if (unit < 0x80 || (encoding != Encoding::Ascii && unit >= 0xA0 && unit < 0x100)) {
            byte = char(unit);
        } else if (encoding == Encoding::Latin1 && unit < 0x100) {
            byte = char(unit);
        } else if (encoding == Encoding::Cp1252) {
            for (size_t k = 0; k < kCp1252High.size(); ++k) {
                if (kCp1252High[k] == unit) byte = char(0x80 + k);
            }
        }
        bytes.append(byte);
    }
    return bytes;
}

QString decodeUtf16(const QByteArray& bytes, bool bigEndian, bool readMark) {
    qsizetype start = 0;
    if (readMark && bytes.size() >= 2) {
        const auto first = uchar(bytes[0]), second = uchar(bytes[1]);
        if (first == 0xFE && second == 0xFF) {
            bigEndian = true;
            start = 2;
        } else if (first == 0xFF && second == 0xFE) {
            bigEndian = false;
            start = 2;
        }
    }
    QString text;
    text.reserve((bytes.size() - start) / 2 + 1);
    for (qsizetype i = start; i + 1 < bytes.size(); i += 2) {
        const auto high = uchar(bytes[bigEndian ? i : i + 1]), low = uchar(bytes[bigEndian ? i + 1 : i]);
        text.append(QChar(char16_t(high << 8 | low)));
    }
    if ((bytes.size() - start) % 2 != 0) text.append(QChar(kReplacement));
    return text;
}

QByteArray encodeUtf16(const QString& text, bool bigEndian, bool writeMark) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2 + 2);
    auto put = [&](char16_t unit) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes.append(bigEndian ? high : low);
        bytes.append(bigEndian ? low : high);
    };
    if (writeMark) put(0xFEFF);
    for (const QChar character : text) put(character.unicode());
    return bytes;
}

// A resource of the program, or anything the URL reader takes.
QByteArray readResource(const QString& url) {
    QString resource;
    if (url.startsWith(QLatin1String(":/"))) {
        resource = url;
    } else if (url.startsWith(QLatin1String("qrc:"), Qt::CaseInsensitive)) {
        resource = ':' + QUrl(url).path();
    }
    if (!resource.isNull()) {
        QFile file(resource);
        if (!file.open(QIODevice::ReadOnly))
            throw IOException(QStringLiteral("Cannot read ") + url + QStringLiteral(" : ") +
                              file.errorString());
        return file.readAll();
    }
    const UrlReadResult read = readUrl(url);
    if (!read.ok())
        throw IOException(QStringLiteral("Cannot read ") + url + QStringLiteral(" : ") + read.error);
    return read.data;
}

}  // namespace

QByteArray encodeText(const QString& text, const QString& encoding) {
    switch (const Encoding chosen = encodingNamed(encoding)) {
        case Encoding::Ascii:
        case Encoding::Cp1252:
        case Encoding::Latin1:
            return encodeSingleByte(text, chosen);
        case Encoding::UnicodeBig:
        case Encoding::Utf16:
            return encodeUtf16(text, true, true);
        case Encoding::UnicodeBigUnmarked:
            return encodeUtf16(text, true, false);
        case Encoding::UnicodeLittle:
            return encodeUtf16(text, false, true);
        case Encoding::UnicodeLittleUnmarked:
            return encodeUtf16(text, false, false);
        case Encoding::Default:
        case Encoding::Utf8:
            break;
    }
    return text.toUtf8();
}

QString decodeText(const QByteArray& bytes, const QString& encoding) {
    switch (const Encoding chosen = encodingNamed(encoding)) {
        case Encoding::Ascii:
        case Encoding::Cp1252:
        case Encoding::Latin1:
            return decodeSingleByte(bytes, chosen);
        case Encoding::UnicodeBig:
        case Encoding::Utf16:
            return decodeUtf16(bytes, true, true);
        case Encoding::UnicodeBigUnmarked:
            return decodeUtf16(bytes, true, false);
        case Encoding::UnicodeLittle:
            return decodeUtf16(bytes, false, true);
        case Encoding::UnicodeLittleUnmarked:
            return decodeUtf16(bytes, false, false);
        case Encoding::Utf8:
            return QString::fromUtf8(bytes);
        case Encoding::Default:
            break;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString TextReader::read(qsizetype maxCharacters) {
    const QString part = text_.mid(position_, std::max<qsizetype>(maxCharacters, 0));
    position_ += part.size();
    return part;
}

std::optional<QString> TextReader::readLine() {
    if (atEnd()) return std::nullopt;
    qsizetype end = position_;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
    QString line = text_.mid(position_, end - position_);
    if (end < text_.size() && text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ++end;
    position_ = std::min(end + 1, text_.size());
    return line;
}

TextWriter::TextWriter(std::unique_ptr<QSaveFile> file, QString encoding)
    : file_(std::move(file)), encoding_(std::move(encoding)) {}

TextWriter::~TextWriter() {
    try {
        close();
    } catch (const IOException&) {
    }
}

void TextWriter::close() {
    if (!file_) return;
    const std::unique_ptr<QSaveFile> file = std::move(file_);
    const QByteArray bytes = encodeText(text_, encoding_);
    if (file->write(bytes) != bytes.size() || !file->commit())
        throw IOException(QStringLiteral("Can't write ") + file->fileName() + QStringLiteral(" : ") +
                          file->errorString());
}

QString Toolkit::getContentFromInputStream(QIODevice& stream, const QString& encoding) {
    encodingNamed(encoding);
    if (!stream.isReadable()) throw IOException(QStringLiteral("The stream is not open for reading"));
    const QByteArray bytes = stream.readAll();
    const QString error = stream.errorString();
    // QFile tells a failed read apart; other devices report none here.
    const auto* file = qobject_cast<QFileDevice*>(&stream);
    const bool failed = file && file->error() != QFileDevice::NoError;
    stream.close();
    if (failed) throw IOException(QStringLiteral("Cannot read : ") + error);
    return decodeText(bytes, encoding);
}

QString Toolkit::getContentFromURL(const QString& url) {
    return decodeText(readResource(url), QStringLiteral("DEFAULT"));
}

QString Toolkit::getContentFromFileName(const QString& name, const QString& encoding) {
    const QFileInfo info(name);
    if (!name.isEmpty() && info.exists()) {
        QFile file(name);
        if (info.isDir() || !file.open(QIODevice::ReadOnly))
            throw IOException(QStringLiteral("Cannot read ") + name);
        TextReader reader(decodeText(file.readAll(), encoding));
        if (file.error() != QFileDevice::NoError) throw IOException(QStringLiteral("Cannot read ") + name);
        QString content;
        while (const std::optional<QString> line = reader.readLine()) content += *line + '\n';
        return content;
    }
    if (name.contains(QLatin1String("://"))) return decodeText(readResource(name), encoding);
    return QString();
}

std::unique_ptr<TextReader> Toolkit::getReaderForFile(const QString& file, const QString& encoding) {
    encodingNamed(encoding);
    QFile input(file);
    if (QFileInfo(file).isDir() || !input.open(QIODevice::ReadOnly))
        throw IOException(QStringLiteral("Cannot read ") + file);
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) throw IOException(QStringLiteral("Cannot read ") + file);
    return std::make_unique<TextReader>(decodeText(bytes, encoding));
}

std::unique_ptr<TextWriter> Toolkit::getWriterForFile(const QString& file, const QString& encoding) {
    encodingNamed(encoding);
    auto output = std::make_unique<QSaveFile>(file);
    if (!output->open(QIODevice::WriteOnly))
        throw IOException(QStringLiteral("Can't write ") + file + QStringLiteral(" : ") +
                          output->errorString());
    return std::make_unique<TextWriter>(std::move(output), encoding);
}

QString Toolkit::toURL(const QString& file) {
    return QStringLiteral("file://") + file;
}

std::optional<QString> Toolkit::getPathForObject(const QString& resourceName) {
    QString relative = resourceName;
    if (relative.startsWith(':')) relative.remove(0, 1);
    while (relative.startsWith('/')) relative.remove(0, 1);
    if (relative.isEmpty()) return std::nullopt;

    if (QFileInfo::exists(QStringLiteral(":/") + relative)) {
        // Built into the program, which is its archive: the program file's URL in its one-"/" form,
        // then made a path again the way an archive's URL is.
        QString text = QStringLiteral("file:") +
                       QString::fromStdString(kit::programPath()).replace(' ', QLatin1String("%20"));
        text.replace(QLatin1String("%20"), QLatin1String(" "));
        if (text.startsWith(QLatin1String("file://")))
            text.remove(0, 6);
        else if (text.startsWith(QLatin1String("file:/")))
            text.remove(0, 5);
        return text;
    }
    const QFileInfo plain(ui::toolkit::Toolkit::kitFolder() + '/' + relative);
    if (plain.exists()) return QUrl::fromLocalFile(plain.absoluteFilePath()).toString(QUrl::FullyEncoded);
    return std::nullopt;
}

}  // namespace ui::framework::toolkit
