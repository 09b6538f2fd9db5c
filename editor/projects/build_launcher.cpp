#include "build_launcher.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main_window.h"
#include "res.h"
#include "text_files.h"

namespace editor {
namespace {

constexpr int graceMs = 3000;
constexpr int stepMs = 10;

// Waits up to `milliseconds` until the child has ended (reaped as it ends) and nothing else is left in its
// process group; a zombie of the group counts as left until its parent reaps it.
bool groupEnds(QProcess& process, pid_t group, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (process.state() != QProcess::NotRunning) {
            process.waitForFinished(stepMs);
        } else if (::kill(-group, 0) != 0) {
            return true;
        } else {
            ::usleep(stepMs * 1000);
        }
        if (deadline.hasExpired()) return process.state() == QProcess::NotRunning && ::kill(-group, 0) != 0;
    }
}

// The session a process belongs to; 0 when it has gone or is a zombie (nothing left to end).
pid_t liveSessionOf(const char* pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    std::FILE* file = std::fopen(path, "re");
    if (!file) return 0;
    char line[1024];
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    if (!read) return 0;
    // "pid (name) state ppid pgrp session ...": the name may hold anything, so the fields follow its last
    // ")".
    const char* fields = std::strrchr(line, ')');
    char state = 0;
    int parent = 0, group = 0, session = 0;
    if (!fields || std::sscanf(fields + 1, " %c %d %d %d", &state, &parent, &group, &session) != 4) return 0;
    return state == 'Z' || state == 'X' ? 0 : session;
}

// Kills what is left of the child's session: tools that Build-Linux started in process groups of their own
// and that a program killed after the grace could not end. No process of the kit leaves the session.
void killSession(pid_t session) {
    for (int round = 0; round < 50; ++round) {
        bool found = false;
        if (DIR* processes = ::opendir("/proc")) {
            while (const dirent* entry = ::readdir(processes)) {
                if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
                if (liveSessionOf(entry->d_name) != session) continue;
                ::kill(static_cast<pid_t>(std::atoi(entry->d_name)), SIGKILL);
                found = true;
            }
            ::closedir(processes);
        }
        if (!found) return;
        ::usleep(stepMs * 1000);
    }
}

// Ends the child's process group, the group of its session it leads: the compiler with its build program,
// or the build program alone. It is asked to stop first, so that each program ends the tools it started
// in groups of their own and removes the files it generated; whatever still runs after the grace is
// killed, the rest of the session with it. The signals go before the child is reaped, so its number, the
// group's and the session's, is no other's yet.
void endGroup(QProcess& process) {
    const auto group = static_cast<pid_t>(process.processId());
    if (group <= 0) return;
    ::kill(-group, SIGTERM);
    if (!groupEnds(process, group, graceMs)) {
        for (int round = 0; round < 200; ++round) {
            ::kill(-group, SIGKILL);
            if (groupEnds(process, group, 5)) break;
        }
    }
    killSession(group);
}

}  // namespace

BuildLauncher::BuildLauncher() = default;

BuildLauncher::~BuildLauncher() {
    stop();
}

bool BuildLauncher::start(Editor& editor, QList<BuildRun> runs) {
    if (running_) {
        editor.appendOutput("\nA compilation is already running: wait until it has ended\n");
        return false;
    }
    if (runs.isEmpty()) return true;
    editor_ = &editor;
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
    if (process->state() != QProcess::NotRunning) endGroup(*process);
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
        if (editor_) editor_->showOutput(executing);
        first_ = false;
    } else if (editor_) {
        editor_->appendOutput(executing);
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
    // A session of its own, led by the child: its process group is the one the stop signals reach, and no
    // signal of the editor's terminal reaches it.
    process->setChildProcessModifier([] { ::setsid(); });
    connect(process, &QProcess::readyReadStandardOutput, this, [this] { readOutput(false); });
    connect(process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        childEnded(status == QProcess::NormalExit ? code : -1);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        if (editor_) editor_->appendOutput(process->errorString() + "\n");
        childEnded(-1);
    });
    process->start(current_.program, {current_.base});
}

void BuildLauncher::readOutput(bool flush) {
    if (!process_) return;
    const QByteArray bytes = process_->readAllStandardOutput();
    lines_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (flush) lines_.finish();
}

void BuildLauncher::showLine(const std::string& line) {
    if (editor_) editor_->appendOutput(decodeText(QByteArray::fromStdString(line)) + "\n");
}

void BuildLauncher::childEnded(int status) {
    readOutput(true);
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
