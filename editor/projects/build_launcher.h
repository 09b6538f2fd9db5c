#pragma once
// Starts the kit's compiler and build programs for the editor, one child at a time, and copies each
// child's standard output into the output pane line by line as it comes. The child's standard error
// goes to the editor's own; a child still running when the launcher goes, or when the editor ends, is
// stopped with SIGTERM so that it ends its tools and removes what it generated, and after a grace of 3 s
// killed with everything it started.
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

// Ends the running child and every process it started, as the editor's exit does: the editor ends
// through std::exit, which destroys no launcher.
void endRunningBuild();

class BuildLauncher : public QObject {
    Q_OBJECT
public:
    explicit BuildLauncher(Editor& editor);
    ~BuildLauncher() override;

    bool busy() const { return running_; }
    // Runs `runs` in turn: the first clears the pane, each shows "Executing: " + program + " " + base
    // first. While an earlier command runs, nothing starts and the pane says so; false then.
    bool start(QList<BuildRun> runs);
    // Ends the running child as endRunningBuild does and drops the runs still waiting.
    void stop();

signals:
    // The command has ended: its last child has ended, failed to start, or a write before it failed.
    void finished();

private:
    void startNext();
    void readOutput(bool flush);
    void childEnded(int status);
    void end();

    Editor& editor_;
    QList<BuildRun> waiting_;
    BuildRun current_;
    QPointer<QProcess> process_;
    kit::LineSplitter lines_;
    bool running_ = false;
    bool first_ = false;
};

}  // namespace editor
