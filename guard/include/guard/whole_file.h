#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace guard {

// An output that appears whole or not at all. The bytes go to a partial file beside `path`
// (".<name>.<pid>-<n>.tzpart"), which commit() renames over `path`: a link standing at `path` is replaced,
// never written through, and no reader ever sees half a file. Without a commit the partial file is removed.
class WholeFile {
public:
    explicit WholeFile(std::string path, mode_t mode = 0666);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // 0 while every step has succeeded, else the errno of the first failure; every later step then does
    // nothing.
    int error() const { return error_; }
    bool write(std::string_view bytes);
    // Closes the partial file and renames it over the path; false (and nothing left) when a step failed.
    bool commit();
    // Removes the partial file; the path keeps what it held.
    void discard();
    const std::string& path() const { return path_; }
    // The partial file while it is being written ("" once committed or discarded).
    const std::string& partial() const { return partial_; }

private:
    void fail(int error);

    std::string path_;
    std::string partial_;
    int fd_ = -1;
    int error_ = 0;
};

// Writes `bytes` as the whole file `path`. Returns 0, or the errno of the failure (nothing written then).
int replaceFile(const std::string& path, std::string_view bytes, mode_t mode = 0666);

// Whether `name` (a bare file name) is a partial file of WholeFile.
bool isPartialName(std::string_view name);

// Removes the partial files that a run killed outright left in `folder` ("" for the working folder, else
// with its trailing "/"). Only the holder of the folder's lock calls it, so none of them is being written.
void removePartials(const std::string& folder);

}  // namespace guard
