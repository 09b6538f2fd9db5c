#pragma once
// The commands behind the menu bar's 51 actions: one handler per action, looked up in one table, each
// acting on the main window it was made for.
#include <QString>

#include "res.h"

class QAction;
class QIcon;

namespace editor {

class Editor;
class Init;
class References;

class Actions {
public:
    Actions(Init& init, Editor& editor);

    // Creates the 51 actions in table order, each named by its field and titled by its key's text,
    // stored in the fields of `init` and connected to its command.
    void createActions();

    // The marker of the language and target actions: an action is marked while its icon is set.
    static QIcon marker();
    static bool isMarked(const QAction* action);
    static void setMarked(QAction* action, bool marked);

    // Follows the language a load has set: doJava for "J2ME", doTB for any other word.
    void applyLanguage();
    // The language chosen: its switch, and the main source follows it (followMainSource).
    void setLanguage(const QString& language);
    // The target and language marks as the targets model holds them.
    void showModel();
    // After the model changed: the marks, and a language switch made elsewhere.
    void followModel();

    // The commands, public for the table.
    void exit();
    void goToLineNumber();
    void chooseLanguage(bool tesvo);
    void loadTemplate(bool tesvo);
    void setLook(const QString& word);
    // Opens a file of the kit with the desktop's program; `name` names the entry that asked.
    void openTool(const QString& path, const QString& name);
    void format();
    // The project side's tools (project_roads.h); nothing happens while none is installed.
    void openJ2MESettings();
    void openTypeCreator();
    void openFtpTool();
    void openUpdateCheck();
    void openPreferences();
    void openAbout();
    void openAboutRuntime();

    Editor& editor() const { return editor_; }
    References& references() const;

private:
    // One entry of the menus: the field of `Init` that holds it, the key of its name, its command. The
    // commands act on the main window as one of its own parts.
    struct Row {
        QAction* Init::*field;
        Res::Key key;
        void (*run)(Actions&, Init&);
    };
    // In creation order.
    static const Row rows[51];

    void doTB();
    void doJava();
    // The language's steps but the word and the marks: boxes, targets, panel, Convert, colouring.
    void showLanguage(bool java);
    // The project's main source and extension follow its language; no tab is renamed.
    void followMainSource();

    Init& init_;
    Editor& editor_;
    bool javaShown_ = false;  // the language the panel, Convert and the tabs' colouring show
};

// The J2ME template with its class named `className` (when that is a Java name).
QString j2meTemplateFor(const QString& templateText, const QString& className);

}  // namespace editor
