#pragma once
#include <QString>
#include <optional>

namespace editor {

class FileCopy {
public:
    // Copies the file `from` to `to` (into it, under the source's name, when `to` is a folder): the kit's
    // copy (guard/file_copy.h) with the editor's rules, asking the file seam. Relative paths are taken from
    // the kit folder. Returns the failure's message, or nothing once every byte is on disk. An existing
    // target is replaced only when the whole copy has been written.
    static std::optional<QString> copy(const QString& from, const QString& to);
};

}  // namespace editor
