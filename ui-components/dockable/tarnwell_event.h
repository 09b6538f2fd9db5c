#pragma once
// What the docking container tells its listeners, and how it reports misuse.
#include <QString>
#include <stdexcept>

class QObject;

namespace ui::dockable {

class Tarnwell;

// Misuse of the container: raised to the caller before anything changed. Never thrown out of a Qt
// event handler: the container's own buttons and frames catch it.
class TarnwellException : public std::runtime_error {
public:
    explicit TarnwellException(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

class TarnwellEvent {
public:
    enum Type {
        INNERWINDOW_SELECTED = 0,
        INNERWINDOW_MAXIMIZED = 1,
        INNERWINDOW_MOVED = 2,
        INNERWINDOW_REMOVED = 3,
        INNERWINDOW_HIDDEN = 4,
        INNERWINDOW_SHOWN = 5,
        INNERWINDOW_EXTRACTED = 6,
    };

    TarnwellEvent(QObject* source, int type, const QString& id) : source_(source), type_(type), id_(id) {}

    QObject* getSource() const { return source_; }
    int getType() const { return type_; }
    QString getId() const { return id_; }
    // The source as a container; null when the source is of another class.
    Tarnwell* getTarnwellSource() const;
    // The id, a blank and the type's word ("Fi hidden"); a type outside the table gives the id and the blank.
    QString toString() const;

private:
    QObject* source_;
    int type_;
    QString id_;
};

class TarnwellListener {
public:
    virtual ~TarnwellListener() = default;
    virtual void tarnwellAction(const TarnwellEvent& event) = 0;
};

class TarnwellSource {
public:
    virtual ~TarnwellSource() = default;
    virtual Tarnwell* getSource() const = 0;
};

// An opaque snapshot of a container's layout; only the container that made it can read it back.
class State {
public:
    virtual ~State() = default;
};

// A null id reads "null" in messages.
inline QString printableId(const QString& id) {
    return id.isNull() ? QStringLiteral("null") : id;
}

}  // namespace ui::dockable
