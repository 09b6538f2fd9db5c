#pragma once
// Printing a source: the renderer lays the text out line by line at the printer's resolution, with the
// tab's colours, cuts pages between lines and draws them on a QPrinter. The print and page dialogs are
// a seam, so that tests answer them without a screen.
#include <QFont>
#include <QPageLayout>
#include <QPointer>
#include <QSizeF>
#include <memory>
#include <vector>

class QPlainTextEdit;
class QPrinter;
class QTextDocument;
class QWidget;

namespace editor {

// The print dialog and the page dialog, each run on the printer that will print.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // True when the user confirmed printing; the printer then holds the choices made.
    virtual bool print(QPrinter& printer, QWidget* parent) = 0;
    // True when the user accepted the page settings now in the printer.
    virtual bool pageSetup(QPrinter& printer, QWidget* parent) = 0;
};

// Qt's, unless the Services in force gives others (services.h).
PrintDialogs& printDialogs();

// One line of the laid-out text, in device units from the top of the text.
struct LineBox {
    double top;
    double height;
};

// The part of the text one page shows: the lines between top and bottom (device units, before scaling).
struct PageSpan {
    double top;
    double bottom;
    bool operator==(const PageSpan&) const = default;
};

struct Paging {
    double scale = 1;  // applied to the text in both directions
    std::vector<PageSpan> pages;
};

// Cuts the lines (top to bottom, as laid out) into pages of the printable size. A text wider than the
// printable width is scaled down to fit with `scaleWidthToFit`, and clipped at the page's edge without.
// A page ends above the first line that would cross its bottom, which starts the next page; only a line
// taller than a whole page is cut. No line (an empty text) still gives one page; no printable height
// gives none.
Paging paginate(const std::vector<LineBox>& lines, double textWidth, QSizeF printable, bool scaleWidthToFit);

class DocumentRenderer {
public:
    DocumentRenderer();
    ~DocumentRenderer();

    void setScaleWidthToFit(bool scale) { scaleWidthToFit = scale; }
    bool getScaleWidthToFit() const { return scaleWidthToFit; }
    // The document printed from now on; the pane's own document, with the pane's font and colours.
    void setDocument(QTextDocument* document);
    void setDocument(QPlainTextEdit* pane);
    QTextDocument* getDocument() const { return document_; }

    // setDocument, then printDialog.
    void print(QTextDocument* document, QWidget* parent = nullptr);
    void print(QPlainTextEdit* pane, QWidget* parent = nullptr);
    // When the print dialog is confirmed, prints the document on the printer with the page format; a
    // failure prints "Error Printing Document" on standard output. A cancelled dialog prints nothing.
    void printDialog(QWidget* parent = nullptr);
    // The page format becomes what the page dialog, started with it, gives; a cancelled one keeps it.
    void pageDialog(QWidget* parent = nullptr);
    QPageLayout pageFormat() const { return pFormat; }

    // Draws every page on `printer`; false when the printer could not be opened or a page not started.
    bool printPages(QPrinter& printer) const;

private:
    QPointer<QTextDocument> document_;
    QFont font_;
    QPageLayout pFormat;
    std::unique_ptr<QPrinter> pJob;
    bool scaleWidthToFit = true;
};

}  // namespace editor
