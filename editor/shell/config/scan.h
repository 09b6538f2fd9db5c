#pragma once
// The SDK scan of the first-run wizard: walks the first levels below the kit folder (where a moved kit's
// own tools are) and then below the file-system root, on a thread of its own, and offers every Java SDK
// ("JDK…" folders holding bin/javac) and every wireless toolkit ("WTK…" folders holding bin/preverify).
// Its signals come from the scan thread; connected to an object of the GUI thread they arrive there as
// queued calls, in the order the walk made them.
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

namespace editor {

// The root of the walk after the kit folder, from the Services in force: "/" unless a test points it at a
// small folder.
QString scanRoot();

class Scan : public QObject {
    Q_OBJECT
public:
    // The names of the folders in `folder`, in listing order; nothing when it cannot be read. Any failure
    // it raises ends the walk.
    using Lister = std::function<std::optional<QStringList>(const QString& folder)>;

    static constexpr int maxDepth = 4;

    explicit Scan(const QString& root = scanRoot(), Lister lister = {});
    // Stops the walk and waits for the thread.
    ~Scan() override;

    // Starts the thread, once.
    void start();
    // Asks the walk to stop before its next folder and waits for the thread to end. Nothing is signalled
    // after it returns.
    void stop();
    bool stopRequested() const { return stopping_.load(); }

    static std::optional<QStringList> listFolders(const QString& folder);

signals:
    void javaFound(const QString& folder);
    void toolkitFound(const QString& folder);
    // The walk has ended (not when it was stopped): whether each list got an item.
    void finished(bool JDKFound, bool WTKFound);

private:
    void run();
    void listDirContents(const QString& folder, int depth);
    // False when the folder was offered before, under this path or another.
    bool firstOffer(const QString& folder);

    QStringList roots_;
    Lister lister_;
    std::thread myThread;
    std::atomic<bool> stopping_{false};
    bool JDKFound = false;
    bool WTKFound = false;
    QSet<QString> offered_;
};

}  // namespace editor
