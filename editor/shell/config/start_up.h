#pragma once
// The configuration's start-up: the main window calls initConfig after it has set its title and before it
// builds its widgets, so that the look chosen applies to them.
namespace editor {

class References;

// Reads Config.cfg into the configuration fields, runs the first-run wizard when the Java SDK or the
// wireless toolkit is not found, writes the file back and installs the look. False when the wizard's
// Exit ended the editor: nothing is written then.
bool initConfig(References& references);
// Writes the four fields, line 3 being the kit folder of this moment. A failure is shown with Error,
// leaves the old file whole and the fields as they are; the result says whether the file was written.
bool writeConfig(References& references);

}  // namespace editor
