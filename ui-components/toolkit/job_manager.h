#pragma once
// Background jobs for components: a worker thread wakes every JOB_DELAY milliseconds and runs, one after
// the other, the jobs queued since its last pass; a heavy job gets a thread of its own and is listed
// while it runs. The shared manager and its worker start on first use and end with the application.
#include <QAction>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <typeindex>
#include <vector>

class QMenu;
class QWidget;

namespace ui::job {

class Job {
public:
    virtual ~Job() = default;
    virtual void run() = 0;
    // Asks a running job to end soon.
    virtual void stopIt() = 0;
    // A job that may stand only once in the queue: adding it passes over the queued jobs of its class
    // and source.
    virtual bool isAlone() const = 0;
    // The object the job works for, compared by identity; null for none.
    virtual const void* getSource() const = 0;
    // Releases the job's resources; called once for every job the manager accepted, run or not.
    virtual void dispose() = 0;
};

class KnownJob : public Job {
public:
    virtual QString getName() const = 0;
    // Null when the job succeeded.
    virtual QString getErrorMessage() const = 0;
};

// A job that runs on a thread of its own.
class HeavyJob : public KnownJob {};

// A job that also derives from this runs on the GUI thread while the worker waits, if `preRun` agrees.
class SwingEventSynchro {
public:
    virtual ~SwingEventSynchro() = default;
    // Asked on the worker thread; false passes the job over.
    virtual bool preRun() = 0;
};

// Told on the worker thread (or the heavy job's own) when a known job starts and stops; `heavy` says
// whether it is a heavy job.
class JobManagerListener {
public:
    virtual ~JobManagerListener() = default;
    virtual void startKnownJob(const void* source, const QString& name, bool heavy) = 0;
    virtual void stopKnownJob(const QString& name, const QString& errorMessage, bool heavy) = 0;
};

class JobAdapter : public Job {
public:
    void run() override {}
    void stopIt() override {}
    bool isAlone() const override { return true; }
    const void* getSource() const override { return nullptr; }
    void dispose() override {}
};

class JobManager;

// Runs a heavy job and keeps its name in its manager's heavy-job list meanwhile.
class HeavyJobProxy : public HeavyJob {
public:
    HeavyJobProxy(std::shared_ptr<HeavyJob> job, JobManager& manager)
        : job_(std::move(job)), manager_(manager) {}

    void run() override;
    void stopIt() override { job_->stopIt(); }
    bool isAlone() const override { return job_->isAlone(); }
    const void* getSource() const override { return job_->getSource(); }
    void dispose() override { job_->dispose(); }
    QString getName() const override { return job_->getName(); }
    QString getErrorMessage() const override { return job_->getErrorMessage(); }

private:
    std::shared_ptr<HeavyJob> job_;
    JobManager& manager_;
};

class JobManager final {
public:
    static constexpr int JOB_DELAY = 250;

    // The shared manager: made, with its worker started, on first use; disposed when the application
    // object goes, or at the latest when the program ends.
    static JobManager& COMMON_MANAGER();

    // The operations act on the shared manager unless given another.
    // A heavy job starts at once on a thread of its own; any other is queued for the worker's next pass.
    static void addJob(std::shared_ptr<Job> job, JobManager& manager = COMMON_MANAGER());
    // Whether that very job is the one the worker is running.
    static bool isRunning(const Job& job, const JobManager& manager = COMMON_MANAGER());
    static int getHeavyJobCount(const JobManager& manager = COMMON_MANAGER());
    // Throws std::out_of_range outside 0 .. count - 1.
    static QString getHeavyJob(int index, const JobManager& manager = COMMON_MANAGER());
    // One item per running heavy job, owned by `parent`.
    static QMenu* buildPopupForHeavyJob(QWidget* parent, const JobManager& manager = COMMON_MANAGER());
    // Whether a queued job not passed over is of one of the classes (exactly, not a subclass).
    static bool isTaskWorking(const std::vector<std::type_index>& classes,
                              const JobManager& manager = COMMON_MANAGER());
    // One listener for every manager; null removes it.
    static void setJobManagerListener(std::shared_ptr<JobManagerListener> listener);
    // Returns at once: waiting here on the GUI thread could hold up a job that waits for that thread.
    static void waitForNoJob() {}

    // A manager of one's own, its worker started.
    JobManager();
    ~JobManager();
    JobManager(const JobManager&) = delete;
    JobManager& operator=(const JobManager&) = delete;

    // Whether no job of that name waits, runs or runs heavy.
    bool isTerminated(const QString& jobName) const;
    // Stops the worker and joins it and every heavy-job thread, asking the running jobs to stop; queued
    // jobs are released without running. Safe on any thread, the GUI thread included while a job waits
    // for it, and more than once.
    void dispose();

private:
    friend class HeavyJobProxy;

    struct Entry {
        Entry(std::shared_ptr<Job> queued, const void* from, std::type_index kind)
            : job(std::move(queued)), source(from), type(kind) {}
        std::shared_ptr<Job> job;
        // Taken when the job is added, so that no job code runs under the queue's lock.
        const void* source;
        std::type_index type;
        // Set by a later job that supersedes this one, possibly while the worker's pass runs.
        std::atomic<bool> skip{false};
    };
    struct GuiCall;
    struct HeavyThread {
        std::shared_ptr<HeavyJobProxy> job;
        std::thread thread;
        std::atomic<bool> done{false};
    };

    // The worker loop.
    void run();
    void runEntry(const std::shared_ptr<Job>& job);
    bool isStopped() const;
    // Runs the job on the GUI thread and waits for it, or for dispose; returns whether the job is
    // still the worker's to release.
    bool runOnGuiThread(const std::shared_ptr<Job>& job);
    // Sleeps, or returns early when disposed; false once disposed.
    bool pause(int milliseconds);
    void addHeavy(std::shared_ptr<HeavyJob> job);
    void joinFinishedHeavy();
    void heavyStarted(const QString& name);
    void heavyStopped(const QString& name);

    // The queue's own short lock: never held while a job runs.
    mutable std::mutex queueMutex_;
    std::vector<std::shared_ptr<Entry>> queue_;
    bool accepting_ = true;

    // Guards running_, the current job, the GUI call waited for and the heavy jobs.
    mutable std::mutex stateMutex_;
    std::condition_variable wake_;
    bool running_ = true;
    std::shared_ptr<Job> current_;
    std::shared_ptr<GuiCall> guiCall_;
    QStringList heavyNames_;
    std::list<HeavyThread> heavyThreads_;

    // One dispose at a time joins the threads.
    std::mutex disposeMutex_;
    std::thread worker_;
};

// Shows the running heavy jobs as a popup at the widget that triggered it.
class ShowHeavyJobAction : public QAction {
    Q_OBJECT
public:
    // The one shared action, owned by the application object.
    static ShowHeavyJobAction* getInstance();

    // Pops up the list below `source` (at the cursor without one); the menu deletes itself when closed.
    void actionPerformed(QWidget* source);

private:
    ShowHeavyJobAction();
};

}  // namespace ui::job
