#include "syntax_file_mapper.h"

namespace ui::sc {

void SyntaxFileMapper::addRelation(const QString& extension, const QString& location) {
    if (!relations_) relations_.emplace();
    relations_->insert(extension.toLower(), location);
}

ScResult SyntaxFileMapper::resetSyntaxColor(const QString& fileName) {
    if (!relations_) return {};
    const QString name = fileName.mid(fileName.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return {};
    const auto location = relations_->constFind(name.mid(dot + 1).toLower());
    if (location == relations_->constEnd()) return {};
    return kit_.readSyntaxColorDescriptor(*location);
}

}  // namespace ui::sc
