// The kit's jar: writes and updates jar files itself (on libzip), taking the command lines of the JDK's
// jar that Build, its resource script and the kit's tests run:
//   jar cmf MANIFEST JAR INPUT...   a new JAR whose manifest holds MANIFEST's attributes
//   jar cf JAR INPUT...             a new JAR with a manifest of its own
//   jar uf JAR INPUT...             JAR with each INPUT added; an entry of the same name is replaced in place
//   jar tf JAR                      the names of JAR's entries, one a line
// An INPUT is a file or a folder, or "-C FOLDER NAME": NAME in FOLDER, named in the jar without FOLDER
// ("-C classes ." is everything in classes). A folder is its entry "<name>/" followed by its contents,
// sorted by name; a file named by a path gets no entries for the folders on that path.
//
// The archive is the one the JDK's jar writes from the same input, in a form every phone reads:
// META-INF/ and META-INF/MANIFEST.MF first, then the entries in the order above, each deflated (folders and
// empty files stored) with its sizes in its local header. The new jar is written beside its place and
// renamed over it, so a failure leaves the old file or none. Status 0 on success, 1 on a failure, 2 for a
// command line it does not take.
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "guard/whole_file.h"
#include "jar_manifest.h"

namespace {

constexpr const char* kUsage =
    "Usage: jar cmf <manifest> <jar> <input>...\n"
    "       jar cf <jar> <input>...\n"
    "       jar uf <jar> <input>...\n"
    "       jar tf <jar>\n"
    "An <input> is a file or a folder, or -C <folder> <name> (<name> in <folder>).";
constexpr const char* kCreatedBy = "Tesvo Zorid";
constexpr const char* kManifestFolder = "META-INF/";
constexpr const char* kManifest = "META-INF/MANIFEST.MF";
constexpr zip_uint16_t kJarMagic = 0xcafe;  // the empty extra field that marks META-INF/ of a jar

int fail(const std::string& message) {
    std::cerr << "jar: " << message << "\n";
    return 1;
}

std::string failure(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

// The whole of a file into `data`; 0 or the errno of the failure.
int readWhole(const std::string& path, std::string& data) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    data.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            return error;
        }
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return 0;
}

// An entry's name for a path: "/" between the parts, without "." parts, blank parts and whatever
// leads up to the last ".." ("/tmp/a.png" and "../tmp/a.png" are both "tmp/a.png").
std::string entryName(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        size_t slash = path.find('/');
        std::string_view part = path.substr(0, slash);
        if (part == "..") {
            parts.clear();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
    }
    std::string name;
    for (auto part : parts) name += (name.empty() ? "" : "/") + std::string(part);
    return name;
}

struct Entry {
    std::string name;  // a folder's ends with "/"
    std::string data;
    time_t modified = 0;
};

// The entries of the inputs, read whole before anything is written.
class Inputs {
public:
    // Adds the file or folder at `path` as `name` ("" for a folder: its contents only).
    bool add(const std::string& path, const std::string& name) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) return failed(failure(path, errno));
        if (S_ISDIR(info.st_mode)) {
            if (!name.empty() && !take({name + "/", "", info.st_mtime}, path)) return false;
            DIR* folder = ::opendir(path.c_str());
            if (!folder) return failed(failure(path, errno));
            std::vector<std::string> children;
            errno = 0;
            while (const dirent* child = ::readdir(folder)) {
                std::string childName = child->d_name;
                if (childName != "." && childName != "..") children.push_back(childName);
            }
            int error = errno;
            ::closedir(folder);
            if (error != 0) return failed(failure(path, error));
            std::sort(children.begin(), children.end());
            for (const auto& child : children) {
                if (!add(path + (path.ends_with('/') ? "" : "/") + child,
                         name.empty() ? child : name + "/" + child))
                    return false;
            }
            return true;
        }
        if (!S_ISREG(info.st_mode)) return failed(path + ": not a file or a folder");
        Entry entry{name, "", info.st_mtime};
        if (int error = readWhole(path, entry.data)) return failed(failure(path, error));
        return take(std::move(entry), path);
    }

    const std::vector<Entry>& entries() const { return entries_; }
    const std::string& error() const { return error_; }

private:
    bool failed(const std::string& message) {
        error_ = message;
        return false;
    }

    bool take(Entry entry, const std::string& path) {
        // The jar's own manifest and its folder come from the command, never from the inputs.
        if (entry.name == kManifestFolder || entry.name == kManifest) return true;
        if (!standins::isUtf8(entry.name)) return failed(path + ": a jar holds only names in UTF-8");
        if (!names_.insert(entry.name).second) return failed("duplicate entry: " + entry.name);
        entries_.push_back(std::move(entry));
        return true;
    }

    std::vector<Entry> entries_;
    std::set<std::string> names_;
    std::string error_;
};

// An INPUT of the command line: the file or folder and its entry's name.
struct Input {
    std::string path, name;
};

// The INPUT words from `at` on; false when a -C lacks its folder or name.
bool parseInputs(const std::vector<std::string>& words, size_t at, std::vector<Input>& inputs) {
    while (at < words.size()) {
        if (words[at] != "-C") {
            inputs.push_back({words[at], entryName(words[at])});
            ++at;
            continue;
        }
        if (at + 2 >= words.size()) return false;
        const std::string &folder = words[at + 1], &name = words[at + 2];
        inputs.push_back(
            {name == "." ? folder : folder + (folder.ends_with('/') ? "" : "/") + name, entryName(name)});
        at += 3;
    }
    return true;
}

// --- Writing ----------------------------------------------------------------------------------------

// The partial file being written (one of the kit's own, ".<jar>.<pid>-<n>.tzpart", which a build removes
// when it ends the jar outright), removed when a stop signal ends the program before it is renamed.
char partialPath[4096];
volatile std::sig_atomic_t partialExists = 0;

extern "C" void removeTemporaryAndStop(int signal) {
    if (partialExists) ::unlink(partialPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Writes `bytes` as the file `path` through a partial file beside it, renamed over it (over a link too,
// never through it). `mode`: the new file's permissions.
bool replaceFile(const std::string& path, const std::string& bytes, mode_t mode, std::string& error) {
    guard::WholeFile file(path, mode);
    if (file.error() == 0 && file.partial().size() < sizeof partialPath) {
        std::memcpy(partialPath, file.partial().c_str(), file.partial().size() + 1);
        partialExists = 1;
    }
    file.write(bytes);
    const bool written = file.commit();
    partialExists = 0;
    // The mode whole, whatever the umask took away: an updated jar keeps its own.
    if (written) ::chmod(path.c_str(), mode);
    if (!written) error = failure(path, file.error());
    return written;
}

struct ZipError {
    zip_error_t error;
    ZipError() { zip_error_init(&error); }
    ~ZipError() { zip_error_fini(&error); }
    std::string text() { return zip_error_strerror(&error); }
};

// Adds or replaces (in its place) one entry; `data` must live until the archive is closed.
bool putEntry(zip_t* archive, const std::string& name, const std::string& data, time_t modified,
              bool folder) {
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    if (!source) return false;
    zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_GUESS);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    auto at = static_cast<zip_uint64_t>(index);
    bool stored = folder || data.empty();
    return zip_set_file_compression(archive, at, stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0 &&
           zip_file_set_mtime(archive, at, modified, 0) == 0 &&
           zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_DOS, 0) == 0;
}

// The archive `existing` (empty: a new one) with `manifest` (empty: none added) and the entries of
// `inputs`, as the bytes of a zip file; `error` tells why not.
bool buildArchive(const std::string& existing, const std::string& manifest, const Inputs& inputs,
                  std::string& bytes, std::string& error) {
    ZipError zipError;
    // The buffer is handed over: libzip frees what it replaces when the archive is written into it.
    void* data = existing.empty() ? nullptr : std::malloc(existing.size());
    if (data) std::memcpy(data, existing.data(), existing.size());
    zip_source_t* buffer = zip_source_buffer_create(data, data ? existing.size() : 0, 1, &zipError.error);
    if (!buffer) {
        std::free(data);
        error = zipError.text();
        return false;
    }
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, &zip_source_free);
    zip_source_keep(buffer);  // the archive's close writes into it; it is read afterwards
    zip_t* archive = zip_open_from_source(buffer, existing.empty() ? ZIP_TRUNCATE : 0, &zipError.error);
    if (!archive) {
        zip_source_free(buffer);
        error = zipError.text();
        return false;
    }
    const time_t now = std::time(nullptr);
    bool ok = true;
    if (!manifest.empty()) {
        ok = putEntry(archive, kManifestFolder, "", now, true) &&
             zip_file_extra_field_set(archive, 0, kJarMagic, ZIP_EXTRA_FIELD_NEW, nullptr, 0,
                                      ZIP_FL_LOCAL | ZIP_FL_CENTRAL) == 0 &&
             putEntry(archive, kManifest, manifest, now, false);
    }
    for (const auto& entry : inputs.entries()) {
        if (!ok) break;
        ok = putEntry(archive, entry.name, entry.data, entry.modified, entry.name.ends_with('/'));
    }
    if (!ok || zip_close(archive) != 0) {
        error = zip_strerror(archive);
        zip_discard(archive);
        return false;
    }
    zip_stat_t info;
    zip_stat_init(&info);
    bool read = zip_source_open(buffer) == 0;
    if (read && zip_source_stat(buffer, &info) == 0 && (info.valid & ZIP_STAT_SIZE)) {
        bytes.resize(info.size);
        read = zip_source_read(buffer, bytes.data(), info.size) == static_cast<zip_int64_t>(info.size);
    }
    if (!read || bytes.empty()) error = zip_error_strerror(zip_source_error(buffer));
    zip_source_close(buffer);
    return error.empty();
}

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// `manifestFile`: the manifest's name in messages.
int create(const std::string& jar, const std::string& manifestFile, const std::string& manifestInput,
           const Inputs& inputs) {
    standins::JarManifest manifest = standins::makeJarManifest(manifestInput, kCreatedBy);
    if (!manifest.error.empty()) return fail("the manifest " + manifestFile + ": " + manifest.error);
    std::string bytes, error;
    if (!buildArchive("", manifest.text, inputs, bytes, error)) return fail(jar + ": " + error);
    if (!replaceFile(jar, bytes, newFileMode(), error)) return fail(error);
    return 0;
}

int update(const std::string& jar, const Inputs& inputs) {
    std::string existing, bytes, error;
    struct stat info {};
    if (::stat(jar.c_str(), &info) != 0) return fail(failure(jar, errno));
    if (int problem = readWhole(jar, existing)) return fail(failure(jar, problem));
    if (existing.empty()) return fail(jar + ": not a jar");
    if (!buildArchive(existing, "", inputs, bytes, error)) return fail(jar + ": " + error);
    if (!replaceFile(jar, bytes, info.st_mode & 07777, error)) return fail(error);
    return 0;
}

int list(const std::string& jar) {
    int code = 0;
    zip_t* archive = zip_open(jar.c_str(), ZIP_RDONLY, &code);
    if (!archive) {
        ZipError error;
        zip_error_init_with_code(&error.error, code);
        return fail(jar + ": " + error.text());
    }
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name) std::cout << name << "\n";
    }
    zip_discard(archive);
    return std::cout.flush() ? 0 : fail("cannot write the list");
}

int usage() {
    std::cerr << "jar: this kit's jar takes only these command lines:\n" << kUsage << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Each entry's deflate buffers are freed and taken again; the heap keeps what they freed instead of
    // giving it back and faulting it in anew for the next entry.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    std::vector<std::string> words(argv + 1, argv + argc);
    // A file-size limit makes a write fail instead of ending the program with a half-written file.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int signal : {SIGHUP, SIGINT, SIGTERM})
        if (std::signal(signal, removeTemporaryAndStop) == SIG_IGN) std::signal(signal, SIG_IGN);

    const std::string mode = words.empty() ? "" : words[0];
    if (mode == "tf" && words.size() == 2) return list(words[1]);
    const size_t firstInput = mode == "cmf" ? 3 : 2;
    std::vector<Input> named;
    if ((mode != "cmf" && mode != "cf" && mode != "uf") || words.size() < firstInput ||
        !parseInputs(words, firstInput, named) || (named.empty() && mode != "cmf"))
        return usage();

    std::string manifest;
    if (mode == "cmf") {
        if (int error = readWhole(words[1], manifest))
            return fail("the manifest " + failure(words[1], error));
    }
    Inputs inputs;
    for (const auto& input : named)
        if (!inputs.add(input.path, input.name)) return fail(inputs.error());
    const std::string& jar = words[firstInput - 1];
    return mode == "uf" ? update(jar, inputs) : create(jar, mode == "cmf" ? words[1] : "", manifest, inputs);
}
