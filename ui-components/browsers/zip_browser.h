#pragma once
// The resource browser bound to the entries of one ZIP archive (libzip). Entries are named by their
// path inside the archive without a leading "/"; the panel's items carry that path after a "/".
#include <QHash>
#include <QStringList>
#include <functional>
#include <memory>

#include "resource_browser_panel.h"
#include "resource_model.h"

struct zip;

namespace ui::zipbrowser {

class ZIPResourceManager : public resourcebrowser::ResourceManager {
public:
    explicit ZIPResourceManager(const QString& archive);
    ~ZIPResourceManager() override;
    ZIPResourceManager(const ZIPResourceManager&) = delete;
    ZIPResourceManager& operator=(const ZIPResourceManager&) = delete;

    QString getArchive() const { return archive_; }

    // Opens the archive and reads its entry names; returns "/".
    QString start(const QString& host, const QString& user, const QString& password) override;
    void stop() override;
    // The files and folders directly below the folder; a folder that only deeper entries name is shown
    // once, in the place of its first entry.
    std::shared_ptr<resourcebrowser::ResourceItemModel> list(
        const resourcebrowser::ResourceItem& directory) override;
    QByteArray getContent(const resourcebrowser::ResourceItem& item) override;
    // The three rewrite the archive into a new file beside it, which then replaces it; every other
    // entry is copied as it is stored. On a failure the archive file is left as it was.
    void setContent(const resourcebrowser::ResourceItem& item, const QByteArray& content) override;
    void renameFile(const resourcebrowser::ResourceItem& item, const QString& newPath) override;
    void deleteFile(const resourcebrowser::ResourceItem& item) override;
    void lock(const resourcebrowser::ResourceItem&, bool) override {}
    bool isLockSupported() const override { return false; }
    bool isConnectionSupported() const override { return false; }

private:
    // Applies one change to the archive opened for writing; returns false with libzip's error set.
    using Change = std::function<bool(zip* archive)>;
    void rewrite(const Change& change);
    void open();
    void requireOpen() const;
    // The index of the entry named `path` (leading "/" ignored), or -1.
    qint64 entryIndex(const QString& path) const;

    QString archive_;
    zip* input_ = nullptr;
    QStringList names_;  // by entry index, without a leading "/"
    QHash<QString, qint64> indexes_;
    std::shared_ptr<resourcebrowser::ResourceItemModel> listing_;
};

class ZIPBrowser : public resourcebrowser::ResourceBrowserPanel {
    Q_OBJECT
public:
    explicit ZIPBrowser(const QString& archive, QWidget* parent = nullptr);
};

}  // namespace ui::zipbrowser
