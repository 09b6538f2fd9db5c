#pragma once
// The GUI test harness: every Qt test binary links gui_test_main.cpp, which runs the tests on the
// offscreen platform, fails the running test on any Qt warning and on windows a test leaves behind.
#include <QString>
#include <QStringList>

namespace ui::testing {

// Notices of the offscreen platform plugin that are not faults of the code under test.
const QStringList& allowedQtNotices();

// Fails the running test for every top-level window left open or without an owner, then disposes of
// them so the next test starts clean. Called after every test; tests of the harness call it directly.
void checkLeftoverWindows();

// Runs the event loop until `done` or until `timeoutMs` passes; returns `done()`. For waiting on
// signals from threads without a fixed sleep.
template <typename Predicate>
bool waitUntil(Predicate done, int timeoutMs = 10000);

void processEventsFor(int milliseconds);

}  // namespace ui::testing

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

template <typename Predicate>
bool ui::testing::waitUntil(Predicate done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}
