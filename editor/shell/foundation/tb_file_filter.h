#pragma once
#include <QFileInfo>
#include <QString>

namespace editor {

// The open dialog's filter: folders, and files whose extension is "bss" or "tbp" in any case.
class TBFileFilter {
public:
    bool accept(const QFileInfo& file) const;
    QString getDescription() const;
    // The same rule as a Qt name filter, for QFileDialog.
    QString nameFilter() const;

private:
    // After the last ".", lower-cased; "" when that "." opens or ends the name.
    static QString getExtension(const QFileInfo& file);
};

}  // namespace editor
