#include "tb_file_filter.h"

#include "res.h"

namespace editor {

bool TBFileFilter::accept(const QFileInfo& file) const {
    if (file.isDir()) return true;
    const QString extension = getExtension(file);
    return extension == "bss" || extension == "tbp";
}

QString TBFileFilter::getDescription() const {
    return res("Tesvo_Zorid_source");
}

QString TBFileFilter::nameFilter() const {
    return getDescription() + " (*.[bB][sS][sS] *.[tT][bB][pP])";
}

QString TBFileFilter::getExtension(const QFileInfo& file) {
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot <= 0 || dot == name.size() - 1) return {};
    return name.mid(dot + 1).toLower();
}

}  // namespace editor
