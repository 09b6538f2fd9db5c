#include "busy_work.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <system_error>

namespace ui {

void Cancellation::cancel() {
    cancelled_ = true;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (waker_) waker_();
}

void Cancellation::setWaker(std::function<void()> waker) {
    const std::lock_guard<std::mutex> lock(mutex_);
    waker_ = std::move(waker);
}

BusyBox::BusyBox(QWidget* owner, const QString& title, const QString& text, Cancellation* cancellation)
    : QDialog(owner), cancellation_(cancellation) {
    setObjectName("busyBox");
    setWindowTitle(title);
    setModal(true);
    setCursor(Qt::BusyCursor);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(text, this);
    text_->setObjectName("busyText");
    text_->setTextFormat(Qt::PlainText);
    layout->addWidget(text_);
    auto* bar = new QProgressBar(this);
    bar->setObjectName("busyBar");
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    layout->addWidget(bar);
    if (cancellation_) {
        cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
        cancel_->setObjectName("busyCancel");
        cancel_->setCursor(Qt::ArrowCursor);
        layout->addWidget(cancel_, 0, Qt::AlignRight);
        connect(cancel_, &QPushButton::clicked, this, &BusyBox::reject);
    }
    setMinimumWidth(320);
}

void BusyBox::finish() {
    finished_ = true;
    accept();
}

void BusyBox::reject() {
    // The work cannot be left behind: the box goes when it has ended.
    if (finished_) {
        QDialog::reject();
        return;
    }
    if (!cancellation_ || cancellation_->isCancelled()) return;
    cancellation_->cancel();
    cancel_->setEnabled(false);
    text_->setText(text_->text() + QStringLiteral("\nCancelling ..."));
}

BusyWork::BusyWork(std::function<void()> work, Cancellation* cancellation)
    : work_(std::move(work)), cancellation_(cancellation) {}

BusyWork::~BusyWork() {
    if (thread_.joinable()) thread_.join();
}

void BusyWork::run(QWidget* owner, const QString& title, const QString& text) {
    QPointer<BusyBox> box = new BusyBox(owner, title, text, cancellation_);
    // The thread's end is told to this object, which lives until the thread has been joined: the box may
    // have gone with its owner by then. Only the GUI thread looks at the box's pointer.
    QObject ended;
    try {
        thread_ = std::thread([this, &ended, &box] {
            work_();
            QMetaObject::invokeMethod(
                &ended,
                [&box] {
                    if (box) box->finish();
                },
                Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        delete box;
        work_();
        return;
    }
    // A box hidden from outside (its owner's window closed) comes back: only the end closes it.
    while (box && !box->isFinished()) box->exec();
    // An owner that went without waiting for the work leaves it to be cancelled here.
    if (!box && thread_.joinable() && cancellation_) cancellation_->cancel();
    delete box.data();
    if (thread_.joinable()) thread_.join();
}

void BusyWork::cancelAndWait() {
    if (cancellation_) cancellation_->cancel();
    if (thread_.joinable()) thread_.join();
}

}  // namespace ui
