#pragma once
// The services through which the editor meets the world: the kit folder, the desktop's opener, the end of
// the program, the file system, the failure reports, the print dialogs, the manual entry of a value the
// project file lacks, and the folders the project tree and the SDK scan start from. Editor-Linux's main
// makes one Services with the standard ones and keeps it for the whole run; a test makes one with its
// recorders in their place. While it lives, every part of the editor reaches these services through the
// accessors of their headers (kitFolder(), desktop(), files(), ...). One made while another lives takes
// the other's services for what it does not give itself, and once it has gone the other's are back: they
// live and go in order, as objects of a scope do. (The component library keeps its own prompter and proxy
// settings, prompter.h and proxy_properties.h.)
#include <QString>
#include <functional>

class QWidget;

namespace editor {

class DesktopOpener;
class FailureReporter;
class Files;
class PrintDialogs;
class ProgramExit;
class References;

class Services {
public:
    // Asks for the value of a key a project file lacks and answers the text entered (empty: cancelled).
    using ManualEntry = std::function<QString(QWidget* owner, const QString& key, References& references)>;

    // What a Services gives: an empty folder or an empty service is the one of the Services before it, and
    // with none before it the standard one.
    struct Parts {
        QString kitFolder = {};                // the folder of the running program, without a closing "/"
        QString scanRoot = {};                 // where the SDK scan walks after the kit folder: "/"
        QString homeFolder = {};               // where the project tree starts: the user's home
        DesktopOpener* desktop = nullptr;      // QDesktopServices
        ProgramExit* exit = nullptr;           // the event loop's end
        Files* files = nullptr;                // the file system itself
        FailureReporter* reports = nullptr;    // the Error and Warning dialogs
        PrintDialogs* printDialogs = nullptr;  // Qt's print and page dialogs
        ManualEntry manualEntry = {};          // the manual entry prompt, modal
    };

    Services();  // the standard ones, or those of the Services before it
    explicit Services(Parts parts);
    ~Services();
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    // What this one gives, the parts taken from the one before it included.
    const Parts& parts() const { return parts_; }

    // The one in force: made last of those that live; nullptr when none lives.
    static const Services* current();

private:
    Parts parts_;
    const Services* previous_;
};

}  // namespace editor
