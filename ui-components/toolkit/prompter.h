#pragma once
// The standard boxes of the kit: every question, message and file chooser goes through the
// process's prompter, so tests answer them from a script instead of a screen.
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ui {

enum class Answer { Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;

    // A line of text; nullopt when the box is cancelled or closed.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                           const QString& initial = {}) = 0;
    // Yes or No; closing the box gives `onClose`.
    virtual Answer askYesNo(QWidget* parent, const QString& title, const QString& question,
                            Answer onClose) = 0;
    // Yes, No or Cancel; closing the box gives `onClose`.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& question,
                                  Answer onClose) = 0;
    // Yes, No or Cancel on buttons that say what each does (`buttons`: the three texts in that order);
    // closing the box cancels.
    virtual Answer choose(QWidget* parent, const QString& title, const QString& question,
                          const QStringList& buttons) = 0;
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void showError(QWidget* parent, const QString& title, const QString& text) = 0;
    // A file to read or to write; nullopt when cancelled. `filter` is a Qt name filter ("Sources (*.bss)").
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                            const QString& filter = {}) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& folder,
                                            const QString& filter = {}) = 0;
};

// QInputDialog, QMessageBox and QFileDialog.
class QtPrompter : public Prompter {
public:
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial = {}) override;
    Answer askYesNo(QWidget* parent, const QString& title, const QString& question, Answer onClose) override;
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& question,
                          Answer onClose) override;
    Answer choose(QWidget* parent, const QString& title, const QString& question,
                  const QStringList& buttons) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    void showError(QWidget* parent, const QString& title, const QString& text) override;
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter = {}) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter = {}) override;
};

// The process's prompter: a QtPrompter unless one was installed. `setPrompter(nullptr)` restores it;
// the caller keeps ownership of what it installs.
Prompter& prompter();
void setPrompter(Prompter* installed);

}  // namespace ui
