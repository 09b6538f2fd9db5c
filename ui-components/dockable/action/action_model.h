#pragma once
// The ordered list of actions a title bar shows; an empty entry is a separator.
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <typeinfo>

class QAction;

namespace ui::dockable::action {

// The action property names of the kit: "Name" (the text), "ShortDescription" (the tool tip),
// "SmallIcon" (a QIcon) and "AcceleratorKey" (a QKeySequence). Any other name is kept as a property of
// the action.
QVariant getValue(const QAction& action, const QString& key);
void putValue(QAction& action, const QString& key, const QVariant& value);

class ActionModel;

class ModelStateListener {
public:
    virtual ~ModelStateListener() = default;
    virtual void modelModified(ActionModel& model) = 0;
};

// Entries are not owned: an action deleted elsewhere leaves the model (and the model notifies).
class ActionModel {
public:
    static constexpr QAction* SEPARATOR = nullptr;

    virtual ~ActionModel() = default;
    virtual void addAction(QAction* action) = 0;
    // Throws std::out_of_range outside 0..getActionCount(), changing nothing.
    virtual void addAction(QAction* action, int index) = 0;
    virtual void removeAction(QAction* action) = 0;
    virtual void removeAll() = 0;
    // Throws std::out_of_range for an index outside the model.
    virtual QAction* getAction(int index) const = 0;
    virtual int getActionCount() const = 0;
    virtual bool isSeparator(int index) const = 0;
    // The first entry of exactly that class (not of a subclass), or null.
    virtual QAction* getActionByClass(const std::type_info& type) const = 0;
    virtual void addModelStateListener(ModelStateListener* listener) = 0;
    virtual void removeModelStateListener(ModelStateListener* listener) = 0;

    template <typename T>
    T* getActionByClass() const {
        return static_cast<T*>(getActionByClass(typeid(T)));
    }
};

class ZoridActionModel : public ActionModel {
public:
    ZoridActionModel();
    // Adds the actions from the last to the first, so the model holds them in reverse order; a null entry
    // becomes a separator.
    explicit ZoridActionModel(const QList<QAction*>& actions);
    // As above; a null list is refused with "Null actions ? " (std::invalid_argument).
    explicit ZoridActionModel(const QList<QAction*>* actions);
    ~ZoridActionModel() override;

    void addAction(QAction* action) override;
    void addAction(QAction* action, int index) override;
    void removeAction(QAction* action) override;
    void removeAll() override;
    QAction* getAction(int index) const override;
    int getActionCount() const override { return int(actions_.size()); }
    bool isSeparator(int index) const override;
    QAction* getActionByClass(const std::type_info& type) const override;
    using ActionModel::getActionByClass;
    void addModelStateListener(ModelStateListener* listener) override;
    void removeModelStateListener(ModelStateListener* listener) override;

    // "[" + the entries' texts separated by "," + "]"; a separator reads "null".
    QString toString() const;

private:
    void checkIndex(int index, int size) const;
    void watch(QAction* action);
    void notify();

    QList<QAction*> actions_;
    QList<ModelStateListener*> listeners_;
    // Receives the destroyed() signals of the entries.
    QObject guard_;
};

}  // namespace ui::dockable::action
