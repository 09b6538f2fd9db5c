#pragma once
// Recorders for the editor's services. Each puts itself in place while it lives, as a Services of its own
// (services.h), and the services before it are back when it goes.
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include "environment.h"
#include "error_dialogs.h"
#include "file_size_limit.h"
#include "files.h"
#include "scan.h"
#include "services.h"
#include "test_helpers.h"

namespace editor::testing {

// Points the kit folder at `folder` while it lives.
class KitFolder {
public:
    explicit KitFolder(const QString& folder) : services_({.kitFolder = folder}) {}

private:
    Services services_;
};

// Points the SDK scan's walk after the kit folder at `folder` instead of "/" while it lives.
class ScanRoot {
public:
    explicit ScanRoot(const QString& folder) : services_({.scanRoot = folder}) {}

private:
    Services services_;
};

// Roots the project tree at `folder` instead of the user's home while it lives.
class HomeFolder {
public:
    explicit HomeFolder(const QString& folder) : services_({.homeFolder = folder}) {}

private:
    Services services_;
};

class RecordingDesktop : public DesktopOpener {
public:
    bool open(const QUrl& target) override {
        opened.append(target);
        return opens;
    }
    QList<QUrl> opened;
    bool opens = true;  // false: as a desktop without a program for the target

private:
    Services services_{{.desktop = this}};
};

class RecordingExit : public ProgramExit {
public:
    void exit(int status) override { statuses.append(status); }
    QList<int> statuses;

private:
    Services services_{{.exit = this}};
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
    void error(QWidget*, const QString& heading, const QString& detail) override {
        reports.append({Report::Error, heading, detail});
    }
    void warning(QWidget*, const QString& heading, const QString& detail) override {
        reports.append({Report::Warning, heading, detail});
    }
    QList<Report> reports;

private:
    Services services_{{.reports = this}};
};

// The real file system, except that the paths named here cannot be read or written.
class RefusingFiles : public Files {
public:
    FileStatus status(const QString& path) const override;
    QSet<QString> unreadable;
    QSet<QString> unwritable;

private:
    Services services_{{.files = this}};
};

using tz::testing::FileSizeLimit;
using tz::testing::readFile;
using tz::testing::writeFile;

}  // namespace editor::testing
