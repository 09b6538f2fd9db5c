#pragma once
// Work that would hold the GUI thread (a network transfer) runs on a thread of its own behind a modal box
// that says what is being done: the windows keep drawing, and nothing else can be done until it has
// ended. Work that may be cancelled gets a Cancel button on the box.
#include <QDialog>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

class QLabel;
class QPushButton;

namespace ui {

// A request to end work that runs on another thread. cancel() may come from any thread, any number of
// times; the work asks isCancelled() where it can, and around a wait it sets a waker that ends the wait
// (a transfer shuts its sockets down), which cancel() calls.
class Cancellation {
public:
    void cancel();
    bool isCancelled() const { return cancelled_.load(); }
    // Set by the work before a wait, cleared (nullptr) after it; never called once cleared.
    void setWaker(std::function<void()> waker);

private:
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::function<void()> waker_;
};

// The modal box over the owner while work runs: what is being done, a busy bar, and Cancel when the work
// can be cancelled (Escape and the close box cancel too). Only the end of the work closes it.
class BusyBox : public QDialog {
    Q_OBJECT
public:
    BusyBox(QWidget* owner, const QString& title, const QString& text, Cancellation* cancellation);
    void finish();
    bool isFinished() const { return finished_; }
    void reject() override;

private:
    Cancellation* cancellation_;
    QLabel* text_;
    QPushButton* cancel_ = nullptr;
    bool finished_ = false;
};

class BusyWork {
public:
    // `work` must not throw; it runs once, on a thread of its own.
    explicit BusyWork(std::function<void()> work, Cancellation* cancellation = nullptr);
    ~BusyWork();  // waits for the work
    BusyWork(const BusyWork&) = delete;
    BusyWork& operator=(const BusyWork&) = delete;

    // Runs the work behind a BusyBox over `owner` and returns once it has ended; also when the owner
    // went meanwhile (its going must call cancelAndWait).
    void run(QWidget* owner, const QString& title, const QString& text);
    // For an owner that goes while the work runs: cancels the work and waits for its end.
    void cancelAndWait();

private:
    std::function<void()> work_;
    Cancellation* cancellation_;
    std::thread thread_;
};

}  // namespace ui
