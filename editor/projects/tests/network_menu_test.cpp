// The Tools menu's network entries open their windows over the main window.
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "editor_fixture.h"
#include "tools_side.h"

namespace editor {
namespace {

class NetworkMenuTest : public testing::EditorTest {
protected:
    NetworkMenuTest() { toolsInUse = &toolsSide; }
    ToolsSide toolsSide;
};

TEST_F(NetworkMenuTest, FtpToolAndUpdateTesvoZoridOpenTheirModalWindows) {
    Editor& editor = start();
    QMenu* tools = nullptr;
    for (QAction* top : editor.menuBar()->actions()) {
        if (top->text() == "Tools") tools = top->menu();
    }
    ASSERT_NE(tools, nullptr);
    QStringList seen;
    for (const QString& entry : {QString("FTP Tool"), QString("Update Tesvo Zorid")}) {
        QAction* chosen = nullptr;
        for (QAction* action : tools->actions()) {
            if (action->text() == entry) chosen = action;
        }
        ASSERT_NE(chosen, nullptr) << entry.toStdString();
        QTimer::singleShot(0, [&] {
            auto* opened = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(opened, nullptr);
            EXPECT_EQ(opened->parentWidget(), &editor);
            seen << opened->windowTitle();
            opened->reject();
        });
        chosen->trigger();
    }
    EXPECT_EQ(seen, QStringList({"FTP Editor ", "Tesvo Zorid Update Wizard"}));
}

}  // namespace
}  // namespace editor
