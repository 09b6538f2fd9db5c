// Title-bar action models, the action property names, the common actions and their registry.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QToolButton>
#include <functional>
#include <memory>

#include "common_actions.h"
#include "inner_window.h"
#include "title_bar.h"

namespace {

using ui::dockable::InnerWindowProperties;
using ui::dockable::ZoridInnerWindow;
using ui::dockable::action::ActionModel;
using ui::dockable::action::ModelStateListener;
using ui::dockable::action::ZoridActionModel;
using ui::dockable::action::common::CommonActionManager;
using ui::dockable::action::common::ExtractAction;
using ui::dockable::action::common::MaxMinAction;

class LargerMaxMinAction : public MaxMinAction {};

QAction* named(const char* text, QObject* owner) {
    return new QAction(text, owner);
}

TEST(ZoridActionModel, HoldsTheArrayReversedWithSeparatorsAndRefusesBadIndexes) {
    QObject owner;
    QAction* a = named("A", &owner);
    QAction* b = named("B", &owner);
    QAction* c = named("C", &owner);
    ZoridActionModel model({a, nullptr, b, c});
    EXPECT_EQ(model.toString(), "[C,B,null,A]");
    EXPECT_TRUE(model.isSeparator(2));
    EXPECT_FALSE(model.isSeparator(0) || model.isSeparator(1) || model.isSeparator(3));
    EXPECT_EQ(model.getAction(0), c);

    EXPECT_THROW(model.getAction(4), std::out_of_range);
    EXPECT_THROW(model.isSeparator(-1), std::out_of_range);
    EXPECT_THROW(model.addAction(a, 5), std::out_of_range);
    model.addAction(a, 4);
    model.removeAction(a);
    EXPECT_EQ(model.toString(), "[C,B,null,A]");

    try {
        ZoridActionModel refused(static_cast<const QList<QAction*>*>(nullptr));
        ADD_FAILURE() << "a null list accepted";
    } catch (const std::invalid_argument& failure) {
        EXPECT_STREQ(failure.what(), "Null actions ? ");
    }
}

TEST(ZoridActionModel, FindsTheExactClassOnly) {
    QObject owner;
    auto* larger = new LargerMaxMinAction;
    larger->setParent(&owner);
    ZoridActionModel model;
    model.addAction(larger);
    EXPECT_EQ(model.getActionByClass<MaxMinAction>(), nullptr);
    auto* plain = new MaxMinAction(&owner);
    model.addAction(plain);
    EXPECT_EQ(model.getActionByClass<MaxMinAction>(), plain);
    EXPECT_EQ(model.getActionByClass<LargerMaxMinAction>(), larger);
    EXPECT_EQ(model.getActionByClass<ExtractAction>(), nullptr);
}

struct Counting : ModelStateListener {
    Counting(QStringList* log, const QString& name) : log(log), name(name) {}
    QStringList* log;
    QString name;
    std::function<void()> then;
    void modelModified(ActionModel&) override {
        log->append(name);
        if (then) then();
    }
};

TEST(ZoridActionModel, TellsEachListenerInOrderOncePerChangeAndForgetsDeletedActions) {
    QStringList log;
    ZoridActionModel model;
    Counting first(&log, "first"), second(&log, "second");
    first.then = [&] { model.removeModelStateListener(&first); };
    model.addModelStateListener(&first);
    model.addModelStateListener(&second);
    auto* doomed = new QAction("doomed");
    model.addAction(doomed);
    model.addAction(nullptr);
    EXPECT_EQ(log, QStringList({"first", "second", "second"}));
    delete doomed;
    EXPECT_EQ(model.getActionCount(), 1);
    EXPECT_TRUE(model.isSeparator(0));
    EXPECT_EQ(log.size(), 4);
    model.removeAll();
    EXPECT_EQ(model.getActionCount(), 0);
    EXPECT_EQ(log.size(), 5);
}

TEST(ActionValues, TheKitsPropertyNamesMapOntoTheAction) {
    QAction action;
    namespace values = ui::dockable::action;
    values::putValue(action, "Name", "Copy");
    values::putValue(action, "ShortDescription", "Copy the selection");
    values::putValue(action, "AcceleratorKey", QKeySequence("Ctrl+C"));
    values::putValue(action, "ActionCommand", "copy");
    EXPECT_EQ(action.text(), "Copy");
    EXPECT_EQ(action.toolTip(), "Copy the selection");
    EXPECT_EQ(action.shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(values::getValue(action, "ActionCommand").toString(), "copy");
    EXPECT_EQ(values::getValue(action, "Name").toString(), "Copy");

    MaxMinAction maxMin;
    ExtractAction extract;
    for (QAction* common : {static_cast<QAction*>(&maxMin), static_cast<QAction*>(&extract)}) {
        const QIcon icon = values::getValue(*common, "SmallIcon").value<QIcon>();
        EXPECT_EQ(icon.availableSizes(), QList<QSize>({QSize(16, 16)}));
    }
}

TEST(CommonActions, WithoutAWindowTheyReachNothingAndExtractStillDisablesItself) {
    ExtractAction extract;
    MaxMinAction maxMin;
    EXPECT_EQ(extract.getTarnwell(), nullptr);
    EXPECT_EQ(extract.getView(), nullptr);
    extract.trigger();
    maxMin.trigger();
    EXPECT_FALSE(extract.isEnabled());
    EXPECT_TRUE(maxMin.isEnabled());
}

QStringList titleBarButtons(ZoridInnerWindow& window) {
    window.getActionModel();
    QStringList kinds;
    auto* bar = dynamic_cast<ui::dockable::DefaultTitleBar*>(window.titleBar());
    for (QAbstractButton* button : bar->buttons()) {
        auto* tool = qobject_cast<QToolButton*>(button);
        QAction* shown = tool ? tool->defaultAction() : nullptr;
        if (dynamic_cast<MaxMinAction*>(shown)) {
            kinds.append("maxmin");
        } else if (dynamic_cast<ExtractAction*>(shown)) {
            kinds.append("extract");
        } else {
            kinds.append(shown ? shown->text() : "?");
        }
    }
    return kinds;
}

TEST(CommonActionManager, RegistersKnownClassesInOrderWithDuplicatesAndRefusesUnknownOnes) {
    ASSERT_EQ(CommonActionManager::getCommonActionCount(), 1);
    EXPECT_EQ(CommonActionManager::getCommonActionAt(0), MaxMinAction::className);

    EXPECT_FALSE(
        CommonActionManager::addCommonAction("com.vandrel.framework.dockable.action.common.Nothing"));
    EXPECT_EQ(CommonActionManager::getCommonActionCount(), 1);

    EXPECT_TRUE(CommonActionManager::addCommonAction(ExtractAction::className));
    EXPECT_TRUE(CommonActionManager::addCommonAction(ExtractAction::className));
    {
        QObject owner;
        auto model =
            std::make_shared<ZoridActionModel>(QList<QAction*>{named("Copy", &owner), named("Cut", &owner)});
        ZoridInnerWindow window(InnerWindowProperties("Cv", "Code View", QIcon(), model, new QLabel("code")));
        EXPECT_EQ(titleBarButtons(window), QStringList({"Cut", "Copy", "maxmin", "extract", "extract"}));
        // The window's own model refills its bar when it changes.
        model->addAction(named("Paste", &owner), 0);
        EXPECT_EQ(titleBarButtons(window),
                  QStringList({"Paste", "Cut", "Copy", "maxmin", "extract", "extract"}));
    }
    CommonActionManager::removeCommonAction(ExtractAction::className);
    {
        // A common action in the window's own model acts on the window too.
        auto* ownMaxMin = new MaxMinAction;
        auto model = std::make_shared<ZoridActionModel>(QList<QAction*>{ownMaxMin});
        ZoridInnerWindow window(InnerWindowProperties("Co", "Output", QIcon(), model, new QLabel("output")));
        ownMaxMin->setParent(&window);
        EXPECT_EQ(ownMaxMin->getView(), &window);
        // The bar offers each class once: the common maximize is left out, the common extract stays.
        EXPECT_EQ(titleBarButtons(window), QStringList({"maxmin", "extract"}));
        ExtractAction* extract = window.getActionModel()->getActionByClass<ExtractAction>();
        ASSERT_NE(extract, nullptr);
        EXPECT_EQ(extract->parent(), &window);
    }
    {
        // Both common classes among the own actions: the bar shows the own ones alone.
        QObject owner;
        auto model = std::make_shared<ZoridActionModel>(
            QList<QAction*>{named("Copy", &owner), new ExtractAction(&owner), new MaxMinAction(&owner)});
        ZoridInnerWindow window(InnerWindowProperties("Cv", "Code View", QIcon(), model, new QLabel("code")));
        EXPECT_EQ(titleBarButtons(window), QStringList({"maxmin", "extract", "Copy"}));
        EXPECT_EQ(window.getActionModel()->getActionCount(), 2);
    }
    CommonActionManager::removeCommonAction(ExtractAction::className);
    EXPECT_EQ(CommonActionManager::getCommonActionCount(), 1);
}

TEST(InnerWindowProperties, RefusesANullIdBeforeANullView) {
    const auto message = [](const QString& id, QWidget* view) {
        try {
            InnerWindowProperties properties(id, "t", view);
        } catch (const std::invalid_argument& failure) {
            return std::string(failure.what());
        }
        return std::string("accepted");
    };
    QLabel view;
    EXPECT_EQ(message(QString(), nullptr), "Invalid id, it cannot be null !");
    EXPECT_EQ(message("x", nullptr), "Invalid view, it cannot be null !");
    EXPECT_EQ(message("x", &view), "accepted");
}

}  // namespace
