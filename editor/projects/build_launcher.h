#pragma once
// Starts the kit's compiler and build programs for the editor, one child at a time, and copies each
// child's standard output into the main window's output pane line by line as it comes. The child's
// standard error goes to the editor's own. The child runs in a session of its own; a child still running
// when the launcher is stopped or goes (its owner, the project side, goes as the editor ends) is asked to
// stop with SIGTERM so that it ends its tools and removes what it generated, and after a grace of 3 s
// killed with its process group.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <functional>

#include "kit/process.h"

namespace editor {

class Editor;

struct BuildRun {
    QString program;  // the program's full path
    QString base;     // the project's base path, the one argument
    bool keepJava = false;
    // Writes what the child reads, just before it starts; false ends the whole command there.
    std::function<bool()> before;
    // After the child has ended: its exit status, -1 when it crashed or could not start.
    std::function<void(int status)> after;
};

class BuildLauncher : public QObject {
    Q_OBJECT
public:
    BuildLauncher();
    ~BuildLauncher() override;
    BuildLauncher(const BuildLauncher&) = delete;
    BuildLauncher& operator=(const BuildLauncher&) = delete;

    bool busy() const { return running_; }
    // Runs `runs` in turn, shown in `editor`'s output pane: the first clears the pane, each shows
    // "Executing: " + program + " " + base first. While an earlier command runs, nothing starts and the
    // pane says so; false then. A window that goes before the command ends is shown nothing more.
    bool start(Editor& editor, QList<BuildRun> runs);
    // Ends the running child and whatever runs in its process group, and drops the runs still waiting.
    void stop();

signals:
    // The command has ended: its last child has ended, failed to start, or a write before it failed.
    void finished();

private:
    void startNext();
    void readOutput(bool flush);
    void showLine(const std::string& line);
    void childEnded(int status);
    void end();

    QPointer<Editor> editor_;
    QList<BuildRun> waiting_;
    BuildRun current_;
    QPointer<QProcess> process_;
    // The child's output, cut into lines as it comes (a CR before a line's end dropped).
    kit::LineSplitter lines_{[this](const std::string& line) { showLine(line); }};
    bool running_ = false;
    bool first_ = false;
};

}  // namespace editor
