#pragma once
// The tests' prompter: answers every box from a script, in order, and records every question.
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "prompter.h"

namespace ui::testing {

struct Question {
    enum Kind { Text, YesNo, YesNoCancel, Information, Error, OpenFile, SaveFile };
    Kind kind;
    QString title;
    QString text;    // the label, question or message
    QString detail;  // the initial text of a text box, the folder of a chooser
};

class ScriptedPrompter : public Prompter {
public:
    // Installs itself as the process's prompter; the destructor restores the standard one and fails the
    // running test for answers the script still holds.
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    // Script the next reply. A text box or chooser takes a text (nullopt = cancelled or closed); a question
    // takes an Answer (nullopt = the box closed, which gives the caller's answer for a closed box).
    void reply(std::optional<QString> text);
    void reply(std::optional<Answer> answer);
    void reply(const char* text) { reply(std::optional<QString>(QString::fromUtf8(text))); }
    void reply(Answer answer) { reply(std::optional<Answer>(answer)); }

    // Called for each question as it is asked, before it is answered (the box is "open" meanwhile).
    void onQuestion(std::function<void(const Question&)> observer) { observer_ = std::move(observer); }

    const std::vector<Question>& questions() const { return questions_; }
    // The texts of the questions asked so far, in order.
    QStringList texts() const;
    void clear() { questions_.clear(); }
    size_t pendingReplies() const { return replies_.size(); }

    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial = {}) override;
    Answer askYesNo(QWidget* parent, const QString& title, const QString& question, Answer onClose) override;
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& question,
                          Answer onClose) override;
    // Recorded as a YesNoCancel question whose detail is the buttons' texts, joined by " / ".
    Answer choose(QWidget* parent, const QString& title, const QString& question,
                  const QStringList& buttons) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    void showError(QWidget* parent, const QString& title, const QString& text) override;
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter = {}) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter = {}) override;

private:
    using Reply = std::variant<std::optional<QString>, std::optional<Answer>>;
    void record(Question question);
    std::optional<QString> textReply(const Question& question);
    Answer answerReply(const Question& question, Answer onClose);

    std::deque<Reply> replies_;
    std::vector<Question> questions_;
    std::function<void(const Question&)> observer_;
};

}  // namespace ui::testing
