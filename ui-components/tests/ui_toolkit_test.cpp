// The labels, the multi-choice button and the image lookup: resources first, then the kit folder, and a
// missing or broken image blank and reported on standard error, never as a Qt warning.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "gui_harness.h"

// Readable failures: gtest finds this printer beside QString.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
#include "ui_defaults.h"
#include "ui_toolkit.h"

namespace {

using ui::toolkit::FastLabel;
using ui::toolkit::MultiChoiceButton;
using ui::toolkit::Resource;
using ui::toolkit::Toolkit;

// A kit folder of the test's own, restored afterwards.
class KitFolder {
public:
    KitFolder() { Toolkit::setKitFolder(dir.path()); }
    ~KitFolder() { Toolkit::setKitFolder({}); }
    QString file(const QString& relative) const { return dir.path() + '/' + relative; }
    QTemporaryDir dir;
};

bool isBlank(const QPixmap& pixmap) {
    QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) return false;
        }
    }
    return true;
}

TEST(Toolkit, ImagesComeFromResourcesThenTheKitFolder) {
    KitFolder kit;
    QDir().mkpath(kit.file("toolkit-test"));
    QImage big(32, 32, QImage::Format_ARGB32);
    big.fill(Qt::red);
    ASSERT_TRUE(big.save(kit.file("toolkit-test/picture.png")));
    ASSERT_TRUE(big.save(kit.file("toolkit-test/only-in-kit.png")));

    testing::internal::CaptureStderr();
    QIcon resource = Toolkit::getIconFromClasspath("/toolkit-test/picture.png");
    QIcon fromKit = Toolkit::getIconFromClasspath("toolkit-test/only-in-kit.png");
    QIcon named = Resource::getImage(":/toolkit-test/picture.png");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(resource.actualSize(QSize(64, 64)), QSize(16, 16));
    EXPECT_FALSE(isBlank(resource.pixmap(16, 16)));
    EXPECT_EQ(fromKit.actualSize(QSize(64, 64)), QSize(32, 32));
    EXPECT_EQ(named.actualSize(QSize(64, 64)), QSize(16, 16));
}

TEST(Toolkit, AMissingOrBrokenImageIsBlankAndSaysSo) {
    KitFolder kit;
    QFile broken(kit.file("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG\r\n\x1a\n not an image at all");
    broken.close();
    QDir().mkpath(kit.file("folder.png"));

    for (const char* path : {"/nowhere/missing.png", "broken.png", "folder.png", ":/no/such/resource.png"}) {
        testing::internal::CaptureStderr();
        QIcon icon = Toolkit::getIconFromClasspath(path);
        // The image library may say its own word about a broken file first.
        QString printed = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_TRUE(printed.endsWith(QString("\nCan't find ") + path + "\n") ||
                    printed == QString("Can't find ") + path + "\n")
            << printed.toStdString();
        EXPECT_FALSE(icon.isNull()) << path;
        EXPECT_EQ(icon.actualSize(QSize(64, 64)), QSize(16, 16)) << path;
        EXPECT_TRUE(isBlank(icon.pixmap(16, 16))) << path;
    }
}

TEST(Resource, EmptyIconsKeepTheirSizeAndPaintNothing) {
    EXPECT_EQ(&Resource::getDefaultImage(), &Resource::getDefaultImage());
    EXPECT_EQ(Resource::getDefaultImage().actualSize(QSize(100, 100)), QSize(16, 16));

    QIcon none(new Resource::EmptyIcon(0, 0));
    QIcon wide(new Resource::EmptyIcon(QSize(24, 8)));
    EXPECT_EQ(none.actualSize(QSize(100, 100)), QSize(0, 0));
    EXPECT_EQ(wide.actualSize(QSize(100, 100)), QSize(24, 8));
    EXPECT_TRUE(none.pixmap(16, 16).isNull());
    EXPECT_TRUE(isBlank(wide.pixmap(QSize(24, 8))));

    QPixmap canvas(20, 20);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        none.paint(&painter, canvas.rect());
        wide.paint(&painter, canvas.rect());
    }
    QImage painted = canvas.toImage();
    EXPECT_EQ(painted.pixel(10, 10), QColor(Qt::white).rgb());
    EXPECT_EQ(painted.pixel(0, 0), QColor(Qt::white).rgb());
}

TEST(Toolkit, MapperGivesNestedLabelsTheirIconsByName) {
    QWidget window;
    auto* inner = new QWidget(&window);
    auto* fast = new FastLabel;
    fast->setObjectName("save");
    fast->setText("Save");
    auto* plain = new QLabel("Open", inner);
    plain->setObjectName("open");
    auto* other = new FastLabel;
    other->setObjectName("other");
    auto* layout = new QVBoxLayout(inner);
    layout->addWidget(fast);
    layout->addWidget(other);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QIcon icon(QPixmap::fromImage(red));

    QSize textOnly = fast->sizeHint();
    Toolkit::mapper({{"save", icon}, {"open", icon}, {"missing", icon}}, &window);
    EXPECT_EQ(fast->icon().cacheKey(), icon.cacheKey());
    EXPECT_EQ(fast->text(), "Save");
    EXPECT_GT(fast->sizeHint().width(), textOnly.width() + 16);
    EXPECT_EQ(plain->pixmap().toImage().pixel(4, 4), QColor(Qt::red).rgb());
    EXPECT_TRUE(other->icon().isNull());
}

TEST(MultiChoiceButton, AChoiceTriggersTheActionWithItsCommand) {
    QAction action("Run");
    QStringList commands;
    QObject::connect(&action, &QAction::triggered, [&] { commands << action.data().toString(); });
    MultiChoiceButton button(&action);
    QSignalSpy chosen(&button, &MultiChoiceButton::choiceSelected);
    QAction* first = button.addChoice("Phone", "TB");
    button.addChoice("Applet", "Applet", QIcon(new Resource::EmptyIcon(8, 8)));

    EXPECT_EQ(button.text(), "Run");
    EXPECT_EQ(button.choiceCount(), 2);
    EXPECT_EQ(first->property("label").toString(), "Phone");
    EXPECT_EQ(first->property("cmd").toString(), "TB");
    EXPECT_EQ(first->icon().actualSize(QSize(64, 64)), QSize(16, 16));
    button.choices()->actions().at(1)->trigger();
    first->trigger();
    EXPECT_EQ(commands, QStringList({"Applet", "TB"}));
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(0).at(0).toString(), "Applet");
}

TEST(Toolkit, CenterPutsTheWindowInTheMiddleOfItsScreen) {
    QWidget window;
    window.resize(200, 100);
    window.move(0, 0);
    window.show();
    Toolkit::center(&window);
    QPoint middle = window.frameGeometry().center();
    QPoint screen = window.screen()->availableGeometry().center();
    EXPECT_LE((middle - screen).manhattanLength(), 2);
}

TEST(Labels, FastLabelTakesTheLooksLabelColours) {
    ui::setDefaultColor("Label.background", Qt::green);
    FastLabel opaque(true);
    FastLabel clear;
    ui::clearDefaults();
    opaque.resize(20, 20);
    clear.resize(20, 20);
    EXPECT_EQ(opaque.grab().toImage().pixel(10, 10), QColor(Qt::green).rgb());
    EXPECT_NE(clear.grab().toImage().pixel(10, 10), QColor(Qt::green).rgb());
}

TEST(Labels, UnderlinedAndTitleLabels) {
    ui::toolkit::UnderlinedLabel underlined("Heading");
    EXPECT_TRUE(underlined.font().bold());
    EXPECT_TRUE(underlined.font().underline());
    ui::toolkit::TitleLabel title("Project");
    EXPECT_EQ(title.title(), "Project");
    title.resize(400, 30);
    title.show();
    ui::testing::processEventsFor(10);
    auto* label = title.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->geometry().left(), 1);
    EXPECT_LT(label->geometry().right(), 200);
}

}  // namespace
