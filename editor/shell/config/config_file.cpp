#include "config_file.h"

#include <QDir>
#include <QFile>

#include "environment.h"
#include "error_dialogs.h"
#include "files.h"
#include "kit/config_file.h"
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
    return toStringList(fileLines(content));
}

void readConfig(References& references) {
    const QString path = configFilePath();
    if (!files().status(path).readable) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return;
    kit::ConfigFile config = kit::readConfigFile(fileLines(content));
    kit::relocate(config, installFolder().toStdString());
    references.JavaLocation = toQString(config.javaLocation);
    references.MobileLocation = toQString(config.j2meLocation);
    references.lookAndFeel = toQString(config.lookAndFeel);
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

std::optional<QString> saveConfigFile(const ConfigLines& lines) {
    const kit::ConfigFile config{toStd(lines.javaLocation), toStd(lines.mobileLocation),
                                 toStd(lines.kitFolder), toStd(lines.lookAndFeel)};
    return writeTextFile(configFilePath(),
                         QString::fromStdString(kit::joinLines(kit::configFileLines(config))));
}

void reportSaveFailure(const QString& failure) {
    showError(nullptr, failure, "Saving Configuration File");
}

}  // namespace editor
