// The kit on a text edit, its descriptor locations and the file mapper.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QUrl>

#include "colouring_support.h"
#include "gui_harness.h"
#include "loopback_server.h"
#include "sc_editor_kit.h"
#include "syntax_file_mapper.h"
#include "test_helpers.h"

namespace {

using ui::sc::ScEditorKit;
using ui::sc::ScResult;
using ui::sc::ScViewFactory;
using ui::sc::testing::descriptorText;
using ui::testing::LoopbackServer;

const char* const kOld = "token_OLD=old\nOLD_color=red\n";
const char* const kNew = "token_NEW=new\nNEW_color=blue\n";

// The class names the kit's rules hold, in order.
QString classes(const ScEditorKit& kit) {
    QStringList names;
    for (const ui::sc::TokenClass& tokenClass : kit.styleModel().classes) names << tokenClass.name;
    return names.join(u',');
}

QList<QTextLayout::FormatRange> formats(const QPlainTextEdit& edit, int block) {
    return edit.document()->findBlockByNumber(block).layout()->formats();
}

class Folder {
public:
    QString write(const QString& name, const QByteArray& text) {
        tz::testing::writeFile(dir_.filePath(name), text);
        return dir_.filePath(name);
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

TEST(ScEditorKit, ColoursTheEditItIsInstalledOn) {
    QPlainTextEdit edit;
    edit.setPlainText("plain IF x\nREMSTART\nIF inside\nREMEND IF");
    ScEditorKit kit;
    kit.install(&edit);
    EXPECT_EQ(edit.toPlainText(), "plain IF x\nREMSTART\nIF inside\nREMEND IF");
    EXPECT_TRUE(formats(edit, 0).isEmpty());  // nothing before a descriptor

    ASSERT_TRUE(
        kit.setSyntaxColorDescriptor(descriptorText("token_K=IF\nK_color=blue\nK_underline=true\n"
                                                    "C_tokenMatchIni=REMSTART\nC_tokenMatchEnd=REMEND\n"
                                                    "C_color=gray\nC_border=true\n"))
            .ok());
    const QList<QTextLayout::FormatRange> first = formats(edit, 0);
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0].start, 6);
    EXPECT_EQ(first[0].length, 2);
    EXPECT_EQ(first[0].format.foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(first[0].format.fontUnderline());
    EXPECT_FALSE(first[0].format.boolProperty(ScViewFactory::kBorderProperty));
    const QList<QTextLayout::FormatRange> inside = formats(edit, 2);
    ASSERT_EQ(inside.size(), 1);
    EXPECT_EQ(inside[0].length, 9);
    EXPECT_TRUE(inside[0].format.boolProperty(ScViewFactory::kBorderProperty));
    EXPECT_EQ(formats(edit, 3).size(), 2);

    // Typing undoes the block comment's start: the lines after it are coloured anew.
    QTextCursor cursor(edit.document()->findBlockByNumber(1));
    cursor.insertText("X");
    EXPECT_EQ(formats(edit, 2).size(), 1);
    EXPECT_EQ(formats(edit, 2)[0].length, 2);
}

TEST(ScEditorKit, BordersArePaintedAroundTheirTokens) {
    QPlainTextEdit edit;
    edit.resize(300, 100);
    edit.setPlainText("   BOX   plain");
    ScEditorKit kit(descriptorText("token_B=BOX\nB_color=blue\nB_border=true\n"));
    kit.install(&edit);
    QTextCursor at(edit.document());
    at.setPosition(3);
    const QRect left = edit.cursorRect(at);
    const QImage shot = edit.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(left.left(), left.center().y()), QColor(0, 0, 255));

    kit.setSyntaxColorDescriptor(descriptorText("token_B=BOX\nB_color=blue\n"));
    const QImage plain = edit.viewport()->grab().toImage();
    EXPECT_NE(plain.pixelColor(left.left(), left.center().y()), QColor(0, 0, 255));
}

TEST(ScEditorKit, DocumentsAndMapperOfTheKit) {
    ScEditorKit kit;
    const std::unique_ptr<QTextDocument> document = kit.createDefaultDocument();
    EXPECT_NE(qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout()), nullptr);
    EXPECT_DOUBLE_EQ(document->defaultTextOption().tabStopDistance(),
                     8 * QFontMetricsF(document->defaultFont()).horizontalAdvance(u' '));
    EXPECT_EQ(&kit.getSyntaxFileMapper(), &kit.getSyntaxFileMapper());

    QPlainTextEdit edit;
    kit.install(&edit);
    EXPECT_DOUBLE_EQ(edit.tabStopDistance(), 8 * QFontMetricsF(edit.font()).horizontalAdvance(u' '));
    EXPECT_EQ(kit.getViewFactory()->document(), edit.document());
}

TEST(ScEditorKit, ReadsDescriptorsFromEveryKindOfLocation) {
    Folder folder;
    const QString file = folder.write("my file.syn", kNew);
    LoopbackServer server(LoopbackServer::httpReply(kNew));
    const QString locations[] = {
        file,
        ":/descriptors/resource.syn",
        "descriptors/resource.syn",
        QUrl::fromLocalFile(file).toString(),
        server.url("/TB.syn"),
    };
    for (const QString& location : locations) {
        ScEditorKit kit(descriptorText(kOld));
        const ScResult result = kit.readSyntaxColorDescriptor(location);
        EXPECT_TRUE(result.ok()) << location.toStdString() << ": " << result.message.toStdString();
        EXPECT_NE(classes(kit), "OLD") << location.toStdString();
    }
    ScResult outcome{ScResult::FileNotFound, "unset"};
    ScEditorKit fromUrl;
    EXPECT_TRUE(fromUrl.readSyntaxColorDescriptor(QUrl::fromLocalFile(file)).ok());
    ScEditorKit fromText(server.url(), &outcome);
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(classes(fromText), "NEW");
}

TEST(ScEditorKit, AFailedReadKeepsThePreviousColouring) {
    Folder folder;
    LoopbackServer missing(LoopbackServer::httpReply("", "404 Not Found"));
    const QString folderItself = folder.path("");
    struct Row {
        QString location;
        ScResult::Failure failure;
    };
    const Row rows[] = {
        {folder.path("nowhere.syn"), ScResult::FileNotFound},
        {folderItself, ScResult::FileNotFound},
        {":/descriptors/none.syn", ScResult::FileNotFound},
        {QUrl::fromLocalFile(folder.path("nowhere.syn")).toString(), ScResult::FileNotFound},
        {missing.url(), ScResult::FileNotFound},
        {QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::deadPort()), ScResult::FileNotFound},
        {"http://[bad/", ScResult::FileNotFound},
        {folder.write("bad.syn", "token_A=[a\n"), ScResult::InvalidDescriptor},
        {folder.write("escape.syn", "token_A=\\u12\n"), ScResult::InvalidDescriptor},
    };
    for (const Row& row : rows) {
        QPlainTextEdit edit;
        edit.setPlainText("old");
        ScEditorKit kit(descriptorText(kOld));
        kit.install(&edit);
        const ScResult result = kit.readSyntaxColorDescriptor(row.location);
        EXPECT_EQ(result.failure, row.failure) << row.location.toStdString();
        EXPECT_FALSE(result.message.isEmpty()) << row.location.toStdString();
        EXPECT_EQ(classes(kit), "OLD") << row.location.toStdString();
        EXPECT_EQ(formats(edit, 0).size(), 1) << row.location.toStdString();
    }
    ScResult outcome;
    ScEditorKit failed(folder.path("nowhere.syn"), &outcome);
    EXPECT_EQ(outcome.failure, ScResult::FileNotFound);
    EXPECT_TRUE(outcome.message.contains("nowhere.syn")) << outcome.message.toStdString();
}

TEST(ScEditorKit, ASilentServerFailsInBoundedTimeAndKeepsTheColouring) {
    LoopbackServer silent({}, LoopbackServer::Silent);
    ScEditorKit kit(descriptorText(kOld));
    ui::UrlReadOptions options;
    options.stallTimeout = std::chrono::milliseconds(1000);
    kit.setUrlReadOptions(options);
    QElapsedTimer clock;
    clock.start();
    const ScResult result = kit.readSyntaxColorDescriptor(silent.url("/TB.syn"));
    EXPECT_EQ(result.failure, ScResult::FileNotFound);
    EXPECT_TRUE(result.message.startsWith("No data received")) << result.message.toStdString();
    EXPECT_LT(clock.elapsed(), 50000);
    EXPECT_EQ(classes(kit), "OLD");
}

TEST(SyntaxFileMapper, ReloadsByExtension) {
    Folder folder;
    const QString location = folder.write("text.syn", kNew);
    struct Row {
        QString name;
        bool reloads;
    };
    const Row rows[] = {
        {"a.txt", true},  {"b.Txt", true},           {"/x/y/c.TXT", true},      {"noDot", false},
        {"d.bss", false}, {"dir.txt/README", false}, {"archive.txt.gz", false},
    };
    for (const Row& row : rows) {
        ScEditorKit kit(descriptorText(kOld));
        ui::sc::SyntaxFileMapper& mapper = kit.getSyntaxFileMapper();
        EXPECT_TRUE(mapper.resetSyntaxColor(row.name).ok());  // no relation table yet
        mapper.addRelation("TXT", location);
        EXPECT_TRUE(mapper.resetSyntaxColor(QFileInfo(row.name)).ok()) << row.name.toStdString();
        EXPECT_EQ(classes(kit), row.reloads ? "NEW" : "OLD") << row.name.toStdString();
    }
    ScEditorKit kit(descriptorText(kOld));
    kit.getSyntaxFileMapper().addRelation("bss", folder.path("missing.syn"));
    EXPECT_EQ(kit.getSyntaxFileMapper().resetSyntaxColor("game.bss").failure, ScResult::FileNotFound);
    EXPECT_EQ(classes(kit), "OLD");
}

}  // namespace
