#pragma once
// The editor's file seam: what it asks of the file system before it reads or writes, from the Services in
// force (services.h). Tests give one that makes a file unreadable or a folder unwritable, which
// permissions cannot do for root.
#include <QString>

#include "guard/file_copy.h"

namespace editor {

using FileStatus = guard::PathStatus;

class Files {
public:
    virtual ~Files() = default;
    // Follows links, as opening the path would.
    virtual FileStatus status(const QString& path) const;
    // The two paths name one file (through links, hard or symbolic); false when either is missing.
    virtual bool sameFile(const QString& first, const QString& second) const;
};

Files& files();

}  // namespace editor
