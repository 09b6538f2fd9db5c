#include "zip_browser.h"

#include <zip.h>

#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include "file_browser.h"

namespace ui::zipbrowser {

using resourcebrowser::ResourceException;
using resourcebrowser::ResourceItem;
using resourcebrowser::ResourceItemModel;
using resourcebrowser::ZoridResourceItem;

namespace {

QString errorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString errorText(zip_t* archive) {
    return QString::fromUtf8(zip_error_strerror(zip_get_error(archive)));
}

// The entry's name as the panel knows it: without a leading "/". Null for a deleted entry.
QString entryName(zip_t* archive, zip_uint64_t index) {
    const char* name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
    if (!name) return QString();
    QString text = QString::fromUtf8(name);
    while (text.startsWith('/')) text.remove(0, 1);
    return text;
}

qint64 locate(zip_t* archive, const QString& path) {
    QString name = path;
    while (name.startsWith('/')) name.remove(0, 1);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (entryName(archive, zip_uint64_t(i)) == name) return i;
    }
    return -1;
}

QByteArray withoutLeadingSlash(const QString& path) {
    QString name = path;
    while (name.startsWith('/')) name.remove(0, 1);
    return name.toUtf8();
}

bool noSuchEntry(zip_t* archive) {
    zip_error_set(zip_get_error(archive), ZIP_ER_NOENT, 0);
    return false;
}

// The file a rewrite replaces: a symbolic link's target, link after link, as QSaveFile finds it, so that
// the link stays a link and the archive it names gets the change.
QString rewrittenFile(const QString& archive) {
    QFileInfo file(archive);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth) file.setFile(file.symLinkTarget());
    return file.isSymLink() ? archive : file.filePath();
}

// What the archive has to hold when its last entry is gone: the end record alone. libzip would delete
// the file instead.
const QByteArray kEmptyArchive = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');

}  // namespace

ZIPResourceManager::ZIPResourceManager(const QString& archive) : archive_(archive) {}

ZIPResourceManager::~ZIPResourceManager() {
    stop();
}

QString ZIPResourceManager::start(const QString&, const QString&, const QString&) {
    stop();
    open();
    return QStringLiteral("/");
}

void ZIPResourceManager::open() {
    int code = 0;
    zip_t* archive = zip_open(archive_.toLocal8Bit().constData(), ZIP_RDONLY, &code);
    if (!archive)
        throw ResourceException(QStringLiteral("Can't open ") + archive_ + QStringLiteral(" : ") +
                                errorText(code));
    input_ = archive;
    names_.clear();
    indexes_.clear();
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        names_.append(entryName(archive, zip_uint64_t(i)));
        if (!indexes_.contains(names_.last())) indexes_.insert(names_.last(), i);
    }
}

void ZIPResourceManager::stop() {
    if (input_) zip_discard(input_);
    input_ = nullptr;
    names_.clear();
    indexes_.clear();
}

void ZIPResourceManager::requireOpen() const {
    if (!input_) throw ResourceException(QStringLiteral("No connection"));
}

qint64 ZIPResourceManager::entryIndex(const QString& path) const {
    QString name = path;
    while (name.startsWith('/')) name.remove(0, 1);
    return indexes_.value(name, -1);
}

std::shared_ptr<ResourceItemModel> ZIPResourceManager::list(const ResourceItem& directory) {
    requireOpen();
    QString prefix = resourcebrowser::normalizedPath(directory.getFullPath());
    while (prefix.startsWith('/')) prefix.remove(0, 1);
    if (!prefix.isEmpty()) prefix += '/';
    const QString parent = '/' + prefix;

    if (!listing_) listing_ = std::make_shared<ResourceItemModel>();
    listing_->removeAll();
    QSet<QString> shown;
    for (qsizetype i = 0; i < names_.size(); ++i) {
        const QString& name = names_[i];
        if (!name.startsWith(prefix) || name.size() == prefix.size()) continue;
        const QString rest = name.mid(prefix.size());
        const qsizetype slash = rest.indexOf('/');
        const bool file = slash < 0;
        const QString child = file ? rest : rest.left(slash);
        // "a//b" names no folder of its own.
        if (child.isEmpty() || shown.contains(child + (file ? "" : "/"))) continue;
        shown.insert(child + (file ? "" : "/"));
        auto item =
            std::make_shared<ZoridResourceItem>(parent, child, file, file ? std::any(name) : std::any());
        zip_stat_t stat;
        if (file && zip_stat_index(input_, zip_uint64_t(i), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
            item->setSize(qint64(stat.size));
        listing_->addResourceItem(item);
    }
    return listing_;
}

QByteArray ZIPResourceManager::getContent(const ResourceItem& item) {
    requireOpen();
    const QString message = QStringLiteral("Can't get file content : ");
    const qint64 index = entryIndex(item.getFullPath());
    if (index < 0) throw ResourceException(message + errorText(ZIP_ER_NOENT));
    zip_file_t* entry = zip_fopen_index(input_, zip_uint64_t(index), 0);
    if (!entry) throw ResourceException(message + errorText(input_));
    QByteArray content;
    char buffer[65536];
    for (;;) {
        const zip_int64_t read = zip_fread(entry, buffer, sizeof buffer);
        if (read < 0) {
            const QString why = QString::fromUtf8(zip_file_strerror(entry));
            zip_fclose(entry);
            throw ResourceException(message + why);
        }
        if (read == 0) break;
        content.append(buffer, qsizetype(read));
    }
    zip_fclose(entry);
    return content;
}

void ZIPResourceManager::rewrite(const Change& change) {
    requireOpen();
    const QString message = QStringLiteral("Can't store : ");
    // The input reads the file that is about to be replaced.
    stop();
    const QString target = rewrittenFile(archive_);
    int code = 0;
    zip_t* output = zip_open(target.toLocal8Bit().constData(), 0, &code);
    if (!output) {
        try {
            open();
        } catch (const ResourceException&) {
        }
        throw ResourceException(message + errorText(code));
    }

    bool done = change(output);
    int left = 0;
    const zip_int64_t count = zip_get_num_entries(output, 0);
    for (zip_int64_t i = 0; done && i < count; ++i) {
        const char* stored = zip_get_name(output, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (!stored) continue;
        ++left;
        const QString name = entryName(output, zip_uint64_t(i));
        if (stored[0] == '/' && locate(output, name) == i)
            zip_file_rename(output, zip_uint64_t(i), name.toUtf8().constData(), ZIP_FL_ENC_UTF_8);
    }

    QString failure;
    if (!done) {
        failure = errorText(output);
        zip_discard(output);
    } else if (left == 0) {
        zip_discard(output);
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(kEmptyArchive) != kEmptyArchive.size() ||
            !file.commit())
            failure = file.errorString();
    } else if (zip_close(output) != 0) {
        failure = errorText(output);
        zip_discard(output);
    }
    if (!failure.isNull()) {
        try {
            open();
        } catch (const ResourceException&) {
        }
        throw ResourceException(message + failure);
    }
    open();
}

void ZIPResourceManager::setContent(const ResourceItem& item, const QByteArray& content) {
    const QString path = item.getFullPath();
    // libzip reads the buffer when the archive is closed, inside rewrite, while `content` still lives.
    rewrite([&](zip_t* archive) {
        zip_source_t* source =
            zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        if (!source) return false;
        const qint64 index = locate(archive, path);
        const bool stored = index >= 0 ? zip_file_replace(archive, zip_uint64_t(index), source, 0) == 0
                                       : zip_file_add(archive, withoutLeadingSlash(path).constData(), source,
                                                      ZIP_FL_ENC_UTF_8) >= 0;
        if (!stored) zip_source_free(source);
        return stored;
    });
}

void ZIPResourceManager::renameFile(const ResourceItem& item, const QString& newPath) {
    const QString path = item.getFullPath();
    rewrite([&](zip_t* archive) {
        const qint64 index = locate(archive, path);
        if (index < 0) return noSuchEntry(archive);
        return zip_file_rename(archive, zip_uint64_t(index), withoutLeadingSlash(newPath).constData(),
                               ZIP_FL_ENC_UTF_8) == 0;
    });
}

void ZIPResourceManager::deleteFile(const ResourceItem& item) {
    const QString path = item.getFullPath();
    rewrite([&](zip_t* archive) {
        const qint64 index = locate(archive, path);
        if (index < 0) return noSuchEntry(archive);
        return zip_delete(archive, zip_uint64_t(index)) == 0;
    });
}

ZIPBrowser::ZIPBrowser(const QString& archive, QWidget* parent)
    : ResourceBrowserPanel(std::make_shared<ZIPResourceManager>(archive), nullptr, parent) {
    filebrowser::connectWithoutLogin(*this, archive);
}

}  // namespace ui::zipbrowser
