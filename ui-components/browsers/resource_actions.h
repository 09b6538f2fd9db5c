#pragma once
// The resource browser's user actions: the list the panel shows as buttons, and its default actions.
#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>
#include <typeinfo>

namespace ui::resourcebrowser {

class ResourceBrowserPanel;

// The ordered actions of a panel. Entries are not owned; one deleted elsewhere drops out.
class ActionModel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void addAction(QAction* action);
    // Throws std::out_of_range outside 0 .. size(), changing nothing.
    void addAction(QAction* action, int index);
    void removeAction(QAction* action);
    // Throws std::out_of_range outside 0 .. size() - 1.
    QAction* getActionAt(int index) const;
    int size() const;

    // Enables or disables every action at once.
    void setEnabled(bool enabled);
    // The first entry of exactly that class (not of a subclass), or null.
    QAction* getActionByClass(const std::type_info& type) const;
    template <typename T>
    T* getActionByClass() const {
        return static_cast<T*>(getActionByClass(typeid(T)));
    }

signals:
    void modelModified();

private:
    QList<QPointer<QAction>> live() const;

    QList<QPointer<QAction>> actions_;
};

namespace actions {

// An action on the panel it is bound to ("Name" is its text, "ShortDescription" its tool tip, "SmallIcon"
// its icon); unbound, triggering it does nothing.
class DefaultAction : public QAction {
    Q_OBJECT
public:
    DefaultAction(const QString& name, const QString& description, const QString& icon,
                  QObject* parent = nullptr);

    void setResourceBrowserPanel(ResourceBrowserPanel* panel) { panel_ = panel; }
    ResourceBrowserPanel* getResourceBrowserPanel() const { return panel_; }

protected:
    virtual void actionPerformed(ResourceBrowserPanel& panel) = 0;

private:
    QPointer<ResourceBrowserPanel> panel_;
};

class NewAction : public DefaultAction {
    Q_OBJECT
public:
    explicit NewAction(QObject* parent = nullptr);

protected:
    void actionPerformed(ResourceBrowserPanel& panel) override;
};

class RenameAction : public DefaultAction {
    Q_OBJECT
public:
    explicit RenameAction(QObject* parent = nullptr);

protected:
    void actionPerformed(ResourceBrowserPanel& panel) override;
};

class DeleteAction : public DefaultAction {
    Q_OBJECT
public:
    explicit DeleteAction(QObject* parent = nullptr);

protected:
    void actionPerformed(ResourceBrowserPanel& panel) override;
};

// Reads "Lock" or "Unlock": what a trigger does to the selected entry.
class LockAction : public DefaultAction {
    Q_OBJECT
public:
    explicit LockAction(QObject* parent = nullptr);

protected:
    void actionPerformed(ResourceBrowserPanel& panel) override;
};

}  // namespace actions
}  // namespace ui::resourcebrowser
