#include "build_launcher.h"

#include <signal.h>
#include <unistd.h>

#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "kit/process.h"
#include "main_window.h"
#include "res.h"
#include "text_files.h"

namespace editor {
namespace {

// The session of the running child, to be ended at exit: the editor ends through std::exit, which runs
// no destructor of objects on the stack.
volatile pid_t runningSession = 0;

// Calls `each` with every process of the session that is still running, zombies aside; false when none
// is.
template <typename Each>
bool forEachOfSession(pid_t session, Each each) {
    bool found = false;
    kit::forEachProcess([&](const kit::ProcessInfo& process) {
        if (process.session != session || !process.running()) return;
        each(process.pid);
        found = true;
    });
    return found;
}

// Ends every process of the session: the child, the programs it started and the tools they started in
// process groups of their own (Build-Linux gives each tool one, for its watchdog). The child's group (the
// compiler with its build program, or the build program alone) is asked to stop first, so that each ends
// its tools and removes the files it generated; whatever still runs after a short grace is killed. A
// process cannot leave a session but by starting one itself, which none of the kit's programs does; one
// forked while the list is read is found in the next round.
void endSession(pid_t session) {
    if (session <= 0) return;
    constexpr int graceMs = 3000;
    constexpr int stepMs = 10;
    ::kill(-session, SIGTERM);
    for (int waited = 0; waited < graceMs && forEachOfSession(session, [](pid_t) {}); waited += stepMs)
        ::usleep(stepMs * 1000);
    for (int round = 0; round < 200; ++round) {
        if (!forEachOfSession(session, [](pid_t pid) { ::kill(pid, SIGKILL); })) return;
        ::usleep(5000);
    }
}

void endRunningSession() {
    endSession(runningSession);
}

void registerExitKill() {
    static const bool registered = [] { return std::atexit(endRunningSession) == 0; }();
    (void)registered;
}

}  // namespace

void endRunningBuild() {
    endRunningSession();
}

BuildLauncher::BuildLauncher(Editor& editor)
    : QObject(&editor), editor_(editor), lines_([this](const std::string& line) {
          editor_.appendOutput(decodeText(QByteArray::fromStdString(line)) + "\n");
      }) {
    registerExitKill();
}

BuildLauncher::~BuildLauncher() {
    stop();
}

bool BuildLauncher::start(QList<BuildRun> runs) {
    if (running_) {
        editor_.appendOutput("\nA compilation is already running: wait until it has ended\n");
        return false;
    }
    if (runs.isEmpty()) return true;
    waiting_ = std::move(runs);
    running_ = true;
    first_ = true;
    startNext();
    return true;
}

void BuildLauncher::stop() {
    waiting_.clear();
    if (!process_) return;
    QProcess* process = process_;
    process->disconnect(this);
    // Ended before the child is reaped: until then no other session can take its number.
    if (process->state() != QProcess::NotRunning) {
        endSession(static_cast<pid_t>(process->processId()));
        process->waitForFinished(10000);
    }
    runningSession = 0;
    delete process;
    running_ = false;
}

void BuildLauncher::startNext() {
    if (waiting_.isEmpty()) {
        end();
        return;
    }
    current_ = waiting_.takeFirst();
    if (current_.before && !current_.before()) {
        end();
        return;
    }
    const QString executing = res("Executing_") + current_.program + " " + current_.base + "\n";
    if (first_) {
        editor_.compilerM->setPlainText(executing);
        first_ = false;
    } else {
        editor_.appendOutput(executing);
    }

    auto* process = new QProcess(this);
    process_ = process;
    lines_.drop();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    if (current_.keepJava) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TZ_KEEP_JAVA", "1");
        process->setProcessEnvironment(environment);
    }
    // A session of its own, so that ending it ends every program the child started, whatever their groups.
    process->setChildProcessModifier([] { ::setsid(); });
    connect(process, &QProcess::readyReadStandardOutput, this, [this] { readOutput(false); });
    connect(process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        childEnded(status == QProcess::NormalExit ? code : -1);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        editor_.appendOutput(process->errorString() + "\n");
        childEnded(-1);
    });
    process->start(current_.program, {current_.base});
    if (process->state() != QProcess::NotRunning) runningSession = static_cast<pid_t>(process->processId());
}

void BuildLauncher::readOutput(bool flush) {
    if (!process_) return;
    const QByteArray bytes = process_->readAllStandardOutput();
    lines_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (flush) lines_.finish();
}

void BuildLauncher::childEnded(int status) {
    readOutput(true);
    runningSession = 0;
    if (process_) {
        process_->disconnect(this);
        process_->deleteLater();
        process_ = nullptr;
    }
    const BuildRun ended = std::move(current_);
    current_ = BuildRun{};
    if (ended.after) ended.after(status);
    if (status < 0 && !waiting_.isEmpty()) waiting_.clear();
    startNext();
}

void BuildLauncher::end() {
    waiting_.clear();
    running_ = false;
    emit finished();
}

}  // namespace editor
