#pragma once
// The kit's file copy, for Build's support files and the editor's Copy Image and Add to project: the
// checks in their order, each with its "FileCopy: ..." message, then the copy written whole beside its
// place (guard/whole_file.h) and renamed over it.
#include <functional>
#include <optional>
#include <string>

namespace guard {

// What a path is, links followed.
struct PathStatus {
    bool exists = false;
    bool isFile = false;
    bool isDirectory = false;
    bool readable = false;
    bool writable = false;
};

// The file system as a copy asks it before it copies. Tests answer for what permissions cannot refuse
// to root (an unreadable source, an unwritable folder).
class FileQueries {
public:
    virtual ~FileQueries() = default;
    virtual PathStatus status(const std::string& path) const;
    // The two paths name one file (through links, hard or symbolic); false when either is missing.
    virtual bool sameFile(const std::string& first, const std::string& second) const;
};

struct CopyRules {
    // Relative paths are taken from this folder ("": as they are, from the working folder).
    std::string base;
    // The editor's copy: a folder as destination takes the copy under the source's name, and a missing or
    // unwritable destination folder is named by itself. Build's copy refuses a folder as destination
    // ("Destination is not a file") and names the destination in those two messages.
    bool intoFolder = false;
    // Prints the line each of the two source checks prints before it fails.
    std::function<void(const std::string&)> print;
    // Printed when closing the source or the copy fails ("": nothing); the copy fails only for the copy's.
    std::string closeFailed;
    const FileQueries* queries = nullptr;  // nullptr: the real file system
    // The destination as the messages name it ("": as given).
    std::string shownTo;
};

// Copies `from` to `to`, replacing a file there, with the source's permission bits. Returns the failure's
// message, or nothing once the whole copy stands at its place.
std::optional<std::string> copyFile(const std::string& from, const std::string& to, const CopyRules& rules);

}  // namespace guard
