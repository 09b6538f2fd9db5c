#include "file_copy.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "editor_testing.h"

namespace editor {
namespace {

using testing::readFile;
using testing::writeFile;

using testing::FileSizeLimit;

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir("art");
        QDir(dir.path()).mkdir("project");
        image = dir.filePath("art/ship.png");
        bytes.resize(5000);
        for (int i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
        writeFile(image, bytes);
    }

    // The failure and what was printed on standard output.
    std::pair<std::optional<QString>, std::string> copy(const QString& from, const QString& to) {
        ::testing::internal::CaptureStdout();
        std::optional<QString> failure = FileCopy::copy(from, to);
        return {failure, ::testing::internal::GetCapturedStdout()};
    }

    QTemporaryDir dir;
    QString image;
    QByteArray bytes;
};

TEST_F(FileCopyTest, CopiesToANameIntoAFolderAndOverAnOlderCopy) {
    const QString named = dir.filePath("project/hero.png");
    EXPECT_EQ(copy(image, named).first, std::nullopt);
    EXPECT_EQ(readFile(named), bytes);

    EXPECT_EQ(copy(image, dir.filePath("project")).first, std::nullopt);
    EXPECT_EQ(readFile(dir.filePath("project/ship.png")), bytes);

    writeFile(named, "an older, longer image than this one ...");
    writeFile(image, "new");
    EXPECT_EQ(copy(image, named).first, std::nullopt);
    EXPECT_EQ(readFile(named), "new");

    // Relative names are taken from the kit folder.
    testing::KitFolder kit(dir.path());
    EXPECT_EQ(copy("art/ship.png", "project/relative.png").first, std::nullopt);
    EXPECT_EQ(readFile(dir.filePath("project/relative.png")), "new");
}

TEST_F(FileCopyTest, RefusesWhatCannotBeCopiedAndTouchesNothing) {
    const QString missing = dir.filePath("art/none.png");
    const QString target = dir.filePath("project/ship.png");
    auto [failure, printed] = copy(missing, target);
    EXPECT_EQ(failure, "FileCopy: No such source file: " + missing);
    EXPECT_EQ(printed, ("No such source file: " + missing + "\n").toStdString());
    EXPECT_FALSE(QFile::exists(target));

    EXPECT_EQ(copy(dir.filePath("art"), target).first,
              "FileCopy: No such source file: " + dir.filePath("art"));

    const QString noFolder = dir.filePath("gone/ship.png");
    EXPECT_EQ(copy(image, noFolder).first,
              "FileCopy: Destination directory doesn't exist: " + dir.filePath("gone"));

    // Into a folder that already holds a folder of the source's name.
    QDir(dir.path()).mkpath("project/ship.png");
    EXPECT_EQ(copy(image, dir.filePath("project")).first,
              "FileCopy: Destination is not a file: " + dir.filePath("project"));
    EXPECT_EQ(readFile(image), bytes);
}

TEST_F(FileCopyTest, RefusesToCopyAFileOntoItself) {
    const QString symbolic = dir.filePath("project/link.png");
    const QString hard = dir.filePath("project/hard.png");
    ASSERT_TRUE(QFile::link(image, symbolic));
    ASSERT_EQ(::link(QFile::encodeName(image).constData(), QFile::encodeName(hard).constData()), 0);
    const std::pair<QString, QString> rows[] = {
        {image, image}, {image, dir.filePath("art")}, {image, symbolic}, {symbolic, image}, {hard, image},
    };
    for (const auto& [from, to] : rows) {
        EXPECT_EQ(copy(from, to).first, "FileCopy: Source and destination are the same file: " + to)
            << from.toStdString() << " -> " << to.toStdString();
        EXPECT_EQ(readFile(image), bytes);
    }
}

TEST_F(FileCopyTest, UnreadableSourceAndUnwritableDestinationThroughTheFileSeam) {
    testing::RefusingFiles refusing;
    const QString target = dir.filePath("project/ship.png");
    refusing.unreadable.insert(image);
    auto [failure, printed] = copy(image, target);
    EXPECT_EQ(failure, "FileCopy: Source file " + image + " is unreadable: " + image);
    EXPECT_EQ(printed, ("Source file " + image + " is unreadable\n").toStdString());
    refusing.unreadable.clear();

    refusing.unwritable.insert(dir.filePath("project"));
    EXPECT_EQ(copy(image, target).first,
              "FileCopy: Destination directory is unwriteable: " + dir.filePath("project"));
    refusing.unwritable.clear();

    writeFile(target, "kept");
    refusing.unwritable.insert(target);
    EXPECT_EQ(copy(image, target).first,
              "FileCopy: Destination " + target + " file is unwriteable: " + target);
    EXPECT_EQ(readFile(target), "kept");
}

TEST_F(FileCopyTest, AWriteThatFailsAfterOpeningIsReportedAndKeepsTheOldTarget) {
    const QString target = dir.filePath("project/ship.png");
    writeFile(target, "the copy from last week");
    std::optional<QString> failure;
    {
        FileSizeLimit limit(1024);
        failure = copy(image, target).first;
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, "FileCopy: Could not copy " + image + " to " + target + " (File too large)");
    EXPECT_EQ(readFile(target), "the copy from last week");
    EXPECT_EQ(QDir(dir.filePath("project")).entryList(QDir::Files), QStringList{"ship.png"});
}

}  // namespace
}  // namespace editor
