#include "config_file.h"

#include <QDir>
#include <QFile>

#include "environment.h"
#include "error_dialogs.h"
#include "files.h"
#include "references.h"
#include "text_files.h"

namespace editor {

QString configFilePath() {
    return installFolder() + "Config.cfg";
}

QString installFolder() {
    const QString folder = kitFolder();
    return folder.endsWith('/') ? folder : folder + '/';
}

QStringList configLines(const QByteArray& content) {
    const QString text = decodeText(content);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != '\r' && c != '\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.mid(start));
    return lines;
}

void readConfig(References& references) {
    const QString path = configFilePath();
    if (!files().status(path).readable) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return;
    const QStringList lines = configLines(content);
    auto line = [&](int index) -> std::optional<QString> {
        if (index < lines.size()) return lines.at(index);
        return std::nullopt;
    };
    references.JavaLocation = line(0);
    references.MobileLocation = line(1);
    references.lookAndFeel = line(3);
}

bool pathExists(const QString& path) {
    if (path.isEmpty()) return false;
    const QString resolved = QDir::isRelativePath(path) ? installFolder() + path : path;
    return files().status(resolved).exists;
}

bool javaToolFound(const std::optional<QString>& javaLocation) {
    return javaLocation && pathExists(*javaLocation + "javac");
}

bool toolkitFound(const std::optional<QString>& mobileLocation) {
    return mobileLocation && pathExists(*mobileLocation + "bin/preverify");
}

QString configLine(const std::optional<QString>& field) {
    return field.value_or("null");
}

std::optional<QString> saveConfigFile(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + '\n';
    return writeTextFile(configFilePath(), text);
}

void reportSaveFailure(const QString& failure) {
    showError(nullptr, failure, "Saving Configuration File");
}

}  // namespace editor
