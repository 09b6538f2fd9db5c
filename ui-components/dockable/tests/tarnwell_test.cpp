// The container on screen (offscreen platform): placement, title bars, selection, maximizing, the status
// bar, extraction into a frame and back, icon checks and snapshots.
#include "tarnwell.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QRubberBand>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include "common_actions.h"
#include "component_factory.h"
#include "gui_harness.h"
#include "title_bar.h"
#include "ui_defaults.h"

namespace {

using namespace ui::dockable;
using action::common::CommonActionManager;
using action::common::ExtractAction;

struct Recorder : TarnwellListener {
    QStringList events;
    void tarnwellAction(const TarnwellEvent& event) override { events.append(event.toString()); }
};

// The editor's container: "Cv" in the centre, "Fi" west, "Co" south, shown at 800 x 600.
struct EditorDock {
    Tarnwell tarnwell;
    QWidget* view = nullptr;

    explicit EditorDock(bool statusBar = false) {
        tarnwell.setEnabledStatusBar(statusBar);
        tarnwell.addInnerWindow(InnerWindowProperties("Cv", "Code View", new QLabel("code")), "Center");
        tarnwell.addInnerWindow(InnerWindowProperties("Fi", "Project", new QLabel("files")), "West");
        tarnwell.addInnerWindow(InnerWindowProperties("Co", "Compiler Output", new QLabel("output")),
                                "South");
        view = tarnwell.getView();
        view->resize(800, 600);
        view->show();
        ui::testing::processEventsFor(50);
    }
    ZoridInnerWindow* window(const char* id) { return tarnwell.innerWindowForId(id); }
    DefaultTitleBar* bar(const char* id) { return dynamic_cast<DefaultTitleBar*>(window(id)->titleBar()); }
    QRect placeOf(const char* id) {
        QWidget* shown = window(id);
        return QRect(shown->mapTo(view, QPoint(0, 0)), shown->size());
    }
};

// Registers the extract action for the windows a test makes, and takes it away again.
struct WithExtract {
    WithExtract() { CommonActionManager::addCommonAction(ExtractAction::className); }
    ~WithExtract() { CommonActionManager::removeCommonAction(ExtractAction::className); }
};

QString failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const TarnwellException& failure) {
        return failure.message();
    }
    return "accepted";
}

TEST(Tarnwell, PlacesTheEditorsWindowsByTheirConstraints) {
    EditorDock dock;
    const QRect code = dock.placeOf("Cv"), files = dock.placeOf("Fi"), output = dock.placeOf("Co");
    EXPECT_LT(files.right(), code.left());
    EXPECT_GT(output.top(), code.bottom());
    EXPECT_LT(output.left(), code.right());
    EXPECT_GE(files.height(), code.height() + output.height());
    for (const char* id : {"Cv", "Fi", "Co"}) {
        EXPECT_FALSE(dock.tarnwell.isInnerWindowHidden(id)) << id;
        EXPECT_TRUE(dock.bar(id)->isVisible()) << id;
        QWidget* content = dock.tarnwell.getInnerWindowViewForId(id);
        EXPECT_LE(dock.bar(id)->mapTo(dock.view, QPoint(0, dock.bar(id)->height())).y(),
                  content->mapTo(dock.view, QPoint(0, 0)).y())
            << id;
    }
    EXPECT_EQ(dock.tarnwell.getView(), dock.view);
    EXPECT_EQ(dock.view, dock.tarnwell.innerPanel());
    EXPECT_EQ(dock.tarnwell.getMinimalInnerWindowSize(), QSize(10, 10));
    EXPECT_EQ(dock.window("Fi")->minimumSize(), QSize(10, 10));
    EXPECT_EQ(dock.tarnwell.getInnerWindowTitleForId("Co"), "Compiler Output");
    EXPECT_EQ(dock.tarnwell.getInnerWindowViewForId("Xx"), nullptr);
    EXPECT_EQ(dock.tarnwell.getInnerWindowActionsForId("Xx"), nullptr);
    EXPECT_EQ(failureOf([&] { dock.tarnwell.setInnerWindowTitleForId("Xx", "t"); }),
              "Unknown inner window Xx");
    EXPECT_EQ(failureOf([&] {
                  dock.tarnwell.addInnerWindow(static_cast<const InnerWindowProperties*>(nullptr), "East");
              }),
              "properties can't be null");
}

// Drags a title bar to a point of the view as a user does; `hovering` runs before the button is let go.
void dragTitleBar(QWidget* bar, QWidget* view, QPoint target, const std::function<void()>& hovering = {}) {
    const QPoint start(10, 5);
    const QPoint from = bar->mapToGlobal(start), to = view->mapToGlobal(target);
    const auto receiver = [bar] { return QWidget::mouseGrabber() ? QWidget::mouseGrabber() : bar; };
    QTest::mousePress(bar, Qt::LeftButton, {}, start);
    for (int step = 1; step <= 20; ++step) {
        QTest::mouseMove(receiver(), receiver()->mapFromGlobal(from + (to - from) * step / 20));
        QCoreApplication::processEvents();
    }
    if (hovering) hovering();
    QTest::mouseRelease(receiver(), Qt::LeftButton, {}, receiver()->mapFromGlobal(to));
    ui::testing::processEventsFor(50);
}

TEST(Tarnwell, DraggingATitleBarReDocksTheWindowOverAShadowOfTheSetColour) {
    EditorDock dock;
    Recorder recorder;
    dock.tarnwell.addTarnwellListener(&recorder);
    dock.tarnwell.setDraggingShadowColor(Qt::red);
    const std::unique_ptr<State> west = dock.tarnwell.getState();
    QImage shadow;
    dragTitleBar(dock.bar("Fi"), dock.view, QPoint(795, 300), [&] {
        QRubberBand* band = nullptr;
        ASSERT_TRUE(ui::testing::waitUntil([&] {
            for (QRubberBand* candidate : dock.view->findChildren<QRubberBand*>()) {
                if (candidate->isVisible()) band = candidate;
            }
            return band != nullptr;
        }));
        shadow = band->grab().toImage();
    });
    // Qt animates the drop; the window is plugged in when it ends.
    EXPECT_TRUE(ui::testing::waitUntil([&] { return recorder.events.contains("Fi moved"); }));
    ASSERT_FALSE(shadow.isNull());
    const QColor middle = shadow.pixelColor(shadow.rect().center());
    EXPECT_GT(middle.red(), middle.green() + 40);
    EXPECT_GT(dock.placeOf("Fi").left(), dock.placeOf("Cv").right());
    EXPECT_EQ(recorder.events, QStringList({"Fi selected", "Fi moved"}));

    // A fixed window stays where it is; the snapshot taken before the drag puts the window back west.
    dock.tarnwell.setInnerWindowFixed("Co", true);
    const QRect output = dock.placeOf("Co");
    dragTitleBar(dock.bar("Co"), dock.view, QPoint(5, 300));
    EXPECT_EQ(dock.placeOf("Co"), output);
    EXPECT_TRUE(dock.tarnwell.isInnerWindowFixed("Co"));
    EXPECT_EQ(recorder.events.last(), "Co selected");
    dock.tarnwell.setState(west.get());
    ui::testing::processEventsFor(50);
    EXPECT_LT(dock.placeOf("Fi").right(), dock.placeOf("Cv").left());
}

TEST(Tarnwell, SelectingMovesTheOneFocusedTitleBar) {
    ui::clearDefaults();
    EditorDock dock;
    Recorder recorder;
    dock.tarnwell.addTarnwellListener(&recorder);
    dock.tarnwell.selectInnerWindow("Fi");
    dock.tarnwell.selectInnerWindow("Co");
    dock.tarnwell.selectInnerWindow("Co");
    dock.tarnwell.selectInnerWindow("Xx");
    EXPECT_EQ(recorder.events, QStringList({"Fi selected", "Co selected"}));
    EXPECT_FALSE(dock.bar("Fi")->isFocusMode());
    EXPECT_TRUE(dock.bar("Co")->isFocusMode());
    EXPECT_EQ(dock.bar("Co")->gradientStart(), QColor(0, 0, 128));
    EXPECT_EQ(dock.bar("Co")->gradientStop(), dock.bar("Co")->palette().color(QPalette::Window));

    QTest::mouseClick(dock.bar("Cv"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(recorder.events.last(), "Cv selected");
    EXPECT_FALSE(dock.bar("Co")->isFocusMode());

    ui::setDefaultColor("tarnwell.innerwindow.gradient.selectedStartColor", Qt::darkGreen);
    DefaultTitleBar looked("looked");
    looked.focusMode(true);
    EXPECT_EQ(looked.gradientStart(), QColor(Qt::darkGreen));
    EXPECT_FALSE(dock.bar("Cv")->isFocusMode());
    ui::clearDefaults();
}

TEST(Tarnwell, MaximizingFillsTheAreaAndRestoringDocksAgain) {
    EditorDock dock;
    Recorder recorder;
    dock.tarnwell.addTarnwellListener(&recorder);
    dock.tarnwell.maximizeInnerWindow("Co");
    ui::testing::processEventsFor(20);
    EXPECT_TRUE(dock.tarnwell.isMaximizedInnerWindow("Co"));
    EXPECT_TRUE(dock.window("Co")->isVisible());
    EXPECT_FALSE(dock.window("Cv")->isVisible());
    EXPECT_EQ(dock.placeOf("Co"), dock.view->rect());

    dock.tarnwell.maximizedRestoredInnerWindow("Co");
    ui::testing::processEventsFor(20);
    EXPECT_FALSE(dock.tarnwell.isMaximizedInnerWindow("Co"));
    EXPECT_TRUE(qobject_cast<QDockWidget*>(dock.window("Co")->parentWidget()));
    EXPECT_TRUE(dock.window("Cv")->isVisible());
    EXPECT_GT(dock.placeOf("Co").top(), dock.placeOf("Cv").bottom());
    EXPECT_EQ(recorder.events, QStringList({"Co maximized"}));
}

TEST(Tarnwell, TheStatusBarOffersEachHiddenWindowAndShowsItAgain) {
    EditorDock dock(true);
    ASSERT_NE(dock.tarnwell.statusBar(), nullptr);
    EXPECT_NE(dock.view, dock.tarnwell.innerPanel());
    dock.tarnwell.hideInnerWindow("Fi");
    dock.tarnwell.hideInnerWindow("Co");
    ui::testing::processEventsFor(20);
    EXPECT_FALSE(dock.window("Fi")->isVisible());
    QList<QAction*> offered = dock.tarnwell.statusBar()->actions();
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered[0]->text(), "Project");
    EXPECT_EQ(offered[1]->toolTip(), "Compiler Output");

    QTest::mouseClick(dock.tarnwell.statusBar()->widgetForAction(offered[0]), Qt::LeftButton);
    EXPECT_TRUE(ui::testing::waitUntil([&] { return !dock.tarnwell.isInnerWindowHidden("Fi"); }));
    ui::testing::processEventsFor(20);
    EXPECT_TRUE(dock.window("Fi")->isVisible());
    EXPECT_LT(dock.placeOf("Fi").right(), dock.placeOf("Cv").left());
    offered = dock.tarnwell.statusBar()->actions();
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0]->text(), "Compiler Output");

    dock.tarnwell.setEnabledStatusBar(false);
    EXPECT_FALSE(dock.tarnwell.statusBar()->isVisible());
}

TEST(Tarnwell, ExtractingOpensOneFrameClosingItDocksTheWindowAndDisposeClosesIt) {
    WithExtract extractable;
    EditorDock dock;
    Recorder recorder;
    dock.tarnwell.addTarnwellListener(&recorder);
    ExtractAction* extract = dock.window("Co")->getActionModel()->getActionByClass<ExtractAction>();
    ASSERT_NE(extract, nullptr);

    extract->trigger();
    EXPECT_FALSE(extract->isEnabled());
    ASSERT_EQ(DockManager::dockedFrames().size(), 1);
    QWidget* frame = DockManager::dockedFrames().first();
    EXPECT_TRUE(ui::testing::waitUntil([&] { return dock.window("Co")->window() == frame; }));
    EXPECT_TRUE(dock.tarnwell.isInnerWindowHidden("Co"));
    EXPECT_EQ(recorder.events, QStringList({"Co extracted"}));

    frame->close();
    ui::testing::processEventsFor(20);
    EXPECT_EQ(dock.window("Co")->window(), dock.view);
    EXPECT_FALSE(dock.tarnwell.isInnerWindowHidden("Co"));
    EXPECT_TRUE(extract->isEnabled());
    EXPECT_TRUE(DockManager::dockedFrames().isEmpty());

    extract->trigger();
    ui::testing::processEventsFor(20);
    DockManager::removeAllDockedFrame();
    ui::testing::processEventsFor(20);
    EXPECT_EQ(dock.window("Co")->window(), dock.view);
    EXPECT_TRUE(extract->isEnabled());

    dock.tarnwell.extractInnerWindow("Fi");
    ui::testing::processEventsFor(20);
    EXPECT_EQ(DockManager::dockedFrames().size(), 1);
    dock.tarnwell.dispose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidgetList open;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window != dock.view) open.append(window);
    }
    EXPECT_TRUE(open.isEmpty());
    EXPECT_EQ(dock.tarnwell.innerWindowForId("Fi"), nullptr);
}

TEST(Tarnwell, RemovalTakesTheWindowAndItsViewAway) {
    EditorDock dock;
    QPointer<QWidget> files = dock.tarnwell.getInnerWindowViewForId("Fi");
    Recorder recorder;
    dock.tarnwell.addTarnwellListener(&recorder);
    dock.tarnwell.removeInnerWindow("Fi");
    dock.tarnwell.removeInnerWindow("Fi");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(files, nullptr);
    EXPECT_EQ(recorder.events, QStringList({"Fi removed"}));
    EXPECT_TRUE(dock.tarnwell.isInnerWindowHidden("Fi"));
    EXPECT_EQ(failureOf([&] { dock.tarnwell.removeInnerWindow(QString()); }), "Invalid null id ");
}

TEST(Tarnwell, IconsMustBeSixteenBySixteen) {
    EditorDock dock;
    const auto iconOf = [](QSize size) {
        QPixmap pixmap(size);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    };
    struct Row {
        QIcon icon;
        bool accepted;
    };
    const Row rows[] = {{iconOf({16, 16}), true},
                        {iconOf({16, 32}), false},
                        {iconOf({32, 16}), false},
                        {iconOf({15, 15}), false},
                        {QIcon(), true}};
    int added = 0;
    for (const Row& row : rows) {
        const QString id = QString("E%1").arg(added++);
        EXPECT_EQ(failureOf([&] { dock.tarnwell.setInnerWindowIconForId("Fi", row.icon); }),
                  row.accepted ? "accepted" : "Invalid icon must be 16x16 !");
        // A refused view stays with the caller.
        auto view = std::make_unique<QLabel>();
        EXPECT_EQ(failureOf([&] {
                      dock.tarnwell.addInnerWindow(InnerWindowProperties(id, "t", row.icon, view.get()),
                                                   "East");
                  }),
                  row.accepted ? "accepted" : "Invalid icon, must be 16x16 !");
        EXPECT_EQ(dock.tarnwell.innerWindowForId(id) != nullptr, row.accepted);
        if (row.accepted) view.release();
    }
    EXPECT_EQ(failureOf([&] { dock.tarnwell.setInnerWindowIconForId("Xx", iconOf({16, 16})); }), "accepted");
}

TEST(Tarnwell, ASnapshotPutsHiddenWindowsBack) {
    EditorDock dock(true);
    const std::unique_ptr<State> snapshot = dock.tarnwell.getState();
    dock.tarnwell.hideInnerWindow("Fi");
    dock.tarnwell.maximizeInnerWindow("Cv");
    dock.tarnwell.setState(snapshot.get());
    ui::testing::processEventsFor(20);
    EXPECT_FALSE(dock.tarnwell.isInnerWindowHidden("Fi"));
    EXPECT_FALSE(dock.tarnwell.isMaximizedInnerWindow("Cv"));
    EXPECT_TRUE(dock.window("Fi")->isVisible());
    EXPECT_TRUE(dock.window("Co")->isVisible());
    EXPECT_TRUE(dock.tarnwell.statusBar()->actions().isEmpty());
    EXPECT_EQ(failureOf([&] { dock.tarnwell.setState(nullptr); }), "Unknown state class");
}

TEST(Tarnwell, TheMenuWindowGetsOneCheckItemPerWindow) {
    QMenu menu;
    Tarnwell tarnwell;
    tarnwell.setMenuWindow(&menu);
    tarnwell.addInnerWindow(InnerWindowProperties("Cv", "Code View", new QLabel("code")), "Center");
    tarnwell.addInnerWindow(InnerWindowProperties("Fi", "Project", new QLabel("files")), "West");
    QWidget* view = tarnwell.getView();
    view->show();
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[1]->text(), "Project");
    menu.actions()[1]->toggle();
    EXPECT_TRUE(tarnwell.isInnerWindowHidden("Fi"));
    tarnwell.showInnerWindow("Fi");
    EXPECT_TRUE(menu.actions()[1]->isChecked());
    tarnwell.removeInnerWindow("Fi");
    EXPECT_EQ(menu.actions().size(), 1);
}

TEST(DockManager, FramesAndTitleBarsDestroyedElsewhereDropOut) {
    QLabel content;
    ZoridInnerWindow window(InnerWindowProperties("x", "t", new QLabel("x")));
    auto* frame = ComponentFactory::getComponentFactory().buildDockedFrame(nullptr, &window);
    frame->show();
    delete frame;
    EXPECT_TRUE(DockManager::dockedFrames().isEmpty());
    DockManager::removeAllDockedFrame();
    {
        DefaultTitleBar gone;
        gone.focusMode(true);
        EXPECT_EQ(DockManager::focusedTitleBar(), &gone);
    }
    EXPECT_EQ(DockManager::focusedTitleBar(), nullptr);
    EXPECT_EQ(window.getTarnwell(), nullptr);
    EXPECT_TRUE(window.toString().startsWith("Frame:"));
}

}  // namespace

namespace {

TEST(Tarnwell, OutlivesAHostWindowThatTookItsViewAlong) {
    ui::dockable::Tarnwell tarnwell;
    ui::dockable::action::common::CommonActionManager::addCommonAction(
        ui::dockable::action::common::ExtractAction::className);
    tarnwell.addInnerWindow(ui::dockable::InnerWindowProperties("Cv", "Code View", new QLabel("code")),
                            "Center");
    tarnwell.addInnerWindow(ui::dockable::InnerWindowProperties("Fi", "Project", new QLabel("files")),
                            "West");
    auto* host = new QWidget;
    auto* layout = new QVBoxLayout(host);
    layout->addWidget(tarnwell.getView());
    host->show();
    tarnwell.extractInnerWindow("Fi");
    ui::testing::processEventsFor(20);
    delete host;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tarnwell.innerWindowForId("Cv"), nullptr);
    tarnwell.hideInnerWindow("Cv");
    tarnwell.selectInnerWindow("Cv");
    tarnwell.maximizeInnerWindow("Cv");
    tarnwell.removeInnerWindow("Fi");
    ui::dockable::DockManager::removeAllDockedFrame();
    tarnwell.dispose();
    ui::dockable::action::common::CommonActionManager::removeCommonAction(
        ui::dockable::action::common::ExtractAction::className);
}

}  // namespace
