#include "references.h"

#include "environment.h"
#include "res.h"

namespace editor {

References::References()
    : editorPath(kitFolder() + sep),
      LoadedPath(kitFolder() + sep),
      projectName(res("myProject")),
      projectCompany(res("My_Company")) {}

std::optional<QString> References::getFileFromPath(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(sep) + 1);
    const qsizetype dot = name.indexOf('.');
    if (dot < 0) return std::nullopt;
    return name.left(dot);
}

bool References::longIncludeExists(const QString& path) const {
    const std::optional<QString> name = getFileFromPath(path);
    return name && includes.contains(*name, Qt::CaseSensitive);
}

}  // namespace editor
