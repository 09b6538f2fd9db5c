// Printing: the paging, and the selected tab printed through a PDF printer.
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>

#include "document_renderer.h"
#include "editor_fixture.h"

namespace editor {
namespace {

using testing::CapturedOutput;
using testing::EditorTest;
using testing::fileContent;
using testing::makeFile;

// Answers the dialogs: a confirmed print goes to `output` as PDF; a confirmed page setup turns the page.
class PdfDialogs : public PrintDialogs {
public:
    PdfDialogs() { setPrintDialogs(this); }
    ~PdfDialogs() override { setPrintDialogs(nullptr); }
    bool print(QPrinter& printer, QWidget*) override {
        ++prints;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return confirm;
    }
    bool pageSetup(QPrinter& printer, QWidget*) override {
        printer.setPageOrientation(QPageLayout::Landscape);
        return confirm;
    }
    QString output;
    bool confirm = true;
    int prints = 0;
};

// The page count from the page tree, and the leaves counted one by one; Qt writes these dictionaries
// uncompressed.
struct PdfPages {
    int count = -1;
    int leaves = 0;
    bool landscape = false;
};

PdfPages pdfPages(const QByteArray& pdf) {
    PdfPages pages;
    const QString text = QString::fromLatin1(pdf);
    const QRegularExpressionMatch tree =
        QRegularExpression(R"(/Type\s*/Pages\b[^>]*/Count\s+(\d+))").match(text);
    if (tree.hasMatch()) pages.count = tree.captured(1).toInt();
    pages.leaves = int(text.count(QRegularExpression(R"(/Type\s*/Page(?![s\w]))")));
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+))").match(text);
    pages.landscape = box.hasMatch() && box.captured(1).toDouble() > box.captured(2).toDouble();
    return pages;
}

std::vector<LineBox> linesOf(int count, double height, double from = 0) {
    std::vector<LineBox> lines;
    for (int i = 0; i < count; ++i) lines.push_back({from + i * height, height});
    return lines;
}

struct PagingRow {
    const char* name;
    std::vector<LineBox> lines;
    double width;
    QSizeF printable;
    bool fit;
    double scale;
    std::vector<PageSpan> pages;
};

TEST(Paging, CutsBetweenLinesScalesWideTextAndCutsOnlyLinesTallerThanAPage) {
    const PagingRow rows[] = {
        {"one short page, no second", linesOf(3, 10), 50, {200, 100}, true, 1, {{0, 100}}},
        {"empty text", {}, 0, {200, 100}, true, 1, {{0, 100}}},
        {"a line crossing the bottom starts the next page",
         linesOf(4, 30),
         50,
         {200, 100},
         true,
         1,
         {{0, 90}, {90, 190}}},
        {"lines that end on the bottom", linesOf(4, 25), 50, {200, 100}, true, 1, {{0, 100}}},
        {"wide text scaled to fit", linesOf(6, 30), 400, {200, 100}, true, 0.5, {{0, 200}}},
        {"wide text clipped", linesOf(6, 30), 400, {200, 100}, false, 1, {{0, 90}, {90, 190}}},
        {"narrow text is not enlarged", linesOf(2, 30), 100, {200, 100}, true, 1, {{0, 100}}},
        {"a line taller than a page",
         {{0, 250}, {250, 10}},
         50,
         {200, 100},
         true,
         1,
         {{0, 100}, {100, 200}, {200, 300}}},
        {"no printable height", linesOf(2, 10), 50, {200, 0}, true, 1, {}},
    };
    for (const PagingRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Paging paging = paginate(row.lines, row.width, row.printable, row.fit);
        EXPECT_DOUBLE_EQ(paging.scale, row.scale);
        EXPECT_EQ(paging.pages, row.pages);
    }
}

class PrintTest : public EditorTest {
protected:
    QString output(const QString& name) const { return project(name); }
    PdfDialogs dialogs;
};

TEST_F(PrintTest, ASourceOfTwoAndAHalfPagesPrintsThreePagesAndACancelPrintsNothing) {
    Editor& editor = start();
    editor.setUpEditor("Long.bss");
    QPrinter printer(QPrinter::HighResolution);
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const int lines = int(2.5 * pageHeight / QFontMetricsF(editor.ep[1]->font(), &printer).lineSpacing());
    QStringList source;
    for (int i = 0; i < lines; ++i) source << QString("PRINT %1").arg(i);
    editor.fillEditor(source.join('\n'));
    tabs().setCurrentIndex(1);

    CapturedOutput captured;
    dialogs.output = output("long.pdf");
    dialogs.confirm = false;
    editor.print();
    EXPECT_FALSE(QFile::exists(dialogs.output));

    dialogs.confirm = true;
    editor.print();
    const PdfPages pages = pdfPages(fileContent(dialogs.output));
    EXPECT_EQ(pages.count, 3);
    EXPECT_EQ(pages.leaves, 3);
    EXPECT_FALSE(pages.landscape);
    EXPECT_EQ(dialogs.prints, 2);
    EXPECT_EQ(captured.lines(), QStringList());

    // With no tab there is nothing to print and no dialog.
    ASSERT_TRUE(editor.reset(false));
    editor.print();
    EXPECT_EQ(dialogs.prints, 2);
}

TEST_F(PrintTest, APrinterThatCannotWriteReportsOnStandardOutputAndTheEditorGoesOn) {
    Editor& editor = start();
    makeFile(project("regular"), "not a folder");
    dialogs.output = project("regular/out.pdf");
    CapturedOutput captured;
    editor.print();
    EXPECT_EQ(captured.lines(), QStringList({"Error Printing Document"}));
    EXPECT_TRUE(reporter.reports.isEmpty());
    EXPECT_TRUE(prompter.texts().isEmpty());

    dialogs.output = output("after.pdf");
    editor.print();
    EXPECT_EQ(pdfPages(fileContent(dialogs.output)).count, 1);
}

TEST_F(PrintTest, ThePageFormatFollowsAnAcceptedPageDialogOnly) {
    Editor& editor = start();
    DocumentRenderer renderer;
    dialogs.confirm = false;
    renderer.pageDialog();
    EXPECT_EQ(renderer.pageFormat().orientation(), QPageLayout::Portrait);
    dialogs.confirm = true;
    renderer.pageDialog();
    EXPECT_EQ(renderer.pageFormat().orientation(), QPageLayout::Landscape);

    dialogs.output = output("turned.pdf");
    renderer.print(editor.ep[0]);
    EXPECT_EQ(renderer.getDocument(), editor.ep[0]->document());
    const PdfPages pages = pdfPages(fileContent(dialogs.output));
    EXPECT_EQ(pages.count, 1);
    EXPECT_TRUE(pages.landscape);
}

}  // namespace
}  // namespace editor
