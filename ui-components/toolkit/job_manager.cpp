#include "job_manager.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QMetaObject>
#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <typeinfo>

namespace ui::job {
namespace {

std::mutex listenerMutex;
std::shared_ptr<JobManagerListener> sharedListener;

std::shared_ptr<JobManagerListener> currentListener() {
    std::lock_guard lock(listenerMutex);
    return sharedListener;
}

// Job and listener code runs on the manager's threads: a failure escaping there would end the program.
template <typename Call>
void guarded(const char* what, Call call) {
    try {
        call();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s failed: %s\n", what, failure.what());
    } catch (...) {
        std::fprintf(stderr, "%s failed\n", what);
    }
}

void release(Job& job) {
    guarded("Job release", [&] { job.dispose(); });
}

}  // namespace

// A job handed to the GUI thread. The worker waits for Done; on dispose it gives the call up: a call
// still Waiting then never runs, one already Running releases its job itself when it ends.
struct JobManager::GuiCall {
    enum Phase { Waiting, Running, Done, Abandoned };
    std::mutex mutex;
    std::condition_variable changed;
    Phase phase = Waiting;
    bool stopped = false;
    std::shared_ptr<Job> job;
};

void HeavyJobProxy::run() {
    const QString name = job_->getName();
    manager_.heavyStarted(name);
    if (auto listener = currentListener())
        guarded("Job listener", [&] { listener->startKnownJob(job_->getSource(), name, true); });
    guarded("Job", [&] { job_->run(); });
    manager_.heavyStopped(name);
    if (auto listener = currentListener())
        guarded("Job listener", [&] { listener->stopKnownJob(name, job_->getErrorMessage(), true); });
}

namespace {
std::atomic<bool> postRoutineAdded{false};
}

JobManager& JobManager::COMMON_MANAGER() {
    static JobManager manager;
    // Disposed in the application object's destructor, so that its worker never outlives it; without an
    // application object, by the static destructor at the program's end.
    if (!postRoutineAdded.load() && QCoreApplication::instance() && !postRoutineAdded.exchange(true))
        qAddPostRoutine([] { COMMON_MANAGER().dispose(); });
    return manager;
}

JobManager::JobManager() : worker_([this] { run(); }) {}

JobManager::~JobManager() {
    dispose();
}

void JobManager::addJob(std::shared_ptr<Job> job, JobManager& manager) {
    if (!job) throw std::invalid_argument("Illegal null job");
    if (auto heavy = std::dynamic_pointer_cast<HeavyJob>(job)) {
        manager.addHeavy(std::move(heavy));
        return;
    }
    const bool alone = job->isAlone();
    const void* source = job->getSource();
    const Job& object = *job;
    const std::type_index type = typeid(object);
    {
        std::lock_guard lock(manager.queueMutex_);
        if (manager.accepting_) {
            if (alone) {
                for (const auto& entry : manager.queue_) {
                    if (entry->source == source && entry->type == type) entry->skip = true;
                }
            }
            manager.queue_.push_back(std::make_shared<Entry>(std::move(job), source, type));
            return;
        }
    }
    release(*job);
}

bool JobManager::isRunning(const Job& job, const JobManager& manager) {
    std::lock_guard lock(manager.stateMutex_);
    return manager.current_.get() == &job;
}

int JobManager::getHeavyJobCount(const JobManager& manager) {
    std::lock_guard lock(manager.stateMutex_);
    return int(manager.heavyNames_.size());
}

QString JobManager::getHeavyJob(int index, const JobManager& manager) {
    std::lock_guard lock(manager.stateMutex_);
    if (index < 0 || index >= manager.heavyNames_.size())
        throw std::out_of_range("No heavy job at this index");
    return manager.heavyNames_.at(index);
}

QMenu* JobManager::buildPopupForHeavyJob(QWidget* parent, const JobManager& manager) {
    QStringList names;
    {
        std::lock_guard lock(manager.stateMutex_);
        names = manager.heavyNames_;
    }
    auto* menu = new QMenu(parent);
    for (const QString& name : names) menu->addAction(name);
    return menu;
}

bool JobManager::isTaskWorking(const std::vector<std::type_index>& classes, const JobManager& manager) {
    std::lock_guard lock(manager.queueMutex_);
    return std::any_of(manager.queue_.begin(), manager.queue_.end(), [&](const auto& entry) {
        return !entry->skip && std::find(classes.begin(), classes.end(), entry->type) != classes.end();
    });
}

void JobManager::setJobManagerListener(std::shared_ptr<JobManagerListener> listener) {
    std::lock_guard lock(listenerMutex);
    sharedListener = std::move(listener);
}

bool JobManager::isTerminated(const QString& jobName) const {
    // Copied first: job code never runs under the manager's locks.
    std::vector<std::shared_ptr<Job>> jobs;
    {
        std::lock_guard lock(stateMutex_);
        if (heavyNames_.contains(jobName)) return false;
        if (current_) jobs.push_back(current_);
    }
    {
        std::lock_guard lock(queueMutex_);
        for (const auto& entry : queue_) {
            if (!entry->skip) jobs.push_back(entry->job);
        }
    }
    return std::none_of(jobs.begin(), jobs.end(), [&](const std::shared_ptr<Job>& job) {
        const auto* known = dynamic_cast<const KnownJob*>(job.get());
        return known && known->getName() == jobName;
    });
}

bool JobManager::isStopped() const {
    std::lock_guard lock(stateMutex_);
    return !running_;
}

bool JobManager::pause(int milliseconds) {
    std::unique_lock lock(stateMutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return !running_; });
    return running_;
}

void JobManager::run() {
    while (pause(JOB_DELAY)) {
        std::vector<std::shared_ptr<Entry>> pass;
        {
            std::lock_guard lock(queueMutex_);
            pass = queue_;
        }
        if (pass.empty()) continue;
        // Entries not reached before a dispose stay queued; dispose releases them.
        size_t done = 0;
        // A job superseded while it runs is marked too: only those passed over are released below,
        // runEntry has released the ones it ran.
        std::vector<bool> passedOver(pass.size(), false);
        for (; done < pass.size() && !isStopped(); ++done) {
            if (pass[done]->skip) {
                passedOver[done] = true;
                continue;
            }
            runEntry(pass[done]->job);
            std::this_thread::yield();
            pause(10);
        }
        std::lock_guard lock(queueMutex_);
        for (size_t i = 0; i < done; ++i) {
            queue_.erase(std::find(queue_.begin(), queue_.end(), pass[i]));
            // A superseded job was never run, but it was accepted.
            if (passedOver[i]) release(*pass[i]->job);
        }
    }
}

void JobManager::runEntry(const std::shared_ptr<Job>& job) {
    {
        std::lock_guard lock(stateMutex_);
        current_ = job;
    }
    auto* known = dynamic_cast<KnownJob*>(job.get());
    const auto listener = currentListener();
    if (listener && known)
        guarded("Job listener",
                [&] { listener->startKnownJob(known->getSource(), known->getName(), false); });

    bool ours = true;
    bool finished = true;
    if (auto* synchro = dynamic_cast<SwingEventSynchro*>(job.get())) {
        bool agreed = false;
        guarded("Job", [&] { agreed = synchro->preRun(); });
        if (agreed) {
            ours = runOnGuiThread(job);
            finished = ours;
        }
    } else {
        guarded("Job", [&] { job->run(); });
    }

    // A job given up while it still runs on the GUI thread is not asked for its result.
    if (listener && known && finished)
        guarded("Job listener",
                [&] { listener->stopKnownJob(known->getName(), known->getErrorMessage(), false); });
    {
        std::lock_guard lock(stateMutex_);
        current_.reset();
    }
    if (ours) release(*job);
}

bool JobManager::runOnGuiThread(const std::shared_ptr<Job>& job) {
    QCoreApplication* application = QCoreApplication::instance();
    // Without an application object there is no GUI thread to run it on.
    if (!application) return true;
    auto call = std::make_shared<GuiCall>();
    call->job = job;
    {
        std::lock_guard lock(stateMutex_);
        if (!running_) return true;
        guiCall_ = call;
    }
    QMetaObject::invokeMethod(
        application,
        [call] {
            {
                std::lock_guard lock(call->mutex);
                if (call->phase == GuiCall::Abandoned) return;
                call->phase = GuiCall::Running;
            }
            guarded("Job", [&] { call->job->run(); });
            std::unique_lock lock(call->mutex);
            if (call->phase == GuiCall::Abandoned) {
                lock.unlock();
                release(*call->job);
                return;
            }
            call->phase = GuiCall::Done;
            call->changed.notify_all();
        },
        Qt::QueuedConnection);

    bool ours = true;
    {
        std::unique_lock lock(call->mutex);
        call->changed.wait(lock, [&] { return call->phase == GuiCall::Done || call->stopped; });
        if (call->phase != GuiCall::Done) {
            ours = call->phase == GuiCall::Waiting;
            call->phase = GuiCall::Abandoned;
        }
    }
    std::lock_guard lock(stateMutex_);
    guiCall_.reset();
    return ours;
}

void JobManager::addHeavy(std::shared_ptr<HeavyJob> job) {
    joinFinishedHeavy();
    auto proxy = std::make_shared<HeavyJobProxy>(std::move(job), *this);
    {
        std::lock_guard lock(stateMutex_);
        if (running_) {
            HeavyThread& slot = heavyThreads_.emplace_back();
            slot.job = proxy;
            // The list's nodes stay in place, so the thread may mark its own slot when it ends.
            slot.thread = std::thread([proxy, &slot] {
                proxy->run();
                release(*proxy);
                slot.done = true;
            });
            return;
        }
    }
    release(*proxy);
}

void JobManager::joinFinishedHeavy() {
    std::list<HeavyThread> finished;
    {
        std::lock_guard lock(stateMutex_);
        for (auto it = heavyThreads_.begin(); it != heavyThreads_.end();) {
            auto next = std::next(it);
            if (it->done) finished.splice(finished.end(), heavyThreads_, it);
            it = next;
        }
    }
    for (HeavyThread& heavy : finished) heavy.thread.join();
}

void JobManager::heavyStarted(const QString& name) {
    std::lock_guard lock(stateMutex_);
    heavyNames_.append(name);
}

void JobManager::heavyStopped(const QString& name) {
    std::lock_guard lock(stateMutex_);
    heavyNames_.removeOne(name);
}

void JobManager::dispose() {
    std::lock_guard disposing(disposeMutex_);
    std::shared_ptr<GuiCall> call;
    std::shared_ptr<Job> current;
    std::vector<std::shared_ptr<HeavyJobProxy>> heavy;
    {
        std::lock_guard lock(stateMutex_);
        running_ = false;
        call = guiCall_;
        current = current_;
        for (const HeavyThread& each : heavyThreads_) {
            if (!each.done) heavy.push_back(each.job);
        }
    }
    wake_.notify_all();
    if (call) {
        std::lock_guard lock(call->mutex);
        call->stopped = true;
        call->changed.notify_all();
    }
    if (current) guarded("Job stop", [&] { current->stopIt(); });
    for (const auto& each : heavy) guarded("Job stop", [&] { each->stopIt(); });

    const auto self = std::this_thread::get_id();
    // A job that disposes its own manager cannot wait for its own thread: a later dispose joins it.
    if (worker_.joinable() && worker_.get_id() != self) worker_.join();
    std::list<HeavyThread> threads;
    {
        std::lock_guard lock(stateMutex_);
        threads.splice(threads.end(), heavyThreads_);
    }
    for (auto it = threads.begin(); it != threads.end(); ++it) {
        if (it->thread.get_id() != self) it->thread.join();
    }
    {
        std::lock_guard lock(stateMutex_);
        for (auto it = threads.begin(); it != threads.end();) {
            auto next = std::next(it);
            if (it->thread.joinable()) heavyThreads_.splice(heavyThreads_.end(), threads, it);
            it = next;
        }
    }

    std::vector<std::shared_ptr<Entry>> left;
    {
        std::lock_guard lock(queueMutex_);
        accepting_ = false;
        left.swap(queue_);
    }
    for (const auto& entry : left) release(*entry->job);
}

ShowHeavyJobAction::ShowHeavyJobAction()
    : QAction(QStringLiteral("Heavy jobs"), QCoreApplication::instance()) {
    QObject::connect(this, &QAction::triggered, this, [this] {
        // The button or menu entry that was pressed: the associated widget under the mouse.
        QWidget* source = nullptr;
        for (QObject* object : associatedObjects()) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && widget->isVisible() && (!source || widget->underMouse())) source = widget;
        }
        actionPerformed(source);
    });
}

ShowHeavyJobAction* ShowHeavyJobAction::getInstance() {
    static QPointer<ShowHeavyJobAction> instance;
    if (!instance) instance = new ShowHeavyJobAction();
    return instance;
}

void ShowHeavyJobAction::actionPerformed(QWidget* source) {
    QMenu* menu = JobManager::buildPopupForHeavyJob(source);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(source ? source->mapToGlobal(QPoint(0, source->height())) : QCursor::pos());
}

}  // namespace ui::job
