#include "prompter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

Prompter* installedPrompter = nullptr;

// QMessageBox turns the close box into its escape button (No for Yes/No), so a hidden escape button of
// our own tells a closed box from an answer.
Answer ask(QWidget* parent, const QString& title, const QString& question,
           QMessageBox::StandardButtons buttons, Answer onClose, const QStringList& texts = {}) {
    QMessageBox box(QMessageBox::Question, title, question, buttons, parent);
    const QMessageBox::StandardButton named[] = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    for (qsizetype i = 0; i < texts.size() && i < 3; ++i) {
        if (QAbstractButton* button = box.button(named[i])) button->setText(texts[i]);
    }
    QPushButton* closed = box.addButton(QMessageBox::Abort);
    closed->hide();
    box.setEscapeButton(closed);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) return onClose;
    if (clicked == box.button(QMessageBox::Yes)) return Answer::Yes;
    if (clicked == box.button(QMessageBox::No)) return Answer::No;
    if (clicked == box.button(QMessageBox::Cancel)) return Answer::Cancel;
    return onClose;
}

std::optional<QString> chosen(const QString& file) {
    if (file.isEmpty()) return std::nullopt;
    return file;
}

}  // namespace

std::optional<QString> QtPrompter::askText(QWidget* parent, const QString& title, const QString& label,
                                           const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

Answer QtPrompter::askYesNo(QWidget* parent, const QString& title, const QString& question, Answer onClose) {
    return ask(parent, title, question, QMessageBox::Yes | QMessageBox::No, onClose);
}

Answer QtPrompter::askYesNoCancel(QWidget* parent, const QString& title, const QString& question,
                                  Answer onClose) {
    return ask(parent, title, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, onClose);
}

Answer QtPrompter::choose(QWidget* parent, const QString& title, const QString& question,
                          const QStringList& buttons) {
    return ask(parent, title, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
               Answer::Cancel, buttons);
}

void QtPrompter::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

void QtPrompter::showError(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text);
}

std::optional<QString> QtPrompter::openFile(QWidget* parent, const QString& title, const QString& folder,
                                            const QString& filter) {
    return chosen(QFileDialog::getOpenFileName(parent, title, folder, filter));
}

std::optional<QString> QtPrompter::saveFile(QWidget* parent, const QString& title, const QString& folder,
                                            const QString& filter) {
    return chosen(QFileDialog::getSaveFileName(parent, title, folder, filter));
}

Prompter& prompter() {
    static QtPrompter standard;
    return installedPrompter ? *installedPrompter : standard;
}

void setPrompter(Prompter* installed) {
    installedPrompter = installed;
}

}  // namespace ui
