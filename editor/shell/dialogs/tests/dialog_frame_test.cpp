#include "dialog_frame.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "error_dialogs.h"
#include "small_dialogs.h"

namespace editor {
namespace {

TEST(DialogFrame, SizesFollowTheScreen) {
    struct Row {
        int width, height;
        int screenSize;
        double ratio;
        FrameRule rule;
        QSize size;
    };
    const Row rows[] = {
        {1280, 1024, 1280, 1.0666666666666667, frames::error, {445, 215}},
        {1024, 768, 1024, 1.0, frames::error, {380, 161}},
        {1920, 1080, 1440, 1.0, frames::error, {534, 227}},
        {1280, 800, 1066, 1.0, frames::error, {395, 168}},
        {1280, 960, 1280, 1.0, frames::error, {475, 202}},
        {1280, 960, 1280, 1.0, frames::warning, {475, 214}},
        // One double off their quotients: 466.99999999999994 and 239.00000000000003 before truncation.
        {1280, 960, 1280, 1.0, frames::typeCreator, {466, 431}},
        {1280, 960, 1280, 1.0, frames::openProject, {466, 168}},
        {1280, 960, 1280, 1.0, frames::manualEntry, {393, 239}},
        {1280, 960, 1280, 1.0, frames::about, {444, 439}},
        {1280, 960, 1280, 1.0, frames::j2meCompile, {467, 350}},
        {800, 1280, 800, 1.0, frames::openImage, {254, 120}},
    };
    for (const Row& row : rows) {
        const ScreenMetrics screen = screenMetrics(row.width, row.height);
        EXPECT_EQ(screen.screenSize, row.screenSize) << row.width << "x" << row.height;
        EXPECT_EQ(screen.pixelAspectRatio, row.ratio) << row.width << "x" << row.height;
        EXPECT_EQ(windowSizeFor(screen, row.rule.widthFactor, row.rule.heightFactor), row.size)
            << row.width << "x" << row.height << " " << row.rule.widthFactor;
    }
}

TEST(DialogFrame, MarginsAndTitleFontsScale) {
    EXPECT_EQ(translateMargins(screenMetrics(1280, 960), 2, 2, 2, 2), QMargins(3, 3, 3, 3));
    // The aspect correction: top and bottom stay 3, left and right become 2.
    EXPECT_EQ(translateMargins(screenMetrics(1280, 1024), 2, 2, 2, 2), QMargins(2, 3, 2, 3));
    EXPECT_EQ(translateMargins(screenMetrics(1024, 768), 2, 2, 2, 2), QMargins(2, 2, 2, 2));
    EXPECT_EQ(translateMargins(screenMetrics(1280, 960), 10, 0, 1, 20), QMargins(0, 13, 26, 1));

    // Single precision throughout: the float product is not the double one.
    EXPECT_EQ(titleFontSize(9, errorTitleScale), 15.3f);
    EXPECT_NE(double(titleFontSize(9, errorTitleScale)), 9 * 1.7);
    EXPECT_EQ(titleFontSize(10, dialogTitleScale), 16.0f);
}

TEST(DialogFrame, ShownAtLeastItsMinimumSizeAndCentred) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Error error(nullptr, "Could not write", "Write Project");
    EXPECT_EQ(error.windowSize(),
              windowSizeFor(screenMetrics(screen.width(), screen.height()), 0.37109375, 0.1578125));
    error.show();
    EXPECT_GE(error.width(), error.windowSize().width());
    EXPECT_GE(error.height(), error.windowSize().height());
    EXPECT_EQ(error.minimumSize(), error.maximumSize()) << "Error is of fixed size";
    EXPECT_TRUE(error.isModal());
    // Centred to within the window frame, which is not known before the first showing.
    EXPECT_LE(std::abs(error.frameGeometry().center().x() - screen.center().x()), 3);
    EXPECT_LE(std::abs(error.frameGeometry().center().y() - screen.center().y()), 3);

    // A long heading packs wider than the minimum, and the window keeps the packed width.
    Error wide(nullptr, QString(120, 'W'), "Build");
    wide.show();
    EXPECT_GT(wide.width(), wide.windowSize().width());
    EXPECT_GE(wide.width(), wide.findChild<QLabel*>("label1")->sizeHint().width());
    EXPECT_GE(wide.height(), wide.windowSize().height());

    About about(nullptr);
    EXPECT_FALSE(about.isModal());
    about.show();
    EXPECT_NE(about.minimumSize(), about.maximumSize()) << "About can be resized";
}

TEST(DialogFrame, RowsTopToBottomAndButtonsAtTheRight) {
    Warning warning(nullptr, "Missing file", "Read Project");
    warning.show();
    const char* rows[] = {"label1", "label2", "separator1", "label3", "separator2", "label4"};
    int previousBottom = -1;
    for (const char* name : rows) {
        QWidget* row = warning.findChild<QWidget*>(name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_GT(row->y(), previousBottom) << name;
        EXPECT_GT(row->width(), warning.width() / 2) << name << " fills its row";
        previousBottom = row->geometry().bottom();
    }
    const auto* dismiss = warning.findChild<QPushButton*>("button1");
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const int margin = warning.width() - dismiss->mapTo(&warning, QPoint(dismiss->width(), 0)).x();
    EXPECT_EQ(margin, translateMargins(screenMetrics(screen.width(), screen.height()), 2, 2, 2, 2).right());
    EXPECT_GT(dismiss->mapTo(&warning, QPoint(0, 0)).y(), previousBottom);
    EXPECT_EQ(dismiss->text(), "Dismiss");
}

TEST(DialogFrame, CustomSeparatorIsOneLineOfItsOrientation) {
    for (int orientation : {0, 1, 7}) {
        CustomSeparator separator(orientation);
        const QList<QFrame*> lines = separator.findChildren<QFrame*>();
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0]->frameShape(), orientation == 0 ? QFrame::HLine : QFrame::VLine);
    }
}

}  // namespace
}  // namespace editor
