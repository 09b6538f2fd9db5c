// The container's bookkeeping without widgets: event sequences, refusals, snapshots, listeners.
#include <gtest/gtest.h>

#include <functional>

#include "tarnwell_controller.h"

namespace {

using ui::dockable::DockArea;
using ui::dockable::State;
using ui::dockable::TarnwellController;
using ui::dockable::TarnwellEvent;
using ui::dockable::TarnwellException;
using ui::dockable::TarnwellListener;

struct Recorder : TarnwellListener {
    QStringList events;
    std::function<void(const TarnwellEvent&)> then;
    void tarnwellAction(const TarnwellEvent& event) override {
        events.append(event.toString());
        if (then) then(event);
    }
};

// The editor's three windows.
void addEditorWindows(TarnwellController& controller) {
    controller.add("Cv", DockArea::Center);
    controller.add("Fi", DockArea::West);
    controller.add("Co", DockArea::South);
}

// Runs "op id" steps; a refused step records "error: " and its message. "-" stands for a null id.
QStringList run(TarnwellController& controller, const QStringList& steps) {
    QStringList failures;
    for (const QString& step : steps) {
        const QString op = step.section(' ', 0, 0);
        QString id = step.section(' ', 1);
        if (id == "-") id = QString();
        try {
            if (op == "hide") controller.hide(id);
            if (op == "show") controller.show(id);
            if (op == "maximize") controller.maximize(id);
            if (op == "restore") controller.restore(id);
            if (op == "toggle") controller.toggleMaximized(id);
            if (op == "remove") controller.remove(id);
            if (op == "extract") controller.extract(id);
            if (op == "dock") controller.dockBack(id);
            if (op == "fix") controller.setFixed(id, true);
        } catch (const TarnwellException& failure) {
            failures.append("error: " + failure.message());
        }
    }
    return failures;
}

QString describe(const TarnwellController& controller) {
    QStringList state{"windows:" + controller.ids().join(","), "hidden:" + controller.hiddenIds().join(",")};
    for (const QString& id : controller.ids()) {
        if (controller.isMaximized(id)) state.append("max:" + id);
        if (controller.find(id)->extracted) state.append("extracted:" + id);
    }
    return state.join(" ");
}

TEST(TarnwellController, SequencesFireTheirEventsAndLeaveTheirState) {
    struct Row {
        QStringList steps;
        QStringList events;  // events, then refusals
        QString state;
    };
    const Row rows[] = {
        {{"hide Fi"}, {"Fi hidden"}, "windows:Cv,Fi,Co hidden:Fi"},
        {{"hide Fi", "hide Fi"}, {"Fi hidden"}, "windows:Cv,Fi,Co hidden:Fi"},
        {{"hide Fi", "hide Co", "show Fi"},
         {"Fi hidden", "Co hidden", "Fi shown"},
         "windows:Cv,Fi,Co hidden:Co"},
        {{"show Fi"}, {"error: Unknown inner window Fi"}, "windows:Cv,Fi,Co hidden:"},
        {{"hide Fi", "show Fi", "show Fi"},
         {"Fi hidden", "Fi shown", "error: Unknown inner window Fi"},
         "windows:Cv,Fi,Co hidden:"},
        {{"maximize Cv", "maximize Co"}, {"Cv maximized", "Co maximized"}, "windows:Cv,Fi,Co hidden: max:Co"},
        {{"toggle Co"}, {"Co maximized"}, "windows:Cv,Fi,Co hidden: max:Co"},
        {{"toggle Co", "toggle Co"}, {"Co maximized"}, "windows:Cv,Fi,Co hidden:"},
        {{"maximize Cv", "restore Cv"}, {"Cv maximized"}, "windows:Cv,Fi,Co hidden:"},
        // Restoring a window that is not the maximized one leaves the maximized one alone.
        {{"maximize Cv", "restore Co"}, {"Cv maximized"}, "windows:Cv,Fi,Co hidden: max:Cv"},
        {{"remove Fi"}, {"Fi removed"}, "windows:Cv,Co hidden:"},
        {{"hide Fi", "remove Fi"}, {"Fi hidden", "Fi removed"}, "windows:Cv,Co hidden:"},
        {{"remove Xx"}, {}, "windows:Cv,Fi,Co hidden:"},
        {{"remove -"}, {"error: Invalid null id "}, "windows:Cv,Fi,Co hidden:"},
        {{"extract Co"}, {"Co extracted"}, "windows:Cv,Fi,Co hidden: extracted:Co"},
        {{"extract Co", "extract Co"}, {"Co extracted"}, "windows:Cv,Fi,Co hidden: extracted:Co"},
        {{"extract Co", "dock Co"}, {"Co extracted"}, "windows:Cv,Fi,Co hidden:"},
        {{"hide Fi", "extract Fi"}, {"Fi hidden", "Fi extracted"}, "windows:Cv,Fi,Co hidden: extracted:Fi"},
        {{"extract Co", "hide Co"}, {"Co extracted"}, "windows:Cv,Fi,Co hidden: extracted:Co"},
        {{"hide Xx", "maximize Xx", "restore Xx", "toggle Xx", "extract Xx", "fix Xx", "show Xx", "hide -"},
         {"error: Unknown inner window Xx", "error: Unknown inner window Xx",
          "error: Unknown inner window Xx", "error: Unknown inner window Xx",
          "error: Unknown inner window Xx", "error: Unknown inner window Xx",
          "error: Unknown inner window Xx", "error: Unknown inner window null"},
         "windows:Cv,Fi,Co hidden:"},
    };
    for (const Row& row : rows) {
        TarnwellController controller(nullptr);
        addEditorWindows(controller);
        Recorder recorder;
        controller.addListener(&recorder);
        const QStringList failures = run(controller, row.steps);
        EXPECT_EQ(recorder.events + failures, row.events) << row.steps.join("; ").toStdString();
        EXPECT_EQ(describe(controller), row.state) << row.steps.join("; ").toStdString();
    }
}

TEST(TarnwellController, QueriesOfUnknownIdsAndRefusedDuplicates) {
    TarnwellController controller(nullptr);
    addEditorWindows(controller);
    EXPECT_TRUE(controller.isHidden("Xx"));
    EXPECT_FALSE(controller.isFixed("Xx"));
    EXPECT_FALSE(controller.isMaximized("Xx"));
    controller.setFixed("Fi", true);
    EXPECT_TRUE(controller.isFixed("Fi"));
    try {
        controller.add("Fi", DockArea::East);
        ADD_FAILURE() << "a second window under one id";
    } catch (const TarnwellException& failure) {
        EXPECT_EQ(failure.message(), "Duplicate inner window Fi");
    }
    EXPECT_EQ(controller.find("Fi")->area, DockArea::West);
    EXPECT_EQ(ui::dockable::dockAreaFor("North"), DockArea::North);
    EXPECT_EQ(ui::dockable::dockAreaFor("Middle"), DockArea::Center);
    EXPECT_EQ(TarnwellEvent(nullptr, 9, QString()).toString(), "null ");
}

TEST(TarnwellController, SnapshotsRestoreDockPlacesHiddenAndMaximizedWindowsQuietly) {
    TarnwellController controller(nullptr);
    addEditorWindows(controller);
    controller.hide("Co");
    const std::unique_ptr<State> snapshot = controller.getState();

    controller.moved("Fi", DockArea::East);
    controller.show("Co");
    controller.hide("Fi");
    controller.maximize("Cv");
    Recorder recorder;
    controller.addListener(&recorder);
    controller.setState(snapshot.get());

    EXPECT_EQ(controller.find("Fi")->area, DockArea::West);
    EXPECT_EQ(describe(controller), "windows:Cv,Fi,Co hidden:Co");
    EXPECT_TRUE(recorder.events.isEmpty());

    struct Foreign : State {};
    Foreign foreign;
    for (const State* refused : {static_cast<const State*>(nullptr), static_cast<const State*>(&foreign)}) {
        try {
            controller.setState(refused);
            ADD_FAILURE() << "state accepted";
        } catch (const TarnwellException& failure) {
            EXPECT_EQ(failure.message(), "Unknown state class");
        }
    }
}

TEST(TarnwellController, ListenersMayChangeTheListenersTheWindowsOrTheContainerWhileTold) {
    auto controller = std::make_unique<TarnwellController>(nullptr);
    addEditorWindows(*controller);
    Recorder leaving, staying, late, removed;
    leaving.then = [&](const TarnwellEvent&) {
        controller->removeListener(&leaving);
        controller->removeListener(&removed);
        controller->addListener(&late);
        controller->remove("Cv");
    };
    controller->addListener(&leaving);
    controller->addListener(&staying);
    controller->addListener(&removed);
    controller->hide("Fi");
    // The window removal inside the first notification is heard in full before the rest of the first.
    EXPECT_EQ(leaving.events, QStringList({"Fi hidden"}));
    EXPECT_EQ(staying.events, QStringList({"Cv removed", "Fi hidden"}));
    EXPECT_EQ(late.events, QStringList({"Cv removed"}));
    EXPECT_TRUE(removed.events.isEmpty());

    Recorder ending, after;
    ending.then = [&](const TarnwellEvent&) { controller.reset(); };
    TarnwellController& doomed = *controller;
    doomed.addListener(&ending);
    doomed.addListener(&after);
    doomed.hide("Co");
    EXPECT_EQ(controller, nullptr);
    EXPECT_TRUE(after.events.isEmpty());
}

}  // namespace
