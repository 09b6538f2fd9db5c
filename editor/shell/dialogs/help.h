#pragma once
#include "text_views.h"

namespace editor {

// A viewer for the kit's help pages; nothing in the editor opens it (Help opens the help file on the
// desktop instead).
class Help : public ui::TextBrowser {
    Q_OBJECT
public:
    Help();

    // The kit's Documentation/index.html.
    static QString page();
    // Loads the page, or says "Help files not found" when it cannot be read.
    void go();
};

}  // namespace editor
