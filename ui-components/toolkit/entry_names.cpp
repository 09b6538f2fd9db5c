#include "entry_names.h"

namespace ui {

std::optional<QString> refuseEntryName(const QString& name) {
    if (name.contains(u'/') || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("A name may not hold \"/\" or be \".\" or \"..\"");
    return std::nullopt;
}

}  // namespace ui
