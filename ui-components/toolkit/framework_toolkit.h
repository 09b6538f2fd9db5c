#pragma once
// General utilities the components share: whole texts read from files, URLs and streams in one of the
// library's ten encodings, readers and writers with such an encoding, and the path or URL text of a
// file or of a resource of the program.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>

class QIODevice;
class QSaveFile;

namespace ui::framework::toolkit {

// A failed read or write, or an encoding name the library does not know.
class IOException : public std::runtime_error {
public:
    explicit IOException(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    QString getMessage() const { return message_; }

private:
    QString message_;
};

// The converters behind the encoding names (matched without regard to case; an empty name is
// "DEFAULT": UTF-8, or Latin-1 byte for byte for a text that is not valid UTF-8). The byte-order-marked
// names write a mark and read either mark. Characters an encoding cannot hold are written as "?", bytes
// it does not define are read as U+FFFD. An unknown name throws IOException.
QByteArray encodeText(const QString& text, const QString& encoding);
QString decodeText(const QByteArray& bytes, const QString& encoding);

// Characters of a file, decoded whole when it is opened.
class TextReader {
public:
    explicit TextReader(QString text) : text_(std::move(text)) {}
    // Up to `maxCharacters`; empty at the end.
    QString read(qsizetype maxCharacters);
    // The next line without its end ("\n", "\r\n" or "\r"); none at the end.
    std::optional<QString> readLine();
    bool atEnd() const { return position_ >= text_.size(); }

private:
    QString text_;
    qsizetype position_ = 0;
};

// Characters for a file, which gets them whole, encoded, when the writer is closed: until then the
// file keeps its old content, and a failed write keeps it too.
class TextWriter {
public:
    TextWriter(std::unique_ptr<QSaveFile> file, QString encoding);
    // Closes, ignoring a failure: call close() to learn of one.
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void write(const QString& text) { text_ += text; }
    // Throws IOException when the file cannot be written; once closed, further closes do nothing.
    void close();

private:
    std::unique_ptr<QSaveFile> file_;
    QString encoding_;
    QString text_;
};

class Toolkit {
public:
    static inline const QStringList FILE_ENCODING = {
        QStringLiteral("DEFAULT"),       QStringLiteral("ASCII"),
        QStringLiteral("Cp1252"),        QStringLiteral("ISO8859_1"),
        QStringLiteral("UnicodeBig"),    QStringLiteral("UnicodeBigUnmarked"),
        QStringLiteral("UnicodeLittle"), QStringLiteral("UnicodeLittleUnmarked"),
        QStringLiteral("UTF8"),          QStringLiteral("UTF-16")};

    // Each operation may throw IOException.

    // Reads the open stream to its end, closes it and decodes it.
    static QString getContentFromInputStream(QIODevice& stream, const QString& encoding);
    // "file:", a resource of the program (":/..." or "qrc:/..."), or http, https and ftp with the URL
    // reader's time-outs; the caller picks the thread. Decoded as "DEFAULT".
    static QString getContentFromURL(const QString& url);
    // An existing file: its lines, each followed by "\n". Else a name holding "://": the URL's content
    // in the encoding. Else the empty text.
    static QString getContentFromFileName(const QString& name, const QString& encoding);
    static std::unique_ptr<TextReader> getReaderForFile(const QString& file, const QString& encoding);
    static std::unique_ptr<TextWriter> getWriterForFile(const QString& file, const QString& encoding);
    // "file://" followed by the path as given.
    static QString toURL(const QString& file);
    // A resource of the program (looked up as the icons are: the program's own resources, then the kit
    // folder): for one built into the program, the program file's path; for a plain file, its file:
    // URL text; none when there is no such resource.
    static std::optional<QString> getPathForObject(const QString& resourceName);
};

}  // namespace ui::framework::toolkit
