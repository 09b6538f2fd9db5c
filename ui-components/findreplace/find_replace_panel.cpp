#include "find_replace_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <stdexcept>

namespace ui::findreplace {
namespace {

template <typename Component>
Component* required(Component* component) {
    if (component == nullptr) throw std::invalid_argument("Can't use a null textComponent !");
    return component;
}

// Keeps a non-empty text at the top of a field's list, once.
void remember(QComboBox* field, const QString& text) {
    if (text.isEmpty() || field->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) return;
    const QSignalBlocker quiet(field);
    field->insertItem(0, text);
    field->setCurrentIndex(0);
}

}  // namespace

FindReplacePanel::FindReplacePanel(QPlainTextEdit* textComponent, QWidget* parent)
    : FindReplacePanel(QString(), textComponent, parent) {}

FindReplacePanel::FindReplacePanel(QTextEdit* textComponent, QWidget* parent)
    : FindReplacePanel(QString(), textComponent, parent) {}

FindReplacePanel::FindReplacePanel(const QString& initialText, QPlainTextEdit* textComponent, QWidget* parent)
    : QWidget(parent), plain_(required(textComponent)) {
    build(initialText);
}

FindReplacePanel::FindReplacePanel(const QString& initialText, QTextEdit* textComponent, QWidget* parent)
    : QWidget(parent), rich_(required(textComponent)) {
    build(initialText);
}

void FindReplacePanel::build(const QString& initialText) {
    auto editableField = [this] {
        auto* field = new QComboBox(this);
        field->setEditable(true);
        field->setInsertPolicy(QComboBox::NoInsert);
        field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        return field;
    };
    findField_ = editableField();
    findField_->setObjectName(QStringLiteral("find"));
    findField_->setEditText(initialText);
    replaceField_ = editableField();
    replaceField_->setObjectName(QStringLiteral("replace"));
    auto* findLabel = new QLabel(QStringLiteral("Find :"), this);
    findLabel->setBuddy(findField_);
    auto* replaceLabel = new QLabel(QStringLiteral("Replace with :"), this);
    replaceLabel->setBuddy(replaceField_);

    auto radioGroup = [this](const QString& title, QRadioButton*& first, const QString& firstText,
                             QRadioButton*& second, const QString& secondText) {
        auto* group = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(group);
        first = new QRadioButton(firstText, group);
        second = new QRadioButton(secondText, group);
        first->setChecked(true);
        layout->addWidget(first);
        layout->addWidget(second);
        return group;
    };
    QGroupBox* direction = radioGroup(QStringLiteral("Direction"), forward_, QStringLiteral("Forward"),
                                      backward_, QStringLiteral("Backward"));
    QGroupBox* scope = radioGroup(QStringLiteral("Scope"), all_, QStringLiteral("All"), selectedLines_,
                                  QStringLiteral("Selected lines"));

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionsLayout = new QGridLayout(options);
    int place = 0;
    for (auto [box, text] :
         {std::pair{&caseSensitive_, "Case sensitive"}, std::pair{&wholeWord_, "Whole word"},
          std::pair{&regularExpressions_, "Regular expressions"}, std::pair{&wrap_, "Wrap search"},
          std::pair{&incremental_, "Incremental"}}) {
        *box = new QCheckBox(QString::fromLatin1(text), options);
        optionsLayout->addWidget(*box, place / 2, place % 2);
        ++place;
    }

    findButton_ = new QPushButton(QStringLiteral("Find"), this);
    replaceButton_ = new QPushButton(QStringLiteral("Replace"), this);
    replaceFindButton_ = new QPushButton(QStringLiteral("Replace/Find"), this);
    replaceAllButton_ = new QPushButton(QStringLiteral("Replace All"), this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(findField_, 0, 1);
    layout->addWidget(replaceLabel, 1, 0);
    layout->addWidget(replaceField_, 1, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(direction);
    groups->addWidget(scope);
    layout->addLayout(groups, 2, 0, 1, 2);
    layout->addWidget(options, 3, 0, 1, 2);
    auto* buttons = new QGridLayout;
    buttons->addWidget(findButton_, 0, 0);
    buttons->addWidget(replaceFindButton_, 0, 1);
    buttons->addWidget(replaceButton_, 1, 0);
    buttons->addWidget(replaceAllButton_, 1, 1);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->addWidget(status_, 5, 0, 1, 2);

    connect(findButton_, &QPushButton::clicked, this, [this] { find(); });
    connect(replaceButton_, &QPushButton::clicked, this, [this] { replace(); });
    connect(replaceFindButton_, &QPushButton::clicked, this, [this] { replaceFind(); });
    connect(replaceAllButton_, &QPushButton::clicked, this, [this] { replaceAll(); });
    connect(findField_, &QComboBox::editTextChanged, this, [this] { searchAsTyped(); });

    replaceField_->setEnabled(false);
    replaceAllButton_->setEnabled(false);
    setReplaceEnabled(false);
}

QTextDocument* FindReplacePanel::document() const {
    return plain_ ? plain_->document() : rich_ ? rich_->document() : nullptr;
}

QTextCursor FindReplacePanel::cursor() const {
    return plain_ ? plain_->textCursor() : rich_ ? rich_->textCursor() : QTextCursor();
}

void FindReplacePanel::setCursor(const QTextCursor& cursor) {
    if (plain_) plain_->setTextCursor(cursor);
    if (rich_) rich_->setTextCursor(cursor);
}

void FindReplacePanel::setReplaceEnabled(bool enabled) {
    // In find mode nothing may be replaced: the replacement field cannot be typed into.
    replaceButton_->setEnabled(enabled && replaceMode_);
    replaceFindButton_->setEnabled(enabled && replaceMode_);
}

void FindReplacePanel::takeControls(SearchRequest& request) const {
    request.text = findField_->currentText();
    request.options.caseSensitive = caseSensitive_->isChecked();
    request.options.wholeWord = wholeWord_->isChecked();
    request.options.regularExpressions = regularExpressions_->isChecked();
    request.options.backward = backward_->isChecked();
    request.options.wrap = wrap_->isChecked();
    const SearchRequest::Scope scope =
        selectedLines_->isChecked() ? SearchRequest::SelectedLines : SearchRequest::All;
    if (scope != request.scope) {
        request.scopeStart = request.scopeEnd = -1;
        request.searchStart.reset();
    }
    request.scope = scope;
}

SearchRequest FindReplacePanel::requestFromControls() const {
    SearchRequest request;
    takeControls(request);
    return request;
}

bool FindReplacePanel::searchStep() {
    if (!hasTextComponent()) return false;
    if (!request_) request_ = requestFromControls();
    SearchRequest& request = *request_;
    QTextDocument* text = document();
    const QString content = text->toPlainText();
    const QTextCursor current = cursor();
    const bool backward = request.options.backward;

    int scopeStart = 0;
    int scopeEnd = static_cast<int>(content.size());
    int from = backward ? current.selectionStart() : current.selectionEnd();
    if (request.scope == SearchRequest::SelectedLines) {
        if (request.scopeStart < 0) {
            const QTextBlock first = text->findBlock(current.selectionStart());
            QTextBlock last = text->findBlock(current.selectionEnd());
            // A selection that ends where a line starts does not take that line in.
            if (current.hasSelection() && last.position() == current.selectionEnd() && last != first)
                last = last.previous();
            request.scopeStart = first.position();
            request.scopeEnd = last.position() + last.length() - 1;
            if (!request.searchStart) from = backward ? request.scopeEnd : request.scopeStart;
        }
        scopeStart = request.scopeStart;
        scopeEnd = request.scopeEnd;
    }
    if (request.searchStart) from = *request.searchStart;

    const TextRange match = findMatch(content, request.text, request.options, from, scopeStart, scopeEnd);
    if (!match.isValid()) {
        request.matchStart = request.matchEnd = -1;
        setReplaceEnabled(false);
        return false;
    }
    request.matchStart = match.start;
    request.matchEnd = match.end;
    // After an empty match the next search starts one character on, so it cannot find it again.
    const bool empty = match.start == match.end;
    request.searchStart = backward ? match.start - (empty ? 1 : 0) : match.end + (empty ? 1 : 0);

    QTextCursor selection(text);
    selection.setPosition(backward ? match.end : match.start);
    selection.setPosition(backward ? match.start : match.end, QTextCursor::KeepAnchor);
    setCursor(selection);
    setReplaceEnabled(true);
    status_->clear();
    return true;
}

bool FindReplacePanel::find() {
    if (!hasTextComponent()) return false;
    if (!request_) request_ = requestFromControls();
    takeControls(*request_);
    // Each search starts from the caret or the selection, in the direction now chosen, whatever the last
    // step left; only an empty hit the caret still sits on is stepped over, or it would be found again.
    const QTextCursor current = cursor();
    request_->searchStart.reset();
    if (request_->matchStart >= 0 && request_->matchStart == request_->matchEnd && !current.hasSelection() &&
        current.position() == request_->matchStart)
        request_->searchStart = request_->matchStart + (request_->options.backward ? -1 : 1);
    remember(findField_, request_->text);
    const bool hit = searchStep();
    if (!hit) status_->setText(QStringLiteral("String Not Found"));
    return hit;
}

void FindReplacePanel::searchAsTyped() {
    if (!incremental_->isChecked() || !hasTextComponent()) return;
    if (!request_) request_ = requestFromControls();
    takeControls(*request_);
    if (request_->text.isEmpty()) {
        status_->clear();
        return;
    }
    // From the start of the selection, so the hit grows with the text typed.
    const QTextCursor current = cursor();
    request_->searchStart = request_->options.backward ? current.selectionEnd() : current.selectionStart();
    if (!searchStep()) status_->setText(QStringLiteral("String Not Found"));
}

void FindReplacePanel::replace() {
    if (!hasTextComponent()) return;
    QTextCursor current = cursor();
    const bool atEmptyMatch = request_ && request_->matchStart >= 0 &&
                              request_->matchStart == request_->matchEnd && !current.hasSelection() &&
                              current.position() == request_->matchStart;
    if (current.selectionStart() >= current.selectionEnd() && !atEmptyMatch) {
        setReplaceEnabled(false);
        return;
    }
    if (!request_) request_ = requestFromControls();
    SearchRequest& request = *request_;
    const QString replacement = replaceField_->currentText();
    const int oldStart = current.selectionStart();
    const int oldEnd = current.selectionEnd();
    current.insertText(replacement);
    setCursor(current);
    remember(replaceField_, replacement);

    // Positions behind the replaced text move with it; those before it stay.
    const int difference = static_cast<int>(replacement.size()) - (oldEnd - oldStart);
    request.matchStart = request.matchEnd = -1;
    if (request.searchStart && *request.searchStart >= oldEnd) *request.searchStart += difference;
    if (request.scopeEnd >= oldEnd) request.scopeEnd += difference;
    if (request.scope == SearchRequest::SelectedLines && request.scopeStart >= 0) {
        QTextCursor scope(document());
        scope.setPosition(request.scopeStart);
        scope.setPosition(request.scopeEnd, QTextCursor::KeepAnchor);
        setCursor(scope);
    }
    setReplaceEnabled(false);
}

bool FindReplacePanel::replaceFind() {
    replace();
    if (!hasTextComponent()) return false;
    if (!request_) request_ = requestFromControls();
    takeControls(*request_);
    if (!searchStep()) return false;
    replaceFindButton_->setEnabled(replaceMode_);
    return true;
}

int FindReplacePanel::replaceAll() {
    if (!hasTextComponent()) return 0;
    request_ = requestFromControls();
    request_->options.backward = false;
    request_->options.wrap = false;
    if (request_->scope == SearchRequest::All) request_->searchStart = 0;
    if (!searchStep()) {
        status_->setText(QStringLiteral("String Not found"));
        return 0;
    }
    int count = 0;
    QTextCursor undoStep(document());
    undoStep.beginEditBlock();
    do {
        ++count;
        replace();
    } while (searchStep());
    undoStep.endEditBlock();
    remember(replaceField_, replaceField_->currentText());
    status_->setText(QString::number(count) + QStringLiteral(" Match replaced"));
    if (selectedLines_->isChecked()) all_->setChecked(true);
    return count;
}

void FindReplacePanel::setReplaceMode(bool replaceMode) {
    replaceMode_ = replaceMode;
    replaceField_->setEnabled(replaceMode);
    replaceAllButton_->setEnabled(replaceMode);
    // A hit found before the switch can be replaced at once.
    setReplaceEnabled(hasTextComponent() && cursor().hasSelection());
}

void FindReplacePanel::updateTextComponent(QPlainTextEdit* textComponent) {
    plain_ = required(textComponent);
    rich_ = nullptr;
    request_.reset();
}

void FindReplacePanel::updateTextComponent(QTextEdit* textComponent) {
    rich_ = required(textComponent);
    plain_ = nullptr;
    request_.reset();
}

void FindReplacePanel::dispose() {
    plain_ = nullptr;
    rich_ = nullptr;
}

void FindReplacePanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    request_ = requestFromControls();
    if (findField_->currentText().isEmpty()) {
        findField_->setFocus();
    } else {
        findButton_->setFocus();
    }
}

}  // namespace ui::findreplace
