#pragma once
// The properties text format of the descriptors: "key=value" or "key: value" or "key value" lines,
// "#" and "!" comment lines, a trailing backslash continuing a line, and the escapes \t \n \r \f \uXXXX
// (a backslash before any other character stands for that character).
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace ui::sc {

// Keys in the order of their first appearance; a repeated key keeps its place and takes the later value.
class PropertyList {
public:
    void setProperty(const QString& key, const QString& value);
    std::optional<QString> value(const QString& key) const;
    const QList<QPair<QString, QString>>& entries() const { return entries_; }
    bool isEmpty() const { return entries_.isEmpty(); }

private:
    QList<QPair<QString, QString>> entries_;
};

struct PropertiesParse {
    PropertyList properties;
    QString error;  // null when the whole text was read
};

// Text that is not valid UTF-8 is read as Latin-1.
PropertiesParse parseProperties(const QByteArray& bytes);

}  // namespace ui::sc
