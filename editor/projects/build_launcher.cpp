#include "build_launcher.h"

#include <signal.h>
#include <unistd.h>

#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <cstdlib>

#include "main_window.h"
#include "res.h"
#include "text_files.h"

namespace editor {
namespace {

// The process group of the running child, for the kill at exit: the editor ends through std::exit,
// which runs no destructor of objects on the stack.
volatile pid_t runningGroup = 0;

void killRunningGroup() {
    if (runningGroup > 0) ::kill(-runningGroup, SIGKILL);
}

void registerExitKill() {
    static const bool registered = [] { return std::atexit(killRunningGroup) == 0; }();
    (void)registered;
}

}  // namespace

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
    if (process->state() != QProcess::NotRunning) {
        ::kill(-static_cast<pid_t>(process->processId()), SIGKILL);
        process->waitForFinished(10000);
    }
    runningGroup = 0;
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
    // A group of its own, so that ending the child also ends the programs it started.
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
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
    if (process->state() != QProcess::NotRunning) runningGroup = static_cast<pid_t>(process->processId());
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
    runningGroup = 0;
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
