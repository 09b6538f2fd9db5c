#pragma once
// Chooses a kit's descriptor by the extension of a file's name.
#include <QFileInfo>
#include <QHash>
#include <QString>
#include <optional>

#include "sc_editor_kit.h"

namespace ui::sc {

class SyntaxFileMapper {
public:
    explicit SyntaxFileMapper(ScEditorKit& kit) : kit_(kit) {}

    void addRelation(const QString& extension, const QString& location);
    // Reloads the kit from the location related to the name's extension (the text after the last "."
    // of the name's last path part, in any case); without one the kit is left alone and the result is ok.
    ScResult resetSyntaxColor(const QString& fileName);
    ScResult resetSyntaxColor(const QFileInfo& file) { return resetSyntaxColor(file.filePath()); }

private:
    ScEditorKit& kit_;
    std::optional<QHash<QString, QString>> relations_;
};

}  // namespace ui::sc
