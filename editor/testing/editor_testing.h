#pragma once
// Recorders for the editor's seams. Each installs itself while it lives and restores the standard one
// when it goes.
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include "environment.h"
#include "error_dialogs.h"
#include "file_size_limit.h"
#include "files.h"
#include "scan.h"

namespace editor::testing {

// Points the kit folder at `folder` while it lives.
class KitFolder {
public:
    explicit KitFolder(const QString& folder) { setKitFolder(folder); }
    ~KitFolder() { setKitFolder({}); }
    KitFolder(const KitFolder&) = delete;
    KitFolder& operator=(const KitFolder&) = delete;
};

// Points the SDK scan's walk after the kit folder at `folder` instead of "/" while it lives.
class ScanRoot {
public:
    explicit ScanRoot(const QString& folder) { setScanRoot(folder); }
    ~ScanRoot() { setScanRoot({}); }
    ScanRoot(const ScanRoot&) = delete;
    ScanRoot& operator=(const ScanRoot&) = delete;
};

class RecordingDesktop : public DesktopOpener {
public:
    RecordingDesktop() { setDesktop(this); }
    ~RecordingDesktop() override { setDesktop(nullptr); }
    bool open(const QUrl& target) override {
        opened.append(target);
        return opens;
    }
    QList<QUrl> opened;
    bool opens = true;  // false: as a desktop without a program for the target
};

class RecordingExit : public ProgramExit {
public:
    RecordingExit() { setProgramExit(this); }
    ~RecordingExit() override { setProgramExit(nullptr); }
    void exit(int status) override { statuses.append(status); }
    QList<int> statuses;
};

struct Report {
    enum Kind { Error, Warning };
    Kind kind;
    QString heading;
    QString detail;
    bool operator==(const Report&) const = default;
};

class RecordingReporter : public FailureReporter {
public:
    RecordingReporter() { setFailureReporter(this); }
    ~RecordingReporter() override { setFailureReporter(nullptr); }
    void error(QWidget*, const QString& heading, const QString& detail) override {
        reports.append({Report::Error, heading, detail});
    }
    void warning(QWidget*, const QString& heading, const QString& detail) override {
        reports.append({Report::Warning, heading, detail});
    }
    QList<Report> reports;
};

// The real file system, except that the paths named here cannot be read or written.
class RefusingFiles : public Files {
public:
    RefusingFiles() { setFiles(this); }
    ~RefusingFiles() override { setFiles(nullptr); }
    FileStatus status(const QString& path) const override;
    QSet<QString> unreadable;
    QSet<QString> unwritable;
};

using tz::testing::FileSizeLimit;

}  // namespace editor::testing
