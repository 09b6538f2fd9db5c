#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace build {

// The whole file's bytes. On failure returns nothing and sets `error` to "<path> (<reason>)".
std::optional<std::string> readText(const std::string& path, std::string& error);

// Writes `lines`, each ended by "\n", as the whole file (guard::WholeFile: beside it, then renamed over it,
// so a link there is replaced, never written through). Every write and the close are checked, so a full disk
// or a file-size limit is reported and leaves nothing; the returned text is "<path> (<reason>)".
std::optional<std::string> writeLines(const std::string& path, const std::vector<std::string>& lines,
                                      mode_t mode = 0644);

// "<path> (<reason of errno>)".
std::string describeErrno(const std::string& path, int error);

// Deletes a file if it exists; failures are ignored.
void deleteIfExists(const std::string& path);

bool exists(const std::string& path);
bool isRegularFile(const std::string& path);

}  // namespace build
