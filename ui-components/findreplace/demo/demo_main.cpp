// Tries the find/replace panel by hand on a sample text.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "find_replace_panel.h"
#include "prompter.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow frame;
    frame.resize(400, 400);
    auto* text = new QTextEdit(&frame);
    text->setPlainText(QStringLiteral("motif aa abc abc\naa test text1 text2\ncontent for demo"));
    frame.setCentralWidget(text);

    auto* dialog = new QDialog(&frame);
    dialog->setWindowTitle(QStringLiteral("Find/Replace"));
    dialog->resize(400, 300);
    auto* panel = new ui::findreplace::FindReplacePanel(text, dialog);
    (new QVBoxLayout(dialog))->addWidget(panel);

    QMenu* edit = frame.menuBar()->addMenu(QStringLiteral("Edit"));
    QObject::connect(edit->addAction(QStringLiteral("Find/Replace...")), &QAction::triggered, dialog,
                     &QDialog::show);
    QObject::connect(edit->addAction(QStringLiteral("Find Next")), &QAction::triggered, &frame, [&] {
        if (!panel->find())
            ui::prompter().inform(&frame, QStringLiteral("Find Next"), QStringLiteral("No text found"));
    });

    frame.show();
    return application.exec();
}
