#include "resource_model.h"

namespace ui::resourcebrowser {

void State::putValue(const QString& key, const QVariant& value) {
    if (key.isNull()) throw std::invalid_argument("A key cannot be null");
    if (!map_) map_.emplace();
    map_->insert(key, value);
}

void State::putValue(const QString& key, const QVariant& value, const QVariant& fallback) {
    putValue(key, value.isValid() ? value : fallback);
}

QVariant State::getValue(const QString& key) const {
    if (!map_) return {};
    return map_->value(key);
}

std::optional<QString> ResourceItem::getFileName() const {
    const QString path = getFullPath();
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return std::nullopt;
    return path.mid(slash + 1);
}

QString joinPath(const QString& parent, const QString& name) {
    const QString trimmed = parent.trimmed();
    return trimmed.endsWith('/') ? trimmed + name : trimmed + '/' + name;
}

QString normalizedPath(const QString& path) {
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}

QString parentPath(const QString& path) {
    const QString folder = normalizedPath(path);
    const qsizetype slash = folder.lastIndexOf('/');
    return slash <= 0 ? QStringLiteral("/") : folder.left(slash);
}

ZoridResourceItem::ZoridResourceItem(const QString& fullPath, bool file, std::any source)
    : path_(fullPath), file_(file), source_(std::move(source)) {}

ZoridResourceItem::ZoridResourceItem(const QString& parentPath, const QString& name, bool file,
                                     std::any source)
    : ZoridResourceItem(joinPath(parentPath, name), file, std::move(source)) {}

std::shared_ptr<ResourceItem> ResourceItemModel::addResourceItem(std::shared_ptr<ResourceItem> item) {
    items_.push_back(item);
    return item;
}

}  // namespace ui::resourcebrowser
