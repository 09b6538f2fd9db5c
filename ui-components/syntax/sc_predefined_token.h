#pragma once
// The process-wide table of named token lists that a descriptor may name in place of a list of its own.
#include <QString>
#include <optional>

namespace ui::sc {

class ScPredefinedToken {
public:
    // The written form of a token inside descriptor keys and lists: ":" is "_DD_", a line break "_RC_".
    static QString getValidToken(const QString& token);

    static void addPredefinedToken(const QString& name, const QString& value);
    // The value is not looked at: the entry of that name goes.
    static void removePredefinedToken(const QString& name, const QString& value);
    static std::optional<QString> predefinedToken(const QString& name);
};

}  // namespace ui::sc
