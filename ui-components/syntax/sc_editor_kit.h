#pragma once
// Syntax colouring for a QPlainTextEdit: the kit holds the rules a descriptor gives, its view factory
// (a QSyntaxHighlighter) paints each token in its class's colour, underlined or bordered.
#include <QObject>
#include <QPointer>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QUrl>
#include <memory>

#include "properties.h"
#include "style_model.h"
#include "url_reader.h"

class QPlainTextEdit;
class QTextDocument;

namespace ui::sc {

class SyntaxFileMapper;

struct ScResult {
    enum Failure { None, FileNotFound, InvalidDescriptor };
    Failure failure = None;
    QString message;
    bool ok() const { return failure == None; }
};

class ScViewFactory : public QSyntaxHighlighter {
    Q_OBJECT
public:
    ScViewFactory(const StyleModel& model, QObject* parent);

    // The format a token of this style gets; a bordered one carries kBorderProperty.
    static QTextCharFormat format(const TokenStyle& style);
    static constexpr int kBorderProperty = QTextFormat::UserProperty + 1;

protected:
    void highlightBlock(const QString& text) override;

private:
    const StyleModel& model_;
};

class ScEditorKit : public QObject {
    Q_OBJECT
public:
    explicit ScEditorKit(QObject* parent = nullptr);
    // `outcome`, when given, receives what applying the descriptor gave.
    explicit ScEditorKit(const PropertyList& descriptor, ScResult* outcome = nullptr,
                         QObject* parent = nullptr);
    explicit ScEditorKit(const QString& location, ScResult* outcome = nullptr, QObject* parent = nullptr);
    ~ScEditorKit() override;

    // Applies a descriptor; a bad one leaves the rules as they were.
    ScResult setSyntaxColorDescriptor(const PropertyList& descriptor);
    // Reads the descriptor whole before parsing it; any failure to read is FileNotFound with the
    // reader's message, and the rules stay as they were.
    ScResult readSyntaxColorDescriptor(const QUrl& url);
    // A location with "://" is a URL, else a Qt resource (":/name", or "name" under ":/"), else a file.
    ScResult readSyntaxColorDescriptor(const QString& location);

    SyntaxFileMapper& getSyntaxFileMapper();
    ScViewFactory* getViewFactory() const { return factory_; }
    // A plain-text document with tab stops eight blanks apart.
    std::unique_ptr<QTextDocument> createDefaultDocument() const;

    // Gives the edit a default document holding its text, coloured by this kit. One edit at a time.
    void install(QPlainTextEdit* edit);

    const StyleModel& styleModel() const { return *model_; }
    // Time-outs and proxy of URL reads.
    void setUrlReadOptions(const ui::UrlReadOptions& options) { urlOptions_ = options; }

private:
    ScResult applyBytes(const QByteArray& bytes);

    std::unique_ptr<StyleModel> model_;
    std::unique_ptr<SyntaxFileMapper> mapper_;
    ScViewFactory* factory_;
    QObject* borderPainter_ = nullptr;
    ui::UrlReadOptions urlOptions_;
};

}  // namespace ui::sc
