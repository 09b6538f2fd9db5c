#pragma once
// A panel that browses one directory of a store at a time: connection fields, a table of the directory's
// entries, the "Path" and "File" lists, and the user actions as buttons. A manager that connects to a
// remote store works on a thread of its own behind a busy box with Cancel, so the windows keep drawing;
// any other works on the GUI thread. Every failure ends in a message box, never in an exception.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "resource_actions.h"
#include "resource_model.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace ui {
class BusyWork;
}

namespace ui::resourcebrowser {

class ResourceBrowserPanel : public QWidget {
    Q_OBJECT
public:
    // What a table selection may put into the "File" list.
    enum SelectionMode {
        FILE_SELECTION_MODE = 0,
        DIRECTORY_SELECTION_MODE = 1,
        FILE_DIRECTORY_SELECTION_MODE = 2
    };

    // A null manager is refused with "Illegal null manager" (std::invalid_argument).
    explicit ResourceBrowserPanel(std::shared_ptr<ResourceManager> manager, const State* state = nullptr,
                                  QWidget* parent = nullptr);
    ~ResourceBrowserPanel() override;

    // A null state is refused with "Illegal null state" (std::invalid_argument).
    void setState(const State* state);
    void setState(const State& state) { setState(&state); }
    // "host", "user", "password" from the fields; "files": the selected entry of the "File" list, then
    // every entry of that list.
    State getState() const;

    bool connect();
    void disconnect();
    bool isConnected() const { return connected_; }

    void newFile();
    void deleteFile();
    void renameFile();
    void lockUnlockFile();

    // The entry of the "File" list, as an item without the file flag.
    ZoridResourceItem getSelectedResource() const;
    QString getSelectedPathFile() const;
    // Connects when needed; nothing without a connection or a selected file, or when the manager fails.
    std::optional<QByteArray> getSelectedContentFile(bool disconnectAfterwards);
    bool setSelectedContentFile(const QByteArray& content, bool disconnectAfterwards);

    void setSelectionMode(int mode) { selectionMode_ = mode; }
    int getSelectionMode() const { return selectionMode_; }
    // Not owned; it must outlive the panel or be replaced.
    void setFileResourceView(FileResourceView* view) { fileView_ = view; }
    ResourceManager& getResourceManager() const { return *manager_; }
    std::shared_ptr<ResourceManager> sharedResourceManager() const { return manager_; }
    // Made and filled with initDefaultUserActions on the first call; the caller's actions follow them.
    ActionModel* getActionModel();

    QString getCurrentPath() const { return currentPath_; }
    QString getStartPath() const { return startPath_; }

    // The controls, for bindings that fill or lock the connection fields.
    QLineEdit* hostField() const { return host_; }
    QLineEdit* userField() const { return user_; }
    QLineEdit* passwordField() const { return password_; }
    QPushButton* connectButton() const { return connectButton_; }
    QComboBox* pathList() const { return paths_; }
    QComboBox* fileList() const { return files_; }
    QTableWidget* table() const { return table_; }

    QSize sizeHint() const override { return {450, 450}; }

protected:
    // New, Rename, Delete, and Lock when the manager supports locks.
    virtual void initDefaultUserActions(ActionModel& model);

    // Shown in a window: the actions become buttons bound to the panel. Taken out of its window (no
    // parent left, or deleted with it): the panel disconnects and unbinds its actions.
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    // How one call of the manager ended.
    struct Outcome {
        std::optional<QString> failure;  // the manager's message
        bool cancelled = false;          // by the user: nothing is shown
        bool panelGone = false;          // the panel was deleted meanwhile: touch nothing of it
    };
    // Runs `operation` on the manager: for a remote store on a thread of its own behind a busy box
    // saying `doing`, whose Cancel ends it; else here. Nothing it throws goes further. One at a time: a
    // call while another runs is refused as cancelled.
    Outcome call(const QString& doing, const std::function<void(ResourceManager&)>& operation);
    // A call running while the panel disconnects or goes is cancelled and waited for.
    void endRunningCall();
    void stopManager();
    // The table and lists of a panel no longer connected.
    void forgetConnection();
    void buildControls();
    void rebuildButtons();
    void bindActions(ResourceBrowserPanel* panel);
    void removedFromWindow();
    // Lists the path and makes it the current one; a failure keeps the previous path. False also when
    // the panel went meanwhile.
    bool listPath(const QString& path);
    void showPath(const QString& path, const std::shared_ptr<ResourceItemModel>& listing);
    void showListing(const ResourceItemModel& listing);
    void clearTable();
    void updatePathList();
    void selectFileEntry(const QString& path);
    std::shared_ptr<ResourceItem> rowItem(int row) const;

    void tableSelectionChanged();
    void rowActivated(int row);
    void pathChosen(int index);
    void fileChosen(int index);
    void buttonPressed();

    void inform(const QString& text);
    void fail(const QString& text);

    std::shared_ptr<ResourceManager> manager_;
    QString currentPath_ = QStringLiteral("/");
    QString startPath_;
    bool connected_ = false;
    int selectionMode_ = FILE_SELECTION_MODE;
    FileResourceView* fileView_ = nullptr;
    ActionModel* actions_ = nullptr;
    BusyWork* running_ = nullptr;  // the call running on a thread of its own

    QLineEdit* host_;
    QLineEdit* user_;
    QLineEdit* password_;
    QPushButton* connectButton_;
    QComboBox* paths_;
    QComboBox* files_;
    QTableWidget* table_;
    QHBoxLayout* buttonRow_;
    std::vector<QPointer<QToolButton>> buttons_;
    // The table's rows after the ".." row.
    std::vector<std::shared_ptr<ResourceItem>> rows_;
};

}  // namespace ui::resourcebrowser
