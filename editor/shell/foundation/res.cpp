#include "res.h"

#include <array>

namespace editor {

std::span<const Res::Row> Res::getContents() {
    return kContents;
}

QString Res::text(std::size_t index) {
    // Made once: the menus and the tabs ask for the same texts over and over.
    static const std::array<QString, std::size(kContents)> texts = [] {
        std::array<QString, std::size(kContents)> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = QString::fromUtf8(kContents[i].text.data(), qsizetype(kContents[i].text.size()));
        return made;
    }();
    return texts.at(index);
}

}  // namespace editor
