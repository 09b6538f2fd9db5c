#pragma once
// A panel that searches one text component and replaces what it finds.
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>
#include <optional>

#include "search_engine.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextDocument;

namespace ui::findreplace {

// What a search works with: the controls' values as taken, and the positions the steps leave.
struct SearchRequest {
    enum Scope { All, SelectedLines };
    QString text;
    SearchOptions options;
    Scope scope = All;
    std::optional<int> searchStart;  // none: from the current selection
    int matchStart = -1;
    int matchEnd = -1;
    int scopeStart = -1;
    int scopeEnd = -1;
};

class FindReplacePanel : public QWidget {
    Q_OBJECT
public:
    // A null component is refused: std::invalid_argument "Can't use a null textComponent !".
    explicit FindReplacePanel(QPlainTextEdit* textComponent, QWidget* parent = nullptr);
    explicit FindReplacePanel(QTextEdit* textComponent, QWidget* parent = nullptr);
    FindReplacePanel(const QString& initialText, QPlainTextEdit* textComponent, QWidget* parent = nullptr);
    FindReplacePanel(const QString& initialText, QTextEdit* textComponent, QWidget* parent = nullptr);

    // One search step with the controls as they are, from the caret or the selection (forward from its
    // end, backward from its start); true on a hit, which is then selected.
    bool find();
    // Replaces the selection (or the empty match the last step found) with the "Replace with :" text.
    void replace();
    bool replaceFind();
    // Replaces every match in the scope, forward and without wrapping; returns the count.
    int replaceAll();
    // Replace mode enables the "Replace with :" field and Replace All, and Replace and Replace/Find while
    // a hit is selected; find mode disables all four.
    void setReplaceMode(bool replaceMode);
    bool isReplaceMode() const { return replaceMode_; }
    void updateTextComponent(QPlainTextEdit* textComponent);
    void updateTextComponent(QTextEdit* textComponent);
    void dispose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build(const QString& initialText);
    bool hasTextComponent() const { return plain_ || rich_; }
    QTextDocument* document() const;
    QTextCursor cursor() const;
    void setCursor(const QTextCursor& cursor);

    SearchRequest requestFromControls() const;
    void takeControls(SearchRequest& request) const;
    bool searchStep();
    void searchAsTyped();
    void setReplaceEnabled(bool enabled);

    QPointer<QPlainTextEdit> plain_;
    QPointer<QTextEdit> rich_;
    std::optional<SearchRequest> request_;
    bool replaceMode_ = false;

    QComboBox* findField_ = nullptr;
    QComboBox* replaceField_ = nullptr;
    QRadioButton* forward_ = nullptr;
    QRadioButton* backward_ = nullptr;
    QRadioButton* all_ = nullptr;
    QRadioButton* selectedLines_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* regularExpressions_ = nullptr;
    QCheckBox* wrap_ = nullptr;
    QCheckBox* incremental_ = nullptr;
    QPushButton* findButton_ = nullptr;
    QPushButton* replaceButton_ = nullptr;
    QPushButton* replaceFindButton_ = nullptr;
    QPushButton* replaceAllButton_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace ui::findreplace
