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
using testing::readFile;
using testing::writeFile;

// A confirmed print goes to `output` as PDF; a confirmed page setup turns the page.
class PdfDialogs : public PrintDialogs {
public:
    bool print(QPrinter& printer, QWidget*) override {
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

private:
    Services services_{{.printDialogs = this}};
};

// "<pages in the page tree>/<page objects>", and "L" when the first page is wider than high. Qt writes
// these dictionaries uncompressed.
QString pdfPages(const QString& path) {
    const QString pdf = QString::fromLatin1(readFile(path));
    const auto tree = QRegularExpression(R"(/Type\s*/Pages\b[^>]*/Count\s+(\d+))").match(pdf);
    const auto box = QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+))").match(pdf);
    return tree.captured(1) + "/" +
           QString::number(pdf.count(QRegularExpression(R"(/Type\s*/Page(?![s\w]))"))) +
           (box.captured(1).toDouble() > box.captured(2).toDouble() ? "L" : "");
}

std::vector<LineBox> lines(int count, double height) {
    std::vector<LineBox> boxes;
    for (int i = 0; i < count; ++i) boxes.push_back({i * height, height});
    return boxes;
}

TEST(Paging, CutsBetweenLinesScalesWideTextAndCutsOnlyLinesTallerThanAPage) {
    const struct {
        const char* name;
        std::vector<LineBox> lines;
        double width;
        double height;  // printable, 200 wide
        bool fit;
        double scale;
        std::vector<PageSpan> pages;
    } rows[] = {
        {"one short page, no second", lines(3, 10), 50, 100, true, 1, {{0, 100}}},
        {"empty text", {}, 0, 100, true, 1, {{0, 100}}},
        {"a line crossing the bottom starts the next page",
         lines(4, 30),
         50,
         100,
         true,
         1,
         {{0, 90}, {90, 190}}},
        {"lines ending on the bottom", lines(4, 25), 50, 100, true, 1, {{0, 100}}},
        {"wide text scaled to fit", lines(6, 30), 400, 100, true, 0.5, {{0, 200}}},
        {"wide text clipped", lines(6, 30), 400, 100, false, 1, {{0, 90}, {90, 190}}},
        {"a line taller than a page", {{0, 250}}, 50, 100, true, 1, {{0, 100}, {100, 200}, {200, 300}}},
        {"no printable height", lines(2, 10), 50, 0, true, 1, {}},
    };
    for (const auto& row : rows) {
        const Paging paging = paginate(row.lines, row.width, {200, row.height}, row.fit);
        EXPECT_DOUBLE_EQ(paging.scale, row.scale) << row.name;
        EXPECT_EQ(paging.pages, row.pages) << row.name;
    }
}

TEST_F(EditorTest, TheSelectedTabPrintsPageByPageAndAFailureGoesToStandardOutput) {
    PdfDialogs dialogs;
    Editor& editor = start();
    editor.setUpEditor("Long.bss");
    QPrinter printer(QPrinter::HighResolution);
    const double page = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    QStringList source;
    while (source.size() <
           2.5 * page / QFontMetricsF(testing::tabPane(editor, 1)->font(), &printer).lineSpacing())
        source << QString("PRINT %1").arg(source.size());
    editor.fillEditor(source.join('\n'));
    tabs().setCurrentIndex(1);
    writeFile(project("regular"), "not a folder");

    CapturedOutput output;
    dialogs.output = project("cancelled.pdf");
    dialogs.confirm = false;
    editor.print();
    dialogs.confirm = true;
    dialogs.output = project("long.pdf");
    editor.print();
    dialogs.output = project("regular/out.pdf");
    editor.print();
    EXPECT_EQ(output.lines(), QStringList({"Error Printing Document"}));
    EXPECT_FALSE(QFile::exists(project("cancelled.pdf")));
    EXPECT_EQ(pdfPages(project("long.pdf")), "3/3");
    EXPECT_TRUE(reporter.reports.isEmpty());

    // The page format follows an accepted page dialog only, and the job prints with it.
    DocumentRenderer renderer;
    dialogs.confirm = false;
    renderer.pageDialog();
    EXPECT_EQ(renderer.pageFormat().orientation(), QPageLayout::Portrait);
    dialogs.confirm = true;
    renderer.pageDialog();
    dialogs.output = project("turned.pdf");
    renderer.print(testing::tabPane(editor, 0));
    EXPECT_EQ(pdfPages(project("turned.pdf")), "1/1L");

    ASSERT_TRUE(editor.reset(false));
    dialogs.output = project("none.pdf");
    editor.print();
    EXPECT_FALSE(QFile::exists(project("none.pdf")));
}

}  // namespace
}  // namespace editor
