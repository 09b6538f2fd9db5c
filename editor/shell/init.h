#pragma once
// The start-up of the editor's configuration, called by the main window after it has set its title and
// before it builds its widgets, so that the look chosen applies to them.
namespace editor {

class References;

class Init {
public:
    // Reads Config.cfg into the configuration fields, runs the first-run wizard when the Java SDK or the
    // wireless toolkit is not found, writes the file back (unless the wizard's Exit ended the editor) and
    // installs the look.
    static void initConfig(References& references);
    // Writes the four fields, line 3 being the kit folder of this moment. A failure is shown with Error,
    // leaves the old file whole and the fields as they are; the result says whether the file was written.
    static bool writeConfig(References& references);
};

}  // namespace editor
