#pragma once
// The build targets a user has marked and the language the project is written in: one per main window,
// which holds it. The menus show the marks; the build road reads them.
#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace editor {

class BuildTargets : public QObject {
    Q_OBJECT
public:
    // In the order the build road visits them.
    enum Target { J2meDevices, PocketPc, Windows, Applet };
    static constexpr int count = 4;

    // J2ME devices marked, the kit's language.
    BuildTargets();

    bool isMarked(Target target) const { return marks_[target]; }
    void setMarked(Target target, bool marked);
    void toggle(Target target) { setMarked(target, !isMarked(target)); }
    bool anyMarked() const;

    // "TB" or "J2ME".
    const QString& language() const { return language_; }
    void setLanguage(const QString& language);

    // The target a project file's platform word names, if any ("TB" names none).
    static std::optional<Target> targetOfPlatform(const QString& platform);

signals:
    void changed();

private:
    std::array<bool, count> marks_{true, false, false, false};
    QString language_ = "TB";
};

}  // namespace editor
