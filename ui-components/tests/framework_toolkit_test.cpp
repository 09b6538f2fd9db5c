// The shared utilities: the ten encodings through a writer and a file read back, contents from files,
// URLs and resources, the path of a resource, and the process's logger with its listeners.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <thread>
#include <vector>

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "framework_toolkit.h"
#include "logger.h"
#include "loopback_server.h"
#include "test_helpers.h"
#include "ui_toolkit.h"

namespace {

using namespace ui::framework::toolkit;
using ui::testing::LoopbackServer;

QString failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const IOException& failure) {
        return failure.getMessage();
    }
    return QStringLiteral("done");
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray made;
    for (int value : values) made.append(char(value));
    return made;
}

class Files : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content) {
        tz::testing::writeFile(folder.filePath(name), content);
        return folder.filePath(name);
    }
    static QByteArray read(const QString& path) { return tz::testing::readFile(path); }

    QTemporaryDir folder;
};

TEST_F(Files, EachEncodingRoundTrips) {
    struct Row {
        const char* name;
        QString text;
        QByteArray written;
    };
    const QString accented = QStringLiteral("Z\u00e9");
    const std::vector<Row> rows = {
        {"DEFAULT", accented, bytes({'Z', 0xC3, 0xA9})},
        {"ASCII", "Zoe", "Zoe"},
        {"Cp1252", QStringLiteral("\u20ac\u00e9\u2019"), bytes({0x80, 0xE9, 0x92})},
        {"ISO8859_1", accented, bytes({'Z', 0xE9})},
        {"UnicodeBig", accented, bytes({0xFE, 0xFF, 0, 'Z', 0, 0xE9})},
        {"UnicodeBigUnmarked", accented, bytes({0, 'Z', 0, 0xE9})},
        {"UnicodeLittle", accented, bytes({0xFF, 0xFE, 'Z', 0, 0xE9, 0})},
        {"UnicodeLittleUnmarked", accented, bytes({'Z', 0, 0xE9, 0})},
        {"UTF8", QStringLiteral("Z\u00e9\u263a"), bytes({'Z', 0xC3, 0xA9, 0xE2, 0x98, 0xBA})},
        {"UTF-16", accented, bytes({0xFE, 0xFF, 0, 'Z', 0, 0xE9})},
    };
    ASSERT_EQ(Toolkit::FILE_ENCODING.size(), qsizetype(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Toolkit::FILE_ENCODING[qsizetype(i)], row.name);
        const QString path = folder.filePath(QString::number(i));
        write(QString::number(i), "old");
        {
            auto writer = Toolkit::getWriterForFile(path, row.name);
            writer->write(row.text);
            EXPECT_EQ(read(path), "old");  // whole, at close
            writer->close();
        }
        EXPECT_EQ(read(path), row.written);
        EXPECT_EQ(Toolkit::getContentFromFileName(path, row.name), row.text + "\n");
        EXPECT_EQ(Toolkit::getReaderForFile(path, row.name)->readLine(), row.text);
    }
}

TEST_F(Files, DecodingEdgesAndUnknownNames) {
    // A marked reading takes either mark; "DEFAULT" takes a text that is not UTF-8 byte for byte.
    EXPECT_EQ(decodeText(bytes({0xFF, 0xFE, 'Z', 0}), "UnicodeBig"), "Z");
    EXPECT_EQ(decodeText(bytes({0xFE, 0xFF, 0, 'Z'}), "UnicodeLittle"), "Z");
    EXPECT_EQ(decodeText(bytes({0, 'Z'}), "UTF-16"), "Z");
    EXPECT_EQ(decodeText(bytes({'Z', 0xE9}), "DEFAULT"), QStringLiteral("Z\u00e9"));
    EXPECT_EQ(decodeText(bytes({'Z', 0xE9}), ""), QStringLiteral("Z\u00e9"));
    EXPECT_EQ(decodeText(bytes({'Z', 0xE9}), "ASCII"), QStringLiteral("Z\ufffd"));
    EXPECT_EQ(decodeText(bytes({0x81}), "Cp1252"), QStringLiteral("\ufffd"));
    EXPECT_EQ(encodeText(QStringLiteral("\u00e9\u20ac"), "ISO8859_1"), bytes({0xE9, '?'}));
    EXPECT_EQ(encodeText(QStringLiteral("\u00e9"), "ASCII"), "?");
    EXPECT_EQ(decodeText("Zoe", "utf8"), "Zoe");

    const QString path = write("x.txt", "x");
    EXPECT_EQ(failureOf([&] { Toolkit::getContentFromFileName(path, "EBCDIC"); }),
              "Unsupported encoding: EBCDIC");
    EXPECT_EQ(failureOf([&] { Toolkit::getWriterForFile(path, "UTF-32"); }), "Unsupported encoding: UTF-32");
    EXPECT_EQ(read(path), "x");
}

TEST_F(Files, ContentFromFileNames) {
    EXPECT_EQ(Toolkit::getContentFromFileName(write("empty", ""), "DEFAULT"), "");
    EXPECT_EQ(Toolkit::getContentFromFileName(write("one", "one line"), "DEFAULT"), "one line\n");
    EXPECT_EQ(Toolkit::getContentFromFileName(write("ends", "a\r\nb\rc\n\n"), "DEFAULT"), "a\nb\nc\n\n");
    EXPECT_EQ(Toolkit::getContentFromFileName(folder.filePath("missing"), "DEFAULT"), "");
    EXPECT_EQ(Toolkit::getContentFromFileName("", "DEFAULT"), "");
    EXPECT_EQ(failureOf([&] { Toolkit::getContentFromFileName(folder.path(), "DEFAULT"); }),
              "Cannot read " + folder.path());

    // The URL road, in the given encoding.
    const QString url = Toolkit::toURL(write("utf16", bytes({0xFE, 0xFF, 0, 'h', 0, 'i'})));
    EXPECT_EQ(url, "file://" + folder.filePath("utf16"));
    EXPECT_EQ(Toolkit::getContentFromFileName(url, "UTF-16"), "hi");
    LoopbackServer server(LoopbackServer::httpReply("served\nbody"));
    EXPECT_EQ(Toolkit::getContentFromFileName(server.url("/page"), "UTF8"), "served\nbody");
}

TEST_F(Files, ContentFromUrlsAndStreams) {
    LoopbackServer server(LoopbackServer::httpReply("caf\xc3\xa9"));
    EXPECT_EQ(Toolkit::getContentFromURL(server.url()), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(Toolkit::getContentFromURL(":/framework-test/greeting.txt"),
              QStringLiteral("Hello\nw\u00f6rld\n"));
    EXPECT_EQ(Toolkit::getContentFromURL("qrc:/framework-test/greeting.txt"),
              QStringLiteral("Hello\nw\u00f6rld\n"));
    EXPECT_EQ(Toolkit::getContentFromURL(Toolkit::toURL(write("plain", "file text"))), "file text");

    const QString dead = QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::deadPort());
    EXPECT_TRUE(
        failureOf([&] { Toolkit::getContentFromURL(dead); }).startsWith("Cannot read " + dead + " : "));
    EXPECT_TRUE(
        failureOf([&] { Toolkit::getContentFromURL(":/framework-test/none"); }).startsWith("Cannot read "));

    QByteArray data = bytes({0xFF, 0xFE, 'o', 0, 'k', 0});
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(Toolkit::getContentFromInputStream(buffer, "UnicodeLittle"), "ok");
    EXPECT_FALSE(buffer.isOpen());
    EXPECT_EQ(failureOf([&] { Toolkit::getContentFromInputStream(buffer, "DEFAULT"); }),
              "The stream is not open for reading");
}

TEST_F(Files, PathForObject) {
    // Built into the program: the program's own file.
    EXPECT_EQ(Toolkit::getPathForObject("framework-test/greeting.txt"),
              QCoreApplication::applicationFilePath());
    EXPECT_EQ(Toolkit::getPathForObject("/framework-test/greeting.txt"),
              QCoreApplication::applicationFilePath());
    // A plain file of the kit folder: its URL.
    QDir(folder.path()).mkpath("data dir");
    write("data dir/level.txt", "1");
    ui::toolkit::Toolkit::setKitFolder(folder.path());
    EXPECT_EQ(Toolkit::getPathForObject("data dir/level.txt"),
              QUrl::fromLocalFile(folder.filePath("data dir/level.txt")).toString(QUrl::FullyEncoded));
    EXPECT_EQ(Toolkit::getPathForObject("data dir/none.txt"), std::nullopt);
    ui::toolkit::Toolkit::setKitFolder(QString());
}

// Every line the listeners hear, as "<kind> <message>".
struct RecordingListener : LoggerListener {
    RecordingListener(QStringList& heard, QString name) : heard(heard), name(std::move(name)) {}
    void addError(const QString& message) override { heard.append(name + " error " + message); }
    void addInfo(const QString& message) override { heard.append(name + " info " + message); }
    void addWarning(const QString& message) override { heard.append(name + " warning " + message); }
    QStringList& heard;
    QString name;
};

struct CountingLogger : Logger {
    QString log(int level, const QString& message) override {
        ++count;
        return QString::number(level) + message;
    }
    std::atomic<int> count{0};
};

class Logging : public ::testing::Test {
protected:
    ~Logging() override { Logger::setDefaultLogger(nullptr); }
    // What `logging` printed on standard output.
    static std::string printed(const std::function<void()>& logging) {
        ::testing::internal::CaptureStdout();
        logging();
        return ::testing::internal::GetCapturedStdout();
    }
    const std::string prefix = QCoreApplication::applicationName().toStdString() + ": ";
};

TEST_F(Logging, ConsoleLinesAndListenersInOrder) {
    EXPECT_EQ(printed([] { Logger::addError("broken"); }), "**" + prefix + "broken\n");
    ConsoleLogger console;
    QString answer;
    EXPECT_EQ(printed([&] { answer = console.log(Logger::WARNING, "careful"); }), "*" + prefix + "careful\n");
    EXPECT_EQ(answer.toStdString(), "*" + prefix + "careful");
    EXPECT_EQ(printed([&] { answer = Logger::addMessage(Logger::INFO, "note"); }), prefix + "note\n");
    EXPECT_EQ(answer.toStdString(), prefix + "note");
    EXPECT_EQ(printed([&] { answer = Logger::addMessage(5, "odd"); }), "");
    EXPECT_EQ(answer, "odd");

    QStringList heard;
    auto first = std::make_shared<RecordingListener>(heard, "first");
    auto second = std::make_shared<RecordingListener>(heard, "second");
    Logger::addLoggerListener(first);
    Logger::addLoggerListener(second);
    printed([] {
        Logger::addInfo("i");
        Logger::addWarning("w");
        Logger::addMessage(Logger::ERROR, "not told");
    });
    Logger::removeLoggerListener(first);
    printed([] { Logger::addError("e"); });
    Logger::removeLoggerListener(second);
    Logger::removeLoggerListener(second);
    EXPECT_EQ(heard, QStringList({"first info i", "second info i", "first warning w", "second warning w",
                                  "second error e"}));

    auto own = std::make_shared<CountingLogger>();
    Logger::setDefaultLogger(own);
    EXPECT_EQ(printed([&] { answer = Logger::addMessage(Logger::ERROR, "mine"); }), "");
    EXPECT_EQ(answer, "2mine");
}

TEST_F(Logging, SharedStateHoldsUnderThreads) {
    auto counting = std::make_shared<CountingLogger>();
    Logger::setDefaultLogger(counting);
    struct Quiet : LoggerListener {
        void addError(const QString&) override { ++heard; }
        void addInfo(const QString&) override { ++heard; }
        void addWarning(const QString&) override { ++heard; }
        std::atomic<int> heard{0};
    };
    constexpr int kRounds = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, counting] {
            for (int i = 0; i < kRounds; ++i) {
                if (t % 2 == 0) {
                    auto listener = std::make_shared<Quiet>();
                    Logger::addLoggerListener(listener);
                    Logger::addWarning("w");
                    Logger::removeLoggerListener(listener);
                } else {
                    Logger::addInfo("i");
                    Logger::setDefaultLogger(counting);
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(counting->count, 4 * kRounds);
}

}  // namespace
