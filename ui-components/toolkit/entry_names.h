#pragma once
// The names a user types for a file or folder to make or rename inside a chosen folder.
#include <QString>
#include <optional>

namespace ui {

// Why `name` cannot name an entry of the chosen folder, nothing when it can: a "/" would put the entry
// into another folder, "." and ".." name that folder itself and the one above it.
std::optional<QString> refuseEntryName(const QString& name);

}  // namespace ui
