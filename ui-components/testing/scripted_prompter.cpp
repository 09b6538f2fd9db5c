#include "scripted_prompter.h"

#include <gtest/gtest.h>

namespace ui::testing {

ScriptedPrompter::ScriptedPrompter() {
    setPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter() {
    setPrompter(nullptr);
    EXPECT_TRUE(replies_.empty()) << replies_.size() << " scripted replies were never asked for";
}

void ScriptedPrompter::reply(std::optional<QString> text) {
    replies_.emplace_back(std::move(text));
}

void ScriptedPrompter::reply(std::optional<Answer> answer) {
    replies_.emplace_back(answer);
}

QStringList ScriptedPrompter::texts() const {
    QStringList texts;
    for (const Question& question : questions_) texts.append(question.text);
    return texts;
}

void ScriptedPrompter::record(Question question) {
    questions_.push_back(question);
    if (observer_) observer_(questions_.back());
}

std::optional<QString> ScriptedPrompter::textReply(const Question& question) {
    if (replies_.empty()) {
        ADD_FAILURE() << "Unscripted box: \"" << question.text.toStdString() << "\"";
        return std::nullopt;
    }
    Reply reply = replies_.front();
    replies_.pop_front();
    if (auto* text = std::get_if<std::optional<QString>>(&reply)) return *text;
    ADD_FAILURE() << "Scripted a yes/no answer for the text box \"" << question.text.toStdString() << "\"";
    return std::nullopt;
}

Answer ScriptedPrompter::answerReply(const Question& question, Answer onClose) {
    if (replies_.empty()) {
        ADD_FAILURE() << "Unscripted question: \"" << question.text.toStdString() << "\"";
        return onClose;
    }
    Reply reply = replies_.front();
    replies_.pop_front();
    if (auto* answer = std::get_if<std::optional<Answer>>(&reply)) return answer->value_or(onClose);
    ADD_FAILURE() << "Scripted a text for the question \"" << question.text.toStdString() << "\"";
    return onClose;
}

std::optional<QString> ScriptedPrompter::askText(QWidget*, const QString& title, const QString& label,
                                                 const QString& initial) {
    Question question{Question::Text, title, label, initial};
    record(question);
    return textReply(question);
}

Answer ScriptedPrompter::askYesNo(QWidget*, const QString& title, const QString& text, Answer onClose) {
    Question question{Question::YesNo, title, text, {}};
    record(question);
    Answer answer = answerReply(question, onClose);
    EXPECT_NE(answer, Answer::Cancel) << "A yes/no question has no Cancel: \"" << text.toStdString() << "\"";
    return answer;
}

Answer ScriptedPrompter::askYesNoCancel(QWidget*, const QString& title, const QString& text, Answer onClose) {
    Question question{Question::YesNoCancel, title, text, {}};
    record(question);
    return answerReply(question, onClose);
}

Answer ScriptedPrompter::choose(QWidget*, const QString& title, const QString& text,
                                const QStringList& buttons) {
    Question question{Question::YesNoCancel, title, text, buttons.join(" / ")};
    record(question);
    return answerReply(question, Answer::Cancel);
}

void ScriptedPrompter::inform(QWidget*, const QString& title, const QString& text) {
    record({Question::Information, title, text, {}});
}

void ScriptedPrompter::showError(QWidget*, const QString& title, const QString& text) {
    record({Question::Error, title, text, {}});
}

std::optional<QString> ScriptedPrompter::openFile(QWidget*, const QString& title, const QString& folder,
                                                  const QString&) {
    Question question{Question::OpenFile, title, title, folder};
    record(question);
    return textReply(question);
}

std::optional<QString> ScriptedPrompter::saveFile(QWidget*, const QString& title, const QString& folder,
                                                  const QString&) {
    Question question{Question::SaveFile, title, title, folder};
    record(question);
    return textReply(question);
}

}  // namespace ui::testing
