#include "sc_predefined_token.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace ui::sc {
namespace {

struct Table {
    QMutex mutex;
    QHash<QString, QString> entries{
        {QStringLiteral("_NUMBER_"), QStringLiteral("(0;1;2;3;4;5;6;7;8;9;.;,)")},
        {QStringLiteral("_OPERATOR_"), QStringLiteral("+:-:/:*:%")},
        // A double-quoted text with backslash escapes, ten characters: ["; "{{\}}]
        {QStringLiteral("_LITTERAL_"), QStringLiteral("[\";\"{{\\}}]")},
    };
};

Table& table() {
    static Table instance;
    return instance;
}

}  // namespace

QString ScPredefinedToken::getValidToken(const QString& token) {
    if (token == u":") return QStringLiteral("_DD_");
    if (token == u"\n") return QStringLiteral("_RC_");
    return token;
}

void ScPredefinedToken::addPredefinedToken(const QString& name, const QString& value) {
    QMutexLocker lock(&table().mutex);
    table().entries.insert(name, value);
}

void ScPredefinedToken::removePredefinedToken(const QString& name, const QString&) {
    QMutexLocker lock(&table().mutex);
    table().entries.remove(name);
}

std::optional<QString> ScPredefinedToken::predefinedToken(const QString& name) {
    QMutexLocker lock(&table().mutex);
    const auto found = table().entries.constFind(name);
    if (found == table().entries.constEnd()) return std::nullopt;
    return *found;
}

}  // namespace ui::sc
