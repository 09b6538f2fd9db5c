#include "build_launcher.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main_window.h"
#include "res.h"
#include "text_files.h"

namespace editor {
namespace {

// The session of the running child, to be ended at exit: the editor ends through std::exit, which runs
// no destructor of objects on the stack.
volatile pid_t runningSession = 0;

// The session a process belongs to; 0 when it has gone or is a zombie (nothing left to end).
pid_t liveSessionOf(const char* pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    FILE* file = std::fopen(path, "r");
    if (!file) return 0;
    char stat[1024];
    const size_t size = std::fread(stat, 1, sizeof stat - 1, file);
    std::fclose(file);
    stat[size] = '\0';
    // "pid (name) state ppid pgrp session ...": the name may hold anything, so the fields follow its last
    // ')'.
    const char* fields = std::strrchr(stat, ')');
    char state = 0;
    int parent = 0, group = 0, session = 0;
    if (!fields || std::sscanf(fields + 1, " %c %d %d %d", &state, &parent, &group, &session) != 4) return 0;
    return state == 'Z' || state == 'X' ? 0 : session;
}

// Calls `each` with every process of the session that is still running, zombies aside; false when none
// is.
template <typename Each>
bool forEachOfSession(pid_t session, Each each) {
    bool found = false;
    if (DIR* processes = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(processes)) {
            if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
            if (liveSessionOf(entry->d_name) != session) continue;
            each(static_cast<pid_t>(std::atol(entry->d_name)));
            found = true;
        }
        ::closedir(processes);
    }
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

BuildLauncher::BuildLauncher(Editor& editor) : QObject(&editor), editor_(editor) {
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
    partial_.clear();
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
    partial_ += process_->readAllStandardOutput();
    qsizetype end;
    while ((end = partial_.indexOf('\n')) >= 0) {
        QByteArray line = partial_.left(end);
        partial_.remove(0, end + 1);
        if (line.endsWith('\r')) line.chop(1);
        editor_.appendOutput(decodeText(line) + "\n");
    }
    if (flush && !partial_.isEmpty()) {
        editor_.appendOutput(decodeText(partial_) + "\n");
        partial_.clear();
    }
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
