#pragma once
// The editor's menu bar and, as class-wide operations, the start-up of its configuration: initConfig is
// called by the main window after it has set its title and before it builds its widgets, so that the
// look chosen applies to them.
class QMenuBar;

namespace editor {

class References;

class Init {
public:
    // Made once, while the main window builds its layout; the bar starts empty until the menus are built.
    Init();
    // The main window installs the bar and owns it from then on.
    QMenuBar* getMenu() const { return menu; }

    // Reads Config.cfg into the configuration fields, runs the first-run wizard when the Java SDK or the
    // wireless toolkit is not found, writes the file back (unless the wizard's Exit ended the editor) and
    // installs the look.
    static void initConfig(References& references);
    // Writes the four fields, line 3 being the kit folder of this moment. A failure is shown with Error,
    // leaves the old file whole and the fields as they are; the result says whether the file was written.
    static bool writeConfig(References& references);

private:
    QMenuBar* menu;
};

}  // namespace editor
