#pragma once
// The detailed directory listing an FTP server sends for LIST, in its two common forms:
//   Unix: "-rw-r--r--   1 owner group   1234 Jan 02 12:34 name" (a year in place of the time for old files)
//   DOS:  "01-02-24  12:34PM       <DIR>          name" or "...     1234 name"
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

namespace ui::ftpbrowser {

struct FTPFile {
    QString name;
    bool directory = false;
    bool link = false;
    qint64 size = 0;
    QDateTime lastModified;  // UTC as the server wrote it; invalid when the line gives no usable date
};

// One entry per line of either form, in the listing's order; other lines ("total 12", blank ones, the
// server's "." and "..") are skipped. A link's name drops its " -> target". `now` gives the year of Unix
// entries that carry a time instead of one: the latest year that does not put them in the future.
std::vector<FTPFile> parseListing(const QByteArray& listing, const QDateTime& now);

}  // namespace ui::ftpbrowser
