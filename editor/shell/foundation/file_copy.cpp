#include "file_copy.h"

#include <QFile>
#include <cstdio>

#include "environment.h"
#include "files.h"
#include "guard/file_copy.h"

namespace editor {
namespace {

// The editor's file seam, asked by the copy.
class SeamQueries : public guard::FileQueries {
public:
    guard::PathStatus status(const std::string& path) const override {
        return files().status(QFile::decodeName(path.c_str()));
    }
    bool sameFile(const std::string& first, const std::string& second) const override {
        return files().sameFile(QFile::decodeName(first.c_str()), QFile::decodeName(second.c_str()));
    }
};

}  // namespace

std::optional<QString> FileCopy::copy(const QString& from, const QString& to) {
    const SeamQueries queries;
    guard::CopyRules rules;
    rules.base = QFile::encodeName(kitFolder()).toStdString();
    rules.intoFolder = true;
    rules.queries = &queries;
    rules.print = [](const std::string& line) {
        std::fputs((line + '\n').c_str(), stdout);
        std::fflush(stdout);
    };
    const std::optional<std::string> failure =
        guard::copyFile(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), rules);
    if (!failure) return std::nullopt;
    return QFile::decodeName(failure->c_str());
}

}  // namespace editor
