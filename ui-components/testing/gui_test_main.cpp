// The main of every Qt test binary: QApplication on the offscreen platform, Qt warnings and leftover
// windows as test failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "gui_harness.h"

namespace ui::testing {

const QStringList& allowedQtNotices() {
    static const QStringList notices = {
        "This plugin does not support propagateSizeHints()",
        "This plugin does not support raise()",
        // A dock frame grabs the mouse while its title bar is dragged.
        "This plugin does not support grabbing the mouse",
        // An open popup menu grabs the keyboard.
        "This plugin does not support grabbing the keyboard",
    };
    return notices;
}

void processEventsFor(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void checkLeftoverWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Every window without an owner is leaked; an owned one counts when it is open and its owner is not
    // already reported.
    QList<QPointer<QWidget>> leftovers;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->parentWidget() == nullptr) leftovers.append(window);
    }
    for (QWidget* window : windows) {
        if (window->parentWidget() == nullptr || !window->isVisible()) continue;
        QWidget* root = window;
        while (root->parentWidget()) root = root->parentWidget();
        if (!leftovers.contains(root)) leftovers.append(window);
    }
    for (const QPointer<QWidget>& window : leftovers) {
        if (!window) continue;
        ADD_FAILURE() << "Window left " << (window->isVisible() ? "open" : "without an owner") << ": "
                      << window->metaObject()->className() << " \"" << window->windowTitle().toStdString()
                      << "\"";
    }
    // Owners first: deleting them takes their own windows along.
    for (const QPointer<QWidget>& window : leftovers) {
        if (window && window->parentWidget() == nullptr) delete window.data();
    }
    for (const QPointer<QWidget>& window : leftovers) {
        if (window) window->hide();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace ui::testing

namespace {

void failOnQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) {
        fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    if (ui::testing::allowedQtNotices().contains(message)) return;
    const char* kind = type == QtWarningMsg ? "warning" : type == QtCriticalMsg ? "critical" : "fatal";
    ADD_FAILURE() << "Qt " << kind << ": " << message.toStdString();
}

// Runs after each test has ended; gtest calls end events in reverse order, so this one comes ahead of the
// result printer and its failures count for that test.
class LeftoverWindowCheck : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ui::testing::checkLeftoverWindows(); }
};

}  // namespace

int main(int argc, char** argv) {
    // The test picks its platform itself, whatever the caller's shell says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_STYLE_OVERRIDE");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QString runtime = QDir::tempPath() + "/tz-gui-tests-" + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    qInstallMessageHandler(failOnQtMessages);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(new LeftoverWindowCheck);
    return RUN_ALL_TESTS();
}
