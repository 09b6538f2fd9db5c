#pragma once
// The strip under the container that offers one button per hidden inner window.
#include <QToolBar>

namespace ui::dockable {

class Tarnwell;

class ZoridStatusBar : public QToolBar {
    Q_OBJECT
public:
    ZoridStatusBar();
    // One button per hidden window of `tarnwell`, in the order they were hidden; choosing one shows the
    // window again.
    void prepare(Tarnwell* tarnwell);
    void dispose();
};

}  // namespace ui::dockable
