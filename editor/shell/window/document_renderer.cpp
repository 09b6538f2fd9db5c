#include "document_renderer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cstdio>

#include "main_window.h"
#include "res.h"
#include "services.h"

namespace editor {
namespace {

class QtPrintDialogs : public PrintDialogs {
public:
    bool print(QPrinter& printer, QWidget* parent) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    bool pageSetup(QPrinter& printer, QWidget* parent) override {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

// One block of the text laid out for the printer: its lines never wrap.
struct PrintedBlock {
    std::unique_ptr<QTextLayout> layout;
    double top;
    double height;
};

}  // namespace

PrintDialogs& printDialogs() {
    static QtPrintDialogs qtDialogs;
    const Services* services = Services::current();
    return services && services->parts().printDialogs ? *services->parts().printDialogs : qtDialogs;
}

Paging paginate(const std::vector<LineBox>& lines, double textWidth, QSizeF printable, bool scaleWidthToFit) {
    Paging paging;
    if (printable.width() <= 0 || printable.height() <= 0) return paging;
    if (scaleWidthToFit && textWidth > printable.width()) paging.scale = printable.width() / textWidth;
    const double pageHeight = printable.height() / paging.scale;
    double top = 0;
    std::size_t next = 0;  // the first line not yet shown whole
    do {
        double bottom = top + pageHeight;
        while (next < lines.size() && lines[next].top + lines[next].height <= bottom) ++next;
        // A line that starts on this page but does not fit goes to the next one; one that began above
        // this page is taller than a page and is cut.
        if (next < lines.size() && lines[next].top > top) bottom = std::min(bottom, lines[next].top);
        paging.pages.push_back({top, bottom});
        top = bottom;
    } while (next < lines.size());
    return paging;
}

DocumentRenderer::DocumentRenderer() : pJob(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    pFormat = pJob->pageLayout();
}

DocumentRenderer::~DocumentRenderer() = default;

void DocumentRenderer::setDocument(QTextDocument* document) {
    document_ = document;
    if (document) font_ = document->defaultFont();
}

void DocumentRenderer::setDocument(QPlainTextEdit* pane) {
    document_ = pane ? pane->document() : nullptr;
    if (pane) font_ = pane->font();
}

void DocumentRenderer::print(QTextDocument* document, QWidget* parent) {
    setDocument(document);
    printDialog(parent);
}

void DocumentRenderer::print(QPlainTextEdit* pane, QWidget* parent) {
    setDocument(pane);
    printDialog(parent);
}

void DocumentRenderer::printDialog(QWidget* parent) {
    pJob->setPageLayout(pFormat);
    if (!printDialogs().print(*pJob, parent)) return;
    if (!printPages(*pJob)) {
        std::printf("%s\n", qPrintable(res("Error_Printing")));
        std::fflush(stdout);
    }
}

void DocumentRenderer::pageDialog(QWidget* parent) {
    pJob->setPageLayout(pFormat);
    if (printDialogs().pageSetup(*pJob, parent)) pFormat = pJob->pageLayout();
}

bool DocumentRenderer::printPages(QPrinter& printer) const {
    if (!document_) return false;
    // A file that cannot be written fails here, before the painter would warn about it.
    if (!printer.outputFileName().isEmpty()) {
        QFile probe(printer.outputFileName());
        if (!probe.open(QIODevice::WriteOnly)) return false;
    }

    // The tab stops keep their width in blanks at the printer's resolution.
    const double blankOnScreen = QFontMetricsF(font_).horizontalAdvance(u' ');
    const double blankPrinted = QFontMetricsF(font_, &printer).horizontalAdvance(u' ');
    QTextOption option = document_->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    if (blankOnScreen > 0) option.setTabStopDistance(option.tabStopDistance() * blankPrinted / blankOnScreen);

    const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
    std::vector<PrintedBlock> blocks;
    std::vector<LineBox> lines;
    double textWidth = 0;
    double y = 0;
    for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
        auto layout = std::make_unique<QTextLayout>(block.text(), font_, &printer);
        layout->setTextOption(option);
        layout->setFormats(block.layout()->formats());  // the colours the tab shows
        layout->beginLayout();
        double height = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(printable.width());
            line.setPosition(QPointF(0, height));
            lines.push_back({y + height, line.height()});
            textWidth = std::max(textWidth, line.naturalTextWidth());
            height += line.height();
        }
        layout->endLayout();
        blocks.push_back({std::move(layout), y, height});
        y += height;
    }

    const Paging paging = paginate(lines, textWidth, printable.size(), scaleWidthToFit);
    if (paging.pages.empty()) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < paging.pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) return false;
        const PageSpan& page = paging.pages[i];
        painter.save();
        painter.scale(paging.scale, paging.scale);
        painter.setClipRect(QRectF(0, 0, printable.width() / paging.scale, page.bottom - page.top));
        painter.translate(0, -page.top);
        for (const PrintedBlock& block : blocks) {
            if (block.top + block.height > page.top && block.top < page.bottom)
                block.layout->draw(&painter, QPointF(0, block.top));
        }
        painter.restore();
    }
    return painter.end();
}

void Editor::print() {
    const int slot = selectedSlot();
    if (slot < 0) return;
    DocumentRenderer renderer;
    renderer.print(tabs_[slot].ep.get(), this);
}

}  // namespace editor
