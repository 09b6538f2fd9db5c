#include "scan.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <exception>

#include "config_file.h"
#include "environment.h"
#include "files.h"
#include "services.h"

namespace editor {
namespace {

// Kernel and device trees: huge or endless, and never the home of an SDK.
bool excluded(const QString& path) {
    return path == QLatin1String("/proc") || path == QLatin1String("/sys") || path == QLatin1String("/dev") ||
           path == QLatin1String("/run");
}

// Leading and trailing blanks and control characters removed.
QString trimmedName(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name.at(begin).unicode() <= ' ') ++begin;
    while (end > begin && name.at(end - 1).unicode() <= ' ') --end;
    return name.mid(begin, end - begin);
}

void print(const QString& line) {
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

}  // namespace

QString scanRoot() {
    const Services* services = Services::current();
    return services && !services->parts().scanRoot.isEmpty() ? services->parts().scanRoot
                                                             : QStringLiteral("/");
}

Scan::Scan(const QString& root, Lister lister)
    : roots_{kitFolder(), root}, lister_(lister ? std::move(lister) : Lister(&Scan::listFolders)) {}

Scan::~Scan() {
    stop();
}

void Scan::start() {
    if (myThread.joinable() || stopping_) return;
    myThread = std::thread([this] { run(); });
}

void Scan::stop() {
    stopping_ = true;
    if (myThread.joinable()) myThread.join();
}

std::optional<QStringList> Scan::listFolders(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists()) return std::nullopt;
    return dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void Scan::run() {
    try {
        for (const QString& root : roots_) {
            if (QFileInfo(root).isDir()) listDirContents(root, 0);
        }
    } catch (const std::exception& failure) {
        // One bad folder must not keep the user from configuring the kit: the lists found so far stand.
        std::fprintf(stderr, "Scan: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "Scan: unknown failure\n");
    }
    if (!stopping_) emit finished(JDKFound, WTKFound);
}

void Scan::listDirContents(const QString& folder, int depth) {
    if (depth >= maxDepth || stopping_) return;
    const std::optional<QStringList> entries = lister_(folder);
    if (!entries) return;
    const QString prefix = folder.endsWith('/') ? folder : folder + '/';
    for (const QString& name : *entries) {
        if (stopping_) return;
        const QString path = prefix + name;
        if (excluded(path)) continue;
        const QString upper = trimmedName(name).toUpper();
        if (upper.startsWith(QLatin1String("JDK"))) {
            print(path + "/bin/");
            if (pathExists(path + "/bin/javac") && firstOffer(path)) {
                JDKFound = true;
                emit javaFound(path + "/bin/");
            }
        }
        if (upper.startsWith(QLatin1String("WTK"))) {
            print(path + "/");
            if (pathExists(path + "/bin/preverify") && firstOffer(path)) {
                WTKFound = true;
                emit toolkitFound(path + "/");
            }
        }
        listDirContents(path, depth + 1);
    }
}

bool Scan::firstOffer(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString key = canonical.isEmpty() ? folder : canonical;
    if (offered_.contains(key)) return false;
    offered_.insert(key);
    return true;
}

}  // namespace editor
