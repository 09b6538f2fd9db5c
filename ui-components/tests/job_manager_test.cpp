// The job service on managers of the tests' own (and once on the shared one): passes, superseding,
// heavy jobs, GUI-thread jobs and dispose. Every wait is on a latch with a generous bound, never a sleep.
#include "job_manager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "gui_harness.h"

namespace {

using namespace ui::job;
using Clock = std::chrono::steady_clock;
constexpr auto kBound = std::chrono::seconds(20);

// Opens once; waiting on a closed latch gives up after kBound and answers false.
struct Latch {
    void open() {
        std::lock_guard lock(mutex);
        isOpen = true;
        changed.notify_all();
    }
    bool wait() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kBound, [this] { return bool(isOpen); });
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<bool> isOpen{false};
};

// What the jobs did, in order and when, shared between the manager's threads and the test.
struct Journal {
    void add(const QString& event) {
        std::lock_guard lock(mutex);
        list.append(event);
        times.insert(event, Clock::now());
    }
    QStringList events() {
        std::lock_guard lock(mutex);
        return list;
    }
    Clock::time_point at(const QString& event) {
        std::lock_guard lock(mutex);
        return times.value(event);
    }
    std::mutex mutex;
    QStringList list;
    QHash<QString, Clock::time_point> times;
};

// A job of one class: "run <name>" and "dispose <name>" go to the journal, and `body` runs in between.
template <typename Base, int Class>
struct TestJob : Base {
    TestJob(Journal& journal, QString name, const void* source = nullptr, bool alone = true,
            std::function<void()> body = {})
        : journal(journal), name(std::move(name)), source(source), alone(alone), body(std::move(body)) {}
    void run() override {
        journal.add("run " + name);
        started.open();
        if (body) body();
    }
    void stopIt() override { stopped.open(); }
    bool isAlone() const override { return alone; }
    const void* getSource() const override { return source; }
    void dispose() override { journal.add("dispose " + name); }
    QString getName() const override { return name; }
    QString getErrorMessage() const override { return name == "failing" ? "it failed" : QString(); }

    Journal& journal;
    QString name;
    const void* source;
    bool alone;
    std::function<void()> body;
    Latch started, stopped;
};
using JobA = TestJob<KnownJob, 0>;
using JobB = TestJob<KnownJob, 1>;
// Runs until asked to stop.
struct Heavy : TestJob<HeavyJob, 2> {
    Heavy(Journal& journal, QString name)
        : TestJob(journal, std::move(name), nullptr, false, [this] { stopped.wait(); }) {}
};

struct OnGuiThread : JobAdapter, SwingEventSynchro {
    explicit OnGuiThread(bool agree) : agree(agree) {}
    bool isAlone() const override { return false; }
    bool preRun() override {
        askedOnWorker = QThread::currentThread() != qApp->thread();
        asked.open();
        return agree;
    }
    void run() override {
        ranOnGui = QThread::currentThread() == qApp->thread();
        ran.open();
    }
    void dispose() override { disposed.open(); }

    bool agree;
    std::atomic<bool> askedOnWorker{false};
    std::atomic<bool> ranOnGui{false};
    Latch asked, ran, disposed;
};

struct RecordingListener : JobManagerListener {
    explicit RecordingListener(Journal& journal) : journal(journal) {}
    void startKnownJob(const void*, const QString& name, bool heavy) override {
        journal.add(QString("start %1%2").arg(name, heavy ? " heavy" : ""));
    }
    void stopKnownJob(const QString& name, const QString& error, bool heavy) override {
        journal.add(
            QString("stop %1%2%3").arg(name, heavy ? " heavy" : "", error.isNull() ? "" : " " + error));
    }
    Journal& journal;
};

class Jobs : public ::testing::Test {
protected:
    // Holds the worker inside a pass until released, so what is added meanwhile waits for the next one.
    void holdWorker() {
        gate = add<JobA>("gate", nullptr, false, [this] { release.wait(); });
        ASSERT_TRUE(gate->started.wait());
    }
    template <typename JobType, typename... Arguments>
    std::shared_ptr<JobType> add(Arguments&&... arguments) {
        auto job = std::make_shared<JobType>(journal, std::forward<Arguments>(arguments)...);
        addJob(job);
        return job;
    }
    void addJob(std::shared_ptr<Job> job) { JobManager::addJob(std::move(job), manager); }

    Journal journal;
    Latch release, done;
    std::shared_ptr<JobA> gate;
    JobManager manager;
};

TEST_F(Jobs, PassesRunInOrderAndJobsAddedMeanwhileWaitForTheNext) {
    EXPECT_EQ(JobManager::getHeavyJobCount(manager), 0);
    holdWorker();
    // Added during the gate's pass; "first" adds "added" during the next one, which ends with "last".
    add<JobA>("first", nullptr, false,
              [this] { add<JobA>("added", nullptr, false, [this] { done.open(); }); });
    const auto last = add<JobA>("last", nullptr, false);
    EXPECT_TRUE(JobManager::isRunning(*gate, manager));
    EXPECT_FALSE(JobManager::isRunning(*last, manager));
    EXPECT_FALSE(manager.isTerminated("gate"));
    EXPECT_TRUE(JobManager::isTaskWorking({typeid(JobA)}, manager));
    EXPECT_FALSE(JobManager::isTaskWorking({typeid(JobB)}, manager));
    release.open();
    ASSERT_TRUE(done.wait());
    EXPECT_EQ(journal.events().mid(0, 7),
              QStringList({"run gate", "dispose gate", "run first", "dispose first", "run last",
                           "dispose last", "run added"}));
    // The worker pauses a whole JOB_DELAY before each pass.
    EXPECT_GE(journal.at("run added") - journal.at("dispose last"),
              std::chrono::milliseconds(JobManager::JOB_DELAY));
    EXPECT_TRUE(manager.isTerminated("first"));
    EXPECT_FALSE(JobManager::isRunning(*gate, manager));
    JobManager::waitForNoJob();
}

TEST_F(Jobs, AnAloneJobSupersedesTheQueuedJobOfItsSourceAndClass) {
    const int source = 0, other = 0;
    holdWorker();
    add<JobA>("superseded", &source);
    add<JobA>("other source", &other);
    add<JobB>("other class", &source);
    add<JobA>("not alone", &source, false);
    add<JobA>("latest", &source, true, [this] { done.open(); });
    EXPECT_FALSE(manager.isTerminated("latest"));
    EXPECT_TRUE(manager.isTerminated("superseded"));
    release.open();
    ASSERT_TRUE(done.wait());
    // The pass ends once "latest" is released; the superseded job is released, never run.
    ASSERT_TRUE(ui::testing::waitUntil([&] { return journal.events().contains("dispose superseded"); }));
    QStringList runs = journal.events().filter("run ");
    EXPECT_EQ(runs, QStringList({"run gate", "run other source", "run other class", "run latest"}));
    EXPECT_FALSE(JobManager::isTaskWorking({typeid(JobA), typeid(JobB)}, manager));
}

TEST_F(Jobs, KnownAndHeavyJobsAreToldToTheListener) {
    auto listener = std::make_shared<RecordingListener>(journal);
    JobManager::setJobManagerListener(listener);
    const auto heavy = std::make_shared<Heavy>(journal, "download");
    addJob(heavy);
    ASSERT_TRUE(heavy->started.wait());
    ASSERT_TRUE(ui::testing::waitUntil([&] { return JobManager::getHeavyJobCount(manager) == 1; }));
    EXPECT_EQ(JobManager::getHeavyJob(0, manager), "download");
    EXPECT_THROW(JobManager::getHeavyJob(1, manager), std::out_of_range);
    EXPECT_FALSE(manager.isTerminated("download"));
    {
        QWidget owner;
        const std::unique_ptr<QMenu> popup(JobManager::buildPopupForHeavyJob(&owner, manager));
        ASSERT_EQ(popup->actions().size(), 1);
        EXPECT_EQ(popup->actions()[0]->text(), "download");
    }

    add<JobA>("failing", nullptr, false, [this] { done.open(); });
    ASSERT_TRUE(done.wait());
    // The listener hears of the failing job's end after its run returns: wait for that first.
    ASSERT_TRUE(ui::testing::waitUntil([&] { return journal.events().contains("stop failing it failed"); }));
    heavy->stopIt();
    ASSERT_TRUE(ui::testing::waitUntil([&] {
        return JobManager::getHeavyJobCount(manager) == 0 && journal.events().contains("dispose download") &&
               journal.events().contains("dispose failing");
    }));
    JobManager::setJobManagerListener(nullptr);
    const QStringList told = journal.events().filter(QRegularExpression("^(start|stop) "));
    EXPECT_EQ(told, QStringList({"start download heavy", "start failing", "stop failing it failed",
                                 "stop download heavy"}));
}

TEST_F(Jobs, GuiThreadJobsRunThereWhenTheyAgree) {
    const auto agreeing = std::make_shared<OnGuiThread>(true);
    const auto refusing = std::make_shared<OnGuiThread>(false);
    addJob(refusing);
    addJob(agreeing);
    ASSERT_TRUE(
        ui::testing::waitUntil([&] { return agreeing->disposed.isOpen && refusing->disposed.isOpen; }));
    EXPECT_TRUE(agreeing->askedOnWorker);
    EXPECT_TRUE(refusing->askedOnWorker);
    EXPECT_TRUE(agreeing->ranOnGui);
    EXPECT_FALSE(refusing->ran.isOpen);
}

TEST_F(Jobs, DisposeJoinsEveryThreadAndNeverWaitsForTheGuiThread) {
    // A heavy job that ends only when asked to stop, a GUI job the worker waits for while this (the GUI)
    // thread is busy disposing, and a job queued behind it.
    const auto heavy = std::make_shared<Heavy>(journal, "heavy");
    addJob(heavy);
    const auto onGui = std::make_shared<OnGuiThread>(true);
    addJob(onGui);
    ASSERT_TRUE(onGui->asked.wait());
    add<JobA>("queued", nullptr, false);
    ASSERT_TRUE(heavy->started.wait());

    manager.dispose();
    EXPECT_EQ(journal.events().count("run heavy"), 1);
    EXPECT_TRUE(journal.events().contains("dispose heavy"));
    EXPECT_TRUE(onGui->disposed.isOpen);
    EXPECT_TRUE(journal.events().contains("dispose queued"));
    EXPECT_FALSE(journal.events().contains("run queued"));
    // The call the worker gave up does not run later either; jobs added now are only released.
    ui::testing::processEventsFor(50);
    EXPECT_FALSE(onGui->ran.isOpen);
    add<JobA>("late");
    addJob(std::make_shared<Heavy>(journal, "late heavy"));
    EXPECT_EQ(journal.events().filter("late"), QStringList({"dispose late", "dispose late heavy"}));
    manager.dispose();
}

TEST_F(Jobs, JobsAddedFromManyThreadsAllRun) {
    constexpr int kThreads = 4, kEach = 25;
    std::atomic<int> ran{0};
    std::vector<std::thread> adders;
    for (int t = 0; t < kThreads; ++t) {
        adders.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                add<JobA>(QString("%1.%2").arg(t).arg(i), nullptr, false, [&] { ++ran; });
        });
    }
    for (std::thread& adder : adders) adder.join();
    EXPECT_TRUE(ui::testing::waitUntil([&] { return ran == kThreads * kEach; }, 60000));
}

// Counts its releases; `body` runs as the job.
template <int Class>
struct CountedJob : JobAdapter {
    CountedJob(const void* source, std::function<void()> body = {}) : source(source), body(std::move(body)) {}
    void run() override {
        if (body) body();
    }
    const void* getSource() const override { return source; }
    void dispose() override { ++disposals; }
    const void* source;
    std::function<void()> body;
    std::atomic<int> disposals{0};
};

TEST_F(Jobs, EveryAcceptedJobIsDisposedExactlyOnceWhateverSupersedesIt) {
    // Superseded while it runs: it was run, and is released once, by its run.
    const int source = 0;
    Latch running, finish;
    const auto first = std::make_shared<CountedJob<0>>(&source, [&] {
        running.open();
        finish.wait();
    });
    addJob(first);
    ASSERT_TRUE(running.wait());
    const auto second = std::make_shared<CountedJob<0>>(&source, [this] { done.open(); });
    addJob(second);
    finish.open();
    ASSERT_TRUE(done.wait());
    ASSERT_TRUE(ui::testing::waitUntil([&] { return second->disposals == 1; }));

    // Many threads adding jobs of two classes for a few sources while passes run supersede jobs in the
    // queue, during their runs and after them.
    constexpr int kThreads = 8, kEach = 60;
    const int sources[3] = {};
    std::mutex made;
    std::vector<std::shared_ptr<JobAdapter>> jobs;
    std::vector<std::thread> adders;
    for (int t = 0; t < kThreads; ++t) {
        adders.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                const void* from = &sources[(t + i) % 3];
                const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); };
                std::shared_ptr<JobAdapter> job;
                if (i % 2 == 0) {
                    job = std::make_shared<CountedJob<1>>(from, pause);
                } else {
                    job = std::make_shared<CountedJob<2>>(from, pause);
                }
                {
                    std::lock_guard lock(made);
                    jobs.push_back(job);
                }
                addJob(job);
                // Spread over a few passes, so that jobs are superseded while their pass runs.
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    for (std::thread& adder : adders) adder.join();
    ASSERT_TRUE(ui::testing::waitUntil([&] {
        return !JobManager::isTaskWorking({typeid(CountedJob<1>), typeid(CountedJob<2>)}, manager);
    }));
    manager.dispose();
    const auto disposals = [](const std::shared_ptr<JobAdapter>& job) {
        if (auto* one = dynamic_cast<CountedJob<1>*>(job.get())) return one->disposals.load();
        return dynamic_cast<CountedJob<2>*>(job.get())->disposals.load();
    };
    EXPECT_EQ(first->disposals, 1);
    EXPECT_EQ(second->disposals, 1);
    ASSERT_EQ(jobs.size(), size_t(kThreads * kEach));
    int wrong = 0;
    for (const auto& job : jobs) wrong += disposals(job) != 1;
    EXPECT_EQ(wrong, 0);
}

TEST(SharedJobManager, RunsJobsAndShowsItsHeavyJobs) {
    Journal journal;
    Latch ran;
    JobManager::addJob(std::make_shared<JobA>(journal, "shared", nullptr, true, [&] { ran.open(); }));
    EXPECT_TRUE(ran.wait());
    // The journal must outlive the job's release.
    EXPECT_TRUE(ui::testing::waitUntil([&] { return journal.events().contains("dispose shared"); }));
    EXPECT_EQ(&JobManager::COMMON_MANAGER(), &JobManager::COMMON_MANAGER());

    ShowHeavyJobAction* action = ShowHeavyJobAction::getInstance();
    EXPECT_EQ(action, ShowHeavyJobAction::getInstance());
    QWidget window;
    window.show();
    action->actionPerformed(&window);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no heavy job, no popup

    const auto heavy = std::make_shared<Heavy>(journal, "upload");
    JobManager::addJob(heavy);
    ASSERT_TRUE(heavy->started.wait());
    ASSERT_TRUE(ui::testing::waitUntil([] { return JobManager::getHeavyJobCount() == 1; }));
    action->actionPerformed(&window);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->actions().size(), 1);
    EXPECT_EQ(popup->actions()[0]->text(), "upload");
    QPointer<QMenu> closing(popup);
    popup->close();
    EXPECT_TRUE(ui::testing::waitUntil([&] { return closing.isNull(); }));
    heavy->stopIt();
    EXPECT_TRUE(ui::testing::waitUntil([&] { return journal.events().contains("dispose upload"); }));
}

}  // namespace
