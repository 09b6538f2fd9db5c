#include "build_targets.h"

#include <algorithm>

namespace editor {

BuildTargets::BuildTargets() = default;

void BuildTargets::setMarked(Target target, bool marked) {
    if (marks_[target] == marked) return;
    marks_[target] = marked;
    emit changed();
}

bool BuildTargets::anyMarked() const {
    return std::any_of(marks_.begin(), marks_.end(), [](bool marked) { return marked; });
}

void BuildTargets::setLanguage(const QString& language) {
    if (language_ == language) return;
    language_ = language;
    emit changed();
}

std::optional<BuildTargets::Target> BuildTargets::targetOfPlatform(const QString& platform) {
    if (platform == "J2ME") return J2meDevices;
    if (platform == "PPC") return PocketPc;
    if (platform == "PC") return Windows;
    // "Applet" is the word the editor writes and the compiler reads.
    if (platform == "APPLET" || platform == "Applet") return Applet;
    return std::nullopt;
}

}  // namespace editor
