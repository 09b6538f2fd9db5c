#include "sc_editor_kit.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "colouring.h"
#include "syntax_file_mapper.h"

namespace ui::sc {
namespace {

constexpr int kTabWidth = 8;

struct LocationRead {
    QByteArray bytes;
    QString error;  // null when read
};

LocationRead readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, path + QStringLiteral(" (") + file.errorString() + u')'};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, path + QStringLiteral(" (") + file.errorString() + u')'};
    return {bytes, QString()};
}

QString resourcePath(const QString& location) {
    if (location.startsWith(u':')) return location;
    QString name = location;
    while (name.startsWith(u'/')) name.remove(0, 1);
    return QStringLiteral(":/") + name;
}

// Draws a box around every bordered run of the edit's visible lines, over what the edit painted.
class BorderPainter : public QObject {
public:
    BorderPainter(QPlainTextEdit* edit, QObject* parent) : QObject(parent), edit_(edit) {
        edit->viewport()->installEventFilter(this);
    }
    ~BorderPainter() override {
        if (edit_) edit_->viewport()->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || painting_ || !edit_ || watched != edit_->viewport())
            return false;
        painting_ = true;
        QCoreApplication::sendEvent(watched, event);
        painting_ = false;
        paintBorders(static_cast<QPaintEvent*>(event)->rect());
        return true;
    }

private:
    void paintBorders(const QRect& area) {
        QPainter painter(edit_->viewport());
        for (QTextBlock block = edit_->cursorForPosition(QPoint(0, 0)).block(); block.isValid();
             block = block.next()) {
            if (!block.isVisible()) continue;
            QTextLayout* layout = block.layout();
            QTextCursor blockStart(block);
            const QRect first = edit_->cursorRect(blockStart);
            if (first.top() > area.bottom()) break;
            if (layout->lineCount() == 0) continue;
            const QPointF origin(first.left() - layout->lineAt(0).cursorToX(0),
                                 first.top() - layout->lineAt(0).y());
            for (const QTextLayout::FormatRange& range : layout->formats()) {
                if (!range.format.boolProperty(ScViewFactory::kBorderProperty)) continue;
                painter.setPen(range.format.foreground().color());
                for (int i = 0; i < layout->lineCount(); ++i) {
                    const QTextLine line = layout->lineAt(i);
                    const int from = qMax(range.start, line.textStart());
                    const int to = qMin(range.start + range.length, line.textStart() + line.textLength());
                    if (from >= to) continue;
                    const qreal left = line.cursorToX(from), right = line.cursorToX(to);
                    painter.drawRect(QRectF(origin.x() + left, origin.y() + line.y(), right - left - 1,
                                            line.height() - 1));
                }
            }
        }
    }

    QPointer<QPlainTextEdit> edit_;
    bool painting_ = false;
};

}  // namespace

ScViewFactory::ScViewFactory(const StyleModel& model, QObject* parent)
    : QSyntaxHighlighter(parent), model_(model) {}

QTextCharFormat ScViewFactory::format(const TokenStyle& style) {
    QTextCharFormat format;
    if (style.color.isValid()) format.setForeground(style.color);
    if (style.underline) format.setFontUnderline(true);
    if (style.border) format.setProperty(kBorderProperty, true);
    return format;
}

void ScViewFactory::highlightBlock(const QString& text) {
    const ColouredLine coloured = colourLine(model_, text, previousBlockState());
    for (const ColouredRun& run : coloured.runs) {
        setFormat(run.start, run.length, format(model_.classes[run.tokenClass].style));
    }
    setCurrentBlockState(coloured.state);
}

ScEditorKit::ScEditorKit(QObject* parent)
    : QObject(parent), model_(std::make_unique<StyleModel>()), factory_(new ScViewFactory(*model_, this)) {}

ScEditorKit::ScEditorKit(const PropertyList& descriptor, ScResult* outcome, QObject* parent)
    : ScEditorKit(parent) {
    const ScResult result = setSyntaxColorDescriptor(descriptor);
    if (outcome) *outcome = result;
}

ScEditorKit::ScEditorKit(const QString& location, ScResult* outcome, QObject* parent) : ScEditorKit(parent) {
    const ScResult result = readSyntaxColorDescriptor(location);
    if (outcome) *outcome = result;
}

ScEditorKit::~ScEditorKit() = default;

ScResult ScEditorKit::setSyntaxColorDescriptor(const PropertyList& descriptor) {
    if (std::optional<QString> error = parseDescriptor(descriptor, *model_))
        return {ScResult::InvalidDescriptor, *error};
    factory_->rehighlight();
    return {};
}

ScResult ScEditorKit::applyBytes(const QByteArray& bytes) {
    const PropertiesParse parse = parseProperties(bytes);
    if (!parse.error.isNull()) return {ScResult::InvalidDescriptor, parse.error};
    return setSyntaxColorDescriptor(parse.properties);
}

ScResult ScEditorKit::readSyntaxColorDescriptor(const QUrl& url) {
    if (!url.isValid()) return {ScResult::FileNotFound, url.errorString()};
    const ui::UrlReadResult read = ui::readUrl(url.toString(QUrl::FullyEncoded), urlOptions_);
    if (!read.ok()) return {ScResult::FileNotFound, read.error};
    return applyBytes(read.data);
}

ScResult ScEditorKit::readSyntaxColorDescriptor(const QString& location) {
    if (location.contains(QStringLiteral("://"))) return readSyntaxColorDescriptor(QUrl(location));
    const QString resource = resourcePath(location);
    const QFileInfo resourceInfo(resource);
    const LocationRead read =
        resourceInfo.exists() && resourceInfo.isFile() ? readFile(resource) : readFile(location);
    if (!read.error.isNull()) return {ScResult::FileNotFound, read.error};
    return applyBytes(read.bytes);
}

SyntaxFileMapper& ScEditorKit::getSyntaxFileMapper() {
    if (!mapper_) mapper_ = std::make_unique<SyntaxFileMapper>(*this);
    return *mapper_;
}

std::unique_ptr<QTextDocument> ScEditorKit::createDefaultDocument() const {
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(kTabWidth * QFontMetricsF(document->defaultFont()).horizontalAdvance(u' '));
    document->setDefaultTextOption(option);
    return document;
}

void ScEditorKit::install(QPlainTextEdit* edit) {
    delete borderPainter_;
    borderPainter_ = nullptr;
    if (!edit) {
        factory_->setDocument(nullptr);
        return;
    }
    std::unique_ptr<QTextDocument> document = createDefaultDocument();
    document->setPlainText(edit->toPlainText());
    QTextDocument* owned = document.release();
    owned->setParent(edit);
    edit->setDocument(owned);
    edit->setTabStopDistance(kTabWidth * QFontMetricsF(edit->font()).horizontalAdvance(u' '));
    factory_->setDocument(owned);
    factory_->rehighlight();  // at once: setDocument alone colours on the next turn of the event loop
    borderPainter_ = new BorderPainter(edit, this);
}

}  // namespace ui::sc
